#!/usr/bin/env bash
# tools/windows/wine.sh <prefix folder> <program.exe> [argument…]: runs a program of the Windows build under Wine,
# in a Wine prefix of the build's own (made on first use), quietly: no debugging output, no offer to install Wine's
# .NET or browser engine, no menu entries on the Linux desktop. The build runs its build-time tools through it and
# ctest its tests (CMAKE_CROSSCOMPILING_EMULATOR); the program's exit status is Wine's.
set -euo pipefail
export WINEPREFIX=$1
shift
export WINEARCH=win64 WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
if [[ ! -f $WINEPREFIX/system.reg ]]; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    # Parallel build steps and tests may all come here first: one makes the prefix, the others wait for it.
    (
        flock 9
        [[ -f $WINEPREFIX/system.reg ]] || { wineboot --init && wineserver --wait; } >/dev/null 2>&1
    ) 9>"$WINEPREFIX.lock"
fi
# Wine keeps the Linux side's QT_ variables from Windows programs, lest the host's Qt settings reach them; the ones
# given here (the tests' QT_QPA_PLATFORM=offscreen among them) are meant for the program, and Wine hands over a
# WINE-prefixed variable under its own name.
for name in $(compgen -e QT_); do
    export "WINE$name=${!name}"
done
# A Qt Test program's standard output does not come back through Wine: the tests ask for their log in a file
# (LOGICUS_QTEST_LOG=1), and it is printed here, for ctest to show.
if [[ -n ${LOGICUS_QTEST_LOG:-} ]]; then
    log=$(mktemp --suffix=.txt)
    trap 'rm -f "$log"' EXIT
    status=0
    wine "$@" -o "Z:${log//\//\\},txt" || status=$?
    cat "$log"
    exit $status
fi
exec wine "$@"

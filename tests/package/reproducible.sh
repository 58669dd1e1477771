#!/usr/bin/env bash
# Two `make package` runs from two clean clones of this checkout's last commit, in two different folders and at
# two different times, must give byte-identical packages.
#   bash tests/package/reproducible.sh
set -euo pipefail
repo=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/logicus-reproducible.XXXXXX")
trap 'rm -rf "$work"' EXIT

build() {
    local folder=$1
    git clone -q "$repo" "$folder"
    make -C "$folder" package >"$folder.log" 2>&1 || { tail -n 30 "$folder.log"; exit 1; }
    sha256sum "$folder"/build-package/logicus_*.deb | cut -d ' ' -f 1
}

first=$(build "$work/first")
# A second apart at least, so that anything that took the clock's time would differ.
sleep 1
second=$(build "$work/elsewhere/second")
echo "first:  $first"
echo "second: $second"
if [[ "$first" != "$second" ]]; then
    echo "the two packages differ" >&2
    exit 1
fi
echo "reproducible: the two packages are identical"

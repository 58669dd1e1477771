#!/usr/bin/env bash
# The program reads and writes no files of its own: whatever is left behind after a run comes from the sound
# client library. The program runs under `strace -f -k`, which records every call of it and its threads that
# makes, changes, renames or removes a file or folder or opens one for writing, with the stack that made it;
# file_writes.py names the library behind each call and fails on any that is not PulseAudio's (libpulse*): the
# program's own code and Qt write nothing. Each phase plays from the start-up screen through a wrong answer to the
# game-over state and ends the program with Escape, in a fresh home and a fresh TMPDIR:
#   desktop         a sound server where a desktop keeps it ($XDG_RUNTIME_DIR/pulse/native, found without
#                   PULSE_SERVER), and the answer's tone is heard;
#   no_server       no sound server at all (autospawn off), so the library looks for one in the runtime folder;
#   no_runtime_dir  no server and XDG_RUNTIME_DIR unset: the library falls back to a folder in TMPDIR, and Qt's own
#                   start-up (the platform theme's check for a sandbox) asks for its runtime location, warns on the
#                   console and makes TMPDIR/runtime-<user>, which it may; Qt's warning is all the console holds.
# What each library wrote, and what of it is still there, is printed.
source "$(dirname "$0")/lib.sh"

E2E_SESSION_BUS=1
# Unwinding the stack at every file call makes start-up many times slower than usual.
SLOW=150
TRACED_CALLS=open,openat,openat2,creat,mkdir,mkdirat,rename,renameat,renameat2,unlink,unlinkat,rmdir,link,linkat
TRACED_CALLS+=,symlink,symlinkat,truncate,mknod,mknodat,chmod,fchmodat,chown,lchown,fchownat,utimensat,bind

main() {
    command -v strace >/dev/null || fail "strace is missing (tools/bootstrap.sh installs it)"
    e2e_run_phase 1024x768x24 desktop
    e2e_run_phase 1024x768x24 no_server
    e2e_run_phase 1024x768x24 no_runtime_dir
}

# A fresh TMPDIR for the program, so that nothing it leaves there is lost among other files in /tmp.
fresh_tmpdir() {
    export TMPDIR="$E2E_TMP/tmp"
    mkdir -m 700 "$TMPDIR"
}

# No server where the library looks, and it starts none: autospawn is off in a client configuration that lies
# outside the program's home.
no_sound_server() {
    unset PULSE_SERVER
    echo "autospawn = no" >"$E2E_TMP/client.conf"
    export PULSE_CLIENTCONFIG="$E2E_TMP/client.conf"
}

# start_traced: the program under strace, one trace file per thread in $E2E_TMP/trace/; TRACEE is its process.
start_traced() {
    mkdir "$E2E_TMP/trace"
    # In the sanitizer build the leak check at exit stops the process's threads with ptrace, which a process that
    # strace already traces cannot take: it would hang at the exit. The other checks look for leaks.
    export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}detect_leaks=0"
    start_app strace -f -ff -k --seccomp-bpf --decode-fds=all -o "$E2E_TMP/trace/call" -e trace="$TRACED_CALLS"
    wait_for 10 "strace starts the program" tracee_started
    e2e_track "$TRACEE"
}

tracee_started() { TRACEE=$(pgrep -P "$APP_PID" | head -n 1) && [[ -n "$TRACEE" ]]; }

playing_drawn() {
    shot playing
    [[ "$(client_pixel "$SHOT" $((BUTTON_LEFT + 75)) "$PLACE_MIDDLE")" == "$WORKSPACE" ]]
}

program_windows() { xdotool search --onlyvisible --classname '^logicus$' 2>/dev/null | wc -l; }
menu_open() { (($(program_windows) > 1)); }
menu_closed() { (($(program_windows) == 1)); }

game_over_drawn() {
    shot game-over
    [[ "$(client_pixel "$SHOT" $((BUTTON_LEFT + 75)) $((PLACE_MIDDLE + 5)))" == "$BLACK" ]]
}

# play_and_quit [heard]: start-up screen, level 1, an answer left at "?" (with "heard", its tone must reach the
# sound server), "Продолжить", "Настройка" → "Начать заново", and Escape, which ends the program with status 0.
play_and_quit() {
    start_traced
    wait_for "$SLOW" "start-up screen is shown" window_shown "О программе"
    wait_for "$SLOW" "start-up screen closes by itself" window_gone "О программе"
    wait_for "$SLOW" "main window drawn" main_window_drawn
    wait_for "$SLOW" "level prompt drawn" three_buttons_drawn level-prompt
    note "level prompt after $(elapsed) s"
    main_window_key 1
    wait_for "$SLOW" "key 1 starts a game" playing_drawn
    local mark=0
    [[ "${1:-}" != heard ]] || mark=$(recorded)
    main_window_key Return
    wait_for "$SLOW" "the wrong answer's message is shown" window_shown "Неверно!"
    if [[ "${1:-}" == heard ]]; then
        wait_for "$SLOW" "the wrong answer's tone is heard" sound_after "$mark"
        note "the wrong answer's tone is heard (peak $(loudness "$mark") from silence)"
    fi
    xdotool windowfocus --sync "$(visible_windows "Неверно!" | head -n 1)"
    xdotool key Return
    wait_for "$SLOW" "\"Продолжить\" closes the message" window_gone "Неверно!"
    xdotool mousemove "$((WIN_X + 30))" "$((WIN_Y + MENU_H / 2))" click 1
    wait_for "$SLOW" "menu \"Настройка\" opens" menu_open
    xdotool key Down Down Return
    wait_for "$SLOW" "menu closes" menu_closed
    wait_for "$SLOW" "\"Начать заново\" leads to the game-over state" game_over_drawn
    main_window_key Escape
    wait_exit "$SLOW"
    e2e_untrack "$TRACEE"
    ((APP_STATUS == 0)) || fail "the program ended with status $APP_STATUS"
}

# check_writes [--qt-runtime-fallback]: every write in the trace is the sound library's (or, with the option, Qt's
# fallback runtime folder); prints them, and what the program's home and TMPDIR hold after it ended.
check_writes() {
    local status=0
    /usr/bin/python3 "$E2E_DIR/file_writes.py" "$E2E_TMP/trace/call" "$E2E_APP" "$@" >"$E2E_TMP/writes" || status=$?
    sed "s|$E2E_TMP/|…/|g; s|^|[$E2E_NAME/$E2E_PHASE]   |" "$E2E_TMP/writes"
    ((status == 0)) || fail "a file was written by something other than the sound library (NOT ALLOWED above)"
    local left
    left=$(cd "$E2E_TMP" && find home tmp -mindepth 1 \( -type l -printf '%p -> %l\n' -o -printf '%p\n' \) |
        sed "s|$E2E_TMP/|…/|g" | paste -sd ';' | sed 's/;/; /g')
    note "the home and TMPDIR hold after the run: ${left:-nothing}"
}

phase_desktop() {
    fresh_tmpdir
    # A desktop's per-user server listens in the user's runtime folder, where the library finds it unasked.
    mkdir -m 700 "$XDG_RUNTIME_DIR/pulse"
    start_sound_server "$XDG_RUNTIME_DIR/pulse/native"
    unset PULSE_SERVER
    play_and_quit heard
    console_silent
    check_writes
}

phase_no_server() {
    fresh_tmpdir
    no_sound_server
    play_and_quit
    console_silent
    check_writes
}

phase_no_runtime_dir() {
    fresh_tmpdir
    no_sound_server
    unset XDG_RUNTIME_DIR
    play_and_quit
    local warning
    warning="QStandardPaths: XDG_RUNTIME_DIR not set, defaulting to '$TMPDIR/runtime-$(id -un)'"
    [[ ! -s "$E2E_TMP/app.out" && "$(cat "$E2E_TMP/app.err")" == "$warning" ]] ||
        fail "the console holds more than Qt's warning \"$warning\": $(head -c 600 "$E2E_TMP/app.out" "$E2E_TMP/app.err")"
    note "Qt printed: $warning"
    check_writes --qt-runtime-fallback
}

e2e_main

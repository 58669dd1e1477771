#!/usr/bin/env bash
# A sound server that hangs, dies or comes back never holds up the game, and the program says nothing about it on
# its console. The check's own PulseAudio server plays into a null sink:
# - stopped (SIGSTOP) during a game: each wrong answer's "Неверно!" appears and closes with Enter, and the game
#   clock goes on, each within 2 s; once the server goes on, answers older than 2 s are not heard late; with
#   the server stopped again, "Выход" ends the program at once with status 0;
# - stopped before the program starts: the level prompt comes within 8 s, and an answer's message within 2 s;
# - killed, and a new server started on the same socket: the program finds the new server by itself and the next
#   right answer is heard there.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/soundlib.sh"

E2E_SESSION_BUS=1
ABOUT="О программе"
WRONG="Неверно!"
SOCKET_NAME=pulse-check

main() {
    e2e_run_phase 1024x768x24 stopped_at_answer
    e2e_run_phase 1024x768x24 stopped_before_start
    e2e_run_phase 1024x768x24 restarted
}

# The program is a client of the current sound server (the back end names its connection after the process).
sound_client() { env "${SOUND_TOOL_ENV[@]}" pactl list clients 2>/dev/null | grep -q "QtPulseAudio:$APP_PID"; }

# wrong_answer_without_waiting N: Enter with every list at "?" is a wrong answer; its message comes, Enter closes it
# and the game clock goes on, each within 2 s.
wrong_answer_without_waiting() {
    find_main_window
    xdotool windowfocus --sync "$WIN"
    xdotool key Return
    wait_for 2 "answer $1: \"$WRONG\" appears" window_shown "$WRONG"
    # The answer's clip was handed over before its message came up.
    ANSWERED=$EPOCHREALTIME
    xdotool windowfocus --sync "$(visible_windows "$WRONG" | head -n 1)"
    xdotool key Return
    wait_for 2 "answer $1: \"$WRONG\" closes with Enter" window_gone "$WRONG"
    shot "clock-$1"
    clock_crop "$SHOT" "$E2E_TMP/clock-$1-before.png"
    wait_for 2 "answer $1: the game clock goes on" clock_changed "$E2E_TMP/clock-$1-before.png" "clock-$1-after"
    note "answer $1: message shown and closed, clock going on"
}

start_level_1_by_keys() {
    start_app
    locate_main_window
    pass_start_up_screen
    wait_for 8 "level prompt drawn" three_buttons_drawn level-prompt
    xdotool windowfocus --sync "$WIN"
    xdotool key 1
    wait_for 8 "key 1 starts a game (\"Готово\" shown)" expect_button_now "$PLACE_TOP"
}

expect_button_now() {
    shot playing
    [[ "$(client_pixel "$SHOT" $((BUTTON_LEFT + 75)) "$1")" == "$BLACK" ]] &&
        [[ "$(client_pixel "$SHOT" $((BUTTON_LEFT + 75)) "$PLACE_MIDDLE")" != "$BLACK" ]]
}

# The program is told the server's socket, as the check's other sound phases do.
use_sound_server() {
    SOCKET="$XDG_RUNTIME_DIR/$SOCKET_NAME"
    export PULSE_SERVER="unix:$SOCKET"
}

phase_stopped_at_answer() {
    use_sound_server
    start_sound_server "$SOCKET" heard
    start_level_1_by_keys
    wait_for 10 "the program reaches the sound server" sound_client
    kill -STOP "$SERVER_PID"
    local mark stopped=$EPOCHREALTIME
    mark=$(recorded)
    wrong_answer_without_waiting 1
    wrong_answer_without_waiting 2
    # The server stays stopped for longer than a start may be late (2 s) after the last answer, as a hung server
    # does, however slowly the answers went: a clip that its server lets start within 2 s still belongs to its
    # answer and is rightly heard.
    while less_than "$EPOCHREALTIME" "$(awk -v t="$ANSWERED" 'BEGIN { printf "%.3f", t + 2.5 }')"; do sleep 0.1; done
    kill -CONT "$SERVER_PID"
    silent_after "$mark" "the answers given while the server was stopped" \
        "$(awk -v a="$stopped" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.3f", b - a }')"

    kill -STOP "$SERVER_PID"
    find_main_window
    xdotool mousemove "$((WIN_X + 30))" "$((WIN_Y + MENU_H / 2))" click 1
    sleep 0.5
    # "Выход" is the last item of "Настройка".
    xdotool key Up Return
    wait_exit 3
    ((APP_STATUS == 0)) || fail "\"Выход\" with the server stopped ended the program with status $APP_STATUS"
    kill -CONT "$SERVER_PID"
    console_silent
}

phase_stopped_before_start() {
    use_sound_server
    start_sound_server "$SOCKET" heard
    kill -STOP "$SERVER_PID"
    start_level_1_by_keys
    local took
    took=$(elapsed)
    less_than "$took" 8 || fail "the level prompt and a game came $took s after the start"
    note "level prompt and a game $took s after the start"
    wrong_answer_without_waiting 1
    kill -CONT "$SERVER_PID"
    console_silent
}

phase_restarted() {
    use_sound_server
    start_sound_server "$SOCKET" before
    begin_level_1
    wait_for 10 "silence before the first answer" quiet_now
    local mark stopped=$EPOCHREALTIME
    mark=$(recorded)
    atspi exercise 1 1 right/keys/enter
    heard_after "$mark" "the right answer's chime" 900 1200

    kill -KILL "$SERVER_PID"
    wait "$SERVER_PID" 2>/dev/null || true
    start_sound_server "$SOCKET" after
    wait_for 15 "the program finds the new server" sound_client
    wait_for 10 "silence on the new server" quiet_now
    mark=$(recorded)
    atspi exercise 2 1 right/keys/enter
    heard_after "$mark" "the next right answer, on the new server" 900 1200
    app_alive || fail "the program ended ($(how_it_ended))"
    console_silent
}

e2e_main

#!/usr/bin/env bash
# The answers are heard. A PulseAudio server of the check's own plays into a null sink whose monitor is recorded
# with parec while a level-1 game is played through AT-SPI: a right answer and then a wrong one each put sound
# energy into the recording; after "Настройка" → "Звук включен" (now "Звук выключен") a right and a wrong answer
# leave it silent, and switching back brings the sound again. Then, with no server at all (PULSE_SERVER names a
# socket that does not exist, so none is spawned), the same game goes on and the program says nothing on its
# console.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/soundlib.sh"

E2E_SESSION_BUS=1

main() {
    e2e_run_phase 1024x768x24 heard
    e2e_run_phase 1024x768x24 no_server
}

phase_heard() {
    start_sound_server "$XDG_RUNTIME_DIR/pulse-check"
    export PULSE_SERVER="unix:$XDG_RUNTIME_DIR/pulse-check"
    begin_level_1
    local mark
    wait_for 10 "silence before the first answer" quiet_now
    mark=$(recorded)
    atspi exercise 1 1 right/clicks/button
    heard_after "$mark" "the right answer's chime" 900 1200

    wait_for 10 "the chime ends" quiet_now
    mark=$(recorded)
    atspi exercise 2 1 final/keys/enter
    heard_after "$mark" "the wrong answer's tone" 280 380

    wait_for 10 "the tone ends" quiet_now
    atspi menu "Настройка" "Звук включен"
    atspi menu-item "Звук выключен"
    mark=$(recorded)
    atspi exercise 3 1 right/keys/enter
    atspi exercise 4 1 unknown/clicks/button
    silent_after "$mark" "a right and a wrong answer"

    atspi menu "Настройка" "Звук выключен"
    atspi menu-item "Звук включен"
    mark=$(recorded)
    atspi exercise 5 1 final/clicks/enter
    heard_after "$mark" "a wrong answer with the sound on again" 280 380
    app_alive || fail "the program ended ($(how_it_ended))"
}

phase_no_server() {
    [[ "$PULSE_SERVER" == unix:/nonexistent ]] || fail "PULSE_SERVER is $PULSE_SERVER"
    begin_level_1
    atspi exercise 1 1 right/clicks/button
    atspi exercise 2 1 final/keys/enter
    atspi exercise 3 1 right/keys/button
    app_alive || fail "the program ended ($(how_it_ended)) without a sound server"
    console_silent
    note "the game went on without a sound server, silent on the console"
}

e2e_main

#!/usr/bin/env bash
# The answers are heard. A PulseAudio server of the check's own plays into a null sink whose monitor is recorded
# with parec while a level-1 game is played through AT-SPI: a right answer and then a wrong one each put sound
# energy into the recording; after "Настройка" → "Звук включен" (now "Звук выключен") a right and a wrong answer
# leave it silent, and switching back brings the sound again. Then, with no server at all (PULSE_SERVER names a
# socket that does not exist, so none is spawned), the same game goes on and the program says nothing on its
# console.
source "$(dirname "$0")/lib.sh"

E2E_SESSION_BUS=1

main() {
    e2e_run_phase 1024x768x24 heard
    e2e_run_phase 1024x768x24 no_server
}

# pitch FROM: the pitch in Hz of the first 80 ms of sound after byte FROM, as half its rate of sign changes (the
# chime opens on C6, 1047 Hz; the "try again" tone on E4, 330 Hz).
pitch() {
    /usr/bin/python3 - "$E2E_TMP/heard.raw" "$1" $SOUND_RATE <<'PY'
import sys
data, start, rate = open(sys.argv[1], "rb").read(), int(sys.argv[2]), int(sys.argv[3])
onset = next(i for i in range(start, len(data)) if abs(data[i] - 128) >= 3)
signs = [1 if b > 128 else -1 for b in data[onset:onset + rate * 80 // 1000] if b != 128]
print(round(sum(a != b for a, b in zip(signs, signs[1:])) / 2 / 0.08))
PY
}

# The last quarter second of the recording is silent: the previous clip has ended.
quiet_now() {
    local size
    size=$(recorded)
    ((size > SOUND_RATE / 4)) && (($(loudness $((size - SOUND_RATE / 4))) <= 2))
}

# heard_after MARK WHAT LOW HIGH: sound energy reaches the recording after byte MARK, opening on a pitch between
# LOW and HIGH Hz, which tells the two clips apart.
heard_after() {
    wait_for 10 "$2 is heard" sound_after "$1"
    wait_for 10 "80 ms of $2 recorded" recorded_beyond $(($1 + SOUND_RATE))
    local hz
    hz=$(pitch "$1")
    ((hz >= $3 && hz <= $4)) || fail "$2: opens on $hz Hz, expected $3 to $4 Hz"
    note "$2: heard (peak $(loudness "$1") from silence, opening on $hz Hz)"
}

# silent_after MARK WHAT: from byte MARK until two seconds (longer than either clip) after the answers just given,
# the recording holds no sound.
silent_after() {
    local until=$(($(recorded) + 2 * SOUND_RATE)) peak
    wait_for 20 "two seconds recorded after $2" recorded_beyond "$until"
    peak=$(loudness "$1" "$until")
    ((peak <= 2)) || fail "$2: sound with the sound switched off (peak $peak from silence)"
    note "$2: silent"
}

begin_level_1() {
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
    start_app
    pass_start_up_screen
    atspi state prompt
    find_main_window
    xdotool windowfocus --sync "$WIN"
    xdotool key 1
    atspi state playing
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

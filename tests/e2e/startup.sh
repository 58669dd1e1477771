#!/usr/bin/env bash
# Start-up on a 1024×768×24 screen: the start-up screen ("О программе") is up within a few seconds, closes
# by itself five and a half seconds after it was made (not before 5 s from the start, not later than 8 s after it
# was first seen), and leaves the centred main window in the level
# prompt: the buttons "1", "2", "3" drawn in the right-hand column, the green lamp lit, the others off; and
# says nothing on its console and maps no machine font, font cache or image plug-in on the way.
source "$(dirname "$0")/lib.sh"

ABOUT="О программе"

main() {
    e2e_run_phase 1024x768x24 startup
}

phase_startup() {
    start_app
    wait_for "${E2E_ABOUT_SHOWN_WITHIN:-5}" "start-up screen \"$ABOUT\" is shown" window_shown "$ABOUT"
    local shown_at
    shown_at=$(elapsed)
    note "start-up screen shown after $shown_at s"
    geometry_of "$ABOUT"
    ((GW == 472 && GH == 298)) || fail "start-up screen is ${GW}x$GH, expected a 472x298 client"

    locate_main_window 10
    # Centred over the main window (outer rectangle on outer rectangle).
    local ax=$((WIN_X + (WIN_W - GW) / 2)) ay=$((WIN_Y + (WIN_H - GH) / 2))
    ((GX >= ax - 1 && GX <= ax + 1 && GY >= ay - 1 && GY <= ay + 1)) ||
        fail "start-up screen at ($GX, $GY), expected centred over the main window at ($ax, $ay)"

    # It cannot be closed by the pupil: keys do not close it.
    xdotool key Escape Return
    local closed_at
    wait_for 15 "start-up screen closes by itself" window_gone "$ABOUT"
    closed_at=$(elapsed)
    note "start-up screen gone after $closed_at s"
    less_than 5.0 "$closed_at" || fail "start-up screen closed after $closed_at s, before its 5.5 s had passed"
    # Measured from when it was first seen, so that a slow start on a loaded machine does not count against it.
    less_than "$(awk -v a="$closed_at" -v s="$shown_at" 'BEGIN { print a - s }')" "${E2E_ABOUT_OPEN_AT_MOST:-8.0}" ||
        fail "start-up screen shown at $shown_at s closed only at $closed_at s"
    app_alive || fail "program ended with the start-up screen"

    # The main window repaints the area the start-up screen covered when it gets to it.
    wait_for 8 "level prompt drawn after the start-up screen" three_buttons_drawn level-prompt
    expect_button "$SHOT" "$PLACE_TOP" "button \"1\""
    expect_button "$SHOT" "$PLACE_MIDDLE" "button \"2\""
    expect_button "$SHOT" "$PLACE_BOTTOM" "button \"3\""
    # Lamps: centres of the 40 × 40 pictures in the right-hand column; the green one lit after one second.
    expect_client_pixel "$SHOT" $((628 + 10 + 20)) $((3 + 10 + 20)) "$LAMP_GREEN_LIT" "green lamp lit"
    expect_client_pixel "$SHOT" $((628 + 61 + 20)) $((3 + 10 + 20)) 128,128,0 "yellow lamp off"
    expect_client_pixel "$SHOT" $((628 + 111 + 20)) $((3 + 10 + 20)) 128,0,0 "red lamp off"
    # The title picture fills the exercise area: its centre is not the window's grey.
    [[ "$(client_pixel "$SHOT" 311 251)" != "$BUTTON_FACE" ]] || fail "no title picture in the exercise area"
    # All ten segments of the bar before the first game: selection highlight.
    local i
    for i in 0 9; do
        expect_client_pixel "$SHOT" $((5 + 3 + 61 * i + 29)) $((508 + 3 + 16)) "$SELECTION_HIGHLIGHT" \
            "progress segment $((i + 1)) before the first game"
    done
    note "level prompt drawn as expected"

    # Start-up draws only with the program's own fonts, without the machine's font configuration, and reads
    # its pictures without Qt's image plug-ins: no machine font, font cache or plug-in is mapped.
    local mapped
    mapped=$(grep -oE '/[^ ]*(/fonts/|/fontconfig/|/imageformats/)[^ ]*' "/proc/$APP_PID/maps" | sort -u || true)
    [[ -z "$mapped" ]] || fail "start-up mapped files it should not need: $mapped"
    # A normal start says nothing on the console, though it finds no sound server here.
    console_silent
}

e2e_main

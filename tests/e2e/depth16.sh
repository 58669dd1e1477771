#!/usr/bin/env bash
# 16 bits per pixel is enough: on 1024×768×16 and on the smallest accepted screen, 800×600×16, the program
# refuses nothing, shows its start-up screen and its 792-pixel-wide main window, and lights the green lamp.
source "$(dirname "$0")/lib.sh"

main() {
    e2e_run_phase 1024x768x16 accepted
    e2e_run_phase 800x600x16 accepted
}

green_lamp_lit() {
    shot lamps
    [[ "$(client_pixel "$SHOT" $((628 + 10 + 20)) $((3 + 10 + 20)))" == "$LAMP_GREEN_LIT" ]]
}

phase_accepted() {
    start_app
    wait_for 10 "main window is mapped" find_main_window
    if window_shown "Неприемлемый режим экрана"; then fail "a refusal box on an accepted screen"; fi
    ((WIN_W == CLIENT_WIDTH)) || fail "main window is $WIN_W wide, expected $CLIENT_WIDTH"
    wait_for 10 "start-up screen is shown" window_shown "О программе"
    # 16-bit pixels do not hold the window's greys exactly, so the menu bar is taken from the window's height
    # here; the checks on 24-bit screens measure it.
    MENU_H=$((WIN_H - CLIENT_HEIGHT))
    wait_for 8 "green lamp lit" green_lamp_lit
    if window_shown "Неприемлемый режим экрана"; then fail "a refusal box on an accepted screen"; fi
    app_alive || fail "program ended ($(how_it_ended)) on an accepted screen"
    note "accepted: main window at ($WIN_X, $WIN_Y) ${WIN_W}x$WIN_H"
}

e2e_main

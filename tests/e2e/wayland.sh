#!/usr/bin/env bash
# Логикус on Wayland: under weston's headless back end, with Qt's Wayland plug-in (QT_QPA_PLATFORM=wayland), the
# start-up screen passes by itself, the main window is painted in the level prompt (weston's own screenshot, kept
# as <screens>/wayland-level-prompt.png) and one exercise is played through AT-SPI actions alone, since no X
# server is there to take synthetic input: level 1 by its button, "Готово" with the answer left at "?", the
# wrong-answer message read and closed, the next exercise shown. The program writes nothing on its console.
source "$(dirname "$0")/lib.sh"

main() {
    command -v weston >/dev/null && command -v weston-screenshooter >/dev/null ||
        fail "weston is missing (tools/bootstrap.sh installs it)"
    E2E_PHASE=wayland dbus-run-session -- bash "$E2E_SCRIPT" "$E2E_APP"
}

phase_wayland() {
    unset DISPLAY
    export WAYLAND_DISPLAY=logicus-wayland
    # Drawn by pixman (the headless back end draws nothing by default), and --debug lets weston-screenshooter
    # take the screen.
    # No animations: a window fading out would still be in the screenshot.
    printf '[shell]\nanimation=none\nclose-animation=none\nstartup-animation=none\nfocus-animation=none\n' \
        >"$E2E_TMP/weston.ini"
    weston --backend=headless-backend.so --use-pixman --socket="$WAYLAND_DISPLAY" --width=1024 --height=768 \
        --idle-time=0 --config="$E2E_TMP/weston.ini" --debug >"$E2E_TMP/weston.log" 2>&1 &
    e2e_track $!
    wait_for 30 "weston listens on $WAYLAND_DISPLAY" test -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY"

    export QT_QPA_PLATFORM=wayland QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
    start_app
    atspi state prompt
    atspi gone "О программе"
    grep -q '/platforms/libqwayland' "/proc/$APP_PID/maps" || fail "Qt's Wayland plug-in is not loaded"

    mkdir -p "$E2E_TMP/shots" "$E2E_SCREENS"
    (cd "$E2E_TMP/shots" && timeout 60 weston-screenshooter) >"$E2E_TMP/screenshooter.log" 2>&1 ||
        fail "weston-screenshooter: $(cat "$E2E_TMP/screenshooter.log")"
    local shot=("$E2E_TMP"/shots/*.png)
    [[ -f "${shot[0]}" ]] || fail "weston-screenshooter wrote no picture"
    cp "${shot[0]}" "$E2E_SCREENS/wayland-level-prompt.png"
    # The main window is there: its face colour covers much of the screen, which weston's background does not
    # have. weston's screenshot gives the colours a step or two off, hence the small tolerance.
    local face
    face=$(convert "${shot[0]}" -alpha off -fuzz 3% -fill black +opaque "rgb($BUTTON_FACE)" \
        -fuzz 0 -fill white +opaque black -format '%[fx:int(mean*w*h)]' info:)
    ((face > 40000)) || fail "the screenshot shows $face pixels of the window's face colour, not the main window"
    note "main window painted ($face pixels of its face colour): $E2E_SCREENS/wayland-level-prompt.png"

    export E2E_ACTIONS=1
    atspi click 1
    atspi state playing
    atspi exercise 1 1 unknown/clicks/button
    console_silent
}

e2e_main

#!/usr/bin/env bash
# The Windows program under Wine on a 1024×768×24 Xvfb, beside the Linux program in the same states: the start-up
# screen closes by itself; the level prompt looks as it does on Linux (pixels differing counted and reported); key 1
# starts a level-1 game, whose only open list, the answer box, stands at "?", so Enter brings "Неверно!" with the
# explanation that every result must be worked out (its box the same as Linux's); Enter goes on to exercise 2; F1
# opens the reference; the other eight answers and the score lead to the game-over state, where Escape ends the
# program with status 0. Every wait has a deadline, Wine's start on a busy machine included.
#   bash program.sh <logicus.exe>, with LOGICUS_WINE (tools/windows/wine.sh), LOGICUS_WINE_PREFIX (a prepared
#   prefix, copied for the check) and LOGICUS_LINUX_PROGRAM (the Linux build's logicus) in the environment.
source "$(dirname "$0")/../e2e/lib.sh"

WRONG="Неверно!"
SCORE="Победа!"
REFERENCE="Справочная информация"
# How much of the level prompt may differ from Linux's, per mille of its pixels: the texts are drawn by the same
# fonts, but through Windows's font engine (the README's Windows section). Wine draws 6.4 per mille differently
# on every run; a prompt whose Courier New falls back to another font differs by 14.
PROMPT_LIMIT=${PROMPT_LIMIT:-10}
# How much of the wrong answer's message, reduced to black and white, may differ from Linux's.
MESSAGE_LIMIT=${MESSAGE_LIMIT:-60}

main() {
    [[ -x "${LOGICUS_LINUX_PROGRAM:-}" ]] || fail "no Linux program to compare with (LOGICUS_LINUX_PROGRAM)"
    make_shared_dir
    e2e_run_phase 1024x768x24 linux
    e2e_run_phase 1024x768x24 wine
}

start_linux_app() {
    APP_START=$EPOCHREALTIME
    "$LOGICUS_LINUX_PROGRAM" >"$E2E_TMP/app.out" 2>"$E2E_TMP/app.err" &
    APP_PID=$!
}

# The program under Wine, in a prefix of its own for this check so that its Wine session uses this display.
start_wine_app() {
    PREFIX="$E2E_TMP/wine"
    cp -a "$LOGICUS_WINE_PREFIX" "$PREFIX"
    APP_START=$EPOCHREALTIME
    "$LOGICUS_WINE" "$PREFIX" "$E2E_APP" >"$E2E_TMP/app.out" 2>"$E2E_TMP/app.err" &
    APP_PID=$!
}

stop_wine() { WINEPREFIX="$PREFIX" wineserver -k 2>/dev/null || true; }

segment_is() { # N COLOUR: segment N of the progress bar has that colour in a new screenshot
    shot bar
    [[ "$(client_pixel "$SHOT" $((5 + 3 + 61 * ($1 - 1) + 29)) $((508 + 3 + 16)))" == "$2" ]]
}

# window_crop NAME OUT: the mapped window of that name cut out of a new screenshot.
window_crop() {
    geometry_of "$1" || return 1
    shot "$(basename "$2" .png)-screen"
    convert "$SHOT" -crop "${GW}x$GH+$GX+$GY" +repage "$2"
}

# key_to TITLE KEY…: the keys, typed into the window of that name.
key_to() {
    local id
    id=$(visible_windows "$1" | head -n 1)
    [[ -n "$id" ]] || fail "no window \"$1\" to type into"
    xdotool windowfocus --sync "$id"
    xdotool key "${@:2}"
}

# The main window, mapped and drawn, with its client of the fixed size. Where it stands is left to the window
# system: Qt places it by its frame, which a Wine window without a window manager does not draw.
locate_program_window() {
    wait_for 30 "main window is mapped" find_main_window
    wait_for 10 "main window drawn (its client's top edge below the menu bar)" main_window_drawn
    ((WIN_W == CLIENT_WIDTH && WIN_H - MENU_H == CLIENT_HEIGHT)) ||
        fail "main window is ${WIN_W}x$WIN_H with a $MENU_H-pixel menu bar, expected a ${CLIENT_WIDTH}x$CLIENT_HEIGHT client"
    note "main window at ($WIN_X, $WIN_Y) ${WIN_W}x$WIN_H, menu bar $MENU_H px"
}

# The states both programs are compared in: the level prompt and the wrong answer's message at level 1.
level_prompt_and_message() {
    local side=$1
    pass_start_up_screen
    locate_program_window
    wait_for 15 "level prompt drawn" three_buttons_drawn level-prompt
    convert "$SHOT" -crop "${WIN_W}x$WIN_H+$WIN_X+$WIN_Y" +repage "$E2E_SHARED/$side-prompt.png"
    main_window_key 1
    wait_for 10 "key 1 starts a game (segment 1 current)" segment_is 1 "$BUTTON_HIGHLIGHT"
    main_window_key Return
    wait_for 10 "Enter with the answer box at \"?\" brings \"$WRONG\"" window_shown "$WRONG"
    # The message is drawn once its box is there; a crop that still shows nothing but the face is taken again.
    wait_for 10 "\"$WRONG\" drawn" message_drawn "$side"
}

message_drawn() {
    window_crop "$WRONG" "$E2E_SHARED/$1-wrong.png" || return 1
    convert "$E2E_SHARED/$1-wrong.png" -colorspace gray -threshold 50% "$E2E_SHARED/$1-wrong-mask.png"
    local dark
    dark=$(convert "$E2E_SHARED/$1-wrong-mask.png" -format '%[fx:int(w*h*(1-mean)+0.5)]' info:)
    ((dark > 500))
}

phase_linux() {
    start_linux_app
    level_prompt_and_message linux
}

phase_wine() {
    E2E_ABOUT_SHOWN_WITHIN=90
    start_wine_app
    trap 'stop_wine; e2e_cleanup' EXIT
    level_prompt_and_message wine

    local total differing
    total=$(identify -format '%[fx:w*h]' "$E2E_SHARED/wine-prompt.png")
    [[ "$(identify -format '%wx%h' "$E2E_SHARED/wine-prompt.png")" == \
        "$(identify -format '%wx%h' "$E2E_SHARED/linux-prompt.png")" ]] ||
        fail "the level prompt's window is $(identify -format '%wx%h' "$E2E_SHARED/wine-prompt.png") under Wine," \
            "$(identify -format '%wx%h' "$E2E_SHARED/linux-prompt.png") on Linux"
    differing=$(differing_pixels "$E2E_SHARED/wine-prompt.png" "$E2E_SHARED/linux-prompt.png")
    note "level prompt: $differing of $total pixels differ from Linux's"
    if [[ -n "${E2E_SCREENS:-}" ]]; then
        mkdir -p "$E2E_SCREENS"
        cp "$E2E_SHARED/wine-prompt.png" "$E2E_SCREENS/windows-level-prompt-wine.png"
        cp "$E2E_SHARED/linux-prompt.png" "$E2E_SCREENS/windows-level-prompt-linux.png"
        compare "$E2E_SHARED/wine-prompt.png" "$E2E_SHARED/linux-prompt.png" \
            "$E2E_SCREENS/windows-level-prompt-difference.png" 2>/dev/null || true
    fi
    ((differing * 1000 <= PROMPT_LIMIT * total)) ||
        fail "the level prompt differs from Linux's in $differing of $total pixels"

    local message
    message=$(mask_difference "$E2E_SHARED/wine-wrong-mask.png" "$E2E_SHARED/linux-wrong-mask.png")
    note "\"$WRONG\": $message per mille of its black-and-white picture differ from Linux's"
    ((message <= MESSAGE_LIMIT)) || fail "\"$WRONG\" does not show Linux's explanation ($message per mille differ)"

    key_to "$WRONG" Return
    wait_for 10 "Enter closes \"$WRONG\"" window_gone "$WRONG"
    wait_for 10 "exercise 2 (segment 2 current)" segment_is 2 "$BUTTON_HIGHLIGHT"
    [[ "$(client_pixel "$SHOT" $((5 + 3 + 29)) $((508 + 3 + 16)))" != "$BUTTON_HIGHLIGHT" ]] ||
        fail "segment 1 still current after the answer"

    main_window_key F1
    wait_for 10 "F1 opens the reference" window_shown "$REFERENCE"
    key_to "$REFERENCE" Return
    wait_for 10 "Enter closes the reference" window_gone "$REFERENCE"

    local e
    for ((e = 2; e <= 10; e++)); do
        main_window_key Return
        wait_for 10 "answer $e brings \"$WRONG\"" window_shown "$WRONG"
        key_to "$WRONG" Return
        wait_for 10 "\"$WRONG\" $e closes" window_gone "$WRONG"
    done
    wait_for 10 "the tenth answer brings the score" window_shown "$SCORE"
    key_to "$SCORE" Return
    wait_for 10 "the score closes" window_gone "$SCORE"
    main_window_key Escape
    wait_exit 15
    ((APP_STATUS == 0)) || fail "Escape in the game-over state ended the program with status $APP_STATUS"
    note "Escape ended the program with status 0"
}

e2e_main

#!/usr/bin/env bash
# A game on a 1024×768×24 screen: key 2 starts a level-2 game (first segment of the bar light, the rest in the
# selection highlight; the clock runs), "Настройка" → "Начать заново" ends it into the game-over state (title
# picture, "Да" and "Нет"), and Escape there ends the program with status 0.
source "$(dirname "$0")/lib.sh"

ABOUT="О программе"

main() {
    e2e_run_phase 1024x768x24 game
}

segment_is() {
    shot bar
    [[ "$(client_pixel "$SHOT" $((5 + 3 + 29)) $((508 + 3 + 16)))" == "$1" ]]
}

# The program's mapped windows; a popup menu carries no WM_NAME, so it is found by its class.
program_windows() { xdotool search --onlyvisible --classname '^logicus$' 2>/dev/null | wc -l; }
menu_open() { (($(program_windows) > 1)); }
menu_closed() { (($(program_windows) == 1)); }

game_over_drawn() {
    shot game-over
    [[ "$(client_pixel "$SHOT" $((BUTTON_LEFT + 75)) $((PLACE_TOP + 5)))" == "$BLACK" &&
        "$(client_pixel "$SHOT" $((BUTTON_LEFT + 75)) $((PLACE_MIDDLE + 5)))" == "$BLACK" ]]
}

phase_game() {
    start_app
    locate_main_window
    wait_for 15 "start-up screen closes" window_gone "$ABOUT"
    # The main window repaints what the start-up screen covered when it gets to it.
    wait_for 8 "level prompt drawn after the start-up screen" three_buttons_drawn level-prompt
    clock_crop "$SHOT" "$E2E_TMP/clock-prompt.png"
    expect_button "$SHOT" "$PLACE_MIDDLE" "button \"2\" in the level prompt"

    xdotool windowfocus --sync "$WIN"
    xdotool key 2
    wait_for 8 "key 2 starts a game (first segment turns light)" segment_is "$BUTTON_HIGHLIGHT"

    local y=$((508 + 3 + 16)) i
    expect_client_pixel "$SHOT" $((5 + 3 + 29)) "$y" "$BUTTON_HIGHLIGHT" "segment 1 (current exercise)"
    for i in 1 5 9; do
        expect_client_pixel "$SHOT" $((5 + 3 + 61 * i + 29)) "$y" "$SELECTION_HIGHLIGHT" \
            "segment $((i + 1)) (not played yet)"
    done
    # The gaps between segments keep the bar's background.
    expect_client_pixel "$SHOT" $((5 + 62)) "$y" "$BUTTON_FACE" "gap between segments 1 and 2"
    # Only "Готово" in the top place; the level buttons are gone; the exercise area shows the exercise page.
    expect_button "$SHOT" "$PLACE_TOP" "button \"Готово\""
    expect_no_button "$SHOT" "$PLACE_MIDDLE" "middle place empty while playing"
    expect_no_button "$SHOT" "$PLACE_BOTTOM" "bottom place empty while playing"
    expect_client_pixel "$SHOT" 10 5 "$BUTTON_FACE" "exercise page instead of the title picture"

    # The clock runs: it leaves 00:00 and then moves on again. Each reading is waited for with a deadline, as
    # the checks before it may take any time on a loaded machine.
    wait_for 8 "game clock leaves 00:00" clock_changed "$E2E_TMP/clock-prompt.png" clock-a
    wait_for 8 "game clock moves on from its first reading" clock_changed "$E2E_TMP/clock-a.png" clock-b
    local moved
    moved=$(differing_pixels "$E2E_TMP/clock-a.png" "$E2E_TMP/clock-b.png")
    note "clock runs ($moved pixels changed between two readings)"

    # "Настройка" is the menu bar's first entry; its popup is a window of its own.
    xdotool mousemove "$((WIN_X + 30))" "$((WIN_Y + MENU_H / 2))" click 1
    wait_for 8 "menu \"Настройка\" opens" menu_open
    # Its items: "Выбери уровень" (disabled while playing), "Готово", "Начать заново".
    xdotool key Down Down Return
    wait_for 8 "menu closes" menu_closed
    wait_for 8 "\"Начать заново\" leads to the game-over state" game_over_drawn

    expect_button "$SHOT" "$PLACE_TOP" "button \"Да\""
    expect_button "$SHOT" "$PLACE_MIDDLE" "button \"Нет\""
    expect_no_button "$SHOT" "$PLACE_BOTTOM" "bottom place empty in the game-over state"
    local centre
    centre=$(client_pixel "$SHOT" $((3 + 617 / 2)) $((3 + 497 / 2)))
    [[ "$centre" != "$BUTTON_FACE" ]] || fail "exercise area still button face at its centre after the game ended"
    # The bar keeps the abandoned game: the exercise on the screen stays marked as current.
    expect_client_pixel "$SHOT" $((5 + 3 + 29)) "$y" "$BUTTON_HIGHLIGHT" "segment 1 after the game ended"
    note "game-over state drawn"

    xdotool windowfocus --sync "$WIN"
    local pressed=$EPOCHREALTIME
    xdotool key Escape
    wait_exit "${E2E_EXIT_WITHIN:-8}"
    note "program ended $(awk -v a="$pressed" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.2f", b - a }') s after Escape"
    ((APP_STATUS == 0)) || fail "Escape in the game-over state ended the program with status $APP_STATUS"
}

e2e_main

#!/usr/bin/env bash
# The keys after every window of the program closes, once on a bare X server and once on a desktop with a window
# manager (openbox): F1 right after the start-up screen, after the reference itself, after the guidelines, the
# hint table, a wrong answer's message and the about box; the level key, Enter to answer, and Escape in the
# game-over state. Keys go to whichever window the window system gives them; the check never focuses the main
# window itself after a window has closed, as a pupil does not either.
source "$(dirname "$0")/lib.sh"

REFERENCE="Справочная информация"
GUIDELINES="Методические указания"
HINT="Подсказка"
ABOUT="О программе"

main() {
    e2e_run_phase 1024x768x24 bare
    e2e_run_phase 1024x768x24 openbox
}

phase_bare() { play; }

wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }

phase_openbox() {
    openbox >"$E2E_TMP/openbox.log" 2>&1 &
    e2e_track $!
    wait_for 10 "openbox manages the screen" wm_running
    play
}

# The program's mapped windows; a popup menu carries no WM_NAME, so it is found by its class.
menu_open() { (($(xdotool search --onlyvisible --classname '^logicus$' 2>/dev/null | wc -l) > 1)); }

# opens KEY… TITLE: the keys (typed to whichever window has the focus) bring up the window TITLE.
opens() {
    local title=${*: -1}
    xdotool key "${@:1:$#-1}"
    wait_for 8 "${title} opens" window_shown "$title"
}

# closes TITLE KEY: the key closes the window TITLE.
closes() {
    xdotool key "$2"
    wait_for 8 "$1 closes" window_gone "$1"
}

# f1_after WHAT: F1 brings up the reference after WHAT closed; Enter closes it again.
f1_after() {
    xdotool key F1
    wait_for 8 "F1 after $1 opens the reference" window_shown "$REFERENCE"
    note "F1 works after $1"
    closes "$REFERENCE" Return
}

# help_menu ITEM_KEYS…: opens the menu "Справка" by a click on the menu bar and chooses an item by the keys.
help_menu() {
    xdotool mousemove "$HELP_X" "$((WIN_Y + MENU_H / 2))" click 1
    wait_for 8 "menu \"Справка\" opens" menu_open
    xdotool key "$@"
}

segment_is() {
    shot bar
    [[ "$(client_pixel "$SHOT" $((5 + 3 + 29)) $((508 + 3 + 16)))" == "$1" ]]
}

game_over_drawn() {
    shot game-over
    [[ "$(client_pixel "$SHOT" $((BUTTON_LEFT + 75)) $((PLACE_MIDDLE + 5)))" == "$BLACK" ]]
}

# Sets HELP_X to the middle of the menu bar's second title: the second run of dark pixels along the bar.
measure_help_menu() {
    shot menu-bar
    HELP_X=$(convert "$SHOT" -crop "400x1+$WIN_X+$((WIN_Y + MENU_H / 2))" +repage -colorspace gray -depth 8 gray:- |
        od -An -v -tu1 -w1 | awk -v x0="$WIN_X" '
            $1 < 100 { if (last == 0 || NR - last > 9) { runs++; if (runs == 2) start = NR } last = NR; if (runs == 2) end = NR }
            END { if (runs >= 2) printf "%d", x0 + (start + end) / 2 }')
    [[ -n "$HELP_X" ]] || fail "no second menu title found on the menu bar"
}

play() {
    start_app
    wait_for 10 "main window drawn (its client's top edge below the menu bar)" main_window_here
    wait_for 15 "start-up screen closes" window_gone "$ABOUT"
    wait_for 8 "level prompt drawn after the start-up screen" three_buttons_drawn level-prompt
    measure_help_menu
    # The pointer rests on the exercise area; nothing focuses the main window from here on.
    xdotool mousemove "$(cx 300)" "$(cy 420)"

    f1_after "the start-up screen"
    f1_after "the reference"

    help_menu Down Return
    wait_for 8 "$GUIDELINES opens" window_shown "$GUIDELINES"
    closes "$GUIDELINES" Return
    xdotool mousemove "$(cx 300)" "$(cy 420)"
    f1_after "the guidelines"

    xdotool key 1
    wait_for 8 "key 1 starts a game (first segment turns light)" segment_is "$BUTTON_HIGHLIGHT"
    # The answer box still reads "?": Enter answers wrongly and the message names the mistake.
    opens Return "Неверно!"
    closes "Неверно!" Return
    wait_for 8 "exercise 1 marked wrong on the bar" segment_is 255,0,0
    f1_after "the wrong answer's message"

    xdotool mousemove "$(cx 708)" "$(cy 158)" click 1
    wait_for 8 "$HINT opens" window_shown "$HINT"
    closes "$HINT" Return
    xdotool mousemove "$(cx 300)" "$(cy 420)"
    f1_after "the hint table"

    help_menu Up Return
    wait_for 8 "$ABOUT opens" window_shown "$ABOUT"
    closes "$ABOUT" space
    xdotool mousemove "$(cx 300)" "$(cy 420)"
    f1_after "the about box"

    # "Настройка" → "Начать заново", then Escape in the game-over state ends the program.
    xdotool mousemove "$((WIN_X + 30))" "$((WIN_Y + MENU_H / 2))" click 1
    wait_for 8 "menu \"Настройка\" opens" menu_open
    xdotool key Down Down Return
    wait_for 8 "\"Начать заново\" leads to the game-over state" game_over_drawn
    xdotool mousemove "$(cx 300)" "$(cy 420)"
    xdotool key Escape
    wait_exit 8
    ((APP_STATUS == 0)) || fail "Escape in the game-over state ended the program with status $APP_STATUS"
    note "Escape ends the program"
    console_silent
}

e2e_main

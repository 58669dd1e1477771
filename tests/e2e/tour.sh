#!/usr/bin/env bash
# A newcomer's tour of Логикус on a 1024×768 screen, one screenshot per screen, numbered in the order a pupil meets
# them: the start-up screen, the level prompt, an exercise at each level (Нет/Да with English names, then 0/1 in
# Russian, then False/True in English), a wrong answer's message, the hint table, the reference text, the about
# box, the score and the game-over state, where Escape ends the program. Each shot shows the main window's area. TOUR_DIR says where they go
# (<E2E_SCREENS>/tour by default); `make run` on a machine without a display plays this tour. As a check it
# fails when a screen it waits for does not come.
source "$(dirname "$0")/lib.sh"

E2E_SESSION_BUS=1
TOUR_DIR=${TOUR_DIR:-${E2E_SCREENS:-$PWD}/tour}
export TOUR_DIR

main() {
    mkdir -p "$TOUR_DIR"
    rm -f "$TOUR_DIR"/[0-9][0-9]-*.png
    e2e_run_phase 1024x768x24 tour
    local count
    count=$(find "$TOUR_DIR" -maxdepth 1 -name '[0-9][0-9]-*.png' | wc -l)
    ((count == 11)) || fail "the tour left $count screenshots, not 11"
    note "tour screenshots in $TOUR_DIR"
}

# tour_shot NN-NAME: the main window's area of the screen, as $TOUR_DIR/NN-NAME.png.
tour_shot() {
    find_main_window
    shot "$1"
    convert "$SHOT" -crop "${WIN_W}x$WIN_H+$WIN_X+$WIN_Y" +repage "$TOUR_DIR/$1.png"
    note "screen $1"
}

# answer_and_close CAPTION: Enter answers (or goes on); the message CAPTION comes and Enter closes it.
answer_and_close() {
    main_window_key Return
    wait_for 20 "message \"$1\"" window_shown "$1"
    xdotool key Return
    wait_for 20 "message \"$1\" closes" window_gone "$1"
}

# dialog_shot CAPTION NN-NAME: waits for the dialog, takes the shot, closes it with Enter.
dialog_shot() {
    wait_for 20 "window \"$1\"" window_shown "$1"
    # The dialog is drawn once it is mapped; a moment for its first paint.
    wait_for 5 "window \"$1\" drawn" dialog_drawn "$1"
    tour_shot "$2"
    xdotool windowfocus --sync "$(visible_windows "$1" | head -n 1)"
    xdotool key Return
    wait_for 20 "window \"$1\" closes" window_gone "$1"
}

# dialog_drawn CAPTION: the dialog's middle is no longer a single colour.
dialog_drawn() {
    geometry_of "$1" || return 1
    shot probe
    local colours
    colours=$(convert "$SHOT" -crop "${GW}x$GH+$GX+$GY" +repage -format '%k' info:)
    ((colours > 3))
}

phase_tour() {
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
    start_app
    wait_for 20 "start-up screen" window_shown "О программе"
    wait_for 5 "start-up screen drawn" dialog_drawn "О программе"
    tour_shot 01-start-up
    wait_for 20 "start-up screen closes by itself" window_gone "О программе"
    atspi state prompt
    tour_shot 02-level-prompt

    main_window_key 1
    atspi state playing
    tour_shot 03-level-1
    main_window_key Return
    wait_for 20 "the wrong answer's message" window_shown "Неверно!"
    tour_shot 04-wrong-answer
    xdotool key Return
    wait_for 20 "the message closes" window_gone "Неверно!"

    atspi menu "Настройка" "Начать заново"
    atspi state gameover
    main_window_key Return
    atspi state prompt
    main_window_key 2
    atspi state playing
    atspi choose-notation "0/1" "По-русски"
    tour_shot 05-level-2
    atspi click "Подсказка"
    dialog_shot "Подсказка" 06-hint-table

    atspi menu "Настройка" "Начать заново"
    atspi state gameover
    atspi menu "Настройка" "Выбери уровень" "Сложность 3"
    atspi state playing
    atspi choose-notation "False/True" "По-английски"
    tour_shot 07-level-3
    main_window_key F1
    dialog_shot "Справочная информация" 08-reference
    atspi menu "Справка" "О программе"
    dialog_shot "О программе" 09-about

    # The rest of the game answered at once, each a wrong answer; the tenth brings the score.
    local e
    for ((e = 1; e <= 9; e++)); do
        answer_and_close "Неверно!"
    done
    main_window_key Return
    wait_for 20 "the tenth answer's message" window_shown "Неверно!"
    xdotool key Return
    dialog_shot "Победа!" 10-score
    atspi state gameover
    tour_shot 11-game-over
    main_window_key Escape
    wait_exit 10
    ((APP_STATUS == 0)) || fail "Escape in the game-over state ended the program with status $APP_STATUS"
}

e2e_main

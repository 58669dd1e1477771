#!/usr/bin/env bash
# A whole game at each level, played to the score and the game-over state, read as a screen reader reads the
# program: the given values, the operation names and where each frame stands come from AT-SPI (the random source
# cannot be fixed from outside), so every exercise is answered on purpose rightly or wrongly (final operation
# wrong, an intermediate wrong, or the answer box left at "?"), with the lists set by clicks or by keys in their
# drop-downs and the answer given by Enter or the "Готово" button. Each wrong answer must bring "Неверно!" with
# the explanation the exercise calls for; the tenth answer brings "Победа!" with the score for the right answers,
# the clock and no hint. Level 1 starts from the key 1, level 2 from Enter ("Да") and the button "2" with values
# in 0/1 and Russian names, level 3 from the menu in the game-over state with False/True and English names.
# Escape in the game-over state then ends the program with status 0, and it said nothing on its console.
source "$(dirname "$0")/lib.sh"

E2E_SESSION_BUS=1

main() {
    e2e_run_phase 1024x768x24 three_games
}

# play_game LEVEL HOW…: the ten exercises of a game at LEVEL, each answered as its HOW says (see atspi_game.py),
# then the score message for the right answers, closed into the game-over state.
play_game() {
    local level=$1 e=0 right=0 how
    shift
    for how in "$@"; do
        e=$((e + 1))
        atspi exercise "$e" "$level" "$how"
        [[ $how != right/* ]] || right=$((right + 1))
    done
    ((e == 10)) || fail "a game plan of $e exercises"
    atspi victory "$right"
}

main_window_key() {
    find_main_window
    xdotool windowfocus --sync "$WIN"
    xdotool key "$1"
}

phase_three_games() {
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
    start_app
    pass_start_up_screen
    atspi state prompt

    main_window_key 1
    atspi state playing
    play_game 1 right/clicks/button final/keys/enter right/keys/enter unknown/clicks/button right/clicks/enter \
        right/keys/button final/clicks/enter right/keys/enter right/clicks/button final/keys/enter

    main_window_key Return
    atspi state prompt
    atspi click 2
    atspi state playing
    atspi choose-notation "0/1" "По-русски"
    play_game 2 feed/clicks/button right/keys/enter feed/keys/enter right/clicks/button final/keys/button \
        right/clicks/enter unknown/keys/enter right/clicks/button right/keys/enter right/clicks/button

    atspi menu "Настройка" "Выбери уровень" "Сложность 3"
    atspi state playing
    atspi choose-notation "False/True" "По-английски"
    play_game 3 right/keys/enter feed/clicks/button final/keys/enter right/clicks/button feed/keys/enter \
        right/keys/button right/clicks/enter unknown/clicks/button right/keys/enter feed/clicks/enter
    shot game-over

    main_window_key Escape
    wait_exit 10
    ((APP_STATUS == 0)) || fail "Escape in the game-over state ended the program with status $APP_STATUS"
    note "Escape ended the program with status 0"
    console_silent
}

e2e_main

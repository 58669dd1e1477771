#!/usr/bin/env bash
# What a screen reader says of the program, read through AT-SPI as Orca reads it: the start-up screen's picture
# and filling bar; in the main window every control named, the lamps by colour and whether they are lit, the
# title picture until a game starts; while playing, each list by its operation, which input or result it is and
# whether it is given or open, the answer box by the final operation; the progress bar's words, also as its
# tooltip, after a right and a wrong answer; the wrong-answer message's icon; the hint table with its cells, the
# reference text's box by its caption and the about window's picture and drawn title. Then a whole game with
# the keyboard alone: the level by its key, each open list reached in working order with Tab and set with the
# arrows, answers and messages by Enter, and Escape in the game-over state ending the program.
source "$(dirname "$0")/lib.sh"

E2E_SESSION_BUS=1

main() {
    e2e_run_phase 1024x768x24 read_aloud
    e2e_run_phase 1024x768x24 keyboard_game
}

# close_with_enter CAPTION: Enter closes the dialog of that caption.
close_with_enter() {
    xdotool windowfocus --sync "$(visible_windows "$1" | head -n 1)"
    xdotool key Return
    wait_for 10 "Enter closes \"$1\"" window_gone "$1"
}

phase_read_aloud() {
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
    start_app
    atspi startup-names
    pass_start_up_screen
    atspi state prompt
    atspi names
    atspi progress "Упражнения: 1–10 — ещё не решались."

    main_window_key 3
    atspi state playing
    atspi names
    atspi progress "Упражнения: 1 — решается сейчас; 2–10 — ещё не решались."
    atspi exercise 1 3 right/keys/enter
    atspi names
    atspi exercise 2 3 final/clicks/button
    atspi progress "Упражнения: 1 — верно; 2 — неверно; 3 — решается сейчас; 4–10 — ещё не решались."

    atspi choose-notation "Ложь/Истина" "По-русски"
    atspi names
    atspi click "Подсказка"
    atspi dialog-names "Подсказка"
    close_with_enter "Подсказка"

    main_window_key F1
    atspi dialog-names "Справочная информация"
    close_with_enter "Справочная информация"
    atspi menu "Справка" "Методические указания"
    atspi dialog-names "Методические указания"
    close_with_enter "Методические указания"
    atspi menu "Справка" "О программе"
    atspi dialog-names "О программе"
    close_with_enter "О программе"
    console_silent
}

phase_keyboard_game() {
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
    start_app
    pass_start_up_screen
    atspi state prompt
    main_window_key 2
    local e=0 right=0 how
    for how in right final feed right unknown right right feed right right; do
        e=$((e + 1))
        atspi exercise "$e" 2 "$how/tab/enter"
        [[ $how != right ]] || right=$((right + 1))
    done
    atspi victory "$right"
    main_window_key Escape
    wait_exit 10
    ((APP_STATUS == 0)) || fail "Escape in the game-over state ended the program with status $APP_STATUS"
    console_silent
}

e2e_main

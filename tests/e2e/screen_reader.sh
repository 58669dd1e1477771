#!/usr/bin/env bash
# What a screen reader says of the program, read through AT-SPI as Orca reads it: the start-up screen's picture
# and filling bar; in the main window every control named, the lamps by colour and whether they are lit, the
# title picture until a game starts; while playing, each list by its operation, which input or result it is and
# whether it is given or open, the answer box by the final operation; the progress bar's words, also as its
# tooltip, after a right and a wrong answer; the wrong-answer message's icon; the hint table with its cells, the
# reference text's box by its caption and the about window's picture and drawn title.
source "$(dirname "$0")/lib.sh"

E2E_SESSION_BUS=1

main() {
    e2e_run_phase 1024x768x24 read_aloud
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

e2e_main

#!/usr/bin/env bash
# 8 bits per pixel, a palette screen that Qt's windows cannot paint: the refusal comes in a black-and-white window
# that the window system draws itself, and it must be readable there. On 1024×768×8 the program shows the colour
# message, on 799×600×8 the colour message and then the size message; each window on the screen is, pixel for
# pixel, the picture that plain_message_picture draws for that message on the same screen; Enter closes it; the
# program ends with status 1 and writes nothing on its console (no painter's complaints, no message: it was shown).
source "$(dirname "$0")/lib.sh"

main() {
    [[ -x "${E2E_PLAIN_PICTURE:-}" ]] || fail "E2E_PLAIN_PICTURE does not name the picture tool"
    make_shared_dir
    e2e_run_phase 1024x768x8 colour
    e2e_run_phase 799x600x8 both
}

# expect_pictures PREFIX COUNT: refusal box k (saved in black and white by expect_refusal) is the picture k, to the
# pixel: the two messages differ in their first line only, some 700 pixels of the window's 78 000.
expect_pictures() {
    local k size want ink diff
    for ((k = 1; k <= $2; k++)); do
        size=$(identify -format '%wx%h' "$E2E_SHARED/$1-$k.png")
        want=$(identify -format '%wx%h' "$E2E_SHARED/picture-$k.png")
        [[ "$size" == "$want" ]] || fail "refusal box $k is $size on the screen, its picture $want"
        ink=$(convert "$E2E_SHARED/$1-$k.png" -format '%[fx:int(w*h*(1-mean)+0.5)]' info:)
        diff=$(compare -metric AE "$E2E_SHARED/$1-$k.png" "$E2E_SHARED/picture-$k.png" null: 2>&1 || true)
        note "refusal box $k: $size, $ink black pixels, $diff differ from its picture"
        [[ "$diff" == 0 ]] || fail "refusal box $k does not show its picture ($diff pixels differ)"
    done
}

expect_readable_refusal() {
    "$E2E_PLAIN_PICTURE" "$E2E_SHARED/picture" || fail "the picture tool failed"
    expect_refusal "$1" "$2"
    ((APP_STATUS == 1)) || fail "program ended with status $APP_STATUS, expected 1"
    expect_pictures "$2" "$1"
    console_silent
}

phase_colour() { expect_readable_refusal 1 colour; }
phase_both() { expect_readable_refusal 2 both; }

e2e_main

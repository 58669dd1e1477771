#!/usr/bin/env bash
# A high-density screen: 1600×1200 at Qt's scale factor 2 is an 800×600 screen in logical pixels, which the
# program accepts. Every coordinate stays a logical pixel, so the main window is twice its size on the screen
# with the same layout; the drawn faces of the buttons and the lamps are drawn for the density (crisp: only the
# face's own colours, no blur; drawn, not stretched: along their curves the aligned 2 × 2 blocks of device pixels
# are not all of one colour, as they would be in a face drawn for one pixel per pixel and doubled).
source "$(dirname "$0")/lib.sh"

SCALE=2

main() {
    e2e_run_phase 1600x1200x24 doubled
}

# physical_crop FILE X Y W H: the raw RGB bytes of a device-pixel rectangle of the screenshot, into $E2E_TMP/crop.
physical_crop() {
    convert "$1" -crop "$4x$5+$2+$3" +repage -depth 8 "rgb:$E2E_TMP/crop"
}

# face_drawn_for_density WHAT W H COLOURS…: the crop (W × H device pixels) shows only the listed colours (r,g,b)
# and enough non-uniform aligned 2 × 2 blocks to show it was drawn at the density.
face_drawn_for_density() {
    local what=$1 w=$2 h=$3
    shift 3
    /usr/bin/python3 - "$E2E_TMP/crop" "$w" "$h" "$what" "$@" <<'PY' || fail "$what is not drawn for the density"
import sys
path, w, h, what, *allowed = sys.argv[1:]
w, h = int(w), int(h)
data = open(path, "rb").read()
px = [tuple(data[i:i + 3]) for i in range(0, len(data), 3)]
assert len(px) == w * h, (len(px), w, h)
allowed = {tuple(int(c) for c in a.split(",")) for a in allowed}
stray = {p for p in px if p not in allowed}
if stray:
    print(f"{what}: colours other than the face's: {sorted(stray)[:8]}", file=sys.stderr)
    sys.exit(1)
mixed = sum(1 for y in range(0, h - 1, 2) for x in range(0, w - 1, 2)
            if len({px[y * w + x], px[y * w + x + 1], px[(y + 1) * w + x], px[(y + 1) * w + x + 1]}) > 1)
print(f"{what}: {mixed} aligned 2x2 blocks of two colours")
sys.exit(0 if mixed >= 8 else 1)
PY
}

phase_doubled() {
    export QT_SCALE_FACTOR=$SCALE
    start_app
    pass_start_up_screen
    wait_for 10 "main window is mapped" find_main_window
    ((WIN_W == SCALE * CLIENT_WIDTH)) || fail "main window is $WIN_W device pixels wide, expected $((SCALE * CLIENT_WIDTH))"
    local menu=$((WIN_H - SCALE * CLIENT_HEIGHT))
    ((menu > 0 && menu % SCALE == 0)) || fail "main window is $WIN_H high: no whole menu bar above a doubled client"
    note "main window ${WIN_W}x$WIN_H device pixels, menu bar $((menu / SCALE)) logical pixels"

    # dx/dy: device pixel of a client point in logical pixels.
    dx() { echo $((WIN_X + SCALE * $1)); }
    dy() { echo $((WIN_Y + menu + SCALE * $1)); }
    prompt_drawn() {
        shot prompt
        [[ "$(pixel "$SHOT" "$(dx $((BUTTON_LEFT + 75)))" "$(dy "$PLACE_BOTTOM")")" == "$BLACK" ]]
    }
    wait_for 10 "level prompt drawn" prompt_drawn

    # The layout in logical pixels: the three buttons' outlines and rings where they stand at one to one.
    local top
    for top in "$PLACE_TOP" "$PLACE_MIDDLE" "$PLACE_BOTTOM"; do
        local mid=$((BUTTON_LEFT + 75))
        [[ "$(pixel "$SHOT" "$(dx $mid)" "$(dy "$top")")" == "$BLACK" ]] || fail "no outer outline at logical top $top"
        [[ "$(pixel "$SHOT" "$(dx $mid)" "$(dy $((top + 2)))")" == "$BUTTON_FACE" ]] ||
            fail "no upper ring at logical top $top"
        [[ "$(pixel "$SHOT" "$(dx $mid)" "$(dy $((top + 36)))")" == "$BUTTON_SHADOW" ]] ||
            fail "no lower ring at logical top $top"
    done
    # The left end of button "1" (its caption is in the middle): 30 × 40 logical pixels on the workspace.
    physical_crop "$SHOT" "$(dx "$BUTTON_LEFT")" "$(dy "$PLACE_TOP")" $((SCALE * 30)) $((SCALE * 40))
    face_drawn_for_density "button \"1\"" $((SCALE * 30)) $((SCALE * 40)) "$BLACK" "$BUTTON_FACE" "$BUTTON_SHADOW"
    # The green lamp, lit: a 40 × 40 face at (638, 13) of the client, on the workspace.
    physical_crop "$SHOT" "$(dx 638)" "$(dy 13)" $((SCALE * 40)) $((SCALE * 40))
    face_drawn_for_density "green lamp" $((SCALE * 40)) $((SCALE * 40)) "$BLACK" "$BUTTON_FACE" "$BUTTON_SHADOW" \
        "$LAMP_GREEN_LIT" "$WORKSPACE"
    # The progress bar's first segment in the selection colour, at its logical place.
    [[ "$(pixel "$SHOT" "$(dx $((5 + 3 + 29)))" "$(dy $((508 + 3 + 16)))")" == "$SELECTION_HIGHLIGHT" ]] ||
        fail "progress segment 1 not at its logical place"

    # A game at level 2: "Готово" in the top place and the diagram over the title picture.
    main_window_key 2
    playing_drawn() {
        shot playing
        [[ "$(pixel "$SHOT" "$(dx $((BUTTON_LEFT + 75)))" "$(dy "$PLACE_TOP")")" == "$BLACK" ]] &&
            [[ "$(pixel "$SHOT" "$(dx 311)" "$(dy 251)")" != "$(pixel "$E2E_TMP/prompt.png" "$(dx 311)" "$(dy 251)")" ]]
    }
    wait_for 10 "a level-2 exercise drawn" playing_drawn
    note "level prompt and a level-2 exercise drawn at twice the density, layout in logical pixels"
    console_silent
}

e2e_main

#!/usr/bin/env bash
# High-density screens at Qt's scale factors 2, 1.5 and 1.25, each on a screen of 800×600 logical pixels, which the
# program accepts. Every coordinate stays a logical pixel, so the main window is the scale times its size with the
# same layout, and the drawn faces of the buttons and the lamps are drawn for the density: crisp, only the face's
# own colours and no blur. At 2 the faces must also be drawn, not stretched: along their curves the aligned 2 × 2
# blocks of device pixels are not all of one colour, as they would all be in a face drawn one to one and doubled.
source "$(dirname "$0")/lib.sh"

main() {
    SCALE=2 e2e_run_phase 1600x1200x24 scaled
    SCALE=1.5 e2e_run_phase 1200x900x24 scaled
    SCALE=1.25 e2e_run_phase 1000x750x24 scaled
}

# physical_crop FILE X Y W H: the raw RGB bytes of a device-pixel rectangle of the screenshot, into $E2E_TMP/crop.
physical_crop() {
    convert "$1" -crop "$4x$5+$2+$3" +repage -depth 8 "rgb:$E2E_TMP/crop"
}

# face_drawn_for_density WHAT W H COLOURS…: the crop (W × H device pixels) shows all the listed colours (r,g,b)
# and no other; at scale 2, also enough aligned 2 × 2 blocks of two colours to show it was drawn at the density.
face_drawn_for_density() {
    local what=$1 w=$2 h=$3
    shift 3
    /usr/bin/python3 - "$E2E_TMP/crop" "$w" "$h" "$what" "$SCALE" "$@" <<'PY' || fail "$what is not drawn for the density"
import sys
path, w, h, what, scale, *allowed = sys.argv[1:]
w, h = int(w), int(h)
data = open(path, "rb").read()
px = [tuple(data[i:i + 3]) for i in range(0, len(data), 3)]
assert len(px) == w * h, (len(px), w, h)
allowed = {tuple(int(c) for c in a.split(",")) for a in allowed}
seen = set(px)
if seen - allowed:
    print(f"{what}: colours other than the face's: {sorted(seen - allowed)[:8]}", file=sys.stderr)
    sys.exit(1)
if scale != "2":
    print(f"{what}: only its own {len(seen)} colours")
    sys.exit(0)
mixed = sum(1 for y in range(0, h - 1, 2) for x in range(0, w - 1, 2)
            if len({px[y * w + x], px[y * w + x + 1], px[(y + 1) * w + x], px[(y + 1) * w + x + 1]}) > 1)
print(f"{what}: {mixed} aligned 2x2 blocks of two colours")
sys.exit(0 if mixed >= 8 else 1)
PY
}

# device LOGICAL: the first device pixel inside the logical pixel that starts at that coordinate.
device() { awk -v s="$SCALE" -v l="$1" 'BEGIN { d = s * l; printf "%d", (d == int(d)) ? d : int(d) + 1 }'; }

phase_scaled() {
    export QT_SCALE_FACTOR=$SCALE
    start_app
    pass_start_up_screen
    wait_for 10 "main window is mapped" find_main_window
    local want_w want_h menu
    want_w=$(awk -v s="$SCALE" -v w="$CLIENT_WIDTH" 'BEGIN { printf "%d", s * w + 0.5 }')
    ((WIN_W == want_w)) || fail "main window is $WIN_W device pixels wide at scale $SCALE, expected $want_w"
    # The menu bar in whole logical pixels above the client.
    menu=$(awk -v s="$SCALE" -v h="$WIN_H" -v c="$CLIENT_HEIGHT" 'BEGIN { printf "%d", h / s - c + 0.5 }')
    ((menu > 10 && menu < 40)) || fail "main window is $WIN_H high at scale $SCALE: no menu bar above the client"
    note "scale $SCALE: main window ${WIN_W}x$WIN_H device pixels, menu bar $menu logical pixels"

    # dx/dy: device pixel of a client point in logical pixels.
    dx() { echo $((WIN_X + $(device "$1"))); }
    dy() { echo $((WIN_Y + $(device $((menu + $1))))); }
    # A raised face at a button place: the middle of its upper ring in button face, of its lower ring in shadow.
    face_at() {
        local mid=$((BUTTON_LEFT + 75))
        [[ "$(pixel "$SHOT" "$(dx $mid)" "$(dy $(($1 + 2)))")" == "$BUTTON_FACE" &&
            "$(pixel "$SHOT" "$(dx $mid)" "$(dy $(($1 + 36)))")" == "$BUTTON_SHADOW" ]]
    }
    prompt_drawn() {
        shot prompt
        face_at "$PLACE_BOTTOM"
    }
    wait_for 10 "level prompt drawn" prompt_drawn
    # The layout in logical pixels: the three buttons where they stand at one to one.
    local top
    for top in "$PLACE_TOP" "$PLACE_MIDDLE" "$PLACE_BOTTOM"; do
        face_at "$top" || fail "no button face at logical top $top"
    done
    local w h
    # The left end of button "1" (its caption is in the middle): 30 × 40 logical pixels.
    w=$(device 30) h=$(device 40)
    physical_crop "$SHOT" "$(dx "$BUTTON_LEFT")" "$(dy "$PLACE_TOP")" "$w" "$h"
    face_drawn_for_density "button \"1\"" "$w" "$h" "$BLACK" "$BUTTON_FACE" "$BUTTON_SHADOW"
    # The green lamp, lit: a 40 × 40 face at (638, 13) of the client, on the workspace.
    w=$(device 40)
    physical_crop "$SHOT" "$(dx 638)" "$(dy 13)" "$w" "$w"
    face_drawn_for_density "green lamp" "$w" "$w" "$BLACK" "$BUTTON_FACE" "$BUTTON_SHADOW" "$LAMP_GREEN_LIT"
    # The progress bar's first segment in the selection colour, at its logical place.
    [[ "$(pixel "$SHOT" "$(dx $((5 + 3 + 29)))" "$(dy $((508 + 3 + 16)))")" == "$SELECTION_HIGHLIGHT" ]] ||
        fail "progress segment 1 not at its logical place"

    # A game at level 2: "Готово" in the top place and the diagram over the title picture.
    main_window_key 2
    playing_drawn() {
        shot playing
        face_at "$PLACE_TOP" &&
            [[ "$(pixel "$SHOT" "$(dx 311)" "$(dy 251)")" != "$(pixel "$E2E_TMP/prompt.png" "$(dx 311)" "$(dy 251)")" ]]
    }
    wait_for 10 "a level-2 exercise drawn" playing_drawn
    note "scale $SCALE: level prompt and a level-2 exercise drawn for the density, layout in logical pixels"
    console_silent
}

e2e_main

#!/usr/bin/env bash
# A screen that fails both checks (799×600×15) shows two refusal boxes, the colour message first and then the
# size message, and ends with a non-zero status without a main window. The boxes are told apart by their text:
# each is compared with the box that a screen failing only one check shows — 800×600×15 (colour only) and
# 799×600×24 (size only) — in black and white, so that the colour depth does not matter.
source "$(dirname "$0")/lib.sh"

LOW=${E2E_LOW_DEPTH:-15}

main() {
    make_shared_dir
    e2e_run_phase "800x600x$LOW" colour_only
    e2e_run_phase 799x600x24 size_only
    e2e_run_phase "799x600x$LOW" both

    local c1 s1 c2 s2 cs
    cs=$(mask_difference "$E2E_SHARED/colour-1.png" "$E2E_SHARED/size-1.png")
    c1=$(mask_difference "$E2E_SHARED/both-1.png" "$E2E_SHARED/colour-1.png")
    s1=$(mask_difference "$E2E_SHARED/both-1.png" "$E2E_SHARED/size-1.png")
    c2=$(mask_difference "$E2E_SHARED/both-2.png" "$E2E_SHARED/colour-1.png")
    s2=$(mask_difference "$E2E_SHARED/both-2.png" "$E2E_SHARED/size-1.png")
    note "differences in 1/1000 of the box: colour vs size $cs; first box vs colour $c1, vs size $s1;" \
        "second box vs colour $c2, vs size $s2"
    # The two reference boxes must be told apart at all, or the comparison proves nothing.
    ((cs >= 10)) || fail "the colour and the size messages look alike ($cs/1000 differ); cannot tell them apart"
    ((c1 * 3 < s1)) || fail "the first box is not the colour message (differs $c1/1000 from it, $s1/1000 from size)"
    ((s2 * 3 < c2)) || fail "the second box is not the size message (differs $s2/1000 from it, $c2/1000 from colour)"
}

phase_colour_only() { expect_refusal 1 colour; }
phase_size_only() { expect_refusal 1 size; }
phase_both() { expect_refusal 2 both; }

e2e_main

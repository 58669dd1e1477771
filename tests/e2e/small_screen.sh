#!/usr/bin/env bash
# A 799×600 screen is one pixel too narrow: the program shows "Неприемлемый режим экрана" with the size message,
# which waits until Enter dismisses it, and then ends with a non-zero status without ever mapping its main window.
source "$(dirname "$0")/lib.sh"

main() {
    make_shared_dir
    e2e_run_phase 799x600x24 narrow
    e2e_run_phase 1024x599x24 low
}

phase_narrow() { expect_refusal 1 narrow; }
phase_low() { expect_refusal 1 low; }

e2e_main

#!/usr/bin/env bash
# Fewer than 16 bits per pixel: on a 1024×768×15 screen the program shows "Неприемлемый режим экрана" once (the
# colour message), waits for Enter and ends with a non-zero status, never mapping its main window.
# Xvfb serves 15-bit screens here; where one refuses them, E2E_LOW_DEPTH=8 runs the check on an 8-bit screen.
source "$(dirname "$0")/lib.sh"

main() {
    make_shared_dir
    e2e_run_phase "1024x768x${E2E_LOW_DEPTH:-15}" colour
}

phase_colour() { expect_refusal 1 colour; }

e2e_main

#!/usr/bin/env bash
# Starts the program on the user's display. Without a display it plays the newcomer's tour under Xvfb instead
# (tests/e2e/tour.sh: every screen of the program, from the start-up screen to the score) and says where its
# numbered screenshots are, so that a headless machine still shows what the program shows.
set -euo pipefail
app=$1
if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
    exec "$app"
fi

root=$(cd "$(dirname "$0")/.." && pwd)
screens="$(dirname "$(dirname "$(dirname "$(readlink -f "$app")")")")/screens"
echo "No display here: Логикус plays its tour under Xvfb (about half a minute)."
TOUR_DIR="$screens" E2E_SCREENS="$screens" bash "$root/tests/e2e/tour.sh" "$app" | sed -n 's/^\[tour\/tour\] screen /  /p'
echo "Screenshots of the tour, in the order a pupil meets the screens: $screens"

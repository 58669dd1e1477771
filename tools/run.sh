#!/usr/bin/env bash
# Starts the program on the user's display. Without a display it runs the program under Xvfb, saves a
# screenshot a few seconds in and says where, so that a headless machine still shows what the program shows.
set -euo pipefail
app=$1
if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
    exec "$app"
fi

screens="$(dirname "$(dirname "$(dirname "$app")")")/screens"
mkdir -p "$screens"
shot="$screens/logicus-$(date +%Y%m%d-%H%M%S).png"
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
xvfb-run -a -s '-screen 0 1024x768x24 -noreset' bash -c '
    "$1" & pid=$!
    sleep "${LOGICUS_SHOT_DELAY:-3}"
    import -window root "$2"
    kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null || true
' _ "$app" "$shot"
echo "No display here: Логикус ran under Xvfb; a screenshot is at $shot"

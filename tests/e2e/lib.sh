# Shared helpers of the whole-program checks: sourced by every tests/e2e/*.sh script.
#
# A check script is called as `bash check.sh <path of logicus>`. It calls `e2e_run_phase SCREEN PHASE` for each
# screen it needs: that starts a private Xvfb (on a display it picks itself, so parallel checks get distinct displays) and runs the
# same script again inside it with the phase name, where the script's function `phase_<PHASE>` does the work.
# Every wait is a poll with a deadline; the program is killed when a phase ends, however it ends.

set -euo pipefail

E2E_SCRIPT=$(readlink -f "$0")
E2E_DIR=$(dirname "$E2E_SCRIPT")
E2E_NAME=$(basename "$E2E_SCRIPT" .sh)
E2E_APP=$(readlink -f "$1")

# Colours of the program's fixed desktop scheme.
BUTTON_FACE=212,208,200
BUTTON_SHADOW=128,128,128
BUTTON_HIGHLIGHT=255,255,255
SELECTION_HIGHLIGHT=10,36,106
WORKSPACE=128,128,128
BLACK=0,0,0
LAMP_GREEN_LIT=0,255,0

CLIENT_WIDTH=792
CLIENT_HEIGHT=553

fail() {
    echo "FAIL [$E2E_NAME${E2E_PHASE:+/$E2E_PHASE}]: $*" >&2
    if [[ -n "${E2E_LAST_SHOT:-}" && -f "$E2E_LAST_SHOT" && -n "${E2E_SCREENS:-}" ]]; then
        mkdir -p "$E2E_SCREENS"
        local keep="$E2E_SCREENS/$E2E_NAME-${E2E_PHASE:-main}-failed.png"
        cp "$E2E_LAST_SHOT" "$keep" && echo "  last screenshot: $keep" >&2
    fi
    if [[ -s "${E2E_TMP:-/nonexistent}/app.err" ]]; then
        echo "  program's stderr (tail):" >&2
        tail -n 15 "$E2E_TMP/app.err" | sed 's/^/    /' >&2
    fi
    exit 1
}

note() { echo "[$E2E_NAME${E2E_PHASE:+/$E2E_PHASE}] $*"; }

now() { echo "$EPOCHREALTIME"; }

# Seconds since the program was started, with millisecond precision.
elapsed() { awk -v a="$APP_START" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.3f", b - a }'; }

# less_than A B: true when the decimal A is below B.
less_than() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a < b) }'; }

# wait_for SECONDS WHAT COMMAND…: polls COMMAND every 0.1 s until it succeeds or the deadline passes.
wait_for() {
    local limit=$1 what=$2
    shift 2
    local deadline
    deadline=$(awk -v t="$EPOCHREALTIME" -v l="$limit" 'BEGIN { printf "%.3f", t + l }')
    while true; do
        if "$@"; then return 0; fi
        less_than "$EPOCHREALTIME" "$deadline" || fail "$what: not reached within $limit s"
        sleep 0.1
    done
}

# Runs the current script's phase_<PHASE> on a fresh Xvfb with the given screen (WxHxD); with E2E_SESSION_BUS set,
# inside a D-Bus session of its own, where the accessibility bus that a screen reader uses is started on demand. The server never resets:
# by default it resets whenever its last client leaves, which the check's own xdotool probes do many times a
# second, and a program connecting during a reset is turned away. Each Xvfb gets a display
# number drawn at random from a wide range rather than the lowest free one: a server that another check is just
# shutting down can still remove the socket of a new server on its old number. Xvfb names the display (-displayfd)
# only once it accepts connections, so nothing connects too early; a number in use makes it exit, and another
# number is tried.
e2e_run_phase() {
    local screen=$1 phase=$2 dir display="" xvfb status=0 attempt
    dir=$(mktemp -d "${TMPDIR:-/tmp}/logicus-xvfb.XXXXXX")
    for attempt in 1 2 3 4 5 6 7 8; do
        : >"$dir/display"
        Xvfb ":$((1000 + RANDOM % 30000))" -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset \
            3>"$dir/display" 2>"$dir/xvfb.err" &
        xvfb=$!
        for _ in $(seq 200); do
            display=$(head -n 1 "$dir/display" 2>/dev/null || true)
            [[ -n "$display" ]] && break
            kill -0 "$xvfb" 2>/dev/null || break
            sleep 0.05
        done
        [[ -n "$display" ]] && break
        kill "$xvfb" 2>/dev/null || true
        wait "$xvfb" 2>/dev/null || true
    done
    [[ -n "$display" ]] || fail "Xvfb did not start for $screen: $(tail -n 3 "$dir/xvfb.err" 2>/dev/null)"
    local runner=(bash)
    [[ -n "${E2E_SESSION_BUS:-}" ]] && runner=(dbus-run-session -- bash)
    DISPLAY=":$display" E2E_PHASE="$phase" E2E_SCREEN="$screen" "${runner[@]}" "$E2E_SCRIPT" "$E2E_APP" ||
        status=$?
    kill "$xvfb" 2>/dev/null || true
    wait "$xvfb" 2>/dev/null || true
    rm -rf "$dir"
    return "$status"
}

# Entry of a check script: dispatches to the phase when running inside Xvfb, otherwise runs `main`.
e2e_main() {
    if [[ -n "${E2E_PHASE:-}" ]]; then
        E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/logicus-e2e.XXXXXX")
        export XDG_RUNTIME_DIR="$E2E_TMP/xdg" HOME="$E2E_TMP/home"
        mkdir -m 700 "$XDG_RUNTIME_DIR" "$HOME"
        # No sound server unless the phase starts one: the program must not reach the developer's speakers, and
        # the sound library must not spawn a server of its own that outlives the check.
        export PULSE_SERVER=unix:/nonexistent
        trap e2e_cleanup EXIT
        "phase_$E2E_PHASE"
    else
        [[ -x "$E2E_APP" ]] || fail "no program at $E2E_APP"
        main
    fi
}

# Helpers a phase starts (a sound server, a recorder) are ended with it: e2e_track PID.
E2E_HELPERS=()
e2e_track() { E2E_HELPERS+=("$1"); }
# e2e_untrack PID: a helper that has ended by itself, whose number may soon belong to another process.
e2e_untrack() {
    local kept=() pid
    for pid in "${E2E_HELPERS[@]}"; do
        [[ "$pid" == "$1" ]] || kept+=("$pid")
    done
    E2E_HELPERS=("${kept[@]}")
}

e2e_cleanup() {
    local pid
    for pid in ${APP_PID:-} "${E2E_HELPERS[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    for pid in ${APP_PID:-} "${E2E_HELPERS[@]}"; do
        wait_gone "$pid" 2 || kill -9 "$pid" 2>/dev/null || true
    done
    rm -rf "$E2E_TMP"
}

# wait_gone PID SECONDS: true once the process has ended, false if it is still there at the deadline.
wait_gone() {
    local deadline
    deadline=$(awk -v t="$EPOCHREALTIME" -v l="$2" 'BEGIN { printf "%.3f", t + l }')
    while kill -0 "$1" 2>/dev/null; do
        less_than "$EPOCHREALTIME" "$deadline" || return 1
        sleep 0.05
    done
}

# ---- A sound server of the phase's own ------------------------------------------------------------------------

SOUND_RATE=22050
SOUND_SINK=logicus_check

# start_sound_server SOCKET [NAME]: a PulseAudio server (SERVER_PID) listening on SOCKET that plays into a null sink,
# whose monitor is recorded (8-bit mono at SOUND_RATE) into $E2E_TMP/NAME.raw (HEARD; NAME is "heard" unless given)
# from now on. A server started after the first one has gone may take its socket, with a recording of its own. The server and the tools that talk to
# it keep a home and a runtime folder of their own, so that nothing the sound library writes for them lands where
# the program's own files would be looked for.
start_sound_server() {
    local socket=$1 own="$E2E_TMP/sound-server"
    HEARD="$E2E_TMP/${2:-heard}.raw"
    mkdir -p -m 700 "$own/home" "$own/runtime"
    HOME="$own/home" XDG_RUNTIME_DIR="$own/runtime" \
        pulseaudio --daemonize=no --exit-idle-time=-1 -n --use-pid-file=no --disable-shm=yes \
        --load="module-null-sink sink_name=$SOUND_SINK rate=44100" \
        --load="module-native-protocol-unix auth-anonymous=1 socket=$socket" \
        >>"$E2E_TMP/pulseaudio.log" 2>&1 &
    SERVER_PID=$!
    e2e_track "$SERVER_PID"
    SOUND_TOOL_ENV=(HOME="$own/home" XDG_RUNTIME_DIR="$own/runtime" PULSE_SERVER="unix:$socket")
    wait_for 15 "the sound server answers" sound_server_answers
    # The monitor is read in small pieces, so that the recording grows in step with time.
    env "${SOUND_TOOL_ENV[@]}" parec -d "$SOUND_SINK.monitor" --format=u8 --rate=$SOUND_RATE --channels=1 --raw --latency-msec=20 \
        >"$HEARD" 2>>"$E2E_TMP/parec.err" &
    e2e_track $!
    wait_for 10 "the recording runs" recorded_beyond 0
}

sound_server_answers() { env "${SOUND_TOOL_ENV[@]}" pactl info >/dev/null 2>&1; }

recorded() { stat -c %s "$HEARD"; }
recorded_beyond() { (($(recorded) > $1)); }

# loudness FROM [TO]: the largest distance from silence (128) in the recording between two byte offsets.
loudness() {
    /usr/bin/python3 - "$HEARD" "$1" "${2:-}" <<'PY'
import sys
data = open(sys.argv[1], "rb").read()
start, end = int(sys.argv[2]), int(sys.argv[3]) if sys.argv[3] else len(data)
print(max((abs(b - 128) for b in data[start:end]), default=0))
PY
}

sound_after() { (($(loudness "$1") >= 20)); }

# start_app [COMMAND…]: starts the program, through COMMAND (a tracer) when one is given; APP_PID is what was started.
start_app() {
    APP_START=$EPOCHREALTIME
    "$@" "$E2E_APP" >"$E2E_TMP/app.out" 2>"$E2E_TMP/app.err" &
    APP_PID=$!
}

app_alive() { kill -0 "$APP_PID" 2>/dev/null; }

# how_it_ended: "status N" or "signal NAME" of the program, which has ended.
how_it_ended() {
    local status=0
    wait "$APP_PID" || status=$?
    if ((status > 128)); then
        echo "signal $(kill -l $((status - 128)))"
    else
        echo "status $status"
    fi
}

# wait_exit SECONDS: waits for the program to end and sets APP_STATUS; fails if it is still running.
wait_exit() {
    wait_for "$1" "program ends" bash -c "! kill -0 $APP_PID 2>/dev/null"
    APP_STATUS=0
    wait "$APP_PID" || APP_STATUS=$?
    APP_PID=
}

# The start-up screen ("О программе") comes up by itself and closes itself 5.5 s after it was created.
pass_start_up_screen() {
    wait_for "${E2E_ABOUT_SHOWN_WITHIN:-10}" "start-up screen is shown" window_shown "О программе"
    wait_for 15 "start-up screen closes by itself" window_gone "О программе"
}

# console_silent: the program has written nothing on its stdout and stderr.
console_silent() {
    [[ ! -s "$E2E_TMP/app.out" && ! -s "$E2E_TMP/app.err" ]] ||
        fail "the program wrote to its console: $(head -c 600 "$E2E_TMP/app.out" "$E2E_TMP/app.err")"
}

# atspi COMMAND ARGS…: one step of atspi_game.py, which reads the program as a screen reader does and answers as
# a pupil; run with the system's Python, whose pyatspi is a Debian package. Needs E2E_SESSION_BUS and the program
# started with QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1.
atspi() {
    if ! /usr/bin/python3 "$E2E_DIR/atspi_game.py" "$@" 2>"$E2E_TMP/atspi.err" | sed "s|^|[$E2E_NAME/$E2E_PHASE] |"; then
        shot "atspi-failed"
        fail "atspi $*: $(tail -n 5 "$E2E_TMP/atspi.err")"
    fi
}

# Mapped windows whose name is exactly $1 (the main window's popup menus carry its name too).
visible_windows() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null || true; }

window_shown() { [[ -n "$(visible_windows "$1")" ]]; }

# main_window_key KEY…: the keys, pressed with the main window focused.
main_window_key() {
    find_main_window
    xdotool windowfocus --sync "$WIN"
    xdotool key "$@"
}
window_gone() { [[ -z "$(visible_windows "$1")" ]]; }

# The main window: the largest mapped window named "Логикус". Sets WIN, WIN_X, WIN_Y, WIN_W, WIN_H.
find_main_window() {
    local id best="" area=0 a X Y WIDTH HEIGHT
    for id in $(visible_windows "Логикус"); do
        eval "$(xdotool getwindowgeometry --shell "$id" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
        a=$((WIDTH * HEIGHT))
        if ((a > area)); then
            area=$a best=$id WIN_X=$X WIN_Y=$Y WIN_W=$WIDTH WIN_H=$HEIGHT
        fi
    done
    [[ -n "$best" ]] || return 1
    WIN=$best
}

# geometry_of NAME: sets GX GY GW GH of the first mapped window of that name.
geometry_of() {
    local id X Y WIDTH HEIGHT
    id=$(visible_windows "$1" | head -n 1)
    [[ -n "$id" ]] || return 1
    eval "$(xdotool getwindowgeometry --shell "$id" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
    GX=$X GY=$Y GW=$WIDTH GH=$HEIGHT
}

# shot NAME: screenshot of the whole screen into SHOT, remembered for failure reports; with E2E_KEEP_SCREENS set
# a copy goes to E2E_SCREENS.
shot() {
    SHOT="$E2E_TMP/$1.png"
    import -window root "$SHOT"
    E2E_LAST_SHOT=$SHOT
    if [[ -n "${E2E_KEEP_SCREENS:-}" && -n "${E2E_SCREENS:-}" ]]; then
        mkdir -p "$E2E_SCREENS"
        cp "$SHOT" "$E2E_SCREENS/$E2E_NAME-$E2E_PHASE-$1.png"
    fi
}

# pixel FILE X Y: "r,g,b" of one screen pixel.
pixel() {
    convert "$1" -crop "1x1+$2+$3" +repage -depth 8 rgb:- | od -An -tu1 | awk '{ print $1 "," $2 "," $3 }'
}

# Client coordinates → screen coordinates (needs WIN_X, WIN_Y and MENU_H).
cx() { echo $((WIN_X + $1)); }
cy() { echo $((WIN_Y + MENU_H + $1)); }

# client_pixel FILE X Y: pixel at client coordinates of the main window.
client_pixel() { pixel "$1" "$(cx "$2")" "$(cy "$3")"; }

# expect_client_pixel FILE X Y COLOUR WHAT
expect_client_pixel() {
    local got
    got=$(client_pixel "$1" "$2" "$3")
    [[ "$got" == "$4" ]] || fail "$5: client pixel ($2, $3) is ($got), expected ($4)"
}

# Measures the menu bar: the client begins with three rows of button face above the exercise area, whose top
# edge (the title picture or the exercise page) is not button face. The menu bar's own rows cannot match: its
# lower edge is one line, not three rows. Sets MENU_H, or returns 1 when the window is not drawn that far yet.
measure_menu_bar() {
    local file=$1 column=$((WIN_X + 300)) m colours
    # One read of the column's top 120 rows instead of one process per pixel.
    mapfile -t colours < <(convert "$file" -crop "1x120+$column+$WIN_Y" +repage -depth 8 rgb:- |
        od -An -v -tu1 -w3 | awk '{ print $1 "," $2 "," $3 }')
    for ((m = 0; m + 5 < ${#colours[@]}; m++)); do
        if [[ ${colours[m]} == "$BUTTON_FACE" && ${colours[m + 1]} == "$BUTTON_FACE" &&
            ${colours[m + 2]} == "$BUTTON_FACE" && ${colours[m + 3]} != "$BUTTON_FACE" &&
            ${colours[m + 4]} != "$BUTTON_FACE" && ${colours[m + 5]} != "$BUTTON_FACE" ]]; then
            MENU_H=$m
            return 0
        fi
    done
    return 1
}

# A new screenshot shows the main window drawn down to its client's top edge; measures the menu bar.
main_window_drawn() {
    find_main_window || return 1
    shot located
    measure_menu_bar "$SHOT"
}

# The main window drawn, its client's top-left corner read from the server: a window manager's frame moves it from
# where xdotool reports a reparented window. Sets WIN, WIN_X, WIN_Y and MENU_H.
main_window_here() {
    find_main_window || return 1
    eval "$(xwininfo -id "$WIN" | awk '/Absolute upper-left X/ { print "WIN_X=" $NF } /Absolute upper-left Y/ { print "WIN_Y=" $NF }')"
    shot located
    measure_menu_bar "$SHOT"
}

# Checks the main window's client size and that it stands at the centre of the screen.
check_main_geometry() {
    local sw sh
    ((WIN_W == CLIENT_WIDTH)) || fail "main window is $WIN_W wide, expected a $CLIENT_WIDTH-pixel client"
    ((WIN_H - MENU_H == CLIENT_HEIGHT)) ||
        fail "client is $((WIN_H - MENU_H)) high (window $WIN_H, menu bar $MENU_H), expected $CLIENT_HEIGHT"
    sw=${E2E_SCREEN%%x*}
    sh=${E2E_SCREEN#*x}
    sh=${sh%%x*}
    local ex=$(((sw - WIN_W) / 2)) ey=$(((sh - WIN_H) / 2))
    ((WIN_X >= ex - 1 && WIN_X <= ex + 1 && WIN_Y >= ey - 1 && WIN_Y <= ey + 1)) ||
        fail "main window at ($WIN_X, $WIN_Y), expected centred at ($ex, $ey)"
}

# The three places of the action buttons in the right-hand column (client top of each 150 × 40 face).
BUTTON_LEFT=$((628 + 2 + 2))
PLACE_TOP=$((3 + 280 + 11))
PLACE_MIDDLE=$((3 + 280 + 61))
PLACE_BOTTOM=$((3 + 280 + 111))

# expect_button FILE TOP WHAT: a raised image-faced button is drawn at that place: black outer and inner outlines,
# a light upper ring and a dark lower ring, the pill in button face, and a caption in its middle.
expect_button() {
    local file=$1 top=$2 what=$3 mid=$((BUTTON_LEFT + 75))
    expect_client_pixel "$file" "$mid" "$top" "$BLACK" "$what: outer outline"
    expect_client_pixel "$file" "$mid" $((top + 2)) "$BUTTON_FACE" "$what: upper ring"
    expect_client_pixel "$file" "$mid" $((top + 5)) "$BLACK" "$what: inner outline"
    expect_client_pixel "$file" "$mid" $((top + 36)) "$BUTTON_SHADOW" "$what: lower ring"
    expect_client_pixel "$file" $((BUTTON_LEFT + 20)) $((top + 20)) "$BUTTON_FACE" "$what: face"
    local dark
    dark=$(convert "$file" -crop "40x20+$(cx $((mid - 20)))+$(cy $((top + 10)))" +repage -colorspace gray \
        -threshold 40% -format '%[fx:int(w*h*(1-mean)+0.5)]' info:)
    ((dark >= 10)) || fail "$what: no caption drawn on the button ($dark dark pixels in its middle)"
}

# three_buttons_drawn NAME: a new screenshot NAME shows the outer outline of a button in each of the three places
# (the level prompt), or fails quietly: a condition to wait for.
three_buttons_drawn() {
    shot "$1"
    local top
    for top in "$PLACE_TOP" "$PLACE_MIDDLE" "$PLACE_BOTTOM"; do
        [[ "$(client_pixel "$SHOT" $((BUTTON_LEFT + 75)) "$top")" == "$BLACK" ]] || return 1
    done
}

# expect_no_button FILE TOP WHAT: the place shows the column's workspace background.
expect_no_button() {
    expect_client_pixel "$1" $((BUTTON_LEFT + 75)) "$2" "$WORKSPACE" "$3"
    expect_client_pixel "$1" $((BUTTON_LEFT + 20)) $(($2 + 20)) "$WORKSPACE" "$3"
}

# Waits for the main window, measures the menu bar from a screenshot and checks the client's size and place.
locate_main_window() {
    wait_for "${1:-10}" "main window is mapped" find_main_window
    # Mapped is not yet painted: on a busy machine the first screenshot may still show an empty window.
    wait_for 10 "main window drawn (its client's top edge below the menu bar)" main_window_drawn
    check_main_geometry
    note "main window at ($WIN_X, $WIN_Y) ${WIN_W}x$WIN_H, menu bar $MENU_H px"
}

# The game clock's label in the right-hand column, in client coordinates.
CLOCK_X=$((628 + 41))
CLOCK_Y=$((3 + 70))

# clock_crop FILE OUT: the game clock's label (80 × 20) cut out of a screenshot.
clock_crop() {
    convert "$1" -crop "80x20+$(cx "$CLOCK_X")+$(cy "$CLOCK_Y")" +repage "$2"
}

# differing_pixels A B: number of pixels in which two crops differ.
differing_pixels() {
    compare -metric AE "$1" "$2" null: 2>&1 || true
}

# clock_changed REFERENCE NAME: a new screenshot NAME whose clock differs from the REFERENCE crop; the crop is kept
# as $E2E_TMP/NAME.png.
clock_changed() {
    shot "$2"
    clock_crop "$SHOT" "$E2E_TMP/$2.png"
    (($(differing_pixels "$1" "$E2E_TMP/$2.png") > 0))
}

# ---- Refused screens --------------------------------------------------------------------------------------------

REFUSAL="Неприемлемый режим экрана"

no_main_window() {
    if find_main_window; then
        fail "the main window was mapped on a screen the program must refuse"
    fi
}

# A refusal box other than the one with id $1 (empty: any) is mapped. Sets BOX.
new_refusal_box() {
    no_main_window
    local id
    for id in $(visible_windows "$REFUSAL"); do
        if [[ "$id" != "$1" ]]; then
            BOX=$id
            return 0
        fi
    done
    return 1
}

box_gone() {
    no_main_window
    ! xdotool search --onlyvisible --name "^$REFUSAL\$" 2>/dev/null | grep -qx "$1"
}

# expect_refusal COUNT PREFIX: the program shows COUNT refusal boxes one after the other, each waiting for the
# pupil until Enter dismisses it, then ends with a non-zero status of its own (not a signal) and without ever
# mapping the main window. The text part of box k (1-based) is saved, reduced to black and white, as
# $E2E_SHARED/PREFIX-k.png for the caller to compare.
expect_refusal() {
    local count=$1 prefix=$2 k previous=""
    start_app
    for ((k = 1; k <= count; k++)); do
        wait_for 10 "refusal box $k (\"$REFUSAL\") is shown" new_refusal_box "$previous"
        note "refusal box $k shown after $(elapsed) s"
        # It waits for the pupil: still there well after the program's first timer ticks.
        local hold_until
        hold_until=$(awk -v t="$EPOCHREALTIME" 'BEGIN { printf "%.3f", t + 1.6 }')
        while less_than "$EPOCHREALTIME" "$hold_until"; do
            app_alive || fail "program ended ($(how_it_ended)) after $(elapsed) s while refusal box $k waited for the pupil"
            if ! window_shown "$REFUSAL"; then
                app_alive || fail "program ended ($(how_it_ended)) after $(elapsed) s while refusal box $k was up"
                fail "refusal box $k closed by itself after $(elapsed) s"
            fi
            no_main_window
            sleep 0.2
        done
        geometry_of "$REFUSAL"
        shot "box-$k"
        convert "$SHOT" -crop "${GW}x$GH+$GX+$GY" +repage -colorspace gray -threshold 50% \
            "$E2E_SHARED/$prefix-$k.png"
        xdotool windowfocus --sync "$BOX"
        xdotool key Return
        wait_for 8 "Enter dismisses refusal box $k" box_gone "$BOX"
        previous=$BOX
    done
    # Until it ends (within a deadline), no other box and no main window.
    local end
    end=$(awk -v t="$EPOCHREALTIME" 'BEGIN { printf "%.3f", t + 10 }')
    while app_alive && less_than "$EPOCHREALTIME" "$end"; do
        no_main_window
        if new_refusal_box "$previous"; then
            fail "an unexpected refusal box $((count + 1)) appeared"
        fi
        sleep 0.1
    done
    wait_exit 1
    ((APP_STATUS != 0)) || fail "program ended with status 0 on a refused screen"
    ((APP_STATUS < 128)) || fail "program was killed by signal $(kill -l $((APP_STATUS - 128))) after the refusal"
    note "program ended with status $APP_STATUS"
}

# mask_difference A B: share of differing pixels (per mille) between two black-and-white box pictures, compared
# over their common size.
mask_difference() {
    local w h
    read -r w h < <(identify -format '%w %h ' "$1" "$2" |
        awk '{ print ($1 < $3 ? $1 : $3), ($2 < $4 ? $2 : $4) }')
    convert "$1" -crop "${w}x$h+0+0" +repage "$E2E_SHARED/cmp-a.png"
    convert "$2" -crop "${w}x$h+0+0" +repage "$E2E_SHARED/cmp-b.png"
    local ae
    ae=$(compare -metric AE "$E2E_SHARED/cmp-a.png" "$E2E_SHARED/cmp-b.png" null: 2>&1 || true)
    awk -v a="$ae" -v n=$((w * h)) 'BEGIN { printf "%d", a * 1000 / n }'
}

# Main part of a check that compares pictures across phases: a directory that outlives the phases.
make_shared_dir() {
    E2E_SHARED=$(mktemp -d "${TMPDIR:-/tmp}/logicus-e2e-shared.XXXXXX")
    export E2E_SHARED
    trap 'rm -rf "$E2E_SHARED"' EXIT
}

# Shared helpers of the whole-program checks that listen: sourced after lib.sh by the checks that start a sound
# server of their own.
#
# start_sound_server NAME starts a PulseAudio server that plays into a null sink (SERVER_PID) and records the
# sink's monitor into $E2E_TMP/NAME.raw (HEARD), 8-bit mono at RATE; a second call after the first server has gone
# starts a new server on the same socket with a recording of its own.

RATE=22050
SINK=logicus_check

start_sound_server() {
    HEARD="$E2E_TMP/$1.raw"
    pulseaudio --daemonize=no --exit-idle-time=-1 -n --use-pid-file=no --disable-shm=yes \
        --load="module-null-sink sink_name=$SINK rate=44100" \
        --load="module-native-protocol-unix auth-anonymous=1 socket=$XDG_RUNTIME_DIR/pulse-check" \
        >>"$E2E_TMP/pulseaudio.log" 2>&1 &
    SERVER_PID=$!
    e2e_track "$SERVER_PID"
    export PULSE_SERVER="unix:$XDG_RUNTIME_DIR/pulse-check"
    wait_for 15 "the sound server answers" pactl info >/dev/null 2>&1
    # The monitor is read in small pieces, so that the recording grows in step with time.
    parec -d "$SINK.monitor" --format=u8 --rate=$RATE --channels=1 --raw --latency-msec=20 \
        >"$HEARD" 2>>"$E2E_TMP/parec.err" &
    e2e_track $!
    wait_for 10 "the recording runs" recorded_beyond 0
}

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

# pitch FROM: the pitch in Hz of the first 80 ms of sound after byte FROM, as half its rate of sign changes (the
# chime opens on C6, 1047 Hz; the "try again" tone on E4, 330 Hz).
pitch() {
    /usr/bin/python3 - "$HEARD" "$1" $RATE <<'PY'
import sys
data, start, rate = open(sys.argv[1], "rb").read(), int(sys.argv[2]), int(sys.argv[3])
onset = next(i for i in range(start, len(data)) if abs(data[i] - 128) >= 3)
signs = [1 if b > 128 else -1 for b in data[onset:onset + rate * 80 // 1000] if b != 128]
print(round(sum(a != b for a, b in zip(signs, signs[1:])) / 2 / 0.08))
PY
}

# The last quarter second of the recording is silent: the previous clip has ended.
quiet_now() {
    local size
    size=$(recorded)
    ((size > RATE / 4)) && (($(loudness $((size - RATE / 4))) <= 2))
}

# heard_after MARK WHAT LOW HIGH: sound energy reaches the recording after byte MARK, opening on a pitch between
# LOW and HIGH Hz, which tells the two clips apart.
heard_after() {
    wait_for 10 "$2 is heard" sound_after "$1"
    wait_for 10 "80 ms of $2 recorded" recorded_beyond $(($1 + RATE))
    local hz
    hz=$(pitch "$1")
    ((hz >= $3 && hz <= $4)) || fail "$2: opens on $hz Hz, expected $3 to $4 Hz"
    note "$2: heard (peak $(loudness "$1") from silence, opening on $hz Hz)"
}

# silent_after MARK WHAT: from byte MARK until two seconds (longer than either clip) after the answers just given,
# the recording holds no sound.
silent_after() {
    local until=$(($(recorded) + 2 * RATE)) peak
    wait_for 20 "two seconds recorded after $2" recorded_beyond "$until"
    peak=$(loudness "$1" "$until")
    ((peak <= 2)) || fail "$2: sound heard (peak $peak from silence)"
    note "$2: silent"
}

begin_level_1() {
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
    start_app
    pass_start_up_screen
    atspi state prompt
    find_main_window
    xdotool windowfocus --sync "$WIN"
    xdotool key 1
    atspi state playing
}

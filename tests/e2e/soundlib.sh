# Shared helpers of the whole-program checks that listen to the answers: sourced after lib.sh, they read the
# recording that its start_sound_server makes.

# pitch FROM: the pitch in Hz of the first 80 ms of sound after byte FROM, as half its rate of sign changes (the
# chime opens on C6, 1047 Hz; the "try again" tone on E4, 330 Hz).
pitch() {
    /usr/bin/python3 - "$HEARD" "$1" $SOUND_RATE <<'PY'
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
    ((size > SOUND_RATE / 4)) && (($(loudness $((size - SOUND_RATE / 4))) <= 2))
}

# heard_after MARK WHAT LOW HIGH: sound energy reaches the recording after byte MARK, opening on a pitch between
# LOW and HIGH Hz, which tells the two clips apart.
heard_after() {
    wait_for 10 "$2 is heard" sound_after "$1"
    wait_for 10 "80 ms of $2 recorded" recorded_beyond $(($1 + SOUND_RATE))
    local hz
    hz=$(pitch "$1")
    ((hz >= $3 && hz <= $4)) || fail "$2: opens on $hz Hz, expected $3 to $4 Hz"
    note "$2: heard (peak $(loudness "$1") from silence, opening on $hz Hz)"
}

# silent_after MARK WHAT [PAUSED]: from byte MARK until two seconds (longer than either clip) after the answers just
# given, the recording holds no sound. A server that was stopped for PAUSED seconds after MARK renders that time
# at once when it goes on, so its recording may not have caught up yet: the window reaches past the pause.
silent_after() {
    local now until peak
    now=$(recorded)
    [[ -z "${3:-}" ]] || now=$(awk -v a="$now" -v b="$1" -v s="$3" -v r=$SOUND_RATE \
        'BEGIN { c = b + int(s * r); print (c > a ? c : a) }')
    until=$((now + 2 * SOUND_RATE))
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

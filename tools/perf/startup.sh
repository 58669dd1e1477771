#!/usr/bin/env bash
# Performance report: Логикус against a bare Qt program (tools/perf/bare: a 792 × 553 main window, one loaded
# QSoundEffect and a 1 ms timer like the random source's), on one Xvfb, the two alternating. For each run: time
# from process start to the main window's first paint, peak memory (maximum resident set size), and, once the
# program has settled (Логикус's start-up screen closes 5.5 s after start), its idle CPU use and wake-ups per
# second over IDLE_SECONDS (5 by default): CPU time from /proc/PID/stat and context switches of all its threads
# from /proc/PID/task/*/status. Prints every run, the medians and the ratios. Budgets: start-up and memory at most
# 1.3 × the bare program's, idle CPU and wake-ups at most 1.1 ×.
#
#   tools/perf/startup.sh [build-dir] [runs]      (defaults: build, 7)
#
# Builds the targets `logicus` and `bare_window` in build-dir first (configuring it if needed).
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(realpath -m "${1:-$root/build}")
runs=${2:-7}
((runs >= 5)) || { echo "at least five runs each, please" >&2; exit 2; }

if [[ -z "${PERF_INSIDE_XVFB:-}" ]]; then
    [[ -f "$build/build.ninja" ]] || cmake -S "$root" -B "$build" -G Ninja >/dev/null
    cmake --build "$build" --target logicus bare_window -j 2 >/dev/null
    exec env PERF_INSIDE_XVFB=1 xvfb-run -a -s '-screen 0 1024x768x24 -nolisten tcp -noreset' bash "$0" "$build" "$runs"
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/logicus-perf.XXXXXX")
export XDG_RUNTIME_DIR="$work/xdg"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export LOGICUS_TRACE_FIRST_PAINT=1
pid=
cleanup() {
    [[ -n "$pid" ]] && kill "$pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# Takes the start moment on the first-paint clock (CLOCK_MONOTONIC) as the last thing before exec; the process
# keeps its pid, which goes into the same file.
launcher="$work/launch.py"
cat >"$launcher" <<'EOF'
import os, sys, time
with open(sys.argv[1], "w") as f:
    f.write(f"{os.getpid()} {time.monotonic_ns()}\n")
os.execv(sys.argv[2], sys.argv[2:])
EOF

# measure MODE NAME PROGRAM: one run. MODE start ends it a second after its first paint and appends the start-up
# time to $work/NAME.start; MODE idle lets it settle past the start-up screen, watches it idle and appends
# "peak-kB CPU-% wake-ups/s" to $work/NAME.idle. Start-up is timed in runs of its own: after a long idle run the
# machine starts the next program noticeably slower, whichever it is.
measure() {
    local mode=$1 name=$2 program=$3 start_file="$work/start" err="$work/err" mem="$work/mem"
    rm -f "$start_file" "$err" "$mem"
    /usr/bin/time -f '%M' -o "$mem" python3 "$launcher" "$start_file" "$program" 2>"$err" &
    local timer=$!
    local deadline=$((SECONDS + 20))
    until [[ -s "$start_file" ]] && grep -q '^first-paint ' "$err" 2>/dev/null; do
        ((SECONDS < deadline)) || { echo "$name: no first paint within 20 s" >&2; kill "$timer"; exit 1; }
        sleep 0.02
    done
    local start painted
    read -r pid start <"$start_file"
    painted=$(awk '/^first-paint / { print $2; exit }' "$err")
    local cpu0 switches0 cpu1 switches1
    if [[ $mode == start ]]; then
        sleep 1
    else
        sleep "${SETTLE_SECONDS:-7}"
        read -r cpu0 switches0 < <(usage "$pid")
        sleep "${IDLE_SECONDS:-5}"
        read -r cpu1 switches1 < <(usage "$pid")
    fi
    kill "$pid"
    wait "$timer" || true
    pid=
    if [[ $mode == start ]]; then
        local ms
        ms=$(awk -v a="$start" -v b="$painted" 'BEGIN { printf "%.1f", (b - a) / 1e6 }')
        printf '%-8s first paint %8s ms\n' "$name" "$ms"
        echo "$ms" >>"$work/$name.start"
        return
    fi
    local kb cpu wakeups
    kb=$(tail -n 1 "$mem")
    cpu=$(awk -v a="$cpu0" -v b="$cpu1" -v hz="$(getconf CLK_TCK)" -v s="${IDLE_SECONDS:-5}" \
        'BEGIN { printf "%.2f", 100 * (b - a) / hz / s }')
    wakeups=$(awk -v a="$switches0" -v b="$switches1" -v s="${IDLE_SECONDS:-5}" 'BEGIN { printf "%.0f", (b - a) / s }')
    printf '%-8s peak %8s kB, idle %6s %% CPU %6s wake-ups/s\n' "$name" "$kb" "$cpu" "$wakeups"
    echo "$kb $cpu $wakeups" >>"$work/$name.idle"
}

# usage PID: "<CPU ticks> <context switches>" of the process, all its threads counted.
usage() {
    local ticks switches=0 task
    ticks=$(awk '{ print $14 + $15 }' "/proc/$1/stat")
    for task in /proc/"$1"/task/*; do
        switches=$((switches + $(awk '/ctxt_switches/ { n += $2 } END { print n + 0 }' "$task/status" 2>/dev/null || echo 0)))
    done
    echo "$ticks $switches"
}

logicus="$build/src/app/logicus"
bare="$build/tools/perf/bare_window"
# One unmeasured run of each warms the file cache; then the two alternate, so that drift hits both alike.
measure start warmup "$logicus" >/dev/null
measure start warmup "$bare" >/dev/null
for ((i = 1; i <= runs; i++)); do
    measure start logicus "$logicus"
    measure start bare "$bare"
done
for ((i = 1; i <= runs; i++)); do
    measure idle logicus "$logicus"
    measure idle bare "$bare"
done

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }
lt=$(median <"$work/logicus.start")
bt=$(median <"$work/bare.start")
lm=$(cut -d' ' -f1 "$work/logicus.idle" | median)
bm=$(cut -d' ' -f1 "$work/bare.idle" | median)
lc=$(cut -d' ' -f2 "$work/logicus.idle" | median)
bc=$(cut -d' ' -f2 "$work/bare.idle" | median)
lw=$(cut -d' ' -f3 "$work/logicus.idle" | median)
bw=$(cut -d' ' -f3 "$work/bare.idle" | median)
awk -v lt="$lt" -v bt="$bt" -v lm="$lm" -v bm="$bm" -v lc="$lc" -v bc="$bc" -v lw="$lw" -v bw="$bw" -v n="$runs" 'BEGIN {
    printf "\nmedians of %d runs      Логикус      bare    ratio  budget\n", n
    printf "first paint (ms)   %10.1f %9.1f %8.2f    1.30\n", lt, bt, lt / bt
    printf "peak RSS (kB)      %10d %9d %8.2f    1.30\n", lm, bm, lm / bm
    printf "idle CPU (%%)       %10.2f %9.2f %8.2f    1.10\n", lc, bc, (bc > 0 ? lc / bc : 0)
    printf "wake-ups per s     %10d %9d %8.2f    1.10\n", lw, bw, lw / bw
    ok = lt / bt <= 1.3 && lm / bm <= 1.3 && (bc == 0 || lc / bc <= 1.1) && lw / bw <= 1.1
    printf "budgets: %s\n", ok ? "met" : "missed"
}'

#!/usr/bin/env bash
# Measures Tintora next to its floor, a bare Qt window with the same controls
# and a 50 ms timer that does nothing (bench/floor_window.cpp), and prints a
# Markdown table with the ratios:
#   - instructions from exec to the end of the first paint (callgrind);
#   - wall time from exec to the end of the first paint: median, min and max;
#   - peak resident memory (VmHWM, over start-up and the idle run);
#   - over an idle run after start-up: context switches and CPU time per second
#     (all threads, from /proc), and instructions per 50 ms tick (callgrind,
#     counting whole ticks only) with the paints seen during those ticks;
#   - instructions of one keystroke in a decimal box, cascade included, next to
#     one in a bare QLineEdit (offscreen), without and with the repaint after it.
# Everything that needs a display runs on a private Xvfb of its own.
#
#   bench/measure.sh            RUNS=20 IDLE_SECONDS=10 TICKS=100 KEYSTROKES=500
set -euo pipefail
cd "$(dirname "$0")/.."
export LC_ALL=C

runs=${RUNS:-20}
idle_seconds=${IDLE_SECONDS:-10}
ticks=${TICKS:-100}
keystrokes=${KEYSTROKES:-500}

for tool in Xvfb valgrind cmake; do
    if ! command -v "$tool" >/dev/null; then
        echo "$tool is missing: run scripts/install-deps.sh test" >&2
        exit 1
    fi
done

echo "Building (release preset)..." >&2
cmake --preset release >/dev/null
cmake --build --preset release --target tintora floor_window tintora_startup floor_startup \
    keystroke_count >/dev/null
build=build/release
# The program as users run it, and built with the measurement probe; the same
# for the floor.
declare -A plain=([program]=$build/app/tintora [floor]=$build/bench/floor_window)
declare -A probed=([program]=$build/bench/tintora_startup [floor]=$build/bench/floor_startup)

work=$(mktemp -d)
xvfb_pid=
cleanup() {
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

# Qt's D-Bus code would otherwise try to launch a session bus, and
# QStandardPaths warns without a private runtime directory.
export DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

# -noreset: the server must survive each program closing its last connection.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -noreset -nolisten tcp 3>"$work/display" \
    2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
if [ ! -s "$work/display" ]; then
    echo "Xvfb did not start:" >&2
    cat "$work/xvfb.log" >&2
    exit 1
fi
export DISPLAY=:$(head -n1 "$work/display")
export QT_QPA_PLATFORM=xcb

callgrind_total() { awk '/^totals:/ { print $2; exit }' "$1"; }

# callgrind OUT COMMAND...: instructions counted, the program's output on stdout.
callgrind() {
    local out=$1
    shift
    valgrind --tool=callgrind --callgrind-out-file="$out" "$@" 2>"$out.log"
}

# --- start-up: instructions --------------------------------------------------
echo "Counting start-up instructions..." >&2
declare -A startup_instructions
for who in program floor; do
    callgrind "$work/$who.startup" "${probed[$who]}" >/dev/null
    startup_instructions[$who]=$(callgrind_total "$work/$who.startup")
done

# --- start-up: wall time, the two programs taking turns ----------------------
echo "Timing $runs start-ups each..." >&2
for _ in $(seq "$runs"); do
    for who in program floor; do
        TINTORA_PROBE_T0=${EPOCHREALTIME/./} "${probed[$who]}" 2>/dev/null |
            awk '/^first-paint-us/ { print $2 }' >>"$work/$who.wall"
    done
done
# median min max, in microseconds
wall_stats() {
    sort -n "$1" | awk '{ v[NR] = $1 } END {
        m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
        print m, v[1], v[NR] }'
}

# --- idle run: context switches, CPU time, peak RSS --------------------------
sum_tasks() { # PID FIELD: a /proc counter summed over the process's threads
    case $2 in
    switches) cat /proc/"$1"/task/*/status 2>/dev/null |
        awk '/^(voluntary|nonvoluntary)_ctxt_switches:/ { s += $2 } END { print s + 0 }' ;;
    cpu_ns) cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ s += $1 } END { print s + 0 }' ;;
    esac
}
declare -A switches_per_second cpu_ms_per_second peak_rss_kb
for who in program floor; do
    echo "Idling the $who for $idle_seconds s..." >&2
    "${plain[$who]}" 2>/dev/null &
    pid=$!
    sleep 2 # start-up over, window shown
    if ! kill -0 "$pid" 2>/dev/null; then
        echo "${plain[$who]} did not keep running" >&2
        exit 1
    fi
    switches0=$(sum_tasks "$pid" switches)
    cpu0=$(sum_tasks "$pid" cpu_ns)
    sleep "$idle_seconds"
    switches1=$(sum_tasks "$pid" switches)
    cpu1=$(sum_tasks "$pid" cpu_ns)
    peak_rss_kb[$who]=$(awk '/^VmHWM:/ { print $2 }' /proc/"$pid"/status)
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    switches_per_second[$who]=$(awk -v a="$switches0" -v b="$switches1" -v s="$idle_seconds" \
        'BEGIN { printf "%.1f", (b - a) / s }')
    cpu_ms_per_second[$who]=$(awk -v a="$cpu0" -v b="$cpu1" -v s="$idle_seconds" \
        'BEGIN { printf "%.2f", (b - a) / 1e6 / s }')
done

# --- idle ticks: instructions per tick ---------------------------------------
echo "Counting instructions over $ticks idle ticks each..." >&2
declare -A tick_instructions tick_paints
for who in program floor; do
    report=$(TINTORA_PROBE_TICKS=$ticks callgrind "$work/$who.ticks" "${probed[$who]}")
    tick_paints[$who]=$(awk '/^ticks/ { print $4 }' <<<"$report")
    tick_instructions[$who]=$(($(callgrind_total "$work/$who.ticks") / ticks))
done

# --- keystrokes, offscreen -----------------------------------------------------
echo "Counting instructions over $keystrokes keystrokes each..." >&2
declare -A keystroke_instructions
for who in program bare; do
    for mode in cascade paint; do
        QT_QPA_PLATFORM=offscreen callgrind "$work/$who.$mode" \
            "$build/bench/keystroke_count" "$who" "$mode" "$keystrokes" >/dev/null
        keystroke_instructions[$who.$mode]=$(($(callgrind_total "$work/$who.$mode") / keystrokes))
    done
done

# --- the table ------------------------------------------------------------------
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
verdict() { # RATIO LIMIT
    awk -v r="$1" -v l="$2" 'BEGIN { printf "≤ %s: %s", l, (r <= l ? "holds" : "missed") }'
}
millions() { awk -v n="$1" 'BEGIN { printf "%.1f M", n / 1e6 }'; }
thousands() { awk -v n="$1" 'BEGIN { printf "%.1f k", n / 1e3 }'; }
mebibytes() { awk -v n="$1" 'BEGIN { printf "%.1f MiB", n / 1024 }'; }
wall_cell() { # MEDIAN MIN MAX in microseconds
    awk -v m="$1" -v lo="$2" -v hi="$3" 'BEGIN { printf "%.1f ms (%.1f–%.1f)", m / 1e3, lo / 1e3, hi / 1e3 }'
}

read -r program_wall program_wall_min program_wall_max < <(wall_stats "$work/program.wall")
read -r floor_wall floor_wall_min floor_wall_max < <(wall_stats "$work/floor.wall")

r_start=$(ratio "${startup_instructions[program]}" "${startup_instructions[floor]}")
r_rss=$(ratio "${peak_rss_kb[program]}" "${peak_rss_kb[floor]}")
r_tick=$(ratio "${tick_instructions[program]}" "${tick_instructions[floor]}")
r_key=$(ratio "${keystroke_instructions[program.cascade]}" "${keystroke_instructions[bare.cascade]}")

echo
echo "| Measure | Tintora | Floor | Ratio | Target |"
echo "|---|---:|---:|---:|---|"
echo "| Instructions, exec → end of first paint (callgrind, Xvfb) |" \
    "$(millions "${startup_instructions[program]}") | $(millions "${startup_instructions[floor]}") |" \
    "$r_start | $(verdict "$r_start" 1.15) |"
echo "| Wall time, exec → end of first paint, median (min–max) of $runs (Xvfb) |" \
    "$(wall_cell "$program_wall" "$program_wall_min" "$program_wall_max") |" \
    "$(wall_cell "$floor_wall" "$floor_wall_min" "$floor_wall_max") |" \
    "$(ratio "$program_wall" "$floor_wall") | – |"
echo "| Peak RSS (VmHWM) |" \
    "$(mebibytes "${peak_rss_kb[program]}") | $(mebibytes "${peak_rss_kb[floor]}") |" \
    "$r_rss | $(verdict "$r_rss" 1.10) |"
echo "| Idle: context switches per second, all threads, over $idle_seconds s |" \
    "${switches_per_second[program]} | ${switches_per_second[floor]} |" \
    "$(ratio "${switches_per_second[program]}" "${switches_per_second[floor]}") | – |"
echo "| Idle: CPU time per second, over $idle_seconds s |" \
    "${cpu_ms_per_second[program]} ms | ${cpu_ms_per_second[floor]} ms |" \
    "$(ratio "${cpu_ms_per_second[program]}" "${cpu_ms_per_second[floor]}") | – |"
echo "| Idle: instructions per 50 ms tick, colour unchanged (callgrind, $ticks ticks) |" \
    "$(thousands "${tick_instructions[program]}") | $(thousands "${tick_instructions[floor]}") |" \
    "$r_tick | $(verdict "$r_tick" 1.5) |"
echo "| Idle: paint events during those ticks | ${tick_paints[program]} | ${tick_paints[floor]} | – |" \
    "0: $([ "${tick_paints[program]}" = 0 ] && echo holds || echo missed) |"
echo "| Keystroke in a decimal box, whole cascade; floor: bare QLineEdit (instructions, offscreen) |" \
    "$(thousands "${keystroke_instructions[program.cascade]}") |" \
    "$(thousands "${keystroke_instructions[bare.cascade]}") | $r_key | $(verdict "$r_key" 2) |"
echo "| The same keystroke and the repaint after it |" \
    "$(thousands "${keystroke_instructions[program.paint]}") |" \
    "$(thousands "${keystroke_instructions[bare.paint]}") |" \
    "$(ratio "${keystroke_instructions[program.paint]}" "${keystroke_instructions[bare.paint]}") | – |"
echo
echo "Machine: $(nproc) cores, $(awk -F': ' '/^model name/ { print $2; exit }' /proc/cpuinfo)," \
    "$(. /etc/os-release && echo "$PRETTY_NAME"), Qt $(dpkg-query -W -f='${Version}' libqt6core6 2>/dev/null || echo unknown)."

#!/usr/bin/env bash
# Measures Tintora next to the reference window, Tintora's controls in a Qt
# window of the same size with nothing of Tintora's code and a 50 ms timer
# that does nothing (bench/reference_window.cpp), and prints a Markdown table
# with the ratios:
#   - instructions from exec to the end of the first paint (callgrind);
#   - wall time from exec to the end of the first paint: median, min and max;
#   - peak resident memory (VmHWM, over start-up and the idle run);
#   - over an idle run after start-up, preview focused: context switches and
#     CPU time per second (all threads, from /proc), and instructions per
#     second (callgrind) with the paints seen meanwhile;
#   - the same /proc figures after a real pointer click into the red decimal
#     box, next to the reference window without its timer: 1-9 s after the
#     click, while both carets blink, and for IDLE_SECONDS from 15 s after it,
#     when Tintora's caret rests and the reference window's blinks on; with the
#     wake-ups of each thread after the table;
#   - instructions of one keystroke in the red decimal box, cascade included,
#     next to one in the lone box, a QLineEdit alone in the same place
#     (bench/keystroke_count.cpp, offscreen), without and with the repaint
#     after it.
# Everything that needs a display runs on a private Xvfb of its own.
#
#   bench/measure.sh            RUNS=20 IDLE_SECONDS=10 KEYSTROKES=500
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=bench/measuring.sh
. bench/measuring.sh
export LC_ALL=C

runs=${RUNS:-20}
idle_seconds=${IDLE_SECONDS:-10}
keystrokes=${KEYSTROKES:-500}

require_tools Xvfb xdotool valgrind cmake

echo "Building (release preset)..." >&2
cmake --preset release >/dev/null
cmake --build --preset release --target tintora_startup reference_startup keystroke_count \
    >/dev/null
build=build/release
# The program and the reference window, each built with the measurement probe
# (which only watches, and ends the run when told).
declare -A probed=([program]=$build/bench/tintora_startup
    [reference]=$build/bench/reference_startup)

# What runs until the script ends: the probed program in the background (pid),
# and the private Xvfb.
work=$(mktemp -d)
xvfb_pid=
pid=
cleanup() {
    if [ -n "$pid" ]; then
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    fi
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT
trap "exit 1" INT TERM

# Qt's D-Bus code would otherwise try to launch a session bus, and
# QStandardPaths warns without a private runtime directory.
export DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

start_private_xvfb "$work"
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
for who in program reference; do
    callgrind "$work/$who.startup" "${probed[$who]}" >/dev/null
    startup_instructions[$who]=$(callgrind_total "$work/$who.startup")
done

# --- start-up: wall time, the two programs taking turns ----------------------
echo "Timing $runs start-ups each..." >&2
for _ in $(seq "$runs"); do
    for who in program reference; do
        TINTORA_PROBE_T0=${EPOCHREALTIME/./} "${probed[$who]}" 2>/dev/null |
            awk '/^first-paint-us/ { print $2 }' >>"$work/$who.wall"
    done
done

# --- idle run: context switches, CPU time, peak RSS --------------------------
sum_tasks() { # PID FIELD: a /proc counter summed over the process's threads
    case $2 in
    switches) cat /proc/"$1"/task/*/status 2>/dev/null |
        awk '/^(voluntary|nonvoluntary)_ctxt_switches:/ { s += $2 } END { print s + 0 }' ;;
    cpu_ns) cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ s += $1 } END { print s + 0 }' ;;
    esac
}
thread_switches() { # PID: "ID NAME SWITCHES", one line a thread
    local task
    for task in /proc/"$1"/task/*; do
        printf '%s %s %s\n' "${task##*/}" "$(tr ' ' _ <"$task/comm")" \
            "$(awk '/^(voluntary|nonvoluntary)_ctxt_switches:/ { s += $2 } END { print s + 0 }' \
                "$task/status")"
    done 2>/dev/null
}
declare -A switches_per_second cpu_ms_per_second peak_rss_kb thread_rates
# measure KEY PID SECONDS: /proc figures of a running program over SECONDS.
measure() {
    local key=$1 pid=$2 seconds=$3
    local switches0 cpu0 switches1 cpu1
    thread_switches "$pid" >"$work/$key.threads0"
    switches0=$(sum_tasks "$pid" switches)
    cpu0=$(sum_tasks "$pid" cpu_ns)
    sleep "$seconds"
    switches1=$(sum_tasks "$pid" switches)
    cpu1=$(sum_tasks "$pid" cpu_ns)
    thread_switches "$pid" >"$work/$key.threads1"
    switches_per_second[$key]=$(awk -v a="$switches0" -v b="$switches1" -v s="$seconds" \
        'BEGIN { printf "%.1f", (b - a) / s }')
    cpu_ms_per_second[$key]=$(awk -v a="$cpu0" -v b="$cpu1" -v s="$seconds" \
        'BEGIN { printf "%.2f", (b - a) / 1e6 / s }')
    thread_rates[$key]=$(awk -v s="$seconds" 'NR == FNR { before[$1] = $3; next }
        { printf "%s%s %.1f", sep, $2, ($3 - before[$1]) / s; sep = ", " }' \
        "$work/$key.threads0" "$work/$key.threads1")
}
# start PROGRAM RUN_SECONDS [ENV...]: runs the probed program in the background;
# its pid in $pid, its output in $work/out.
start() {
    local program=$1 run_seconds=$2
    shift 2
    env TINTORA_PROBE_IDLE_MS=$((run_seconds * 1000)) "$@" "$program" >"$work/out" 2>/dev/null &
    pid=$!
}
stop() {
    peak_rss_kb[$1]=$(awk '/^VmHWM:/ { print $2 }' /proc/"$pid"/status)
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    pid=
}
alive() {
    if ! kill -0 "$pid" 2>/dev/null; then
        echo "$1 did not keep running" >&2
        exit 1
    fi
}
for who in program reference; do
    echo "Idling the $who window for $idle_seconds s, preview focused..." >&2
    start "${probed[$who]}" $((idle_seconds + 10))
    sleep 3 # start-up over, window shown, the probe's settling second past
    alive "${probed[$who]}"
    measure "$who" "$pid" "$idle_seconds"
    stop "$who"
done
# The caret rests 10 s after the last input; the reference window's blinks for
# ever.
blinking_from=1 blinking_seconds=8 rested_from=15
for who in program reference; do
    echo "Clicking into the red decimal box of the $who window, then idling for" \
        "$((rested_from + idle_seconds)) s (the reference window without its timer)..." >&2
    start "${probed[$who]}" $((rested_from + idle_seconds + 10)) TINTORA_PROBE_FOCUS=box \
        TINTORA_REFERENCE_TIMER=off
    for _ in $(seq 100); do
        grep -q '^box-at' "$work/out" && break
        sleep 0.1
    done
    alive "${probed[$who]}"
    if ! read -r _ x y < <(grep '^box-at' "$work/out"); then
        echo "${probed[$who]} did not say where its box lies" >&2
        exit 1
    fi
    xdotool mousemove "$x" "$y" click 1
    sleep "$blinking_from"
    measure "$who.blinking" "$pid" "$blinking_seconds"
    sleep $((rested_from - blinking_from - blinking_seconds))
    measure "$who.rested" "$pid" "$idle_seconds"
    stop "$who.box"
done

# --- idle: instructions per second -------------------------------------------
echo "Counting instructions over $idle_seconds idle seconds each..." >&2
declare -A idle_instructions idle_paints
for who in program reference; do
    report=$(TINTORA_PROBE_IDLE_MS=$((idle_seconds * 1000)) callgrind "$work/$who.idle" \
        "${probed[$who]}")
    idle_paints[$who]=$(awk '/^idle-ms/ { print $4 }' <<<"$report")
    idle_instructions[$who]=$(($(callgrind_total "$work/$who.idle") / idle_seconds))
done

# --- keystrokes, offscreen -----------------------------------------------------
echo "Counting instructions over $keystrokes keystrokes each..." >&2
# The program's decimal box next to the lone box.
declare -A keystroke_instructions keystroke_target=([program]=program [reference]=lone-box)
for who in program reference; do
    for mode in cascade paint; do
        QT_QPA_PLATFORM=offscreen callgrind "$work/$who.$mode" \
            "$build/bench/keystroke_count" "${keystroke_target[$who]}" "$mode" "$keystrokes" \
            >/dev/null
        keystroke_instructions[$who.$mode]=$(($(callgrind_total "$work/$who.$mode") / keystrokes))
    done
done

# --- the table ------------------------------------------------------------------
millions() { awk -v n="$1" 'BEGIN { printf "%.1f M", n / 1e6 }'; }
thousands() { awk -v n="$1" 'BEGIN { printf "%.1f k", n / 1e3 }'; }
wall_cell() { # MEDIAN MIN MAX in microseconds
    awk -v m="$1" -v lo="$2" -v hi="$3" 'BEGIN { printf "%.1f ms (%.1f–%.1f)", m / 1e3, lo / 1e3, hi / 1e3 }'
}

read -r program_wall program_wall_min program_wall_max < <(median_min_max "$work/program.wall")
read -r reference_wall reference_wall_min reference_wall_max < <(median_min_max "$work/reference.wall")

r_start=$(ratio "${startup_instructions[program]}" "${startup_instructions[reference]}")
r_rss=$(ratio "${peak_rss_kb[program]}" "${peak_rss_kb[reference]}")
r_key=$(ratio "${keystroke_instructions[program.cascade]}" "${keystroke_instructions[reference.cascade]}")

echo
echo "| Measure | Tintora | Reference window | Ratio | Target |"
echo "|---|---:|---:|---:|---|"
echo "| Instructions, exec → end of first paint (callgrind, Xvfb) |" \
    "$(millions "${startup_instructions[program]}") | $(millions "${startup_instructions[reference]}") |" \
    "$r_start | $(verdict "$r_start" 1.15) |"
echo "| Wall time, exec → end of first paint, median (min–max) of $runs (Xvfb) |" \
    "$(wall_cell "$program_wall" "$program_wall_min" "$program_wall_max") |" \
    "$(wall_cell "$reference_wall" "$reference_wall_min" "$reference_wall_max") |" \
    "$(ratio "$program_wall" "$reference_wall") | – |"
echo "| Peak RSS (VmHWM) |" \
    "$(mebibytes "${peak_rss_kb[program]}") | $(mebibytes "${peak_rss_kb[reference]}") |" \
    "$r_rss | $(verdict "$r_rss" 1.10) |"
echo "| Idle, preview focused: wake-ups (context switches) per second, all threads, over $idle_seconds s |" \
    "${switches_per_second[program]} | ${switches_per_second[reference]} | – |" \
    "0: $(awk -v n="${switches_per_second[program]}" 'BEGIN { print (n == 0 ? "holds" : "missed") }') |"
echo "| Idle, preview focused: CPU time per second, over $idle_seconds s |" \
    "${cpu_ms_per_second[program]} ms | ${cpu_ms_per_second[reference]} ms | – | – |"
echo "| Idle, preview focused: instructions per second (callgrind, $idle_seconds s) |" \
    "$(thousands "${idle_instructions[program]}") | $(thousands "${idle_instructions[reference]}") |" \
    "– | – |"
echo "| Idle, preview focused: paint events over those $idle_seconds s | ${idle_paints[program]} |" \
    "${idle_paints[reference]} | – | 0: $([ "${idle_paints[program]}" = 0 ] && echo holds || echo missed) |"
for phase in blinking rested; do
    if [ $phase = blinking ]; then
        when="$blinking_from–$((blinking_from + blinking_seconds)) s after the click (reference: no timer)"
        target=–
    else
        when="$rested_from s after the click"
        target="0: $(awk -v n="${switches_per_second[program.rested]}" \
            'BEGIN { print (n == 0 ? "holds" : "missed") }')"
    fi
    echo "| Idle, red decimal box focused, $when: wake-ups per second |" \
        "${switches_per_second[program.$phase]} | ${switches_per_second[reference.$phase]} |" \
        "$(ratio "${switches_per_second[program.$phase]}" "${switches_per_second[reference.$phase]}") |" \
        "$target |"
    echo "| Idle, red decimal box focused, $when: CPU time per second |" \
        "${cpu_ms_per_second[program.$phase]} ms | ${cpu_ms_per_second[reference.$phase]} ms |" \
        "$(ratio "${cpu_ms_per_second[program.$phase]}" "${cpu_ms_per_second[reference.$phase]}") | – |"
done
echo "| Keystroke in the red decimal box, whole cascade; reference: the lone box, a QLineEdit alone (instructions, offscreen) |" \
    "$(thousands "${keystroke_instructions[program.cascade]}") |" \
    "$(thousands "${keystroke_instructions[reference.cascade]}") | $r_key | $(verdict "$r_key" 2) |"
echo "| The same keystroke and the repaint after it |" \
    "$(thousands "${keystroke_instructions[program.paint]}") |" \
    "$(thousands "${keystroke_instructions[reference.paint]}") |" \
    "$(ratio "${keystroke_instructions[program.paint]}" "${keystroke_instructions[reference.paint]}") | – |"
echo
echo "Wake-ups per second by thread:"
for key in program reference program.blinking reference.blinking program.rested reference.rested; do
    echo "- $key: ${thread_rates[$key]}"
done
echo
echo "Machine: $(nproc) cores, $(awk -F': ' '/^model name/ { print $2; exit }' /proc/cpuinfo)," \
    "$(. /etc/os-release && echo "$PRETTY_NAME"), Qt $(dpkg-query -W -f='${Version}' libqt6core6 2>/dev/null || echo unknown)."

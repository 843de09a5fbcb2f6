#!/usr/bin/env bash
# Resident memory at start of Tintora and of the reference window
# (bench/reference_window.cpp, which leaves everything to Qt), on X11 (a private
# Xvfb), on a compositor that draws window frames (headless sway: Tintora
# leaves it the frame) and on one that does not (headless weston: Qt draws
# it), as a Markdown table. Each figure is the median of RUNS starts taking
# turns, read by the measurement probe 1.5 s after the window's first paint.
#
#   bench/measure-wayland.sh            RUNS=5
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=bench/measuring.sh
. bench/measuring.sh
export LC_ALL=C

runs=${RUNS:-5}
require_tools Xvfb sway weston cmake

echo "Building (release preset)..." >&2
cmake --preset release >/dev/null
cmake --build --preset release --target tintora_startup reference_startup >/dev/null
declare -A probed=([program]=build/release/bench/tintora_startup
    [reference]=build/release/bench/reference_startup)

work=$(mktemp -d)
xvfb_pid=
sessions=()
cleanup() {
    local state
    for state in "${sessions[@]}"; do
        sh tests/wayland/wayland_session.sh stop "$state" 2>/dev/null || true
    done
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT
trap "exit 1" INT TERM

export DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

# resident_kib PROGRAM [LAUNCHER...]: one start, the probe's figure.
resident_kib() {
    local program=$1
    shift
    local report
    report=$(TINTORA_PROBE_IDLE_MS=500 "$@" "$program" 2>/dev/null) ||
        { echo "$program failed to start and paint" >&2; exit 1; }
    awk '/^idle-ms/ { print $6 }' <<<"$report"
}

declare -A kib
# measure SESSION [LAUNCHER...]: both programs, taking turns.
measure() {
    local session=$1 who _
    shift
    for _ in $(seq "$runs"); do
        for who in program reference; do
            resident_kib "${probed[$who]}" "$@" >>"$work/$session-$who"
        done
    done
    for who in program reference; do
        kib[$session-$who]=$(median "$work/$session-$who")
    done
}

echo "X11 (Xvfb)..." >&2
start_private_xvfb "$work"
QT_QPA_PLATFORM=xcb measure x11 env
kill "$xvfb_pid"
wait "$xvfb_pid" 2>/dev/null || true
xvfb_pid=
unset DISPLAY

for compositor in sway weston; do
    echo "Wayland ($compositor, headless)..." >&2
    state=$work/$compositor
    sessions+=("$state")
    sh tests/wayland/wayland_session.sh start "$state" "$compositor" >/dev/null
    measure "$compositor" sh tests/wayland/wayland_session.sh run "$state"
    sh tests/wayland/wayland_session.sh stop "$state"
done

echo "| Resident memory at start, median of $runs | Tintora | Reference window | Tintora ÷ Tintora on X11 | Target |"
echo "|---|---:|---:|---:|---|"
x11=${kib[x11-program]}
echo "| X11 (Xvfb) | $(mebibytes "$x11") | $(mebibytes "${kib[x11-reference]}") | 1.00 | – |"
r=$(ratio "${kib[sway-program]}" "$x11")
echo "| Wayland, sway 1.7 headless: the compositor draws the frames | $(mebibytes "${kib[sway-program]}") |" \
    "$(mebibytes "${kib[sway-reference]}") | $r | $(verdict "$r" 1.15) |"
echo "| Wayland, weston 10 headless: Qt draws the frames | $(mebibytes "${kib[weston-program]}") |" \
    "$(mebibytes "${kib[weston-reference]}") | $(ratio "${kib[weston-program]}" "$x11") | – |"

#!/usr/bin/env bash
# Resident memory at start of Tintora, of Tintora without its frame probe
# (qt/window_frames.h) and of the reference window (bench/reference_window.cpp, which
# leaves everything to Qt), on X11 (a private Xvfb), on a compositor that draws
# window frames (headless sway: Tintora leaves it the frame where that pays)
# and on one that does not (headless weston: Qt draws it), as a Markdown table;
# then who drew each one's frame. Each figure is the median of RUNS starts
# taking turns, read by the measurement probe 1.5 s after the window's first
# paint; the frames are those of the last start: the margins of the frame Qt
# draws (the probe's) and the border sway gives the window (swaymsg -t
# get_tree, polled while it runs).
#
#   bench/measure-wayland.sh            RUNS=5
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=bench/measuring.sh
. bench/measuring.sh
export LC_ALL=C

runs=${RUNS:-5}
require_tools Xvfb sway swaymsg weston python3 cmake

echo "Building (release preset)..." >&2
cmake --preset release >/dev/null
cmake --build --preset release --target tintora_startup reference_startup >/dev/null
declare -A probed=([program]=build/release/bench/tintora_startup
    [unprobed]=build/release/bench/tintora_startup [reference]=build/release/bench/reference_startup)
whos=(program unprobed reference)

work=$(mktemp -d)
xvfb_pid=
sessions=()
cleanup() {
    local state
    for state in "${sessions[@]}"; do
        sh scripts/sessions/wayland_session.sh stop "$state" 2>/dev/null || true
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

# One start, run in the session: the probe's report, and in a sway session
# "border B", the last border sway gave the program's window while it ran.
start_and_watch='
"$1" &
pid=$!
border=
while kill -0 "$pid" 2>/dev/null; do
    if [ -n "${SWAYSOCK:-}" ]; then
        b=$(swaymsg -t get_tree | python3 -c "
import json, sys
stack = [json.load(sys.stdin)]
while stack:
    node = stack.pop()
    if node.get(\"pid\") == int(sys.argv[1]) and \"border\" in node:
        print(node[\"border\"])
    stack += node.get(\"nodes\", []) + node.get(\"floating_nodes\", [])
" "$pid") && [ -n "$b" ] && border=$b
    fi
    sleep 0.2
done
wait "$pid"
[ -z "$border" ] || echo "border $border"'

declare -A kib frame border
# measure SESSION [LAUNCHER...]: the three, taking turns.
measure() {
    local session=$1 who report _
    shift
    for _ in $(seq "$runs"); do
        for who in "${whos[@]}"; do
            # The program leaves a QT_WAYLAND_DISABLE_WINDOWDECORATION the user
            # set as it is, and Qt reads 0 as unset: with 0 it runs as it
            # would without the probe.
            frames_setting=(-u QT_WAYLAND_DISABLE_WINDOWDECORATION)
            [ "$who" != unprobed ] || frames_setting=(QT_WAYLAND_DISABLE_WINDOWDECORATION=0)
            report=$(env "${frames_setting[@]}" TINTORA_PROBE_IDLE_MS=500 \
                "$@" bash -c "$start_and_watch" _ "${probed[$who]}" 2>/dev/null) ||
                { echo "${probed[$who]} failed to start and paint" >&2; exit 1; }
            awk '/^idle-ms/ { print $6 }' <<<"$report" >>"$work/$session-$who"
            frame[$session-$who]=$(awk '/^idle-ms/ { print $8 "," $9 "," $10 "," $11 }' <<<"$report")
            border[$session-$who]=$(awk '/^border/ { print $2 }' <<<"$report")
        done
    done
    for who in "${whos[@]}"; do
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
    sh scripts/sessions/wayland_session.sh start "$state" "$compositor" >/dev/null
    measure "$compositor" sh scripts/sessions/wayland_session.sh run "$state"
    sh scripts/sessions/wayland_session.sh stop "$state"
done

sway_version=$(sway --version | grep -o '[0-9][0-9.]*' | head -n 1)
weston_version=$(weston --version | grep -o '[0-9][0-9.]*' | head -n 1)
declare -A session_name=([x11]="X11 (Xvfb)"
    [sway]="Wayland, sway $sway_version headless: the compositor draws the frames"
    [weston]="Wayland, weston $weston_version headless: Qt draws the frames")
x11=${kib[x11-program]}
echo "| Resident memory at start, median of $runs | Tintora | Tintora without the frame probe |" \
    "Reference window | Tintora ÷ Tintora on X11 | Target |"
echo "|---|---:|---:|---:|---:|---|"
for session in x11 sway weston; do
    r=$(ratio "${kib[$session-program]}" "$x11")
    target=–
    [ "$session" != sway ] || target=$(verdict "$r" 1.15)
    echo "| ${session_name[$session]} | $(mebibytes "${kib[$session-program]}") |" \
        "$(mebibytes "${kib[$session-unprobed]}") | $(mebibytes "${kib[$session-reference]}") | $r | $target |"
done
echo
echo "| Window frame, last start | Tintora | Tintora without the frame probe | Reference window |"
echo "|---|---|---|---|"
cells=()
for who in "${whos[@]}"; do
    cells+=("border ${border[sway-$who]:-?}; Qt's ${frame[sway-$who]}")
done
echo "| sway $sway_version: sway's border (swaymsg -t get_tree); Qt's frame margins, px |" \
    "${cells[0]} | ${cells[1]} | ${cells[2]} |"
echo "| weston $weston_version: Qt's frame margins (left, top, right, bottom), px |" \
    "${frame[weston-program]} | ${frame[weston-unprobed]} | ${frame[weston-reference]} |"

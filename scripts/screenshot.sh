#!/usr/bin/env bash
# Starts Tintora under a virtual X display and saves a screenshot of its window.
#   scripts/screenshot.sh [output.png] [scale]    (scale: QT_SCALE_FACTOR, default 1)
#   scripts/screenshot.sh --windows [output.png]  Tintora.exe under Wine
#   scripts/screenshot.sh --wayland [output.png]  natively on a headless sway, taken with grim
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=bench/measuring.sh
. bench/measuring.sh

# What runs until the script ends: the program, and the session or display it
# runs in (a session is ended through its own script), with its files.
app=
session=
state=
xvfb_pid=
work=
cleanup() {
    if [ -n "$app" ]; then kill "$app" 2>/dev/null || true; fi
    if [ -n "$session" ]; then sh "$session" stop "$state" || true; fi
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    if [ -n "$work" ]; then rm -rf "$work"; fi
}
trap cleanup EXIT
trap "exit 1" INT TERM

# window_id DISPLAY: waits for the Tintora window there and sets $id; then lets
# a few ticks pass, so the preview has turned black.
window_id() {
    for _ in $(seq 100); do
        id=$(DISPLAY=$1 xwininfo -root -tree 2>/dev/null | awk '/"Tintora1.1"/ {print $1; exit}')
        [ -n "$id" ] && break
        sleep 0.1
    done
    [ -n "${id:-}" ] || { echo "the window did not appear" >&2; exit 1; }
    sleep 1
    mkdir -p "$(dirname "$output")"
}

if [ "${1:-}" = --windows ]; then
    output=${2:-docs/screenshot-windows.png}
    exe=build/windows/win32/Tintora.exe
    [ -f "$exe" ] || { cmake --preset windows >/dev/null && cmake --build --preset windows --target tintora_exe; }
    state=$PWD/build/windows/screenshot-wine
    session=scripts/sessions/wine_session.sh
    sh "$session" start "$state" >/dev/null
    sh "$session" run "$state" "$exe" &
    app=$!
    display=$(cat "$state/display")
    window_id "$display"
    # The client area, as in the Linux screenshot: without a window manager
    # Wine draws its own frame (3 px borders) and caption round it.
    DISPLAY=$display import -window "$id" -gravity SouthWest -crop 349x257+3+3 +repage "$output"
    echo "saved $output"
    exit 0
fi

binary=${TINTORA_BINARY:-build/release/qt/tintora}
[ -x "$binary" ] || { cmake --preset release >/dev/null && cmake --build --preset release --target tintora; }

if [ "${1:-}" = --wayland ]; then
    output=${2:-docs/screenshot-wayland.png}
    state=$PWD/build/release/screenshot-wayland
    session=scripts/sessions/wayland_session.sh
    sh "$session" start "$state" >/dev/null
    sh "$session" run "$state" "$binary" &
    app=$!
    # The client area, where the compositor put it (sway adds a title bar).
    area=
    for _ in $(seq 100); do
        area=$(sh "$session" run "$state" swaymsg -t get_tree | python3 -c '
import json, sys
stack = [json.load(sys.stdin)]
while stack:
    node = stack.pop()
    if node.get("app_id") == "org.example.Tintora":
        r, w = node["rect"], node["window_rect"]
        print("%d,%d %dx%d" % (r["x"] + w["x"], r["y"] + w["y"], w["width"], w["height"]))
    stack += node.get("nodes", []) + node.get("floating_nodes", [])')
        [ -n "$area" ] && break
        sleep 0.1
    done
    [ -n "$area" ] || { echo "the window did not appear" >&2; exit 1; }
    sleep 1 # a few ticks, so the preview has turned black
    mkdir -p "$(dirname "$output")"
    sh "$session" run "$state" grim -g "$area" "$output"
    echo "saved $output"
    exit 0
fi

output=${1:-docs/screenshot.png}
scale=${2:-1}

# A private Xvfb on a display number nobody else uses.
work=$(mktemp -d)
start_private_xvfb "$work"
mkdir -m 700 "$work/runtime"

QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale XDG_RUNTIME_DIR=$work/runtime \
    DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent "$binary" &
app=$!
window_id "$DISPLAY"
import -window "$id" "$output"
echo "saved $output"

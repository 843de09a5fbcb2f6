#!/usr/bin/env bash
# The long-run memory check: random user sessions on Tintora's window and, at
# the same time under the same sessions, on the plain mixer (a window of the
# same controls with a plain logic of its own), each in a display of its own,
# with resident memory sampled every 100 actions and the slope after warm-up
# printed at the end (bench/long_run.h has the settings). A benchmark: it
# asserts nothing. Built optimised (the release and windows presets).
#
#   scripts/long-run.sh [x11] [wayland] [wine]    default: all three at once
#
#   MINUTES=30   length of each run (TINTORA_LONG_RUN_MINUTES)
#   OUT=DIR      where the logs go: PLATFORM-program.log, PLATFORM-plain-mixer.log
#                (default: a new folder in the temporary directory, named at the start)
#
# x11: a private Xvfb each; wayland: a headless sway each
# (scripts/sessions/wayland_session.sh); wine: a private Wine session each
# (scripts/sessions/wine_session.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=bench/measuring.sh
. bench/measuring.sh

platforms=("$@")
[ ${#platforms[@]} -gt 0 ] || platforms=(x11 wayland wine)
export TINTORA_LONG_RUN_MINUTES=${MINUTES:-30}
out=${OUT:-$(mktemp -d "${TMPDIR:-/tmp}/tintora-long-run.XXXXXX")}
mkdir -p "$out"
out=$(realpath "$out")

needs_qt=false
needs_wine=false
for platform in "${platforms[@]}"; do
    case $platform in
    x11 | wayland) needs_qt=true ;;
    wine) needs_wine=true ;;
    *)
        echo "unknown platform $platform (x11, wayland, wine)" >&2
        exit 2
        ;;
    esac
done
if $needs_qt; then
    cmake --preset release >/dev/null
    cmake --build --preset release --target qt_long_run >/dev/null
fi
if $needs_wine; then
    cmake --preset windows >/dev/null
    cmake --build --preset windows --target win32_long_run >/dev/null
fi
qt_run=$PWD/build/release/bench/qt_long_run
wine_run=$PWD/build/windows/bench/win32_long_run.exe

# Qt's D-Bus code would otherwise try to launch a session bus.
export DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent

# What to end on exit: the runs and display servers by pid, the sessions by
# their own scripts.
pids=()
wayland_sessions=()
wine_sessions=()
cleanup() {
    local pid state
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    for state in "${wayland_sessions[@]}"; do
        sh scripts/sessions/wayland_session.sh stop "$state" || true
    done
    for state in "${wine_sessions[@]}"; do
        sh scripts/sessions/wine_session.sh stop "$state" || true
    done
}
trap cleanup EXIT
trap "exit 1" INT TERM

runs=()

# run_x11 WHO: a private Xvfb, the Qt run on it.
run_x11() {
    local who=$1
    local work=$out/x11-$who
    rm -rf "$work"
    mkdir -p "$work"
    mkdir -m 700 "$work/runtime"
    start_private_xvfb "$work"
    pids+=("$xvfb_pid")
    XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=xcb \
        "$qt_run" "$who" >"$out/x11-$who.log" 2>&1 &
    runs+=($!)
    pids+=($!)
    unset DISPLAY # the next run gets a display of its own
}

# run_wayland WHO: a headless sway, the Qt run as its client.
run_wayland() {
    local who=$1
    local state=$out/wayland-$who
    wayland_sessions+=("$state")
    sh scripts/sessions/wayland_session.sh start "$state" >/dev/null
    sh scripts/sessions/wayland_session.sh run "$state" "$qt_run" "$who" \
        >"$out/wayland-$who.log" 2>&1 &
    runs+=($!)
    pids+=($!)
}

# run_wine WHO: a private Wine session, the Win32 run in it.
run_wine() {
    local who=$1
    local state=$out/wine-$who
    wine_sessions+=("$state")
    sh scripts/sessions/wine_session.sh start "$state" >/dev/null
    sh scripts/sessions/wine_session.sh run "$state" "$wine_run" "$who" >"$out/wine-$who.log" 2>&1 &
    runs+=($!)
    pids+=($!)
}

for platform in "${platforms[@]}"; do
    for who in program plain-mixer; do
        "run_$platform" "$who"
    done
done
echo "running ${platforms[*]} for $TINTORA_LONG_RUN_MINUTES min; logs in $out" >&2
status=0
for pid in "${runs[@]}"; do
    wait "$pid" || status=1
done
for platform in "${platforms[@]}"; do
    for who in program plain-mixer; do
        echo "== $platform, $who"
        sed -n '/^summary/,$p' "$out/$platform-$who.log"
    done
done
exit $status

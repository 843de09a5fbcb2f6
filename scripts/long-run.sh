#!/usr/bin/env bash
# The long-run memory check: random user sessions on Tintora's window and, at
# the same time under the same sessions, on the floor (a bare window with the
# same controls), each in a display of its own, with resident memory sampled
# every 100 actions and the slope after warm-up printed at the end
# (bench/long_run_sessions.h has the settings). A benchmark: it asserts
# nothing.
#
#   scripts/long-run.sh [x11] [wayland] [wine]    default: all three at once
#
#   MINUTES=30           length of each run (TINTORA_LONG_RUN_MINUTES)
#   OUT=/tmp/mem-runs    where the logs go: PLATFORM-program.log, PLATFORM-floor.log
#   WAYLAND_USER=tintora-mem
#                        sway refuses to run as root: when the script runs as
#                        root, sway and the clients run as this user, which
#                        must exist (useradd -m tintora-mem)
#
# x11: a private Xvfb each; wayland: sway 1.7 headless each (pixman renderer,
# 1024x768); wine: a private Wine session each (tests/win32/wine_session.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

platforms=("$@")
[ ${#platforms[@]} -gt 0 ] || platforms=(x11 wayland wine)
export TINTORA_LONG_RUN_MINUTES=${MINUTES:-30}
out=${OUT:-/tmp/mem-runs}
mkdir -p "$out"
chmod 777 "$out"
wayland_user=${WAYLAND_USER:-tintora-mem}

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
    cmake --preset dev >/dev/null
    cmake --build --preset dev --target long_run_qt >/dev/null
fi
if $needs_wine; then
    cmake --preset windows >/dev/null
    cmake --build --preset windows --target win32_long_run >/dev/null
fi
qt_run=$root/build/dev/bench/long_run_qt
wine_run=$root/build/windows/tests/win32_long_run.exe

# Qt's D-Bus code would otherwise try to launch a session bus.
export DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent

pids=()
cleanups=()
cleanup() {
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    for command in "${cleanups[@]}"; do
        eval "$command" || true
    done
}
trap cleanup EXIT
trap "exit 1" INT TERM

# x11 WHO: a private Xvfb, the Qt run on it.
x11() {
    local who=$1 work=$out/x11-$who
    rm -rf "$work"
    mkdir -p -m 700 "$work/runtime"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -noreset -nolisten tcp 3>"$work/display" \
        2>"$work/xvfb.log" &
    local xvfb=$!
    cleanups+=("kill $xvfb")
    for _ in $(seq 100); do
        [ -s "$work/display" ] && break
        sleep 0.1
    done
    DISPLAY=:$(head -n1 "$work/display") XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=xcb \
        "$qt_run" "$who" >"$out/x11-$who.log" 2>&1 &
    pids+=($!)
}

# The prefix that runs a command as the Wayland user when root. setpriv
# executes the command in place, so a background job's pid is the command's own.
as_user=()
if [ "$(id -u)" = 0 ]; then
    as_user=(setpriv --reuid="$wayland_user" --regid="$wayland_user" --init-groups
        env HOME="$(getent passwd "$wayland_user" | cut -d: -f6)")
fi

# wayland WHO: a headless sway, the Qt run on it.
wayland() {
    local who=$1 work=$out/wayland-$who
    rm -rf "$work"
    mkdir -p "$work"
    mkdir -m 700 "$work/runtime"
    printf 'output HEADLESS-1 resolution 1024x768\n' >"$work/sway.config"
    if [ "$(id -u)" = 0 ]; then
        if ! id "$wayland_user" >/dev/null 2>&1; then
            echo "sway does not run as root: create the user $wayland_user (useradd -m $wayland_user)" >&2
            exit 1
        fi
        chown -R "$wayland_user" "$work"
    fi
    local environment=(env XDG_RUNTIME_DIR="$work/runtime" DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent)
    "${as_user[@]}" "${environment[@]}" WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 \
        WLR_RENDERER=pixman sway -c "$work/sway.config" >"$work/sway.log" 2>&1 &
    cleanups+=("kill $!")
    local socket=
    for _ in $(seq 100); do
        socket=$(cd "$work/runtime" && ls wayland-[0-9] 2>/dev/null | head -n1) || true
        [ -n "$socket" ] && break
        sleep 0.1
    done
    if [ -z "$socket" ]; then
        echo "sway did not start:" >&2
        cat "$work/sway.log" >&2
        exit 1
    fi
    "${as_user[@]}" "${environment[@]}" WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland \
        TINTORA_LONG_RUN_MINUTES="$TINTORA_LONG_RUN_MINUTES" "$qt_run" "$who" \
        >"$out/wayland-$who.log" 2>&1 &
    pids+=($!)
}

# wine WHO: a private Wine session, the Win32 run in it.
wine() {
    local who=$1 state=$out/wine-$who
    sh tests/win32/wine_session.sh start "$state" >/dev/null
    cleanups+=("sh tests/win32/wine_session.sh stop $state")
    sh tests/win32/wine_session.sh run "$state" "$wine_run" "$who" >"$out/wine-$who.log" 2>&1 &
    pids+=($!)
}

for platform in "${platforms[@]}"; do
    for who in program floor; do
        "$platform" "$who"
    done
done
echo "running ${platforms[*]} for $TINTORA_LONG_RUN_MINUTES min; logs in $out" >&2
status=0
for pid in "${pids[@]}"; do
    wait "$pid" || status=1
done
for platform in "${platforms[@]}"; do
    for who in program floor; do
        echo "== $platform, $who"
        sed -n '/^summary/,$p' "$out/$platform-$who.log"
    done
done
exit $status

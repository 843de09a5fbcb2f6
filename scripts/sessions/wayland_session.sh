#!/bin/sh
# A private headless Wayland session for the window tests: sway on its
# headless backend, with its own XDG_RUNTIME_DIR under /tmp, and a seat; or
# weston on its headless backend, which draws no window frames (no
# xdg-decoration) and gives its clients no seat.
#   wayland_session.sh start STATE [sway|weston]    starts the compositor (sway:
#                                            waits for its seat)
#   wayland_session.sh run STATE PROGRAM [ARGS...]   runs PROGRAM as its client
#   wayland_session.sh stop STATE           ends the compositor by its pid
# STATE is a folder in the build tree. sway refuses to run as root, so under
# root either compositor runs as the system's own unprivileged user nobody
# (group nogroup; TINTORA_WAYLAND_USER names another): nothing is created on
# the system for it. Its runtime folder, made private for it, lies outside the
# build tree, which that user need not reach.
# The clients run as the caller, each with a private XDG_RUNTIME_DIR of its own.
set -eu

command=$1
state=$2
shift 2
compositor_user=${TINTORA_WAYLAND_USER:-nobody}

fail() {
    echo "FAILED: $*" >&2
    if [ "$command" = start ]; then
        sh "$0" stop "$state" # no compositor or runtime folder left behind
    fi
    exit 1
}

session_environment() {
    runtime=$(cat "$state/runtime")
    WAYLAND_DISPLAY="$runtime/$(cat "$state/socket")"
    export WAYLAND_DISPLAY
    if [ -f "$state/swaysock" ]; then
        SWAYSOCK="$(cat "$state/swaysock")"
        export SWAYSOCK
    fi
    export XDG_RUNTIME_DIR="$state/client-runtime"
    export QT_QPA_PLATFORM=wayland
    # Nothing may reach an X server or a session bus instead.
    unset DISPLAY
    export DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent
}

as_compositor_user() {
    if [ "$(id -u)" -eq 0 ]; then
        setpriv --reuid="$compositor_user" --regid="$(id -g "$compositor_user")" --clear-groups "$@"
    else
        "$@"
    fi
}

alive() {
    [ -f "$state/compositor.pid" ] && kill -0 "$(cat "$state/compositor.pid")" 2>/dev/null
}

case "$command" in
start)
    compositor=${1:-sway}
    case $compositor in sway | weston) ;; *) fail "no such compositor here: $compositor" ;; esac
    sh "$0" stop "$state" 2>/dev/null || true
    rm -rf "$state"
    mkdir -p "$state/client-runtime"
    chmod 700 "$state/client-runtime"
    command -v "$compositor" >/dev/null ||
        fail "the Wayland compositor $compositor is not installed (scripts/install-deps.sh test)"
    if [ "$(id -u)" -eq 0 ] && ! id "$compositor_user" >/dev/null 2>&1; then
        fail "no user $compositor_user to run the compositor as"
    fi
    runtime=$(mktemp -d /tmp/tintora-wayland.XXXXXX)
    echo "$runtime" >"$state/runtime"
    cat >"$runtime/config" <<'EOF'
output HEADLESS-1 resolution 1024x768 scale 1
EOF
    if [ "$(id -u)" -eq 0 ]; then
        chown -R "$compositor_user:$(id -g "$compositor_user")" "$runtime"
    fi
    chmod 700 "$runtime"
    drop=
    if [ "$(id -u)" -eq 0 ]; then
        drop="setpriv --reuid=$compositor_user --regid=$(id -g "$compositor_user") --clear-groups"
    fi
    if [ "$compositor" = weston ]; then
        # weston's desktop shell, as on a desktop: it places windows and leaves
        # their frames to the clients. ($runtime holds no spaces.)
        # shellcheck disable=SC2086 # $drop is words to split
        setsid $drop env -i PATH="$PATH" HOME=/nonexistent XDG_RUNTIME_DIR="$runtime" \
            weston --backend=headless-backend.so --socket=wayland-1 --idle-time=0 --no-config \
            </dev/null >"$state/compositor.log" 2>&1 &
        echo $! >"$state/compositor.pid"
        for _ in $(seq 100); do
            alive && [ -S "$runtime/wayland-1" ] && break
            sleep 0.1
        done
        if ! alive || [ ! -S "$runtime/wayland-1" ]; then
            tail -n 20 "$state/compositor.log" >&2
            fail "the Wayland compositor (weston, headless) did not start"
        fi
        echo wayland-1 >"$state/socket"
        echo "weston (pid $(cat "$state/compositor.pid"), user $(as_compositor_user id -un)) ready"
        exit 0
    fi
    # No GPU: wlroots renders with pixman. ($runtime holds no spaces.)
    settings="HOME=/nonexistent XDG_RUNTIME_DIR=$runtime XDG_CACHE_HOME=$runtime
        WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman"
    # sway would start, and only warn, on a configuration it cannot read;
    # --validate fails on that, and on a backend that cannot start.
    # shellcheck disable=SC2086 # $drop and $settings are words to split
    $drop env -i PATH="$PATH" $settings sway --validate -c "$runtime/config" \
        >"$state/compositor.log" 2>&1 || {
        cat "$state/compositor.log" >&2
        fail "the Wayland compositor (sway, headless) cannot start: sway --validate fails"
    }
    # The log is opened here, by the caller.
    # shellcheck disable=SC2086
    setsid $drop env -i PATH="$PATH" $settings sway -c "$runtime/config" \
        </dev/null >"$state/compositor.log" 2>&1 &
    echo $! >"$state/compositor.pid"
    socket=
    swaysock=
    for _ in $(seq 100); do
        alive || break
        socket=$(find "$runtime" -maxdepth 1 -name 'wayland-[0-9]' -printf '%f\n' | head -n 1)
        swaysock=$(find "$runtime" -maxdepth 1 -name 'sway-ipc.*.sock' | head -n 1)
        [ -n "$socket" ] && [ -n "$swaysock" ] && break
        sleep 0.1
    done
    if ! alive || [ -z "$socket" ] || [ -z "$swaysock" ]; then
        tail -n 20 "$state/compositor.log" >&2
        fail "the Wayland compositor (sway, headless) did not start; its log is $state/compositor.log"
    fi
    echo "$socket" >"$state/socket"
    echo "$swaysock" >"$state/swaysock"
    session_environment
    seats=$(swaymsg -t get_seats 2>&1) || fail "the compositor does not answer: $seats"
    echo "$seats" | grep -q '"name": "seat0"' ||
        fail "the compositor gives its clients no seat: $seats"
    echo "sway (pid $(cat "$state/compositor.pid"), user $(as_compositor_user id -un)) ready at $WAYLAND_DISPLAY"
    ;;
run)
    session_environment
    exec "$@"
    ;;
stop)
    if [ -f "$state/compositor.pid" ]; then
        pid=$(cat "$state/compositor.pid")
        kill "$pid" 2>/dev/null || true
        for _ in $(seq 50); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -KILL "$pid" 2>/dev/null || true
        rm -f "$state/compositor.pid"
    fi
    if [ -f "$state/runtime" ]; then
        rm -rf "$(cat "$state/runtime")"
        rm -f "$state/runtime"
    fi
    ;;
*)
    echo "usage: $0 start|run|stop STATE [PROGRAM ARGS...]" >&2
    exit 2
    ;;
esac

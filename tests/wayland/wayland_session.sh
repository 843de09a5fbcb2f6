#!/bin/sh
# A private headless Wayland session for the window tests: sway on its
# headless backend, with its own XDG_RUNTIME_DIR under /tmp, and a seat.
#   wayland_session.sh start STATE          starts the compositor, waits for its seat
#   wayland_session.sh run STATE PROGRAM [ARGS...]   runs PROGRAM as its client
#   wayland_session.sh stop STATE           ends the compositor by its pid
# STATE is a folder in the build tree. sway refuses to run as root, so under
# root it runs as the unprivileged user below, made here if missing; its
# runtime folder lies outside the build tree, which that user need not reach.
# The clients run as the caller, each with a private XDG_RUNTIME_DIR of its own.
set -eu

command=$1
state=$2
shift 2
compositor_user=${TINTORA_WAYLAND_USER:-tintora-wayland}

fail() {
    echo "FAILED: $*" >&2
    if [ "$command" = start ]; then
        sh "$0" stop "$state" # no compositor or runtime folder left behind
    fi
    exit 1
}

session_environment() {
    runtime=$(cat "$state/runtime")
    export WAYLAND_DISPLAY="$runtime/$(cat "$state/socket")"
    export SWAYSOCK="$(cat "$state/swaysock")"
    export XDG_RUNTIME_DIR="$state/client-runtime"
    export QT_QPA_PLATFORM=wayland
    # Nothing may reach an X server or a session bus instead.
    unset DISPLAY
    export DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent
}

as_compositor_user() {
    if [ "$(id -u)" -eq 0 ]; then
        setpriv --reuid="$compositor_user" --regid="$compositor_user" --init-groups "$@"
    else
        "$@"
    fi
}

alive() {
    [ -f "$state/sway.pid" ] && kill -0 "$(cat "$state/sway.pid")" 2>/dev/null
}

case "$command" in
start)
    sh "$0" stop "$state" 2>/dev/null || true
    rm -rf "$state"
    mkdir -p "$state/client-runtime"
    chmod 700 "$state/client-runtime"
    command -v sway >/dev/null || fail "the Wayland compositor sway is not installed"
    if [ "$(id -u)" -eq 0 ] && ! id "$compositor_user" >/dev/null 2>&1; then
        useradd --system --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin \
            "$compositor_user" || fail "could not create the compositor's user $compositor_user"
    fi
    runtime=$(mktemp -d /tmp/tintora-wayland.XXXXXX)
    echo "$runtime" >"$state/runtime"
    cat >"$runtime/config" <<'EOF'
output HEADLESS-1 resolution 1024x768 scale 1
EOF
    if [ "$(id -u)" -eq 0 ]; then
        chown -R "$compositor_user:" "$runtime"
    fi
    chmod 700 "$runtime"
    drop=
    if [ "$(id -u)" -eq 0 ]; then
        drop="setpriv --reuid=$compositor_user --regid=$compositor_user --init-groups"
    fi
    # No GPU: wlroots renders with pixman. ($runtime holds no spaces.)
    settings="HOME=/nonexistent XDG_RUNTIME_DIR=$runtime XDG_CACHE_HOME=$runtime
        WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman"
    # sway would start, and only warn, on a configuration it cannot read;
    # --validate fails on that, and on a backend that cannot start.
    # shellcheck disable=SC2086 # $drop and $settings are words to split
    $drop env -i PATH="$PATH" $settings sway --validate -c "$runtime/config" \
        >"$state/sway.log" 2>&1 || {
        cat "$state/sway.log" >&2
        fail "the Wayland compositor (sway, headless) cannot start: sway --validate fails"
    }
    # The log is opened here, by the caller.
    # shellcheck disable=SC2086
    setsid $drop env -i PATH="$PATH" $settings sway -c "$runtime/config" \
        </dev/null >"$state/sway.log" 2>&1 &
    echo $! >"$state/sway.pid"
    socket=
    swaysock=
    for _ in $(seq 100); do
        alive || break
        socket=$(cd "$runtime" && ls wayland-[0-9] 2>/dev/null | head -n 1) || true
        swaysock=$(ls "$runtime"/sway-ipc.*.sock 2>/dev/null | head -n 1) || true
        [ -n "$socket" ] && [ -n "$swaysock" ] && break
        sleep 0.1
    done
    if ! alive || [ -z "$socket" ] || [ -z "$swaysock" ]; then
        tail -n 20 "$state/sway.log" >&2
        fail "the Wayland compositor (sway, headless) did not start; its log is $state/sway.log"
    fi
    echo "$socket" >"$state/socket"
    echo "$swaysock" >"$state/swaysock"
    session_environment
    seats=$(swaymsg -t get_seats 2>&1) || fail "the compositor does not answer: $seats"
    echo "$seats" | grep -q '"name": "seat0"' ||
        fail "the compositor gives its clients no seat: $seats"
    echo "sway (pid $(cat "$state/sway.pid"), user $(as_compositor_user id -un)) ready at $WAYLAND_DISPLAY"
    ;;
run)
    session_environment
    exec "$@"
    ;;
stop)
    if [ -f "$state/sway.pid" ]; then
        pid=$(cat "$state/sway.pid")
        kill "$pid" 2>/dev/null || true
        for _ in $(seq 50); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -KILL "$pid" 2>/dev/null || true
        rm -f "$state/sway.pid"
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

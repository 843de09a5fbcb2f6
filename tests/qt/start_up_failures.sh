#!/usr/bin/env bash
# Where Qt cannot start a platform, the program ends with exit code 1 rather
# than aborting: Qt's own warnings first, then one line of its own, the last,
# naming what failed and what to do, and nothing anywhere advising a reinstall.
#   start_up_failures.sh TINTORA
set -euo pipefail
program=$1
work=$(mktemp -d)
xvfb=
# shellcheck disable=SC2317 # run by the trap
cleanup() {
    if [ -n "$xvfb" ]; then
        kill "$xvfb" 2>/dev/null || true
        wait "$xvfb" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT
trap "exit 1" INT TERM # a ctest time-out stops the Xvfb too
# A private runtime folder, so that no compositor of this machine's answers as wayland-0.
mkdir -m 700 "$work/runtime"
status=0

# expect_refusal WHAT SUMMARY FORBIDDEN [VARIABLE=VALUE...]: runs the program
# with no display or platform variable but those given. SUMMARY must match the
# last line, FORBIDDEN no line (extended regular expressions).
expect_refusal() {
    local what=$1 summary=$2 forbidden=$3 output code=0
    shift 3
    output=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE \
        XDG_RUNTIME_DIR="$work/runtime" DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent \
        "$@" "$program" 2>&1 </dev/null) || code=$?
    if [ "$code" -eq 1 ] && [ "$(printf '%s\n' "$output" | wc -l)" -ge 2 ] &&
        printf '%s\n' "$output" | tail -n 1 | grep -Eq "^tintora: cannot start with .*$summary" &&
        ! printf '%s\n' "$output" | grep -Eiq "reinstall|$forbidden"; then
        echo "ok: $what"
    else
        echo "FAILED: $what: exit $code, saying:"
        printf '%s\n' "$output"
        status=1
    fi
}

expect_refusal "neither DISPLAY nor WAYLAND_DISPLAY set" \
    '[^_]DISPLAY is not set.*; start tintora inside a desktop session' 'X display ".*"'

gone=79
while [ -e "/tmp/.X$gone-lock" ]; do gone=$((gone + 1)); done
expect_refusal "DISPLAY naming an X server that is gone" \
    "X display \":$gone\" named by DISPLAY cannot be reached" 'Wayland display' DISPLAY=":$gone"

expect_refusal "a platform plugin that does not exist" \
    '"nosuchplatform" is not installed \(installed: [^)]*\<xcb\>[^)]*\); unset QT_QPA_PLATFORM' \
    'X display|Wayland display' QT_QPA_PLATFORM=nosuchplatform

# QT_QPA_PLATFORM=wayland with no compositor, while an X display works: the
# Wayland display is the one to name, and the X display a way out.
if ! command -v Xvfb >/dev/null; then
    echo "FAILED: Xvfb is not installed (scripts/install-deps.sh test installs it)"
    exit 1
fi
Xvfb -displayfd 3 -noreset -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
while [ ! -s "$work/display" ] && kill -0 "$xvfb" 2>/dev/null; do
    sleep 0.1
done
if [ ! -s "$work/display" ]; then
    echo "FAILED: Xvfb did not start:"
    cat "$work/xvfb.log"
    exit 1
fi
x=":$(head -n 1 "$work/display")"
expect_refusal "QT_QPA_PLATFORM=wayland with no compositor, an X display reachable" \
    "Wayland display \"wayland-0\" .*; .*X display \"$x\" named by DISPLAY\$" \
    'X display [^;]*cannot be reached' QT_QPA_PLATFORM=wayland DISPLAY="$x"
exit "$status"

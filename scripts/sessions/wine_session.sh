#!/bin/sh
# A private Wine session for the Windows tests: an Xvfb display and a
# throwaway WINEPREFIX, both kept under STATE (a folder in the build tree).
#   wine_session.sh start STATE          new prefix, Wine's first start, display
#   wine_session.sh run STATE PROGRAM [ARGS...]   runs PROGRAM under Wine there
#   wine_session.sh stop STATE           ends the Wine server and the display
set -eu

command=$1
state=$2
shift 2
wine=${TINTORA_WINE:-/usr/lib/wine/wine64}
wineserver=${TINTORA_WINESERVER:-/usr/lib/wine/wineserver}

session_environment() {
    export WINEPREFIX="$state/prefix"
    export WINEDEBUG=-all
    # No prompts to download Mono or Gecko; nothing here needs them. No menu
    # entries on this machine's desktop for the shortcuts an installer makes.
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    DISPLAY="$(cat "$state/display")"
    export DISPLAY
    # The Chinese locale, where built, gives the notice its "确定" button.
    if locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
        export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
    fi
}

case "$command" in
start)
    sh "$0" stop "$state" 2>/dev/null || true
    rm -rf "$state"
    mkdir -p "$state"
    # Xvfb takes the first display number nobody holds, under its own lock,
    # so that sessions started at the same moment never share one.
    setsid Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset \
        3>"$state/display-number" </dev/null >"$state/xvfb.log" 2>&1 &
    echo $! >"$state/xvfb.pid"
    for _ in $(seq 100); do
        [ -s "$state/display-number" ] && break
        sleep 0.1
    done
    [ -s "$state/display-number" ] || { cat "$state/xvfb.log" >&2; echo "Xvfb did not start" >&2; exit 1; }
    echo ":$(head -n 1 "$state/display-number")" >"$state/display"
    session_environment
    for _ in $(seq 100); do
        xdpyinfo >/dev/null 2>&1 && break
        sleep 0.1
    done
    xdpyinfo >/dev/null 2>&1 || { echo "Xvfb did not start on $DISPLAY" >&2; exit 1; }
    # Wine's first start in a new prefix takes some seconds; the tests then share it.
    "$wine" wineboot --init </dev/null >"$state/wineboot.log" 2>&1 || true
    # Without a window manager on the display, Wine waits for one on every
    # window it shows or hides; unmanaged windows it places itself at once.
    unmanaged() {
        "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f \
            </dev/null >>"$state/wineboot.log" 2>&1
    }
    # Once more after the first start has settled, should the registry not
    # have taken it the first time.
    unmanaged || { "$wineserver" -w && unmanaged; } || {
        tail -n 20 "$state/wineboot.log" >&2
        echo "Wine's registry did not take the unmanaged-window setting" >&2
        exit 1
    }
    "$wineserver" -w
    [ -f "$WINEPREFIX/system.reg" ] || { cat "$state/wineboot.log" >&2; exit 1; }
    echo "Wine prefix $WINEPREFIX ready on display $DISPLAY"
    ;;
run)
    session_environment
    exec "$wine" "$@"
    ;;
stop)
    if [ -f "$state/display" ]; then
        session_environment
        "$wineserver" -k 2>/dev/null || true
    fi
    if [ -f "$state/xvfb.pid" ]; then
        kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
        rm -f "$state/xvfb.pid"
    fi
    ;;
*)
    echo "usage: $0 start|run|stop STATE [PROGRAM ARGS...]" >&2
    exit 2
    ;;
esac

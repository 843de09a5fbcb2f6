#!/usr/bin/env bash
# The differential across the realisations for longer than CI plays it: each
# window plays SESSIONS seeded user sessions of 50 actions and is compared
# with the in-memory window after every action. A difference ends that run
# with the seed and the shortest list of actions found that shows it.
#
#   scripts/differential.sh [SESSIONS] [offscreen] [wayland] [wine]
#                                        default: 5000 sessions, all three
#   FIRST=S   starts at seed S (default 1), to go on where an earlier run ended
#
# offscreen: the Qt window on Qt's offscreen platform; wayland: the Qt window
# on a headless sway (scripts/sessions/wayland_session.sh); wine: the Win32
# window under Wine (scripts/sessions/wine_session.sh). Ends with "N passed, N
# failed" and exits non-zero when a window differed.
set -euo pipefail
cd "$(dirname "$0")/.."

sessions=5000
if [[ ${1:-} =~ ^[0-9]+$ ]]; then
    sessions=$1
    shift
fi
runs=("$@")
[ ${#runs[@]} -gt 0 ] || runs=(offscreen wayland wine)
for run in "${runs[@]}"; do
    case $run in
    offscreen | wayland | wine) ;;
    *)
        echo "usage: $0 [SESSIONS] [offscreen] [wayland] [wine]" >&2
        exit 2
        ;;
    esac
done
first=${FIRST:-1}

scripts/install-deps.sh test
cmake --preset ci >/dev/null
cmake --build --preset ci --target qt_differential_test
if [[ " ${runs[*]} " == *" wine "* ]]; then
    cmake --preset windows >/dev/null
    cmake --build --preset windows --target win32_differential_test
fi

state=$(mktemp -d "${TMPDIR:-/tmp}/tintora-differential.XXXXXX")
started=()
cleanup() {
    local session
    for session in "${started[@]}"; do
        sh "$session" stop "$state/${session##*/}.state" >/dev/null 2>&1 || true
    done
    rm -rf "$state"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# play RUN COMMAND...: one run of all the sessions, from the first seed on.
passed=0
failed=0
play() {
    local run=$1 from=$first
    shift
    echo "== $run: $sessions sessions from seed $from"
    local started_at=$SECONDS
    if TINTORA_DIFFERENTIAL_SESSIONS=$sessions TINTORA_DIFFERENTIAL_FIRST_SEED=$from "$@"; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
    fi
    echo "== $run: $((SECONDS - started_at)) s"
}

qt_test=$PWD/build/ci/tests/qt_differential_test
for run in "${runs[@]}"; do
    case $run in
    offscreen)
        play offscreen env QT_QPA_PLATFORM=offscreen "$qt_test"
        ;;
    wayland)
        session=$PWD/scripts/sessions/wayland_session.sh
        started+=("$session")
        sh "$session" start "$state/${session##*/}.state"
        play wayland sh "$session" run "$state/${session##*/}.state" "$qt_test"
        ;;
    wine)
        session=$PWD/scripts/sessions/wine_session.sh
        started+=("$session")
        sh "$session" start "$state/${session##*/}.state"
        play wine env -C build/windows/tests \
            sh "$session" run "$state/${session##*/}.state" ./win32_differential_test.exe
        ;;
    esac
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]

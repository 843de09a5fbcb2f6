#!/usr/bin/env bash
# Measures Tintora.exe next to the Win32 reference window
# (bench/win32_reference_window.cpp, ReferenceWindow.exe: the same controls,
# manifest and static runtime) under Wine, on a private Xvfb with one Wine
# server kept running, and prints a Markdown table:
#   - wall time from exec to the window being mapped on the X server, watched
#     from outside (bench/launch_watch.c): median, min and max of RUNS starts
#     taking turns, after one warm-up start each;
#   - resident memory 1 s after the map (median);
#   - the process's context switches, all threads, over IDLE_SECONDS after that;
#   - the size of each .exe.
#
#   bench/measure-windows.sh            RUNS=15 IDLE_SECONDS=5 PROGRAM_EXE=build/windows/win32/Tintora.exe
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=bench/measuring.sh
. bench/measuring.sh
export LC_ALL=C

runs=${RUNS:-15}
idle_seconds=${IDLE_SECONDS:-5}
require_tools Xvfb xdpyinfo cc cmake /usr/lib/wine/wine64 /usr/lib/wine/wineserver

echo "Building (windows preset)..." >&2
cmake --preset windows >/dev/null
cmake --build --preset windows --target tintora_exe win32_reference_window_exe >/dev/null
# PROGRAM_EXE puts another build of the program in Tintora.exe's place.
declare -A exe=([program]=${PROGRAM_EXE:-build/windows/win32/Tintora.exe}
    [reference]=build/windows/bench/ReferenceWindow.exe)

work=$(mktemp -d)
state=$work/wine
cleanup() {
    sh scripts/sessions/wine_session.sh stop "$state" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
trap "exit 1" INT TERM

cc -O2 -o "$work/launch_watch" bench/launch_watch.c -lX11
echo "Starting a Wine session..." >&2
sh scripts/sessions/wine_session.sh start "$state" >/dev/null
# One server for every start, as on a desktop where Wine already runs.
WINEPREFIX=$state/prefix /usr/lib/wine/wineserver -p
export DISPLAY
DISPLAY=$(cat "$state/display")

# watch WHO: one start, the launch_watch line.
watch() {
    "$work/launch_watch" Tintora1.1 1000 $((idle_seconds * 1000)) -- \
        sh scripts/sessions/wine_session.sh run "$state" "${exe[$1]}"
}

echo "Timing $runs starts each, taking turns..." >&2
for who in program reference; do
    watch "$who" >/dev/null # warm-up: the first start reads everything from disk
done
for round in $(seq "$runs"); do
    order=(program reference)
    if [ $((round % 2)) -eq 0 ]; then
        order=(reference program)
    fi
    for who in "${order[@]}"; do
        line=$(watch "$who")
        case $line in *exit=0*) ;; *) echo "$who did not end cleanly: $line" >&2; exit 1 ;; esac
        for field in map_ms resident_kib idle_switches; do
            sed -n "s/.*$field=\([0-9.-]*\).*/\1/p" <<<"$line" >>"$work/$who.$field"
        done
    done
done

spread() { median_min_max "$1" | awk '{ printf "%.1f–%.1f", $2, $3 }'; }

declare -A map rss idle size
for who in program reference; do
    map[$who]=$(median "$work/$who.map_ms" | awk '{ printf "%.1f", $1 }')
    rss[$who]=$(median "$work/$who.resident_kib")
    idle[$who]=$(awk -v s="$(median "$work/$who.idle_switches")" -v t="$idle_seconds" \
        'BEGIN { if (t > 0) printf "%.1f", s / t; else printf "–" }')
    size[$who]=$(stat -c %s "${exe[$who]}")
done

r_map=$(ratio "${map[program]}" "${map[reference]}")
r_rss=$(ratio "${rss[program]}" "${rss[reference]}")
echo "| Measure (Wine $(/usr/lib/wine/wine64 --version 2>/dev/null | sed 's/^wine-//'), Xvfb) | Tintora.exe | ReferenceWindow.exe | Ratio | Target |"
echo "|---|---:|---:|---:|---|"
echo "| exec → window mapped, median (min–max) of $runs | ${map[program]} ms ($(spread "$work/program.map_ms")) |" \
    "${map[reference]} ms ($(spread "$work/reference.map_ms")) | $r_map | $(verdict "$r_map" 1.10) |"
echo "| Resident memory 1 s after the map, median | $(mebibytes "${rss[program]}") |" \
    "$(mebibytes "${rss[reference]}") | $r_rss | $(verdict "$r_rss" 1.10) |"
echo "| Idle: wake-ups (context switches) per second, all threads, over $idle_seconds s, median |" \
    "${idle[program]} | ${idle[reference]} | – | – |"
echo "| Size of the .exe (static, stripped) | $(awk -v b="${size[program]}" 'BEGIN { printf "%.0f KiB", b / 1024 }') |" \
    "$(awk -v b="${size[reference]}" 'BEGIN { printf "%.0f KiB", b / 1024 }') | $(ratio "${size[program]}" "${size[reference]}") | – |"

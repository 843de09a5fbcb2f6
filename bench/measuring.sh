# Sourced by the measuring scripts (bash).

# require_tools TOOL...: each on PATH (or a path that runs), or a message
# naming the first missing one and exit 1.
require_tools() {
    local tool
    for tool in "$@"; do
        if ! command -v "$tool" >/dev/null; then
            echo "$tool is missing: run scripts/install-deps.sh test" >&2
            exit 1
        fi
    done
}

# start_private_xvfb WORK: an Xvfb of its own on a free display number, its
# files in WORK; exports DISPLAY and sets xvfb_pid, which the caller ends.
# -noreset: the server must survive each program closing its last connection.
start_private_xvfb() {
    local work=$1
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -noreset -nolisten tcp 3>"$work/display" \
        2>"$work/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$work/display" ] && break
        sleep 0.1
    done
    if [ ! -s "$work/display" ]; then
        echo "Xvfb did not start:" >&2
        cat "$work/xvfb.log" >&2
        exit 1
    fi
    DISPLAY=:$(head -n1 "$work/display")
    export DISPLAY
}

# median_min_max FILE: "MEDIAN MIN MAX" of the numbers in FILE, one a line.
median_min_max() {
    sort -n "$1" | awk '{ v[NR] = $1 } END {
        m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
        print m, v[1], v[NR] }'
}

# median FILE: the first of those.
median() { median_min_max "$1" | awk '{ print $1 }'; }

# The table's cells.
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b == 0) print "–"; else printf "%.2f", a / b }'; }
verdict() { # RATIO LIMIT
    awk -v r="$1" -v l="$2" 'BEGIN { printf "≤ %s: %s", l, (r <= l ? "holds" : "missed") }'
}
mebibytes() { awk -v n="$1" 'BEGIN { printf "%.1f MiB", n / 1024 }'; }

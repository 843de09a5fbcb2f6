# Sourced by the measuring scripts (bash).
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

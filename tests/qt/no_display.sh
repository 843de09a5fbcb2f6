#!/bin/sh
# Started where no display can be reached, the program says so in one line
# and ends with exit code 1, rather than aborting.
#   no_display.sh TINTORA
set -u
program=$1
status=0

# expect_refusal WHAT [VARIABLE=VALUE...]: runs the program without any
# display variable but those given.
expect_refusal() {
    what=$1
    shift
    output=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" "$program" 2>&1 </dev/null)
    code=$?
    if [ "$code" -eq 1 ] && [ "$(printf '%s\n' "$output" | wc -l)" -eq 1 ] &&
        printf '%s\n' "$output" | grep -q '^tintora: cannot start: no display'; then
        echo "ok: $what"
    else
        echo "FAILED: $what: exit $code, saying:"
        printf '%s\n' "$output"
        status=1
    fi
}

expect_refusal "neither DISPLAY nor WAYLAND_DISPLAY set"
expect_refusal "DISPLAY naming an X server that is gone" DISPLAY=:79
exit $status

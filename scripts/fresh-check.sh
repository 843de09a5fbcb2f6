#!/usr/bin/env bash
# Runs the README's two commands as a new user would: on a minimal Debian 12
# root made with mmdebstrap from this machine's own apt sources, in the source
# tarball of the committed state (HEAD, not the working tree) as users
# download it, unpacked there. The tarball is made twice, under another
# umask, time zone and locale, and must come out the same.
#   scripts/fresh-check.sh            scripts/run.sh, then scripts/test.sh
#   scripts/fresh-check.sh test       scripts/test.sh alone
#   scripts/fresh-check.sh run        scripts/run.sh alone
# Needs root (re-runs itself through sudo otherwise). Only the bare bootstrap
# tarball is kept between runs, in /var/cache/tintora/; everything the
# project's scripts install or build is made anew in each root.
# Ends with "N passed, N failed"; exits non-zero when a command failed or the
# root could not be made.
set -euo pipefail

sources=/etc/apt/sources.list.d/debian.sources
cache=/var/cache/tintora
bootstrap=(mmdebstrap --variant=apt --format=tar --include=ca-certificates,git bookworm)
# How long the program must stay up once started, and how long scripts/run.sh
# may take to install and build before it starts the program.
stay_up=${TINTORA_FRESH_STAY_UP:-10}
start_timeout=${TINTORA_FRESH_START_TIMEOUT:-1800}

commands=()
root=
logs=
app=
source_dir=

stamp() { echo "[fresh-check $(date +%T)] $*"; }

give_up() {
    stamp "FAILED: $*"
    echo "0 passed, ${#commands[@]} failed"
    exit 1
}

# The tarball is named after everything that shapes it, and is remade once a
# week so that the root stays close to the archive's current state.
make_bootstrap_tarball() {
    local key
    key=$( (echo "${bootstrap[*]}"; mmdebstrap --version; cat "$sources") | sha256sum | cut -c1-16)
    tarball=$cache/bookworm-$key.tar
    mkdir -p "$cache"
    (
        flock 9
        find "$cache" -maxdepth 1 -name 'bookworm-*.tar' \( ! -name "${tarball##*/}" -o -mtime +6 \) -delete
        if [ ! -s "$tarball" ]; then
            stamp "making the bootstrap tarball $tarball"
            local started=$SECONDS
            rm -rf "$tarball.part"
            "${bootstrap[@]}" --quiet "$tarball.part" "$sources" </dev/null || exit 1
            mv "$tarball.part" "$tarball" || exit 1
            stamp "bootstrap tarball made in $((SECONDS - started)) s"
        fi
    ) 9>"$cache/lock"
}

mounted_under_root() {
    awk -v root="$root/" 'index($5 "/", root) == 1 {found = 1} END {exit !found}' /proc/self/mountinfo
}

cleanup() {
    local status=$?
    trap - EXIT INT TERM
    if [ -n "$app" ]; then
        kill "$app" 2>/dev/null || true
    fi
    if [ -n "$root" ]; then
        # Whatever still runs inside the root was started from here (the
        # build, a test's display server): end it by pid before unmounting.
        local pid mount
        for pid in /proc/[0-9]*; do
            if [ "$(readlink "$pid/root" 2>/dev/null)" = "$root" ]; then
                kill -KILL "${pid#/proc/}" 2>/dev/null || true
            fi
        done
        rm -rf "$root.tarball"
        for mount in dev sys proc; do
            umount -l "$root/$mount" 2>/dev/null || true
        done
        if mounted_under_root; then
            echo "fresh-check: something is still mounted under $root; left in place" >&2
        else
            rm -rf --one-file-system "$root"
        fi
        # Logs stay when they tell of a failure; main names them before its
        # closing line, and an interrupted run names them here.
        if [ -d "$logs" ] && ! rmdir "$logs" 2>/dev/null && [ "$status" -ge 128 ]; then
            echo "fresh-check: interrupted; logs kept in $logs"
        fi
    fi
    exit "$status"
}

make_root() {
    root=$(mktemp -d "${TMPDIR:-/var/tmp}/tintora-fresh.XXXXXX") || { root=; return 1; }
    trap cleanup EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM
    stamp "unpacking the root into $root"
    local started=$SECONDS
    logs=$root.logs
    mkdir -p "$logs" &&
        chmod 755 "$root" && # a root directory as any system has it
        tar -C "$root" -xf "$tarball" &&
        cp /etc/resolv.conf "$root/etc/resolv.conf" &&
        mount -t proc proc "$root/proc" &&
        mount --rbind /sys "$root/sys" && mount --make-rslave "$root/sys" &&
        mount --rbind /dev "$root/dev" && mount --make-rslave "$root/dev" ||
        return 1
    # /dev came with its submounts: /dev/pts, and /dev/shm for display servers.
    stamp "root ready in $((SECONDS - started)) s"
}

# Runs a command in the root with the bare environment of a new login. It
# execs, so a command started in the background keeps the pid it was given.
in_root() {
    exec chroot "$root" /usr/bin/env -i HOME=/root \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 "$@"
}

# The source tarball of HEAD, unpacked with the root's own tar into /root.
unpack_source_tarball() {
    local made=$root.tarball tarball second
    tarball=$(scripts/source-tarball.sh "$made/a") &&
        second=$(umask 077 && TZ=UTC+12 LC_ALL=C scripts/source-tarball.sh "$made/b") || return 1
    if ! cmp -s "$tarball" "$second"; then
        stamp "the source tarball came out different when made again"
        return 1
    fi
    stamp "source tarball ${tarball##*/}: made twice, identical, sha256 $(sha256sum "$tarball" | cut -d' ' -f1)"
    cp "$tarball" "$root/tmp/" &&
        (in_root tar -xzf "/tmp/${tarball##*/}" -C /root) &&
        rm -rf "$root/tmp/${tarball##*/}" "$made" || return 1
    source_dir=/root/$(basename "$tarball" .tar.gz)
    [ -x "$root$source_dir/scripts/test.sh" ]
}

# program_ended LOG MESSAGE: if the started program is no longer running,
# shows the end of its log and MESSAGE with its exit status, and succeeds.
program_ended() {
    local status
    kill -0 "$app" 2>/dev/null && return 1
    wait "$app" && status=0 || status=$?
    app=
    tail -n 30 "$1"
    stamp "$2 (exit $status)"
}

check_run() {
    local log=$logs/run.log started=$SECONDS
    stamp "scripts/run.sh (offscreen): log in $log"
    in_root QT_QPA_PLATFORM=offscreen bash -c "cd $source_dir && exec scripts/run.sh" \
        >"$log" 2>&1 </dev/null &
    app=$!
    # run.sh installs and builds, then execs the program in the same process.
    while kill -0 "$app" 2>/dev/null; do
        case "$(readlink "/proc/$app/exe" 2>/dev/null)" in
        */build/app/qt/tintora) break ;;
        esac
        if [ $((SECONDS - started)) -ge "$start_timeout" ]; then
            stamp "scripts/run.sh did not start the program within $start_timeout s"
            tail -n 30 "$log"
            return 1
        fi
        sleep 1
    done
    if program_ended "$log" "scripts/run.sh ended before the program was up"; then
        return 1
    fi
    stamp "the program started after $((SECONDS - started)) s"
    sleep "$stay_up"
    if program_ended "$log" "the program ended within $stay_up s of starting"; then
        return 1
    fi
    kill "$app"
    wait "$app" || true
    app=
    stamp "the program was still up after $stay_up s; ended it"
}

check_test() {
    local log=$logs/test.log started=$SECONDS status=0
    stamp "scripts/test.sh: log in $log"
    in_root bash -c "cd $source_dir && exec scripts/test.sh" </dev/null 2>&1 | tee "$log" ||
        status=$?
    stamp "scripts/test.sh exit $status after $((SECONDS - started)) s"
    return "$status"
}

main() {
    commands=("$@")
    if [ ${#commands[@]} -eq 0 ]; then
        commands=(run test)
    fi
    local command
    for command in "${commands[@]}"; do
        case "$command" in
        run | test) ;;
        *) echo "usage: $0 [run] [test]" >&2; exit 2 ;;
        esac
    done
    if [ "$(id -u)" -ne 0 ]; then
        exec sudo -- "$0" "$@"
    fi
    cd "$(dirname "$0")/.."

    commit=$(git rev-parse HEAD) || give_up "this is not a git clone"
    [ -r "$sources" ] || give_up "no apt sources at $sources"
    # mmdebstrap makes the root; cmake reads the version the tarball is named after.
    local tool
    for tool in mmdebstrap cmake; do
        if ! command -v "$tool" >/dev/null; then
            stamp "installing $tool"
            DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$tool" \
                </dev/null || give_up "could not install $tool"
        fi
    done
    make_bootstrap_tarball || give_up "could not make the Debian 12 root with mmdebstrap (see above)"
    make_root || give_up "could not unpack and mount the Debian 12 root (see above)"
    unpack_source_tarball || give_up "could not make the source tarball of $commit or unpack it into the root"
    stamp "unpacked the source of $commit into $source_dir"

    local passed=0 failed=0
    for command in "${commands[@]}"; do
        if "check_$command"; then
            passed=$((passed + 1))
        else
            failed=$((failed + 1))
            stamp "FAILED: scripts/$command.sh on a fresh Debian 12 root"
        fi
    done
    if [ "$failed" -eq 0 ]; then
        rm -rf "$logs"
    else
        stamp "logs kept in $logs"
    fi
    echo "$passed passed, $failed failed"
    [ "$failed" -eq 0 ]
}

# The whole file is read before main runs, so editing it meanwhile is safe.
main "$@"

#!/usr/bin/env bash
# Runs the README's two commands as a new user would: on a minimal Debian 12
# or 13 root made with mmdebstrap from this machine's own apt sources (only
# the release's name changed), in the source tarball of the committed state
# (HEAD, not the working tree) as users download it, unpacked there. The
# tarball is made twice, under another umask, time zone and locale, and must
# come out the same.
#   scripts/fresh-check.sh [--release 12|13] [--deb FILE] [--save-deb DIR] [run] [test] [deb]
#     run     scripts/run.sh (offscreen): the program must start and stay up
#     test    scripts/test.sh; then prints what the root tested with
#             (scripts/tested-with.sh)
#     deb     on a second fresh root of the release: `apt-get install ./FILE`
#             as a user installs the .deb, tintora started under Xvfb must map
#             its window and stay up, `apt-get purge tintora` must leave nothing
#             of it. FILE is --deb's; without --deb, the .deb is built first on
#             this check's Debian 12 root as scripts/release.sh builds the
#             published one (scripts/build-downloads.sh in the source tarball),
#             and --save-deb keeps a copy of it in DIR.
#     Without a command: run, then test. The deb check runs last.
#   --release     the Debian release: 12 (bookworm, the default) or 13 (trixie)
# Needs root (re-runs itself through sudo otherwise). Only the bare bootstrap
# tarball of each release is kept between runs, in /var/cache/tintora/;
# everything the project's scripts install or build is made anew in each root.
# Ends with "N passed, N failed"; exits non-zero when a check failed or a root
# could not be made.
set -euo pipefail

host_sources=/etc/apt/sources.list.d/debian.sources
cache=/var/cache/tintora
# How long the program must stay up once started, and how long scripts/run.sh
# may take to install and build before it starts the program.
stay_up=${TINTORA_FRESH_STAY_UP:-10}
start_timeout=${TINTORA_FRESH_START_TIMEOUT:-1800}

release=12
codename=
deb=
save_deb=
commands=()
work=
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

usage() {
    echo "usage: $0 [--release 12|13] [--deb FILE] [--save-deb DIR] [run] [test] [deb]" >&2
    exit 2
}

# The release's own apt sources: this machine's, with its release's name in
# the Suites lines (bookworm-updates, bookworm-security...) replaced.
write_sources() {
    local host_codename
    # shellcheck source=/dev/null # the host's own
    host_codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
    [ -n "$host_codename" ] && grep -q "^Suites:.*\b$host_codename\b" "$host_sources" || return 1
    sources=$cache/$codename.sources
    sed -E "/^Suites:/s/\b$host_codename\b/$codename/g" "$host_sources" >"$sources.part" &&
        mv "$sources.part" "$sources"
}

# The tarball is named after everything that shapes it, and is remade once a
# week so that the root stays close to the archive's current state.
make_bootstrap_tarball() {
    # shellcheck disable=SC2054 # the comma is mmdebstrap's list, one argument
    local key bootstrap=(mmdebstrap --variant=apt --format=tar --include=ca-certificates,git "$codename")
    mkdir -p "$cache"
    (
        flock 9
        write_sources || exit 1
        key=$( (echo "${bootstrap[*]}"; mmdebstrap --version; cat "$sources") | sha256sum | cut -c1-16)
        tarball=$cache/$codename-$key.tar
        find "$cache" -maxdepth 1 -name "$codename-*.tar" \( ! -name "${tarball##*/}" -o -mtime +6 \) -delete
        if [ ! -s "$tarball" ]; then
            stamp "making the bootstrap tarball $tarball"
            local started=$SECONDS
            rm -rf "$tarball.part"
            "${bootstrap[@]}" --quiet "$tarball.part" "$sources" </dev/null || exit 1
            mv "$tarball.part" "$tarball" || exit 1
            stamp "bootstrap tarball made in $((SECONDS - started)) s"
        fi
        echo "$tarball" >"$work/tarball"
    ) 9>"$cache/lock" || return 1
    tarball=$(cat "$work/tarball")
}

mounted_under_root() {
    awk -v root="$root/" 'index($5 "/", root) == 1 {found = 1} END {exit !found}' /proc/self/mountinfo
}

# Ends whatever still runs inside the root (the build, a test's display
# server, all started from here) by pid, unmounts it and removes it.
drop_root() {
    [ -n "$root" ] || return 0
    local pid mount
    for pid in /proc/[0-9]*; do
        if [ "$(readlink "$pid/root" 2>/dev/null)" = "$root" ]; then
            kill -KILL "${pid#/proc/}" 2>/dev/null || true
        fi
    done
    for mount in dev sys proc; do
        umount -l "$root/$mount" 2>/dev/null || true
    done
    if mounted_under_root; then
        echo "fresh-check: something is still mounted under $root; left in place" >&2
        return 1
    fi
    rm -rf --one-file-system "$root"
    root=
}

cleanup() {
    local status=$?
    trap - EXIT INT TERM
    if [ -n "$app" ]; then
        kill "$app" 2>/dev/null || true
    fi
    if [ -n "$work" ]; then
        drop_root || true
        rm -rf "$work/tarball" "$work/source" "$work"/*.deb
        # Logs stay when they tell of a failure; main names them before its
        # closing line, and an interrupted run names them here.
        if [ -d "$logs" ] && ! rmdir "$logs" 2>/dev/null && [ "$status" -ge 128 ]; then
            echo "fresh-check: interrupted; logs kept in $logs"
        fi
        rmdir "$work" 2>/dev/null || true
    fi
    exit "$status"
}

# make_root NAME: a new root of the release in $work/NAME.
make_root() {
    root=$work/$1
    stamp "unpacking a Debian $release root into $root"
    local started=$SECONDS
    mkdir -m 755 "$root" && # a root directory as any system has it
        tar -C "$root" -xf "$tarball" &&
        cp /etc/resolv.conf "$root/etc/resolv.conf" &&
        mount -t proc proc "$root/proc" &&
        mount --rbind /sys "$root/sys" && mount --make-rslave "$root/sys" &&
        mount --rbind /dev "$root/dev" && mount --make-rslave "$root/dev" ||
        return 1
    # /dev came with its submounts: /dev/pts, and /dev/shm for display servers.
    stamp "root ready in $((SECONDS - started)) s"
}

# The bare environment of a new login, for commands run in the root.
login_environment=(/usr/bin/env -i HOME=/root
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8)

# Runs a command in the root and returns its exit status.
in_root() {
    chroot "$root" "${login_environment[@]}" "$@"
}

# Starts a command in the root in the background; its pid, which the
# command's own execs keep, goes into $app.
start_in_root() {
    chroot "$root" "${login_environment[@]}" "$@" &
    app=$!
}

# `cd SOURCE && COMMAND`, quoted for bash -c.
in_source() {
    printf 'cd %q && %s' "$source_dir" "$1"
}

# The source tarball of HEAD, unpacked with the root's own tar into /root.
unpack_source_tarball() {
    local made=$work/source tarball second
    tarball=$(scripts/source-tarball.sh "$made/a") &&
        second=$(umask 077 && TZ=UTC+12 LC_ALL=C scripts/source-tarball.sh "$made/b") || return 1
    if ! cmp -s "$tarball" "$second"; then
        stamp "the source tarball came out different when made again"
        return 1
    fi
    stamp "source tarball ${tarball##*/}: made twice, identical, sha256 $(sha256sum "$tarball" | cut -d' ' -f1)"
    cp "$tarball" "$root/tmp/" &&
        in_root tar -xzf "/tmp/${tarball##*/}" -C /root &&
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
    start_in_root QT_QPA_PLATFORM=offscreen bash -c "$(in_source 'exec scripts/run.sh')" \
        >"$log" 2>&1 </dev/null
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
    in_root bash -c "$(in_source 'exec scripts/test.sh')" </dev/null 2>&1 | tee "$log" ||
        status=$?
    stamp "scripts/test.sh exit $status after $((SECONDS - started)) s"
    [ "$status" -eq 0 ] || return "$status"
    stamp "Debian $release tested with:"
    in_root bash -c "$(in_source 'exec scripts/tested-with.sh')" </dev/null
}

# The published .deb, built on Debian 12 as scripts/release.sh builds it.
build_deb() {
    local log=$logs/deb-build.log started=$SECONDS built
    stamp "building the .deb with scripts/build-downloads.sh, as scripts/release.sh does: log in $log"
    in_root bash -c "$(in_source 'scripts/install-deps.sh release && scripts/build-downloads.sh /root/downloads')" \
        </dev/null >"$log" 2>&1 || { tail -n 30 "$log"; return 1; }
    built=("$root"/root/downloads/*.deb)
    if [ ${#built[@]} -ne 1 ] || [ ! -f "${built[0]}" ]; then
        stamp "build-downloads.sh did not make exactly one .deb"
        return 1
    fi
    deb=$work/${built[0]##*/}
    cp "${built[0]}" "$deb"
    if [ -n "$save_deb" ]; then
        mkdir -p "$save_deb" && cp "$deb" "$save_deb/" || return 1
    fi
    stamp "built ${deb##*/} in $((SECONDS - started)) s, sha256 $(sha256sum "$deb" | cut -d' ' -f1)"
}

# Runs in the second root (through declare -f): the .deb's whole life there.
deb_life() {
    set -euo pipefail
    local deb=$1 stay_up=$2 before after started pid xvfb resident path
    local scratch left=()
    say() { echo "[deb $(date +%T)] $*"; }
    scratch=$(mktemp -d)
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    before=$(dpkg-query -W -f='${Package}\n' | wc -l)
    if ! apt-get install -y -qq "$deb" </dev/null >"$scratch/apt.log" 2>&1; then
        tail -n 20 "$scratch/apt.log"
        say "FAILED: apt-get install $deb"
        return 1
    fi
    after=$(dpkg-query -W -f='${Package}\n' | wc -l)
    say "apt-get install ${deb##*/}: installed with the $((after - before - 1)) packages it pulled in"
    dpkg-query -L tintora >"$scratch/files"
    # An X server to start it on, and a way to see its window, installed after it.
    apt-get install -y -qq --no-install-recommends xvfb xdotool </dev/null >"$scratch/apt.log" 2>&1 ||
        { tail -n 20 "$scratch/apt.log"; say "FAILED: could not install Xvfb"; return 1; }
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -noreset -nolisten tcp 3>"$scratch/display" \
        2>"$scratch/xvfb.log" &
    xvfb=$!
    for _ in $(seq 100); do
        [ -s "$scratch/display" ] && break
        sleep 0.1
    done
    [ -s "$scratch/display" ] || { cat "$scratch/xvfb.log"; say "FAILED: Xvfb did not start"; return 1; }
    mkdir -m 700 "$scratch/runtime"
    started=$SECONDS
    DISPLAY=:$(head -n1 "$scratch/display") XDG_RUNTIME_DIR=$scratch/runtime \
        DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent tintora >"$scratch/tintora.log" 2>&1 &
    pid=$!
    if ! DISPLAY=:$(head -n1 "$scratch/display") timeout 60 \
        xdotool search --sync --onlyvisible --pid "$pid" >/dev/null; then
        cat "$scratch/tintora.log"
        say "FAILED: tintora mapped no window within 60 s"
        return 1
    fi
    say "tintora mapped its window $((SECONDS - started)) s after it was started"
    sleep "$stay_up"
    if ! kill -0 "$pid" 2>/dev/null; then
        cat "$scratch/tintora.log"
        say "FAILED: tintora ended within $stay_up s"
        return 1
    fi
    resident=$(awk '/^VmRSS:/ { printf "%.1f MiB", $2 / 1024 }' "/proc/$pid/status")
    say "tintora still up after $stay_up s, resident $resident; ended it"
    kill "$pid" "$xvfb"
    wait "$pid" "$xvfb" 2>/dev/null || true
    apt-get purge -y -qq tintora </dev/null >"$scratch/apt.log" 2>&1 ||
        { tail -n 20 "$scratch/apt.log"; say "FAILED: apt-get purge tintora"; return 1; }
    if dpkg-query -W tintora >/dev/null 2>&1; then
        say "FAILED: dpkg still lists tintora after the purge: $(dpkg-query -W -f='${db:Status-Abbrev}' tintora)"
        return 1
    fi
    if compgen -G '/var/lib/dpkg/info/tintora.*' >/dev/null; then
        say "FAILED: dpkg's records of tintora are still there:" /var/lib/dpkg/info/tintora.*
        return 1
    fi
    # Each file it installed must be gone; a folder may stay only for another package.
    while IFS= read -r path; do
        if [ -L "$path" ] || { [ -e "$path" ] && [ ! -d "$path" ]; }; then
            left+=("$path")
        elif [ -d "$path" ] && ! dpkg-query -S "$path" >/dev/null 2>&1; then
            left+=("$path/")
        fi
    done <"$scratch/files"
    if [ ${#left[@]} -gt 0 ]; then
        say "FAILED: apt-get purge tintora left ${left[*]}"
        return 1
    fi
    say "apt-get purge tintora: none of its $(grep -c . "$scratch/files") paths left, dpkg has no record of it"
    rm -rf "$scratch"
}

check_deb() {
    local log=$logs/deb.log started=$SECONDS status=0
    if [ -z "$deb" ]; then
        build_deb || return 1
    fi
    drop_root || return 1
    make_root deb || return 1
    cp "$deb" "$root/root/" || return 1
    stamp "${deb##*/}: installed, started and purged on a fresh Debian $release root: log in $log"
    in_root bash -c "$(declare -f deb_life); deb_life $(printf '%q %q' "/root/${deb##*/}" "$stay_up")" \
        </dev/null 2>&1 |
        tee "$log" || status=$?
    stamp "the .deb check exit $status after $((SECONDS - started)) s"
    return "$status"
}

main() {
    local arguments=("$@")
    while [ $# -gt 0 ]; do
        case "$1" in
        --release) release=${2:-}; shift 2 || usage ;;
        --release=*) release=${1#*=}; shift ;;
        --deb) deb=${2:-}; shift 2 || usage ;;
        --save-deb) save_deb=${2:-}; shift 2 || usage ;;
        run | test | deb) commands+=("$1"); shift ;;
        *) usage ;;
        esac
    done
    case "$release" in
    12) codename=bookworm ;;
    13) codename=trixie ;;
    *) echo "fresh-check: Tintora supports Debian 12 and 13, not --release $release" >&2; usage ;;
    esac
    if [ ${#commands[@]} -eq 0 ]; then
        commands=(run test)
    fi
    local command build_root=false wants_deb=false
    for command in "${commands[@]}"; do
        case "$command" in
        run | test) build_root=true ;;
        deb) wants_deb=true ;;
        esac
    done
    if [ -n "$deb" ]; then
        [ -f "$deb" ] || { echo "fresh-check: no such .deb: $deb" >&2; exit 2; }
        deb=$(realpath "$deb")
    elif $wants_deb; then
        if [ "$release" != 12 ]; then
            echo "fresh-check: the published .deb is built on Debian 12; give Debian $release's deb check one (--deb FILE)" >&2
            exit 2
        fi
        build_root=true
    fi
    if [ -n "$save_deb" ]; then
        save_deb=$(realpath -m "$save_deb")
    fi
    if [ "$(id -u)" -ne 0 ]; then
        exec sudo -- "$0" "${arguments[@]}"
    fi
    cd "$(dirname "$0")/.."

    commit=$(git rev-parse HEAD) || give_up "this is not a git clone"
    [ -r "$host_sources" ] || give_up "no apt sources at $host_sources"
    # mmdebstrap makes the root; cmake reads the version the tarball is named after.
    local tool
    for tool in mmdebstrap cmake; do
        if ! command -v "$tool" >/dev/null; then
            stamp "installing $tool"
            DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$tool" \
                </dev/null || give_up "could not install $tool"
        fi
    done
    work=$(mktemp -d "${TMPDIR:-/var/tmp}/tintora-fresh-$release.XXXXXX") || give_up "no work folder"
    logs=$work/logs
    mkdir "$logs"
    trap cleanup EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM
    make_bootstrap_tarball ||
        give_up "could not make the Debian $release root with mmdebstrap from $host_sources (see above)"

    local passed=0 failed=0
    if $build_root; then
        make_root root || give_up "could not unpack and mount the Debian $release root (see above)"
        unpack_source_tarball || give_up "could not make the source tarball of $commit or unpack it into the root"
        stamp "unpacked the source of $commit into $source_dir"
    fi
    local checks=()
    for command in "${commands[@]}"; do
        [ "$command" = deb ] || checks+=("$command")
    done
    if $wants_deb; then
        checks+=(deb) # last: it gives up the first root for one of its own
    fi
    for command in "${checks[@]}"; do
        if "check_$command"; then
            passed=$((passed + 1))
        else
            failed=$((failed + 1))
            stamp "FAILED: the $command check on a fresh Debian $release root"
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

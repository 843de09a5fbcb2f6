#!/usr/bin/env bash
# Checks that the downloads come out bit for bit the same when built twice:
# two builds in two directories of different depth and length, each at its
# own time with its own umask, locale and time zone.
#   In a git clone: each build is a clean clone of HEAD running
#   scripts/release.sh, and every file of the two dist/ folders is compared
#   (the .deb, the installer package, the zip, the source tarball, SHA256SUMS).
#   In an unpacked source tarball, which has no history to make a tarball
#   from: each build is a copy of this tree running scripts/build-downloads.sh,
#   and the .deb, the installer package and the zip are compared.
# Prints, for each file, "identical" with its sha256 or diffoscope's first
# differences, and ends with "N passed, N failed"; exits non-zero on any
# difference.
#   scripts/reproducible-check.sh          keeps nothing
#   TINTORA_REPRO_KEEP=1 scripts/...       keeps the builds and logs, names them
# Needs what `scripts/install-deps.sh test` installs.
set -euo pipefail
cd "$(dirname "$0")/.."

commit=
if git rev-parse --verify --quiet HEAD >/dev/null 2>&1; then
    commit=$(git rev-parse HEAD)
fi
work=$(mktemp -d "${TMPDIR:-/tmp}/tintora-repro.XXXXXX")
cleanup() {
    if [ -n "${TINTORA_REPRO_KEEP:-}" ]; then
        echo "reproducible-check: kept $work"
    else
        rm -rf "$work"
    fi
}
trap cleanup EXIT

stamp() { echo "[reproducible-check $(date +%T)] $*"; }

# The second build gets a locale whose dates, digits and collation differ from
# C's, if one is there (scripts/install-deps.sh test makes both).
other_locale=C
for candidate in zh_CN.UTF-8 de_DE.UTF-8; do
    if locale -a 2>/dev/null | sed 's/utf-\?8$/UTF-8/I' | grep -qx "$candidate"; then
        other_locale=$candidate
        break
    fi
done

# Each build: its directory, umask, locale and time zone (POSIX TZ strings,
# which need no tzdata: 14 hours east and 12 hours west of UTC, so even the
# calendar dates differ).
builds=(
    "$work/a|022|C.UTF-8|TST-14"
    "$work/second-build-in-a-longer/and/deeper/directory|077|$other_locale|UTC+12"
)

if [ -n "$commit" ]; then
    git bundle create --quiet "$work/head.bundle" HEAD
fi

# build DIR UMASK LOCALE TZ: makes DIR/tintora (a clone of HEAD, or a copy of
# this tree) and builds the downloads there into DIR/tintora/dist, in a bare
# environment; the log is DIR/build.log.
build() {
    local dir=$1 mask=$2 loc=$3 zone=$4 make_downloads=(scripts/release.sh)
    mkdir -p "$dir"
    stamp "build in $dir: umask $mask, LC_ALL=$loc, TZ=$zone"
    (
        umask "$mask" || exit 1
        if [ -n "$commit" ]; then
            git -c advice.detachedHead=false clone --quiet "$work/head.bundle" "$dir/tintora" &&
                [ "$(git -C "$dir/tintora" rev-parse HEAD)" = "$commit" ] || exit 1
        else
            mkdir "$dir/tintora" &&
                tar -C . --exclude=./build --exclude=./dist -cf - . |
                tar -C "$dir/tintora" --no-same-permissions -xf - || exit 1
            make_downloads=(scripts/build-downloads.sh dist)
        fi
        cd "$dir/tintora" || exit 1
        # Only what a build needs from the caller's environment: whatever
        # else it has (SOURCE_DATE_EPOCH among it) must not be relied on.
        exec env -i PATH="$PATH" HOME="$dir" LANG="$loc" LC_ALL="$loc" TZ="$zone" "${make_downloads[@]}"
    ) >"$dir/build.log" 2>&1
}

started=$SECONDS
for build in "${builds[@]}"; do
    IFS='|' read -r dir mask loc zone <<<"$build"
    build_started=$SECONDS
    if build "$dir" "$mask" "$loc" "$zone"; then
        stamp "built in $((SECONDS - build_started)) s"
    else
        stamp "FAILED: the build in $dir (last lines of its log follow)"
        tail -n 30 "$dir/build.log"
    fi
done

first=${builds[0]%%|*}/tintora/dist
second=${builds[1]%%|*}/tintora/dist
version=$(cmake -P cmake/release_version.cmake)
artefacts=("tintora_${version}_amd64.deb" "Tintora-${version}-x64.msi" "Tintora-${version}-x64.zip")
if [ -n "$commit" ]; then
    artefacts+=("tintora-${version}.tar.gz" SHA256SUMS)
fi
passed=0
failed=0
for name in "${artefacts[@]}"; do
    a=$first/$name
    b=$second/$name
    if [ ! -f "$a" ] || [ ! -f "$b" ]; then
        echo "$name: FAILED, not made by both builds"
        failed=$((failed + 1))
    elif cmp -s "$a" "$b"; then
        echo "$name: identical, sha256 $(sha256sum "$a" | cut -d' ' -f1)"
        passed=$((passed + 1))
    else
        echo "$name: FAILED, the two builds differ; the first differences:"
        if command -v diffoscope >/dev/null; then
            diffoscope --no-progress --text - --text-color never --max-diff-block-lines 8 \
                --max-page-diff-block-lines 8 --max-text-report-size 6000 "$a" "$b" |
                head -n 60 || true
        else
            cmp -l "$a" "$b" | head -n 20 || true
        fi
        failed=$((failed + 1))
    fi
done
stamp "two builds and the comparison took $((SECONDS - started)) s"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]

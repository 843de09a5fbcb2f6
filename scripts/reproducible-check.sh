#!/usr/bin/env bash
# Checks that the release artefacts come out bit for bit the same when built
# twice from the committed state (HEAD): two clean clones in two directories
# of different depth and length, each built at its own time with its own umask,
# locale and time zone, each making the .deb (app preset, then cpack) and the
# stripped Tintora.exe (windows preset, without its tests). Prints, for each
# artefact, "identical" with its sha256 or diffoscope's first differences, and
# ends with "N passed, N failed"; exits non-zero on any difference.
#   scripts/reproducible-check.sh          keeps nothing
#   TINTORA_REPRO_KEEP=1 scripts/...       keeps the clones and logs, names them
# Needs what `scripts/install-deps.sh test` installs.
set -euo pipefail
cd "$(dirname "$0")/.."

commit=$(git rev-parse HEAD)
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

git bundle create --quiet "$work/head.bundle" HEAD

# build DIR UMASK LOCALE TZ: clones HEAD into DIR/tintora and builds both
# artefacts there, in a bare environment; the log is DIR/build.log.
build() {
    local dir=$1 mask=$2 loc=$3 zone=$4
    mkdir -p "$dir"
    stamp "build in $dir: umask $mask, LC_ALL=$loc, TZ=$zone"
    (
        umask "$mask" &&
            git -c advice.detachedHead=false clone --quiet "$work/head.bundle" "$dir/tintora" &&
            [ "$(git -C "$dir/tintora" rev-parse HEAD)" = "$commit" ] &&
            cd "$dir/tintora" || exit 1
        # Only what a build needs from the caller's environment: whatever
        # else it has (SOURCE_DATE_EPOCH among it) must not be relied on.
        exec env -i PATH="$PATH" HOME="$dir" LANG="$loc" LC_ALL="$loc" TZ="$zone" bash -ec '
            cmake --preset app
            cmake --build --preset app
            (cd build/app && cpack -G DEB)
            cmake --preset windows -DTINTORA_BUILD_TESTS=OFF
            cmake --build --preset windows --target tintora_exe
        '
    ) >"$dir/build.log" 2>&1
}

started=$SECONDS
failed_builds=0
for build in "${builds[@]}"; do
    IFS='|' read -r dir mask loc zone <<<"$build"
    build_started=$SECONDS
    if build "$dir" "$mask" "$loc" "$zone"; then
        stamp "built in $((SECONDS - build_started)) s"
    else
        stamp "FAILED: the build in $dir (last lines of its log follow)"
        tail -n 30 "$dir/build.log"
        failed_builds=$((failed_builds + 1))
    fi
done

first=${builds[0]%%|*}/tintora
second=${builds[1]%%|*}/tintora
# The .deb is named after the version; whatever the first build made is compared.
deb=$(cd "$first" 2>/dev/null && compgen -G 'build/app/tintora_*.deb' | head -n 1) ||
    deb=build/app/tintora_VERSION_amd64.deb
artefacts=("$deb" build/windows/win32/Tintora.exe)
passed=0
failed=0
for artefact in "${artefacts[@]}"; do
    a=$first/$artefact
    b=$second/$artefact
    name=${artefact##*/}
    if [ ! -f "$a" ] || [ ! -f "$b" ]; then
        echo "$name: FAILED, not built in both clones"
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

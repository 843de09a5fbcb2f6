#!/bin/sh
# scripts/release.sh refuses, saying why and leaving an earlier dist/ as it
# was: a tree with changes that are not committed, and a commit whose newest
# Debian changelog entry or AppStream release names another version.
#   release_refusals.sh SOURCE_DIR SCRATCH
# Works on a fresh git repository made in SCRATCH from the source as it is
# (in a clone, the files git knows of and does not ignore).
set -eu
source_dir=$1
scratch=$2

fail() {
    printf 'FAILED: %s\n' "$*"
    exit 1
}

rm -rf "$scratch"
mkdir -p "$scratch/tree"
if git -C "$source_dir" rev-parse --verify --quiet HEAD >/dev/null 2>&1; then
    (cd "$source_dir" && git ls-files -z --cached --others --exclude-standard |
        tar --null --ignore-failed-read -T - -cf - 2>/dev/null) | tar -x -C "$scratch/tree"
else
    tar -C "$source_dir" --exclude=./build --exclude=./dist -cf - . | tar -x -C "$scratch/tree"
fi
cd "$scratch/tree"
commit() { git -c user.name=test -c user.email=test@example.com commit -q -a -m "$1"; }
git init -q
git add -A
commit "the source"
mkdir dist
echo "an earlier release" >dist/marker

# refused WHAT EXPECTED: release.sh fails, its output says EXPECTED, dist/ is untouched.
refused() {
    if output=$(scripts/release.sh 2>&1); then
        fail "release.sh made a release from $1"
    fi
    # CMake wraps its messages: compare with the lines joined.
    printf '%s\n' "$output" | tr -s ' \n' '  ' | grep -qF "$2" || {
        printf '%s\n' "$output" | tail -n 5
        fail "release.sh refused $1 without saying: $2"
    }
    [ "$(ls -A dist)" = marker ] && [ "$(cat dist/marker)" = "an earlier release" ] ||
        fail "release.sh refused $1 but changed dist/"
    [ -z "$(find . -maxdepth 1 -name 'dist.partial*')" ] || fail "release.sh left a partial dist/"
    printf 'ok: refused %s: %s\n' "$1" "$2"
}

echo "a local change" >>README.md
refused "a tree with a change not committed" "changes that are not committed"
git checkout -q README.md

sed -i 's/<release version="[^"]*"/<release version="9.9.9"/' resources/org.example.Tintora.metainfo.xml
commit "metainfo names another version"
refused "a metainfo release of another version" "org.example.Tintora.metainfo.xml: the newest release is 9.9.9"
git checkout -q HEAD~1 -- resources/org.example.Tintora.metainfo.xml && commit "metainfo names this version again"

sed -i '1s/(\([^)]*\))/(9.9.9)/' resources/debian/changelog
commit "changelog names another version"
refused "a changelog entry of another version" "changelog: the newest entry is version 9.9.9"

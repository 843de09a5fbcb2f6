#!/usr/bin/env bash
# Makes every download of the committed state (HEAD) into dist/:
#   tintora-VERSION.tar.gz       the source, `git archive` of HEAD
#   tintora_VERSION_amd64.deb    for Debian 12 and 13
#   Tintora-VERSION-x64.msi      the Windows installer (per user, no administrator rights)
#   Tintora-VERSION-x64.zip      the portable Windows program
#   SHA256SUMS                   over the four
# VERSION is the project's version in CMakeLists.txt. The three binaries are
# built from the source tarball itself, unpacked in a temporary folder, so they
# are what anyone who downloads the source gets from it. Every file is
# reproducible (scripts/reproducible-check.sh shows it).
#
# Refuses a tree with changes that are not committed, and a version that the
# newest Debian changelog entry and AppStream release do not name. A failed run
# leaves dist/ as it was; a successful one replaces it.
#   scripts/release.sh
# Installs what it needs through scripts/install-deps.sh release.
# The published downloads are built on Debian 12, the oldest release
# supported: a .deb depends on the Qt it was built with or newer, so one built
# on Debian 13 (Qt 6.8) would not install on Debian 12. Elsewhere it says so.
set -euo pipefail
cd "$(dirname "$0")/.."

fail() {
    echo "release: FAILED: $*" >&2
    exit 1
}

git rev-parse --verify --quiet HEAD >/dev/null ||
    fail "not a git clone: the downloads are made from a commit (this may be an unpacked source tarball)"
changes=$(git status --porcelain --untracked-files=normal)
[ -z "$changes" ] ||
    fail "the tree has changes that are not committed; commit or remove them first:"$'\n'"$changes"

scripts/install-deps.sh release
version=$(cmake -P cmake/release_version.cmake 2>&1) ||
    fail "the version does not agree in every place:"$'\n'"$version"
commit=$(git rev-parse HEAD)
echo "release: Tintora $version from $commit"
if [ "$(. /etc/os-release && echo "${ID:-} ${VERSION_ID:-}")" != "debian 12" ]; then
    echo "release: note: this is not Debian 12, which builds the published downloads;" \
        "this .deb will not install on Debian 12" >&2
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/tintora-release.XXXXXX")
partial=dist.partial.$$
trap 'rm -rf "$work" "$partial"' EXIT

tarball=tintora-$version.tar.gz
scripts/source-tarball.sh "$work" >/dev/null
tar -xzf "$work/$tarball" -C "$work"
# The release's own dates come from the commit (cmake/source-date.txt in the
# tarball), never from the caller's environment.
(unset SOURCE_DATE_EPOCH && "$work/tintora-$version/scripts/build-downloads.sh" "$work/out")
mv "$work/$tarball" "$work/out/"
downloads=("$tarball" "tintora_${version}_amd64.deb" "Tintora-$version-x64.msi" "Tintora-$version-x64.zip")
(cd "$work/out" && sha256sum -- "${downloads[@]}" >SHA256SUMS)

mkdir "$partial"
cp -p "$work/out"/* "$partial/"
rm -rf dist
mv "$partial" dist
echo "release: dist/ holds Tintora $version, from $commit:"
(cd dist && for file in "${downloads[@]}" SHA256SUMS; do
    printf '  %-28s %9s bytes  sha256 %s\n' "$file" "$(stat -c %s "$file")" "$(sha256sum "$file" | cut -d' ' -f1)"
done)

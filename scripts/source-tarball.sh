#!/usr/bin/env bash
# Writes the source tarball of the committed state (HEAD) into the folder OUT
# and prints its path: OUT/tintora-VERSION.tar.gz, every file under
# tintora-VERSION/, dated the commit's time, with cmake/source-date.txt
# holding that time for the builds made from it (git's export-subst).
#   scripts/source-tarball.sh OUT
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: $0 OUT" >&2; exit 2; }
out=$(realpath -m "$1")
cd "$(dirname "$0")/.."
version=$(cmake -P cmake/release_version.cmake)
mkdir -p "$out"
git archive --format=tar.gz --prefix="tintora-$version/" -o "$out/tintora-$version.tar.gz" HEAD
echo "$out/tintora-$version.tar.gz"

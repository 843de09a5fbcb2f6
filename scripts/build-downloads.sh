#!/usr/bin/env bash
# Builds the three binary downloads from the source tree this script is in,
# in build folders of their own (build/downloads/), into the folder OUT (made
# anew):
#   tintora_VERSION_amd64.deb    the .deb (app preset, then cpack)
#   Tintora-VERSION-x64.msi      the per-user Windows installer (windows preset)
#   Tintora-VERSION-x64.zip      the portable Windows program (windows preset)
# and checks that each says the project's version where a user or a package
# manager reads it. scripts/release.sh runs it in the unpacked source tarball;
# scripts/reproducible-check.sh runs it twice to compare the results.
#   scripts/build-downloads.sh OUT
# Needs what `scripts/install-deps.sh release` installs.
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: $0 OUT" >&2; exit 2; }
out=$(realpath -m "$1")
cd "$(dirname "$0")/.."

fail() {
    echo "build-downloads: FAILED: $*" >&2
    exit 1
}

version=$(cmake -P cmake/release_version.cmake) || fail "the version does not agree (above)"
deb=tintora_${version}_amd64.deb
msi=Tintora-${version}-x64.msi
zip=Tintora-${version}-x64.zip

# Builds of their own, made anew each time, so that no build folder left from
# another version or configuration is reused, and none of a developer's is
# touched.
build=build/downloads
rm -rf "$build"
cmake --preset app -B "$build/app"
cmake --build "$build/app"
(cd "$build/app" && cpack -G DEB)
cmake --preset windows -B "$build/windows" -DTINTORA_BUILD_TESTS=OFF
cmake --build "$build/windows" --target tintora_exe tintora_msi tintora_zip

# What each download says its version is.
[ "$(dpkg-deb -f "$build/app/$deb" Version)" = "$version" ] || fail "$deb: not version $version"
msiinfo export "$build/windows/win32/$msi" Property | tr -d '\r' | grep -qx "ProductVersion	$version" ||
    fail "$msi: ProductVersion is not $version"
cmake -DWINDRES=x86_64-w64-mingw32-windres -DEXE="$build/windows/win32/Tintora.exe" \
    -DVERSION="$version" -P tools/check_windows_res.cmake ||
    fail "Tintora.exe: its version record is not $version (above)"

rm -rf "$out"
mkdir -p "$out"
cp "$build/app/$deb" "$build/windows/win32/$msi" "$build/windows/win32/$zip" "$out/"

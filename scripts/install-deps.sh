#!/usr/bin/env bash
# Installs the Debian packages Tintora needs, skipping those already there, on
# Debian 12 (bookworm) or Debian 13 (trixie); anywhere else it says so in one
# line and installs nothing.
#   scripts/install-deps.sh run       what building and running the program needs
#   scripts/install-deps.sh release   that, plus what makes the downloads (scripts/release.sh)
#   scripts/install-deps.sh test      all that, plus the test and benchmark tools
# Uses sudo when not root; never prompts.
set -euo pipefail

profile=${1:-test}
case "$profile" in
run | release | test) ;;
*) echo "usage: $0 [run|release|test]" >&2; exit 2 ;;
esac

# The release decides the few names that carry a version: clang's runtime
# (sanitizers, libFuzzer) goes with the clang that release's `clang` installs.
os_release=${TINTORA_OS_RELEASE_FOR_TESTING:-/etc/os-release}
# shellcheck source=/dev/null
system=$( (. "$os_release" && echo "${ID:-?} ${VERSION_ID:-?} this is ${PRETTY_NAME:-${NAME:-?}}") 2>/dev/null) ||
    system="? ? this system has no readable $os_release"
read -r id version_id this_system <<<"$system"
case "$id $version_id" in
"debian 12") clang_runtime=libclang-rt-14-dev ;;
"debian 13") clang_runtime=libclang-rt-19-dev ;;
*)
    echo "install-deps: Tintora supports Debian 12 (bookworm) and Debian 13 (trixie); $this_system" >&2
    exit 1
    ;;
esac

run_packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-translations-l10n qt6-qpa-plugins qt6-wayland libwayland-dev
    fonts-wqy-microhei
)
release_packages=(
    git dpkg-dev file python3
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    wixl msitools faketime
)
test_packages=(
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth x11-utils xdotool imagemagick
    desktop-file-utils appstream
    clang "$clang_runtime" valgrind
    locales
    qt6-svg-dev lintian
    wine64 fonts-wine
    sway grim passwd wl-clipboard weston libx11-dev
    diffoscope-minimal
)
case "$profile" in
run) wanted=("${run_packages[@]}") ;;
release) wanted=("${run_packages[@]}" "${release_packages[@]}") ;;
test) wanted=("${run_packages[@]}" "${release_packages[@]}" "${test_packages[@]}") ;;
esac

as_root=()
if [ "$(id -u)" -ne 0 ]; then
    as_root=(sudo)
fi

missing=()
for package in "${wanted[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    "${as_root[@]}" apt-get update -qq
    "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null
fi

# The conversion tests check that a comma-decimal locale changes nothing.
if [ "$profile" = test ] && ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    "${as_root[@]}" localedef -i de_DE -f UTF-8 de_DE.UTF-8 || echo "note: could not build the de_DE.UTF-8 locale"
fi
# Under Wine, the Windows build shows its Chinese labels (and the notice its
# "确定" button) only in this locale: Wine picks its fonts by the locale.
if [ "$profile" = test ] && ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
    "${as_root[@]}" localedef -i zh_CN -f UTF-8 zh_CN.UTF-8 || echo "note: could not build the zh_CN.UTF-8 locale"
fi

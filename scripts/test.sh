#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the
# normal build, its window suites again on a headless Wayland compositor,
# then the sanitizer build, then the Windows build under Wine, then three
# minutes of fuzzing, then two builds of the five downloads from HEAD that
# must come out identical.
# Warnings are errors here, as in CI; the dev preset is for everyday builds.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh test
cmake --preset ci
cmake --build --preset ci
ctest --preset ci

# The Qt window's suites again, natively on a real headless Wayland compositor.
wayland_started=$SECONDS
ctest --preset wayland ||
    { echo "FAILED: the Qt window's suites on the headless Wayland compositor (see above)"; exit 1; }
echo "Wayland: the Qt window's suites passed on headless sway with QT_QPA_PLATFORM=wayland" \
    "in $((SECONDS - wayland_started)) s"

# The same tests again under AddressSanitizer, UBSan and LeakSanitizer.
cmake --preset asan
cmake --build --preset asan
ctest --preset asan

# Tintora.exe for Windows, and its tests under Wine.
cmake --preset windows
cmake --build --preset windows
ctest --preset windows

# A minute of fuzzing for each of the three conversion targets (clang, libFuzzer).
scripts/fuzz.sh 180

# The five downloads, built twice from HEAD in two clean clones, must be identical.
scripts/reproducible-check.sh

#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the
# normal build, then the sanitizer build, then a minute of fuzzing.
# Under CI (CI=true) warnings are errors.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh test
preset=dev
if [ "${CI:-}" = true ]; then
    preset=ci
fi
cmake --preset "$preset"
cmake --build --preset "$preset"
ctest --preset "$preset"

# The same tests again under AddressSanitizer, UBSan and LeakSanitizer.
cmake --preset asan
cmake --build --preset asan
ctest --preset asan

# A minute of fuzzing the channel conversions (clang, libFuzzer).
scripts/fuzz.sh 60

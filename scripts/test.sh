#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
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

#!/usr/bin/env bash
# Prints, as a Markdown table, the Debian release and the upstream versions of
# the packages installed that the tests build and run with: Qt, the compilers,
# CMake, Wine and the Wayland compositors ("–" for one not installed).
# scripts/fresh-check.sh runs it after scripts/test.sh in each fresh root.
#   scripts/tested-with.sh
set -euo pipefail

# upstream PACKAGE-PATTERN: the upstream version of the newest installed
# package whose name matches (a dpkg-query pattern), e.g. 6.4.2 of 6.4.2+dfsg-10.
upstream() {
    dpkg-query -W -f='${db:Status-Abbrev} ${Version}\n' "$1" 2>/dev/null |
        awk '$1 == "ii" { print $2 }' | sed -E 's/^[0-9]+://; s/^([0-9][0-9.]*[0-9]).*/\1/' |
        sort -V | tail -n 1 | grep . || echo –
}

echo "| Debian | Qt | GCC | clang | MinGW-w64 GCC | CMake | Wine | sway | weston |"
echo "|---|---|---|---|---|---|---|---|---|"
echo "| $(cat /etc/debian_version) | $(upstream qt6-base-dev) | $(upstream 'g++-[0-9]*') |" \
    "$(upstream 'clang-[0-9]*') | $(upstream g++-mingw-w64-x86-64-posix) | $(upstream cmake) |" \
    "$(upstream wine64) | $(upstream sway) | $(upstream weston) |"

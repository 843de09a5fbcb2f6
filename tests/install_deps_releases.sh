#!/bin/sh
# scripts/install-deps.sh on the system an os-release file describes: on
# Debian 12 and 13 it asks apt for that release's own clang runtime; anywhere
# else it says which releases it supports in one line on standard error, fails,
# and runs nothing that installs. apt-get, sudo, dpkg-query, locale and
# localedef are stand-ins here that only record how they were called.
#   install_deps_releases.sh SOURCE_DIR SCRATCH
set -eu
source_dir=$1
scratch=$2

fail() {
    printf 'FAILED: %s\n' "$*"
    exit 1
}

rm -rf "$scratch"
mkdir -p "$scratch/bin"
for tool in apt-get sudo dpkg-query locale localedef; do
    cat >"$scratch/bin/$tool" <<EOF
#!/bin/sh
echo "$tool \$*" >>"$scratch/calls"
case $tool in
sudo) exec "\$@" ;;
dpkg-query) exit 1 ;; # nothing is installed
esac
EOF
    chmod +x "$scratch/bin/$tool"
done

# install_deps [OS_RELEASE_TEXT]: runs the script on it (without it, on no
# os-release file at all); sets status, and leaves out, err and calls.
install_deps() {
    rm -f "$scratch/os-release"
    if [ $# -gt 0 ]; then
        printf '%s\n' "$1" >"$scratch/os-release"
    fi
    : >"$scratch/calls"
    status=0
    PATH="$scratch/bin:$PATH" TINTORA_OS_RELEASE_FOR_TESTING="$scratch/os-release" \
        bash "$source_dir/scripts/install-deps.sh" test >"$scratch/out" 2>"$scratch/err" ||
        status=$?
}

# refused WHAT: failed, one line naming both releases and nothing else, no call.
refused() {
    [ "$status" -ne 0 ] || fail "install-deps.sh went ahead on $1"
    [ "$(wc -l <"$scratch/err")" -eq 1 ] && [ ! -s "$scratch/out" ] ||
        { cat "$scratch/out" "$scratch/err"; fail "install-deps.sh said more than one line on $1"; }
    grep -q 'Debian 12 .*Debian 13' "$scratch/err" ||
        { cat "$scratch/err"; fail "install-deps.sh refused $1 without naming Debian 12 and 13"; }
    [ ! -s "$scratch/calls" ] || { cat "$scratch/calls"; fail "install-deps.sh refused $1 after running:"; }
    printf 'ok: refused %s: %s\n' "$1" "$(cat "$scratch/err")"
}

install_deps 'PRETTY_NAME="Debian GNU/Linux 11 (bullseye)"
ID=debian
VERSION_ID="11"'
refused "Debian 11"
install_deps 'PRETTY_NAME="Debian GNU/Linux trixie/sid"
ID=debian'
refused "Debian testing, which has no version"
install_deps 'PRETTY_NAME="Ubuntu 24.04.3 LTS"
ID=ubuntu
ID_LIKE=debian
VERSION_ID="24.04"'
refused "Ubuntu 24.04"
install_deps
refused "a system without an os-release file"

# accepted VERSION RUNTIME OTHER: installs, asking for RUNTIME and not OTHER.
accepted() {
    install_deps "PRETTY_NAME=\"Debian GNU/Linux $1\"
ID=debian
VERSION_ID=\"$1\""
    [ "$status" -eq 0 ] || { cat "$scratch/err"; fail "install-deps.sh failed on Debian $1"; }
    install=$(grep '^apt-get install ' "$scratch/calls") || fail "install-deps.sh installed nothing on Debian $1"
    printf '%s\n' "$install" | tr ' ' '\n' | grep -qx "$2" || fail "Debian $1 was not asked for $2"
    ! printf '%s\n' "$install" | tr ' ' '\n' | grep -qx "$3" || fail "Debian $1 was asked for $3"
    printf 'ok: Debian %s installs with %s\n' "$1" "$2"
}
accepted 12 libclang-rt-14-dev libclang-rt-19-dev
accepted 13 libclang-rt-19-dev libclang-rt-14-dev

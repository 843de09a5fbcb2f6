#!/bin/sh
# The Windows downloads as a user meets them, under Wine.
#   downloads_test.sh installer STATE PROBE PACKAGE VERSION OLDER_PACKAGE OLDER_VERSION
#       in a fresh Wine prefix of its own: installs the package for the user
#       alone, finds the program, its shortcut and its uninstall entry
#       (downloads_probe), starts it from the shortcut's target and closes it,
#       uninstalls it with the entry's own command and finds nothing of it
#       left; then installs OLDER_PACKAGE (an older version of the same
#       product carrying one more file), upgrades it with the package, checks
#       that the older package now refuses to install, and uninstalls again.
#   downloads_test.sh zip STATE PROBE ZIP VERSION SOURCE_DATE_FILE
#       in the shared prefix: the zip's members, their order, and their dates,
#       which are the source date its build used (the file holds it); its
#       Tintora.exe, unpacked into a fresh folder, starts and closes.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
session="sh $here/../../scripts/sessions/wine_session.sh"
wine=${TINTORA_WINE:-/usr/lib/wine/wine64}
wineserver=${TINTORA_WINESERVER:-/usr/lib/wine/wineserver}

fail() {
    printf 'FAILED: %s\n' "$*"
    exit 1
}

step() { printf '== %s\n' "$*"; }

command=$1
state=$2
probe=$3
shift 3

in_prefix() { $session run "$state" "$@"; }

# A Unix path as Wine's programs name it (msiexec would read "/x..." as an option).
windows_path() { printf 'Z:%s\n' "$1" | tr / '\\'; }

# uninstall COMMAND: runs the uninstall entry's command without a window.
uninstall() {
    # The command is "MsiExec.exe /X{product code}": no spaces inside its words.
    # shellcheck disable=SC2086
    in_prefix $1 /qn || fail "the uninstall entry's command failed: $1"
}

# Nothing of the program in the prefix: no file or folder, no registry key or
# value naming it or its product code.
nothing_left() {
    product_code=$1
    WINEPREFIX=$state/prefix "$wineserver" -w # the registry reaches its files when the server ends
    left=$(find "$state/prefix/drive_c" -iname '*tintora*' -o -iname '*older.txt*')
    [ -z "$left" ] || fail "files left after uninstalling: $left"
    packed=$(printf '%s' "$product_code" | tr -d '{}-')
    if grep -i -e tintora -e "$packed" -e "$product_code" "$state/prefix/user.reg" "$state/prefix/system.reg"; then
        fail "registry entries left after uninstalling (above)"
    fi
    echo "ok: nothing of the program is left in the prefix"
}

# installed VERSION [EXTRA_FILE]: the probe's checks; sets $uninstall_command.
installed() {
    output=$(in_prefix "$probe" installed "$@") || { printf '%s\n' "$output"; fail "installed $*"; }
    printf '%s\n' "$output"
    uninstall_command=$(printf '%s\n' "$output" | sed -n 's/^uninstall: //p' | tr -d '\r')
}

product_code_of() { printf '%s\n' "$1" | sed -n 's/.*\({[0-9A-Fa-f-]*}\).*/\1/p'; }

case "$command" in
installer)
    package=$(windows_path "$1") version=$2 older=$(windows_path "$3") older_version=$4
    $session start "$state"
    trap '$session stop "$state"' EXIT

    step "install $package for this user, without a window"
    in_prefix msiexec /i "$package" /qn || fail "msiexec /i $package"
    installed "$version"
    step "start the program from the Start-menu shortcut's target"
    in_prefix "$probe" start-menu || fail "the installed program from its shortcut"
    step "uninstall it with the entry's command ($uninstall_command)"
    uninstall "$uninstall_command"
    nothing_left "$(product_code_of "$uninstall_command")"

    step "install the older $older, then upgrade it with $package"
    in_prefix msiexec /i "$older" /qn || fail "msiexec /i $older"
    installed "$older_version" older.txt
    older_code=$(product_code_of "$uninstall_command")
    in_prefix msiexec /i "$package" /qn || fail "msiexec /i $package over the older version"
    installed "$version"
    [ "$(product_code_of "$uninstall_command")" != "$older_code" ] ||
        fail "the upgrade kept the older product code $older_code"

    step "the older package refuses to install over the newer one"
    in_prefix "$probe" refused "$3" "A newer version of Tintora is already installed." ||
        fail "the older package over the newer one"
    installed "$version"

    step "uninstall again"
    uninstall "$uninstall_command"
    nothing_left "$(product_code_of "$uninstall_command")"
    nothing_left "$older_code"
    ;;
zip)
    zip=$1 version=$2 epoch=$(cat "$3")
    unpacked=$state/zip-unpacked
    rm -rf "$unpacked"
    step "the members of $zip, their order and dates"
    python3 - "$zip" "$version" "$epoch" "$unpacked" <<'PYTHON' || fail "the zip's members"
import sys, time, zipfile
path, version, epoch, unpacked = sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4]
archive = zipfile.ZipFile(path)
names = [info.filename for info in archive.infolist()]
folder = "Tintora-" + version + "/"
expected = [folder + name for name in ("Tintora.exe", "README.txt", "LICENSE.txt")]
assert names == expected, f"members {names}, expected {expected}"
dates = {info.date_time for info in archive.infolist()}
commit_time = time.gmtime(epoch - epoch % 2)[:6]  # a zip date counts in steps of 2 s
assert dates == {commit_time}, f"dates {dates}, expected the commit's {commit_time}"
readme = archive.read(folder + "README.txt").decode("utf-8-sig")
assert "Tintora " + version in readme and "\r\n" in readme, "README.txt: version or CRLF"
archive.extractall(unpacked)
print("ok:", ", ".join(names), "dated", time.strftime("%Y-%m-%d %H:%M:%S UTC", commit_time + (0, 0, 0)))
PYTHON
    step "its Tintora.exe starts and closes"
    in_prefix "$probe" run "$unpacked/Tintora-$version/Tintora.exe" || fail "the unpacked Tintora.exe"
    ;;
*)
    echo "usage: $0 installer|zip STATE PROBE ..." >&2
    exit 2
    ;;
esac

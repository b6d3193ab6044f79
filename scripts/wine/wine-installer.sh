#!/usr/bin/env bash
# Installs pantrium-setup.exe silently into a private Wine prefix, checks what
# it put where (program, help file, Start-menu shortcut and its working
# folder, uninstall entry), starts the installed program in the shortcut's
# working folder and saves a list there, then uninstalls silently and checks
# that the program is gone and the list is still there.
#
# Usage: scripts/wine/wine-installer.sh <path/to/pantrium-setup.exe> [--win32 <build-win32 dir>]
#   A 64-bit Windows: installer_check.exe and pantrium.exe (x86_64) lie beside
#   the installer; the prefix is <exe dir>/wineprefix-install. It needs Debian's
#   wine32:i386 installed beside the 64-bit Wine (the installer is 32-bit).
#   --win32: a 32-bit Windows (a win32 prefix, <exe dir>/wineprefix-install32);
#   the i686 pantrium.exe and installer_check.exe come from the given folder,
#   and run with the installer on that folder's emulated 32-bit Wine (wine32/).
# Prints PASS/FAIL lines.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"

setup=${1:?usage: wine-installer.sh <pantrium-setup.exe>}
if [ ! -f "$setup" ]; then
  echo "FAIL: installer $setup does not exist (build the target pantrium_setup first)"
  exit 1
fi
build=$(cd "$(dirname "$setup")" && pwd)
setup=$build/$(basename "$setup")
programs=$build bits=64 prefix=$build/wineprefix-install
if [ "${2:-}" = "--win32" ]; then
  programs=$(cd "${3:?--win32 needs the build-win32 folder}" && pwd) bits=32 prefix=$build/wineprefix-install32
fi
checker=$programs/installer_check.exe
started=$(date +%s)
failed=0
pass() { echo "PASS: $*"; }
fail() { echo "FAIL: $*"; failed=1; }
check() {  # description, then the test command
  local what=$1; shift
  if "$@"; then pass "$what"; else fail "$what"; fi
}

trap_wine_cleanup
if [ $bits = 32 ]; then
  # The 32-bit Wine of scripts/wine/wine32-setup.sh, under qemu-i386.
  bash "$here/wine32-setup.sh" "$programs/wine32" || { echo "FAIL: the 32-bit Wine could not be set up"; exit 1; }
  wine_setup "$prefix" "$programs/wine32"
else
  # The installer is a 32-bit program: a 64-bit Windows needs Wine's 32-bit
  # half beside the 64-bit one (Debian's wine32:i386).
  if [ ! -x /usr/lib/wine/wine ]; then
    echo "FAIL: the installer is a 32-bit program and Wine's 32-bit half is missing (package wine32:i386)"
    exit 1
  fi
  wine_setup "$prefix"
fi
start_xvfb || exit 1
start_wineserver || exit 1
prepare_prefix

key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Pantrium'
user=$(ls "$WINEPREFIX/drive_c/users" | grep -vx Public | head -n1)
home=$WINEPREFIX/drive_c/users/$user
winhome="C:\\users\\$user"
program_dir=$home/AppData/Local/Programs/Pantrium
lists=$home/Documents/Pantrium
shortcut=$home/AppData/Roaming/Microsoft/Windows/Start\ Menu/Programs/Pantrium.lnk

# A clean start: nothing left from an earlier run.
rm -rf "$program_dir" "$lists" "$shortcut"
"$wine_loader" reg delete "$key" /f >/dev/null 2>&1

# ---- install ------------------------------------------------------------------
timeout 300 "$wine_loader" "$setup" /S >/dev/null 2>&1
check "the silent install ends with exit code 0" test $? -eq 0
check "pantrium.exe is installed in AppData\\Local\\Programs\\Pantrium" test -f "$program_dir/pantrium.exe"
check "a $bits-bit Windows gets the $bits-bit program" cmp -s "$program_dir/pantrium.exe" "$programs/pantrium.exe"
check "the help file lies beside the program" cmp -s "$program_dir/Pantrium.chm" "$build/Pantrium.chm"
check "the help file lies in the lists folder Documents\\Pantrium" cmp -s "$lists/Pantrium.chm" "$build/Pantrium.chm"
check "the uninstaller is installed" test -f "$program_dir/uninstall.exe"
check "the Start-menu shortcut exists" test -f "$shortcut"

entry=$("$wine_loader" reg query "$key" 2>/dev/null | tr -d '\r')
check "the uninstall entry names the uninstaller" \
  grep -qiF "UninstallString    REG_SZ    \"$winhome\\AppData\\Local\\Programs\\Pantrium\\uninstall.exe\"" <<<"$entry"
check "the uninstall entry shows Pantrium 1.50" grep -qF "DisplayName    REG_SZ    Pantrium 1.50" <<<"$entry"

link=$("$wine_loader" "$checker" shortcut "$winhome\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Pantrium.lnk" 2>/dev/null | tr -d '\r')
echo "$link"
check "the shortcut starts the installed program" \
  grep -qixF "TARGET $winhome\\AppData\\Local\\Programs\\Pantrium\\pantrium.exe" <<<"$link"
check "the shortcut's working folder is the lists folder" \
  grep -qixF "WORKDIR $winhome\\Documents\\Pantrium" <<<"$link"

# ---- run as the shortcut does: the program in the lists folder -----------------
(cd "$lists" && exec timeout 180 "$wine_loader" "$winhome\\AppData\\Local\\Programs\\Pantrium\\pantrium.exe") >/dev/null 2>&1 &
prog_pid=$!
drive=$("$wine_loader" "$checker" save 2>/dev/null | tr -d '\r')
echo "$drive"
check "the installed program's main window appears, saves its list and closes" grep -q "^SAVED" <<<"$drive"
wait "$prog_pid" 2>/dev/null
prog_pid=
check "the list is saved in the lists folder" test "$(stat -c %s "$lists/my Pantrium.ptm" 2>/dev/null)" = 21
check "grocery.ini in the lists folder names the list" \
  test "$(cat "$lists/grocery.ini" 2>/dev/null)" = "$(printf 'my Pantrium.ptm\r\n')"

# ---- uninstall ------------------------------------------------------------------
# The uninstaller copies itself to the temporary folder and runs from there, so
# the command returns before the files are gone: wait for them.
timeout 180 "$wine_loader" "$winhome\\AppData\\Local\\Programs\\Pantrium\\uninstall.exe" /S >/dev/null 2>&1
for i in $(seq 1 150); do [ -e "$program_dir" ] || break; sleep 0.2; done
check "the uninstaller removes the program folder" test ! -e "$program_dir"
check "the uninstaller removes the shortcut" test ! -e "$shortcut"
"$wine_loader" reg query "$key" >/dev/null 2>&1
check "the uninstaller removes the uninstall entry" test $? -ne 0
check "the user's list stays" test "$(stat -c %s "$lists/my Pantrium.ptm" 2>/dev/null)" = 21
check "grocery.ini stays" test -f "$lists/grocery.ini"

echo "installer ($bits-bit Windows): finished in $(( $(date +%s) - started )) s"
if [ "$failed" -ne 0 ]; then
  echo "wine installer test FAILED"
  exit 1
fi
echo "wine installer test passed"

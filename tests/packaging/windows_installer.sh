#!/usr/bin/env bash
# The installer under wine, in a prefix made afresh: started by hand it greets in Japanese under a
# Japanese locale and in English otherwise; a silent install (/S) puts kalvio.exe under Program
# Files with the project's version in its version resource, a Start-menu shortcut to it, and the
# entry in the list of programs; the installed program shows its window, an uninstall while it
# runs removes nothing, and it exits through its menu, writing its settings; the silent uninstall
# then removes everything it installed and leaves the user's settings under Documents.
# Usage: windows_installer.sh <setup.exe> <window-probe.exe> <screenshot dir> <version> <arch>
setup_program=$(realpath "${1:?setup.exe}")
version=${4:?version}
arch=${5:?arch}
# A run that was killed may have left its wine running in that prefix: stop it before it goes.
if [ -d "${KALVIO_DESKTOP_WINE:?a wine folder of its own}/prefix" ]; then
  WINEPREFIX=$KALVIO_DESKTOP_WINE/prefix /usr/lib/wine/wineserver -k 2>/dev/null || true
fi
rm -rf "$KALVIO_DESKTOP_WINE"
source "$(dirname "$0")/../e2e/windows/session.sh" "$@"

drive_c=$WINEPREFIX/drive_c
if [ "$arch" = x86_64 ]; then
  program_files="$drive_c/Program Files"
  windows_install_dir='C:\Program Files\Kalvio'
  registry_view=/reg:64
else
  program_files="$drive_c/Program Files (x86)"
  windows_install_dir='C:\Program Files (x86)\Kalvio'
  registry_view=/reg:32
fi
install_dir="$program_files/Kalvio"
shortcut="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Kalvio.lnk"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kalvio'
uninstall_entry() {
  "$scripts/lib/wine-run" reg query "$uninstall_key" "$registry_view" </dev/null 2>/dev/null | tr -d '\r'
}
has_uninstall_entry() {
  "$scripts/lib/wine-run" reg query "$uninstall_key" "$registry_view" </dev/null >/dev/null 2>&1
}

# Started by hand, the installer greets the user in the language of their Windows.
for greeting in "ja_JP.UTF-8:Kalvio セットアップ" "C.UTF-8:Kalvio Setup"; do
  LC_ALL=${greeting%%:*} "$scripts/lib/wine-run" "$setup_program" </dev/null >"$work/greeting.log" 2>&1 &
  greeter=$!
  probe window '#32770' "${greeting#*:}" 30 >/dev/null ||
    fail "no installer window titled '${greeting#*:}' under LC_ALL=${greeting%%:*}"
  kill "$greeter"
  wait "$greeter" || true
done

# The installer returns when it is done.
"$scripts/lib/wine-run" "$setup_program" /S </dev/null >"$work/setup.log" 2>&1 || fail "setup exit code $?"
[ -f "$install_dir/kalvio.exe" ] || fail "no kalvio.exe in $install_dir: $(ls -la "$program_files")"
[ -f "$install_dir/uninstall.exe" ] || fail "no uninstaller"
cmp -s "$install_dir/kalvio.exe" "$(dirname "$setup_program")/../packaging/windows/kalvio.exe" ||
  fail "the installed kalvio.exe is not the one packaged"
[ "$(strings -el "$install_dir/kalvio.exe" | grep -A1 -x ProductVersion | tail -n 1)" = "$version" ] ||
  fail "the version resource does not say $version"
[ -f "$shortcut" ] || fail "no Start-menu shortcut"
strings -el "$shortcut" | grep -qi 'Kalvio\\kalvio.exe' || fail "the shortcut does not lead to kalvio.exe"
entry=$(uninstall_entry)
expect_lines "$entry" \
  "DisplayName    REG_SZ    Kalvio" \
  "DisplayVersion    REG_SZ    $version" \
  "UninstallString    REG_SZ    \"C:\\Program Files" \
  "QuietUninstallString    REG_SZ    \"C:\\Program Files"
expect_lines "$entry" 'Kalvio\uninstall.exe" /S'

kalvio=$install_dir/kalvio.exe
start_kalvio
main_window >/dev/null
import -window root "$screenshots/installed-window.png"
# While it runs, the uninstaller refuses and removes nothing (run in place with _?= so that it is
# waited for; wine reports exit code 0 either way).
"$scripts/lib/wine-run" "$install_dir/uninstall.exe" /S "_?=$windows_install_dir" </dev/null \
  >"$work/refused-uninstall.log" 2>&1 || true
[ -f "$install_dir/kalvio.exe" ] && [ -f "$shortcut" ] && has_uninstall_entry ||
  fail "the uninstaller removed parts of the running program"
exit_through_menu
wait_for_exit "$kalvio_pid"
[ "$exit_code" = 0 ] || fail "exit code $exit_code"
[ -f "$settings" ] || fail "no $settings after the installed program's exit"

# The uninstaller copies itself away and returns at once: wait for its work.
"$scripts/lib/wine-run" "$install_dir/uninstall.exe" /S </dev/null >"$work/uninstall.log" 2>&1 ||
  fail "uninstall exit code $?"
for _ in $(seq 300); do
  [ -e "$install_dir" ] || [ -e "$shortcut" ] || break
  sleep 0.1
done
[ ! -e "$install_dir" ] || fail "left behind: $(ls -la "$install_dir")"
[ ! -e "$shortcut" ] || fail "the shortcut is left behind"
# The key goes last of all.
for _ in $(seq 10); do
  has_uninstall_entry || break
  sleep 0.5
done
! has_uninstall_entry || fail "the uninstall entry is left behind"
[ -f "$settings" ] || fail "the uninstaller removed the user's settings"
echo PASS

#!/usr/bin/env bash
# The installer under Wine: /S installs into Program Files\Vorelka with a
# Start-menu shortcut and an Apps and Features entry; the program starts
# from the shortcut; the uninstaller, also with /S, takes all of it away.
# Run by run_tests.sh, which sets up Wine.
set -Eeuo pipefail
trap 'echo "FAIL: line $LINENO: $BASH_COMMAND" >&2' ERR
source "$here/wine_basics.sh"

drive_c=$WINEPREFIX/drive_c
installed=$drive_c/Program\ Files/Vorelka
shortcut='C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Vorelka\Vorelka.lnk'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vorelka'

# The prefix is kept between runs: start from one without Vorelka.
rm -rf "$installed" "$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Vorelka"

step "Vorelka-$version-setup.exe /S"
wine_run 120 "$root/Vorelka-$version-setup.exe" /S </dev/null >/dev/null 2>&1 ||
  fail "the installer failed"
while IFS= read -r -d '' file; do
  cmp -s "$file" "$installed/${file#"$stage"/}" || fail "not installed as shipped: ${file#"$stage"/}"
done < <(find "$stage" -type f -print0)
[[ -e $installed/Uninstall.exe ]] || fail "no uninstaller"
[[ -e "$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Vorelka/Vorelka.lnk" ]] ||
  fail "no Start-menu shortcut"
wine_run 60 reg query "$uninstall_key" /v DisplayName </dev/null 2>/dev/null | grep -q Vorelka ||
  fail "no entry in Apps and Features"
wine_run 60 reg query "$uninstall_key" /v QuietUninstallString </dev/null 2>/dev/null |
  grep -q 'Uninstall.exe" /S' || fail "no quiet uninstall command"

step "the program from its Start-menu shortcut"
wine_run 30 start "$shortcut" </dev/null >/dev/null 2>&1 || fail "the shortcut does not start"
for _ in $(seq 300); do
  win=$(xdotool search --onlyvisible --name '^Vorelka$' 2>/dev/null || true)
  [[ -n $win ]] && break
  sleep 0.1
done
[[ -n $win ]] || fail "no window from the shortcut"
xdotool windowfocus --sync "$win" || true
xdotool key alt+F4
program_ends vorelka.exe 30 || fail "the program did not end when its window closed"

step "Uninstall.exe /S"
wine_run 60 "C:\\Program Files\\Vorelka\\Uninstall.exe" /S </dev/null >/dev/null 2>&1 ||
  fail "the uninstaller failed"
# The uninstaller runs on from a copy of itself in the temporary folder:
# wait for its work, the last step of which is the entry.
start_menu_folder="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Vorelka"
for _ in $(seq 60); do
  [[ ! -e $installed && ! -e $start_menu_folder ]] &&
    ! wine_run 60 reg query "$uninstall_key" </dev/null >/dev/null 2>&1 && break
  sleep 0.5
done
[[ ! -e $installed ]] || fail "the install folder is still there: $(ls -A "$installed")"
[[ ! -e $start_menu_folder ]] || fail "the Start-menu folder is still there"
! wine_run 60 reg query "$uninstall_key" </dev/null >/dev/null 2>&1 || fail "the entry is still there"

#!/usr/bin/env bash
# Checks the download the way a user meets it, on the display of the Wine session that
# wine-session.sh started:
# the zip holds exactly the program, the readme and the license; unpacked into an empty folder,
# the program starts from there, solves a system and closes (e2e_tests.exe's Release tests);
# the MSI installs it with a Start-menu shortcut, in the "Open with" list of .csv files and as
# one entry of the installed programs with the program's icon and publisher; a newer package
# replaces it, an older one is refused over that, and uninstalling leaves no trace.
#   check-release.sh STATE_DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
state=$1
# A prefix of its own, new for each run, on the session's display: what the installer writes
# never meets the other tests, and one run's leftovers never meet the next.
export WINEPREFIX="$root/build/wineprefix-release"
source "$root/tools/wine-env.sh"
export DISPLAY=":$(cat "$state/display")"
fail() { echo "release check: $*" >&2; exit 1; }
work=""
newerMsi=""
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  rm -rf "$work"
  [ -z "$newerMsi" ] || rm -f "$newerMsi" "${newerMsi%.msi}.zip"
}
trap cleanup EXIT
rm -rf "$WINEPREFIX"
"$root/tools/wine-session.sh" prepare "$state/release" >/dev/null
wineserver -p </dev/null >/dev/null 2>&1

out=$("$root/tools/release.sh")
zip=$(echo "$out" | sed -n 's/^Archive: *//p')
msi="${zip%.zip}.msi"
[ -f "$zip" ] && [ -f "$msi" ] || fail "release.sh made no zip and msi"

listed=$(unzip -Z1 "$zip" | tr '\n' ' ')
[ "$listed" = "Haltiqo.exe README.txt LICENSE.txt " ] || fail "the zip holds: $listed"

work=$(mktemp -d "$root/build/release-check.XXXXXX")
unzip -q "$zip" -d "$work/unpacked"
HALTIQO_EXE=$(winepath -w "$work/unpacked/Haltiqo.exe") \
  wine "$root/build/windows/e2e_tests.exe" --gtest_filter='Release.*' ||
  fail "the unpacked program failed its run"

programs="$WINEPREFIX/drive_c/Program Files/Haltiqo"
# The all-users Start menu, or, as Wine's installer puts it, the user's own.
shortcuts=("$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Haltiqo.lnk"
  "$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Haltiqo.lnk")
wine msiexec /i "$(winepath -w "$msi")" /qn || fail "msiexec /i failed"
cmp -s "$programs/Haltiqo.exe" "$work/unpacked/Haltiqo.exe" || fail "no Haltiqo.exe in $programs"
[ -f "$programs/README.txt" ] && [ -f "$programs/LICENSE.txt" ] || fail "readme or license missing"
[ -f "${shortcuts[0]}" ] || [ -f "${shortcuts[1]}" ] || fail "no Start-menu shortcut"
classes='HKEY_LOCAL_MACHINE\Software\Classes'
wine reg query "$classes\.csv\OpenWithProgids" /v Haltiqo.csv >/dev/null 2>&1 ||
  fail "Haltiqo is not offered for .csv files"
command=$(wine reg query "$classes\Haltiqo.csv\shell\open\command" /ve 2>/dev/null | tr -d '\r')
[[ "$command" == *'Haltiqo\Haltiqo.exe" "%1"'* ]] || fail "the open command is: $command"
! wine reg query "$classes\.csv" /ve 2>/dev/null | grep -q Haltiqo || fail ".csv now defaults to Haltiqo"

# The installed programs' entries named Haltiqo, as "version publisher icon" lines.
entries() {
  local key='HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Uninstall'
  local code
  for code in $(wine uninstaller --list 2>/dev/null | tr -d '\r' | sed -n 's/^\({[^}]*}\)|||Haltiqo$/\1/p'); do
    local values
    values=$(wine reg query "$key\\$code" 2>/dev/null | tr -d '\r')
    # The list shows the icon the installer keeps for the product.
    local icon=0
    [ -f "$WINEPREFIX/drive_c/windows/Installer/$code/Haltiqo.ico" ] && icon=1
    printf '%s %s %s\n' "$(sed -n 's/.*DisplayVersion *REG_SZ *//p' <<<"$values")" \
      "$(sed -n 's/.*Publisher *REG_SZ *//p' <<<"$values")" "$icon"
  done
}
version=$(basename "$msi" | sed 's/^Haltiqo-\(.*\)-win64\.msi$/\1/')
[ "$(entries)" = "$version Haltiqo 1" ] || fail "installed programs: $(entries)"

# The same program packaged as the next version, then as this one again.
IFS=. read -r major minor build revision <<<"$version"
newer="$major.$minor.$((build + 1)).$revision"
newerMsi="${msi%/*}/Haltiqo-$newer-win64.msi"
"$root/tools/release.sh" "$newer" >/dev/null
wine msiexec /i "$(winepath -w "$newerMsi")" /qn || fail "the newer package did not install"
[ "$(entries)" = "$newer Haltiqo 1" ] || fail "after the newer package: $(entries)"
[ "$(ls "$programs" | tr '\n' ' ')" = "Haltiqo.exe LICENSE.txt README.txt " ] ||
  fail "after the newer package $programs holds: $(ls "$programs")"
head -1 "$programs/README.txt" | grep -q "Haltiqo $newer" || fail "the older readme stayed"
# Refused by its launch condition, whose message says why.
! wine msiexec /i "$(winepath -w "$msi")" /qn || fail "the older package went over the newer"
[ "$(entries)" = "$newer Haltiqo 1" ] || fail "after the older package: $(entries)"
wine msiexec /x "$(winepath -w "$newerMsi")" /qn || fail "msiexec /x failed"
[ -z "$(entries)" ] || fail "uninstalling left the entry: $(entries)"
[ ! -e "$programs" ] || fail "uninstalling left $programs"
[ ! -e "${shortcuts[0]}" ] && [ ! -e "${shortcuts[1]}" ] || fail "uninstalling left the shortcut"
! wine reg query "$classes\Haltiqo.csv" >/dev/null 2>&1 || fail "uninstalling left the file type"
echo "release check passed: $(basename "$zip"), $(basename "$msi"), upgraded to $newer and back refused"

#!/usr/bin/env bash
# This build's MSI under Wine's msiexec, silently, in a prefix of the test's own (a copy
# of the build's): an older package is installed and then upgraded by this one, which
# leaves one Kavrona, this one, with its shortcut and its uninstall entry, and the
# program runs from Program Files (`/json -`); the older one is then refused; removed,
# nothing of it is left in the files or the registry.
set -euo pipefail
tests_exe=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/common.sh"
wineserver=$(wineserver_path) || fail "wineserver not found; scripts/setup.sh installs Wine"
build=$(cd "$(dirname "$tests_exe")/.." && pwd)
build_prefix=$WINEPREFIX

work=$(mktemp -d "$build/msi-test.XXXXXX")
export WINEPREFIX=$work/prefix
cleanup() {
  "$wineserver" -k </dev/null >/dev/null 2>&1 || true
  "$wineserver" -w </dev/null >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT
# winemenubuilder would copy the Start-menu shortcut into this Linux user's desktop
# menus, where the uninstall leaves it.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"
windows() { echo "Z:${1//\//\\}"; }

# The older package holds the build's program with bytes added past its end, which
# Windows ignores, so that the upgrade shows in the installed file.
quietly "packaging this build" "$root/scripts/package.sh" --build "$build" --out "$work/new"
cp "$build/Kavrona.exe" "$work/older.exe"
printf 'older' >>"$work/older.exe"
quietly "packaging an older version" "$root/scripts/package.sh" --build "$build" --out "$work/old" \
  --version 0.9.0.0 --exe "$work/older.exe"
new_msi=$(echo "$work"/new/Kavrona-*.msi)
old_msi=$(echo "$work"/old/Kavrona-*.msi)

drive_c=$WINEPREFIX/drive_c
case $(file -b "$build/Kavrona.exe") in
  PE32+*)
    program_dir="$drive_c/Program Files/Kavrona"
    uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
    ;;
  *)
    program_dir="$drive_c/Program Files (x86)/Kavrona"
    uninstall='HKLM\Software\WOW6432Node\Microsoft\Windows\CurrentVersion\Uninstall'
    ;;
esac
# Windows puts a per-machine package's shortcut in the common Start menu; Wine 8 puts it
# in the installing user's (its msi takes ProgramMenuFolder from the user regardless).
shortcuts() {
  ls "$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Kavrona.lnk" \
    "$drive_c"/users/*/AppData/Roaming/Microsoft/Windows/Start\ Menu/Programs/Kavrona.lnk 2>/dev/null || true
}

# Every uninstall entry named Kavrona, as "DisplayVersion Publisher".
uninstall_entries() {
  { "$root/scripts/wine-run" reg query "$uninstall" /s </dev/null 2>/dev/null || true; } | tr -d '\r' |
    awk -F '    ' '
      /^HKEY_/ { key = $0 }
      $2 == "DisplayName" { name[key] = $4 }
      $2 == "DisplayVersion" { version[key] = $4 }
      $2 == "Publisher" { publisher[key] = $4 }
      END { for (k in name) if (name[k] == "Kavrona") print version[k], publisher[k] }'
}

# What of Kavrona the prefix holds: files named so, cached packages, registry lines
# naming it (key lines without their time of writing).
traces() {
  "$wineserver" -k </dev/null >/dev/null 2>&1 || true
  "$wineserver" -w </dev/null >/dev/null 2>&1 || true
  (cd "$drive_c" && find . -iname '*kavrona*' -o -path './windows/Installer/*' -type f) | sort
  { grep -i -h 'kavrona' "$WINEPREFIX"/*.reg || true; } | sed -E 's/^(\[.*\]) [0-9]+$/\1/' | sort
}

msiexec() {  # expected exit code, log name, msiexec's arguments
  # A Linux parent sees only the low 8 bits of a Windows exit code: 1603 comes as 67.
  local want=$(($1 % 256)) log=$work/$2.log got=0
  shift 2
  "$root/scripts/wine-run" msiexec "$@" /qn /l*v "$(windows "$log")" </dev/null || got=$?
  if [ $got -ne "$want" ]; then
    iconv -f cp1250 -t utf-8 "$log" 2>/dev/null | tail -30 | sed 's/^/  | /' >&2
    fail "msiexec $*: exit code $got, expected $want (the end of its log above)"
  fi
}

expect_installed() {  # the version in Programs and Features, the program it installed
  local entries
  cmp "$2" "$program_dir/Kavrona.exe" || fail "Program Files holds not the program of version $1"
  entries=$(uninstall_entries)
  [ "$entries" = "$1 www.kavrona.cz" ] || fail "uninstall entries: '$entries', expected one of version $1"
  [ "$(shortcuts | wc -l)" -eq 1 ] || fail "shortcuts: '$(shortcuts)', expected one Kavrona.lnk"
  grep -a -q 'Kavrona\.exe' "$(shortcuts)" || fail "the shortcut does not lead to Kavrona.exe"
  echo "installed: version $1 in ${program_dir#"$drive_c"/}, its shortcut and its uninstall entry"
}

cp -a "$build_prefix/." "$WINEPREFIX/"
before=$(traces)
"$wineserver" -p </dev/null >/dev/null 2>&1
quietly "starting Wine in the test's prefix" "$root/scripts/wine-run" cmd /c exit

msiexec 0 older /i "$(windows "$old_msi")"
expect_installed 0.9.0 "$work/older.exe"
msiexec 0 upgrade /i "$(windows "$new_msi")"
expect_installed 1.0.0 "$build/Kavrona.exe"

# The installed program runs: its record, read from its standard output, is valid and
# names this machine's user.
"$root/scripts/wine-run" "$program_dir/Kavrona.exe" /json - </dev/null >"$work/record.jsonl" ||
  fail "the installed program's /json - ended with $?"
python3 "$root/tests/validate_json_lines.py" "$root/docs/kavrona.schema.json" "$work/record.jsonl"
python3 -c 'import json, sys; sys.exit(json.loads(open(sys.argv[1]).read())["user"] != sys.argv[2])' \
  "$work/record.jsonl" "$(whoami)" || fail "the installed program's record does not name the user"
echo "the installed program writes its record on this machine"

# Wine's msiexec logs no launch condition's message: the package is asked for it.
msiexec 1603 downgrade /i "$(windows "$old_msi")"
grep -q '^Property(S): WIX_DOWNGRADE_DETECTED = {' "$work/downgrade.log" ||
  fail "the older package was refused, but not for the newer one installed"
msiinfo export "$old_msi" LaunchCondition | tr -d '\r' |
  grep -q -x -F "NOT WIX_DOWNGRADE_DETECTED	Novější verze programu Kavrona je již nainstalována." ||
  fail "the package's downgrade message is not the Czech one"
expect_installed 1.0.0 "$build/Kavrona.exe"
echo "the older package is refused"

msiexec 0 uninstall /x "$(windows "$new_msi")"
[ ! -e "$program_dir" ] || fail "$program_dir is left"
[ -z "$(shortcuts)" ] || fail "the shortcut is left: $(shortcuts)"
[ -z "$(uninstall_entries)" ] || fail "an uninstall entry is left: $(uninstall_entries)"
after=$(traces)
[ "$before" = "$after" ] || fail "left in the prefix: $(diff <(echo "$before") <(echo "$after") | grep '^>')"
echo "uninstalled: nothing of Kavrona is left"

#!/usr/bin/env bash
# This build's MSI under Wine's msiexec, silently, in a prefix of the test's own (a copy
# of the build's), as an administrator deploys it: an older package is installed; an
# upgrade that fails leaves it installed and running; the README's install line upgrades
# it, which leaves one Kavrona, this one, per machine, with its shortcut and its
# uninstall entry, and the program runs from Program Files (`/json -`); the older one is
# then refused; a rebuild of this version replaces it; the other build's package of
# this version replaces it and is replaced by it in turn; the README's task line
# registers the nightly task from the installed definition, whose command writes the
# record; the README's removal line leaves nothing of Kavrona in the files or the
# registry.
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

case $(file -b "$build/Kavrona.exe") in
  PE32+*) arch=x64 other=x86 ;;
  *) arch=x86 other=x64 ;;
esac
# The same version of the other build, beside this one (scripts/test.sh builds both).
other_build=$(dirname "$build")/windows-$other
[ -f "$other_build/Kavrona.exe" ] ||
  fail "$other_build/Kavrona.exe is missing: the test installs the $other package too; build both"

# The test's own packages hold the build's program with bytes added past its end, which
# Windows ignores, so that which one is installed shows in the installed file.
variant() {  # name, then package.sh's options: the package's program is work/NAME.exe
  local name=$1
  shift
  cp "$build/Kavrona.exe" "$work/$name.exe"
  printf '%s' "$name" >>"$work/$name.exe"
  quietly "packaging the $name program" "$root/scripts/package.sh" --build "$build" --out "$work/$name" \
    --exe "$work/$name.exe" "$@"
}
quietly "packaging this build" "$root/scripts/package.sh" --build "$build" --out "$work/new"
quietly "packaging the $other build" "$root/scripts/package.sh" --build "$other_build" --out "$work/other"
variant older --version 0.9.0.0
variant rebuilt
variant failing
new_msi=$(echo "$work"/new/Kavrona-*.msi)
old_msi=$(echo "$work"/older/Kavrona-*.msi)
rebuilt_msi=$(echo "$work"/rebuilt/Kavrona-*.msi)
other_msi=$(echo "$work"/other/Kavrona-*.msi)
# The failing upgrade fails once it has passed InstallValidate, where the finished
# package removed the installed version until it ran that removal inside the
# transaction. Wine's msi runs the removal as a separate msiexec that no rollback
# undoes, so a failure later on would take the old version here even where Windows
# restores it: the test fails the upgrade just before InstallInitialize, with an error
# custom action (type 19).
failing_msi=$(echo "$work"/failing/Kavrona-*.msi)
msibuild "$failing_msi" \
  -q "INSERT INTO \`CustomAction\` (\`Action\`, \`Type\`, \`Target\`) VALUES ('FailForTest', 19, 'test')" \
  -q "INSERT INTO \`InstallExecuteSequence\` (\`Action\`, \`Sequence\`) VALUES ('FailForTest', 1499)" ||
  fail "making the failing package"

drive_c=$WINEPREFIX/drive_c
program_dir() {  # x86 or x64
  [ "$1" = x64 ] && echo "$drive_c/Program Files/Kavrona" || echo "$drive_c/Program Files (x86)/Kavrona"
}
program_dir=$(program_dir "$arch")
# Windows puts a per-machine package's shortcut in the common Start menu; Wine 8 puts it
# in the installing user's (its msi takes ProgramMenuFolder from the user regardless).
shortcuts() {
  ls "$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Kavrona.lnk" \
    "$drive_c"/users/*/AppData/Roaming/Microsoft/Windows/Start\ Menu/Programs/Kavrona.lnk 2>/dev/null || true
}

# Every uninstall entry named Kavrona, in the registry's view of either build, as
# "build DisplayVersion Publisher NoModify".
uninstall_entries() {
  local view key
  for view in x64 x86; do
    key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
    [ $view = x86 ] && key='HKLM\Software\WOW6432Node\Microsoft\Windows\CurrentVersion\Uninstall'
    { "$root/scripts/wine-run" reg query "$key" /s </dev/null 2>/dev/null || true; } | tr -d '\r' |
      awk -F '    ' -v view=$view '
        /^HKEY_/ { key = $0 }
        $2 == "DisplayName" { name[key] = $4 }
        $2 == "DisplayVersion" { version[key] = $4 }
        $2 == "Publisher" { publisher[key] = $4 }
        $2 == "NoModify" { nomodify[key] = $4 }
        END { for (k in name) if (name[k] == "Kavrona") print view, version[k], publisher[k], nomodify[k] }'
  done
}

# What of Kavrona the prefix holds: files named so, cached packages, registry lines
# naming it (key lines without their time of writing). The README's lines leave their
# logs in %TEMP%, which are the administrator's.
traces() {
  "$wineserver" -k </dev/null >/dev/null 2>&1 || true
  "$wineserver" -w </dev/null >/dev/null 2>&1 || true
  (cd "$drive_c" && find . -iname '*kavrona*' -o -path './windows/Installer/*' -type f) |
    { grep -v '^\./users/[^/]*/Temp/kavrona-msi[-a-z]*\.log$' || true; } | sort
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

# A README line typed at cmd's prompt, then `echo %errorlevel%`: the code it prints.
typed() {  # name, the line
  printf '%s\r\necho %%errorlevel%%\r\n' "$2" >"$work/$1.cmd"
  "$root/scripts/wine-run" cmd /c "$(windows "$work/$1.cmd")" </dev/null 2>&1 | tr -d '\r' | tail -1
}

# The one README line that starts so.
readme_line() {  # start
  local found
  found=$(START=$1 awk 'index($0, ENVIRON["START"]) == 1' "$root/README.md")
  [ "$(echo "$found" | grep -c .)" -eq 1 ] || fail "the README has not one line that starts with '$1': '$found'"
  echo "$found"
}

# The README's install or removal line, with the test's package for the README's share,
# typed at the prompt. msiexec's codes of success: 0, and done with a restart needed
# (3010) or started (1641).
readme_msiexec() {  # /i or /x, the package
  local line code
  line=$(readme_line "start \"\" /wait msiexec $1 ")
  [[ $line =~ (\\\\server\\software\\Kavrona\\[^ ]*\.msi) ]] || fail "no package in the share in: $line"
  code=$(typed "readme-${1#/}" "${line/"${BASH_REMATCH[1]}"/"$(windows "$2")"}")
  case $code in
    0 | 3010 | 1641) echo "the README's msiexec $1 line: $code" ;;
    *) fail "the README's msiexec $1 line: errorlevel '$code'" ;;
  esac
}

expect_installed() {  # build, version in Programs and Features, the program it installed
  local entries gone=$arch
  cmp "$3" "$(program_dir "$1")/Kavrona.exe" || fail "Program Files holds not the $1 program of version $2"
  [ "$1" = "$arch" ] && gone=$other
  [ ! -e "$(program_dir "$gone")" ] || fail "the $gone program's folder is left beside the $1 one"
  entries=$(uninstall_entries)
  [ "$entries" = "$1 $2 www.kavrona.cz 0x1" ] ||
    fail "uninstall entries: '$entries', expected one, '$1 $2 www.kavrona.cz 0x1' (build, version, publisher, NoModify)"
  [ "$(shortcuts | wc -l)" -eq 1 ] || fail "shortcuts: '$(shortcuts)', expected one Kavrona.lnk"
  grep -a -q 'Kavrona\.exe' "$(shortcuts)" || fail "the shortcut does not lead to Kavrona.exe"
  echo "installed: the $1 Kavrona $2 (${3##*/}), its shortcut and its uninstall entry"
}

# The installed program runs: its record, read from its standard output, is valid and
# names this machine's user.
expect_running() {  # build
  "$root/scripts/wine-run" "$(program_dir "$1")/Kavrona.exe" /json - </dev/null >"$work/record.jsonl" ||
    fail "the installed program's /json - ended with $?"
  python3 "$root/tests/validate_json_lines.py" "$root/docs/kavrona.schema.json" "$work/record.jsonl" >/dev/null
  python3 -c 'import json, sys; sys.exit(json.loads(open(sys.argv[1]).read())["user"] != sys.argv[2])' \
    "$work/record.jsonl" "$(whoami)" || fail "the installed program's record does not name the user"
  echo "the installed program writes its record on this machine"
}

cp -a "$build_prefix/." "$WINEPREFIX/"
before=$(traces)
"$wineserver" -p </dev/null >/dev/null 2>&1
quietly "starting Wine in the test's prefix" "$root/scripts/wine-run" cmd /c exit

# What an administrator relies on, in the package itself: per machine, and the shortcut
# in the Start menu of all users (Wine's msi takes ProgramMenuFolder from the user even
# so: on disk, shortcuts() finds it in either).
for msi in "$new_msi" "$other_msi"; do
  msiinfo export "$msi" Property | tr -d '\r' | grep -q -x -F "ALLUSERS	1" || fail "${msi##*/}: ALLUSERS is not 1"
  msiinfo export "$msi" Shortcut | tr -d '\r' | grep -q -P '^StartMenuShortcut\tProgramMenuFolder\tKavrona\t' ||
    fail "${msi##*/}: the shortcut is not in ProgramMenuFolder"
  msiinfo export "$msi" Directory | tr -d '\r' | grep -q -x -F "ProgramMenuFolder	TARGETDIR	." ||
    fail "${msi##*/}: ProgramMenuFolder is not the system's folder"
done
echo "both packages install per machine, with the shortcut in the common Start menu"

msiexec 0 older /i "$(windows "$old_msi")"
expect_installed "$arch" 0.9.0 "$work/older.exe"
msiexec 1603 failing /i "$(windows "$failing_msi")"
expect_installed "$arch" 0.9.0 "$work/older.exe"
expect_running "$arch"
echo "an upgrade that failed left the older version"

readme_msiexec /i "$new_msi"
expect_installed "$arch" 1.0.0 "$build/Kavrona.exe"
expect_running "$arch"

# Wine's msiexec logs no launch condition's message: the package is asked for it.
msiexec 1603 downgrade /i "$(windows "$old_msi")"
grep -q '^Property(S): WIX_DOWNGRADE_DETECTED = {' "$work/downgrade.log" ||
  fail "the older package was refused, but not for the newer one installed"
msiinfo export "$old_msi" LaunchCondition | tr -d '\r' |
  grep -q -x -F "NOT WIX_DOWNGRADE_DETECTED	Novější verze programu Kavrona je již nainstalována." ||
  fail "the package's downgrade message is not the Czech one"
expect_installed "$arch" 1.0.0 "$build/Kavrona.exe"
echo "the older package is refused"

msiexec 0 rebuilt /i "$(windows "$rebuilt_msi")"
expect_installed "$arch" 1.0.0 "$work/rebuilt.exe"
msiexec 0 other /i "$(windows "$other_msi")"
expect_installed "$other" 1.0.0 "$other_build/Kavrona.exe"
msiexec 0 back /i "$(windows "$new_msi")"
expect_installed "$arch" 1.0.0 "$build/Kavrona.exe"
echo "a rebuild and the $other package of this version each replace the one installed"

# The nightly task, as the README has it: the installed definition copied to the
# software share with the share of the records put in, registered by the README's line,
# twice (/f: the second replaces the first, instead of asking). Wine's Task Scheduler
# keeps only the settings of what it registers, and starts nothing: the command is run
# from the shipped definition, as the scheduler would start it.
mkdir -p "$work/software" "$work/share"
python3 -c 'import sys; text = open(sys.argv[1], encoding="utf-16").read()
open(sys.argv[3], "w", encoding="utf-16", newline="").write(text.replace("\\\\server\\share", sys.argv[2]))' \
  "$program_dir/kavrona-task.xml" "$(windows "$work/share")" "$work/software/kavrona-task.xml"
task_line=$(readme_line 'schtasks /create /xml ')
[[ $task_line =~ (\\\\server\\software\\Kavrona\\) ]] || fail "no definition in the share in: $task_line"
task_line=${task_line/"${BASH_REMATCH[1]}"/"$(windows "$work/software")\\"}
for round in first again; do
  [ "$(typed "task-$round" "$task_line")" = 0 ] || fail "the README's task line, $round: $(cat "$work/task-$round.cmd")"
done
python3 "$root/tests/installer/task_definition.py" stored "$drive_c/windows/system32/tasks/Kavrona inventura"
[ "$arch" = x64 ] && variable='%ProgramFiles%' || variable='%ProgramFiles(x86)%'
command=$(python3 "$root/tests/installer/task_definition.py" shipped "$variable" "$work/software/kavrona-task.xml")
[ "$(typed task-run "start \"\" /wait $command")" = 0 ] || fail "the task's command: $command"
# One record, named after the computer it describes (%COMPUTERNAME% in the command).
records=("$work"/share/*)
[ ${#records[@]} -eq 1 ] || fail "the share holds ${records[*]}, expected one record"
python3 "$root/tests/validate_json_lines.py" "$root/docs/kavrona.schema.json" "${records[0]}" >/dev/null
python3 -c 'import json, sys; sys.exit(json.loads(open(sys.argv[1]).read())["computer"] + ".jsonl" != sys.argv[2])' \
  "${records[0]}" "${records[0]##*/}" || fail "${records[0]##*/} is not the computer's name"
"$root/scripts/wine-run" schtasks /delete /tn "Kavrona inventura" /f </dev/null >/dev/null 2>&1 ||
  rm -f "$drive_c/windows/system32/tasks/Kavrona inventura"
echo "the README's task line registers the nightly task, whose command writes the record"

readme_msiexec /x "$new_msi"
[ ! -e "$program_dir" ] || fail "$program_dir is left"
[ -z "$(shortcuts)" ] || fail "the shortcut is left: $(shortcuts)"
[ -z "$(uninstall_entries)" ] || fail "an uninstall entry is left: $(uninstall_entries)"
after=$(traces)
[ "$before" = "$after" ] || fail "left in the prefix: $(diff <(echo "$before") <(echo "$after") | grep '^>')"
echo "uninstalled: nothing of Kavrona is left"

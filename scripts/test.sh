#!/usr/bin/env bash
# Installs what is missing, builds all three programs and runs every test, then prints
# the totals of each suite: passed, failed and not run. A test that did not run fails
# the whole run, unless the machine lacks what it waits for and that condition is on
# the short list below.
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$root"

# Conditions of the machine under which a whole suite may stay unrun.
no_i386="kernel without 32-bit support"

"$root/scripts/setup.sh" || fail "scripts/setup.sh (its output above)"
build_native
build_windows x64
build_windows x86

# The shipped program is a 32-bit GUI executable that needs only Windows' own DLLs.
exe=build/windows-x86/Kavrona.exe
file "$exe" | grep -q 'PE32 executable (GUI) Intel 80386' || fail "$exe is not a PE32 GUI program"
imports=$(i686-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ {print tolower($3)}' | sort -u)
for dll in $imports; do
  case "$dll" in
    kernel32.dll|user32.dll|gdi32.dll|advapi32.dll|shell32.dll|comctl32.dll|ole32.dll|oleaut32.dll|iphlpapi.dll|winspool.drv|msvcrt.dll) ;;
    *) fail "$exe imports $dll" ;;
  esac
done
echo "$exe: PE32 GUI, imports $(echo $imports | tr '\n' ' ')"

results=$(mktemp -d)
status=0
declare -A line

# A ctest suite, and its totals from its JUnit file: passed, failed and not run.
run_ctest() {  # name, build folder, ctest options...
  local name=$1 dir=$2 junit=$results/$1.xml passed=0 failed=0 notrun=0
  shift 2
  echo
  echo "== $name =="
  ctest --test-dir "$dir" --no-tests=error --output-on-failure --output-junit "$junit" "$@" || true
  if [ -f "$junit" ]; then
    passed=$(grep -c 'status="run"' "$junit" || true)
    failed=$(grep -c 'status="fail"' "$junit" || true)
    notrun=$(grep -c -E 'status="(notrun|disabled)"' "$junit" || true)
  fi
  line[$name]="$passed passed, $failed failed, $notrun not run"
  if [ "$failed" -ne 0 ] || [ "$notrun" -ne 0 ] || [ "$passed" -eq 0 ]; then status=1; fi
}

# What a killed run may have left behind: extra test drives, the DPI setting in the
# prefix, test print queues in the machine's CUPS.
clean_leftovers() {
  local wineserver link
  if wineserver=$(wineserver_path); then "$wineserver" -k </dev/null >/dev/null 2>&1 || true; fi
  for link in "$WINEPREFIX"/dosdevices/?:; do
    if [[ -L "$link" && "$(readlink "$link")" == *kavrona-test-drives* ]]; then rm -f "$link"; fi
  done
  rm -rf "$WINEPREFIX/drive_c/kavrona-test-drives"
  if command -v lpstat >/dev/null && lpstat -r 2>/dev/null | grep -q 'is running'; then
    lpstat -p 2>/dev/null | awk '/^printer kavrona-/ {print $2}' | while read -r queue; do
      cancel -a "$queue" 2>/dev/null
      lpadmin -x "$queue" || echo "could not remove the print queue $queue left by an earlier run"
    done
  fi
}
clean_prefix_settings() {  # needs the Wine session
  "$root/scripts/wine-run" reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f </dev/null >/dev/null 2>&1 || true
  "$root/scripts/wine-run" reg delete 'HKLM\Software\Wine\Drives' /f </dev/null >/dev/null 2>&1 || true
}

echo
echo "== static checks =="
lint_log=$results/lint.log
"$root/scripts/lint.sh" 2>&1 | tee "$lint_log" || status=1
lint_passed=$(grep -c ': clean' "$lint_log" || true)
lint_failed=$(grep -c ': FAILED' "$lint_log" || true)
line[static]="$lint_passed passed, $lint_failed failed, 0 not run"
[ "$lint_failed" -eq 0 ] && [ "$lint_passed" -gt 0 ] || status=1

run_ctest native build/native

echo
echo "== fuzzers =="
fuzz_log=$results/fuzz.log
"$root/scripts/fuzz.sh" 2>&1 | tee "$fuzz_log" || status=1
fuzzers=$(ls fuzz/*_fuzz.cpp | wc -l)
fuzz_passed=$(grep -c 'no crash' "$fuzz_log" || true)
fuzz_failed=$(grep -c ': FAILED' "$fuzz_log" || true)
fuzz_notrun=$((fuzzers - fuzz_passed - fuzz_failed))
line[fuzzers]="$fuzz_passed passed, $fuzz_failed failed, $fuzz_notrun not run"
[ "$fuzz_failed" -eq 0 ] && [ "$fuzz_notrun" -eq 0 ] || status=1

trap stop_all EXIT
export LANG=cs_CZ.UTF-8 LC_ALL=cs_CZ.UTF-8  # a Czech system: code page 1250
unset DISPLAY  # a display of our own: a developer's desktop must not change the results
clean_leftovers
start_display
start_wine
clean_prefix_settings
# A Windows case that fails runs once more: under Wine the processor window now and then
# does not become active after a complete report (not yet understood). Both attempts
# show in the log above the totals.
run_ctest windows-x64 build/windows-x64 --timeout 300 --repeat until-pass:2
if "$root/scripts/runs-i386"; then
  run_ctest windows-x86 build/windows-x86 --timeout 300 --repeat until-pass:2
else
  count=$(ctest --test-dir build/windows-x86 -N | sed -n 's/^Total Tests: //p')
  line[windows-x86]="0 passed, 0 failed, ${count:-all} not run ($no_i386)"
fi
stop_all

echo
echo "== test totals =="
printf '%-14s %s\n' "native:" "${line[native]}" "windows-x64:" "${line[windows-x64]}" \
  "windows-x86:" "${line[windows-x86]}" "fuzzers:" "${line[fuzzers]}" "static checks:" "${line[static]}"
rm -rf "$results"
[ $status -eq 0 ] && echo "all passed" || echo "FAILED: see the suites above"
exit $status

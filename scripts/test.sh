#!/usr/bin/env bash
# Installs what is missing, builds all three programs and runs every test.
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$root"

"$root/scripts/setup.sh"
build_native
build_windows x64
build_windows x86

# The shipped program is a 32-bit GUI executable that needs only Windows' own DLLs.
exe=build/windows-x86/Kavrona.exe
file "$exe" | grep -q 'PE32 executable (GUI) Intel 80386' || { echo "FAIL: $exe is not a PE32 GUI program"; exit 1; }
imports=$(i686-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ {print tolower($3)}' | sort -u)
for dll in $imports; do
  case "$dll" in
    kernel32.dll|user32.dll|gdi32.dll|advapi32.dll|shell32.dll|comctl32.dll|ole32.dll|oleaut32.dll|iphlpapi.dll|winspool.drv|msvcrt.dll) ;;
    *) echo "FAIL: $exe imports $dll"; exit 1 ;;
  esac
done
echo "$exe: PE32 GUI, imports $(echo $imports | tr '\n' ' ')"

status=0
lint=clean
"$root/scripts/lint.sh" || { lint=FAILED; status=1; }
native_log=$(mktemp); windows_log=$(mktemp)
ctest --test-dir build/native --output-on-failure 2>&1 | tee "$native_log" || status=1
fuzz_log=$(mktemp)
"$root/scripts/fuzz.sh" 2>&1 | tee "$fuzz_log" || status=1

trap stop_all EXIT
export LANG=cs_CZ.UTF-8 LC_ALL=cs_CZ.UTF-8  # a Czech system: code page 1250
start_display
start_wine
ctest --test-dir build/windows-x64 --output-on-failure --timeout 300 2>&1 | tee "$windows_log" || status=1
stop_all

echo
echo "== test totals =="
echo "native:      $(grep -E 'tests passed|tests failed' "$native_log" | tail -1)"
echo "windows-x64: $(grep -E 'tests passed|tests failed' "$windows_log" | tail -1)"
echo "static checks: $lint"
echo "fuzzers:     $(grep -c 'no crash' "$fuzz_log") ran clean, $(grep -c 'FAILED' "$fuzz_log") failed"
rm -f "$native_log" "$windows_log" "$fuzz_log"
exit $status

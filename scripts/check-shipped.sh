#!/usr/bin/env bash
# The shipped programs (by default both builds' Kavrona.exe): each a GUI executable of
# its build's kind that needs only Windows' own DLLs, and with no switch of the tests'
# in it: no environment variable may weaken the shipped program (the test build has
# them, tests/support/test_build_loader_win32.cpp).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
[ $# -gt 0 ] || set -- "$root/build/windows-x86/Kavrona.exe" "$root/build/windows-x64/Kavrona.exe"
test_switches='KAVRONA_OLD_LOADER|KAVRONA_LOADS_THROW'

for exe in "$@"; do
  [ -f "$exe" ] || { echo "FAILED: no $exe"; exit 1; }
  case $(file -b "$exe") in
    'PE32 executable (GUI) Intel 80386'*) objdump=i686-w64-mingw32-objdump kind=PE32 ;;
    'PE32+ executable (GUI) x86-64'*) objdump=x86_64-w64-mingw32-objdump kind=PE32+ ;;
    *) echo "FAILED: $exe is not a Windows GUI program: $(file -b "$exe")"; exit 1 ;;
  esac
  imports=$("$objdump" -p "$exe" | awk '/DLL Name:/ {print tolower($3)}' | sort -u)
  for dll in $imports; do
    case "$dll" in
      kernel32.dll | user32.dll | gdi32.dll | advapi32.dll | shell32.dll | comctl32.dll | ole32.dll | oleaut32.dll | iphlpapi.dll | winspool.drv | msvcrt.dll) ;;
      *) echo "FAILED: $exe imports $dll"; exit 1 ;;
    esac
  done
  # The names as the program would ask for them: in UTF-16 (GetEnvironmentVariableW) or in bytes.
  if found=$({ strings -a "$exe"; strings -a -el "$exe"; } | grep -E -o "$test_switches" | sort -u | tr '\n' ' ') && [ -n "$found" ]; then
    echo "FAILED: $exe holds a test switch: $found"
    exit 1
  fi
  echo "$exe: $kind GUI, imports $(echo $imports), no test switch"
done

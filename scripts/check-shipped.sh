#!/usr/bin/env bash
# The shipped program is a 32-bit GUI executable that needs only Windows' own DLLs.
set -euo pipefail
exe=${1:-$(cd "$(dirname "$0")/.." && pwd)/build/windows-x86/Kavrona.exe}
file "$exe" | grep -q 'PE32 executable (GUI) Intel 80386' || { echo "FAILED: $exe is not a PE32 GUI program"; exit 1; }
imports=$(i686-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ {print tolower($3)}' | sort -u)
for dll in $imports; do
  case "$dll" in
    kernel32.dll | user32.dll | gdi32.dll | advapi32.dll | shell32.dll | comctl32.dll | ole32.dll | oleaut32.dll | iphlpapi.dll | winspool.drv | msvcrt.dll) ;;
    *) echo "FAILED: $exe imports $dll"; exit 1 ;;
  esac
done
echo "$exe: PE32 GUI, imports $(echo $imports | tr '\n' ' ')"

#!/usr/bin/env bash
# Static checks: formatting, clang-tidy and cppcheck over our own code. Needs the native build's
# compile_commands.json (scripts/test.sh makes it).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

"$root/scripts/check-includes.sh"

files=$(git ls-files -co --exclude-standard -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'tools/*.cpp' 'tools/*.h' 'fuzz/*.cpp' 'bench/*.cpp' 'bench/*.h')
clang-format --dry-run --Werror $files
echo "clang-format: $(echo "$files" | wc -w) files clean"

native=$(echo "$files" | tr ' ' '\n' | grep -E '^src/.*\.cpp$' | grep -v '_win32' || true)
echo "$native" | xargs -P "$(nproc)" -n 4 clang-tidy -p build/native --quiet 2>&1 \
  | { grep -v -E '^[0-9]+ warnings generated\.$|^Suppressed [0-9]+ warnings|^Use -header-filter' || true; } \
  | tee build/clang-tidy.log
if grep -q -E 'warning:|error:' build/clang-tidy.log; then echo "clang-tidy: warnings above"; exit 1; fi
echo "clang-tidy: $(echo "$native" | wc -w) files clean"

# The Win32 side, checked as clang would compile it for 64-bit Windows.
gcc_mingw=$(ls -d /usr/lib/gcc/x86_64-w64-mingw32/*-posix | tail -1)
win32=$(echo "$files" | tr ' ' '\n' | grep -E '^src/.*_win32\.cpp$' || true)
echo "$win32" | xargs -P "$(nproc)" -n 4 sh -c 'clang-tidy --quiet "$@" -- --target=x86_64-w64-mingw32 \
    -isystem '"$gcc_mingw"'/include/c++ -isystem '"$gcc_mingw"'/include/c++/x86_64-w64-mingw32 \
    -Isrc -std=c++20 -DUNICODE -D_UNICODE -DWIN32_LEAN_AND_MEAN -DNOMINMAX -D_WIN32_WINNT=0x0A00' _ 2>&1 \
  | { grep -v -E '^[0-9]+ warnings( and [0-9]+ errors)? generated\.$|^Suppressed [0-9]+ warnings|^Use -header-filter' || true; } \
  | tee build/clang-tidy-win32.log
if grep -q -E 'warning:|error:' build/clang-tidy-win32.log; then echo "clang-tidy (Win32): warnings above"; exit 1; fi
echo "clang-tidy (Win32): $(echo "$win32" | wc -w) files clean"

cppcheck --quiet --enable=warning,performance,portability --error-exitcode=1 --inline-suppr \
  --std=c++20 -I src --suppress=missingIncludeSystem src
echo "cppcheck: clean"

#!/usr/bin/env bash
# Static checks: formatting, clang-tidy and cppcheck over our own code. Each check
# runs and says "NAME: clean" or "NAME: FAILED"; the script fails when one did. Needs
# the native build's compile_commands.json (scripts/test.sh makes it).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
[ -f build/native/compile_commands.json ] || { echo "lint: FAILED: no build/native/compile_commands.json; run scripts/test.sh"; exit 1; }

status=0
verdict() {  # name, then the check's command; its output goes to build/<name>.log too
  local name=$1 log
  shift
  log="build/lint-$name.log"
  if "$@" 2>&1 | tee "$log" && ! grep -q -E 'warning:|error:' "$log"; then
    echo "$name: clean"
  else
    echo "$name: FAILED (output above, also in $log)"
    status=1
  fi
}
drop_counts() { grep -v -E '^[0-9]+ warnings( and [0-9]+ errors)? generated\.$|^Suppressed [0-9]+ warnings|^Use -header-filter' || true; }

verdict include-rules "$root/scripts/check-includes.sh"

# A package source with a fixed address fails on a machine that reaches Debian through
# a mirror or proxy of its own: the scripts take it from the machine (apt-sources.sh).
fixed_sources() {
  if grep -rnE 'deb(-src)?[[:space:]]+(\[[^]]*\][[:space:]]+)?[a-z0-9+]+://' scripts .ci; then
    echo "error: a package source with a fixed address (above); take it from the machine's own sources"
  fi
}
verdict fixed-sources fixed_sources

files=$(git ls-files -co --exclude-standard -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'tools/*.cpp' 'tools/*.h' 'fuzz/*.cpp' 'bench/*.cpp' 'bench/*.h')
echo "clang-format over $(echo "$files" | wc -w) files"
verdict clang-format clang-format --dry-run --Werror $files

native=$(echo "$files" | tr ' ' '\n' | grep -E '^src/.*\.cpp$' | grep -v '_win32' || true)
tidy_native() { echo "$native" | xargs -P "$(nproc)" -n 4 clang-tidy -p build/native --quiet 2>&1 | drop_counts; }
echo "clang-tidy over $(echo "$native" | wc -w) files"
verdict clang-tidy tidy_native

# The Win32 side, checked as clang would compile it for 64-bit Windows.
gcc_mingw=$(ls -d /usr/lib/gcc/x86_64-w64-mingw32/*-posix | tail -1)
win32=$(echo "$files" | tr ' ' '\n' | grep -E '^src/.*_win32\.cpp$' || true)
tidy_win32() {
  echo "$win32" | xargs -P "$(nproc)" -n 4 sh -c 'clang-tidy --quiet "$@" -- --target=x86_64-w64-mingw32 \
    -isystem '"$gcc_mingw"'/include/c++ -isystem '"$gcc_mingw"'/include/c++/x86_64-w64-mingw32 \
    -Isrc -std=c++20 -DUNICODE -D_UNICODE -DWIN32_LEAN_AND_MEAN -DNOMINMAX -D_WIN32_WINNT=0x0A00' _ 2>&1 | drop_counts
}
echo "clang-tidy (Win32) over $(echo "$win32" | wc -w) files"
verdict clang-tidy-win32 tidy_win32

verdict cppcheck cppcheck --quiet --enable=warning,performance,portability --error-exitcode=1 --inline-suppr \
  --std=c++20 -I src --suppress=missingIncludeSystem src
exit $status

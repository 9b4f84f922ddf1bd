#!/usr/bin/env bash
# Builds the program a second time from a copy of the tree in another folder, packages it
# there (scripts/package.sh) and compares with the packages of build/: the MSI, the zip
# and the exe must be byte-identical, each build's SHA256SUMS the same. Only Kavrona.exe
# is built the second time. One line per build: "x86: reproducible" or "x86: FAILED".
#
#   scripts/check-reproducible.sh [x86] [x64]   both by default
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$root"
builds=("$@")
[ ${#builds[@]} -gt 0 ] || builds=(x86 x64)

# The copy's folder differs from ours in name and in length.
elsewhere=$(mktemp -d /tmp/kavrona-reproduce.XXXXXX)
trap 'rm -rf "$elsewhere"' EXIT
copy=$elsewhere/another/folder/kavrona
mkdir -p "$copy"
# The tree as it is, uncommitted changes too, since build/ was built from it; the copy
# has no .git, so it is given the commit's time.
git ls-files -z -co --exclude-standard | while IFS= read -r -d '' file; do
  [ -e "$file" ] && printf '%s\0' "$file"
done | tar --null -T - -cf - | tar -xf - -C "$copy"
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
export SOURCE_DATE_EPOCH

status=0
for arch in "${builds[@]}"; do
  case $arch in
    x86) toolchain=mingw-i686 first=build/package ;;
    x64) toolchain=mingw-x86_64 first=build/package-x64 ;;
    *) fail "usage: scripts/check-reproducible.sh [x86] [x64]" ;;
  esac
  "$root/scripts/package.sh" "$arch" >/dev/null
  quietly "configuring the second $arch build" cmake -S "$copy" -B "$copy/build-$arch" -G Ninja \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$copy/cmake/$toolchain.cmake" -DKAVRONA_TESTS=OFF ||
    fail "cmake for the second $arch build"
  quietly "building the second $arch Kavrona.exe" cmake --build "$copy/build-$arch" --target Kavrona ||
    fail "building the second $arch Kavrona.exe"
  "$copy/scripts/package.sh" --build "$copy/build-$arch" --out "$copy/package-$arch" >/dev/null
  if diff -u "$first/SHA256SUMS" "$copy/package-$arch/SHA256SUMS"; then
    echo "$arch: reproducible"
    sed 's/^/  /' "$first/SHA256SUMS"
  else
    echo "$arch: FAILED: the second build, in another folder, differs (its SHA256SUMS above)"
    status=1
  fi
done
exit $status

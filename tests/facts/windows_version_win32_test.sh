#!/usr/bin/env bash
# The program under each Windows version Wine can play, set with winecfg in a prefix
# of this test's own (a copy of the build's), each named as the version table says.
set -euo pipefail
tests_exe=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/common.sh"
source "$root/tests/expect_cases.sh"
wineserver=$(wineserver_path) || fail "wineserver not found; scripts/setup.sh installs Wine"
build_prefix=$WINEPREFIX
# The test starts Kavrona.exe from its working folder: the build's top folder.
build_dir=$(dirname "$tests_exe")
[ -f "$build_dir/Kavrona.exe" ] || build_dir=$(dirname "$build_dir")
[ -f "$build_dir/Kavrona.exe" ] || fail "no Kavrona.exe beside $tests_exe"

work=$(mktemp -d)
export WINEPREFIX=$work/prefix
cleanup() {
  "$wineserver" -k </dev/null >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT
cp -a "$build_prefix" "$WINEPREFIX"
"$wineserver" -p </dev/null >/dev/null 2>&1
quietly "starting Wine in the test's prefix" "$root/scripts/wine-run" cmd /c exit

versions=(
  "winxp64:Windows XP Professional x64 Edition"
  "win2003:Windows Server 2003"
  "vista:Windows Vista"
  "win2008:Windows Server 2008"
  "win7:Windows 7"
  "win2008r2:Windows Server 2008 R2"
  "win8:Windows 8"
  "win81:Windows 8.1"
  "win10:Windows 10"
)
for entry in "${versions[@]}"; do
  version=${entry%%:*}
  echo "== winecfg -v $version"
  quietly "setting the Windows version" "$root/scripts/wine-run" winecfg -v "$version" ||
    fail "winecfg -v $version"
  (cd "$build_dir" && expect_cases 1 env KAVRONA_WINDOWS_NAME="${entry#*:}" \
    "$root/scripts/wine-run" "$tests_exe" --gtest_filter='WindowsVersionByScript.*' </dev/null)
done
echo "${#versions[@]} Windows versions named as they should be"

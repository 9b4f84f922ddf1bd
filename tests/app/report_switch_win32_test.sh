#!/usr/bin/env bash
# `Kavrona.exe /report` into an immutable file (as root, Wine writes through attrib +r
# and chmod a-w, so chattr +i) and into a file on a full disk (a small tmpfs, which
# needs the right to mount): both must come out byte-identical. And with WMI made to
# fail, which Wine takes from the environment a process starts with; and from a console
# of the test's own, whose window needs a display.
set -euo pipefail
tests_exe=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tests/expect_cases.sh"
# The cases start Kavrona.exe from the build's folder, as ctest runs the others.
cd "$(dirname "$tests_exe")/.."

work=$(mktemp -d)
cleanup() {
  chattr -i "$work/locked.txt" 2>/dev/null || true
  mountpoint -q "$work/full" && umount "$work/full"
  rm -rf "$work"
}
trap cleanup EXIT

filter=()
printf 'older record\r\n' >"$work/locked.txt"
if why=$(chattr +i "$work/locked.txt" 2>&1); then
  filter+=(ReportSwitchByScript.ReadOnlyFile)
else
  not_run "ReadOnlyFile: chattr +i failed ($why); needs CAP_LINUX_IMMUTABLE on a file system that keeps the flag"
fi
mkdir "$work/full"
if mount -t tmpfs -o size=65536 tmpfs "$work/full" 2>"$work/mount.err"; then
  # The file's last block keeps 6 bytes free: a write takes those and stops there.
  head -c 4090 /dev/urandom >"$work/full/Kavrona.txt"
  dd if=/dev/zero of="$work/full/filler" bs=4096 2>/dev/null || true
  filter+=(ReportSwitchByScript.FullDisk)
else
  not_run "FullDisk: mounting a small tmpfs failed ($(cat "$work/mount.err")); needs CAP_SYS_ADMIN"
fi
cp "$work/locked.txt" "$work/locked.before"
[ -f "$work/full/Kavrona.txt" ] && cp "$work/full/Kavrona.txt" "$work/full.before"

windows() { echo "Z:${1//\//\\}"; }
[ ${#filter[@]} -eq 0 ] || expect_cases ${#filter[@]} env \
  KAVRONA_SWITCH_READ_ONLY_FILE="$(windows "$work/locked.txt")" \
  KAVRONA_SWITCH_FULL_DISK_FILE="$(windows "$work/full/Kavrona.txt")" \
  "$root/scripts/wine-run" "$tests_exe" --gtest_filter="$(IFS=:; echo "${filter[*]}")" </dev/null

expect_cases 1 env WINEDLLOVERRIDES="mscoree,mshtml=;wbemprox=d" \
  "$root/scripts/wine-run" "$tests_exe" --gtest_filter=ReportSwitchByScript.WithoutWmi </dev/null

if [ -n "${DISPLAY:-}" ]; then
  expect_cases 1 "$root/scripts/wine-run" "$tests_exe" \
    --gtest_filter=ReportSwitchByScript.AttachesToItsStartersConsoleOnlyWithoutStreams </dev/null
else
  not_run "AttachesToItsStartersConsoleOnlyWithoutStreams: a console of Wine's needs an X display"
fi

cmp "$work/locked.before" "$work/locked.txt"
[ -f "$work/full.before" ] && cmp "$work/full.before" "$work/full/Kavrona.txt"
echo "the immutable file and the file on the full disk are byte-identical"
end_wrapper

#!/usr/bin/env bash
# Report-file faults that need the Linux side: an immutable file (as root, Wine
# writes through attrib +r and chmod a-w) and a disk that fills up in the middle of
# the record. The file must come out byte-identical.
set -euo pipefail
tests_exe=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
if [ "$(id -u)" -ne 0 ] || ! command -v chattr >/dev/null; then
  echo "skipped: needs root and chattr"
  exit 77
fi

work=$(mktemp -d)
cleanup() {
  chattr -i "$work/locked.txt" 2>/dev/null || true
  mountpoint -q "$work/full" && umount "$work/full"
  rm -rf "$work"
}
trap cleanup EXIT

printf 'older record\r\n' >"$work/locked.txt"
chattr +i "$work/locked.txt"

# The file's last block keeps 6 bytes free: the write takes those and stops there.
mkdir "$work/full"
mount -t tmpfs -o size=65536 tmpfs "$work/full"
head -c 4090 /dev/urandom >"$work/full/Kavrona.txt"
dd if=/dev/zero of="$work/full/filler" bs=4096 2>/dev/null || true
cp "$work/locked.txt" "$work/locked.before"
cp "$work/full/Kavrona.txt" "$work/full.before"

windows() { echo "Z:${1//\//\\}"; }
KAVRONA_READ_ONLY_FILE=$(windows "$work/locked.txt") KAVRONA_FULL_DISK_FILE=$(windows "$work/full/Kavrona.txt") \
  "$root/scripts/wine-run" "$tests_exe" --gtest_filter='SavingFaultsByScript.*' </dev/null

cmp "$work/locked.before" "$work/locked.txt"
cmp "$work/full.before" "$work/full/Kavrona.txt"
echo "both files byte-identical"

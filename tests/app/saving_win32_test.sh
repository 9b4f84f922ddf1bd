#!/usr/bin/env bash
# A report file on a disk that fills up in the middle of the record: it must come
# out byte-identical.
set -euo pipefail
tests_exe=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
if [ "$(id -u)" -ne 0 ]; then
  echo "skipped: needs root to mount a small disk"
  exit 77
fi

work=$(mktemp -d)
cleanup() {
  mountpoint -q "$work/full" && umount "$work/full"
  rm -rf "$work"
}
trap cleanup EXIT

# The file's last block keeps 6 bytes free: the write takes those and stops there.
mkdir "$work/full"
mount -t tmpfs -o size=65536 tmpfs "$work/full"
head -c 4090 /dev/urandom >"$work/full/Kavrona.txt"
dd if=/dev/zero of="$work/full/filler" bs=4096 2>/dev/null || true
cp "$work/full/Kavrona.txt" "$work/full.before"

windows() { echo "Z:${1//\//\\}"; }
KAVRONA_FULL_DISK_FILE=$(windows "$work/full/Kavrona.txt") \
  "$root/scripts/wine-run" "$tests_exe" --gtest_filter='SavingFaultsByScript.*' </dev/null

cmp "$work/full.before" "$work/full/Kavrona.txt"
echo "the file on the full disk is byte-identical"

#!/usr/bin/env bash
# A report file on a disk that fills up in the middle of the record: it must come
# out byte-identical. The small disk is a tmpfs, which needs the right to mount.
set -euo pipefail
tests_exe=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tests/expect_cases.sh"

work=$(mktemp -d)
cleanup() {
  mountpoint -q "$work/full" && umount "$work/full"
  rm -rf "$work"
}
trap cleanup EXIT

mkdir "$work/full"
if ! mount -t tmpfs -o size=65536 tmpfs "$work/full" 2>"$work/mount.err"; then
  not_run "FullDisk: mounting a small tmpfs failed ($(cat "$work/mount.err")); needs CAP_SYS_ADMIN"
  end_wrapper
fi
# The file's last block keeps 6 bytes free: the write takes those and stops there.
head -c 4090 /dev/urandom >"$work/full/Kavrona.txt"
dd if=/dev/zero of="$work/full/filler" bs=4096 2>/dev/null || true
cp "$work/full/Kavrona.txt" "$work/full.before"

windows() { echo "Z:${1//\//\\}"; }
expect_cases 1 env KAVRONA_FULL_DISK_FILE="$(windows "$work/full/Kavrona.txt")" \
  "$root/scripts/wine-run" "$tests_exe" --gtest_filter='SavingFaultsByScript.FullDisk' </dev/null

cmp "$work/full.before" "$work/full/Kavrona.txt"
echo "the file on the full disk is byte-identical"

#!/usr/bin/env bash
# The report-path cases, with what needs the Linux side: an immutable file (as root,
# Wine writes through attrib +r and chmod a-w) and a folder on a read-only bind
# mount. Both must come out as they went in, with nothing new beside them.
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
  mountpoint -q "$work/ro" && umount "$work/ro"
  rm -rf "$work"
}
trap cleanup EXIT

printf 'older record\r\n' >"$work/locked.txt"
chattr +i "$work/locked.txt"
mkdir "$work/ro" "$work/ro-source" "$work/cases"
printf 'kept\r\n' >"$work/ro-source/kept.txt"
mount --bind "$work/ro-source" "$work/ro"
mount -o remount,bind,ro "$work/ro"
listing() { (cd "$work" && find . -path ./ro-source -prune -o -path ./cases -prune -o -print | sort && md5sum locked.txt ro/kept.txt); }
listing >"$work.before"

windows() { echo "Z:${1//\//\\}"; }
status=0
KAVRONA_PATHS_FOLDER=$(windows "$work/cases") KAVRONA_READ_ONLY_FILE=$(windows "$work/locked.txt") \
  KAVRONA_READ_ONLY_FOLDER=$(windows "$work/ro") \
  "$root/scripts/wine-run" "$tests_exe" --gtest_filter='Typed/ReportPathsByScript.*' </dev/null || status=$?

listing | diff "$work.before" - || { echo "the Linux side changed"; status=1; }
rm -f "$work.before"
[ $status -eq 0 ] && echo "immutable file and read-only folder as they were"
exit $status

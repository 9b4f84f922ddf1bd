#!/usr/bin/env bash
# The report-path cases. Two need the Linux side: an immutable file (as root, Wine
# writes through attrib +r and chmod a-w), which needs chattr +i, and a folder on a
# read-only bind mount. Both must come out as they went in, with nothing new beside
# them. The other cases need nothing special and always run.
set -euo pipefail
tests_exe=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tests/expect_cases.sh"
all_cases=25

work=$(mktemp -d)
cleanup() {
  chattr -i "$work/locked.txt" 2>/dev/null || true
  mountpoint -q "$work/ro" && umount "$work/ro"
  rm -rf "$work"
}
trap cleanup EXIT

mkdir "$work/ro" "$work/ro-source" "$work/cases"
skip=()
printf 'older record\r\n' >"$work/locked.txt"
if ! why=$(chattr +i "$work/locked.txt" 2>&1); then
  not_run "ReadOnlyFile: chattr +i failed ($why); needs CAP_LINUX_IMMUTABLE on a file system that keeps the flag"
  skip+=(ReadOnlyFile)
fi
printf 'kept\r\n' >"$work/ro-source/kept.txt"
if ! why=$({ mount --bind "$work/ro-source" "$work/ro" && mount -o remount,bind,ro "$work/ro"; } 2>&1); then
  not_run "ReadOnlyFolder: a read-only bind mount failed ($why); needs CAP_SYS_ADMIN"
  mountpoint -q "$work/ro" && umount "$work/ro"
  skip+=(ReadOnlyFolder)
fi
filter='Typed/ReportPathsByScript.SaysSoAndLosesNothing/*'
[ ${#skip[@]} -gt 0 ] && filter+="-$(printf 'Typed/ReportPathsByScript.SaysSoAndLosesNothing/%s:' "${skip[@]}")"
cases=$((all_cases - ${#skip[@]}))

listing() { (cd "$work" && find . -path ./ro-source -prune -o -path ./cases -prune -o -print | sort && { md5sum locked.txt ro/kept.txt 2>/dev/null || true; }); }
listing >"$work.before"

windows() { echo "Z:${1//\//\\}"; }
status=0
expect_cases "$cases" env KAVRONA_PATHS_FOLDER="$(windows "$work/cases")" \
  KAVRONA_READ_ONLY_FILE="$(windows "$work/locked.txt")" KAVRONA_READ_ONLY_FOLDER="$(windows "$work/ro")" \
  "$root/scripts/wine-run" "$tests_exe" --gtest_filter="$filter" </dev/null || status=$?

listing | diff "$work.before" - || { echo "the Linux side changed"; status=1; }
rm -f "$work.before"
[ $status -eq 0 ] || exit $status
echo "$cases path cases; the immutable file and the read-only folder as they were"
end_wrapper

#!/usr/bin/env bash
# No network adapters: a network namespace with only the loopback device, up. Wine
# lists adapters in its device service, which belongs to the prefix's wineserver, so
# a copy of the prefix gets a session of its own inside the namespace.
set -euo pipefail
tests_exe=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tests/expect_cases.sh"
prefix=${WINEPREFIX:-$root/build/wineprefix}
wineserver=/usr/lib/wine/wineserver
[ -x "$wineserver" ] || wineserver=$(command -v wineserver)
if ! why=$(unshare -n ip link set lo up 2>&1); then
  not_run "ReportHasTheLabelAndNoAddress: a network namespace could not be made ($why); needs CAP_SYS_ADMIN and iproute2"
  end_wrapper
fi

copy=$(mktemp -d)
cleanup() {
  WINEPREFIX=$copy "$wineserver" -k 2>/dev/null || true
  WINEPREFIX=$copy "$wineserver" -w 2>/dev/null || true
  rm -rf "$copy"
}
trap cleanup EXIT
cp -a "$prefix/." "$copy/"

expect_cases 1 env KAVRONA_NO_ADAPTERS=1 WINEPREFIX="$copy" unshare -n sh -c '
  ip link set lo up
  exec "$0" "$1" --gtest_filter=NoAdaptersByScript.ReportHasTheLabelAndNoAddress </dev/null' \
  "$root/scripts/wine-run" "$tests_exe"

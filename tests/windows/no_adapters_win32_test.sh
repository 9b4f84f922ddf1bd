#!/usr/bin/env bash
# No network adapters: a network namespace with only the loopback device, up. Wine
# lists adapters in its device service, which belongs to the prefix's wineserver, so
# a copy of the prefix gets a session of its own inside the namespace.
set -euo pipefail
tests_exe=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
prefix=${WINEPREFIX:-$root/build/wineprefix}
wineserver=/usr/lib/wine/wineserver
[ -x "$wineserver" ] || wineserver=$(command -v wineserver)
if [ "$(id -u)" -ne 0 ] || ! unshare -n true 2>/dev/null; then
  echo "skipped: needs root and network namespaces"
  exit 77
fi

copy=$(mktemp -d)
cleanup() {
  WINEPREFIX=$copy "$wineserver" -k 2>/dev/null || true
  WINEPREFIX=$copy "$wineserver" -w 2>/dev/null || true
  rm -rf "$copy"
}
trap cleanup EXIT
cp -a "$prefix/." "$copy/"

KAVRONA_NO_ADAPTERS=1 WINEPREFIX=$copy unshare -n sh -c '
  ip link set lo up
  exec "$0" "$1" --gtest_filter=NoAdaptersByScript.* </dev/null' \
  "$root/scripts/wine-run" "$tests_exe"

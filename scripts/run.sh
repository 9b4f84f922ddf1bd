#!/usr/bin/env bash
# Runs Kavrona: installs and builds what is missing, then starts the 64-bit program
# under wine64 on $DISPLAY; with --x86, the shipped 32-bit program under Wine's
# 32-bit loader. Without a display it starts a virtual one and works the
# program as a user would: "Zobraz kompletní info", screenshots of the main and the
# processor window into build/, "Zapsat a zavřít", then the report box's text on
# standard output (UTF-8), and closes the program. Everything else goes to stderr.
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$root"

arch=x64
case "${1:-}" in
  "") ;;
  --x86) arch=x86 ;;
  *) fail "unknown option $1 (the only one is --x86)" ;;
esac

"$root/scripts/setup.sh" >&2 || fail "scripts/setup.sh (its output above)"
if [ $arch = x86 ] && why=$(x86_reason); then
  fail "the 32-bit Kavrona.exe cannot run here: $why"
fi
build_windows x64 >&2  # the driver below is a 64-bit program in both cases
if [ $arch = x86 ]; then build_windows x86 >&2; fi

export LANG=cs_CZ.UTF-8 LC_ALL=cs_CZ.UTF-8  # a Czech system: code page 1250
program=build/windows-$arch/Kavrona.exe
main="Kavrona - www.kavrona.cz"
procesor="Procesor:"
drive() { "$root/scripts/wine-run" build/windows-x64/kavrona-drive.exe "$@"; }
say() { echo "run: $*" >&2; }
trap stop_all EXIT

if [ -n "${DISPLAY:-}" ]; then
  start_wine
  "$root/scripts/wine-run" "$program"
  exit 0
fi

# One of the program's windows as it shows on the screen; with --with-overlaps the
# windows in front of it come out too.
shoot() {
  local caption=$1 file=$2 screen=()
  [ "${3:-}" = --with-overlaps ] && screen=(-screen)
  local id
  id=$(xwininfo -name "$caption" | awk '/Window id:/ {print $4}')
  import "${screen[@]}" -window "$id" "$file"
  mogrify +repage "$file"  # a grab of the screen keeps its place on it
  say "screenshot of \"$caption\": $root/$file"
}

start_display
start_wine
"$root/scripts/wine-run" "$program" </dev/null >&2 &
running=$!
drive wait-main >&2 || fail "the main window of $program did not open"
drive click "$main" "Zobraz kompletní info" >&2 || fail "pressing \"Zobraz kompletní info\""
drive wait-focus "$procesor" "Zapsat a zavřít" >&2 || fail "no processor window"
sleep 0.5  # until it is painted
shoot "$procesor" build/kavrona-procesor.png
shoot "$main" build/kavrona-complete-report.png --with-overlaps
drive click "$procesor" "Zapsat a zavřít" >&2 || fail "pressing \"Zapsat a zavřít\""
drive wait-focus "$main" "Uložit do souboru ..." >&2 || fail "the focus did not come back to the main window"
sleep 0.5
shoot "$main" build/kavrona-main.png
drive text "$main" Edit:0 | sed 's/\r$//'
drive close >&2 || fail "closing the program"
wait "$running" || fail "$program ended with status $?"

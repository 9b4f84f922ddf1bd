#!/usr/bin/env bash
# Runs Kavrona: installs and builds what is missing, then starts the 64-bit program
# under wine64 on $DISPLAY. Without a display it starts a virtual one, takes a
# screenshot of the main window into build/, and closes the program again.
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$root"

"$root/scripts/setup.sh"
build_windows x64

export LANG=cs_CZ.UTF-8 LC_ALL=cs_CZ.UTF-8  # a Czech system: code page 1250
program=build/windows-x64/Kavrona.exe
drive() { "$root/scripts/wine-run" build/windows-x64/kavrona-drive.exe "$@"; }
trap stop_all EXIT

if [ -n "${DISPLAY:-}" ]; then
  start_wine
  "$root/scripts/wine-run" "$program"
  exit 0
fi

start_display
start_wine
"$root/scripts/wine-run" "$program" &
running=$!
if ! drive wait-main; then
  echo "run: the main window did not open" >&2
  exit 1
fi
sleep 0.5  # until it is painted
shot=build/kavrona-main.png
import -window root "$shot"
echo "run: screenshot of the main window: $root/$shot"
drive close
wait "$running"

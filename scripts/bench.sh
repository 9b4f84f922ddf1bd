#!/usr/bin/env bash
# Runs the benchmark: installs and builds what is missing (both Windows builds), then
# runs each build's kavrona-bench.exe (wine-run takes the 32-bit loader for the 32-bit
# one) on a virtual display in a Wine session of its own, and prints their tables.
# Fails when a target of either fails; the 32-bit one is left out, with the reason, on a
# machine that cannot run it. Arguments go to both, e.g. --on-screen.
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$root"

"$root/scripts/setup.sh"
build_windows x64
build_windows x86

export LANG=cs_CZ.UTF-8 LC_ALL=cs_CZ.UTF-8  # a Czech system: code page 1250
trap stop_all EXIT
unset DISPLAY  # a display of our own: no window manager, nothing else on it
start_display
start_wine
echo
echo "machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //'), $(nproc) cores," \
  "$(free -g | awk '/^Mem:/ {print $2}') GB memory, $(/usr/lib/wine/wine64 --version), $(date -u +%F)," \
  "load average $(cut -d' ' -f1-3 /proc/loadavg)"
# Wine says this at every volume query of Z: (the Linux root, whose device it may not
# read); the benchmark makes thousands.
quiet() { grep -v 'FS volume label and serial are not available' >&2 || true; }
status=0
for arch in x64 x86; do
  echo
  if [ $arch = x86 ] && why=$(x86_reason); then
    echo "32-bit build: not run ($why)"
    continue
  fi
  # Under an emulator the figures would be the emulator's, not the program's.
  if [ $arch = x86 ] && [ "$(x86_mode)" = emulated ]; then
    echo "32-bit build: not run (the kernel cannot run 32-bit programs; under qemu-user the times are the emulator's)"
    continue
  fi
  "$root/scripts/wine-run" "build/windows-$arch/kavrona-bench.exe" "$@" 2> >(quiet) || status=1
done
echo
echo "load average at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
exit $status

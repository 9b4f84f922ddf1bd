#!/usr/bin/env bash
# Installs what is missing, builds all three programs and runs every test once, then
# prints the totals of each suite: passed, failed, not run, and the median time of a
# case. Where the kernel cannot run 32-bit programs, the 32-bit suite runs under
# qemu-user (scripts/suites.sh, run_emulated_x86). A test that did not run fails the
# whole run, unless the machine lacks what it needs for a reason on the short list: a
# 32-bit half of Wine (or the qemu-user that runs it) that this machine's package
# sources cannot give, or an emulator that cannot be registered (scripts/setup.sh).
set -euo pipefail
[ $# -eq 0 ] || { echo "scripts/test.sh takes no options" >&2; exit 2; }
source "$(dirname "$0")/common.sh"
source "$root/scripts/suites.sh"
cd "$root"

"$root/scripts/setup.sh" || fail "scripts/setup.sh (its output above)"
build_native
build_windows x64
build_windows x86
"$root/scripts/check-shipped.sh" build/windows-x86/Kavrona.exe build/windows-x64/Kavrona.exe || fail "the shipped programs"

run_counted 'static checks' ': clean' "" "$root/scripts/lint.sh"
run_ctest native build/native
run_counted fuzzers 'no crash' "$(ls fuzz/*_fuzz.cpp | wc -l)" "$root/scripts/fuzz.sh"
run_counted reproducible ': reproducible' 2 "$root/scripts/check-reproducible.sh"

trap stop_all EXIT
export LANG=cs_CZ.UTF-8 LC_ALL=cs_CZ.UTF-8  # a Czech system: code page 1250
unset DISPLAY  # a display of our own: a developer's desktop must not change the results
clean_leftovers
start_display
start_wine
clean_prefix_settings
run_ctest windows-x64 build/windows-x64 --timeout 300
if why=$(x86_reason); then
  not_run_suite windows-x86 windows-x64 "$why"
elif [ "$(x86_mode)" = native ]; then
  run_ctest windows-x86 build/windows-x86 --timeout 300
  judge_medians windows-x86 windows-x64 2
else
  run_emulated_x86
fi
stop_all

print_totals
exit $status

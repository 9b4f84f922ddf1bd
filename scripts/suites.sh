# The test command's pieces, sourced by scripts/test.sh after common.sh: each suite
# run and counted, the leftovers of a killed run cleared, the totals printed.

# Each suite's JUnit file and log stay in build/test-results/ after the run.
results=$root/build/test-results
rm -rf "$results"
mkdir -p "$results"
status=0
declare -A totals

# One suite's line for the totals; a failure, a case not run or no case at all fails
# the command.
record() {  # suite, passed, failed, not run[, what follows the counts]
  totals[$1]="$2 passed, $3 failed, $4 not run${5:+, $5}"
  if [ "$3" -ne 0 ] || [ "$4" -ne 0 ] || [ "$2" -eq 0 ]; then status=1; fi
}

# The median of the numbers on standard input, one a line.
median() {
  sort -g | awk '{ v[NR] = $1 } END { if (NR == 0) print "-"; else if (NR % 2) printf "%.2f\n", v[(NR + 1) / 2]; else printf "%.2f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# A ctest suite, counted from its JUnit file, with its median time per case.
run_ctest() {  # suite, build folder, ctest options...
  local suite=$1 dir=$2 junit=$results/$1.xml passed=0 failed=0 notrun=0 per_case=-
  shift 2
  echo
  echo "== $suite =="
  ctest --test-dir "$dir" --no-tests=error --output-on-failure --output-junit "$junit" "$@" || true
  if [ -f "$junit" ]; then
    passed=$(grep -c 'status="run"' "$junit" || true)
    failed=$(grep -c 'status="fail"' "$junit" || true)
    notrun=$(grep -c -E 'status="(notrun|disabled)"' "$junit" || true)
    per_case=$(median_of "$suite")
  fi
  record "$suite" "$passed" "$failed" "$notrun" "median ${per_case} s per case"
}

# A suite whose script prints a line per check: "<marker of a pass>" or ": FAILED".
run_counted() {  # suite, marker of a pass, how many checks there are (or "" if unknown), command...
  local suite=$1 pass=$2 expected=$3 log=$results/$1.log passed failed notrun=0
  shift 3
  echo
  echo "== $suite =="
  "$@" 2>&1 | tee "$log" || status=1
  passed=$(grep -c -- "$pass" "$log" || true)
  failed=$(grep -c ': FAILED' "$log" || true)
  [ -n "$expected" ] && notrun=$((expected - passed - failed))
  record "$suite" "$passed" "$failed" "$notrun"
}

# The 32-bit suite where the kernel cannot run 32-bit programs: under qemu-user, each
# 32-bit process starts about ten times slower. The tests' own waits grow 20-fold
# (KAVRONA_TIME_SCALE, tests/support/automation_win32.h), and ctest's limit of a case
# to 15 minutes, three times the native one: the slowest case takes about 35 s there,
# and a case that hangs still leaves the run within its 90 minutes. The prefix's 32-bit
# side is started once first, outside any case's limit. Its median says what emulation
# costs, not what the program does: it is not compared.
run_emulated_x86() {
  local emulator
  emulator=$("$x86_emulator" --version | head -1)
  echo
  echo "== windows-x86: under $emulator (the kernel cannot run 32-bit programs) =="
  quietly "starting the prefix's 32-bit side under emulation" \
    "$root/scripts/wine-run" build/windows-x86/tests/kavrona_win32_tests.exe --gtest_list_tests ||
    echo "the 32-bit side did not start; the cases below will say why"
  # A crash starts Wine's debugger, which cannot attach under the emulator and stays,
  # keeping the session's desktop and ctest's output pipe open: without it, a crash
  # just fails its case.
  WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winedbg.exe=d" KAVRONA_TIME_SCALE=20 \
    run_ctest windows-x86 build/windows-x86 --timeout 900
  totals[windows-x86]+=", under ${emulator% (*} (median not compared with windows-x64)"
}

# The median time of a case of `suite` against that of `other`: at most `factor` times
# it, or the command fails.
judge_medians() {  # suite, other, factor
  local ratio
  ratio=$(awk -v a="$(median_of "$1")" -v b="$(median_of "$2")" \
    'BEGIN { if (a == "-" || b == "-" || b == 0) print "-"; else printf "%.2f", a / b }')
  if [ "$ratio" = - ]; then
    totals[$1]+=", median not compared (no cases)"
  elif awk -v r="$ratio" -v f="$3" 'BEGIN { exit !(r <= f) }'; then
    totals[$1]+=", median ${ratio}x $2's (target ≤ $3x: pass)"
  else
    totals[$1]+=", median ${ratio}x $2's (target ≤ $3x: FAILED)"
    status=1
  fi
}

# A suite's median time of a case, from its JUnit file; "-" without one.
median_of() {  # suite
  local junit=$results/$1.xml
  [ -f "$junit" ] || { echo -; return; }
  grep -o '<testcase [^>]*time="[0-9.]*"' "$junit" | sed 's/.*time="//; s/"$//' | median
}

# A suite this machine cannot run, for a reason on the short list. Its cases are those
# of the suite it mirrors; ctest alone cannot count them, as their discovery runs them.
not_run_suite() {  # suite, the suite it mirrors, reason
  local count
  count=$(grep -c '<testcase ' "$results/$2.xml" 2>/dev/null || true)
  totals[$1]="0 passed, 0 failed, ${count:-all} not run ($3)"
}

# What a killed run may have left behind: extra test drives, test print queues in the
# machine's CUPS. Before the Wine session starts.
clean_leftovers() {
  local wineserver link
  if wineserver=$(wineserver_path); then "$wineserver" -k </dev/null >/dev/null 2>&1 || true; fi
  for link in "$WINEPREFIX"/dosdevices/?:; do
    if [[ -L "$link" && "$(readlink "$link")" == *kavrona-test-drives* ]]; then rm -f "$link"; fi
  done
  rm -rf "$WINEPREFIX/drive_c/kavrona-test-drives"
  if command -v lpstat >/dev/null && lpstat -r 2>/dev/null | grep -q 'is running'; then
    lpstat -p 2>/dev/null | awk '/^printer kavrona-/ {print $2}' | while read -r queue; do
      cancel -a "$queue" 2>/dev/null
      lpadmin -x "$queue" || echo "could not remove the print queue $queue left by an earlier run"
    done
  fi
}

# The DPI setting and the drive types a killed run may have left in the prefix; needs
# the Wine session.
clean_prefix_settings() {
  "$root/scripts/wine-run" reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f </dev/null >/dev/null 2>&1 || true
  "$root/scripts/wine-run" reg delete 'HKLM\Software\Wine\Drives' /f </dev/null >/dev/null 2>&1 || true
}

print_totals() {
  local suite
  echo
  echo "== test totals =="
  for suite in native windows-x64 windows-x86 fuzzers reproducible 'static checks'; do
    printf '%-14s %s\n' "$suite:" "${totals[$suite]:-not run (the command stopped before it)}"
  done
  [ $status -eq 0 ] && echo "all passed" || echo "FAILED: see the suites above"
}

# Sourced by the shell wrappers under tests/. A wrapper runs named gtest cases of the
# Windows-side test program; a filter that matches nothing (a renamed case) or a case
# that skips itself would otherwise pass unnoticed, and the wrapper would go on to check
# files that nothing touched.

# expect_cases N COMMAND...: runs COMMAND, which runs gtest cases, shows its output and
# fails unless it succeeded and exactly N cases ran and passed, none skipped.
expect_cases() {
  local want=$1 out status=0 passed
  shift
  out=$(mktemp)
  "$@" 2>&1 | tee "$out" || status=$?
  passed=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\{0,1\}\..*/\1/p' "$out" | tail -1)
  if [ $status -ne 0 ]; then
    echo "FAILED: the cases exited with $status"
  elif grep -q '^\[  SKIPPED \]' "$out"; then
    echo "FAILED: a case skipped itself; it must run here"
    status=1
  elif [ "${passed:-0}" != "$want" ]; then
    echo "FAILED: $want case(s) should have run and passed, ${passed:-0} did"
    status=1
  fi
  rm -f "$out"
  return $status
}

# not_run REASON: a case this machine cannot run; the wrapper then ends as skipped
# (exit 77), which the test command counts as not run, never as passed.
missing=()
not_run() {
  echo "not run: $*"
  missing+=("$*")
}
end_wrapper() {
  [ ${#missing[@]} -eq 0 ] && exit 0
  echo "skipped: ${#missing[@]} case(s) need what this machine lacks (see above)"
  exit 77
}

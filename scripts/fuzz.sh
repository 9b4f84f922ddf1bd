#!/usr/bin/env bash
# Builds the fuzzers with clang and runs each for a bounded time (FUZZ_SECONDS, 30 by
# default), as many at once as there are processors. Any crash, and any input that
# runs longer than 10 s, fails the run. The seed corpora in fuzz/corpus stay as they are.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${FUZZ_SECONDS:-30}
build=$root/build/fuzz
log=$(mktemp)
if ! CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKAVRONA_FUZZ=ON -DKAVRONA_TESTS=OFF >"$log" 2>&1; then
  tail -20 "$log"
  echo "fuzz: FAILED: configuring the fuzzers' build (cmake output above)"
  exit 1
fi
rm -f "$log"
cmake --build "$build" || { echo "fuzz: FAILED: building the fuzzers (compiler output above)"; exit 1; }

run() {  # one fuzzer; its verdict in $build/<name>.verdict
  local fuzzer=$1 name work
  name=$(basename "$fuzzer" _fuzz)
  work=$(mktemp -d)
  [ -d "$root/fuzz/corpus/$name" ] && cp -r "$root/fuzz/corpus/$name/." "$work/"
  if "$fuzzer" -max_total_time="$seconds" -timeout=10 -print_final_stats=0 \
    -artifact_prefix="$build/$name-" "$work" >"$build/$name.log" 2>&1; then
    echo "fuzz $name: $(grep -o 'Done [0-9]* runs' "$build/$name.log" | tail -1) in ${seconds}s, no crash" \
      >"$build/$name.verdict"
  else
    { echo "fuzz $name: FAILED (see $build/$name.log)"; tail -30 "$build/$name.log"; } >"$build/$name.verdict"
  fi
  rm -rf "$work"
}

fuzzers=("$build"/fuzz/*_fuzz)
running=0
for fuzzer in "${fuzzers[@]}"; do
  if [ $running -ge "$(nproc)" ]; then wait -n; running=$((running - 1)); fi
  run "$fuzzer" &
  running=$((running + 1))
done
wait
status=0
for fuzzer in "${fuzzers[@]}"; do
  verdict=$build/$(basename "$fuzzer" _fuzz).verdict
  cat "$verdict"
  grep -q '^fuzz .*: FAILED' "$verdict" && status=1
  rm -f "$verdict"
done
exit $status

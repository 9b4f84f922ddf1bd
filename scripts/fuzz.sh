#!/usr/bin/env bash
# Builds the fuzzers with clang and runs each for a bounded time (FUZZ_SECONDS, 30 by
# default). Any crash fails the run. The seed corpora in fuzz/corpus stay as they are.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${FUZZ_SECONDS:-30}
build=$root/build/fuzz
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKAVRONA_FUZZ=ON -DKAVRONA_TESTS=OFF >/dev/null
cmake --build "$build"
status=0
for fuzzer in "$build"/fuzz/*_fuzz; do
  name=$(basename "$fuzzer" _fuzz)
  work=$(mktemp -d)
  [ -d "$root/fuzz/corpus/$name" ] && cp -r "$root/fuzz/corpus/$name/." "$work/"
  if "$fuzzer" -max_total_time="$seconds" -print_final_stats=0 -artifact_prefix="$build/$name-" "$work" \
    >"$build/$name.log" 2>&1; then
    echo "fuzz $name: $(grep -o 'Done [0-9]* runs' "$build/$name.log" | tail -1) in ${seconds}s, no crash"
  else
    echo "fuzz $name: FAILED (see $build/$name.log)"; tail -30 "$build/$name.log"; status=1
  fi
  rm -rf "$work"
done
exit $status

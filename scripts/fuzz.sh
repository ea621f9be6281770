#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build/ci-fuzz and runs each
# for FUZZ_SECONDS (60 by default) on a copy of its seed corpus, so that
# what a run discovers stays out of the repository. Fails on any crash,
# sanitizer report, time-out or broken invariant; prints each target's
# final figures (runs, coverage).
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${FUZZ_SECONDS:-60}
dir=build/ci-fuzz

cmake -S . -B "$dir" -DBUILD_TESTING=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DCHECKERS_FUZZ=ON >/dev/null
cmake --build "$dir" -j"$(nproc)" --target fuzz_cli fuzz_rules

status=0
for target in cli rules; do
  work=$dir/run-$target
  rm -rf "$work"
  mkdir -p "$work/corpus" "$work/artifacts"
  cp tests/fuzz/corpus/$target/* "$work/corpus/"
  echo "-- fuzz_$target, $seconds s"
  if "$dir/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$work/artifacts/" "$work/corpus" >"$work/log" 2>&1; then
    grep -a -E '^#[0-9]+[[:space:]]+DONE|^stat::' "$work/log"
  else
    status=1
    tail -n 60 "$work/log"
    echo "fuzz_$target failed; its input is in $work/artifacts"
  fi
done
exit $status

#!/usr/bin/env bash
# Open-ended fuzzing: every target at once, each with a random seed and
# every libFuzzer heuristic on, for SECONDS (600 by default). Each target
# grows its own corpus in build/fuzz-open, kept from one run to the next.
# An input that breaks a target is copied into its committed corpus as
# tests/fuzz/corpus/TARGET/found-HASH: commit it together with its fix.
#
#   scripts/fuzz-open.sh [SECONDS] [TARGET...]    (targets: cli rules)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-600}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(cli rules)

dir=build/fuzz-open
scripts/fuzzbuild.sh "$dir"

fuzz() { # target
  local target=$1 work=$dir/run-$1
  mkdir -p "$work/corpus" "$work/artifacts"
  "$dir/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$work/artifacts/" "$work/corpus" "tests/fuzz/corpus/$target" \
    >"$work/log" 2>&1
}

pids=()
for target in "${targets[@]}"; do
  echo "-- fuzz_$target, $seconds s, log in $dir/run-$target/log"
  fuzz "$target" &
  pids+=($!)
done

status=0
for i in "${!targets[@]}"; do
  target=${targets[$i]} work=$dir/run-${targets[$i]}
  if wait "${pids[$i]}"; then
    echo "-- fuzz_$target: nothing found"
    grep -a -E '^stat::(number_of_executed_units|new_units_added)|^#[0-9]+[[:space:]]+DONE' \
      "$work/log" || true
    continue
  fi
  status=1
  echo "-- fuzz_$target broke:"
  grep -a -E 'ERROR|broken|SUMMARY' "$work/log" | head -n 5 || tail -n 20 "$work/log"
  for artifact in "$work"/artifacts/*; do
    [ -f "$artifact" ] || continue
    found=tests/fuzz/corpus/$target/found-$(sha1sum "$artifact" | cut -c1-12)
    cp "$artifact" "$found"
    echo "   its input is now $found: commit it with the fix"
  done
done
exit $status

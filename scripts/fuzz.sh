#!/usr/bin/env bash
# The test command's fuzz stage: each libFuzzer target runs its committed
# corpus, then a fixed number of mutations from a fixed seed, so that the
# same tree always gives the same verdict. Fails on any crash, sanitizer
# report, time-out or broken invariant; prints each target's final figures.
# Open-ended fuzzing with random seeds is scripts/fuzz-open.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

dir=build/ci-fuzz
scripts/fuzzbuild.sh "$dir"

# Runs per target: about a minute each on two cores.
declare -A runs=([cli]=300000 [rules]=400000)

# The same mutations need the same program state on every run:
# - setarch -R turns off address randomisation, which would change the
#   heap's layout and so the paths the fuzzer sees;
# - env -i gives the program the same environment everywhere: its size
#   moves the stack, whose depth the fuzzer counts as coverage;
# - -use_cmp=0 keeps the values of pointer comparisons out of the
#   mutations;
# - -seed_inputs names the corpus in sorted order, where a folder would be
#   read in the file system's order.
fixed=(env -i PATH=/usr/bin:/bin setarch -R)
if ! setarch -R true 2>/dev/null; then
  echo "setarch -R is refused here: this run may not repeat exactly"
  fixed=(env -i PATH=/usr/bin:/bin)
fi

status=0
for target in cli rules; do
  work=$dir/run-$target
  rm -rf "$work"
  mkdir -p "$work/corpus" "$work/artifacts"
  seeds=$(find tests/fuzz/corpus/$target -type f | LC_ALL=C sort | paste -sd,)
  echo "-- fuzz_$target, seed 1, ${runs[$target]} runs"
  if "${fixed[@]}" "$dir/tests/fuzz/fuzz_$target" -seed=1 -runs="${runs[$target]}" -use_cmp=0 \
    -reload=0 -timeout=10 -print_final_stats=1 -artifact_prefix="$work/artifacts/" \
    -seed_inputs="$seeds" "$work/corpus" >"$work/log" 2>&1; then
    grep -a -E '^#[0-9]+[[:space:]]+DONE|^stat::' "$work/log"
  else
    status=1
    tail -n 60 "$work/log"
    echo "fuzz_$target failed; its input is in $work/artifacts"
  fi
done
exit $status

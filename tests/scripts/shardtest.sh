#!/usr/bin/env bash
# One match split into four shards run by GNU parallel, as the README shows:
# the shards' PDN in order is the whole match's, and tally adds them up to
# the result and score lines that match prints.
# Usage: shardtest.sh CHECKERS_CLI
set -euo pipefail
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
match=(match 1 2 12 7)

"$cli" "${match[@]}" --jobs 2 --pdn >"$work/whole.pdn" 2>"$work/whole.summary"
# --will-cite: the notice would wait for an answer on a terminal. Shards of
# one job each, as parallel runs them at once, and the whole match on
# workers: the two ways the games are handed on.
parallel --will-cite --keep-order --halt now,fail=1 \
  "$cli" "${match[@]}" --games {} --jobs 1 --pdn ::: 1-3 4-6 7-9 10-12 \
  >"$work/shards.pdn" 2>/dev/null
"$cli" tally --complete <"$work/shards.pdn" >"$work/tally"

# A run may span midnight: the date is the one tag that may differ.
undated() { grep -v '^\[Date ' "$1"; }
status=0
if ! cmp -s <(undated "$work/whole.pdn") <(undated "$work/shards.pdn"); then
  echo "FAIL: the shards' PDN differs from the whole match's"
  diff <(undated "$work/whole.pdn") <(undated "$work/shards.pdn") | head -n 20
  status=1
fi
if ! diff <(head -n 2 "$work/whole.summary") <(head -n 2 "$work/tally"); then
  echo "FAIL: tally's lines differ from match's"
  status=1
fi
if [ "$(sed -n 3p "$work/tally")" != "12 of 12 games" ]; then
  echo "FAIL: tally counts '$(sed -n 3p "$work/tally")'"
  status=1
fi
exit $status

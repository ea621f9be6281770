#!/usr/bin/env bash
# Matches split into four shards run by GNU parallel, as the README shows:
# the shards' PDN in order is the whole match's, and tally adds them up to
# the lines that match prints. A match that its test stops early is the
# start of its shards, which play all their games, and tally stops where
# the match did.
# Usage: shardtest.sh CHECKERS_CLI
set -euo pipefail
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0

# A run may span midnight: the date is the one tag that may differ.
undated() { grep -v '^\[Date ' "$1"; }

check() { # TOTAL "SHARD..." MATCH ARGUMENTS...
  local total=$1 shards=$2
  shift 2
  "$cli" "$@" --jobs 2 --pdn >"$work/whole.pdn" 2>"$work/whole.summary"
  # --will-cite: the notice would wait for an answer on a terminal. Shards
  # of one job each, as parallel runs them at once, and the whole match on
  # workers: the two ways the games are handed on.
  # shellcheck disable=SC2086
  parallel --will-cite --keep-order --halt now,fail=1 \
    "$cli" "$@" --games {} --jobs 1 --pdn ::: $shards >"$work/shards.pdn" 2>/dev/null
  "$cli" tally --complete <"$work/shards.pdn" >"$work/tally"

  undated "$work/whole.pdn" >"$work/whole.undated"
  local size
  size=$(stat -c %s "$work/whole.undated")
  if ! cmp -s "$work/whole.undated" <(undated "$work/shards.pdn" | head -c "$size"); then
    echo "FAIL: $*: the shards' PDN does not start with the whole match's"
    status=1
  fi
  if ! diff <(sed 3d "$work/whole.summary") <(sed 3d "$work/tally" | grep -v ' left out '); then
    echo "FAIL: $*: tally's lines differ from match's"
    status=1
  fi
  local games
  games=$(grep -c '^\[Round ' "$work/whole.pdn")
  if [ "$(sed -n 3p "$work/tally")" != "$games of $total games" ]; then
    echo "FAIL: $*: tally counts '$(sed -n 3p "$work/tally")', not $games of $total"
    status=1
  fi
}

check 12 "1-3 4-6 7-9 10-12" match 1 2 12 7
check 40 "1-10 11-20 21-30 31-40" match 3 2 40 5 --ballot --sprt 0,50
check 8 "1-1 2-5 6-8" match 2 3 8 5 --ballot
exit $status

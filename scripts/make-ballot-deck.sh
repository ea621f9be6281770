#!/usr/bin/env bash
# Writes the ballot deck's table, tools/match/ballotdecktable.inc, from the
# balance rule: build the generator, run it, keep its output. The deck is
# committed, so this runs only when the rule changes.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/dev
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build "$build" -j2 --target checkers-ballot-deck > /dev/null
"$build/tools/match/checkers-ballot-deck" > tools/match/ballotdecktable.inc.new
mv tools/match/ballotdecktable.inc.new tools/match/ballotdecktable.inc
echo "$(wc -l < tools/match/ballotdecktable.inc) openings in tools/match/ballotdecktable.inc"

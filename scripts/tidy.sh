#!/usr/bin/env bash
# Runs clang-tidy with the checks of .clang-tidy over the project's C++
# sources, with the compile commands of a finished build (the tests' moc
# files must exist). Further arguments go to clang-tidy, e.g.
#   scripts/tidy.sh build/rel --checks='clang-analyzer-*'
# for the slower static analyser.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:?usage: scripts/tidy.sh BUILD_DIR [clang-tidy options...]}
shift
if [ ! -f "$build/compile_commands.json" ]; then
  echo "tidy.sh: no $build/compile_commands.json; configure and build $build first" >&2
  exit 2
fi
# Only the sources this build compiles have compile commands: the fuzz
# targets, for one, need a fuzz build's directory.
compiled=$(sed -n 's/^ *"file": "\(.*\)",*$/\1/p' "$build/compile_commands.json")
# clang-tidy counts the warnings it hid in other people's headers on
# standard error; only the project's own findings are worth reading.
scripts/sources.sh '*.cpp' | sed "s|^|$PWD/|" | grep -F -x -e "$compiled" \
  | xargs -r -d '\n' -n4 -P"$(nproc)" clang-tidy -p "$build" --quiet "$@" \
      2> >(grep -v ' warnings\? generated\.$' >&2)

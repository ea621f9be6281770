#!/usr/bin/env bash
# Lists the project's files whose names match the given patterns, e.g.
#   scripts/sources.sh '*.cpp' '*.h'
# one path a line, relative to the top directory, in byte order. A clone
# asks git for its tracked files. A source archive has no repository, and
# perhaps no git, so there the tree is searched instead, leaving out what
# git would ignore: the build directories.
set -euo pipefail
: "${1:?usage: scripts/sources.sh PATTERN...}"
cd "$(dirname "$0")/.."
if command -v git >/dev/null && [ "$(git rev-parse --show-toplevel 2>/dev/null)" = "$(pwd -P)" ]; then
  exec git ls-files -- "$@"
fi
names=(-name "$1")
shift
for pattern in "$@"; do names+=(-o -name "$pattern"); done
find . \( -path ./build -o -path ./.git \) -prune -o -type f \( "${names[@]}" \) -print \
  | sed 's|^\./||' | LC_ALL=C sort

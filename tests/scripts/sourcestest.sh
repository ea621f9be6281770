#!/usr/bin/env bash
# A source archive unpacked where git is not installed, or where it is: the
# scripts must find the sources without a repository, the very files the
# clone tracks and none of a build directory's generated ones, and
# clang-tidy must run on them.
# Usage: sourcestest.sh SOURCE_DIR
set -euo pipefail
source_dir=$1
if ! git -C "$source_dir" rev-parse --verify -q HEAD >/dev/null 2>&1; then
  echo "no git clone to export from: skipped"
  exit 77
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
src=$work/src
mkdir "$src" "$work/bin"
git -C "$source_dir" archive HEAD | tar -x -C "$src"
# The scripts under test, committed or not.
cp "$source_dir"/scripts/*.sh "$src/scripts/"
mkdir -p "$src/build/ci-release/app"
touch "$src/build/ci-release/app/moc_mainwin.cpp"

# Every program of the PATH but git; the first of a name wins, as in PATH.
IFS=: read -ra path_dirs <<<"$PATH"
for ((n = ${#path_dirs[@]} - 1; n >= 0; n--)); do
  [ -d "${path_dirs[n]}" ] || continue
  find "${path_dirs[n]}" -mindepth 1 -maxdepth 1 ! -name git -print0 \
    | xargs -0 -r ln -sf -t "$work/bin"
done

expected=$(git -C "$source_dir" ls-tree -r --name-only HEAD | grep -E '\.(cpp|h)$')
listed=$(PATH=$work/bin "$src/scripts/sources.sh" '*.cpp' '*.h')
diff <(echo "$expected") <(echo "$listed")
# Where git is installed an archive still has no repository to ask.
diff <(echo "$expected") <("$src/scripts/sources.sh" '*.cpp' '*.h')

# One file is enough to see clang-tidy reached through the listing.
mkdir "$work/build"
cat >"$work/build/compile_commands.json" <<JSON
[
{
  "directory": "$src",
  "command": "c++ -std=c++17 -I$src -c $src/rules/gamestate.cpp",
  "file": "$src/rules/gamestate.cpp"
}
]
JSON
PATH=$work/bin "$src/scripts/tidy.sh" "$work/build"
echo "ok: $(echo "$listed" | wc -l) sources listed without git"

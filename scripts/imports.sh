#!/usr/bin/env bash
# Lists the includes that cross from one folder to another, as
#   FROM TO COUNT
# one pair a line, sorted: the arrows of the project's layers. An include
# names a file next to the including one or a path from the top.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/sources.sh '*.cpp' '*.h' | while read -r file; do
  from=$(dirname "$file")
  sed -n 's/^#include "\(.*\)"$/\1/p' "$file" | while read -r name; do
    if [ -f "$from/$name" ]; then to=$(dirname "$(realpath -m --relative-to=. "$from/$name")")
    elif [ -f "$name" ]; then to=$(dirname "$name")
    else continue; fi
    [ "$to" = "$from" ] || echo "$from $to"
  done
done | LC_ALL=C sort | uniq -c | awk '{ print $2, $3, $1 }'

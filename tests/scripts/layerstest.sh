#!/usr/bin/env bash
# Every include that crosses folders must follow the map in the README's
# Layout section: a folder includes only from the folders its line says it
# uses. Tests sit on top and may use any folder.
# Usage: layerstest.sh SOURCE_DIR
set -euo pipefail
source_dir=$1
# "- `FOLDER/`: ... Uses `A/`, `B/`." gives FOLDER A B; a line may wrap.
map=$(sed -n '/^## Layout$/,/^## /p' "$source_dir/README.md" | awk '
  /^- `/ { if (entry) print entry; entry = $0; next }
  /^  / { entry = entry $0; next }
  END { if (entry) print entry }' | while read -r entry; do
  folder=$(sed 's/^- `\([^`]*\)\/`.*/\1/' <<<"$entry")
  uses=$(sed -n 's/.*Uses \(.*\)/\1/p' <<<"$entry" | grep -o '`[^`]*/`' | sed 's/^`//; s/\/`$//' | xargs || true)
  echo "$folder $uses"
done)

failures=0
while read -r from to count; do
  [[ $from == tests/* ]] && continue
  line=$(awk -v folder="$from" '$1 == folder' <<<"$map")
  if [ -z "$line" ]; then
    echo "FAILED: $from is not in the README's Layout"
  elif [[ " ${line#"$from"} " != *" $to "* ]]; then
    echo "FAILED: $from includes from $to ($count), which its Layout line does not name"
  else
    continue
  fi
  failures=$((failures + 1))
done < <("$source_dir/scripts/imports.sh")

# The check itself must see an include that runs up: one planted in a tree
# of its own, with the same map and scripts.
if [ -z "${LAYERS_PLANTED:-}" ]; then
  planted=$(mktemp -d)
  trap 'rm -rf "$planted"' EXIT
  mkdir -p "$planted/scripts" "$planted/tools/position" "$planted/tools/pdn"
  cp "$source_dir/README.md" "$planted/"
  cp "$source_dir/scripts/imports.sh" "$source_dir/scripts/sources.sh" "$planted/scripts/"
  touch "$planted/tools/pdn/pdnreader.h"
  echo '#include "tools/pdn/pdnreader.h"' >"$planted/tools/position/position.h"
  found=$(LAYERS_PLANTED=1 bash "$0" "$planted" || true)
  if grep -q '^FAILED: tools/position includes from tools/pdn' <<<"$found"; then
    echo "ok: an include from tools/position up to tools/pdn fails the check"
  else
    echo "FAILED: an include from tools/position up to tools/pdn passes the check"
    failures=$((failures + 1))
  fi
fi
[ "$failures" -eq 0 ] && echo "ok: every include follows the Layout"

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
[ "$failures" -eq 0 ] && echo "ok: every include follows the Layout"

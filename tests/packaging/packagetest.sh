#!/usr/bin/env bash
# Builds the Debian package from a finished build and checks what a person
# installing it gets: exactly the files meant for the standard places, the
# metadata apt needs, a valid menu entry that names packaged files, and
# programs that run from the packaged, stripped copies.
# Usage: packagetest.sh BUILD_DIR VERSION BUILT_CLI
set -euo pipefail
build=$1 version=$2 built_cli=$3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
check() { # description, command...
  local what=$1; shift
  if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}

if ! cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"
  exit 1
fi
deb=("$work"/out/*.deb)
[ ${#deb[@]} -eq 1 ] || { echo "FAILED: expected one package, got: ${deb[*]}"; exit 1; }
echo "package: $(basename "${deb[0]}"), $(stat -c %s "${deb[0]}") bytes"

# Files, not directories: anything installed by mistake shows up here.
files=$(dpkg-deb -c "${deb[0]}" | awk '$1 !~ /^d/ { print $6 }' | LC_ALL=C sort)
expected="./usr/bin/checkers
./usr/bin/checkers-cli
./usr/share/applications/checkers.desktop
./usr/share/icons/hicolor/scalable/apps/checkers.svg"
check "the package holds the two programs, the menu entry and the icon" \
  diff <(echo "$expected") <(echo "$files")

field() { dpkg-deb -f "${deb[0]}" "$1"; }
check "Package is checkers" test "$(field Package)" = checkers
check "Version is the project's, $version" test "$(field Version)" = "$version"
check "Architecture is this machine's" test "$(field Architecture)" = "$(dpkg --print-architecture)"
check "Section is games" test "$(field Section)" = games
check "Maintainer is set" test -n "$(field Maintainer)"
depends=$(field Depends)
for library in libqt6core6 libqt6gui6 libqt6widgets6 qt6-qpa-plugins libstdc++6; do
  check "Depends names $library" grep -q "\b$library\b" <<<"$depends"
done

root=$work/root
dpkg-deb -x "${deb[0]}" "$root"
desktop=$root/usr/share/applications/checkers.desktop
entry() { sed -n "s/^$1=//p" "$desktop"; }
check "the menu entry is valid" desktop-file-validate "$desktop"
check "the menu entry is a game" grep -qx 'Categories=Game;BoardGame;' "$desktop"
check "both programs are executable" test -x "$root/usr/bin/checkers" -a -x "$root/usr/bin/checkers-cli"
check "the menu entry starts a packaged program" test -x "$root/usr/bin/$(entry Exec | cut -d' ' -f1)"
icon=$root/usr/share/icons/hicolor/scalable/apps/$(entry Icon).svg
check "the menu entry's icon is packaged" test -f "$icon"
check "the icon is an SVG image" grep -q SVG <<<"$(file -b "$icon")"

initial="bbbbbbbbbbbb........wwwwwwwwwwww w"
cli=$root/usr/bin/checkers-cli
check "the packaged console tool lists the same steps as the built one" \
  test "$("$cli" moves "$initial")" = "$("$built_cli" moves "$initial")"
check "the packaged console tool counts the same move sequences" \
  test "$("$cli" perft "$initial" 6)" = "$("$built_cli" perft "$initial" 6)"
# The game runs until its window is closed: still running after a second
# means it found its libraries and opened its window.
status=0
QT_QPA_PLATFORM=offscreen timeout 1 "$root/usr/bin/checkers" >/dev/null 2>&1 || status=$?
check "the packaged game starts and keeps running" test "$status" -eq 124

[ "$failures" -eq 0 ]

#!/usr/bin/env bash
# Builds the Debian package the way the README does (Release, tests off,
# cpack) and checks what a person installing it gets: exactly the files meant
# for Debian's places, a package lintian accepts, the metadata apt and
# software centres need, clean man pages that document every command of the
# console tool, hardened and stripped programs that run from the packaged
# copies, and the same layout from `cmake --install` to another prefix.
# Usage: packagetest.sh SOURCE_DIR BUILD_DIR VERSION
# BUILD_DIR is kept between runs, so that a second run only rebuilds what
# changed.
set -euo pipefail
source=$1 build=$2 version=$3
# A locale every system has: man and the Perl tools complain about a missing one.
export LC_ALL=C.UTF-8

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
check() { # description, command...
  local what=$1; shift
  if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}
empty() { # text: true if there is none, else shows it
  [ -z "$1" ] || { sed 's/^/    /' <<<"$1"; false; }
}
quiet() { # command...: its output only if it fails
  "$@" >"$work/log" 2>&1 || { cat "$work/log"; exit 1; }
}

# As the README says; without the Test module, which the programs do not need.
quiet cmake -S "$source" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
  -DCMAKE_DISABLE_FIND_PACKAGE_Qt6Test=ON
quiet cmake --build "$build" -j"$(nproc)"
quiet cpack --config "$build/CPackConfig.cmake" -B "$work/out"
deb=("$work"/out/*.deb)
[ ${#deb[@]} -eq 1 ] || { echo "FAILED: expected one package, got: ${deb[*]}"; exit 1; }
echo "package: $(basename "${deb[0]}"), $(stat -c %s "${deb[0]}") bytes"

# Files, not directories: anything installed by mistake shows up here.
listed() { awk '$1 !~ /^d/ { print $6 }' | LC_ALL=C sort; }
files=$(dpkg-deb -c "${deb[0]}" | listed)
expected="./usr/games/checkers
./usr/games/checkers-cli
./usr/share/applications/org.example.checkers.desktop
./usr/share/doc/checkers/changelog.gz
./usr/share/doc/checkers/copyright
./usr/share/icons/hicolor/scalable/apps/checkers.svg
./usr/share/lintian/overrides/checkers
./usr/share/man/man6/checkers-cli.6.gz
./usr/share/man/man6/checkers.6.gz
./usr/share/metainfo/org.example.checkers.metainfo.xml"
check "the package holds the programs, menu entry, icon, metadata, man pages and docs" \
  diff <(echo "$expected") <(echo "$files")
check "lintian --pedantic -I has nothing to say" \
  empty "$(lintian --pedantic -I "${deb[0]}" 2>/dev/null || echo "lintian failed")"

field() { dpkg-deb -f "${deb[0]}" "$1"; }
check "Package is checkers" test "$(field Package)" = checkers
check "Version is the project's, $version" test "$(field Version)" = "$version"
check "Architecture is this machine's" test "$(field Architecture)" = "$(dpkg --print-architecture)"
check "Section is games" test "$(field Section)" = games
check "Maintainer is set" test -n "$(field Maintainer)"
# Nothing runs at install or removal and nothing is kept as configuration, so
# removing the package removes every file it brought.
check "the package has no maintainer scripts and no conffiles" \
  test "$(dpkg-deb --ctrl-tarfile "${deb[0]}" | tar -t | LC_ALL=C sort | xargs)" = "./control ./md5sums"

root=$work/root
dpkg-deb -x "${deb[0]}" "$root"
games=$root/usr/games
# The libraries the programs load come from the packages Depends names, and
# so do the window-system plugins and a font, which nothing links to.
mkdir -p "$work/shlibs/debian" && touch "$work/shlibs/debian/control"
needed=$(cd "$work/shlibs" && dpkg-shlibdeps -O "$games/checkers" "$games/checkers-cli" 2>/dev/null \
  | sed 's/^shlibs:Depends=//; s/ ([^)]*)//g; s/, /\n/g')
depends=$(field Depends)
for package in $needed qt6-qpa-plugins fonts-dejavu-core; do
  check "Depends names $package" grep -q "\(^\|, \)$package\b" <<<"$depends"
done

doc=$root/usr/share/doc/checkers
check "the copyright file is machine-readable and says GPL-3+" \
  grep -qx 'License: GPL-3+' "$doc/copyright"
check "the changelog's latest entry is version $version" \
  test "$(zcat "$doc/changelog.gz" | dpkg-parsechangelog -l - -S Version)" = "$version"

desktop=$root/usr/share/applications/org.example.checkers.desktop
entry() { sed -n "s/^$1=//p" "$desktop"; }
check "the menu entry is valid" desktop-file-validate "$desktop"
check "the menu entry is a game" grep -qx 'Categories=Game;BoardGame;' "$desktop"
check "the menu entry starts the game without a terminal" test "$(entry Terminal)" = false
check "the menu entry starts the packaged game" test "$(entry Exec)" = /usr/games/checkers
icon=$root/usr/share/icons/hicolor/scalable/apps/$(entry Icon).svg
check "the menu entry's icon is packaged" test -f "$icon"
check "the icon is an SVG image" grep -q SVG <<<"$(file -b "$icon")"
metainfo=$root/usr/share/metainfo/org.example.checkers.metainfo.xml
# A failed validation shows all it said; a passed one, any remark it made.
appstream=$(appstreamcli validate-tree --no-net --pedantic "$root" 2>&1) \
  && appstream=$(grep -E '^ *[EWIP]: ' <<<"$appstream" || true)
check "appstreamcli passes the metadata and its menu entry without a remark" empty "$appstream"
check "the metadata has a release of version $version" grep -q "<release version=\"$version\"" "$metainfo"

for page in checkers checkers-cli; do
  check "man --warnings finds nothing in $page(6)" \
    empty "$(man --warnings -l "$root/usr/share/man/man6/$page.6.gz" 2>&1 >/dev/null)"
done
# The commands the tool names in its usage against the .TP entries of the
# page's COMMANDS section; options go under OPTIONS.
cli=$games/checkers-cli
usage=$("$cli" 2>&1 >/dev/null || true)
accepted=$(sed 's/^usage: checkers-cli //; s/ | /\n/g' <<<"$usage" | awk '{ print $1 }' | LC_ALL=C sort)
documented=$(zcat "$root/usr/share/man/man6/checkers-cli.6.gz" | awk '
  /^\.SH / { section = $2 }
  tag && (section == "COMMANDS" || section == "OPTIONS") { gsub(/"|\\/, ""); print $2 }
  { tag = $0 == ".TP" }' | LC_ALL=C sort)
check "checkers-cli(6) documents the commands the tool accepts, no more, no fewer" \
  diff <(grep -v '^-' <<<"$accepted") <(grep -v '^-' <<<"$documented")
check "checkers-cli(6) documents the options the usage names" \
  test -z "$(comm -23 <(grep '^-' <<<"$accepted") <(grep '^-' <<<"$documented"))"

# Hardening that leaves no trace lintian could check in the binaries.
commands=$(grep -c '"command"' "$build/compile_commands.json")
for flag in -fstack-protector-strong -Werror=format-security -D_FORTIFY_SOURCE=2 -fPIE; do
  check "every compilation has $flag" \
    test "$(grep '"command"' "$build/compile_commands.json" | grep -c -- " $flag ")" = "$commands"
done

initial="bbbbbbbbbbbb........wwwwwwwwwwww w"
built_cli=$build/tools/cli/checkers-cli
check "the packaged console tool lists the same steps as the built one" \
  test "$("$cli" moves "$initial")" = "$("$built_cli" moves "$initial")"
check "the packaged console tool counts the same move sequences" \
  test "$("$cli" perft "$initial" 6)" = "$("$built_cli" perft "$initial" 6)"
# The game runs until its window is closed: still running after a second
# means it found its libraries and opened its window.
status=0
QT_QPA_PLATFORM=offscreen timeout 1 "$root$(entry Exec)" >/dev/null 2>&1 || status=$?
check "the packaged game starts from its menu entry and keeps running" test "$status" -eq 124

# Any prefix gets the package's layout, with a menu entry that starts the
# game installed there.
prefix=$work/prefix
quiet cmake --install "$build" --prefix "$prefix"
check "cmake --install to another prefix installs the package's files" \
  diff <(sed "s|^\./usr/||" <<<"$files") <(cd "$prefix" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort)
exec_line=$(sed -n 's/^Exec=//p' "$prefix/share/applications/org.example.checkers.desktop")
check "its menu entry starts the game installed there" \
  test "$exec_line" = "$prefix/games/checkers" -a -x "$exec_line"

[ "$failures" -eq 0 ]

#!/usr/bin/env bash
# Builds the Debian package the way the README does (Release, tests off,
# cpack) and checks what a person installing it gets: exactly the files meant
# for Debian's places, a package lintian accepts, the metadata apt and
# software centres need, clean man pages that document every command of the
# console tool, hardened and stripped programs that run from the packaged
# copies, the same layout from `cmake --install` to another prefix, and the
# same package byte for byte from another build at another time.
# Usage: packagetest.sh SOURCE_DIR BUILD_DIR OTHER_BUILD_DIR VERSION
# Both build folders are kept between runs, so that a second run only
# rebuilds what changed.
set -euo pipefail
source=$1 build=$2 other_build=$3 version=$4
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
build_release() { # folder
  quiet cmake -S "$source" -B "$1" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DCMAKE_DISABLE_FIND_PACKAGE_Qt6Test=ON
  quiet cmake --build "$1" -j"$(nproc)"
}
build_release "$build"
quiet env -u SOURCE_DATE_EPOCH cpack --config "$build/CPackConfig.cmake" -B "$work/out"
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
check "the menu entry names the game window's class, for docks" test "$(entry StartupWMClass)" = checkers
icon=$root/usr/share/icons/hicolor/scalable/apps/$(entry Icon).svg
check "the menu entry's icon is packaged" test -f "$icon"
check "the icon is an SVG image" grep -q SVG <<<"$(file -b "$icon")"
metainfo=$root/usr/share/metainfo/org.example.checkers.metainfo.xml
# A failed validation shows all it said; a passed one, any remark it made.
appstream=$(appstreamcli validate-tree --no-net --pedantic "$root" 2>&1) \
  && appstream=$(grep -E '^ *[EWIP]: ' <<<"$appstream" || true)
check "appstreamcli passes the metadata and its menu entry without a remark" empty "$appstream"
check "the metadata has a release of version $version" grep -q "<release version=\"$version\"" "$metainfo"
released=$(date -u -d "@$(zcat "$doc/changelog.gz" | dpkg-parsechangelog -l - -S Timestamp)" +%F)
check "the metadata's release has the date of the changelog's latest entry, $released" \
  grep -q "<release version=\"$version\" date=\"$released\"" "$metainfo"

for page in checkers checkers-cli; do
  check "man --warnings finds nothing in $page(6)" \
    empty "$(man --warnings -l "$root/usr/share/man/man6/$page.6.gz" 2>&1 >/dev/null)"
done
# The commands the tool names in its usage against the .TP entries of the
# page's COMMANDS section; options go under OPTIONS.
cli=$games/checkers-cli
usage=$("$cli" 2>&1 >/dev/null || true)
# The usage is wrapped, between commands or inside one, and followed by a
# pointer to --help.
accepted=$(sed '/^Try /d' <<<"$usage" | tr -s ' \n' '  ' \
  | sed 's/^usage: checkers-cli //; s/ $//; s/ | /\n/g' | awk '{ print $1 }' | LC_ALL=C sort)
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

# Every time in a package, in UTC: its ar members' (perl-base is always
# there to read their headers) and its files' and folders'.
stamps() { # package
  perl -e 'binmode STDIN; read STDIN, $_, 8;
    while (read STDIN, $h, 60) {
      ($t, $s) = unpack "x16 A12 x20 A10", $h; print "$t\n"; read STDIN, $_, $s + $s % 2 }' <"$1" \
    | while read -r t; do date -u -d "@$t" '+%F %T'; done
  { dpkg-deb --ctrl-tarfile "$1" && dpkg-deb --fsys-tarfile "$1"; } | TZ=UTC0 tar -tv --full-time \
    | awk '{ print $4, $5 }'
}
at() { # seconds: that time, as stamps shows it
  date -u -d "@$1" '+%F %T'
}
# Without SOURCE_DATE_EPOCH, as the README packs, the time of the source.
if fallback=$([ -e "$source/.git" ] && git -C "$source" log -1 --format=%ct 2>/dev/null); then
  source_time="the last commit's"
else
  source_time="the changelog's latest entry's"
  fallback=$(dpkg-parsechangelog -l "$source/packaging/changelog" -S Timestamp)
fi
check "every time in the package is $source_time, $(at "$fallback")" \
  test "$(stamps "${deb[0]}" | sort -u)" = "$(at "$fallback")"
given=1234567890
quiet env SOURCE_DATE_EPOCH=$given cpack --config "$build/CPackConfig.cmake" -B "$work/given"
check "with SOURCE_DATE_EPOCH=$given every time in the package is $(at $given)" \
  test "$(stamps "$work"/given/*.deb | sort -u)" = "$(at $given)"

# Another build folder, built and packed later under a stricter umask: its
# programs are stripped when staged, so they at least have other times.
(umask 027 && build_release "$other_build" && quiet env -u SOURCE_DATE_EPOCH \
  cpack --config "$other_build/CPackConfig.cmake" -B "$work/again")
staged() { stat -c %Y "$1"/_CPack_Packages/*/DEB/*/usr/games/checkers; }
check "the other build packed files of other times" \
  test "$(staged "$work/out")" != "$(staged "$work/again")"
check "the other build made the same package, byte for byte" cmp "${deb[0]}" "$work"/again/*.deb

[ "$failures" -eq 0 ]

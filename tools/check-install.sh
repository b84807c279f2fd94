#!/usr/bin/env bash
# Installs the game built by ./test into a scratch folder and checks what a desktop finds there:
# the desktop entry and the metainfo pass their validators (the metainfo with no warning even
# when pedantic), the manual page reads without a warning and has all its sections, the icons,
# Hall of Fame and documents are where the layout says, and --version leaves an empty folder
# empty. Then builds the release package and lets lintian check it.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${TOLV_CHECK_BUILD:-$root/build/dev}"
id=org.tolvagiochi.TolvStreet
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
fail() { echo "$*" >&2; exit 1; }

cmake --install "$build" --prefix "$scratch/usr" >/dev/null
share="$scratch/usr/share"
missing=0
for file in games/tolvstreet share/applications/$id.desktop \
            share/metainfo/$id.metainfo.xml share/icons/hicolor/scalable/apps/$id.svg \
            share/icons/hicolor/16x16/apps/$id.png share/icons/hicolor/256x256/apps/$id.png \
            share/man/man6/tolvstreet.6.gz share/tolvstreet/data6 \
            share/doc/tolvstreet/README.md.gz share/doc/tolvstreet/copyright \
            share/doc/tolvstreet/changelog.gz; do
  if [ ! -e "$scratch/usr/$file" ]; then
    echo "not installed: $file" >&2
    missing=1
  fi
done
[ "$missing" -eq 0 ]
# Debian keeps games' commands in /usr/games alone.
[ ! -e "$scratch/usr/bin" ] || fail "something is installed in bin: $(ls "$scratch/usr/bin")"
cmp -s "$share/tolvstreet/data6" <(printf '""\r\n') || fail "data6 is not the empty list"

# Documents over 4 KB compressed, with no time stamp inside; the copyright file as it is.
doc="$share/doc/tolvstreet"
cmp -s <(gzip -dc "$doc/README.md.gz") "$root/README.md" || fail "README.md.gz is not the README"
for gz in "$doc/README.md.gz" "$doc/changelog.gz" "$share/man/man6/tolvstreet.6.gz"; do
  [ "$(od -An -tu4 -j4 -N4 "$gz" | tr -d ' ')" = 0 ] || fail "$gz carries a time stamp"
done
cmp -s "$doc/copyright" "$root/share/linux/copyright" || fail "the copyright file is not as written"

# The desktop entry names the command whole: /usr/games is not on every session's PATH.
desktop-file-validate "$share/applications/$id.desktop"
grep -qx "Exec=$scratch/usr/games/tolvstreet --user-folder" "$share/applications/$id.desktop" ||
  fail "the desktop entry does not start $scratch/usr/games/tolvstreet --user-folder"

# The metainfo: no error and no warning, pedantic included (the id keeps its upper-case letters,
# a pedantic note only).
metainfo="$share/metainfo/$id.metainfo.xml"
report="$(appstreamcli validate --pedantic --no-net "$metainfo")" || fail "$report"
! grep -E '^[EW]:' <<<"$report" || fail "the metainfo has warnings"
grep -q 'release version="1.4.29"' "$metainfo"
for wanted in '<control>keyboard</control>' '<control>pointing</control>' '<display_length' \
              '<keyword>' '<branding>'; do
  grep -q "$wanted" "$metainfo" || fail "the metainfo does not say $wanted"
done

# The manual page: read by man with every warning on, it has all its sections and names every
# file the game keeps.
page="$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$share/man/man6/tolvstreet.6.gz" \
        2>"$scratch/man.err" | col -b)"
[ ! -s "$scratch/man.err" ] || fail "man warns: $(cat "$scratch/man.err")"
for section in NAME SYNOPSIS DESCRIPTION OPTIONS KEYS FILES ENVIRONMENT "SEE ALSO"; do
  grep -q "^$section\$" <<<"$page" || fail "the manual page has no $section section"
done
for name in Data1 Data5 data7 data6 Data.journal Data.ledger Data.ledger.game1 .bak1 \
            Data.backups TolvStreet.lock "Tolv Street.conf" XDG_DATA_HOME XDG_CONFIG_HOME; do
  grep -qF -- "$name" <<<"$page" || fail "the manual page does not name $name"
done

# The version in a folder of its own, with no display: printed, and nothing written there.
mkdir "$scratch/empty"
version="$(cd "$scratch/empty" && env -u DISPLAY -u WAYLAND_DISPLAY "$scratch/usr/games/tolvstreet" --version)"
[ "$version" = "Tolv Street 1.4.29" ] || fail "--version printed: $version"
[ -z "$(ls -A "$scratch/empty")" ] || fail "--version wrote into its folder"
echo "install layout, desktop entry, metainfo and manual page: ok"

# The release package, as a player installs it: lintian finds nothing to warn about, and each
# dependency is named once.
(cd "$root" && cmake --workflow --preset package >"$scratch/package.log" 2>&1) ||
  { cat "$scratch/package.log" >&2; fail "the package could not be built"; }
deb="$(ls "$root"/build/release/tolvstreet_*_amd64.deb | tail -1)"
lintian --fail-on warning "$deb" 2> >(grep -v 'running with root privileges' >&2)
depends="$(dpkg-deb -f "$deb" Depends | tr ',' '\n' | sed -E 's/\(.*\)//; s/ //g' | sort)"
[ -z "$(uniq -d <<<"$depends")" ] || fail "a dependency is named twice: $(uniq -d <<<"$depends")"
echo "package $(basename "$deb"): lintian ok, each dependency once"

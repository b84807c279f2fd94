#!/usr/bin/env bash
# Installs the game built by ./test into a scratch folder and checks what a desktop finds there:
# the desktop entry and the metainfo pass their validators, the icons, manual page, Hall of Fame
# and documents are where the layout says, and --version leaves an empty folder empty.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${TOLV_CHECK_BUILD:-$root/build/dev}"
id=org.tolvagiochi.TolvStreet
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

cmake --install "$build" --prefix "$scratch/usr" >/dev/null
share="$scratch/usr/share"
missing=0
for file in bin/tolvstreet games/tolvstreet share/applications/$id.desktop \
            share/metainfo/$id.metainfo.xml share/icons/hicolor/scalable/apps/$id.svg \
            share/icons/hicolor/16x16/apps/$id.png share/icons/hicolor/256x256/apps/$id.png \
            share/man/man6/tolvstreet.6.gz share/tolvstreet/data6 \
            share/doc/tolvstreet/README.md share/doc/tolvstreet/LICENSE \
            share/doc/tolvstreet/copyright share/doc/tolvstreet/changelog.gz; do
  if [ ! -e "$scratch/usr/$file" ]; then
    echo "not installed: $file" >&2
    missing=1
  fi
done
[ "$missing" -eq 0 ]
cmp -s "$share/tolvstreet/data6" <(printf '""\r\n') || { echo "data6 is not the empty list" >&2; exit 1; }

desktop-file-validate "$share/applications/$id.desktop"
appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml" >/dev/null
grep -q 'release version="1.4.29"' "$share/metainfo/$id.metainfo.xml"

# The version in a folder of its own, with no display: printed, and nothing written there.
mkdir "$scratch/empty"
version="$(cd "$scratch/empty" && env -u DISPLAY -u WAYLAND_DISPLAY "$scratch/usr/bin/tolvstreet" --version)"
[ "$version" = "Tolv Street 1.4.29" ] || { echo "--version printed: $version" >&2; exit 1; }
[ -z "$(ls -A "$scratch/empty")" ] || { echo "--version wrote into its folder" >&2; exit 1; }
echo "install layout, desktop entry and metainfo: ok"

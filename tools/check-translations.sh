#!/usr/bin/env bash
# Fails when a text the player can see has no English, or the English keeps a text the game no
# longer has. lupdate reads the sources into a copy of the translation: the copy must come out
# with nothing new to translate and nothing gone. Texts are matched, not their places in the
# code, so moving code never fails the check.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
ts="src/ui/i18n/tolvstreet_en.ts"

lupdate="${LUPDATE:-}"
if [ -z "$lupdate" ]; then
  for candidate in /usr/lib/qt6/bin/lupdate /usr/lib/qt6/libexec/lupdate "$(command -v lupdate6 || true)"; do
    if [ -n "$candidate" ] && [ -x "$candidate" ]; then
      lupdate="$candidate"
      break
    fi
  done
fi
[ -n "$lupdate" ] || { echo "lupdate (Qt 6 Linguist tools) not found; set LUPDATE" >&2; exit 1; }

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
cp "$root/$ts" "$scratch/en.ts"
(cd "$root" && "$lupdate" -silent -locations none src -ts "$scratch/en.ts")

# One line per text that fails: "untranslated" for a text without English (or marked unfinished),
# "unused" for English whose text the sources no longer have.
awk '
  function unescape(t) {
    gsub(/&quot;/, "\"", t); gsub(/&apos;/, "\047", t); gsub(/&lt;/, "<", t); gsub(/&gt;/, ">", t)
    gsub(/&amp;/, "\\&", t); return t
  }
  /<context>/ { context = "" }
  /<name>/ { line = $0; sub(/.*<name>/, "", line); sub(/<\/name>.*/, "", line); context = line }
  /<message/ { source = ""; state = "" }
  # A text of several lines is named by its first.
  /<source>/ { line = $0; sub(/.*<source>/, "", line); sub(/<\/source>.*/, "", line); source = line }
  /<translation/ {
    if ($0 ~ /type="(vanished|obsolete)"/) state = "unused"
    else if ($0 ~ /type="unfinished"/ || $0 ~ /<translation><\/translation>/ || $0 ~ /<translation\/>/) state = "untranslated"
  }
  /<numerusform><\/numerusform>/ { if (state == "") state = "untranslated" }
  /<\/message>/ { if (state != "") printf "%s [%s] %s\n", state, context, unescape(source) }
' "$scratch/en.ts" >"$scratch/faults"

if [ -s "$scratch/faults" ]; then
  echo "The English translation ($ts) does not match the game's texts:" >&2
  cat "$scratch/faults" >&2
  echo "Refresh it with: /usr/lib/qt6/bin/lupdate -locations none src -ts $ts" >&2
  echo "then translate what is new and remove what is unused." >&2
  exit 1
fi
echo "translations: every text has its English, and every English its text"

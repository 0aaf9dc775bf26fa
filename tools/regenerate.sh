#!/usr/bin/env bash
# Usage: tools/regenerate.sh BUILD_DIR [OUT_DIR]
# Runs the art, font, sound and music generators of BUILD_DIR (build them
# first, e.g. cmake --build BUILD_DIR --target digmaze-art digmaze-fonts
# digmaze-sound digmaze-music) into OUT_DIR, which defaults to the
# repository's data/, encodes the music with oggenc (vorbis-tools), puts the
# how-to-play pages of tools/help into OUT_DIR/help, the demonstration's
# replays into OUT_DIR/demo and every level's replay, with the digest of the
# map it wins, into OUT_DIR/solutions. The maps in data/Maps come from
# tools/levels and are not touched here; the help pictures show the first of
# them, and the solutions' digests are those of the maps as committed.
set -euo pipefail

if [ $# -lt 1 ] || [ $# -gt 2 ]; then
  echo "usage: tools/regenerate.sh BUILD_DIR [OUT_DIR]" >&2
  exit 2
fi
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "$1" && pwd)"
out="${2:-$root/data}"
fonts=/usr/share/fonts/truetype/dejavu

mkdir -p "$out/windows"
"$build/tools/art/digmaze-art" "$out" --level "$root/data/Maps/level01.dmm"
"$build/tools/fonts/digmaze-fonts" "$fonts" "$out"
"$build/tools/sound/digmaze-sound" "$out"
# The music: each score of tools/music rendered, then encoded with a fixed
# serial number so the file comes out the same every time; a piece that loops
# carries its loop in the comments the renderer prints.
wavs="$(mktemp -d)"
trap 'rm -rf "$wavs"' EXIT
mkdir -p "$out/music"
for score in "$root"/tools/music/*.score; do
  name="$(basename "$score" .score)"
  loop="$("$build/tools/music/digmaze-music" "$score" "$wavs/$name.wav")"
  comments=()
  for c in $loop; do comments+=(-c "$c"); done
  oggenc --quiet --serial 1 --quality 2 "${comments[@]}" -o "$out/music/$name.ogg" "$wavs/$name.wav"
done
# The fonts are rendered from DejaVu Sans; its licence notice travels with them.
cp "$root/tools/fonts/DejaVu-fonts-LICENSE.txt" "$out/windows/DejaVu-fonts-LICENSE.txt"
# The pages: the index as it is; the fonts' page with the licence notice set
# into its template, escaped for HTML.
licence="$root/tools/fonts/DejaVu-fonts-LICENSE.txt"
cp "$root/tools/help/index.html" "$out/help/index.html"
awk -v licence="$licence" '
  $0 == "@LICENCE@" {
    while ((getline line < licence) > 0) {
      gsub(/&/, "\\&amp;", line); gsub(/</, "\\&lt;", line); gsub(/>/, "\\&gt;", line)
      print line
    }
    next
  }
  { print }' "$root/tools/help/fonts.html.in" > "$out/help/fonts.html"
# The demonstration plays these campaign levels' replays in this order:
# walking and ladders, lines, digging, and trapping an alien, each to its exit.
rm -rf "$out/demo"
mkdir -p "$out/demo"
for level in level01 level02 level03 level09; do
  cp "$root/tools/levels/replays/$level.txt" "$out/demo/$level.txt"
done
# Show Solution plays these: every replay of tools/levels/replays, listed in
# solutions/digests.txt with the SHA-256 digest of the shipped map it wins,
# by which the game recognises the map (under any name, and not once edited).
rm -rf "$out/solutions"
mkdir -p "$out/solutions"
{
  echo "# SHA-256 of a map file, and the replay in this folder that wins it"
  for replay in $(cd "$root/tools/levels/replays" && LC_ALL=C ls -- *.txt); do
    map="$root/data/Maps/${replay%.txt}.dmm"
    if [ ! -f "$map" ]; then
      echo "tools/regenerate.sh: the replay $replay has no map $map" >&2
      exit 1
    fi
    cp "$root/tools/levels/replays/$replay" "$out/solutions/$replay"
    echo "$(sha256sum < "$map" | cut -d' ' -f1) $replay"
  done
} > "$out/solutions/digests.txt"

#!/usr/bin/env bash
# Imports a map given on the command line, with a fresh per-user folder: the
# maps manager opens with it selected, listed last in the level order, its
# file byte for byte the one given. Then a damaged file: a box says so, and
# nothing in the per-user folder changes.
# Screenshots of the last run: <build>/e2e/import.
# Usage: tests/e2e/import.sh <game folder>
set -euo pipefail
source "$(dirname "$0")/helpers.bash"
scratch import "${1:-}"
screen 1280x1024
maps="$XDG_DATA_HOME/Digmaze/Maps"
small_map "$work/travel.dmm" 3
shipped=$(int_at "$game/Maps/index.dml" 4)

# The last miniature, scrolled into sight and framed in red, and the line
# under the grid written.
is_imported() {
  [ -n "$(red_rows 200)$(red_rows 690)" ] || { why="no miniature is framed in red"; return 1; }
  local lit; lit=$(convert "$pic" -crop 1000x20+8+688 -format '%[fx:mean > 0.02]' info:)
  [ "$lit" = 1 ] || { why="no line under the miniatures"; return 1; }
}
# The main menu with the pointer in its middle: what the box below stands over.
start_game --scale off
T=60 go menu is_main_menu @512,384
ends_with_zero TERM

start_game --scale off "$work/travel.dmm"
T=60 go imported is_imported
[ "$(int_at "$maps/index.dml" 4)" = $((shipped + 1)) ] || fail "the index does not list one map more"
last=$(tail -c 14 "$maps/index.dml")
[[ $last =~ ^[0-9]{10}\.dmm$ ]] || fail "the last map of the level order is not a fresh name: $last"
cmp -s "$maps/$last" "$work/travel.dmm" || fail "$last is not the map given"
ends_with_zero TERM

snapshot() { (cd "$XDG_DATA_HOME" && find . -type f -exec md5sum {} + | sort); }
before=$(snapshot)
head -c 4000 "$work/travel.dmm" >"$work/damaged.dmm"
start_game --scale off "$work/damaged.dmm"
T=60 go refused "is_box_over $art/01-menu.png"
go menu-again is_main_menu Return
ends_with_zero TERM
[ "$(snapshot)" = "$before" ] || fail "the damaged file changed the per-user folder"
echo "import.sh: a map imported last and byte for byte, a damaged one refused; screenshots in $art"

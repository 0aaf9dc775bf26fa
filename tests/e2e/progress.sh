#!/usr/bin/env bash
# The player's progress with the keys alone, on a level order of four small
# maps (the runner, treasures and the exit in a row): Start Game opens the
# level select framing level 1, Enter plays it, Right wins it, its tally
# shows and Enter goes on to level 2, which the records now open first: after
# Quit to Menu, Start Game frames level 2 and Enter plays it, as a save into
# slot 1 proves. Screenshots (the level select, the tally, the slot row):
# <build>/e2e/progress.
# Usage: tests/e2e/progress.sh <game folder>
set -euo pipefail
source "$(dirname "$0")/helpers.bash"
scratch progress "${1:-}"
screen 1280x1024
rm -rf "$game/Maps"; mkdir -p "$game/Maps"
for k in 1 2 3 4; do small_map "$game/Maps/p$k.dmm" "$k"; done
index_of p1.dmm p2.dmm p3.dmm p4.dmm >"$game/Maps/index.dml"
records="$HOME/data/Digmaze/progress.cfg"

# The level select (GSceneLevels): its caption band at the top, and level k
# of the first row (186 x 150 frames every 195 pixels from (29, 40)) framed in red alone.
framed() {
  all_near 144166 100,20 900,20 || { why="no caption of the level select"; return 1; }
  count_near ff0000 122,40 317,40 512,40 707,40
  ((near == 1)) && all_near ff0000 $((122 + 195 * ($1 - 1))),40 || { why="not level $1 alone framed"; return 1; }
}
# A box's caption band across the level, left of its centred title.
is_tally() {
  has_outline || return 1
  (($(convert "$pic" -crop 1x768+412+0 +repage -depth 8 txt:- |
    awk -F'[,:() ]+' 'NR > 1 && ($3 - 20)^2 <= 64 && ($4 - 65)^2 <= 64 && ($5 - 102)^2 <= 64' | wc -l) >= 15)) ||
    { why="no box over the level"; return 1; }
}
playing() { is_playing && ! is_tally; }

start_game --scale off
T=30 go menu is_main_menu
go levels "framed 1" Return
go level-1 playing Return
T=10 go tally is_tally Right
tr -d '\r' <"$records" | grep -A1 -x '\[p1.dmm\]' | grep -qx 'cleared = yes' || fail "level 1 is not recorded as cleared in $records"
go level-2 playing Return
go game-menu is_game_menu Escape
go main-menu is_main_menu Up Return
go levels-again "framed 2" Return
go level-2-again playing Return
go save-dialog is_slot_dialog Escape Down Down Return
T=5 go saved playing Down Return
[ "$(text_at "$game/Save/1.dms" 5 6)" = p2.dmm ] || fail "slot 1 does not hold level 2"
go slot-row is_slot_dialog Escape Down Down Return
echo "progress.sh: a won level's tally and record, and the next start on level 2; screenshots in $art"

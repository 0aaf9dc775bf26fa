#!/usr/bin/env bash
# "Demonstration Game" plays the first replayed level under a virtual X
# server: its runner moves with no input (its square changes between two
# screenshots), and a key brings the main menu back. Then the same level in a
# new game, and its "Show Solution" reached by the keys in the in-game menu:
# the runner moves by itself again, and a key brings back the level exactly as
# it began, waiting for a key. Screenshots: <build>/e2e/demo.
# Usage: tests/e2e/demo.sh <game folder>
set -euo pipefail
source "$(dirname "$0")/helpers.bash"
scratch demo "${1:-}"
screen 1280x1024

# The first replay's map: the runner's row, and which squares of it are empty.
first=$(find "$game/demo" -name '*.txt' -printf '%f\n' | sort | head -n 1)
mapfile -t cells < <(cells_of "$game/Maps/${first%.txt}.dmm" 20 | awk '{print $1}')
start=-1
for i in "${!cells[@]}"; do [ "${cells[i]}" = 7 ] && { start=$i; break; }; done
((start >= 0)) || fail "the map of $first has no runner"
row=$((start / 30))
runner_at() {  # the first square of the row empty in the map but not black on the screen
  local x v
  while read -r x v; do
    [ "${cells[row * 30 + x]}" = 0 ] && ((v > 0)) && { at=$x; return 0; }
  done < <(convert "$pic" -crop 960x32+32+$((10 + 32 * row)) +repage -scale '30x1!' \
    -colorspace gray -depth 8 txt:- | awk -F'[,: ()]+' 'NR > 1 { print $1, $3 }')
  why="no runner in row $row"; return 1
}
is_level() { has_outline && runner_at; }
moved() { is_level && ((at != was)) || { why="the runner stays on square $at of row $row"; return 1; }; }

start_game --scale off
T=30 go menu is_main_menu
go demo is_level $MENU_DEMO
was=$at
go moves moved
echo "demo.sh: the runner went from square $was to square $at of row $row on its own"
T=5 go back is_main_menu x
echo "demo.sh: the demonstration played by itself and a key brought the main menu back"

go level is_waiting $MENU_START Return  # Start Game, then the first level
cp "$pic" "$work/level.png"
go game-menu is_game_menu Escape
# The menu closed, the status line changed ("SOLUTION") and the runner left its start.
solving() {
  is_playing && ! area_is 640 30 32 665 "$work/level.png" && runner_at ||
    { why=${why:-"the status line is the level's"}; return 1; }
}
go solution solving Up Up Up Return  # Up goes round to Quit to Menu, then Options, then Show Solution
echo "demo.sh: the level's solution moved the runner to square $at of row $row"
go level-again "area_is 1024 768 0 0 $work/level.png" x
echo "demo.sh: a key ended the solution and the level waits as it began"

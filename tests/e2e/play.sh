#!/usr/bin/env bash
# Plays the game as a person would with the keys and the mouse: a new game
# on the first level where the runner walks, digs and later takes a
# treasure, a save into slot 1 from the in-game menu (the file holds the holes
# dug), back to the main menu, loading slot 1 (the holes, the treasure and the
# score come back), and quitting through the question with exit code 0.
# Screenshots of the last run: <build>/e2e/play.
# Usage: tests/e2e/play.sh <game folder>
set -euo pipefail
source "$(dirname "$0")/helpers.bash"
scratch play "${1:-}"
screen 1280x1024

# The first level as shipped, and the walk to the right over a row of bricks
# to the first treasure of the runner's row, through empty and ladder squares.
level=$(first_map "$game/Maps/index.dml"); level_file="$game/Maps/$level"
mapfile -t shipped < <(cells_of "$level_file" 20 | awk '{print $1}')
first_of() { local i; for i in "${!shipped[@]}"; do [ "${shipped[i]}" = "$1" ] && { echo "$i"; return; }; done; echo -1; }
start=$(first_of 7); floor=$(first_of 2); brick=$(first_of 1)
((start >= 0 && floor >= 0 && brick >= 0)) || fail "$level lacks a runner, a floor or a brick"
run_x=$((start % 30)); run_y=$((start / 30)); treasure_x=-1
for ((x = run_x + 1; x < 30; x++)); do
  [ "${shipped[(run_y + 1) * 30 + x]}" = 1 ] || break
  [ "${shipped[run_y * 30 + x]}" = 5 ] && { treasure_x=$x; break; }
  [[ ${shipped[run_y * 30 + x]} == [04] ]] || break
done
((treasure_x > run_x + 8)) || fail "$level has no treasure far enough to the runner's right over bricks"

in_level() {  # the map's first floor and brick squares are their icons, and no dialog is open
  is_playing && square_is $((floor % 30)) $((floor / 30)) "$(icon floor)" &&
    square_is $((brick % 30)) $((brick / 30)) "$(icon brick)" || { why=${why:-"not the first level"}; return 1; }
}
status_is() {  # same|changed ref: the status line against a kept one
  in_level || return 1
  status_line "$work/status-now.png"
  if same 0 "$work/status-now.png" "$2"; then [ "$1" = same ]; else [ "$1" = changed ]; fi ||
    { why="the status line is not $1 from $(basename "$2")"; return 1; }
}
restored() {
  status_is same "$work/status-saved.png" || return 1
  for i in $holes; do
    ! square_is $((i % 30)) $((i / 30)) "$(icon brick)" || { why="the hole at square $i did not come back"; return 1; }
  done
  area_is 32 32 $((32 + 32 * treasure_x)) $((10 + 32 * run_y)) "$work/new-game.png" ||
    { why="the treasure did not come back"; return 1; }
}

start_game --scale off; T=30 go menu is_main_menu
go game in_level Return Return  # Start Game, then the first level
status_line "$work/status-new.png"; cp "$pic" "$work/new-game.png"
# Right walks on until something stops the runner; holding Space digs the
# brick under each square it leaves, without stopping it. The in-game menu
# stops play long before the treasure.
xdotool key Right; sleep 0.3; xdotool keydown space; sleep 1.2; xdotool keyup space
go game-menu is_game_menu Escape
status_line "$work/status-saved.png"
same 0 "$work/status-saved.png" "$work/status-new.png" || fail "the runner reached the treasure before the save"
go save-dialog is_slot_dialog $GAME_SAVE
T=5 go saved is_playing $SLOT1

# The saved file: the signature, the map's name, and the shipped grid with
# holes (code 9, a timer running) where bricks were dug; the holes show again
# after loading.
save="$game/Save/1.dms"; L=${#level}
[ "$(od -An -tx1 -N4 "$save" | tr -d ' ')" = 9039fd84 ] || fail "$save has not the saved-game signature"
[ "$(byte_at "$save" 4)" = "$L" ] && [ "$(text_at "$save" 5 "$L")" = "$level" ] ||
  fail "the saved map name is not the length-prefixed '$level'"
holes=$(paste -d' ' <(cells_of "$save" $((5 + L + 4 + 20))) <(cells_of "$level_file" 20) | awk '
  $1 == 9 { if ($3 == 1 && $2 > 0) holes = holes " " NR - 1; else bad = bad " " NR - 1 }
  END { print (bad != "" ? "bad" bad : holes) }')
[[ $holes != bad* && -n ${holes// /} ]] || fail "the saved grid has no holes where bricks were dug: '$holes'"

T=20 go score "status_is changed $work/status-saved.png"
go game-menu is_game_menu Escape
go menu is_main_menu $GAME_QUIT
go load-dialog is_slot_dialog $MENU_LOAD
T=5 go loaded restored $SLOT1
go game-menu is_game_menu Escape
go menu is_main_menu $GAME_QUIT
quit_game $MENU_EXIT @512,384
echo "play.sh: played, saved, loaded and quit; screenshots in $art"

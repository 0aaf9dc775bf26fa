#!/usr/bin/env bash
# Plays the game end to end under a virtual X server, as a person would with
# the keyboard and the mouse (xdotool): the main menu, a new game on the first
# level where the runner walks, digs and later takes a treasure, the in-game
# menu, a save into slot 1, back to the main menu, loading slot 1 (the level,
# its holes, the treasure and the score come back), and quitting through the
# question box with exit code 0. Every screen is recognised by its own pixels,
# and the saved file is checked byte by byte.
# The screenshots of the last run stay in <build>/e2e/play, one per step.
# Usage: tests/e2e/play.sh <game folder>
set -euo pipefail

source "$(dirname "$0")/scratch.bash" play "${1:-}"

cat > "$work/inside.sh" <<'INSIDE'
set -euo pipefail
me=play.sh; work="$1"; art="$2"
source "$3"
name="reading the first level"

# The screens. Each sets why when it does not hold.
# The map, 30 x 20 squares of 32 pixels, starts at (32, 10) with a white
# outline one pixel outside it.
outline=(31,9 500,9 992,9 31,330 992,330 31,650 500,650 992,650)
is_game_scene() {
  all_near ffffff "${outline[@]}" || { why="no white outline round the map"; return 1; }
  square_is "$floor_x" "$floor_y" "$game/vdd/image/floor.png" &&
    square_is "$brick_x" "$brick_y" "$game/vdd/image/brick.png" ||
    { why="the map's first floor and brick squares are not their icons"; return 1; }
}
# The in-game menu: 412 x 462, centred, so its client area starts at
# (312, 159); a grid of 0x08294B lines every 25 pixels from 9 in.
menu_grid=(321,180 321,400 321,600 696,180 696,600 500,168 400,593)
# The saved-game dialog: 252 x 611 centred, a caption band of 0x144166 from
# (392, 84) to (631, 107), the client area from (392, 109) with its grid.
caption=(395,87 628,87 395,104 628,104)
dialog_grid=(401,300 626,300 401,650 626,650 500,118)
no_dialog() {
  none_near 08294b 321,180 321,600 || { why="the in-game menu is still open"; return 1; }
  none_near 144166 395,87 628,104 || { why="the saved-game dialog is still open"; return 1; }
}
is_playing() { is_game_scene && no_dialog; }
is_game_menu() {
  is_game_scene || return 1
  all_near 08294b "${menu_grid[@]}" || { why="no in-game menu grid"; return 1; }
  all_near 000000 323,180 333,600 || { why="the in-game menu has no dark background"; return 1; }
  none_near 144166 395,87 628,104 || { why="a dialog covers the in-game menu"; return 1; }
}
is_slot_dialog() {
  all_near 144166 "${caption[@]}" || { why="no caption band of the saved-game dialog"; return 1; }
  all_near 08294b "${dialog_grid[@]}" || { why="no grid in the saved-game dialog"; return 1; }
  # The inside of slot buttons 1 and 2 (200 x 44 at (412, 129) and (412, 189)).
  cut "$pic" 188 32 418 135 "$work/slot1.png"
  cut "$pic" 188 32 418 195 "$work/slot2.png"
  cut "$pic" 240 24 392 84 "$work/caption.png"
}
is_save_dialog() {
  is_slot_dialog || return 1
  same 0 "$work/slot1.png" "$work/slot2.png" ||
    { why="slots 1 and 2 do not both show an empty slot"; return 1; }
  cp "$work/slot1.png" "$work/save-slot1.png"; cp "$work/slot2.png" "$work/save-slot2.png"
  cp "$work/caption.png" "$work/save-caption.png"
}
is_load_dialog() {
  is_slot_dialog || return 1
  ! same 0 "$work/caption.png" "$work/save-caption.png" ||
    { why="the caption still reads as in save mode"; return 1; }
  ! same 0 "$work/slot1.png" "$work/save-slot1.png" ||
    { why="slot 1 is still labelled as empty"; return 1; }
  ! same 0 "$work/slot2.png" "$work/save-slot2.png" ||
    { why="the empty slot 2 does not look disabled"; return 1; }
}

# ---- The first level, as shipped ------------------------------------------
maps="$game/Maps"
count=$(int_at "$maps/index.dml" 4)
((count > 0)) || fail "the map index lists no map"
name_len=$(byte_at "$maps/index.dml" 8)
level=$(text_at "$maps/index.dml" 9 "$name_len")
level_file="$maps/$level"
[ "$(int_at "$level_file" 4)x$(int_at "$level_file" 8)" = 30x20 ] || fail "$level is not 30 x 20"
mapfile -t shipped < <(cells_of "$level_file" 20 | awk '{print $1}')
first_of() { local i; for i in "${!shipped[@]}"; do [ "${shipped[i]}" = "$1" ] && { echo "$i"; return; }; done; echo -1; }
start=$(first_of 7); exit_cell=$(first_of 6)
floor=$(first_of 2); brick=$(first_of 1)
((start >= 0 && exit_cell >= 0 && floor >= 0 && brick >= 0)) ||
  fail "$level lacks a runner, an exit, a floor or a brick"
run_x=$((start % 30)); run_y=$((start / 30))
floor_x=$((floor % 30)); floor_y=$((floor / 30))
brick_x=$((brick % 30)); brick_y=$((brick / 30))
aliens=0; for c in "${shipped[@]}"; do [ "$c" = 8 ] && aliens=$((aliens + 1)); done
# The walk: to the right over a row of bricks to the first treasure of the
# runner's row, through empty and ladder squares only.
treasure_x=-1
for ((x = run_x + 1; x < 30; x++)); do
  here=${shipped[run_y * 30 + x]}; below=${shipped[(run_y + 1) * 30 + x]}
  [ "$below" = 1 ] || break
  [ "$here" = 5 ] && { treasure_x=$x; break; }
  [ "$here" = 0 ] || [ "$here" = 4 ] || break
done
((treasure_x > run_x + 8)) ||
  fail "$level has no treasure far enough to the right of the runner over bricks; the walk no longer fits"

# ---- Play -------------------------------------------------------------------
cd "$game"
SDL_AUDIODRIVER=dummy ./digmaze --scale off 2>"$work/stderr" &
pid=$!

begin menu
wait_for is_main_menu 30

begin game
xdotool key Return
wait_for is_playing
status_line "$work/status-new.png"
cp "$pic" "$work/new-game.png"

begin play
# Right walks on until something stops the runner; holding Space digs the
# brick under each square it leaves, without stopping it.
xdotool key Right
sleep 0.3
xdotool keydown space
sleep 1.2
xdotool keyup space
moved_and_dug() {
  is_playing || return 1
  ! area_is 32 32 $((32 + 32 * run_x)) $((10 + 32 * run_y)) "$work/new-game.png" ||
    { why="the runner is still on its start square"; return 1; }
  local x
  for ((x = run_x; x < run_x + 8; x++)); do
    square_is "$x" $((run_y + 1)) "$game/vdd/image/brick.png" || return 0
  done
  why="no hole in the bricks the runner walked over"
  return 1
}
wait_for moved_and_dug 5

begin game-menu
xdotool key Escape
wait_for is_game_menu
status_line "$work/status-saved.png"
same 0 "$work/status-saved.png" "$work/status-new.png" ||
  fail "the status line changed before the save (the runner reached the treasure too soon?)"

begin save-dialog
click 512 383  # "Save Game", the third button of the menu
wait_for is_save_dialog

begin saved
click 512 151  # slot 1
wait_for is_playing 5

# ---- The saved file ---------------------------------------------------------
save="$game/Save/1.dms"
[ -s "$save" ] || fail "no $save after saving into slot 1"
L=${#level}
size=$(stat -c %s "$save")
expected=$((4 + 1 + L + 4 + 20 + 8 * 600 + 33 + 4 + 33 * aliens + 4 + 4 + 1 + L + 25))
[ "$size" -eq "$expected" ] || fail "$save is $size bytes; $expected expected for $aliens aliens"
sig=$(od -An -tx1 -N4 "$save" | tr -d ' ')
[ "$sig" = 9039fd84 ] || fail "signature $sig"
[ "$(byte_at "$save" 4)" = "$L" ] && [ "$(text_at "$save" 5 "$L")" = "$level" ] ||
  fail "the saved map name is not the length-prefixed '$level'"
o=$((5 + L))
[ "$(int_at "$save" "$o")" = 0 ] || fail "the word after the name is not 0"
map=$((o + 4))
read -r -a header <<<"$(ints_at "$save" "$map" 5)"
[ "${header[*]}" = "0 30 20 $((exit_cell % 30)) $((exit_cell / 30))" ] ||
  fail "map header '${header[*]}', expected reserved 0, 30 x 20 and the exit square"
# The grid in play: the shipped map with the runner's start, the aliens'
# starts and the hidden exit emptied, and holes (code 9 with a running
# timer) where the runner dug into bricks.
holes=$(paste -d' ' <(cells_of "$save" $((map + 20))) <(cells_of "$level_file" 20) | awk '
  bad == "" { i = NR - 1; code = $1; timer = $2; was = $3
    if (was == 7 || was == 8 || was == 6) ok = (code == 0 && timer == 0)
    else if (code == 9) { ok = (was == 1 && timer > 0); holes = holes " " i }
    else ok = (code == was && timer == $4)
    if (!ok) bad = "bad square " i % 30 "," int(i / 30) ": " code " " timer ", the map has " was " " $4 }
  END { print (bad != "" ? bad : holes) }')
case "$holes" in bad*) fail "saved grid: $holes" ;; esac
[ -n "${holes// /}" ] || fail "the saved grid has no hole, though the runner dug"
runner=$((map + 20 + 4800))
read -r -a unit <<<"$(ints_at "$save" "$runner" 6)"
fall=$(byte_at "$save" $((runner + 24)))
read -r -a unit_start <<<"$(ints_at "$save" $((runner + 25)) 2)"
((unit[0] == 0 && unit[2] == 32 * run_y && unit[1] > 32 * run_x && unit[1] < 32 * treasure_x)) ||
  fail "runner record '${unit[*]}': not reserved 0 and on its row between start and treasure"
((unit[3] >= 0 && unit[3] <= 5 && unit[4] >= 0 && (fall == 0 || fall == 1))) ||
  fail "runner record '${unit[*]} $fall': animation, frame or fall flag out of range"
[ "${unit_start[*]}" = "$((32 * run_x)) $((32 * run_y))" ] ||
  fail "runner start '${unit_start[*]}' is not its start square"
after=$((runner + 33))
[ "$(int_at "$save" "$after")" = "$aliens" ] || fail "alien count $(int_at "$save" "$after"), $aliens expected"
after=$((after + 4 + 33 * aliens))
(($(int_at "$save" "$after") > 0)) || fail "the level's tick count is not positive"
[ "$(int_at "$save" $((after + 4)))" = 0 ] || fail "the map list's reserved word is not 0"
[ "$(byte_at "$save" $((after + 8)))" = "$L" ] && [ "$(text_at "$save" $((after + 9)) "$L")" = "$level" ] ||
  fail "the map name is not repeated after the units"
read -r -a controls <<<"$(ints_at "$save" $((after + 9 + L)) 3)"
dig=$(byte_at "$save" $((after + 9 + L + 12)))
read -r -a counters <<<"$(ints_at "$save" $((after + 9 + L + 13)) 3)"
[ "${controls[*]} $dig ${counters[*]}" = "0 1 0 0 10 0 0" ] ||
  fail "runner controls and counters '${controls[*]} $dig ${counters[*]}'; expected walking right, not digging, 10 lives, score 0, no treasure"

begin score
# Play goes on after the save: the runner walks on and takes the treasure.
score_changed() {
  is_playing || return 1
  status_line "$work/status-now.png"
  ! same 0 "$work/status-now.png" "$work/status-saved.png" ||
    { why="the status line did not change: no treasure taken"; return 1; }
}
wait_for score_changed 20

begin game-menu
xdotool key Escape
wait_for is_game_menu

begin menu
click 512 557  # "Quit to Menu", the fifth button
wait_for is_main_menu

begin load-dialog
click 512 246  # "Load Game", the second button of the main menu
wait_for is_load_dialog

begin loaded
click 512 151  # slot 1
restored() {
  is_playing || return 1
  status_line "$work/status-now.png"
  same 0 "$work/status-now.png" "$work/status-saved.png" ||
    { why="the status line (level, score, lives) is not the one saved"; return 1; }
  local i
  for i in $holes; do
    ! square_is $((i % 30)) $((i / 30)) "$game/vdd/image/brick.png" ||
      { why="the hole at square $((i % 30)),$((i / 30)) did not come back"; return 1; }
  done
  area_is 32 32 $((32 + 32 * treasure_x)) $((10 + 32 * run_y)) "$work/new-game.png" ||
    { why="the treasure at square $treasure_x,$run_y did not come back"; return 1; }
}
wait_for restored 5

begin game-menu
xdotool key Escape
wait_for is_game_menu

begin menu
click 512 557
wait_for is_main_menu

begin quit
click 512 506  # "Exit", the sixth button
point 512 384  # the cursor back where it was on the first screenshot
wait_for is_quit_box

begin exit
xdotool key Return
ends_with_zero
INSIDE

xvfb-run -a -s "-screen 0 1280x1024x24" bash "$work/inside.sh" "$work" "$art" "$here/helpers.bash"
echo "play.sh: played, saved, loaded and quit; screenshots in $art"

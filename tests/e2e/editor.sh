#!/usr/bin/env bash
# Makes a map with the mouse and the keys: a new map painted with strokes
# (palette by digits and clicks), a stroke undone and redone, saved (the file
# byte by byte, listed last in index.dml, its miniature selected), test-played
# to a win, destroyed after the question, and quit with code 0.
# Screenshots of the last run: <build>/e2e/editor.
# Usage: tests/e2e/editor.sh <game folder>
set -euo pipefail
source "$(dirname "$0")/helpers.bash"
scratch editor "${1:-}"
screen 1280x1024
maps="$XDG_DATA_HOME/Digmaze/Maps"  # the player's copies, where every change lands
shipped=$(int_at "$game/Maps/index.dml" 4)
((shipped >= 2)) || fail "the index lists $shipped maps; the grid checks need at least 2"
new_col=$((shipped % 2))  # the grid's column of the map to be made

# ---- The map being made, as the script expects it ---------------------------
# model[x,y] holds the cell code of every painted square; the others are empty.
declare -A model=()
icon_names=(empty brick floor line ladder treasure exit unit alien)
expect() {  # name: the picture the editor should show for the model, as want_map
  local key args=()
  for key in "${!model[@]}"; do
    args+=("$(icon "${icon_names[model[$key]]}")" -geometry +$((32 * ${key%,*}))+$((32 * ${key#*,})) -composite)
  done
  want_map="$work/want-$1.png"
  convert -size 960x640 xc:black "${args[@]}" "$want_map" || fail "cannot draw the expected map"
}
map_shows() {  # ref [waiting]: whether the map area shows ref, square by square (but
  # for the squares under the waiting level's panel)
  local unlike mask=()
  [ "${2:-}" != waiting ] || mask=(-fill black -draw "rectangle $((WAITING_PANEL[0] - 32)),$((WAITING_PANEL[1] - 10)) $((WAITING_PANEL[2] - 32)),$((WAITING_PANEL[3] - 10))")
  unlike=$(convert \( "$pic" -crop 960x640+32+10 +repage "${mask[@]}" \) \( "$1" "${mask[@]}" \) \
    -compose difference -composite \
    -channel RGB -threshold 4% +channel -scale 30x20! -depth 16 txt:- |
    awk -F'[,:() ]+' 'NR > 1 && $3 + $4 + $5 > 0 { printf "%s,%s ", $1, $2 }')
  [ -z "$unlike" ] || { why="map squares unlike $(basename "$1"): $unlike"; return 1; }
}
is_editor() {  # the editor showing want_map, palette entry want_entry (from 1) alone framed in red
  has_outline || return 1
  local points=() i
  for i in 0 1 2 3 4 5 6 7; do points+=($((72 * i + 20)),735); done
  count_near ff0000 "${points[@]}"
  ((near == 1)) && all_near ff0000 $((72 * want_entry - 52)),735 ||
    { why="palette entry $want_entry is not the one framed in red"; return 1; }
  map_shows "$want_map"
}
framed_alone() {  # column (0 or 1): one miniature there wholly in view and alone framed in red
  local top bottom rest
  read -r top bottom rest <<<"$(red_rows $((200 + 490 * $1)))"
  [ -n "$bottom" ] && [ -z "$rest" ] && ((bottom - top == 321 && top >= 6 && bottom <= 687)) &&
    [ -z "$(red_rows $((690 - 490 * $1)))" ] || { why="no whole red frame in column $1 alone"; return 1; }
}
is_manager_new() { framed_alone "$new_col"; }  # the new map's miniature, last
# The new map gone: the map before it, in the other column, is selected.
is_manager_without_new() { framed_alone $((1 - new_col)); }
# A level being tested: the map as made with the exit hidden (the runner on
# its start square), waiting for a key, and no cursor drawn.
is_test_start() { is_waiting && map_shows "$work/want-play.png" waiting && area_is 20 24 680 700 "$work/black.png"; }
treasure_taken() {
  has_outline || return 1
  square_is 6 18 "$work/black.png" && square_is 0 18 "$(icon exit)" ||
    { why="the treasure is not taken or the exit not shown"; return 1; }
}
drag() {  # x0 y0 x1 y1 (squares): a left-button stroke in jumps of a few squares
  local i
  point "$(square "$1" "$2")"; xdotool mousedown 1
  for i in 1 2 3 4; do point "$(square $(($1 + ($3 - $1) * i / 4)) $(($2 + ($4 - $2) * i / 4)))"; done
  xdotool mouseup 1
}
paint() {  # name entry: after the strokes, the editor shows the model with that entry chosen
  want_entry=$2; expect "$1"; T=5 go "$1" is_editor park
}
convert -size 1024x768 xc:black "$work/black.png"

start_game --scale off
T=30 go menu is_main_menu
go maps is_manager $MENU_EDITOR park
want_entry=1; expect empty; go new-map is_editor $MAPS_CREATE park
xdotool key 1; drag 0 19 29 19
for x in $(seq 0 29); do model[$x,19]=1; done; paint bricks 1
xdotool key 7; click "$(square 2 18)"; model[2,18]=7; paint runner 7
click "$(palette 4)"; click "$(square 6 18)"; model[6,18]=5; paint treasure 5
xdotool key 6; click "$(square 0 18)"; model[0,18]=6; paint exit 6
click "$(palette 3)"; drag 14 15 14 18
for y in 15 16 17 18; do model[14,$y]=4; done; paint ladder 4
want_map="$work/want-exit.png"; T=5 go undo is_editor ctrl+z
want_map="$work/want-ladder.png"; T=5 go redo is_editor ctrl+y

# ---- Saved: the file holds the model, the index lists it after the shipped maps
go saved is_manager_new $EDITOR_SAVE park
mapfile -t found < <(find "$maps" -maxdepth 1 -regextype egrep -regex '.*/[0-9]{10}\.dmm' -printf '%f\n')
((${#found[@]} == 1)) || fail "new maps in $maps: '${found[*]}', expected one"
new=${found[0]}; file="$maps/$new"
[ "$(stat -c %s "$file")" = 4820 ] && [ "$(ints_at "$file" 0 5 | xargs)" = "0 30 20 0 0" ] ||
  fail "$new is not a 4820-byte 30 x 20 map: $(ints_at "$file" 0 5)"
odd=$(paste -d' ' <(cells_of "$file" 20) <(for ((i = 0; i < 600; i++)); do echo "${model[$((i % 30)),$((i / 30))]:-0} 0"; done) |
  awk '$1 != $3 || $2 != $4 { i = NR - 1; printf "%d,%d holds %s %s; ", i % 30, int(i / 30), $1, $2 }')
[ -z "$odd" ] || fail "$new: $odd"
cp "$file" "$work/saved.dmm"
{ printf '\0\0\0\0'; printf "\\x$(printf %02x $((shipped + 1)))\\0\\0\\0"; tail -c +9 "$game/Maps/index.dml"
  printf "\\x$(printf %02x ${#new})%s" "$new"; } >"$work/index-want.dml"
cmp -s "$maps/index.dml" "$work/index-want.dml" || fail "index.dml is not the shipped list with $new appended"

# ---- Test play: in play the exit is taken off the map until no treasure is left
unset 'model[0,18]'; expect play; model[0,18]=6
go test is_test_start $MAPS_TEST park
# Right walks the runner over the treasure, which opens the exit behind it,
# and on to the map's right edge; Left walks it back into the exit.
T=15 go treasure-taken treasure_taken Right
T=30 go won is_manager_new Left
cmp -s "$file" "$work/saved.dmm" || fail "testing the map changed its file"

# ---- Destroy: the question box, told by what it changes on the screen --------
park; shot; cp "$pic" "$work/before-question.png"
go destroy-question "is_box_over $work/before-question.png" $MAPS_DESTROY park
go destroyed is_manager_without_new Return park
[ ! -e "$file" ] || fail "$new is still in $maps after OK to the question"
cmp -s "$maps/index.dml" "$game/Maps/index.dml" || fail "index.dml is not the shipped list again"
go menu-again is_main_menu $MAPS_EXIT @512,384
quit_game Escape

# ---- From an empty level order: the first map saved is listed once ----------
is_manager_empty() { [ -z "$(red_rows 200)$(red_rows 690)" ] && ! is_main_menu || { why="not an empty maps manager"; return 1; }; }
rm -f "$maps"/*
start_game --scale off
T=30 go empty-menu is_main_menu
go empty-maps is_manager_empty $MENU_EDITOR park
model=(); want_entry=1; expect empty-order; go empty-new-map is_editor $MAPS_CREATE park
xdotool key 7; click "$(square 4 10)"; model[4,10]=7; paint empty-runner 7
go empty-saved is_manager $EDITOR_SAVE park
mapfile -t found < <(ls "$maps" | grep -vx -e index.dml -e shipped.txt)
((${#found[@]} == 1)) || fail "the emptied $maps holds '${found[*]}', not one map"
{ printf '\0\0\0\0\1\0\0\0'; printf "\\x$(printf %02x ${#found[0]})%s" "${found[0]}"; } >"$work/index-one.dml"
cmp -s "$maps/index.dml" "$work/index-one.dml" || fail "index.dml does not list ${found[0]} once"
go empty-menu-again is_main_menu $MAPS_EXIT @512,384
quit_game Escape
echo "editor.sh: made, undid, saved, tested and destroyed a map, then made the first map of an empty level order; screenshots in $art"

#!/usr/bin/env bash
# Makes a map end to end under a virtual X server, as a person would with the
# mouse and the keyboard (xdotool): from the main menu into the maps manager,
# a new map painted with mouse strokes (palette chosen by digit keys and by
# clicks), strokes undone and redone, the map saved (its file checked byte by
# byte, its miniature last and selected), test-played until the runner takes
# the treasure and walks into the exit, destroyed after the question box
# (which first is cancelled), and the game quit with exit code 0; then, with
# the player's maps folder emptied, the first map of an empty level order is
# made and saved, and index.dml must list it once. Every screen
# is recognised by its own pixels; the editor's snapshot files must exist
# while it is open and be gone once it is left.
# The screenshots of the last run stay in <build>/e2e/editor, one per step.
# Usage: tests/e2e/editor.sh <game folder>
set -euo pipefail

source "$(dirname "$0")/scratch.bash" editor "${1:-}"

cat > "$work/inside.sh" <<'INSIDE'
set -euo pipefail
me=editor.sh; work="$1"; art="$2"
source "$3"
name="reading the maps folder"
# The shipped maps stay as they are; the player's copies are made on the
# first visit of the maps manager, and every change lands there.
shipped_maps="$game/Maps"
maps="$XDG_DATA_HOME/Digmaze/Maps"
icons="$game/vdd/image"

# ---- The map being made, as the script expects it -------------------------
# model[x,y] holds the cell code of every painted square; the others are empty.
declare -A model=()
icon_names=(empty brick floor line ladder treasure exit unit alien)
model_picture() {  # out: the 960 x 640 picture the editor should show for the model
  local key x y args=()
  for key in "${!model[@]}"; do
    x=${key%,*}; y=${key#*,}
    args+=("$icons/${icon_names[model[$key]]}.png" -geometry +$((32 * x))+$((32 * y)) -composite)
  done
  convert -size 960x640 xc:black "${args[@]}" "$1" || fail "cannot draw the expected map"
}
model_cells() {  # the model as the map file's cell records, "code timer" per line
  local x y
  for ((y = 0; y < 20; y++)); do
    for ((x = 0; x < 30; x++)); do echo "${model[$x,$y]:-0} 0"; done
  done
}

# ---- The screen ---------------------------------------------------------
convert -size 1024x768 xc:black "$work/black.png"
# The cursor where it covers no map square and no button, moved there even
# when it is there already, so the mouse is the input in use again after a
# key (and no keyboard focus is shown).
park() { point 681 700; point 680 700; }
squares_unlike() {  # ref: the map squares of the last screenshot unlike ref, as "x,y ..."
  convert "$pic" -crop 960x640+32+10 +repage "$1" -compose difference -composite \
    -channel RGB -threshold 4% +channel -scale 30x20! -depth 16 txt:- |
    awk -F'[,:() ]+' 'NR > 1 && $3 + $4 + $5 > 0 { printf "%s,%s ", $1, $2 }'
}
map_shows() {  # ref: whether the map area shows ref exactly
  local unlike
  unlike=$(squares_unlike "$1")
  [ -z "$unlike" ] && return 0
  why="map squares unlike $(basename "$1"): $unlike"
  return 1
}
red_along() {  # x|y n: the rows of column x (or the columns of row y) of the grid showing red
  local geometry
  if [ "$1" = x ]; then geometry="1x694+$2+0"; else geometry="1024x1+0+$2"; fi
  convert "$pic" -crop "$geometry" +repage -depth 8 txt:- |
    awk -F'[,:() ]+' -v along="$1" 'NR > 1 && $3 >= 247 && $4 <= 8 && $5 <= 8 {
      printf "%s ", (along == "x" ? $2 : $1) }'
}

# The map, 30 x 20 squares of 32 pixels, starts at (32, 10) with a white
# outline one pixel outside it, in the editor as in play.
outline=(31,9 500,9 992,9 31,330 992,330 31,650 500,650 992,650)
has_outline() { all_near ffffff "${outline[@]}" || { why="no white outline round the map"; return 1; }; }

# The editor's palette: entry i (from 0) is a 38 x 38 picture at (72 i + 20, 716);
# the chosen one has a red frame.
palette_choice() {  # the entries (from 1) framed in red
  local i points=() r g b chosen=""
  for i in 0 1 2 3 4 5 6 7; do points+=($((72 * i + 20)),735); done
  i=1
  while read -r r g b; do
    ((r >= 247 && g <= 8 && b <= 8)) && chosen+="$i "
    i=$((i + 1))
  done < <(colours "${points[@]}")
  echo "$chosen"
}
# The editor showing want_map with palette entry want_entry chosen.
want_map=""; want_entry=1
is_editor() {
  has_outline || return 1
  local chosen
  chosen=$(palette_choice)
  [ "$chosen" = "$want_entry " ] ||
    { why="palette entries framed in red: '${chosen}', expected $want_entry"; return 1; }
  map_shows "$want_map"
}

# The maps manager's buttons, 34 high at y = 714: a label in blue when
# enabled, in grey when disabled.
button_names=(edit create destroy up down test exit)
button_x=(0 150 300 470 555 744 894)
button_w=(130 130 130 65 65 130 130)
button_states() {  # on, off or ? for each button, in order
  convert "$pic" -crop 1024x34+0+714 +repage \
    \( +clone -fx '(b - r > 0.35) ? 1 : 0' \) \
    \( -clone 0 -fx '(r > 0.4 && abs(r - b) < 0.07 && abs(r - g) < 0.07) ? 1 : 0' \) \
    -delete 0 +append -scale 2048x1! -depth 16 txt:- |
    awk -F'[,:() ]+' -v xs="${button_x[*]}" -v ws="${button_w[*]}" '
      NR > 1 { v[$1] = $3 }
      END {
        n = split(xs, x, " "); split(ws, w, " ")
        for (i = 1; i <= n; i++) {
          blue = 0; grey = 0
          for (c = x[i]; c < x[i] + w[i]; c++) { blue += v[c]; grey += v[c + 1024] }
          blue = blue * 34 / 65535; grey = grey * 34 / 65535
          printf "%s ", (blue >= 100 && grey < 10) ? "on" : (grey >= 50 && blue < 10) ? "off" : "?"
        }
      }'
}
buttons_are() {  # states...: whether the maps manager's buttons are in these states
  local got
  got=$(button_states)
  [ "$got" = "$* " ] && return 0
  why="buttons (${button_names[*]}) are '$got', expected '$*'"
  return 1
}

# The grid of miniatures: 482 x 322 cells (a frame round a 480 x 320 half-size
# map) every 490 x 330 pixels, the first at (14, 14) when not scrolled. The
# selected one is framed in red, the others in 0x2984CE.
is_manager_first() {
  buttons_are on on on off on on on || return 1
  [ "$(red_along x 200)" = "14 335 " ] && [ "$(red_along y 100)" = "14 495 " ] ||
    { why="no red frame round the first miniature"; return 1; }
  [ -z "$(red_along x 690)" ] || { why="red in the second column"; return 1; }
  all_near 2984ce 504,100 985,100 14,344 504,344 || { why="the next miniatures are not framed in blue"; return 1; }
}
# The new map: its miniature last (column new_col of the grid), framed in
# red, wholly in view, the half-size picture of the map, after the miniature
# of the last shipped map (framed in blue).
new_top=-1
new_frame() {  # the columns of the new miniature's frame and of the previous one's, at the top
  local left=$((14 + 490 * new_col))
  new_left=$left; new_right=$((left + 481))
  if ((new_col == 1)); then prev=(14,$((new_top + 100)) 495,$((new_top + 100)))
  else prev=(504,$((new_top - 230)) 985,$((new_top - 230))); fi
}
is_manager_new() {
  buttons_are on on on on off on on || return 1
  local rows new_bottom rest
  rows=$(red_along x $((200 + 490 * new_col)))
  read -r new_top new_bottom rest <<<"$rows"
  [ -n "$new_top" ] && [ -n "$new_bottom" ] && [ -z "$rest" ] &&
    ((new_bottom - new_top == 321 && new_top >= 6 && new_bottom <= 687)) ||
    { why="no whole red frame in column $new_col of the grid (red rows: '$rows')"; new_top=-1; return 1; }
  new_frame
  [ "$(red_along y $((new_top + 100)))" = "$new_left $new_right " ] &&
    [ -z "$(red_along x $((200 + 490 * (1 - new_col))))" ] ||
    { why="the red frame is not round one cell of column $new_col"; return 1; }
  all_near 2984ce "${prev[@]}" || { why="the previous miniature is not framed in blue"; return 1; }
  cut "$pic" 480 320 $((new_left + 1)) $((new_top + 1)) "$work/miniature.png"
  same 3% "$work/miniature.png" "$work/want-miniature.png" ||
    { why="the new miniature is not the map at half size ($diff pixels differ)"; return 1; }
}
is_manager_without_new() {
  buttons_are off on off off off off on || return 1
  [ -z "$(red_along x 200)$(red_along x 690)" ] || { why="a miniature is still framed in red"; return 1; }
  if ((new_col == 1)); then
    none_near 2984ce $new_left,$((new_top + 100)) $new_right,$((new_top + 100)) ||
      { why="a miniature frame is still where the new map was"; return 1; }
    all_near 2984ce "${prev[@]}" || { why="the miniature before the new map's place is gone"; return 1; }
  else
    # The new map was alone in the grid's last row: without it the grid is a
    # row shorter and scrolls back, so a full row of two shipped maps now
    # stands where the new map's row was.
    local y=$((new_top + 100))
    all_near 2984ce 14,$y 495,$y 504,$y 985,$y ||
      { why="the grid did not scroll back to a full last row of shipped maps"; return 1; }
  fi
}
is_destroy_question() { is_box_over "$work/before-question.png"; }

# A level being tested: the outline, the map as made but with the exit hidden
# (the runner stands on its start square), and no cursor drawn.
is_test_start() {
  has_outline || return 1
  map_shows "$work/want-play.png" || return 1
  area_is 20 24 680 700 "$work/black.png" || { why="the cursor shows during play"; return 1; }
}
treasure_taken() {
  has_outline || { why="the level is gone (did the runner reach the exit before Left?)"; return 1; }
  square_is 6 18 "$work/black.png" || { why="the treasure square is not empty"; return 1; }
  square_is 10 18 "$icons/exit.png" || { why="the exit is not shown"; return 1; }
  status_line "$work/status-now.png"
  ! same 0 "$work/status-now.png" "$work/status-start.png" ||
    { why="the status line did not change (no score for the treasure)"; return 1; }
}

# ---- Files ----------------------------------------------------------------
snapshots() { find "$game" -maxdepth 1 -name '*.und' | wc -l; }
new_maps() { find "$maps" -maxdepth 1 -regextype egrep -regex '.*/[0-9]{10}\.dmm' -printf '%f\n'; }
cp "$shipped_maps/index.dml" "$work/index-shipped.dml"
cp -r "$shipped_maps" "$work/maps-shipped"
shipped=$(int_at "$shipped_maps/index.dml" 4)
((shipped >= 4)) || fail "the index lists $shipped maps; the grid checks need at least 4"
new_col=$((shipped % 2))  # the grid's column of the map to be made
[ ! -e "$maps" ] || fail "the per-user maps folder exists before the first start"

# ---- Into the maps manager ------------------------------------------------
cd "$game"
SDL_AUDIODRIVER=dummy ./digmaze --scale off 2>"$work/stderr" &
pid=$!

begin menu
wait_for is_main_menu 30

begin maps
click 512 376  # "Map Editor", the fourth button
park
wait_for is_manager_first

# ---- Painting ---------------------------------------------------------------
square_x() { echo $((32 + 32 * $1 + 16)); }  # the centre of square column cx
square_y() { echo $((10 + 32 * $1 + 16)); }
drag() {  # x0 y0 x1 y1: a left-button stroke in jumps of about 3.5 squares
  local n=4 i
  point "$1" "$2"
  xdotool mousedown 1
  for ((i = 1; i <= n; i++)); do
    xdotool mousemove $((128 + $1 + ($3 - $1) * i / n)) $((128 + $2 + ($4 - $2) * i / n))
    sleep 0.05
  done
  sleep 0.1
  xdotool mouseup 1
}
paint_at() { click "$(square_x "$1")" "$(square_y "$2")"; }
stage() {  # name: the model's picture after a stroke, kept as want-<name>.png
  model_picture "$work/want-$1.png"
  want_map="$work/want-$1.png"
}

begin new-map
click 215 731  # "Create Map"
park
stage empty
wait_for is_editor

begin bricks
xdotool key 1
drag "$(square_x 0)" "$(square_y 19)" "$(square_x 14)" "$(square_y 19)"
park
for x in $(seq 0 14); do model[$x,19]=1; done
stage bricks
wait_for is_editor 5
(($(snapshots) > 0)) || fail "no snapshot (.und) file in $game while a map is edited"

begin runner
xdotool key 7
paint_at 2 18
park
model[2,18]=7; want_entry=7
stage runner
wait_for is_editor 5

begin treasure
click 327 735  # palette entry 5
paint_at 6 18
park
model[6,18]=5; want_entry=5
stage treasure
wait_for is_editor 5

begin exit
xdotool key 6
paint_at 10 18
park
model[10,18]=6; want_entry=6
stage exit
wait_for is_editor 5

begin ladder
click 255 735  # palette entry 4
drag "$(square_x 14)" "$(square_y 15)" "$(square_x 14)" "$(square_y 18)"
park
for y in 15 16 17 18; do model[14,$y]=4; done
want_entry=4
stage ladder
wait_for is_editor 5

# ---- Undo and redo ----------------------------------------------------------
begin undo
xdotool key ctrl+z
want_map="$work/want-exit.png"
wait_for is_editor 5

begin undo-again
xdotool key ctrl+z
want_map="$work/want-treasure.png"
wait_for is_editor 5

begin redo
xdotool key ctrl+shift+z
want_map="$work/want-exit.png"
wait_for is_editor 5

begin redo-again
xdotool key ctrl+y
want_map="$work/want-ladder.png"
wait_for is_editor 5

# ---- Save -------------------------------------------------------------------
begin saved
convert "$want_map" -sample 480x320 "$work/want-miniature.png"
click 779 733  # "Save"
park
wait_for is_manager_new
(($(snapshots) == 0)) || fail "$(snapshots) snapshot (.und) files remain after leaving the editor"
mapfile -t found < <(new_maps)
((${#found[@]} == 1)) || fail "new maps in $maps: '${found[*]}', expected one"
new=${found[0]}
file="$maps/$new"
[ "$(stat -c %s "$file")" = 4820 ] || fail "$new is $(stat -c %s "$file") bytes, not 4820"
header=$(ints_at "$file" 0 5 | xargs)
[ "$header" = "0 30 20 0 0" ] || fail "$new's header is '$header', expected '0 30 20 0 0'"
odd=$(paste -d' ' <(cells_of "$file" 20) <(model_cells) | awk '
  $1 != $3 || $2 != $4 { i = NR - 1; printf "%d,%d holds %s %s (expected %s %s); ", i % 30, int(i / 30), $1, $2, $3, $4 }')
[ -z "$odd" ] || fail "$new: $odd"
cp "$file" "$work/saved.dmm"
{
  printf '\0\0\0\0'
  printf "\\x$(printf %02x $((shipped + 1)))\\0\\0\\0"
  tail -c +9 "$work/index-shipped.dml"
  printf "\\x$(printf %02x ${#new})%s" "$new"
} >"$work/index-want.dml"
cmp -s "$maps/index.dml" "$work/index-want.dml" ||
  fail "index.dml is not the shipped list with $new appended: $(od -An -c "$maps/index.dml" | tr -s ' ')"

# ---- Test play --------------------------------------------------------------
begin test
# In play the exit is taken off the map until no treasure is left, and the
# runner, drawn as its start icon, stands on its start square.
unset 'model[10,18]'
model_picture "$work/want-play.png"
model[10,18]=6
click 809 731  # "Test"
park  # where the cursor would show, and where it is when the maps manager is back
wait_for is_test_start
status_line "$work/status-start.png"

begin treasure-taken
# Right walks the runner on until something stops it: over the treasure, which
# opens the exit, and on into the exit. As soon as the exit shows, Left turns
# the runner back, so the open exit can be seen before the level is won.
xdotool key Right
exit_square="32x32+$((128 + 32 + 32 * 10))+$((128 + 10 + 32 * 18))"
end=$((SECONDS + 10))
until import -window root -crop "$exit_square" +repage "$work/exit-square.png" 2>/dev/null &&
  same 3% "$work/exit-square.png" "$icons/exit.png"; do
  ((SECONDS < end)) || { shot; fail "the exit never showed at square 10,18"; }
  sleep 0.02
done
xdotool key Left
wait_for treasure_taken 5

begin won
xdotool key Right
wait_for is_manager_new 15
cmp -s "$file" "$work/saved.dmm" || fail "testing the map changed its file"

# ---- Destroy ----------------------------------------------------------------
ask_destroy() {
  # The box is told by what it changes on the screen, with the cursor parked
  # before and after the click.
  park
  shot; cp "$pic" "$work/before-question.png"
  click 365 731  # "Destroy Map"
  park
  wait_for is_destroy_question
}
begin destroy-question
ask_destroy

begin kept
xdotool key Escape
park
wait_for is_manager_new
[ -f "$file" ] || fail "Escape to the question destroyed $new"
cmp -s "$maps/index.dml" "$work/index-want.dml" || fail "Escape to the question changed index.dml"

begin destroy-question
ask_destroy

begin destroyed
xdotool key Return
park
wait_for is_manager_without_new
[ ! -e "$file" ] || fail "$new is still in $maps after OK to the question"
cmp -s "$maps/index.dml" "$work/index-shipped.dml" ||
  fail "index.dml is not the shipped list again: $(od -An -c "$maps/index.dml" | tr -s ' ')"

# ---- Out ------------------------------------------------------------------
begin menu
click 959 731  # "Exit"
point 512 384  # the cursor back where it was on the first screenshot
wait_for is_main_menu

begin quit
xdotool key Escape
wait_for is_quit_box

begin exit
xdotool key Return
ends_with_zero
(($(snapshots) == 0)) || fail "$(snapshots) snapshot (.und) files remain after the game ended"
diff -r "$work/maps-shipped" "$shipped_maps" >/dev/null || fail "the shipped maps were written"

# ---- From an empty level order ----------------------------------------------
# The player's maps folder emptied: the maps manager shows no miniature, and
# the first map saved is listed once, in the grid and in index.dml.
is_manager_empty() {
  buttons_are off on off off off off on || return 1
  [ -z "$(red_along x 200)$(red_along x 690)" ] || { why="a miniature is framed in red"; return 1; }
  none_near 2984ce 14,100 495,100 504,100 985,100 || { why="a miniature frame is shown"; return 1; }
}
is_manager_alone() {
  buttons_are on on on off off on on || return 1
  [ "$(red_along x 200)" = "14 335 " ] && [ "$(red_along y 100)" = "14 495 " ] ||
    { why="no red frame round the first miniature"; return 1; }
  [ -z "$(red_along x 690)" ] || { why="a second miniature"; return 1; }
  none_near 2984ce 14,344 504,344 504,100 || { why="another miniature frame is shown"; return 1; }
}
rm -f "$maps"/*
SDL_AUDIODRIVER=dummy ./digmaze 2>"$work/stderr" &
pid=$!

begin empty-menu
wait_for is_main_menu 30

begin empty-maps
click 512 376  # "Map Editor"
park
wait_for is_manager_empty

begin empty-new-map
click 215 731  # "Create Map"
park
model=(); want_entry=1
stage empty-order
wait_for is_editor

begin empty-runner
xdotool key 7
paint_at 4 10
park
model[4,10]=7; want_entry=7
stage empty-runner
wait_for is_editor 5

begin empty-saved
click 779 733  # "Save"
park
wait_for is_manager_alone
mapfile -t found < <(new_maps)
((${#found[@]} == 1)) || fail "maps in the emptied $maps: '${found[*]}', expected one"
new=${found[0]}
{
  printf '\0\0\0\0\1\0\0\0'
  printf "\\x$(printf %02x ${#new})%s" "$new"
} >"$work/index-one.dml"
cmp -s "$maps/index.dml" "$work/index-one.dml" ||
  fail "index.dml does not list $new once: $(od -An -c "$maps/index.dml" | tr -s ' ')"
[ "$(ls "$maps")" = "$new"$'\n'"index.dml" ] || fail "the maps folder holds: $(ls "$maps" | xargs)"

begin empty-menu-again
click 959 731  # "Exit"
point 512 384
wait_for is_main_menu

begin empty-quit
xdotool key Escape
wait_for is_quit_box

begin empty-exit
xdotool key Return
ends_with_zero
INSIDE

xvfb-run -a -s "-screen 0 1280x1024x24" bash "$work/inside.sh" "$work" "$art" "$here/helpers.bash"
echo "editor.sh: made, undid, saved, tested and destroyed a map, then made the first map of an empty level order; screenshots in $art"

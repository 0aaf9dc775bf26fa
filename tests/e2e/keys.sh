#!/usr/bin/env bash
# Plays the whole game with the keyboard alone under a virtual X server: no
# mouse event at all, only xdotool's keys. The main menu, a little of level
# 1, the in-game menu, a save into slot 3, back to the main menu, loading
# slot 3, the maps manager where the third map is selected and opened, two
# squares painted in the editor and one of them undone, Save, and quitting
# through the question. Every step's screenshot is recognised by a property
# of its screen: the focus outline on the button the keys reached, the red
# frame of the selected miniature, the painted squares; the files written
# are checked too. The screenshots of the last run stay in <build>/e2e/keys.
# Usage: tests/e2e/keys.sh <game folder>
set -euo pipefail

source "$(dirname "$0")/scratch.bash" keys "${1:-}"

cat > "$work/inside.sh" <<'INSIDE'
set -euo pipefail
me=keys.sh; work="$1"; art="$2"
source "$3"

# The focus outline: two pixels round the face of the focused button, the
# highlighted frame colour 0x49A3ED raised by 0x606060.
ring=a9ffff
focus_at() {  # x y [what]: the face of the focused button starts at (x, y)
  all_near $ring "$1,$2" "$(($2 > 0 ? $1 + 1 : $1)),$(($2 + 1))" && return 0
  why="no focus outline on ${3:-the button} at $1,$2"; return 1
}
no_focus_at() { none_near $ring "$1,$2" || { why="a focus outline at $1,$2"; return 1; }; }
# Main menu buttons: framed 300 x 54 from (362, 154), 65 apart; the face
# starts 6 pixels in. In-game menu: plain 340 x 40 from (342, 189), 87 apart.
# Saved-game dialog: framed slots 200 x 44 from (412, 129), 60 apart.
menu_focus() { is_main_menu && focus_at 368 $((160 + 65 * $1)) "main menu button $1"; }
game_menu_focus() {
  all_near 08294b 321,180 696,600 || { why="no in-game menu"; return 1; }
  focus_at 342 $((189 + 87 * $1)) "in-game menu button $1"
}
slot_focus() {  # slot caption: the focused slot of the saved-game dialog
  all_near 144166 395,87 628,104 || { why="no saved-game dialog"; return 1; }
  focus_at 418 $((135 + 60 * ($1 - 1))) "slot $1" && no_focus_at 418 135
}
outline=(31,9 992,9 31,650 992,650)
is_playing() {
  all_near ffffff "${outline[@]}" || { why="no map outline"; return 1; }
  none_near 08294b 321,180 696,600 || { why="a dialog is open"; return 1; }
}
walked() { is_playing && ! area_is 960 640 32 10 "$work/level.png"; }
# The maps manager's miniatures: 482 x 322 at (14, 14), (504, 14), (14, 344).
selected() {  # x y: the red frame is round the miniature at (x, y) only
  all_near ff0000 "$1,$(($2 + 100))" "$(($1 + 200)),$2" || { why="no red frame at $1,$2"; return 1; }
  count_near ff0000 14,114 504,114 14,444; ((near == 1)) || { why="$near red frames"; return 1; }
}

cd "$game"
SDL_AUDIODRIVER=dummy ./digmaze --scale off 2>"$work/stderr" &
pid=$!

begin menu
wait_for is_main_menu 30
no_focus_at 368 160 || fail "$why before any key"  # a mouse player sees no focus

begin menu-focus
xdotool key Down
wait_for "menu_focus 1"

begin game
xdotool key Up Return
wait_for is_playing
cp "$pic" "$work/level.png"

begin play
xdotool key Right
wait_for walked 5

begin game-menu
xdotool key Escape
wait_for "game_menu_focus 0"
xdotool key Down Down
wait_for "game_menu_focus 2"

begin save-dialog
xdotool key Return
wait_for "focus_at 443 625 Cancel"  # the focus starts on Cancel
xdotool key Down Down Down
wait_for "slot_focus 3"

begin saved
xdotool key space
wait_for is_playing 5
[ -s "$game/Save/3.dms" ] || fail "no Save/3.dms after saving into slot 3"
[ ! -e "$game/Save/1.dms" ] || fail "slot 1 was written"

begin quit-to-menu
xdotool key Escape
wait_for "game_menu_focus 0"
xdotool key Up
wait_for "game_menu_focus 4"
xdotool key Return
wait_for "menu_focus 0"

begin load-dialog
xdotool key Down Return
# Loading passes over the empty slots: from Cancel, Down reaches slot 3.
xdotool key Down
wait_for "slot_focus 3"

begin loaded
xdotool key Return
wait_for is_playing 5

begin maps
xdotool key Escape
wait_for "game_menu_focus 0"
xdotool key Up Return
wait_for "menu_focus 0"
xdotool key Down Down Down Return
wait_for "selected 14 14"

begin third-map
xdotool key Right Right
wait_for "selected 14 344"

# ---- The editor -----------------------------------------------------------
maps="$HOME/data/Digmaze/Maps"
third=$(od -An -tu1 "$maps/index.dml" | tr -s ' \n' ' ' | awk '{ # the third name of the index
  o = 9; for (i = 0; i < 2; i++) { o += $(o) + 1 }; n = $(o); s = ""
  for (j = 1; j <= n; j++) s = s sprintf("%c", $(o + j)); print s }')
[ -s "$maps/$third" ] || fail "the index's third map '$third' is not in $maps"
mapfile -t cells < <(cells_of "$maps/$third" 20 | awk '{print $1}')
spot=-1  # two empty squares side by side
for ((i = 0; i < 599; i++)); do
  [ "${cells[i]}" = 0 ] && [ "${cells[i + 1]}" = 0 ] && ((i % 30 < 29)) && { spot=$i; break; }
done
((spot >= 0)) || fail "$third has no two empty squares side by side"
sx=$((spot % 30)); sy=$((spot / 30))
treasure="$game/vdd/image/treasure.png"
cursor_at() {  # cx cy: the keyboard's white square outline
  all_near ffffff $((32 + 32 * $1)),$((10 + 32 * $2 + 16)) $((32 + 32 * $1 + 16)),$((10 + 32 * $2)) ||
    { why="no cursor on square $1,$2"; return 1; }
}

begin editor
xdotool key Return
wait_for "cursor_at 0 0"

begin painted
xdotool key 5  # treasure
((sx > 0)) && xdotool key --delay 30 --repeat "$sx" Right
((sy > 0)) && xdotool key --delay 30 --repeat "$sy" Down
away=Down; ((sy == 19)) && away=Up  # the cursor's outline off the two squares
xdotool key space Right space $away
both() { square_is "$sx" "$sy" "$treasure" && square_is $((sx + 1)) "$sy" "$treasure"; }
wait_for both

begin undone
xdotool key ctrl+z
one() { square_is "$sx" "$sy" "$treasure" && ! square_is $((sx + 1)) "$sy" "$treasure"; }
wait_for one

begin save
xdotool key Tab
wait_for "focus_at $((1024 - 320 + 6)) $((768 - 52 + 6)) Save"
xdotool key Return
wait_for "selected 14 344"
mapfile -t after < <(cells_of "$maps/$third" 20 | awk '{print $1}')
[ "${after[spot]} ${after[spot + 1]}" = "5 0" ] ||
  fail "$third holds '${after[spot]} ${after[spot + 1]}' at square $sx,$sy; a treasure and an empty square expected"

begin quit
xdotool key shift+Tab  # round to Exit
wait_for "focus_at $((1024 - 130 + 6)) $((768 - 54 + 6)) Exit"
xdotool key Return Up
wait_for "menu_focus 5"
xdotool key Return
wait_for is_quit_box
xdotool key space
ends_with_zero
INSIDE

xvfb-run -a -s "-screen 0 1280x1024x24" bash "$work/inside.sh" "$work" "$art" "$here/helpers.bash"
echo "keys.sh: played, saved, loaded, edited and quit with the keyboard alone; screenshots in $art"

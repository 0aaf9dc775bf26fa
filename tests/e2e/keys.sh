#!/usr/bin/env bash
# Plays the game with the keys alone, no mouse event at all: a little of
# level 1, a save into slot 3 from the in-game menu, the maps manager left
# with Escape and entered again, the third map opened from it, a square
# painted with the editor's keyboard cursor, Save, and quitting through the
# question. Each step is told by the focus outline on the button the keys
# reached, the red frame of the selected miniature or the painted square, and
# the files written. Screenshots: <build>/e2e/keys.
# Usage: tests/e2e/keys.sh <game folder>
set -euo pipefail
source "$(dirname "$0")/helpers.bash"
scratch keys "${1:-}"
screen 1280x1024

# The focus outline: two pixels round the face of the focused button, the
# highlighted frame colour 0x49A3ED raised by 0x606060.
focus_at() {  # x y [what]: the face of the focused button starts at (x, y)
  all_near a9ffff "$1,$2" "$(($2 > 0 ? $1 + 1 : $1)),$(($2 + 1))" || { why="no focus outline on ${3:-the button} at $1,$2"; return 1; }
}
# The faces start 6 pixels into the main menu's framed buttons and the
# slots (see helpers.bash), at the edge of the in-game menu's plain ones.
menu_focus() { is_main_menu && focus_at 368 $((176 + 62 * $1)) "main menu button $1"; }
game_menu_focus() { is_game_menu && focus_at 342 $((178 + 64 * $1)) "in-game menu button $1"; }
slot_focus() { is_slot_dialog && focus_at 258 $((156 + 54 * ($1 - 1))) "slot $1"; }
walked() { is_playing && ! area_is 960 640 32 10 "$work/level.png"; }
selected() {  # x y: the red frame is round the miniature at (x, y) only
  all_near ff0000 "$1,$(($2 + 100))" "$(($1 + 200)),$2" || { why="no red frame at $1,$2"; return 1; }
  count_near ff0000 14,114 504,114 14,444; ((near == 1)) || { why="$near red frames"; return 1; }
}
cursor_at() {  # cx cy: the editor's keyboard cursor, a white square outline
  all_near ffffff $((32 + 32 * $1)),$((26 + 32 * $2)) $((48 + 32 * $1)),$((10 + 32 * $2)) ||
    { why="no cursor on square $1,$2"; return 1; }
}

start_game --scale off
T=30 go menu is_main_menu
none_near a9ffff 368,176 || fail "a focus outline before any key"  # a mouse player sees none
go menu-focus "menu_focus 1" Down
go game is_playing Up Return Return
cp "$pic" "$work/level.png"
T=5 go play walked Right
go game-menu "game_menu_focus 0" Escape
go save-focus "game_menu_focus 2" Down Down
go save-dialog "focus_at 443 604 Cancel" Return  # the focus starts on Cancel
go slot-3 "slot_focus 3" Down Down Down
T=5 go saved is_playing space
[ -s "$game/Save/3.dms" ] && [ ! -e "$game/Save/1.dms" ] || fail "not slot 3 alone was written"
go game-menu-again "game_menu_focus 0" Escape
go quit-focus "game_menu_focus 6" Up
go main-menu "menu_focus 0" Return
go maps "selected 14 14" Down Down Down Return
go maps-left "menu_focus 0" Escape  # Escape (the pad's B) goes back to the main menu
go maps-again "selected 14 14" Down Down Down Return
go third-map "selected 14 344" Right Right

# ---- The editor: a treasure on the first empty square of the third map ------
maps="$HOME/data/Digmaze/Maps"
third=$(od -An -tu1 "$maps/index.dml" | tr -s ' \n' ' ' | awk '{ # the third name of the index
  o = 9; for (i = 0; i < 2; i++) { o += $(o) + 1 }; n = $(o); s = ""
  for (j = 1; j <= n; j++) s = s sprintf("%c", $(o + j)); print s }')
spot=$(cells_of "$maps/$third" 20 | awk '$1 == 0 && !found { print NR - 1; found = 1 }')
[ -n "$spot" ] || fail "the third map '$third' has no empty square"
x=$((spot % 30)); y=$((spot / 30))
go editor "cursor_at 0 0" Return
xdotool key 5  # treasure
((x > 0)) && xdotool key --delay 30 --repeat "$x" Right
((y > 0)) && xdotool key --delay 30 --repeat "$y" Down
go painted "square_is $x $y $(icon treasure)" space $( ((y == 19)) && echo Up || echo Down)
go save "focus_at 710 722 Save" Tab Tab  # past Check
go saved-map "selected 14 344" Return
[ "$(int_at "$maps/$third" $((20 + 8 * spot)))" = 5 ] || fail "$third holds no treasure at square $x,$y"
go exit-focus "focus_at 900 720 Exit" shift+Tab  # round to Exit
go menu-exit "menu_focus 6" Return Up
go quit-question is_quit_box Return
xdotool key space
ends_with_zero
echo "keys.sh: played, saved, edited and quit with the keyboard alone; screenshots in $art"

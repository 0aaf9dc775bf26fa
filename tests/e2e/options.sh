#!/usr/bin/env bash
# The options with the keys alone: Down four times and Enter in the main menu
# open them on "Sound volume"; Left three times and Escape close them, and the
# settings file says "volume = 70". In a second run the dig key becomes D in
# the keys of play: in the first level Space no longer digs the brick under
# the runner, and D does. Screenshots: <build>/e2e/options.
# Usage: tests/e2e/options.sh <game folder>
set -euo pipefail
source "$(dirname "$0")/helpers.bash"
scratch options "${1:-}"
screen 1280x1024

# The options (552 x 569 centred at (236, 99)) have rows 500 x 36 every 44
# from (262, 150), Keys the ninth; the keys (612 x 417 at (206, 175)) rows 560 x 36 every 44
# from (232, 226). A focused row has a two-pixel outline of 0xA9FFFF.
row_focus() {  # x y what: the focus outline of the row at (x, y)
  all_near a9ffff "$1,$2" "$(($1 + 1)),$(($2 + 1))" || { why="no focus on $3"; return 1; }
}
option_focus() { all_near 144166 250,112 770,112 && row_focus 262 $((150 + 44 * $1)) "option row $1"; }
keys_focus() { all_near 144166 220,190 800,190 && row_focus 232 $((226 + 44 * $1)) "key row $1"; }
settings="$game/settings.cfg"
setting_is() { tr -d '\r' <"$settings" | grep -qx "$1"; }  # "key = value": a line of the file

start_game --scale off
T=30 go menu is_main_menu
go options "option_focus 0" Down Down Down Down Return
go volume-70 "option_focus 0" Left Left Left
go closed is_main_menu Escape
setting_is 'volume = 70' || fail "the options did not write volume = 70 when they closed"
quit_game Escape
setting_is 'volume = 70' || fail "settings.cfg lost volume = 70: $(cat "$settings")"

# ---- The dig key becomes D -----------------------------------------------------
brick() { square_is 2 17 "$(icon brick)"; }  # under the runner of the first level
start_game --scale off
T=30 go menu-again is_main_menu
go options-again "option_focus 0" Down Down Down Down Return
go keys "keys_focus 0" Up Up Up Return  # round to Done, then up past Language to Keys
go dig-row "keys_focus 4" Down Down Down Down
go dig-is-d "keys_focus 4" Return d
go back is_main_menu Escape Escape
setting_is 'dig = D' || fail "the options did not write dig = D: $(cat "$settings")"
go level "is_playing && brick" Up Up Up Up Return Return  # the level select starts on level 1
xdotool keydown space; sleep 0.6; xdotool keyup space
T=2 go space-digs-not "is_playing && brick"
xdotool keydown d; sleep 0.6; xdotool keyup d
go d-digs "is_playing && ! brick"
echo "options.sh: the volume kept, D digs; screenshots in $art"

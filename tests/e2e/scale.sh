#!/usr/bin/env bash
# With the defaults (full screen, sharp) at 1920 x 1080 and 3840 x 2160: the
# menu takes the height between black bars; clicks land on the scaled "Map
# Editor" (after the pointer visited the border) and the second miniature; a
# square measures its scaled size; Alt+Enter goes to a 1024 x 768 window where
# the level goes on, and back; the window is kept for the next start; at 1920
# x 1080 the window surface and the renderer show the same menu and level.
# Screenshots of the last run: <build>/e2e/scale/<size>.
# Usage: tests/e2e/scale.sh <game folder>
set -euo pipefail
source "$(dirname "$0")/helpers.bash"
scratch scale "${1:-}"
base_art=$art

# Wider than 4:3, so the picture takes the screen's height, centred.
full() { place $((H * 1024 / 768)) "$H"; }
keep() { cp "$work/screen.png" "$art/$(printf %02d "$step")-$name.png"; }
lit() { convert "$work/screen.png" -format '%@' info: 2>/dev/null; }  # the non-black part, WxH+X+Y
in_level() {  # the map's white outline at its scaled place on the screen
  local fmt="" p
  for p in "${OUTLINE[@]}"; do fmt+="%[fx:p{$(sx "${p%,*}"),$(sy "${p#*,}")}.r>0.8&&p{$(sx "${p%,*}"),$(sy "${p#*,}")}.g>0.8]"; done
  [[ $(convert "$work/screen.png" -format "$fmt" info:) =~ ^1+$ ]] || { why="no white outline round the map"; return 1; }
}
is_scaled_menu() {
  [ "$(lit)" = "${pw}x$H+$left+0" ] || { why="the lit part is $(lit), not ${pw}x$H+$left+0 with black bars"; return 1; }
  cut "$pic" 340 768 0 0 "$work/a.png"; cut "$(icon main)" 340 768 0 0 "$work/b.png"
  local rmse; rmse=$(compare -metric RMSE "$work/a.png" "$work/b.png" null: 2>&1 | sed 's/.*(\(.*\))/\1/') || true
  awk -v e="$rmse" 'BEGIN { exit !(e != "" && e < 0.05) }' || { why="the left of the picture is not main.png ($rmse)"; return 1; }
}
red_runs() {  # x: the first screen row of each run of red in screen column x
  convert "$work/screen.png" -crop "1x$H+$1+0" +repage -depth 8 txt:- |
    awk -F'[,:() ]+' 'NR > 1 { red = ($3 >= 200 && $4 <= 60 && $5 <= 60); if (red && !was) printf "%s ", $2; was = red }'
}
framed() {  # column: that miniature alone framed in red, a picture pixel (a row or two) at 14 and 335
  local -a runs=($(red_runs "$(sx $((200 + 490 * $1)))")); local other=$(red_runs "$(sx $((690 - 490 * $1)))")
  ((${#runs[@]} == 2 && (runs[0] - $(sy 14)) ** 2 <= 1 && (runs[1] - $(sy 335)) ** 2 <= 1)) && [ -z "$other" ] ||
    { why="red rows '${runs[*]}' in column $1, '$other' in the other"; return 1; }
}
is_window_level() {  # the picture 1:1 in the centred window, nothing lit outside it
  has_outline || return 1
  local w h x y; IFS='x+' read -r w h x y <<<"$(lit)"
  ((x >= left && y >= top && x + w <= left + 1024 && y + h <= top + 768)) || { why="lit outside the window: $(lit)"; return 1; }
}
moves_window() {  # the level goes on: the map changes within half a second
  is_window_level || return 1
  cp "$pic" "$work/before.png"; sleep 0.5; shot && is_window_level || return 1
  ! area_is 960 640 32 10 "$work/before.png" || { why="nothing moved in the level"; return 1; }
}

for size in 1920x1080 3840x2160; do
  ((step == 0)) || fresh_game
  art="$base_art/$size"; mkdir -p "$art"; step=0; me="scale.sh $size"
  screen "$size"; full; start_game; T=60 go menu is_scaled_menu
  xdotool mousemove $((W - 20)) $((H - 20)); sleep 0.3  # into the black border first
  go map-editor "framed 0" $MENU_EDITOR park
  go miniature "framed 1" $MINI2 park
  # Off every button: a hovered button takes the focus, and Enter presses it.
  go back-to-menu is_scaled_menu $MAPS_EXIT @100,700
  go level in_level Return Return
  # The outlines on the map's middle row, 961 picture pixels apart: 30 squares.
  read -r first last < <(convert "$work/screen.png" -crop "${W}x1+0+$(sy 330)" +repage -depth 8 txt:- |
    awk -F'[,:() ]+' 'NR > 1 && $3 >= 200 && $4 >= 200 && $5 >= 200 { if (first == "") first = $1; last = $1 }
      END { print first, last }')
  awk -v a="$first" -v b="$last" -v s="$((32 * H))" 'BEGIN { square = (b - a) * 32 / 961; want = s / 768
    printf "scale.sh: a square measures %.2f pixels on the screen (%.2f wanted)\n", square, want
    exit !(square > want - 0.5 && square < want + 0.5) }' || fail "the outlines at x $first and $last do not make 30 squares"
  xdotool key Right; sleep 0.3; place 1024 768; go window moves_window alt+Return
  full; T=40 go full-screen in_level alt+Return
  place 1024 768; go remembered is_window_level alt+Return
  ends_with_zero TERM
  grep -q '^fullscreen = no' "$game/settings.cfg" || fail "the settings file does not keep the window"
  start_game; T=30 go restart is_main_menu
  ends_with_zero TERM
done

# At 1920 x 1080 both ways of presenting show the same menu and level.
screen 1920x1080; full; art="$base_art/1920x1080"; me="scale.sh 1920x1080"; step=20
for present in surface renderer; do
  DIGMAZE_PRESENT=$present start_game --fullscreen
  T=60 go "$present" is_scaled_menu
  point 900,600; sleep 0.5; shot; cp "$work/screen.png" "$work/menu-$present.png"
  go "$present-level" in_level Return Return
  cp "$work/screen.png" "$work/level-$present.png"
  ends_with_zero TERM
done
for s in menu level; do
  same 3% "$work/$s-surface.png" "$work/$s-renderer.png" || fail "the $s through the window surface differs from the renderer's in $diff pixels"
done
echo "scale.sh: the picture fills 1920 x 1080 and 3840 x 2160, clicks land, Alt+Enter switches, both present paths agree; screenshots in $art"

#!/usr/bin/env bash
# The picture fills the screen, end to end under virtual X servers of
# 1920 x 1080 and 3840 x 2160, as a person would play with the mouse and the
# keyboard (xdotool), with the game's defaults (full screen, sharp scaling):
# the main menu fills the screen's height with black bars left and right; a
# pointer that went into the black border and came back clicks the scaled
# "Map Editor" button it points at, which opens the maps manager; a click on
# the second scaled miniature selects it (red frame); in a level the 30
# squares between the map's outlines measure 30 times a square's scaled size;
# Alt+Enter switches to a 1024 x 768 window showing the picture 1:1 and back
# while the level goes on; a game left in its window opens in it again at
# the next start, which the settings file says; and at 1920 x 1080 the menu
# (with the cursor) and a level look the same presented through the window
# surface as through the renderer (DIGMAZE_PRESENT), to within 15-bit colour.
# The screenshots of the last run stay in <build>/e2e/scale/<size>, one per
# step, at the screen's size.
# Usage: tests/e2e/scale.sh <game folder>
set -euo pipefail

source "$(dirname "$0")/scratch.bash" scale "${1:-}"

cat > "$work/inside.sh" <<'INSIDE'
set -euo pipefail
me=scale.sh; work="$1"; art="$2"; W="$3"; H="$4"
source "$5"
me="scale.sh ${W}x$H"
name="starting"

# ---- The scaled picture ---------------------------------------------------
# Wider than 4:3, so the picture takes the screen's height: pw x H at
# (left, 0), H / 768 screen pixels a picture pixel.
pw=$((H * 1024 / 768)); left=$(((W - pw) / 2))
# The 1024 x 768 window, centred, shows the picture 1:1.
wx=$(((W - 1024) / 2)); wy=$(((H - 768) / 2))
# The screen point in the middle of picture pixel (x, y), as the game maps it.
sx() { echo $(((2 * 1024 * left + (2 * $1 + 1) * pw + 2047) / 2048 - 1)); }
sy() { echo $((((2 * $1 + 1) * H + 1535) / 1536 - 1)); }
screen="$work/screen.png"
mode=full  # full: the scaled full screen; window: the 1024 x 768 window
# The last screenshot is kept whole; pic is the picture from it at 1024 x 768
# (scaled back down in full screen, so only approximate there).
shot() {
  import -window root "$screen" 2>/dev/null || return 1
  if [ "$mode" = full ]; then
    convert "$screen" -crop "${pw}x$H+$left+0" +repage -filter box -resize '1024x768!' "$pic"
  else
    convert "$screen" -crop "1024x768+$wx+$wy" +repage "$pic"
  fi
}
keep() { cp "$screen" "$art/$(printf %02d "$step")-$name.png"; }
lit() { convert "$screen" -format '%@' info: 2>/dev/null; }  # the non-black part, WxH+X+Y
screen_colours() {  # x,y ...: "r g b" of each point of the whole screenshot
  local fmt="" p
  for p; do fmt+="%[fx:round(255*p{$p}.r)] %[fx:round(255*p{$p}.g)] %[fx:round(255*p{$p}.b)]\n"; done
  convert "$screen" -format "$fmt" info:
}
scaled() {  # x,y ...: the screen points of picture points
  local p
  for p; do echo "$(sx "${p%,*}"),$(sy "${p#*,}")"; done
}
white_at() {  # picture points: whether the screen is near white at all of them
  local r g b
  while read -r r g b; do ((r >= 200 && g >= 200 && b >= 200)) || return 1; done \
    < <(screen_colours $(scaled "$@"))
}
red_runs() {  # x: the first row of each run of red rows in screen column x
  convert "$screen" -crop "1x$H+$1+0" +repage -depth 8 txt:- |
    awk -F'[,:() ]+' 'NR > 1 { red = ($3 >= 200 && $4 <= 60 && $5 <= 60)
      if (red && !was) printf "%s ", $2; was = red }'
}
near_rows() {  # got want...: whether each run starts within a pixel of the row wanted
  local -a got=($1); shift
  ((${#got[@]} == $#)) || return 1
  local i=0 w
  for w; do ((got[i] - w <= 1 && w - got[i] <= 1)) || return 1; i=$((i + 1)); done
}

# ---- Screens --------------------------------------------------------------
fills_height() {
  local box
  box=$(lit)
  [ "$box" = "${pw}x$H+$left+0" ] ||
    { why="the lit part of the screen is $box, not the picture ${pw}x$H+$left+0 with black bars"; return 1; }
}
is_scaled_menu() {
  fills_height || return 1
  # Beside the buttons the picture is main.png, scaled.
  cut "$pic" 340 768 0 0 "$work/a.png"
  cut "$game/vdd/image/main.png" 340 768 0 0 "$work/b.png"
  local rmse
  rmse=$(compare -metric RMSE "$work/a.png" "$work/b.png" null: 2>&1 | sed 's/.*(\(.*\))/\1/') || true
  awk -v e="$rmse" 'BEGIN { exit !(e != "" && e < 0.05) }' ||
    { why="the left of the picture is not main.png (RMSE $rmse)"; return 1; }
}
# The maps manager: miniatures every 490 x 330 from (14, 14), the selected
# one framed in red (one picture pixel, so a row or two on the screen).
framed() {  # column (0 or 1): whether that miniature, and no other, is framed in red
  local runs other
  runs=$(red_runs "$(sx $((200 + 490 * $1)))")
  other=$(red_runs "$(sx $((200 + 490 * (1 - $1))))")
  near_rows "$runs" "$(sy 14)" "$(sy 335)" && [ -z "$other" ] ||
    { why="red rows '$runs' in column $1 (want $(sy 14) and $(sy 335)), '$other' in the other"; return 1; }
}
bars_black() {  # whether nothing is lit left or right of the picture
  local box w h x y
  box=$(lit)
  IFS='x+' read -r w h x y <<<"$box"
  ((x >= left && x + w <= left + pw)) || { why="lit beside the picture: $box"; return 1; }
}
is_manager_first() { bars_black && framed 0; }
is_manager_second() { bars_black && framed 1; }
# A level: the map's white outline, one picture pixel outside its 960 x 640
# squares at (32, 10).
outline=(31,9 500,9 992,9 31,330 992,330 31,650 500,650 992,650)
is_scaled_level() {
  white_at "${outline[@]}" || { why="no white outline round the scaled map"; return 1; }
  [ "$(lit)" = "$(lit_level)" ] || { why="the level is not where it was: $(lit)"; return 1; }
}
lit_level() { cat "$work/level-box"; }
is_window_level() {
  # The picture 1:1 in the window: every outline point white, as play.sh checks.
  all_near ffffff "${outline[@]}" || { why="no white outline 1:1 in the window"; return 1; }
  local box w h x y
  box=$(lit)
  IFS='x+' read -r w h x y <<<"$box"
  ((x >= wx && y >= wy && x + w <= wx + 1024 && y + h <= wy + 768)) ||
    { why="something lit outside the 1024 x 768 window at ($wx, $wy): $box"; return 1; }
}
moves() {  # check: whether the map area changes within a second while the check holds
  "$1" || return 1
  cp "$pic" "$work/before.png"
  sleep 0.5
  shot && "$1" || return 1
  cut "$pic" 960 640 32 10 "$work/a.png"
  cut "$work/before.png" 960 640 32 10 "$work/b.png"
  ! same 10% "$work/a.png" "$work/b.png" || { why="nothing moved in the level"; return 1; }
}
moves_scaled() { moves is_scaled_level; }
moves_window() { moves is_window_level; }

settings="$game/settings.cfg"
cd "$game"
SDL_AUDIODRIVER=dummy ./digmaze 2>"$work/stderr" &
pid=$!

begin menu
wait_for is_scaled_menu 30

begin map-editor
# The pointer goes into the black border first, then onto "Map Editor".
xdotool mousemove $((W - 20)) $((H - 20)); sleep 0.3
xdotool mousemove "$(sx 512)" "$(sy 376)"; sleep 0.3
xdotool click 1
xdotool mousemove "$(sx 680)" "$(sy 700)"
wait_for is_manager_first

begin miniature
xdotool mousemove "$(sx 745)" "$(sy 175)"; sleep 0.3
xdotool click 1
xdotool mousemove "$(sx 680)" "$(sy 700)"
wait_for is_manager_second

begin back-to-menu
xdotool mousemove "$(sx 959)" "$(sy 731)"; sleep 0.3  # "Exit"
xdotool click 1
# Off every button: a hovered button takes the focus, and Enter presses it.
xdotool mousemove "$(sx 100)" "$(sy 700)"
wait_for is_scaled_menu

begin level
xdotool key Return
in_level() { white_at "${outline[@]}" || { why="no white outline round the scaled map"; return 1; }; }
wait_for in_level
lit >"$work/level-box"
# The outlines on the map's middle row, 961 picture pixels apart: 30 squares.
row=$(sy 330)
read -r first last < <(convert "$screen" -crop "${W}x1+0+$row" +repage -depth 8 txt:- |
  awk -F'[,:() ]+' 'NR > 1 && $3 >= 200 && $4 >= 200 && $5 >= 200 {
    if (first == "") first = $1; last = $1 } END { print first, last }')
awk -v a="$first" -v b="$last" -v s="$((32 * H))" 'BEGIN {
  square = (b - a) * 32 / 961; want = s / 768
  printf "scale.sh: a square measures %.2f pixels on the screen (%.2f wanted)\n", square, want
  exit !(square > want - 0.5 && square < want + 0.5) }' ||
  fail "the outlines at x $first and $last do not make 30 squares of $((32 * H / 768)) pixels"

begin window
xdotool key Right
sleep 0.3
xdotool key alt+Return
mode=window
wait_for moves_window

begin full-screen
xdotool key alt+Return
mode=full
wait_for is_scaled_level
xdotool key Left
wait_for moves_scaled

begin remembered
xdotool key alt+Return
mode=window
wait_for is_window_level
kill -TERM "$pid"
ends_with_zero
grep -q '^fullscreen = no' "$settings" || fail "the settings file does not keep the window: $(cat "$settings")"

begin restart
SDL_AUDIODRIVER=dummy ./digmaze 2>"$work/stderr" &
pid=$!
wait_for is_main_menu 30
kill -TERM "$pid"
ends_with_zero

[ "$W" = 1920 ] || exit 0
mode=full
for present in surface renderer; do
  begin "$present"
  DIGMAZE_PRESENT=$present SDL_AUDIODRIVER=dummy ./digmaze --fullscreen 2>"$work/stderr" &
  pid=$!
  wait_for is_scaled_menu 30
  xdotool mousemove "$(sx 900)" "$(sy 600)"; sleep 0.5
  shot && cp "$screen" "$work/menu-$present.png"
  xdotool key Return
  wait_for in_level
  cp "$screen" "$work/level-$present.png"
  kill -TERM "$pid"
  ends_with_zero
done
for s in menu level; do
  same 3% "$work/$s-surface.png" "$work/$s-renderer.png" ||
    fail "the $s through the window surface differs from the renderer's in $diff pixels"
done
INSIDE

for size in 1920x1080 3840x2160; do
  # Each screen starts from a fresh copy of the game and the player's folder.
  rm -rf "$work/game" "$work/home"
  cp -r "$game_dir/." "$work/game"
  rm -rf "$work/game/Save" "$work/game"/*.tga "$work/game"/*.und "$work/game/nofirst.ctl" \
    "$work/game/settings.cfg"
  mkdir -p "$work/home" "$art/$size"
  xvfb-run -a -s "-screen 0 ${size}x24" \
    bash "$work/inside.sh" "$work" "$art/$size" "${size%x*}" "${size#*x}" "$here/helpers.bash"
done
echo "scale.sh: the picture fills 1920 x 1080 and 3840 x 2160, clicks land, Alt+Enter switches, both present paths agree; screenshots in $art"

# Shell helpers of the end-to-end scripts, the benchmarks (common.bash) and
# scripts/soak.sh: a scratch copy of the game, a virtual X server, screenshots
# of the game's picture, clicks on picture points through the scaling, and
# waiting for a screen. Sourced after set -euo pipefail; then
#   scratch NAME GAME_FOLDER  the game's copy in $game (inside $work, removed
#                             on exit), HOME and XDG_DATA_HOME in $work/home,
#                             one screenshot per step in <build>/e2e/NAME ($art)
#   screen WIDTHxHEIGHT       a virtual X server of that size ($DISPLAY)
#   start_game [ARGS...]      the copy started, its process id in $pid
# The name does not end in .sh, so scripts/test.sh does not run it as a check.
# ---- Where the scripts point, in picture pixels of the 1024 x 768 picture ----
# The main menu (GSceneMenu): seven 300 x 54 buttons centred on the picture,
# 62 apart from (362, 170): Start Game, Load Game, Demonstration Game, Map
# Editor, Options, Credits, Exit.
MENU_START=512,197 MENU_LOAD=512,259 MENU_DEMO=512,321 MENU_EDITOR=512,383 MENU_OPTIONS=512,445
MENU_EXIT=512,569
# The in-game menu (GDialogMenu, 412 x 484 centred): 340 x 40 buttons 64
# apart from (342, 178): Continue, Restart Level, Save Game, Load Game, Show
# Solution, Options, Quit.
GAME_SAVE=512,326 GAME_SOLUTION=512,454 GAME_OPTIONS=512,518 GAME_QUIT=512,582
# The saved-game dialog (GDialogSaveLoad): 520 x 44 slots 54 apart from (252, 150).
SLOT1=512,172
# The maps manager (GSceneMapsManager): a row of buttons 34 high at y 714
# (Edit at x 0, Create at 150, Destroy at 300, Test and Exit 280 and 130 from
# the right, 130 wide); above it the miniatures, 482 x 322 frames every 490 x
# 330 from (14, 14), two a row.
MAPS_EDIT=65,731 MAPS_CREATE=215,731 MAPS_DESTROY=365,731 MAPS_TEST=809,731 MAPS_EXIT=959,731
MINI2=745,175
# The map editor (GSceneMapEditor): palette entry i (from 0) a 38 x 38 picture
# at (72 i + 20, 716); Save, 150 x 34, 320 from the right on the same row.
palette() { echo $((72 * $1 + 39)),735; }
EDITOR_SAVE=779,733
# Over no button and no map square, where a cursor would show during play.
PARK=680,700
# The map in play and in the editor: 30 x 20 squares of 32 at (32, 10),
# outlined in white one pixel outside.
square() { echo $((48 + 32 * $1)),$((26 + 32 * $2)); }
OUTLINE=(31,9 500,9 992,9 31,330 992,330 31,650 500,650 992,650)
# "Press any key to start" on a panel in the middle of a level waiting for its
# first key (GSceneGame): the panel's frame (0x2983CD) from (406, 311) to (616, 348).
WAITING_PANEL=(406 311 616 348)
# The grid lines of the in-game menu and the caption band of the saved-game
# dialog (0x08294B and 0x144166).
MENU_GRID=(321,200 321,400 321,580 696,200 696,580)
CAPTION=(395,108 628,108 395,125 628,125)
# ---- The scratch copy and the virtual screen ---------------------------------
me=${me:-$(basename "$0")}; step=0; name="starting"; why=""; pid=""; xpid=""
scratch() {  # name game-folder (no name: no screenshots folder)
  game_dir="$(cd "${2:?usage: $me <game folder>}" && pwd)"
  art="$(cd "$game_dir/.." && pwd)/e2e/$1"
  here="$(cd "$(dirname "$0")" && pwd)"
  work="$(mktemp -d)"; chmod 755 "$work"
  pic="$work/pic.png"; game="$work/game"
  trap cleanup EXIT
  fresh_game
  [ -z "$1" ] || { rm -rf "$art"; mkdir -p "$art"; }
}
fresh_game() {  # [drives]: a new copy of the game and the player's folder; drives: drives built anew
  chmod -R u+w "$work" 2>/dev/null || true
  rm -rf "$game" "$work/home"
  cp -r "$game_dir/." "$game"
  (cd "$game" && rm -rf Save ./*.tga ./*.und nofirst.ctl settings.cfg error.log)
  [ "${1:-}" != drives ] || rm -f "$game"/*.vdt "$game"/*.vdd "$game"/*.build
  mkdir -p "$work/home"
  export HOME="$work/home" XDG_DATA_HOME="$work/home/data"
}
cleanup() { stop_game; stop_screen; chmod -R u+w "$work" 2>/dev/null || true; rm -rf "$work"; }
screen() {  # WxH: a new virtual X server; the picture 1:1 in its middle
  stop_screen
  Xvfb -displayfd 3 -screen 0 "${1}x24" -br -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
  xpid=$!
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
  [ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
  export DISPLAY=":$(cat "$work/display")"; W=${1%x*}; H=${1#*x}; place 1024 768
}
stop_screen() { [ -z "$xpid" ] || { kill "$xpid" 2>/dev/null; wait "$xpid" 2>/dev/null; xpid=""; } || true; }
place() {  # w h: the picture is shown w x h, centred on the screen
  pw=$1; ph=$2; left=$(((W - pw) / 2)); top=$(((H - ph) / 2))
}
W=1280; H=1024; place 1024 768
start_game() {  # args: the game's copy started from its folder
  (cd "$game" && SDL_AUDIODRIVER=dummy exec ./digmaze "$@") 2>"$work/stderr" &
  pid=$!
}
stop_game() {  # asked to quit, then killed
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || { pid=""; return 0; }
  for _ in $(seq 30); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -KILL "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; pid=""
}
ends_with_zero() {  # [TERM]: (asked to quit by a signal) waits 10 s for the exit, code 0
  local code=0
  [ -z "${1:-}" ] || kill -TERM "$pid"
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && fail "the game did not end"
  wait "$pid" || code=$?
  pid=""; [ "$code" -eq 0 ] || fail "exit code $code"
}
fail() {
  echo "$me: step $step ($name): $*" >&2
  [ ! -s "${pic:-}" ] || { cp "$pic" "$art/failed.png"; echo "$me: the last screenshot is $art/failed.png" >&2; }
  [ -s "${work:-}/stderr" ] && { echo "--- the game said:" >&2; tail -n 20 "$work/stderr" >&2; }
  exit 1
}
# ---- Reading the game's files -------------------------------------------------
ints_at() { od -An -td4 --endian=little -w$((4 * $3)) -j "$2" -N $((4 * $3)) "$1"; }  # file offset count
int_at() { ints_at "$1" "$2" 1 | tr -d ' '; }
byte_at() { od -An -tu1 -j "$2" -N 1 "$1" | tr -d ' '; }
text_at() { tail -c +"$(($2 + 1))" "$1" | head -c "$3"; }
cells_of() { od -v -An -td4 --endian=little -w8 -j "$2" -N 4800 "$1"; }  # file offset: 600 "code timer"
first_map() { text_at "$1" 9 "$(byte_at "$1" 8)"; }  # index.dml: the first map's file name
small_map() {  # file treasures: a floor, and on it the runner, the treasures and the exit in a row
  perl -e 'my $t = shift; print pack("l<5", 0, 30, 20, 0, 0);
    for my $i (0 .. 599) { my $x = $i - 541; print pack("l<2", $i >= 570 ? 2 : $x == 0 ? 7 :
      $x >= 1 && $x <= $t ? 5 : $x == $t + 1 ? 6 : 0, 0) }' "$2" >"$1"
}
index_of() {  # names...: a map index listing them in play order
  printf '\0\0\0\0'; printf "\\x$(printf %02x $#)\\0\\0\\0"
  for n; do printf "\\x$(printf %02x ${#n})%s" "$n"; done
}
# ---- The screen ----------------------------------------------------------------
# The last screenshot is $work/screen.png, and $pic the picture cut from it,
# brought back to 1024 x 768 when it is scaled (then only approximately).
# The game shows 15-bit colours, so a channel may be up to 7 below the colour
# asked for: "near" allows 8, and image comparisons use a fuzz of 3 %.
shot() {
  import -window root "$work/screen.png" 2>/dev/null || return 1
  if ((pw == 1024)); then convert "$work/screen.png" -crop "1024x768+$left+$top" +repage "$pic"
  else convert "$work/screen.png" -crop "${pw}x$ph+$left+$top" +repage -filter box -resize '1024x768!' "$pic"; fi
}
colours() {  # x,y ...: "r g b" of each point of the last picture
  local fmt="" p
  for p; do fmt+="%[fx:round(255*p{$p}.r)] %[fx:round(255*p{$p}.g)] %[fx:round(255*p{$p}.b)]\n"; done
  convert "$pic" -format "$fmt" info:
}
count_near() {  # rrggbb x,y ...: sets near to how many of the points show that colour
  local c=$1 lines=0 r g b; shift; near=0
  while read -r r g b; do
    lines=$((lines + 1))
    (((r - 16#${c:0:2}) ** 2 <= 64 && (g - 16#${c:2:2}) ** 2 <= 64 && (b - 16#${c:4:2}) ** 2 <= 64)) && near=$((near + 1))
  done < <(colours "$@")
  ((lines == $#)) || fail "could not read the colours at $*"
}
all_near() { local c=$1; shift; count_near "$c" "$@"; ((near == $#)); }
none_near() { local c=$1; shift; count_near "$c" "$@"; ((near == 0)); }
cut() { convert "$1" -crop "${2}x${3}+${4}+${5}" +repage "$6" || fail "cannot cut $1"; }  # image w h x y out
same() {  # fuzz a b: whether two same-sized images match; diff counts the other pixels
  diff=$(compare -metric AE -fuzz "$1" "$2" "$3" null: 2>&1) || true
  [[ $diff =~ ^[0-9][0-9.e+]*$ ]] || fail "cannot compare $2 with $3: $diff"
  [ "$diff" = 0 ]
}
area_is() {  # w h x y ref [rx ry]: whether an area matches the same area of ref
  cut "$pic" "$1" "$2" "$3" "$4" "$work/a.png"
  cut "$5" "$1" "$2" "${6:-$3}" "${7:-$4}" "$work/b.png"
  same 3% "$work/a.png" "$work/b.png"
}
square_is() { area_is 32 32 $((32 + 32 * $1)) $((10 + 32 * $2)) "$3" 0 0; }  # cx cy icon: exactly the icon
icon() { echo "$game/vdd/image/$1.png"; }
status_line() { cut "$pic" 640 30 32 665 "$1"; }  # out: the status line (level, score, lives)
red_rows() {  # x: the rows of picture column x showing red (a selected miniature's frame)
  convert "$pic" -crop 1x694+"$1"+0 +repage -depth 8 txt:- |
    awk -F'[,:() ]+' 'NR > 1 && $3 >= 247 && $4 <= 8 && $5 <= 8 { printf "%s ", $2 }'
}
# ---- Input -------------------------------------------------------------------------
# The screen point in the middle of picture pixel (x, y), as the game maps it.
sx() { echo $(((2 * 1024 * left + (2 * $1 + 1) * pw + 2047) / 2048 - 1)); }
sy() { echo $(((2 * 768 * top + (2 * $1 + 1) * ph + 1535) / 1536 - 1)); }
point() { xdotool mousemove "$(sx "${1%,*}")" "$(sy "${1#*,}")"; sleep 0.2; }  # x,y
click() { point "$1"; xdotool click 1; }
park() { point 681,700; point $PARK; }  # moved even when there, so the mouse is the input in use
# ---- Steps ---------------------------------------------------------------------------
keep() { cp "$pic" "$art/$(printf %02d "$step")-$name.png"; }
go() {  # name "check [words]" input...: a step: the input (x,y a click, @x,y the pointer
  # moved there, park, else a key), then screenshots until the check holds (at most
  # $T seconds, 20), of which the last is kept
  step=$((step + 1)); name=$1; why=""; local check=$2 a end=$((SECONDS + ${T:-20})); shift 2
  for a; do
    case $a in park) park ;; @*) point "${a#@}" ;; *,*) click "$a" ;; *) xdotool key "$a" ;; esac
  done
  until shot && $check; do
    kill -0 "$pid" 2>/dev/null || fail "the game ended"
    ((SECONDS < end)) || fail "${why:-the screen never matched}"
    sleep 0.2
  done
  keep
}
# ---- Screens the scripts share (each sets why when it does not hold) --------------
is_main_menu() {
  # Beside and above the column of buttons the picture is main.png itself;
  # a dialog over the menu would cover part of these areas.
  local main_png; main_png=$(icon main)
  area_is 340 768 0 0 "$main_png" && area_is 334 768 690 0 "$main_png" &&
    area_is 1024 140 0 0 "$main_png" && return 0
  why="not the main menu: $diff pixels unlike main.png beside or above the buttons"
  return 1
}
is_box_over() {  # ref: whether the last picture is ref with a centred message box over it
  local box w h x y
  box=$(convert "$1" "$pic" -compose difference -composite \
    -colorspace gray -threshold 0 -format '%@' info: 2>/dev/null)
  IFS='x+' read -r w h x y <<<"$box"
  why="the screen's change from $(basename "$1") is $box, not a centred box"
  ((w >= 200 && h >= 100 && (2 * x + w - 1024) ** 2 <= 4 && (2 * y + h - 768) ** 2 <= 4)) || return 1
  all_near 144166 $((x + 10)),$((y + 10)) $((x + 10)),$((y + 25)) ||
    { why="the box at $box has no caption band"; return 1; }
  all_near 08294b $((x + 15)),$((y + 45)) $((x + 15)),$((y + h - 20)) ||
    { why="the box at $box has no grid"; return 1; }
}
# The quit question over the first step's screenshot (main menu, pointer centred).
is_quit_box() { is_box_over "$art/01-menu.png"; }
has_outline() { all_near ffffff "${OUTLINE[@]}" || { why="no white outline round the map"; return 1; }; }
is_waiting() {
  local l=${WAITING_PANEL[0]} t=${WAITING_PANEL[1]} r=${WAITING_PANEL[2]} b=${WAITING_PANEL[3]}
  has_outline && all_near 2983cd 512,"$t" 512,"$b" "$l",330 "$r",330 ||
    { why="no \"Press any key to start\" panel"; return 1; }
}
is_playing() {
  has_outline || return 1
  none_near 08294b "${MENU_GRID[@]}" || { why="the in-game menu is open"; return 1; }
  none_near 144166 "${CAPTION[@]}" || { why="the saved-game dialog is open"; return 1; }
}
is_game_menu() {
  has_outline || return 1
  all_near 08294b "${MENU_GRID[@]}" || { why="no in-game menu grid"; return 1; }
  none_near 144166 "${CAPTION[@]}" || { why="a dialog covers the in-game menu"; return 1; }
}
is_slot_dialog() {
  all_near 144166 "${CAPTION[@]}" || { why="no caption band of the saved-game dialog"; return 1; }
  all_near 08294b 241,300 791,300 241,650 791,650 || { why="no grid in the saved-game dialog"; return 1; }
}
is_manager() {  # the maps manager with the first miniature alone framed in red
  [ "$(red_rows 200)" = "14 335 " ] && [ -z "$(red_rows 690)" ] || { why="no red frame round the first miniature alone"; return 1; }
}
quit_game() { go quit-question is_quit_box "$@"; xdotool key Return; ends_with_zero; }  # input...: from the main menu

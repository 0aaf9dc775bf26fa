# Shell helpers of the end-to-end scripts that play the game under a virtual
# X server with xdotool (play.sh, editor.sh). Their inner script, run by
# xvfb-run, sources this file after setting
#   me    the script's name, put before every message
#   work  its scratch folder (the game's copy is $work/game)
#   art   the folder that keeps one screenshot per step
# and keeps the game's process id in pid once it has started it.
# The name does not end in .sh, so scripts/test.sh does not run it as a check.

game="$work/game"
pic="$work/pic.png"     # the last screenshot, cut to the 1024 x 768 picture
step=0; name="starting"; why=""; pid=""

fail() {
  echo "$me: step $step ($name): $*" >&2
  if [ -s "$pic" ]; then
    cp "$pic" "$art/failed.png"
    echo "$me: the last screenshot is $art/failed.png" >&2
  fi
  [ -s "$work/stderr" ] && { echo "--- the game said:" >&2; tail -n 20 "$work/stderr" >&2; }
  exit 1
}
stop_game() {  # a game still running when the script ends: asked to quit, then killed
  [ -n "$pid" ] || return 0
  kill "$pid" 2>/dev/null || return 0
  for _ in $(seq 1 30); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -KILL "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}
trap stop_game EXIT

# ---- Reading the game's files -------------------------------------------
ints_at() {  # file offset count: that many signed 32-bit little-endian integers
  od -An -td4 --endian=little -w$((4 * $3)) -j "$2" -N $((4 * $3)) "$1"
}
int_at() { ints_at "$1" "$2" 1 | tr -d ' '; }
byte_at() { od -An -tu1 -j "$2" -N 1 "$1" | tr -d ' '; }
text_at() { tail -c +"$(($2 + 1))" "$1" | head -c "$3"; }
cells_of() {  # file offset: the 30 x 20 cell records as "code timer" lines
  od -v -An -td4 --endian=little -w8 -j "$2" -N 4800 "$1"
}

# ---- The screen ---------------------------------------------------------
# The scripts start the game with --scale off, so the picture sits 1:1 at
# (128, 128) of the 1280 x 1024 screen; every position below is a picture
# position. The game shows 15-bit colours, so a channel
# may be up to 7 below the colour asked for: "near" allows 8, and image
# comparisons use a fuzz of 3 %.
shot() {
  import -window root "$work/screen.png" 2>/dev/null &&
    convert "$work/screen.png" -crop 1024x768+128+128 +repage "$pic"
}
colours() {  # x,y ...: "r g b" of each point of the last screenshot
  local fmt="" p
  for p; do fmt+="%[fx:round(255*p{$p}.r)] %[fx:round(255*p{$p}.g)] %[fx:round(255*p{$p}.b)]\n"; done
  convert "$pic" -format "$fmt" info:
}
count_near() {  # rrggbb x,y ...: sets near to how many of the points show that colour
  local want=$1 lines=0 r g b d ok; shift
  local -a w=($((16#${want:0:2})) $((16#${want:2:2})) $((16#${want:4:2})))
  near=0
  while read -r r g b; do
    lines=$((lines + 1)); ok=1
    for d in $((r - w[0])) $((g - w[1])) $((b - w[2])); do ((d <= 8 && d >= -8)) || ok=0; done
    near=$((near + ok))
  done < <(colours "$@")
  ((lines == $#)) || fail "could not read the colours at $*"
}
all_near() { local c=$1; shift; count_near "$c" "$@"; ((near == $#)); }
none_near() { local c=$1; shift; count_near "$c" "$@"; ((near == 0)); }
cut() {  # image w h x y out: a piece of an image
  convert "$1" -crop "${2}x${3}+${4}+${5}" +repage "$6" || fail "cannot cut $1"
}
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
square_is() {  # cx cy icon: whether a map square shows exactly a cell icon
  area_is 32 32 $((32 + 32 * $1)) $((10 + 32 * $2)) "$3" 0 0
}
status_line() {  # out: the status line (level, score, lives) of the last screenshot
  cut "$pic" 640 30 32 665 "$1"
}

# ---- Input ----------------------------------------------------------------
# The game's cursor is on the picture pixel under the pointer, so the pointer
# at (128 + x, 128 + y) puts it on (x, y).
point() { xdotool mousemove $((128 + $1)) $((128 + $2)); sleep 0.2; }
click() { point "$1" "$2"; xdotool click 1; }

# ---- Steps ----------------------------------------------------------------
begin() { step=$((step + 1)); name=$1; why=""; }
keep() { cp "$pic" "$art/$(printf %02d "$step")-$name.png"; }
wait_for() {  # "check [words]" [seconds]: screenshots until the check holds, then keeps it
  local end=$((SECONDS + ${2:-10}))
  while :; do
    kill -0 "$pid" 2>/dev/null || fail "the game ended"
    if shot && $1; then keep; return 0; fi
    ((SECONDS < end)) || fail "${why:-the screen never matched}"
    sleep 0.2
  done
}

# ---- Screens both scripts meet ----------------------------------------------
# Each check sets why when it does not hold.
is_main_menu() {
  # Beside and above the column of buttons the picture is main.png itself;
  # a dialog over the menu would cover part of these areas.
  local main_png="$game/vdd/image/main.png"
  area_is 340 768 0 0 "$main_png" && area_is 334 768 690 0 "$main_png" &&
    area_is 1024 140 0 0 "$main_png" && return 0
  why="not the main menu: $diff pixels unlike main.png beside or above the buttons"
  return 1
}
is_box_over() {  # ref: whether the last screenshot is ref with a message box over it
  # The box is all that differs from ref (the cursor is where it was then),
  # and it is centred on the picture.
  local box w h x y
  box=$(convert "$1" "$pic" -compose difference -composite \
    -colorspace gray -threshold 0 -format '%@' info: 2>/dev/null)
  IFS='x+' read -r w h x y <<<"$box"
  why="the screen's change from $(basename "$1") is $box, not a centred box"
  ((w >= 200 && h >= 100)) || return 1
  ((2 * x + w - 1024 <= 2 && 2 * x + w - 1024 >= -2)) || return 1
  ((2 * y + h - 768 <= 2 && 2 * y + h - 768 >= -2)) || return 1
  all_near 144166 $((x + 10)),$((y + 10)) $((x + 10)),$((y + 25)) ||
    { why="the box at $box has no caption band"; return 1; }
  all_near 08294b $((x + 15)),$((y + 45)) $((x + 15)),$((y + h - 20)) ||
    { why="the box at $box has no grid"; return 1; }
}
# The quit question over the main menu, compared with the first step's
# screenshot (the main menu with the cursor at the centre).
is_quit_box() { is_box_over "$art/01-menu.png"; }

ends_with_zero() {  # waits up to 10 s for the game to end and checks its exit code
  local code
  for _ in $(seq 1 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$pid" 2>/dev/null; then fail "the game did not end after OK to the quit question"; fi
  set +e
  wait "$pid"
  code=$?
  set -e
  pid=""
  [ "$code" -eq 0 ] || fail "exit code $code"
}

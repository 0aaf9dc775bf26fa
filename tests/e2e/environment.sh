#!/usr/bin/env bash
# Starts the real game under a virtual X server with one fault of its
# environment at a time and checks that it says what is wrong, in one line on
# standard error and in its error log, and keeps running (it is asked to quit
# at the end and must exit with code 0):
#   - no HOME, a read-only game folder, per-user folders that cannot be
#     written, a temporary data folder that is not the user's own;
#   - a missing or damaged picture, sound, font and map, and a missing
#     resource drive source, each in a fresh copy of the game folder.
# The folder cases run the game as the user "nobody" when run as root (root
# writes into read-only folders); as another user they run as that user and
# the case that needs a home folder from the user database is left out.
# Usage: tests/e2e/environment.sh <game folder>
set -euo pipefail

game_dir="$(cd "${1:?usage: environment.sh <game folder>}" && pwd)"
work="$(mktemp -d)"
chmod 755 "$work"  # the other user must reach the game's copy
trap 'chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"' EXIT

cat > "$work/inside.sh" <<'INSIDE'
set -euo pipefail
work="$1"; game_dir="$2"
me=environment.sh; what="starting"; pid=""
fail() {
  echo "$me: $what: $*" >&2
  [ -s "$work/stderr" ] && { echo "--- the game said:" >&2; tail -n 20 "$work/stderr" >&2; }
  exit 1
}
stop_game() {
  [ -n "$pid" ] || return 0
  kill -KILL "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}
trap stop_game EXIT

# The other user's cookie for the display, which xvfb-run keeps private.
cp "$XAUTHORITY" "$work/xauth"
chmod 644 "$work/xauth"
if [ "$(id -u)" -eq 0 ]; then
  uid=65534
  as_user=(setpriv --reuid="$uid" --regid="$uid" --clear-groups)
else
  uid="$(id -u)"
  as_user=()
fi

fresh_game() {  # a copy of the game folder whose drives are built at the first start
  chmod -R u+w "$work/game" 2>/dev/null || true
  rm -rf "$work/game" "$work/tmp" "$work/data"
  cp -r "$game_dir/." "$work/game"
  rm -rf "$work/game"/*.vdt "$work/game"/*.vdd "$work/game"/*.build "$work/game/Save" \
    "$work/game/nofirst.ctl" "$work/game/error.log"
  game="$(cd "$work/game" && pwd -P)"
  mkdir -m 1777 "$work/tmp"
}
start() {  # [as_other] [env arguments]: starts the game, as the other user after "as_other"
  local prefix=()
  if [ "${1:-}" = as_other ]; then prefix=("${as_user[@]}"); shift; fi
  : > "$work/stderr"
  chmod 666 "$work/stderr"
  (cd "$work/game" && exec "${prefix[@]}" env "$@" XAUTHORITY="$work/xauth" \
    SDL_AUDIODRIVER=dummy ./digmaze) 2>>"$work/stderr" &
  pid=$!
}
says() {  # text: waits up to 10 s for the game to say it on standard error
  for _ in $(seq 1 100); do
    grep -qF -- "$1" "$work/stderr" && return 0
    kill -0 "$pid" 2>/dev/null || fail "the game ended before it said: $1"
    sleep 0.1
  done
  fail "the game never said: $1"
}
logged() {  # folder text: the error log in folder has the line
  grep -qF -- "$2" "$1/error.log" 2>/dev/null || fail "no \"$2\" in $1/error.log"
}
ends_cleanly() {  # the game is still up, and quits with code 0 when asked
  sleep 1
  kill -0 "$pid" 2>/dev/null || fail "the game ended"
  kill -TERM "$pid"
  local code=0
  wait "$pid" || code=$?
  pid=""
  [ "$code" -eq 0 ] || fail "exit code $code"
  echo "$me: $what: ok"
}
new_game() {  # Enter on the main menu starts a game from the first level
  sleep 2
  xdotool key Return
}
read_only_game() { chmod -R a-w "$work/game"; }

# ---- Folders ---------------------------------------------------------------
what="read-only game folder: the drives are built in the per-user folder"
fresh_game; read_only_game
mkdir -p "$work/home"; chown "$uid" "$work/home"
start as_other HOME="$work/home" XDG_DATA_HOME= TMPDIR="$work/tmp"
new_game
sleep 2
[ -s "$work/home/.local/share/Digmaze/image.vdt" ] || fail "no image drive in the per-user folder"
ends_cleanly

what="per-user folders not writable: the private temporary folder"
fresh_game; read_only_game
mkdir -p "$work/ro-home" "$work/ro-xdg"; chmod 555 "$work/ro-home" "$work/ro-xdg"
start as_other HOME="$work/ro-home" XDG_DATA_HOME="$work/ro-xdg" TMPDIR="$work/tmp"
says "cannot use $work/ro-xdg/Digmaze as the data folder (Permission denied); trying the next place"
says "cannot use $work/ro-home/.local/share/Digmaze as the data folder (Permission denied)"
says "keeping the game's data in the temporary folder $work/tmp/Digmaze-$uid/, which the system may clear"
logged "$work/tmp/Digmaze-$uid" "cannot use $work/ro-xdg/Digmaze as the data folder"
[ "$(stat -c %a "$work/tmp/Digmaze-$uid")" = 700 ] || fail "the temporary folder is not private"
ends_cleanly

what="a temporary data folder that is a symbolic link is refused"
fresh_game; read_only_game
ln -s "$work/game" "$work/tmp/Digmaze-$uid"
start as_other HOME="$work/ro-home" XDG_DATA_HOME= TMPDIR="$work/tmp"
says "refusing the temporary data folder $work/tmp/Digmaze-$uid/: it is a symbolic link"
says "no writable data folder: saved games, settings and the error log cannot be kept"
says "cannot open the resource drive \"image\""
new_game
ends_cleanly

if [ "$(id -u)" -eq 0 ]; then
  what="HOME unset: the home folder of the user database, then the temporary folder"
  home_of_nobody="$(getent passwd "$uid" | cut -d: -f6)"
  fresh_game; read_only_game
  start as_other -u HOME XDG_DATA_HOME= TMPDIR="$work/tmp"
  says "HOME is not set; using the home folder $home_of_nobody from the user database"
  says "keeping the game's data in the temporary folder $work/tmp/Digmaze-$uid/"
  logged "$work/tmp/Digmaze-$uid" "HOME is not set"
  ends_cleanly
fi

# ---- Data files ------------------------------------------------------------
# Each case: what to break in the copy, what the game must say, and whether
# it is said only when a game starts (the maps are read then). A game is
# started in every case, to play on with the fault.
fault() {  # name command message [play]
  what="$1"
  fresh_game
  (cd "$work/game" && eval "$2")
  # A player's folder of its own, so the maps are copied from this game folder.
  rm -rf "$work/home" && mkdir -p "$work/home"
  start HOME="$work/home" XDG_DATA_HOME=
  if [ "${4:-}" = play ]; then
    new_game
    says "$3"
    # "This map cannot be read." over the main menu: OK closes it.
    sleep 0.5
    xdotool key Return
  else
    says "$3"
    new_game
  fi
  logged "$game" "$3"
  ends_cleanly
}
fault "missing picture" "rm vdd/image/floor.png" \
  "the picture $work/game/vdd/image/floor.png is missing; it is left blank"
fault "damaged picture" "truncate -s 100 vdd/image/main.png" \
  "the picture $work/game/vdd/image/main.png is damaged; the background stays empty"
fault "missing sound" "rm vdd/sound/hole.wav" \
  "the sound $work/game/vdd/sound/hole.wav is missing; it stays silent"
fault "damaged sound" "truncate -s 30 vdd/sound/death.wav" \
  "the sound $work/game/vdd/sound/death.wav is damaged; it stays silent"
fault "missing font" "rm windows/tahoma18bold.tga" \
  "the font $work/game/windows/tahoma18bold.tga is missing; its text is drawn in the theme's other font, if any"
fault "damaged font" "truncate -s 10 windows/tahoma21bold.txt" \
  "the font $work/game/windows/tahoma21bold.tga/.txt is damaged"
fault "no sound drive" "rm -r vdd/sound" \
  "cannot open the resource drive \"sound\" (it is built from $work/game/vdd/sound); the game goes on without its files"
# The player's maps are copies of the game folder's, made on first use.
player_maps="$work/home/.local/share/Digmaze/Maps"
fault "missing map" "rm Maps/level01.dmm" \
  "the map $player_maps/level01.dmm is missing; it is not played" play
fault "damaged map" "truncate -s 100 Maps/level01.dmm" \
  "the map $player_maps/level01.dmm is damaged; it is not played" play
INSIDE

xvfb-run -a -s "-screen 0 1280x1024x24" bash "$work/inside.sh" "$work" "$game_dir"
echo "environment.sh: every fault was reported and the game kept running"

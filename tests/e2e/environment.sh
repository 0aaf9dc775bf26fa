#!/usr/bin/env bash
# Starts the game under a virtual X server with one fault of its environment
# at a time; it must say what is wrong in one line on standard error and in
# its error log, keep running, and exit with code 0 when asked to quit:
#   - no HOME, a read-only game folder, per-user folders that cannot be
#     written, a temporary data folder that is not the user's own;
#   - a missing or damaged picture, sound, font and map, and a missing drive
#     source, each in a fresh copy of the game folder.
# As root the folder cases run as "nobody", who cannot write into read-only
# folders; any other user skips the case needing a home in the user database.
# Usage: tests/e2e/environment.sh <game folder>
set -euo pipefail
source "$(dirname "$0")/helpers.bash"
scratch environment "${1:-}"
screen 1280x1024
uid="$(id -u)"; as_user=()
if ((uid == 0)); then uid=65534; as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups); fi

case_of() {  # what: a fresh copy whose drives are built at the first start
  name=$1; fresh_game drives
  rm -rf "$work/tmp"; mkdir -m 1777 "$work/tmp"
}
start() {  # [as_other] [env arguments]: the game started, as the other user after "as_other"
  local prefix=()
  if [ "${1:-}" = as_other ]; then prefix=("${as_user[@]}"); shift; chmod -R a-w "$game"; fi
  : >"$work/stderr"; chmod 666 "$work/stderr"
  (cd "$game" && exec "${prefix[@]}" env "$@" SDL_AUDIODRIVER=dummy ./digmaze) 2>>"$work/stderr" &
  pid=$!
}
says() {  # text...: waits up to 10 s for the game to say each on standard error
  local t; for t; do
    for _ in $(seq 100); do
      grep -qF -- "$t" "$work/stderr" && continue 2
      kill -0 "$pid" 2>/dev/null || fail "the game ended before it said: $t"; sleep 0.1
    done; fail "the game never said: $t"
  done
}
logged() { grep -qF -- "$2" "$1/error.log" 2>/dev/null || fail "no \"$2\" in $1/error.log"; }
new_game() {  # Enter on the main menu, a moment after the window shows, and in the level select starts the first level
  timeout 30 xdotool search --sync --onlyvisible --name Digmaze >/dev/null || fail "no window"
  sleep 2; xdotool key Return Return
}
ends_cleanly() { sleep 1; ends_with_zero TERM; echo "$me: $name: ok"; }

# ---- Folders ---------------------------------------------------------------
case_of "read-only game folder: the drives are built in the per-user folder"
chown "$uid" "$work/home"
start as_other HOME="$work/home" XDG_DATA_HOME= TMPDIR="$work/tmp"
new_game
for _ in $(seq 200); do [ -s "$work/home/.local/share/Digmaze/image.vdt" ] && break; sleep 0.1; done
[ -s "$work/home/.local/share/Digmaze/image.vdt" ] || fail "no image drive in the per-user folder"
ends_cleanly

case_of "per-user folders not writable: the private temporary folder"
mkdir -p "$work/ro-home" "$work/ro-xdg"; chmod 555 "$work/ro-home" "$work/ro-xdg"
start as_other HOME="$work/ro-home" XDG_DATA_HOME="$work/ro-xdg" TMPDIR="$work/tmp"
says "cannot use $work/ro-xdg/Digmaze as the data folder (Permission denied); trying the next place" \
  "cannot use $work/ro-home/.local/share/Digmaze as the data folder (Permission denied)" \
  "keeping the game's data in the temporary folder $work/tmp/Digmaze-$uid/, which the system may clear"
logged "$work/tmp/Digmaze-$uid" "cannot use $work/ro-xdg/Digmaze as the data folder"
[ "$(stat -c %a "$work/tmp/Digmaze-$uid")" = 700 ] || fail "the temporary folder is not private"
ends_cleanly

case_of "a temporary data folder that is a symbolic link is refused"
ln -s "$game" "$work/tmp/Digmaze-$uid"
start as_other HOME="$work/ro-home" XDG_DATA_HOME= TMPDIR="$work/tmp"
says "refusing the temporary data folder $work/tmp/Digmaze-$uid/: it is a symbolic link" \
  "no writable data folder: saved games, settings and the error log cannot be kept" \
  "cannot open the resource drive \"image\""
new_game
ends_cleanly

if [ "$(id -u)" -eq 0 ]; then
  case_of "HOME unset: the home folder of the user database, then the temporary folder"
  start as_other -u HOME XDG_DATA_HOME= TMPDIR="$work/tmp"
  says "HOME is not set; using the home folder $(getent passwd "$uid" | awk -F: "{print \$6}") from the user database" \
    "keeping the game's data in the temporary folder $work/tmp/Digmaze-$uid/"
  logged "$work/tmp/Digmaze-$uid" "HOME is not set"
  ends_cleanly
fi

# ---- Data files ------------------------------------------------------------
# Each case: what to break in the copy, what the game must say, and whether
# it is said only when a game starts (the maps are read then). A game is
# started in every case, to play on with the fault; the player's folder is
# new, so the maps are copied from this game folder.
fault() {  # name command message [play]
  case_of "$1"
  (cd "$game" && eval "$2")
  start HOME="$work/home" XDG_DATA_HOME=
  if [ "${4:-}" = play ]; then
    new_game; says "$3"
    sleep 0.5; xdotool key Return  # OK to "This map cannot be read." over the level select
  else
    says "$3"; new_game
  fi
  logged "$game" "$3"
  ends_cleanly
}
fault "missing picture" "rm vdd/image/floor.png" "the picture $game/vdd/image/floor.png is missing; it is left blank"
fault "damaged picture" "truncate -s 100 vdd/image/main.png" "the picture $game/vdd/image/main.png is damaged; the background stays empty"
fault "missing sound" "rm vdd/sound/hole.wav" "the sound $game/vdd/sound/hole.wav is missing; it stays silent"
fault "damaged sound" "truncate -s 30 vdd/sound/death.wav" "the sound $game/vdd/sound/death.wav is damaged; it stays silent"
fault "missing font" "rm windows/tahoma18bold.tga" "the font $game/windows/tahoma18bold.tga is missing; its text is drawn in the theme's other font, if any"
fault "damaged font" "truncate -s 10 windows/tahoma21bold.txt" "the font $game/windows/tahoma21bold.tga/.txt is damaged"
fault "no sound drive" "rm -r vdd/sound" "cannot open the resource drive \"sound\" (it is built from $game/vdd/sound); the game goes on without its files"
player_maps="$work/home/.local/share/Digmaze/Maps"
fault "missing map" "rm Maps/level01.dmm" "the map $player_maps/level01.dmm is missing; it is not played" play
fault "damaged map" "truncate -s 100 Maps/level01.dmm" "the map $player_maps/level01.dmm is damaged; it is not played" play
echo "environment.sh: every fault was reported and the game kept running"

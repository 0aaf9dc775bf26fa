#!/usr/bin/env bash
# Plays the built game for a long while and watches its memory: starts it
# under a virtual X server in a fresh copy of the game folder with a home of
# its own, starts a new game and keeps playing the first levels with scripted
# input (arrows and Space held for a moment each; now and then Enter and a
# click that together answer the box at the end of a game and start the next
# one from the main menu, and do nothing during play). Every minute it prints
# the peak and the current resident memory.
# Fails when the game ends by itself, or when the resident memory after the
# first minute grows by more than TOLERANCE_MIB (default 2). A screenshot of
# each minute's end is kept in build/soak, to see that it was still playing.
# Builds only when there is no built game. Not part of the test suite.
# Usage: scripts/soak.sh [minutes (default 10)] [game folder (default build/bin)]
set -euo pipefail
cd "$(dirname "$0")/.."

minutes="${1:-10}"
game_dir="${2:-build/bin}"
[[ $minutes =~ ^[1-9][0-9]*$ ]] || { echo "usage: scripts/soak.sh [minutes] [game folder]" >&2; exit 2; }
[ -x "$game_dir/digmaze" ] || bash scripts/build.sh release
game_dir="$(cd "$game_dir" && pwd)"

source tests/e2e/helpers.bash
scratch "" "$game_dir"
art="$(pwd)/build/soak"
rm -rf "$art"
mkdir -p "$art"
# The first levels have no aliens and random steps soon trap the runner in
# a corridor, so the copy starts with the campaign's first alien levels: the
# aliens catch the runner again and again, so lives are lost, games end and
# new ones start.
index_of level08.dmm level09.dmm level10.dmm level11.dmm level01.dmm >"$work/game/Maps/index.dml"

cat > "$work/inside.sh" <<'INSIDE'
set -euo pipefail
work="$1"; minutes="$2"; art="$3"; tolerance_kib=$(( ${TOLERANCE_MIB:-2} * 1024 ))
cd "$work/game"
HOME="$work/home" XDG_DATA_HOME= SDL_AUDIODRIVER=dummy ./digmaze --scale off 2>"$work/stderr" &
pid=$!
stop() { kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null || true; }
trap stop EXIT

kib() { awk -v k="$1" '$1 == k":" {print $2}' "/proc/$pid/status"; }
mib() { awk -v k="$1" 'BEGIN {printf "%.1f", k / 1024}'; }
alive() {
  kill -0 "$pid" 2>/dev/null && return 0
  local code=0
  wait "$pid" || code=$?
  echo "soak.sh: the game ended by itself (code $code) in minute $((minute + 1))" >&2
  tail -n 20 "$work/stderr" >&2
  exit 1
}

# The screen is 1280 x 1024 with the 1024 x 768 picture 1:1 at (128, 128).
in_game() {  # whether the corner of the map's white outline shows
  local colour
  colour=$(import -window root -crop 1x1+159+137 -depth 8 txt:- 2>/dev/null | grep -o '#[0-9A-F]\{6\}')
  [[ $colour =~ ^#[F][0-9A-F][F][0-9A-F][F][0-9A-F]$ ]]
}
keys=(Left Right Up Down Left Right space)
sleep 2
xdotool key Return Return     # main menu, then the level select: start a new game
minute=0; base=""; worst=0
start=$SECONDS
while ((minute < minutes)); do
  next=$((start + 60 * (minute + 1)))
  while ((SECONDS < next)); do
    alive
    # A held key moves the runner a few squares (and starts a waiting level).
    key=${keys[RANDOM % ${#keys[@]}]}
    xdotool keydown "$key"; sleep 0.$((3 + RANDOM % 6)); xdotool keyup "$key"
    # Now and then Enter, then a click where the in-game menu has "Continue
    # Game": on the main menu Enter opens the level select (the click hits a
    # level, and starts it when it is open), where the next Enter starts one; in a won level's
    # tally it goes on to the next level, in a box at the end of a game it
    # answers OK, back to the main menu (the click hits no button); during
    # play it opens the in-game menu, and the click closes it again.
    if ((RANDOM % 12 == 0)); then
      xdotool key Return; sleep 0.5
      xdotool mousemove 640 334 click 1; sleep 0.3
    fi
    # Digging soon drops the runner into the lowest corridor, out of the
    # alien's reach: every 20 s or so, while the game scene shows (the white
    # outline of the map), "Menu" and then "Restart Level" put him back.
    if ((RANDOM % 30 == 0)) && in_game; then
      xdotool mousemove 1044 814 click 1; sleep 0.5
      xdotool mousemove 640 422 click 1; sleep 0.3
    fi
  done
  alive
  minute=$((minute + 1))
  rss=$(kib VmRSS); peak=$(kib VmHWM)
  echo "minute $minute: peak RSS $(mib "$peak") MiB, RSS $(mib "$rss") MiB"
  import -window root "$art/minute-$(printf %02d "$minute").png" 2>/dev/null || true
  if ((minute == 1)); then base=$rss; fi
  if ((minute > 1 && rss - base > worst)); then worst=$((rss - base)); fi
done
echo "soak.sh: $minutes minutes played; RSS grew by $(mib "$worst") MiB at most after minute 1"
((worst <= tolerance_kib)) || { echo "soak.sh: memory grew by more than ${TOLERANCE_MIB:-2} MiB" >&2; exit 1; }
INSIDE

screen 1280x1024
bash "$work/inside.sh" "$work" "$minutes" "$art"

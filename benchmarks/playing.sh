#!/usr/bin/env bash
# What the running game costs while a level is played: starts the built game
# under a virtual X server, measures its idle main menu, then its idle level
# select (Enter), then starts a game (Enter) and walks the runner back and
# forth on the first level in smooth motion, then again in classic motion
# (a new start with motion = classic in settings.cfg), and prints side by
# side the processor share (percent of one core, user + system time) of
# each, the frames presented a second while the units move, the peak
# resident memory and the machine's load, once for each virtual screen size
# given (one line each). Builds nothing: run scripts/build.sh first.
# Usage: benchmarks/playing.sh [game folder (default build/bin)] [seconds (default 10)]
#        [WIDTHxHEIGHT... (default 1280x1024)]
# DIGMAZE_ARGS, when set, is passed to the game (DIGMAZE_ARGS="--scale off").
set -euo pipefail
cd "$(dirname "$0")/.."

source benchmarks/common.bash playing.sh "$@"

# The runner walks right and left on the first level for the measured seconds.
walk() {
  local end=$((SECONDS + seconds))
  while ((SECONDS < end)); do
    xdotool key Right; sleep 1
    xdotool key Left; sleep 1
  done
}

# The count of frames presented so far and when (ms), from the last line the
# game printed (DIGMAZE_FRAME_STATS).
export DIGMAZE_FRAME_STATS=1
frames_now() { grep 'frames presented' "$work/stderr" | tail -n 1 | awk '{print $2, $6}'; }
# play MOTION: the first level played in that motion while the runner walks;
# prints the processor share and the frames presented a second.
play() {
  local before after cpu
  before="$(frames_now)"
  cpu="$(measure walk)"
  sleep 0.3  # the game prints its count at most every 200 ms
  after="$(frames_now)"
  awk -v cpu="$cpu" -v b="$before" -v a="$after" 'BEGIN { split(b, x); split(a, y)
    printf "%s %% of one core, %.1f frames a second", cpu, (y[1] - x[1]) * 1000 / (y[2] - x[2]) }'
}

for size in "${sizes[@]}"; do
  fresh_game
  screen "$size"
  # shellcheck disable=SC2086  # DIGMAZE_ARGS holds several words
  start_game ${DIGMAZE_ARGS:-}
  sleep 3
  menu="$(measure sleep "$seconds")"
  xdotool key Return
  sleep 1
  levels="$(measure sleep "$seconds")"
  xdotool key Return
  sleep 1
  smooth="$(play)"
  rss="$(peak_rss)"
  stop_game
  printf '[play]\nmotion = classic\n' >"$game/settings.cfg"
  # shellcheck disable=SC2086
  start_game ${DIGMAZE_ARGS:-}
  sleep 3
  xdotool key Return; sleep 1; xdotool key Return; sleep 1
  classic="$(play)"
  stop_game
  rm -f "$game/settings.cfg"
  echo "$size main menu idle: CPU $menu %, level select idle: $levels %;" \
    "playing smooth: $smooth; classic: $classic; peak RSS $rss MiB (load $(awk '{print $1}' /proc/loadavg))"
done

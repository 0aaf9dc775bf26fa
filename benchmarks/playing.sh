#!/usr/bin/env bash
# What the running game costs while a level is played: starts the built game
# under a virtual X server, measures its idle main menu, then its idle level
# select (Enter), then starts a game (Enter) and walks the runner back and
# forth on the first level, and prints the processor share (percent of one
# core, user + system time) of the three and
# the peak resident memory, once for each virtual screen size given (one line
# each). Builds nothing: run scripts/build.sh first.
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
  playing="$(measure walk)"
  echo "$size main menu idle: CPU $menu %, level select idle: $levels %, playing: $playing % of one core; peak RSS $(peak_rss) MiB"
  stop_game
done

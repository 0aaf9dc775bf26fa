#!/usr/bin/env bash
# What the running game costs while it shows a still picture: starts the built
# game under a virtual X server, lets it sit on its start scene, and prints its
# processor share (percent of one core, user + system time over the interval)
# and its peak resident memory, once for each virtual screen size given (one
# line each). Builds nothing: run scripts/build.sh first.
# Usage: benchmarks/idle.sh [game folder (default build/bin)] [seconds (default 10)]
#        [WIDTHxHEIGHT... (default 1280x1024)]
# DIGMAZE_ARGS, when set, is passed to the game (DIGMAZE_ARGS="--scale off").
set -euo pipefail
cd "$(dirname "$0")/.."

source benchmarks/common.bash idle.sh "$@"

for size in "${sizes[@]}"; do
  fresh_game
  screen "$size"
  # shellcheck disable=SC2086  # DIGMAZE_ARGS holds several words
  start_game ${DIGMAZE_ARGS:-}
  # Let start-up (building the drives on the first launch, loading the picture)
  # settle before measuring.
  sleep 3
  kill -0 "$pid" 2>/dev/null || { echo "idle.sh: the game ended early: $(cat "$work/stderr")" >&2; exit 1; }
  cpu="$(measure sleep "$seconds")"
  echo "$size idle for $seconds s: CPU $cpu % of one core, peak RSS $(peak_rss) MiB"
  stop_game
done

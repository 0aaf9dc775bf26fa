#!/usr/bin/env bash
# What the music costs: starts the built game under a virtual X server twice
# on its idle main menu, first without its music folder (no music; the game
# says so once in its error log) and then as shipped, with the menu's theme
# streaming, and prints for each the processor share (percent of one core,
# user + system time over the interval), the resident memory at the end and
# at its peak, and what the audio thread met (the buffers it filled, those it
# was asked for late, and those in which the music was not ready: underruns),
# once for each virtual screen size given. Builds nothing: run
# scripts/build.sh first. A run of 600 seconds is the ten-minute check.
# Usage: benchmarks/music.sh [game folder (default build/bin)] [seconds (default 10)]
#        [WIDTHxHEIGHT... (default 1280x1024)]
# DIGMAZE_ARGS, when set, is passed to the game (DIGMAZE_ARGS="--scale off").
set -euo pipefail
cd "$(dirname "$0")/.."

source benchmarks/common.bash music.sh "$@"

rss() { awk '/^VmRSS:/ {printf "%.1f", $2 / 1024}' "/proc/$pid/status"; }  # MiB

for size in "${sizes[@]}"; do
  for music in off on; do
    fresh_game
    [ "$music" = on ] || rm -rf "$game/music"
    screen "$size"
    # shellcheck disable=SC2086  # DIGMAZE_ARGS holds several words
    DIGMAZE_AUDIO_STATS=1 start_game ${DIGMAZE_ARGS:-}
    sleep 3
    kill -0 "$pid" 2>/dev/null || { echo "music.sh: the game ended early: $(cat "$work/stderr")" >&2; exit 1; }
    cpu="$(measure sleep "$seconds")"
    memory="RSS $(rss) MiB (peak $(peak_rss) MiB)"
    stop_game
    audio="$(sed -n 's/^.*audio: //p' "$work/stderr")"
    echo "$size main menu, music $music, $seconds s: CPU $cpu % of one core, $memory; audio: ${audio:-no report}"
  done
done

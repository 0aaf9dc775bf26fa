#!/usr/bin/env bash
# What the running game costs while a level is played: starts the built game
# under a virtual X server, measures its idle main menu, then starts a game
# (Enter) and walks the runner back and forth on the first level, and prints
# the processor share (percent of one core, user + system time) of both and
# the peak resident memory, once for each virtual screen size given (one line
# each). Builds nothing: run scripts/build.sh first.
# Usage: benchmarks/playing.sh [game folder (default build/bin)] [seconds (default 10)]
#        [WIDTHxHEIGHT... (default 1280x1024)]
# DIGMAZE_ARGS, when set, is passed to the game (DIGMAZE_ARGS="--scale off").
set -euo pipefail
cd "$(dirname "$0")/.."

source benchmarks/common.bash playing.sh "$@"

cat > "$work/inside.sh" <<'INSIDE'
set -euo pipefail
work="$1"; game_args="${4:-}"
seconds="$2"
size="$3"
cd "$work/game"
SDL_AUDIODRIVER=dummy ./digmaze $game_args 2>"$work/stderr" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT
cpu_ticks() { sed 's/.*) //' "/proc/$pid/stat" | awk '{print $12 + $13}'; }
hz="$(getconf CLK_TCK)"
share() { awk -v t="$1" -v hz="$hz" -v s="$seconds" 'BEGIN { printf "%.1f", 100 * t / hz / s }'; }

sleep 3
before="$(cpu_ticks)"
sleep "$seconds"
menu="$(share $(( $(cpu_ticks) - before )))"

xdotool key Return
sleep 1
before="$(cpu_ticks)"
end=$(( $(date +%s) + seconds ))
while [ "$(date +%s)" -lt "$end" ]; do
  xdotool key Right; sleep 1
  xdotool key Left; sleep 1
done
playing="$(share $(( $(cpu_ticks) - before )))"
rss="$(awk '/VmHWM/ {printf "%.1f", $2 / 1024}' "/proc/$pid/status")"
echo "$size main menu idle: CPU $menu % of one core; playing: CPU $playing % of one core; peak RSS $rss MiB"
INSIDE

for size in "${sizes[@]}"; do
  fresh_game
  screen "$size"
  bash "$work/inside.sh" "$work" "$seconds" "$size" "${DIGMAZE_ARGS:-}"
done

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

cat > "$work/inside.sh" <<'INSIDE'
set -euo pipefail
work="$1"; game_args="${4:-}"
seconds="$2"
size="$3"
cd "$work/game"
SDL_AUDIODRIVER=dummy ./digmaze $game_args 2>"$work/stderr" &
pid=$!
# Clock ticks of user + system time the process has used so far. The command
# name in field 2 may hold spaces, so the fields are counted after its ")".
cpu_ticks() { sed 's/.*) //' "/proc/$pid/stat" | awk '{print $12 + $13}'; }

# Let start-up (building the drives on the first launch, loading the picture)
# settle before measuring.
sleep 3
kill -0 "$pid" 2>/dev/null || { echo "idle.sh: the game ended early: $(cat "$work/stderr")" >&2; exit 1; }
start_ticks="$(cpu_ticks)"
start_ns="$(date +%s%N)"
sleep "$seconds"
end_ticks="$(cpu_ticks)"
end_ns="$(date +%s%N)"
peak_kb="$(awk '/^VmHWM:/ {print $2}' "/proc/$pid/status")"
kill -TERM "$pid"
wait "$pid" || true

hz="$(getconf CLK_TCK)"
awk -v t="$((end_ticks - start_ticks))" -v hz="$hz" -v ns="$((end_ns - start_ns))" \
    -v kb="$peak_kb" -v s="$seconds" -v size="$size" 'BEGIN {
  printf "%s idle for %d s: CPU %.1f %% of one core, peak RSS %.1f MiB\n",
         size, s, 100 * (t / hz) / (ns / 1e9), kb / 1024
}'
INSIDE

for size in "${sizes[@]}"; do
  fresh_game
  screen "$size"
  bash "$work/inside.sh" "$work" "$seconds" "$size" "${DIGMAZE_ARGS:-}"
done

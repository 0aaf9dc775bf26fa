# Shared by the benchmark scripts: the game folder to measure, the seconds to
# measure for, the virtual screens to measure on, and a scratch copy of the
# game folder to run (tests/e2e/helpers.bash), since the game writes its
# markers, drives and settings into its folder. Sets game_dir, seconds, sizes
# (an array of WIDTHxHEIGHT, 1280x1024 when none is given) and work; removes
# work on exit. fresh_game makes the scratch copy anew, so every screen starts
# from the same state; screen WIDTHxHEIGHT starts a virtual X server;
# start_game starts the copy, measure and peak_rss read what it costs.
# Usage (after set -euo pipefail):
#   source benchmarks/common.bash NAME [game folder] [seconds] [WIDTHxHEIGHT...]
bench_name="$1"
game_dir="$(cd "${2:-build/bin}" && pwd)"
seconds="${3:-10}"
sizes=("${@:4}")
((${#sizes[@]})) || sizes=(1280x1024)
for size in "${sizes[@]}"; do
  [[ $size =~ ^[1-9][0-9]*x[1-9][0-9]*$ ]] || { echo "$bench_name: bad screen size '$size'" >&2; exit 2; }
done
[ -x "$game_dir/digmaze" ] || { echo "$bench_name: no digmaze in $game_dir" >&2; exit 1; }

me=$bench_name
source tests/e2e/helpers.bash
scratch "" "$game_dir"

# Clock ticks of user + system time the game has used so far. The command
# name in field 2 may hold spaces, so the fields are counted after its ")".
cpu_ticks() { sed 's/.*) //' "/proc/$pid/stat" | awk '{print $12 + $13}'; }
# measure COMMAND...: runs it and prints the game's share of one core meanwhile
# (percent, user + system time over the time it ran).
measure() {
  local ticks ns
  ticks="$(cpu_ticks)"; ns="$(date +%s%N)"
  "$@"
  awk -v t="$(($(cpu_ticks) - ticks))" -v hz="$(getconf CLK_TCK)" -v ns="$(($(date +%s%N) - ns))" \
    'BEGIN { printf "%.1f", 100 * t / hz / (ns / 1e9) }'
}
peak_rss() { awk '/^VmHWM:/ {printf "%.1f", $2 / 1024}' "/proc/$pid/status"; }  # MiB

# Shared by the benchmark scripts: the game folder to measure, the seconds to
# measure for, the virtual screens to measure on, and a scratch copy of the
# game folder to run, since the game writes its markers, drives and settings
# into its folder. Sets game_dir, seconds, sizes (an array of WIDTHxHEIGHT,
# 1280x1024 when none is given) and work; removes work on exit. fresh_copy
# makes the scratch copy anew, so every screen starts from the same state.
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

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fresh_copy() {
  rm -rf "$work/game" "$work/home"
  cp -r "$game_dir/." "$work/game"
  rm -f "$work/game"/settings.cfg "$work/game/nofirst.ctl"
  mkdir -p "$work/home"
}
# The per-user folder (the player's maps) stays in the scratch folder too.
export HOME="$work/home" XDG_DATA_HOME="$work/home/data"

# Shared by the benchmark scripts: the game folder to measure, and a scratch
# copy of it to run, since the game writes its markers and drives into its
# folder. Sets game_dir, seconds and work; removes work on exit.
# Usage (after set -euo pipefail): source benchmarks/common.bash NAME [game folder] [seconds]
bench_name="$1"
game_dir="$(cd "${2:-build/bin}" && pwd)"
seconds="${3:-10}"
[ -x "$game_dir/digmaze" ] || { echo "$bench_name: no digmaze in $game_dir" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp -r "$game_dir/." "$work/game"
# The per-user folder (the player's maps) stays in the scratch folder too.
export HOME="$work/home" XDG_DATA_HOME="$work/home/data"

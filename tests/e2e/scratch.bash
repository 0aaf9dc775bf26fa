# Shared set-up of the end-to-end scripts that run the game itself: the game
# keeps its per-user data (saved games, snapshots, markers) in its own folder
# when it can write there, so it runs from a fresh copy in a scratch folder,
# and the player's folder (HOME, XDG_DATA_HOME) is kept in there too. Sets
# game_dir, art (the screenshots' folder <build>/e2e/NAME, emptied), here and
# work (removed on exit).
# Usage (after set -euo pipefail): source "$(dirname "$0")/scratch.bash" NAME GAME_FOLDER
game_dir="$(cd "${2:?usage: $1.sh <game folder>}" && pwd)"
art="$(cd "$game_dir/.." && pwd)/e2e/$1"
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

cp -r "$game_dir/." "$work/game"
rm -rf "$work/game/Save" "$work/game"/*.tga "$work/game"/*.und "$work/game/nofirst.ctl"
mkdir -p "$work/home"
export HOME="$work/home" XDG_DATA_HOME="$work/home/data"
rm -rf "$art"
mkdir -p "$art"

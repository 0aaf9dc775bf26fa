#!/usr/bin/env bash
# Prints the campaign's level table in Markdown: per level of levels.txt the
# treasures and aliens of its map, the digs (Space presses) and the length of
# its replay in tools/levels/replays at the game's 20 ticks a second, and its
# design note. Usage: tools/levels/table.sh [LEVELS_TXT [REPLAYS_DIR]]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
src="${1:-$here/levels.txt}"
replays="${2:-$here/replays}"

echo "| Level | Treasures | Aliens | Digs | Replay (s) | Note |"
echo "|---|---|---|---|---|---|"
awk '
  /^# NOTE / { note = substr($0, 8); next }
  /^level / { name = $2; rows = 0; t = 0; a = 0; next }
  name != "" && rows < 20 {
    rows++
    t += gsub(/\$/, "$"); a += gsub(/A/, "A")
    if (rows == 20) { print name "\t" t "\t" a "\t" note; name = ""; note = "" }
  }' "$src" |
  while IFS=$'\t' read -r name treasures aliens note; do
    replay="$replays/${name%.dmm}.txt"
    digs=$(grep -c ' down Space$' "$replay" || true)
    end=$(sed -n 's/^# end T \([0-9]*\) .*/\1/p' "$replay")
    seconds=$(awk -v t="$end" 'BEGIN { printf "%.1f", (t + 1) / 20 }')
    echo "| ${name%.dmm} | $treasures | $aliens | $digs | $seconds | $note |"
  done

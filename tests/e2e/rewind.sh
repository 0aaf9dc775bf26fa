#!/usr/bin/env bash
# Play taken back in the real game (xdotool, virtual X server): the runner
# walks right for two seconds, Backspace is held for one second, and the
# runner's picture then stands at least a square left of where it was when
# the key went down; while the key is held the map's outline and the sign in
# its corner show the rewind's amber, and let go, the level waits for a key.
# Usage: tests/e2e/rewind.sh <game folder> (screenshots: <build>/e2e/rewind)
set -euo pipefail
source "$(dirname "$0")/helpers.bash"
scratch rewind "${1:-}"
screen 1280x1024

# The left edge of the runner's face (its skin colour, which nothing else on
# the first level shows) in picture pixels, in face_x.
face() {
  local box; box=$(convert "$pic" -fuzz 3% -fill black +opaque '#F2B48A' -format '%@' info: 2>/dev/null)
  [[ $box =~ ^[0-9]+x[0-9]+\+([0-9]+)\+([0-9]+)$ ]] || { why="no runner on the screen ($box)"; return 1; }
  face_x=${BASH_REMATCH[1]}
}
rewinding() {
  all_near ffb020 "${OUTLINE[@]}" || { why="the outline is not the rewind's amber"; return 1; }
  all_near ffb020 979,30 || { why="no rewind sign in the map's corner"; return 1; }
}

start_game --scale off; T=30 go menu is_main_menu
go level is_waiting Return Return
face; start_x=$face_x
xdotool keydown Right; sleep 2; xdotool keyup Right
shot && face && keep; walked_x=$face_x
((walked_x >= start_x + 64)) || fail "two seconds to the right took the runner from $start_x to $walked_x only"
xdotool keydown BackSpace
sleep 0.4; step=$((step + 1)); name=held
shot && keep && rewinding || { xdotool keyup BackSpace; fail "$why"; }
sleep 0.6; xdotool keyup BackSpace
go let-go is_waiting
face
((face_x <= walked_x - 32)) || fail "the runner stands at $face_x, not a square left of $walked_x"
go plays-again "none_near ffb020 ${OUTLINE[*]}" Right
echo "rewind.sh: a second of Backspace took the runner from $walked_x back to $face_x, and the level waited"

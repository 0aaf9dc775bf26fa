#!/usr/bin/env bash
# The demonstration under a virtual X server: "Demonstration Game" in the
# main menu plays the first replayed level, whose runner moves with no input
# at all (the square it is on changes between two screenshots), and a key
# brings the main menu back. The screenshots of the last run stay in
# <build>/e2e/demo.
# Usage: tests/e2e/demo.sh <game folder>
set -euo pipefail

source "$(dirname "$0")/scratch.bash" demo "${1:-}"

cat > "$work/inside.sh" <<'INSIDE'
set -euo pipefail
me=demo.sh; work="$1"; art="$2"
source "$3"

# The first replay's map: the runner's row, and which squares of it are empty.
first=$(find "$game/demo" -name '*.txt' -printf '%f\n' | sort | head -n 1)
mapfile -t cells < <(cells_of "$game/Maps/${first%.txt}.dmm" 20 | awk '{print $1}')
start=-1
for i in "${!cells[@]}"; do [ "${cells[i]}" = 7 ] && { start=$i; break; }; done
((start >= 0)) || fail "the map of $first has no runner"
row=$((start / 30))
# Where the runner is: the first square of its row that is empty in the map
# but not black on the screen (each square of the row averaged to a pixel).
runner_at() {
  local x v
  at=-1
  while read -r x v; do
    [ "${cells[row * 30 + x]}" = 0 ] && ((v > 0)) && { at=$x; return 0; }
  done < <(convert "$pic" -crop 960x32+32+$((10 + 32 * row)) +repage -scale '30x1!' \
    -colorspace gray -depth 8 txt:- | awk -F'[,: ()]+' 'NR > 1 { print $1, $3 }')
  why="no runner in row $row"
  return 1
}
outline=(31,9 992,9 31,650 992,650)
is_level() { all_near ffffff "${outline[@]}" || { why="no map outline"; return 1; }; runner_at; }
moved() { is_level && ((at != was)) || { why="the runner stays on square $at of row $row"; return 1; }; }

cd "$game"
SDL_AUDIODRIVER=dummy ./digmaze --scale off 2>"$work/stderr" &
pid=$!

begin menu
wait_for is_main_menu 30

begin demo
click 512 311  # "Demonstration Game"
wait_for is_level
was=$at

begin moves
wait_for moved 10
echo "demo.sh: the runner went from square $was to square $at of row $row on its own"

begin back
xdotool key x
wait_for is_main_menu 5
INSIDE

xvfb-run -a -s "-screen 0 1280x1024x24" bash "$work/inside.sh" "$work" "$art" "$here/helpers.bash"
echo "demo.sh: the demonstration played by itself and a key brought the main menu back"

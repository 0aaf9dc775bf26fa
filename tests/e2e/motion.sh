#!/usr/bin/env bash
# A walking runner as the screen shows it, 1:1 at 1280 x 1024 on a map whose
# runner walks a long empty row: sampled from the screen every few
# milliseconds while it walks right, in smooth motion (the default) it moves
# in steps of at most 2 pixels (a frame drawn late on a loaded machine may
# make one step in twenty longer) and stands at 40 or more places a second; in
# classic motion (settings.cfg) every step is 4 pixels. Screenshots:
# <build>/e2e/motion.
# Usage: tests/e2e/motion.sh <game folder>
set -euo pipefail
source "$(dirname "$0")/helpers.bash"
scratch motion "${1:-}"
screen 1280x1024

# One map: a floor along the bottom row, the runner on it at the left and
# nothing else in its row (no treasure: the exit shows in the top-left square).
walk_map() {
  perl -e 'print pack("l<5", 0, 30, 20, 0, 0);
    for my $i (0 .. 599) { print pack("l<2", $i >= 570 ? 2 : $i == 541 ? 7 : 0, 0) }' >"$1"
}

# Samples the screen row through the runner's head (row 6 of its sprite,
# whose first lit pixel is column 12 in every frame of the walk) for SECONDS
# and prints, one per line, the times (ms) and the runner's x (map pixels)
# whenever it changed.
cat >"$work/sample.py" <<'SAMPLE'
import sys, time
sys.path.insert(0, sys.argv[5])
from xscreen import Screen
screen = Screen()
left, y, width, seconds = (int(a) for a in sys.argv[1:5])
start = time.monotonic()
last = None
while time.monotonic() - start < seconds:
    pixels = screen.row(left, y, width)
    lit = next((x for x in range(32, width) if pixels and pixels[x] != pixels[-1]), None)
    if lit is not None and lit - 12 != last:
        last = lit - 12
        print(int((time.monotonic() - start) * 1000), last, flush=True)
SAMPLE

rm -rf "$game/Maps"; mkdir -p "$game/Maps"
walk_map "$game/Maps/walk.dmm"
index_of walk.dmm >"$game/Maps/index.dml"

# walks MOTION: the level started with the motion given, the runner walking
# right from the level's first key; the samples in $work/MOTION.txt.
walks() {
  printf '[play]\nmotion = %s\n' "$1" >"$game/settings.cfg"
  start_game --scale off
  T=30 go "menu-$1" is_main_menu
  go "level-$1" is_waiting Return Return
  # The map's left edge is at (128 + 32, 128 + 10); row 18 holds the runner.
  python3 "$work/sample.py" 160 $((138 + 18 * 32 + 6)) 960 4 "$here" >"$work/$1.txt" &
  local sampler=$!
  sleep 0.3
  xdotool key Right
  wait "$sampler"
  shot; keep
  stop_game
  [ "$(wc -l <"$work/$1.txt")" -ge 10 ] || fail "the runner was not seen walking ($(wc -l <"$work/$1.txt") places)"
}
# The steps between the places seen while walking (the standing runner's
# picture, the first place seen, has its head elsewhere), and the places seen
# a second.
moves() { awk 'NR > 2 { print $2 - x } { x = $2 }' "$work/$1.txt"; }
steps() { moves "$1" | sort -n | uniq -c | tr -s ' \n' ' '; }
rate() { awk 'NR == 2 { t = $1 } NR > 2 { n++; end = $1 } END { printf "%d", n * 1000 / (end - t) }' "$work/$1.txt"; }

walks smooth
name="smooth steps"
# A frame the loaded machine drew late makes a longer step now and then: at
# most one step in twenty may be longer than 2 pixels, and none goes back.
long="$(moves smooth | awk '$1 < 1 { bad = 1 } $1 > 2 { n++ } END { print bad ? 999999 : n * 20 }')"
((long <= $(moves smooth | wc -l))) || fail "smooth steps longer than 2 pixels: $(steps smooth)"
(($(rate smooth) >= 40)) || fail "only $(rate smooth) places a second: $(steps smooth)"
echo "motion.sh: smooth: $(rate smooth) places a second, steps (count pixels): $(steps smooth)"

walks classic
name="classic steps"
[ "$(moves classic | sort -u)" = 4 ] ||
  fail "classic steps are not all 4 pixels: $(steps classic)"
echo "motion.sh: classic: $(rate classic) places a second, steps (count pixels): $(steps classic)"
echo "motion.sh: screenshots in $art"

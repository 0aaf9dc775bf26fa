#!/usr/bin/env bash
# How long the game takes from its start to its first picture on screen, on a
# warm start (the resource drives already built, as on every launch after the
# first), beside an empty SDL window (build/benchmarks/empty_window: SDL's
# video started, a full-screen window filled and shown) as the least any SDL
# program takes: starts each under a virtual X server with a black root
# window, in turns, polls the screen every few milliseconds for the first
# non-black pixel, and prints each one's times, their medians and the game's
# median as a multiple of the empty window's.
# Builds nothing: run scripts/build.sh first.
# Usage: benchmarks/startup.sh [game folder (default build/bin)] [runs (default 7)]
set -euo pipefail
cd "$(dirname "$0")/.."

source benchmarks/common.bash startup.sh "${1:-build/bin}"
runs="${2:-7}"
empty="$(cd "$game_dir/.." && pwd)/benchmarks/empty_window"
[ -x "$empty" ] || { echo "startup.sh: no $empty (scripts/build.sh builds it)" >&2; exit 1; }

# Polls the root window through Xlib (tests/e2e/xscreen.py) from the moment
# it starts the game; the picture is centred, so a band across the middle of
# the screen lights up with the first frame.
cp tests/e2e/xscreen.py "$work/xscreen.py"
cat > "$work/poll.py" <<'POLL'
import os, subprocess, sys, time

from xscreen import Screen

screen = Screen()
width, height = screen.size()
band_w, band_h, step = width // 2, 8, 16
x0, y0 = (width - band_w) // 2, height // 2

def lit():
    return any(pixel for y in range(y0, y0 + band_h, 4)
               for pixel in screen.row(x0, y, band_w)[::step])

if lit():
    sys.exit("startup.sh: the screen is not black before the game starts")
start = time.monotonic()
game = subprocess.Popen(sys.argv[2:], stderr=open(sys.argv[1], "w"),
                        env=dict(os.environ, SDL_AUDIODRIVER="dummy"))
shown = None
while time.monotonic() - start < 15:
    if lit():
        shown = time.monotonic() - start
        break
    if game.poll() is not None:
        break
    time.sleep(0.002)
game.terminate()
game.wait()
if shown is None:
    sys.exit("startup.sh: no picture within 15 s")
print(f"{shown * 1000:.0f}")
POLL

cat > "$work/inside.sh" <<'INSIDE'
set -euo pipefail
work="$1"
runs="$2"
empty="$3"
cd "$work/game"
# The first launch builds the resource drives; the runs after it are warm.
python3 "$work/poll.py" "$work/stderr" ./digmaze >/dev/null
python3 "$work/poll.py" "$work/stderr" "$empty" >/dev/null
game=() window=()
for _ in $(seq 1 "$runs"); do
  game+=("$(python3 "$work/poll.py" "$work/stderr" ./digmaze)")
  sleep 0.5
  window+=("$(python3 "$work/poll.py" "$work/stderr" "$empty")")
  sleep 0.5
done
median() { printf '%s\n' "$@" | sort -n | awk '{ t[NR] = $1 } END { print t[int((NR + 1) / 2)] }'; }
g="$(median "${game[@]}")" e="$(median "${window[@]}")"
echo "start to first picture (warm), median of $runs runs each:"
echo "  the game:         $g ms (${game[*]} ms)"
echo "  an empty window:  $e ms (${window[*]} ms)"
awk -v g="$g" -v e="$e" 'BEGIN { printf "  the game takes %.2f times the empty window'"'"'s time\n", g / e }'
INSIDE

screen 1280x1024
bash "$work/inside.sh" "$work" "$runs" "$empty"

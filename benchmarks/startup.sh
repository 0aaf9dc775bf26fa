#!/usr/bin/env bash
# How long the game takes from its start to its first picture on screen, on a
# warm start (the resource drives already built, as on every launch after the
# first): starts the built game under a virtual X server with a black root
# window, polls the screen every few milliseconds for the first non-black pixel
# of the main menu's picture, and prints each run's time and their median.
# Builds nothing: run scripts/build.sh first.
# Usage: benchmarks/startup.sh [game folder (default build/bin)] [runs (default 7)]
set -euo pipefail
cd "$(dirname "$0")/.."

source benchmarks/common.bash startup.sh "${1:-build/bin}"
runs="${2:-7}"

# Polls the root window through Xlib (loaded with ctypes, so nothing needs to
# be installed) from the moment it starts the game; the picture is centred, so
# a band across the middle of the screen lights up with the first frame.
cat > "$work/poll.py" <<'POLL'
import ctypes, ctypes.util, os, subprocess, sys, time

xlib = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
xlib.XOpenDisplay.restype = ctypes.c_void_p
xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
xlib.XDefaultRootWindow.restype = ctypes.c_ulong
xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
xlib.XDisplayWidth.argtypes = [ctypes.c_void_p, ctypes.c_int]
xlib.XDisplayHeight.argtypes = [ctypes.c_void_p, ctypes.c_int]
xlib.XGetImage.restype = ctypes.c_void_p
xlib.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                           ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
xlib.XGetPixel.restype = ctypes.c_ulong
xlib.XGetPixel.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int]
xlib.XDestroyImage.argtypes = [ctypes.c_void_p]
xlib.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]

display = xlib.XOpenDisplay(None)
if not display:
    sys.exit("startup.sh: cannot open the display")
root = xlib.XDefaultRootWindow(display)
width, height = xlib.XDisplayWidth(display, 0), xlib.XDisplayHeight(display, 0)
band_w, band_h, step = width // 2, 8, 16
x0, y0 = (width - band_w) // 2, height // 2
ZPIXMAP, ALL_PLANES = 2, 0xFFFFFFFF

def lit():
    image = xlib.XGetImage(display, root, x0, y0, band_w, band_h, ALL_PLANES, ZPIXMAP)
    if not image:
        return False
    try:
        return any(xlib.XGetPixel(image, x, y) & 0xFFFFFF
                   for y in range(0, band_h, 4) for x in range(0, band_w, step))
    finally:
        xlib.XDestroyImage(image)

if lit():
    sys.exit("startup.sh: the screen is not black before the game starts")
start = time.monotonic()
game = subprocess.Popen(["./digmaze"], stderr=open(sys.argv[1], "w"),
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
cd "$work/game"
# The first launch builds the resource drives; the runs after it are warm.
python3 "$work/poll.py" "$work/stderr" >/dev/null
times=()
for _ in $(seq 1 "$runs"); do
  times+=("$(python3 "$work/poll.py" "$work/stderr")")
  sleep 0.5
done
printf '%s\n' "${times[@]}" | sort -n | awk -v all="${times[*]}" '
  { t[NR] = $1 }
  END { printf "start to first picture (warm): median %d ms over %d runs (%s ms)\n",
               t[int((NR + 1) / 2)], NR, all }'
INSIDE

screen 1280x1024
bash "$work/inside.sh" "$work" "$runs"

#!/usr/bin/env bash
# At 1280 x 1024 the 1024 x 768 picture is scaled (sharp, the default) to
# 1280 x 960 between black bands; Print Screen saves the picture itself; the
# game exits with code 0 on SIGTERM (closing its window); without a usable
# display it says so by its exit code.
# Usage: tests/e2e/frame.sh <game folder>
set -euo pipefail
source "$(dirname "$0")/helpers.bash"
scratch frame "${1:-}"

code=0
(cd "$game" && SDL_VIDEODRIVER=no-such-driver SDL_AUDIODRIVER=dummy ./digmaze) 2>/dev/null || code=$?
((code != 0)) || fail "a game that could not start exited with 0"

screen 1280x1024; place 1280 960; start_game
# The lit part of the screen is the picture: black (the corners' colour) all round it.
banded() { box=$(convert "$work/screen.png" -format "%@" info: 2>/dev/null); [ "$box" = 1280x960+0+32 ] || { why="the picture is at $box"; return 1; }; }
T=30 go picture banded
# Print Screen saves the back surface, the 1024 x 768 picture whatever its
# size on the screen, as the first free numbered TGA file in the data folder,
# which is the game folder here: uncompressed true colour, 32 bits, from the
# bottom left.
xdotool key Print
tga="$game/00000000.tga"
for _ in $(seq 50); do [ "$(stat -c %s "$tga" 2>/dev/null)" = $((18 + 1024 * 768 * 4)) ] && break; sleep 0.1; done
[ "$(stat -c %s "$tga" 2>/dev/null)" = $((18 + 1024 * 768 * 4)) ] || fail "no complete $tga after Print Screen"
header="$(od -An -tx1 -N18 "$tga" | tr -d ' \n')"
[ "$header" = "000002000000000000000000000400032008" ] || fail "TGA header $header"
ends_with_zero TERM
echo "frame.sh: picture scaled to the screen, screenshot saved, clean quit"

#!/usr/bin/env bash
# Plays the input probe (a test scene of two targets in the game's frame)
# under a virtual X server as a person would, with xdotool: a click and a key
# must reach the target under the cursor, in its client zone at the right
# coordinates, and the clicked target must turn red on the screen while the
# other one keeps its colour. A press under way when another window takes the
# focus is cancelled, and its release clicks nothing.
# Usage: tests/e2e/input.sh <game folder>   (the probe is built beside it)
set -euo pipefail
source "$(dirname "$0")/helpers.bash"
scratch input "${1:-}"
probe="$game_dir/../tests/e2e/digmaze-input-probe"
[ -x "$probe" ] || fail "no probe at $probe"
screen 1280x1024
SDL_AUDIODRIVER=dummy "$probe" >"$work/out" 2>"$work/stderr" &
pid=$!
said() {  # line [lines to skip]: waits for the probe to say line (after the lines skipped)
  for _ in $(seq 50); do tail -n +$((${2:-0} + 1)) "$work/out" | grep -qx "$1" && return 0; sleep 0.1; done
  fail "the probe never said '$1': $(cat "$work/out")"
}
said ready; sleep 0.5
# The probe's 1024 x 768 picture sits 1:1 in the middle of the screen, its
# targets 300 x 300 at (100, 200) and (600, 200) of the picture.
colour_is() { shot; [ "$(colours "$1")" = "$2" ] || fail "the target at $1 shows $(colours "$1"), not $2"; }
click 250,350; said "click left 150 150"
xdotool key a; said "key 30 left"; said "char 97 left"
sleep 0.3; colour_is 250,350 "255 0 0"; colour_is 750,350 "0 255 0"
click 750,300; said "click right 150 100"
xdotool key b; said "key 48 right"
! grep -q "key 48 left" "$work/out" || fail "the key reached the left target"
sleep 0.3; colour_is 750,350 "255 0 0"

# Another window takes the focus in the middle of a press; the release that
# follows clicks nothing, and with the focus back a click counts again.
said "focus back"  # the focus the window got when it opened
heard=$(wc -l <"$work/out")
point 250,350; xdotool mousedown 1
xmessage -geometry 200x40+0+0 elsewhere 2>/dev/null &
other=$!
xdotool windowfocus --sync "$(xdotool search --sync --name '^xmessage$' | head -n 1)"
said "cancel left" "$heard"; said "focus lost" "$heard"
xdotool mouseup 1
xdotool windowfocus --sync "$(xdotool search --name '^DigmazeInputProbe$' | head -n 1)"
said "focus back" "$heard"
kill "$other"
! tail -n +$((heard + 1)) "$work/out" | grep -q '^click' || fail "the release after the focus went clicked"
click 250,350; said "click left 150 150" "$heard"
echo "input.sh: clicks and keys reach the target under the cursor, and a press ends with the focus"

#!/usr/bin/env bash
# Plays the input probe (a test scene of two targets in the game's frame)
# under a virtual X server as a person would, with xdotool: a click and a key
# must reach the target under the cursor, in its client zone at the right
# coordinates, and the clicked target must turn red on the screen while the
# other one keeps its colour.
# Usage: tests/e2e/input.sh <game folder>   (the probe is built beside it)
set -euo pipefail

game_dir="$(cd "${1:?usage: input.sh <game folder>}" && pwd)"
probe="$game_dir/../tests/e2e/digmaze-input-probe"
[ -x "$probe" ] || { echo "input.sh: no probe at $probe" >&2; exit 1; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

cat > "$work/inside.sh" <<'INSIDE'
set -euo pipefail
probe="$1"; work="$2"
fail() { echo "input.sh: $*" >&2; echo "--- probe said:" >&2; cat "$work/out" >&2; exit 1; }
SDL_AUDIODRIVER=dummy "$probe" >"$work/out" 2>"$work/err" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT
for _ in $(seq 1 100); do grep -q ready "$work/out" && break; sleep 0.1; done
grep -q ready "$work/out" || fail "the probe did not start: $(cat "$work/err")"
sleep 0.5

# The probe asks for no scaling, so its 1024 x 768 picture sits 1:1 at
# (128, 128) on the 1280 x 1024 screen. The targets are at (100, 200) and
# (600, 200) of the picture, 300 x 300 each.
wait_for() {
  for _ in $(seq 1 50); do grep -qx "$1" "$work/out" && return 0; sleep 0.1; done
  fail "expected the line '$1'"
}
pixel() {  # the screen's colour at x,y as r,g,b
  import -window root "$work/shot.png"
  convert "$work/shot.png" -format "%[fx:int(255*p{$1}.r)],%[fx:int(255*p{$1}.g)],%[fx:int(255*p{$1}.b)]" info:
}

xdotool mousemove $((128 + 250)) $((128 + 350))
sleep 0.3
xdotool click 1
wait_for "click left 150 150"
xdotool key a
wait_for "key 30 left"
wait_for "char 97 left"
sleep 0.3
[ "$(pixel 378,478)" = "255,0,0" ] || fail "the clicked left target is not red: $(pixel 378,478)"
[ "$(pixel 878,478)" = "0,255,0" ] || fail "the right target changed: $(pixel 878,478)"

xdotool mousemove $((128 + 750)) $((128 + 300))
sleep 0.3
xdotool click 1
wait_for "click right 150 100"
xdotool key b
wait_for "key 48 right"
# Nothing reached the wrong target.
! grep -q "key 48 left" "$work/out" || fail "the key reached the left target"
sleep 0.3
[ "$(pixel 878,478)" = "255,0,0" ] || fail "the clicked right target is not red"
INSIDE

xvfb-run -a -s "-screen 0 1280x1024x24" bash "$work/inside.sh" "$probe" "$work"
echo "input.sh: clicks and keys reach the target under the cursor"

#!/usr/bin/env bash
# Starts the game under a virtual X server with a 1280 x 1024 screen and
# checks what a player would see: the 1024 x 768 picture scaled (sharp, the
# default) to the screen's width, 1280 x 960, with black bands above and
# below, a screenshot file of the picture itself after Print Screen, and a
# clean exit (code 0) when the game is asked to quit as closing its window
# does (SIGTERM).
# Usage: tests/e2e/frame.sh <game folder>
set -euo pipefail

game_dir="$(cd "${1:?usage: frame.sh <game folder>}" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# The game writes its data (markers, screenshots) into its own folder when it
# can, so it runs from a copy and the build stays untouched.
cp -r "$game_dir/." "$work/game"
# The per-user folder (the player's maps) stays in the scratch folder too.
export HOME="$work/home" XDG_DATA_HOME="$work/home/data"
rm -f "$work/game"/*.tga "$work/game/nofirst.ctl"

fail() { echo "frame.sh: $*" >&2; exit 1; }

# Without a usable display the game cannot start and says so by its exit code.
set +e
SDL_VIDEODRIVER=no-such-driver SDL_AUDIODRIVER=dummy "$work/game/digmaze" 2>/dev/null
code=$?
set -e
[ "$code" -ne 0 ] || fail "a game that could not start exited with 0"

cat > "$work/inside.sh" <<'INSIDE'
set -euo pipefail
work="$1"
fail() { echo "frame.sh: $*" >&2; exit 1; }
cd "$work/game"
SDL_AUDIODRIVER=dummy ./digmaze 2>"$work/stderr" &
pid=$!

# Wait for the picture (at most 15 s).
geometry=""
for _ in $(seq 1 150); do
  if import -window root "$work/shot.png" 2>/dev/null; then
    geometry="$(convert "$work/shot.png" -format '%@' info: 2>/dev/null || true)"
    [ "$geometry" = "1280x960+0+32" ] && break
  fi
  kill -0 "$pid" 2>/dev/null || fail "the game ended early: $(cat "$work/stderr")"
  sleep 0.1
done
[ "$geometry" = "1280x960+0+32" ] ||
  fail "picture at '$geometry', expected 1280x960+0+32 (black bands above and below)"
# Above and below the picture the screen is black; the picture's corners are lit.
is_black() {
  convert "$work/shot.png" -format "%[fx:p{$1}.r+p{$1}.g+p{$1}.b==0]" info:
}
for spot in 0,0 1279,31 0,992 1279,1023; do
  [ "$(is_black "$spot")" = 1 ] || fail "pixel $spot is not black"
done
for spot in 0,32 1279,991; do
  [ "$(is_black "$spot")" = 0 ] || fail "pixel $spot of the picture is black"
done

# Print Screen saves the back surface, the 1024 x 768 picture whatever its
# size on the screen, as the first free numbered TGA file in the data folder,
# which is the game folder here.
xdotool key Print
for _ in $(seq 1 50); do
  [ -s 00000000.tga ] && [ "$(stat -c %s 00000000.tga)" -eq $((18 + 1024 * 768 * 4)) ] && break
  sleep 0.1
done
[ "$(stat -c %s 00000000.tga 2>/dev/null || echo 0)" -eq $((18 + 1024 * 768 * 4)) ] ||
  fail "no complete 00000000.tga after Print Screen"
# Header: uncompressed true colour, 1024 x 768, 32 bits, bottom-left origin.
header="$(od -An -tx1 -N18 00000000.tga | tr -d ' \n')"
[ "$header" = "000002000000000000000000000400032008" ] || fail "TGA header $header"

kill -TERM "$pid"
for _ in $(seq 1 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
  kill -KILL "$pid"
  fail "the game did not quit after SIGTERM"
fi
set +e
wait "$pid"
code=$?
set -e
[ "$code" -eq 0 ] || fail "exit code $code after SIGTERM"
INSIDE

xvfb-run -a -s "-screen 0 1280x1024x24" bash "$work/inside.sh" "$work"
echo "frame.sh: picture scaled to the screen, screenshot saved, clean quit"

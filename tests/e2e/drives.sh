#!/usr/bin/env bash
# Starts the real game headless in a fresh copy of a game folder and checks
# the resource drives: the first launch builds "image" and "sound" (table and
# data files) from the folder's vdd/image and vdd/sound, holding every cluster
# of their files and nothing more; the next start mounts them without writing
# them; both starts end cleanly (code 0) when asked to quit (SIGTERM).
# Usage: tests/e2e/drives.sh <game folder>
set -euo pipefail

game_dir="$(cd "${1:?usage: drives.sh <game folder>}" && pwd)"
work="$(mktemp -d)"
pid=""
cleanup() {
  [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "drives.sh: $*" >&2; exit 1; }

cp -r "$game_dir/." "$work/game"
# The per-user folder (the player's maps) stays in the scratch folder too.
export HOME="$work/home" XDG_DATA_HOME="$work/home/data"
rm -f "$work/game"/*.vdt "$work/game"/*.vdd "$work/game"/*.build "$work/game/nofirst.ctl"
cd "$work/game"

# Runs the game until it holds both drive data files open (they stay open
# while mounted), then asks it to quit.
run_game() {
  SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy ./digmaze 2>"$work/stderr" &
  pid=$!
  local mounted=""
  for _ in $(seq 1 300); do
    kill -0 "$pid" 2>/dev/null || fail "the game ended early: $(cat "$work/stderr")"
    mounted="$(ls -l "/proc/$pid/fd" 2>/dev/null | grep -c -e '/image\.vdd$' -e '/sound\.vdd$' || true)"
    [ "$mounted" -ge 2 ] && break
    sleep 0.1
  done
  [ "$mounted" -ge 2 ] || fail "the game did not mount both drives within 30 s"
  kill -TERM "$pid"
  local code=0
  wait "$pid" || code=$?
  pid=""
  [ "$code" -eq 0 ] || fail "exit code $code after SIGTERM"
}

hex() { od -An -tx1 -j "${2:-0}" -N "${3:-4}" "$1" | tr -d ' \n'; }

run_game
for drive in image sound; do
  [ -s "$drive.vdt" ] || fail "no $drive.vdt after the first launch"
  [ -s "$drive.vdd" ] || fail "no $drive.vdd after the first launch"
  [ "$(hex "$drive.vdt")" = d9e79a6f ] || fail "$drive.vdt signature $(hex "$drive.vdt")"
  [ "$(hex "$drive.vdt" 4)" = 00100000 ] || fail "$drive.vdt cluster size $(hex "$drive.vdt" 4)"
  [ "$(hex "$drive.vdd")" = 4cab84f9 ] || fail "$drive.vdd signature $(hex "$drive.vdd")"
  # Every file starts a cluster of its own; the shuffle leaves exactly the
  # files' clusters behind the signature.
  clusters=0
  for f in "vdd/$drive"/*; do
    clusters=$((clusters + ($(stat -c %s "$f") + 4095) / 4096))
  done
  [ "$(stat -c %s "$drive.vdd")" -eq $((4 + clusters * 4096)) ] ||
    fail "$drive.vdd holds $(stat -c %s "$drive.vdd") bytes, expected $((4 + clusters * 4096))"
  [ ! -e "$drive.vdt.build" ] && [ ! -e "$drive.vdd.build" ] || fail "build files of $drive left"
done

# The second start mounts what is there and writes nothing.
touch -d '2001-01-01 00:00:00' image.vdt image.vdd sound.vdt sound.vdd
before="$(stat -c '%n %s %Y' image.vdt image.vdd sound.vdt sound.vdd)"
run_game
after="$(stat -c '%n %s %Y' image.vdt image.vdd sound.vdt sound.vdd)"
[ "$before" = "$after" ] || fail "the second start changed the drives: $before -> $after"

echo "drives.sh: first launch built both drives, the second start mounted them untouched"

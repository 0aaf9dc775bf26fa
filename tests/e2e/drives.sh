#!/usr/bin/env bash
# The first headless launch of a fresh game folder builds the "image" and
# "sound" drives from vdd/, holding every cluster of their files and nothing
# more; the next start mounts them unwritten; both end with code 0 on SIGTERM.
# Usage: tests/e2e/drives.sh <game folder>
set -euo pipefail
source "$(dirname "$0")/helpers.bash"
scratch drives "${1:-}"
fresh_game drives; cd "$game"

run_game() {  # until it holds both drive data files open (as while mounted), then asked to quit
  SDL_VIDEODRIVER=dummy start_game
  for _ in $(seq 300); do
    kill -0 "$pid" 2>/dev/null || fail "the game ended early"
    (($(ls -l "/proc/$pid/fd" 2>/dev/null | grep -c -e '/image\.vdd$' -e '/sound\.vdd$') >= 2)) && break
    sleep 0.1
  done
  (($(ls -l "/proc/$pid/fd" | grep -c -e '/image\.vdd$' -e '/sound\.vdd$') >= 2)) || fail "the game did not mount both drives"
  ends_with_zero TERM
}
hex() { od -An -tx1 -j "${2:-0}" -N 4 "$1" | tr -d ' \n'; }

run_game
for drive in image sound; do
  [ "$(hex "$drive.vdt") $(hex "$drive.vdt" 4) $(hex "$drive.vdd")" = "d9e79a6f 00100000 4cab84f9" ] ||
    fail "$drive.vdt or .vdd: signatures and cluster size $(hex "$drive.vdt") $(hex "$drive.vdt" 4) $(hex "$drive.vdd")"
  # Every file starts a cluster of its own; the shuffle leaves exactly the
  # files' clusters behind the signature.
  clusters=0
  for f in "vdd/$drive"/*; do clusters=$((clusters + ($(stat -c %s "$f") + 4095) / 4096)); done
  [ "$(stat -c %s "$drive.vdd")" -eq $((4 + clusters * 4096)) ] ||
    fail "$drive.vdd holds $(stat -c %s "$drive.vdd") bytes, expected $((4 + clusters * 4096))"
  [ ! -e "$drive.vdt.build" ] && [ ! -e "$drive.vdd.build" ] || fail "build files of $drive left"
done

# The second start mounts what is there and writes nothing.
touch -d '2001-01-01 00:00:00' image.vdt image.vdd sound.vdt sound.vdd
before="$(stat -c '%n %s %Y' image.vdt image.vdd sound.vdt sound.vdd)"
run_game
[ "$before" = "$(stat -c '%n %s %Y' image.vdt image.vdd sound.vdt sound.vdd)" ] || fail "the second start changed the drives"
echo "drives.sh: first launch built both drives, the second start mounted them untouched"

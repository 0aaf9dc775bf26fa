#!/usr/bin/env bash
# The music as SDL's disk audio driver records it while a player uses the
# game by the keyboard: the main menu's theme is heard, M silences it and
# brings it back, a level has music too, and a music volume of 0 is silence.
# Without its music folder the game stays silent, says once in its error log
# which piece is missing, however often a scene asks for it, and plays on.
# Screenshots: <build>/e2e/music.
# Usage: tests/e2e/music.sh <game folder>
set -euo pipefail
source "$(dirname "$0")/helpers.bash"
scratch music "${1:-}"
screen 1280x1024

out="$work/audio.raw"
start_heard() {  # the game's copy started, writing what it plays into $out
  rm -f "$out"
  (cd "$game" && SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$out" exec ./digmaze --scale off) \
    2>"$work/stderr" &
  pid=$!
}
# The largest magnitude in the last half second the game played (float
# stereo at 44100 Hz), after letting more than half a second go by.
loudest() {
  sleep 0.7
  tail -c $((22050 * 8)) "$out" | od -An -v -tf4 |
    awk '{ for (i = 1; i <= NF; i++) { v = $i < 0 ? -$i : $i; if (v > m) m = v } } END { printf "%.4f", m + 0 }'
}
heard() { loud=$(loudest); awk -v l="$loud" 'BEGIN { exit !(l > 0.01) }' || fail "silent: $1"; }
silent() { loud=$(loudest); [ "$loud" = 0.0000 ] || fail "not silent (up to $loud): $1"; }

start_heard
T=30 go menu is_main_menu
heard "the main menu's theme"
xdotool key m
silent "M switches the sound off"
xdotool key m
heard "M switches it on again"
go level is_playing Return Return
heard "a level's theme"
stop_game
! grep -q music "$game/error.log" 2>/dev/null || fail "the error log speaks of music: $(cat "$game/error.log")"
echo "music.sh: the main menu and a level are heard; M silences them"

fresh_game
printf '[sound]\r\nmusic-volume = 0\r\n' >"$game/settings.cfg"
start_heard
T=30 go menu-music-off is_main_menu
silent "the main menu with the music's volume at 0"
stop_game
echo "music.sh: at a music volume of 0 the main menu is silent"

fresh_game
rm -rf "$game/music"
start_heard
T=30 go menu-without-music is_main_menu
silent "the main menu without its music"
go demo has_outline Down Down Return
go back is_main_menu x
kill -0 "$pid" 2>/dev/null || fail "the game ended"
stop_game
[ "$(grep -c 'music/menu.ogg is missing' "$game/error.log")" = 1 ] ||
  fail "the missing theme is not said once: $(cat "$game/error.log")"
grep -q 'music/play.ogg is missing' "$game/error.log" || fail "the missing level theme is not said"
echo "music.sh: without its music the game is silent and says so once a piece"

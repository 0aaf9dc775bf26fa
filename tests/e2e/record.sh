#!/usr/bin/env bash
# Records a won level in the real game and replays it headless: starts
# "digmaze --record DIR" under a virtual X server, plays the first level to
# its exit with xdotool, and checks that digmaze-sim, given the map and the
# recorded keys, ends on the same line the game wrote at the win (same tick,
# state 2, same score, lives, treasures and positions). The keys are chosen
# so that the route does not depend on when exactly they land: each one
# steers the runner until it is stopped by a wall or takes the next ladder.
# The screenshots of the last run stay in <build>/e2e/record.
# Usage: tests/e2e/record.sh <game folder>
set -euo pipefail

source "$(dirname "$0")/scratch.bash" record "${1:-}"

cat > "$work/inside.sh" <<'INSIDE'
set -euo pipefail
me=record.sh; work="$1"; art="$2"
source "$3"
rec="$work/rec"
level=level01

outline=(31,9 500,9 992,9 31,330 992,330 31,650 500,650 992,650)
is_game_scene() { all_near ffffff "${outline[@]}" || { why="no white outline round the map"; return 1; }; }
recorded_end() {
  shot
  grep -q '^# end ' "$rec/$level.txt" 2>/dev/null || { why="no end line in the recording yet"; return 1; }
}

cd "$game"
HOME="$work/home" SDL_AUDIODRIVER=dummy ./digmaze --scale off --record "$rec" 2>"$work/stderr" &
pid=$!

begin menu
wait_for is_main_menu 30

begin game
xdotool key Return
wait_for is_game_scene
[ -f "$rec/$level.txt" ] || fail "starting the level made no $rec/$level.txt"

begin play
# along the bottom to the right wall, then up the ladder on the way back
xdotool key Right; sleep 13
xdotool key Left; sleep 0.5; xdotool key Up; sleep 6
# left along the middle, then up the left ladder
xdotool key Left; sleep 0.5; xdotool key Up; sleep 12
# right along the upper row until the runner drops off its end
xdotool key Right; sleep 14
xdotool key Left; sleep 0.5; xdotool key Up; sleep 14
# right again and up the ladder to the top row, its treasure, then the exit
xdotool key Right; sleep 0.5; xdotool key Up; sleep 10
xdotool key Left; sleep 11
xdotool key Right
wait_for recorded_end 25

begin replay
end_line=$(grep '^# end ' "$rec/$level.txt" | sed 's/^# end //')
case "$end_line" in *" S 2 "*) ;; *) fail "the recording ends '$end_line', not in state 2" ;; esac
ticks=$(($(awk '{print $2}' <<<"$end_line") + 10))
last=$("$game/digmaze-sim" "$game/Maps/$level.dmm" "$rec/$level.txt" "$ticks" | tail -n 1) ||
  fail "digmaze-sim refused the recording"
[ "$last" = "$end_line" ] || fail "digmaze-sim ends '$last', the game ended '$end_line'"
cp "$rec/$level.txt" "$art/$level.txt"
echo "record.sh: won at: $end_line"
INSIDE

xvfb-run -a -s "-screen 0 1280x1024x24" bash "$work/inside.sh" "$work" "$art" "$here/helpers.bash"
echo "record.sh: recorded a win of the first level and replayed it headless to the same end"

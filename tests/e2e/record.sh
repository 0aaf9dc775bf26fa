#!/usr/bin/env bash
# A level won under "digmaze --record DIR" (xdotool, virtual X server) and
# replayed by digmaze-sim ends on the line the game wrote at the win (tick,
# state 2, score, lives, treasures, positions). Each key steers the runner
# until a wall or the next ladder, so the route does not hang on timing.
# Usage: tests/e2e/record.sh <game folder> (screenshots and the recording: <build>/e2e/record)
set -euo pipefail
source "$(dirname "$0")/helpers.bash"
scratch record "${1:-}"
screen 1280x1024
rec="$work/rec"; level=level01
# Bad arguments are refused with exit code 2 (a map that cannot be read: 1) and print nothing.
refuses() { local rc=0 out; out=$("$game/digmaze-sim" "${@:2}" 2>/dev/null) || rc=$?; [ "$rc$out" = "$1" ] || fail "digmaze-sim ${*:2}: exit $rc"; }
printf '0 down Up\n' >"$work/s.txt"; m="$game/Maps/$level.dmm"
refuses 2 "$m" "$work/s.txt" ""; refuses 2 "$m" "$work/s.txt" 12x; refuses 2 "$m" /nonexistent 5; refuses 1 /dev/null "$work/s.txt" 5
recorded_end() { grep -q '^# end ' "$rec/$level.txt" 2>/dev/null || { why="no end line in the recording yet"; return 1; }; }

start_game --scale off --record "$rec"; T=30 go menu is_main_menu
go game has_outline Return Return
[ -f "$rec/$level.txt" ] || fail "starting the level made no $rec/$level.txt"
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
T=25 go won recorded_end Right

end_line=$(grep '^# end ' "$rec/$level.txt" | sed 's/^# end //')
[[ $end_line == *" S 2 "* ]] || fail "the recording ends '$end_line', not in state 2"
last=$("$game/digmaze-sim" "$game/Maps/$level.dmm" "$rec/$level.txt" $(($(awk '{print $2}' <<<"$end_line") + 10)) | tail -n 1) ||
  fail "digmaze-sim refused the recording"
[ "$last" = "$end_line" ] || fail "digmaze-sim ends '$last', the game ended '$end_line'"
cp "$rec/$level.txt" "$art/$level.txt"
echo "record.sh: recorded a win of the first level and replayed it headless to the same end"

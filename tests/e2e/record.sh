#!/usr/bin/env bash
# A level won under "digmaze --record DIR" (xdotool, virtual X server) and
# replayed by digmaze-sim ends on the line the game wrote at the win (tick,
# state 2, score, lives, treasures, positions). Each key steers the runner
# until a wall or the next ladder, and the next key waits until the screen
# shows the runner there, so the route holds however slowly the game runs.
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

# The runner's face, in its skin colour (the treasures' gold is 5 % from it),
# where the standing frame shows it on square (x, y): 12 x 15 at (10, 7).
stands() {
  local face; face=$(convert "$pic" -fuzz 3% -fill black +opaque '#F2B48A' -format '%@' info: 2>/dev/null)
  [ "$face" = "12x15+$((32 + 32 * $1 + 10))+$((10 + 32 * $2 + 7))" ] ||
    { why="the runner's face is at $face, not standing on square $1,$2"; return 1; }
}
walked_off() { ! stands "$@" || { why="the runner still stands on square $1,$2"; return 1; }; }  # x y

start_game --scale off --record "$rec"; T=30 go menu is_main_menu
go game has_outline Return Return
[ -f "$rec/$level.txt" ] || fail "starting the level made no $rec/$level.txt"
# An arrow given while the runner walks waits for the first square it can
# turn on: Up once the runner goes left takes the next ladder up.
T=60
go right-wall "stands 29 16" Right                                  # along the bottom
go going-left "walked_off 29 16" Left; go ladder "stands 23 11" Up        # up the ladder on the way back
go going-left "walked_off 23 11" Left; go left-ladder "stands 3 6" Up     # along the middle, up the left ladder
go dropped "stands 29 11" Right                                     # off the end of the upper row
go going-left "walked_off 29 11" Left; go left-ladder "stands 3 6" Up
go going-right "walked_off 3 6" Right; go top-row "stands 20 2" Up        # up the ladder to the top row
go treasure "stands 0 2" Left                                       # its treasure
go won recorded_end Right                                           # the exit
end_line=$(grep '^# end ' "$rec/$level.txt" | sed 's/^# end //')
[[ $end_line == *" S 2 "* ]] || fail "the recording ends '$end_line', not in state 2"
last=$("$game/digmaze-sim" "$game/Maps/$level.dmm" "$rec/$level.txt" $(($(awk '{print $2}' <<<"$end_line") + 10)) | tail -n 1) ||
  fail "digmaze-sim refused the recording"
[ "$last" = "$end_line" ] || fail "digmaze-sim ends '$last', the game ended '$end_line'"
cp "$rec/$level.txt" "$art/$level.txt"
echo "record.sh: recorded a win of the first level and replayed it headless to the same end"

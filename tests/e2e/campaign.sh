#!/usr/bin/env bash
# A player of an earlier version starts this one: his maps folder holds the
# first thirty shipped levels and one map of his own, listed after them, and
# his records clear all thirty. At the start the seventy newer levels join his
# folder (copied byte for byte) and his order, before his own map; he clears
# them too, and the level select then frames his own map as the first level
# not cleared: the 101st, in the first column, under its own heading (the
# first start framed level 31 there, after the thirty he had cleared). A second start changes neither the order nor the record
# of the shipped maps his folder was given. Screenshots: <build>/e2e/campaign.
# Usage: tests/e2e/campaign.sh <game folder>
set -euo pipefail
source "$(dirname "$0")/helpers.bash"
scratch campaign "${1:-}"
screen 1280x1024
maps="$HOME/data/Digmaze/Maps"; records="$HOME/data/Digmaze/progress.cfg"
own=4711000042.dmm
mkdir -p "$maps"
old=()
for i in $(seq -w 1 30); do cp "$game/Maps/level$i.dmm" "$maps/"; old+=("level$i.dmm"); done
small_map "$maps/$own" 3
index_of "${old[@]}" "$own" >"$maps/index.dml"
cp "$maps/$own" "$work/own.dmm"
# The records of levels first to last cleared, by their maps' digests.
clear_levels() {  # first last
  local i n
  for i in $(seq "$1" "$2"); do
    n=$(printf 'level%02d.dmm' "$i")
    printf '[%s]\r\ncleared = yes\r\nbest-time = 30.0\r\nbest-score = 200\r\ndigest = %s\r\n' \
      "$n" "$(sha256sum <"$game/Maps/$n" | awk '{print $1}')"
  done >>"$records"
}
printf '; The progress of Digmaze'"'"'s player.\r\n' >"$records"
clear_levels 1 30
# The names index.dml lists, one a line.
names_of() {
  perl -e 'local $/; my $d = <STDIN>; my $n = unpack("l<", substr($d, 4, 4)); my $at = 8;
    for (1 .. $n) { my $l = ord(substr($d, $at, 1)); print substr($d, $at + 1, $l), "\n"; $at += 1 + $l }' <"$1"
}
# The level select with a level of its first column framed in red, and none
# of the others: the frames are 186 wide every 195 from x = 29.
first_column_framed() {
  local rows; rows=$(red_rows 122)
  [ -n "$rows" ] && [ -z "$(red_rows 317)" ] && [ -z "$(red_rows 902)" ] ||
    { why="not a level of the first column alone framed (red rows: ${rows:-none})"; return 1; }
}

start_game --scale off
T=30 go menu is_main_menu
# The first level not cleared is level 31, in the first column under the
# second set's heading.
go levels-first first_column_framed Return
mapfile -t listed < <(names_of "$maps/index.dml")
((${#listed[@]} == 101)) || fail "the order lists ${#listed[@]} maps, not 101"
[ "${listed[30]}" = level31.dmm ] && [ "${listed[99]}" = level100.dmm ] && [ "${listed[100]}" = "$own" ] ||
  fail "the order is not levels 1 to 100 and then $own: ${listed[*]}"
for i in $(seq 31 100); do
  cmp -s "$game/Maps/level$i.dmm" "$maps/level$i.dmm" || fail "level$i.dmm was not copied from the shipped maps"
done
cmp -s "$work/own.dmm" "$maps/$own" || fail "the player's own map changed"
stop_game

clear_levels 31 100
cp "$maps/index.dml" "$work/index-first.dml"; cp "$maps/shipped.txt" "$work/shipped-first.txt"
start_game --scale off
T=30 go menu-again is_main_menu
go levels first_column_framed Return
go own-map is_waiting Return
cmp -s "$maps/index.dml" "$work/index-first.dml" || fail "the second start changed the order"
cmp -s "$maps/shipped.txt" "$work/shipped-first.txt" || fail "the second start changed the record of the shipped maps"
echo "campaign.sh: the seventy new levels joined before the player's own map; screenshots in $art"

#!/usr/bin/env bash
# Prints the campaign's level table in Markdown, and under it the table of the
# sets: per level of levels.txt its set, the treasures and aliens of its map,
# the measures of its replay in tools/levels/replays (digs, length at the
# game's 20 ticks a second, the closest an alien came to the runner, and the
# states digmaze-solve searched), the difficulty made from them and the
# design note. The closest approach is measured by playing the replay with
# the build's digmaze-sim. Exits with 1 when the difficulty does not rise as
# tools/levels/README.md says it must.
# Usage: tools/levels/table.sh [BUILD_DIR]   (default: build)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
build="${1:-$root/build}"
sim="$build/bin/digmaze-sim"
[ -x "$sim" ] || { echo "table.sh: no $sim; build digmaze-sim first" >&2; exit 2; }

# Levels of the first set that were in the campaign before there were
# measures and cannot be moved: they may measure harder than a level after them.
waived="level23"

# One line per level: set number, set name, level, treasures, aliens, note.
awk '
  /^set / { sets++; set = substr($0, 5); next }
  /^# NOTE / { note = substr($0, 8); next }
  /^level / { name = $2; rows = 0; t = 0; a = 0; next }
  name != "" && rows < 20 {
    rows++
    t += gsub(/\$/, "$"); a += gsub(/A/, "A")
    if (rows == 20) {
      sub(/\.dmm$/, "", name)
      print sets "\t" set "\t" name "\t" t "\t" a "\t" note; name = ""; note = ""
    }
  }' "$here/levels.txt" |
  while IFS=$'\t' read -r set setName name treasures aliens note; do
    replay="$here/replays/$name.txt"
    digs=$(grep -c ' down Space$' "$replay" || true)
    end=$(sed -n 's/^# end T \([0-9]*\) .*/\1/p' "$replay")
    searched=$(sed -n '1s/^# digmaze-solve, [^:]*: \([0-9]*\) states searched$/\1/p' "$replay")
    [ -n "$end" ] && [ -n "$searched" ] || { echo "table.sh: $replay lacks its measures" >&2; exit 1; }
    # Status lines: "... R x y animation frame" then " A x y animation frame" per alien.
    closest=$("$sim" "$root/data/Maps/$name.dmm" "$replay" $((end + 1)) | awk '
      { for (i = 16; i <= NF; i += 5) {
          dx = $(i + 1) - $12; dy = $(i + 2) - $13; d = dx * dx + dy * dy
          if (best == "" || d < best) best = d } }
      END { print best == "" ? -1 : int(sqrt(best)) }')
    printf '%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\n' "$set" "$setName" "$name" "$treasures" \
      "$aliens" "$digs" "$end" "$closest" "$searched" "$note"
  done |
  awk -F'\t' -v waived="$waived" '
    # The difficulty (see tools/levels/README.md): a tenth of the replay in
    # seconds, one per alien, a fifth per dig, up to 3 for an alien coming
    # close, and one for every doubling of the search beyond a million states.
    function difficulty(seconds, aliens, digs, closest, searched,   d) {
      d = seconds / 10 + aliens + digs / 5
      if (aliens > 0) d += (64 - (closest < 64 ? closest : 64)) / 16
      if (searched > 1000000) d += log(searched / 1000000) / log(2)
      return sprintf("%.1f", d)
    }
    BEGIN {
      n = split(waived, w, " "); for (i = 1; i <= n; i++) isWaived[w[i]] = 1
      print "| Level | Set | Treasures | Aliens | Digs | Replay (s) | Closest (px) | Searched (k states) | Difficulty | Note |"
      print "|---|---|---|---|---|---|---|---|---|---|"
    }
    {
      seconds = sprintf("%.1f", ($7 + 1) / 20)
      d = difficulty(seconds, $5, $6, $8, $9)
      printf "| %s | %s | %s | %s | %s | %s | %s | %d | %s | %s |\n", $3, $1, $4, $5, $6, seconds,
             ($5 > 0 ? $8 : "-"), int($9 / 1000 + 0.5), d, $10
      sets = $1; name[$1] = $2; count[$1]++
      level[$1, count[$1]] = $3; value[$1, count[$1]] = d + 0
    }
    END {
      print ""
      print "| Set | Name | Levels | Median difficulty | Last two |"
      print "|---|---|---|---|---|"
      bad = 0
      for (s = 1; s <= sets; s++) {
        n = count[s]
        for (i = 1; i <= n; i++) v[i] = value[s, i]
        for (i = 2; i <= n; i++)  # insertion sort, for the median
          for (j = i; j > 1 && v[j - 1] > v[j]; j--) { t = v[j]; v[j] = v[j - 1]; v[j - 1] = t }
        median[s] = n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
        printf "| %d | %s | %s to %s | %.1f | %.1f, %.1f |\n", s, name[s], level[s, 1], level[s, n],
               median[s], value[s, n - 1], value[s, n]
        if (s > 1 && median[s] <= median[s - 1]) {
          printf("table.sh: set %d does not rise above set %d\n", s, s - 1) > "/dev/stderr"
          bad = 1
        }
        floor = value[s, n - 1] < value[s, n] ? value[s, n - 1] : value[s, n]
        for (i = 1; i <= n - 2; i++)
          if (value[s, i] > floor && !isWaived[level[s, i]]) {
            printf("table.sh: %s is harder than the last two of its set\n", level[s, i]) > "/dev/stderr"
            bad = 1
          }
      }
      exit bad
    }'

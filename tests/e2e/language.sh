#!/usr/bin/env bash
# The game in its languages. Started with LANG=de_DE.UTF-8 (and no other
# language variable) it shows its main menu in German: its own record of the
# texts it drew (DIGMAZE_TEXT_DUMP) holds the German label of "Start Game".
# Then in each language (LANGUAGE=xx) on a level order of two small maps:
# the main menu, a level waiting for its key, its tally once won, and the
# map editor, each screen seen with its texts in that language (read from
# the shipped resource by their keys); then the options' Language row
# switches the game to Russian and back. Screenshots: <build>/e2e/language.
# Usage: tests/e2e/language.sh <game folder>
set -euo pipefail
source "$(dirname "$0")/helpers.bash"
scratch language "${1:-}"
screen 1280x1024
dump="$work/texts.txt"
resource="$game/lang/digmaze.lng"

# The text of key in language code, as the resource holds it (the first
# plural form, places as they are).
text_of() {
  tr -d '\r' <"$resource" | awk -v key="[$1]" -v label="$2" '
    $0 == key { inside = 1; next }
    /^\[/ { inside = 0 }
    inside && index($0, label " = ") == 1 { split(substr($0, length(label) + 4), f, "|"); print f[1]; exit }'
}
said() {  # key...: whether the game drew the texts of these keys in $code
  local key text
  for key; do
    text=$(text_of "$key" "$code")
    [ -n "$text" ] || fail "the resource has no $key in $code"
    # A text with places ({0}) is known by what stands before its first one.
    awk -v want="$text" 'BEGIN { p = index(want, "{"); if (p) want = substr(want, 1, p - 1) }
      (p && index($0, want) == 1) || $0 == want { found = 1 } END { exit !found }' "$dump" 2>/dev/null ||
      { why="the game did not draw \"$text\" ($key)"; return 1; }
  done
}
menu_in() { is_main_menu && said menu.start-game menu.map-editor menu.exit; }
# A framed box over the level: its caption band left of the centred title.
is_tally() {
  has_outline || return 1
  (($(convert "$pic" -crop 1x768+412+0 +repage -depth 8 txt:- |
    awk -F'[,:() ]+' 'NR > 1 && ($3 - 20)^2 <= 64 && ($4 - 65)^2 <= 64 && ($5 - 102)^2 <= 64' | wc -l) >= 15)) ||
    { why="no box over the level"; return 1; }
}
# The panel over the level: its frame above and below the middle (its width
# is the text's).
panel() {
  has_outline && all_near 2983cd 512,"${WAITING_PANEL[1]}" 512,"${WAITING_PANEL[3]}" ||
    { why="no panel over the level"; return 1; }
}
waiting_in() { panel && said status.level game.press-key-to-start game.menu-button; }
tally_in() { is_tally && said tally.time tally.treasures tally.aliens-trapped tally.score; }
editor_in() { has_outline && said editor.save editor.cancel; }
run() {  # variable=value...: the game started afresh on two small maps in that
  # environment (and without the machine's language variables), its texts recorded anew
  stop_game; rm -f "$dump"; fresh_game
  rm -rf "$game/Maps"; mkdir -p "$game/Maps"
  for k in 1 2; do small_map "$game/Maps/p$k.dmm" "$k"; done
  index_of p1.dmm p2.dmm >"$game/Maps/index.dml"
  (cd "$game" && exec env -u LANGUAGE -u LC_ALL -u LC_MESSAGES -u LANG SDL_AUDIODRIVER=dummy \
    DIGMAZE_TEXT_DUMP="$dump" "$@" ./digmaze --scale off) 2>"$work/stderr" &
  pid=$!
}

# German from LANG alone.
code=de
run LANG=de_DE.UTF-8
T=30 go menu-from-lang menu_in
grep -qxF "Spiel starten" "$dump" || fail "no \"Spiel starten\" among the texts drawn: $(head -c 300 "$dump")"

for code in en de fr es ru; do
  run LANGUAGE=$code
  T=30 go "$code-menu" menu_in
  go "$code-level" waiting_in Return Return
  T=10 go "$code-tally" tally_in Right
  go "$code-next-level" panel Return
  go "$code-game-menu" is_game_menu Escape
  go "$code-main-menu" menu_in Up Return
  go "$code-maps" is_manager Down Down Down Return
  go "$code-editor" editor_in Return
done
# The options' Language row: four steps right make every text Russian at
# once, with the options open on that row; four steps left bring back the
# English options exactly as they were.
options_open() { all_near 144166 250,112 770,112 || { why="no options"; return 1; }; }
code=en
run LANGUAGE=en
T=30 go options-menu menu_in
go options "options_open && said options.caption options.language" Down Down Down Down Return
go options-language options_open Down Down Down Down Down Down Down Down Down
cp "$pic" "$work/english-options.png"
code=ru
go options-russian "options_open && said options.caption options.language options.sound" \
  Right Right Right Right
# The texts are in the record as soon as they are drawn, which may be after
# the screenshot of that step: the picture of the Russian options is taken anew.
sleep 0.5
go options-russian-shown options_open
go options-english "options_open && same 0 $work/english-options.png $pic" Left Left Left Left
echo "language.sh: the German main menu from LANG, every language's menu, level, tally and editor, the options to Russian and back; screenshots in $art"

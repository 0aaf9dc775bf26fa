#!/usr/bin/env bash
# Installs the game from its Debian package and plays it as a player who
# started it from the desktop's menu: the package is built with CPack from
# the build, unpacked into a scratch root that is then made read-only, and
# the installed game is started under a virtual X server with its home and
# data folders in a scratch folder. It plays into the first level, saves into
# slot 1, edits the first map and saves it, and quits; then every file must
# be in the player's folder and nothing under the scratch root may have
# changed. The package's fields, files, desktop entry, metadata, icons and
# manual pages are checked first, and Debian's own checker, lintian, must
# find nothing above information in it.
# The screenshots of the last run stay in <build>/e2e/install, one per step,
# with lintian's report.
# Usage: tests/e2e/install.sh <game folder>   (the build's bin/)
set -euo pipefail

game_dir="$(cd "${1:?usage: install.sh <game folder>}" && pwd)"
build="$(cd "$game_dir/.." && pwd)"
here="$(cd "$(dirname "$0")" && pwd)"
src="$(cd "$here/../.." && pwd)"
art="$build/e2e/install"
work="$(mktemp -d)"
cleanup() {
  chmod -R u+w "$work" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "install.sh: $*" >&2; exit 1; }
rm -rf "$art"
mkdir -p "$art"

# ---- The package ------------------------------------------------------------
cpack --config "$build/CPackConfig.cmake" -B "$work/pkg" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; fail "cpack failed"; }
debs=("$work/pkg"/digmaze_*.deb)
((${#debs[@]} == 1)) && [ -s "${debs[0]}" ] || fail "no single digmaze_*.deb: ${debs[*]}"
deb="${debs[0]}"
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = digmaze ] || fail "package name '$(field Package)'"
[ "$(field Section)" = games ] || fail "section '$(field Section)'"
[[ "$(field Depends)" == *libsdl2-2.0-0* ]] || fail "no dependency on the SDL2 runtime: '$(field Depends)'"
version="$(field Version)"

root="$work/root"
dpkg-deb -x "$deb" "$root"
data="$root/usr/share/games/digmaze"
doc="$root/usr/share/doc/digmaze"
for f in usr/games/digmaze usr/games/digmaze-sim \
  usr/share/games/digmaze/image.vdt usr/share/games/digmaze/image.vdd \
  usr/share/games/digmaze/sound.vdt usr/share/games/digmaze/sound.vdd \
  usr/share/games/digmaze/Maps/index.dml usr/share/games/digmaze/help/index.html \
  usr/share/games/digmaze/windows/cursors \
  usr/share/man/man6/digmaze.6.gz usr/share/man/man6/digmaze-sim.6.gz \
  usr/share/doc/digmaze/copyright usr/share/doc/digmaze/changelog.gz \
  usr/share/applications/digmaze.desktop usr/share/metainfo/org.digmaze.digmaze.metainfo.xml; do
  [ -e "$root/$f" ] || fail "the package has no $f"
done
[ ! -e "$root/usr/bin" ] || fail "the package has executables outside /usr/games: $(ls "$root/usr/bin")"
[ ! -e "$data/vdd" ] || fail "the package ships the drives' sources as well as the drives"
diff -r "$src/data/Maps" "$data/Maps" >/dev/null || fail "the shipped maps are not data/Maps"
for size in 16 32 48 64 128 256; do
  icon="$root/usr/share/icons/hicolor/${size}x${size}/apps/digmaze.png"
  [ "$(identify -format '%wx%h' "$icon" 2>/dev/null)" = "${size}x${size}" ] ||
    fail "no ${size} x ${size} icon at $icon"
done
desktop="$root/usr/share/applications/digmaze.desktop"
[ "$(grep -c '^Exec=/usr/games/digmaze\( --windowed\)\?$' "$desktop")" = 2 ] ||
  fail "the desktop entry does not start /usr/games/digmaze: $(grep '^Exec' "$desktop")"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || fail "desktop-file-validate refused the desktop entry"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$root/usr/share/metainfo/org.digmaze.digmaze.metainfo.xml" \
    >"$work/appstream.log" 2>&1 || { cat "$work/appstream.log" >&2; fail "appstreamcli refused the metadata"; }
fi
grep -q "^digmaze ($version) " <(zcat "$doc/changelog.gz") ||
  fail "the changelog's first entry is not version $version: $(zcat "$doc/changelog.gz" | head -1)"

# Debian's checker: any error or warning fails; information is only shown.
command -v lintian >/dev/null || fail "lintian is not installed (scripts/setup.sh installs it)"
lintian --fail-on error,warning --display-info "$deb" >"$work/lintian.log" 2>&1 ||
  { cat "$work/lintian.log" >&2; fail "lintian found errors or warnings in the package"; }
! grep -q '^[EW]:' "$work/lintian.log" || { cat "$work/lintian.log" >&2; fail "lintian found errors or warnings"; }
cp "$work/lintian.log" "$art/lintian.txt"

# The manual pages render without a complaint from man or groff, and the
# game's page lists every option its --help lists.
for page in digmaze digmaze-sim; do
  zcat "$root/usr/share/man/man6/$page.6.gz" >"$work/$page.6"
  (cd "$work" && MANWIDTH=80 man --warnings "./$page.6" >"$work/$page.txt" 2>"$work/$page.warnings") ||
    fail "man could not render $page.6: $(cat "$work/$page.warnings")"
  [ ! -s "$work/$page.warnings" ] || fail "man --warnings complains about $page.6: $(cat "$work/$page.warnings")"
  grep -q '^ *--help$\|^ *--help  *Print' "$work/$page.txt" || fail "$page.6 renders without its options"
done
for option in $("$root/usr/games/digmaze" --help | awk '$1 ~ /^--/ { print $1 }'); do
  grep -q -- "$option" "$work/digmaze.txt" || fail "the manual page does not describe $option"
done
"$root/usr/games/digmaze-sim" --help | grep -q '^usage: digmaze-sim MAPFILE SCRIPT TICKS' ||
  fail "digmaze-sim --help does not start with its usage line"

# ---- The installed game's command line -------------------------------------------
[ "$("$root/usr/games/digmaze" --version)" = "digmaze $version" ] ||
  fail "--version says '$("$root/usr/games/digmaze" --version)', the package is $version"
set +e
"$root/usr/games/digmaze" --no-such-option >/dev/null 2>"$work/usage"
code=$?
set -e
[ "$code" -eq 2 ] && grep -q '^usage: digmaze' "$work/usage" ||
  fail "an unknown option gave exit code $code and '$(cat "$work/usage")'"

# ---- Read-only, and a player who is not root -----------------------------------
chmod -R a-w "$root"
snapshot() { (cd "$root" && find . -printf '%p %y %s %m %T@\n' | sort && find . -type f -exec md5sum {} + | sort); }
snapshot >"$work/root-before"
home="$work/home"
mkdir -p "$home" "$work/game"
# The screen checks compare with the pictures the drives were packed from.
ln -s "$src/data/vdd" "$work/game/vdd"
player=()
if [ "$(id -u)" -eq 0 ]; then
  # Root may write into a read-only folder; the game runs as nobody instead,
  # so the installation really is out of its reach.
  player=(setpriv --reuid=65534 --regid=65534 --clear-groups --)
  chown -R 65534:65534 "$home"
  chmod 755 "$work"
fi
user_data="$home/data/Digmaze"

cat >"$work/inside.sh" <<'INSIDE'
set -euo pipefail
me=install.sh; work="$1"; art="$2"; root="$3"; shift 3
player=("$@")
source "$work/helpers.bash"
trap 'fail "a command failed: $BASH_COMMAND"' ERR
home="$work/home"; user_data="$home/data/Digmaze"
maps="$user_data/Maps"

# The screens. The map's white outline, the in-game menu's grid, and the
# saved-game dialog's caption band and grid, as in play.sh.
outline=(31,9 500,9 992,9 31,330 992,330 31,650 500,650 992,650)
has_outline() { all_near ffffff "${outline[@]}" || { why="no white outline round the map"; return 1; }; }
is_playing() {
  has_outline || return 1
  none_near 08294b 321,180 321,600 || { why="the in-game menu is open"; return 1; }
  none_near 144166 395,87 628,104 || { why="the saved-game dialog is open"; return 1; }
}
is_game_menu() {
  has_outline || return 1
  all_near 08294b 321,180 321,400 321,600 696,180 696,600 || { why="no in-game menu"; return 1; }
}
is_save_dialog() {
  all_near 144166 395,87 628,87 395,104 628,104 || { why="no saved-game dialog caption"; return 1; }
  all_near 08294b 401,300 626,300 401,650 626,650 || { why="no saved-game dialog grid"; return 1; }
}
# The maps manager with its first miniature framed in red.
is_manager() {
  local red
  red=$(convert "$pic" -crop 1x694+200+0 +repage -depth 8 txt:- |
    awk -F'[,:() ]+' 'NR > 1 && $3 >= 247 && $4 <= 8 && $5 <= 8 { printf "%s ", $2 }')
  [ "$red" = "14 335 " ] || { why="no red frame round the first miniature (red rows: '$red')"; return 1; }
}
# The editor: the outline and a palette entry framed in red at (72 i + 20, 735).
palette_red() { count_near ff0000 "$1,735"; ((near == 1)); }
is_editor() { has_outline && palette_red 20 || { why="${why:-the first palette entry is not chosen}"; return 1; }; }
is_editor_floor() { has_outline && palette_red 92 || { why="${why:-the floor is not chosen}"; return 1; }; }

# ---- Started as from the desktop's menu: no folder of its own, no arguments ----
cd /
"${player[@]}" env HOME="$home" XDG_DATA_HOME="$home/data" SDL_AUDIODRIVER=dummy \
  "$root/usr/games/digmaze" 2>"$work/stderr" &
pid=$!

begin menu
wait_for is_main_menu 30

begin level
xdotool key Return
wait_for is_playing
# The copies of the maps were made for the new game.
[ -s "$maps/index.dml" ] || fail "no index.dml in the player's maps folder $maps"
diff -r "$root/usr/share/games/digmaze/Maps" "$maps" >/dev/null ||
  fail "the player's maps are not a copy of the shipped ones"

begin play
xdotool key Right
sleep 0.5
wait_for is_playing

begin game-menu
xdotool key Escape
wait_for is_game_menu

begin save-dialog
click 512 383  # "Save Game"
wait_for is_save_dialog

begin saved
click 512 151  # slot 1
wait_for is_playing 5
save="$user_data/Save/1.dms"
[ -s "$save" ] || fail "no $save after saving into slot 1"
[ "$(od -An -tx1 -N4 "$save" | tr -d ' ')" = 9039fd84 ] || fail "$save has not the saved-game signature"

begin quit-level
xdotool key Escape
wait_for is_game_menu
click 512 557  # "Quit to Menu"
wait_for is_main_menu

begin maps
click 512 376  # "Map Editor"
point 680 700
wait_for is_manager

begin editor
click 65 731  # "Edit Map": the first map, selected
point 680 700
wait_for is_editor

# A floor on the first empty square of the first map.
level_file="$maps/$(text_at "$maps/index.dml" 9 "$(byte_at "$maps/index.dml" 8)")"
cp "$level_file" "$work/level-before.dmm"
# (awk reads to the end: leaving early would break od's pipe.)
square=$(cells_of "$level_file" 20 | awk '$1 == 0 && !found { print NR - 1; found = 1 }')
[ -n "$square" ] || fail "the first map has no empty square"
begin paint
xdotool key 2
click $((32 + 32 * (square % 30) + 16)) $((10 + 32 * (square / 30) + 16))
point 680 700
wait_for is_editor_floor

begin map-saved
click 779 733  # "Save"
point 680 700
wait_for is_manager
[ "$(int_at "$level_file" $((20 + 8 * square)))" = 2 ] ||
  fail "square $square of the saved $level_file is not a floor"
cmp -s <(head -c $((20 + 8 * square)) "$level_file") <(head -c $((20 + 8 * square)) "$work/level-before.dmm") ||
  fail "the saved map differs before the painted square"

begin bye
click 959 731  # "Exit"
point 512 384
wait_for is_main_menu
xdotool key Escape
sleep 0.5
xdotool key Return
ends_with_zero
INSIDE
cp "$here/helpers.bash" "$work/helpers.bash"
chmod 755 "$work/inside.sh" "$work/helpers.bash"

xvfb-run -a -s "-screen 0 1280x1024x24 -ac" \
  bash "$work/inside.sh" "$work" "$art" "$root" "${player[@]}"

# ---- Where everything landed ----------------------------------------------------
snapshot >"$work/root-after"
diff "$work/root-before" "$work/root-after" >&2 || fail "the installation changed while the game ran"
for f in nofirst.ctl Save/1.dms Maps/index.dml; do
  [ -s "$user_data/$f" ] || fail "no $f in the player's folder $user_data"
done
# Nothing else in the home folder but the data folder (SDL's own files aside).
others=$(cd "$home" && find . -mindepth 1 -maxdepth 1 ! -name data -printf '%f ')
[ -z "$others" ] || fail "the game wrote into the home folder: $others"
[ -z "$(find "$home/data" -mindepth 1 -maxdepth 1 ! -name Digmaze)" ] ||
  fail "the game wrote beside its data folder: $(ls "$home/data")"
echo "install.sh: installed $deb read-only, played, saved and edited a map as a player; screenshots in $art"

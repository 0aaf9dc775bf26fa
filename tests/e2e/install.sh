#!/usr/bin/env bash
# Builds the Debian package and checks its fields, files, desktop entry,
# metadata, map file type, icons and manual pages; lintian finds nothing
# above information.
# Then the package is unpacked into a read-only root and played as from the
# desktop's menu (its settings ask for 1:1): the first level, a save into
# slot 1, the first map edited and saved, quit; every file must be in the
# player's folder and nothing under the root may have changed.
# Screenshots of the last run and lintian's report: <build>/e2e/install.
# Usage: tests/e2e/install.sh <game folder>   (the build's bin/)
set -euo pipefail
source "$(dirname "$0")/helpers.bash"
scratch install "${1:-}"  # the copy's pictures are what the screen checks compare with
build="$(cd "$game_dir/.." && pwd)"; src="$(cd "$here/../.." && pwd)"

# ---- The package ------------------------------------------------------------
cpack --config "$build/CPackConfig.cmake" -B "$work/pkg" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; fail "cpack failed"; }
debs=("$work/pkg"/digmaze_*.deb)
((${#debs[@]} == 1)) && [ -s "${debs[0]}" ] || fail "no single digmaze_*.deb: ${debs[*]}"
deb="${debs[0]}"; version="$(dpkg-deb -f "$deb" Version)"
[ "$(dpkg-deb -f "$deb" Package Section | xargs)" = "Package: digmaze Section: games" ] ||
  fail "package name or section: $(dpkg-deb -f "$deb" Package Section)"
[[ "$(dpkg-deb -f "$deb" Depends)" == *libsdl2-2.0-0* ]] || fail "no dependency on the SDL2 runtime"
root="$work/root"; data="$root/usr/share/games/digmaze"
dpkg-deb -x "$deb" "$root"
for f in games/digmaze games/digmaze-sim share/games/digmaze/{image,sound}.{vdt,vdd} \
  share/games/digmaze/Maps/index.dml share/games/digmaze/help/index.html share/games/digmaze/windows/cursors \
  share/games/digmaze/music/{menu,play,won,end}.ogg \
  share/man/man6/digmaze{,-sim}.6.gz share/doc/digmaze/{copyright,changelog.gz} \
  share/applications/digmaze.desktop share/metainfo/org.digmaze.digmaze.metainfo.xml \
  lib/games/digmaze/digmaze-check share/mime/packages/digmaze.xml; do
  [ -e "$root/usr/$f" ] || fail "the package has no /usr/$f"
done
[ ! -e "$root/usr/bin" ] || fail "the package has executables outside /usr/games: $(ls "$root/usr/bin")"
[ ! -e "$data/vdd" ] || fail "the package ships the drives' sources as well as the drives"
diff -r "$src/data/Maps" "$data/Maps" >/dev/null || fail "the shipped maps are not data/Maps"
for size in 16 32 48 64 128 256; do
  [ "$(identify -format '%wx%h' "$root/usr/share/icons/hicolor/${size}x${size}/apps/digmaze.png" 2>/dev/null)" = "${size}x${size}" ] ||
    fail "no ${size} x ${size} icon"
done
desktop="$root/usr/share/applications/digmaze.desktop"
[ "$(grep -c '^Exec=/usr/games/digmaze\( --windowed\| %f\)$' "$desktop")" = 2 ] ||
  fail "the desktop entry does not start /usr/games/digmaze: $(grep '^Exec' "$desktop")"
grep -qx 'MimeType=application/x-digmaze-map;' "$desktop" || fail "the desktop entry opens no map files"
grep -q '<mediatype>application/x-digmaze-map</mediatype>' "$root/usr/share/metainfo/org.digmaze.digmaze.metainfo.xml" ||
  fail "the metadata does not say the game opens map files"
! command -v desktop-file-validate >/dev/null || desktop-file-validate "$desktop" || fail "desktop-file-validate refused the desktop entry"
# The map type: well-formed, and the MIME database built from it alone knows
# *.dmm and the first bytes of a shipped map.
mime="$work/mime"; mkdir -p "$mime/packages"
xmllint --noout "$root/usr/share/mime/packages/digmaze.xml" || fail "xmllint refused the map type"
cp "$root/usr/share/mime/packages/digmaze.xml" "$mime/packages/"
XDG_DATA_DIRS="$work" update-mime-database "$mime" 2>"$work/mime.log" && [ ! -s "$work/mime.log" ] || fail "update-mime-database: $(cat "$work/mime.log")"
grep -q '^[0-9]*:application/x-digmaze-map:\*\.dmm$' "$mime/globs2" || fail "the MIME database has no *.dmm glob: $(cat "$mime/globs2")"
[ -s "$mime/application/x-digmaze-map.xml" ] && [ -s "$mime/magic" ] || fail "the MIME database has no entry or magic for the map type"
# The check beside the game runs from the package (a map without a runner is refused at once).
printf '\0\0\0\0\1\0\0\0\1\0\0\0\0\0\0\0\0\0\0\0\6\0\0\0\0\0\0\0' >"$work/bare.dmm"
[ "$("$root/usr/lib/games/digmaze/digmaze-check" "$work/bare.dmm")" = "refused runner" ] || fail "the packaged digmaze-check does not answer"
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$root/usr/share/metainfo/org.digmaze.digmaze.metainfo.xml" \
    >"$work/appstream.log" 2>&1 || { cat "$work/appstream.log" >&2; fail "appstreamcli refused the metadata"; }
fi
grep -q "^digmaze ($version) " <(zcat "$root/usr/share/doc/digmaze/changelog.gz") || fail "the changelog does not start with $version"
[ "$("$root/usr/games/digmaze" --version)" = "digmaze $version" ] || fail "--version is not the package's $version"

# Debian's checker: any error or warning fails; information is only shown.
command -v lintian >/dev/null || fail "lintian is not installed (scripts/setup.sh installs it)"
lintian --fail-on error,warning --display-info "$deb" >"$art/lintian.txt" 2>&1 && ! grep -q '^[EW]:' "$art/lintian.txt" ||
  { cat "$art/lintian.txt" >&2; fail "lintian found errors or warnings in the package"; }

# The manual pages render without a complaint from man or groff, and the
# game's page lists every option its --help lists.
for page in digmaze digmaze-sim; do
  zcat "$root/usr/share/man/man6/$page.6.gz" >"$work/$page.6"
  (cd "$work" && MANWIDTH=80 man --warnings "./$page.6" >"$work/$page.txt" 2>"$work/$page.warnings") &&
    [ ! -s "$work/$page.warnings" ] || fail "man --warnings on $page.6: $(cat "$work/$page.warnings")"
  grep -q '^ *--help$\|^ *--help  *Print' "$work/$page.txt" || fail "$page.6 renders without its options"
done
for option in $("$root/usr/games/digmaze" --help | awk '$1 ~ /^--/ { print $1 }'); do
  grep -q -- "$option" "$work/digmaze.txt" || fail "the manual page does not describe $option"
done

# ---- Read-only, played by a player who is not root ------------------------------
chmod -R a-w "$root"
snapshot() { (cd "$root" && find . -printf '%p %y %s %m %T@\n' | sort && find . -type f -exec md5sum {} + | sort); }
snapshot >"$work/root-before"
user_data="$XDG_DATA_HOME/Digmaze"; maps="$user_data/Maps"
mkdir -p "$user_data"
printf '[display]\r\nscale = off\r\n' >"$user_data/settings.cfg"
player=()
if [ "$(id -u)" -eq 0 ]; then
  # Root may write into a read-only folder; the game runs as nobody instead.
  player=(setpriv --reuid=65534 --regid=65534 --clear-groups --)
  chown -R 65534:65534 "$HOME"
fi
screen 1280x1024
# Started as from the desktop's menu: from /, no folder of its own, no arguments.
(cd / && SDL_AUDIODRIVER=dummy exec "${player[@]}" "$root/usr/games/digmaze") 2>"$work/stderr" &
pid=$!
is_editor() {  # entry: the editor with that palette entry (from 0) framed in red
  has_outline && all_near ff0000 $((72 * $1 + 20)),735 || { why="not the editor with palette entry $1 chosen"; return 1; }
}

T=30 go menu is_main_menu
go level is_playing Return Return
diff -r --exclude=shipped.txt "$data/Maps" "$maps" >/dev/null || fail "the player's maps are not a copy of the shipped ones"
[ "$(grep -c '\.dmm' "$maps/shipped.txt")" = "$(int_at "$data/Maps/index.dml" 4)" ] ||
  fail "shipped.txt does not record every shipped map as given"
go game-menu is_game_menu Escape
go save-dialog is_slot_dialog $GAME_SAVE
T=5 go saved is_playing $SLOT1
[ "$(od -An -tx1 -N4 "$user_data/Save/1.dms" | tr -d ' ')" = 9039fd84 ] || fail "no saved game in slot 1"
go game-menu-again is_game_menu Escape
go main-menu is_main_menu $GAME_QUIT
go maps is_manager $MENU_EDITOR park
go editor "is_editor 0" $MAPS_EDIT park
# A floor on the first empty square of the first map.
level_file="$maps/$(first_map "$maps/index.dml")"
cp "$level_file" "$work/level-before.dmm"; spot=$(cells_of "$level_file" 20 | awk '$1 == 0 && !found { print NR - 1; found = 1 }')
[ -n "$spot" ] || fail "the first map has no empty square"
go paint "is_editor 1" 2 "$(square $((spot % 30)) $((spot / 30)))" park
go map-saved is_manager $EDITOR_SAVE park
o=$((20 + 8 * spot))
[ "$(int_at "$level_file" $o)" = 2 ] && cmp -s <(head -c $o "$level_file") <(head -c $o "$work/level-before.dmm") ||
  fail "the saved map is not the first map with a floor on square $spot"
go bye is_main_menu $MAPS_EXIT @512,384
quit_game Escape

# ---- Where everything landed ----------------------------------------------------
snapshot >"$work/root-after"
diff "$work/root-before" "$work/root-after" >&2 || fail "the installation changed while the game ran"
for f in nofirst.ctl Save/1.dms Maps/index.dml settings.cfg; do
  [ -s "$user_data/$f" ] || fail "no $f in the player's folder $user_data"
done
[ -z "$(cd "$HOME" && find . -mindepth 1 -maxdepth 1 ! -name data)$(find "$HOME/data" -mindepth 1 -maxdepth 1 ! -name Digmaze)" ] ||
  fail "the game wrote beside its data folder: $(find "$HOME" -maxdepth 2)"
echo "install.sh: installed $deb read-only, played, saved and edited a map as a player; screenshots in $art"

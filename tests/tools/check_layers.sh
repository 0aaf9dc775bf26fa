#!/usr/bin/env bash
# Checks that our static libraries form layers: the declared links have no
# cycle, and every symbol a library needs from another of our libraries is
# defined in a library it links, directly or through its links. A call to
# compiled code of a library above (or beside) it shows up as a symbol that
# is defined only outside what it links.
#
# Usage: check_layers.sh MANIFEST [--without LIB:DEP]... [--with LIB:DEP]...
# MANIFEST has one line per library: its name, its archive, then the names of
# what it links directly (other names than our libraries are ignored).
# --without and --with drop or add a declared link before checking; the tests
# use them to show that the check catches an undeclared call and a cycle.
set -euo pipefail

manifest="${1:?usage: check_layers.sh MANIFEST [--without LIB:DEP]... [--with LIB:DEP]...}"
shift

declare -A archive links
libraries=()
while read -r name file rest; do
  [ -n "$name" ] || continue
  archive[$name]="$file"
  links[$name]="$rest"
  libraries+=("$name")
done <"$manifest"
((${#libraries[@]})) || { echo "check_layers: no libraries in $manifest" >&2; exit 1; }

while (($#)); do
  lib="${2%%:*}" dep="${2#*:}"
  [ -n "${archive[$lib]+set}" ] || { echo "check_layers: unknown library $lib" >&2; exit 2; }
  case "$1" in
    --without) links[$lib]="$(tr ' ' '\n' <<<"${links[$lib]}" | grep -vx "$dep" | tr '\n' ' ')" ;;
    --with) links[$lib]+=" $dep" ;;
    *) echo "check_layers: unknown option $1" >&2; exit 2 ;;
  esac
  shift 2
done

# Keep only the links to our own libraries.
for lib in "${libraries[@]}"; do
  kept=""
  for dep in ${links[$lib]}; do
    [ -n "${archive[$dep]+set}" ] && kept+=" $dep"
  done
  links[$lib]="$kept"
done

failed=0

# Cycles: a depth-first walk; a library met again while it is still on the
# walk's path closes a cycle.
declare -A state  # 1 on the path, 2 done
path=()
visit() {
  local lib="$1" dep
  state[$lib]=1
  path+=("$lib")
  for dep in ${links[$lib]}; do
    if [ "${state[$dep]:-0}" = 1 ]; then
      local cycle="" seen=0 p
      for p in "${path[@]}"; do
        [ "$p" = "$dep" ] && seen=1
        ((seen)) && cycle+="$p -> "
      done
      echo "check_layers: link cycle: $cycle$dep"
      failed=1
    elif [ "${state[$dep]:-0}" = 0 ]; then
      visit "$dep"
    fi
  done
  unset 'path[${#path[@]}-1]'
  state[$lib]=2
}
for lib in "${libraries[@]}"; do
  [ "${state[$lib]:-0}" = 0 ] && visit "$lib"
done

# Symbols. nm -j prints one name a line, with the member names (ending in
# ":") and blank lines between the members of an archive.
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
names() { grep -v -e '^$' -e ':$' | LC_ALL=C sort -u; }
for lib in "${libraries[@]}"; do
  [ -f "${archive[$lib]}" ] || { echo "check_layers: $lib not built (${archive[$lib]})" >&2; exit 2; }
  nm -g --defined-only -j "${archive[$lib]}" | names >"$work/defined.$lib"
  nm -u -j "${archive[$lib]}" | names >"$work/undefined.$lib"
done
cat "$work"/defined.* | LC_ALL=C sort -u >"$work/ours"

# Everything a library reaches through its links, itself included.
reach() {
  local -A seen=()
  local todo=("$1") lib dep
  while ((${#todo[@]})); do
    lib="${todo[0]}"
    todo=("${todo[@]:1}")
    [ -n "${seen[$lib]+set}" ] && continue
    seen[$lib]=1
    echo "$lib"
    for dep in ${links[$lib]}; do todo+=("$dep"); done
  done
}

for lib in "${libraries[@]}"; do
  : >"$work/allowed"
  for dep in $(reach "$lib"); do cat "$work/defined.$dep" >>"$work/allowed"; done
  LC_ALL=C sort -u -o "$work/allowed" "$work/allowed"
  LC_ALL=C comm -23 "$work/undefined.$lib" "$work/allowed" |
    LC_ALL=C comm -12 - "$work/ours" >"$work/outside"
  [ -s "$work/outside" ] || continue
  failed=1
  while read -r symbol; do
    owners=""
    for other in "${libraries[@]}"; do
      grep -qxF "$symbol" "$work/defined.$other" && owners+=" $other"
    done
    echo "check_layers: $lib uses $(c++filt "$symbol"), defined in${owners}, which it does not link"
  done <"$work/outside"
done

if ((failed)); then
  echo "check_layers: the libraries do not form layers"
  exit 1
fi
echo "check_layers: ${#libraries[@]} libraries form layers"

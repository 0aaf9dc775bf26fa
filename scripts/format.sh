#!/usr/bin/env bash
# Usage: scripts/format.sh [--check] [--all | FILE...]
# Formats C++ sources with Debian 12's clang-format 14 and the repository's
# .clang-format, so everyone's editor and CI agree on one layout. Without
# files, it formats what changed against HEAD (staged, unstaged and new files);
# --all takes every tracked C++ file. --check changes nothing and fails,
# listing the files, when any of them is not formatted.
set -euo pipefail
cd "$(dirname "$0")/.."

FORMAT=clang-format-14
command -v "$FORMAT" >/dev/null || { echo "format.sh: $FORMAT is missing (scripts/setup.sh installs it)" >&2; exit 2; }

check=0
all=0
files=()
for arg in "$@"; do
  case "$arg" in
    --check) check=1 ;;
    --all) all=1 ;;
    -*) echo "usage: scripts/format.sh [--check] [--all | FILE...]" >&2; exit 2 ;;
    *) files+=("$arg") ;;
  esac
done

is_cpp() { [[ "$1" =~ \.(cpp|h)$ ]] && [ -f "$1" ]; }

if ((all)); then
  mapfile -t files < <(git ls-files '*.cpp' '*.h')
elif ((${#files[@]} == 0)); then
  mapfile -t files < <({ git diff --name-only HEAD 2>/dev/null; git ls-files --others --exclude-standard; } | sort -u)
fi

targets=()
for f in "${files[@]}"; do is_cpp "$f" && targets+=("$f"); done
((${#targets[@]})) || exit 0

if ((check)); then
  bad=()
  for f in "${targets[@]}"; do
    "$FORMAT" --dry-run --Werror "$f" >/dev/null 2>&1 || bad+=("$f")
  done
  if ((${#bad[@]})); then
    printf 'format.sh: not formatted (run scripts/format.sh%s):\n' "$( ((all)) && echo ' --all')" >&2
    printf '  %s\n' "${bad[@]}" >&2
    exit 1
  fi
else
  "$FORMAT" -i "${targets[@]}"
fi

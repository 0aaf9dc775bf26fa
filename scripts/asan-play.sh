#!/usr/bin/env bash
# Plays tests/e2e/play.sh with the game built with AddressSanitizer and leak
# checking: any memory error ends the game and fails the run, and so does a
# leak whose allocation passed through our own code. Leaks that the system
# libraries keep for the process's life are suppressed by tests/e2e/lsan.supp
# where their stacks can be named; the blocks hanging off them are allocated
# by libraries built without frame pointers, whose stacks cannot be unwound
# (the slow unwinder deadlocks under the software GL driver), so they are
# told apart by having no frame of ours and are listed but not counted.
# Builds build-asan when it has no game.
# Usage: scripts/asan-play.sh
set -euo pipefail
cd "$(dirname "$0")/.."
root="$(pwd)"

[ -x build-asan/bin/digmaze ] || bash scripts/build.sh asan
logs="$(mktemp -d)"
trap 'rm -rf "$logs"' EXIT

ASAN_OPTIONS="detect_leaks=1:log_path=$logs/asan" \
  LSAN_OPTIONS="suppressions=$root/tests/e2e/lsan.supp:print_suppressions=0:exitcode=0" \
  bash tests/e2e/play.sh build-asan/bin

shopt -s nullglob
reports=("$logs"/asan.*)
if grep -l "ERROR: AddressSanitizer" "${reports[@]}" /dev/null >/dev/null; then
  cat "${reports[@]}" >&2
  echo "asan-play.sh: AddressSanitizer found a memory error" >&2
  exit 1
fi
# Each leak is a paragraph starting with "Direct leak" or "Indirect leak".
ours=$(awk -v root="$root/" '
  /^(Direct|Indirect) leak/ { if (block != "" && mine) print block; block = $0; mine = 0; next }
  /^$/ { if (block != "" && mine) print block; block = ""; next }
  block != "" { block = block "\n" $0; if (index($0, root "GUI/") || index($0, root "game/")) mine = 1 }
  END { if (block != "" && mine) print block }' "${reports[@]}" /dev/null)
if [ -n "$ours" ]; then
  printf '%s\n' "$ours" >&2
  echo "asan-play.sh: memory leaked from our code" >&2
  exit 1
fi
others=$(cat "${reports[@]}" /dev/null | grep -c "^\(Direct\|Indirect\) leak" || true)
echo "asan-play.sh: no memory error and no leak from our code ($others leaks of system libraries left)"

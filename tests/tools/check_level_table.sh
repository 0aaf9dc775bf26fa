#!/usr/bin/env bash
# Usage: check_level_table.sh SOURCE_DIR BUILD_DIR
# tools/levels/README.md ends with the tables tools/levels/table.sh prints:
# they must be what it prints today from the maps and replays, and table.sh
# must find the difficulty rising as the README says it does.
set -euo pipefail
src="$1"
build="$2"
table="$(mktemp)"
trap 'rm -f "$table"' EXIT
bash "$src/tools/levels/table.sh" "$build" >"$table"
if tail -n "$(wc -l <"$table")" "$src/tools/levels/README.md" | diff - "$table"; then
  echo "the level table is up to date"
else
  echo "tools/levels/README.md does not end with what table.sh prints: run tools/levels/table.sh" >&2
  exit 1
fi

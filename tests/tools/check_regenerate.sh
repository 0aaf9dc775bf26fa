#!/usr/bin/env bash
# Usage: check_regenerate.sh SOURCE_DIR BUILD_DIR
# Runs every content generator into a scratch folder and fails unless the
# result equals data/ byte for byte (data/Maps aside, which tools/levels makes;
# the help pictures are drawn from the first of those maps as committed).
set -euo pipefail
src="$1"
build="$2"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
bash "$src/tools/regenerate.sh" "$build" "$tmp/data"
if diff -r --exclude=Maps "$src/data" "$tmp/data"; then
  echo "data/ regenerates identically"
else
  echo "data/ differs from what tools/ generates: run tools/regenerate.sh $build" >&2
  exit 1
fi

#!/usr/bin/env bash
# Usage: scripts/build.sh [release|asan]
# Installs what is missing, configures and builds. "release" (the default)
# builds into build/, "asan" into build-asan/ with AddressSanitizer and
# UndefinedBehaviorSanitizer. Both treat warnings as errors.
set -euo pipefail
cd "$(dirname "$0")/.."

kind="${1:-release}"
bash scripts/setup.sh

case "$kind" in
  release) dir=build; opts=(-DCMAKE_BUILD_TYPE=RelWithDebInfo) ;;
  asan)    dir=build-asan; opts=(-DCMAKE_BUILD_TYPE=Debug -DDIGMAZE_SANITIZE=ON -DDIGMAZE_BENCHMARKS=OFF) ;;
  *) echo "usage: scripts/build.sh [release|asan]" >&2; exit 2 ;;
esac

cmake -S . -B "$dir" -G Ninja -DDIGMAZE_WERROR=ON "${opts[@]}" >/dev/null
cmake --build "$dir"

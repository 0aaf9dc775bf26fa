#!/usr/bin/env bash
# Usage: scripts/build.sh [release|asan|tsan] [TARGET...]
# Installs what is missing, configures and builds (only the given targets when
# there are any). "release" (the default) builds into build/, "asan" into
# build-asan/ with AddressSanitizer and UndefinedBehaviorSanitizer, "tsan" into
# build-tsan/ with ThreadSanitizer. All treat warnings as errors.
set -euo pipefail
cd "$(dirname "$0")/.."

kind="${1:-release}"
shift || true
bash scripts/setup.sh

case "$kind" in
  release) dir=build; opts=(-DCMAKE_BUILD_TYPE=RelWithDebInfo) ;;
  asan)    dir=build-asan; opts=(-DCMAKE_BUILD_TYPE=Debug -DDIGMAZE_SANITIZE=ON -DDIGMAZE_BENCHMARKS=OFF) ;;
  tsan)    dir=build-tsan; opts=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DDIGMAZE_TSAN=ON -DDIGMAZE_BENCHMARKS=OFF) ;;
  *) echo "usage: scripts/build.sh [release|asan|tsan] [TARGET...]" >&2; exit 2 ;;
esac

cmake -S . -B "$dir" -G Ninja -DDIGMAZE_WERROR=ON "${opts[@]}" >/dev/null
targets=()
(($#)) && targets=(--target "$@")
cmake --build "$dir" "${targets[@]}"

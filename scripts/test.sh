#!/usr/bin/env bash
# Builds and runs every test: the unit and integration tests, the end-to-end
# checks under Xvfb, the whole suite again under the sanitizers, and one game
# played end to end under AddressSanitizer with leak checking.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/build.sh release
ctest --test-dir build --output-on-failure -j2

for check in tests/e2e/*.sh; do
  [ -e "$check" ] || continue
  echo "== $check"
  bash "$check" build/bin
done

bash scripts/build.sh asan
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j2

bash scripts/asan-play.sh

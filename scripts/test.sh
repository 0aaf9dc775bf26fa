#!/usr/bin/env bash
# Usage: scripts/test.sh [quick]
# Without an argument, builds and runs every test: the unit and integration
# tests, the end-to-end checks under Xvfb (with a short run of every fuzz
# target beside them), the whole suite again under the address and undefined
# behaviour sanitizers, one game played end to end under AddressSanitizer with
# leak checking, and the sound and timer tests under ThreadSanitizer.
# "quick" checks the layout of the C++ files changed against HEAD, builds
# build/ incrementally and runs the unit and integration tests only: the loop
# to run after a small change. The full run checks the layout of every file.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" = quick ]; then
  command -v clang-format-14 >/dev/null || bash scripts/setup.sh
  bash scripts/format.sh --check
  [ -f build/build.ninja ] || bash scripts/build.sh release
  cmake --build build
  exec ctest --test-dir build --output-on-failure -j2
fi
[ $# -eq 0 ] || { echo "usage: scripts/test.sh [quick]" >&2; exit 2; }

bash scripts/setup.sh
export DIGMAZE_SETUP_DONE=1
started=$SECONDS
stage() { echo "== $* ($((SECONDS - started)) s)"; }

stage "formatting"
bash scripts/format.sh --check --all

stage "release build and tests"
bash scripts/build.sh release
ctest --test-dir build --output-on-failure -j2

# The end-to-end scripts spend most of their time waiting for the game, so
# the fuzzers are built and run beside them, one at a time at a lower
# priority. 15 s per target catches a new crash at once; longer runs are for
# people (scripts/fuzz.sh 600).
stage "end-to-end checks, with the fuzz targets beside them"
mkdir -p build
nice -n 10 bash scripts/fuzz.sh 15 >build/fuzz.log 2>&1 &
fuzz=$!
trap 'kill "$fuzz" 2>/dev/null || true' EXIT
for check in tests/e2e/*.sh; do
  [ -e "$check" ] || continue
  echo "== $check"
  bash "$check" build/bin
done
fuzz_rc=0
wait "$fuzz" || fuzz_rc=$?
trap - EXIT
cat build/fuzz.log
((fuzz_rc == 0)) || { echo "test.sh: a fuzz target found something (exit $fuzz_rc)" >&2; exit 1; }

stage "sanitizer build and tests"
bash scripts/build.sh asan
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j2
bash scripts/asan-play.sh

# The threads the program starts (the audio device's, SDL's timer thread) meet
# the main thread in the sound and timer code; only those tests are built.
stage "thread sanitizer build and tests"
bash scripts/build.sh tsan gui_sound_sdl_test gui_audio_mixer_test gui_platform_sdl_test
TSAN_OPTIONS=halt_on_error=1 \
  ctest --test-dir build-tsan --output-on-failure -j2 -R '^(GSoundBass|GAudioMixer|PlatformSDL)'
stage "done"

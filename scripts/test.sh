#!/usr/bin/env bash
# Builds and runs every test: the unit and integration tests, the end-to-end
# checks under Xvfb, the whole suite again under the address and undefined
# behaviour sanitizers, one game played end to end under AddressSanitizer with
# leak checking, the sound and timer tests under ThreadSanitizer, and a short
# run of every fuzz target.
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

# The threads the program starts (the audio device's, SDL's timer thread) meet
# the main thread in the sound and timer code; only those tests are built.
bash scripts/build.sh tsan gui_sound_sdl_test gui_audio_mixer_test gui_platform_sdl_test
TSAN_OPTIONS=halt_on_error=1 \
  ctest --test-dir build-tsan --output-on-failure -j2 -R '^(GSoundBass|GAudioMixer|PlatformSDL)'

# 15 s per fuzz target catches a new crash at once; longer runs are for people
# (scripts/fuzz.sh 600).
bash scripts/fuzz.sh 15

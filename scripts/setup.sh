#!/usr/bin/env bash
# Installs the Debian packages the build, the tests, the fuzzers (clang with
# libFuzzer) and the data generators need.
# Idempotent: only packages that are missing are installed, and apt's package
# lists are refreshed once, only when something has to be installed.
# DIGMAZE_SETUP_DONE=1 (set by scripts/test.sh after its own run) skips the
# check, so one test run looks at the packages once.
set -euo pipefail
[ "${DIGMAZE_SETUP_DONE:-0}" = 1 ] && exit 0

PACKAGES=(
  g++ cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libsdl2-dev libstb-dev libfreetype-dev fonts-dejavu-core
  xvfb xdotool imagemagick xdg-utils x11-utils
  dpkg-dev desktop-file-utils appstream lintian man-db shared-mime-info libxml2-utils
  clang libclang-rt-14-dev clang-format-14
  vorbis-tools python3
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -q
  $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

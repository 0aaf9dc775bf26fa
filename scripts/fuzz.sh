#!/usr/bin/env bash
# Usage: scripts/fuzz.sh [SECONDS [TARGET...]]
# Builds the libFuzzer programs of tests/fuzz with clang into build-fuzz/,
# writes the seed corpora from the shipped data into build-fuzz/seeds/, and runs
# each target (every one by default) for SECONDS (default 60). The corpus each
# run grows is kept in build-fuzz/corpus/<target>/, a crashing, leaking,
# hanging or memory-hungry input in build-fuzz/findings/<target>/. Prints per
# target the executions and the coverage (cov: edges, ft: features) reached,
# and exits non-zero when any target found something.
# DIGMAZE_FUZZ_NO_BUILD=1 skips configuring, building and seeding (for runs
# started side by side after one build).
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
shift || true
all=(map_file map_index saved_game drive font settings language markup image wav music replay)
targets=("$@")
((${#targets[@]})) || targets=("${all[@]}")

dir=build-fuzz
seeds="$dir/seeds"
if [ "${DIGMAZE_FUZZ_NO_BUILD:-0}" != 1 ]; then
  bash scripts/setup.sh
  CC=clang CXX=clang++ cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DDIGMAZE_FUZZ=ON -DDIGMAZE_BENCHMARKS=OFF >/dev/null
  cmake --build "$dir" --target fuzz_programs

  # Seeds: the shipped files as they are. The targets with no shipped files of
  # their own start from the samples kept in tests/fuzz/regressions/, which
  # every run reads; libFuzzer still wants their seed folders to exist.
  rm -rf "$seeds"
  for t in "${all[@]}"; do mkdir -p "$seeds/$t"; done
  cp data/Maps/*.dmm "$seeds/map_file/"
  cp data/Maps/index.dml "$seeds/map_index/"
  cp data/solutions/*.txt "$seeds/replay/"
  for f in data/windows/*.txt; do
    case "$f" in *LICENSE*) ;; *) cp "$f" "$seeds/font/" ;; esac
  done
  cp data/vdd/image/*.png data/windows/*.tga data/windows/cursors/* "$seeds/image/"
  for f in data/help/*.png; do cp "$f" "$seeds/image/help-$(basename "$f")"; done
  cp data/vdd/sound/*.wav "$seeds/wav/"
  # The jingles and the tests' short pieces; the themes are too long to mutate quickly.
  cp data/music/won.ogg data/music/end.ogg tests/GUI/sound/music/*.ogg "$seeds/music/"
fi

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
failed=0
printf '%-11s %10s %7s %7s %7s  %s\n' target execs cov ft corpus result
for t in "${targets[@]}"; do
  corpus="$dir/corpus/$t"
  findings="$dir/findings/$t"
  log="$dir/logs/$t.log"
  mkdir -p "$corpus" "$findings" "$(dirname "$log")"
  dict=()
  [ -f "tests/fuzz/$t.dict" ] && dict=(-dict="tests/fuzz/$t.dict")
  # Inputs that once crashed are run first, under the same limits (libFuzzer
  # adds new inputs only to the first folder, the corpus).
  kept=()
  [ -d "tests/fuzz/regressions/$t" ] && kept=("tests/fuzz/regressions/$t")
  rc=0
  "$dir/tests/fuzz/fuzz_$t" "$corpus" "$seeds/$t" "${kept[@]}" "${dict[@]}" \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$findings/" >"$log" 2>&1 || rc=$?
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  last=$(grep -E '^#[0-9]+.*cov: ' "$log" | tail -1 || true)
  cov=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$last")
  ft=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$last")
  size=$(find "$corpus" -type f | wc -l)
  result=ok
  if [ "$rc" -ne 0 ]; then
    result="FOUND (exit $rc): see $log and $findings/"
    failed=1
  fi
  printf '%-11s %10s %7s %7s %7s  %s\n' "$t" "${execs:-?}" "${cov:-?}" "${ft:-?}" "$size" "$result"
done
exit "$failed"

// The map editor's check on each campaign level, as the check program runs it
// (digmaze-check, in its own process while the editor goes on): the time
// until its answer, which should be a win within 10 s of a core for levels
// 1 to 30, and the states it searched. Run it alone on a quiet machine, or
// read the processor time rather than the wall time.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "game/sim/CCheckReport.h"
#include "tools/levels/MapCheck.h"

namespace {

void BM_CheckCampaignLevel(benchmark::State& state) {
  char name[32];
  std::snprintf(name, sizeof name, "/data/Maps/level%02d.dmm", static_cast<int>(state.range(0)));
  const std::string path = std::string(DIGMAZE_BENCH_SOURCE_DIR) + name;
  CCheckReport report;
  for (auto _ : state) {
    report = CCheckReport();
    if (!RunMapCheck(path.c_str(), [&report](const std::string& line) { report.Take(line); }))
      state.SkipWithError("the map cannot be read");
  }
  if (report.GetAnswer() != CCheckReport::Answer::won) state.SkipWithError("no win found");
  state.counters["states"] = static_cast<double>(report.GetStates());
  state.counters["won_at_s"] = report.GetTicks() / 20.0;
}
BENCHMARK(BM_CheckCampaignLevel)
    ->DenseRange(1, 30)
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();

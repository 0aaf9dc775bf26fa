// The resource drives at start-up, over the game's real data (data/vdd): the
// first launch builds and shuffles both drives from the loose folders, every
// later start only mounts the two pairs of files.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "GUI/platform/GPlatformUnix.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;

namespace {

// The POSIX platform with its game folder in a temporary folder that links
// to the source tree's drive folders.
class BenchPlatform : public GPlatformUnix {
 public:
  explicit BenchPlatform(const std::string& folder)
      : GPlatformUnix(nullptr, "DigmazeBench"), folder(folder) {}
  CFerroString GetPathToGame() override { return CFerroString(folder.c_str()); }

 private:
  std::string folder;
};

class GameFolder {
 public:
  GameFolder() {
    fs::create_directory_symlink(fs::path(DIGMAZE_BENCH_SOURCE_DIR) / "data/vdd", path + "vdd");
  }
  void RemoveDrives() const {
    for (const char* name : {"image.vdt", "image.vdd", "sound.vdt", "sound.vdd"})
      fs::remove(path + name);
  }
  bool Connect(BenchPlatform& platform) const {
    return platform.ConnectVirtualDrive(path.c_str(), "image") &&
           platform.ConnectVirtualDrive(path.c_str(), "sound");
  }

  TempDir scratch;
  const std::string& path = scratch.Path();
};

void BM_BuildDrivesOnFirstLaunch(benchmark::State& state) {
  GameFolder game;
  for (auto _ : state) {
    state.PauseTiming();
    game.RemoveDrives();
    auto platform = std::make_unique<BenchPlatform>(game.path);
    state.ResumeTiming();
    if (!game.Connect(*platform)) state.SkipWithError("the drives could not be built");
    state.PauseTiming();
    platform.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_BuildDrivesOnFirstLaunch)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_MountDrivesOnLaterStarts(benchmark::State& state) {
  GameFolder game;
  {
    BenchPlatform first(game.path);
    if (!game.Connect(first)) state.SkipWithError("the drives could not be built");
  }
  for (auto _ : state) {
    state.PauseTiming();
    auto platform = std::make_unique<BenchPlatform>(game.path);
    state.ResumeTiming();
    if (!game.Connect(*platform)) state.SkipWithError("the drives could not be mounted");
    state.PauseTiming();
    platform.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_MountDrivesOnLaterStarts)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();

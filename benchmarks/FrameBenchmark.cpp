// One frame of the running game at 1024 x 768 under SDL's dummy video driver
// (the software renderer): a tick on a still picture, a tick after a drawing
// or a cursor move (partial upload and present), and a tick that uploads and
// presents everything, which is what every tick cost before frames were
// presented only on change.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>

#include "GUI/graphics/GDevice.h"
#include "GUI/graphics/GImage.h"
#include "GUI/graphics/GSurface.h"
#include "GUI/platform/GPlatformSDL.h"
#include "game/app/GButtonDM.h"
#include "GUI/toolkit/GScene.h"
#include "game/app/GGameDM.h"
#include "game/model/GMap.h"
#include "game/model/GMapList.h"

namespace {

// The platform with its game folder in a temporary folder, so the benchmark
// writes nothing beside itself.
class FolderPlatform : public GPlatformSDL {
 public:
  FolderPlatform(GGame* game, const char* name, std::string folder)
      : GPlatformSDL(game, name), folder(std::move(folder)) {}
  CFerroString GetPathToGame() override { return CFerroString(folder.c_str()); }

 private:
  std::string folder;
};

class BenchGame : public GGameDM {
 public:
  explicit BenchGame(std::string folder)
      : GGameDM(GGameDM::kId, "Digmaze", "1.0", true), folder(std::move(folder)) {}
  GPlatform* NewPlatform(GGame* owner, const char* name) override {
    return new FolderPlatform(owner, name, folder);
  }

 private:
  std::string folder;
};

// The game on its start scene with a 16 x 16 cursor, one frame presented.
// With withData the game folder holds the shipped maps and pictures.
class Frame {
 public:
  explicit Frame(bool withData = false) {
    std::string pattern = (std::filesystem::temp_directory_path() / "dmbench.XXXXXX").string();
    if (mkdtemp(pattern.data())) folder = pattern + "/";
    if (withData) {
      namespace fs = std::filesystem;
      const fs::path data = fs::path(DIGMAZE_BENCH_SOURCE_DIR) / "data";
      fs::copy(data / "Maps", folder + "Maps", fs::copy_options::recursive);
      fs::copy(data / "windows", folder + "windows", fs::copy_options::recursive);
      fs::create_directories(folder + "vdd");
      fs::copy(data / "vdd" / "image", folder + "vdd/image", fs::copy_options::recursive);
    }
    game = std::make_unique<BenchGame>(folder);
    ready = game->CreateGame(nullptr, 0, 0);
    if (!ready) return;
    GSurface* arrow = game->GetDevice()->AddSurface();
    arrow->Create(16, 16);
    arrow->FillRect(0, 0, 16, 16, 0xFFFFFF);
    game->defaultCursor = game->GetDevice()->AddPicture(arrow, 0, 0);
    game->SetCursorPosition(512, 384);
    game->PlatformTimer();
  }
  ~Frame() {
    game.reset();
    std::error_code ignored;
    if (!folder.empty()) std::filesystem::remove_all(folder, ignored);
  }

  std::unique_ptr<BenchGame> game;
  std::string folder;
  bool ready = false;
};

void BM_FrameStill(benchmark::State& state) {
  Frame frame;
  if (!frame.ready) return state.SkipWithError("no game");
  for (auto _ : state) frame.game->PlatformTimer();
}
BENCHMARK(BM_FrameStill);

// A square of the given side drawn in the back surface, then the tick.
void BM_FrameChangedRect(benchmark::State& state) {
  Frame frame;
  if (!frame.ready) return state.SkipWithError("no game");
  const int side = static_cast<int>(state.range(0));
  unsigned color = 0;
  for (auto _ : state) {
    frame.game->GetBackSurface()->FillRect(100, 100, side, side, color += 0x010203);
    frame.game->PlatformTimer();
  }
}
BENCHMARK(BM_FrameChangedRect)->Arg(32)->Arg(256);

void BM_FrameCursorMove(benchmark::State& state) {
  Frame frame;
  if (!frame.ready) return state.SkipWithError("no game");
  int step = 0;
  for (auto _ : state) {
    frame.game->SetCursorPosition(500 + (++step & 15), 384);
    frame.game->PlatformTimer();
  }
}
BENCHMARK(BM_FrameCursorMove);

void BM_FrameFull(benchmark::State& state) {
  Frame frame;
  if (!frame.ready) return state.SkipWithError("no game");
  for (auto _ : state) {
    frame.game->GetDevice()->RequestFullPresent();
    frame.game->PlatformTimer();
  }
}
BENCHMARK(BM_FrameFull);

// A tick of the game scene while the runner walks along the first shipped
// level: the level's update, its drawing with the status line, the upload
// and the present.
void BM_FrameGameScene(benchmark::State& state) {
  Frame frame(true);
  if (!frame.ready || !GMapList::GetInstance()->Load()) return state.SkipWithError("no game");
  GButtonDM::RunCommand(CMD_START_GAME, frame.game->GetScene(SCENE_MENU));
  if (frame.game->GetCurrentSceneIndex() != SCENE_GAME) return state.SkipWithError("no level");
  GMap* map = GMap::GetInstance();
  int ticks = 0;
  for (auto _ : state) {
    // Back and forth, so the runner keeps moving.
    if (ticks++ % 64 == 0) map->PressKey((ticks / 64) % 2 ? PLAYER_LEFT : PLAYER_RIGHT);
    frame.game->PlatformTimer();
  }
}
BENCHMARK(BM_FrameGameScene);

}  // namespace

int main(int argc, char** argv) {
  // Headless unless the caller chose drivers.
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

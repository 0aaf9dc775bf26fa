// One frame of the running game at 1024 x 768 under SDL's dummy video driver
// (the software renderer): a tick on a still picture, a tick after a drawing
// or a cursor move (partial upload and present), and a tick that uploads and
// presents everything, which is what every tick cost before frames were
// presented only on change.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>

#include "GUI/graphics/GDevice.h"
#include "GUI/graphics/GImage.h"
#include "GUI/graphics/GSurface.h"
#include "GUI/platform/GPlatformSDL.h"
#include "GUI/toolkit/GScene.h"
#include "game/app/CUndoRedo.h"
#include "game/app/GButtonDM.h"
#include "game/app/GDialogLevels.h"
#include "game/app/GDialogMaps.h"
#include "game/app/GGameDM.h"
#include "game/app/GSceneGame.h"
#include "game/app/GSceneLevels.h"
#include "game/app/GSceneMapsManager.h"
#include "game/model/GMap.h"
#include "game/model/GMapList.h"
#include "game/model/GMapText.h"
#include "game/model/GUnit.h"
#include "tests/support/TempDir.h"

namespace {

// The platform with its game folder in a temporary folder, so the benchmark
// writes nothing beside itself.
class FolderPlatform : public GPlatformSDL {
 public:
  FolderPlatform(GGame* game, const char* name, std::string folder)
      : GPlatformSDL(game, name), folder(std::move(folder)) {}
  CFerroString GetPathToGame() override { return CFerroString(folder.c_str()); }
  // The player's maps stay in the game folder too.
  CFerroString GetUserDataFolder() override { return CFerroString(folder.c_str()); }
  // The clock stands at clock when that is not 0.
  unsigned GetTick() override { return clock ? clock : GPlatformSDL::GetTick(); }
  unsigned clock = 0;

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
  FolderPlatform* Platform() { return static_cast<FolderPlatform*>(platform.get()); }

 private:
  std::string folder;
};

// The game on its start scene with a 16 x 16 cursor, one frame presented.
// With withData the game folder holds the shipped maps and pictures.
class Frame {
 public:
  explicit Frame(bool withData = false) {
    const std::string& folder = scratch.Path();
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
  // The game goes before its folder.
  TempDir scratch;
  std::unique_ptr<BenchGame> game;
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

// A tick of the game scene in which the runner and two aliens move (/0): the
// level's update, the drawing of what moved, the upload and the present. The
// three walk along floors of their own, the runner turning every eight
// squares and the aliens at the walls, so every tick moves all three. /1 is
// a frame between two ticks in smooth motion: three frames a tick, each
// drawing the three a pixel further on their way (the ticks are not timed).
void BM_FrameGameScene(benchmark::State& state) {
  const bool between = state.range(0) == 1;
  Frame frame(true);
  if (!frame.ready || !GMapList::GetInstance()->Load()) return state.SkipWithError("no game");
  auto* play = static_cast<GSceneGame*>(frame.game->GetScene(SCENE_GAME));
  if (!play->EnterPlay(PlayEntry::newGame, GMapList::GetInstance()->names[0]))
    return state.SkipWithError("no level");
  GMap* map = GMap::GetInstance();
  const std::string corridors =
      "==============================\n"
      "=....A.......................=\n"
      "==============================\n"
      "=...............R............=\n"
      "==============================\n"
      "=.......................A....=\n"
      "==============================\n";
  if (!GMapText::ToMap(corridors, *map)) return state.SkipWithError("no map");
  map->StartLoaded();
  frame.game->PlatformTimer();  // the new level, drawn whole
  auto place = [map] {
    return std::array<std::pair<int, int>, 3>{{{map->runner->x, map->runner->y},
                                               {map->aliens[0]->x, map->aliens[0]->y},
                                               {map->aliens[1]->x, map->aliens[1]->y}}};
  };
  int ticks = 0;
  int still = 0;
  unsigned& clock = frame.game->Platform()->clock;
  clock = 1000;
  const auto tick = [&] {
    if (ticks++ % 64 == 0) map->PressKey((ticks / 64) % 2 ? PLAYER_LEFT : PLAYER_RIGHT);
    const auto before = place();
    clock += 50;
    frame.game->PlatformTimer();
    const auto after = place();
    for (size_t i = 0; i < before.size(); ++i) still += before[i] == after[i];
  };
  int frames = 0;
  for (auto _ : state) {
    if (!between) {
      tick();
      continue;
    }
    const int k = frames++ % 3;
    if (k == 0) {
      state.PauseTiming();
      tick();
      state.ResumeTiming();
    }
    clock = 1000 + 50 * static_cast<unsigned>(ticks) + 12 * static_cast<unsigned>(k + 1);
    frame.game->PlatformFrame();
  }
  if (map->state != GMap::STATE_PLAYING) return state.SkipWithError("the level stopped");
  if (still > 0) state.SkipWithError("a unit stood still during a tick");
}
BENCHMARK(BM_FrameGameScene)->Arg(0)->Arg(1);

// Entering the maps manager for the first time with 300 maps in the folder
// and the index: the folder scan, the list check and the 300 miniatures
// (each map read, its background drawn and reduced). Every iteration builds
// the grid anew.
void BM_OpenMapsManager300(benchmark::State& state) {
  Frame frame(true);
  GMapList* list = GMapList::GetInstance();
  if (!frame.ready || !list->Load()) return state.SkipWithError("no game");
  namespace fs = std::filesystem;
  const std::string maps = frame.scratch.Path() + "Maps/";
  while (list->GetCount() < 300) {
    const std::string name = "copy" + std::to_string(list->GetCount()) + ".dmm";
    fs::copy_file(maps + list->names[list->GetCount() % 5].c_str(), maps + name);
    list->names.emplace_back(name.c_str());
  }
  list->Save();
  GGame* game = frame.game.get();
  auto* manager = static_cast<GSceneMapsManager*>(game->GetScene(SCENE_MAPS));
  for (auto _ : state) {
    state.PauseTiming();
    manager->GetMaps()->DeleteAllChildren();
    game->SetScene(SCENE_MENU);
    state.ResumeTiming();
    game->SetScene(SCENE_MAPS);
    game->PlatformTimer();  // the first frame of the grid
  }
  if (manager->GetMaps()->GetMinimapCount() != 300) state.SkipWithError("not 300 miniatures");
}
BENCHMARK(BM_OpenMapsManager300)->Unit(benchmark::kMillisecond)->Iterations(5);

// Entering the level select with 100 levels: the digest of every map and its
// record, and the first frame. The first entry (range 1) also draws the 100
// miniatures; later ones (range 0) only those of maps that changed, none here.
void BM_OpenLevelSelect100(benchmark::State& state) {
  Frame frame(true);
  GMapList* list = GMapList::GetInstance();
  if (!frame.ready || !list->Load()) return state.SkipWithError("no game");
  const std::string maps = frame.scratch.Path() + "Maps/";
  while (list->GetCount() < 100) {
    const std::string name = "copy" + std::to_string(list->GetCount()) + ".dmm";
    std::filesystem::copy_file(maps + list->names[list->GetCount() % 5].c_str(), maps + name);
    list->names.emplace_back(name.c_str());
  }
  GGame* game = frame.game.get();
  auto* levels = static_cast<GSceneLevels*>(game->GetScene(SCENE_LEVELS));
  for (auto _ : state) {
    state.PauseTiming();
    if (state.range(0)) levels->GetLevels()->DeleteAllChildren();
    game->SetScene(SCENE_MENU);
    state.ResumeTiming();
    game->SetScene(SCENE_LEVELS);
    game->PlatformTimer();  // the first frame of the grid
  }
  if (levels->GetLevels()->GetLevelCount() != 100) state.SkipWithError("not 100 levels");
}
BENCHMARK(BM_OpenLevelSelect100)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(5);

// One undo (range 0) or one redo (range 1) of a stroke on a 30 x 20 map
// whose every square holds something: the snapshot read back, the
// background rebuilt and drawn.
void BM_EditorUndoRedo(benchmark::State& state) {
  Frame frame(true);
  if (!frame.ready) return state.SkipWithError("no game");
  GGame* game = frame.game.get();
  GButtonDM::RunCommand(CMD_MAP_EDITOR, game->GetScene(SCENE_MENU));
  GButtonDM::RunCommand(CMD_CREATE_MAP, game->GetScene(SCENE_MAPS));
  GMap* map = GMap::GetInstance();
  const int codes[] = {CELL_BRICK, CELL_FLOOR, CELL_LINE, CELL_LADDER, CELL_TREASURE, CELL_ALIEN};
  for (int y = 0; y < map->height; ++y)
    for (int x = 0; x < map->width; ++x)
      map->cells[y * map->width + x] = GCell::CreateCell(codes[(x + y) % 6]);
  map->RefreshMapBackground();
  // The stroke: a runner start painted in the middle.
  map->paletteCode = CELL_UNIT;
  map->ChangeCell(15, 10, true);
  map->FinishUndo();
  CTRLZ* history = CTRLZ::GetInstance();
  if (history->GetCount() != 1) return state.SkipWithError("no step");
  const bool redo = state.range(0) == 1;
  for (auto _ : state) {
    if (redo) {
      state.PauseTiming();
      history->Undo();
      state.ResumeTiming();
      history->Redo();
    } else {
      history->Undo();
      state.PauseTiming();
      history->Redo();
      state.ResumeTiming();
    }
  }
  game->SetScene(SCENE_MAPS);  // drops the history and its files
}
BENCHMARK(BM_EditorUndoRedo)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

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

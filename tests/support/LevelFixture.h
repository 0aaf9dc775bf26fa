#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "game/model/ANIMATION_LIST_ALIEN.h"
#include "game/model/ANIMATION_LIST_UNIT.h"
#include "game/model/GMap.h"
#include "game/model/GMapList.h"
#include "game/model/GMapText.h"
#include "game/model/GModelMedia.h"
#include "game/model/GSavedGame.h"
#include "game/model/GUnit.h"
#include "game/sim/GSimulation.h"
#include "tests/support/Files.h"
#include "tests/support/Scoped.h"
#include "tests/support/Streams.h"

namespace fs = std::filesystem;
// A unit's pixel position and animation, compared as one value.
using Pos = std::tuple<int, int, int>;

// A level built from rows of text (see GMapText) and driven tick by tick with
// the game scene's key handling.
class LevelFixture : public ::testing::Test {
 protected:
  void TearDown() override {
    units->NewGame();
    units->ClearControl();
    units->steering = Steering::keepGoing;
    map->Clear();
  }

  // A fresh temporary folder, the maps folder until the test ends.
  fs::path MapsFolder() {
    maps.emplace();
    mapsPath.emplace(GModelMedia::SetPathToMaps, maps->Path().c_str());
    return fs::path(maps->Path()).parent_path();
  }
  static Bytes Cut(const Bytes& bytes, size_t n) { return {bytes.begin(), bytes.begin() + n}; }
  static std::string Rows(const std::vector<std::string>& rows) {
    std::string text;
    for (const auto& row : rows) text += row + "\n";
    return text;
  }
  // A 30 x 20 level: a frame of floor, bricks, ladders, a line, treasures, an exit in
  // the right wall, the runner and three aliens; the rows below are empty.
  static std::vector<std::string> Level30x20() {
    std::istringstream text(R"(==============================
=R..........$........A.......=
=######H######....######H####=
=......H.................H...=
=......H...A......$.....H...=X
=##########H####=====#######==
=..........H.................=
=..$.......H.......A.........=
=============-------==========)");
    std::vector<std::string> rows;
    for (std::string row; std::getline(text, row);) rows.push_back(row);
    rows.resize(19, "=" + std::string(28, '.') + "=");
    rows.push_back(std::string(30, '='));
    return rows;
  }
  void Build(const std::vector<std::string>& rows) {
    ASSERT_TRUE(GMapText::ToMap(Rows(rows), *map));
  }
  void Start(const std::vector<std::string>& rows) {
    Build(rows);
    sim = GSimulation();
    sim.Begin();
  }
  void Press(SIM_KEY key) {
    sim.KeyDown(key);
    sim.KeyUp(key);
  }
  void Go() { map->SetState(GMap::STATE_PLAYING); }
  void Run(int n) {
    for (int i = 0; i < n && map->state == GMap::STATE_PLAYING; ++i) map->Update();
  }
  // Runs n ticks, then where the runner (unit -1) or alien unit is.
  Pos After(int n, int unit = -1) {
    Run(n);
    const GUnit& u = unit < 0 ? *map->runner : *map->aliens.at(unit);
    return {u.x, u.y, u.animation};
  }
  static void Place(GUnit& unit, int x, int y, int animation) {
    unit.x = x;
    unit.y = y;
    unit.animation = animation;
    unit.frame = 0;
  }
  GUnit& Alien(int i) { return *map->aliens.at(i); }
  int CellAt(int x, int y) { return map->GetCell(x, y)->GetType(); }

  GMap* map = GMap::GetInstance();
  ANIMATION_LIST_UNIT* units = ANIMATION_LIST_UNIT::GetInstance();
  ANIMATION_LIST_ALIEN* aliens = ANIMATION_LIST_ALIEN::GetInstance();
  GSimulation sim;
  std::vector<int> played;  // Samples the model asked to play.
  ScopedValue<std::function<void(int)>> recorder{GModelMedia::soundRecorder,
                                                 [this](int sample) { played.push_back(sample); }};
  ScopedValue<CFerroString> level{GMapList::GetInstance()->currentName, ""};
  std::optional<TempDir> maps;
  std::optional<ScopedHook> mapsPath;
};

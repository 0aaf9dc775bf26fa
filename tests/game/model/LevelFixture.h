#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "GUI/foundation/CFerroStreamMemory.h"
#include "game/model/ANIMATION_LIST_ALIEN.h"
#include "game/model/ANIMATION_LIST_UNIT.h"
#include "game/model/GMap.h"
#include "game/model/GMapList.h"
#include "game/model/GMapText.h"
#include "game/model/GModelMedia.h"
#include "game/model/GSavedGame.h"
#include "game/model/GUnit.h"
#include "game/sim/GSimulation.h"

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;
// A unit's pixel position and animation, compared as one value.
using Pos = std::tuple<int, int, int>;

// A level built from rows of text (see GMapText) and driven tick by tick with
// the game scene's key handling.
class LevelFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    GModelMedia::soundRecorder = [this](int sample) { played.push_back(sample); };
  }
  void TearDown() override {
    GModelMedia::soundRecorder = nullptr;
    for (int* s : {&units->soundHorizontalStep, &units->soundVerticalStep, &units->soundTreasure,
                   &units->soundLife, &units->soundHole, &aliens->closeHoleSound})
      *s = -1;
    units->NewGame();
    units->ClearControl();
    map->Clear();
    GModelMedia::SetPathToMaps(nullptr);
    GMapList::GetInstance()->currentName = "";
    if (!folder.empty()) fs::remove_all(folder);
  }

  // A fresh temporary folder, used as the maps folder.
  const fs::path& MapsFolder() {
    folder = fs::temp_directory_path() / ("digmaze-model-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    GModelMedia::SetPathToMaps((folder.string() + "/").c_str());
    return folder;
  }
  // A copy of bytes with the 32-bit little-endian value written at offset at.
  static Bytes Patched(Bytes bytes, size_t at, int32_t value) {
    for (size_t i = 0; i < 4 && at + i < bytes.size(); ++i)
      bytes[at + i] = static_cast<unsigned char>(static_cast<uint32_t>(value) >> (8 * i));
    return bytes;
  }
  static fs::path SourceDir() {
    const char* dir = std::getenv("DIGMAZE_SOURCE_DIR");
    return dir ? fs::path(dir) : fs::path(".");
  }
  static Bytes FileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  static Bytes Cut(const Bytes& bytes, size_t n) { return {bytes.begin(), bytes.begin() + n}; }
  // Runs a serializer writing to, or reading from, a memory stream.
  template <typename F>
  static Bytes Written(F serialize) {
    CFerroStreamMemory out;
    out.Open(nullptr, 0, CFerroStream::modeWrite);
    EXPECT_TRUE(serialize(out));
    return Bytes(out.GetBuffer(), out.GetBuffer() + out.GetLength());
  }
  template <typename F>
  static auto ReadWith(const Bytes& bytes, F serialize) {
    CFerroStreamMemory in;
    in.Open(bytes.data(), static_cast<unsigned>(bytes.size()), CFerroStream::modeRead);
    return serialize(in);
  }
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
  // Builds the grid and starts it as a new game, waiting for a key.
  void Start(const std::vector<std::string>& rows) {
    Build(rows);
    sim = GSimulation();
    sim.Begin();
  }
  void Press(SIM_KEY key) {
    sim.KeyDown(key);
    sim.KeyUp(key);
  }
  // Starts a waiting level without touching the controls.
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
  GUnit& Runner() { return *map->runner; }
  GUnit& Alien(int i) { return *map->aliens.at(i); }
  int CellAt(int x, int y) { return map->GetCell(x, y)->GetType(); }

  GMap* map = GMap::GetInstance();
  ANIMATION_LIST_UNIT* units = ANIMATION_LIST_UNIT::GetInstance();
  ANIMATION_LIST_ALIEN* aliens = ANIMATION_LIST_ALIEN::GetInstance();
  GSimulation sim;
  std::vector<int> played;
  fs::path folder;
};

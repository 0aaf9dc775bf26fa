#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/model/ANIMATION_LIST_ALIEN.h"
#include "game/model/ANIMATION_LIST_UNIT.h"
#include "game/model/GMap.h"
#include "game/model/GMapList.h"
#include "game/model/GMapText.h"
#include "game/model/GModelMedia.h"
#include "game/model/GUnit.h"
#include "game/sim/GSimulation.h"

// A level built from rows of text (see GMapText) and driven tick by tick with
// the game scene's key handling.
class LevelFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    GModelMedia::soundRecorder = [this](int sample) { played.push_back(sample); };
    map = GMap::GetInstance();
    unitList = ANIMATION_LIST_UNIT::GetInstance();
    alienList = ANIMATION_LIST_ALIEN::GetInstance();
  }
  void TearDown() override {
    GModelMedia::soundRecorder = nullptr;
    map->Clear();
  }

  // A copy of bytes with the 32-bit little-endian value written at offset at.
  static std::vector<unsigned char> Patched(std::vector<unsigned char> bytes, size_t at,
                                            int32_t value) {
    for (size_t i = 0; i < 4 && at + i < bytes.size(); ++i)
      bytes[at + i] = static_cast<unsigned char>(static_cast<uint32_t>(value) >> (8 * i));
    return bytes;
  }
  // Builds the grid from rows of text (a leading line break is dropped) without starting it.
  void Build(const std::string& rows) {
    ASSERT_TRUE(GMapText::ToMap(rows.substr(rows.starts_with('\n') ? 1 : 0), *map));
  }
  // Builds the grid and starts it as a new game, waiting for a key.
  void Start(const std::string& rows) {
    Build(rows);
    sim = GSimulation();
    sim.Begin();
  }
  // A key pressed and released at once.
  void Press(SIM_KEY key) {
    sim.KeyDown(key);
    sim.KeyUp(key);
  }
  // Starts a waiting level without touching the controls.
  void Go() { map->SetState(GMap::STATE_PLAYING); }
  // Runs n ticks of a playing level.
  void Run(int n) {
    for (int i = 0; i < n && map->state == GMap::STATE_PLAYING; ++i) map->Update();
  }
  GUnit& Runner() { return *map->runner; }
  GUnit& Alien(int i) { return *map->aliens.at(i); }
  int CellAt(int x, int y) { return map->GetCell(x, y)->GetType(); }

  GMap* map = nullptr;
  ANIMATION_LIST_UNIT* unitList = nullptr;
  ANIMATION_LIST_ALIEN* alienList = nullptr;
  GSimulation sim;
  std::vector<int> played;
};

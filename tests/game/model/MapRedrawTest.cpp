#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "GUI/graphics/GDevice.h"
#include "GUI/graphics/GSurface.h"
#include "game/model/ANIMATION_LIST_UNIT.h"
#include "game/model/GMap.h"
#include "game/model/GUnit.h"
#include "tests/support/Files.h"
#include "tests/support/HeadlessGame.h"
#include "tests/support/Scoped.h"

namespace fs = std::filesystem;

namespace {

// One application for the whole program, with the shipped pictures: the
// sprites' transparent parts and the units overlapping one another are what
// a redraw of changes must get right.
class ShippedPictures : public ::testing::Environment {
 public:
  void SetUp() override {
    fs::create_directories(fs::path(dir.Path()) / "Image");
    for (const auto& file : fs::directory_iterator(SourceDir() / "data" / "vdd" / "image"))
      fs::copy_file(file.path(), fs::path(dir.Path()) / "Image" / file.path().filename());
    game = std::make_unique<HeadlessGame>(dir.Path());
    ASSERT_TRUE(game->CreateGame(nullptr, 1024, 768));
  }
  void TearDown() override { game.reset(); }
  TempDir dir;
  std::unique_ptr<HeadlessGame> game;
};
ShippedPictures* pictures =
    static_cast<ShippedPictures*>(::testing::AddGlobalTestEnvironment(new ShippedPictures));

// A long random play, driven as the game scene drives it: keys now and then,
// a pause as the in-game menu makes, the end of a level held still with its
// tint, then the restart. After every tick the back buffer, drawn only where
// something changed, holds exactly the bytes of a whole redraw.
void PlayAndCompare(const char* level, unsigned seed) {
  GMap* map = GMap::GetInstance();
  ScopeExit empty([map] { map->Clear(); });
  const std::string path = (SourceDir() / "data" / "Maps" / level).string();
  ASSERT_TRUE(map->LoadFromPath(path.c_str()));
  ANIMATION_LIST_UNIT::GetInstance()->NewGame();
  map->StartLoaded();

  GSurface* back = pictures->game->GetBackSurface();
  GSurface* whole = pictures->game->GetDevice()->AddSurface();
  ScopeExit drop([whole] { pictures->game->GetDevice()->DeleteSurface(whole); });
  ASSERT_TRUE(whole->Create(back->GetWidth(), back->GetHeight()));
  const size_t bytes = static_cast<size_t>(back->GetWidth()) * back->GetHeight() * 2;

  std::mt19937 random(seed);
  auto chance = [&random](unsigned n) { return random() % n == 0; };
  const PLAYER_KEY keys[] = {PLAYER_LEFT, PLAYER_RIGHT, PLAYER_UP, PLAYER_DOWN, PLAYER_DIG};
  for (int t = 0; t < 1500; ++t) {
    back->SetModified(false);
    if (map->state == GMap::STATE_WAITING || chance(5)) {
      const PLAYER_KEY key = keys[random() % 5];
      map->PressKey(key);
      if (key == PLAYER_DIG && chance(2)) map->ReleaseKey(key);
    }
    const bool playing = map->state == GMap::STATE_PLAYING;
    const bool ending = map->state == GMap::STATE_WON || map->state == GMap::STATE_CAUGHT;
    if (playing && chance(150))
      map->SetState(GMap::STATE_WAITING);
    else if (playing && chance(400))
      map->SetState(GMap::STATE_WON);  // As if the exit were reached: the aliens turn green.
    if (map->state == GMap::STATE_PLAYING) {
      map->Update();
    } else {
      if (ending) ++map->stateCounter;
      map->CopyChangesToBackbuffer();
      if (ending && map->stateCounter > 26) {
        if (map->state == GMap::STATE_CAUGHT) {
          map->Restart();
        } else {
          ASSERT_TRUE(map->LoadFromPath(path.c_str()));
          map->StartLoaded();
        }
      }
    }

    whole->Blt(back, 0, 0, 0, 0, 0, 0, false);
    map->DrawLevel(whole);
    ASSERT_EQ(std::memcmp(back->GetPixels(), whole->GetPixels(), bytes), 0)
        << "tick " << t << ", state " << map->state;
  }
}

TEST(MapRedrawTest, EveryTickLeavesThePictureOfAWholeRedraw) {
  const std::pair<const char*, unsigned> plays[] = {
      {"level08.dmm", 1}, {"level08.dmm", 2}, {"level15.dmm", 3},
      {"level15.dmm", 4}, {"level22.dmm", 5}, {"level22.dmm", 6},
      {"level29.dmm", 7}, {"level29.dmm", 8}, {"level30.dmm", 9}};
  for (auto [level, seed] : plays) {
    SCOPED_TRACE(std::string(level) + ", seed " + std::to_string(seed));
    PlayAndCompare(level, seed);
  }
}

}  // namespace

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "GUI/graphics/GSurface.h"
#include "game/model/GMap.h"
#include "game/model/GMapText.h"
#include "game/model/GUnit.h"
#include "tests/support/Files.h"
#include "tests/support/HeadlessGame.h"
#include "tests/support/Scoped.h"

namespace {
// One application for the whole program: the cell kinds keep the icons it loads.
// Bricks are red, the standing runner green, the standing alien blue; there are
// no other pictures.
class DrawEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    for (auto [name, pixel] :
         {std::pair{"brick", 0xFFFF0000u}, {"unit", 0xFF00FF00u}, {"alien", 0xFF0000FFu}}) {
      // An uncompressed (type 2) 32 x 32 TGA of one colour, 32 bits a pixel with 8 of alpha.
      ByteBuilder tga;
      tga.Raw(std::string("\0\0\2\0\0\0\0\0\0\0\0\0", 12)).Short(32).Short(32).Raw("\x20\x08");
      for (int i = 0; i < 32 * 32; ++i) tga.Int(static_cast<int32_t>(pixel));
      ASSERT_TRUE(WriteText(dir / ("Image/" + std::string(name) + ".png"), tga.bytes));
    }
    game = std::make_unique<HeadlessGame>(dir.Path());
    ASSERT_TRUE(game->CreateGame(nullptr, 1024, 768));
  }
  void TearDown() override { game.reset(); }
  TempDir dir;
  std::unique_ptr<HeadlessGame> game;
};
DrawEnvironment* environment =
    static_cast<DrawEnvironment*>(::testing::AddGlobalTestEnvironment(new DrawEnvironment));

// A pixel as 5-bit red, green and blue.
unsigned Pixel(GSurface* surface, int x, int y) {
  SURFACE_RGB rgb;
  surface->GetPixelRGB(x, y, &rgb);
  auto channel = [](float v) { return static_cast<unsigned>(v * 255.0f + 0.5f) >> 3; };
  return channel(rgb.r) << 10 | channel(rgb.g) << 5 | channel(rgb.b);
}
constexpr unsigned kRed = 31 << 10, kGreen = 31 << 5, kBlue = 31, kBlack = 0;
}  // namespace

TEST(MapDrawTest, BackgroundFollowsTheMapAndEndStatesTintTheAliens) {
  GMap* map = GMap::GetInstance();
  ScopeExit empty([map] { map->Clear(); });  // keeps no device surface past the application
  ASSERT_TRUE(GMapText::ToMap("#..\n", *map));
  GSurface* bg = map->GetMapBackground();
  ASSERT_NE(bg, nullptr);
  map->SetCell(1, 0, CELL_BRICK);
  EXPECT_EQ(Pixel(bg, 37, 31), kRed);

  ASSERT_TRUE(GMapText::ToMap("R.A$\n####\n", *map));
  bg = map->GetMapBackground();
  ASSERT_NE(bg, nullptr);
  EXPECT_EQ(std::pair(bg->GetWidth(), bg->GetHeight()), std::pair(128, 64));
  // No treasure picture: drawn black.
  EXPECT_EQ((std::vector{Pixel(bg, 5, 37), Pixel(bg, 101, 5)}), (std::vector{kRed, kBlack}));
  map->StartLoaded();
  GSurface* back = environment->game->GetBackSurface();
  const int left = (1024 - 128) / 2, top = 10;
  auto alien = [&] { return map->CopyToBackbuffer(), Pixel(back, left + 66, top + 2); };

  EXPECT_EQ(alien(), kBlue);  // waiting: everyone standing
  EXPECT_EQ(Pixel(back, left + 2, top + 2), kGreen);
  // Drawing only what changed clears the place a unit left.
  map->runner->x = 32;
  map->CopyChangesToBackbuffer();
  EXPECT_EQ((std::vector{Pixel(back, left + 2, top + 2), Pixel(back, left + 34, top + 2)}),
            (std::vector{kBlack, kGreen}));
  // Playing, the walking alien has no picture: only the background shows there.
  map->SetState(GMap::STATE_PLAYING);
  EXPECT_EQ(alien(), kBlack);
  // Caught, after 75 ticks: the aliens stand again, a third of the way to red.
  map->SetState(GMap::STATE_CAUGHT);
  map->stateCounter = 75;
  const unsigned tinted = alien();
  EXPECT_NEAR(static_cast<int>(tinted >> 10), 10, 1);
  EXPECT_EQ((tinted >> 5) & 31, 0u);
  EXPECT_NEAR(static_cast<int>(tinted & 31), 21, 1);
}

// Between ticks a unit that moved a step is drawn on its way by the motion
// phase; one that moved further (out of or into a hole) and units whose
// positions jumped (SettleUnits) are drawn where they stand. The partial
// drawing leaves the picture a whole draw leaves at every phase.
TEST(MapDrawTest, UnitsAreDrawnBetweenTicksButNeverAcrossAJump) {
  GMap* map = GMap::GetInstance();
  ScopeExit empty([map] {
    map->SetMotionPhase(GMap::kPhaseWhole);
    map->Clear();
  });
  ASSERT_TRUE(GMapText::ToMap("R.....\n######\n", *map));
  map->StartLoaded();
  GUnit& runner = *map->runner;
  const struct {
    int fromX, x, phase, drawnX;
  } cases[] = {
      {0, 4, 0, 0},                        // at the tick: where it stood
      {0, 4, GMap::kPhaseWhole / 2, 2},    // half-way
      {0, 4, GMap::kPhaseWhole / 3, 1},    // rounded to the nearest pixel
      {8, 4, GMap::kPhaseWhole / 4, 7},    // leftwards
      {0, 4, GMap::kPhaseWhole, 4},        // the next tick's place
      {0, 36, GMap::kPhaseWhole / 2, 36},  // more than a step: a jump
      {100, 64, 0, 64},                    // a jump leftwards
  };
  GSurface* back = environment->game->GetBackSurface();
  const int left = (1024 - 192) / 2, top = 10;
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.fromX) + " -> " + std::to_string(c.x) + " at " +
                 std::to_string(c.phase));
    runner.fromX = c.fromX;
    runner.x = c.x;
    map->SetMotionPhase(c.phase);
    int x = 0, y = 0;
    map->GetDrawnPosition(runner, x, y);
    EXPECT_EQ(x, c.drawnX);
    EXPECT_EQ(map->HasUnitsInMotion(), std::abs(c.x - c.fromX) <= 4);
    map->CopyChangesToBackbuffer();
    EXPECT_EQ(Pixel(back, left + c.drawnX, top), kGreen);
    EXPECT_EQ(Pixel(back, left + c.drawnX + 32, top), kBlack);
    if (c.drawnX > 0) {
      EXPECT_EQ(Pixel(back, left + c.drawnX - 1, top), kBlack);
    }
  }
  runner.fromX = 0;
  runner.x = 4;
  map->SetMotionPhase(0);
  map->SettleUnits();
  int x = 0, y = 0;
  map->GetDrawnPosition(runner, x, y);
  EXPECT_EQ(x, 4);
  EXPECT_FALSE(map->HasUnitsInMotion());
}

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>

#include "GUI/graphics/GSurface.h"
#include "game/model/ANIMATION_LIST_ALIEN.h"
#include "game/model/ANIMATION_LIST_UNIT.h"
#include "game/model/GMap.h"
#include "game/model/GMapText.h"
#include "game/model/GUnit.h"
#include "tests/GUI/platform/HeadlessGame.h"

namespace {
// An uncompressed 32 x 32 TGA of one colour.
void WriteIcon(const std::string& path, unsigned char r, unsigned char g, unsigned char b) {
  std::ofstream out(path, std::ios::binary);
  const unsigned char header[18] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 32, 0, 32, 0, 32, 8};
  out.write(reinterpret_cast<const char*>(header), sizeof header);
  for (int i = 0; i < 32 * 32; ++i) {
    const unsigned char pixel[4] = {b, g, r, 255};
    out.write(reinterpret_cast<const char*>(pixel), 4);
  }
}

// One application for the whole program: the cell kinds keep the icons it loads.
class DrawEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    std::filesystem::create_directories(dir / "Image");
    WriteIcon(dir / "Image/brick.png", 255, 0, 0);
    WriteIcon(dir / "Image/unit.png", 0, 255, 0);
    WriteIcon(dir / "Image/alien.png", 0, 0, 255);
    game = std::make_unique<HeadlessGame>(dir.Path());
    ASSERT_TRUE(game->CreateGame(nullptr, 1024, 768));
  }
  void TearDown() override { game.reset(); }
  TempDir dir;
  std::unique_ptr<HeadlessGame> game;
};
DrawEnvironment* environment =
    static_cast<DrawEnvironment*>(::testing::AddGlobalTestEnvironment(new DrawEnvironment));

unsigned Pixel(GSurface* surface, int x, int y) {
  SURFACE_RGB rgb;
  surface->GetPixelRGB(x, y, &rgb);
  auto channel = [](float v) { return static_cast<unsigned>(v * 255.0f + 0.5f) >> 3; };
  return channel(rgb.r) << 10 | channel(rgb.g) << 5 | channel(rgb.b);
}
constexpr unsigned kRed = 31 << 10, kGreen = 31 << 5, kBlue = 31, kBlack = 0;
}  // namespace

TEST(MapDrawTest, BackgroundDrawsIconsAndBlackAndFollowsTheMapSize) {
  GMap* map = GMap::GetInstance();
  ASSERT_TRUE(GMapText::ToMap("#.$\n", *map));
  GSurface* bg = map->GetMapBackground();
  ASSERT_NE(bg, nullptr);
  EXPECT_EQ(bg->GetWidth(), 96);
  EXPECT_EQ(Pixel(bg, 5, 5), kRed);
  EXPECT_EQ(Pixel(bg, 37, 5), kBlack);
  EXPECT_EQ(Pixel(bg, 69, 5), kBlack);  // no treasure picture: drawn black
  map->SetCell(1, 0, CELL_BRICK);
  EXPECT_EQ(Pixel(bg, 37, 31), kRed);

  ASSERT_TRUE(GMapText::ToMap("..\n#.\n", *map));
  bg = map->GetMapBackground();
  ASSERT_NE(bg, nullptr);
  EXPECT_EQ(bg->GetWidth(), 64);
  EXPECT_EQ(bg->GetHeight(), 64);
  EXPECT_EQ(Pixel(bg, 3, 40), kRed);
  map->Clear();
}

TEST(MapDrawTest, EndStatesTintTheAliensAndMissingSpritesAreSkipped) {
  GMap* map = GMap::GetInstance();
  ASSERT_TRUE(GMapText::ToMap("R.A$\n####\n", *map));
  map->StartLoaded();
  GSurface* back = environment->game->GetBackSurface();
  int left, top;
  map->GetPositionTV(left, top);
  EXPECT_EQ(left, (1024 - 128) / 2);

  map->CopyToBackbuffer();  // waiting: everyone standing
  EXPECT_EQ(Pixel(back, left + 2, top + 2), kGreen);
  EXPECT_EQ(Pixel(back, left + 66, top + 2), kBlue);
  EXPECT_EQ(Pixel(back, left + 40, top + 40), kRed);

  // Playing, the walking alien has no picture: only the background shows there.
  map->SetState(GMap::STATE_PLAYING);
  ASSERT_NE(map->aliens[0]->animation, ANIM_STAND);
  map->CopyToBackbuffer();
  EXPECT_EQ(Pixel(back, left + 66, top + 2), kBlack);

  // Caught, after 75 ticks: the aliens stand, a third of the way to red.
  map->SetState(GMap::STATE_CAUGHT);
  map->stateCounter = 75;
  map->CopyToBackbuffer();
  EXPECT_EQ(map->aliens[0]->animation, ANIM_STAND);
  const unsigned tinted = Pixel(back, left + 66, top + 2);
  EXPECT_NEAR(static_cast<int>(tinted >> 10), 10, 1);
  EXPECT_EQ((tinted >> 5) & 31, 0u);
  EXPECT_NEAR(static_cast<int>(tinted & 31), 21, 1);

  map->SetState(GMap::STATE_WON);
  map->CopyToBackbuffer();  // counter 0: no tint yet
  EXPECT_EQ(Pixel(back, left + 66, top + 2), kBlue);
  map->Clear();
}

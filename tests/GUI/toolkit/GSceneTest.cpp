#include <gtest/gtest.h>

#include "GUI/graphics/GSurface.h"
#include "GUI/toolkit/GScene.h"
#include "tests/GUI/platform/HeadlessGame.h"

namespace {

// Paints its whole client area; the dirty rectangle clips what lands.
class PaintingScene : public GScene {
 public:
  void OnRender() override {
    ++renders;
    game->GetBackSurface()->FillRect(0, 0, width, height, 0xFFFFFF);
  }
  int renders = 0;
};

unsigned short Pixel(GSurface* s, int x, int y) {
  return reinterpret_cast<unsigned short*>(s->GetPixels())[y * s->GetWidth() + x];
}

using Scene = HeadlessGameTest;

}  // namespace

TEST_F(Scene, TakesTheSceneSizeAndRedrawsOnlyDirtyParts) {
  auto* scene = new PaintingScene;
  int w = 0, h = 0;
  scene->GetSize(w, h);
  EXPECT_EQ(w, 64);
  EXPECT_EQ(h, 48);
  game.AddScene(scene);
  GSurface* back = game.GetBackSurface();

  scene->RenderAll();
  EXPECT_EQ(scene->renders, 1);
  EXPECT_EQ(Pixel(back, 63, 47), 0x7FFF);
  scene->RenderAll();
  EXPECT_EQ(scene->renders, 1);

  // Only the invalidated rectangle is painted again.
  back->Clear(0);
  scene->InvalidateRect(CFerroRect(10, 10, 12, 11));
  scene->RenderAll();
  EXPECT_EQ(scene->renders, 2);
  EXPECT_EQ(Pixel(back, 10, 10), 0x7FFF);
  EXPECT_EQ(Pixel(back, 11, 10), 0x7FFF);
  EXPECT_EQ(Pixel(back, 12, 10), 0);
  EXPECT_EQ(Pixel(back, 10, 11), 0);

  // A hidden scene draws nothing.
  scene->Show(false);
  scene->Invalidate();
  scene->RenderAll();
  EXPECT_EQ(scene->renders, 2);
}

TEST_F(Scene, ResizedWithTheVideoMode) {
  game.AddScene(new PaintingScene);
  game.AddScene(new PaintingScene);
  game.OnChangeVideoMode(32, 16);
  for (int i = 0; i < 2; ++i) {
    int w = 0, h = 0;
    game.GetScene(i)->GetSize(w, h);
    EXPECT_EQ(w, 32);
    EXPECT_EQ(h, 16);
  }
  EXPECT_EQ(game.GetBackSurface()->GetWidth(), 32);
  EXPECT_TRUE(game.GetScene()->IsDirty());
}

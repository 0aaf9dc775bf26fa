#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>

#include "GUI/graphics/GDevice16SDL.h"
#include "GUI/graphics/GSurface16.h"
#include "GUI/platform/GGame.h"

// These tests run with SDL's dummy video driver: its desktop is 1024 x 768, it
// has no OpenGL windows and no accelerated renderer.

namespace {

struct TestGame : GGame {
  TestGame() : GGame(GUID_GAME{}, "graphics-test", "1.0", true) {}
};

TEST(GDeviceSDL, OpaqueTextureTakesTheFrameThroughOneLock) {
  GDevice16SDL device(true, nullptr);
  ASSERT_TRUE(device.Create(0, 0)) << SDL_GetError();
  ASSERT_NE(device.GetRenderer(), nullptr) << "falls back to the software renderer";
  Uint32 format = 0;
  SDL_BlendMode blend = SDL_BLENDMODE_BLEND;
  ASSERT_EQ(SDL_QueryTexture(device.GetTexture(), &format, nullptr, nullptr, nullptr), 0);
  ASSERT_EQ(SDL_GetTextureBlendMode(device.GetTexture(), &blend), 0);
  EXPECT_EQ(format, static_cast<Uint32>(SDL_PIXELFORMAT_RGB888));
  EXPECT_EQ(device.GetBackbufferBPP(), 32);
  EXPECT_EQ(blend, SDL_BLENDMODE_NONE);

  device.SetOnlyListedModes(false);
  VIDEO_MODE mode{800, 600, 32};
  ASSERT_TRUE(device.SetVideoMode(&mode));
  int l, t, r, b;
  device.GetTexRect(l, t, r, b);
  EXPECT_EQ(l * 1000 + t, 112 * 1000 + 84) << "centred in the 1024 x 768 window";

  GSurface* back = device.AddSurface();
  ASSERT_TRUE(back->Create(800, 600));
  back->Clear(0xFF0000);
  SURFACE_LOCKED lock, second;
  ASSERT_TRUE(device.LockBackbuffer(&lock));
  ASSERT_NE(lock.bits, nullptr);
  EXPECT_FALSE(device.LockBackbuffer(&second)) << "one lock at a time";
  EXPECT_EQ(second.bits, nullptr);
  back->SetModified(true);
  back->CopyToTexture32(lock.bits, lock.pitch);
  uint32_t last = 0;
  std::memcpy(&last, static_cast<uint8_t*>(lock.bits) + 599 * lock.pitch + 799 * 4, 4);
  EXPECT_EQ(last & 0xFFFFFF, 0xFF0000u);
  device.UnlockBackbuffer();
  device.Render();
}

TEST(GDeviceSDL, WithoutRendererOrTextureTheFrameIsSkipped) {
  GDevice16SDL device(true, nullptr);  // never created: no window, renderer or texture
  SURFACE_LOCKED lock;
  lock.bits = &lock;
  EXPECT_FALSE(device.LockBackbuffer(&lock));
  EXPECT_EQ(lock.bits, nullptr);
  device.UnlockBackbuffer();
  device.Render();
  device.ChangeResolution(true, true);  // no window: nothing to render into
  EXPECT_EQ(device.GetTexture(), nullptr);
}

TEST(GDeviceSDL, MouseMovesTheCursorRelativelyFullScreenAbsolutelyWindowed) {
  TestGame game;
  VIDEO_MODE mode{800, 600, 32};
  {
    GDevice16SDL device(true, nullptr);
    ASSERT_TRUE(device.Create(0, 0));
    device.SetOnlyListedModes(false);
    ASSERT_TRUE(device.SetVideoMode(&mode));
    EXPECT_EQ(game.cursorX * 1000 + game.cursorY, 400 * 1000 + 300) << "centred after the change";
    // The picture is drawn 1:1, 800 pixels wide: one window pixel is 800 / 799 scene pixels.
    device.ChangeCursorPositionByGlobalCursor(512 + 1, 384);
    EXPECT_EQ(game.cursorX, 401);
    device.ChangeCursorPositionByGlobalCursor(512 + 1 + 400, 384 - 2);
    EXPECT_EQ(game.cursorX * 1000 + game.cursorY, 801 * 1000 + 298) << "trunc(400 x 800 / 799)";
  }
  GDevice16SDL device(false, nullptr);
  ASSERT_TRUE(device.Create(640, 480));
  device.SetOnlyListedModes(false);
  mode = VIDEO_MODE{1024, 768, 32};
  ASSERT_TRUE(device.SetVideoMode(&mode));
  device.ChangeCursorPositionByGlobalCursor(100, 50);
  EXPECT_EQ(game.cursorX * 1000 + game.cursorY, 160 * 1000 + 80) << "trunc(100 x 1024 / 639)";
}

TEST(GDeviceSDL, APictureWithoutSpanMapsTheMouseOneToOne) {
  // A picture one pixel wide (the scene squeezed into a 1 x 1 window) or with
  // no rectangle at all (a device never created) has no span to divide by:
  // the mouse then moves the cursor one scene pixel per window pixel.
  TestGame game;
  {
    GDevice16SDL device(false, nullptr);
    ASSERT_TRUE(device.Create(1, 1));
    device.SetOnlyListedModes(false);
    VIDEO_MODE mode{1024, 768, 32};
    ASSERT_TRUE(device.SetVideoMode(&mode));
    int l, t, r, b;
    device.GetTexRect(l, t, r, b);
    ASSERT_EQ(r - l, 0);
    ASSERT_LT(b - t, 0);
    device.ChangeCursorPositionByGlobalCursor(l + 3, t + 2);
    EXPECT_EQ(game.cursorX * 1000 + game.cursorY, 3 * 1000 + 2) << "absolute, windowed";
  }
  GDevice16SDL never(true, nullptr);
  game.SetCursorPosition(100, 100);
  never.ChangeCursorPositionByGlobalCursor(5, -7);
  EXPECT_EQ(game.cursorX * 1000 + game.cursorY, 105 * 1000 + 93) << "relative, no picture";
}

}  // namespace

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>

#include "GUI/graphics/GDevice16SDL.h"
#include "GUI/graphics/GSurface16.h"
#include "GUI/platform/GGame.h"
#include "GUI/platform/GPlatformSDL.h"

// These tests run with SDL's dummy video driver: its desktop is 1024 x 768, it
// has no OpenGL windows and no accelerated renderer.

namespace {

struct TestGame : GGame {
  TestGame() : GGame(GUID_GAME{}, "graphics-test", "1.0", true) {}
};

TEST(GDeviceSDL, CreatesAWindowRendererAndOpaque16BitTexture) {
  GDevice16SDL device(true, nullptr);
  ASSERT_TRUE(device.Create(0, 0)) << SDL_GetError();
  ASSERT_NE(GPlatformSDL::window, nullptr);
  EXPECT_FALSE(device.IsWindowed());
  int w, h;
  device.GetSize(w, h);
  EXPECT_EQ(w * 10000 + h, 1024 * 10000 + 768);
  ASSERT_NE(device.GetRenderer(), nullptr) << "falls back to the software renderer";
  ASSERT_NE(device.GetTexture(), nullptr);

  Uint32 format = 0;
  int tw = 0, th = 0;
  ASSERT_EQ(SDL_QueryTexture(device.GetTexture(), &format, nullptr, &tw, &th), 0);
  EXPECT_EQ(format, static_cast<Uint32>(SDL_PIXELFORMAT_ARGB1555));
  EXPECT_EQ(tw * 10000 + th, 1024 * 10000 + 768);
  SDL_BlendMode blend = SDL_BLENDMODE_BLEND;
  ASSERT_EQ(SDL_GetTextureBlendMode(device.GetTexture(), &blend), 0);
  EXPECT_EQ(blend, SDL_BLENDMODE_NONE);
  EXPECT_EQ(device.GetBackbufferBPP(), 16);
  EXPECT_TRUE(device.IsVisibleCursor());
  EXPECT_FALSE(device.IsLost());
}

TEST(GDeviceSDL, FrameCopyThroughTheLockedTexture) {
  GDevice16SDL device(true, nullptr);
  ASSERT_TRUE(device.Create(0, 0));
  device.SetOnlyListedModes(false);
  VIDEO_MODE mode{800, 600, 32};
  ASSERT_TRUE(device.SetVideoMode(&mode));
  int l, t, r, b;
  device.GetTexRect(l, t, r, b);
  EXPECT_EQ(l * 1000 + t, 112 * 1000 + 84) << "centred in the 1024 x 768 window";

  GSurface* back = device.AddSurface();
  ASSERT_TRUE(back->Create(800, 600));
  back->Clear(0xFF0000);
  SURFACE_LOCKED lock;
  ASSERT_TRUE(device.LockBackbuffer(&lock));
  ASSERT_NE(lock.bits, nullptr);
  EXPECT_GE(lock.pitch, 1600);
  SURFACE_LOCKED second;
  EXPECT_FALSE(device.LockBackbuffer(&second)) << "one lock at a time";
  EXPECT_EQ(second.bits, nullptr);
  back->CopyToTexture(lock.bits, lock.pitch);
  uint16_t last;
  std::memcpy(&last, static_cast<uint8_t*>(lock.bits) + 599 * lock.pitch + 799 * 2, 2);
  EXPECT_EQ(last, 0x7C00);
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
  EXPECT_EQ(device.GetRenderer(), nullptr);
  EXPECT_EQ(device.GetTexture(), nullptr);
}

TEST(GDeviceSDL, FullScreenMouseMovesTheCursorRelatively) {
  TestGame game;
  GDevice16SDL device(true, nullptr);
  ASSERT_TRUE(device.Create(0, 0));
  device.SetOnlyListedModes(false);
  VIDEO_MODE mode{800, 600, 32};
  ASSERT_TRUE(device.SetVideoMode(&mode));
  EXPECT_EQ(game.cursorX * 1000 + game.cursorY, 400 * 1000 + 300) << "centred after the change";

  // The picture is drawn 1:1, 800 pixels wide: one window pixel is 800 / 799 scene pixels.
  device.ChangeCursorPositionByGlobalCursor(512 + 1, 384);
  EXPECT_EQ(game.cursorX, 401);
  device.ChangeCursorPositionByGlobalCursor(512 + 1 + 400, 384 - 2);
  EXPECT_EQ(game.cursorX, 401 + 400) << "trunc(400 x 800 / 799) = 400";
  EXPECT_EQ(game.cursorY, 298);
}

TEST(GDeviceSDL, WindowedMouseMovesTheCursorAbsolutely) {
  TestGame game;
  GDevice16SDL device(false, nullptr);
  ASSERT_TRUE(device.Create(640, 480));
  EXPECT_TRUE(device.IsWindowed());
  device.SetOnlyListedModes(false);
  VIDEO_MODE mode{1024, 768, 32};
  ASSERT_TRUE(device.SetVideoMode(&mode));
  int l, t, r, b;
  device.GetTexRect(l, t, r, b);
  EXPECT_EQ(r * 1000 + b, 639 * 1000 + 479) << "shrunk to the window, keeping 4:3";

  device.ChangeCursorPositionByGlobalCursor(100, 50);
  EXPECT_EQ(game.cursorX, 160) << "trunc(100 x 1024 / 639)";
  EXPECT_EQ(game.cursorY, 80) << "trunc(50 x 768 / 479)";
}

}  // namespace

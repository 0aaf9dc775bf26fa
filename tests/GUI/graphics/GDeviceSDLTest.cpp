#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "GUI/foundation/CFerroRect.h"

#include "GUI/graphics/GDevice16SDL.h"
#include "GUI/graphics/GSurface16.h"
#include "GUI/platform/GGame.h"

// These tests run with SDL's dummy video driver: its desktop is 1024 x 768, it
// has no OpenGL windows and no accelerated renderer.

namespace {

struct TestGame : GGame {
  TestGame() : GGame(GUID_GAME{}, "graphics-test", "1.0", true) {}
  // A device the application owns, so the cursor is kept on its scene as
  // in the game.
  GDevice16SDL& OwnDevice(bool fullScreen) {
    device = std::make_unique<GDevice16SDL>(fullScreen, nullptr);
    return static_cast<GDevice16SDL&>(*device);
  }
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

TEST(GDeviceSDL, ThePointerLandsWhereItPointsAfterVisitingTheBorder) {
  // An 800 x 600 picture shown 1:1 in the 1024 x 768 dummy desktop, at
  // (112, 84), in full screen and in a window of the desktop's size: a
  // pointer in the border puts the cursor on the nearest edge of the
  // picture, and a pointer back on the picture puts it under the pointer,
  // however it went there (absolute pointers: touch, pens, remote desktops).
  struct Move {
    int x, y, cursorX, cursorY;
  } const moves[] = {
      {512 + 1, 384, 401, 300},        {1020, 760, 799, 599},
      {112 + 400, 84 + 300, 400, 300}, {0, 0, 0, 0},
      {112 + 10, 84 + 20, 10, 20},     {112 + 799, 84 + 599, 799, 599},
      {112 + 800, 84 + 600, 799, 599},
  };
  for (const bool fullScreen : {true, false}) {
    SCOPED_TRACE(fullScreen ? "full screen" : "window");
    TestGame game;
    GDevice16SDL& device = game.OwnDevice(fullScreen);
    ASSERT_TRUE(fullScreen ? device.Create(0, 0) : device.Create(1024, 768));
    device.SetOnlyListedModes(false);
    VIDEO_MODE mode{800, 600, 32};
    ASSERT_TRUE(device.SetVideoMode(&mode));
    EXPECT_EQ(game.cursorX * 1000 + game.cursorY, 400 * 1000 + 300) << "centred after the change";
    for (const Move& m : moves) {
      device.ChangeCursorPositionByGlobalCursor(m.x, m.y);
      EXPECT_EQ(game.cursorX * 1000 + game.cursorY, m.cursorX * 1000 + m.cursorY)
          << "pointer at (" << m.x << ", " << m.y << ")";
    }
  }
}

// A 320 x 240 picture in a 1024 x 768 window, presented the way the frame
// does: each rectangle copied into the texture, then one present.
class ScaledPresent : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(device.Create(1024, 768));
    device.SetOnlyListedModes(false);
    VIDEO_MODE mode{320, 240, 32};
    ASSERT_TRUE(device.SetVideoMode(&mode));
    picture = device.AddSurface();
    ASSERT_TRUE(picture->Create(320, 240));
  }
  void Present(const std::vector<CFerroRect>& rects) {
    for (const CFerroRect& rect : rects) {
      SURFACE_LOCKED lock;
      ASSERT_TRUE(device.LockBackbufferRect(rect, &lock));
      picture->CopyRectToTexture(lock.bits, lock.pitch, 32, rect);
      device.UnlockBackbuffer();
    }
    device.Render();
  }
  // The presented window, 0xRRGGBB a pixel, row by row.
  std::vector<Uint32> Window() {
    std::vector<Uint32> pixels(1024 * 768);
    EXPECT_EQ(SDL_RenderReadPixels(device.GetRenderer(), nullptr, SDL_PIXELFORMAT_RGB888,
                                   pixels.data(), 1024 * 4),
              0)
        << SDL_GetError();
    for (Uint32& p : pixels) p &= 0xFFFFFF;
    return pixels;
  }
  TestGame game;
  GDevice16SDL& device = game.OwnDevice(false);
  GSurface* picture = nullptr;
};

TEST_F(ScaledPresent, IntegerScalingRepeatsEachPixelInABlackBorder) {
  for (int y = 0; y < 240; ++y)
    for (int x = 0; x < 320; ++x)
      picture->FillRect(x, y, 1, 1, ((x % 32) * 8) << 16 | ((y % 32) * 8) << 8 | (x + y) % 256);
  // 1:1 (the device's first mode) the picture sits at (352, 264).
  Present({CFerroRect(0, 0, 320, 240)});
  const std::vector<Uint32> plain = Window();
  device.SetScaleMode(ScaleMode::Integer);
  Present({CFerroRect(0, 0, 320, 240)});
  EXPECT_EQ(device.GetIntermediate(), nullptr) << "a whole factor needs no second stage";
  // Three window pixels a picture pixel, the 960 x 720 picture at (32, 24).
  const std::vector<Uint32> window = Window();
  int wrong = 0;
  for (int y = 0; y < 768; ++y)
    for (int x = 0; x < 1024; ++x) {
      const bool in = x >= 32 && x < 992 && y >= 24 && y < 744;
      const Uint32 want = in ? plain[(264 + (y - 24) / 3) * 1024 + 352 + (x - 32) / 3] : 0u;
      wrong += window[y * 1024 + x] != want ? 1 : 0;
    }
  EXPECT_EQ(wrong, 0);
}

TEST_F(ScaledPresent, SharpScalingKeepsEdgesCrispAndShowsPartialUploadsAsAFullOne) {
  device.SetScaleMode(ScaleMode::Sharp);
  // Red on the left half, blue on the right: the edge is at window x 512.
  picture->FillRect(0, 0, 160, 240, 0xFF0000);
  picture->FillRect(160, 0, 160, 240, 0x0000FF);
  Present({CFerroRect(0, 0, 320, 240)});
  ASSERT_NE(device.GetIntermediate(), nullptr) << "sharp scaling by 3.2 goes through 4x";
  int w = 0, h = 0;
  SDL_QueryTexture(device.GetIntermediate(), nullptr, nullptr, &w, &h);
  EXPECT_EQ(w * 10000 + h, 1280 * 10000 + 960);
  const std::vector<Uint32> window = Window();
  // Filtered straight from 320 to 1024 pixels the edge would blur over three
  // or four pixels; through the whole factor it blends at most two.
  int blended = 0;
  for (int x = 0; x < 1024; ++x) {
    const Uint32 p = window[384 * 1024 + x];
    if (p != 0xFF0000u && p != 0x0000FFu) ++blended;
    EXPECT_EQ(p, x < 510 ? 0xFF0000u : x > 513 ? 0x0000FFu : p) << x;
  }
  EXPECT_LE(blended, 2);

  // Changes uploaded alone (in the middle, at an edge, at a corner) end up
  // exactly as when the whole picture is uploaded again.
  const CFerroRect changes[] = {CFerroRect(100, 100, 110, 107), CFerroRect(0, 50, 3, 240),
                                CFerroRect(317, 237, 320, 240)};
  unsigned color = 0x00FF00;
  for (const CFerroRect& change : changes) {
    picture->FillRect(change.left, change.top, change.Width(), change.Height(), color);
    color ^= 0xFFFF00;
    Present({change});
    const std::vector<Uint32> partial = Window();
    Present({CFerroRect(0, 0, 320, 240)});
    EXPECT_TRUE(partial == Window()) << change.left << ", " << change.top;
  }
}

}  // namespace

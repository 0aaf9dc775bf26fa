#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "GUI/foundation/CFerroRect.h"

#include "GUI/graphics/CPictureScaler.h"
#include "GUI/graphics/GDevice16SDL.h"
#include "GUI/graphics/GSurface16.h"
#include "GUI/platform/GGame.h"
#include "tests/support/Window.h"

// These tests run with SDL's dummy video driver: its desktop is 1024 x 768, it
// has no OpenGL windows and no accelerated renderer.

namespace {

struct TestGame : GGame {
  TestGame() : GGame(GUID_GAME{}, "graphics-test", "1.0", true) {}
  // A windowed device the application owns, as in the game.
  GDevice16SDL& OwnDevice() {
    device = std::make_unique<GDevice16SDL>(false, nullptr);
    return static_cast<GDevice16SDL&>(*device);
  }
};

TEST(GDeviceSDL, OpaqueTextureTakesTheFrameThroughOneLock) {
  // Never created: no window, renderer or texture, so no frame.
  GDevice16SDL never(true, nullptr);
  SURFACE_LOCKED lock, second;
  EXPECT_FALSE(never.LockBackbuffer(&lock));
  never.UnlockBackbuffer();
  never.Render();
  never.ChangeResolution(true, true);

  GDevice16SDL device(true, nullptr);
  device.SetPresentPath(PresentPath::Renderer);
  ASSERT_TRUE(device.Create(0, 0)) << SDL_GetError();
  ASSERT_NE(device.GetRenderer(), nullptr) << "falls back to the software renderer";
  Uint32 format = 0;
  SDL_BlendMode blend = SDL_BLENDMODE_BLEND;
  ASSERT_EQ(SDL_QueryTexture(device.GetTexture(), &format, nullptr, nullptr, nullptr), 0);
  ASSERT_EQ(SDL_GetTextureBlendMode(device.GetTexture(), &blend), 0);
  EXPECT_EQ(format, static_cast<Uint32>(SDL_PIXELFORMAT_RGB888));
  EXPECT_EQ(blend, SDL_BLENDMODE_NONE);

  device.SetOnlyListedModes(false);
  VIDEO_MODE mode{800, 600, 32};
  ASSERT_TRUE(device.SetVideoMode(&mode));
  GSurface* back = device.AddSurface();
  ASSERT_TRUE(back->Create(800, 600));
  back->Clear(0xFF0000);
  ASSERT_TRUE(device.LockBackbuffer(&lock));
  EXPECT_FALSE(device.LockBackbuffer(&second)) << "one lock at a time";
  back->SetModified(true);
  back->CopyToTexture32(lock.bits, lock.pitch);
  uint32_t last = 0;
  std::memcpy(&last, static_cast<uint8_t*>(lock.bits) + 599 * lock.pitch + 799 * 4, 4);
  EXPECT_EQ(last & 0xFFFFFF, 0xFF0000u);
  device.UnlockBackbuffer();
  device.Render();
}

// A picture shown in a window of the dummy driver the way the frame shows
// it: each rectangle copied into the back buffer, then one present.
class PresentedPicture {
 public:
  PresentedPicture(PresentPath path, CFerroSize picture, CFerroSize window, ScaleMode mode)
      : device(game.OwnDevice()), size(picture) {
    device.SetPresentPath(path);
    ok = device.Create(window.width, window.height);
    device.SetOnlyListedModes(false);
    VIDEO_MODE videoMode{picture.width, picture.height, 32};
    ok = ok && device.SetVideoMode(&videoMode);
    device.SetScaleMode(mode);
    surface = device.AddSurface();
    ok = ok && surface && surface->Create(picture.width, picture.height);
  }
  // Paints a rectangle of the picture in a pattern of its own, with edges in
  // every direction for the filter to blend.
  void Paint(const CFerroRect& r, unsigned seed) {
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) {
        const unsigned v = (x * 7 + y * 13 + seed * 5) % 32;
        surface->FillRect(x, y, 1, 1,
                          v << 19 | ((x ^ y ^ seed) % 32) << 11 | ((x + seed) % 4) << 6);
      }
  }
  void Present(const std::vector<CFerroRect>& rects) {
    for (const CFerroRect& rect : rects) {
      SURFACE_LOCKED lock;
      ASSERT_TRUE(device.LockBackbufferRect(rect, &lock));
      surface->CopyRectToTexture(lock.bits, lock.pitch, 32, rect);
      device.UnlockBackbuffer();
    }
    device.Render();
  }
  CFerroRect All() const { return CFerroRect(0, 0, size.width, size.height); }

  TestGame game;
  GDevice16SDL& device;
  CFerroSize size;
  GSurface* surface = nullptr;
  bool ok = false;
};

// The same frames presented both ways, in every scale mode, in windows
// larger and smaller than the picture and of odd sizes: after every partial
// update the window-surface path leaves the window exactly as the renderer
// path does (the software renderer here), and it pushes every window pixel
// that the change affects.
TEST(WindowSurfacePresent, ShowsWhatTheRendererShowsAfterEveryPartialUpdate) {
  const struct {
    CFerroSize picture, window;
  } fits[] = {
      {{320, 240}, {1024, 768}},
      {{320, 240}, {1001, 703}},
      {{320, 240}, {333, 251}},
      {{1024, 768}, {1000, 700}},
  };
  for (const auto& fit : fits) {
    const int w = fit.picture.width, h = fit.picture.height;
    // The first frame uploads everything; then changes in the middle, at the
    // edges and corners, two side by side and one across the whole picture.
    const std::vector<std::vector<CFerroRect>> frames = {
        {CFerroRect(0, 0, w, h)},
        {CFerroRect(10, 10, 20, 17)},
        {CFerroRect(0, 50, 3, h)},
        {CFerroRect(w - 3, h - 3, w, h)},
        {CFerroRect(100, 100, 110, 110), CFerroRect(110, 100, 120, 110)},
        {CFerroRect(30, 30, 34, 34), CFerroRect(200, 180, 204, 190)},
        {CFerroRect(0, 120, w, 121)},
    };
    for (const ScaleMode mode : {ScaleMode::Sharp, ScaleMode::Integer, ScaleMode::Off}) {
      SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h) + " in " +
                   std::to_string(fit.window.width) + "x" + std::to_string(fit.window.height) +
                   " " + ScaleModeName(mode));
      std::vector<std::vector<Uint32>> seen[2];
      const PresentPath paths[] = {PresentPath::Renderer, PresentPath::WindowSurface};
      for (int way = 0; way < 2; ++way) {
        PresentedPicture shown(paths[way], fit.picture, fit.window, mode);
        ASSERT_TRUE(shown.ok) << SDL_GetError();
        ASSERT_EQ(shown.device.GetPresentPath(), paths[way]);
        const CPictureScaler scaler(shown.device.GetTransform());
        for (size_t i = 0; i < frames.size(); ++i) {
          for (const CFerroRect& rect : frames[i]) shown.Paint(rect, static_cast<unsigned>(i));
          shown.Present(frames[i]);
          seen[way].push_back(WindowPixels(shown.device));
          if (paths[way] != PresentPath::WindowSurface) continue;
          const std::vector<CFerroRect>& pushed = shown.device.GetPushedRects();
          // Each affected rectangle lies inside a pushed one: the window
          // surface holds the pixels either way, a real screen shows only
          // what was pushed.
          for (const CFerroRect& rect : frames[i]) {
            const CFerroRect a = scaler.Affected(rect);
            bool inside = false;
            for (const CFerroRect& p : pushed) inside = inside || p.ContainsRect(a);
            EXPECT_TRUE(inside) << "frame " << i << ": " << a.left << ", " << a.top;
          }
        }
      }
      ASSERT_EQ(seen[0].size(), seen[1].size());
      for (size_t i = 0; i < seen[0].size(); ++i) {
        ASSERT_EQ(seen[0][i].size(), seen[1][i].size());
        int wrong = 0;
        for (size_t p = 0; p < seen[0][i].size(); ++p) wrong += seen[0][i][p] != seen[1][i][p];
        EXPECT_EQ(wrong, 0) << "frame " << i;
      }
    }
  }
}

// The window surface is made anew whenever the window changes to a size the
// device was not told of (a lost surface; the e2e scale script switches to
// full screen and back); the picture moves with another scale mode; the window was exposed, and the
// frame uploads the whole picture. Each time the next present fits the
// picture to the window as it is, draws and pushes the whole surface with a
// black border, and the window shows what a full present shows.
TEST(WindowSurfacePresent, DrawsANewSurfaceWhole) {
  {
    TestGame game;
    GDevice16SDL& device = game.OwnDevice();
    device.SetPresentPath(PresentPath::Automatic);
    ASSERT_TRUE(device.Create(640, 480));
    EXPECT_EQ(device.GetPresentPath(), PresentPath::WindowSurface)
        << "the dummy driver's renderer draws on the processor";
    EXPECT_EQ(device.GetRenderer(), nullptr);
  }
  PresentedPicture shown(PresentPath::WindowSurface, {320, 240}, {641, 481}, ScaleMode::Sharp);
  ASSERT_TRUE(shown.ok);
  shown.Paint(shown.All(), 1);
  shown.Present({shown.All()});
  const auto whole = [&] {
    int w = 0, h = 0;
    shown.device.GetDrawableSize(w, h);
    return std::vector<CFerroRect>{CFerroRect(0, 0, w, h)};
  };
  const CFerroRect spot(100, 100, 104, 104);
  const struct {
    const char* what;
    std::function<void()> change;
    CFerroRect uploaded;
  } changes[] = {
      {"a size the device was not told of", [] { SDL_SetWindowSize(GDeviceSDL::window, 777, 555); },
       spot},
      {"another scale mode", [&] { shown.device.SetScaleMode(ScaleMode::Off); }, spot},
      {"an upload of the whole picture", [] {}, shown.All()},
  };
  unsigned seed = 2;
  for (const auto& c : changes) {
    SCOPED_TRACE(c.what);
    c.change();
    shown.Paint(spot, seed++);
    shown.Present({c.uploaded});
    EXPECT_EQ(shown.device.GetPushedRects(), whole());
    int windowWidth = 0, windowHeight = 0;
    SDL_GetWindowSize(GDeviceSDL::window, &windowWidth, &windowHeight);
    EXPECT_EQ(shown.device.GetTransform().GetDrawable(), CFerroSize(windowWidth, windowHeight))
        << "the picture is fitted to the window as it is now";
    int width = 0;
    const std::vector<Uint32> partial = WindowPixels(shown.device, &width);
    const CFerroRect& picture = shown.device.GetTransform().GetDestination();
    int lit = 0;
    for (size_t i = 0; i < partial.size(); ++i)
      if (!picture.Contains(static_cast<int>(i) % width, static_cast<int>(i) / width))
        lit += partial[i] != 0 ? 1 : 0;
    EXPECT_EQ(lit, 0) << "black around the picture";
    shown.Present({shown.All()});
    EXPECT_TRUE(partial == WindowPixels(shown.device));
  }
}

}  // namespace

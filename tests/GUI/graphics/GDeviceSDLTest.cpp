#include <SDL.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "GUI/foundation/CFerroRect.h"

#include "GUI/graphics/CPictureScaler.h"
#include "GUI/graphics/GDevice16SDL.h"
#include "GUI/graphics/GSurface16.h"
#include "GUI/platform/GGame.h"
#include "tests/support/Geometry.h"
#include "tests/support/Window.h"

// These tests run with SDL's dummy video driver: no OpenGL windows and no
// accelerated renderer.

namespace {

struct TestGame : GGame {
  TestGame() : GGame(GUID_GAME{}, "graphics-test", "1.0", true) {}
  GDevice16SDL& OwnDevice() {
    device = std::make_unique<GDevice16SDL>(false, nullptr);
    return static_cast<GDevice16SDL&>(*device);
  }
};

// A device never created has no window, renderer or texture: it gives no
// frame and draws nothing, without failing. The e2e scale script presents
// through the renderer's texture.
TEST(GDeviceSDL, ADeviceNeverCreatedGivesNoFrame) {
  GDevice16SDL never(true, nullptr);
  SURFACE_LOCKED lock;
  EXPECT_FALSE(never.LockBackbuffer(&lock));
  never.UnlockBackbuffer();
  never.Render();
  never.ChangeResolution(true, true);
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
  // What a full present shows as the window-surface path scales it: the
  // picture as the texture holds it, scaled into the destination by
  // CPictureScaler, black around it.
  std::vector<Uint32> Scaled() {
    std::vector<uint32_t> picture(static_cast<size_t>(size.width) * size.height);
    surface->CopyRectToTexture(picture.data(), size.width * 4, 32, All());
    int w = 0, h = 0;
    device.GetDrawableSize(w, h);
    std::vector<Uint32> window(static_cast<size_t>(w) * h, 0);
    const CFerroRect& to = device.GetTransform().GetDestination();
    CPictureScaler(device.GetTransform())
        .Scale(picture.data(), size.width, to, window.data() + to.top * w + to.left, w);
    for (Uint32& p : window) p &= 0xFFFFFF;
    return window;
  }

  TestGame game;
  GDevice16SDL& device;
  CFerroSize size;
  GSurface* surface = nullptr;
  bool ok = false;
};

// Partial updates through both present paths, in every scale mode, in
// windows larger and smaller (less than half) than the picture and of odd
// sizes, changed in the
// middle, at the edges and corners, side by side, far apart and across the
// whole picture. After each present the window shows, pixel for pixel, what
// the window surface's scaler makes of the whole picture: on the renderer
// path (the dummy driver's software renderer) also through sharp scaling's
// two stages, where only the changed rectangles are scaled into the
// intermediate texture. On the window-surface path every window pixel a
// change affects was pushed (the surface holds the pixels either way, a real
// screen shows only what was pushed).
TEST(Present, PartialUpdatesShowWhatTheScalerMakesOfTheWholePicture) {
  const struct {
    CFerroSize picture, window;
  } fits[] = {
      {{320, 240}, {1024, 768}},
      {{300, 200}, {1001, 703}},
      {{1024, 768}, {1000, 700}},
      {{1024, 768}, {320, 240}},  // less than half: the scaler skips pixels
  };
  for (const auto& fit : fits) {
    const int w = fit.picture.width, h = fit.picture.height;
    const std::vector<std::vector<CFerroRect>> frames = {
        {CFerroRect(10, 10, 20, 17)},
        {CFerroRect(0, 50, 3, h)},
        {CFerroRect(w - 3, h - 3, w, h)},
        {CFerroRect(100, 100, 110, 110), CFerroRect(110, 100, 120, 110)},
        {CFerroRect(30, 30, 34, 34), CFerroRect(200, 180, 204, 190)},
        {CFerroRect(0, 120, w, 121)},
    };
    for (const PresentPath path : {PresentPath::WindowSurface, PresentPath::Renderer})
      for (const ScaleMode mode : {ScaleMode::Sharp, ScaleMode::Integer, ScaleMode::Off}) {
        SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h) + " in " +
                     std::to_string(fit.window.width) + "x" + std::to_string(fit.window.height) +
                     " " + ScaleModeName(mode) +
                     (path == PresentPath::Renderer ? " renderer" : " surface"));
        PresentedPicture shown(path, fit.picture, fit.window, mode);
        ASSERT_TRUE(shown.ok) << SDL_GetError();
        const CPictureScaler scaler(shown.device.GetTransform());
        const bool twoStages =
            path == PresentPath::Renderer && scaler.GetTransform().HasIntermediate();
        shown.Paint(shown.All(), 0);
        shown.Present({shown.All()});
        EXPECT_EQ(shown.device.GetIntermediate() != nullptr, twoStages);
        EXPECT_TRUE(WindowPixels(shown.device) == shown.Scaled()) << "the whole picture";
        for (size_t i = 0; i < frames.size(); ++i) {
          for (const CFerroRect& rect : frames[i]) shown.Paint(rect, static_cast<unsigned>(i + 1));
          shown.Present(frames[i]);
          for (const CFerroRect& rect : frames[i]) {
            const CFerroRect a = scaler.Affected(rect);
            bool inside = path == PresentPath::Renderer;
            for (const CFerroRect& pushed : shown.device.GetPushedRects())
              inside = inside || pushed.ContainsRect(a);
            EXPECT_TRUE(inside) << "frame " << i << ": " << a.left << ", " << a.top;
          }
          EXPECT_TRUE(WindowPixels(shown.device) == shown.Scaled()) << "frame " << i;
        }
      }
  }
}

// The window surface is made anew when the window takes a size the device
// was not told of (a lost surface; the e2e scale script switches to full
// screen and back); the picture moves with another scale mode; the frame may
// upload the whole picture. Each time the next present fits the picture to
// the window as it is and pushes the whole surface, black round the picture
// (as Scaled draws it).
TEST(WindowSurfacePresent, DrawsANewSurfaceWhole) {
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
    EXPECT_TRUE(WindowPixels(shown.device) == shown.Scaled()) << "the picture, black round it";
  }
}

}  // namespace

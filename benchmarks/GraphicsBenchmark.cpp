// The per-frame costs of the software renderer at the game's 1024 x 768: the
// copy of the back surface into the texture, the blitters, and the scaling
// into a window surface.

#include <benchmark/benchmark.h>

#include <vector>

#include "GUI/graphics/CPictureScaler.h"
#include "GUI/graphics/GSurface16.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;

// A back surface with a non-uniform picture.
void Fill(GSurface16& s) {
  for (int y = 0; y < s.GetHeight(); y += 8)
    s.FillRect(0, y, s.GetWidth(), 4, 0x102030u * static_cast<unsigned>(y % 7));
}

// Back surface -> 16-bit texture; the argument is the texture pitch in bytes
// (2048 is one block copy, a wider pitch copies row by row).
void BM_CopyToTexture(benchmark::State& state) {
  GSurface16 back;
  back.Create(kWidth, kHeight);
  Fill(back);
  const int pitch = static_cast<int>(state.range(0));
  std::vector<uint8_t> texture(static_cast<size_t>(pitch) * kHeight);
  for (auto _ : state) {
    back.SetModified(true);
    back.CopyToTexture(texture.data(), pitch);
    benchmark::DoNotOptimize(texture.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * kWidth * kHeight * 2);
}
BENCHMARK(BM_CopyToTexture)->Arg(2048)->Arg(2176);

// Back surface -> 32-bit texture through the 15-bit colour table.
void BM_CopyToTexture32(benchmark::State& state) {
  GSurface16 back;
  back.Create(kWidth, kHeight);
  Fill(back);
  std::vector<uint32_t> texture(static_cast<size_t>(kWidth) * kHeight);
  for (auto _ : state) {
    back.SetModified(true);
    back.CopyToTexture32(texture.data(), kWidth * 4);
    benchmark::DoNotOptimize(texture.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_CopyToTexture32);

// Full-screen opaque blit: 0 = the whole-surface block copy, 1 = shifted by
// one pixel, which goes line by line.
void BM_BltOpaqueFullScreen(benchmark::State& state) {
  GSurface16 back, picture;
  back.Create(kWidth, kHeight);
  picture.Create(kWidth, kHeight);
  Fill(picture);
  const int shift = static_cast<int>(state.range(0));
  for (auto _ : state) {
    back.Blt(&picture, shift, 0, 0, 0, 0, 0, true);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_BltOpaqueFullScreen)->Arg(0)->Arg(1);

// Full-screen keyed blit with every other pixel transparent.
void BM_BltKeyedFullScreen(benchmark::State& state) {
  GSurface16 back, sprite;
  back.Create(kWidth, kHeight);
  sprite.Create(kWidth, kHeight);
  Fill(sprite);
  for (int i = 0; i < kWidth * kHeight; i += 2) sprite.MaskTransparentPixel(i);
  for (auto _ : state) {
    back.Blt(&sprite, 0, 0, 0, 0, 0, 0, true);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_BltKeyedFullScreen);

// A 256 x 256 picture with a partial alpha channel, blended.
void BM_BltAlpha256(benchmark::State& state) {
  GSurface16 back, picture;
  back.Create(kWidth, kHeight);
  picture.Create(256, 256);
  Fill(picture);
  picture.ChangeAlpha(-0.5f);
  for (auto _ : state) {
    back.Blt(&picture, 100, 100, 0, 0, 0, 0, true);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_BltAlpha256);

void BM_FillRectFullScreen(benchmark::State& state) {
  GSurface16 back;
  back.Create(kWidth, kHeight);
  for (auto _ : state) {
    back.FillRect(0, 0, kWidth, kHeight, 0x336699);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_FillRectFullScreen);

// The window-surface present's scaling, sharp, into a window of the size
// given: the whole picture (/1: a new window, a new scene) or the window
// pixels one changed 40 x 40 square of the picture affects (/0: a tick of
// play moves a few of these).
void BM_ScalePicture(benchmark::State& state) {
  const CFerroSize window(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  const CPictureTransform fit(CFerroSize(kWidth, kHeight), window, window, ScaleMode::Sharp);
  const CPictureScaler scaler(fit);
  std::vector<uint32_t> picture(static_cast<size_t>(kWidth) * kHeight);
  for (size_t i = 0; i < picture.size(); ++i) picture[i] = static_cast<uint32_t>(i * 2654435761u);
  std::vector<uint32_t> target(static_cast<size_t>(window.width) * window.height);
  const CFerroRect area =
      state.range(2) ? fit.GetDestination() : scaler.Affected(CFerroRect(500, 300, 540, 340));
  for (auto _ : state) {
    scaler.Scale(picture.data(), kWidth, area,
                 target.data() + static_cast<size_t>(area.top) * window.width + area.left,
                 window.width);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ScalePicture)
    ->Args({1280, 1024, 0})
    ->Args({1920, 1080, 0})
    ->Args({3840, 2160, 0})
    ->Args({1280, 1024, 1})
    ->Args({1920, 1080, 1})
    ->Args({3840, 2160, 1})
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();

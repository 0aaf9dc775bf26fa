// The per-frame costs of the software renderer at the game's 1024 x 768: the
// copy of the back surface into the texture, the blitters, the scaling into a
// window surface, and text: loading the shipped fonts, measuring and drawing.

#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "GUI/graphics/CPictureScaler.h"
#include "GUI/graphics/GDevice.h"
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

// ---------------------------------------------------------------------------------------------
// Text
// ---------------------------------------------------------------------------------------------

constexpr const char* kFontNames[] = {"Tahoma16bold", "Tahoma21", "tahoma18bold", "tahoma21bold"};

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A device without a screen: the font list and surfaces only.
struct TextDevice : GDevice {
  TextDevice() : GDevice(true) { GSurface::device = this; }
  ~TextDevice() override { GSurface::device = nullptr; }
  GSurface* NewSurface() override { return new GSurface16; }
  int Load(const std::string& image, const std::string& description) {
    return AddFontex(reinterpret_cast<const unsigned char*>(image.data()),
                     static_cast<int>(image.size()),
                     reinterpret_cast<const unsigned char*>(description.data()),
                     static_cast<int>(description.size()));
  }
};

struct FontFiles {
  std::string image, description;
  explicit FontFiles(const char* name) {
    const std::string base = std::string(DIGMAZE_BENCH_SOURCE_DIR) + "/data/windows/" + name;
    image = ReadFile(base + ".tga");
    description = ReadFile(base + ".txt");
  }
};

// One shipped font decoded and read into a fresh font list, as at start-up.
void BM_LoadFont(benchmark::State& state) {
  const FontFiles files(kFontNames[state.range(0)]);
  for (auto _ : state) {
    TextDevice device;
    if (device.Load(files.image, files.description) != 0) return state.SkipWithError("no font");
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_LoadFont)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

// A line of a dialog in the text font: measured (/0) and drawn over a picture
// (/1), as a button label is.
void BM_TextLine(benchmark::State& state) {
  const FontFiles files(kFontNames[0]);
  TextDevice device;
  if (device.Load(files.image, files.description) != 0) return state.SkipWithError("no font");
  GSurface16 back;
  back.Create(kWidth, kHeight);
  Fill(back);
  const char* text = "The level is won: every treasure collected, exit reached!";
  const bool draw = state.range(0) != 0;
  for (auto _ : state) {
    int w = 0, h = 0;
    if (draw)
      back.TextOut(100, 100, text, 0, 0xFFFFFF, DEFAULT_COLOR);
    else
      device.GetTextSize(text, 0, w, h);
    benchmark::DoNotOptimize(w);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_TextLine)->Arg(0)->Arg(1);

}  // namespace

BENCHMARK_MAIN();

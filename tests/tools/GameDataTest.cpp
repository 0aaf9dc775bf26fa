// Checks the generated game data in data/ the way the game will use it:
// pictures, cursors, sounds, music and the help pages (the fonts' glyphs are
// checked through the game's font loader, by the graphics tests' golden strips).

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include <stb/stb_image.h>

#include "GUI/sound/GMusicDecoder.h"
#include "tests/support/Files.h"
#include "tools/music/Loudness.h"

namespace {

namespace fs = std::filesystem;

// The source tree is known once the test main has run, so this is a function.
fs::path Data(const char* folder) {
  return SourceDir() / "data" / folder;
}

struct Picture {
  int w = 0, h = 0;
  std::vector<uint8_t> rgba;  // empty when the file does not decode
  const uint8_t* At(int x, int y) const { return &rgba[size_t(y * w + x) * 4]; }
};

// Decodes the way the game does: from memory, asking for four channels.
Picture Load(const fs::path& path) {
  Picture p;
  const Bytes bytes = ReadBytes(path);
  int n = 0;
  stbi_uc* data = stbi_load_from_memory(bytes.data(), int(bytes.size()), &p.w, &p.h, &n, 4);
  if (data) p.rgba.assign(data, data + size_t(p.w) * size_t(p.h) * 4);
  stbi_image_free(data);
  return p;
}

enum class Alpha { kOpaque, kKeyed, kAny };

// Decoded, and opaque: every alpha 255; or keyed: only 0 and 255, so the game
// masks pixels instead of blending, and transparent pixels are black so that
// copying the picture without transparency shows the game's black.
::testing::AssertionResult Decodes(const Picture& p, Alpha kind) {
  if (p.rgba.empty()) return ::testing::AssertionFailure() << "does not decode";
  for (size_t i = 0; i < p.rgba.size(); i += 4) {
    const uint8_t a = p.rgba[i + 3];
    if ((kind == Alpha::kOpaque && a != 255) || (kind == Alpha::kKeyed && a != 0 && a != 255))
      return ::testing::AssertionFailure() << "pixel " << i / 4 << " has alpha " << int(a);
    if (kind == Alpha::kKeyed && a == 0 && (p.rgba[i] || p.rgba[i + 1] || p.rgba[i + 2]))
      return ::testing::AssertionFailure() << "transparent pixel " << i / 4 << " is not black";
  }
  return ::testing::AssertionSuccess();
}

size_t FilesIn(const fs::path& folder) {
  const fs::directory_iterator files(folder);
  return size_t(std::distance(begin(files), end(files)));
}

// The pictures of the image drive: the runner's and the aliens' frames are
// keyed so the game masks them, the cells and the menu picture opaque.
TEST(GameData, PicturesTheGameLoadsDecodeAtTheirSizes) {
  struct Case {
    std::string name;
    int w, h;
    Alpha alpha;
  };
  std::vector<Case> cases = {{"main", 1024, 768, Alpha::kOpaque}, {"logo", 128, 128, Alpha::kAny}};
  for (const char* cell : {"brick", "floor", "line", "ladder", "treasure", "exit"})
    cases.push_back({cell, 32, 32, Alpha::kOpaque});
  for (const std::string who : {"unit", "alien"}) {
    cases.push_back({who, 32, 32, Alpha::kKeyed});
    for (char d : {'L', 'R', 'U', 'D'})
      for (int f = 1; f <= 8; ++f)
        cases.push_back({who + "_" + d + "_0" + std::to_string(f), 32, 32, Alpha::kKeyed});
  }
  // The image drive is built from this folder as it is: nothing else in it.
  EXPECT_EQ(FilesIn(Data("vdd/image")), cases.size());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Picture p = Load(Data("vdd/image") / (c.name + ".png"));
    EXPECT_TRUE(Decodes(p, c.alpha));
    EXPECT_EQ(std::pair(p.w, p.h), std::pair(c.w, c.h));
  }
  // The thirteen cursors of the theme are keyed as well.
  for (const auto& e : fs::directory_iterator(Data("windows/cursors")))
    EXPECT_TRUE(Decodes(Load(e.path()), Alpha::kKeyed)) << e.path();
  EXPECT_EQ(FilesIn(Data("windows/cursors")), 13u);
}

// The pages link only to their own anchors and to files of the help folder,
// each picture decodes opaque, and the folder holds nothing the pages do not use.
TEST(GameData, HelpPagesLinkOnlyToWhatShipsBesideThem) {
  const std::regex link("\\s(src|href)\\s*=\\s*\"([^\"#]*)(?:#([^\"]*))?\"", std::regex::icase);
  std::set<std::string> used;
  for (const char* page : {"index.html", "fonts.html"}) {
    const std::string html = ReadText(Data("help") / page);
    for (auto it = std::sregex_iterator(html.begin(), html.end(), link);
         it != std::sregex_iterator(); ++it) {
      const std::string file = (*it)[2], anchor = (*it)[3];
      SCOPED_TRACE(page + (": " + it->str()));
      if (file.empty()) {
        EXPECT_NE(html.find(" id=\"" + anchor + "\""), std::string::npos);
        continue;
      }
      EXPECT_EQ(file.find_first_of(":/"), std::string::npos) << "a link out of the help folder";
      EXPECT_TRUE(fs::is_regular_file(Data("help") / file));
      if (file.ends_with(".png")) {
        EXPECT_TRUE(Decodes(Load(Data("help") / file), Alpha::kOpaque));
      }
      used.insert(file);
    }
  }
  for (const auto& e : fs::directory_iterator(Data("help")))
    EXPECT_TRUE(used.count(e.path().filename().string())) << e.path() << " is not used";
}

// Mono 16-bit PCM at 44.1 kHz in a plain 44-byte header. Each starts and
// ends at silence (no click), is audible and stays well clear of clipping.
TEST(GameData, SoundsAreCleanPcm) {
  const char* sounds[] = {
      "horizontal_step.wav", "vertical_step.wav", "treasure.wav", "life.wav",
      "victory.wav",         "death.wav",         "hole.wav",     "close_hole.wav"};
  for (const std::string name : sounds) {
    SCOPED_TRACE(name);
    const Bytes b = ReadBytes(Data("vdd/sound") / name);
    ASSERT_GT(b.size(), 44u + 2000u);
    // The 44-byte header of a 16-bit mono 44.1 kHz file around its samples.
    EXPECT_EQ(b, WavFile(1, 44100, 16, Bytes(b.begin() + 44, b.end())));
    auto sample = [&](size_t at) { return std::abs(int{int16_t(b[at] | b[at + 1] << 8)}); };
    int peak = 0;
    for (size_t i = 44; i + 1 < b.size(); i += 2) peak = std::max(peak, sample(i));
    EXPECT_LT(std::max(sample(44), sample(b.size() - 2)), 64);
    EXPECT_LT(peak, 32767 * 7 / 10);
    EXPECT_GT(peak, 32767 / 20) << "inaudible";
  }
  // The sound drive is built from this folder as it is: nothing else in it.
  EXPECT_EQ(FilesIn(Data("vdd/sound")), std::size(sounds));
}

// The music as the game decodes it: the themes loop for one to two minutes,
// the jingles are short; each peaks at or below -1 dB of full scale, all are
// within 3 dB of one loudness, and where a theme's loop goes round, the
// frame after its last is as close to its first as the frames around it are
// to each other: no click.
TEST(GameData, MusicLoopsWithoutAClickAtOneLoudnessBelowFullScale) {
  const struct {
    const char* name;
    bool loop;
    double shortest, longest;  // seconds
  } pieces[] = {{"menu.ogg", true, 60, 120},
                {"play.ogg", true, 60, 120},
                {"won.ogg", false, 1, 8},
                {"end.ogg", false, 2, 10}};
  std::vector<double> loudness;
  for (const auto& piece : pieces) {
    SCOPED_TRACE(piece.name);
    GMusicDecoder decoder;
    ASSERT_EQ(decoder.Open((Data("music") / piece.name).c_str(), 44100),
              GMusicDecoder::OpenResult::Ok)
        << decoder.GetFault();
    const size_t frames = static_cast<size_t>(decoder.GetLength()), around = 2048;
    EXPECT_GE(frames, piece.shortest * 44100);
    EXPECT_LE(frames, piece.longest * 44100);
    // One pass and, round the loop, its first frames once more.
    std::vector<float> out(2 * (frames + around));
    ASSERT_EQ(decoder.Read(out.data(), frames + (piece.loop ? around : 0), piece.loop),
              frames + (piece.loop ? around : 0));
    EXPECT_LE(music::PeakDecibels(out.data(), frames), -1.0);
    loudness.push_back(music::Loudness(out.data(), frames, 44100));
    if (!piece.loop) continue;
    for (int side = 0; side < 2; ++side) {
      auto step = [&](size_t f) { return std::fabs(out[2 * f + side] - out[2 * (f - 1) + side]); };
      float nearby = 0;
      for (size_t f = frames - around; f < frames + around; ++f)
        if (f != frames) nearby = std::max(nearby, step(f));
      EXPECT_LE(step(frames), nearby) << "side " << side;
    }
  }
  const auto [quietest, loudest] = std::minmax_element(loudness.begin(), loudness.end());
  EXPECT_LE(*loudest - *quietest, 3.0);
  // The game plays these and nothing else from the folder.
  EXPECT_EQ(FilesIn(Data("music")), std::size(pieces));
}

}  // namespace

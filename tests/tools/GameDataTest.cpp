// Checks the generated game data in data/ the way the game will use it: every
// picture the game loads decodes at its size with the transparency its use
// needs, the cursors carry valid hot spots, the font descriptions parse into
// 224 glyphs, the sounds are clean 16-bit PCM, and the help pages show the
// game's pictures and link only to what ships beside them.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include <stb/stb_image.h>

#include "tests/support/Files.h"

namespace {

namespace fs = std::filesystem;

fs::path DataDir() {
  return SourceDir() / "data";
}

struct Picture {
  int w = 0, h = 0;
  std::vector<uint8_t> rgba;
  bool ok = false;
  const uint8_t* At(int x, int y) const { return &rgba[size_t(y * w + x) * 4]; }
  bool Opaque(int x, int y) const { return At(x, y)[3] != 0; }
};

// Decodes the way the game does: from memory, asking for four channels.
Picture Load(const fs::path& path) {
  Picture p;
  const Bytes bytes = ReadBytes(path);
  int n = 0;
  stbi_uc* data = stbi_load_from_memory(bytes.data(), int(bytes.size()), &p.w, &p.h, &n, 4);
  if (!data) return p;
  p.rgba.assign(data, data + size_t(p.w) * size_t(p.h) * 4);
  stbi_image_free(data);
  p.ok = true;
  return p;
}

enum class Alpha { kOpaque, kKeyed, kAny };

// Opaque: every alpha 255. Keyed: only 0 and 255, so the game masks pixels
// instead of blending, and transparent pixels are black so that copying the
// picture without transparency shows the game's black.
::testing::AssertionResult HasAlpha(const Picture& p, Alpha kind) {
  for (size_t i = 0; i < p.rgba.size(); i += 4) {
    const uint8_t a = p.rgba[i + 3];
    if (kind == Alpha::kOpaque && a != 255)
      return ::testing::AssertionFailure() << "pixel " << i / 4 << " has alpha " << int(a);
    if (kind == Alpha::kKeyed && a != 0 && a != 255)
      return ::testing::AssertionFailure() << "pixel " << i / 4 << " has alpha " << int(a);
    if (kind == Alpha::kKeyed && a == 0 && (p.rgba[i] || p.rgba[i + 1] || p.rgba[i + 2]))
      return ::testing::AssertionFailure() << "transparent pixel " << i / 4 << " is not black";
  }
  return ::testing::AssertionSuccess();
}

int LowestOpaqueRow(const Picture& p) {
  for (int y = p.h - 1; y >= 0; --y)
    for (int x = 0; x < p.w; ++x)
      if (p.Opaque(x, y)) return y;
  return -1;
}

std::string FrameName(const std::string& who, char direction, int frame) {
  return who + "_" + direction + "_0" + std::to_string(frame) + ".png";
}

TEST(GameData, PicturesTheGameLoadsDecodeAtTheirSizes) {
  struct Case {
    std::string name;
    int w, h;
    Alpha alpha;
  };
  std::vector<Case> cases = {
      {"brick.png", 32, 32, Alpha::kOpaque},    {"floor.png", 32, 32, Alpha::kOpaque},
      {"line.png", 32, 32, Alpha::kOpaque},     {"ladder.png", 32, 32, Alpha::kOpaque},
      {"treasure.png", 32, 32, Alpha::kOpaque}, {"exit.png", 32, 32, Alpha::kOpaque},
      {"unit.png", 32, 32, Alpha::kKeyed},      {"alien.png", 32, 32, Alpha::kKeyed},
      {"main.png", 1024, 768, Alpha::kOpaque},  {"logo.png", 128, 128, Alpha::kAny},
  };
  for (const char* who : {"unit", "alien"})
    for (char d : {'L', 'R', 'U', 'D'})
      for (int f = 1; f <= 8; ++f) cases.push_back({FrameName(who, d, f), 32, 32, Alpha::kKeyed});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Picture p = Load(DataDir() / "vdd" / "image" / c.name);
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.w, c.w);
    EXPECT_EQ(p.h, c.h);
    EXPECT_TRUE(HasAlpha(p, c.alpha));
  }
  // The image drive is built from this folder as it is: nothing else in it.
  size_t files = 0;
  for (const auto& e : fs::directory_iterator(DataDir() / "vdd" / "image"))
    files += e.is_regular_file();
  EXPECT_EQ(files, cases.size());
}

TEST(GameData, WalkingFramesStandOnTheSquareBelowAndMove) {
  for (const char* who : {"unit", "alien"}) {
    for (char d : {'L', 'R'}) {
      std::vector<uint8_t> previous;
      for (int f = 1; f <= 8; ++f) {
        SCOPED_TRACE(FrameName(who, d, f));
        const Picture p = Load(DataDir() / "vdd" / "image" / FrameName(who, d, f));
        ASSERT_TRUE(p.ok);
        EXPECT_EQ(LowestOpaqueRow(p), 31) << "feet must touch the bottom row";
        EXPECT_NE(p.rgba, previous) << "a frame repeats the one before it";
        previous = p.rgba;
      }
    }
    // Left is the mirror image of right.
    for (int f = 1; f <= 8; ++f) {
      const Picture l = Load(DataDir() / "vdd" / "image" / FrameName(who, 'L', f));
      const Picture r = Load(DataDir() / "vdd" / "image" / FrameName(who, 'R', f));
      ASSERT_TRUE(l.ok && r.ok);
      for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
          ASSERT_EQ(l.At(x, y)[3], r.At(31 - x, y)[3]) << who << " frame " << f;
    }
  }
}

// The runner and the aliens must be told apart by colour: aliens are mostly
// green, the runner mostly not.
TEST(GameData, RunnerAndAlienDifferInColour) {
  auto greenShare = [](const Picture& p) {
    int green = 0, opaque = 0;
    for (size_t i = 0; i < p.rgba.size(); i += 4) {
      if (!p.rgba[i + 3]) continue;
      ++opaque;
      if (p.rgba[i + 1] > p.rgba[i] + 40 && p.rgba[i + 1] > p.rgba[i + 2] + 40) ++green;
    }
    return double(green) / opaque;  // NaN, failing both checks, for a blank picture
  };
  const Picture runner = Load(DataDir() / "vdd" / "image" / "unit.png");
  const Picture alien = Load(DataDir() / "vdd" / "image" / "alien.png");
  ASSERT_TRUE(runner.ok && alien.ok);
  EXPECT_LT(greenShare(runner), 0.05);
  EXPECT_GT(greenShare(alien), 0.4);
}

TEST(GameData, AllThirteenCursorsWithHotSpotsOnTheShape) {
  const std::set<std::string> prefixes = {
      "cursor_arrow",       "cursor_target",   "cursor_move",        "cursor_text",
      "cursor_link",        "cursor_left",     "cursor_top",         "cursor_right",
      "cursor_bottom",      "cursor_left_top", "cursor_left_bottom", "cursor_right_top",
      "cursor_right_bottom"};
  std::set<std::string> found;
  for (const auto& e : fs::directory_iterator(DataDir() / "windows" / "cursors")) {
    const std::string name = e.path().filename().string();
    SCOPED_TRACE(name);
    // NAME__XXYY.png, XX and YY the hot spot in decimal.
    const size_t sep = name.find("__");
    ASSERT_NE(sep, std::string::npos);
    ASSERT_EQ(name.size(), sep + 2 + 4 + 4);
    ASSERT_EQ(name.substr(sep + 6), ".png");
    const std::string prefix = name.substr(0, sep);
    EXPECT_TRUE(prefixes.count(prefix));
    EXPECT_TRUE(found.insert(prefix).second) << "two files for one cursor";
    const int hx = std::stoi(name.substr(sep + 2, 2)), hy = std::stoi(name.substr(sep + 4, 2));
    const Picture p = Load(e.path());
    ASSERT_TRUE(p.ok);
    EXPECT_TRUE(HasAlpha(p, Alpha::kKeyed));
    ASSERT_LT(hx, p.w);
    ASSERT_LT(hy, p.h);
    bool near = false;
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx) {
        const int x = hx + dx, y = hy + dy;
        if (x >= 0 && y >= 0 && x < p.w && y < p.h && p.Opaque(x, y)) near = true;
      }
    EXPECT_TRUE(near) << "the hot spot is off the cursor's shape";
  }
  EXPECT_EQ(found, prefixes);
}

// A font description read as the font loader reads it: four named values,
// then after the "x,y,width" header one "char=x,y,width" entry per code
// 32..255 (the entry of "=" starting with two equal signs).
struct FontDescription {
  std::string name;
  int height = 0, weight = 0;
  struct Entry {
    int x, y, w;
  };
  std::vector<Entry> entries;
};

std::string Param(const std::string& text, const std::string& key) {
  const size_t at = text.find(key + "=");
  if (at == std::string::npos) return "";
  const size_t from = at + key.size() + 1, to = text.find('\r', from);
  return text.substr(from, to == std::string::npos ? std::string::npos : to - from);
}

::testing::AssertionResult Parse(const std::string& text, FontDescription& d) {
  d.name = Param(text, "Font");
  const std::string h = Param(text, "Height"), w = Param(text, "Weight"), i = Param(text, "Italic");
  if (d.name.empty() || h.empty() || w.empty() || i.empty())
    return ::testing::AssertionFailure() << "a header value is missing";
  d.height = std::atoi(h.c_str());
  d.weight = std::atoi(w.c_str());
  size_t pos = text.find("x,y,width");
  if (pos == std::string::npos) return ::testing::AssertionFailure() << "no x,y,width header";
  for (int code = 32; code < 256; ++code) {
    const size_t eq = text.find('=', pos);
    if (eq == std::string::npos) return ::testing::AssertionFailure() << "no entry for " << code;
    size_t from = eq + 1;
    const bool itself = text[from] == '=';  // the entry of "=" itself
    if (itself) ++from;
    const size_t start = itself ? eq : eq - 1;
    if (uint8_t(text[start]) != code || text[start - 1] != '\n')
      return ::testing::AssertionFailure() << "entry " << code << " does not start with its byte";
    const size_t end = text.find('\r', from);
    const std::string value = text.substr(from, end - from);
    const size_t c1 = value.find(','), c2 = value.find(',', c1 + 1);
    if (c1 == std::string::npos || c2 == std::string::npos || c2 + 1 >= value.size())
      return ::testing::AssertionFailure() << "entry " << code << " is broken: " << value;
    d.entries.push_back({std::atoi(value.c_str()), std::atoi(value.c_str() + c1 + 1),
                         std::atoi(value.c_str() + c2 + 1)});
    pos = end;
  }
  return ::testing::AssertionSuccess();
}

TEST(GameData, FontsParseIntoAllGlyphsInsideTheirImages) {
  for (const char* font : {"tahoma18bold", "tahoma21bold", "Tahoma16bold", "Tahoma21"}) {
    SCOPED_TRACE(font);
    const fs::path base = DataDir() / "windows" / font;
    // The loader reads NAME.tga and NAME.txt.
    const Picture image = Load(base.string() + ".tga");
    ASSERT_TRUE(image.ok);
    FontDescription d;
    ASSERT_TRUE(Parse(ReadText(base.string() + ".txt"), d));
    ASSERT_EQ(d.entries.size(), 224u);
    EXPECT_GT(d.height, 10);
    auto ink = [&](int code) {
      const auto& e = d.entries[size_t(code - 32)];
      int sum = 0;
      for (int y = e.y; y < e.y + d.height; ++y)
        for (int x = e.x; x < e.x + e.w; ++x) sum += image.At(x, y)[3];
      return sum;
    };
    for (const auto& e : d.entries) {
      ASSERT_GT(e.w, 0);
      ASSERT_GE(e.x, 0);
      ASSERT_GE(e.y, 0);
      ASSERT_LE(e.x + e.w, image.w);
      ASSERT_LE(e.y + d.height, image.h);
    }
    EXPECT_EQ(ink(' '), 0);
    EXPECT_GT(ink('A'), 0);
    EXPECT_GT(ink('='), 0);
    EXPECT_GT(ink(0xC6), 0) << "Cyrillic capital Zhe";
    EXPECT_GT(ink(0xA8), 0) << "Cyrillic capital Io";
    EXPECT_GT(ink('W'), ink('i')) << "glyphs are in the wrong cells";
    // Codes 192..255 are the Cyrillic alphabet: its letters that look like
    // Latin ones are drawn the same (in Latin-1 they would carry accents).
    auto same = [&](int a, int b) {
      const auto &ea = d.entries[size_t(a - 32)], &eb = d.entries[size_t(b - 32)];
      if (ea.w != eb.w) return false;
      for (int y = 0; y < d.height; ++y)
        for (int x = 0; x < ea.w; ++x)
          if (image.At(ea.x + x, ea.y + y)[3] != image.At(eb.x + x, eb.y + y)[3]) return false;
      return true;
    };
    EXPECT_TRUE(same(0xC0, 'A'));
    EXPECT_TRUE(same(0xCE, 'O'));
    EXPECT_TRUE(same(0xF0, 'p'));
    EXPECT_FALSE(same(0xC8, 'I'));
  }
  EXPECT_TRUE(fs::exists(DataDir() / "windows" / "DejaVu-fonts-LICENSE.txt"));
}

// ---- The help pages ------------------------------------------------------

fs::path HelpDir() {
  return DataDir() / "help";
}

// The attribute values of every tag attribute named `name` in an HTML text.
std::vector<std::string> Attributes(const std::string& html, const std::string& name) {
  std::vector<std::string> values;
  const std::regex attribute("\\s" + name + "\\s*=\\s*\"([^\"]*)\"", std::regex::icase);
  for (auto it = std::sregex_iterator(html.begin(), html.end(), attribute);
       it != std::sregex_iterator(); ++it)
    values.push_back((*it)[1]);
  return values;
}

TEST(GameData, HelpPicturesDecodeAtTheSizeThePageShowsThem) {
  const std::string html = ReadText(HelpDir() / "index.html");
  const std::regex img("<img\\s[^>]*>");
  int count = 0;
  for (auto it = std::sregex_iterator(html.begin(), html.end(), img); it != std::sregex_iterator();
       ++it, ++count) {
    const std::string tag = " " + it->str().substr(4);
    const auto src = Attributes(tag, "src"), w = Attributes(tag, "width"),
               h = Attributes(tag, "height"), alt = Attributes(tag, "alt");
    ASSERT_EQ(src.size(), 1u) << tag;
    SCOPED_TRACE(src[0]);
    ASSERT_EQ(w.size(), 1u);
    ASSERT_EQ(h.size(), 1u);
    EXPECT_EQ(alt.size(), 1u);
    const Picture p = Load(HelpDir() / src[0]);
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(std::to_string(p.w), w[0]);
    EXPECT_EQ(std::to_string(p.h), h[0]);
    // Opaque on the game's black, whatever the viewer puts behind a picture.
    EXPECT_TRUE(HasAlpha(p, Alpha::kOpaque));
  }
  EXPECT_EQ(count, 10) << "the cells, runner, alien, the dug hole and the first level";
  // A cell's picture is its game icon, each pixel doubled.
  for (const char* cell : {"brick", "floor", "line", "ladder", "treasure", "exit"}) {
    const Picture big = Load(HelpDir() / (std::string(cell) + ".png"));
    const Picture icon = Load(DataDir() / "vdd" / "image" / (std::string(cell) + ".png"));
    ASSERT_TRUE(big.ok && icon.ok);
    for (int y = 0; y < 64; ++y)
      for (int x = 0; x < 64; ++x)
        ASSERT_EQ(0, std::memcmp(big.At(x, y), icon.At(x / 2, y / 2), 4))
            << cell << " " << x << "," << y;
  }
}

// The first shipped map's cell codes, read straight from its file.
struct MapCells {
  int w = 0, h = 0;
  std::vector<int> codes;
  std::vector<std::pair<int, int>> Find(int code) const {
    std::vector<std::pair<int, int>> at;
    for (int i = 0; i < w * h; ++i)
      if (codes[size_t(i)] == code) at.push_back({i % w, i / w});
    return at;
  }
};

MapCells ReadMap(const fs::path& path) {
  const Bytes b = ReadBytes(path);
  auto int32 = [&b](size_t at) {
    return int(uint32_t(b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24));
  };
  MapCells m;
  if (b.size() < 20) return m;
  m.w = int32(4);
  m.h = int32(8);
  if (b.size() != 20 + size_t(8 * m.w * m.h)) return MapCells{};
  for (int i = 0; i < m.w * m.h; ++i) m.codes.push_back(int32(20 + 8 * size_t(i)));
  return m;
}

// Square (x, y) of the level picture, which has a one-pixel outline, against
// a 32 x 32 picture laid over black; "black" compares with nothing drawn.
::testing::AssertionResult SquareShows(const Picture& level, int x, int y, const Picture* sprite) {
  for (int j = 0; j < 32; ++j)
    for (int i = 0; i < 32; ++i) {
      const uint8_t* got = level.At(1 + x * 32 + i, 1 + y * 32 + j);
      uint8_t want[3] = {0, 0, 0};
      if (sprite && sprite->Opaque(i, j)) std::memcpy(want, sprite->At(i, j), 3);
      if (std::memcmp(got, want, 3) != 0)
        return ::testing::AssertionFailure()
               << "square " << x << "," << y << " differs at " << i << "," << j;
    }
  return ::testing::AssertionSuccess();
}

TEST(GameData, HelpShowsTheFirstLevelAsItStarts) {
  const MapCells map = ReadMap(SourceDir() / "data" / "Maps" / "level01.dmm");
  ASSERT_EQ(map.w, 30);
  ASSERT_EQ(map.h, 20);
  const Picture level = Load(HelpDir() / "first_level.png");
  const auto image = [](const char* name) { return Load(DataDir() / "vdd" / "image" / name); };
  const Picture runner = image("unit.png"), alien = image("alien.png");
  const Picture treasure = image("treasure.png"), ladder = image("ladder.png");
  ASSERT_TRUE(level.ok && runner.ok && alien.ok && treasure.ok && ladder.ok);
  ASSERT_EQ(level.w, 30 * 32 + 2);
  ASSERT_EQ(level.h, 20 * 32 + 2);
  // The white outline the game draws around the map.
  for (int x = 0; x < level.w; ++x)
    EXPECT_EQ(level.At(x, 0)[0] & level.At(x, 0)[1] & level.At(x, 0)[2], 255);

  const auto exits = map.Find(6), runners = map.Find(7), treasures = map.Find(5);
  ASSERT_EQ(exits.size(), 1u);
  ASSERT_EQ(runners.size(), 1u);
  ASSERT_FALSE(treasures.empty());
  // While treasures are left the exit is hidden, and the runner stands on its
  // start square with the marker gone from under it.
  EXPECT_TRUE(SquareShows(level, exits[0].first, exits[0].second, nullptr));
  EXPECT_TRUE(SquareShows(level, runners[0].first, runners[0].second, &runner));
  for (const auto& [x, y] : treasures) EXPECT_TRUE(SquareShows(level, x, y, &treasure));
  for (const auto& [x, y] : map.Find(4)) EXPECT_TRUE(SquareShows(level, x, y, &ladder));
  for (const auto& [x, y] : map.Find(8)) EXPECT_TRUE(SquareShows(level, x, y, &alien));
}

TEST(GameData, HelpPagesLinkOnlyToWhatShipsBesideThem) {
  std::set<std::string> used;
  for (const char* page : {"index.html", "fonts.html"}) {
    SCOPED_TRACE(page);
    const std::string html = ReadText(HelpDir() / page);
    ASSERT_FALSE(html.empty());
    EXPECT_EQ(html.find("<script"), std::string::npos);
    EXPECT_EQ(html.find("url("), std::string::npos) << "no resources from style sheets";
    const std::vector<std::string> ids = Attributes(html, "id");
    std::vector<std::string> targets = Attributes(html, "src");
    for (const std::string& href : Attributes(html, "href")) targets.push_back(href);
    EXPECT_FALSE(targets.empty());
    for (const std::string& target : targets) {
      SCOPED_TRACE(target);
      ASSERT_FALSE(target.empty());
      EXPECT_EQ(target.find(':'), std::string::npos) << "a link that leaves the game folder";
      EXPECT_NE(target.rfind("//", 0), 0u) << "a link that leaves the game folder";
      const size_t hash = target.find('#');
      if (hash == 0) {
        EXPECT_NE(std::find(ids.begin(), ids.end(), target.substr(1)), ids.end());
        continue;
      }
      const std::string file = target.substr(0, hash);
      EXPECT_EQ(file.find('/'), std::string::npos) << "everything lies in the help folder";
      EXPECT_TRUE(fs::is_regular_file(HelpDir() / file));
      used.insert(file);
    }
  }
  // Nothing ships in the folder that the pages do not show.
  for (const auto& e : fs::directory_iterator(HelpDir()))
    EXPECT_TRUE(used.count(e.path().filename().string())) << e.path() << " is not used";
}

struct Wave {
  bool ok = false;
  int channels = 0, rate = 0, bits = 0;
  std::vector<int16_t> samples;
};

Wave LoadWave(const fs::path& path) {
  Wave w;
  const Bytes b = ReadBytes(path);
  auto u32 = [&b](size_t at) {
    return uint32_t(b[at] | b[at + 1] << 8 | b[at + 2] << 16 | b[at + 3] << 24);
  };
  auto u16 = [&b](size_t at) { return uint16_t(b[at] | b[at + 1] << 8); };
  if (b.size() < 44 || std::string(b.begin(), b.begin() + 4) != "RIFF" ||
      std::string(b.begin() + 8, b.begin() + 16) != "WAVEfmt " || u16(20) != 1 ||
      std::string(b.begin() + 36, b.begin() + 40) != "data" || u32(4) != b.size() - 8 ||
      u32(40) != b.size() - 44)
    return w;
  w.channels = u16(22);
  w.rate = int(u32(24));
  w.bits = u16(34);
  for (size_t i = 44; i + 1 < b.size(); i += 2) w.samples.push_back(int16_t(u16(i)));
  w.ok = true;
  return w;
}

TEST(GameData, SoundsAreCleanPcmAndStepsAreQuietAndShort) {
  struct Case {
    const char* name;
    bool step;
  };
  const Case cases[] = {{"horizontal_step.wav", true}, {"vertical_step.wav", true},
                        {"treasure.wav", false},       {"life.wav", false},
                        {"victory.wav", false},        {"death.wav", false},
                        {"hole.wav", false},           {"close_hole.wav", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Wave w = LoadWave(DataDir() / "vdd" / "sound" / c.name);
    ASSERT_TRUE(w.ok);
    EXPECT_EQ(w.channels, 1);
    EXPECT_EQ(w.rate, 44100);
    EXPECT_EQ(w.bits, 16);
    ASSERT_GT(w.samples.size(), 1000u);
    int peak = 0;
    for (int16_t s : w.samples) peak = std::max(peak, std::abs(int(s)));
    // Starts and ends at silence (no click) and stays well clear of clipping.
    EXPECT_LT(std::abs(int(w.samples.front())), 64);
    EXPECT_LT(std::abs(int(w.samples.back())), 64);
    EXPECT_LT(peak, 32767 * 7 / 10);
    EXPECT_GT(peak, 32767 / 20) << "inaudible";
    const double seconds = double(w.samples.size()) / w.rate;
    if (c.step) {
      EXPECT_LT(seconds, 0.1);
      EXPECT_LT(peak, 32767 / 4);
    } else {
      EXPECT_LT(seconds, 2.5);
    }
  }
  // The sound drive is built from this folder as it is: nothing else in it.
  size_t files = 0;
  for (const auto& e : fs::directory_iterator(DataDir() / "vdd" / "sound"))
    files += e.is_regular_file();
  EXPECT_EQ(files, std::size(cases));
}

}  // namespace

TEST(GameData, DesktopIconsAreTheLogoAtEverySize) {
  const Picture logo = Load(DataDir() / "vdd" / "image" / "logo.png");
  ASSERT_TRUE(logo.ok);
  for (int size : {16, 32, 48, 64, 128, 256}) {
    SCOPED_TRACE(size);
    const std::string folder = std::to_string(size) + "x" + std::to_string(size);
    const Picture icon = Load(DataDir() / "icons" / "hicolor" / folder / "apps" / "digmaze.png");
    ASSERT_TRUE(icon.ok);
    ASSERT_EQ(icon.w, size);
    ASSERT_EQ(icon.h, size);
    // The logo's rounded corners stay (mostly) transparent and its centre opaque.
    EXPECT_LT(icon.At(0, 0)[3], 128);
    EXPECT_LT(icon.At(size - 1, size - 1)[3], 128);
    EXPECT_EQ(icon.At(size / 2, size / 2)[3], 255);
    // The large ones are the logo pixel for pixel.
    if (size >= 128) {
      for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
          ASSERT_EQ(0, std::memcmp(icon.At(x, y), logo.At(x * 128 / size, y * 128 / size), 4))
              << "at " << x << "," << y;
    }
  }
}

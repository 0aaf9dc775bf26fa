// The type of the map files the package gives the desktop: its glob and its
// first bytes (nested little-endian words, all of which must hold) take every
// map the game ships, and neither a file merely named like a map nor a map
// under another name.
#include <fnmatch.h>
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "tests/support/Files.h"

namespace fs = std::filesystem;

TEST(PackagingTest, TheMapTypeTakesTheShippedMapsAndNothingElse) {
  const std::string xml = ReadText(SourceDir() / "packaging/digmaze-map.xml");
  ASSERT_NE(xml.find("<mime-type type=\"application/x-digmaze-map\">"), std::string::npos);
  const auto recognised = [&xml](const fs::path& file) {
    std::smatch m;
    const std::string name = file.filename().string(), bytes = ReadText(file);
    bool taken = std::regex_search(xml, m, std::regex("<glob pattern=\"([^\"]+)\"/>")) &&
                 fnmatch(m.str(1).c_str(), name.c_str(), 0) == 0;
    const std::regex word("<match type=\"little32\" offset=\"([0-9]+)\" value=\"([0-9]+)\"");
    for (std::sregex_iterator w(xml.begin(), xml.end(), word), end; w != end; ++w) {
      const size_t at = std::stoul((*w)[1]);
      uint32_t value = 0;
      for (size_t i = 0; i < 4 && at + i < bytes.size(); ++i)
        value |= uint32_t{static_cast<unsigned char>(bytes[at + i])} << (8 * i);
      taken = taken && at + 4 <= bytes.size() && value == std::stoul((*w)[2]);
    }
    return taken;
  };
  int maps = 0;
  for (const auto& entry : fs::directory_iterator(SourceDir() / "data/Maps")) {
    maps += entry.path().extension() == ".dmm";
    EXPECT_EQ(recognised(entry.path()), entry.path().extension() == ".dmm") << entry.path();
  }
  EXPECT_GE(maps, 30);
  TempDir dir;
  WriteText(dir / "notes.dmm", "notes about a map, not one");
  WriteText(dir / "level.dmm.txt", ReadText(SourceDir() / "data/Maps/level01.dmm"));
  EXPECT_FALSE(recognised(dir / "notes.dmm"));
  EXPECT_FALSE(recognised(dir / "level.dmm.txt"));
}

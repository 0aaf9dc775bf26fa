#include <unistd.h>
#include <filesystem>
#include <fstream>

#include "GUI/foundation/CFerroStreamMemory.h"
#include "tests/game/model/LevelFixture.h"

namespace fs = std::filesystem;

// A 30 x 20 level: a frame of floor, a brick row, a ladder, treasures, an exit,
// the runner and three aliens.
const char* const kLevel = R"(
==============================
=R..........$........A.......=
=######H######....######H####=
=......H.................H...=
=......H...A......$.....H...=X
=##########H####=====#######==
=..........H.................=
=..$.......H.......A.........=
=============-------==========
=............................=
=............................=
=............................=
=............................=
=............................=
=............................=
=............................=
=............................=
=............................=
=............................=
==============================
)";

std::string LevelText() {
  return std::string(kLevel + 1);
}

std::vector<unsigned char> Bytes(CFerroStreamMemory& stream) {
  return std::vector<unsigned char>(stream.GetBuffer(), stream.GetBuffer() + stream.GetLength());
}

int32_t IntAt(const std::vector<unsigned char>& b, size_t at) {
  return static_cast<int32_t>(b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24);
}

class MapFileTest : public LevelFixture {
 protected:
  std::vector<unsigned char> Write() {
    CFerroStreamMemory out;
    EXPECT_TRUE(out.Open(nullptr, 0, CFerroStream::modeWrite));
    EXPECT_TRUE(map->Serialize(out, false));
    return Bytes(out);
  }
  bool Read(const std::vector<unsigned char>& bytes) {
    CFerroStreamMemory in;
    in.Open(bytes.data(), static_cast<unsigned>(bytes.size()), CFerroStream::modeRead);
    return map->Serialize(in, false);
  }
  void SetUp() override {
    LevelFixture::SetUp();
    folder = fs::temp_directory_path() / ("digmaze-maps-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    GModelMedia::SetPathToMaps((folder.string() + "/").c_str());
  }
  void TearDown() override {
    GModelMedia::SetPathToMaps(nullptr);
    fs::remove_all(folder);
    LevelFixture::TearDown();
  }
  fs::path folder;
};

TEST_F(MapFileTest, ALevelIsTwentyBytesOfHeaderAndEightPerCell) {
  ASSERT_TRUE(GMapText::ToMap(LevelText(), *map));
  map->exitX = 7;
  map->exitY = 3;
  map->SetCell(5, 2, CELL_HOLE);
  map->GetCell(5, 2)->timer = -2;
  const auto bytes = Write();
  ASSERT_EQ(bytes.size(), 4820u);
  EXPECT_EQ(IntAt(bytes, 0), 0);
  EXPECT_EQ(IntAt(bytes, 4), 30);
  EXPECT_EQ(IntAt(bytes, 8), 20);
  EXPECT_EQ(IntAt(bytes, 12), 7);
  EXPECT_EQ(IntAt(bytes, 16), 3);
  const size_t hole = 20 + 8 * (2 * 30 + 5);
  EXPECT_EQ(std::vector<unsigned char>(bytes.begin() + hole, bytes.begin() + hole + 8),
            (std::vector<unsigned char>{9, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(IntAt(bytes, 20 + 8 * (1 * 30 + 1)), CELL_UNIT);
  EXPECT_EQ(IntAt(bytes, 20 + 8 * (4 * 30 + 29)), CELL_EXIT);

  map->Clear();
  ASSERT_TRUE(Read(bytes));
  EXPECT_EQ(map->exitX, 7);
  EXPECT_EQ(map->GetCell(5, 2)->timer, -2);
  EXPECT_EQ(Write(), bytes);
}

TEST_F(MapFileTest, SaveAndLoadByNameInTheMapsFolder) {
  ASSERT_TRUE(GMapText::ToMap(LevelText(), *map));
  ASSERT_TRUE(map->SaveToFile("0123456789.dmm"));
  EXPECT_EQ(map->fileName, "0123456789.dmm");
  EXPECT_EQ(fs::file_size(folder / "0123456789.dmm"), 4820u);
  EXPECT_FALSE(fs::exists(folder / "0123456789.dmm.tmp"));
  map->Create(2, 2);
  ASSERT_TRUE(map->LoadFromFile("0123456789.dmm"));
  EXPECT_EQ(GMapText::FromMap(*map), LevelText());

  EXPECT_FALSE(map->LoadFromFile("missing.dmm"));
  EXPECT_EQ(map->fileName, "");
  EXPECT_EQ(map->width, 30);
}

TEST_F(MapFileTest, BrokenFilesLeaveTheMapAsItWas) {
  ASSERT_TRUE(GMapText::ToMap(LevelText(), *map));
  const auto good = Write();
  ASSERT_TRUE(GMapText::ToMap("R$\n==\n", *map));
  map->fileName = "kept.dmm";
  const std::string before = GMapText::FromMap(*map);

  struct Case {
    const char* what;
    std::vector<unsigned char> bytes;
  } cases[] = {
      {"empty", {}},
      {"cut in the header", {good.begin(), good.begin() + 3}},
      {"header only", {good.begin(), good.begin() + 20}},
      {"last cell cut", {good.begin(), good.end() - 1}},
      {"negative width", Patched(good, 4, -30)},
      {"zero height", Patched(good, 8, 0)},
      {"width too large for the file", Patched(good, 4, 31)},
      {"huge size", Patched(good, 8, 0x7FFFFFFF)},
      {"cell code 10", Patched(good, 20 + 8 * 45, 10)},
      {"cell code -1", Patched(good, 20 + 8 * 599, -1)},
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(Read(c.bytes)) << c.what;
    EXPECT_EQ(GMapText::FromMap(*map), before) << c.what;
    EXPECT_EQ(map->fileName, "kept.dmm") << c.what;
  }
}

TEST_F(MapFileTest, NamesThatLeaveTheMapsFolderAreRefused) {
  ASSERT_TRUE(GMapText::ToMap(LevelText(), *map));
  for (const char* name : {"../escape.dmm", "sub/level.dmm", "sub\\level.dmm", "..", ""}) {
    EXPECT_FALSE(map->SaveToFile(name)) << name;
    EXPECT_FALSE(map->LoadFromFile(name)) << name;
  }
  EXPECT_FALSE(fs::exists(folder.parent_path() / "escape.dmm"));
  EXPECT_TRUE(GMap::IsSafeFileName("0123456789.dmm"));
}

TEST_F(MapFileTest, AFailedWriteKeepsThePreviousFile) {
  ASSERT_TRUE(GMapText::ToMap(LevelText(), *map));
  ASSERT_TRUE(map->SaveToFile("level.dmm"));
  // The temporary cannot be created: the save fails and the old file stays whole.
  fs::create_directory(folder / "level.dmm.tmp");
  map->Create(3, 3);
  EXPECT_FALSE(map->SaveToFile("level.dmm"));
  EXPECT_EQ(fs::file_size(folder / "level.dmm"), 4820u);
  EXPECT_FALSE(map->SaveToPath((folder / "no-such-folder" / "x.dmm").c_str()));
}

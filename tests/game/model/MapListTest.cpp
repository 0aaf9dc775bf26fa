#include <unistd.h>
#include <filesystem>
#include <fstream>

#include "GUI/foundation/CFerroStreamMemory.h"
#include "tests/game/model/LevelFixture.h"

namespace fs = std::filesystem;

class MapListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::temp_directory_path() / ("digmaze-list-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    GModelMedia::SetPathToMaps((folder.string() + "/").c_str());
  }
  void TearDown() override {
    GModelMedia::SetPathToMaps(nullptr);
    fs::remove_all(folder);
  }
  std::vector<unsigned char> IndexBytes() {
    std::ifstream in(folder / "index.dml", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  fs::path folder;
};

TEST_F(MapListTest, TheIndexHoldsTheNamesInPlayOrder) {
  GMapList list;
  EXPECT_EQ(list.GetCount(), 0);
  list.Add("a.dmm");
  list.Add("bb.dmm");
  list.Add(std::string(300, 'n').c_str());
  auto bytes = IndexBytes();
  ASSERT_EQ(bytes.size(), 4u + 4 + 6 + 7 + 303);
  EXPECT_EQ(std::vector<unsigned char>(bytes.begin(), bytes.begin() + 15),
            (std::vector<unsigned char>{0, 0, 0, 0, 3, 0, 0, 0, 5, 'a', '.', 'd', 'm', 'm', 6}));
  EXPECT_EQ(std::vector<unsigned char>(bytes.begin() + 21, bytes.begin() + 24),
            (std::vector<unsigned char>{0xFF, 0x2C, 0x01}));

  list.Exchange(0, 1);
  list.Delete(-1);
  list.Delete(3);
  list.Delete(2);
  GMapList reread;
  ASSERT_EQ(reread.GetCount(), 2);
  EXPECT_EQ(reread.names[0], "bb.dmm");
  EXPECT_EQ(reread.names[1], "a.dmm");
}

TEST_F(MapListTest, DeleteOutOfRangeDoesNotRewriteTheIndex) {
  GMapList list;
  list.Add("a.dmm");
  fs::remove(folder / "index.dml");
  list.Delete(-1);
  list.Delete(1);
  EXPECT_FALSE(fs::exists(folder / "index.dml"));
}

TEST_F(MapListTest, NextMapWrapsAfterTheLastAndRestartsFromUnknownNames) {
  GMapList list;
  EXPECT_FALSE(list.SelectNextMapForGame());  // an empty list has no level
  list.names = {CFerroString("a"), CFerroString("b"), CFerroString("c")};
  struct Case {
    const char* current;
    bool more;
    const char* next;
    int index;
  } cases[] = {{"a", true, "b", 0},
               {"b", true, "c", 1},
               {"c", false, "a", 2},
               {"zz", true, "a", -1},
               {"", true, "a", -1}};
  for (const Case& c : cases) {
    list.currentName = c.current;
    EXPECT_EQ(list.GetMapForGameIndex(), c.index) << c.current;
    EXPECT_EQ(list.SelectNextMapForGame(), c.more) << c.current;
    EXPECT_EQ(list.currentName, c.next) << c.current;
  }
  EXPECT_EQ(list.GetMapGameIndex("c"), 2);
  EXPECT_EQ(list.GetMapGameIndex("d"), -1);
}

TEST_F(MapListTest, ABrokenIndexLeavesTheListAsItWas) {
  GMapList list;
  list.names = {CFerroString("kept.dmm")};
  const std::vector<std::vector<unsigned char>> broken = {
      {},
      {0, 0, 0},
      {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF},   // negative count
      {0, 0, 0, 0, 2, 0, 0, 0, 1, 'a'},       // second name missing
      {0, 0, 0, 0, 1, 0, 0, 0, 9, 'a', 'b'},  // name running past the end
      {0, 0, 0, 0, 1, 0, 0, 0, 0xFF, 0x10},   // long-name escape cut short
  };
  for (const auto& bytes : broken) {
    CFerroStreamMemory in;
    in.Open(bytes.data(), static_cast<unsigned>(bytes.size()), CFerroStream::modeRead);
    EXPECT_FALSE(list.Serialize(in, false));
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.names[0], "kept.dmm");
  }
}

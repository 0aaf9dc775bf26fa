#include "tests/support/LevelFixture.h"

using MapListTest = LevelFixture;

TEST_F(MapListTest, TheIndexHoldsTheNamesInPlayOrder) {
  const fs::path index = MapsFolder() / "index.dml";
  GMapList list;
  list.Add("a.dmm");
  list.Add("bb.dmm");
  list.Add((std::string(296, 'n') + ".dmm").c_str());
  const Bytes written = ReadBytes(index);
  ASSERT_EQ(written.size(), 4u + 4 + 6 + 7 + 303);
  EXPECT_EQ(Cut(written, 15), (Bytes{0, 0, 0, 0, 3, 0, 0, 0, 5, 'a', '.', 'd', 'm', 'm', 6}));
  EXPECT_EQ(Bytes(written.begin() + 21, written.begin() + 24), (Bytes{0xFF, 0x2C, 0x01}));

  list.Exchange(0, 1);
  list.Delete(2);
  GMapList reread;
  EXPECT_EQ(reread.names, (std::vector<CFerroString>{"bb.dmm", "a.dmm"}));
  list.Delete(-1);  // outside the list: nothing changes
  list.Delete(2);
  EXPECT_EQ(list.GetCount(), 2);
}

// The list follows the map files of its folder: the first, a middle and the
// last entry leave when their file did, new files join the end in the order
// given, and the index is written once a change, not at all without one.
TEST_F(MapListTest, TheListFollowsTheFolderAtBothEnds) {
  const fs::path index = MapsFolder() / "index.dml";
  using Names = std::vector<CFerroString>;
  const Names listed = {"a.dmm", "b.dmm", "c.dmm", "d.dmm"};
  const struct {
    Names files, want;
  } cases[] = {
      {{"b.dmm", "c.dmm", "d.dmm"}, {"b.dmm", "c.dmm", "d.dmm"}},
      {{"d.dmm", "c.dmm", "a.dmm"}, {"a.dmm", "c.dmm", "d.dmm"}},
      {{"a.dmm", "b.dmm", "c.dmm"}, {"a.dmm", "b.dmm", "c.dmm"}},
      {{"e.dmm", "a.dmm", "notes.txt", "b.dmm", "c.dmm", "d.dmm", "f.dmm"},
       {"a.dmm", "b.dmm", "c.dmm", "d.dmm", "e.dmm", "f.dmm"}},
      {{}, {}},
      {{"d.dmm", "c.dmm", "b.dmm", "a.dmm"}, listed},
  };
  for (const auto& c : cases) {
    GMapList list;
    list.names = listed;
    fs::remove(index);
    const bool changed = c.want != listed;
    EXPECT_EQ(list.FollowFiles(c.files), changed);
    EXPECT_EQ(list.names, c.want);
    EXPECT_EQ(fs::exists(index), changed);
    EXPECT_EQ(changed ? GMapList().names : listed, c.want) << "the index says the same";
  }
}

TEST_F(MapListTest, NextMapWrapsAfterTheLastAndRestartsFromUnknownNames) {
  GMapList list;
  EXPECT_FALSE(list.SelectNextMapForGame());  // an empty list has no level
  list.names = {"a", "b", "c"};
  // The current name, its index, whether a level follows, and the next name.
  const std::tuple<const char*, int, bool, const char*> cases[] = {
      {"a", 0, true, "b"}, {"b", 1, true, "c"}, {"c", 2, false, "a"}, {"zz", -1, true, "a"}};
  for (auto [current, index, more, next] : cases) {
    list.currentName = current;
    EXPECT_EQ(list.GetMapForGameIndex(), index) << current;
    EXPECT_EQ(list.SelectNextMapForGame(), more) << current;
    EXPECT_EQ(list.currentName, next) << current;
  }
}

TEST_F(MapListTest, ABrokenIndexLeavesTheListAsItWas) {
  GMapList list;
  list.names = {"kept.dmm"};
  const Bytes broken[] = {
      {0, 0, 0},
      {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF},  // negative count
      {0, 0, 0, 0, 2, 0, 0, 0, 1, 'a'},      // second name missing
      {0, 0, 0, 0, 1, 0, 0, 0, 0xFF, 0x10},  // long-name escape cut short
  };
  for (const Bytes& bytes : broken) {
    EXPECT_FALSE(ReadWith(bytes, [&list](CFerroStream& s) { return list.Serialize(s, false); }));
    EXPECT_EQ(list.names, std::vector<CFerroString>{"kept.dmm"});
  }
}

// Names come from files players share: one that would reach outside the
// maps folder, or is no map file, is dropped where it is read, with a line in
// the error log; a name listed twice is kept once, and Add never lists one twice.
TEST_F(MapListTest, NamesFromSharedFilesStayInTheMapsFolderAndAreListedOnce) {
  MapsFolder();
  const std::string bad[] = {"../up.dmm", "sub/a.dmm", "back\\a.dmm", std::string("z\0.dmm", 6),
                             "noext",     ".dmm",      "a.dmm.txt",   ".."};
  ByteBuilder index;  // reserved, the count, then each name after its length byte
  index.Int(0).Int(static_cast<int>(std::size(bad)) + 3).Little(9, 1).Raw("first.dmm");
  for (const std::string& text : bad) index.Little(static_cast<uint32_t>(text.size()), 1).Raw(text);
  index.Little(9, 1).Raw("first.dmm").Little(8, 1).Raw("last.dmm");
  GMapList list;
  testing::internal::CaptureStderr();
  ASSERT_TRUE(
      ReadWith(index.Vector(), [&list](CFerroStream& s) { return list.Serialize(s, false); }));
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_EQ(list.names, (std::vector<CFerroString>{"first.dmm", "last.dmm"}));
  EXPECT_NE(said.find("\"../up.dmm\", which is not a map file name"), std::string::npos) << said;
  EXPECT_NE(said.find("first.dmm twice"), std::string::npos) << said;

  EXPECT_FALSE(list.Add("first.dmm"));
  EXPECT_FALSE(list.Add("../up.dmm"));
  EXPECT_EQ(list.GetCount(), 2);
}

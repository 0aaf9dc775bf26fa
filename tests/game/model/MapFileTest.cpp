#include "tests/support/LevelFixture.h"

class MapFileTest : public LevelFixture {
 protected:
  Bytes Write() {
    return Written([this](CFerroStream& s) { return map->Serialize(s, false); });
  }
  bool Read(const Bytes& bytes) {
    return ReadWith(bytes, [this](CFerroStream& s) { return map->Serialize(s, false); });
  }
};

TEST_F(MapFileTest, ALevelIsTwentyBytesOfHeaderAndEightPerCell) {
  Build(Level30x20());
  map->exitX = 7;
  map->exitY = 3;
  map->SetCell(5, 2, CELL_HOLE);
  map->GetCell(5, 2)->timer = -2;
  const Bytes bytes = Write();
  ASSERT_EQ(bytes.size(), 4820u);
  // Reserved, width, height, exit x and y; then code and timer of each cell, row by row.
  EXPECT_EQ(Cut(bytes, 20), (Bytes{0, 0, 0, 0, 30, 0, 0, 0, 20, 0, 0, 0, 7, 0, 0, 0, 3, 0, 0, 0}));
  auto cell = [&bytes](int x, int y) {
    return Bytes(bytes.begin() + 20 + 8 * (y * 30 + x), bytes.begin() + 28 + 8 * (y * 30 + x));
  };
  EXPECT_EQ(cell(5, 2), (Bytes{9, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(cell(29, 4), (Bytes{CELL_EXIT, 0, 0, 0, 0, 0, 0, 0}));
  map->Clear();
  ASSERT_TRUE(Read(bytes));
  EXPECT_EQ(Write(), bytes);
}

TEST_F(MapFileTest, BrokenFilesLeaveTheMapAsItWas) {
  Build(Level30x20());
  const Bytes good = Write();
  Build({"R$", "=="});
  map->fileName = "kept.dmm";
  const std::pair<const char*, Bytes> cases[] = {
      {"empty", {}},
      {"cut in the header", Cut(good, 3)},
      {"last cell cut", Cut(good, good.size() - 1)},
      {"negative width", Patched(good, 4, -30)},
      {"zero height", Patched(good, 8, 0)},
      {"width too large for the file", Patched(good, 4, 31)},
      {"huge size", Patched(good, 8, 0x7FFFFFFF)},
      {"cell code 10", Patched(good, 20 + 8 * 45, 10)},
  };
  for (const auto& [what, bytes] : cases) {
    EXPECT_FALSE(Read(bytes)) << what;
    EXPECT_EQ(GMapText::FromMap(*map), "R$\n==\n") << what;
    EXPECT_EQ(map->fileName, "kept.dmm") << what;
  }
}

TEST_F(MapFileTest, FilesByNameInTheMapsFolderReplacedWholeOrNotAtAll) {
  const fs::path& dir = MapsFolder();
  Build(Level30x20());
  ASSERT_TRUE(map->SaveToFile("0123456789.dmm"));
  EXPECT_EQ(map->fileName, "0123456789.dmm");
  map->Create(2, 2);
  ASSERT_TRUE(map->LoadFromFile("0123456789.dmm"));
  EXPECT_EQ(GMapText::FromMap(*map), Rows(Level30x20()));
  EXPECT_FALSE(map->LoadFromFile("missing.dmm"));
  EXPECT_EQ(map->width, 30);

  // Names from shared files never reach outside the maps folder.
  for (const char* name : {"../escape.dmm", "sub/level.dmm", "sub\\level.dmm", "..", ""}) {
    EXPECT_FALSE(map->SaveToFile(name)) << name;
    EXPECT_FALSE(map->LoadFromFile(name)) << name;
  }
  EXPECT_FALSE(fs::exists(dir.parent_path() / "escape.dmm"));
}

using GridTest = LevelFixture;

TEST_F(GridTest, SetCellChangesInsideOnlyOnceAStrokeAndKeepsSingleKindsSingle) {
  Build({"X..R", "...."});
  for (auto [x, y] : {std::pair{-1, 0}, {4, 0}, {0, 2}, {0, -1}}) {
    EXPECT_EQ(map->GetCell(x, y), map->GetOutsideCell());
    EXPECT_FALSE(map->SetCell(x, y, CELL_BRICK));
  }
  int undoSteps = 0;
  ScopedValue edited(GMap::editedProbe, [] { return true; });
  ScopedValue undo(GMap::undoFactory, [&undoSteps](GMap&) {
    ++undoSteps;
    return std::make_unique<GMapUndo>();
  });
  ScopedValue stroke(map->pendingUndo, nullptr);
  EXPECT_FALSE(map->SetCell(1, 1, CELL_EMPTY));  // no change, no undo step
  EXPECT_EQ(undoSteps, 0);
  EXPECT_TRUE(map->SetCell(2, 1, CELL_EXIT));
  EXPECT_TRUE(map->SetCell(1, 1, CELL_UNIT));
  EXPECT_EQ(undoSteps, 1);
  EXPECT_EQ(GMapText::FromMap(*map), "....\n.RX.\n");
}

// Maps that travel: a file checked by the map loader before anything is
// written, imported under a fresh name as the last level, exported without
// ever writing over a file.
#include "game/model/CMapTransfer.h"

#include <map>
#include <regex>

#include "tests/support/LevelFixture.h"

namespace {

class MapTransferTest : public LevelFixture {
 protected:
  void SetUp() override {
    folder = MapsFolder();
    GMapList::GetInstance()->Clear();
    shipped = ReadText(SourceDir() / "data/Maps/level01.dmm");
  }
  void TearDown() override {
    GMapList::GetInstance()->Clear();
    LevelFixture::TearDown();
  }
  // Every file of the maps folder with its bytes, to see that nothing changed.
  std::map<std::string, std::string> Files() {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(folder))
      files[entry.path().filename().string()] = ReadText(entry.path());
    return files;
  }

  fs::path folder;
  std::string shipped;
  TempDir elsewhere;
};

// One whole map file and nothing else: every damaged or hostile form of one
// is refused by the loader, as the fuzz target drives it.
TEST_F(MapTransferTest, OnlyAWholeMapFileIsAMap) {
  const auto header = [](int w, int h) {
    ByteBuilder b;
    return b.Int(0).Int(w).Int(h).Int(0).Int(0).bytes;
  };
  const auto cells = [](int n, int code) {
    ByteBuilder b;
    for (int i = 0; i < n; ++i) b.Int(code).Int(0);
    return b.bytes;
  };
  const struct {
    const char* what;
    std::string bytes;
    bool map;
  } cases[] = {
      {"a shipped level", shipped, true},
      {"the smallest map", header(1, 1) + cells(1, CELL_UNIT), true},
      {"a byte more", shipped + '\0', false},
      {"a byte less", shipped.substr(0, shipped.size() - 1), false},
      {"huge dimensions", header(100000, 100000) + cells(4, CELL_EMPTY), false},
      {"an unknown cell code", header(1, 1) + cells(1, 10), false},
      {"nothing", "", false},
  };
  for (const auto& c : cases) EXPECT_EQ(CMapTransfer::IsMapFile(c.bytes), c.map) << c.what;
}

// A map is copied byte for byte under ten fresh digits and joins the end of
// the level order; a file that is no map, a folder, a missing file and a
// full disk change nothing in the maps folder.
TEST_F(MapTransferTest, AnImportIsAFreshCopyAtTheEndOrNothingAtAll) {
  GMapList* list = GMapList::GetInstance();
  list->Add("level01.dmm");
  WriteText(folder / "level01.dmm", shipped);
  const std::string path = elsewhere / "..level 07.dmm";
  WriteText(path, shipped);
  CFerroString name;
  ASSERT_EQ(CMapTransfer::Import(path.c_str(), 42, name), CMapTransfer::Result::done);
  EXPECT_TRUE(std::regex_match(name.c_str(), std::regex("[0-9]{10}\\.dmm"))) << name.c_str();
  EXPECT_EQ(ReadText(folder / name.c_str()), shipped);
  EXPECT_EQ(list->names, (std::vector<CFerroString>{"level01.dmm", name}));
  EXPECT_EQ(GMapList().names, list->names) << "the index says so too";
  CFerroString again;
  ASSERT_EQ(CMapTransfer::Import(path.c_str(), 42, again), CMapTransfer::Result::done);
  EXPECT_NE(again, name) << "the same seed draws a name not taken";

  const auto before = Files();
  WriteText(elsewhere / "damaged.dmm", shipped.substr(0, 100));
  fs::create_directory(elsewhere / "maps.dmm");
  const struct {
    std::string path;
    CMapTransfer::Result result;
    rlim_t limit;
  } refusals[] = {
      {elsewhere / "damaged.dmm", CMapTransfer::Result::notAMap, RLIM_INFINITY},
      {elsewhere / "maps.dmm", CMapTransfer::Result::folder, RLIM_INFINITY},
      {elsewhere / "missing.dmm", CMapTransfer::Result::unreadable, RLIM_INFINITY},
      {path, CMapTransfer::Result::cannotWrite, 1000},
  };
  for (const auto& r : refusals) {
    ScopedFileSizeLimit disk(r.limit);
    EXPECT_EQ(CMapTransfer::Import(r.path.c_str(), 7, name), r.result) << r.path;
    EXPECT_EQ(Files(), before) << r.path;
  }
  EXPECT_EQ(list->GetCount(), 3);
}

// An export is named after the map, never over an existing file: the next
// free copy number is taken. A damaged map and a full disk leave nothing.
TEST_F(MapTransferTest, AnExportNeverWritesOverAFile) {
  EXPECT_STREQ(CMapTransfer::ExportName("level07.dmm", 1).c_str(), "digmaze-level07.dmm");
  EXPECT_STREQ(CMapTransfer::ExportName("4829301746.dmm", 3).c_str(), "digmaze-4829301746-3.dmm");
  WriteText(folder / "level07.dmm", shipped);
  WriteText(elsewhere / "digmaze-level07.dmm", "someone's file");
  const CFerroString documents(elsewhere.Path().c_str());
  CFerroString path;
  ASSERT_EQ(CMapTransfer::Export("level07.dmm", documents, path), CMapTransfer::Result::done);
  EXPECT_EQ(path, documents + "digmaze-level07-2.dmm");
  EXPECT_EQ(ReadText(path.c_str()), shipped);
  EXPECT_EQ(ReadText(elsewhere / "digmaze-level07.dmm"), "someone's file");

  WriteText(folder / "broken.dmm", "broken");
  EXPECT_EQ(CMapTransfer::Export("broken.dmm", documents, path), CMapTransfer::Result::notAMap);
  EXPECT_EQ(CMapTransfer::Export("../level07.dmm", documents, path), CMapTransfer::Result::notAMap);
  {
    ScopedFileSizeLimit disk(1000);
    EXPECT_EQ(CMapTransfer::Export("level07.dmm", documents, path),
              CMapTransfer::Result::cannotWrite);
  }
  EXPECT_EQ(Listing(elsewhere.Path()), "digmaze-level07-2.dmm digmaze-level07.dmm");
}

}  // namespace

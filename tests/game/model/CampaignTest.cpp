#include <map>

#include "game/model/CCampaign.h"
#include "tests/support/LevelFixture.h"
#include "tests/support/Strings.h"

inline void PrintTo(const CCampaign::HEADING& h, std::ostream* os) {
  *os << h.position << " \"" << h.title.c_str() << '"';
}

namespace {

using Names = std::vector<CFerroString>;

std::map<std::string, Bytes> FolderBytes(const fs::path& folder) {
  std::map<std::string, Bytes> files;
  for (const auto& entry : fs::directory_iterator(folder))
    files[entry.path().filename().string()] = ReadBytes(entry.path());
  return files;
}

Names Levels(int from, int to) {
  Names names;
  for (int i = from; i <= to; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "level%02d.dmm", i);
    names.emplace_back(name);
  }
  return names;
}

Names operator+(Names a, const Names& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

class CampaignTest : public LevelFixture {
 protected:
  const fs::path shipped = SourceDir() / "data/Maps";
  static constexpr const char* kOwn = "4711000042.dmm";

  // The player's folder as an earlier version left it: shipped levels of
  // the order copied in, and one map of his own listed after them.
  fs::path OldFolder(const Names& order) {
    const fs::path own = MapsFolder();
    for (const CFerroString& name : order) fs::copy(shipped / name.c_str(), own / name.c_str());
    EXPECT_TRUE(WriteText(own / kOwn, "the player's own map"));
    GMapList list;
    list.names = order + Names{kOwn};
    EXPECT_TRUE(list.Save());
    return own;
  }
  int Join() {
    CCampaign campaign;
    EXPECT_TRUE(campaign.Load((shipped.string() + "/").c_str()));
    GMapList list;
    return campaign.JoinInto(list);
  }
};

// A folder of the first thirty levels and one own map gains the seventy
// newer ones between them, copied byte for byte; level 5, edited by the
// player, stays his. A second start changes no byte of the folder.
TEST_F(CampaignTest, NewShippedLevelsJoinBeforeThePlayersOwnMaps) {
  const fs::path own = OldFolder(Levels(1, 30));
  ASSERT_TRUE(WriteText(own / "level05.dmm", "edited"));
  ASSERT_TRUE(WriteText(own / "level31.dmm", "his own level 31, not listed"));
  EXPECT_EQ(Join(), 70);
  EXPECT_EQ(GMapList().names, Levels(1, 100) + Names{kOwn});
  EXPECT_EQ(ReadText(own / "level05.dmm"), "edited");
  EXPECT_EQ(ReadText(own / "level31.dmm"), "his own level 31, not listed");
  EXPECT_EQ(ReadBytes(own / "level32.dmm"), ReadBytes(shipped / "level32.dmm"));
  EXPECT_EQ(ReadBytes(own / "level100.dmm"), ReadBytes(shipped / "level100.dmm"));
  EXPECT_EQ(ReadText(own / kOwn), "the player's own map");

  const auto before = FolderBytes(own);
  EXPECT_EQ(Join(), 0);
  EXPECT_EQ(FolderBytes(own), before);
}

// A shipped level the player deleted stays deleted: one missing among those
// an earlier version gave (no record yet), and one deleted after this
// version gave it. A level the folder was never given comes, even when the
// player moved his own map before the shipped ones: after the last shipped
// one listed.
TEST_F(CampaignTest, AShippedLevelThePlayerDeletedStaysDeleted) {
  Names old = Levels(1, 30);
  old.erase(old.begin() + 6);  // level07
  const fs::path own = OldFolder(old);
  EXPECT_EQ(Join(), 70);
  EXPECT_FALSE(fs::exists(own / "level07.dmm"));

  GMapList list;
  list.names.erase(list.names.end() - 2);                                   // level100
  std::rotate(list.names.begin(), list.names.end() - 1, list.names.end());  // own map first
  ASSERT_TRUE(list.Save());
  fs::remove(own / "level100.dmm");
  EXPECT_EQ(Join(), 0);
  EXPECT_FALSE(fs::exists(own / "level100.dmm"));

  // The record forgets level 60: it joins after level 99.
  std::string record = ReadText(own / CCampaign::kGivenFile);
  record.erase(record.find("level60.dmm\r\n"), 13);
  ASSERT_TRUE(WriteText(own / CCampaign::kGivenFile, record));
  list.names.erase(std::find(list.names.begin(), list.names.end(), "level60.dmm"));
  ASSERT_TRUE(list.Save());
  fs::remove(own / "level60.dmm");
  EXPECT_EQ(Join(), 1);
  EXPECT_EQ(GMapList().names.back(), "level60.dmm");
  EXPECT_EQ(GMapList().names.front(), kOwn);
}

// A damaged order is left as it is (the game goes on as with any damaged
// order), and nothing is copied or recorded.
TEST_F(CampaignTest, ADamagedOrderIsLeftAlone) {
  const fs::path own = OldFolder(Levels(1, 30));
  ASSERT_TRUE(WriteText(own / "index.dml", std::string("\0\0\0\0\x40\0\0\0", 8)));
  const auto before = FolderBytes(own);
  testing::internal::CaptureStderr();
  EXPECT_EQ(Join(), 0);
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(FolderBytes(own), before);
}

// The headings of the shipped campaign over a player's order: each set's
// name over the first of its levels listed, the own maps' title over the
// first map after the sets that no set holds.
TEST_F(CampaignTest, HeadingsStandOverEachSetsFirstListedLevel) {
  CCampaign campaign;
  ASSERT_TRUE(campaign.Load((shipped.string() + "/").c_str()));
  using H = CCampaign::HEADING;
  const Names without26 = Levels(1, 25) + Levels(27, 100);
  const struct {
    Names order;
    std::vector<H> want;
  } cases[] = {
      {Levels(1, 100) + Names{kOwn},
       {{0, "Groundwork"},
        {25, "Close Pursuit"},
        {50, "Deep Vaults"},
        {75, "Final Descent"},
        {100, "Your maps"}}},
      {without26,
       {{0, "Groundwork"}, {25, "Close Pursuit"}, {49, "Deep Vaults"}, {74, "Final Descent"}}},
      {Names{kOwn} + Levels(1, 30), {{1, "Groundwork"}, {26, "Close Pursuit"}}},
      {Levels(76, 80) + Levels(1, 2) + Names{kOwn, "9.dmm"},
       {{0, "Final Descent"}, {5, "Groundwork"}, {7, "Your maps"}}},
      {{}, {}},
  };
  for (const auto& c : cases) EXPECT_EQ(campaign.Headings(c.order, "Your maps"), c.want);
}

// A sets file that is missing or damaged leaves no headings, with a line in
// the error log; the order is read all the same. Without an order there is
// no campaign.
TEST_F(CampaignTest, ADamagedSetsFileLeavesNoHeadings) {
  const fs::path folder = MapsFolder();
  GMapList list;
  list.names = {"a.dmm", "b.dmm", "c.dmm", "d.dmm"};
  ASSERT_TRUE(list.Save());
  const std::string one = "[set 1]\r\nname = One\r\nfirst = a.dmm\r\nlast = b.dmm\r\n";
  const struct {
    const char* why;
    std::string text;
    size_t sets;
  } cases[] = {
      {"", one + "[set 2]\nname = Two\nfirst = c.dmm\nlast = d.dmm\n", 2},
      {"no file", "", 0},
      {"no name", one + "[set 2]\nfirst = c.dmm\nlast = d.dmm\n", 0},
      {"no last", one + "[set 2]\nname = Two\nfirst = c.dmm\n", 0},
      {"unknown level", one + "[set 2]\nname = Two\nfirst = c.dmm\nlast = e.dmm\n", 0},
      {"overlap", one + "[set 2]\nname = Two\nfirst = b.dmm\nlast = d.dmm\n", 0},
      {"backwards", "[set 1]\nname = One\nfirst = c.dmm\nlast = a.dmm\n", 0},
      {"no section", "name = One\n", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    fs::remove(folder / CCampaign::kSetsFile);
    if (!c.text.empty()) {
      ASSERT_TRUE(WriteText(folder / CCampaign::kSetsFile, c.text));
    }
    CCampaign campaign;
    testing::internal::CaptureStderr();
    EXPECT_TRUE(campaign.Load((folder.string() + "/").c_str()));
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(campaign.GetSets().size(), c.sets);
    EXPECT_EQ(campaign.GetLevels().size(), 4u);
    EXPECT_EQ(said.find("the level select shows no headings") != std::string::npos, c.sets == 0)
        << said;
    EXPECT_EQ(campaign.Headings(list.names, "Yours").empty(), c.sets == 0);
  }
  fs::remove(folder / "index.dml");
  CCampaign none;
  EXPECT_FALSE(none.Load((folder.string() + "/").c_str()));
  EXPECT_TRUE(none.GetSets().empty());
}

}  // namespace

#include <map>

#include "game/model/CCampaign.h"
#include "tests/support/LevelFixture.h"
#include "tests/support/Strings.h"

inline void PrintTo(const CCampaign::HEADING& h, std::ostream* os) {
  *os << h.position << " \"" << h.title.c_str() << '"';
}

namespace {

using Names = std::vector<CFerroString>;

Names Levels(int from, int to, Names tail = {}) {
  Names names;
  for (int i = from; i <= to; ++i)
    names.emplace_back(((i < 10 ? "level0" : "level") + std::to_string(i) + ".dmm").c_str());
  names.insert(names.end(), tail.begin(), tail.end());
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

  // The player's folder as an earlier version left it: the shipped levels of
  // the order copied in, and his own map listed after them.
  fs::path OldFolder(const Names& levels) {
    const fs::path own = MapsFolder();
    for (const CFerroString& name : levels) fs::copy(shipped / name.c_str(), own / name.c_str());
    EXPECT_TRUE(WriteText(own / kOwn, "the player's own map"));
    Order(levels + Names{kOwn});
    return own;
  }
  static void Order(const Names& names) {
    GMapList list;
    list.names = names;
    EXPECT_TRUE(list.Save());
  }
  int Join() {
    CCampaign campaign;
    EXPECT_TRUE(campaign.Load((shipped.string() + "/").c_str()));
    GMapList list;
    return campaign.JoinInto(list);
  }
  static std::map<std::string, Bytes> FolderBytes(const fs::path& folder) {
    std::map<std::string, Bytes> files;
    for (const auto& entry : fs::directory_iterator(folder))
      files[entry.path().filename().string()] = ReadBytes(entry.path());
    return files;
  }
};

// A folder of the first thirty levels and one own map gains the seventy
// newer ones between them, copied byte for byte; level 5, edited by the
// player, and a level 31 of his own stay his. A second start changes no byte.
TEST_F(CampaignTest, NewShippedLevelsJoinBeforeThePlayersOwnMaps) {
  const fs::path own = OldFolder(Levels(1, 30));
  ASSERT_TRUE(WriteText(own / "level05.dmm", "edited"));
  ASSERT_TRUE(WriteText(own / "level31.dmm", "his own level 31, not listed"));
  EXPECT_EQ(Join(), 70);
  EXPECT_EQ(GMapList().names, Levels(1, 100, {kOwn}));
  EXPECT_EQ(ReadText(own / "level05.dmm") + ReadText(own / "level31.dmm") + ReadText(own / kOwn),
            "editedhis own level 31, not listedthe player's own map");
  for (const char* name : {"level32.dmm", "level100.dmm"})
    EXPECT_EQ(ReadBytes(own / name), ReadBytes(shipped / name)) << name;
  const auto before = FolderBytes(own);
  EXPECT_EQ(Join(), 0);
  EXPECT_EQ(FolderBytes(own), before);
}

// A shipped level the player deleted stays deleted: one missing among those
// an earlier version gave (no record yet), one deleted after this version
// gave it (after the player moved his own map first), all of them in a
// folder emptied with its record. A damaged order is left alone.
TEST_F(CampaignTest, AShippedLevelThePlayerDeletedStaysDeleted) {
  const fs::path own = OldFolder(Levels(1, 6, Levels(8, 30)));
  EXPECT_EQ(Join(), 70);
  EXPECT_FALSE(fs::exists(own / "level07.dmm"));
  const struct {
    const char* why;
    std::function<void()> change;
    Names want;
  } cases[] = {
      {"level 100 deleted, the own map moved first",
       [&] {
         Order(Names{kOwn} + Levels(1, 6, Levels(8, 99)));
         fs::remove(own / "level100.dmm");
       },
       Names{kOwn} + Levels(1, 6, Levels(8, 99))},
      {"a damaged order", [&] { WriteText(own / "index.dml", std::string(9, '\x01')); }, {}},
      {"the folder emptied",
       [&] {
         for (const auto& entry : fs::directory_iterator(own)) fs::remove(entry.path());
       },
       {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    c.change();
    const Bytes index = fs::exists(own / "index.dml") ? ReadBytes(own / "index.dml") : Bytes();
    testing::internal::CaptureStderr();
    Join();
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(GMapList().names, c.want);
    EXPECT_FALSE(fs::exists(own / "level07.dmm") || fs::exists(own / "level100.dmm"));
    if (c.want.empty()) {
      EXPECT_EQ(fs::exists(own / "index.dml") ? ReadBytes(own / "index.dml") : Bytes(), index);
    }
  }
}

// The headings over a player's order: each set's name over the first of its
// levels listed, the own maps' title over the first map after the sets that
// no set holds. A sets file that is missing or damaged leaves none, said in
// the error log; the order is read all the same.
TEST_F(CampaignTest, HeadingsStandOverEachSetsFirstListedLevel) {
  CCampaign campaign;
  ASSERT_TRUE(campaign.Load((shipped.string() + "/").c_str()));
  using H = CCampaign::HEADING;
  const struct {
    Names order;
    std::vector<H> want;
  } cases[] = {
      {Levels(1, 100, {kOwn}),
       {{0, "Groundwork"},
        {25, "Close Pursuit"},
        {50, "Deep Vaults"},
        {75, "Final Descent"},
        {100, "Your maps"}}},
      {Levels(1, 25, Levels(27, 60)),
       {{0, "Groundwork"}, {25, "Close Pursuit"}, {49, "Deep Vaults"}}},
      {Levels(76, 80, Levels(1, 2, {kOwn, "9.dmm"})),
       {{0, "Final Descent"}, {5, "Groundwork"}, {7, "Your maps"}}},
      {{kOwn}, {{0, "Your maps"}}},
  };
  for (const auto& c : cases) EXPECT_EQ(campaign.Headings(c.order, "Your maps"), c.want);

  const fs::path folder = MapsFolder();
  Order({"a.dmm", "b.dmm", "c.dmm"});
  const std::string one = "[set 1]\r\nname = One\r\nfirst = a.dmm\r\nlast = b.dmm\r\n";
  const std::pair<std::string, size_t> sets[] = {
      {one + "[set 2]\nname = Two\nfirst = c.dmm\nlast = c.dmm\n", 2},
      {"", 0},  // no file
      {one + "[set 2]\nname = Two\nfirst = c.dmm\n", 0},
      {one + "[set 2]\nname = Two\nfirst = c.dmm\nlast = e.dmm\n", 0},
      {one + "[set 2]\nname = Two\nfirst = b.dmm\nlast = c.dmm\n", 0},  // overlapping
      {"[set 1]\nname = One\nfirst = c.dmm\nlast = a.dmm\n", 0},
  };
  for (const auto& [text, count] : sets) {
    SCOPED_TRACE(text);
    fs::remove(folder / CCampaign::kSetsFile);
    if (!text.empty()) WriteText(folder / CCampaign::kSetsFile, text);
    testing::internal::CaptureStderr();
    EXPECT_TRUE(campaign.Load((folder.string() + "/").c_str()));
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::pair(campaign.GetSets().size(), campaign.GetLevels().size()),
              std::pair(count, size_t{3}));
    EXPECT_EQ(said.find("shows no headings") != std::string::npos, count == 0) << said;
  }
  fs::remove(folder / "index.dml");
  EXPECT_FALSE(campaign.Load((folder.string() + "/").c_str()));
}

}  // namespace

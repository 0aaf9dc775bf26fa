#include "tests/support/LevelFixture.h"

class SavedGameTest : public LevelFixture {
 protected:
  void SetUp() override {
    LevelFixture::SetUp();
    list->currentName = "level01.dmm";
    // The 30 x 20 level with three aliens, played for 12 ticks with a hole open.
    Start(Level30x20());
    sim.KeyDown(SIM_SPACE);
    map->Update();  // digs below the start square
    sim.KeyUp(SIM_SPACE);
    Press(SIM_RIGHT);
    Run(11);
  }
  static Bytes Save() {
    return Written([](CFerroStream& s) { return SerializeGame(s); });
  }
  static bool Load(const Bytes& bytes) {
    return ReadWith(bytes, [](CFerroStream& s) { return SerializeGame(s); });
  }
  GMapList* list = GMapList::GetInstance();
  // Signature, the name "level01.dmm" with its length byte, the reserved word and the map.
  static constexpr size_t kRunnerAt = 4 + 12 + 4 + 4820;
};

TEST_F(SavedGameTest, LayoutAndRoundTripOfALevelWithThreeAliens) {
  const Bytes bytes = Save();
  ASSERT_EQ(bytes.size(), kRunnerAt + 33 + 4 + 3 * 33 + 4 + 4 + (1 + 11) + 25);
  EXPECT_EQ(Cut(bytes, 5), (Bytes{0x90, 0x39, 0xFD, 0x84, 11}));
  // Runner: reserved, x 76, y 32, walking right, frame 1, no saved animation, not
  // falling, start (32, 32); then the alien count.
  EXPECT_EQ(Bytes(bytes.begin() + kRunnerAt, bytes.begin() + kRunnerAt + 34),
            (Bytes{0, 0, 0, 0, 76, 0, 0, 0, 32, 0, 0, 0, 2,  0, 0, 0, 1,
                   0, 0, 0, 0, 0,  0, 0, 0, 32, 0, 0, 0, 32, 0, 0, 0, 3}));
  EXPECT_EQ(bytes[kRunnerAt + 33 + 4 + 99], 12);  // tick
  // Runner list: reserved, moveX 1, moveY 0, no dig, 10 lives, score 0, no treasure.
  EXPECT_EQ(Bytes(bytes.end() - 25, bytes.end()),
            (Bytes{0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));

  // Loading restores holes, units, controls and counters: all that is stored.
  Run(40);
  units->NewGame();
  list->currentName = "other.dmm";
  ASSERT_TRUE(Load(bytes));
  Go();  // the load dialog sets the level playing
  EXPECT_EQ(list->currentName, "level01.dmm");
  EXPECT_EQ(Save(), bytes);
  EXPECT_EQ(After(1), Pos(80, 32, ANIM_RIGHT));  // walks on without a key

  EXPECT_EQ(ReadWith(bytes, SerializeGamePrefix), "level01.dmm");
  EXPECT_EQ(ReadWith(Patched(bytes, 0, 0x85FD3990), SerializeGamePrefix), "");
}

TEST_F(SavedGameTest, ABrokenFileLeavesTheGameAsItWas) {
  const Bytes good = Save();
  list->currentName = "../../outside.dmm";  // the game goes on with maps of the maps folder only
  const Bytes outside = Save();
  list->currentName = "level01.dmm";
  Run(3);
  units->score = 77;
  const std::string status = GSimulation::StatusLine(0);
  const std::string grid = GMapText::FromMap(*map);
  const std::pair<const char*, Bytes> cases[] = {
      {"wrong signature", Patched(good, 0, 0x12345678)},
      {"cut after the prefix", Cut(good, 16)},
      {"cut in the grid", Cut(good, 2000)},
      {"cut in the runner list", Cut(good, good.size() - 1)},
      {"cell code 12", Patched(good, 20 + 20, 12)},
      {"huge alien count", Patched(good, kRunnerAt + 33, 1000000)},
      {"runner animation 6", Patched(good, kRunnerAt + 12, 6)},
      {"control of 2", Patched(good, good.size() - 21, 2)},
      {"a map outside the maps folder", outside},
  };
  for (const auto& [what, bytes] : cases) {
    EXPECT_FALSE(Load(bytes)) << what;
    EXPECT_EQ(GSimulation::StatusLine(0), status) << what;
    EXPECT_EQ(GMapText::FromMap(*map), grid) << what;
    EXPECT_EQ(list->currentName, "level01.dmm") << what;
  }
}

// A disk that fills up while the game, an edited map or the map index is
// written: each save says so, and the file written before survives whole,
// with no temporary left behind.
TEST_F(SavedGameTest, SavesThatFailKeepThePreviousFiles) {
  const fs::path dir = MapsFolder();
  GMapList maps;
  const std::pair<fs::path, std::function<bool()>> cases[] = {
      {dir / "1.dms", [&] { return SaveGameToFile((dir / "1.dms").c_str()); }},
      {dir / "0123456789.dmm", [&] { return map->SaveToFile("0123456789.dmm"); }},
      {dir / "index.dml", [&] { return maps.Save(); }},
  };
  // Every file is larger than the 400 bytes a full disk takes here, while one
  // message is not: standard error is a file too while it is captured.
  maps.Add("0123456789.dmm");
  maps.Add((std::string(396, 'n') + ".dmm").c_str());
  for (const auto& [file, save] : cases) {
    SCOPED_TRACE(file);
    ASSERT_TRUE(save());
    const Bytes before = ReadBytes(file);
    testing::internal::CaptureStderr();
    {
      ScopedFileSizeLimit full(400);
      EXPECT_FALSE(save());
    }
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find(file.string() + ": File too large"), std::string::npos) << said;
    EXPECT_FALSE(fs::exists(file.string() + ".tmp"));
    EXPECT_EQ(ReadBytes(file), before);
  }
}

#include <unistd.h>
#include <filesystem>

#include "GUI/foundation/CFerroStreamMemory.h"
#include "game/model/GSavedGame.h"
#include "tests/game/model/LevelFixture.h"

namespace fs = std::filesystem;

class SavedGameTest : public LevelFixture {
 protected:
  void SetUp() override {
    LevelFixture::SetUp();
    list = GMapList::GetInstance();
    savedName = list->currentName;
    list->currentName = "level01.dmm";
  }
  void TearDown() override {
    list->currentName = savedName;
    unitList->NewGame();
    unitList->ClearControl();
    LevelFixture::TearDown();
  }
  // A 30 x 20 level with three aliens, played for a while with a hole open.
  void PlayALevel() {
    std::string rows = "R             $               \n";
    rows += "##############################\n";
    for (int y = 2; y < 19; ++y) rows += "                              \n";
    rows += "A            A              A \n";
    ASSERT_TRUE(GMapText::ToMap(rows, *map));
    sim = GSimulation();
    sim.Begin();
    sim.KeyDown(SIM_SPACE);
    map->Update();  // digs below the start square
    sim.KeyUp(SIM_SPACE);
    Press(SIM_RIGHT);
    Run(11);
  }
  std::vector<unsigned char> Save() {
    CFerroStreamMemory out;
    EXPECT_TRUE(out.Open(nullptr, 0, CFerroStream::modeWrite));
    EXPECT_TRUE(SerializeGame(out));
    return std::vector<unsigned char>(out.GetBuffer(), out.GetBuffer() + out.GetLength());
  }
  bool Load(const std::vector<unsigned char>& bytes) {
    CFerroStreamMemory in;
    in.Open(bytes.data(), static_cast<unsigned>(bytes.size()), CFerroStream::modeRead);
    return SerializeGame(in);
  }
  GMapList* list = nullptr;
  CFerroString savedName;
};

TEST_F(SavedGameTest, LayoutOfALevelWithThreeAliens) {
  PlayALevel();
  const auto bytes = Save();
  const size_t L = 11;
  ASSERT_EQ(bytes.size(), 4 + (1 + L) + 4 + 4820 + 33 + 4 + 3 * 33 + 4 + 4 + (1 + L) + 25);
  EXPECT_EQ(std::vector<unsigned char>(bytes.begin(), bytes.begin() + 5),
            (std::vector<unsigned char>{0x90, 0x39, 0xFD, 0x84, 11}));
  const size_t runnerAt = 4 + 1 + L + 4 + 4820;
  // Runner record: reserved, x 44, y 0, walking right, frame 1, no saved animation,
  // not falling, start (0, 0).
  const std::vector<unsigned char> runner = {0, 0, 0, 0, 44, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 1,
                                             0, 0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(std::vector<unsigned char>(bytes.begin() + runnerAt, bytes.begin() + runnerAt + 33),
            runner);
  EXPECT_EQ(bytes[runnerAt + 33], 3);  // alien count
  const size_t tickAt = runnerAt + 33 + 4 + 99;
  EXPECT_EQ(bytes[tickAt], 12);
  // Runner list: reserved, moveX 1, moveY 0, no dig, 10 lives, score 0, no treasure.
  const std::vector<unsigned char> tail = {0,  0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0,
                                           10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(std::vector<unsigned char>(bytes.end() - 25, bytes.end()), tail);

  list->currentName = "";
  CFerroStreamMemory out;
  out.Open(nullptr, 0, CFerroStream::modeWrite);
  EXPECT_TRUE(SerializeGame(out));
  EXPECT_EQ(out.GetLength(), 5u);
}

TEST_F(SavedGameTest, LoadingRestoresHolesUnitsControlsAndCounters) {
  PlayALevel();
  const std::string status = GSimulation::StatusLine(0);
  const auto bytes = Save();
  const int holeTimer = map->GetCell(0, 1)->timer;

  Run(40);
  unitList->NewGame();
  list->currentName = "other.dmm";
  ASSERT_TRUE(Load(bytes));
  EXPECT_EQ(map->state, GMap::STATE_WAITING);
  Go();  // the load dialog sets the level playing
  EXPECT_EQ(GSimulation::StatusLine(0), status);
  EXPECT_EQ(CellAt(0, 1), CELL_HOLE);
  EXPECT_EQ(map->GetCell(0, 1)->timer, holeTimer);
  EXPECT_EQ(unitList->moveX, 1);
  EXPECT_EQ(list->currentName, "level01.dmm");
  EXPECT_EQ(Save(), bytes);

  // Resumes walking right without a key.
  Run(1);
  EXPECT_EQ(Runner().x, 48);
}

TEST_F(SavedGameTest, PrefixNamesTheMapOrNothing) {
  PlayALevel();
  const auto bytes = Save();
  CFerroStreamMemory in;
  in.Open(bytes.data(), static_cast<unsigned>(bytes.size()), CFerroStream::modeRead);
  EXPECT_EQ(SerializeGamePrefix(in), "level01.dmm");

  auto wrong = bytes;
  wrong[3] = 0x85;
  CFerroStreamMemory bad;
  bad.Open(wrong.data(), static_cast<unsigned>(wrong.size()), CFerroStream::modeRead);
  EXPECT_EQ(SerializeGamePrefix(bad), "");
  EXPECT_EQ(bad.GetPosition(), 4u);
}

TEST_F(SavedGameTest, ABrokenFileLeavesTheGameAsItWas) {
  PlayALevel();
  const auto good = Save();
  Run(3);
  unitList->score = 77;
  const std::string status = GSimulation::StatusLine(0);
  const std::string grid = GMapText::FromMap(*map);

  const size_t runnerAt = 4 + 12 + 4 + 4820;
  struct Case {
    const char* what;
    std::vector<unsigned char> bytes;
  } cases[] = {
      {"wrong signature", Patched(good, 0, 0x12345678)},
      {"cut after the prefix", {good.begin(), good.begin() + 16}},
      {"cut in the grid", {good.begin(), good.begin() + 2000}},
      {"cut in the aliens", {good.begin(), good.begin() + runnerAt + 60}},
      {"cut in the runner list", {good.begin(), good.end() - 1}},
      {"cell code 12", Patched(good, 20 + 20, 12)},
      {"negative alien count", Patched(good, runnerAt + 33, -1)},
      {"huge alien count", Patched(good, runnerAt + 33, 1000000)},
      {"runner animation 6", Patched(good, runnerAt + 12, 6)},
      {"runner frame past its animation", Patched(good, runnerAt + 16, 8)},
      {"control of 2", Patched(good, good.size() - 21, 2)},
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(Load(c.bytes)) << c.what;
    EXPECT_EQ(GSimulation::StatusLine(0), status) << c.what;
    EXPECT_EQ(GMapText::FromMap(*map), grid) << c.what;
    EXPECT_EQ(list->currentName, "level01.dmm") << c.what;
  }
}

TEST_F(SavedGameTest, SlotFilesAreReplacedWhole) {
  PlayALevel();
  const fs::path slot = fs::temp_directory_path() / ("digmaze-slot-" + std::to_string(::getpid()));
  ASSERT_TRUE(SaveGameToFile(slot.c_str()));
  const auto size = fs::file_size(slot);
  fs::create_directory(slot.string() + ".tmp");
  EXPECT_FALSE(SaveGameToFile(slot.c_str()));
  EXPECT_EQ(fs::file_size(slot), size);
  Run(2);
  EXPECT_TRUE(LoadGameFromFile(slot.c_str()));
  EXPECT_EQ(map->tick, 12u);
  fs::remove(slot.string() + ".tmp");
  fs::remove(slot);
}

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "game/model/ANIMATION_LIST_UNIT.h"
#include "game/model/GMap.h"
#include "game/model/GMapText.h"
#include "game/sim/GSimulation.h"

namespace fs = std::filesystem;

TEST(SimulationScriptTest, ParsesEventsAndSkipsCommentsAndBlankLines) {
  std::vector<SIM_EVENT> events;
  std::string error;
  ASSERT_TRUE(GSimulation::ParseScript("# start\n0 down Right\n\n  \n12 up Right\r\n3 down Space\n",
                                       events, error));
  ASSERT_EQ(events.size(), 3u);
  EXPECT_EQ(events[0].tick, 0u);
  EXPECT_TRUE(events[0].down);
  EXPECT_EQ(events[0].key, SIM_RIGHT);
  EXPECT_EQ(events[1].tick, 12u);
  EXPECT_FALSE(events[1].down);
  EXPECT_EQ(events[2].key, SIM_SPACE);

  for (const char* bad : {"x down Left", "-1 down Left", "1 press Left", "1 down Enter", "1 down",
                          "1 down Left now", "99999999999 down Up"}) {
    events.clear();
    EXPECT_FALSE(GSimulation::ParseScript(std::string("0 up Up\n") + bad + "\n", events, error))
        << bad;
    EXPECT_EQ(error.rfind("line 2:", 0), 0u) << error;
    EXPECT_TRUE(events.empty());
  }
}

TEST(SimulationKeysTest, KeysFollowTheGameScenesHandlers) {
  ASSERT_TRUE(GMapText::ToMap("R..$\n....\n====\n", *GMap::GetInstance()));
  GSimulation sim;
  sim.Begin();
  GMap* map = GMap::GetInstance();
  ANIMATION_LIST_UNIT* controls = ANIMATION_LIST_UNIT::GetInstance();
  sim.KeyDown(SIM_ESCAPE);
  EXPECT_EQ(map->state, GMap::STATE_WAITING);
  sim.KeyDown(SIM_RIGHT);
  EXPECT_EQ(map->state, GMap::STATE_PLAYING);
  sim.KeyDown(SIM_UP);
  sim.KeyDown(SIM_RIGHT);  // still held: ignored
  EXPECT_EQ(controls->moveX, 0);
  EXPECT_EQ(controls->moveY, -1);
  sim.KeyUp(SIM_RIGHT);
  sim.KeyDown(SIM_RIGHT);
  EXPECT_EQ(controls->moveX, 1);
  EXPECT_EQ(controls->moveY, 0);
  sim.KeyDown(SIM_SPACE);  // the runner is falling: Space also drops the direction
  EXPECT_TRUE(controls->dig);
  EXPECT_EQ(controls->moveX, 0);
  sim.KeyUp(SIM_SPACE);
  EXPECT_FALSE(controls->dig);
  map->Clear();
}

namespace {
// Runs digmaze-sim with these arguments; returns its exit code and standard output.
int RunSim(const std::string& args, std::string& output) {
  const char* dir = std::getenv("DIGMAZE_GAME_DIR");
  const std::string command =
      std::string(dir ? dir : ".") + "/digmaze-sim " + args + " 2>/dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return -1;
  output.clear();
  char buffer[512];
  while (fgets(buffer, sizeof buffer, pipe)) output += buffer;
  const int status = pclose(pipe);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}
}  // namespace

class SimulationProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::temp_directory_path() / ("digmaze-sim-" + std::to_string(::getpid()));
    fs::create_directories(folder);
  }
  void TearDown() override { fs::remove_all(folder); }
  std::string Write(const char* name, const std::string& text) {
    std::ofstream(folder / name, std::ios::binary) << text;
    return (folder / name).string();
  }
  std::string WriteMap(const char* name, const std::string& rows) {
    GMap* map = GMap::GetInstance();
    EXPECT_TRUE(GMapText::ToMap(rows, *map));
    EXPECT_TRUE(map->SaveToPath((folder / name).c_str()));
    map->Clear();
    return (folder / name).string();
  }
  fs::path folder;
};

TEST_F(SimulationProgramTest, PrintsOneLinePerTickAndStopsWhenCaught) {
  const std::string map = WriteMap("caught.dmm", "R.A$\n====\n");
  const std::string script = Write("s.txt", "# the alien comes left\n0 down Up\n");
  std::string out;
  ASSERT_EQ(RunSim(map + " " + script + " 100", out), 0);
  const auto lines = Lines(out);
  ASSERT_EQ(lines.size(), 12u);
  EXPECT_EQ(lines[0], "T 0 S 0 SC 0 L 10 TR 0 R 0 0 0 0 A 60 0 1 0");
  EXPECT_EQ(lines[11], "T 11 S 3 SC 0 L 10 TR 0 R 0 0 0 0 A 16 0 1 2");
}

TEST_F(SimulationProgramTest, WaitsForAKeyAndStopsOnTheExit) {
  const std::string map = WriteMap("exit.dmm", "R.X$\n====\n");
  // Treasure first: the runner walks right, collects it, and walks back to the exit,
  // making its step of that tick as it reaches it.
  const std::string script = Write("s.txt", "2 down Escape\n4 down Right\n30 down Left\n");
  std::string out;
  ASSERT_EQ(RunSim(map + " " + script + " 200", out), 0);
  const auto lines = Lines(out);
  ASSERT_GE(lines.size(), 5u);
  EXPECT_EQ(lines[3], "T 3 S 1 SC 0 L 10 TR 0 R 0 0 0 0");
  EXPECT_EQ(lines[4], "T 4 S 0 SC 0 L 10 TR 0 R 4 0 2 0");
  EXPECT_EQ(lines.back(), "T 38 S 2 SC 110 L 10 TR 1 R 60 0 1 7");
}

TEST_F(SimulationProgramTest, TheFirstShippedLevelCanBeWon) {
  const char* source = std::getenv("DIGMAZE_SOURCE_DIR");
  const fs::path root = source ? source : ".";
  std::string out;
  ASSERT_EQ(RunSim((root / "data/Maps/level01.dmm").string() + " " +
                       (root / "tests/game/sim/level01_walkthrough.txt").string() + " 3000",
                   out),
            0);
  const auto lines = Lines(out);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back(), "T 1664 S 2 SC 143 L 10 TR 5 R 900 64 2 4");
}

TEST_F(SimulationProgramTest, RefusesBadArguments) {
  const std::string map = WriteMap("m.dmm", "R$\n==\n");
  const std::string script = Write("s.txt", "0 down Up\n");
  const std::string bad = Write("bad.txt", "0 down Jump\n");
  const std::string broken = Write("broken.dmm", "not a map");
  std::string out;
  EXPECT_EQ(RunSim(map + " " + script, out), 2);
  EXPECT_EQ(RunSim(map + " " + script + " -3", out), 2);
  EXPECT_EQ(RunSim(map + " " + script + " 12x", out), 2);
  EXPECT_EQ(RunSim(map + " " + bad + " 5", out), 2);
  EXPECT_EQ(RunSim(map + " " + (folder / "none.txt").string() + " 5", out), 2);
  EXPECT_EQ(RunSim(broken + " " + script + " 5", out), 1);
  EXPECT_EQ(RunSim(map + " " + script + " 0", out), 0);
  EXPECT_EQ(out, "");
}

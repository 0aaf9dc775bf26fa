#include <sys/wait.h>

#include "tests/support/LevelFixture.h"

using SimulationTest = LevelFixture;

TEST_F(SimulationTest, ParsesScriptsAndNamesTheBadLine) {
  std::vector<SIM_EVENT> events;
  std::string error;
  ASSERT_TRUE(GSimulation::ParseScript("# start\n0 down Right\n\n  \n12 up Right\r\n3 down Space\n",
                                       events, error));
  std::vector<std::tuple<unsigned, bool, SIM_KEY>> got;
  for (const SIM_EVENT& e : events) got.emplace_back(e.tick, e.down, e.key);
  EXPECT_EQ(got,
            (decltype(got){{0, true, SIM_RIGHT}, {12, false, SIM_RIGHT}, {3, true, SIM_SPACE}}));
  for (const char* bad : {"x down Left", "-1 down Left", "1 press Left", "1 down Enter", "1 down",
                          "1 down Left now", "99999999999 down Up"}) {
    events.clear();
    EXPECT_FALSE(GSimulation::ParseScript(std::string("0 up Up\n") + bad + "\n", events, error));
    EXPECT_EQ(error.rfind("line 2:", 0), 0u) << error;
    EXPECT_TRUE(events.empty()) << bad;
  }
}

// The end a replay stores: the last "# end " comment's status line and its tick.
TEST_F(SimulationTest, FindsTheStoredEndAndItsTick) {
  const struct {
    const char* script;
    const char* line;  // null: no end found
    unsigned tick;
  } cases[] = {
      {"0 down Right\n# end T 12 S 2 SC 1\n", "T 12 S 2 SC 1", 12},
      {"# end T 3 S 2\r\n5 up Up\n# end T 9 S 2\r\n", "T 9 S 2", 9},
      {"# end T 4", "T 4", 4},
      {"0 down Right\n", nullptr, 0},
      {"# ended T 4\n", nullptr, 0},
      {"# end X 4\n", nullptr, 0},
      {"# end T -1\n", nullptr, 0},
      {"1 down Up # end T 4\n", nullptr, 0},
  };
  for (const auto& c : cases) {
    std::string line = "unchanged";
    unsigned tick = 77;
    EXPECT_EQ(GSimulation::ParseEnd(c.script, line, tick), c.line != nullptr) << c.script;
    EXPECT_EQ(line, c.line ? c.line : "unchanged") << c.script;
    EXPECT_EQ(tick, c.line ? c.tick : 77u) << c.script;
  }
}

TEST_F(SimulationTest, KeysFollowTheGameScenesHandlers) {
  Start({"R..$", "....", "===="});
  auto moves = [this] { return std::pair(units->moveX, units->moveY); };
  sim.KeyDown(SIM_RIGHT);  // starts the level
  sim.KeyDown(SIM_UP);
  sim.KeyDown(SIM_RIGHT);  // still held: ignored
  EXPECT_EQ(moves(), std::pair(0, -1));
  sim.KeyUp(SIM_RIGHT);
  sim.KeyDown(SIM_RIGHT);
  EXPECT_EQ(moves(), std::pair(1, 0));
  sim.KeyDown(SIM_SPACE);  // the runner is falling: Space also drops the direction
  EXPECT_TRUE(units->dig);
  EXPECT_EQ(moves(), std::pair(0, 0));
  sim.KeyUp(SIM_SPACE);
  EXPECT_FALSE(units->dig);
}

class SimulationProgramTest : public LevelFixture {
 protected:
  // Runs digmaze-sim on a map (rows of text, or a path) and a script (text, or a
  // path); its exit code, and its output lines in out.
  int RunSim(const std::string& rows, const std::string& script, const std::string& ticks) {
    const fs::path dir = MapsFolder();
    std::string mapPath = rows, scriptPath = script;
    if (rows.find('\n') != std::string::npos) {
      EXPECT_TRUE(GMapText::ToMap(rows, *map));
      EXPECT_TRUE(map->SaveToPath((mapPath = dir / "m.dmm").c_str()));
    }
    if (script.find('\n') != std::string::npos) WriteText(scriptPath = dir / "s.txt", script);
    const char* game = std::getenv("DIGMAZE_GAME_DIR");
    const std::string command = std::string(game ? game : ".") + "/digmaze-sim " + mapPath + " " +
                                scriptPath + " " + ticks + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    out.clear();
    char buffer[512];
    while (pipe && fgets(buffer, sizeof buffer, pipe)) out.push_back(buffer);
    const int status = pipe ? pclose(pipe) : -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::vector<std::string> out;
};

TEST_F(SimulationProgramTest, PrintsATickALineAndStopsOnCaptureOrWin) {
  ASSERT_EQ(RunSim("R.A$\n====\n", "# the alien comes left\n0 down Up\n", "100"), 0);
  ASSERT_EQ(out.size(), 12u);
  EXPECT_EQ(out[0], "T 0 S 0 SC 0 L 10 TR 0 R 0 0 0 0 A 60 0 1 0\n");
  EXPECT_EQ(out[11], "T 11 S 3 SC 0 L 10 TR 0 R 0 0 0 0 A 16 0 1 2\n");

  // Waits for a key that is not Escape; takes the treasure, then walks back onto the exit.
  ASSERT_EQ(RunSim("R.X$\n====\n", "2 down Escape\n4 down Right\n30 down Left\n", "200"), 0);
  ASSERT_EQ(out.size(), 39u);
  EXPECT_EQ(out[3], "T 3 S 1 SC 0 L 10 TR 0 R 0 0 0 0\n");
  EXPECT_EQ(out[4], "T 4 S 0 SC 0 L 10 TR 0 R 4 0 2 0\n");
  EXPECT_EQ(out[38], "T 38 S 2 SC 110 L 10 TR 1 R 60 0 1 7\n");
}

TEST_F(SimulationProgramTest, RefusesBadArguments) {
  struct Case {
    const char *map, *script, *ticks;
    int code;
  } cases[] = {{"R$\n==\n", "0 down Up\n", "", 2},    {"R$\n==\n", "0 down Up\n", "12x", 2},
               {"R$\n==\n", "0 down Jump\n", "5", 2}, {"R$\n==\n", "/nonexistent/s.txt", "5", 2},
               {"/dev/null", "0 down Up\n", "5", 1},  {"R$\n==\n", "0 down Up\n", "0", 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(RunSim(c.map, c.script, c.ticks), c.code) << c.map << c.script << c.ticks;
    EXPECT_TRUE(out.empty());
  }
}

#include <algorithm>
#include <sstream>

#include "tests/support/LevelFixture.h"

using SimulationTest = LevelFixture;

// Keys, and the steering and speed lines a recording writes; a line that
// says anything else, or names no such key, way or speed, is refused.
TEST_F(SimulationTest, ParsesScriptsAndNamesTheBadLine) {
  std::vector<SIM_EVENT> events;
  std::string error;
  ASSERT_TRUE(GSimulation::ParseScript(
      "# start\n0 down Right\n0 speed slow\n\n  \n12 up Right\r\n3 down Space\n"
      "4 steering stop-on-release\n4 speed fast\n",
      events, error));
  std::vector<std::tuple<unsigned, SIM_EVENT_KIND, bool, SIM_KEY, Steering, GameSpeed>> got;
  for (const SIM_EVENT& e : events)
    got.emplace_back(e.tick, e.kind, e.down, e.key, e.steering, e.speed);
  const auto key = [](unsigned t, bool down, SIM_KEY k) {
    return std::tuple(t, SIM_EVENT_KIND::key, down, k, Steering::keepGoing, GameSpeed::normal);
  };
  EXPECT_EQ(
      got,
      (decltype(got){
          key(0, true, SIM_RIGHT),
          {0, SIM_EVENT_KIND::speed, true, SIM_LEFT, Steering::keepGoing, GameSpeed::slow},
          key(12, false, SIM_RIGHT),
          key(3, true, SIM_SPACE),
          {4, SIM_EVENT_KIND::steering, true, SIM_LEFT, Steering::stopOnRelease, GameSpeed::normal},
          {4, SIM_EVENT_KIND::speed, true, SIM_LEFT, Steering::keepGoing, GameSpeed::fast},
      }));
  for (const char* bad :
       {"-1 down Left", "1 press Left", "1 down Left now", "99999999999 down Up",
        "1 steering sideways", "1 steering", "1 speed Fast", "1 speed fast now", "1 down fast"}) {
    events.clear();
    EXPECT_FALSE(GSimulation::ParseScript(std::string("0 up Up\n") + bad + "\n", events, error));
    EXPECT_EQ(error.rfind("line 2:", 0), 0u) << error;
    EXPECT_TRUE(events.empty()) << bad;
  }
}

// The end a replay stores: the last "# end " comment's status line and its tick.
TEST_F(SimulationTest, FindsTheStoredEndAndItsTick) {
  const std::pair<const char*, const char*> cases[] = {
      {"# end T 3 S 2\r\n5 up Up\n# end T 9 S 2\r\n", "T 9 S 2"},
      {"# end T 4", "T 4"},
      {"# ended T 4\n", nullptr},  // null: no end found
      {"# end T -1\n", nullptr},
      {"1 down Up # end T 4\n", nullptr},
  };
  for (auto [script, end] : cases) {
    std::string line = "unchanged";
    unsigned tick = 77;
    EXPECT_EQ(GSimulation::ParseEnd(script, line, tick), end != nullptr) << script;
    EXPECT_EQ(line, end ? end : "unchanged") << script;
    EXPECT_EQ(tick, end ? std::stoul(end + 2) : 77u) << script;
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

// The lines the game stores at the end of a replay and digmaze-sim prints;
// the shipped replays and tests/e2e/record.sh check the lines of wins.
TEST_F(SimulationTest, PrintsATickALineAndStopsOnCapture) {
  Start({"R.A$", "===="});
  std::ostringstream out;
  sim.Run({SIM_EVENT{0, true, SIM_UP}}, 100, out);
  const std::string lines = out.str();
  EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 12);
  EXPECT_EQ(lines.substr(lines.rfind('\n', lines.size() - 2) + 1),
            "T 11 S 3 SC 0 L 10 TR 0 R 0 0 0 0 A 16 0 1 2\n");
}

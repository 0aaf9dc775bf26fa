#include <sstream>

#include "tests/support/LevelFixture.h"
#include "tools/levels/LevelSolver.h"

namespace {

using LevelSolverTest = LevelFixture;

// The search wins levels that can only be won by digging, and the script text
// of what it returns wins again when read back and replayed from the start
// like digmaze-sim does.
TEST_F(LevelSolverTest, FindsWinsThatNeedDiggingAndReplayThem) {
  struct Case {
    const char* what;
    std::vector<std::string> rows;
  } cases[] = {
      {"a treasure sealed under a brick, left by the ladder in its floor",
       {"R........XH", "=====#====H", "....=$=...H", "....=H=...H", "..........H"}},
      {"an alien in the only corridor, trapped in a hole and walked over",
       {"..........HX", "==========H=", "..R.....A.H$", "############", "============"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Build(c.rows);
    std::vector<SIM_EVENT> events;
    ASSERT_TRUE(LevelSolver::Solve(LevelSolver::Options{}, events));
    std::string error;
    ASSERT_TRUE(GSimulation::ParseScript(LevelSolver::ScriptText(events), events, error)) << error;
    Build(c.rows);
    sim = GSimulation();
    sim.Begin();
    std::ostringstream out;
    sim.Run(events, 20000, out);
    EXPECT_EQ(map->state, GMap::STATE_WON);
  }
}

}  // namespace

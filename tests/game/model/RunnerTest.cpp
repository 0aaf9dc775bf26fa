#include "tests/support/LevelFixture.h"

using RunnerTest = LevelFixture;

TEST_F(RunnerTest, WalksEightTicksASquareAndStopsAtAnObstacleWithControlsCleared) {
  Start({"R...=.", "======", "$....."});
  ScopedValue step(units->soundHorizontalStep, 1);
  Press(SIM_RIGHT);
  EXPECT_EQ(After(1), Pos(4, 0, ANIM_RIGHT));
  EXPECT_EQ(After(23), Pos(96, 0, ANIM_RIGHT));
  EXPECT_EQ(played, (std::vector<int>{1, 1, 1}));  // a step sound per square crossed
  EXPECT_EQ(After(1), Pos(96, 0, ANIM_STAND));     // the floor at square 4 blocks the way
  EXPECT_EQ(std::pair(units->moveX, units->moveY), std::pair(0, 0));
  map->SetCell(4, 0, CELL_EMPTY);  // the controls are gone: the runner stays
  EXPECT_EQ(After(16), Pos(96, 0, ANIM_STAND));
}

TEST_F(RunnerTest, FallsFourPixelsATickLandsAndDropsThroughALine) {
  Start({"R..", "...", "...", "===", "$.."});
  EXPECT_EQ(After(0), Pos(0, 0, ANIM_FALL));
  Go();
  EXPECT_EQ(After(16), Pos(0, 64, ANIM_FALL));
  EXPECT_EQ(After(1), Pos(0, 64, ANIM_STAND));

  // Down drops through a line; a fall without Down stops on one.
  Start({"R..", "-..", "...", "===", "$.."});
  Press(SIM_DOWN);
  EXPECT_EQ(After(17), Pos(0, 64, ANIM_STAND));
  Start({"R.", "..", "-.", "$."});
  Go();
  EXPECT_EQ(After(9), Pos(0, 32, ANIM_STAND));
}

TEST_F(RunnerTest, LadderEnds) {
  Start({"...", "H..", "R..", "==="});
  map->SetCell(0, 2, CELL_LADDER);  // the runner starts on the foot of the ladder
  Press(SIM_UP);
  EXPECT_EQ(After(8), Pos(0, 32, ANIM_UP));
  EXPECT_EQ(After(1), Pos(0, 32, ANIM_STAND));  // no climbing above the top square
  Press(SIM_DOWN);
  EXPECT_EQ(After(9), Pos(0, 64, ANIM_STAND));  // the foot stands on floor

  // Up from the square above a ladder's top does nothing.
  Start({"R..", "H..", "H..", "===", "$.."});
  Press(SIM_UP);
  EXPECT_EQ(After(3), Pos(0, 0, ANIM_STAND));
}

TEST_F(RunnerTest, TurnsBackHalfWayOnlyWhenTheSquareBeingLeftHasFloor) {
  Start({"..R...", "======"});
  Press(SIM_RIGHT);
  Run(2);
  Press(SIM_LEFT);
  EXPECT_EQ(After(2), Pos(64, 0, ANIM_LEFT));

  // Refused over a gap: the runner walks on and falls.
  Start({"...R..", "====.=", "======"});
  Press(SIM_RIGHT);
  Run(2);
  Press(SIM_LEFT);
  EXPECT_EQ(After(6), Pos(128, 0, ANIM_RIGHT));
  EXPECT_EQ(After(1), Pos(128, 4, ANIM_FALL));
}

TEST_F(RunnerTest, DigsBelowAndStaysAboveTheHoleEvenOnDown) {
  Start({"R..", "###", "===", "$.."});
  units->soundHole = 77;
  sim.KeyDown(SIM_SPACE);
  Run(1);
  EXPECT_EQ(CellAt(0, 1), CELL_HOLE);
  EXPECT_EQ(played, std::vector<int>{77});
  Run(3);
  sim.KeyUp(SIM_SPACE);
  Press(SIM_DOWN);
  EXPECT_EQ(After(4), Pos(0, 0, ANIM_STAND));

  // Walking back onto the square above the open hole drops the runner into it.
  Press(SIM_RIGHT);
  Run(8);
  Press(SIM_LEFT);
  EXPECT_EQ(After(17), Pos(0, 32, ANIM_STAND));
}

TEST_F(RunnerTest, ALifeEveryTenthTreasureAndTheLastLifeEndsTheGame) {
  units->NewGame();
  for (int i = 1; i <= 19; ++i) units->IncreaseTreasure();
  EXPECT_EQ(units->lives, 11);
  units->IncreaseTreasure();
  EXPECT_EQ(std::pair(units->lives, units->treasures), std::pair(12, 20));
  EXPECT_TRUE(units->DecrementLife());
  units->lives = 1;
  EXPECT_FALSE(units->DecrementLife());
}

// What a released direction key tells the runner under each way of steering,
// played from scripts as digmaze-sim plays them: kept going, the release
// changes nothing; steered by release, the runner takes the latest direction
// still held and with none stands on its next square, lands on the next line
// instead of dropping through all of them, and stops on a ladder. A press
// after a stop moves it again, and a script without a steering line keeps going.
TEST_F(RunnerTest, AReleasedDirectionSteersOnlyWhenSteeringSaysSo) {
  const std::vector<std::string> walk = {"R.......$", "========="};
  const std::vector<std::string> lines = {"R..", "-..", "...", "-..", "...", "===", "$.."};
  const std::vector<std::string> ladder = {"R..", "H..", "H..", "H..", "===", "$.."};
  const struct {
    const std::vector<std::string>* rows;
    const char* script;
    Pos keepGoing, stopOnRelease;
  } cases[] = {
      {&walk, "0 down Right\n10 up Right\n", {160, 0, ANIM_RIGHT}, {64, 0, ANIM_STAND}},
      {&walk, "0 down Right\n8 down Left\n12 up Left\n", {0, 0, ANIM_STAND}, {128, 0, ANIM_RIGHT}},
      {&walk,
       "0 down Right\n3 down Up\n5 up Up\n6 up Right\n20 down Right\n",
       {160, 0, ANIM_RIGHT},
       {112, 0, ANIM_RIGHT}},
      {&lines, "0 down Down\n3 up Down\n", {0, 128, ANIM_STAND}, {0, 64, ANIM_STAND}},
      {&ladder, "0 down Down\n2 up Down\n", {0, 96, ANIM_STAND}, {0, 32, ANIM_STAND}},
  };
  for (const auto& c : cases) {
    for (Steering steering : {Steering::keepGoing, Steering::stopOnRelease}) {
      SCOPED_TRACE(std::string(c.script) + GetSteeringName(steering));
      std::vector<SIM_EVENT> events;
      std::string error;
      ASSERT_TRUE(GSimulation::ParseScript(
          std::string(steering == Steering::keepGoing ? "" : "0 steering stop-on-release\n") +
              c.script,
          events, error));
      Start(*c.rows);
      if (c.rows == &ladder) map->SetCell(0, 0, CELL_LADDER);
      std::ostringstream out;
      sim.Run(events, 40, out);
      EXPECT_EQ(After(0), steering == Steering::keepGoing ? c.keepGoing : c.stopOnRelease);
    }
  }
}

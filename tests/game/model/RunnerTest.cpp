#include "tests/game/model/LevelFixture.h"

using RunnerTest = LevelFixture;

TEST_F(RunnerTest, WalksEightTicksASquareAndStopsAtAnObstacleWithControlsCleared) {
  Start(R"(
R...=.
======
$.....)");
  EXPECT_EQ(Runner().animation, ANIM_STAND);
  Press(SIM_RIGHT);
  Run(1);
  EXPECT_EQ(Runner().x, 4);
  EXPECT_EQ(Runner().animation, ANIM_RIGHT);
  Run(23);
  EXPECT_EQ(Runner().x, 96);
  EXPECT_EQ(Runner().frame, 5);
  Run(1);  // square 3: the floor at square 4 blocks the way
  EXPECT_EQ(Runner().x, 96);
  EXPECT_EQ(Runner().animation, ANIM_STAND);
  EXPECT_EQ(unitList->moveX, 0);
  EXPECT_EQ(unitList->moveY, 0);
  // The controls are gone: the runner stays when the obstacle goes.
  map->SetCell(4, 0, CELL_EMPTY);
  Run(16);
  EXPECT_EQ(Runner().x, 96);
}

TEST_F(RunnerTest, FallsFourPixelsATickAndLandsOnFloor) {
  Start(R"(
R..
...
...
===
$..)");
  EXPECT_EQ(Runner().animation, ANIM_FALL);
  Go();
  Run(16);
  EXPECT_EQ(Runner().y, 64);
  EXPECT_EQ(Runner().animation, ANIM_FALL);
  EXPECT_TRUE(Runner().fallFlag);
  Run(1);
  EXPECT_EQ(Runner().y, 64);
  EXPECT_EQ(Runner().animation, ANIM_STAND);
  EXPECT_FALSE(Runner().fallFlag);
}

TEST_F(RunnerTest, DownDropsThroughALineAndAFallStopsAboveALine) {
  Start(R"(
R..
-..
...
===
$..)");
  Press(SIM_DOWN);
  Run(1);
  EXPECT_EQ(Runner().animation, ANIM_FALL);
  EXPECT_EQ(Runner().y, 4);
  Run(16);
  EXPECT_EQ(Runner().y, 64);
  EXPECT_EQ(Runner().animation, ANIM_STAND);
  EXPECT_EQ(unitList->moveY, 0);

  Start(R"(
R.
..
-.
$.)");
  Go();
  Run(9);
  EXPECT_EQ(Runner().y, 32);
  EXPECT_EQ(Runner().animation, ANIM_STAND);
}

TEST_F(RunnerTest, LadderEnds) {
  Start(R"(
...
H..
R..
===)");
  map->SetCell(0, 2, CELL_LADDER);  // the runner starts on the foot of the ladder
  Press(SIM_UP);
  Run(8);
  EXPECT_EQ(Runner().y, 32);
  EXPECT_EQ(Runner().animation, ANIM_UP);
  Run(1);  // the top square of a ladder: no climbing higher
  EXPECT_EQ(Runner().y, 32);
  EXPECT_EQ(Runner().animation, ANIM_STAND);

  Press(SIM_DOWN);
  Run(1);
  EXPECT_EQ(Runner().animation, ANIM_DOWN);
  Run(8);  // the foot: floor below, and climbing down ends there
  EXPECT_EQ(Runner().y, 64);
  EXPECT_EQ(Runner().animation, ANIM_STAND);

  // Up from the square above a ladder's top does nothing.
  Start(R"(
R..
H..
H..
===
$..)");
  Press(SIM_UP);
  Run(3);
  EXPECT_EQ(Runner().y, 0);
  EXPECT_EQ(Runner().animation, ANIM_STAND);
}

TEST_F(RunnerTest, TurnsBackHalfWayOnlyWhenTheSquareBeingLeftHasFloor) {
  Start(R"(
..R...
======)");
  Press(SIM_RIGHT);
  Run(2);
  EXPECT_EQ(Runner().x, 72);
  Press(SIM_LEFT);
  Run(1);
  EXPECT_EQ(Runner().animation, ANIM_LEFT);
  EXPECT_EQ(Runner().x, 68);
  Run(1);
  EXPECT_EQ(Runner().x, 64);

  // Reversing is refused when the square being entered has no floor below it.
  Start(R"(
...R..
====.=
======)");
  Press(SIM_RIGHT);
  Run(2);
  Press(SIM_LEFT);
  Run(6);
  EXPECT_EQ(Runner().x, 128);
  EXPECT_EQ(Runner().animation, ANIM_RIGHT);
  Run(1);
  EXPECT_EQ(Runner().animation, ANIM_FALL);
  EXPECT_EQ(Runner().y, 4);
}

TEST_F(RunnerTest, DigsBelowAndStaysAboveTheHoleEvenOnDown) {
  Start(R"(
R..
###
===
$..)");
  const int holeSound = 77;
  unitList->soundHole = holeSound;
  sim.KeyDown(SIM_SPACE);
  Run(1);
  EXPECT_EQ(CellAt(0, 1), CELL_HOLE);
  EXPECT_EQ(map->GetCell(0, 1)->timer, 22);
  EXPECT_EQ(played, std::vector<int>{holeSound});
  Run(3);
  sim.KeyUp(SIM_SPACE);
  Press(SIM_DOWN);
  Run(4);
  EXPECT_EQ(Runner().y, 0);
  EXPECT_EQ(Runner().animation, ANIM_STAND);
  unitList->soundHole = -1;

  // Walking onto the square above the open hole drops the runner into it.
  Press(SIM_RIGHT);
  Run(8);
  EXPECT_EQ(Runner().x, 32);
  Press(SIM_LEFT);
  Run(8);
  EXPECT_EQ(Runner().x, 0);
  Run(1);
  EXPECT_EQ(Runner().animation, ANIM_FALL);
  Run(8);
  EXPECT_EQ(Runner().y, 32);
  EXPECT_EQ(Runner().animation, ANIM_STAND);
}

TEST_F(RunnerTest, StepSoundPlaysOncePerSquareCrossed) {
  Start(R"(
R..H
===H
====
$...)");
  unitList->soundHorizontalStep = 1;
  unitList->soundVerticalStep = 2;
  Press(SIM_RIGHT);
  Run(24);
  EXPECT_EQ(played, (std::vector<int>{1, 1, 1}));
  played.clear();
  Press(SIM_DOWN);
  Run(8);
  EXPECT_EQ(played, std::vector<int>{2});
  unitList->soundHorizontalStep = -1;
  unitList->soundVerticalStep = -1;
}

TEST_F(RunnerTest, CountersGiveALifeEveryTenthTreasureAndKeepTheScoreNonNegative) {
  unitList->NewGame();
  unitList->soundTreasure = 5;
  unitList->soundLife = 6;
  for (int i = 1; i <= 20; ++i) {
    played.clear();
    unitList->IncreaseTreasure();
    const bool life = i % 10 == 0;
    EXPECT_EQ(played, std::vector<int>{life ? 6 : 5}) << "treasure " << i;
  }
  EXPECT_EQ(unitList->lives, 12);
  EXPECT_EQ(unitList->treasures, 20);
  unitList->AddScore(7);
  unitList->AddScore(-10);
  EXPECT_EQ(unitList->score, 0);
  EXPECT_TRUE(unitList->DecrementLife());
  unitList->lives = 1;
  EXPECT_FALSE(unitList->DecrementLife());
  unitList->soundTreasure = -1;
  unitList->soundLife = -1;
  unitList->NewGame();
}

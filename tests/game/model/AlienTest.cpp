#include "tests/game/model/LevelFixture.h"

class AlienTest : public LevelFixture {
 protected:
  // Puts alien 0 on square (cx, cy) with animation a and the runner at pixels (rx, ry).
  void Place(int cx, int cy, int a, int rx, int ry) {
    Alien(0).x = cx * 32;
    Alien(0).y = cy * 32;
    Alien(0).animation = a;
    Alien(0).frame = 0;
    Runner().x = rx;
    Runner().y = ry;
  }
};

// Boxed in, the alien can go nowhere: both passes fail and the seed shows.
TEST_F(AlienTest, SeedsFromTheRunnersOffsetAndNeverPointsLeft) {
  struct Case {
    int dx, dy, seed;
  } cases[] = {
      {32, 96, ANIM_DOWN}, {96, 32, ANIM_RIGHT}, {64, 64, ANIM_DOWN}, {-96, 0, ANIM_DOWN},
      {-96, -32, ANIM_UP}, {0, -32, ANIM_UP},    {1, 0, ANIM_RIGHT},  {0, 0, ANIM_DOWN},
  };
  Start(R"(
R=A=
====)");
  for (const Case& c : cases) {
    for (int from : {ANIM_STAND, ANIM_FALL}) {
      Place(2, 0, from, 64 + c.dx, c.dy);
      EXPECT_FALSE(alienList->SelectAnimation(&Alien(0))) << c.dx << "," << c.dy;
      EXPECT_EQ(Alien(0).animation, c.seed) << c.dx << "," << c.dy;
    }
  }
  // A boxed alien neither acts nor moves, tick after tick.
  Place(2, 0, ANIM_RIGHT, 0, 0);
  Go();
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(Alien(0).Instinct());
  EXPECT_EQ(Alien(0).x, 64);
}

TEST_F(AlienTest, LevelWithTheRunnerOnTheLeftGoesLeftOrKeepsTheWayDown) {
  Start(R"(
R..A
====)");
  EXPECT_EQ(Alien(0).animation, ANIM_LEFT);  // seed 4, then the down rule's first test

  Start(R"(
R.=A
===H)");
  EXPECT_EQ(Alien(0).animation, ANIM_DOWN);
}

TEST_F(AlienTest, OnALadderTheStrictPassRefusesAStepIntoAFall) {
  Start(R"(
R...
..H.
..H=
..H.
====
A...)");
  // Runner a row higher and to the left; no floor below the square to the left.
  Place(2, 2, ANIM_UP, 0, 32);
  EXPECT_TRUE(alienList->SelectAnimation(&Alien(0)));
  EXPECT_EQ(Alien(0).animation, ANIM_UP);

  // With the way up and down closed only the lenient pass moves it: left, into a fall.
  map->SetCell(2, 1, CELL_EMPTY);
  map->SetCell(2, 3, CELL_FLOOR);
  Place(2, 2, ANIM_UP, 0, 32);
  EXPECT_FALSE(alienList->SelectAnimation2(&Alien(0), true));
  EXPECT_EQ(Alien(0).animation, ANIM_UP);
  EXPECT_TRUE(alienList->SelectAnimation(&Alien(0)));
  EXPECT_EQ(Alien(0).animation, ANIM_LEFT);
}

TEST_F(AlienTest, OnALadderTheStrictPassKeepsOutOfAnOpenHole) {
  Start(R"(
....
....
R..=
..H.
====
A...)");
  map->SetCell(2, 2, CELL_LADDER);
  map->SetCell(1, 2, CELL_HOLE);
  map->GetCell(1, 2)->timer = 20;
  Place(2, 2, ANIM_DOWN, 0, 64);
  EXPECT_TRUE(alienList->SelectAnimation(&Alien(0)));
  EXPECT_EQ(Alien(0).animation, ANIM_DOWN);

  map->SetCell(1, 2, CELL_EMPTY);  // the runner is far enough left to step off the ladder
  Place(2, 2, ANIM_DOWN, 0, 64);
  EXPECT_TRUE(alienList->SelectAnimation(&Alien(0)));
  EXPECT_EQ(Alien(0).animation, ANIM_LEFT);
}

TEST_F(AlienTest, ATrappedAlienBlocksTheWayDownFromALadder) {
  Start(R"(
=R=.
=H=.
=o=.
====
A..A)");
  map->GetCell(1, 2)->timer = 20;
  Place(1, 1, ANIM_DOWN, 32, 160);
  EXPECT_TRUE(alienList->SelectAnimation(&Alien(0)));  // the empty hole lets it down
  EXPECT_EQ(Alien(0).animation, ANIM_DOWN);

  Alien(1).x = 32;
  Alien(1).y = 64;
  Alien(1).animation = ANIM_STAND;
  Place(1, 1, ANIM_DOWN, 32, 160);
  EXPECT_FALSE(alienList->SelectAnimation(&Alien(0)));
}

TEST_F(AlienTest, LeavesALadderTowardTheRunnerAndTakesLaddersTowardItsHeight) {
  // Walking right along a row, runner higher: the alien takes the ladder up.
  Start(R"(
...R
..H=
A.H.
====)");
  Go();
  Run(17);
  EXPECT_EQ(Alien(0).x, 64);
  EXPECT_EQ(Alien(0).animation, ANIM_UP);
  EXPECT_EQ(Alien(0).y, 60);
}

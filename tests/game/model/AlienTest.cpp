#include "tests/support/LevelFixture.h"

class AlienTest : public LevelFixture {
 protected:
  // Puts alien 0 on square (cx, cy) with animation a and the runner at pixels (rx, ry),
  // then lets it choose: what it chose, or -1 when it could not.
  int Choose(int cx, int cy, int a, int rx, int ry, int pass = 0) {
    Place(Alien(0), cx * 32, cy * 32, a);
    Place(*map->runner, rx, ry, ANIM_STAND);
    const bool chose =
        pass ? aliens->SelectAnimation2(&Alien(0), pass == 1) : aliens->SelectAnimation(&Alien(0));
    return chose ? Alien(0).animation : -1;
  }
};

// Boxed in, the alien can go nowhere: both passes fail and the seed shows.
TEST_F(AlienTest, SeedsFromTheRunnersOffsetAndNeverPointsLeft) {
  // The runner's offset, and the way the alien then points.
  const int cases[][3] = {
      {96, 32, ANIM_RIGHT}, {1, 0, ANIM_RIGHT},  {64, 64, ANIM_DOWN},
      {-96, 0, ANIM_DOWN},  {-96, -32, ANIM_UP},
  };
  Start({"R=A=", "===="});
  for (auto [dx, dy, seed] : cases) {
    for (int from : {ANIM_STAND, ANIM_FALL}) {
      EXPECT_EQ(Choose(2, 0, from, 64 + dx, dy), -1);
      EXPECT_EQ(Alien(0).animation, seed) << dx << "," << dy;
    }
  }
  Choose(2, 0, ANIM_RIGHT, 0, 0);  // and a boxed alien never moves
  Go();
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(Alien(0).Instinct());
  EXPECT_EQ(Alien(0).x, 64);
}

TEST_F(AlienTest, LevelWithTheRunnerOnTheLeftGoesLeftOrKeepsTheWayDown) {
  Start({"R..A", "===="});
  EXPECT_EQ(Alien(0).animation, ANIM_LEFT);
  Start({"R.=A", "===H"});
  EXPECT_EQ(Alien(0).animation, ANIM_DOWN);
}

TEST_F(AlienTest, OnALadderTheStrictPassRefusesFallsAndOpenHoles) {
  // Runner a row higher and to the left; no floor below the square to the left.
  Start({"R...", "..H.", "..H=", "..H.", "====", "A..."});
  EXPECT_EQ(Choose(2, 2, ANIM_UP, 0, 32), ANIM_UP);
  // With the ways up and down closed only the lenient pass moves it: left, into a fall.
  map->SetCell(2, 1, CELL_EMPTY);
  map->SetCell(2, 3, CELL_FLOOR);
  EXPECT_EQ(Choose(2, 2, ANIM_UP, 0, 32, 1), -1);
  EXPECT_EQ(Choose(2, 2, ANIM_UP, 0, 32), ANIM_LEFT);

  // Runner level and to the left: an open hole there keeps the alien on its way down.
  Start({"....", "....", "RoH=", "..H.", "====", "A..."});
  map->GetCell(1, 2)->timer = 20;
  EXPECT_EQ(Choose(2, 2, ANIM_DOWN, 0, 64), ANIM_DOWN);
  map->SetCell(1, 2, CELL_EMPTY);
  EXPECT_EQ(Choose(2, 2, ANIM_DOWN, 0, 64), ANIM_LEFT);
}

TEST_F(AlienTest, ATrappedAlienBlocksTheWayDownFromALadder) {
  Start({"=R=.", "=H=.", "=o=.", "====", "A..A"});
  map->GetCell(1, 2)->timer = 20;
  EXPECT_EQ(Choose(1, 1, ANIM_DOWN, 32, 160), ANIM_DOWN);  // the empty hole lets it down
  Place(Alien(1), 32, 64, ANIM_STAND);
  EXPECT_EQ(Choose(1, 1, ANIM_DOWN, 32, 160), -1);
}

TEST_F(AlienTest, TakesALadderTowardTheRunnersHeight) {
  Start({"...R", "..H=", "A.H.", "===="});
  Go();
  EXPECT_EQ(After(17, 0), Pos(64, 60, ANIM_UP));
}

#include "tests/game/model/LevelFixture.h"

using LevelPlayTest = LevelFixture;

TEST_F(LevelPlayTest, StartPlacesUnitsHidesTheExitAndWaitsForAKey) {
  Start(R"(
A.R.$.X
=======)");
  EXPECT_EQ(map->state, GMap::STATE_WAITING);
  EXPECT_EQ(Runner().x, 64);
  EXPECT_EQ(map->GetAlienCount(), 1);
  EXPECT_EQ(CellAt(2, 0), CELL_EMPTY);
  EXPECT_EQ(CellAt(0, 0), CELL_EMPTY);
  EXPECT_EQ(CellAt(6, 0), CELL_EMPTY);
  EXPECT_EQ(map->exitX, 6);
  Run(5);
  EXPECT_EQ(Runner().x, 64);  // nothing moves before a key
  sim.KeyDown(SIM_ESCAPE);
  EXPECT_EQ(map->state, GMap::STATE_WAITING);
  Press(SIM_RIGHT);
  EXPECT_EQ(map->state, GMap::STATE_PLAYING);
  EXPECT_EQ(unitList->moveX, 1);

  // No treasure: the exit shows at once. No runner marker: the middle square.
  Start(R"(
X==
===
===)");
  EXPECT_EQ(CellAt(0, 0), CELL_EXIT);
  EXPECT_EQ(Runner().x, 32);
  EXPECT_EQ(Runner().y, 32);
  EXPECT_EQ(CellAt(1, 1), CELL_EMPTY);
}

TEST_F(LevelPlayTest, LastTreasureShowsTheExitOnTheSameTickAndTheExitWins) {
  Start(R"(
R$.X
====)");
  Press(SIM_RIGHT);
  Run(8);
  EXPECT_EQ(CellAt(1, 0), CELL_TREASURE);
  EXPECT_EQ(CellAt(3, 0), CELL_EMPTY);
  Run(1);
  EXPECT_EQ(CellAt(1, 0), CELL_EMPTY);
  EXPECT_EQ(CellAt(3, 0), CELL_EXIT);
  EXPECT_EQ(unitList->score, 10);
  EXPECT_EQ(unitList->treasures, 1);
  Run(16);
  EXPECT_EQ(map->state, GMap::STATE_WON);
  EXPECT_EQ(Runner().x, 96);
  EXPECT_EQ(unitList->score, 110);
}

TEST_F(LevelPlayTest, CapturesWithinSixteenPixels) {
  struct Case {
    int dx, dy;
    bool caught;
  } cases[] = {{16, 0, true},   {-16, 0, true}, {20, 0, false},
               {0, -32, false}, {10, 12, true}, {12, 12, false}};
  for (const Case& c : cases) {
    Start(R"(
R..A
====
$...)");
    Go();
    Alien(0).x = c.dx;
    Alien(0).y = c.dy;
    Alien(0).animation = ANIM_STAND;  // stands still, so the offset holds
    Run(1);
    EXPECT_EQ(map->state == GMap::STATE_CAUGHT, c.caught) << c.dx << "," << c.dy;
  }
}

TEST_F(LevelPlayTest, ScoreLosesOneEveryTwoHundredTicksAndNeverDropsBelowZero) {
  Start(R"(
R
=
$)");
  Go();
  Run(1);
  EXPECT_EQ(unitList->score, 0);
  unitList->score = 5;
  Run(199);
  EXPECT_EQ(unitList->score, 5);
  Run(1);
  EXPECT_EQ(unitList->score, 4);
  Run(200);
  EXPECT_EQ(unitList->score, 3);
}

TEST_F(LevelPlayTest, AnEmptyHoleClosesOnItsTwentyThirdUpdate) {
  Start(R"(
R..
###
===
$..)");
  sim.KeyDown(SIM_SPACE);
  Run(1);  // dug during tick 0
  sim.KeyUp(SIM_SPACE);
  Press(SIM_RIGHT);
  Run(183);
  EXPECT_EQ(CellAt(0, 1), CELL_HOLE);
  EXPECT_EQ(map->GetCell(0, 1)->timer, 0);
  Run(1);  // tick 184
  EXPECT_EQ(CellAt(0, 1), CELL_BRICK);
}

TEST_F(LevelPlayTest, AHoleClosingOnATrappedAlienLetsItOutInItsSavedDirection) {
  Start(R"(
A....R
######
======)");
  map->SetCell(2, 1, CELL_HOLE);
  map->GetCell(2, 1)->timer = 4;
  unitList->soundHole = -1;
  alienList->closeHoleSound = 9;
  Go();
  Run(17);  // drops in on tick 16
  EXPECT_EQ(Alien(0).x, 64);
  EXPECT_EQ(Alien(0).y, 32);
  EXPECT_EQ(Alien(0).animation, ANIM_STAND);
  EXPECT_EQ(Alien(0).savedAnimation, ANIM_RIGHT);
  Run(15);
  EXPECT_EQ(Alien(0).y, 32);
  EXPECT_TRUE(played.empty());
  Run(1);  // tick 32: the hole closes and the alien climbs out to the right
  EXPECT_EQ(CellAt(2, 1), CELL_BRICK);
  EXPECT_EQ(Alien(0).x, 72);
  EXPECT_EQ(Alien(0).y, 0);
  EXPECT_EQ(Alien(0).animation, ANIM_RIGHT);
  EXPECT_EQ(Alien(0).frame, 1);
  EXPECT_EQ(played, std::vector<int>{9});
  alienList->closeHoleSound = -1;
}

TEST_F(LevelPlayTest, AHoleStaysOpenWhileAnAlienWalksOverItsTrappedAlien) {
  Start(R"(
AA.......R
##########
==========)");
  map->SetCell(3, 1, CELL_HOLE);
  map->GetCell(3, 1)->timer = 3;
  GUnit& walker = Alien(0);   // starts on square 0
  GUnit& trapped = Alien(1);  // starts on square 1
  Go();
  Run(17);
  EXPECT_EQ(trapped.y, 32);
  EXPECT_EQ(trapped.animation, ANIM_STAND);
  Run(15);  // ticks 17..31: the walker crosses above the trapped alien
  EXPECT_EQ(walker.x, 128);
  EXPECT_EQ(walker.y, 0);
  Run(8);  // ticks 32..39: still within a square of the hole at tick 32
  EXPECT_EQ(CellAt(3, 1), CELL_HOLE);
  EXPECT_EQ(trapped.y, 32);
  Run(1);  // tick 40: the walker has gone
  EXPECT_EQ(CellAt(3, 1), CELL_BRICK);
  EXPECT_EQ(trapped.x, 104);
  EXPECT_EQ(trapped.y, 0);
}

TEST_F(LevelPlayTest, RestartClosesHolesAndResetsUnitsButKeepsTreasuresExitAndScore) {
  Start(R"(
R$..X......A
############)");
  Press(SIM_RIGHT);
  Run(9);
  ASSERT_EQ(CellAt(4, 0), CELL_EXIT);
  map->SetCell(6, 1, CELL_HOLE);
  const int score = unitList->score;
  const unsigned tick = map->tick;
  map->Restart();
  EXPECT_EQ(map->state, GMap::STATE_WAITING);
  EXPECT_EQ(CellAt(6, 1), CELL_BRICK);
  EXPECT_EQ(CellAt(1, 0), CELL_EMPTY);
  EXPECT_EQ(CellAt(4, 0), CELL_EXIT);
  EXPECT_EQ(unitList->score, score);
  EXPECT_EQ(map->tick, tick);
  EXPECT_EQ(Runner().x, 0);
  EXPECT_EQ(Runner().animation, ANIM_STAND);
  EXPECT_EQ(unitList->moveX, 0);
  EXPECT_EQ(Alien(0).x, 352);
  EXPECT_EQ(Alien(0).animation, ANIM_LEFT);
}

TEST_F(LevelPlayTest, StartFailsAndKeepsTheLevelWhenTheMapDoesNotLoad) {
  Start(R"(
R$X
===)");
  GMapList* list = GMapList::GetInstance();
  const CFerroString before = list->currentName;
  GModelMedia::SetPathToMaps("/nonexistent-digmaze-folder/");
  list->currentName = "missing.dmm";
  EXPECT_FALSE(map->Start());
  list->currentName = "";
  EXPECT_FALSE(map->Start());
  // A name from a shared index or saved game never reaches outside the maps folder.
  list->currentName = "../level01.dmm";
  EXPECT_FALSE(map->Start());
  EXPECT_EQ(map->width, 3);
  ASSERT_TRUE(map->runner);
  EXPECT_EQ(Runner().x, 0);
  GModelMedia::SetPathToMaps(nullptr);
  list->currentName = before;
}

TEST_F(LevelPlayTest, AHeaderExitOutsideTheGridFallsBackToTheFirstSquare) {
  Build(R"(
R..
===)");
  map->exitX = 40;
  map->exitY = -2;
  map->StartLoaded();
  EXPECT_EQ(map->exitX, 0);
  EXPECT_EQ(map->exitY, 0);
  EXPECT_EQ(CellAt(0, 0), CELL_EXIT);
}

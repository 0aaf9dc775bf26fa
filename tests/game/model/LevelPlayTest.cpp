#include "tests/support/LevelFixture.h"

using LevelPlayTest = LevelFixture;

TEST_F(LevelPlayTest, StartPlacesUnitsHidesTheExitAndWaits) {
  Start({"A.R.$.X", "======="});
  EXPECT_EQ(map->state, GMap::STATE_WAITING);
  EXPECT_EQ(After(0), Pos(64, 0, ANIM_STAND));
  EXPECT_EQ(map->GetAlienCount(), 1);
  EXPECT_EQ(GMapText::FromMap(*map), "....$..\n=======\n");

  // No treasure: the exit shows at once. No runner marker: the middle square.
  Start({"X==", "===", "==="});
  EXPECT_EQ(GMapText::FromMap(*map), "X==\n=.=\n===\n");
  EXPECT_EQ(After(0), Pos(32, 32, ANIM_STAND));

  // An exit square from a file header outside the grid falls back to the first square.
  Build({"R..", "==="});
  map->exitX = 40;
  map->exitY = -2;
  map->StartLoaded();
  EXPECT_EQ(std::pair(map->exitX, map->exitY), std::pair(0, 0));
  EXPECT_EQ(CellAt(0, 0), CELL_EXIT);
}

TEST_F(LevelPlayTest, LastTreasureShowsTheExitOnTheSameTickAndTheExitWins) {
  Start({"R$.X", "===="});
  Press(SIM_RIGHT);
  Run(8);
  EXPECT_EQ(GMapText::FromMap(*map), ".$..\n====\n");
  Run(1);
  EXPECT_EQ(GMapText::FromMap(*map), "...X\n====\n");
  EXPECT_EQ(units->score, 10);
  Run(16);
  EXPECT_EQ(map->state, GMap::STATE_WON);
  EXPECT_EQ(units->score, 110);
}

TEST_F(LevelPlayTest, CapturesWithinSixteenPixels) {
  struct Case {
    int dx, dy;
    bool caught;
  } cases[] = {{16, 0, true}, {-16, 0, true}, {10, 12, true}, {12, 12, false}};
  for (const Case& c : cases) {
    Start({"R..A", "====", "$..."});
    Go();
    Place(Alien(0), c.dx, c.dy, ANIM_STAND);  // stands still, so the offset holds
    Run(1);
    EXPECT_EQ(map->state == GMap::STATE_CAUGHT, c.caught) << c.dx << "," << c.dy;
  }
}

TEST_F(LevelPlayTest, ScoreLosesOneEveryTwoHundredTicksAndNeverDropsBelowZero) {
  Start({"R", "=", "$"});
  Go();
  auto score = [this](int ticks) { return Run(ticks), units->score; };
  EXPECT_EQ(score(1), 0);
  units->score = 5;
  EXPECT_EQ((std::vector{score(199), score(1), score(200)}), (std::vector{5, 4, 3}));
}

TEST_F(LevelPlayTest, AnEmptyHoleClosesOnItsTwentyThirdUpdate) {
  Start({"R..", "###", "===", "$.."});
  sim.KeyDown(SIM_SPACE);
  Run(1);  // dug during tick 0
  sim.KeyUp(SIM_SPACE);
  Press(SIM_RIGHT);
  Run(183);
  EXPECT_EQ(CellAt(0, 1), CELL_HOLE);
  Run(1);  // tick 184
  EXPECT_EQ(CellAt(0, 1), CELL_BRICK);
}

TEST_F(LevelPlayTest, AHoleClosingOnATrappedAlienLetsItOutInItsSavedDirection) {
  Start({"A....R", "##o###", "======"});
  map->GetCell(2, 1)->timer = 4;
  ScopedValue closeHole(aliens->closeHoleSound, 9);
  Go();
  EXPECT_EQ(After(17, 0), Pos(64, 32, ANIM_STAND));  // dropped in on tick 16
  EXPECT_EQ(After(15, 0), Pos(64, 32, ANIM_STAND));
  EXPECT_TRUE(played.empty());
  // Tick 32: the hole closes and the alien climbs out to the right.
  EXPECT_EQ(After(1, 0), Pos(72, 0, ANIM_RIGHT));
  EXPECT_EQ(CellAt(2, 1), CELL_BRICK);
  EXPECT_EQ(played, std::vector<int>{9});
}

TEST_F(LevelPlayTest, AHoleStaysOpenWhileAnAlienWalksOverItsTrappedAlien) {
  Start({"AA.......R", "###o######", "=========="});
  map->GetCell(3, 1)->timer = 3;
  Go();  // alien 1 falls in; alien 0 follows and walks over it
  EXPECT_EQ(After(17, 1), Pos(96, 32, ANIM_STAND));
  EXPECT_EQ(After(15, 0), Pos(128, 0, ANIM_RIGHT));
  // Ticks 32..39: the walker is still within a square of the hole.
  EXPECT_EQ(After(8, 1), Pos(96, 32, ANIM_STAND));
  EXPECT_EQ(After(1, 1), Pos(104, 0, ANIM_RIGHT));  // tick 40: the walker has gone
}

TEST_F(LevelPlayTest, RestartClosesHolesAndResetsUnitsButKeepsTreasuresExitAndScore) {
  Start({"R$..X......A", "############"});
  Press(SIM_RIGHT);
  Run(9);
  map->SetCell(6, 1, CELL_HOLE);
  units->score = 42;
  const unsigned tick = map->tick;
  map->Restart();
  EXPECT_EQ(map->state, GMap::STATE_WAITING);
  EXPECT_EQ(GMapText::FromMap(*map), "....X.......\n############\n");
  EXPECT_EQ(std::pair(units->score, map->tick), std::pair(42, tick));
  EXPECT_EQ(After(0), Pos(0, 0, ANIM_STAND));
  EXPECT_EQ(After(0, 0), Pos(352, 0, ANIM_LEFT));
}

TEST_F(LevelPlayTest, StartFailsAndKeepsTheLevelWhenTheMapDoesNotLoad) {
  Start({"R$X", "==="});
  GMapList* list = GMapList::GetInstance();
  ScopedHook nowhere(GModelMedia::SetPathToMaps, "/nonexistent-digmaze-folder/");
  // Missing, no name at all, and a name reaching outside the maps folder.
  for (const char* name : {"missing.dmm", "", "../level01.dmm"}) {
    list->currentName = name;
    EXPECT_FALSE(map->Start()) << name;
  }
  EXPECT_EQ(map->width, 3);
  ASSERT_TRUE(map->runner);
  EXPECT_EQ(After(0), Pos(0, 0, ANIM_STAND));
}

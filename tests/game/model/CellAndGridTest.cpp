#include "tests/game/model/LevelFixture.h"

TEST(CellTest, EveryCodeAnswersItsQuestions) {
  // Obstacle, floor, through, ladder, holed, hole, single, for codes 0..9.
  const char* answers[CELL_CODE_COUNT] = {"..T....", "OF..D..", "OF.....", ".FT....", ".F.L...",
                                          "..T....", "..T...S", "..T...S", "..T....", "..T..H."};
  for (int code = 0; code < CELL_CODE_COUNT; ++code) {
    auto cell = GCell::CreateCell(code);
    ASSERT_TRUE(cell);
    EXPECT_EQ(cell->GetType(), code);
    EXPECT_EQ(cell->timer, 0);
    const std::string got = {cell->IsObstacle() ? 'O' : '.', cell->IsFloor() ? 'F' : '.',
                             cell->IsThrough() ? 'T' : '.',  cell->IsLadder() ? 'L' : '.',
                             cell->IsHoled() ? 'D' : '.',    cell->IsHole() ? 'H' : '.',
                             cell->IsSingle() ? 'S' : '.'};
    EXPECT_EQ(got, answers[code]) << "code " << code;
  }
  EXPECT_FALSE(GCell::CreateCell(-1));
  EXPECT_FALSE(GCell::CreateCell(10));
}

using GridTest = LevelFixture;

TEST_F(GridTest, OutsideTheGridIsSolidUndiggableFloor) {
  Build(R"(
...
...)");
  for (auto [x, y] : {std::pair{-1, 0}, {3, 0}, {0, 2}, {0, -1}}) {
    GCell* cell = map->GetCell(x, y);
    EXPECT_EQ(cell, map->GetOutsideCell());
    EXPECT_TRUE(cell->IsObstacle() && cell->IsFloor());
    EXPECT_FALSE(cell->IsThrough() || cell->IsHoled());
  }
  EXPECT_FALSE(map->SetCell(-1, 0, CELL_BRICK));
  EXPECT_FALSE(map->SetCell(3, 1, CELL_BRICK));
  EXPECT_EQ(map->GetCell(2, 1)->GetType(), CELL_EMPTY);
}

TEST_F(GridTest, SetCellReplacesOnlyOnChangeAndKeepsSingleKindsSingle) {
  Build(R"(
X..R
....)");
  int undoSteps = 0;
  GMap::editedProbe = [] { return true; };
  GMap::undoFactory = [&undoSteps](GMap&) {
    ++undoSteps;
    return std::make_unique<GMapUndo>();
  };
  EXPECT_FALSE(map->SetCell(1, 1, CELL_EMPTY));
  EXPECT_EQ(undoSteps, 0);
  EXPECT_TRUE(map->SetCell(2, 1, CELL_EXIT));
  EXPECT_EQ(undoSteps, 1);
  EXPECT_TRUE(map->SetCell(1, 1, CELL_UNIT));
  EXPECT_EQ(undoSteps, 1);  // one step per stroke
  EXPECT_EQ(GMapText::FromMap(*map), "....\n.RX.\n");
  map->paletteCode = CELL_LADDER;
  map->ChangeCell(0, 0, true);
  map->ChangeCell(1, 1, false);
  EXPECT_EQ(GMapText::FromMap(*map), "H...\n..X.\n");
  GMap::editedProbe = nullptr;
  GMap::undoFactory = nullptr;
  map->pendingUndo.reset();
  map->paletteCode = CELL_BRICK;
}

TEST_F(GridTest, ScreenGeometryCentresTheMapTenPixelsFromTheTop) {
  Build(R"(
..............................)");  // 30 squares wide: 960 pixels
  int left, top, cx, cy, sx, sy;
  map->GetPositionTV(left, top);
  EXPECT_EQ(left, 32);
  EXPECT_EQ(top, 10);
  map->GetCellTVPosition(2, 0, sx, sy);
  EXPECT_EQ(sx, 96);
  map->GetCellCoordinates(31, 20, cx, cy);
  EXPECT_EQ(cx, -1);
  map->GetCellCoordinates(40, 9, cx, cy);
  EXPECT_EQ(cy, -1);
  map->GetCellCoordinates(32 + 959, 41, cx, cy);
  EXPECT_EQ(cx, 29);
  EXPECT_EQ(cy, 0);
  map->GetCellCoordinates(32 + 960, 10, cx, cy);
  EXPECT_EQ(cx, -1);
  map->GetCellCoordinates(40, 42, cx, cy);
  EXPECT_EQ(cy, -1);
}

#include "tests/game/model/LevelFixture.h"

using GridTest = LevelFixture;

TEST_F(GridTest, SetCellChangesInsideOnlyOnceAStrokeAndKeepsSingleKindsSingle) {
  Build({"X..R", "...."});
  for (auto [x, y] : {std::pair{-1, 0}, {4, 0}, {0, 2}, {0, -1}}) {
    GCell* cell = map->GetCell(x, y);
    EXPECT_EQ(cell, map->GetOutsideCell());
    EXPECT_TRUE(cell->IsObstacle() && cell->IsFloor() && !cell->IsThrough() && !cell->IsHoled());
    EXPECT_FALSE(map->SetCell(x, y, CELL_BRICK));
  }
  int undoSteps = 0;
  ScopedValue edited(GMap::editedProbe, [] { return true; });
  ScopedValue undo(GMap::undoFactory, [&undoSteps](GMap&) {
    ++undoSteps;
    return std::make_unique<GMapUndo>();
  });
  ScopedValue stroke(map->pendingUndo, nullptr);
  EXPECT_FALSE(map->SetCell(1, 1, CELL_EMPTY));  // no change, no undo step
  EXPECT_EQ(undoSteps, 0);
  EXPECT_TRUE(map->SetCell(2, 1, CELL_EXIT));
  EXPECT_TRUE(map->SetCell(1, 1, CELL_UNIT));
  EXPECT_EQ(undoSteps, 1);
  EXPECT_EQ(GMapText::FromMap(*map), "....\n.RX.\n");
}

#include <gtest/gtest.h>

#include <tuple>

#include "tests/support/Geometry.h"
#include "tests/support/ToolkitFixture.h"

namespace {

using ComponentTest = ToolkitTest;
using Log = std::vector<std::string>;
using Two = std::pair<GComponent*, GComponent*>;

// Destroys itself when the button is released on it.
class Vanishing : public Probe {
 public:
  using Probe::Probe;
  void OnLButtonUp(unsigned flags, int x, int y) override {
    Probe::OnLButtonUp(flags, x, y);
    delete this;
  }
};

}  // namespace

TEST_F(ComponentTest, ZonesAndCoordinatesOfNestedComponents) {
  // outer's window at (10, 5); inner offset (2, 5); client offset (1, 1), so
  // its client origin is at (13, 11). The child's window is at (16, 13).
  Probe* outer = Add("outer", 10, 5, 40, 30, nullptr, STYLE_VISIBLE, &look);
  Probe* child = Add("child", 3, 2, 10, 10, outer, STYLE_VISIBLE, &look);
  const auto hit = [&](int x, int y) {
    game.SetCursorPosition(x, y);
    int zx = 0, zy = 0, zone = -1;
    GComponent* c = game.DetectComponentByCursor(zx, zy, zone);
    return std::tuple(c, zone, zx, zy);
  };
  using Hit = std::tuple<GComponent*, int, int, int>;
  EXPECT_EQ(hit(11, 6), Hit(outer, ZONE_WIN, 1, 1));      // on the frame: window coordinates
  EXPECT_EQ(hit(12, 10), Hit(outer, ZONE_INNER, 0, 0));   // inside the frame, outside the client
  EXPECT_EQ(hit(19, 19), Hit(child, ZONE_CLIENT, 0, 0));  // the child's client origin
  // A disabled component is never hit: the point falls through to the
  // parent's client zone.
  child->Enable(false);
  EXPECT_EQ(hit(19, 19), Hit(outer, ZONE_CLIENT, 6, 8));
}

TEST_F(ComponentTest, AClickOnlyWhenReleasedOnTheSameComponent) {
  Add("A", 10, 10, 20, 20);
  Add("B", 40, 10, 20, 20);
  Click(15, 15);
  EXPECT_EQ(Take(), (Log{"A focus", "A down client 5,5", "A up client 5,5", "A click client 5,5"}));

  // Released over B: the release still goes to A (in captured
  // coordinates), and there is no click.
  Press(15, 15);
  game.SetCursorPosition(45, 15);
  game.PlatformKeyUp(KEY_MOUSE_LEFT);
  EXPECT_EQ(Take(), (Log{"A down client 5,5", "A up client 35,5"}));

  // A second button while one is held does nothing; its release is still
  // reported, to where the mouse input goes, but it makes no click and
  // leaves the first button's click alone.
  Press(15, 15);
  game.PlatformKeyDown(KEY_MOUSE_RIGHT, 0);
  game.PlatformKeyUp(KEY_MOUSE_RIGHT);
  game.PlatformKeyUp(KEY_MOUSE_LEFT);
  EXPECT_EQ(Take(), (Log{"B leave client", "B leave client", "A down client 5,5",
                         "A rup client 5,5", "A up client 5,5", "A click client 5,5"}));

  // A component destroyed by its own release gets no click, and leaves no links.
  auto* gone = new Vanishing(&log, "V");
  ASSERT_TRUE(gone->Create(scene, STYLE_VISIBLE, 70, 10, 20, 20, 0));
  Click(75, 15);
  EXPECT_EQ(Take(), (Log{"A leave client", "A leave client", "A blur", "V focus",
                         "V down client 5,5", "V up client 5,5"}));
  EXPECT_EQ(scene->GetChildCount(), 2);
  EXPECT_EQ(std::pair(game.focused, game.captured), Two());
}

// The modal component takes every click; a modal chain stays whole when the
// current run is begun again, and the inner of two modal components
// destroyed without EndModal gives the modal role and the focus back to the
// outer one.
TEST_F(ComponentTest, ModalComponentsTakeEveryClickAndChainsStayWhole) {
  Add("under", 0, 0, 20, 20);
  Probe* outer = Add("O", 30, 10, 60, 60);
  Probe* button = Add("B", 5, 5, 20, 20, outer);
  outer->BeginModal();
  EXPECT_EQ(std::pair(game.modal, game.focused), Two(outer, outer));
  Take();
  // Outside: the modal component's frame zone, unconverted coordinates (the
  // release, which the capture converts, lands outside its window).
  Click(5, 6);
  EXPECT_EQ(Take(), (Log{"O down win 5,6", "O up win -25,-4", "O click win 5,6"}));

  outer->BeginModal();
  button->SetFocus();
  auto* inner = new Probe(&log, "I");
  ASSERT_TRUE(inner->Create(nullptr, STYLE_VISIBLE, 40, 20, 20, 20, 0));
  inner->BeginModal();
  ASSERT_EQ(game.modal, inner);
  delete inner;
  EXPECT_EQ(std::pair(game.modal, game.focused), Two(outer, button));
  outer->EndModal(0);
  EXPECT_EQ(std::pair(game.modal, game.focused), Two(nullptr, scene));
  EXPECT_FALSE(outer->IsShown());
}

TEST_F(ComponentTest, HidingOrDestroyingLeavesNoLinks) {
  Probe* a = Add("A", 10, 10, 20, 20);
  Click(15, 15);
  game.PlatformKeyDown(KEY_A, 0);
  EXPECT_EQ(std::vector<GComponent*>({game.focused, game.highlighted, game.keyTarget}),
            std::vector<GComponent*>({a, a, a}));
  a->Show(false);
  EXPECT_EQ(std::pair(game.focused, game.highlighted), Two());
  delete a;
  EXPECT_EQ(game.keyTarget, nullptr);
  game.PlatformKeyUp(KEY_A);
}

TEST_F(ComponentTest, TranslucentComponentsRepaintWhatLiesBeneath) {
  Probe* parent = Add("P", 10, 10, 40, 30);
  Probe* glass = Add("G", 5, 5, 20, 10, parent, STYLE_VISIBLE | STYLE_ALPHA, &look);
  Render();
  glass->InvalidateRect(CFerroRect(0, 0, 8, 8));
  EXPECT_EQ(parent->GetDirtyRect(), CFerroRect(15, 15, 23, 23));
}

// Removing a shown child repaints the area of its parent it covered, and
// what lies there is drawn again; removing a hidden one repaints nothing.
TEST_F(ComponentTest, RemovingAChildRepaintsWhatItCovered) {
  Probe* parent = Add("P", 10, 10, 60, 40);
  parent->paint = 0x0000FF;
  Probe* shown = Add("S", 5, 5, 20, 10, parent);
  shown->paint = 0xFF0000;
  Probe* hidden = Add("H", 30, 5, 20, 10, parent);
  Render();
  hidden->Show(false);
  Render();
  ASSERT_EQ(Pixel(20, 20), 0xFF0000u);
  Take();
  parent->DeleteChild(hidden, true);
  EXPECT_FALSE(parent->IsDirty());
  parent->DeleteChild(shown, true);
  ASSERT_TRUE(parent->IsDirty());
  EXPECT_EQ(parent->GetDirtyRect(), CFerroRect(15, 15, 35, 25));
  Render();
  EXPECT_EQ(Take(), Log{"P render"});
  EXPECT_EQ(Pixel(20, 20), 0x0000FFu);
}

TEST_F(ComponentTest, CoveringListAndTheForwardPass) {
  Probe* a = Add("A", 10, 10, 20, 20);
  Probe* b = Add("B", 20, 20, 20, 20);
  b->paint = 0x0000FF;
  Probe* a1 = Add("A1", 8, 8, 6, 6, a);  // its corner lies under B
  a1->paint = 0xFF0000;
  Add("B1", 0, 0, 4, 4, b);
  Render();
  Take();
  // Redrawing A repaints what lies above it, each component with its
  // subtree before the next sibling, so the overlap stays B's.
  a->Invalidate();
  Render();
  EXPECT_EQ(Take(), (Log{"A render", "A1 render", "B render", "B1 render"}));
  EXPECT_EQ(Pixel(19, 19), 0xFF0000u);
  EXPECT_EQ(Pixel(22, 22), 0x0000FFu);
  // Covering points forward only: redrawing B leaves A alone.
  b->Invalidate();
  Render();
  EXPECT_EQ(Take(), (Log{"B render", "B1 render"}));

  for (int i = 0; i < GScene::kMaxCovering + 200; ++i) Add("c", 0, 0, 1, 1);
  Render();
  EXPECT_EQ(scene->GetCoveringCount(), GScene::kMaxCovering);
}

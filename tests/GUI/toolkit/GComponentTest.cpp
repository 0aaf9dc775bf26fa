#include <gtest/gtest.h>

#include "tests/GUI/toolkit/ToolkitFixture.h"

namespace {

using ComponentTest = ToolkitTest;

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
  struct Case {
    int x, y;
    GComponent* expected;
    int zone, zx, zy;
  };
  const Case cases[] = {
      {11, 6, outer, ZONE_WIN, 1, 1},      // on the frame: window coordinates
      {12, 10, outer, ZONE_INNER, 0, 0},   // inside the frame, outside the client
      {14, 12, outer, ZONE_CLIENT, 1, 1},  // client, beside the child
      {16, 13, child, ZONE_WIN, 0, 0},     // the child's own frame
      {19, 19, child, ZONE_CLIENT, 0, 0},  // the child's client origin
      {0, 0, scene, ZONE_CLIENT, 0, 0},    // the bare scene
      {60, 40, scene, ZONE_CLIENT, 60, 40},
  };
  for (const Case& c : cases) {
    game.SetCursorPosition(c.x, c.y);
    int x = 0, y = 0, zone = -1;
    EXPECT_EQ(game.DetectComponentByCursor(x, y, zone), c.expected) << c.x << "," << c.y;
    EXPECT_EQ(zone, c.zone) << c.x << "," << c.y;
    EXPECT_EQ(x, c.zx) << c.x << "," << c.y;
    EXPECT_EQ(y, c.zy) << c.x << "," << c.y;
  }

  // A disabled component is never hit: the point falls through to the
  // parent's client zone. So is one of size 0 x 0.
  child->Enable(false);
  game.SetCursorPosition(19, 19);
  int x = 0, y = 0, zone = -1;
  EXPECT_EQ(game.DetectComponentByCursor(x, y, zone), outer);
  EXPECT_EQ(zone, ZONE_CLIENT);
  EXPECT_EQ(x, 6);
  EXPECT_EQ(y, 8);
  Probe* empty = Add("empty", 0, 0, 0, 0);
  EXPECT_FALSE(empty->IsShown());
  EXPECT_FALSE(empty->IsOver(0, 0));
}

TEST_F(ComponentTest, AClickOnlyWhenReleasedOnTheSameComponentAndZone) {
  Add("A", 10, 10, 20, 20);
  Add("B", 40, 10, 20, 20);
  Click(15, 15);
  EXPECT_EQ(Take(), (std::vector<std::string>{"A focus", "A down client 5,5", "A up client 5,5",
                                              "A click client 5,5"}));

  // Released over B: the release still goes to A (in captured
  // coordinates), and there is no click.
  game.SetCursorPosition(15, 15);
  game.PlatformKeyDown(KEY_MOUSE_LEFT, 0);
  game.SetCursorPosition(45, 15);
  game.PlatformKeyUp(KEY_MOUSE_LEFT);
  EXPECT_EQ(Take(), (std::vector<std::string>{"A down client 5,5", "A up client 35,5"}));

  // Down in the client zone, up in the inner zone of the same component.
  Probe* framed = Add("F", 20, 30, 20, 15, nullptr, STYLE_VISIBLE, &look);
  game.SetCursorPosition(24, 37);
  game.PlatformKeyDown(KEY_MOUSE_LEFT, 0);
  game.SetCursorPosition(22, 35);
  game.PlatformKeyUp(KEY_MOUSE_LEFT);
  EXPECT_EQ(Take(), (std::vector<std::string>{"B leave client", "B leave client", "A blur",
                                              "F focus", "F down client 1,1", "F up client 0,0"}));
  EXPECT_EQ(game.focused, framed);

  // A second button while one is held does nothing; its release is still
  // reported, to where the mouse input goes, but it makes no click and
  // leaves the first button's click alone.
  game.SetCursorPosition(15, 15);
  game.PlatformKeyDown(KEY_MOUSE_LEFT, 0);
  game.PlatformKeyDown(KEY_MOUSE_RIGHT, 0);
  game.PlatformKeyUp(KEY_MOUSE_RIGHT);
  game.PlatformKeyUp(KEY_MOUSE_LEFT);
  EXPECT_EQ(Take(), (std::vector<std::string>{"F leave client", "F leave inner", "F blur",
                                              "A focus", "A down client 5,5", "A rup client 5,5",
                                              "A up client 5,5", "A click client 5,5"}));
}

TEST_F(ComponentTest, AComponentDestroyedByItsReleaseGetsNoClick) {
  auto* gone = new Vanishing(&log, "V");
  ASSERT_TRUE(gone->Create(scene, STYLE_VISIBLE, 10, 10, 20, 20, 0));
  Click(15, 15);
  EXPECT_EQ(Take(), (std::vector<std::string>{"V focus", "V down client 5,5", "V up client 5,5"}));
  EXPECT_EQ(scene->GetChildCount(), 0);
  EXPECT_EQ(game.focused, nullptr);
  EXPECT_EQ(game.captured, nullptr);
}

TEST_F(ComponentTest, ModalComponentTakesEveryClick) {
  Add("under", 0, 0, 20, 20);
  Probe* dialog = Add("D", 30, 10, 20, 20);
  dialog->BeginModal();
  EXPECT_EQ(game.modal, dialog);
  EXPECT_EQ(game.focused, dialog);
  Take();
  // Outside: the modal component's frame zone, unconverted coordinates (the
  // release, which the capture converts, lands outside its window).
  Click(5, 6);
  EXPECT_EQ(Take(),
            (std::vector<std::string>{"D down win 5,6", "D up win -25,-4", "D click win 5,6"}));
  dialog->EndModal(0);
  EXPECT_EQ(game.modal, nullptr);
  EXPECT_FALSE(dialog->IsShown());
  EXPECT_EQ(game.focused, scene);
}

// A modal chain stays whole: beginning the current modal run again changes
// nothing, and the inner of two modal components destroyed without EndModal
// gives the modal role and the focus back to the outer one.
TEST_F(ComponentTest, ModalChainsSurviveARepeatedBeginAndALostInnerModal) {
  Probe* outer = Add("O", 30, 10, 60, 60);
  Probe* button = Add("B", 5, 5, 20, 20, outer);
  outer->BeginModal();
  outer->BeginModal();
  button->SetFocus();
  auto* inner = new Probe(&log, "I");
  ASSERT_TRUE(inner->Create(nullptr, STYLE_VISIBLE, 40, 20, 20, 20, 0));
  inner->BeginModal();
  ASSERT_EQ(game.modal, inner);
  delete inner;
  EXPECT_EQ(game.modal, outer);
  EXPECT_EQ(game.focused, button);
  outer->EndModal(0);
  EXPECT_EQ(game.modal, nullptr);
  EXPECT_EQ(game.focused, scene);
  // Keys reach the scene again.
  Take();
  game.PlatformKeyDown(KEY_A, 0);
  game.PlatformKeyUp(KEY_A);
  EXPECT_EQ(game.keyTarget, nullptr);
}

TEST_F(ComponentTest, HidingOrDestroyingLeavesNoLinks) {
  Probe* a = Add("A", 10, 10, 20, 20);
  Click(15, 15);
  game.SetCursorPosition(16, 16);
  EXPECT_EQ(game.focused, a);
  EXPECT_EQ(game.highlighted, a);
  a->Show(false);
  EXPECT_EQ(game.focused, nullptr);
  EXPECT_EQ(game.highlighted, nullptr);

  Probe* b = Add("B", 10, 10, 20, 20);
  Click(15, 15);
  game.PlatformKeyDown(KEY_A, 0);
  EXPECT_EQ(game.keyTarget, b);
  delete b;
  EXPECT_EQ(game.focused, nullptr);
  EXPECT_EQ(game.keyTarget, nullptr);
  game.PlatformKeyUp(KEY_A);
}

TEST_F(ComponentTest, TranslucentComponentsRepaintWhatLiesBeneath) {
  Probe* parent = Add("P", 10, 10, 40, 30);
  Probe* glass = Add("G", 5, 5, 20, 10, parent, STYLE_VISIBLE | STYLE_ALPHA, &look);
  Render();
  glass->InvalidateRect(CFerroRect(0, 0, 8, 8));
  ASSERT_TRUE(parent->IsDirty());
  EXPECT_EQ(parent->GetDirtyRect(), CFerroRect(15, 15, 23, 23));
  // Once the parent is clean, a rectangle inside the glass's dirty one is
  // not passed on again; a larger one is.
  parent->Draw();
  glass->InvalidateRect(CFerroRect(1, 1, 4, 4));
  EXPECT_FALSE(parent->IsDirty());
  glass->InvalidateRect(CFerroRect(0, 0, 12, 9));
  EXPECT_EQ(parent->GetDirtyRect(), CFerroRect(15, 15, 27, 24));

  // An opaque component keeps its invalidation to itself.
  Render();
  Probe* solid = Add("S", 30, 5, 5, 5, parent, STYLE_VISIBLE, &look);
  Render();
  solid->Invalidate();
  EXPECT_FALSE(parent->IsDirty());
}

TEST_F(ComponentTest, CoveringListAndTheForwardPass) {
  Probe* a = Add("A", 10, 10, 20, 20);
  Probe* b = Add("B", 20, 20, 20, 20);
  Probe* a1 = Add("A1", 0, 0, 4, 4, a);
  Probe* b1 = Add("B1", 0, 0, 4, 4, b);
  a->paint = 0xFF0000;
  b->paint = 0x0000FF;
  Render();
  // Level by level: the scene, its children, then their children.
  std::vector<GComponent*> order;
  for (int i = 0; i < scene->GetCoveringCount(); ++i) order.push_back(scene->GetCovering(i));
  EXPECT_EQ(order, (std::vector<GComponent*>{scene, a, b, a1, b1}));
  EXPECT_EQ(a->GetCoveringComponents(), (std::vector<GComponent*>{b, a1, b1}));
  EXPECT_EQ(Pixel(25, 25), 0x0000FFu);

  // Redrawing A repaints B above it, so the overlap stays B's.
  Take();
  a->Invalidate();
  Render();
  EXPECT_EQ(Pixel(25, 25), 0x0000FFu);
  EXPECT_EQ(Pixel(15, 15), 0xFF0000u);
  EXPECT_EQ(Take(), (std::vector<std::string>{"A render", "B render", "A1 render", "B1 render"}));
  // Covering points forward only: redrawing B leaves A alone.
  b->Invalidate();
  Render();
  EXPECT_EQ(Take(), (std::vector<std::string>{"B render", "B1 render"}));
}

TEST_F(ComponentTest, CoveringListStopsAtItsCapacity) {
  for (int i = 0; i < GScene::kMaxCovering + 200; ++i) Add("c", 0, 0, 1, 1);
  Render();
  EXPECT_EQ(scene->GetCoveringCount(), GScene::kMaxCovering);
}

TEST_F(ComponentTest, DrawingErasesTheInnerStripsAndClipsToTheDirtyRectangle) {
  Probe* framed = Add("F", 10, 10, 20, 20, nullptr, STYLE_VISIBLE, &look);
  framed->SetColor(COLOR_BORDER, COLOR_NORMAL, 0x00FF00);
  framed->SetColor(COLOR_BACKGROUND, COLOR_NORMAL, 0xFFFFFF);
  Render();
  EXPECT_EQ(Pixel(10, 10), 0x00FF00u);  // frame
  EXPECT_EQ(Pixel(12, 15), 0xFFFF00u);  // inner strip around the client
  EXPECT_EQ(Pixel(13, 16), 0xFFFFFFu);  // client
  game.GetBackSurface()->Clear(0);
  framed->InvalidateRect(CFerroRect(3, 6, 5, 8));
  Render();
  EXPECT_EQ(Pixel(13, 16), 0xFFFFFFu);
  EXPECT_EQ(Pixel(14, 17), 0xFFFFFFu);
  EXPECT_EQ(Pixel(12, 16), 0u);
  EXPECT_EQ(Pixel(15, 18), 0u);
}

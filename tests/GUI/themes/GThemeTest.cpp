// The theme framework: colour resolution, cursors and the scroll-arrow
// pictures. Border sizes, gaps and fonts show in the golden pictures.
#include "GUI/graphics/GImage.h"
#include "GUI/themes/GThemeWindows.h"
#include "tests/support/ThemeFixture.h"

namespace {

enum class State { normal, disabled, highlighted, pressed };

// Which entries of the text group a component sets, the state it is in, and
// the colour it must be drawn in: the theme's defaults (0x000000, disabled
// 0xAFAFAF) wherever the component sets none.
struct ResolutionCase {
  const char* name;
  unsigned normal, disabled, highlighted, pressed;
  State state;
  unsigned expected;
};

constexpr unsigned N = DEFAULT_COLOR;
const ResolutionCase kResolution[] = {
    {"theme disabled default", N, N, N, N, State::disabled, 0xAFAFAF},
    {"own colour kept when highlighted", 0x112233, N, N, N, State::highlighted, 0x112233},
    {"highlighted entry when pressed", 0x112233, N, 0x445566, N, State::pressed, 0x445566},
    {"pressed entry when pressed", N, N, 0x445566, 0x778899, State::pressed, 0x778899},
    {"pressed entry not when highlighted", N, N, N, 0x778899, State::highlighted, 0x000000},
    {"disabled entry", 0x112233, 0x223344, 0x445566, N, State::disabled, 0x223344},
    {"own colours ignored when disabled", 0x112233, N, 0x445566, N, State::disabled, 0xAFAFAF},
};

}  // namespace

TEST_F(ThemeTest, ColourResolutionFollowsTheStateAndTheSetEntries) {
  auto* theme = Install<GThemeWindows>();
  for (const ResolutionCase& c : kResolution) {
    SCOPED_TRACE(c.name);
    Box* box = AddBox(THEME_DIALOG, STYLE_VISIBLE, 0, 0, 40, 20);
    const unsigned entries[] = {c.normal, c.disabled, c.highlighted, c.pressed};
    for (int s = COLOR_NORMAL; s <= COLOR_PRESSED; ++s)
      box->SetColor(COLOR_TEXT, static_cast<COMPONENT_COLOR_STATE>(s), entries[s]);
    if (c.state == State::disabled) box->Enable(false);
    game.highlighted = c.state == State::highlighted ? box : nullptr;
    game.pressed = c.state == State::pressed ? box : nullptr;
    EXPECT_EQ(theme->GetTextColor(box), c.expected);
    game.highlighted = game.pressed = nullptr;
    scene->DeleteChild(box, true);
  }
}

namespace {

// A cursor file of the theme folder: a picture of that size.
void WriteCursor(const std::string& folder, const std::string& name, int w, int h) {
  art::Canvas canvas(w, h);
  canvas.Fill(art::Rgb(0xFF0000));
  ASSERT_TRUE(canvas.WritePng(folder + name));
}

}  // namespace

TEST_F(ThemeTest, CursorsTakeTheirHotSpotFromTheFileName) {
  const std::string cursors = ThemeFolder() + "cursors/";
  WriteCursor(cursors, "cursor_arrow__0102.png", 3, 3);
  WriteCursor(cursors, "cursor_link__1000.png", 4, 4);
  WriteCursor(cursors, "cursor_left_top__9999.png", 6, 6);
  // Ignored: an unknown prefix, a name that ends early, one with no digits
  // where the hot spot goes, another extension.
  for (const char* ignored : {"cursor_links__0000.png", "cursor_move__12.png",
                              "cursor_right__12x4.png", "cursor_text__0000.bmp"})
    WriteCursor(cursors, ignored, 7, 7);

  auto* theme = Install<GThemeWindows>();
  auto hot = [&](int which) {
    GImage* image = theme->GetCursor(which);
    int x = -1, y = -1, w = 0, h = 0;
    if (image) {
      image->GetPivot(x, y);
      image->GetSize(w, h);
    }
    return std::vector<int>{x, y, w};
  };
  EXPECT_EQ(hot(CURSOR_ARROW), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(hot(CURSOR_LINK), (std::vector<int>{10, 0, 4}));
  EXPECT_EQ(hot(CURSOR_LEFT_TOP), (std::vector<int>{99, 99, 6}));
  EXPECT_EQ(theme->GetCursor(CURSOR_MOVE), nullptr);
  // Fallbacks: the pointing cursors take the arrow, a resize cursor its
  // opposite, a pair with neither the arrow.
  GImage* arrow = theme->GetCursor(CURSOR_ARROW);
  for (int which : {CURSOR_TARGET, CURSOR_TEXT, CURSOR_LEFT, CURSOR_RIGHT, CURSOR_LEFT_BOTTOM,
                    CURSOR_RIGHT_TOP})
    EXPECT_EQ(theme->GetCursor(which), arrow) << which;
  EXPECT_EQ(theme->GetCursor(CURSOR_RIGHT_BOTTOM), theme->GetCursor(CURSOR_LEFT_TOP));
  EXPECT_EQ(game.defaultCursor, arrow);
  EXPECT_EQ(theme->GetCursor(CURSOR_COUNT), nullptr);
  EXPECT_FALSE(theme->SetCursor(CURSOR_COUNT, nullptr));

  // Replacing the arrow leaves the cursors that borrowed its image intact.
  GSurface* arrowSurface = arrow->GetSurface();
  const int surfaces = game.GetDevice()->GetSurfaceCount();
  EXPECT_TRUE(theme->SetCursor(CURSOR_ARROW, theme->GetCursor(CURSOR_LINK)));
  EXPECT_EQ(game.GetDevice()->GetSurfaceCount(), surfaces);
  EXPECT_EQ(theme->GetCursor(CURSOR_TEXT)->GetSurface(), arrowSurface);
}

namespace {

// A look whose scroll bars have no size.
class NoBarTheme : public GThemeWindows {
 public:
  using GThemeWindows::GThemeWindows;
  int GetSBSize() override { return 0; }
};

}  // namespace

// Scroll bars of no size still get arrow pictures of 7 pixels.
TEST_F(ThemeTest, ScrollArrowsAreNeverEmpty) {
  GThemeWindows windows(&game);
  NoBarTheme noBars(&game);
  for (GTheme* theme : {static_cast<GTheme*>(&windows), static_cast<GTheme*>(&noBars)}) {
    ASSERT_TRUE(theme->Create());
    const int size = theme == &windows ? 17 : 7;
    for (int direction = ARROW_LEFT; direction <= ARROW_DOWN; ++direction)
      for (int state = SB_NORMAL; state <= SB_DISABLED; ++state) {
        SCOPED_TRACE(testing::Message()
                     << size << " direction " << direction << " state " << state);
        GSurface* picture = theme->GetScrollerArrow(direction, state);
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(std::pair(picture->GetWidth(), picture->GetHeight()), std::pair(size, size));
      }
  }
}

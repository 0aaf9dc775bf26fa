#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "GUI/toolkit/GStatic.h"
#include "tests/support/Geometry.h"
#include "tests/support/ToolkitFixture.h"

namespace {

constexpr unsigned kText = 0x0000FF, kDisabled = 0xFF00FF, kBack = 0x00FF00;

// A font in memory: every glyph `width` wide (`wide` 9, `none` 0) and covering
// every row but its last, so that an underline shows on its own.
int AddFont(GDevice* device, const char* name, int height, int width, char wide, char none) {
  std::vector<std::vector<unsigned char>> alpha(9, std::vector<unsigned char>(height, 255));
  std::vector<unsigned char*> columns;
  for (auto& column : alpha) column[height - 1] = 0, columns.push_back(column.data());
  std::string text = std::string("Font=") + name + "\r\nHeight=" + std::to_string(height) +
                     "\r\nWeight=400\r\nItalic=0\r\nx,y,width\r\n";
  for (int c = 32; c < 256; ++c) {
    const int w = c == wide ? 9 : c == none ? 0 : width;
    text += std::string(1, static_cast<char>(c)) + (c == '=' ? "==" : "=") + "0,0," +
            std::to_string(w) + "\r\n";
  }
  return device->AddFontex(columns.data(), 9, height, CFerroString(text.c_str()));
}

// 8 pixels of frame and client gap in each direction, font 0,
// the colours above; the client drawing draws the runs.
class StaticLook : public GThemeComponent {
 public:
  void GetInnerGap(GComponent*, CFerroRect* gap) override { *gap = CFerroRect(1, 1, 1, 1); }
  void GetClientGap(CFerroRect* gap) override { *gap = CFerroRect(3, 3, 3, 3); }
  int GetTextFont(GComponent* c) override { return c->GetFont() >= 0 ? c->GetFont() : 0; }
  unsigned GetTextColor(GComponent* c) override {
    return c->ResolveColor(COLOR_TEXT, kText, kDisabled);
  }
  unsigned GetBgColor(GComponent*) override { return kBack; }
  void RenderClient(GComponent* c) override {
    static_cast<GStatic*>(c)->DrawRuns(GComponent::game->GetBackSurface());
  }
};

// A 200 x 150 scene; font 0 is 3 x 4 pixels ('W' 9 wide, '|' of no width),
// font 1 is 5 x 8.
class StaticTest : public ToolkitTest {
 protected:
  void SetUp() override {
    ToolkitTest::SetUp();
    ASSERT_EQ(AddFont(game.GetDevice(), "Small", 4, 3, 'W', '|'), 0);
    ASSERT_EQ(AddFont(game.GetDevice(), "Big", 8, 5, 0, 0), 1);
  }
  // A static at (10, 10); its client origin is at (14, 14).
  GStatic* Make(const std::string& text, int w = 0, int h = 0, unsigned style = STYLE_VISIBLE) {
    auto* s = new GStatic;
    s->SetTheme(&staticLook);
    EXPECT_TRUE(s->Create(scene, style, 10, 10, w, h, 1, text.c_str()));
    return s;
  }
  StaticLook staticLook;
};

// The runs as text/colour/font[/link], or with places as text@x,y.
std::string Runs(const GStatic* s, bool places) {
  std::string out;
  for (int i = 0; i < s->GetSegmentCount(); ++i) {
    const STATIC_TEXT& r = *s->GetSegment(i);
    char look[40];
    if (places)
      std::snprintf(look, sizeof look, "@%d,%d", r.x, r.y);
    else
      std::snprintf(look, sizeof look, "/%06x/%d", r.color, r.font);
    out += (i ? "|" : "") + std::string(r.text.c_str()) + look +
           (places || r.link.IsEmpty() ? "" : "/" + std::string(r.link.c_str()));
  }
  return out;
}

TEST_F(StaticTest, Markup) {
  const char* cases[][2] = {
      // A closing url does not end a colour.
      {"A<color=\"red\">B</url>C", "A/0000ff/0|B/ff0000/0|C/ff0000/0"},
      {"<url=\"a\" color=\"red\">B</url>C<url=5>D", "B/ff0000/0/a|C/ff0000/0|D/ff0000/0/No link"},
      // A colour name is a string: unquoted it ends the tag.
      {"A<color=red>B", "A/0000ff/0|B/0000ff/0"},
      // A float colour is ignored, a float or string font ends the tag.
      {"<color=1.5f font=1>B<font=1.5f color=\"red\">C<font=\"0\" color=\"red\">D",
       "B/0000ff/1|C/0000ff/1|D/0000ff/1"},
      {"<font=1 color=0xFF0000>B<default>C", "B/ff0000/1|C/0000ff/0"},
      {"<color='A'>B<color=TRUE>C<color=-0x10>D", "B/000041/0|C/000001/0|D/000010/0"},
      // A tag without its closing bracket takes the rest of the text.
      {"A<color=\"red\"", "A/0000ff/0"},
  };
  for (auto& c : cases) {
    GStatic* s = Make(c[0]);
    EXPECT_EQ(Runs(s, false), c[1]) << c[0];
    EXPECT_EQ(s->HasLinks(), std::string(c[0]).find("url=") != std::string::npos) << c[0];
    delete s;
  }
}

TEST_F(StaticTest, LinesWrappingAndSize) {
  struct Case {
    const char* text;
    int fixedW;  // window width; the client width is 8 less
    const char* places;
    int textW, textH;
  } cases[] = {
      {"A\n\nB", 0, "A@0,0| @0,4|B@0,8", 3, 12},  // an empty line of the font's height
      {"ab cd ef", 18, "ab@0,0|cd@0,4|ef@0,8", 6, 12},
      {"abcdefg", 18, "abc@0,0|def@0,4|g@0,8", 9, 12},          // cut at the line start
      {"ab<color=\"red\">cdef", 20, "ab@0,0|cdef@0,4", 12, 8},  // moved whole
      // Every line takes at least one character, however wide.
      {"WWa", 13, "W@0,0|W@0,4|a@0,8", 9, 12},
      // Cut between characters; a broken sequence is one, and a space after it breaks.
      {"жжжжжжж", 18, "жжж@0,0|жжж@0,4|ж@0,8", 9, 12},
      {"ab\xe2\x82 cd", 18, "ab\xe2\x82@0,0|cd@0,4", 9, 8},
  };
  for (const Case& c : cases) {
    GStatic* s = Make(c.text, c.fixedW);
    EXPECT_EQ(std::tuple(Runs(s, true), s->GetTextWidth(), s->GetTextHeight(), Size(s)),
              std::tuple(c.places, c.textW, c.textH,
                         std::pair(c.fixedW ? c.fixedW : c.textW + 8, c.textH + 8)))
        << c.text;
    delete s;
  }
}

// A static that does not erase (as the game's credits) has its parent
// repaint it when the hovered link changes.
TEST_F(StaticTest, LinksAreHoveredAndOpened) {
  // The link "here" covers x 9..20 of the client area at (14, 14).
  GStatic* s = Make("go <url=\"http://a\">here</url> now", 0, 0, STYLE_VISIBLE | STYLE_NOERASE);
  auto hoverAt = [&](int x) {
    scene->RenderAll();
    game.SetCursorPosition(14 + x, 15);
    EXPECT_EQ(scene->GetDirtyRect(), s->GetClipRect());
    Click(14 + x, 15);
  };
  hoverAt(12);
  EXPECT_EQ(s->GetCurrentLink(), 1);
  EXPECT_EQ(Links()->opened, std::vector<std::string>{"http://a"});
  hoverAt(2);
  EXPECT_EQ(s->GetCurrentLink(), -1);
  EXPECT_EQ(Links()->opened.size(), 1u) << "a click beside the link";
}

TEST_F(StaticTest, ShrinkingFillsTheFormerAreaAtOnce) {
  for (unsigned style : {0u + STYLE_VISIBLE, STYLE_VISIBLE | STYLE_NOERASE}) {
    game.GetBackSurface()->Clear(0);
    GStatic* s = Make("aaaaaaaaaa", 0, 0, style);  // 38 x 12
    scene->RenderAll();
    s->SetWindowText("a\x01\x02");
    EXPECT_EQ(s->GetWindowText(), "a");
    EXPECT_EQ(Pixel(10 + 30, 12) == kBack, !(style & STYLE_NOERASE));
    EXPECT_TRUE(scene->IsDirty()) << "the parent repaints what was uncovered";
    delete s;
  }
}

TEST_F(StaticTest, HostileTextNeitherCrashesNorHangs) {
  struct Case {
    std::string text;
    int fixedW, runs;
  } cases[] = {
      {"<" + std::string(100000, 'x'), 0, 0},
      {std::string(20000, '|'), 9, 1},
      {std::string(20000, '\xd0'), 9, 20000},      // each cut-off sequence is a character
      {"<font=99>ab<font=0xFFFFFFFF>cd\n", 0, 2},  // fonts that are not loaded
  };
  for (const Case& c : cases) {
    GStatic* s = Make(c.text, c.fixedW);
    EXPECT_EQ(s->GetSegmentCount(), c.runs) << c.text.substr(0, 20);
    scene->RenderAll();
    game.SetCursorPosition(15, 15);
    game.SetCursorPosition(150, 120);
    delete s;
  }
}

}  // namespace

#pragma once

#include <vector>

#include "GUI/foundation/CFerroString.h"
#include "GUI/toolkit/GScroller.h"

class GSurface;

// One formatted run of a static text: text in one font and colour, placed at
// (x, y) in content coordinates (its top-left corner), and the link it opens
// when clicked (none when empty).
struct STATIC_TEXT {
  CFerroString text;
  unsigned color = 0;
  int font = -1;
  int x = 0;
  int y = 0;
  CFerroString link;
  // The run begins a line. Recorded rather than read off x == 0, since a
  // run after text of zero width also starts at 0.
  bool lineStart = false;
};

// A block of text with a small markup: tags in angle brackets change the
// colour, the font and the link of the text that follows
// (<color="red">, <font=2>, <url="https://...">...</url>, <default>), and
// line feeds break lines. The text is laid out into runs that sit on a
// common bottom line per line, wrapped at a fixed width when one is given,
// and aligned left, centred or right. Without a fixed size the static sizes
// itself to its text; with one, scroll bars appear when the text does not
// fit. Link runs are hovered and clicked: the link under the cursor gets the
// link cursor, and a press asks the platform to open it.
//
// The drawing object of statics draws the runs with DrawRuns.
//
// Sections of the implementation:
//   GStatic.cpp        creation, text, events, drawing of the runs
//   GStaticFormat.cpp  the markup, wrapping, lines, sizing and alignment
class GStatic : public GScroller {
 public:
  // Takes the static drawing object of the application's theme.
  GStatic();

  // Called by owners to place the static with its text (null: none). A
  // non-zero w or h fixes the client width or height that results from it;
  // a zero one sizes the static to the text. The style is taken exactly as
  // given, without the application's additional bits. False when the static
  // was created before.
  virtual bool Create(GComponent* parent, unsigned style, int x, int y, int w, int h, unsigned id,
                      const char* text);
  // The same without text.
  bool Create(GComponent* parent, unsigned style, int x, int y, int w, int h, unsigned id) override;

  // Keeps the characters from 32 up and line feeds; re-formats when the
  // text changed.
  void SetWindowText(const char* text) override;
  // Stores the alignment (0 left, 1 centre, other right) and re-formats;
  // false when it was already set.
  bool SetAlignText(int align) override;
  // Called by SetWindowText after the text changed: formats it again and,
  // when the static shrank, fills its former area with its background
  // colour at once, then calls OnChangeText.
  void SysOnChangeText() override;

  // The content is the formatted text.
  void GetScrollSize(int& w, int& h) override;
  bool IsStatic() const override { return true; }

  // The index of the link run under the cursor, or -1.
  int GetCurrentLink() const { return hasLinks ? hoveredLink : -1; }
  int GetSegmentCount() const { return static_cast<int>(segments.size()); }
  // A run, or null outside 0..count-1.
  const STATIC_TEXT* GetSegment(int index) const {
    return index >= 0 && index < GetSegmentCount() ? &segments[index] : nullptr;
  }
  int GetTextWidth() const { return textWidth; }
  int GetTextHeight() const { return textHeight; }
  // The fixed client size; 0 where the static sizes itself to the text.
  int GetFixedWidth() const { return fixedWidth; }
  int GetFixedHeight() const { return fixedHeight; }
  bool HasLinks() const { return hasLinks; }

  // Lays the text out again: runs, lines, size, scroll bars and alignment.
  void FormatText();
  // Draws the runs into target, whose origin is the client origin: each at
  // its place less the scroll position, in its font and colour, without
  // background; a link that is not hovered is underlined on its last row.
  // A disabled static draws every run in its drawing object's text colour.
  void DrawRuns(GSurface* target);
  // The text with every character below 32 removed, except line feeds.
  static CFerroString TestSymbols(const char* text);

  // The drawing object's client drawing, then OnRender.
  void ClientOnRender() override;
  // Tracks the link run under the cursor.
  void ClientOnMouseMove(unsigned flags, int x, int y) override;
  void ClientOnMouseLeave(unsigned flags) override;
  // A press on a hovered link asks the platform to open it.
  void ClientOnLButtonDown(unsigned flags, int x, int y) override;
  // The theme's link cursor while a link is hovered.
  GImage* OnSetCursorCLIENT(unsigned flags, int x, int y) override;

 private:
  struct Markup;

  // [Formatting] (GStaticFormat.cpp)
  // Builds the runs and lines from the text, wrapping at wrapWidth (none
  // when 0).
  void FormatRuns(int wrapWidth);
  // Applies the items of one tag (its text without the angle brackets).
  void ReadTag(const char* tag, int length, Markup& markup);
  // Appends the run text[from..to) in the markup's look, wrapped at
  // wrapWidth.
  void FormatString(const char* text, int from, int to, Markup& markup, int wrapWidth);
  // Gives every run its y on its line and measures the text.
  void LayoutLines();
  // Moves the runs of each line by the alignment.
  void AlignText();
  // The colour and font text starts with, and after <default>.
  unsigned StartColor();
  int StartFont();

  // Redraws after the hovered link changed: the static, or the area of the
  // parent beneath it when the static does not erase its background.
  void InvalidateHover();
  // The width and height of a run in its font.
  static void MeasureRun(const STATIC_TEXT& run, int& w, int& h);

  std::vector<STATIC_TEXT> segments;
  int textWidth = 0;
  int textHeight = 0;
  int fixedWidth = 0;   // 0: as wide as the text
  int fixedHeight = 0;  // 0: as high as the text
  bool hasLinks = false;
  int hoveredLink = -1;
};

// The static text's formatter.
//
// Index:
//   [SECTION] Markup       the state the tags change, colour names, tags
//   [SECTION] Runs         scanning the text, wrapping a run at the width
//   [SECTION] Lines        the common bottom line and the text's extent
//   [SECTION] Layout       FormatText: sizing, scroll bars, alignment
//
// The text is UTF-8. Hostile text must neither hang nor read out of bounds: a
// run is wrapped by moving an index (every line takes at least one whole
// character, never part of one), a tag of any length is copied into a
// tokenizer sized for it, and extents are summed in 64 bits and kept within
// int.
#include <algorithm>
#include <climits>
#include <cstring>

#include "GUI/foundation/Utf8Text.h"
#include "GUI/graphics/FONTEX.h"
#include "GUI/graphics/GDevice.h"
#include "GUI/graphics/SurfaceColor.h"
#include "GUI/platform/GGame.h"
#include "GUI/themes/GTheme.h"
#include "GUI/themes/GThemeComponent.h"
#include "GUI/toolkit/CText.h"
#include "GUI/toolkit/GStatic.h"

namespace {

// The text colour when neither the component nor a theme gives one.
constexpr unsigned kFallbackTextColor = 0x000000;

// What a run is given when a url tag names no text target.
constexpr const char* kNoLink = "No link";

struct NamedColor {
  const char* name;
  unsigned color;
};

// The sixteen basic colour keywords of HTML 4.
constexpr NamedColor kColorNames[] = {
    {"black", 0x000000},  {"silver", 0xC0C0C0}, {"gray", 0x808080},   {"white", 0xFFFFFF},
    {"maroon", 0x800000}, {"red", 0xFF0000},    {"purple", 0x800080}, {"fuchsia", 0xFF00FF},
    {"green", 0x008000},  {"lime", 0x00FF00},   {"olive", 0x808000},  {"yellow", 0xFFFF00},
    {"navy", 0x000080},   {"blue", 0x0000FF},   {"teal", 0x008080},   {"aqua", 0x00FFFF},
};

int ClampToInt(long long value) {
  return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

}  // namespace

// The look that text takes from the tags read so far.
struct GStatic::Markup {
  unsigned startColor = kFallbackTextColor;
  int startFont = -1;
  unsigned color = kFallbackTextColor;
  int font = -1;
  CFerroString link;
  // The next run begins a line.
  bool newLine = true;
};

// ---------------------------------------------------------------------------------------------
// Markup
// ---------------------------------------------------------------------------------------------

unsigned GStatic::StartColor() {
  const unsigned own = GetColor(COLOR_TEXT, COLOR_NORMAL);
  if (own != DEFAULT_COLOR) return own;
  GTheme* look = theme ? theme->GetOwner() : nullptr;
  if (!look && game) look = game->GetTheme();
  unsigned color = DEFAULT_COLOR;
  if (look)
    color = look->GetTextColorDefault();
  else if (theme)
    // A drawing object without a theme (a look of its own) is asked for
    // the component's colour instead.
    color = theme->GetTextColor(this);
  return color != DEFAULT_COLOR ? color : kFallbackTextColor;
}

int GStatic::StartFont() {
  return theme ? theme->GetTextFont(this) : font;
}

void GStatic::ReadTag(const char* tag, int length, Markup& markup) {
  CText reader;
  if (length <= 0 || !reader.Create(length)) return;
  std::memcpy(reader.GetBuffer(), tag, static_cast<size_t>(length));
  // Items are read until the tag ends or an item is malformed; what was
  // read before a malformed item stays in force.
  CFerroString word;
  while (reader.ReadWordC(word)) {
    word.toLower();
    if (word == "default") {
      markup.color = markup.startColor;
      markup.font = markup.startFont;
      continue;
    }
    if (word == "/") {
      if (!reader.ReadWordC(word) || word.toLower() != "url") return;
      markup.link = "";
      continue;
    }
    const CFerroString name = word;
    if (!reader.ReadWordC(word) || word != "=") return;
    if (!reader.ReadWordC(word)) return;
    const LITERAL value = CText::ParseLiteral(word);
    if (value.kind == LITERAL_NONE) return;
    if (name == "font") {
      if (value.kind == LITERAL_STRING || value.kind == LITERAL_FLOAT) return;
      markup.font = static_cast<int>(value.number);
    } else if (name == "color") {
      if (value.kind == LITERAL_FLOAT) continue;
      if (value.kind != LITERAL_STRING) {
        markup.color = value.number;
        continue;
      }
      CFerroString wanted = value.text;
      wanted.toLower();
      const auto* found = std::find_if(std::begin(kColorNames), std::end(kColorNames),
                                       [&](const NamedColor& c) { return wanted == c.name; });
      if (found == std::end(kColorNames)) return;
      markup.color = found->color;
    } else if (name == "url") {
      hasLinks = true;
      markup.link = value.kind == LITERAL_STRING ? value.text : CFerroString(kNoLink);
    }
    // Any other name is accepted and has no effect.
  }
}

// ---------------------------------------------------------------------------------------------
// Runs
// ---------------------------------------------------------------------------------------------

void GStatic::FormatRuns(int wrapWidth) {
  segments.clear();
  hasLinks = false;
  hoveredLink = -1;
  Markup markup;
  markup.startColor = markup.color = StartColor();
  markup.startFont = markup.font = StartFont();

  const char* text = windowText.c_str();
  const int n = windowText.GetLength();
  int runStart = 0;
  for (int i = 0; i < n; ++i) {
    if (text[i] == '\n') {
      if (i == runStart && markup.link.IsEmpty()) {
        // An empty line keeps the height of the font.
        FormatString(" ", 0, 1, markup, wrapWidth);
      } else {
        FormatString(text, runStart, i, markup, wrapWidth);
      }
      markup.newLine = true;
      runStart = i + 1;
    } else if (text[i] == '<') {
      FormatString(text, runStart, i, markup, wrapWidth);
      // A tag without its closing bracket takes the rest of the text.
      const int close = windowText.FindChar('>', i + 1);
      const int end = close < 0 ? n : close;
      ReadTag(text + i + 1, end - i - 1, markup);
      i = end;
      runStart = end + 1;
    }
  }
  FormatString(text, runStart, n, markup, wrapWidth);
  LayoutLines();
}

void GStatic::FormatString(const char* text, int from, int to, Markup& markup, int wrapWidth) {
  // An empty link run shows its target.
  if (from >= to) {
    if (markup.link.IsEmpty()) return;
    text = markup.link.c_str();
    from = 0;
    to = markup.link.GetLength();
  }
  GDevice* device = game ? game->GetDevice() : nullptr;
  const FONTEX* fontex = device ? device->GetFontex(markup.font) : nullptr;

  auto append = [&](int begin, int end, int x) {
    if (begin >= end) return;
    STATIC_TEXT run;
    run.text = CFerroString(end - begin);
    std::memcpy(run.text.c_str(), text + begin, static_cast<size_t>(end - begin));
    run.color = markup.color;
    run.font = markup.font;
    run.x = x;
    run.link = markup.link;
    run.lineStart = markup.newLine;
    segments.push_back(run);
    markup.newLine = false;
  };

  while (from < to) {
    int x = 0;
    if (!markup.newLine && !segments.empty()) {
      int w = 0, h = 0;
      MeasureRun(segments.back(), w, h);
      x = ClampToInt(static_cast<long long>(segments.back().x) + w);
    }
    if (wrapWidth <= 0) {
      append(from, to, x);
      return;
    }
    // The first character (UTF-8) that no longer fits, and where the first
    // character ends.
    long long right = x;
    int over = to, firstEnd = to;
    for (const char* c = text + from; c < text + to;) {
      const int at = static_cast<int>(c - text);
      const char32_t code = NextUtf8Char(c, text + to);
      if (at == from) firstEnd = static_cast<int>(c - text);
      right += fontex ? fontex->GetCharWidth(code) : 0;
      if (right > wrapWidth) {
        over = at;
        break;
      }
    }
    if (over == to) {
      append(from, to, x);
      return;
    }
    int space = over;
    while (space >= from && text[space] != ' ') --space;
    if (space >= from) {
      // Break at the space, which is dropped.
      append(from, space, x);
      from = space + 1;
    } else if (!markup.newLine) {
      // The run moves whole to the next line, where it is tried again.
    } else {
      // A word wider than the line is cut before the character that does
      // not fit, but every line takes at least one character.
      const int cut = std::max(over, firstEnd);
      append(from, cut, x);
      from = cut;
    }
    markup.newLine = true;
  }
}

// ---------------------------------------------------------------------------------------------
// Lines
// ---------------------------------------------------------------------------------------------

void GStatic::LayoutLines() {
  long long top = 0, widest = 0;
  const int count = GetSegmentCount();
  for (int first = 0; first < count;) {
    int last = first + 1;
    while (last < count && !segments[last].lineStart) ++last;
    int lineHeight = 0;
    for (int i = first; i < last; ++i) {
      int w = 0, h = 0;
      MeasureRun(segments[i], w, h);
      lineHeight = std::max(lineHeight, h);
      widest = std::max(widest, static_cast<long long>(segments[i].x) + w);
    }
    for (int i = first; i < last; ++i) {
      int w = 0, h = 0;
      MeasureRun(segments[i], w, h);
      segments[i].y = ClampToInt(top + lineHeight - h);
    }
    top += lineHeight;
    first = last;
  }
  textWidth = ClampToInt(widest);
  textHeight = ClampToInt(top);
}

// ---------------------------------------------------------------------------------------------
// Layout
// ---------------------------------------------------------------------------------------------

void GStatic::FormatText() {
  int oldW = 0, oldH = 0;
  GetSize(oldW, oldH);
  const bool wasShown = IsShown();
  CFerroRect former;
  GetAbsoluteWindowRect(&former);

  FormatRuns(fixedWidth);
  // The frame, caption and client gaps, without scroll bars.
  CFerroRect plain;
  GComponent::GetClientRect(&plain);
  const long long frameW = oldW - plain.Width(), frameH = oldH - plain.Height();
  SetSize(ClampToInt(frameW + (fixedWidth ? fixedWidth : textWidth)),
          ClampToInt(frameH + (fixedHeight ? fixedHeight : textHeight)));
  RecalcLayout();
  if (!fixedWidth && vSlider > 0) {
    // Widen by the bar, so that the text keeps its width beside it.
    int w = 0, h = 0;
    GetSize(w, h);
    SetSize(ClampToInt(static_cast<long long>(w) + GetVScrollBarSize()), h);
    RecalcLayout();
  } else if (fixedWidth && hSlider > 0) {
    // The vertical bar took part of the width: wrap at what is left.
    CFerroRect client;
    GetClientRect(&client);
    FormatRuns(std::max(1, client.Width()));
    RecalcLayout();
  }
  AlignText();

  int w = 0, h = 0;
  GetSize(w, h);
  if (w == oldW && h == oldH) return;
  RecalcCovering();
  Invalidate();
  if (parent && wasShown && (w < oldW || h < oldH)) {
    int px = 0, py = 0;
    parent->GetAbsoluteWindowPosition(px, py);
    former.Offset(-px, -py);
    parent->InvalidateRect(former);
  }
}

void GStatic::AlignText() {
  if (alignText == ALIGN_LEFT) return;
  CFerroRect client;
  GetClientRect(&client);
  const int count = GetSegmentCount();
  for (int first = 0; first < count;) {
    int last = first + 1;
    while (last < count && !segments[last].lineStart) ++last;
    long long used = 0;
    for (int i = first; i < last; ++i) {
      int w = 0, h = 0;
      MeasureRun(segments[i], w, h);
      used += w;
    }
    // A line wider than the client area stays where it is: moved left it
    // would leave the part that scrolling reaches.
    long long offset = std::max<long long>(0, client.Width() - used);
    if (alignText == ALIGN_CENTER) offset /= 2;
    for (int i = first; i < last; ++i) segments[i].x = ClampToInt(segments[i].x + offset);
    first = last;
  }
}

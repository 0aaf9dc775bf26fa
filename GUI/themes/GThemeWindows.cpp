#include "GUI/themes/GThemeWindows.h"

#include <algorithm>

#include "GUI/graphics/GSurface.h"
#include "GUI/themes/GThemeWindowsComponents.h"
#include "GUI/toolkit/GScroller.h"

GThemeWindows::GThemeWindows(GGame* owner, const char* themeName) : GTheme(owner, themeName) {
  SetComponentTheme(THEME_BUTTON, std::make_unique<GThemeButtonWindows>(this));
  SetComponentTheme(THEME_LISTBOX, std::make_unique<GThemeListBoxWindows>(this));
  SetComponentTheme(THEME_COMBOBOX, std::make_unique<GThemeComboBoxWindows>(this));
  SetComponentTheme(THEME_STATIC, std::make_unique<GThemeStaticWindows>(this));
  SetComponentTheme(THEME_MENU, std::make_unique<GThemeMenuWindows>(this));
  SetComponentTheme(THEME_EDIT, std::make_unique<GThemeEditWindows>(this));
  SetComponentTheme(THEME_TREE, std::make_unique<GThemeTreeWindows>(this));
  SetComponentTheme(THEME_PICTURE, std::make_unique<GThemePictureWindows>(this));
  SetComponentTheme(THEME_GRID, std::make_unique<GThemeGridWindows>(this));
  SetComponentTheme(THEME_DIALOG, std::make_unique<GThemeDialogWindows>(this));
  SetComponentTheme(THEME_CHECKBOX, std::make_unique<GThemeCheckBoxWindows>(this));
  SetComponentTheme(THEME_VALUE_ROW, std::make_unique<GThemeValueRowWindows>(this));
  SetComponentTheme(THEME_BUTTON_IMAGE, std::make_unique<GThemeButtonImageWindows>(this));
}

void GThemeWindows::GetScrollerPlaceColors(unsigned& track, unsigned& trackLine, unsigned& slider,
                                           unsigned& sliderHighlighted, unsigned& sliderPressed,
                                           unsigned& corner) {
  track = 0xF0F0F0;
  trackLine = 0xFFFFFF;
  slider = 0xCDCDCD;
  sliderHighlighted = 0xA6A6A6;
  sliderPressed = 0x606060;
  corner = 0xF0F0F0;
}

namespace {

// One bar of a scroller: its two arrow elements, its slider, the arrow
// pictures' directions, and whether the track line runs along the top row
// (horizontal bar) or the left column (vertical bar).
struct BarParts {
  int first, second, slider;
  SCROLLER_ARROW_DIRECTION firstArrow, secondArrow;
  bool horizontal;
};

constexpr BarParts kBars[] = {
    {SCROLL_LEFT, SCROLL_RIGHT, SCROLL_HSLIDER, ARROW_LEFT, ARROW_RIGHT, true},
    {SCROLL_UP, SCROLL_DOWN, SCROLL_VSLIDER, ARROW_UP, ARROW_DOWN, false},
};

}  // namespace

void GThemeWindows::RenderScroller(GScroller* scroller) {
  GSurface* back = GetBackbuffer();
  if (!back || !scroller) return;
  unsigned track = 0, trackLine = 0, slider = 0, sliderHighlighted = 0, sliderPressed = 0,
           corner = 0;
  GetScrollerPlaceColors(track, trackLine, slider, sliderHighlighted, sliderPressed, corner);
  const bool enabled = scroller->IsEnabled();
  const int pressed = scroller->GetPressedElement();
  const int hover = scroller->GetHoverElement();
  auto stateOf = [&](int element) {
    if (!enabled) return SB_DISABLED;
    if (element == pressed) return SB_PRESSED;
    if (element == hover) return SB_HIGHLIGHTED;
    return SB_NORMAL;
  };
  // An arrow picture fills its rectangle; a picture of another size is cut
  // to the rectangle (a blit of width or height 0 would mean "all of it").
  auto drawArrow = [&](const CFerroRect& r, SCROLLER_ARROW_DIRECTION direction, int element) {
    GSurface* picture = GetScrollerArrow(direction, stateOf(element));
    if (!picture || r.IsEmpty()) return;
    const int w = std::min(r.Width(), picture->GetWidth());
    const int h = std::min(r.Height(), picture->GetHeight());
    if (w > 0 && h > 0) back->Blt(picture, r.left, r.top, 0, 0, w, h, true);
  };

  for (const BarParts& bar : kBars) {
    CFerroRect first, second;
    if (!scroller->GetScrollElementRect(bar.first, &first) ||
        !scroller->GetScrollElementRect(bar.second, &second))
      continue;
    drawArrow(first, bar.firstArrow, bar.first);
    drawArrow(second, bar.secondArrow, bar.second);
    const CFerroRect trackRect =
        bar.horizontal ? CFerroRect(first.right, first.top, second.left, first.bottom)
                       : CFerroRect(first.left, first.bottom, first.right, second.top);
    if (trackRect.IsEmpty()) continue;
    back->FillRect(trackRect.left, trackRect.top, trackRect.Width(), trackRect.Height(), track);
    if (bar.horizontal)
      back->DrawHorizontalLine(trackRect.left, trackRect.top, trackRect.Width(), trackLine);
    else
      back->DrawVerticalLine(trackRect.left, trackRect.top, trackRect.Height(), trackLine);
    CFerroRect knob;
    if (!enabled || !scroller->GetScrollElementRect(bar.slider, &knob)) continue;
    // The slider leaves the track line showing.
    if (bar.horizontal)
      ++knob.top;
    else
      ++knob.left;
    if (knob.IsEmpty()) continue;
    const unsigned color = bar.slider == pressed ? sliderPressed
                           : bar.slider == hover ? sliderHighlighted
                                                 : slider;
    back->FillRect(knob.left, knob.top, knob.Width(), knob.Height(), color);
  }

  CFerroRect square;
  scroller->GetScrollSquareRect(&square);
  if (!square.IsEmpty())
    back->FillRect(square.left, square.top, square.Width(), square.Height(), corner);
}

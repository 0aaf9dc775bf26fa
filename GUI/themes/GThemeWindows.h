#pragma once

#include "GUI/themes/GTheme.h"

// The default theme "windows": light faces, dark text, the fonts
// "Tahoma16bold" and "Tahoma21" of the theme folder, a 31-pixel caption and
// 17-pixel scroll bars. It installs a drawing object for every kind of
// control (GThemeWindowsComponents.h).
class GThemeWindows : public GTheme {
 public:
  explicit GThemeWindows(GGame* game, const char* name = "windows");

  int GetSBSize() override { return 17; }
  // Arrows, tracks, sliders and the corner square of a scroller's bars, in
  // its inner coordinates.
  void RenderScroller(GScroller* scroller) override;
  int GetCaptionHeight(GComponent*) override { return 31; }
  unsigned GetBorderColorDefault() override { return 0xA0A0A0; }
  unsigned GetSelectedTextColor(GComponent*) override { return 0xFFFFFF; }
  unsigned GetSelectedColor(GComponent*) override { return 0xA08000; }
  const char* GetTextNameFont() override { return "Tahoma16bold"; }
  const char* GetCaptionTextNameFont() override { return "Tahoma21"; }

  // Called by RenderScroller: the colours of the track, the line along the
  // track's outer edge, the slider in its normal, highlighted and pressed
  // states, and the square where two bars meet.
  virtual void GetScrollerPlaceColors(unsigned& track, unsigned& trackLine, unsigned& slider,
                                      unsigned& sliderHighlighted, unsigned& sliderPressed,
                                      unsigned& corner);
  // The height of the line between the items of lists and menus.
  virtual int GetItemSeparatorHeight() { return 2; }
};

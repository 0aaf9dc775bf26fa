#pragma once

#include <memory>
#include <vector>

#include "GUI/themes/GThemeWindows.h"

class GBorderSet;

// The game's look: dark backgrounds, white text, a blue accent, translucent
// soft frames made at run time from the frame colour, a dark-blue grid behind
// framed controls, and a notched outline for plain buttons. Two style bits
// choose the look of a control: STYLE_ALPHA the soft frame, STYLE_FRAMED the
// framed button and the grid. It keeps the default theme's folder "windows".
class GThemeRavlin : public GThemeWindows {
 public:
  explicit GThemeRavlin(GGame* game);
  ~GThemeRavlin() override;

  // The default theme's Create, then the frame set of the default frame
  // colour, which thus comes first in the cache.
  bool Create() override;

  // The frame set of a colour, made on first use and kept for the theme's
  // life; null when the device cannot make one.
  GBorderSet* FindBorder(unsigned color);
  int GetBorderSetCount() const { return static_cast<int>(borderSets.size()); }

  // With STYLE_ALPHA a framed component's border is the soft frame's depth
  // (5 more with STYLE_THICK_BORDER); otherwise the default rule.
  int GetBorderSize(GComponent* component) override;
  // With STYLE_ALPHA the soft frame, blended over what lies beneath;
  // otherwise the default frame.
  void RenderBorder(GComponent* component) override;
  // The background fill, and with STYLE_FRAMED a grid of lines every 25
  // pixels.
  void EraseClient(GComponent* component) override;
  bool IsAlpha(GComponent* component) override;

  const char* GetTextNameFont() override { return "tahoma18bold"; }
  const char* GetCaptionTextNameFont() override { return "tahoma21bold"; }
  unsigned GetBorderColorDefault() override { return 0x2983CD; }
  unsigned GetBgColorDefault() override { return 0x000000; }
  unsigned GetBgColorDisabledDefault() override { return 0x000000; }
  unsigned GetTextColorDefault() override { return 0xFFFFFF; }
  unsigned GetCaptionBgColorDefault() override;
  unsigned GetCaptionTextColorDefault() override { return 0xFFFFFF; }
  unsigned GetSelectedColor(GComponent*) override { return 0x00727C; }
  // The frame of a chosen picture among others (a miniature, a palette entry).
  static constexpr unsigned kChosenFrameColor = 0xFF0000;
  unsigned GetButtonMaximizeColor(GComponent*) override { return 0xFFFFFF; }
  unsigned GetButtonMaximizeBgHilitedColor(GComponent*) override { return 0x1075C3; }
  void GetButtonSizeForMessageBox(int& w, int& h) override;
  void GetSBColors(SCROLLER_BUTTON_STATE state, unsigned& arrow, unsigned& back) override;
  void GetScrollerPlaceColors(unsigned& track, unsigned& trackLine, unsigned& slider,
                              unsigned& sliderHighlighted, unsigned& sliderPressed,
                              unsigned& corner) override;

  // The colour of the grid behind framed controls, and its spacing and first
  // line.
  static constexpr unsigned kGridColor = 0x08294B;
  static constexpr int kGridStep = 25;
  static constexpr int kGridStart = 9;

 private:
  std::vector<std::unique_ptr<GBorderSet>> borderSets;
};

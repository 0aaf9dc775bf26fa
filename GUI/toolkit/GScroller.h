#pragma once

#include "GUI/toolkit/GComponent.h"

// The parts of a scroller's bars (DetectScrollElement, inner coordinates).
enum SCROLL_ELEMENT : int {
  SCROLL_NONE = 0,
  SCROLL_BAR = 1,  // on a bar, not on an arrow or the slider
  SCROLL_LEFT = 2,
  SCROLL_RIGHT = 3,
  SCROLL_HSLIDER = 4,
  SCROLL_UP = 5,
  SCROLL_DOWN = 6,
  SCROLL_VSLIDER = 7,
};

// A component whose client area shows part of a larger content: a
// horizontal bar along the bottom and a vertical one along the right of the
// inner zone appear when the content (GetScrollSize) is larger than the
// client area. Arrows step, sliders drag, the wheel scrolls; the theme
// draws the bars.
class GScroller : public GComponent {
 public:
  GScroller();

  // The size of the content; every concrete scroller supplies it.
  virtual void GetScrollSize(int& w, int& h) = 0;
  // Height of the horizontal bar and width of the vertical one: the theme's
  // bar size, 18 without a theme.
  virtual int GetHScrollBarSize();
  virtual int GetVScrollBarSize();
  // Shortest slider, in pixels.
  virtual int GetMinSlider() { return 10; }
  // Pixels one arrow step scrolls.
  virtual int GetHScrollDelta() { return 15; }
  virtual int GetVScrollDelta() { return 15; }

  bool IsScroller() const override { return true; }
  bool HasVScrollBar() override { return vSlider > 0; }
  // The client rectangle less the bars that are present.
  void GetClientRect(CFerroRect* rect) override;
  // Decides which bars are present, their sliders and scroll limits.
  void RecalcLayout() override;
  bool IsRecalcLayout() override { return needLayout; }

  // Positions are kept within 0..max; these do not redraw.
  void SetHScroll(int value);
  void SetVScroll(int value);
  void SetHScrollToMax();
  void SetVScrollToMax();
  int GetHScroll() const { return hScroll; }
  int GetVScroll() const { return vScroll; }
  int GetHScrollMax() const { return hScrollMax; }
  int GetVScrollMax() const { return vScrollMax; }
  int GetHSlider() const { return hSlider; }
  int GetVSlider() const { return vSlider; }

  // The element under (x, y), inner coordinates.
  int DetectScrollElement(int x, int y);
  // The rectangle of an element (inner coordinates); false when that bar is
  // absent or the element has no rectangle.
  bool GetScrollElementRect(int element, CFerroRect* rect);
  // The corner square between two present bars; empty otherwise.
  void GetScrollSquareRect(CFerroRect* rect);
  int GetPressedElement() const { return pressedElement; }
  int GetHoverElement() const { return hoverElement; }
  void SetScrollBarColor(unsigned a, unsigned b, unsigned c, unsigned d);
  const unsigned* GetScrollBarColors() const { return scrollBarColors; }

  // Arrows step (and repeat while held), a slider is grabbed.
  void InnerOnLButtonDown(unsigned flags, int x, int y) override;
  // Drags a grabbed slider, or tracks the element under the cursor.
  void InnerOnMouseMove(unsigned flags, int x, int y) override;
  void InnerOnLButtonUp(unsigned flags, int x, int y) override;
  void InnerOnMouseLeave(unsigned flags) override;
  // Lets go of a grabbed slider or a held arrow.
  void SysOnCancelPress() override;
  // Scrolls by a third of the delta; never passes the wheel on.
  bool WinOnMouseWheel(short delta) override;
  // The theme draws the bars.
  bool InnerOnRender() override;

 protected:
  // After the scroll position changed: children move, the covering list and
  // the picture follow.
  void ScrollChanged();

  int hScroll = 0;
  int vScroll = 0;
  int hScrollMax = 0;
  int vScrollMax = 0;
  int hSlider = 0;      // 0: no horizontal bar
  int vSlider = 0;      // 0: no vertical bar
  double hRatio = 1.0;  // scroll pixels per track pixel
  double vRatio = 1.0;
  unsigned scrollBarColors[4] = {0xD0D0D0, 0x606060, 0x808080, 0xA0A0A0};
  int pressedElement = SCROLL_NONE;
  int hoverElement = SCROLL_NONE;
  int grabX = 0;
  int grabY = 0;
  bool needLayout = true;

 private:
  // Start and end (exclusive) of a bar's track along its direction.
  void GetHTrack(int& start, int& end);
  void GetVTrack(int& start, int& end);
};

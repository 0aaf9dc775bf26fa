#include "GUI/toolkit/GScroller.h"

#include <algorithm>
#include <cmath>

#include "GUI/platform/GGame.h"
#include "GUI/themes/GThemeComponent.h"

GScroller::GScroller() = default;

int GScroller::GetHScrollBarSize() {
  return theme ? theme->GetSBSize(this) : 18;
}

int GScroller::GetVScrollBarSize() {
  return theme ? theme->GetSBSize(this) : 18;
}

void GScroller::GetClientRect(CFerroRect* rect) {
  GComponent::GetClientRect(rect);
  if (hSlider > 0) rect->bottom -= GetHScrollBarSize();
  if (vSlider > 0) rect->right -= GetVScrollBarSize();
}

void GScroller::GetHTrack(int& start, int& end) {
  CFerroRect inner;
  GetInnerRect(&inner);
  const int size = GetHScrollBarSize();
  start = size;
  end = inner.Width() - size - (vSlider > 0 ? GetVScrollBarSize() : 0);
}

void GScroller::GetVTrack(int& start, int& end) {
  CFerroRect inner;
  GetInnerRect(&inner);
  const int size = GetVScrollBarSize();
  start = size;
  end = inner.Height() - size - (hSlider > 0 ? GetHScrollBarSize() : 0);
}

void GScroller::RecalcLayout() {
  needLayout = false;
  int cw = 0, ch = 0;
  GetScrollSize(cw, ch);
  // A bar taken by one direction can make the other one necessary, so the
  // decision is made twice.
  hSlider = vSlider = 0;
  for (int pass = 0; pass < 2; ++pass) {
    CFerroRect client;
    GetClientRect(&client);
    const bool h = cw > client.Width(), v = ch > client.Height();
    hSlider = h ? 1 : 0;
    vSlider = v ? 1 : 0;
  }
  CFerroRect client;
  GetClientRect(&client);
  // A slider that does not fit into its track, or fills it whole (there
  // would be nothing to drag it along), drops its bar.
  auto fit = [this](int& slider, int& max, int& pos, double& ratio, int content, int visible,
                    int trackStart, int trackEnd) {
    const int track = trackEnd - trackStart;
    if (slider > 0 && content > 0) {
      slider = std::max(GetMinSlider(),
                        static_cast<int>(static_cast<long long>(visible) * track / content));
      if (track > 0 && slider < track) {
        max = content - visible;
        ratio = static_cast<double>(max) / (track - slider);
        pos = std::min(pos, max);
        return;
      }
    }
    slider = max = pos = 0;
  };
  int start = 0, end = 0;
  GetHTrack(start, end);
  fit(hSlider, hScrollMax, hScroll, hRatio, cw, client.Width(), start, end);
  GetVTrack(start, end);
  fit(vSlider, vScrollMax, vScroll, vRatio, ch, client.Height(), start, end);
}

void GScroller::SetHScroll(int value) {
  hScroll = std::clamp(value, 0, std::max(0, hScrollMax));
}

void GScroller::SetVScroll(int value) {
  vScroll = std::clamp(value, 0, std::max(0, vScrollMax));
}

void GScroller::SetHScrollToMax() {
  if (hScroll == hScrollMax) return;
  hScroll = hScrollMax;
  ScrollChanged();
}

void GScroller::SetVScrollToMax() {
  if (vScroll == vScrollMax) return;
  vScroll = vScrollMax;
  ScrollChanged();
}

void GScroller::ScrollChanged() {
  if (!children.empty()) {
    for (GComponent* child : children) child->SetRecalcAbsData();
    RecalcCovering();
  }
  Invalidate();
}

bool GScroller::GetScrollElementRect(int element, CFerroRect* rect) {
  CFerroRect inner;
  GetInnerRect(&inner);
  const int iw = inner.Width(), ih = inner.Height();
  const int hb = GetHScrollBarSize(), vb = GetVScrollBarSize();
  int start = 0, end = 0;
  switch (element) {
    case SCROLL_LEFT:
    case SCROLL_RIGHT:
    case SCROLL_HSLIDER:
      if (hSlider <= 0) return false;
      GetHTrack(start, end);
      if (element == SCROLL_LEFT) {
        *rect = CFerroRect(0, ih - hb, start, ih);
      } else if (element == SCROLL_RIGHT) {
        *rect = CFerroRect(end, ih - hb, end + hb, ih);
      } else {
        const int offset = std::clamp(static_cast<int>(std::lround(hScroll / hRatio)), 0,
                                      std::max(0, end - start - hSlider));
        *rect = CFerroRect(start + offset, ih - hb, start + offset + hSlider, ih);
      }
      return true;
    case SCROLL_UP:
    case SCROLL_DOWN:
    case SCROLL_VSLIDER:
      if (vSlider <= 0) return false;
      GetVTrack(start, end);
      if (element == SCROLL_UP) {
        *rect = CFerroRect(iw - vb, 0, iw, start);
      } else if (element == SCROLL_DOWN) {
        *rect = CFerroRect(iw - vb, end, iw, end + vb);
      } else {
        const int offset = std::clamp(static_cast<int>(std::lround(vScroll / vRatio)), 0,
                                      std::max(0, end - start - vSlider));
        *rect = CFerroRect(iw - vb, start + offset, iw, start + offset + vSlider);
      }
      return true;
    default:
      return false;
  }
}

void GScroller::GetScrollSquareRect(CFerroRect* rect) {
  *rect = CFerroRect();
  if (hSlider <= 0 || vSlider <= 0) return;
  CFerroRect inner;
  GetInnerRect(&inner);
  *rect = CFerroRect(inner.Width() - GetVScrollBarSize(), inner.Height() - GetHScrollBarSize(),
                     inner.Width(), inner.Height());
}

int GScroller::DetectScrollElement(int px, int py) {
  static constexpr int kParts[] = {SCROLL_LEFT, SCROLL_RIGHT, SCROLL_HSLIDER,
                                   SCROLL_UP,   SCROLL_DOWN,  SCROLL_VSLIDER};
  CFerroRect r;
  for (int part : kParts)
    if (GetScrollElementRect(part, &r) && r.Contains(px, py)) return part;
  CFerroRect inner;
  GetInnerRect(&inner);
  const int iw = inner.Width(), ih = inner.Height();
  const int hb = GetHScrollBarSize(), vb = GetVScrollBarSize();
  int start = 0, end = 0;
  GetHTrack(start, end);
  if (hSlider > 0 && CFerroRect(0, ih - hb, end + hb, ih).Contains(px, py)) return SCROLL_BAR;
  GetVTrack(start, end);
  if (vSlider > 0 && CFerroRect(iw - vb, 0, iw, end + vb).Contains(px, py)) return SCROLL_BAR;
  return SCROLL_NONE;
}

void GScroller::SetScrollBarColor(unsigned a, unsigned b, unsigned c, unsigned d) {
  scrollBarColors[0] = a;
  scrollBarColors[1] = b;
  scrollBarColors[2] = c;
  scrollBarColors[3] = d;
  Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Mouse
// ---------------------------------------------------------------------------------------------

void GScroller::InnerOnLButtonDown(unsigned flags, int px, int py) {
  pressedElement = DetectScrollElement(px, py);
  int* position = nullptr;
  int target = 0;
  switch (pressedElement) {
    case SCROLL_LEFT:
      position = &hScroll, target = std::max(0, hScroll - GetHScrollDelta());
      break;
    case SCROLL_RIGHT:
      position = &hScroll, target = std::min(hScrollMax, hScroll + GetHScrollDelta());
      break;
    case SCROLL_UP:
      position = &vScroll, target = std::max(0, vScroll - GetVScrollDelta());
      break;
    case SCROLL_DOWN:
      position = &vScroll, target = std::min(vScrollMax, vScroll + GetVScrollDelta());
      break;
    case SCROLL_HSLIDER:
    case SCROLL_VSLIDER: {
      CFerroRect slider;
      GetScrollElementRect(pressedElement, &slider);
      grabX = px - slider.left;
      grabY = py - slider.top;
      Invalidate();
      break;
    }
    default:
      break;
  }
  if (position) {
    *position = target;
    ScrollChanged();
    // Holding the button on an arrow repeats the press.
    if (game && game->repeatKey == KEY_NONE && game->repeatChar == KEY_NONE)
      game->SetRepeatedKey(KEY_MOUSE_LEFT);
  }
  OnLButtonDownINNER(flags, px, py);
}

void GScroller::InnerOnMouseMove(unsigned flags, int px, int py) {
  OnMouseMoveINNER(flags, px, py);
  if (pressedElement == SCROLL_HSLIDER || pressedElement == SCROLL_VSLIDER) {
    const bool horizontal = pressedElement == SCROLL_HSLIDER;
    int start = 0, end = 0;
    horizontal ? GetHTrack(start, end) : GetVTrack(start, end);
    const int along = horizontal ? px - grabX : py - grabY;
    const double ratio = horizontal ? hRatio : vRatio;
    const int max = horizontal ? hScrollMax : vScrollMax;
    int& position = horizontal ? hScroll : vScroll;
    const int next = std::clamp(static_cast<int>(std::lround((along - start) * ratio)), 0, max);
    if (next != position) {
      position = next;
      ScrollChanged();
    }
    return;
  }
  if (game && game->captured) return;
  const int element = DetectScrollElement(px, py);
  if (element == hoverElement) return;
  hoverElement = element;
  Invalidate();
}

void GScroller::InnerOnLButtonUp(unsigned flags, int px, int py) {
  OnLButtonUpINNER(flags, px, py);
  if (pressedElement == SCROLL_NONE) return;
  pressedElement = SCROLL_NONE;
  Invalidate();
}

void GScroller::InnerOnMouseLeave(unsigned flags) {
  OnMouseLeaveINNER(flags);
  if (hoverElement == SCROLL_NONE) return;
  hoverElement = SCROLL_NONE;
  Invalidate();
}

void GScroller::SysOnCancelPress() {
  if (pressedElement != SCROLL_NONE) {
    pressedElement = SCROLL_NONE;
    Invalidate();
  }
  GComponent::SysOnCancelPress();
}

bool GScroller::WinOnMouseWheel(short delta) {
  OnMouseWheelWIN(delta);
  if (vSlider > 0) {
    const int next = std::clamp(vScroll - delta / 3, 0, vScrollMax);
    if (next != vScroll) {
      vScroll = next;
      ScrollChanged();
    }
  }
  return false;
}

bool GScroller::InnerOnRender() {
  if (theme) theme->RenderScroller(this);
  OnRenderINNER();
  return true;
}

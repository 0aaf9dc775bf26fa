// Creation, text, events and the drawing of the runs of static texts. The
// formatter is in GStaticFormat.cpp.
#include "GUI/toolkit/GStatic.h"

#include <algorithm>

#include "GUI/graphics/GDevice.h"
#include "GUI/graphics/GSurface.h"
#include "GUI/graphics/SurfaceColor.h"
#include "GUI/platform/GGame.h"
#include "GUI/platform/GPlatform.h"
#include "GUI/themes/GTheme.h"
#include "GUI/themes/GThemeComponent.h"

namespace {

// The size Create gives the static before the text is formatted.
constexpr int kProvisionalSize = 100;

}  // namespace

GStatic::GStatic() {
  theme = game && game->GetTheme() ? game->GetTheme()->GetComponentTheme(THEME_STATIC) : nullptr;
}

// ---------------------------------------------------------------------------------------------
// Creation and text
// ---------------------------------------------------------------------------------------------

bool GStatic::Create(GComponent* owner, unsigned newStyle, int px, int py, int w, int h,
                     unsigned newId) {
  return Create(owner, newStyle, px, py, w, h, newId, nullptr);
}

bool GStatic::Create(GComponent* owner, unsigned newStyle, int px, int py, int w, int h,
                     unsigned newId, const char* text) {
  if (!GComponent::Create(owner, newStyle, px, py, kProvisionalSize, kProvisionalSize, newId))
    return false;
  style = newStyle;
  windowText = TestSymbols(text);
  // A negative size cannot be fixed; it sizes to the text like 0.
  fixedWidth = std::max(0, w);
  fixedHeight = std::max(0, h);
  if (fixedWidth) width = fixedWidth;
  if (fixedHeight) height = fixedHeight;
  SetRecalcAbsData();
  // What is fixed is the client size the window size leaves; at least one
  // pixel, so that a window smaller than its frame still means "fixed".
  CFerroRect client;
  GComponent::GetClientRect(&client);
  if (fixedWidth) fixedWidth = std::max(1, client.Width());
  if (fixedHeight) fixedHeight = std::max(1, client.Height());
  FormatText();
  return true;
}

CFerroString GStatic::TestSymbols(const char* text) {
  if (!text) return CFerroString();
  int kept = 0;
  for (const char* c = text; *c; ++c)
    if (static_cast<unsigned char>(*c) >= 32 || *c == '\n') ++kept;
  CFerroString out(kept);
  int at = 0;
  for (const char* c = text; *c; ++c)
    if (static_cast<unsigned char>(*c) >= 32 || *c == '\n') out[at++] = *c;
  return out;
}

void GStatic::SetWindowText(const char* text) {
  const CFerroString filtered = TestSymbols(text);
  if (filtered == windowText) return;
  windowText = filtered;
  SysOnChangeText();
  Invalidate();
}

bool GStatic::SetAlignText(int align) {
  if (alignText == align) return false;
  alignText = align;
  Invalidate();
  FormatText();
  return true;
}

void GStatic::SysOnChangeText() {
  int oldW = 0, oldH = 0;
  GetSize(oldW, oldH);
  const bool wasShown = IsShown();
  const CFerroRect former = GetClipRect();
  FormatText();
  SetRecalcAbsData();
  int w = 0, h = 0;
  GetSize(w, h);
  GSurface* back = game ? game->GetBackSurface() : nullptr;
  const unsigned background = theme ? theme->GetBgColor(this) : DEFAULT_COLOR;
  // The parent repaints the uncovered area in the next frame; filling it
  // now keeps the old text from showing until then. Only the part that was
  // visible is filled, so nothing outside the parent is touched.
  if (!(style & STYLE_NOERASE) && wasShown && (w < oldW || h < oldH) && back &&
      background != DEFAULT_COLOR) {
    int ox = 0, oy = 0, cx = 0, cy = 0, cw = 0, ch = 0;
    back->GetOrigin(ox, oy);
    back->GetClip(cx, cy, cw, ch);
    back->SetOrigin(0, 0);
    if (back->SetClip(former.left, former.top, former.Width(), former.Height()))
      back->FillRect(former.left, former.top, former.Width(), former.Height(), background);
    back->SetClip(cx, cy, cw, ch);
    back->SetOrigin(ox, oy);
  }
  OnChangeText();
}

void GStatic::GetScrollSize(int& w, int& h) {
  w = textWidth;
  h = textHeight;
}

// ---------------------------------------------------------------------------------------------
// Links
// ---------------------------------------------------------------------------------------------

void GStatic::MeasureRun(const STATIC_TEXT& run, int& w, int& h) {
  w = h = 0;
  GDevice* device = game ? game->GetDevice() : nullptr;
  if (device) device->GetTextSize(run.text.c_str(), run.font, w, h);
}

void GStatic::InvalidateHover() {
  if (!(style & STYLE_NOERASE) || !parent) {
    Invalidate();
    return;
  }
  CFerroRect area;
  GetAbsoluteWindowRect(&area);
  int px = 0, py = 0;
  parent->GetAbsoluteWindowPosition(px, py);
  area.Offset(-px, -py);
  parent->InvalidateRect(area);
}

void GStatic::ClientOnMouseMove(unsigned flags, int px, int py) {
  if (hasLinks) {
    // The point is in client coordinates; runs are placed in the content,
    // which is scrolled.
    const int cx = px + hScroll, cy = py + vScroll;
    int hit = -1;
    for (int i = 0; i < GetSegmentCount() && hit < 0; ++i) {
      const STATIC_TEXT& run = segments[i];
      if (run.link.IsEmpty()) continue;
      int w = 0, h = 0;
      MeasureRun(run, w, h);
      if (CFerroRect(run.x, run.y, run.x + w, run.y + h).Contains(cx, cy)) hit = i;
    }
    if (hit != hoveredLink) {
      hoveredLink = hit;
      InvalidateHover();
    }
  }
  OnMouseMove(flags, px, py);
}

void GStatic::ClientOnMouseLeave(unsigned flags) {
  if (hoveredLink != -1) {
    hoveredLink = -1;
    InvalidateHover();
  }
  OnMouseLeave(flags);
}

void GStatic::ClientOnLButtonDown(unsigned flags, int px, int py) {
  const STATIC_TEXT* run = hasLinks ? GetSegment(hoveredLink) : nullptr;
  GPlatform* platform = game ? game->GetPlatform() : nullptr;
  if (run && platform) platform->OpenLink(run->link.c_str());
  OnLButtonDown(flags, px, py);
}

GImage* GStatic::OnSetCursorCLIENT(unsigned, int, int) {
  GTheme* look = game ? game->GetTheme() : nullptr;
  return GetCurrentLink() >= 0 && look ? look->GetCursor(CURSOR_LINK) : nullptr;
}

// ---------------------------------------------------------------------------------------------
// Drawing
// ---------------------------------------------------------------------------------------------

void GStatic::ClientOnRender() {
  if (theme) theme->RenderClient(this);
  OnRender();
}

void GStatic::DrawRuns(GSurface* target) {
  if (!target) return;
  const bool disabled = !IsEnabled();
  const unsigned disabledColor = disabled && theme ? theme->GetTextColor(this) : DEFAULT_COLOR;
  for (int i = 0; i < GetSegmentCount(); ++i) {
    const STATIC_TEXT& run = segments[i];
    const unsigned color = disabledColor != DEFAULT_COLOR ? disabledColor : run.color;
    const int rx = run.x - hScroll, ry = run.y - vScroll;
    target->TextOut(rx, ry, run.text.c_str(), run.font, color, DEFAULT_COLOR);
    if (run.link.IsEmpty() || i == hoveredLink) continue;
    int w = 0, h = 0;
    MeasureRun(run, w, h);
    if (w > 0 && h > 0) target->DrawHorizontalLine(rx, ry + h - 1, w, color);
  }
}

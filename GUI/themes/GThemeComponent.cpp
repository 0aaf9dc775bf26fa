#include "GUI/themes/GThemeComponent.h"

#include "GUI/graphics/GDevice.h"
#include "GUI/graphics/GSurface.h"
#include "GUI/graphics/SurfaceColor.h"
#include "GUI/platform/GGame.h"
#include "GUI/themes/GTheme.h"
#include "GUI/toolkit/GComponent.h"
#include "GUI/toolkit/GScroller.h"

namespace {

// Caption buttons are squares inset this far from the caption's top, bottom
// and right edge, with this gap between neighbours.
constexpr int kCaptionButtonInset = 3;
constexpr int kCaptionButtonGap = 2;

}  // namespace

bool GThemeComponent::RenderWin(GComponent* component) {
  const unsigned style = component->GetStyle();
  if (style & STYLE_CAPTION) RenderCaption(component);
  if (style & STYLE_BORDER) RenderBorder(component);
  return true;
}

bool GThemeComponent::RenderInner(GComponent*) {
  return true;
}

void GThemeComponent::RenderClient(GComponent*) {}

void GThemeComponent::RenderScroller(GScroller* scroller) {
  if (theme) theme->RenderScroller(scroller);
}

int GThemeComponent::GetSBSize(GComponent*) {
  return theme ? theme->GetSBSize() : 18;
}

void GThemeComponent::GetInnerGap(GComponent* component, CFerroRect* gap) {
  *gap = CFerroRect();
  if (theme) theme->GetInnerGap(component, gap);
}

void GThemeComponent::GetClientGap(CFerroRect* gap) {
  *gap = CFerroRect();
}

bool GThemeComponent::IsOver(GComponent* component, int x, int y) {
  if (!component->IsVisibled() || !component->IsEnabled()) return false;
  int px = 0, py = 0, w = 0, h = 0;
  component->GetPosition(px, py);
  component->GetSize(w, h);
  return CFerroRect(px, py, px + w, py + h).Contains(x, y);
}

void GThemeComponent::GetMinSize(GComponent*, int& w, int& h) {
  w = 8;
  h = 8;
}

void GThemeComponent::GetMaxSize(GComponent*, int& w, int& h) {
  w = 10000;
  h = 10000;
}

void GThemeComponent::EraseInnerRect(GComponent* component, CFerroRect* rect) {
  if (theme) theme->EraseInnerRect(component, rect);
}

void GThemeComponent::EraseClient(GComponent* component) {
  if (theme) theme->EraseClient(component);
}

int GThemeComponent::GetBorderSize(GComponent* component) {
  return theme ? theme->GetBorderSize(component) : 0;
}

unsigned GThemeComponent::GetBorderColor(GComponent* component) {
  return theme ? theme->GetBorderColor(component) : DEFAULT_COLOR;
}

unsigned GThemeComponent::GetBorderInsideColor(GComponent* component) {
  return theme ? theme->GetBorderInsideColor(component) : DEFAULT_COLOR;
}

void GThemeComponent::RenderBorder(GComponent* component) {
  if (theme) theme->RenderBorder(component);
}

void GThemeComponent::RenderCaption(GComponent* component) {
  if (theme) theme->RenderCaption(component);
}

int GThemeComponent::GetCaptionHeight(GComponent* component) {
  return theme ? theme->GetCaptionHeight(component) : 0;
}

void GThemeComponent::GetCaptionRect(GComponent* component, CFerroRect* rect) {
  const unsigned style = component->GetStyle();
  if (!(style & STYLE_CAPTION)) {
    *rect = CFerroRect(-1, -1, -1, -1);
    return;
  }
  int w = 0, h = 0;
  component->GetSize(w, h);
  // The caption sits inside a thin frame: the border the component would
  // have with neither caption nor thick border.
  int inset = 0;
  if (style & STYLE_BORDER) {
    component->SetStyle(style & ~(STYLE_CAPTION | STYLE_THICK_BORDER));
    inset = GetBorderSize(component);
    component->SetStyle(style);
  }
  *rect = CFerroRect(inset, inset, w - inset, inset + GetCaptionHeight(component));
}

void GThemeComponent::GetButtonCloseRect(GComponent* component, CFerroRect* rect) {
  *rect = CFerroRect();
  if (!(component->GetStyle() & STYLE_CLOSE_BOX)) return;
  CFerroRect caption;
  GetCaptionRect(component, &caption);
  if (caption.left == -1) return;
  const int side = caption.Height() - 2 * kCaptionButtonInset;
  if (side <= 0) return;
  const int right = caption.right - kCaptionButtonInset;
  *rect = CFerroRect(right - side, caption.top + kCaptionButtonInset, right,
                     caption.bottom - kCaptionButtonInset);
}

namespace {

// The caption button square moved left by `steps` button widths plus gaps,
// starting from where the close button is (or would be).
CFerroRect ShiftedButton(GThemeComponent* drawing, GComponent* component, int steps) {
  CFerroRect caption;
  drawing->GetCaptionRect(component, &caption);
  const int side = caption.Height() - 2 * kCaptionButtonInset;
  if (caption.left == -1 || side <= 0) return CFerroRect();
  const int right = caption.right - kCaptionButtonInset - steps * (side + kCaptionButtonGap);
  return CFerroRect(right - side, caption.top + kCaptionButtonInset, right,
                    caption.bottom - kCaptionButtonInset);
}

}  // namespace

void GThemeComponent::GetButtonMaximizeRect(GComponent* component, CFerroRect* rect) {
  const unsigned style = component->GetStyle();
  *rect = (style & STYLE_MAXIMIZE_BOX)
              ? ShiftedButton(this, component, (style & STYLE_CLOSE_BOX) ? 1 : 0)
              : CFerroRect();
}

void GThemeComponent::GetButtonMinimizeRect(GComponent* component, CFerroRect* rect) {
  const unsigned style = component->GetStyle();
  const int steps = ((style & STYLE_CLOSE_BOX) ? 1 : 0) + ((style & STYLE_MAXIMIZE_BOX) ? 1 : 0);
  *rect = (style & STYLE_MINIMIZE_BOX) ? ShiftedButton(this, component, steps) : CFerroRect();
}

void GThemeComponent::GetRightestButtonRect(GComponent* component, CFerroRect* rect) {
  GetButtonMinimizeRect(component, rect);
  if (rect->IsEmpty()) GetButtonMaximizeRect(component, rect);
  if (rect->IsEmpty()) GetButtonCloseRect(component, rect);
}

unsigned GThemeComponent::GetBgColor(GComponent* component) {
  return theme ? theme->GetBgColor(component)
               : component->ResolveColor(COLOR_BACKGROUND, DEFAULT_COLOR, DEFAULT_COLOR);
}

unsigned GThemeComponent::GetTextColor(GComponent* component) {
  return theme ? theme->GetTextColor(component)
               : component->ResolveColor(COLOR_TEXT, DEFAULT_COLOR, DEFAULT_COLOR);
}

unsigned GThemeComponent::GetSelectedTextColor(GComponent* component) {
  return theme ? theme->GetSelectedTextColor(component) : DEFAULT_COLOR;
}

unsigned GThemeComponent::GetSelectedColor(GComponent* component) {
  return theme ? theme->GetSelectedColor(component) : DEFAULT_COLOR;
}

int GThemeComponent::GetTextFont(GComponent* component) {
  return theme ? theme->GetTextFont(component) : component->GetFont();
}

unsigned GThemeComponent::GetCaptionBgColor(GComponent* component) {
  return theme ? theme->GetCaptionBgColor(component) : DEFAULT_COLOR;
}

unsigned GThemeComponent::GetCaptionTextColor(GComponent* component) {
  return theme ? theme->GetCaptionTextColor(component) : DEFAULT_COLOR;
}

int GThemeComponent::GetCaptionTextFont(GComponent* component) {
  return theme ? theme->GetCaptionTextFont(component) : -1;
}

bool GThemeComponent::IsAlpha(GComponent* component) {
  return theme && theme->IsAlpha(component);
}

GSurface* GThemeComponent::GetBackbuffer() const {
  return theme ? theme->GetBackbuffer() : nullptr;
}

void GThemeComponent::DrawLabel(GComponent* component, unsigned color, int dx, int dy) {
  GSurface* back = GetBackbuffer();
  GDevice* device = theme && theme->GetGame() ? theme->GetGame()->GetDevice() : nullptr;
  const CFerroString& text = component->GetWindowText();
  if (!back || !device || text.IsEmpty()) return;
  const int font = GetTextFont(component);
  int tw = 0, th = 0;
  device->GetTextSize(text.c_str(), font, tw, th);
  CFerroRect client;
  component->GetClientRect(&client);
  back->TextOutIn(CFerroRect(0, 0, client.Width(), client.Height()), (client.Width() - tw) / 2 + dx,
                  (client.Height() - th) / 2 + dy, text.c_str(), font, color, DEFAULT_COLOR);
}

// Derived geometry, invalidation, the covering pass and drawing of
// components.
#include <algorithm>

#include "GUI/graphics/GSurface.h"
#include "GUI/platform/GGame.h"
#include "GUI/themes/GThemeComponent.h"
#include "GUI/toolkit/GComponent.h"
#include "GUI/toolkit/GScene.h"

namespace {

const CFerroRect kNotShown(-1, -1, -1, -1);

}  // namespace

// ---------------------------------------------------------------------------------------------
// Absolute data
// ---------------------------------------------------------------------------------------------

void GComponent::RecalcAbsData() {
  needRecalcAbs = false;
  int w = 0, h = 0, px = 0, py = 0;
  GetSize(w, h);
  GetPosition(px, py);
  bool hidden = w == 0 && h == 0;

  int ox = 0, oy = 0;
  CFerroRect bounds = BackBufferRect();
  if (parent) {
    if (parent->IsMinimized()) hidden = true;
    int pax = 0, pay = 0, ix = 0, iy = 0, cx = 0, cy = 0, sx = 0, sy = 0;
    parent->GetAbsoluteWindowPosition(pax, pay);
    parent->GetInnerOffset(ix, iy);
    parent->GetClientOffset(cx, cy);
    parent->GetScrollerOffset(sx, sy);
    ox = pax + ix + cx - sx;
    oy = pay + iy + cy - sy;
    // A modal component is drawn above everything, so only the back
    // buffer limits it.
    if (!IsModal() && IsClipedByParent()) {
      CFerroRect client;
      parent->GetClientRect(&client);
      client.Offset(pax + ix + cx, pay + iy + cy);
      bounds = client.Intersection(parent->GetClipRect());
    }
  }
  absX = ox + px;
  absY = oy + py;
  const CFerroRect visible = CFerroRect(absX, absY, absX + w, absY + h).Intersection(bounds);
  const bool shown = !hidden && (style & STYLE_VISIBLE) && !bounds.IsEmpty() && !visible.IsEmpty();
  clipRect = shown ? visible : kNotShown;
}

void GComponent::SetRecalcAbsData() {
  needRecalcAbs = true;
  for (GComponent* child : children) child->SetRecalcAbsData();
}

// ---------------------------------------------------------------------------------------------
// Invalidation
// ---------------------------------------------------------------------------------------------

void GComponent::Invalidate() {
  int w = 0, h = 0;
  GetSize(w, h);
  InvalidateRect(CFerroRect(0, 0, w, h));
}

void GComponent::InvalidateRect(const CFerroRect& rect) {
  if (!IsShown()) return;
  CFerroRect r = rect;
  r.Offset(absX, absY);
  r = r.Intersection(clipRect);
  if (r.IsEmpty()) return;
  if (!dirty) {
    dirty = true;
    dirtyRect = r;
  } else {
    const CFerroRect grown = dirtyRect.Union(r);
    // Nothing new: what lies beneath was repainted the first time.
    if (grown == dirtyRect) return;
    dirtyRect = grown;
  }
  // A translucent component shows what lies beneath, which must be painted
  // again first.
  if (!theme || !parent || !theme->IsAlpha(this)) return;
  GComponent* below = parent->GetClipRect().ContainsRect(dirtyRect) ? parent : nullptr;
  if (!below && game) below = game->GetScene();
  if (!below || below == this) return;
  int bx = 0, by = 0;
  below->GetAbsoluteWindowPosition(bx, by);
  CFerroRect local = dirtyRect;
  local.Offset(-bx, -by);
  below->InvalidateRect(local);
}

void GComponent::InvalidateCoveringComponents() {
  for (GComponent* above : coveringComponents) {
    const CFerroRect common = above->GetClipRect().Intersection(dirtyRect);
    if (common.IsEmpty()) continue;
    CFerroRect local = common;
    local.Offset(-above->absX, -above->absY);
    above->InvalidateRect(local);
  }
}

void GComponent::RecalcCovering() {
  GComponent* scene = GetRootScene();
  if (!scene && game) scene = game->GetScene();
  if (scene) static_cast<GScene*>(scene)->MarkCoveringDirty();
}

// ---------------------------------------------------------------------------------------------
// Drawing
// ---------------------------------------------------------------------------------------------

namespace {

// Sets the back buffer's clip; false (and nothing drawn) when r is empty.
bool ClipTo(GSurface* back, const CFerroRect& r) {
  return !r.IsEmpty() && back->SetClip(r.left, r.top, r.Width(), r.Height());
}

}  // namespace

void GComponent::Draw() {
  if (!dirty) return;
  dirty = false;
  if (!IsShown()) return;
  if (IsRecalcLayout()) RecalcLayout();
  GSurface* back = game ? game->GetBackSurface() : nullptr;
  if (!back) return;
  const CFerroRect area = GetClipRect().Intersection(dirtyRect);
  int ax = 0, ay = 0;
  GetAbsoluteWindowPosition(ax, ay);

  back->SetOrigin(ax, ay);
  if (ClipTo(back, area) && (WinOnRender() || !(style & (STYLE_BORDER | STYLE_CAPTION)))) {
    int ix = 0, iy = 0, cx = 0, cy = 0;
    GetInnerOffset(ix, iy);
    GetClientOffset(cx, cy);
    CFerroRect inner, client;
    GetInnerRect(&inner);
    GetClientRect(&client);
    const int innerX = ax + ix, innerY = ay + iy;
    CFerroRect innerAbs = inner;
    innerAbs.Offset(innerX, innerY);
    back->SetOrigin(innerX, innerY);
    if (ClipTo(back, innerAbs.Intersection(area))) {
      if (!(style & STYLE_NOERASE) &&
          (client.Width() < inner.Width() || client.Height() < inner.Height())) {
        // The strips of the inner zone around the client zone.
        const int iw = inner.Width(), ih = inner.Height();
        const int cw = client.Width(), ch = client.Height();
        CFerroRect strips[4] = {
            CFerroRect(0, 0, cx, ih),              // left
            CFerroRect(cx + cw, 0, iw, ih),        // right
            CFerroRect(cx, 0, cx + cw, cy),        // top
            CFerroRect(cx, cy + ch, cx + cw, ih),  // bottom
        };
        for (CFerroRect& strip : strips)
          if (!strip.IsEmpty()) OnEraseInner(&strip);
      }
      if (InnerOnRender()) {
        const int clientX = innerX + cx, clientY = innerY + cy;
        CFerroRect clientAbs = client;
        clientAbs.Offset(clientX, clientY);
        back->SetOrigin(clientX, clientY);
        if (ClipTo(back, clientAbs.Intersection(area))) {
          if (!(style & STYLE_NOERASE)) OnEraseClient();
          int sx = 0, sy = 0;
          GetScrollerOffset(sx, sy);
          back->SetOrigin(clientX - sx, clientY - sy);
          ClientOnRender();
        }
      }
    }
  }
  back->SetOrigin(0, 0);
  back->ResetClip();
}

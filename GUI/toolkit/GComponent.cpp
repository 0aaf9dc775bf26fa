#include "GUI/toolkit/GComponent.h"

#include <algorithm>

#include "GUI/graphics/GSurface.h"
#include "GUI/platform/GGame.h"

GGame* GComponent::game = nullptr;

GComponent::~GComponent() {
  // No link of the application may outlive the component.
  if (!game) return;
  if (game->modal == this) game->modal = nullptr;
  if (game->captured == this) game->captured = nullptr, game->capturedZone = 0;
  if (game->highlighted == this) game->highlighted = nullptr;
  if (game->focused == this) game->focused = nullptr;
  if (game->pressed == this) game->pressed = nullptr, game->pressedZone = 0;
  if (game->keyTarget == this) game->keyTarget = nullptr;
}

bool GComponent::Create(GComponent* owner, unsigned newStyle, int px, int py, int w, int h,
                        unsigned newId) {
  if (id != 0xFFFFFFFFu) return false;
  needRecalcAbs = true;
  style = (game ? game->GetAdditionalStyles(this) : 0) | newStyle;
  id = newId;
  x = px;
  y = py;
  width = w;
  height = h;
  parent = owner;
  return true;
}

void GComponent::GetPosition(int& px, int& py) const {
  px = x;
  py = y;
}

void GComponent::GetSize(int& w, int& h) const {
  w = width;
  h = height;
}

void GComponent::SetSize(int w, int h) {
  if (w == width && h == height) return;
  width = w;
  height = h;
  SetRecalcAbsData();
  RecalcLayout();
}

void GComponent::RecalcAbsData() {
  needRecalcAbs = false;
  int ox = 0, oy = 0;
  CFerroRect bounds;
  if (parent) {
    parent->GetAbsoluteWindowPosition(ox, oy);
    int ix = 0, iy = 0, cx = 0, cy = 0;
    parent->GetInnerOffset(ix, iy);
    parent->GetClientOffset(cx, cy);
    ox += ix + cx;
    oy += iy + cy;
    bounds = parent->clipRect;
  } else {
    int w = 0, h = 0;
    if (game && game->GetBackSurface()) game->GetBackSurface()->GetSize(w, h);
    bounds = CFerroRect(0, 0, w, h);
  }
  absX = ox + x;
  absY = oy + y;
  CFerroRect r(absX, absY, absX + width, absY + height);
  r.left = std::max(r.left, bounds.left);
  r.top = std::max(r.top, bounds.top);
  r.right = std::min(r.right, bounds.right);
  r.bottom = std::min(r.bottom, bounds.bottom);
  if ((style & STYLE_VISIBLE) && width > 0 && height > 0 && !r.IsEmpty() && bounds.left != -1)
    clipRect = r;
  else
    clipRect = CFerroRect(-1, -1, -1, -1);
}

void GComponent::GetAbsoluteWindowPosition(int& px, int& py) {
  if (needRecalcAbs) RecalcAbsData();
  px = absX;
  py = absY;
}

bool GComponent::IsShown() {
  if (needRecalcAbs) RecalcAbsData();
  return clipRect.left != -1;
}

void GComponent::GetInnerOffset(int& px, int& py) const {
  px = py = 0;
}

void GComponent::GetClientOffset(int& px, int& py) const {
  px = py = 0;
}

void GComponent::Invalidate() {
  InvalidateRect(CFerroRect(0, 0, width, height));
}

void GComponent::InvalidateRect(const CFerroRect& rect) {
  if (!IsShown()) return;
  CFerroRect r(rect.left + absX, rect.top + absY, rect.right + absX, rect.bottom + absY);
  r.left = std::max(r.left, clipRect.left);
  r.top = std::max(r.top, clipRect.top);
  r.right = std::min(r.right, clipRect.right);
  r.bottom = std::min(r.bottom, clipRect.bottom);
  if (r.IsEmpty()) return;
  if (!dirty) {
    dirty = true;
    dirtyRect = r;
    return;
  }
  dirtyRect.left = std::min(dirtyRect.left, r.left);
  dirtyRect.top = std::min(dirtyRect.top, r.top);
  dirtyRect.right = std::max(dirtyRect.right, r.right);
  dirtyRect.bottom = std::max(dirtyRect.bottom, r.bottom);
}

void GComponent::Draw() {
  if (!dirty) return;
  dirty = false;
  if (!IsShown() || !game) return;
  GSurface* back = game->GetBackSurface();
  if (!back) return;
  CFerroRect r = dirtyRect;
  r.left = std::max(r.left, clipRect.left);
  r.top = std::max(r.top, clipRect.top);
  r.right = std::min(r.right, clipRect.right);
  r.bottom = std::min(r.bottom, clipRect.bottom);
  if (r.IsEmpty()) return;
  back->SetOrigin(absX, absY);
  if (back->SetClip(r.left, r.top, r.Width(), r.Height())) OnRender();
  back->SetOrigin(0, 0);
  back->ResetClip();
}

bool GComponent::IsVisibled() const {
  return (style & STYLE_VISIBLE) && (!parent || parent->IsVisibled());
}

void GComponent::Show(bool show) {
  bool was = (style & STYLE_VISIBLE) != 0;
  if (show == was) return;
  if (show) {
    style |= STYLE_VISIBLE;
    SetRecalcAbsData();
    Invalidate();
    return;
  }
  if (game) {
    if (game->captured == this) game->captured = nullptr;
    if (game->highlighted == this) game->highlighted = nullptr;
    if (game->focused == this) game->focused = nullptr;
    if (game->pressed == this) game->pressed = nullptr;
    if (game->keyTarget == this) game->keyTarget = nullptr;
  }
  style &= ~STYLE_VISIBLE;
  SetRecalcAbsData();
  dirty = false;
  if (parent) parent->Invalidate();
}

void GComponent::EndModal(int) {
  if (game && game->modal == this) game->modal = nullptr;
}

GImage* GComponent::OnSetCursorWIN(unsigned, int, int) {
  return nullptr;
}
GImage* GComponent::OnSetCursorINNER(unsigned, int, int) {
  return nullptr;
}
GImage* GComponent::OnSetCursorCLIENT(unsigned, int, int) {
  return nullptr;
}
GImage* GComponent::OnSetCursor(unsigned, int, int) {
  return nullptr;
}

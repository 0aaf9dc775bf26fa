// Construction, the tree, geometry, state and hit testing of components.
#include "GUI/toolkit/GComponent.h"

#include <algorithm>

#include "GUI/graphics/GSurface.h"
#include "GUI/graphics/SurfaceColor.h"
#include "GUI/platform/GGame.h"
#include "GUI/platform/GPlatform.h"
#include "GUI/themes/GThemeComponent.h"

GGame* GComponent::game = nullptr;

GComponent::GComponent() {
  for (auto& group : colors)
    for (unsigned& color : group) color = DEFAULT_COLOR;
}

GComponent::~GComponent() {
  // A nested loop this component runs must not outlive it.
  if (modalLoopLevel > 0 && game && game->GetPlatform()) game->GetPlatform()->Quit(0);
  if (parent) parent->DeleteChild(this, false);
  // Children go first out of the array, so their own destructors find
  // nothing to remove here. A modal component that BeginModal lent to this
  // tree belongs to someone else and is only detached.
  std::vector<GComponent*> owned;
  owned.swap(children);
  for (GComponent* child : owned) {
    child->parent = nullptr;
    if (child->autoParented)
      child->autoParented = false;
    else
      delete child;
  }
  ClearLinks();
  GDispatchGuard::Forget(this);
  // A modal component further up the chain may still remember this one.
  for (GComponent* m = game ? game->modal : nullptr; m; m = m->prevModal) {
    if (m->prevFocus == this) m->prevFocus = nullptr;
    if (m->prevModal == this) m->prevModal = prevModal;
  }
}

// ---------------------------------------------------------------------------------------------
// Tree
// ---------------------------------------------------------------------------------------------

bool GComponent::Create(GComponent* owner, unsigned newStyle, int px, int py, int w, int h,
                        unsigned newId) {
  if (id != 0xFFFFFFFFu) return false;
  needRecalcAbs = true;
  if (theme) {
    int minW = 0, minH = 0, maxW = 0, maxH = 0;
    theme->GetMinSize(this, minW, minH);
    theme->GetMaxSize(this, maxW, maxH);
    w = std::min(maxW, std::max(minW, w));
    h = std::min(maxH, std::max(minH, h));
  }
  style = (game ? game->GetAdditionalStyles(this) : 0) | newStyle;
  id = newId;
  x = px;
  y = py;
  width = w;
  height = h;
  if (owner) owner->AddChild(this);
  RecalcCovering();
  // A component created shown appears in the next frame.
  Invalidate();
  return true;
}

void GComponent::AddChild(GComponent* child) {
  if (!child || child == this) return;
  if (child->parent && child->parent != this) child->parent->DeleteChild(child, false);
  if (Find(child) >= 0) return;
  // Minimized dialogs stay at the end, drawn above everything else.
  size_t at = children.size();
  if (parent)
    while (at > 0 && children[at - 1]->IsMinimized()) --at;
  children.insert(children.begin() + static_cast<std::ptrdiff_t>(at), child);
  child->parent = this;
  child->SetRecalcAbsData();
  if (game) OnCreateChild(child);
}

bool GComponent::DeleteChild(GComponent* child, bool destroy) {
  auto it = std::find(children.begin(), children.end(), child);
  if (!child || it == children.end()) return false;
  const bool wasShown = child->IsShown();
  const CFerroRect former = child->clipRect;
  children.erase(it);
  child->ClearLinks();
  child->parent = nullptr;
  child->SetRecalcAbsData();
  OnDestroyChild(child);
  if (wasShown) {
    RecalcCovering();
    int ax = 0, ay = 0;
    GetAbsoluteWindowPosition(ax, ay);
    CFerroRect local = former;
    local.Offset(-ax, -ay);
    InvalidateRect(local);
  }
  if (destroy) delete child;
  return true;
}

void GComponent::DeleteAllChildren() {
  while (!children.empty()) DeleteChild(children.back(), true);
}

void GComponent::SetParent(GComponent* newParent) {
  if (newParent == parent) return;
  if (parent) parent->DeleteChild(this, false);
  if (newParent) newParent->AddChild(this);
  SetRecalcAbsData();
  RecalcCovering();
}

int GComponent::Find(const GComponent* child) const {
  for (size_t i = 0; i < children.size(); ++i)
    if (children[i] == child) return static_cast<int>(i);
  return -1;
}

GComponent* GComponent::Find(unsigned childId) const {
  for (GComponent* child : children)
    if (child->id == childId) return child;
  return nullptr;
}

GComponent* GComponent::GetChild(int index) const {
  return index >= 0 && index < GetChildCount() ? children[index] : nullptr;
}

void GComponent::ToTopmost() {
  if (!parent) return;
  std::vector<GComponent*>& siblings = parent->children;
  int end = static_cast<int>(siblings.size()) - 1;
  if (!IsMinimized())
    while (end >= 0 && siblings[end] != this && siblings[end]->IsMinimized()) --end;
  ChildTo(end);
}

void GComponent::ChildTo(int index) {
  if (!parent) return;
  std::vector<GComponent*>& siblings = parent->children;
  const int from = parent->Find(this);
  index = std::clamp(index, 0, static_cast<int>(siblings.size()) - 1);
  if (from < 0 || from == index) return;
  siblings.erase(siblings.begin() + from);
  siblings.insert(siblings.begin() + index, this);
  RecalcCovering();
  Invalidate();
}

GComponent* GComponent::GetRootScene() {
  GComponent* root = this;
  while (root->parent) root = root->parent;
  return root->IsScene() ? root : nullptr;
}

// ---------------------------------------------------------------------------------------------
// Geometry
// ---------------------------------------------------------------------------------------------

void GComponent::GetPosition(int& px, int& py) {
  px = x;
  py = y;
}

void GComponent::GetSize(int& w, int& h) {
  w = width;
  h = height;
}

void GComponent::SetPosition(int px, int py) {
  if (px == x && py == y) return;
  x = px;
  y = py;
  SetRecalcAbsData();
  RecalcCovering();
  RecalcLayout();
}

void GComponent::SetSize(int w, int h) {
  if (w == width && h == height) return;
  width = w;
  height = h;
  SetRecalcAbsData();
  RecalcCovering();
  RecalcLayout();
}

void GComponent::SetClientSize(int cw, int ch) {
  CFerroRect client;
  GetClientRect(&client);
  int w = 0, h = 0;
  GetSize(w, h);
  const int nw = w + cw - client.Width();
  const int nh = h + ch - client.Height();
  if (nw == w && nh == h) return;
  SetSize(nw, nh);
  RecalcLayout();
  Invalidate();
}

void GComponent::GetInnerGap(CFerroRect* gap) {
  *gap = CFerroRect();
  if (theme) theme->GetInnerGap(this, gap);
}

void GComponent::GetClientGap(CFerroRect* gap) {
  *gap = CFerroRect();
  if (theme) theme->GetClientGap(gap);
}

void GComponent::GetInnerRect(CFerroRect* rect) {
  CFerroRect gap;
  GetInnerGap(&gap);
  int w = 0, h = 0;
  GetSize(w, h);
  *rect = CFerroRect(0, 0, w - gap.left - gap.right, h - gap.top - gap.bottom);
}

void GComponent::GetInnerOffset(int& px, int& py) {
  CFerroRect gap;
  GetInnerGap(&gap);
  px = gap.left;
  py = gap.top;
}

void GComponent::GetClientOffset(int& px, int& py) {
  CFerroRect gap;
  GetClientGap(&gap);
  px = gap.left;
  py = gap.top;
}

void GComponent::GetClientRect(CFerroRect* rect) {
  CFerroRect inner, gap;
  GetInnerRect(&inner);
  GetClientGap(&gap);
  *rect =
      CFerroRect(0, 0, inner.Width() - gap.left - gap.right, inner.Height() - gap.top - gap.bottom);
}

void GComponent::GetScrollerOffset(int& px, int& py) {
  px = py = 0;
}

void GComponent::GetAbsoluteWindowPosition(int& px, int& py) {
  if (needRecalcAbs) RecalcAbsData();
  px = absX;
  py = absY;
}

void GComponent::GetAbsoluteWindowRect(CFerroRect* rect) {
  int w = 0, h = 0;
  GetSize(w, h);
  GetAbsoluteWindowPosition(rect->left, rect->top);
  rect->right = rect->left + w;
  rect->bottom = rect->top + h;
}

const CFerroRect& GComponent::GetClipRect() {
  if (needRecalcAbs) RecalcAbsData();
  return clipRect;
}

bool GComponent::IsShown() {
  return GetClipRect().left != -1;
}

CFerroRect GComponent::BackBufferRect() {
  GSurface* back = game ? game->GetBackSurface() : nullptr;
  return back ? CFerroRect(0, 0, back->GetWidth(), back->GetHeight()) : CFerroRect();
}

void GComponent::AlignToCenter() {
  if (!parent) {
    AlignToCenterMonitor();
    return;
  }
  int pw = 0, ph = 0, w = 0, h = 0, px = 0, py = 0;
  parent->GetSize(pw, ph);
  GetSize(w, h);
  GetPosition(px, py);
  const int nx = (pw - w) / 2, ny = (ph - h) / 2;
  if (nx == px && ny == py) return;
  SetPosition(nx, ny);
  parent->Invalidate();
}

void GComponent::AlignToCenterMonitor() {
  // The position is relative to the parent's client origin; the target is
  // the middle of the back buffer, the picture the player sees.
  int ox = 0, oy = 0;
  if (parent) {
    int ix = 0, iy = 0, cx = 0, cy = 0, sx = 0, sy = 0;
    parent->GetAbsoluteWindowPosition(ox, oy);
    parent->GetInnerOffset(ix, iy);
    parent->GetClientOffset(cx, cy);
    parent->GetScrollerOffset(sx, sy);
    ox += ix + cx - sx;
    oy += iy + cy - sy;
  }
  const CFerroRect screen = BackBufferRect();
  int w = 0, h = 0, px = 0, py = 0;
  GetSize(w, h);
  GetPosition(px, py);
  const int nx = (screen.Width() - w) / 2 - ox, ny = (screen.Height() - h) / 2 - oy;
  if (nx == px && ny == py) return;
  if (parent) parent->Invalidate();
  SetPosition(nx, ny);
  Invalidate();
}

void GComponent::CorrectSize(const CFerroRect* margins) {
  const CFerroRect m = margins ? *margins : CFerroRect();
  CFerroRect box;
  bool first = true;
  for (GComponent* child : children) {
    int cx = 0, cy = 0, cw = 0, ch = 0;
    child->GetPosition(cx, cy);
    child->GetSize(cw, ch);
    const CFerroRect r(cx, cy, cx + cw, cy + ch);
    box = first ? r : box.Union(r);
    first = false;
  }
  CFerroRect client;
  GetClientRect(&client);
  int w = 0, h = 0;
  GetSize(w, h);
  SetSize(w - client.Width() + box.Width() + m.left + m.right,
          h - client.Height() + box.Height() + m.top + m.bottom);
  const int dx = m.left - box.left, dy = m.top - box.top;
  if (dx || dy) {
    for (GComponent* child : children) {
      int cx = 0, cy = 0;
      child->GetPosition(cx, cy);
      child->SetPosition(cx + dx, cy + dy);
      child->RecalcLayout();
    }
  }
  SetRecalcAbsData();
  Invalidate();
}

void GComponent::CorrectSize(int margin) {
  const CFerroRect m(margin, margin, margin, margin);
  CorrectSize(&m);
}

// ---------------------------------------------------------------------------------------------
// State
// ---------------------------------------------------------------------------------------------

void GComponent::Show(bool show) {
  const bool was = (style & STYLE_VISIBLE) != 0;
  if (show) {
    style |= STYLE_VISIBLE;
    if (was) return;
    SetRecalcAbsData();
    RecalcCovering();
    Invalidate();
    return;
  }
  ClearLinks();
  style &= ~STYLE_VISIBLE;
  if (!was) return;
  SetRecalcAbsData();
  RecalcCovering();
  dirty = false;
  if (parent) parent->Invalidate();
}

bool GComponent::IsVisibled() const {
  return (style & STYLE_VISIBLE) && (!parent || parent->IsVisibled());
}

void GComponent::Enable(bool enable) {
  const bool was = (style & STYLE_DISABLED) == 0;
  if (enable) {
    style &= ~STYLE_DISABLED;
  } else {
    ClearLinks();
    style |= STYLE_DISABLED;
  }
  if (was != enable) Invalidate();
}

bool GComponent::IsEnabled() const {
  return !(style & STYLE_DISABLED) && (!parent || parent->IsEnabled());
}

void GComponent::Fix(bool fix) {
  if (fixed == fix) return;
  fixed = fix;
  Invalidate();
}

bool GComponent::IsHighlighted() const {
  return game && game->highlighted == this;
}

bool GComponent::IsPressed() const {
  return game && game->pressed == this;
}

bool GComponent::IsFocused() const {
  return game && game->focused == this;
}

bool GComponent::IsModal() const {
  return game && game->modal == this;
}

void GComponent::SetFocus() {
  if (!game || game->focused == this) return;
  if (GComponent* old = game->focused) old->SysOnKillFocus();
  game->focused = this;
  SysOnSetFocus();
}

void GComponent::SysOnKillFocus() {
  OnKillFocus();
  Invalidate();
}

void GComponent::SetWindowText(const char* text) {
  if (windowText == (text ? text : "")) return;
  windowText = text ? text : "";
  SysOnChangeText();
  Invalidate();
}

bool GComponent::SetFont(int index) {
  if (font == index) return false;
  font = index;
  Invalidate();
  return true;
}

bool GComponent::SetAlignText(int align) {
  if (alignText == align) return false;
  alignText = align;
  Invalidate();
  return true;
}

void GComponent::SetColor(COMPONENT_COLOR group, COMPONENT_COLOR_STATE state, unsigned color) {
  if (colors[group][state] == color) return;
  colors[group][state] = color;
  Invalidate();
}

unsigned GComponent::GetColor(COMPONENT_COLOR group, COMPONENT_COLOR_STATE state) const {
  return colors[group][state];
}

unsigned GComponent::ResolveColor(COMPONENT_COLOR group, unsigned normalDefault,
                                  unsigned disabledDefault) const {
  const unsigned* c = colors[group];
  if (!IsEnabled()) return c[COLOR_DISABLED] != DEFAULT_COLOR ? c[COLOR_DISABLED] : disabledDefault;
  const bool pressed = IsPressed();
  if (pressed && c[COLOR_PRESSED] != DEFAULT_COLOR) return c[COLOR_PRESSED];
  if ((pressed || IsHighlighted()) && c[COLOR_HIGHLIGHTED] != DEFAULT_COLOR)
    return c[COLOR_HIGHLIGHTED];
  return c[COLOR_NORMAL] != DEFAULT_COLOR ? c[COLOR_NORMAL] : normalDefault;
}

void GComponent::CopyAttributesTo(GComponent* other) const {
  if (!other) return;
  other->font = font;
  std::copy(&colors[0][0], &colors[0][0] + 20, &other->colors[0][0]);
  other->Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Hit testing
// ---------------------------------------------------------------------------------------------

bool GComponent::IsOver(int px, int py) {
  return IsShown() && clipRect.Contains(px, py) && IsEnabled();
}

GComponent* GComponent::DetectComponentByCursorRecurse(int& px, int& py, int& zone) {
  if (!IsOver(px, py)) return nullptr;
  const int startX = px, startY = py;
  int ax = 0, ay = 0, ix = 0, iy = 0;
  GetAbsoluteWindowPosition(ax, ay);
  GetInnerOffset(ix, iy);
  int lx = startX - ax - ix, ly = startY - ay - iy;
  CFerroRect inner;
  GetInnerRect(&inner);
  zone = ZONE_WIN;
  if (!inner.Contains(lx, ly)) {
    px = lx + ix;
    py = ly + iy;
    return this;
  }
  int cx = 0, cy = 0;
  GetClientOffset(cx, cy);
  lx -= cx;
  ly -= cy;
  CFerroRect client;
  GetClientRect(&client);
  zone = ZONE_INNER;
  if (!client.Contains(lx, ly)) {
    px = lx + cx;
    py = ly + cy;
    return this;
  }
  for (auto it = children.rbegin(); it != children.rend(); ++it) {
    int hx = startX, hy = startY, hitZone = ZONE_WIN;
    if (GComponent* hit = (*it)->DetectComponentByCursorRecurse(hx, hy, hitZone)) {
      px = hx;
      py = hy;
      zone = hitZone;
      return hit;
    }
  }
  zone = ZONE_CLIENT;
  px = lx;
  py = ly;
  return this;
}

void GComponent::CorrectPositionClientForCaptured(int& px, int& py) {
  int ax = 0, ay = 0, ix = 0, iy = 0;
  GetAbsoluteWindowPosition(ax, ay);
  GetInnerOffset(ix, iy);
  px -= ax + ix;
  py -= ay + iy;
}

GComponent* GComponent::CorrectPositionClientForModal(int&, int&) {
  return this;
}

// ---------------------------------------------------------------------------------------------
// Rendering chain and cursors
// ---------------------------------------------------------------------------------------------

bool GComponent::WinOnRender() {
  const bool go = theme ? theme->RenderWin(this) : true;
  OnRenderWIN();
  return go;
}

bool GComponent::InnerOnRender() {
  OnRenderINNER();
  return true;
}

void GComponent::ClientOnRender() {
  OnRender();
}

void GComponent::OnEraseInner(CFerroRect* rect) {
  if (theme) theme->EraseInnerRect(this, rect);
}

void GComponent::OnEraseClient() {
  if (theme) theme->EraseClient(this);
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

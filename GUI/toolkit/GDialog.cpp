#include "GUI/toolkit/GDialog.h"

#include <algorithm>

#include "GUI/graphics/GDevice.h"
#include "GUI/graphics/GSurface.h"
#include "GUI/platform/FILE_DATA.h"
#include "GUI/platform/GGame.h"
#include "GUI/platform/GPlatform.h"
#include "GUI/themes/GTheme.h"
#include "GUI/themes/GThemeComponent.h"
#include "GUI/toolkit/GScene.h"

namespace {

// Style of a dialog shown as a bare caption bar while minimized.
constexpr unsigned kMinimizedStyle = STYLE_VISIBLE | STYLE_BORDER | STYLE_CAPTION;
constexpr int kMinimizedWidth = 120;
constexpr int kMinimizedStep = 130;
constexpr int kMinimizedMargin = 10;
// Squared distance from a corner within which a thick border resizes at
// the corner rather than along an edge.
constexpr int kCornerReach2 = 200;

}  // namespace

GDialog::GDialog() {
  if (game && game->GetTheme()) theme = game->GetTheme()->GetComponentTheme(THEME_DIALOG);
}

GDialog::~GDialog() {
  DropBackground();
}

bool GDialog::Create(GComponent* owner, unsigned newStyle, int px, int py, int w, int h,
                     unsigned newId) {
  if (!GScroller::Create(owner, newStyle, px, py, w, h, newId)) return false;
  OnInitDlg();
  return true;
}

void GDialog::BeginModal() {
  // Already modal: nothing is rebuilt and nothing moves.
  if (game && game->modal == this) return;
  if (id == 0xFFFFFFFFu)
    Create(nullptr, STYLE_VISIBLE | STYLE_BORDER | STYLE_CAPTION, 0, 0, 100, 100, 0);
  else
    OnInitDlg();
  GScroller::BeginModal();
  AlignToCenterMonitor();
  FocusDefault();
}

void GDialog::OnEnter() {
  if (IsModal()) EndModal(1);
}

void GDialog::OnCancel() {
  if (IsModal()) EndModal(2);
}

void GDialog::OnInitDlg() {
  pressedDialogElement = hoverDialogElement = DIALOG_NONE;
  dialogState = prevDialogState = DIALOG_NORMAL;
  DeleteAllChildren();
}

// ---------------------------------------------------------------------------------------------
// Enter and Escape
// ---------------------------------------------------------------------------------------------

GComponent* GDialog::FindDialogButton(unsigned styleBit, int position) {
  // While an edit box that takes these keys itself has the focus, they are
  // its own.
  if (game && game->focused && game->focused->IsEdit() && (game->focused->GetStyle() & 0x3E8))
    return nullptr;
  bool marked = false;
  for (GComponent* child : children) {
    if (!child->IsButton() || !(child->GetStyle() & styleBit)) continue;
    marked = true;
    const unsigned s = child->GetStyle();
    if ((s & STYLE_VISIBLE) && !(s & STYLE_DISABLED)) return child;
  }
  if (marked) return nullptr;
  int seen = 0;
  for (GComponent* child : children) {
    if (!child->IsButton() || !child->IsVisibled()) continue;
    if (seen++ == position) return child->IsEnabled() ? child : nullptr;
  }
  return nullptr;
}

GComponent* GDialog::GetEnterButton() {
  return FindDialogButton(STYLE_DEFAULT_BUTTON, 0);
}

GComponent* GDialog::GetEscapeButton() {
  return FindDialogButton(STYLE_CANCEL_BUTTON, 1);
}

GComponent* GDialog::GetButtonForKey(unsigned key) {
  if (key == KEY_ESCAPE) return GetEscapeButton();
  return key == KEY_RETURN ? GetEnterButton() : nullptr;
}

void GDialog::PressByKey(GComponent* button, unsigned key) {
  // One button at a time: another key's press ends the first one unclicked.
  if (keyPressed && keyPressed != button) keyPressed->Fix(false);
  keyPressed = button;
  keyPressedKey = key;
  button->Fix(true);
}

bool GDialog::WinOnKeyDown(unsigned key, unsigned count, unsigned flags) {
  // The repeats of the key that holds a button down change nothing.
  if (keyPressed && key == keyPressedKey) return false;
  if (MovesFocusByKeys()) {
    GComponent* item = focusItem;
    const bool onArea = item == this;
    if (item && !onArea && !item->IsButton() && IsUsableFocus(item)) {
      GDispatchGuard guard(this);
      if (!item->OnFocusKeyDown(key, count, flags) || !guard) return false;
    }
    switch (key) {
      case KEY_TAB:
        MoveFocus((flags & INPUT_SHIFT) ? -1 : 1);
        return false;
      case KEY_UP:
      case KEY_DOWN:
        // A focus area takes the arrows itself.
        if (!onArea && MoveFocus(key == KEY_UP ? -1 : 1)) return false;
        break;
      case KEY_LEFT:
      case KEY_RIGHT:
        if (!onArea && MoveFocusInRow(key == KEY_LEFT ? -1 : 1)) return false;
        break;
      case KEY_RETURN:
      case KEY_SPACE:
        if (item && !onArea && item->IsButton() && IsUsableFocus(item)) {
          PressByKey(item, key);
          return false;
        }
        break;
      default:
        break;
    }
  }
  if (GComponent* button = GetButtonForKey(key)) {
    PressByKey(button, key);
    return false;
  }
  // A dialog that leaves the focus to the one it lies in hands the key on.
  if (!MovesFocusByKeys() && parent && parent->IsDialog())
    return parent->WinOnKeyDown(key, count, flags);
  return GScroller::WinOnKeyDown(key, count, flags);
}

bool GDialog::WinOnKeyUp(unsigned key, unsigned count, unsigned flags) {
  if (!keyPressed || key != keyPressedKey) {
    if (!MovesFocusByKeys() && parent && parent->IsDialog())
      return parent->WinOnKeyUp(key, count, flags);
    return GScroller::WinOnKeyUp(key, count, flags);
  }
  GComponent* button = keyPressed;
  keyPressed = nullptr;
  keyPressedKey = KEY_NONE;
  button->Fix(false);
  // A button hidden or disabled while it was held is not clicked.
  if (button->GetParent() == this && button->IsVisibled() && button->IsEnabled())
    button->ClientOnLButtonClick(flags, -1, -1);
  return false;
}

// ---------------------------------------------------------------------------------------------
// Keyboard focus
// ---------------------------------------------------------------------------------------------

bool GDialog::IsUsableFocus(GComponent* item) {
  if (!item) return false;
  if (item == this) return HasFocusArea();
  return item->GetParent() == this && item->IsFocusStop() && item->IsVisibled() &&
         item->IsEnabled() && !item->IsModal();
}

std::vector<GComponent*> GDialog::GetFocusOrder() {
  std::vector<GComponent*> order;
  for (GComponent* child : children)
    if (child->IsFocusStop() && child->IsVisibled() && !child->IsModal()) order.push_back(child);
  // Reading order: by rows from the top, then from the left.
  std::stable_sort(order.begin(), order.end(), [](GComponent* a, GComponent* b) {
    int ax = 0, ay = 0, bx = 0, by = 0;
    a->GetPosition(ax, ay);
    b->GetPosition(bx, by);
    return ay != by ? ay < by : ax < bx;
  });
  if (HasFocusArea()) order.insert(order.begin(), this);
  return order;
}

namespace {

// Steps step places round order from the focus (or from before the first
// stop when the focus is not among them) to the next usable stop.
GComponent* StepFocus(const std::vector<GComponent*>& order, GComponent* from, int step,
                      GDialog* dialog) {
  const int n = static_cast<int>(order.size());
  if (n == 0) return nullptr;
  const auto found = std::find(order.begin(), order.end(), from);
  int at = found == order.end() ? (step > 0 ? -1 : n) : static_cast<int>(found - order.begin());
  for (int tried = 0; tried < n; ++tried) {
    at = ((at + step) % n + n) % n;
    if (dialog->IsUsableFocus(order[static_cast<size_t>(at)]))
      return order[static_cast<size_t>(at)];
  }
  return nullptr;
}

}  // namespace

bool GDialog::MoveFocus(int step) {
  GComponent* next = StepFocus(GetFocusOrder(), focusItem, step, this);
  if (!next) return false;
  SetFocusItem(next);
  return true;
}

bool GDialog::MoveFocusInRow(int step) {
  if (!focusItem || focusItem == this) return false;
  // The stops whose rows overlap the focused one's, from the left.
  int fx = 0, fy = 0, fw = 0, fh = 0;
  focusItem->GetPosition(fx, fy);
  focusItem->GetSize(fw, fh);
  std::vector<GComponent*> row;
  for (GComponent* c : GetFocusOrder()) {
    if (c == this) continue;
    int cx = 0, cy = 0, cw = 0, ch = 0;
    c->GetPosition(cx, cy);
    c->GetSize(cw, ch);
    if (cy < fy + fh && fy < cy + ch) row.push_back(c);
  }
  std::stable_sort(row.begin(), row.end(), [](GComponent* a, GComponent* b) {
    int ax = 0, ay = 0, bx = 0, by = 0;
    a->GetPosition(ax, ay);
    b->GetPosition(bx, by);
    return ax < bx;
  });
  GComponent* next = StepFocus(row, focusItem, step, this);
  if (!next || next == focusItem) return false;
  SetFocusItem(next);
  return true;
}

void GDialog::SetFocusItem(GComponent* item) {
  if (item == focusItem || !MovesFocusByKeys() || !IsUsableFocus(item)) return;
  GComponent* old = focusItem;
  focusItem = item;
  if (old) old->Invalidate();
  item->Invalidate();
}

GComponent* GDialog::GetDefaultFocus() {
  if (HasFocusArea()) return this;
  GComponent* enter = GetEnterButton();
  if (IsUsableFocus(enter)) return enter;
  return StepFocus(GetFocusOrder(), nullptr, 1, this);
}

void GDialog::FocusDefault() {
  GComponent* old = focusItem;
  focusItem = nullptr;
  if (old) old->Invalidate();
  if (GComponent* first = GetDefaultFocus()) SetFocusItem(first);
}

GDialog* GDialog::GetKeyDialog() {
  for (GComponent* c = game ? game->focused : nullptr; c; c = c->GetParent()) {
    if (!c->IsDialog()) continue;
    auto* dialog = static_cast<GDialog*>(c);
    if (dialog->MovesFocusByKeys()) return dialog;
    if (c->IsModal()) break;
  }
  return nullptr;
}

bool GDialog::IsFocusAreaShown() {
  return focusItem == this && HasFocusArea() && game && game->IsKeyInputLast() &&
         GetKeyDialog() == this;
}

void GComponent::TakeDialogFocus() {
  if (parent && parent->IsDialog()) static_cast<GDialog*>(parent)->SetFocusItem(this);
}

bool GComponent::IsFocusShown() const {
  if (!game || !game->IsKeyInputLast() || !parent || !parent->IsDialog()) return false;
  const GDialog* dialog = GDialog::GetKeyDialog();
  return dialog == parent && dialog->GetFocusItem() == this && IsVisibled() && IsEnabled();
}

// ---------------------------------------------------------------------------------------------
// Frame, caption and states
// ---------------------------------------------------------------------------------------------

bool GDialog::IsButtonCloseVisibled() {
  return !IsMinimized() && (style & STYLE_CLOSE_BOX);
}

bool GDialog::IsButtonMaximizeVisibled() {
  return !IsMinimized() && (style & STYLE_MAXIMIZE_BOX) && dialogState == DIALOG_NORMAL;
}

bool GDialog::IsButtonRestoreVisibled() {
  return !IsMinimized() && (style & STYLE_MAXIMIZE_BOX) && dialogState == DIALOG_MAXIMIZED;
}

bool GDialog::IsButtonMinimizeVisibled() {
  return !IsMinimized() && (style & STYLE_MINIMIZE_BOX);
}

void GDialog::GetPosition(int& px, int& py) {
  if (dialogState == DIALOG_NORMAL) return GScroller::GetPosition(px, py);
  if (dialogState == DIALOG_MAXIMIZED) {
    px = py = 0;
    return;
  }
  // Minimized dialogs line up along the bottom of the parent.
  int k = 0;
  if (parent) {
    for (int i = 0; i < parent->GetChildCount(); ++i) {
      GComponent* sibling = parent->GetChild(i);
      if (sibling == this) break;
      if (sibling->IsMinimized() && (sibling->GetStyle() & STYLE_VISIBLE)) ++k;
    }
  }
  int w = 0, h = 0;
  GetSize(w, h);
  CFerroRect area = parent ? CFerroRect() : BackBufferRect();
  if (parent) parent->GetClientRect(&area);
  px = kMinimizedStep * k + kMinimizedMargin;
  py = area.Height() - h - kMinimizedMargin;
}

void GDialog::GetSize(int& w, int& h) {
  if (dialogState == DIALOG_NORMAL) return GScroller::GetSize(w, h);
  if (dialogState == DIALOG_MAXIMIZED) {
    CFerroRect area = parent ? CFerroRect() : BackBufferRect();
    if (parent) parent->GetClientRect(&area);
    w = area.Width();
    h = area.Height();
    return;
  }
  const int border = theme ? theme->GetBorderSize(this) : 0;
  w = kMinimizedWidth;
  h = (theme ? theme->GetCaptionHeight(this) : 0) + 2 * border;
}

int GDialog::DetectDialogElement(int px, int py) {
  CFerroRect inner;
  GetInnerRect(&inner);
  int ix = 0, iy = 0;
  GetInnerOffset(ix, iy);
  inner.Offset(ix, iy);
  if (inner.Contains(px, py)) return DIALOG_NONE;
  int w = 0, h = 0;
  GetSize(w, h);
  if (style & STYLE_THICK_BORDER) {
    const int border = theme ? theme->GetBorderSize(this) : 0;
    if (px < border || py < border || px >= w - border || py >= h - border) {
      struct Corner {
        int x, y, element;
      };
      const Corner corners[] = {{0, 0, DIALOG_LEFT_TOP},
                                {w, 0, DIALOG_RIGHT_TOP},
                                {0, h, DIALOG_LEFT_BOTTOM},
                                {w, h, DIALOG_RIGHT_BOTTOM}};
      for (const Corner& c : corners)
        if ((px - c.x) * (px - c.x) + (py - c.y) * (py - c.y) < kCornerReach2) return c.element;
      const int distances[] = {px, w - 1 - px, py, h - 1 - py};
      const int edges[] = {DIALOG_LEFT, DIALOG_RIGHT, DIALOG_TOP, DIALOG_BOTTOM};
      return edges[std::min_element(distances, distances + 4) - distances];
    }
  }
  if ((style & STYLE_CAPTION) && theme) {
    CFerroRect caption, button;
    theme->GetCaptionRect(this, &caption);
    if (caption.Contains(px, py)) {
      theme->GetButtonCloseRect(this, &button);
      if ((style & STYLE_CLOSE_BOX) && button.Contains(px, py)) return DIALOG_CLOSE;
      theme->GetButtonMaximizeRect(this, &button);
      if ((style & STYLE_MAXIMIZE_BOX) && button.Contains(px, py)) return DIALOG_MAXIMIZE;
      theme->GetButtonMinimizeRect(this, &button);
      if ((style & STYLE_MINIMIZE_BOX) && button.Contains(px, py)) return DIALOG_MINIMIZE;
      if (style & STYLE_KEEP_CENTERED) return DIALOG_NONE;
      if (style & STYLE_MAXIMIZE_BOX) return DIALOG_CAPTION;
      return IsModal() ? DIALOG_CAPTION : DIALOG_NONE;
    }
  }
  return DIALOG_BORDER;
}

void GDialog::ScrollIntoView(GComponent* child, int margin) {
  if (!child) return;
  RecalcLayout();
  int cx = 0, cy = 0, cw = 0, ch = 0;
  child->GetPosition(cx, cy);
  child->GetSize(cw, ch);
  CFerroRect client;
  GetClientRect(&client);
  const int old = vScroll;
  if (cy - margin < vScroll)
    SetVScroll(cy - margin);
  else if (cy + ch + margin > vScroll + client.Height())
    SetVScroll(cy + ch + margin - client.Height());
  if (vScroll != old) ScrollChanged();
}

void GDialog::InvalidateBeneath() {
  GComponent* beneath = parent;
  if (!beneath && game) beneath = game->GetScene();
  if (!beneath || beneath == this) return;
  CFerroRect area = GetClipRect();
  if (area.left == -1) return;
  int bx = 0, by = 0;
  beneath->GetAbsoluteWindowPosition(bx, by);
  area.Offset(-bx, -by);
  beneath->InvalidateRect(area);
}

void GDialog::ChangeState(int state) {
  if (state == dialogState) return;
  InvalidateBeneath();
  if (dialogState == DIALOG_NORMAL) savedStyle = style;
  prevDialogState = dialogState;
  dialogState = state;
  if (state == DIALOG_MINIMIZED) {
    style = kMinimizedStyle;
    ToTopmost();
  } else if (state == DIALOG_MAXIMIZED) {
    style = (savedStyle & ~STYLE_THICK_BORDER) | STYLE_KEEP_CENTERED;
  } else {
    style = savedStyle;
  }
  SetRecalcAbsData();
  RecalcCovering();
  RecalcLayout();
  if (parent)
    parent->Invalidate();
  else
    Invalidate();
}

void GDialog::WinOnLButtonDown(unsigned flags, int px, int py) {
  OnLButtonDownWIN(flags, px, py);
  pressedDialogElement = DetectDialogElement(px, py);
  pressCursorX = game ? game->cursorX : 0;
  pressCursorY = game ? game->cursorY : 0;
  int wx = 0, wy = 0, w = 0, h = 0;
  GetPosition(wx, wy);
  GetSize(w, h);
  pressRect = CFerroRect(wx, wy, wx + w, wy + h);
  switch (pressedDialogElement) {
    case DIALOG_MINIMIZE:
      ChangeState(DIALOG_MINIMIZED);
      break;
    case DIALOG_MAXIMIZE:
      ChangeState(dialogState == DIALOG_MAXIMIZED ? DIALOG_NORMAL : DIALOG_MAXIMIZED);
      break;
    case DIALOG_CLOSE:
      OnCancel();
      break;
    case DIALOG_CAPTION:
      // A minimized dialog comes back when its bar is taken.
      if (dialogState == DIALOG_MINIMIZED) ChangeState(prevDialogState);
      break;
    default:
      break;
  }
}

void GDialog::WinOnMouseMove(unsigned flags, int px, int py) {
  OnMouseMoveWIN(flags, px, py);
  if (pressedDialogElement == DIALOG_NONE) {
    const int element = DetectDialogElement(px, py);
    if (element == hoverDialogElement) return;
    hoverDialogElement = element;
    Invalidate();
    return;
  }
  if (!game || dialogState != DIALOG_NORMAL) return;
  const int dx = game->cursorX - pressCursorX, dy = game->cursorY - pressCursorY;
  CFerroRect r = pressRect;
  switch (pressedDialogElement) {
    case DIALOG_CAPTION:
      r.Offset(dx, dy);
      break;
    case DIALOG_LEFT:
    case DIALOG_RIGHT:
    case DIALOG_TOP:
    case DIALOG_BOTTOM:
    case DIALOG_LEFT_TOP:
    case DIALOG_RIGHT_TOP:
    case DIALOG_LEFT_BOTTOM:
    case DIALOG_RIGHT_BOTTOM: {
      const int e = pressedDialogElement;
      int minW = 0, minH = 0;
      if (theme) theme->GetMinSize(this, minW, minH);
      if (e == DIALOG_LEFT || e == DIALOG_LEFT_TOP || e == DIALOG_LEFT_BOTTOM)
        r.left = std::min(r.left + dx, r.right - minW);
      if (e == DIALOG_RIGHT || e == DIALOG_RIGHT_TOP || e == DIALOG_RIGHT_BOTTOM)
        r.right = std::max(r.right + dx, r.left + minW);
      if (e == DIALOG_TOP || e == DIALOG_LEFT_TOP || e == DIALOG_RIGHT_TOP)
        r.top = std::min(r.top + dy, r.bottom - minH);
      if (e == DIALOG_BOTTOM || e == DIALOG_LEFT_BOTTOM || e == DIALOG_RIGHT_BOTTOM)
        r.bottom = std::max(r.bottom + dy, r.top + minH);
      break;
    }
    default:
      return;
  }
  int wx = 0, wy = 0, w = 0, h = 0;
  GetPosition(wx, wy);
  GetSize(w, h);
  if (r == CFerroRect(wx, wy, wx + w, wy + h)) return;
  InvalidateBeneath();
  SetPosition(r.left, r.top);
  SetSize(r.Width(), r.Height());
  ToTopmost();
  Invalidate();
}

void GDialog::WinOnLButtonUp(unsigned flags, int px, int py) {
  OnLButtonUpWIN(flags, px, py);
  pressedDialogElement = DIALOG_NONE;
  hoverDialogElement = DetectDialogElement(px, py);
  Invalidate();
}

void GDialog::WinOnMouseLeave(unsigned flags) {
  OnMouseLeaveWIN(flags);
  if (hoverDialogElement == DIALOG_NONE) return;
  hoverDialogElement = DIALOG_NONE;
  Invalidate();
}

void GDialog::SysOnCancelPress() {
  pressedDialogElement = DIALOG_NONE;
  if (keyPressed) keyPressed->Fix(false);
  keyPressed = nullptr;
  keyPressedKey = KEY_NONE;
  for (GComponent* button : {GetEnterButton(), GetEscapeButton()})
    if (button) button->Fix(false);
  GScroller::SysOnCancelPress();
}

// ---------------------------------------------------------------------------------------------
// Background
// ---------------------------------------------------------------------------------------------

void GDialog::DropBackground() {
  GSurface* old = background;
  background = nullptr;
  if (old && !backgroundNotOwned && game && game->GetDevice())
    game->GetDevice()->DeleteSurface(old);
  backgroundNotOwned = false;
}

void GDialog::SetBackground(const char* path) {
  DropBackground();
  GPlatform* platform = game ? game->GetPlatform() : nullptr;
  GDevice* device = game ? game->GetDevice() : nullptr;
  FILE_DATA file;
  if (path && platform && device) {
    if (!platform->LoadFile(path, &file)) {
      platform->ReportFileFault(GPlatform::FileFault::missing, "picture", path,
                                "the background stays empty");
    } else {
      GSurface* surface = device->AddSurface();
      if (surface && surface->Load(file.data, file.size)) {
        background = surface;
      } else {
        if (surface) device->DeleteSurface(surface);
        platform->ReportFileFault(GPlatform::FileFault::damaged, "picture", path,
                                  "the background stays empty");
      }
    }
  }
  Invalidate();
}

void GDialog::SetBackground(GSurface* surface) {
  if (surface == background && !backgroundNotOwned) return;
  DropBackground();
  background = surface;
  Invalidate();
}

void GDialog::SetBackgroundPtr(GSurface* surface) {
  if (surface != background) DropBackground();
  background = surface;
  backgroundNotOwned = true;
  Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Scrolling children
// ---------------------------------------------------------------------------------------------

void GDialog::GetScrollSize(int& w, int& h) {
  w = h = 0;
  if (!(style & STYLE_SCROLL_CHILDREN)) return;
  for (GComponent* child : children) {
    if (!(child->GetStyle() & STYLE_VISIBLE) || child->IsModal()) continue;
    int cx = 0, cy = 0, cw = 0, ch = 0;
    child->GetPosition(cx, cy);
    child->GetSize(cw, ch);
    w = std::max(w, cx + cw);
    h = std::max(h, cy + ch);
  }
}

void GDialog::GetScrollerOffset(int& px, int& py) {
  const bool scrolls = (style & STYLE_SCROLL_CHILDREN) != 0;
  px = scrolls ? hScroll : 0;
  py = scrolls ? vScroll : 0;
}

void GDialog::RecalcLayout() {
  if (style & STYLE_SCROLL_CHILDREN) {
    GScroller::RecalcLayout();
    return;
  }
  needLayout = false;
  hSlider = vSlider = hScrollMax = vScrollMax = hScroll = vScroll = 0;
}

void GDialog::OnCreateChild(GComponent*) {
  if (!(style & STYLE_SCROLL_CHILDREN)) return;
  for (GComponent* child : children) child->SetRecalcAbsData();
  RecalcLayout();
}

void GDialog::OnDestroyChild(GComponent* child) {
  if (child == focusItem) focusItem = nullptr;
  if (child == keyPressed) {
    keyPressed = nullptr;
    keyPressedKey = KEY_NONE;
  }
  OnCreateChild(child);
}

void GDialog::ClientOnRender() {
  if (theme) theme->RenderClient(this);
  OnRender();
}

GImage* GDialog::OnSetCursorWIN(unsigned, int px, int py) {
  GTheme* look = game ? game->GetTheme() : nullptr;
  if (!look) return nullptr;
  switch (DetectDialogElement(px, py)) {
    case DIALOG_LEFT:
      return look->GetCursor(CURSOR_LEFT);
    case DIALOG_RIGHT:
      return look->GetCursor(CURSOR_RIGHT);
    case DIALOG_TOP:
      return look->GetCursor(CURSOR_TOP);
    case DIALOG_BOTTOM:
      return look->GetCursor(CURSOR_BOTTOM);
    case DIALOG_LEFT_TOP:
      return look->GetCursor(CURSOR_LEFT_TOP);
    case DIALOG_RIGHT_TOP:
      return look->GetCursor(CURSOR_RIGHT_TOP);
    case DIALOG_LEFT_BOTTOM:
      return look->GetCursor(CURSOR_LEFT_BOTTOM);
    case DIALOG_RIGHT_BOTTOM:
      return look->GetCursor(CURSOR_RIGHT_BOTTOM);
    default:
      return nullptr;
  }
}

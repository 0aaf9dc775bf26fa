#include "GUI/toolkit/GButton.h"

#include "GUI/platform/GGame.h"
#include "GUI/themes/GTheme.h"
#include "GUI/themes/GThemeComponent.h"
#include "GUI/toolkit/GDialog.h"

GButton::GButton() {
  if (game && game->GetTheme()) theme = game->GetTheme()->GetComponentTheme(THEME_BUTTON);
}

bool GButton::Create(GComponent* owner, unsigned newStyle, int px, int py, int w, int h,
                     unsigned newId, const char* text) {
  if (!GComponent::Create(owner, newStyle, px, py, w, h, newId)) return false;
  if (text) SetWindowText(text);
  return true;
}

void GButton::ClientOnLButtonDown(unsigned flags, int px, int py) {
  TakeDialogFocus();
  Fix(true);
  OnLButtonDown(flags, px, py);
}

void GButton::ClientOnLButtonUp(unsigned flags, int px, int py) {
  Fix(false);
  OnLButtonUp(flags, px, py);
}

void GButton::ClientOnLButtonClick(unsigned flags, int px, int py) {
  // The dialog may end or rebuild itself, and this button with it.
  GDispatchGuard self(this);
  if (parent && parent->IsDialog()) {
    auto* dialog = static_cast<GDialog*>(parent);
    if (dialog->GetEnterButton() == this)
      dialog->OnEnter();
    else if (dialog->GetEscapeButton() == this)
      dialog->OnCancel();
  }
  if (self) OnLButtonClick(flags, px, py);
}

void GButton::GlobalOnMouseEnter(unsigned flags, int px, int py) {
  // The mouse and the keys agree: the focus follows the pointer onto a
  // button, but not the look made when a dialog opens under a resting one.
  if (game && game->IsPointerMoving()) TakeDialogFocus();
  OnMouseEnter(flags, px, py);
  Invalidate();
}

void GButton::GlobalOnMouseLeave(unsigned flags) {
  OnMouseLeave(flags);
  Invalidate();
}

void GButton::SysOnCancelPress() {
  Fix(false);
  GComponent::SysOnCancelPress();
}

bool GButton::InnerOnRender() {
  return theme ? theme->RenderInner(this) : true;
}

void GButton::ClientOnRender() {
  if (theme) theme->RenderClient(this);
  OnRender();
}

#include "GUI/toolkit/GValueRow.h"

#include <algorithm>
#include <utility>

#include "GUI/platform/GGame.h"
#include "GUI/themes/GTheme.h"
#include "GUI/themes/GThemeComponent.h"

GValueRow::GValueRow() {
  if (game && game->GetTheme()) theme = game->GetTheme()->GetComponentTheme(THEME_VALUE_ROW);
}

bool GValueRow::Create(GComponent* owner, unsigned newStyle, int px, int py, int w, int h,
                       unsigned newId, const char* label) {
  if (!GComponent::Create(owner, newStyle, px, py, w, h, newId)) return false;
  if (label) SetWindowText(label);
  return true;
}

void GValueRow::SetChoices(std::vector<CFerroString> texts, int choice) {
  choices = std::move(texts);
  index = choices.empty() ? 0 : std::clamp(choice, 0, GetChoiceCount() - 1);
  Invalidate();
}

void GValueRow::SetIndex(int choice) {
  if (choices.empty()) return;
  choice = std::clamp(choice, 0, GetChoiceCount() - 1);
  if (choice == index) return;
  index = choice;
  Invalidate();
}

void GValueRow::SetValueText(const char* text) {
  const CFerroString now(text ? text : "");
  if (now == valueText) return;
  valueText = now;
  Invalidate();
}

CFerroString GValueRow::GetValueText() const {
  return choices.empty() ? valueText : choices[static_cast<size_t>(index)];
}

void GValueRow::SetValueLeft(int left) {
  valueLeft = left;
  Invalidate();
}

CFerroRect GValueRow::GetArrowRect(int arrow) {
  CFerroRect client;
  GetClientRect(&client);
  const int w = client.Width(), h = client.Height();
  const int left = valueLeft >= 0 ? valueLeft : w / 2;
  if (arrow == ARROW_LESS && !IsActionRow()) return CFerroRect(left, 0, left + h, h);
  if (arrow == ARROW_MORE) return CFerroRect(w - h, 0, w, h);
  return CFerroRect();
}

CFerroRect GValueRow::GetValueRect() {
  CFerroRect client;
  GetClientRect(&client);
  const int w = client.Width(), h = client.Height();
  const int left = valueLeft >= 0 ? valueLeft : w / 2;
  return CFerroRect(IsActionRow() ? left : left + h, 0, w - h, h);
}

bool GValueRow::IsArrowEnabled(int arrow) const {
  if (IsActionRow()) return arrow == ARROW_MORE;
  if (arrow == ARROW_LESS) return index > 0;
  return arrow == ARROW_MORE && index < GetChoiceCount() - 1;
}

bool GValueRow::Step(int arrow) {
  if (!IsArrowEnabled(arrow)) return false;
  if (IsActionRow()) {
    OnAction();
    return true;
  }
  index += arrow == ARROW_MORE ? 1 : -1;
  Invalidate();
  OnChange(index);
  return true;
}

int GValueRow::ArrowAt(int px, int py) {
  for (int arrow : {ARROW_LESS, ARROW_MORE}) {
    const CFerroRect r = GetArrowRect(arrow);
    if (px >= r.left && px < r.right && py >= r.top && py < r.bottom) return arrow;
  }
  return ARROW_NONE;
}

bool GValueRow::OnFocusKeyDown(unsigned key, unsigned, unsigned) {
  switch (key) {
    case KEY_LEFT:
      // Taken at the end too: the focus stays on the row.
      Step(ARROW_LESS);
      return false;
    case KEY_RIGHT:
      Step(ARROW_MORE);
      return false;
    case KEY_RETURN:
    case KEY_SPACE:
      if (!IsActionRow()) return true;
      OnAction();
      return false;
    default:
      return true;
  }
}

void GValueRow::ClientOnLButtonDown(unsigned flags, int px, int py) {
  TakeDialogFocus();
  const int arrow = ArrowAt(px, py);
  pressedArrow = IsArrowEnabled(arrow) ? arrow : ARROW_NONE;
  Invalidate();
  OnLButtonDown(flags, px, py);
}

void GValueRow::ClientOnLButtonUp(unsigned flags, int px, int py) {
  // The click that follows steps only when the press and the release were
  // on the same arrow.
  clickArrow =
      pressedArrow != ARROW_NONE && ArrowAt(px, py) == pressedArrow ? pressedArrow : ARROW_NONE;
  if (pressedArrow != ARROW_NONE) Invalidate();
  pressedArrow = ARROW_NONE;
  OnLButtonUp(flags, px, py);
}

void GValueRow::ClientOnLButtonClick(unsigned flags, int px, int py) {
  // The change may rebuild the dialog, and this row with it.
  GDispatchGuard self(this);
  const int arrow = clickArrow;
  clickArrow = ARROW_NONE;
  if (IsActionRow())
    OnAction();
  else if (arrow != ARROW_NONE)
    Step(arrow);
  if (self) OnLButtonClick(flags, px, py);
}

void GValueRow::ClientOnMouseMove(unsigned flags, int px, int py) {
  const int arrow = ArrowAt(px, py);
  if (arrow != hoverArrow) {
    hoverArrow = arrow;
    Invalidate();
  }
  OnMouseMove(flags, px, py);
}

void GValueRow::GlobalOnMouseEnter(unsigned flags, int px, int py) {
  if (game && game->IsPointerMoving()) TakeDialogFocus();
  OnMouseEnter(flags, px, py);
  Invalidate();
}

void GValueRow::GlobalOnMouseLeave(unsigned flags) {
  hoverArrow = ARROW_NONE;
  OnMouseLeave(flags);
  Invalidate();
}

void GValueRow::SysOnCancelPress() {
  pressedArrow = ARROW_NONE;
  Invalidate();
  GComponent::SysOnCancelPress();
}

bool GValueRow::InnerOnRender() {
  return theme ? theme->RenderInner(this) : true;
}

void GValueRow::ClientOnRender() {
  if (theme) theme->RenderClient(this);
  OnRender();
}

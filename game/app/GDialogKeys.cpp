#include "game/app/GDialogKeys.h"

#include "GUI/platform/GGame.h"
#include "GUI/toolkit/GButton.h"
#include "GUI/toolkit/GStatic.h"
#include "game/app/GButtonDM.h"
#include "game/app/GGameDM.h"

namespace {

constexpr int kRowWidth = 560;
constexpr int kRowHeight = 36;
constexpr int kRowStep = 44;
constexpr int kValueLeft = 120;
constexpr int kButtonWidth = 150;
constexpr int kButtonHeight = 44;
constexpr int kButtonGap = 30;
constexpr int kMessageHeight = 24;
constexpr unsigned kRowStyle = STYLE_VISIBLE;
// The message line lets the dialog's grid show through and repaints it when
// its text changes.
constexpr unsigned kMessageStyle = STYLE_VISIBLE | STYLE_NOERASE | STYLE_ALPHA;
constexpr unsigned kMessageColor = 0xE0E000;
constexpr unsigned kDoneStyle = kFramedStyle | kClosingButtonStyle;
constexpr unsigned kMessageId = 100;
constexpr unsigned kDoneId = 101;

}  // namespace

const char* const GDialogKeys::kLabels[PLAYER_ACTIONS] = {"Left", "Right", "Up",
                                                          "Down", "Dig",   "Rewind"};

void GDialogKeys::OnInitDlg() {
  waiting = nullptr;
  GDialog::OnInitDlg();
  SetWindowText("Keys");
  int y = 0;
  for (int action = 0; action < PLAYER_ACTIONS; ++action) {
    auto* row = new GKeyRow;
    row->Create(this, kRowStyle, 0, y, kRowWidth, kRowHeight, static_cast<unsigned>(action + 1),
                kLabels[action]);
    row->SetValueLeft(kValueLeft);
    y += kRowStep;
  }
  message = new GStatic;
  message->Create(this, kMessageStyle, 0, y, kRowWidth, kMessageHeight, kMessageId, "");
  message->SetColor(COLOR_TEXT, COLOR_NORMAL, kMessageColor);
  message->SetAlignText(ALIGN_CENTER);
  y += kMessageHeight + kRowStep - kRowHeight;
  const int x = (kRowWidth - 2 * kButtonWidth - kButtonGap) / 2;
  auto* defaults = new GButtonDM;
  defaults->Create(this, kFramedStyle, x, y, kButtonWidth, kButtonHeight, CMD_KEYS_DEFAULTS,
                   "Defaults");
  auto* done = new GButton;
  done->Create(this, kDoneStyle, x + kButtonWidth + kButtonGap, y, kButtonWidth, kButtonHeight,
               kDoneId, "Done");
  ShowKeys("");
  CorrectSize(20);
  AlignToCenter();
}

GComponent* GDialogKeys::GetDefaultFocus() {
  GComponent* first = Find(1u);
  return IsUsableFocus(first) ? first : GDialog::GetDefaultFocus();
}

void GDialogKeys::ShowKeys(const char* text) {
  GGameDM* app = GGameDM::Of(game);
  const CPlayerKeys keys = app ? app->GetPlayerKeys() : CPlayerKeys();
  for (int action = 0; action < PLAYER_ACTIONS; ++action) {
    auto* row = static_cast<GKeyRow*>(Find(static_cast<unsigned>(action + 1)));
    if (!row) continue;
    const char* name = GetKeyShownName(keys.codes[action]);
    row->SetValueText(
        row == waiting
            ? (CFerroString("Press a key for ") + kLabels[action] + " — Escape keeps it").c_str()
        : name ? name
               : "");
  }
  if (message && text) message->SetWindowText(text);
}

CFerroString GDialogKeys::GetMessage() const {
  return message ? message->GetWindowText() : CFerroString();
}

void GDialogKeys::Wait(GKeyRow* row) {
  waiting = row;
  ShowKeys("");
}

void GDialogKeys::StopWaiting() {
  waiting = nullptr;
  ShowKeys(nullptr);
}

bool GDialogKeys::TakeKey(GKeyRow* row, unsigned key, unsigned count) {
  // The key that started the wait may repeat; a pad gives no keys of the
  // keyboard, but its B ends the wait as Escape does.
  if (row != waiting || count > 0) return false;
  if (key == KEY_ESCAPE) {
    StopWaiting();
    return false;
  }
  GGameDM* app = GGameDM::Of(game);
  if (!app || (game && game->IsPadKey(key))) return false;
  CPlayerKeys keys = app->GetPlayerKeys();
  PLAYER_KEY holder = PLAYER_OTHER;
  const PLAYER_KEY action = row->GetAction();
  const char* name = GetKeyShownName(key);
  switch (keys.Check(action, key, &holder)) {
    case CPlayerKeys::Refusal::none:
      keys.Assign(action, key);
      app->SetPlayerKeys(keys);
      waiting = nullptr;
      ShowKeys("");
      break;
    case CPlayerKeys::Refusal::otherAction:
      ShowKeys((CFerroString(name) + " is already the key for " + kLabels[holder] + ".").c_str());
      break;
    case CPlayerKeys::Refusal::menuKey:
      ShowKeys((CFerroString(name) + " opens the menu in a level.").c_str());
      break;
    case CPlayerKeys::Refusal::notAllowed:
      ShowKeys("This key cannot be a key of play.");
      break;
  }
  return false;
}

void GDialogKeys::RestoreDefaults() {
  if (GGameDM* app = GGameDM::Of(game)) app->SetPlayerKeys(CPlayerKeys());
  waiting = nullptr;
  ShowKeys("");
}

void GDialogKeys::OnUpdateModal() {
  GDialog::OnUpdateModal();
  if (waiting && GetFocusItem() != waiting) StopWaiting();
}

void GDialogKeys::EndModal(int result) {
  waiting = nullptr;
  GDialog::EndModal(result);
}

void GKeyRow::OnAction() {
  if (parent) static_cast<GDialogKeys*>(parent)->Wait(this);
}

bool GKeyRow::OnFocusKeyDown(unsigned key, unsigned count, unsigned flags) {
  auto* dialog = static_cast<GDialogKeys*>(parent);
  if (dialog && dialog->GetWaitingRow() == this) return dialog->TakeKey(this, key, count);
  return GValueRow::OnFocusKeyDown(key, count, flags);
}

#include "game/app/GDialogKeys.h"

#include <algorithm>

#include "GUI/graphics/GDevice.h"
#include "GUI/platform/GGame.h"
#include "GUI/themes/GThemeComponent.h"
#include "GUI/toolkit/GButton.h"
#include "GUI/toolkit/GStatic.h"
#include "game/app/GButtonDM.h"
#include "game/app/GGameDM.h"
#include "game/app/GameLanguage.h"

namespace {

constexpr int kRowWidth = 560;
constexpr int kRowHeight = 36;
constexpr int kRowStep = 44;
constexpr int kValueLeft = 120;
// The least room on either side of a row's value.
constexpr int kValueMargin = 8;
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

// The keys whose names are words, and so are translated.
constexpr struct {
  unsigned code;
  Text name;
} kKeyWords[] = {
    {KEY_LEFT, Text::KeyNameLeft},
    {KEY_RIGHT, Text::KeyNameRight},
    {KEY_UP, Text::KeyNameUp},
    {KEY_DOWN, Text::KeyNameDown},
    {KEY_SPACE, Text::KeyNameSpace},
    {KEY_LCONTROL, Text::KeyNameLeftCtrl},
    {KEY_RCONTROL, Text::KeyNameRightCtrl},
    {KEY_TAB, Text::KeyNameTab},
    {KEY_BACKSPACE, Text::KeyNameBackspace},
    {KEY_HOME, Text::KeyNameHome},
    {KEY_END, Text::KeyNameEnd},
    {KEY_PAGE_UP, Text::KeyNamePageUp},
    {KEY_PAGE_DOWN, Text::KeyNamePageDown},
    {KEY_DELETE, Text::KeyNameDelete},
    {KEY_MINUS, Text::KeyNameMinus},
    {KEY_EQUALS, Text::KeyNameEquals},
    {KEY_COMMA, Text::KeyNameComma},
    {KEY_ESCAPE, Text::KeyNameEscape},
    {KEY_RETURN, Text::KeyNameEnter},
};

}  // namespace

CFerroString GDialogKeys::ShownName(unsigned code) {
  for (const auto& word : kKeyWords)
    if (word.code == code) return GameText(word.name);
  const char* name = GetKeyName(code);
  return name ? CFerroString(name) : CFerroString();
}

const Text GDialogKeys::kLabels[PLAYER_ACTIONS] = {
    Text::KeysLeft, Text::KeysRight, Text::KeysUp, Text::KeysDown, Text::KeysDig, Text::KeysRewind};

void GDialogKeys::OnInitDlg() {
  waiting = nullptr;
  GDialog::OnInitDlg();
  SetWindowText(GameText(Text::KeysCaption).c_str());
  int y = 0;
  GKeyRow* rows[PLAYER_ACTIONS] = {};
  for (int action = 0; action < PLAYER_ACTIONS; ++action) {
    rows[action] = new GKeyRow;
    rows[action]->Create(this, kRowStyle, 0, y, kRowWidth, kRowHeight,
                         static_cast<unsigned>(action + 1), GameText(kLabels[action]).c_str());
    rows[action]->SetValueLeft(kValueLeft);
    y += kRowStep;
  }
  // The rows widen for the longest "Press a key for ..." of the language,
  // which stands between the value column and the arrow.
  int rowWidth = kRowWidth;
  GDevice* device = game ? game->GetDevice() : nullptr;
  GThemeComponent* look = rows[0]->GetTheme();
  for (int action = 0; device && look && action < PLAYER_ACTIONS; ++action) {
    int tw = 0, th = 0;
    device->GetTextSize(GameText(Text::KeysPress, {GameText(kLabels[action])}).c_str(),
                        look->GetTextFont(rows[action]), tw, th);
    rowWidth = std::max(rowWidth, kValueLeft + tw + 2 * kValueMargin + kRowHeight);
  }
  for (GKeyRow* row : rows) row->SetSize(rowWidth, kRowHeight);
  message = new GStatic;
  message->Create(this, kMessageStyle, 0, y, rowWidth, kMessageHeight, kMessageId, "");
  message->SetColor(COLOR_TEXT, COLOR_NORMAL, kMessageColor);
  message->SetAlignText(ALIGN_CENTER);
  y += kMessageHeight + kRowStep - kRowHeight;
  const int x = (rowWidth - 2 * kButtonWidth - kButtonGap) / 2;
  auto* defaults = new GButtonDM;
  defaults->Create(this, kFramedStyle, x, y, kButtonWidth, kButtonHeight, CMD_KEYS_DEFAULTS,
                   Text::KeysDefaults);
  auto* done = new GButton;
  done->Create(this, kDoneStyle, x + kButtonWidth + kButtonGap, y, kButtonWidth, kButtonHeight,
               kDoneId, GameText(Text::ButtonDone).c_str());
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
    row->SetValueText((row == waiting ? GameText(Text::KeysPress, {GameText(kLabels[action])})
                                      : ShownName(keys.codes[action]))
                          .c_str());
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
  const CFerroString name = ShownName(key);
  switch (keys.Check(action, key, &holder)) {
    case CPlayerKeys::Refusal::none:
      keys.Assign(action, key);
      app->SetPlayerKeys(keys);
      waiting = nullptr;
      ShowKeys("");
      break;
    case CPlayerKeys::Refusal::otherAction:
      ShowKeys(GameText(Text::KeysTaken, {name, GameText(kLabels[holder])}).c_str());
      break;
    case CPlayerKeys::Refusal::menuKey:
      ShowKeys(GameText(Text::KeysOpensMenu, {name}).c_str());
      break;
    case CPlayerKeys::Refusal::notAllowed:
      ShowKeys(GameText(Text::KeysRefused).c_str());
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

#include "game/app/GDialogMenu.h"

#include <iterator>

#include "GUI/platform/GGame.h"
#include "GUI/toolkit/GScene.h"
#include "game/app/GButtonDM.h"
#include "game/app/GGameDM.h"
#include "game/app/GSceneGame.h"
#include "game/model/GMap.h"

namespace {

constexpr unsigned kButtonStyle = STYLE_VISIBLE | STYLE_BORDER;

// The menu's buttons from the top; the menu grows with the table.
constexpr struct {
  unsigned id;
  const char* label;
  unsigned style;
} kButtons[] = {
    {CMD_CONTINUE, "Continue Game", kButtonStyle | kClosingButtonStyle},
    {CMD_RESTART_LEVEL, "Restart Level", kButtonStyle},
    {CMD_SAVE_GAME, "Save Game", kButtonStyle},
    {CMD_LOAD_GAME_IN_GAME, "Load Game", kButtonStyle},
    {CMD_OPTIONS, "Options", kButtonStyle},
    {CMD_QUIT_TO_MENU, "Quit to Menu", kButtonStyle},
};
constexpr int kButtonCount = static_cast<int>(std::size(kButtons));

// The buttons' column: its top-left corner, each button's size, and the step
// from one button to the next.
constexpr int kColumnX = 30;
constexpr int kColumnY = 30;
constexpr int kButtonWidth = 340;
constexpr int kButtonHeight = 40;
constexpr int kButtonStep = 62;
// The game's look frames the menu in 6 pixels on every side; the column
// keeps the same margin below as above and beside it.
constexpr int kFrame = 6;
constexpr int kWidth = 2 * (kFrame + kColumnX) + kButtonWidth;
constexpr int kHeight = 2 * (kFrame + kColumnY) + (kButtonCount - 1) * kButtonStep + kButtonHeight;

}  // namespace

void GDialogMenu::OnInitDlg() {
  GSceneGame::PauseLevel();
  if (game) game->ShowCursor(true);
  GDialog::OnInitDlg();
  style &= ~STYLE_CAPTION;
  SetSize(kWidth, kHeight);
  const bool testing = GMap::GetInstance()->testMode;
  for (int i = 0; i < kButtonCount; ++i) {
    const auto& e = kButtons[i];
    auto* button = new GButtonDM;
    button->Create(this, e.style, kColumnX, kColumnY + kButtonStep * i, kButtonWidth, kButtonHeight,
                   e.id, e.label);
    if (testing && (e.id == CMD_SAVE_GAME || e.id == CMD_LOAD_GAME_IN_GAME)) button->Enable(false);
  }
}

void GDialogMenu::EndModal(int result) {
  (void)result;
  const bool wasModal = IsModal();
  GDialog::EndModal(0);
  if (!wasModal || !game) return;
  // A level that waits, whether the menu paused it or it waited for its
  // first key, plays from now on; a won or lost one goes on with its end.
  GMap* map = GMap::GetInstance();
  if (map->state == GMap::STATE_WAITING) {
    map->state = GMap::STATE_PLAYING;
    map->stateCounter = 0;
  }
  game->ShowCursor(false);
  // The click on "Menu (Esc)" gave that button the keyboard; the game's keys
  // belong to the scene again.
  if (GScene* scene = game->GetScene(SCENE_GAME); scene && game->GetScene() == scene)
    scene->SetFocus();
}

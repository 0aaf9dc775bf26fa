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
// The buttons' column: its top-left corner, each button's size, and the step
// from one button to the next; the menu ends as far below the last one as the
// column starts above the first.
constexpr int kColumnX = 30;
constexpr int kColumnY = 30;
constexpr int kButtonWidth = 340;
constexpr int kButtonHeight = 40;
constexpr int kButtonStep = 64;

}  // namespace

void GDialogMenu::OnInitDlg() {
  // A level that is won or lost goes on to its end; its solution is for a
  // level in play.
  const int state = GMap::GetInstance()->state;
  const bool ending = state == GMap::STATE_WON || state == GMap::STATE_CAUGHT;
  GSceneGame::PauseLevel();
  if (game) game->ShowCursor(true);
  GDialog::OnInitDlg();
  style &= ~STYLE_CAPTION;
  struct Entry {
    unsigned id;
    const char* label;
    unsigned style;
  };
  static const Entry kButtons[] = {
      {CMD_CONTINUE, "Continue Game", kButtonStyle | kClosingButtonStyle},
      {CMD_RESTART_LEVEL, "Restart Level", kButtonStyle},
      {CMD_SAVE_GAME, "Save Game", kButtonStyle},
      {CMD_LOAD_GAME_IN_GAME, "Load Game", kButtonStyle},
      {CMD_SHOW_SOLUTION, "Show Solution", kButtonStyle},
      {CMD_OPTIONS, "Options", kButtonStyle},
      {CMD_QUIT_TO_MENU, "Quit to Menu", kButtonStyle},
  };
  const int rows = static_cast<int>(std::size(kButtons));
  SetSize(kWidth, 2 * kColumnY + (rows - 1) * kButtonStep + kButtonHeight);
  const bool testing = GMap::GetInstance()->testMode;
  const auto* scene = game ? static_cast<GSceneGame*>(game->GetScene(SCENE_GAME)) : nullptr;
  int y = kColumnY;
  for (const Entry& e : kButtons) {
    auto* button = new GButtonDM;
    button->Create(this, e.style, kColumnX, y, kButtonWidth, kButtonHeight, e.id, e.label);
    y += kButtonStep;
    if ((testing && (e.id == CMD_SAVE_GAME || e.id == CMD_LOAD_GAME_IN_GAME)) ||
        (e.id == CMD_SHOW_SOLUTION && (ending || !scene || !scene->HasSolution())))
      button->Enable(false);
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

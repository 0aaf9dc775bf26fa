#include "game/app/GButtonDM.h"

#include "GUI/platform/GGame.h"
#include "GUI/platform/GPlatform.h"
#include "game/app/GGameDM.h"
#include "game/app/GSceneGame.h"
#include "game/app/GSceneMenu.h"
#include "game/app/GameLinks.h"
#include "game/model/ANIMATION_LIST_UNIT.h"
#include "game/model/GMap.h"
#include "game/model/GMapList.h"

namespace {

GSceneMenu* MenuScene(GGame* game) {
  return static_cast<GSceneMenu*>(game->GetScene(SCENE_MENU));
}

GSceneGame* GameScene(GGame* game) {
  return static_cast<GSceneGame*>(game->GetScene(SCENE_GAME));
}

// A new game on the current map of the list: the game scene, the level
// waiting for a key, the menu button. When the map cannot be played the
// player stays where he was and is told so.
void StartGame(GGame* game, bool test) {
  const int from = game->GetCurrentSceneIndex();
  ANIMATION_LIST_UNIT::GetInstance()->NewGame();
  game->SetScene(SCENE_GAME);
  GMap* map = GMap::GetInstance();
  if (!map->Start()) {
    game->SetScene(from);
    game->MessageBox("Digmaze",
                     GMapList::GetInstance()->GetCount() == 0
                         ? "There is no map to play. Make one in the Map Editor."
                         : "This map cannot be read.",
                     MB_OK);
    return;
  }
  map->testMode = test;
  GameScene(game)->CreateButtonMenu();
}

void ShowSaveLoad(GGame* game, bool load) {
  GDialogSaveLoad& dialog = MenuScene(game)->saveLoadDialog;
  dialog.loadMode = load;
  dialog.BeginModal();
}

}  // namespace

void GButtonDM::OnLButtonClick(unsigned, int, int) {
  RunCommand(id, parent);
}

void GButtonDM::OnLButtonDblClk(unsigned flags, int x, int y) {
  OnLButtonClick(flags, x, y);
}

void GButtonDM::RunCommand(unsigned command, GComponent* owner) {
  GGame* game = GComponent::game;
  if (!game || game->GetSceneCount() <= SCENE_GAME) return;
  GMapList* list = GMapList::GetInstance();
  switch (command) {
    case CMD_START_GAME:
      list->currentName = list->GetCount() > 0 ? list->names[0] : CFerroString();
      StartGame(game, false);
      break;
    case CMD_LOAD_GAME:
    case CMD_LOAD_GAME_IN_GAME:
      ShowSaveLoad(game, true);
      break;
    case CMD_SAVE_GAME:
      ShowSaveLoad(game, false);
      break;
    case CMD_DEMONSTRATION:
      if (GPlatform* platform = game->GetPlatform()) platform->OpenLink(game_links::kHelpPage);
      break;
    case CMD_MAP_EDITOR:
    case CMD_EDITOR_CANCEL:
      game->SetScene(SCENE_MAPS);
      break;
    case CMD_CREDITS:
      MenuScene(game)->creditsDialog.BeginModal();
      break;
    case CMD_EXIT:
      MenuScene(game)->quitBox.Alert("Digmaze", "Do you want to quit to OS?", MB_OK_CANCEL);
      break;
    case CMD_CREATE_MAP: {
      game->SetScene(SCENE_EDITOR);
      GMap* map = GMap::GetInstance();
      map->Create(30, 20);
      map->RefreshMapBackground();
      break;
    }
    case CMD_MAPS_EXIT:
    case CMD_QUIT_TO_MENU:
      game->SetScene(SCENE_MENU);
      break;
    case CMD_GAME_MENU:
      GameScene(game)->menuDialog.BeginModal();
      break;
    case CMD_RESTART_LEVEL:
      if (owner) owner->EndModal(0);
      GMap::GetInstance()->SetState(GMap::STATE_CAUGHT);
      break;
    default:
      // The maps manager's and the editor's commands that need a selected
      // map come with those scenes.
      break;
  }
}

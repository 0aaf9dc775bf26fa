#include "game/app/GButtonDM.h"

#include <cerrno>
#include <cstring>

#include "GUI/platform/GGame.h"
#include "GUI/platform/GPlatform.h"
#include "game/app/GDialogMaps.h"
#include "game/app/GGameDM.h"
#include "game/app/GPictureMinimap.h"
#include "game/app/GSceneGame.h"
#include "game/app/GSceneMapEditor.h"
#include "game/app/GSceneMapsManager.h"
#include "game/app/GSceneMenu.h"
#include "game/app/GameLinks.h"
#include "game/model/ANIMATION_LIST_UNIT.h"
#include "game/model/CMapTransfer.h"
#include "game/model/GMap.h"
#include "game/model/GMapList.h"
#include "game/model/GModelMedia.h"

namespace {

GSceneMenu* MenuScene(GGame* game) {
  return static_cast<GSceneMenu*>(game->GetScene(SCENE_MENU));
}

GSceneGame* GameScene(GGame* game) {
  return static_cast<GSceneGame*>(game->GetScene(SCENE_GAME));
}

GSceneMapEditor* EditorScene(GGame* game) {
  return static_cast<GSceneMapEditor*>(game->GetScene(SCENE_EDITOR));
}

GDialogMaps* MapsGrid(GGame* game) {
  return static_cast<GSceneMapsManager*>(game->GetScene(SCENE_MAPS))->GetMaps();
}

// The map file of the selected miniature, or empty.
CFerroString SelectedMapName(GGame* game) {
  const GDialogMaps* grid = MapsGrid(game);
  const GPictureMinimap* selected = grid->GetMinimap(grid->GetCurrentMinimap());
  return selected ? selected->GetMapName() : CFerroString();
}

// Swaps the selected map with its neighbour at offset (-1 up, +1 down) in
// the level order.
void MoveSelectedMap(GGame* game, int offset) {
  GMapList* list = GMapList::GetInstance();
  const int from = list->GetMapGameIndex(SelectedMapName(game).c_str());
  const int to = from + offset;
  if (from < 0 || to < 0 || to >= list->GetCount()) return;
  list->Exchange(from, to);
  MapsGrid(game)->FollowList();
}

// Asks before deleting the selected map's list entry and file.
void DestroySelectedMap(GGame* game) {
  const CFerroString name = SelectedMapName(game);
  if (name.IsEmpty() || game->MessageBox(GGameDM::kName, "Do you want to destroy this map ?",
                                         MB_OK_CANCEL) != GMessageBox::kOk)
    return;
  GMapList* list = GMapList::GetInstance();
  list->Delete(list->GetMapGameIndex(name.c_str()));
  if (GPlatform* platform = game->GetPlatform())
    platform->RemoveFile((GModelMedia::GetPathToMaps() + name).c_str());
  MapsGrid(game)->FollowList();
}

// Saves the edited map and returns to the maps manager. A new map gets a
// fresh name and joins the end of the level order. The map's miniature is
// drawn anew and selected. When the file cannot be written the player is
// told so and stays in the editor with his map and its history.
void SaveEditedMap(GGame* game) {
  GPlatform* platform = game->GetPlatform();
  if (!platform) return;
  GMap* map = GMap::GetInstance();
  const bool isNew = map->fileName.IsEmpty();
  const CFerroString name =
      isNew ? GMapList::GetInstance()->NewMapName(platform->GetTick()) : map->fileName;
  if (!map->SaveToFile(name.c_str())) {
    game->MessageBox(GGameDM::kName, "The map could not be saved.", MB_OK);
    return;
  }
  if (isNew) GMapList::GetInstance()->Add(name.c_str());
  game->SetScene(SCENE_MAPS);
  MapsGrid(game)->ShowSavedMap(name);
}

// Writes the selected map into the player's documents folder and says where.
void ExportSelectedMap(GGame* game) {
  const CFerroString name = SelectedMapName(game);
  GPlatform* platform = game->GetPlatform();
  if (name.IsEmpty() || !platform) return;
  const CFerroString folder = platform->GetPathToDocuments();
  CFerroString path;
  switch (CMapTransfer::Export(name, folder, path)) {
    case CMapTransfer::Result::done:
      static_cast<GSceneMapsManager*>(game->GetScene(SCENE_MAPS))
          ->ShowNote("Exported to " + CMapTransfer::ShownPath(path.c_str()) + ".");
      break;
    case CMapTransfer::Result::cannotWrite:
      game->MessageBox(GGameDM::kName,
                       ("The map could not be exported into " +
                        CMapTransfer::ShownPath(folder.c_str()) + ": " + std::strerror(errno) + ".")
                           .c_str(),
                       MB_OK);
      break;
    default:
      game->MessageBox(GGameDM::kName, "This map cannot be read.", MB_OK);
      break;
  }
}

enum class SlotAction { save, load };

void ShowSaveLoad(GGame* game, SlotAction action) {
  GDialogSaveLoad& dialog = MenuScene(game)->saveLoadDialog;
  dialog.loadMode = action == SlotAction::load;
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
  // The map list is made on first use, which fills the player's maps folder
  // when it is new: only the commands that play or edit maps ask for it.
  switch (command) {
    case CMD_START_GAME:
      game->SetScene(SCENE_LEVELS);
      break;
    case CMD_LEVELS_BACK:
      game->SetScene(SCENE_MENU);
      break;
    case CMD_LOAD_GAME:
    case CMD_LOAD_GAME_IN_GAME:
      ShowSaveLoad(game, SlotAction::load);
      break;
    case CMD_SAVE_GAME:
      ShowSaveLoad(game, SlotAction::save);
      break;
    case CMD_DEMONSTRATION:
      GameScene(game)->EnterPlay(PlayEntry::demonstration);
      break;
    case CMD_HOW_TO_PLAY:
      // Without a browser the player is told where the page is, to open it himself.
      if (GPlatform* platform = game->GetPlatform();
          platform && !platform->OpenLink(game_links::kHelpPage))
        game->MessageBox(GGameDM::kName,
                         (CFerroString("No web browser could be opened. The how-to-play page is ") +
                          platform->GetPathToGame() + game_links::kHelpPage)
                             .c_str(),
                         MB_OK);
      break;
    case CMD_MAP_EDITOR:
      game->SetScene(SCENE_MAPS);
      break;
    case CMD_EDITOR_CANCEL:
      // Cancel, Escape and the gamepad's B all land here: unsaved strokes
      // are only thrown away when the player says so.
      if (EditorScene(game)->HasChanges() &&
          game->MessageBox(GGameDM::kName, "Discard the changes to this map?", MB_OK_CANCEL) !=
              GMessageBox::kOk)
        break;
      game->SetScene(SCENE_MAPS);
      break;
    case CMD_CREDITS:
      MenuScene(game)->creditsDialog.BeginModal();
      break;
    case CMD_OPTIONS:
      MenuScene(game)->optionsDialog.BeginModal();
      break;
    case CMD_KEYS_DEFAULTS:
      if (owner) static_cast<GDialogKeys*>(owner)->RestoreDefaults();
      break;
    case CMD_EXIT:
      MenuScene(game)->quitBox.Alert(GGameDM::kName, "Do you want to quit to OS?", MB_OK_CANCEL);
      break;
    case CMD_CREATE_MAP: {
      game->SetScene(SCENE_EDITOR);
      GMap* map = GMap::GetInstance();
      map->Create(30, 20);
      map->RefreshMapBackground();
      EditorScene(game)->RememberOpenedMap();
      break;
    }
    case CMD_DESTROY_MAP:
      DestroySelectedMap(game);
      break;
    case CMD_EDIT_MAP: {
      const CFerroString name = SelectedMapName(game);
      if (name.IsEmpty()) break;
      game->SetScene(SCENE_EDITOR);
      GMap* map = GMap::GetInstance();
      // A map that cannot be read is not opened: the editor would show
      // another map under this one's name, and saving would write over it.
      if (!map->LoadFromFile(name.c_str())) {
        game->SetScene(SCENE_MAPS);
        game->MessageBox(GGameDM::kName, "This map cannot be read.", MB_OK);
        break;
      }
      map->RefreshMapBackground();
      EditorScene(game)->RememberOpenedMap();
      break;
    }
    case CMD_MAP_UP:
      MoveSelectedMap(game, -1);
      break;
    case CMD_MAP_DOWN:
      MoveSelectedMap(game, 1);
      break;
    case CMD_MAPS_EXPORT:
      ExportSelectedMap(game);
      break;
    case CMD_TEST_MAP: {
      const CFerroString name = SelectedMapName(game);
      if (!name.IsEmpty()) GameScene(game)->EnterPlay(PlayEntry::testRun, name);
      break;
    }
    case CMD_EDITOR_SAVE:
      SaveEditedMap(game);
      break;
    case CMD_EDITOR_CHECK:
      EditorScene(game)->CheckMap();
      break;
    case CMD_CHECK_SHOW:
      EditorScene(game)->ShowSolution();
      break;
    case CMD_MAPS_EXIT:
      game->SetScene(SCENE_MENU);
      break;
    case CMD_QUIT_TO_MENU:
      // A test play goes back where it came from, as a won or lost one does.
      game->SetScene(GMap::GetInstance()->testMode ? SCENE_MAPS : SCENE_MENU);
      break;
    case CMD_GAME_MENU:
      GameScene(game)->menuDialog.BeginModal();
      break;
    case CMD_SHOW_SOLUTION:
      if (owner) owner->EndModal(0);
      GameScene(game)->EnterPlay(PlayEntry::solution);
      break;
    case CMD_RESTART_LEVEL: {
      if (owner) owner->EndModal(0);
      // The life is lost as if caught, but the player chose it: the level
      // restarts on the next tick instead of holding the old picture still.
      GMap* map = GMap::GetInstance();
      map->SetState(GMap::STATE_CAUGHT);
      map->stateCounter = GSceneGame::kEndPause;
      GModelMedia::PlaySound(ANIMATION_LIST_UNIT::GetInstance()->soundDeath);
      break;
    }
    default:
      break;
  }
}

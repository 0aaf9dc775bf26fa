#include "game/app/GSceneMapsManager.h"

#include "GUI/toolkit/GStatic.h"
#include "game/app/GButtonDM.h"
#include "game/app/GDialogMaps.h"
#include "game/app/GGameDM.h"
#include "game/app/GPictureMinimap.h"
#include "game/model/GMapList.h"

namespace {

// The row of buttons along the bottom, the line of the last import or
// export over it, and the grid above them, two whole rows of miniatures high.
constexpr int kButtonRowFromBottom = 54;
constexpr int kButtonHeight = 34;
constexpr int kGridFromBottom = 86;
constexpr int kNoteFromBottom = 82;
constexpr int kNoteHeight = 22;
constexpr int kNoteLeft = 8;

}  // namespace

GSceneMapsManager::GSceneMapsManager() {
  struct ButtonEntry {
    COMMAND_ID id;
    const char* label;
    int x;
    int width;
  };
  const ButtonEntry buttons[] = {
      {CMD_EDIT_MAP, "Edit Map", 0, 130},
      {CMD_CREATE_MAP, "Create Map", 150, 130},
      {CMD_DESTROY_MAP, "Destroy Map", 300, 130},
      {CMD_MAP_UP, "Up", 470, 65},
      {CMD_MAP_DOWN, "Down", 555, 65},
      {CMD_MAPS_EXPORT, "Export", 640, 90},
      {CMD_TEST_MAP, "Test", width - 280, 130},
      {CMD_MAPS_EXIT, "Exit", width - 130, 130},
  };
  for (const ButtonEntry& entry : buttons) {
    // Escape, and the pad's B, press Exit: back to the main menu.
    const unsigned style =
        entry.id == CMD_MAPS_EXIT ? kFramedStyle | STYLE_CANCEL_BUTTON : kFramedStyle;
    auto* button = new GButtonDM;
    button->Create(this, style, entry.x, height - kButtonRowFromBottom, entry.width, kButtonHeight,
                   entry.id, entry.label);
  }
  maps = new GDialogMaps;
  maps->Create(this, kFramedStyle | STYLE_SCROLL_CHILDREN, 0, 0, width, height - kGridFromBottom,
               CMD_MINIMAPS);
  note = new GStatic;
  note->Create(this, STYLE_VISIBLE, kNoteLeft, height - kNoteFromBottom, width - 2 * kNoteLeft,
               kNoteHeight, 0, "");
}

void GSceneMapsManager::ShowNote(const CFerroString& text) {
  note->SetWindowText(text.c_str());
}

CFerroString GSceneMapsManager::GetNote() const {
  return note->GetWindowText();
}

void GSceneMapsManager::OnFinish(int) {
  ShowNote(CFerroString());
}

void GSceneMapsManager::SelectMap(const CFerroString& name) {
  maps->FollowList();
  for (int i = 0; i < maps->GetMinimapCount(); ++i)
    if (maps->GetMinimap(i)->GetMapName() == name) maps->SelectMinimap(i);
}

void GSceneMapsManager::OnStart() {
  if (auto* app = dynamic_cast<GGameDM*>(game)) app->PlayMusic(MUSIC_MENU);
  // An empty grid (the first visit) takes in the maps put into or taken out
  // of the folder while the game was not running.
  if (maps->GetMinimapCount() == 0) GMapList::GetInstance()->FollowFolder();
  maps->FollowList();
}

GComponent* GSceneMapsManager::GetDefaultFocus() {
  if (maps->GetMinimapCount() > 0) return maps;
  return Find(static_cast<unsigned>(CMD_CREATE_MAP));
}

void GSceneMapsManager::RefreshButtons() {
  const int selected = maps->GetCurrentMinimap();
  const int count = maps->GetMinimapCount();
  const auto enable = [this](COMMAND_ID id, bool on) {
    if (GComponent* button = Find(static_cast<unsigned>(id))) button->Enable(on);
  };
  enable(CMD_EDIT_MAP, selected >= 0);
  enable(CMD_DESTROY_MAP, selected >= 0);
  enable(CMD_TEST_MAP, selected >= 0);
  enable(CMD_MAPS_EXPORT, selected >= 0);
  enable(CMD_MAP_UP, selected >= 1);
  enable(CMD_MAP_DOWN, selected >= 0 && selected < count - 1);
}

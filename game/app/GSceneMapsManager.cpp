#include "game/app/GSceneMapsManager.h"

#include "game/app/GButtonDM.h"
#include "game/app/GDialogMaps.h"
#include "game/app/GGameDM.h"

GSceneMapsManager::GSceneMapsManager() {
  struct ButtonSpec {
    COMMAND_ID id;
    const char* label;
    int x;
    int width;
  };
  const ButtonSpec buttons[] = {
      {CMD_EDIT_MAP, "Edit Map", 0, 130},
      {CMD_CREATE_MAP, "Create Map", 150, 130},
      {CMD_DESTROY_MAP, "Destroy Map", 300, 130},
      {CMD_MAP_UP, "Up", 470, 65},
      {CMD_MAP_DOWN, "Down", 555, 65},
      {CMD_TEST_MAP, "Test", width - 280, 130},
      {CMD_MAPS_EXIT, "Exit", width - 130, 130},
  };
  for (const ButtonSpec& spec : buttons) {
    auto* button = new GButtonDM;
    button->Create(this, kFramedStyle, spec.x, height - 54, spec.width, 34, spec.id, spec.label);
  }
  maps = new GDialogMaps;
  maps->Create(this, kFramedStyle | STYLE_SCROLL_CHILDREN, 0, 0, width, height - 74, CMD_MINIMAPS);
}

void GSceneMapsManager::OnStart() {
  if (auto* app = dynamic_cast<GGameDM*>(game)) app->PlayMusic(MUSIC_MENU);
  if (maps->GetMinimapCount() == 0) maps->Init();
  RefreshButtons();
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
  enable(CMD_MAP_UP, selected >= 1);
  enable(CMD_MAP_DOWN, selected >= 0 && selected < count - 1);
}

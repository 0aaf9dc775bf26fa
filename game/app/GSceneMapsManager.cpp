#include "game/app/GSceneMapsManager.h"

#include "game/app/GButtonDM.h"

GSceneMapsManager::GSceneMapsManager() {
  // Until the miniatures are here, the manager offers its way back.
  auto* exit = new GButtonDM;
  exit->Create(this, STYLE_VISIBLE | STYLE_BORDER | STYLE_ALPHA | STYLE_FRAMED | STYLE_CANCEL_BUTTON,
               (width - 300) / 2, height - 100, 300, 54, CMD_MAPS_EXIT, "Exit");
}

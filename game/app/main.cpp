#include <cstring>

#include "game/app/GGameDM.h"

// The game always runs full-screen; nothing changes this.
bool fullscreen = true;

int main(int argc, char** argv) {
  GGameDM game(GGameDM::kId, "Digmaze", "1.0", fullscreen);
  // --record FOLDER: write the keys of every level played into FOLDER.
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], "--record") == 0) game.SetRecordFolder(argv[i + 1]);
  if (!game.CreateGame(nullptr, 0, 0)) return 1;
  game.Play();
  return 0;
}

#include "game/app/GGameDM.h"

// The game always runs full-screen; nothing changes this.
bool fullscreen = true;

int main() {
  GGameDM game(GGameDM::kId, "Digmaze", "1.0", fullscreen);
  if (!game.CreateGame(nullptr, 0, 0)) return 1;
  game.Play();
  return 0;
}

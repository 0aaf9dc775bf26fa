#include <cstdio>

#include "game/app/CCommandLine.h"
#include "game/app/GGameDM.h"

// Full screen unless the command line asks for a window.
bool fullscreen = true;

int main(int argc, char** argv) {
  const CCommandLine options = CCommandLine::Parse(argc, argv);
  if (options.action != CCommandLine::Action::Play)
    return options.Report(GGameDM::kVersion, stdout, stderr);
  fullscreen = !options.windowed;

  GGameDM game(GGameDM::kId, GGameDM::kName, GGameDM::kVersion, fullscreen);
  // --record FOLDER: write the keys of every level played into FOLDER.
  if (!options.recordFolder.empty()) game.SetRecordFolder(options.recordFolder.c_str());

  // A window gets the size of the picture, so it shows at 1:1; full screen
  // takes the desktop's size and letterboxes the picture into it.
  const int width = options.windowed ? 1024 : 0;
  const int height = options.windowed ? 768 : 0;
  if (!game.CreateGame(nullptr, width, height)) return 1;
  game.Play();
  return 0;
}

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "game/app/CCommandLine.h"
#include "game/app/GGameDM.h"

// Full screen unless the command line or the settings file asks for a window;
// the application settles it when it makes its device.
bool fullscreen = true;

int main(int argc, char** argv) {
  const CCommandLine options = CCommandLine::Parse(argc, argv);
  if (options.action != CCommandLine::Action::Play)
    return options.Report(GGameDM::kVersion, stdout, stderr);

  GGameDM game(GGameDM::kId, GGameDM::kName, GGameDM::kVersion, fullscreen);
  game.RequestDisplay(options.windowMode, options.scale);
  // --record FOLDER: write the keys of every level played into FOLDER.
  if (!options.recordFolder.empty()) game.SetRecordFolder(options.recordFolder.c_str());
  // MAPFILE: imported once the game runs; named from where the game was started.
  if (!options.mapFile.empty()) {
    std::error_code failed;
    const std::filesystem::path file = std::filesystem::absolute(options.mapFile, failed);
    game.ImportMap((failed ? options.mapFile : file.string()).c_str());
  }

  // The window takes the desktop in full screen and its windowed size (the
  // settings' or 1024 x 768) otherwise; the picture is scaled into it.
  if (!game.CreateGame(nullptr, 0, 0)) return 1;
  game.Play();
  return 0;
}

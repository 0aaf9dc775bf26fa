#pragma once

#include <cstdio>
#include <optional>
#include <string>

#include "GUI/graphics/CPictureTransform.h"
#include "game/app/CGameSettings.h"

// The game's command line, read before anything else starts:
//   digmaze [--windowed] [--fullscreen] [--scale sharp|integer|off]
//           [--record FOLDER] [MAPFILE] | --help | --version
// The options' help texts are the table in game/app/GameHelp.h.
// Parse never prints and never ends the program; Report prints what an
// action other than playing asks for and gives the exit code.
struct CCommandLine {
  enum class Action {
    Play,     // start the game with the options below
    Help,     // print the help text, exit 0
    Version,  // print "<program> <version>", exit 0
    Usage,    // print the complaint and the usage line, exit 2
  };

  Action action = Action::Play;
  // A window (--windowed) or full screen (--fullscreen); the last one given
  // counts. Unset, the settings file decides.
  std::optional<WindowMode> windowMode;
  // How the picture is scaled; unset, the settings file decides.
  std::optional<ScaleMode> scale;
  // Where the games played are recorded; empty for no recording.
  std::string recordFolder;
  // A map file to import; empty for none.
  std::string mapFile;
  // For Action::Usage: what was wrong with the command line.
  std::string complaint;

  // Reads argv[1 .. argc - 1]. Options are taken in order: the first --help
  // or --version decides at once, as does the first argument that is not an
  // option of the game (or --record without its folder, --scale without a
  // mode it knows, a second map file). An argument that does not start with
  // "-" is the map file, and so is any argument after "--".
  static CCommandLine Parse(int argc, const char* const* argv);

  // For an action other than Play: prints to out (help, version) or err
  // (usage) and returns the process's exit code. Play prints nothing and
  // returns 0.
  int Report(const char* version, FILE* out, FILE* err) const;

  // "usage: digmaze [--windowed] ...", from the options of game/app/GameHelp.h.
  static std::string Usage();
};

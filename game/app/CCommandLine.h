#pragma once

#include <cstdio>
#include <string>

// The game's command line, read before anything else starts:
//   digmaze [--windowed] [--record FOLDER] | --help | --version
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
  // A 1024 x 768 window instead of full screen.
  bool windowed = false;
  // Where the games played are recorded; empty for no recording.
  std::string recordFolder;
  // For Action::Usage: what was wrong with the command line.
  std::string complaint;

  // Reads argv[1 .. argc - 1]. Options are taken in order: the first --help
  // or --version decides at once, as does the first argument that is not an
  // option of the game (or --record without its folder).
  static CCommandLine Parse(int argc, const char* const* argv);

  // For an action other than Play: prints to out (help, version) or err
  // (usage) and returns the process's exit code. Play prints nothing and
  // returns 0.
  int Report(const char* version, FILE* out, FILE* err) const;

  // "usage: digmaze [--windowed] ...", from the options of game/app/GameHelp.h.
  static std::string Usage();
};

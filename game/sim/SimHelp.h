#pragma once

#include "game/sim/HelpText.h"

// What digmaze-sim's usage and help texts and its manual page say about its
// command line. A new argument or option is added to kArguments (and read in
// game/sim/main.cpp); the rest of the manual page is packaging/digmaze-sim.6.in.
namespace sim_help {

inline constexpr char kProgram[] = "digmaze-sim";
inline constexpr char kSummary[] = "play a Digmaze level headless, one status line per tick";

inline constexpr HELP_ITEM kArguments[] = {
    {"MAPFILE", nullptr, HELP_REQUIRED, "the map file (.dmm) to play", nullptr},
    {"SCRIPT", nullptr, HELP_REQUIRED, "the key presses and releases, one a line",
     "Each line is \"t down KEY\" or \"t up KEY\": at tick t the key goes down or up. "
     "KEY is one of Left, Right, Up, Down, Space and Escape. "
     "\"t steering stop-on-release\" (or keep-going, the default) says how a released "
     "direction key steers from tick t on, and \"t speed fast\" (slow, normal) at what "
     "speed the level was played, which changes nothing of the play. "
     "Blank lines and lines starting with # are skipped. One line may say where play starts: "
     "\"start TICK score S lives L treasures N\", \"restart ...\" after a lost life, or "
     "\"resume HEX\", the whole level state a rewind took play back to, as the game records "
     "it."},
    {"TICKS", nullptr, HELP_REQUIRED, "the number of ticks to play, 0 to 100000000", nullptr},
    {"--help", nullptr, HELP_ALONE, "print this help and quit", nullptr},
};

}  // namespace sim_help

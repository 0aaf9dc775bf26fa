#pragma once

#include <string>
#include <vector>

#include "GUI/foundation/CFerroString.h"
#include "game/sim/GSimulation.h"

class GPlatform;

// Replays played in the game scene. The demonstration's are winning
// digmaze-sim scripts of the campaign, shipped in the game folder's "demo"
// folder and named after their maps ("level09.txt" plays "Maps/level09.dmm"
// of the game folder), played in name order. A solution is one replay held
// in memory with its map, the win the map editor's check found. The level
// itself runs in the game scene by the rules and drawing of play; this
// object loads each replay's map and start, presses and releases its keys at
// their ticks, counted as digmaze-sim counts them, and tells when a replay
// goes wrong. It reads only the game folder and writes nothing; what goes
// wrong goes into the error log.
class GDemonstration {
 public:
  enum class Kind { demonstration, solution };

  // The game folder's folder of replays.
  static constexpr const char* kFolder = "demo";

  // Finds the replays; false, with a line in the error log, when there are none.
  bool Begin(GPlatform* platform);
  // Prepares the solution events, which win the map whose file's bytes are
  // mapBytes by tick endTick, to be played from a new game; false when the
  // map cannot be read.
  bool BeginSolution(GPlatform* platform, const std::string& mapBytes,
                     std::vector<SIM_EVENT> events, unsigned endTick, int levelNumber);
  // Forgets the replays: the demonstration or the solution is over.
  void End();
  bool IsOn() const { return platform != nullptr; }
  Kind GetKind() const { return kind; }

  // Starts the level of the next replay from its start line (a new game
  // without one), waiting for the replay's first key. False after the last
  // replay, and when a replay or its map cannot be read (said in the error log).
  bool StartNext();
  // Called once a tick while the level waits or plays, before it is updated:
  // presses and releases the replay's keys of this tick. False, with a line
  // in the error log, once the replay has gone past the tick its "# end"
  // line says it wins on.
  bool FeedKeys();
  // Called when the level was lost, which a winning replay never is: says so
  // in the error log.
  void ReportLost();

  // The campaign's number of the level shown: the digits that end its map's
  // name ("level09" is 9), 0 when there are none.
  int GetLevelNumber() const { return levelNumber; }
  // The replay's tick whose keys were fed last, as digmaze-sim counts and
  // prints it.
  unsigned GetLastTick() const { return nextTick - 1; }

 private:
  void Report(const CFerroString& what) const;

  // Starts the solution's level; false when it was played already.
  bool StartSolution();

  GPlatform* platform = nullptr;  // while the demonstration or the solution is on
  Kind kind = Kind::demonstration;
  std::string solutionMap;  // the solution's map file bytes
  CFerroString gameFolder;
  std::vector<CFerroString> replays;  // file names in the replays' folder
  size_t nextReplay = 0;
  CFerroString replayPath;  // of the replay being played
  GSimulation keys;
  std::vector<SIM_EVENT> events;
  unsigned nextTick = 0;
  unsigned endTick = 0;
  int levelNumber = 0;
};

#pragma once

#include <string>
#include <vector>

#include "GUI/foundation/CFerroString.h"
#include "game/sim/GSimulation.h"

class GPlatform;

// A replay file and the map file it plays on.
struct REPLAY_FILE {
  CFerroString replay;
  CFerroString map;
};

// Replays played in the game scene: winning digmaze-sim scripts of the
// campaign. The demonstration plays the game folder's "demo" folder in name
// order, each on the shipped map of its name ("level09.txt" plays
// "Maps/level09.dmm" of the game folder). A solution plays one level's
// replay from the game folder's "solutions" folder, whose table
// ("digests.txt": the digest of a map file, as the player's records keep it,
// and a replay's name a line) finds it by the content of the map being
// played, under any name. A solution may also be a win the map editor's
// check found, held in memory with the bytes of its map. The level itself
// runs in the game scene by the rules and drawing of play; this object loads
// each replay's map and start, presses and releases its keys at their ticks,
// counted as digmaze-sim counts them, and tells when a replay goes wrong. It
// reads only the game folder and the map and writes nothing; what goes wrong
// goes into the error log.
class GDemonstration {
 public:
  enum class Kind { demonstration, solution };

  // The game folder's folder of the demonstration's replays, and of the
  // solutions with their table.
  static constexpr const char* kFolder = "demo";
  static constexpr const char* kSolutionsFolder = "solutions";
  static constexpr const char* kSolutionsTable = "digests.txt";

  // Finds the demonstration's replays; false, with a line in the error log,
  // when there are none.
  bool Begin(GPlatform* platform);
  // Prepares the solution of the map file at mapPath, played on that file;
  // false when the game ships none for its content.
  bool BeginSolution(GPlatform* platform, const CFerroString& mapPath);
  // The shipped replay that wins the map file at mapPath (found by the
  // digest of its content), with that file; false when there is none.
  static bool FindSolution(GPlatform* platform, const CFerroString& mapPath, REPLAY_FILE* found);
  // Prepares the solution events, which win the map whose file's bytes are
  // mapBytes by tick endTick (the map editor's check found them), to be
  // played from a new game; levelNumber is the level shown. False when the
  // map cannot be read.
  bool BeginSolution(GPlatform* platform, const std::string& mapBytes,
                     std::vector<SIM_EVENT> events, unsigned endTick, int levelNumber);
  // Forgets the replays: the demonstration or solution is over.
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
  // name ("level09" is 9), or the number a win held in memory was given; 0
  // when there are none.
  int GetLevelNumber() const { return levelNumber; }
  // The replay's tick whose keys were fed last, as digmaze-sim counts and
  // prints it.
  unsigned GetLastTick() const { return nextTick - 1; }

 private:
  void Report(const CFerroString& what) const;

  // Starts the level of the solution held in memory; false once it was played.
  bool StartSolution();

  GPlatform* platform = nullptr;  // while the demonstration or solution is on
  Kind kind = Kind::demonstration;
  std::vector<REPLAY_FILE> replays;
  std::string solutionMap;  // the map file bytes of a solution held in memory
  size_t nextReplay = 0;
  CFerroString replayPath;  // of the replay being played
  GSimulation keys;
  std::vector<SIM_EVENT> events;
  unsigned nextTick = 0;
  unsigned endTick = 0;
  int levelNumber = 0;
};

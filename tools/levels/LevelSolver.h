#pragma once

#include <functional>
#include <string>
#include <vector>

#include "game/sim/GSimulation.h"

// Searches a winning input for the level loaded in the map, by the game's own
// rules: a beam search over the runner's choices at every square it stands on
// (one of the four arrows, a dig, or nothing), ranked by treasures taken and
// the distance left to the nearest treasure (or the exit once it shows).
// Aliens and holes are simulated exactly; a state where the runner is caught
// is dropped.
class LevelSolver {
 public:
  struct Options {
    int beamWidth = 400;
    int maxDecisions = 900;
    // At most this many states of the beam per runner square and treasure count.
    int perSquare = 6;
    // What a dig costs in the ranking, in tenths of a square of distance: a
    // small cost keeps replays from digging where it does not help.
    double digCost = 5.0;
    // What an alien within two squares costs in the ranking, for each square
    // it is nearer than three: a little, so that the search still walks past
    // aliens where the way leads; much, to keep clear of them.
    double dangerCost = 4.0;
    // Prints one line a decision on stderr: how the search goes.
    bool trace = false;
    // Called after every decision with the states searched so far and the
    // treasures the best state of the beam holds.
    std::function<void(long long states, int treasures)> progress;
  };

  // Searches from the map as loaded (before the level starts). True with the
  // script's events when a win was found. searched, when given, receives the
  // number of states the search played out, found or not.
  static bool Solve(const Options& options, std::vector<SIM_EVENT>& events,
                    long long* searched = nullptr);

  // The script text of events, one "t down KEY" / "t up KEY" a line.
  static std::string ScriptText(const std::vector<SIM_EVENT>& events);
};

#pragma once

#include <string>

#include "GUI/foundation/CFerroString.h"
#include "GUI/platform/GPlatform.h"
#include "game/sim/CCheckReport.h"

// The map editor's check of the map as it stands: the check program
// (digmaze-check, beside the game) searches a win in a process of its own, on
// a copy of the map written into the per-user temporary folder, so the
// game's one map is never shared with the search and the editor goes on
// while it runs. Poll, called on the game's ticks, reads what the program
// reported so far without waiting. The copy is removed, and the program
// ended, once the answer is in, on Cancel and when the check goes away.
class GMapCheck {
 public:
  enum class State {
    idle,      // nothing started
    running,   // the search goes on
    answered,  // the report holds the answer
    failed,    // the program could not start, broke off or said nonsense
  };

  GMapCheck() = default;
  GMapCheck(const GMapCheck&) = delete;
  GMapCheck& operator=(const GMapCheck&) = delete;
  ~GMapCheck();

  // Starts checking the map's grid (mapBytes, the bytes of its file) with the
  // program at programPath. False, in State::failed, when the copy cannot
  // be written or the program cannot be started.
  bool Start(GPlatform* platform, const CFerroString& programPath, const std::string& mapBytes);
  // Reads what the program wrote since the last call; true when anything
  // changed (the progress, the state).
  bool Poll();
  // Ends a search that runs at once; the check is idle again. An answer
  // already read is kept.
  void Cancel();

  State GetState() const { return state; }
  const CCheckReport& GetReport() const { return report; }
  // The part of the search done, from 0 to 1: the treasures the best line of
  // play holds, out of the treasures and the exit.
  double GetFraction() const;
  // "States searched: 1,234,567".
  CFerroString ProgressText() const;
  // The answer as the player reads it ("This map can be won in 1:23 with 4
  // holes dug.", "The map has no exit." ...), or "The check could not run."
  CFerroString AnswerText() const;

  // 1234567 as "1,234,567".
  static CFerroString GroupDigits(long long n);

 private:
  // Ends the program and removes the copy; the state becomes state.
  void Finish(State state);

  GPlatform* platform = nullptr;
  PROCESS_DATA process;
  CFerroString copyPath;
  CCheckReport report;
  State state = State::idle;
};

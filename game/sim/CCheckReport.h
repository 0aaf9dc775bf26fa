#pragma once

#include <string>
#include <vector>

#include "game/sim/GSimulation.h"

// What the map check (digmaze-check) tells the game on its standard output,
// one line at a time, and how the game reads it back:
//
//   progress STATES TAKEN TREASURES   the states searched so far, and the
//                                     treasures the best line of play holds
//   won TICKS HOLES STATES            a win: how long it plays, the holes it
//                                     digs; the script's lines follow
//   t down KEY / t up KEY ...         the winning keys (digmaze-sim's script)
//   end                               the end of the script
//   nowin STATES                      the whole search found no win
//   refused runner|exit|treasure      the map has no runner, exit or treasure
//
// The answer (won ... end, nowin, refused) is the last thing the check
// writes; anything that is not one of these lines spoils the report.
class CCheckReport {
 public:
  enum class Answer { none, won, noWin, noRunner, noExit, noTreasure };

  // The lines the check writes.
  static std::string ProgressLine(long long states, int taken, int treasures);
  // The won line, the script and its end.
  static std::string WonText(unsigned ticks, int holes, long long states,
                             const std::vector<SIM_EVENT>& events);
  static std::string NoWinLine(long long states);
  // "refused runner" and so on, for noRunner, noExit and noTreasure.
  static std::string RefusedLine(Answer why);

  // Reads what the check wrote since the last call (any piece of it; a
  // line is taken once it is complete). Nothing more is read after the
  // answer or a line that spoils the report.
  void Take(const std::string& text);
  // Whether a whole answer was read.
  bool HasAnswer() const { return answer != Answer::none && !inScript; }
  // Whether a line was not understood (or came after the answer).
  bool IsSpoiled() const { return spoiled; }

  Answer GetAnswer() const { return HasAnswer() ? answer : Answer::none; }
  long long GetStates() const { return states; }
  int GetTaken() const { return taken; }
  int GetTreasures() const { return treasures; }
  // For a win: the ticks it plays, the holes it digs and its keys.
  unsigned GetTicks() const { return ticks; }
  int GetHoles() const { return holes; }
  const std::vector<SIM_EVENT>& GetEvents() const { return events; }

 private:
  void TakeLine(const std::string& line);

  std::string pending;  // an incomplete last line
  Answer answer = Answer::none;
  bool inScript = false;
  bool spoiled = false;
  long long states = 0;
  int taken = 0;
  int treasures = 0;
  unsigned ticks = 0;
  int holes = 0;
  std::string script;
  std::vector<SIM_EVENT> events;
};

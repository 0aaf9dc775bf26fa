#pragma once

#include <iosfwd>
#include <string>
#include <utility>
#include <vector>

#include "GUI/toolkit/InputCodes.h"
#include "game/model/GPlayerKeys.h"
#include "game/model/GameSpeed.h"

// The keys a script can press: the framework codes of the keys of play, named
// in scripts as the model's key table names them (Left, Right, Up, Down,
// Space, Escape).
enum SIM_KEY : unsigned {
  SIM_LEFT = KEY_LEFT,
  SIM_RIGHT = KEY_RIGHT,
  SIM_UP = KEY_UP,
  SIM_DOWN = KEY_DOWN,
  SIM_SPACE = KEY_SPACE,
  SIM_ESCAPE = KEY_ESCAPE,
};

// What a line of a script says happened at its tick.
enum class SIM_EVENT_KIND {
  key,       // "t down KEY", "t up KEY"
  steering,  // "t steering keep-going|stop-on-release": the keys steer so from now on
  speed,     // "t speed slow|normal|fast": the level runs so fast from now on,
             // which changes nothing of the rules and is only told
};

// One line of a script: at tick, key goes down or up, or the steering or the
// speed changes. A script without a steering line is played keep-going.
struct SIM_EVENT {
  unsigned tick = 0;
  bool down = true;
  SIM_KEY key = SIM_LEFT;
  SIM_EVENT_KIND kind = SIM_EVENT_KIND::key;
  Steering steering = Steering::keepGoing;
  GameSpeed speed = GameSpeed::normal;
};

// Where a script's play starts, from its "start", "restart" or "resume"
// line; without one, a new game (10 lives, no score, no treasure) at tick 0.
//   start TICK score S lives L treasures N
//   restart TICK score S lives L treasures N [taken X,Y ...]
//   resume HEX
// "restart" is the level after a lost life: the treasures of the taken
// squares are gone, the exit shows when none is left, and the units are
// back on their start squares. "resume" is a level taken back by a rewind:
// HEX is its whole level state (WriteLevelState's bytes, two hexadecimal
// digits each), tick, counters and controls included, which replaces the
// map's.
struct SIM_START {
  bool restarted = false;
  unsigned tick = 0;
  int score = 0;
  int lives = 10;
  int treasures = 0;
  std::vector<std::pair<int, int>> taken;
  // A resumed level's state; empty for the other starts.
  std::vector<unsigned char> state;
};

// Drives the level headless: keys go to the runner's controls exactly as the
// game scene's key handlers send them, and each tick runs GMap::Update while
// the level plays. Used by digmaze-sim and by the rule tests.
class GSimulation {
 public:
  // Parses "t down KEY" / "t up KEY" lines and at most one start line (into
  // start, when given); blank lines and lines starting with '#' are skipped.
  // False with a message naming the line on error.
  static bool ParseScript(const std::string& text, std::vector<SIM_EVENT>& events,
                          std::string& error, SIM_START* start = nullptr);
  // The key of a script name, or -1.
  static int KeyOf(const std::string& name);
  // The start line of a SIM_START, as ParseScript reads it.
  static std::string StartLine(const SIM_START& start);
  // The status line a script stores after its last "# end " comment (the
  // line Run prints last when the replay wins) and the tick it names; false
  // when the script stores none.
  static bool ParseEnd(const std::string& text, std::string& line, unsigned& tick);

  // Loads a map file by path; false leaves the level as it was.
  static bool LoadMap(const char* path);
  // Starts the loaded map: the counters of a new game (or those of start),
  // the units placed (or the state resumed), the keys steering keep-going
  // and the level waiting for a key.
  void Begin(const SIM_START& start = SIM_START());

  // A key press as the game scene handles it; a press of a held key is ignored.
  void KeyDown(SIM_KEY key);
  void KeyUp(SIM_KEY key);
  // The line of a change of steering or speed at tick, as ParseScript reads it.
  static std::string SteeringLine(unsigned tick, Steering steering);
  static std::string SpeedLine(unsigned tick, GameSpeed speed);
  // Applies the events of tick t (in script order).
  void ApplyEvents(unsigned t, const std::vector<SIM_EVENT>& events);
  // Applies the events of tick t, then updates the level when it plays.
  void Tick(unsigned t, const std::vector<SIM_EVENT>& events);
  // "T t S state SC score L lives TR treasures R x y animation frame" and
  // " A x y animation frame" for each alien.
  static std::string StatusLine(unsigned t);
  // Runs the ticks from the start tick to ticks - 1, printing one status line
  // each, and stops after the line on which the level is won or lost.
  void Run(const std::vector<SIM_EVENT>& events, unsigned ticks, std::ostream& out);

 private:
  bool held[KEY_LAST + 1] = {};
};

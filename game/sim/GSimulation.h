#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// The keys a script can press, as the game scene sees them.
enum SIM_KEY { SIM_LEFT, SIM_RIGHT, SIM_UP, SIM_DOWN, SIM_SPACE, SIM_ESCAPE, SIM_KEY_COUNT };

// One line of a script: at tick, key goes down or up.
struct SIM_EVENT {
  unsigned tick = 0;
  bool down = true;
  SIM_KEY key = SIM_LEFT;
};

// Drives the level headless: keys go to the runner's controls exactly as the
// game scene's key handlers send them, and each tick runs GMap::Update while
// the level plays. Used by digmaze-sim and by the rule tests.
class GSimulation {
 public:
  // Parses "t down KEY" / "t up KEY" lines; blank lines and lines starting
  // with '#' are skipped. False with a message naming the line on error.
  static bool ParseScript(const std::string& text, std::vector<SIM_EVENT>& events,
                          std::string& error);
  // The key of a script name (Left, Right, Up, Down, Space, Escape), or -1.
  static int KeyOf(const std::string& name);

  // Loads a map file by path; false leaves the level as it was.
  static bool LoadMap(const char* path);
  // Starts the loaded map as a new game: the counters of a new game, the units
  // placed and the level waiting for a key.
  void Begin();

  // A key press as the game scene handles it; a press of a held key is ignored.
  void KeyDown(SIM_KEY key);
  void KeyUp(SIM_KEY key);
  // Applies the events of tick t (in script order), then updates the level when it plays.
  void Tick(unsigned t, const std::vector<SIM_EVENT>& events);
  // "T t S state SC score L lives TR treasures R x y animation frame" and
  // " A x y animation frame" for each alien.
  static std::string StatusLine(unsigned t);
  // Runs ticks 0 .. ticks - 1, printing one status line each, and stops after
  // the line on which the level is won or lost.
  void Run(const std::vector<SIM_EVENT>& events, unsigned ticks, std::ostream& out);

 private:
  bool held[SIM_KEY_COUNT] = {};
};

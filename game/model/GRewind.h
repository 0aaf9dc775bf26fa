#pragma once

#include <cstddef>
#include <vector>

#include "game/model/LEVEL_TALLY.h"

// The last half minute of a level, kept so that play can be taken back: the
// level state (the saved game's level part, WriteLevelState) at the start of
// every tick played, with the level's tally, in a ring of equal slots made
// once per level. The rules are deterministic, so a state taken back and
// played again with the same keys goes the same way.
class GRewind {
 public:
  // Ticks kept at most: 30 seconds of the 50 ms main timer.
  static constexpr unsigned kDepth = 600;
  // Bytes the ring may take; a level whose states are larger keeps fewer
  // ticks (a map of the largest size keeps none).
  static constexpr size_t kBudget = size_t{8} << 20;

  // Forgets every state kept: play cannot be taken back past this point (a
  // level's start, a lost life, a loaded game).
  void Clear();
  // Keeps the level's state as it is now, before a tick is played; when the
  // ring is full the oldest state goes.
  void Capture();
  // How many ticks can be taken back.
  unsigned GetCount() const { return count; }
  // Takes back up to steps ticks, never past the oldest state kept: the
  // level's grid, units, tick, the runner's controls and counters and the
  // tally become what they were then, and the states after it are dropped.
  // The level's state of play stays; the caller redraws. Returns the ticks
  // taken back (0 when none are kept).
  unsigned StepBack(unsigned steps);
  // The bytes the ring holds now, and the ticks it can keep for this level.
  size_t GetMemory() const { return slots.capacity() + tallies.capacity() * sizeof(LEVEL_TALLY); }
  unsigned GetCapacity() const { return capacity; }

 private:
  std::vector<unsigned char> slots;
  std::vector<LEVEL_TALLY> tallies;
  std::vector<unsigned char> scratch;
  size_t slotSize = 0;
  unsigned capacity = 0;
  // The oldest slot and how many follow it.
  unsigned first = 0;
  unsigned count = 0;
};

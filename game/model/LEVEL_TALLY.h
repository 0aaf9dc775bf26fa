#pragma once

// What the player did in a level, counted while it is played: the treasures
// taken, the aliens that fell into a hole and the holes dug, and the score
// when the counting began. The counting starts with the level, or with a
// game loaded in it, and is never stored in a saved game; it only watches
// the rules and changes nothing of them.
struct LEVEL_TALLY {
  int treasures = 0;
  int aliensTrapped = 0;
  int holesDug = 0;
  int startScore = 0;

  // Tenths of a second of ticks of the 50 ms main timer, rounded half up.
  static int Tenths(unsigned ticks) { return static_cast<int>((ticks + 1) / 2); }
};

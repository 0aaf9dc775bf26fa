#pragma once

#include "tools/art/Canvas.h"

// The runner and the aliens, 32 x 32 with binary transparency. Walking frames
// face right (the left ones are their mirror images); climbing frames show the
// figure from behind. Frame numbers run 0..7 over one square's crossing.
namespace art {

Canvas RunnerStand();
Canvas RunnerWalk(int frame);
Canvas RunnerClimb(int frame);

Canvas AlienStand();
Canvas AlienWalk(int frame);
Canvas AlienClimb(int frame);

// Every frame the game loads, drawn once.
struct Sprites {
  Canvas runnerStand, alienStand;
  // Indexed [direction][frame] with the directions L, R, U, D of the file names.
  Canvas runner[4][8], alien[4][8];
};
Sprites DrawSprites();

}  // namespace art

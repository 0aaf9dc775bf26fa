#pragma once

#include <vector>

#include "tools/art/Canvas.h"
#include "tools/art/Figures.h"

// The game's application icon (the credits logo: the runner on a course of
// bricks beside a treasure) in the sizes desktops look for.
namespace art {

struct AppIcon {
  int size;
  Canvas image;
};

// 16, 32, 48, 64, 128 and 256 pixels square. The 128 one is the logo itself,
// 256 is it doubled pixel for pixel, and the smaller ones are averaged down
// from it (48 from it tripled), so every size keeps the sprites' shapes.
std::vector<AppIcon> DrawAppIcons(const Sprites& sprites);

}  // namespace art

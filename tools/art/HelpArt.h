#pragma once

#include <string>

#include "tools/art/Canvas.h"
#include "tools/art/Figures.h"
#include "tools/art/MapFile.h"

// The pictures of the how-to-play page shipped in the game folder's "help":
// the cell icons and the standing runner and alien twice their size, a small
// scene of a dug hole and a trapped alien, and a level as it looks when it
// starts. All are drawn from the game's own icons and sprites.
namespace art {

// The level as the game shows it before the first key: the start markers and
// the exit taken out of the grid (the exit stays only when the level holds no
// treasure), the runner and the aliens drawn standing on their start squares
// (the runner in the middle square when the map has no marker), every other
// square its icon or black, and a white line one pixel around the map.
Canvas LevelPicture(const Sprites& sprites, const MapFile& level);

// Writes every picture into dir (which must exist); false if one failed.
bool WriteHelpPictures(const Sprites& sprites, const MapFile& level, const std::string& dir);

}  // namespace art

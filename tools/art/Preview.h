#pragma once

#include <string>

#include "tools/art/Figures.h"

// Review pictures that never go into the game folder: a contact sheet of all
// sprites and icons enlarged, a small level at 1:1, and the frames of an
// animated strip (units crossing squares at 4 pixels a frame).
namespace art {

bool WritePreview(const Sprites& sprites, const std::string& dir);

}  // namespace art

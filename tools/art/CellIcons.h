#pragma once

#include "tools/art/Canvas.h"

// The 32 x 32 icons of the map's squares. Each is opaque: it is copied as it
// is into the map background, so everything not drawn is the game's black.
namespace art {

Canvas BrickIcon();
Canvas FloorIcon();
Canvas LineIcon();
Canvas LadderIcon();
Canvas TreasureIcon();
Canvas ExitIcon();

}  // namespace art

#pragma once

#include "tools/art/Canvas.h"
#include "tools/art/Figures.h"

namespace art {

// The 1024 x 768 main-menu background: the title at the top, a scene of the
// maze down both sides, and the centre column left quiet for the buttons.
Canvas MenuBackground(const Sprites& sprites);

// The emblem shown in the credits dialog.
Canvas Logo(const Sprites& sprites);

}  // namespace art

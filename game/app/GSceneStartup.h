#pragma once

#include "GUI/toolkit/GScene.h"

// The scene shown while the game's own scenes are not there: a test card
// drawn with the surface primitives, framed by a one-pixel white border so
// the picture's edges can be seen on the screen.
class GSceneStartup : public GScene {
 public:
  void OnRender() override;
};

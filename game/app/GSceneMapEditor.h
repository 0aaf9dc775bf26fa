#pragma once

#include "GUI/toolkit/GScene.h"

// The map editor: the map painted with the mouse from a palette of cells.
class GSceneMapEditor : public GScene {
 public:
  GSceneMapEditor();
};

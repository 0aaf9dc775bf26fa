#pragma once

#include "GUI/toolkit/GScene.h"

// The maps manager: every map as a miniature, and the commands to create,
// edit, delete, reorder and test-play them.
class GSceneMapsManager : public GScene {
 public:
  GSceneMapsManager();
};

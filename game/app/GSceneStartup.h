#pragma once

#include "GUI/toolkit/GScene.h"

class GSurface;

// The scene shown while the game's own scenes are not there: the title picture
// read from the image drive, or, when that cannot be loaded, a test card drawn
// with the surface primitives and framed by a one-pixel white border so the
// picture's edges can be seen on the screen.
class GSceneStartup : public GScene {
 public:
  void OnRender() override;

 private:
  // Reads "main.png" from the image folder once; null when it cannot be loaded.
  GSurface* GetTitle();
  void DrawTestCard(GSurface* back);

  GSurface* title = nullptr;  // owned by the device
  bool titleTried = false;
};

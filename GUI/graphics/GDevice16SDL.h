#pragma once

#include "GUI/graphics/GDeviceSDL.h"

// The SDL device whose surfaces are 16-bit.
class GDevice16SDL : public GDeviceSDL {
 public:
  GDevice16SDL(bool fullScreen, void* window) : GDeviceSDL(fullScreen, window) {}

  GSurface* NewSurface() override;
};

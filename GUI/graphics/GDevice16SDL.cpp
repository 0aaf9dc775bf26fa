#include "GUI/graphics/GDevice16SDL.h"

#include "GUI/graphics/GSurface16.h"

GSurface* GDevice16SDL::NewSurface() {
  return new GSurface16();
}

#include "GUI/graphics/GImage.h"

#include "GUI/graphics/GSurface.h"

void GImage::GetSize(int& w, int& h) const {
  w = 0;
  h = 0;
  if (surface) surface->GetSize(w, h);
}

bool GImage::IsOver(int x, int y) const {
  return surface && surface->IsOver(x + pivotX, y + pivotY);
}

void GImage::Blt(int x, int y, GSurface* target, bool useKey) const {
  if (!surface || !target) return;
  target->Blt(surface, x - pivotX, y - pivotY, 0, 0, 0, 0, useKey);
}

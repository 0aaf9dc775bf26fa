#include "GUI/graphics/GImageList.h"

#include "GUI/graphics/GDevice.h"
#include "GUI/graphics/GImage.h"
#include "GUI/graphics/GSurface.h"

GImageList::~GImageList() {
  // Without a device the device that made the cells is gone, and took them along.
  if (GSurface::device)
    for (const auto& image : images) GSurface::device->DeleteSurface(image->GetSurface());
}

bool GImageList::Create(int cellW, int cellH) {
  if (cellWidth != 0 || cellHeight != 0 || cellW < 1 || cellH < 1) return false;
  cellWidth = cellW;
  cellHeight = cellH;
  return true;
}

int GImageList::AddImage(GImage* image) {
  GDevice* device = GSurface::device;
  if (!image || !device || cellWidth < 1) return -1;
  GSurface* cell = device->AddSurface();
  if (!cell) return -1;
  if (!cell->Create(cellWidth, cellHeight)) {
    device->DeleteSurface(cell);
    return -1;
  }
  int w, h;
  image->GetSize(w, h);
  if (image->GetSurface())
    cell->Copy(image->GetSurface(), (cellWidth - w) / 2, (cellHeight - h) / 2);
  int px, py;
  image->GetPivot(px, py);
  images.push_back(std::make_unique<GImage>(cell, px, py));
  return static_cast<int>(images.size()) - 1;
}

int GImageList::AddImage(GSurface* surface) {
  if (!surface || !GSurface::device || cellWidth < 1) return -1;
  return AddImage(GSurface::device->AddPicture(surface, 0, 0));
}

GImage* GImageList::GetImage(int index) const {
  if (index < 0 || index >= static_cast<int>(images.size())) return nullptr;
  return images[index].get();
}

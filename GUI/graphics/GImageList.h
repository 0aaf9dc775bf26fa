#pragma once

#include <memory>
#include <vector>

class GImage;
class GSurface;

// A list of equally sized cells, each a picture centred in a surface of its own.
// The list owns its images; their cell surfaces belong to the device and are
// deleted through it with the list.
class GImageList {
 public:
  GImageList() = default;
  GImageList(const GImageList&) = delete;
  GImageList& operator=(const GImageList&) = delete;
  ~GImageList();

  // False when already created or a size is below 1.
  bool Create(int cellW, int cellH);
  // Copies the image centred into a new cell; the cell keeps the image's pivot.
  // Returns the index, or -1 before Create or without a device.
  int AddImage(GImage* image);
  // Wraps the surface into a device picture with pivot (0, 0) first.
  int AddImage(GSurface* surface);
  GImage* GetImage(int index) const;
  int GetCount() const { return static_cast<int>(images.size()); }
  void GetCellSize(int& w, int& h) const {
    w = cellWidth;
    h = cellHeight;
  }

 private:
  int cellWidth = 0;
  int cellHeight = 0;
  std::vector<std::unique_ptr<GImage>> images;
};

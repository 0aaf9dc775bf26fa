#pragma once

class GSurface;

// A picture: a surface (owned by the device, not by the image) and the pivot
// point that is placed at the drawing position (a cursor's hot spot, a
// sprite's anchor).
class GImage {
 public:
  GImage(GSurface* surface, int pivotX, int pivotY)
      : surface(surface), pivotX(pivotX), pivotY(pivotY) {}
  GImage(const GImage&) = delete;
  GImage& operator=(const GImage&) = delete;

  GSurface* GetSurface() const { return surface; }
  // The surface's size; 0 x 0 without a surface.
  void GetSize(int& w, int& h) const;
  void GetPivot(int& x, int& y) const {
    x = pivotX;
    y = pivotY;
  }
  void SetPivot(int x, int y) {
    pivotX = x;
    pivotY = y;
  }
  // The surface's hit test at (x + pivot x, y + pivot y).
  bool IsOver(int x, int y) const;
  // Blits the whole surface onto target with the pivot at (x, y).
  void Blt(int x, int y, GSurface* target, bool useKey) const;

 private:
  GSurface* surface;
  int pivotX;
  int pivotY;
};

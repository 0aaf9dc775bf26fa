#pragma once

#include "GUI/graphics/GSurface.h"

// The 16-bit surface: bit 15 marks a transparent pixel, bits 14..0 are 5-5-5 RGB.
class GSurface16 : public GSurface {
 public:
  static constexpr uint16_t kTransparent = 0x8000;

  GSurface16() = default;

  void FillRect(int x, int y, int w, int h, unsigned color) override;
  void DrawHorizontalLine(int x, int y, int length, unsigned color) override;
  void DrawVerticalLine(int x, int y, int length, unsigned color) override;
  void DrawLine(int x1, int y1, int x2, int y2, unsigned color) override;
  void FloodFill(int x, int y, unsigned fillColor, unsigned borderColor) override;
  bool IsOver(int x, int y) override;
  void MaskTransparentPixel(int index) override;
  void GetPixelRGB(int x, int y, SURFACE_RGB* rgb) override;
  void SetPixelRGB(int x, int y, SURFACE_RGB* rgb) override;
  float GetPixelAlpha(int x, int y) override;
  void Clear(unsigned color) override;
  int GetBPP() const override { return 16; }
  void CopyPixel(const void* from, void* to) override;
  void BltSymbol(SYMBOL* symbol, int x, int y, unsigned color, unsigned background) override;
  void BltVideo(const unsigned* frame, int x, int y, int sx, int sy, int w, int h,
                int framePitch) override;
  void PixelToRgb(const void* pixel, SURFACE_RGB* rgb) override;
  void RgbToPixel(const SURFACE_RGB* rgb, void* pixel) override;
  void CopyToTexture32(void* bits, int pitch) override;
  void CopyToTexture(void* bits, int pitch) override;
  bool CopyRectToTexture(void* bits, int pitch, int bpp, const CFerroRect& rect) override;
  void BltHorizontalLine(BLT_LINE_DATA* line) override;
  void BltHorizontalLineRev(BLT_LINE_DATA* line) override;

  // The raw pixel at (x, y) of the surface's own buffer; 0 outside.
  uint16_t GetPixel16(int x, int y) const;

 protected:
  void RgbToPixelKeepMark(const SURFACE_RGB* rgb, void* pixel) override;
  void StoreRgba(const uint8_t* rgba, size_t count) override;

 private:
  uint16_t* Row(SURFACE_LOCKED* lock, int y) {
    return reinterpret_cast<uint16_t*>(static_cast<uint8_t*>(lock->bits) +
                                       static_cast<size_t>(y) * lock->pitch);
  }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  bool InsideClip(int x, int y) const {
    return x >= clipX && y >= clipY && x < clipX + clipW && y < clipY + clipH;
  }
};

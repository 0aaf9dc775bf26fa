#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "GUI/foundation/CFerroRect.h"
#include "GUI/graphics/SurfaceColor.h"

class GDevice;
struct DecodedImage;
class SYMBOL;
class TextBorder;

// Where drawing goes: normally the surface's own buffers, or foreign memory set
// with SetPtrAndPitch (the frame copy draws the cursor straight into the texture).
struct SURFACE_LOCKED {
  void* bits = nullptr;
  int pitch = 0;  // bytes per row
  float* alpha = nullptr;
  int alphaPitch = 0;  // bytes per row of the alpha channel
};

// One scan line of a blit.
struct BLT_LINE_DATA {
  const void* src = nullptr;
  void* dst = nullptr;
  int count = 0;
  const float* srcAlpha = nullptr;
  bool noKey = false;     // plain copy
  bool hasAlpha = false;  // the source has an alpha channel
  float multiplier = 1.0f;
};

// A drawing surface with clipping, a drawing origin, colour-key transparency and
// an optional per-pixel alpha channel. Pixel formats derive from it.
//
// Every operation that changes pixels sets the modified flag and adds what it
// changed to the modified area, a few rectangles that do not overlap: the
// frame uploads only those parts of the back surface. A frame of play changes
// a handful of squares far apart (the runner, the aliens, a hole), which one
// bounding rectangle would join into most of the map. Rectangles that overlap,
// or that join without taking in anything new, become one; beyond
// kModifiedRects the new part joins the rectangle it enlarges least. Code that
// sets `modified` without an area makes the whole surface count as changed.
//
// Sections of GSurface.cpp: construction and buffers; clipping and locking;
// blitting and copying; whole-surface operations; TGA export; loading.
class GSurface {
 public:
  // The device in use; set by GDevice::Create.
  static GDevice* device;
  // The most rectangles the modified area is kept in.
  static constexpr int kModifiedRects = 16;

  GSurface() = default;
  GSurface(const GSurface&) = delete;
  GSurface& operator=(const GSurface&) = delete;
  virtual ~GSurface() = default;

  // Primitives: all add the origin, clip against the clip rectangle and write the
  // converted colour with the transparent mark cleared.
  virtual void FillRect(int x, int y, int w, int h, unsigned color) = 0;
  // A negative length draws leftwards (upwards) from x (y), both included.
  virtual void DrawHorizontalLine(int x, int y, int length, unsigned color) = 0;
  // The same downwards (a negative length upwards).
  virtual void DrawVerticalLine(int x, int y, int length, unsigned color) = 0;
  // Both end points included; equal end points draw nothing.
  virtual void DrawLine(int x1, int y1, int x2, int y2, unsigned color) = 0;
  // The outline of a w x h rectangle; nothing when w or h is below 1.
  virtual void DrawRect(int x, int y, int w, int h, unsigned color);
  // Paints the region around (x, y) bounded by borderColor, inside the clip.
  virtual void FloodFill(int x, int y, unsigned fillColor, unsigned borderColor) = 0;

  // Hit test in surface pixels: false outside, else alpha above 0.1 or the
  // transparent mark clear.
  virtual bool IsOver(int x, int y) = 0;
  // Marks the pixel with that linear index transparent; the surface is no longer opaque.
  virtual void MaskTransparentPixel(int index) = 0;
  // (0, 0, 0) for a transparent pixel or one outside the surface.
  virtual void GetPixelRGB(int x, int y, SURFACE_RGB* rgb) = 0;
  // Writes the converted colour; ignored outside the surface.
  virtual void SetPixelRGB(int x, int y, SURFACE_RGB* rgb) = 0;
  // The alpha channel's value, else 0 for a transparent pixel and 1 otherwise.
  virtual float GetPixelAlpha(int x, int y) = 0;
  // Sets every pixel to the colour, ignoring clip and origin.
  virtual void Clear(unsigned color) = 0;
  // Frees pixels and alpha; size 0 x 0.
  virtual void Destroy();
  // Bits per pixel of the format.
  virtual int GetBPP() const = 0;

  // Copies (sx, sy, w, h) of src to (x, y); w or h of 0 means the source's full
  // size. With useKey the source's transparency and surfaceAlpha apply.
  virtual void Blt(GSurface* src, int x, int y, int sx, int sy, int w, int h, bool useKey);
  // Blends a glyph's coverage in the text colour at (x, y): onto the
  // background colour, or onto the existing pixels when background is
  // DEFAULT_COLOR (pixels the glyph does not cover are then left alone).
  virtual void BltSymbol(SYMBOL* symbol, int x, int y, unsigned color, unsigned background) = 0;
  // Places src at (x, y) on a cleared field that is transparent when src has
  // transparency and black otherwise.
  virtual void Copy(GSurface* src, int x, int y);
  // Copies one raw pixel.
  virtual void CopyPixel(const void* from, void* to) = 0;
  // Copies w x h pixels of a 32-bit frame (bytes R, G, B, unused) starting at
  // (sx, sy) of a frame framePitch pixels wide (w when 0) to (x, y).
  virtual void BltVideo(const unsigned* frame, int x, int y, int sx, int sy, int w, int h,
                        int framePitch) = 0;
  // Raw pixel -> components, ignoring the transparent mark.
  virtual void PixelToRgb(const void* pixel, SURFACE_RGB* rgb) = 0;
  // Components -> raw pixel, each rounded to the nearest step; the mark is cleared.
  virtual void RgbToPixel(const SURFACE_RGB* rgb, void* pixel) = 0;
  // Frame copy into a 32-bit texture; only when modified.
  virtual void CopyToTexture32(void* bits, int pitch) = 0;
  // Frame copy into a texture of this surface's own format; only when modified.
  virtual void CopyToTexture(void* bits, int pitch) = 0;
  // Called by the frame for each rectangle it uploads: copies the rectangle,
  // which must lie inside the surface, into texture memory whose first byte
  // holds the rectangle's top-left pixel, as bpp-bit pixels (16 as they are,
  // 32 converted and opaque). Writes every pixel of the rectangle, modified or
  // not; false (nothing written) for a rectangle outside or another bpp.
  virtual bool CopyRectToTexture(void* bits, int pitch, int bpp, const CFerroRect& rect) = 0;
  // Blends or copies one scan line, first pixel to last.
  virtual void BltHorizontalLine(BLT_LINE_DATA* line) = 0;
  // The same from the last pixel to the first (overlapping blits to the right).
  virtual void BltHorizontalLineRev(BLT_LINE_DATA* line) = 0;

  // Allocates w x h cleared pixels; the clip is the whole surface and it is opaque.
  // False for a negative or unrepresentable size (the surface is then empty).
  bool Create(int w, int h);
  void GetSize(int& w, int& h) const {
    w = width;
    h = height;
  }
  int GetWidth() const { return width; }
  int GetHeight() const { return height; }

  // The clip becomes the part of the rectangle inside the surface; false (and the
  // whole surface) when nothing of it is inside.
  bool SetClip(int x, int y, int w, int h);
  void GetClip(int& x, int& y, int& w, int& h) const;
  void ResetClip();
  // Clips a destination rectangle against the clip, moving the source offset by
  // the amounts the left and top edges moved; false when nothing remains.
  bool IntersectRect(int& x, int& y, int& sx, int& sy, int& w, int& h) const;

  void SetOrigin(int x, int y) {
    originX = x;
    originY = y;
  }
  void GetOrigin(int& x, int& y) const {
    x = originX;
    y = originY;
  }

  // Fills the lock record from the surface's own buffers when it points nowhere.
  SURFACE_LOCKED* Lock();
  void Unlock() { locked.bits = nullptr; }
  // Points drawing at foreign memory of this surface's size until Unlock.
  void SetPtrAndPitch(void* bits, int pitch);

  void Color32ToColor(unsigned color, void* pixel);
  // Adds delta to every non-zero alpha value, creating the alpha channel first.
  void ChangeAlpha(float delta);
  void FlipHorizontal();
  void FlipVertical();
  // Moves every visible pixel's colour toward color by amount.
  void MixColor(unsigned color, float amount);
  // Width x height values 0xAARRGGBB, top row first; colour 0 where alpha is 0.
  std::unique_ptr<uint32_t[]> ConvertationToArray32();
  // Writes a 32-bit uncompressed TGA, bottom row first.
  bool SaveTGA(const char* path);
  // Decodes an image file held in memory; false leaves the surface untouched.
  bool Load(const unsigned char* data, int size);
  // Takes a decoded image; false (for none) leaves the surface untouched.
  bool Load(const DecodedImage& image);
  // Draws UTF-8 text with a font of the device from (x, y) onwards, one glyph
  // after another (characters below 32 are skipped; one the font lacks, and
  // each broken part of the UTF-8, draws the font's replacement glyph);
  // background as for BltSymbol. False, drawing nothing, without a device,
  // text or such a font.
  bool TextOut(int x, int y, const char* text, int font, unsigned color, unsigned background);
  // TextOut of a text that belongs inside box (the drawing's coordinates):
  // the device's text probe is told so.
  bool TextOutIn(const CFerroRect& box, int x, int y, const char* text, int font, unsigned color,
                 unsigned background);
  // Re-creates this surface as a caption: the text (UTF-8, read as TextOut
  // reads it) on a transparent field, outlined in borderColor by the border's
  // stamp (none without a border), one character per line when vertical.
  // False without a device, text or such a font (the surface is then
  // untouched), or when the surface cannot be created.
  bool CreateFromText(const char* text, int font, unsigned color, TextBorder* border,
                      unsigned borderColor, bool vertical);

  bool IsOpaque() const { return opaque; }
  void SetOpaque(bool value) { opaque = value; }
  bool IsModified() const { return modified; }
  // true: the whole surface counts as changed; false: nothing does.
  void SetModified(bool value);
  // What changed since the area was last taken or reset: the bounding
  // rectangle of the changed pixels, inside the surface; empty when nothing did.
  CFerroRect GetModifiedArea() const;
  // The same as the rectangles the area is kept in: inside the surface, none
  // overlapping another, together covering every changed pixel; none when
  // nothing changed.
  std::vector<CFerroRect> GetModifiedRects() const;
  // The same, and starts afresh: nothing counts as changed any more.
  CFerroRect TakeModifiedArea();
  float GetSurfaceAlpha() const { return surfaceAlpha; }
  void SetSurfaceAlpha(float value) { surfaceAlpha = value; }
  bool HasAlpha() const { return alpha != nullptr; }
  uint8_t* GetPixels() { return pixels.get(); }
  float* GetAlpha() { return alpha.get(); }

 protected:
  // RgbToPixel that keeps the pixel's transparent mark as it was.
  virtual void RgbToPixelKeepMark(const SURFACE_RGB* rgb, void* pixel) = 0;
  // Sets the first count pixels from 8-bit RGBA values (alpha ignored) as
  // RgbToPixel sets each; a format may do it faster (a decoded picture).
  virtual void StoreRgba(const uint8_t* rgba, size_t count);

  // Bytes per pixel of this format.
  int PixelBytes() const { return GetBPP() / 8; }
  // Called by every operation that changes pixels: sets the modified flag and
  // adds the rectangle (surface pixels; cut to the surface) to the modified area.
  void MarkModified(int x, int y, int w, int h);
  void MarkModifiedAll() { MarkModified(0, 0, width, height); }
  // Adds a rectangle inside the surface to the modified area.
  void AddModifiedRect(CFerroRect rect);
  // Allocates an alpha channel of the surface's size, every value 'value'.
  bool CreateAlpha(float value);
  void DropAlpha();

  std::unique_ptr<uint8_t[]> pixels;
  std::unique_ptr<float[]> alpha;
  int width = 0;
  int height = 0;
  SURFACE_LOCKED locked;
  bool opaque = true;
  bool modified = false;
  // The modified area: the first modifiedCount entries (none while nothing
  // was recorded).
  std::array<CFerroRect, kModifiedRects> modifiedRects;
  int modifiedCount = 0;
  float surfaceAlpha = 1.0f;
  int clipX = 0;
  int clipY = 0;
  int clipW = 0;
  int clipH = 0;
  int originX = 0;
  int originY = 0;
};

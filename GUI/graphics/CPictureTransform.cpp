#include "GUI/graphics/CPictureTransform.h"

#include <cstdint>
#include <cstring>

namespace {

// Division rounding towards minus infinity (the C++ operator rounds towards
// zero); the divisor is positive.
int64_t FloorDiv(int64_t n, int64_t d) {
  const int64_t q = n / d;
  return (n % d != 0 && n < 0) ? q - 1 : q;
}

int64_t CeilDiv(int64_t n, int64_t d) {
  return -FloorDiv(-n, d);
}

int Clamp(int64_t v, int lo, int hi) {
  return static_cast<int>(v < lo ? lo : v > hi ? hi : v);
}

bool IsEmpty(const CFerroSize& s) {
  return s.width < 1 || s.height < 1;
}

// The largest size of the picture's shape within the area; at least 1 x 1.
CFerroSize FitShape(const CFerroSize& picture, const CFerroSize& area) {
  const int64_t pw = picture.width, ph = picture.height;
  CFerroSize fit = area;
  if (int64_t{area.width} * ph <= int64_t{area.height} * pw)
    fit.height = static_cast<int>(int64_t{area.width} * ph / pw);
  else
    fit.width = static_cast<int>(int64_t{area.height} * pw / ph);
  if (fit.width < 1) fit.width = 1;
  if (fit.height < 1) fit.height = 1;
  return fit;
}

constexpr struct {
  ScaleMode mode;
  const char* name;
} kNames[] = {
    {ScaleMode::Sharp, "sharp"}, {ScaleMode::Integer, "integer"}, {ScaleMode::Off, "off"}};

}  // namespace

const char* ScaleModeName(ScaleMode mode) {
  for (const auto& entry : kNames)
    if (entry.mode == mode) return entry.name;
  return "";
}

bool ParseScaleMode(const char* name, ScaleMode& mode) {
  if (!name) return false;
  for (const auto& entry : kNames)
    if (std::strcmp(entry.name, name) == 0) {
      mode = entry.mode;
      return true;
    }
  return false;
}

CPictureTransform::CPictureTransform(CFerroSize pictureSize, CFerroSize windowSize,
                                     CFerroSize drawableSize, ScaleMode scaleMode)
    : picture(pictureSize), window(windowSize), drawable(drawableSize), mode(scaleMode) {
  if (IsEmpty(picture) || IsEmpty(drawable)) return;
  const bool fitsWhole = picture.width <= drawable.width && picture.height <= drawable.height;
  CFerroSize size = FitShape(picture, drawable);
  switch (mode) {
    case ScaleMode::Sharp:
      if (fitsWhole) {
        const int64_t across = CeilDiv(size.width, picture.width);
        const int64_t down = CeilDiv(size.height, picture.height);
        factor = static_cast<int>(across > down ? across : down);
      }
      break;
    case ScaleMode::Integer:
      if (fitsWhole) {
        const int across = drawable.width / picture.width;
        const int down = drawable.height / picture.height;
        factor = across < down ? across : down;
        size = GetIntermediate();
      }
      break;
    case ScaleMode::Off:
      if (fitsWhole) size = picture;
      break;
  }
  const int left = (drawable.width - size.width) / 2;
  const int top = (drawable.height - size.height) / 2;
  destination = CFerroRect(left, top, left + size.width, top + size.height);
}

bool CPictureTransform::IsSmooth() const {
  const CFerroSize whole = GetIntermediate();
  return destination.Width() != whole.width || destination.Height() != whole.height;
}

// Both directions work in exact integers. In window points a picture pixel p
// covers [a, a + s), with a = (left + p * dw / pw) * W / D and s = dw * W /
// (D * pw), where dw is the destination's width, pw the picture's, W the
// window's and D the drawable's. A window point x stands for its middle,
// x + 1/2, so it falls on the pixel floor(((x + 1/2) * D / W - left) * pw / dw).
CFerroPoint CPictureTransform::WindowToPicture(int x, int y) const {
  if (destination.IsEmpty() || IsEmpty(window)) return CFerroPoint();
  const auto axis = [](int at, int64_t windowLength, int64_t drawableLength, int64_t start,
                       int64_t length, int pictureLength) {
    const int64_t n =
        ((2 * int64_t{at} + 1) * drawableLength - 2 * windowLength * start) * pictureLength;
    return Clamp(FloorDiv(n, 2 * windowLength * length), 0, pictureLength - 1);
  };
  return CFerroPoint(
      axis(x, window.width, drawable.width, destination.left, destination.Width(), picture.width),
      axis(y, window.height, drawable.height, destination.top, destination.Height(),
           picture.height));
}

// The point taken is the last window point before the middle of the pixel,
// a + s / 2: the middle of that point lies in [a + s/2 - 1/2, a + s/2 + 1/2),
// which stays within [a, a + s) whenever s >= 1, so the way back gives p.
CFerroPoint CPictureTransform::PictureToWindow(int x, int y) const {
  if (destination.IsEmpty() || IsEmpty(window)) return CFerroPoint();
  const auto axis = [](int at, int64_t windowLength, int64_t drawableLength, int64_t start,
                       int64_t length, int pictureLength) {
    const int64_t p = Clamp(at, 0, pictureLength - 1);
    const int64_t n = (2 * pictureLength * start + (2 * p + 1) * length) * windowLength;
    return static_cast<int>(CeilDiv(n, 2 * pictureLength * drawableLength) - 1);
  };
  return CFerroPoint(
      axis(x, window.width, drawable.width, destination.left, destination.Width(), picture.width),
      axis(y, window.height, drawable.height, destination.top, destination.Height(),
           picture.height));
}

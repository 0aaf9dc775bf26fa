#include "GUI/graphics/CShownPicture.h"

#include <cstring>

#include "GUI/graphics/GSurface.h"

namespace {

CFerroRect Within(GSurface& picture, const CFerroRect& rect) {
  return rect.Intersection(CFerroRect(0, 0, picture.GetWidth(), picture.GetHeight()));
}

}  // namespace

bool CShownPicture::Matches(GSurface& picture) const {
  return !bytes.empty() && picture.GetWidth() == width && picture.GetHeight() == height &&
         picture.GetBPP() / 8 == pixelBytes;
}

bool CShownPicture::Knows(GSurface& picture) const {
  return complete && Matches(picture);
}

CFerroRect CShownPicture::Changed(GSurface& picture, const CFerroRect& area) const {
  const CFerroRect part = Within(picture, area);
  if (part.IsEmpty() || !Knows(picture) || !picture.GetPixels()) return part;
  const int pitch = width * pixelBytes;
  const size_t span = static_cast<size_t>(part.Width()) * pixelBytes;
  int left = part.right, right = part.left, top = part.bottom, bottom = part.top;
  for (int y = part.top; y < part.bottom; ++y) {
    const size_t at = static_cast<size_t>(y) * pitch + static_cast<size_t>(part.left) * pixelBytes;
    const uint8_t* now = picture.GetPixels() + at;
    const uint8_t* was = bytes.data() + at;
    if (std::memcmp(now, was, span) == 0) continue;
    if (y < top) top = y;
    bottom = y + 1;
    // The row's first and last differing pixels widen the rectangle.
    int first = 0, last = part.Width() - 1;
    while (std::memcmp(now + first * pixelBytes, was + first * pixelBytes, pixelBytes) == 0)
      ++first;
    while (std::memcmp(now + last * pixelBytes, was + last * pixelBytes, pixelBytes) == 0) --last;
    if (part.left + first < left) left = part.left + first;
    if (part.left + last + 1 > right) right = part.left + last + 1;
  }
  return top < bottom ? CFerroRect(left, top, right, bottom) : CFerroRect();
}

void CShownPicture::Shown(GSurface& picture, const CFerroRect& rect) {
  if (!picture.GetPixels()) return;
  if (!Matches(picture)) {
    width = picture.GetWidth();
    height = picture.GetHeight();
    pixelBytes = picture.GetBPP() / 8;
    bytes.assign(static_cast<size_t>(width) * height * pixelBytes, 0);
    complete = false;
  }
  const CFerroRect part = Within(picture, rect);
  if (part.IsEmpty()) return;
  // Only once all of it was shown does the copy tell what is unchanged.
  if (part == CFerroRect(0, 0, width, height)) complete = true;
  const int pitch = width * pixelBytes;
  const size_t span = static_cast<size_t>(part.Width()) * pixelBytes;
  for (int y = part.top; y < part.bottom; ++y) {
    const size_t at = static_cast<size_t>(y) * pitch + static_cast<size_t>(part.left) * pixelBytes;
    std::memcpy(bytes.data() + at, picture.GetPixels() + at, span);
  }
}

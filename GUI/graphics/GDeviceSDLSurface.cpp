// The window-surface present of GDeviceSDL: the picture kept in memory is
// scaled into the window's own surface where it changed, and only those
// rectangles are pushed to the screen.
#include <SDL.h>

#include <algorithm>
#include <cstddef>

#include "GUI/graphics/GDeviceSDL.h"

namespace {

SDL_Rect ToSDL(const CFerroRect& r) {
  return SDL_Rect{r.left, r.top, r.Width(), r.Height()};
}

// Formats whose pixels are 32-bit words 0xAARRGGBB or 0x__RRGGBB, which the
// scaler writes straight into.
bool TakesScaledWords(const SDL_Surface* surface) {
  const Uint32 format = surface->format->format;
  return (format == SDL_PIXELFORMAT_RGB888 || format == SDL_PIXELFORMAT_ARGB8888) &&
         surface->pitch % 4 == 0;
}

}  // namespace

void GDeviceSDL::PresentToSurface() {
  pushed.clear();
  std::vector<CFerroRect> changed;
  changed.swap(uploaded);
  SDL_Surface* surface = window && !picture.empty() ? SDL_GetWindowSurface(window) : nullptr;
  if (!surface) {
    // Nothing to draw into for now; the next frame tries again, whole.
    drawnSurface = nullptr;
    if (window && !picture.empty()) RequestFullPresent();
    return;
  }
  const CFerroSize size(surface->w, surface->h);
  // A surface made for a window whose new size was not reported yet: the
  // picture is fitted to it.
  if (size != transform.GetDrawable()) FitPicture();
  if (!(scaler.GetTransform() == transform)) {
    scaler = CPictureScaler(transform);
    drawnSurface = nullptr;
  }
  // A new surface holds nothing, and an upload of the whole picture (the
  // window was exposed or shown again) redraws the border as well.
  const CFerroRect whole(0, 0, size.width, size.height);
  const CFerroRect scene(0, 0, sceneWidth, sceneHeight);
  bool all = surface != drawnSurface || size != drawnSize;
  for (const CFerroRect& rect : changed) all = all || rect == scene;
  std::vector<CFerroRect> rects;
  if (all) {
    rects.push_back(whole);
  } else {
    // Neighbouring changes share the destination pixels filtered between them,
    // which are joined so they are drawn and pushed once.
    for (const CFerroRect& rect : changed) AddJoined(rects, scaler.Affected(rect));
  }
  if (rects.empty()) return;
  DrawIntoSurface(surface, rects);
  std::vector<SDL_Rect> areas;
  areas.reserve(rects.size());
  for (const CFerroRect& rect : rects) areas.push_back(ToSDL(rect));
  if (SDL_UpdateWindowSurfaceRects(window, areas.data(), static_cast<int>(areas.size())) != 0) {
    // The surface was lost (the window changed under it): the next frame
    // fetches it again and draws it whole.
    drawnSurface = nullptr;
    RequestFullPresent();
    return;
  }
  drawnSurface = surface;
  drawnSize = size;
  pushed = std::move(rects);
}

void GDeviceSDL::DrawIntoSurface(SDL_Surface* surface, const std::vector<CFerroRect>& rects) {
  const CFerroRect& inside = transform.GetDestination();
  const Uint32 black = SDL_MapRGB(surface->format, 0, 0, 0);
  for (const CFerroRect& rect : rects) {
    // The parts of the rectangle above, below, left and right of the picture
    // (all of it when there is no picture).
    const int top = std::min(std::max(inside.top, rect.top), rect.bottom);
    const int bottom = std::max(std::min(inside.bottom, rect.bottom), top);
    const CFerroRect border[] = {
        CFerroRect(rect.left, rect.top, rect.right, top),
        CFerroRect(rect.left, bottom, rect.right, rect.bottom),
        CFerroRect(rect.left, top, std::min(inside.left, rect.right), bottom),
        CFerroRect(std::max(inside.right, rect.left), top, rect.right, bottom),
    };
    for (const CFerroRect& part : border) {
      if (part.IsEmpty()) continue;
      const SDL_Rect area = ToSDL(part);
      SDL_FillRect(surface, &area, black);
    }
  }
  if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return;
  const bool direct = TakesScaledWords(surface);
  for (const CFerroRect& rect : rects) {
    const CFerroRect part = rect.Intersection(inside);
    if (part.IsEmpty()) continue;
    Uint8* at = static_cast<Uint8*>(surface->pixels) +
                static_cast<std::ptrdiff_t>(part.top) * surface->pitch +
                static_cast<std::ptrdiff_t>(part.left) * surface->format->BytesPerPixel;
    if (direct) {
      scaler.Scale(picture.data(), sceneWidth, part, reinterpret_cast<uint32_t*>(at),
                   surface->pitch / 4);
      continue;
    }
    // Another format: scaled into words first, then converted.
    scratch.resize(static_cast<size_t>(part.Width()) * part.Height());
    scaler.Scale(picture.data(), sceneWidth, part, scratch.data(), part.Width());
    SDL_ConvertPixels(part.Width(), part.Height(), SDL_PIXELFORMAT_ARGB8888, scratch.data(),
                      part.Width() * 4, surface->format->format, at, surface->pitch);
  }
  if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
}

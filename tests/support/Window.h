#pragma once

#include <SDL.h>
#include <gtest/gtest.h>

#include <vector>

#include "GUI/graphics/GDeviceSDL.h"

// What the device's window shows, 0xRRGGBB a pixel, row by row: read back
// from the renderer, or on the window-surface path from the window's
// surface. Empty (with a failure) when it cannot be read, so that a
// comparison cannot pass on it.
inline std::vector<Uint32> WindowPixels(const GDeviceSDL& device, int* width = nullptr) {
  std::vector<Uint32> pixels;
  int w = 0, h = 0;
  if (SDL_Renderer* renderer = device.GetRenderer()) {
    if (SDL_GetRendererOutputSize(renderer, &w, &h) == 0 && w > 0 && h > 0) {
      pixels.resize(static_cast<size_t>(w) * h);
      if (SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_RGB888, pixels.data(), w * 4) !=
          0)
        pixels.clear();
    }
  } else if (SDL_Surface* surface =
                 GDeviceSDL::window ? SDL_GetWindowSurface(GDeviceSDL::window) : nullptr) {
    w = surface->w;
    h = surface->h;
    pixels.resize(static_cast<size_t>(w) * h);
    if (SDL_ConvertPixels(w, h, surface->format->format, surface->pixels, surface->pitch,
                          SDL_PIXELFORMAT_RGB888, pixels.data(), w * 4) != 0)
      pixels.clear();
  }
  if (pixels.empty()) ADD_FAILURE() << "cannot read the window: " << SDL_GetError();
  for (Uint32& p : pixels) p &= 0xFFFFFF;
  if (width) *width = pixels.empty() ? 0 : w;
  return pixels;
}

// One pixel of it; ~0 (with a failure) outside the window or when it cannot
// be read.
inline unsigned WindowPixel(const GDeviceSDL& device, int x, int y) {
  int w = 0;
  const std::vector<Uint32> pixels = WindowPixels(device, &w);
  if (w < 1 || x < 0 || y < 0 || x >= w || static_cast<size_t>(y) * w + x >= pixels.size()) {
    ADD_FAILURE() << "no window pixel (" << x << ", " << y << ")";
    return ~0u;
  }
  return pixels[static_cast<size_t>(y) * w + x];
}

#include "GUI/graphics/GDeviceSDL.h"

#include <SDL.h>

#include "GUI/foundation/CFerroRect.h"
#include "GUI/graphics/GSurface.h"
#include "GUI/platform/GGame.h"
#include "GUI/platform/GPlatform.h"

SDL_Window* GDeviceSDL::window = nullptr;

namespace {

// 0x00RRGGBB words, the alpha byte unused.
constexpr Uint32 kTextureFormat = SDL_PIXELFORMAT_RGB888;

int RoundUpToPowerOfTwo(int n) {
  int p = 1;
  while (p < n && p < (1 << 30)) p <<= 1;
  return p;
}

}  // namespace

GDeviceSDL::GDeviceSDL(bool fullScreen, void* /*window*/) : GDevice(fullScreen) {
  window = nullptr;
  SDL_Init(SDL_INIT_VIDEO);
}

GDeviceSDL::~GDeviceSDL() {
  if (hasDesktopMode) {
    VIDEO_MODE mode = desktopMode;
    SetVideoMode(&mode);
  }
  DestroyRendering();
  if (window) {
    SDL_DestroyWindow(window);
    window = nullptr;
  }
  SDL_Quit();
}

void GDeviceSDL::DestroyRendering() {
  if (texture) {
    if (textureLocked) SDL_UnlockTexture(texture);
    textureLocked = false;
    SDL_DestroyTexture(texture);
    texture = nullptr;
  }
  if (renderer) {
    SDL_DestroyRenderer(renderer);
    renderer = nullptr;
  }
}

bool GDeviceSDL::Create(int w, int h) {
  if (!window) {
    windowed = w >= 1 || h >= 1;
    VIDEO_MODE monitor;
    if (!GetMonitorMode(&monitor) || monitor.width < 1 || monitor.height < 1)
      GetScreenModeDefault(&monitor);
    if (w < 1) w = monitor.width;
    if (h < 1) h = monitor.height;
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN;
    if (fullScreen) flags |= SDL_WINDOW_FULLSCREEN;
    const int x = (monitor.width - w) / 2;
    const int y = (monitor.height - h) / 2;
    // The application's name titles the window in the desktop's task list.
    const char* title = platform ? platform->GetName().c_str() : "";
    SDL_Window* created = SDL_CreateWindow(title, x, y, w, h, flags);
    // Without OpenGL (the dummy driver, some remote displays) a plain window still works.
    if (!created) created = SDL_CreateWindow(title, x, y, w, h, flags & ~SDL_WINDOW_OPENGL);
    if (!created) return false;
    window = created;
    SDL_ShowCursor(SDL_DISABLE);
  }
  return GDevice::Create(w, h);
}

void GDeviceSDL::RefreshVideoMode() {
  if (modeCount == 0) {
    const int count = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < count; ++i) {
      SDL_DisplayMode dm;
      if (SDL_GetDisplayMode(0, i, &dm) != 0) continue;
      AddVideoMode(VIDEO_MODE{dm.w, dm.h, 32});
    }
  }
  GDevice::RefreshVideoMode();
}

bool GDeviceSDL::GetMonitorMode(VIDEO_MODE* mode) {
  if (!mode) return false;
  *mode = VIDEO_MODE();
  SDL_DisplayMode dm;
  if (SDL_GetDesktopDisplayMode(0, &dm) != 0) return false;
  *mode = VIDEO_MODE{dm.w, dm.h, 32};
  return true;
}

void GDeviceSDL::GetScreenModeDefault(VIDEO_MODE* mode) {
  if (mode) *mode = VIDEO_MODE{800, 600, 32};
}

void GDeviceSDL::ChangeResolution(bool resize, bool recreateTexture) {
  if (!windowed && resize && SetMonitorResolutionOnly() && platform && platform->IsActivated()) {
    SDL_SetWindowPosition(window, 0, 0);
    SDL_SetWindowSize(window, screenWidth, screenHeight);
  }
  if (resize) {
    // The texture belongs to the renderer and dies with it, so it is always
    // made again with a new renderer.
    DestroyRendering();
    recreateTexture = true;
    if (window) {
      renderer =
          SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
      // No accelerated renderer (no GPU, a virtual display): draw in software.
      if (!renderer) renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
      if (renderer) SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    }
  }
  if (recreateTexture) {
    if (texture) {
      if (textureLocked) SDL_UnlockTexture(texture);
      textureLocked = false;
      SDL_DestroyTexture(texture);
      texture = nullptr;
    }
    if (renderer) {
      // A 32-bit texture in the display's own format: presenting it is a plain
      // copy, where a 16-bit one would be converted on every present. The
      // frame converts only the parts of the back surface that changed.
      texture = SDL_CreateTexture(renderer, kTextureFormat, SDL_TEXTUREACCESS_STREAMING, sceneWidth,
                                  sceneHeight);
      if (!texture)
        texture =
            SDL_CreateTexture(renderer, kTextureFormat, SDL_TEXTUREACCESS_STREAMING,
                              RoundUpToPowerOfTwo(sceneWidth), RoundUpToPowerOfTwo(sceneHeight));
      // The picture is opaque: the texture is always copied, never blended.
      if (texture) SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_NONE);
    }
    // A new texture holds nothing yet.
    RequestFullPresent();
    CalcTexRect();
  }
  if (game) {
    lastMouseX = screenWidth / 2;
    lastMouseY = screenHeight / 2;
    SDL_WarpMouseGlobal(lastMouseX, lastMouseY);
    game->SetCursorPosition(sceneWidth / 2, sceneHeight / 2);
  }
}

bool GDeviceSDL::SetMonitorResolutionOnly() {
  VIDEO_MODE monitor;
  GetMonitorMode(&monitor);
  if (monitor.width == screenWidth && monitor.height == screenHeight) return false;
  SDL_DisplayMode dm;
  if (!window || SDL_GetWindowDisplayMode(window, &dm) != 0) return false;
  dm.w = screenWidth;
  dm.h = screenHeight;
  // The window's own pixel format is kept: the mode is chosen by its size.
  return SDL_SetWindowDisplayMode(window, &dm) == 0;
}

void GDeviceSDL::GetSceneRect(CFerroRect* rect) {
  if (!rect) return;
  int w = 0, h = 0;
  if (window) SDL_GetWindowSize(window, &w, &h);
  *rect = CFerroRect(0, 0, w, h);
}

void GDeviceSDL::Render() {
  if (!renderer || !texture) return;
  SDL_RenderClear(renderer);
  const SDL_Rect source{0, 0, sceneWidth, sceneHeight};
  const SDL_Rect target{texLeft, texTop, texRight + 1 - texLeft, texBottom + 1 - texTop};
  SDL_RenderCopy(renderer, texture, &source, &target);
  SDL_RenderPresent(renderer);
}

bool GDeviceSDL::LockBackbuffer(SURFACE_LOCKED* lock) {
  return LockBackbufferRect(CFerroRect(0, 0, sceneWidth, sceneHeight), lock);
}

bool GDeviceSDL::LockBackbufferRect(const CFerroRect& area, SURFACE_LOCKED* lock) {
  if (!lock) return false;
  *lock = SURFACE_LOCKED();
  if (!texture || textureLocked) return false;
  if (area.IsEmpty() || area.left < 0 || area.top < 0 || area.right > sceneWidth ||
      area.bottom > sceneHeight)
    return false;
  // A streaming texture's locked pixels are write-only: the caller writes
  // every pixel of the rectangle.
  const SDL_Rect rect{area.left, area.top, area.Width(), area.Height()};
  void* bits = nullptr;
  int pitch = 0;
  if (SDL_LockTexture(texture, &rect, &bits, &pitch) != 0 || !bits) return false;
  textureLocked = true;
  lock->bits = bits;
  lock->pitch = pitch;
  return true;
}

void GDeviceSDL::UnlockBackbuffer() {
  if (!texture || !textureLocked) return;
  SDL_UnlockTexture(texture);
  textureLocked = false;
}

void GDeviceSDL::ChangeCursorPositionByGlobalCursor(int x, int y) {
  if (!game) return;
  // Scene pixels per window pixel over the drawn picture; the divisor is the
  // drawn size less one (inclusive edges). A picture one pixel wide, or none,
  // has no span to divide by and maps one to one.
  const int spanX = texRight - texLeft;
  const int spanY = texBottom - texTop;
  const double fx = spanX > 0 ? static_cast<double>(sceneWidth) / spanX : 1.0;
  const double fy = spanY > 0 ? static_cast<double>(sceneHeight) / spanY : 1.0;
  if (!windowed) {
    const int dx = static_cast<int>(fx * (x - lastMouseX));
    const int dy = static_cast<int>(fy * (y - lastMouseY));
    lastMouseX = x;
    lastMouseY = y;
    game->PlatformMoveCursor(dx, dy);
  } else {
    const int nx = static_cast<int>((x - texLeft) * fx);
    const int ny = static_cast<int>((y - texTop) * fy);
    game->PlatformMoveCursor(nx - game->cursorX, ny - game->cursorY);
  }
}

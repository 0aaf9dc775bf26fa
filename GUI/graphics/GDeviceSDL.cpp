#include "GUI/graphics/GDeviceSDL.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>

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

SDL_Rect ToSDL(const CFerroRect& r) {
  return SDL_Rect{r.left, r.top, r.Width(), r.Height()};
}

void SetSmooth(SDL_Texture* texture, bool smooth) {
  SDL_SetTextureScaleMode(texture, smooth ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
}

// Whether the renderer draws on the processor. A GL renderer is asked for
// its GL_RENDERER text while its context is current.
bool DrawsOnProcessor(SDL_Renderer* renderer) {
  SDL_RendererInfo info;
  if (SDL_GetRendererInfo(renderer, &info) != 0) return false;
  const char* glRenderer = nullptr;
  if (info.name && SDL_strncmp(info.name, "opengl", 6) == 0) {
    using GetString = const unsigned char* (*)(unsigned);
    constexpr unsigned kGlRenderer = 0x1F01;
    if (auto get = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString")))
      glRenderer = reinterpret_cast<const char*>(get(kGlRenderer));
  }
  return IsSoftwareRenderer(info.name, glRenderer);
}

}  // namespace

GDeviceSDL::GDeviceSDL(bool fullScreen, void* /*window*/)
    : GDevice(fullScreen), requestedPath(ParsePresentPath(std::getenv("DIGMAZE_PRESENT"))) {
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

void GDeviceSDL::DestroyIntermediate() {
  if (intermediate) SDL_DestroyTexture(intermediate);
  intermediate = nullptr;
  intermediateSize = CFerroSize();
  intermediateStale = true;
}

void GDeviceSDL::DestroyTexture() {
  DestroyIntermediate();
  if (texture) {
    if (textureLocked) SDL_UnlockTexture(texture);
    textureLocked = false;
    SDL_DestroyTexture(texture);
    texture = nullptr;
  }
}

void GDeviceSDL::DestroyRendering() {
  DestroyTexture();
  drawnSurface = nullptr;
  intermediateRefused = CFerroSize();
  if (renderer) {
    SDL_DestroyRenderer(renderer);
    renderer = nullptr;
  }
}

bool GDeviceSDL::Create(int w, int h) {
  if (!window) {
    if (w >= 1 && h >= 1) SetWindowedSize(w, h);
    windowed = !fullScreen;
    VIDEO_MODE monitor;
    if (!GetMonitorMode(&monitor) || monitor.width < 1 || monitor.height < 1)
      GetScreenModeDefault(&monitor);
    // A window keeps within the desktop, and the player can make it no
    // smaller than the least size.
    SDL_Rect usable{0, 0, monitor.width, monitor.height};
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0 || usable.w < 1 || usable.h < 1)
      usable = SDL_Rect{0, 0, monitor.width, monitor.height};
    w = monitor.width;
    h = monitor.height;
    if (windowed && windowedWidth >= 1 && windowedHeight >= 1) {
      w = std::clamp(windowedWidth, std::min(kMinWindowWidth, usable.w), usable.w);
      h = std::clamp(windowedHeight, std::min(kMinWindowHeight, usable.h), usable.h);
    }
    // Full screen covers the desktop in its own mode: the display's mode is
    // never switched.
    // A window drawn through its own surface needs no OpenGL: asking for it
    // would load and start the GL library for nothing.
    Uint32 flags = SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
    if (KnownPresentPath() != PresentPath::WindowSurface) flags |= SDL_WINDOW_OPENGL;
    if (fullScreen) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    const int x = windowed ? usable.x + (usable.w - w) / 2 : 0;
    const int y = windowed ? usable.y + (usable.h - h) / 2 : 0;
    // The application's name titles the window in the desktop's task list.
    const char* title = platform ? platform->GetName().c_str() : "";
    SDL_Window* created = SDL_CreateWindow(title, x, y, w, h, flags);
    // Without OpenGL (the dummy driver, some remote displays) a plain window still works.
    if (!created) created = SDL_CreateWindow(title, x, y, w, h, flags & ~SDL_WINDOW_OPENGL);
    if (!created) return false;
    window = created;
    SDL_SetWindowMinimumSize(window, kMinWindowWidth, kMinWindowHeight);
    SDL_ShowCursor(SDL_DISABLE);
    SDL_GetWindowSize(window, &w, &h);
    if (windowed && (windowedWidth < 1 || windowedHeight < 1)) SetWindowedSize(w, h);
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
    if (window) CreatePresenter();
  }
  if (recreateTexture) {
    DestroyTexture();
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
      textureSmooth = false;
      if (texture) SetSmooth(texture, textureSmooth);
    }
    picture.clear();
    textureLocked = false;
    drawnSurface = nullptr;
    if (presentPath == PresentPath::WindowSurface && sceneWidth > 0 && sceneHeight > 0)
      picture.assign(static_cast<size_t>(sceneWidth) * sceneHeight, 0);
    // A new texture holds nothing yet.
    RequestFullPresent();
    FitPicture();
  }
  if (game) {
    game->SetCursorPosition(sceneWidth / 2, sceneHeight / 2);
    WarpPointerTo(sceneWidth / 2, sceneHeight / 2);
  }
}

void GDeviceSDL::CreatePresenter() {
  // The window surface is drawn into as it is: SDL must not put a renderer
  // of its own behind it, which would draw the whole window again.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  const auto makeRenderer = [this] {
    renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
    // No accelerated renderer (no GPU, a virtual display): draw in software.
    if (!renderer) renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
  };
  // Once decided for this window, the choice stands: asking again would
  // make a renderer only to drop it.
  PresentPath path =
      requestedPath == PresentPath::Automatic && presentPath != PresentPath::Automatic
          ? presentPath
          : KnownPresentPath();
  if (path != PresentPath::WindowSurface) makeRenderer();
  if (path == PresentPath::Automatic)
    path = !renderer || DrawsOnProcessor(renderer) ? PresentPath::WindowSurface
                                                   : PresentPath::Renderer;
  if (path == PresentPath::WindowSurface) {
    if (renderer) SDL_DestroyRenderer(renderer);
    renderer = nullptr;
    // A window system without surfaces to draw into leaves the renderer.
    if (!SDL_GetWindowSurface(window)) {
      path = PresentPath::Renderer;
      makeRenderer();
    }
  }
  presentPath = path;
  if (renderer) SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
}

PresentPath GDeviceSDL::KnownPresentPath() const {
  if (requestedPath != PresentPath::Automatic) return requestedPath;
  // Without a graphics device every renderer draws on the processor. The
  // devices are looked for once: the window and its presenter both ask.
  if (!hasGraphicsDevice) hasGraphicsDevice = HasGraphicsDevice("/dev/");
  return *hasGraphicsDevice ? PresentPath::Automatic : PresentPath::WindowSurface;
}

void GDeviceSDL::FitPicture() {
  if (window) SDL_GetWindowSize(window, &screenWidth, &screenHeight);
  CalcTexRect();
}

int GDeviceSDL::GetRefreshRate() {
  SDL_DisplayMode mode;
  if (window && SDL_GetWindowDisplayMode(window, &mode) == 0 && mode.refresh_rate > 0)
    return mode.refresh_rate;
  const int display = window ? SDL_GetWindowDisplayIndex(window) : 0;
  if (SDL_GetCurrentDisplayMode(display < 0 ? 0 : display, &mode) == 0 && mode.refresh_rate > 0)
    return mode.refresh_rate;
  return GDevice::GetRefreshRate();
}

void GDeviceSDL::GetDrawableSize(int& w, int& h) {
  if (presentPath == PresentPath::WindowSurface && window) {
    // The picture is fitted to the surface it is drawn into.
    if (SDL_Surface* surface = SDL_GetWindowSurface(window)) {
      w = surface->w;
      h = surface->h;
      return;
    }
    SDL_GetWindowSizeInPixels(window, &w, &h);
    if (w > 0 && h > 0) return;
  }
  if (renderer && SDL_GetRendererOutputSize(renderer, &w, &h) == 0 && w > 0 && h > 0) return;
  GDevice::GetDrawableSize(w, h);
}

bool GDeviceSDL::SetFullScreen(bool on) {
  if (on == fullScreen) return true;
  if (!window) return GDevice::SetFullScreen(on);
  // A desktop without a window manager leaves the window as it was, so the
  // window covers the display before it is made full screen.
  SDL_Rect display;
  if (on && SDL_GetDisplayBounds(std::max(SDL_GetWindowDisplayIndex(window), 0), &display) == 0) {
    SDL_SetWindowPosition(window, display.x, display.y);
    SDL_SetWindowSize(window, display.w, display.h);
  }
  if (SDL_SetWindowFullscreen(window, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) return false;
  GDevice::SetFullScreen(on);
  if (!on && windowedWidth >= 1 && windowedHeight >= 1) {
    SDL_SetWindowSize(window, windowedWidth, windowedHeight);
    SDL_SetWindowPosition(window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
  }
  OnWindowSizeChanged();
  if (game) WarpPointerTo(game->cursorX, game->cursorY);
  return true;
}

void GDeviceSDL::OnWindowSizeChanged() {
  // A window surface is made anew for the new size, holding nothing yet.
  drawnSurface = nullptr;
  FitPicture();
  constexpr Uint32 kNotWindowed = SDL_WINDOW_FULLSCREEN | SDL_WINDOW_MAXIMIZED;
  if (window && !fullScreen && !(SDL_GetWindowFlags(window) & kNotWindowed))
    SetWindowedSize(screenWidth, screenHeight);
  RequestFullPresent();
}

void GDeviceSDL::WarpPointerTo(int x, int y) {
  if (!window) return;
  const CFerroPoint at = transform.PictureToWindow(x, y);
  SDL_WarpMouseInWindow(window, at.x, at.y);
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
  if (presentPath == PresentPath::WindowSurface) {
    PresentToSurface();
    return;
  }
  if (!renderer || !texture) {
    uploaded.clear();
    return;
  }
  SDL_Texture* source = texture;
  SDL_Rect from{0, 0, sceneWidth, sceneHeight};
  if (transform.HasIntermediate() && UpdateIntermediate()) {
    source = intermediate;
    from = SDL_Rect{0, 0, intermediateSize.width, intermediateSize.height};
  } else if (textureSmooth != transform.IsSmooth()) {
    textureSmooth = transform.IsSmooth();
    SetSmooth(texture, textureSmooth);
  }
  uploaded.clear();
  SDL_RenderClear(renderer);
  const SDL_Rect to = ToSDL(transform.GetDestination());
  SDL_RenderCopy(renderer, source, &from, &to);
  SDL_RenderPresent(renderer);
}

bool GDeviceSDL::UpdateIntermediate() {
  const CFerroSize size = transform.GetIntermediate();
  if (!intermediate || intermediateSize != size) {
    DestroyIntermediate();
    if (size == intermediateRefused) return false;
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(renderer, &info) == 0 && (info.flags & SDL_RENDERER_TARGETTEXTURE))
      intermediate = SDL_CreateTexture(renderer, kTextureFormat, SDL_TEXTUREACCESS_TARGET,
                                       size.width, size.height);
    if (!intermediate) {
      intermediateRefused = size;
      return false;
    }
    intermediateSize = size;
    SDL_SetTextureBlendMode(intermediate, SDL_BLENDMODE_NONE);
    SetSmooth(intermediate, true);
  }
  if (intermediateStale) {
    // Nothing of it was drawn yet: the whole picture goes in.
    uploaded.assign(1, CFerroRect(0, 0, sceneWidth, sceneHeight));
    intermediateStale = false;
  }
  if (uploaded.empty()) return true;
  if (textureSmooth) {
    textureSmooth = false;
    SetSmooth(texture, false);
  }
  if (SDL_SetRenderTarget(renderer, intermediate) != 0) {
    intermediateStale = true;
    return false;
  }
  const int k = transform.GetFactor();
  for (const CFerroRect& rect : uploaded) {
    const SDL_Rect part = ToSDL(rect);
    const SDL_Rect scaled{rect.left * k, rect.top * k, rect.Width() * k, rect.Height() * k};
    SDL_RenderCopy(renderer, texture, &part, &scaled);
  }
  SDL_SetRenderTarget(renderer, nullptr);
  return true;
}

bool GDeviceSDL::LockBackbuffer(SURFACE_LOCKED* lock) {
  return LockBackbufferRect(CFerroRect(0, 0, sceneWidth, sceneHeight), lock);
}

bool GDeviceSDL::LockBackbufferRect(const CFerroRect& area, SURFACE_LOCKED* lock) {
  if (!lock) return false;
  *lock = SURFACE_LOCKED();
  if ((!texture && picture.empty()) || textureLocked) return false;
  if (area.IsEmpty() || area.left < 0 || area.top < 0 || area.right > sceneWidth ||
      area.bottom > sceneHeight)
    return false;
  if (!picture.empty()) {
    textureLocked = true;
    uploaded.push_back(area);
    lock->bits = picture.data() + static_cast<size_t>(area.top) * sceneWidth + area.left;
    lock->pitch = sceneWidth * 4;
    return true;
  }
  // A streaming texture's locked pixels are write-only: the caller writes
  // every pixel of the rectangle.
  const SDL_Rect rect{area.left, area.top, area.Width(), area.Height()};
  void* bits = nullptr;
  int pitch = 0;
  if (SDL_LockTexture(texture, &rect, &bits, &pitch) != 0 || !bits) return false;
  textureLocked = true;
  uploaded.push_back(area);
  lock->bits = bits;
  lock->pitch = pitch;
  return true;
}

void GDeviceSDL::UnlockBackbuffer() {
  if (!textureLocked) return;
  if (texture) SDL_UnlockTexture(texture);
  textureLocked = false;
}

void GDeviceSDL::ChangeCursorPositionByGlobalCursor(int x, int y) {
  if (!game) return;
  // Absolute in every mode: the pointer's position alone says where the
  // cursor is, so the two never drift apart, wherever the pointer went.
  const CFerroPoint at = transform.WindowToPicture(x, y);
  game->SetCursorPosition(at.x, at.y);
}

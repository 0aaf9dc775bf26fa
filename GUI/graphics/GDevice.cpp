#include "GUI/graphics/GDevice.h"

#include <algorithm>
#include <utility>

#include "GUI/foundation/CFerroRect.h"
#include "GUI/graphics/GImage.h"
#include "GUI/graphics/GSurface.h"
#include "GUI/platform/GGame.h"

GGame* GDevice::game = nullptr;
GPlatform* GDevice::platform = nullptr;

GDevice::GDevice(bool fullScreen) : fullScreen(fullScreen) {}

GDevice::~GDevice() {
  // Surfaces must not reach a device that is gone.
  if (GSurface::device == this) GSurface::device = nullptr;
  cursors.clear();
  pictures.clear();
  surfaces.clear();
  fonts.clear();
}

bool GDevice::Create(int w, int h) {
  Destroy();
  GSurface::device = this;
  VIDEO_MODE monitor;
  GetMonitorMode(&monitor);
  if (!hasDesktopMode) {
    desktopMode = monitor;
    hasDesktopMode = true;
  }
  if (w < 1) w = monitor.width;
  if (h < 1) h = monitor.height;
  sceneWidth = screenWidth = w;
  sceneHeight = screenHeight = h;
  ChangeResolution(true, true);
  return true;
}

void GDevice::Destroy() {
  if (GSurface::device == this) GSurface::device = nullptr;
  sceneWidth = 0;
  sceneHeight = 0;
}

bool GDevice::SetVideoMode(VIDEO_MODE* mode) {
  if (!mode) return false;
  if (modeCount == 0) RefreshVideoMode();
  if (onlyListedModes && std::find(modes, modes + modeCount, *mode) == modes + modeCount)
    return false;
  const bool sceneChanged = sceneWidth != mode->width || sceneHeight != mode->height;
  if (sceneChanged) {
    sceneWidth = mode->width;
    sceneHeight = mode->height;
  }
  const bool screenChanged =
      onlyListedModes && (screenWidth != mode->width || screenHeight != mode->height);
  if (screenChanged) {
    screenWidth = mode->width;
    screenHeight = mode->height;
  }
  if (!sceneChanged && !screenChanged) return true;
  ChangeResolution(screenChanged, sceneChanged);
  if (sceneChanged && game) game->OnChangeVideoMode(sceneWidth, sceneHeight);
  return true;
}

bool GDevice::IsVideoMode(VIDEO_MODE* mode) {
  if (!mode || mode->bpp != 32) return false;
  int minW, minH, maxW, maxH;
  GetMinSize(minW, minH);
  GetMaxSize(maxW, maxH);
  return mode->width >= minW && mode->width <= maxW && mode->height >= minH && mode->height <= maxH;
}

void GDevice::RefreshVideoMode() {
  // Ascending by bits per pixel, then width, then height.
  for (int i = 0; i < modeCount; ++i) {
    int best = i;
    for (int j = i + 1; j < modeCount; ++j) {
      const VIDEO_MODE& a = modes[j];
      const VIDEO_MODE& b = modes[best];
      if (a.bpp != b.bpp       ? a.bpp < b.bpp
          : a.width != b.width ? a.width < b.width
                               : a.height < b.height)
        best = j;
    }
    std::swap(modes[i], modes[best]);
  }
}

bool GDevice::AddVideoMode(const VIDEO_MODE& mode) {
  VIDEO_MODE candidate = mode;
  if (modeCount >= kMaxVideoModes || !IsVideoMode(&candidate)) return false;
  if (std::find(modes, modes + modeCount, mode) != modes + modeCount) return false;
  modes[modeCount++] = mode;
  return true;
}

bool GDevice::GetMonitorMode(VIDEO_MODE* mode) {
  if (mode) *mode = VIDEO_MODE();
  return false;
}

void GDevice::GetScreenModeDefault(VIDEO_MODE* mode) {
  if (mode) *mode = VIDEO_MODE{800, 600, 32};
}

void GDevice::ChangeResolution(bool /*resize*/, bool recreateTexture) {
  if (recreateTexture) CalcTexRect();
}

bool GDevice::SetMonitorResolutionOnly() {
  return false;
}

void GDevice::GetMinSize(int& w, int& h) {
  w = 0;
  h = 0;
}

void GDevice::GetMaxSize(int& w, int& h) {
  w = 100000;
  h = 100000;
}

void GDevice::GetSceneRect(CFerroRect* rect) {
  if (rect) *rect = CFerroRect(0, 0, screenWidth, screenHeight);
}

void GDevice::Render() {}

bool GDevice::LockBackbuffer(SURFACE_LOCKED* lock) {
  if (lock) *lock = SURFACE_LOCKED();
  return false;
}

bool GDevice::LockBackbufferRect(const CFerroRect&, SURFACE_LOCKED* lock) {
  if (lock) *lock = SURFACE_LOCKED();
  return false;
}

void GDevice::UnlockBackbuffer() {}

bool GDevice::IsLost() {
  return false;
}

void GDevice::Activate() {
  if (!sizesSaved) return;
  sizesSaved = false;
  sceneWidth = savedSceneWidth;
  sceneHeight = savedSceneHeight;
  screenWidth = savedScreenWidth;
  screenHeight = savedScreenHeight;
  ChangeResolution(true, true);
  if (game) game->OnChangeVideoMode(sceneWidth, sceneHeight);
}

void GDevice::Inactivate() {
  savedSceneWidth = sceneWidth;
  savedSceneHeight = sceneHeight;
  savedScreenWidth = screenWidth;
  savedScreenHeight = screenHeight;
  sizesSaved = true;
  screenWidth = desktopMode.width;
  screenHeight = desktopMode.height;
  SetMonitorResolutionOnly();
}

bool GDevice::IsVisibleCursor() {
  return false;
}

GSurface* GDevice::AddSurface() {
  std::unique_ptr<GSurface> surface(NewSurface());
  if (!surface) return nullptr;
  surfaces.push_back(std::move(surface));
  return surfaces.back().get();
}

bool GDevice::DeleteSurface(GSurface* surface) {
  auto it =
      std::find_if(surfaces.begin(), surfaces.end(),
                   [surface](const std::unique_ptr<GSurface>& s) { return s.get() == surface; });
  if (!surface || it == surfaces.end()) return false;
  (*it)->Destroy();
  surfaces.erase(it);
  return true;
}

GImage* GDevice::AddPicture(GSurface* surface, int pivotX, int pivotY) {
  pictures.push_back(std::make_unique<GImage>(surface, pivotX, pivotY));
  return pictures.back().get();
}

int GDevice::AddCursor(GSurface* surface, int hotX, int hotY) {
  cursors.push_back(std::make_unique<GImage>(surface, hotX, hotY));
  return static_cast<int>(cursors.size()) - 1;
}

GImage* GDevice::GetCursor() {
  if (currentCursor < 0 || currentCursor >= static_cast<int>(cursors.size())) return nullptr;
  return cursors[currentCursor].get();
}

bool GDevice::SetCursor(int index) {
  if (index < 0 || index >= static_cast<int>(cursors.size())) return false;
  currentCursor = index;
  return true;
}

bool GDevice::CalcTexRect() {
  int drawableWidth = 0, drawableHeight = 0;
  GetDrawableSize(drawableWidth, drawableHeight);
  transform =
      CPictureTransform(CFerroSize(sceneWidth, sceneHeight), CFerroSize(screenWidth, screenHeight),
                        CFerroSize(drawableWidth, drawableHeight), scaleMode);
  const CFerroRect& picture = transform.GetDestination();
  texLeft = picture.left;
  texTop = picture.top;
  texRight = picture.right - 1;
  texBottom = picture.bottom - 1;
  return picture.Width() < sceneWidth || picture.Height() < sceneHeight;
}

void GDevice::SetScaleMode(ScaleMode mode) {
  scaleMode = mode;
  CalcTexRect();
  RequestFullPresent();
}

int GDevice::GetMaxWidthVideoMode() const {
  int best = 0;
  for (int i = 0; i < modeCount; ++i) best = std::max(best, modes[i].width);
  return best;
}

int GDevice::GetMaxHeightVideoMode() const {
  int best = 0;
  for (int i = 0; i < modeCount; ++i) best = std::max(best, modes[i].height);
  return best;
}

const VIDEO_MODE* GDevice::GetVideoModeAt(int i) const {
  if (i < 0 || i >= modeCount) return nullptr;
  return &modes[i];
}

bool GDevice::GetDesktopMode(VIDEO_MODE* mode) const {
  if (mode) *mode = desktopMode;
  return hasDesktopMode;
}

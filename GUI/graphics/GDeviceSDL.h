#pragma once

#include "GUI/graphics/GDevice.h"

struct SDL_Renderer;
struct SDL_Texture;
struct SDL_Window;

// The device over SDL2: it creates the process's window (which the platform
// reads for its window state), a renderer and one streaming 16-bit texture
// into which the back surface is copied, and presents it centred in the window.
class GDeviceSDL : public GDevice {
 public:
  // The one window of the process: created by the first Create, destroyed
  // with the device.
  static SDL_Window* window;

  // The window argument is not used: the device creates its own.
  GDeviceSDL(bool fullScreen, void* window);
  ~GDeviceSDL() override;

  bool Create(int w, int h) override;
  void RefreshVideoMode() override;
  bool GetMonitorMode(VIDEO_MODE* mode) override;
  void GetScreenModeDefault(VIDEO_MODE* mode) override;
  void ChangeResolution(bool resize, bool recreateTexture) override;
  bool SetMonitorResolutionOnly() override;
  void GetSceneRect(CFerroRect* rect) override;
  void Render() override;
  // The whole scene.
  bool LockBackbuffer(SURFACE_LOCKED* lock) override;
  bool LockBackbufferRect(const CFerroRect& rect, SURFACE_LOCKED* lock) override;
  void UnlockBackbuffer() override;
  bool IsLost() override { return false; }
  bool IsVisibleCursor() override { return true; }
  // The texture holds 32-bit pixels.
  int GetBackbufferBPP() override { return 32; }

  // Moves the application's cursor, relatively in full-screen use and
  // absolutely in a window.
  void ChangeCursorPositionByGlobalCursor(int x, int y) override;

  SDL_Renderer* GetRenderer() const { return renderer; }
  SDL_Texture* GetTexture() const { return texture; }

 private:
  void DestroyRendering();

  SDL_Renderer* renderer = nullptr;
  SDL_Texture* texture = nullptr;
  bool textureLocked = false;
};

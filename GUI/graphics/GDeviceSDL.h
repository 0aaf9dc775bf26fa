#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "GUI/foundation/CFerroRect.h"
#include "GUI/graphics/CPictureScaler.h"
#include "GUI/graphics/GDevice.h"
#include "GUI/graphics/PresentPath.h"

struct SDL_Renderer;
struct SDL_Surface;
struct SDL_Texture;
struct SDL_Window;

// The device over SDL2: it creates the process's window (which the platform
// reads for its window state), a renderer and one streaming texture into
// which the back surface is copied, and presents it scaled into the window by
// the device's transform. Full screen takes the desktop's own mode, never
// switching the display's mode; a window can be resized by the player.
//
// Presenting: the texture's picture goes to the destination rectangle in one
// copy, nearest-neighbour when every destination pixel is one picture pixel
// and linearly filtered otherwise, or, in sharp scaling, in two stages: the
// rectangles uploaded since the last present are scaled up by the whole
// factor (nearest-neighbour) into an intermediate texture that keeps the rest,
// which is then filtered down to the destination. Without render targets the
// single filtered copy stands in for the two stages.
//
// Where that renderer draws on the processor (no graphics driver, a virtual
// machine or display), drawing the whole window on every present costs a
// large share of a core, so the device presents through the window's own
// surface instead: it keeps the picture in memory, scales only the
// rectangles uploaded since the last present into the surface, with the
// renderer's look (CPictureScaler), and pushes just those to the screen.
// The environment variable DIGMAZE_PRESENT ("renderer" or "surface")
// overrides the choice.
class GDeviceSDL : public GDevice {
 public:
  // The one window of the process: created by the first Create, destroyed
  // with the device.
  static SDL_Window* window;

  // The window argument is not used: the device creates its own.
  GDeviceSDL(bool fullScreen, void* window);
  ~GDeviceSDL() override;

  // A size of at least 1 x 1 becomes the windowed size; a full-screen device
  // covers the desktop, a windowed one opens at the windowed size (the
  // desktop's when none was set), kept within the desktop.
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
  // The display's mode is never switched, so losing the screen changes
  // nothing, and regaining it only presents the picture whole again.
  void Activate() override { RequestFullPresent(); }
  void Inactivate() override {}
  bool IsVisibleCursor() override { return true; }
  // The refresh rate of the window's display mode; 60 where SDL cannot tell.
  int GetRefreshRate() override;
  // The texture holds 32-bit pixels.
  int GetBackbufferBPP() override { return 32; }

  // Puts the application's cursor on the picture pixel under the pointer, in
  // full screen as in a window; a pointer in the border puts it on the
  // nearest edge.
  void ChangeCursorPositionByGlobalCursor(int x, int y) override;
  // Keeps the cursor on the same picture pixel: the pointer is moved to it
  // in the new window.
  bool SetFullScreen(bool on) override;
  // Fits the picture to the new size and presents it in full; a window that
  // is neither full screen nor maximised gives the windowed size.
  void OnWindowSizeChanged() override;
  void GetDrawableSize(int& w, int& h) override;
  // Moves the pointer over a picture pixel, so the next pointer event finds
  // the cursor where it is.
  void WarpPointerTo(int x, int y);

  // How frames are to be presented from the next Create or change of the
  // window's size on; at construction, what DIGMAZE_PRESENT says.
  void SetPresentPath(PresentPath path) { requestedPath = path; }
  // The way frames are presented now: Renderer or WindowSurface once the
  // window exists (Automatic before).
  PresentPath GetPresentPath() const { return presentPath; }
  // The rectangles of the window surface (drawable pixels) that the last
  // present pushed to the screen; empty on the renderer path.
  const std::vector<CFerroRect>& GetPushedRects() const { return pushed; }

  // None on the window-surface path.
  SDL_Renderer* GetRenderer() const { return renderer; }
  SDL_Texture* GetTexture() const { return texture; }
  // The texture of the sharp scaling's first stage; none while the transform
  // needs none (or the renderer cannot draw into textures).
  SDL_Texture* GetIntermediate() const { return intermediate; }

  // The smallest window the player can make, in points.
  static constexpr int kMinWindowWidth = 320;
  static constexpr int kMinWindowHeight = 240;

 private:
  // Makes the renderer and decides the present path, once per window; the
  // renderer stays where the window has no surface to draw into.
  void CreatePresenter();
  // The present path known before any renderer is made: the one asked for,
  // the window surface on a machine without a graphics device, else
  // Automatic (a renderer must be made and asked).
  PresentPath KnownPresentPath() const;
  // Destroys the textures and the renderer they belong to.
  void DestroyRendering();
  // Unlocks and destroys the streaming texture and the intermediate one.
  void DestroyTexture();
  void DestroyIntermediate();
  // Reads the window's sizes and fits the picture to them.
  void FitPicture();
  // Brings the intermediate texture up to date with the rectangles uploaded
  // since the last present (all of it when it is new); false when there is
  // none to be had.
  bool UpdateIntermediate();
  // The window-surface present: the uploaded rectangles, scaled, or all of
  // the surface when it is new or its picture is out of date.
  void PresentToSurface();
  // Draws the given drawable rectangles of the surface: black outside the
  // picture, the scaled picture within it.
  void DrawIntoSurface(SDL_Surface* surface, const std::vector<CFerroRect>& rects);

  SDL_Renderer* renderer = nullptr;
  SDL_Texture* texture = nullptr;
  bool textureLocked = false;
  SDL_Texture* intermediate = nullptr;
  CFerroSize intermediateSize;
  // The intermediate's content is lost or was never drawn.
  bool intermediateStale = true;
  // An intermediate of this size could not be made; it is not tried again
  // until the size changes.
  CFerroSize intermediateRefused;
  // Whether the texture is filtered linearly (else nearest-neighbour).
  bool textureSmooth = false;
  // The scene rectangles uploaded since the last present.
  std::vector<CFerroRect> uploaded;

  PresentPath requestedPath = PresentPath::Automatic;
  PresentPath presentPath = PresentPath::Automatic;
  // Whether the machine has a graphics device, once looked for.
  mutable std::optional<bool> hasGraphicsDevice;
  // The window-surface path: the scene as 0x00RRGGBB words, row by row
  // (what the texture holds on the renderer path), and how it is scaled.
  std::vector<uint32_t> picture;
  CPictureScaler scaler;
  // The surface the picture was last drawn into whole, and its size; none
  // when the next present must draw all of it.
  SDL_Surface* drawnSurface = nullptr;
  CFerroSize drawnSize;
  std::vector<CFerroRect> pushed;
  // Where a rectangle is scaled first for a surface of another pixel format.
  std::vector<uint32_t> scratch;
};

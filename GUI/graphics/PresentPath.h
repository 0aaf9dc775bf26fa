#pragma once

#include <string>

// How the device brings finished frames to the window.
enum class PresentPath {
  // Chosen when the window's renderer is made: the window surface when that
  // renderer draws on the processor, the renderer otherwise.
  Automatic,
  // A renderer and its textures: every present draws the whole window, which
  // costs little on a graphics processor.
  Renderer,
  // The window's own pixels: the device scales only the changed rectangles
  // into them and pushes just those to the screen, which is what a
  // processor-drawn window can afford.
  WindowSurface,
};

// "renderer" and "surface" (the values of the environment variable
// DIGMAZE_PRESENT); anything else, none included, is Automatic.
PresentPath ParsePresentPath(const char* name);

// Whether a renderer draws on the processor: SDL's "software" renderer, or a
// GL renderer whose GL_RENDERER text names a software rasteriser (llvmpipe,
// softpipe, swrast), as on a machine without a graphics driver, in a virtual
// machine or on a virtual display. glRenderer may be none.
bool IsSoftwareRenderer(const char* rendererName, const char* glRenderer);

// Whether the device folder (normally "/dev/") holds a graphics device a
// renderer could draw with: a DRM node in dri/, or the proprietary NVIDIA
// driver's nvidia0. Without one every renderer draws on the processor, so the
// window surface is chosen without making a renderer to ask: making a GL
// renderer loads and starts the software rasteriser, a tenth of a second of
// the start.
bool HasGraphicsDevice(const std::string& deviceFolder);

#pragma once

#include <memory>
#include <vector>

#include "GUI/graphics/CPictureTransform.h"
#include "GUI/graphics/FONTEX.h"

struct CFerroRect;
class GGame;
class GImage;
class GPlatform;
class GSurface;
struct SURFACE_LOCKED;

// A display mode: width, height, bits per pixel.
struct VIDEO_MODE {
  int width = 0;
  int height = 0;
  int bpp = 0;

  bool operator==(const VIDEO_MODE&) const = default;
};

// The rendering device: the logical (scene) and physical (screen) sizes, the
// list of display modes, how the scene's picture is fitted into the window
// (CPictureTransform), and the surfaces, pictures and cursors that everything
// else allocates through it and that it owns.
class GDevice {
 public:
  static constexpr int kMaxVideoModes = 200;

  // The application and platform in use; set by them.
  static GGame* game;
  static GPlatform* platform;

  explicit GDevice(bool fullScreen);
  GDevice(const GDevice&) = delete;
  GDevice& operator=(const GDevice&) = delete;
  virtual ~GDevice();

  // Called by GGame::CreateGame: sizes below 1 take the monitor's; scene and
  // screen get that size and the resolution is applied.
  virtual bool Create(int w, int h);
  // Called by Create and the destructor: forgets the scene size.
  virtual void Destroy();
  // Called by the application to change the scene size (and, with only listed
  // modes, the screen size); false for a refused mode.
  virtual bool SetVideoMode(VIDEO_MODE* mode);
  // Whether a display mode can be used at all: 32 bits within the size limits.
  virtual bool IsVideoMode(VIDEO_MODE* mode);
  // Called by SetVideoMode and the application: fills and sorts the mode list.
  virtual void RefreshVideoMode();
  // The monitor's current mode; false (and a zero mode) when unknown.
  virtual bool GetMonitorMode(VIDEO_MODE* mode);
  // The mode to fall back on when the monitor cannot be asked.
  virtual void GetScreenModeDefault(VIDEO_MODE* mode);
  // Called after a size change: resizes the window and re-creates the
  // renderer (resize) and the texture (recreateTexture).
  virtual void ChangeResolution(bool resize, bool recreateTexture);
  // Switches the monitor to the screen size; false when nothing changed.
  virtual bool SetMonitorResolutionOnly();
  // The smallest and largest display sizes IsVideoMode accepts.
  virtual void GetMinSize(int& w, int& h);
  virtual void GetMaxSize(int& w, int& h);
  // The window's client rectangle.
  virtual void GetSceneRect(CFerroRect* rect);
  // Called by the frame after the back buffer was filled: presents it.
  virtual void Render();
  // Called by AddSurface: a surface of the device's pixel format.
  virtual GSurface* NewSurface() = 0;
  // Called by the frame: the back buffer's memory; false (bits none) without one.
  virtual bool LockBackbuffer(SURFACE_LOCKED* lock);
  // Called by the frame for each rectangle of scene pixels it uploads: the
  // back buffer's memory from the rectangle's top-left pixel on. The frame
  // must write every pixel of the rectangle (what it held is lost) and unlock
  // before the next lock. False (bits none) without a back buffer or for a
  // rectangle outside the scene.
  virtual bool LockBackbufferRect(const CFerroRect& rect, SURFACE_LOCKED* lock);
  // Called by the frame once the locked part is filled, before Render.
  virtual void UnlockBackbuffer();
  // Whether the back buffer was lost and the device must be created again.
  virtual bool IsLost();
  // Called by GGame::SysOnActivate when the application regains the screen:
  // restores the sizes Inactivate saved.
  virtual void Activate();
  // Called by GGame::SysOnActivate when the application loses the screen:
  // saves the sizes and gives the monitor back its desktop mode.
  virtual void Inactivate();
  // Whether the application draws the cursor itself.
  virtual bool IsVisibleCursor();
  // Called by the platform for every mouse motion, with the position in window
  // pixels: moves the application's cursor. Nothing in the base device.
  virtual void ChangeCursorPositionByGlobalCursor(int x, int y) {
    (void)x;
    (void)y;
  }
  // Called by the application (Alt+Enter, F11) to switch between full screen
  // at the desktop's own mode and a window of the windowed size; false when
  // the window system refused, and nothing changed. The base device only
  // records the choice.
  virtual bool SetFullScreen(bool on) {
    fullScreen = on;
    windowed = !on;
    return true;
  }
  // Called by the platform when the window's size changed (resized, or moved
  // between full screen and window): fits the picture anew. Nothing in the
  // base device.
  virtual void OnWindowSizeChanged() {}
  // How many times a second the display shows a new picture; 60 where it
  // cannot be told.
  virtual int GetRefreshRate() { return 60; }
  // Bits per pixel of the back buffer the frame copies into (16 or 32), so the
  // frame chooses its copy by the format rather than by the pitch.
  virtual int GetBackbufferBPP() { return 16; }

  // Called by the platform when the window must be drawn anew (exposed,
  // resized, shown, restored) and by the device when its back buffer was made
  // again: the next frame uploads and presents the whole picture.
  void RequestFullPresent() { fullPresentRequested = true; }
  // Called by the frame: whether a full present was asked for; clears the request.
  bool TakeFullPresentRequest() {
    const bool requested = fullPresentRequested;
    fullPresentRequested = false;
    return requested;
  }

  // The scene size.
  void GetSize(int& w, int& h) const {
    w = sceneWidth;
    h = sceneHeight;
  }
  // The window's size in the pointer's points.
  void GetScreenSize(int& w, int& h) const {
    w = screenWidth;
    h = screenHeight;
  }
  // The window's size in the renderer's pixels, which is larger than the
  // screen size on a high-density display; the screen size in the base device.
  virtual void GetDrawableSize(int& w, int& h) {
    w = screenWidth;
    h = screenHeight;
  }

  GSurface* AddSurface();
  // Destroys and deletes a surface of the list; false for any other pointer.
  bool DeleteSurface(GSurface* surface);
  int GetSurfaceCount() const { return static_cast<int>(surfaces.size()); }
  GImage* AddPicture(GSurface* surface, int pivotX, int pivotY);
  int GetPictureCount() const { return static_cast<int>(pictures.size()); }
  // Adds a cursor image; returns its index.
  int AddCursor(GSurface* surface, int hotX, int hotY);
  GImage* GetCursor();
  bool SetCursor(int index);
  int GetCursorCount() const { return static_cast<int>(cursors.size()); }

  // Fonts (the text drawing). The byte form decodes the image (any format the
  // image decoder reads) and passes its alpha channel, column by column, to the
  // column form, which reads the description. Both return the new font's
  // index, the index of an equal font (name, height, weight, italic) already
  // in the list, or -1 when the image or the description is unusable; the list
  // is then unchanged.
  int AddFontex(const unsigned char* image, int imageSize, const unsigned char* description,
                int descriptionSize);
  int AddFontex(unsigned char* const* alphaColumns, int imageWidth, int imageHeight,
                CFerroString const& description);
  // None outside 0..count-1.
  FONTEX* GetFontex(int index);
  int GetFontCount() const { return static_cast<int>(fonts.size()); }
  // h = the font's height, w = the sum of the widths of the characters of the
  // UTF-8 text as TextOut draws them (those below 32 add nothing); both 0 for
  // no text or no such font.
  void GetTextSize(const char* text, int font, int& w, int& h);

  // Fits the scene into the screen by the scale mode, keeping its shape, and
  // centres it; true when it had to shrink.
  bool CalcTexRect();
  // How the picture is scaled into the window; Off (1:1, shrunk only where
  // it does not fit) until set. Setting it fits the picture anew.
  void SetScaleMode(ScaleMode mode);
  ScaleMode GetScaleMode() const { return scaleMode; }
  // Where and how the picture is drawn in the window now, and how window
  // points map to picture points.
  const CPictureTransform& GetTransform() const { return transform; }
  // The window's size when it is not full screen: what a window opens with
  // and returns to from full screen. It follows the window when the player
  // resizes it. 0 x 0 until set (a window then takes the desktop's size).
  void SetWindowedSize(int w, int h) {
    windowedWidth = w;
    windowedHeight = h;
  }
  void GetWindowedSize(int& w, int& h) const {
    w = windowedWidth;
    h = windowedHeight;
  }
  // The picture inside the window, inclusive edges.
  void GetTexRect(int& left, int& top, int& right, int& bottom) const {
    left = texLeft;
    top = texTop;
    right = texRight;
    bottom = texBottom;
  }
  int GetMaxWidthVideoMode() const;
  int GetMaxHeightVideoMode() const;
  int GetVideoModeCount() const { return modeCount; }
  const VIDEO_MODE* GetVideoModeAt(int i) const;
  void SetOnlyListedModes(bool value) { onlyListedModes = value; }
  bool IsOnlyListedModes() const { return onlyListedModes; }
  // The monitor mode found when the device was first created.
  bool GetDesktopMode(VIDEO_MODE* mode) const;
  bool IsWindowed() const { return windowed; }
  bool IsFullScreen() const { return fullScreen; }

 protected:
  // Appends a mode the device can use and does not list yet; false when the
  // table is full or the mode was refused.
  bool AddVideoMode(const VIDEO_MODE& mode);

  int sceneWidth = 0;
  int sceneHeight = 0;
  int screenWidth = 0;
  int screenHeight = 0;
  bool onlyListedModes = true;
  int modeCount = 0;
  VIDEO_MODE modes[kMaxVideoModes];
  VIDEO_MODE desktopMode;
  bool hasDesktopMode = false;
  bool sizesSaved = false;
  int savedSceneWidth = 0;
  int savedSceneHeight = 0;
  int savedScreenWidth = 0;
  int savedScreenHeight = 0;
  std::vector<std::unique_ptr<FONTEX>> fonts;
  std::vector<std::unique_ptr<GSurface>> surfaces;
  std::vector<std::unique_ptr<GImage>> cursors;
  int currentCursor = -1;
  std::vector<std::unique_ptr<GImage>> pictures;
  bool windowed = false;
  bool fullScreen = false;
  int windowedWidth = 0;
  int windowedHeight = 0;
  ScaleMode scaleMode = ScaleMode::Off;
  CPictureTransform transform;
  int texLeft = 0;
  int texTop = 0;
  int texRight = -1;
  int texBottom = -1;
  // Nothing has been presented yet.
  bool fullPresentRequested = true;
};

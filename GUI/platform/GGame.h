#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "GUI/foundation/CFerroString.h"
#include "GUI/platform/TIMER_DATA.h"

class GComponent;
class GDevice;
class GImage;
class GPlatform;
class GScene;
class GSound;
class GSurface;
class GTheme;
struct VIDEO_MODE;

// The identity of a game, two 64-bit words.
struct GUID_GAME {
  uint64_t high = 0;
  uint64_t low = 0;
};

// A dotted version text ("1.0", "2.3.1") as up to four numbers.
struct DIGITAL_VERSION {
  int parts[4] = {0, 0, 0, 0};

  static DIGITAL_VERSION Parse(const char* text);
};

// The application object. It owns the platform, the rendering device, the
// sound object, the theme, the back surface every frame is drawn into, and an
// ordered list of full-screen scenes, one of which is current. The main timer
// drives everything: each tick updates the current scene, then renders and
// presents a frame. A game subclasses it and supplies the factories.
//
// Sections of the implementation:
//   GGame.cpp       construction, creation, timer, scenes, frame, quitting
//   GGamePaths.cpp  the cached path getters
//   GGameInput.cpp  key, button and cursor state handed in by the platform
class GGame {
 public:
  using ThemeDeleter = void (*)(GTheme*);

  GGame(GUID_GAME id, const char* name, const char* version, bool fullScreen);
  GGame(const GGame&) = delete;
  GGame& operator=(const GGame&) = delete;
  virtual ~GGame();

  // Called once by main (a game's override calls this first): creates the
  // platform, device, sound object and back surface, starts the main timer,
  // seeds the random generator and detects the first launch.
  virtual bool CreateGame(void* window, int w, int h);
  // Factories called by CreateGame; the application owns what they return.
  virtual GDevice* NewDevice(void* window);
  virtual GPlatform* NewPlatform(GGame* game, const char* name);
  virtual GSound* NewSound() { return nullptr; }
  // Called when the cursor has no image of its own: the theme's default.
  virtual GImage* GetCursorDefault() { return defaultCursor; }
  // The desktop mode the device saved at creation; false when unknown.
  virtual bool GetStartedVideoMode(VIDEO_MODE* mode);
  // Called by GComponent::Create: style bits the game adds to every component.
  virtual unsigned GetAdditionalStyles(GComponent* component) {
    (void)component;
    return 0;
  }
  // Called on Print Screen: saves the back surface as the next free
  // "NNNNNNNN.tga"; returns its path, or empty when nothing was written.
  virtual CFerroString SavePrintScreen();
  // Called by main: runs the platform loop; its exit code, -1 without platform.
  virtual int Play();
  // Called to end the innermost loop (see CanQuit).
  virtual void Quit(int code);
  // Called by Quit: whether the game may end now.
  virtual bool CanQuit() { return true; }
  // Called by the game's frame to put the cursor image into the picture.
  virtual void DrawCursor(GImage* cursor) { (void)cursor; }
  // Called by PlatformTimer on every tick: updates the current scene and the
  // modal component.
  virtual void SysOnUpdate();
  // Called by PlatformTimer while the window is active: draws the frame into
  // the back surface and chooses the cursor image.
  virtual void SysOnRender();
  // Called once per installed version by the first-launch detection.
  virtual void OnFirstLaunch() {}
  // Called by the device after the scene size changed.
  virtual void OnChangeVideoMode(int w, int h);
  // Called by SysOnActivate after the application became (in)active.
  virtual void OnActivate(unsigned active, bool minimised) {
    (void)active;
    (void)minimised;
  }
  // Called when the window gains or loses the application's use.
  virtual void SysOnActivate(unsigned active, bool minimised);

  // Input handlers, called by PlatformKeyDown/PlatformKeyUp (buttons get the
  // modifier part of inputFlags) and by the platform (double clicks, wheel,
  // characters). The routing to components joins with the component model.
  virtual void SysOnLButtonDown(unsigned flags) { (void)flags; }
  virtual void SysOnLButtonUp(unsigned flags) { (void)flags; }
  virtual void SysOnLButtonDblClk() {}
  virtual void SysOnRButtonDown(unsigned flags) { (void)flags; }
  virtual void SysOnRButtonUp(unsigned flags) { (void)flags; }
  virtual void SysOnRButtonDblClk() {}
  virtual void SysOnMButtonDown(unsigned flags) { (void)flags; }
  virtual void SysOnMButtonUp(unsigned flags) { (void)flags; }
  virtual void SysOnMButtonDblClk() {}
  virtual void SysOnMouseWheel(short delta) { (void)delta; }
  // Called whenever the cursor moved, with the full inputFlags (held buttons
  // included, so a drag can paint).
  virtual void SysOnMouseMove(unsigned flags) { (void)flags; }
  virtual void SysOnKeyDown(unsigned key, unsigned count, unsigned flags);
  virtual void SysOnKeyUp(unsigned key, unsigned count, unsigned flags);
  virtual void SysOnChar(unsigned ch, unsigned count, unsigned flags);

  // Cached path getters; every result ends with a separator.
  virtual CFerroString GetPathToObject();
  virtual CFerroString GetPathToImage();
  virtual CFerroString GetPathToFont();
  virtual CFerroString GetPathToUsers();
  // Empty while there is no user name.
  virtual CFerroString GetPathToProfile();
  // Created on first request.
  virtual CFerroString GetPathToSavedGame();
  virtual CFerroString GetPathToMusic();
  virtual CFerroString GetPathToSound();
  virtual CFerroString GetPathToVoice();
  virtual CFerroString GetPathToMaps();
  // Created on first request.
  virtual CFerroString GetPathToDownloadedMaps();
  virtual CFerroString GetPathToConfig();
  virtual CFerroString GetPathToInit();
  // Created (all levels) on first request.
  virtual CFerroString GetPathToAutosave();
  virtual CFerroString GetPathToVirtualDrive() { return CFerroString(); }

  // Scenes. The first scene added becomes current.
  void AddScene(GScene* scene);
  bool SetScene(int index);
  GScene* GetScene() const;
  GScene* GetScene(int index) const;
  int GetSceneCount() const { return static_cast<int>(scenes.size()); }
  int GetCurrentSceneIndex() const { return currentScene; }

  // The main timer.
  void SetMainTimer(unsigned ms);
  void KillMainTimer();
  bool IsMainTimer() const { return mainTimer.handle != 0; }
  unsigned GetMainTimerPeriod() const { return IsMainTimer() ? mainTimer.period : 0; }
  // Called by the platform on every main-timer tick.
  void PlatformTimer();

  bool IsActivated();
  bool IsIconic();
  void ToIconic();
  void ToMaximize();

  // Keys, buttons and the software cursor.
  void ShowCursor(bool show);
  GImage* GetCursor();
  // Called by the device (and the application) to place the cursor at a
  // scene position, clamped to the scene.
  virtual void SetCursorPosition(int x, int y);
  // Called by the device for every mouse motion: moves the cursor by a
  // distance in scene pixels, clamped to the scene.
  virtual void PlatformMoveCursor(int dx, int dy);
  bool IsKeyHeld(unsigned key) const;
  void PlatformKeyDown(int key, unsigned count);
  void PlatformKeyUp(int key);
  void SetRepeatedKey(unsigned key);
  void SetRepeatedChar(unsigned ch);
  void ResetRepeatedKey();
  void RepeateKey();
  void ClearControl();

  void SetUserName(const char* user);
  const CFerroString& GetUserName() const { return userName; }
  const CFerroString& GetName() const { return name; }
  const CFerroString& GetVersion() const { return version; }
  const DIGITAL_VERSION& GetDigitalVersion() const { return digitalVersion; }
  const GUID_GAME& GetId() const { return id; }
  bool IsFullScreen() const { return fullScreen; }

  GPlatform* GetPlatform() const { return platform.get(); }
  GDevice* GetDevice() const { return device.get(); }
  GSound* GetSound() const { return sound.get(); }
  GTheme* GetTheme() const { return theme.get(); }
  GSurface* GetBackSurface() const { return backSurface; }
  // Installs the theme; the application deletes it last, through its own type.
  template <class Theme>
  void SetTheme(Theme* newTheme) {
    theme = ThemePtr(newTheme, [](GTheme* t) { delete static_cast<Theme*>(t); });
  }

  // Interaction state read and written by the toolkit and the input routing.
  GImage* defaultCursor = nullptr;
  int cursorX = 100;
  int cursorY = 100;
  float cursorFX = 100.0f;
  float cursorFY = 100.0f;
  float mouseSpeed = 1.0f;
  GImage* cursorImage = nullptr;
  bool cursorVisible = true;
  unsigned inputFlags = 0;
  unsigned char keyDown[256] = {};
  GComponent* modal = nullptr;
  GComponent* captured = nullptr;
  int capturedZone = 0;
  GComponent* highlighted = nullptr;
  int highlightedZone = 0;
  GComponent* focused = nullptr;
  GComponent* pressed = nullptr;
  int pressedZone = 0;
  GComponent* keyTarget = nullptr;
  int heldKeyCount = 0;
  unsigned repeatKey = ~0u;
  unsigned repeatChar = ~0u;
  unsigned nextRepeatTick = ~0u;
  unsigned repeatCount = 0;

 protected:
  using ThemePtr = std::unique_ptr<GTheme, ThemeDeleter>;

  // Clears the mouse and keyboard state and switches key repeat off.
  void ResetInput();
  // Computes a cached getter's text once; create folders when asked.
  CFerroString GameFolderPath(CFerroString& cache, const char* folder, bool useSlash);

  GUID_GAME id;
  CFerroString name;
  CFerroString version;
  DIGITAL_VERSION digitalVersion;
  CFerroString userName;
  bool fullScreen;
  TIMER_DATA mainTimer;
  unsigned lastActivityTick = 0;
  int currentScene = -1;

  // Cached paths; empty means not computed yet.
  CFerroString pathObject, pathImage, pathFont, pathUsers, pathProfile, pathSavedGame, pathMusic,
      pathSound, pathVoice, pathMaps, pathDownloadedMaps, pathConfig, pathInit, pathAutosave;

  // Owned parts, destroyed in the order platform, sound, scenes, device, theme.
  std::unique_ptr<GPlatform> platform;
  std::unique_ptr<GDevice> device;
  std::unique_ptr<GSound> sound;
  std::vector<std::unique_ptr<GScene>> scenes;
  ThemePtr theme{nullptr, [](GTheme*) {}};
  // Owned by the device's surface list.
  GSurface* backSurface = nullptr;
};

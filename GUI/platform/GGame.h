#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "GUI/foundation/CFerroString.h"
#include "GUI/platform/TIMER_DATA.h"
#include "GUI/toolkit/InputCodes.h"

class GComponent;
class GDevice;
class GDispatchGuard;
struct GMouseButtonChain;
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
// presents a frame. While the scene has something to draw between ticks, a
// frame timer at the display's refresh rate renders and presents frames in
// between, which never change the scene's state. A game subclasses it and
// supplies the factories.
//
// Sections of the implementation:
//   GGame.cpp       construction, creation, timer, scenes, frame, quitting
//   GGamePaths.cpp  the cached path getters
//   GGameInput.cpp  key, button and cursor state handed in by the platform
//   GGameFonts.cpp  loading fonts
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
  // Networking (hosting, joining, downloads): this framework's games run
  // alone, so none of these objects is ever made and the hooks do nothing.
  virtual void* NewNet() { return nullptr; }
  virtual void* NewServer() { return nullptr; }
  virtual void* NewDownloader() { return nullptr; }
  virtual const char* GetServerFileName() { return nullptr; }
  virtual bool StartNet(const char* address) {
    (void)address;
    return false;
  }
  virtual void StopNet() {}
  // Whether news may be shown at start.
  virtual bool IsShowNews() { return true; }
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
  // Called by main: draws and presents the first frame at once, then runs the
  // platform loop; its exit code, -1 without platform.
  virtual int Play();
  // Called to end the innermost loop (see CanQuit).
  virtual void Quit(int code);
  // Called by Quit: whether the game may end now.
  virtual bool CanQuit() { return true; }
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
  // Called by the platform when the window gains or loses the input focus:
  // losing it ends the presses, the capture and the held keys (their
  // releases go elsewhere) and minimises a full-screen window.
  virtual void SysOnActivate(unsigned active, bool minimised);
  // Whether the window has the input focus, as SysOnActivate last heard
  // (true until the platform says otherwise).
  bool HasInputFocus() const { return inputFocus; }

  // Input entry points: PlatformKeyDown/PlatformKeyUp call the button ones
  // with the modifier part of inputFlags, the platform calls the double-click,
  // wheel and character ones, and every cursor move calls SysOnMouseMove with
  // the whole inputFlags. Each routes the event to the component and zone it
  // belongs to (the captured, modal, focused or hovered component).
  virtual void SysOnLButtonDown(unsigned flags);
  virtual void SysOnLButtonUp(unsigned flags);
  virtual void SysOnLButtonDblClk();
  virtual void SysOnRButtonDown(unsigned flags);
  virtual void SysOnRButtonUp(unsigned flags);
  virtual void SysOnRButtonDblClk();
  virtual void SysOnMButtonDown(unsigned flags);
  virtual void SysOnMButtonUp(unsigned flags);
  virtual void SysOnMButtonDblClk();
  virtual void SysOnMouseWheel(short delta);
  virtual void SysOnMouseMove(unsigned flags);
  virtual void SysOnKeyDown(unsigned key, unsigned count, unsigned flags);
  virtual void SysOnKeyUp(unsigned key, unsigned count, unsigned flags);
  virtual void SysOnChar(unsigned ch, unsigned count, unsigned flags);
  // Called by the platform when a file (or a folder) is dropped on the
  // window, with its path; nothing happens here.
  virtual void SysOnDropFile(const char* path) { (void)path; }

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

  // Loads the font "name": the image name + ".tga" and the description
  // name + ".txt", read as given or else from GetPathToFont(). The device's
  // font index (that of an equal font already loaded), or -1.
  int CreateFontex(const char* name);

  // Scenes. The first scene added becomes current.
  void AddScene(GScene* scene);
  bool SetScene(int index);
  // The current scene, or null.
  GScene* GetScene() const { return GetScene(currentScene); }
  GScene* GetScene(int index) const {
    return index >= 0 && index < GetSceneCount() ? scenes[index].get() : nullptr;
  }
  int GetSceneCount() const { return static_cast<int>(scenes.size()); }
  int GetCurrentSceneIndex() const { return currentScene; }

  // The main timer.
  void SetMainTimer(unsigned ms);
  void KillMainTimer();
  bool IsMainTimer() const { return mainTimer.handle != 0; }
  unsigned GetMainTimerPeriod() const { return IsMainTimer() ? mainTimer.period : 0; }
  // Called by the platform on every main-timer tick. Afterwards the frame
  // timer runs while the current scene wants frames between ticks.
  void PlatformTimer();
  // Called by the platform on every tick of the frame timer: draws and
  // presents the frame while the window is active.
  virtual void PlatformFrame();
  // Milliseconds since the last main-timer tick was handled, on the
  // platform's clock.
  unsigned GetTimeSinceTick() const;
  // Whether the frame timer runs (frames between the main timer's ticks).
  bool IsFrameTimer() const { return frameTimer.handle != 0; }

  bool IsActivated();
  bool IsIconic();
  void ToIconic();
  void ToMaximize();
  // Called on Alt+Enter and F11, in any scene and inside a message box's
  // loop: switches the device between full screen and a window. Everything
  // drawn, the scenes, dialogs and input state go on as they were.
  virtual void ToggleFullScreen();

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
  // Whether the keyboard (or a gamepad, which arrives as keys) was used
  // after the mouse: the themes show the keyboard focus only then.
  bool IsKeyInputLast() const { return lastInput == INPUT_FROM_KEYS; }
  // True while a move of the cursor itself is being routed (not the look
  // up made after a click or a scene change): hovering moves the keyboard
  // focus only then.
  bool IsPointerMoving() const { return pointerMoving; }
  // Called by the input entry points: the keys or the mouse were used now.
  // A change redraws the current scene and the modal component, so the
  // focus look appears or goes at once.
  void NoteInputFrom(INPUT_SOURCE source);
  void PlatformKeyDown(int key, unsigned count);
  // Called by the platform for the key a gamepad's button or stick stands
  // for: PlatformKeyDown, with the key marked as the pad's until its release
  // has been delivered.
  void PlatformPadKeyDown(int key);
  // Whether the held key was pressed by a gamepad rather than the keyboard
  // (a game may give the keyboard's keys other meanings than the pad's).
  bool IsPadKey(unsigned key) const { return key < sizeof padKey && padKey[key]; }
  // Called by PlatformKeyDown for every press of a key or mouse button (a
  // repeat too), once Alt+Tab, Alt+Enter and F11 have been taken: true when
  // the application takes the key itself, so that neither its press nor its
  // release reaches any component and it does not repeat.
  virtual bool OnTakeKey(unsigned key) {
    (void)key;
    return false;
  }
  void PlatformKeyUp(int key);
  // Called by the platform after the press of a double click, with the
  // button's pseudo key: that button's double-click entry point.
  void PlatformDoubleClick(int key);
  // Arms the key repeat for key (also a mouse-button code: a scroller arrow
  // repeats its press while held) when no repeat runs. Virtual because
  // components, built below the application, call it.
  virtual void SetRepeatedKey(unsigned key);
  void SetRepeatedChar(unsigned ch);
  // Switches the key repeat off. Virtual for the same reason (a modal run
  // beginning stops the repeat).
  virtual void ResetRepeatedKey();
  // Called by PlatformTimer once per tick: sends a due repeat.
  void RepeateKey();
  // Forgets the hover, the press and the capture (their components drop
  // them through SysOnCancelPress), every held key and button, and the key
  // repeat: called when the window loses the input and on a scene change.
  void ClearControl();
  // The component under the cursor (or holding the capture, or modal), the
  // zone it is hit in and, in x and y, the cursor in that zone's coordinates;
  // null when there is none.
  GComponent* DetectComponentByCursor(int& x, int& y, int& zone);

  // Asks a question in a message box (MESSAGE_BOX_FLAGS) and waits in a
  // nested loop for the answer: 1 for OK or Enter, 2 for Cancel, Escape, the
  // close box or closing the window, 0 when the run was ended otherwise.
  int MessageBox(const char* caption, const char* text, unsigned flags);

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
  // Per key code: 0 up, kKeyHeld held, kKeyTaken held but taken by the
  // application itself (a shortcut such as Alt+Enter), so neither its
  // repeats nor its release reach the components.
  static constexpr unsigned char kKeyHeld = 1;
  static constexpr unsigned char kKeyTaken = 2;
  unsigned char keyDown[256] = {};
  // Per key code: held since a gamepad pressed it.
  bool padKey[256] = {};
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
  // nextRepeatTick while no repeat is armed.
  static constexpr unsigned kNoRepeatPending = ~0u;
  unsigned repeatKey = KEY_NONE;
  unsigned repeatChar = KEY_NONE;
  unsigned nextRepeatTick = kNoRepeatPending;
  unsigned repeatCount = 0;
  // The deliveries under way, innermost first; a destroyed component is
  // cleared from them so the rest of its delivery is skipped.
  GDispatchGuard* dispatchGuards = nullptr;

 protected:
  using ThemePtr = std::unique_ptr<GTheme, ThemeDeleter>;

  // Clears the mouse and keyboard state and switches key repeat off.
  void ResetInput();
  // Ends the press, the capture and the key target without their releases:
  // each component that held one gets SysOnCancelPress, once.
  void CancelPresses();
  // The routing of one mouse button's press, release and double click.
  void ButtonDown(const GMouseButtonChain& chain, unsigned flags, bool pressedCaptures);
  void ButtonUp(const GMouseButtonChain& chain, unsigned flags);
  void ButtonDoubleClick(const GMouseButtonChain& chain);
  // Whether key is the copy, cut or paste shortcut right now.
  bool IsShortcutKey(unsigned key);
  // Computes a cached getter's text once; create folders when asked.
  CFerroString GameFolderPath(CFerroString& cache, const char* folder, bool useSlash);

  GUID_GAME id;
  CFerroString name;
  CFerroString version;
  DIGITAL_VERSION digitalVersion;
  CFerroString userName;
  bool fullScreen;
  TIMER_DATA mainTimer;
  // Runs at the display's refresh rate while the scene has frames to draw
  // between ticks; see UpdateFrameTimer.
  TIMER_DATA frameTimer;
  // When the last main-timer tick was handled (the platform's GetTick).
  unsigned lastTickAt = 0;
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
  // The button whose press made `pressed`.
  const GMouseButtonChain* pressedChain = nullptr;
  // Which of the keys and the mouse was used last; see IsKeyInputLast.
  INPUT_SOURCE lastInput = INPUT_FROM_POINTER;
  bool pointerMoving = false;
  bool inputFocus = true;
  // Routes a move of the cursor with IsPointerMoving true.
  void RoutePointerMove();
  // Starts the frame timer (at the device's refresh rate) when the current
  // scene wants frames between ticks, and stops it when it no longer does.
  void UpdateFrameTimer();
};

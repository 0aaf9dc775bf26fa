#pragma once

#include <map>
#include <unordered_map>

#include "GUI/platform/GGamepadKeys.h"
#include "GUI/platform/GPlatformUnix.h"

struct _SDL_GameController;

// The platform the game runs on: the POSIX services plus the window side over
// SDL2 (event loop, timers, window state, mouse capture, clipboard, game
// controllers). The window itself belongs to the SDL device
// (GDeviceSDL::window).
//
// Game controllers are opened when SDL reports them (at start and when
// plugged in) and closed when they go; their buttons and left stick reach the
// application as the keys GGamepadKeys maps them to, through the same
// PlatformKeyDown and PlatformKeyUp calls as the keyboard.
class GPlatformSDL : public GPlatformUnix {
 public:
  GPlatformSDL(GGame* game, const char* name);
  // Closes the open controllers and SDL's controller support.
  ~GPlatformSDL() override;

  // Starts SDL's controller support (once), so connected and newly plugged
  // controllers are reported to the loop.
  void StartControllers();

  // Starts the controllers, then runs the loop: the application's first
  // picture, drawn before, does not wait for the controllers' start.
  int Play() override {
    StartControllers();
    return MessageLoop();
  }
  // Waits for events and dispatches them until Quit; returns the exit code.
  int MessageLoop() override;
  void Quit(int code) override;
  void QuitCancel() override;
  // Starts the timer under a handle never given before; its ticks name the
  // handle, not the record, and the loop delivers a tick only while that
  // handle is running. So a tick posted just before KillTimer, or still on
  // its way from SDL's timer thread, never reaches a record that was freed
  // (or one made later at the same address).
  void SetTimer(TIMER_DATA* timer) override;
  void KillTimer(TIMER_DATA* timer) override;
  bool IsActivated() override;
  bool IsIconic() override;
  void ToIconic() override;
  void ToMaximize() override;
  unsigned GetTick() override;
  void SetClipboard(const CFerroString& text) override;
  void GetClipboard(CFerroString& text) override;
  void CaptureMouse() override;
  void ReleaseMouse() override;

  bool IsRunning() const { return running; }
  int GetExitCode() const { return exitCode; }

  // SDL scancode -> framework key code; 0 when the scancode has no key.
  static int GetKEY_From_Scancode(int scancode);
  // One UTF-16 unit -> framework character code; 0 when it has none.
  static unsigned UTF16ToMultibyte(unsigned short unit);
  // Whether a timer tick has been posted and not yet taken by the loop.
  static bool IsTickPending();

 private:
  // Translates one SDL event into application calls.
  void DispatchEvent(const void* event);
  // Controller events: opening, closing, and buttons and axes as keys.
  void DispatchController(const void* event);
  // Hands key changes of the controllers to the application.
  void SendKeys(const std::vector<GGamepadKeys::KEY_CHANGE>& changes);

  // Calls the owner (or the application's main timer) of a running timer.
  void DeliverTick(int handle);

  // The running timers by handle: the record and SDL's timer id. Only the
  // main thread touches it; SDL's timer thread sees nothing but the handle.
  struct RUNNING_TIMER {
    TIMER_DATA* timer;
    int sdlTimer;
  };
  std::unordered_map<int, RUNNING_TIMER> timers;

  bool running = true;
  int exitCode = 0;
  bool controllersStarted = false;
  // Open controllers by SDL instance id.
  std::map<int, _SDL_GameController*> controllers;
  GGamepadKeys gamepadKeys;
};

// SDL timer callback (runs on SDL's timer thread): posts one tick event for
// the timer whose handle is in param unless a tick is already waiting.
unsigned OnTimerShotSDL(unsigned interval, void* param);
// The same for a frame timer, whose ticks wait apart from the others'.
unsigned OnFrameShotSDL(unsigned interval, void* param);

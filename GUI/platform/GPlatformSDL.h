#pragma once

#include "GUI/platform/GPlatformUnix.h"

// The platform the game runs on: the POSIX services plus the window side over
// SDL2 (event loop, timers, window state, mouse capture, clipboard). The
// window itself belongs to the SDL device (GDeviceSDL::window).
class GPlatformSDL : public GPlatformUnix {
 public:
  GPlatformSDL(GGame* game, const char* name);
  ~GPlatformSDL() override;

  int Play() override { return MessageLoop(); }
  // Waits for events and dispatches them until Quit; returns the exit code.
  int MessageLoop() override;
  void Quit(int code) override;
  void QuitCancel() override;
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

  bool running = true;
  int exitCode = 0;
};

// SDL timer callback (runs on SDL's timer thread): posts one tick event for
// the TIMER_DATA in param unless a tick is already waiting.
unsigned OnTimerShotSDL(unsigned interval, void* param);

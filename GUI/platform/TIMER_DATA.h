#pragma once

class GComponent;

// A periodic timer as the platform runs it. A timer without an owner drives
// the application's main timer; otherwise the owner's OnTimer(id) is called.
struct TIMER_DATA {
  GComponent* owner = nullptr;
  unsigned id = 0;
  unsigned period = 0;
  // The platform's handle; 0 while the timer is not running.
  int handle = 0;
  // A frame timer draws the picture between the main timer's ticks (owner
  // none: the application's PlatformFrame). Its ticks wait apart from the
  // other timers', so a frame never holds up or takes the place of a tick.
  bool frame = false;
};

// Index of this file:
//   Keys and construction       the scancode and button tables, Create, the pending tick
//   The loop                    MessageLoop, event and controller dispatch, quitting
//   Timers, window, clipboard   SetTimer, KillTimer, the window state, the clipboard, the mouse

#include "GUI/platform/GPlatformSDL.h"

#include <SDL.h>

#include <array>
#include <atomic>
#include <cstdint>

#include "GUI/graphics/GDeviceSDL.h"
#include "GUI/platform/GGame.h"
#include "GUI/platform/TIMER_DATA.h"
#include "GUI/toolkit/GComponent.h"
#include "GUI/toolkit/InputCodes.h"

// ---------------------------------------------------------------------------------------------
// Keys and construction
// ---------------------------------------------------------------------------------------------

namespace {

// Set by the timer thread when it posts a tick, cleared by the main thread
// when it takes the tick, so at most one tick of all timers ever waits.
std::atomic<bool> tickPending{false};
// The same for the frame timer's ticks, which wait apart: a frame waiting
// never keeps a tick from being posted.
std::atomic<bool> framePending{false};

// The event a frame timer posts; the other timers post SDL_USEREVENT.
constexpr Uint32 kFrameEvent = SDL_USEREVENT + 1;

// The handle of the timer started last, in any platform object, so a handle
// is never given twice (main thread only).
int lastTimerHandle = 0;

// Longest wait for an event; the loop re-checks its running flag after it.
constexpr int kWaitMs = 100;

constexpr unsigned kNoKey = 0;

// Framework key codes of the SDL scancodes 4 (A) .. 82 (Up); kNoKey for the
// scancodes without one.
constexpr unsigned char kKeysFrom4[] = {
    // A..M
    KEY_A, KEY_B, KEY_C, KEY_D, KEY_E, KEY_F, KEY_G, KEY_H, KEY_I, KEY_J, KEY_K, KEY_L, KEY_M,
    // N..Z
    KEY_N, KEY_O, KEY_P, KEY_Q, KEY_R, KEY_S, KEY_T, KEY_U, KEY_V, KEY_W, KEY_X, KEY_Y, KEY_Z,
    // 1..9, 0
    KEY_1, KEY_2, KEY_3, KEY_4, KEY_5, KEY_6, KEY_7, KEY_8, KEY_9, KEY_0,
    // Return, Escape, Backspace, Tab, Space, -, = (40..46)
    KEY_RETURN, KEY_ESCAPE, KEY_BACKSPACE, KEY_TAB, KEY_SPACE, KEY_MINUS, KEY_EQUALS,
    // [ ] \ # ; ' ` (scancodes 47..53), then the comma (54)
    kNoKey, kNoKey, kNoKey, kNoKey, kNoKey, kNoKey, kNoKey, KEY_COMMA,
    // . / CapsLock (55..57)
    kNoKey, kNoKey, kNoKey,
    // F1..F12 (58..69)
    KEY_F1, KEY_F2, KEY_F3, KEY_F4, KEY_F5, KEY_F6, KEY_F7, KEY_F8, KEY_F9, KEY_F10, KEY_F11,
    KEY_F12,
    // Print Screen, Scroll Lock, Pause, Insert, Home, Page Up, Delete, End,
    // Page Down, Right, Left, Down, Up (70..82)
    KEY_PRINT_SCREEN, kNoKey, kNoKey, kNoKey, KEY_HOME, KEY_PAGE_UP, KEY_DELETE, KEY_END,
    KEY_PAGE_DOWN, KEY_RIGHT, KEY_LEFT, KEY_DOWN, KEY_UP};
static_assert(sizeof(kKeysFrom4) == 82 - 4 + 1, "the table covers scancodes 4..82");

// The button pseudo key of an SDL mouse button: every button beyond left and
// right counts as the middle one.
unsigned ButtonKey(Uint8 button) {
  return button == SDL_BUTTON_LEFT    ? KEY_MOUSE_LEFT
         : button == SDL_BUTTON_RIGHT ? KEY_MOUSE_RIGHT
                                      : KEY_MOUSE_MIDDLE;
}

// The controller buttons that stand for keys; false for the others.
bool PadButton(Uint8 button, GGamepadKeys::Button& out) {
  switch (button) {
    case SDL_CONTROLLER_BUTTON_A:
      out = GGamepadKeys::BUTTON_SOUTH;
      return true;
    case SDL_CONTROLLER_BUTTON_B:
      out = GGamepadKeys::BUTTON_EAST;
      return true;
    case SDL_CONTROLLER_BUTTON_X:
      out = GGamepadKeys::BUTTON_WEST;
      return true;
    case SDL_CONTROLLER_BUTTON_Y:
      out = GGamepadKeys::BUTTON_NORTH;
      return true;
    case SDL_CONTROLLER_BUTTON_START:
      out = GGamepadKeys::BUTTON_START;
      return true;
    case SDL_CONTROLLER_BUTTON_BACK:
      out = GGamepadKeys::BUTTON_BACK;
      return true;
    case SDL_CONTROLLER_BUTTON_LEFTSHOULDER:
      out = GGamepadKeys::BUTTON_LEFT_SHOULDER;
      return true;
    case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER:
      out = GGamepadKeys::BUTTON_RIGHT_SHOULDER;
      return true;
    case SDL_CONTROLLER_BUTTON_DPAD_UP:
      out = GGamepadKeys::BUTTON_DPAD_UP;
      return true;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
      out = GGamepadKeys::BUTTON_DPAD_DOWN;
      return true;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
      out = GGamepadKeys::BUTTON_DPAD_LEFT;
      return true;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
      out = GGamepadKeys::BUTTON_DPAD_RIGHT;
      return true;
    default:
      return false;
  }
}

}  // namespace

GPlatformSDL::GPlatformSDL(GGame* owner, const char* appName) : GPlatformUnix(owner, appName) {}

GPlatformSDL::~GPlatformSDL() {
  // Timers still running stop here; their records may be gone, so they are not touched.
  for (const auto& [handle, running] : timers) SDL_RemoveTimer(running.sdlTimer);
  for (auto& [id, controller] : controllers) SDL_GameControllerClose(controller);
  controllers.clear();
  if (controllersStarted) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void GPlatformSDL::StartControllers() {
  // A desktop without controller support still plays with the keyboard.
  if (!controllersStarted) controllersStarted = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
}

int GPlatformSDL::GetKEY_From_Scancode(int scancode) {
  if (scancode >= 4 && scancode <= 82) return kKeysFrom4[scancode - 4];
  switch (scancode) {
    case SDL_SCANCODE_KP_DIVIDE:
      return KEY_GRAVE;
    // Both keys of a pair give the left-hand code.
    case SDL_SCANCODE_LCTRL:
    case SDL_SCANCODE_RCTRL:
      return KEY_LCONTROL;
    case SDL_SCANCODE_LSHIFT:
    case SDL_SCANCODE_RSHIFT:
      return KEY_LSHIFT;
    case SDL_SCANCODE_LALT:
    case SDL_SCANCODE_RALT:
      return KEY_LALT;
    case SDL_SCANCODE_LGUI:
    case SDL_SCANCODE_RGUI:
      return KEY_LSYSTEM;
    default:
      return kNoKey;
  }
}

unsigned GPlatformSDL::UTF16ToMultibyte(unsigned short unit) {
  if (unit >= 32 && unit <= 255) return unit;
  if (unit == 0x0401) return 168;
  if (unit == 0x0451) return 184;
  if (unit >= 0x0410 && unit <= 0x044F) return unit - 0x350u;
  return 0;
}

bool GPlatformSDL::IsTickPending() {
  return tickPending.load();
}

namespace {

// Posts one tick event of type for the timer whose handle is in param unless
// one of that kind waits already (pending set).
void PostTick(std::atomic<bool>& pending, Uint32 type, void* param) {
  if (pending.exchange(true)) return;
  SDL_Event event;
  SDL_zero(event);
  event.type = type;
  event.user.code = static_cast<Sint32>(reinterpret_cast<intptr_t>(param));
  // A tick that could not be posted must not leave the flag set, or no later
  // tick would ever be posted again.
  if (SDL_PushEvent(&event) != 1) pending.store(false);
}

}  // namespace

unsigned OnTimerShotSDL(unsigned interval, void* param) {
  PostTick(tickPending, SDL_USEREVENT, param);
  return interval;
}

unsigned OnFrameShotSDL(unsigned interval, void* param) {
  PostTick(framePending, kFrameEvent, param);
  return interval;
}

// ---------------------------------------------------------------------------------------------
// The loop
// ---------------------------------------------------------------------------------------------

int GPlatformSDL::MessageLoop() {
  // Waiting (instead of polling) keeps an idle game off the processor; every
  // event, a timer tick included, wakes the loop at once.
  SDL_Event event;
  while (running) {
    if (!SDL_WaitEventTimeout(&event, kWaitMs)) continue;
    DispatchEvent(&event);
  }
  return exitCode;
}

void GPlatformSDL::DispatchEvent(const void* raw) {
  const SDL_Event& event = *static_cast<const SDL_Event*>(raw);
  switch (event.type) {
    case SDL_QUIT:
      if (game) game->Quit(GetModalDepth() >= 1 ? 2 : 0);
      break;
    case SDL_KEYDOWN:
      // The system's own repeats are dropped: the application makes its own,
      // and a repeat would pass for a new press once the key was forgotten.
      if (event.key.repeat) break;
      if (int key = GetKEY_From_Scancode(event.key.keysym.scancode); key && game)
        game->PlatformKeyDown(key, 0);
      break;
    case SDL_KEYUP:
      if (int key = GetKEY_From_Scancode(event.key.keysym.scancode); key && game)
        game->PlatformKeyUp(key);
      break;
    case SDL_TEXTINPUT: {
      // The conversion lands in the platform's scratch buffer, which a
      // character handler may reuse (a nested loop converting text of its
      // own), so the units are copied out before the first one is handed on.
      // The text holds fewer bytes than the array, and never more units than bytes.
      std::array<unsigned short, sizeof event.text.text> units{};
      size_t count = 0;
      if (const unsigned short* converted =
              Ferro_UTF8to16(reinterpret_cast<const unsigned char*>(event.text.text)))
        for (; converted[count] && count < units.size(); ++count) units[count] = converted[count];
      for (size_t i = 0; i < count && game; ++i)
        if (unsigned code = UTF16ToMultibyte(units[i])) game->SysOnChar(code, 0, 0);
      break;
    }
    case SDL_MOUSEMOTION:
      if (GDevice* device = game ? game->GetDevice() : nullptr)
        device->ChangeCursorPositionByGlobalCursor(event.motion.x, event.motion.y);
      break;
    case SDL_MOUSEBUTTONDOWN: {
      if (!game) break;
      const int key = static_cast<int>(ButtonKey(event.button.button));
      game->PlatformKeyDown(key, 0);
      if (event.button.clicks == 2) game->PlatformDoubleClick(key);
      break;
    }
    case SDL_MOUSEBUTTONUP:
      if (game) game->PlatformKeyUp(static_cast<int>(ButtonKey(event.button.button)));
      break;
    case SDL_MOUSEWHEEL:
      if (game) game->SysOnMouseWheel(static_cast<short>(event.wheel.y * 25));
      break;
    case SDL_WINDOWEVENT:
      // The input focus coming and going: presses, captures and held keys
      // end when it goes, as their releases go elsewhere.
      if (game && (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST ||
                   event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED)) {
        const bool minimised =
            GDeviceSDL::window && (SDL_GetWindowFlags(GDeviceSDL::window) & SDL_WINDOW_MINIMIZED);
        game->SysOnActivate(event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED, minimised);
        break;
      }
      // Frames are presented only when the picture changed, so a window
      // that the system shows again is drawn anew in full; a resized one is
      // fitted anew first.
      if (GDevice* device = game ? game->GetDevice() : nullptr) {
        switch (event.window.event) {
          case SDL_WINDOWEVENT_SIZE_CHANGED:
            device->OnWindowSizeChanged();
            device->RequestFullPresent();
            break;
          case SDL_WINDOWEVENT_EXPOSED:
          case SDL_WINDOWEVENT_SHOWN:
          case SDL_WINDOWEVENT_RESTORED:
            device->RequestFullPresent();
            break;
          default:
            break;
        }
      }
      break;
    case SDL_RENDER_TARGETS_RESET:
      // The renderer lost what it had drawn into textures (the sharp
      // scaling's intermediate): everything is uploaded and drawn again.
      if (GDevice* device = game ? game->GetDevice() : nullptr) device->RequestFullPresent();
      break;
    case SDL_CONTROLLERDEVICEADDED:
    case SDL_CONTROLLERDEVICEREMOVED:
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
    case SDL_CONTROLLERAXISMOTION:
      DispatchController(&event);
      break;
    case SDL_DROPFILE:
    case SDL_DROPTEXT:
      // The text is SDL's to hand over and ours to free; dropped text is not used.
      if (event.type == SDL_DROPFILE && game && event.drop.file)
        game->SysOnDropFile(event.drop.file);
      SDL_free(event.drop.file);
      break;
    case SDL_USEREVENT: {
      tickPending.store(false);
      DeliverTick(event.user.code);
      break;
    }
    case kFrameEvent:
      framePending.store(false);
      DeliverTick(event.user.code);
      break;
    default:
      break;
  }
}

void GPlatformSDL::DispatchController(const void* raw) {
  const SDL_Event& event = *static_cast<const SDL_Event*>(raw);
  switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED: {
      // "which" is a device index here; the other events name the instance.
      SDL_GameController* controller = SDL_GameControllerOpen(event.cdevice.which);
      if (!controller) break;
      const int id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
      // A controller reported twice (at start and by the hot-plug scan) is
      // opened once; SDL counts the second open, so it is closed again.
      if (!controllers.emplace(id, controller).second) SDL_GameControllerClose(controller);
      break;
    }
    case SDL_CONTROLLERDEVICEREMOVED: {
      const int id = event.cdevice.which;
      SendKeys(gamepadKeys.OnRemoved(id));
      if (auto it = controllers.find(id); it != controllers.end()) {
        SDL_GameControllerClose(it->second);
        controllers.erase(it);
      }
      break;
    }
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP: {
      GGamepadKeys::Button button;
      if (PadButton(event.cbutton.button, button))
        SendKeys(gamepadKeys.OnButton(event.cbutton.which, button,
                                      event.type == SDL_CONTROLLERBUTTONDOWN));
      break;
    }
    case SDL_CONTROLLERAXISMOTION: {
      GGamepadKeys::Axis axis;
      switch (event.caxis.axis) {
        case SDL_CONTROLLER_AXIS_LEFTX:
          axis = GGamepadKeys::AXIS_LEFT_X;
          break;
        case SDL_CONTROLLER_AXIS_LEFTY:
          axis = GGamepadKeys::AXIS_LEFT_Y;
          break;
        case SDL_CONTROLLER_AXIS_TRIGGERLEFT:
          axis = GGamepadKeys::AXIS_TRIGGER_LEFT;
          break;
        case SDL_CONTROLLER_AXIS_TRIGGERRIGHT:
          axis = GGamepadKeys::AXIS_TRIGGER_RIGHT;
          break;
        default:
          return;
      }
      SendKeys(gamepadKeys.OnAxis(event.caxis.which, axis, event.caxis.value));
      break;
    }
    default:
      break;
  }
}

void GPlatformSDL::SendKeys(const std::vector<GGamepadKeys::KEY_CHANGE>& changes) {
  for (const GGamepadKeys::KEY_CHANGE& change : changes) {
    if (!game) return;
    if (change.down)
      game->PlatformPadKeyDown(static_cast<int>(change.key));
    else
      game->PlatformKeyUp(static_cast<int>(change.key));
  }
}

void GPlatformSDL::Quit(int code) {
  running = false;
  exitCode = code;
}

void GPlatformSDL::QuitCancel() {
  running = true;
  exitCode = 0;
}

// ---------------------------------------------------------------------------------------------
// Timers, window, clipboard
// ---------------------------------------------------------------------------------------------

void GPlatformSDL::SetTimer(TIMER_DATA* timer) {
  if (!timer) return;
  KillTimer(timer);
  if (++lastTimerHandle <= 0) lastTimerHandle = 1;
  const int handle = lastTimerHandle;
  const SDL_TimerID id = SDL_AddTimer(timer->period, timer->frame ? OnFrameShotSDL : OnTimerShotSDL,
                                      reinterpret_cast<void*>(intptr_t{handle}));
  if (id == 0) return;
  timers[handle] = RUNNING_TIMER{timer, id};
  timer->handle = handle;
}

void GPlatformSDL::DeliverTick(int handle) {
  const auto found = timers.find(handle);
  if (found == timers.end()) return;  // killed since the tick was posted
  TIMER_DATA* timer = found->second.timer;
  if (timer->owner)
    timer->owner->OnTimer(timer->id);
  else if (game && timer->frame)
    game->PlatformFrame();
  else if (game)
    game->PlatformTimer();
}

namespace {

// Event filter that removes the waiting tick of the timer whose handle is in `handle`.
int DropTickOf(void* handle, SDL_Event* event) {
  if ((event->type != SDL_USEREVENT && event->type != kFrameEvent) ||
      event->user.code != static_cast<Sint32>(reinterpret_cast<intptr_t>(handle)))
    return 1;
  (event->type == kFrameEvent ? framePending : tickPending).store(false);
  return 0;
}

}  // namespace

void GPlatformSDL::KillTimer(TIMER_DATA* timer) {
  if (!timer || timer->handle == 0) return;
  const int handle = timer->handle;
  timer->handle = 0;
  const auto found = timers.find(handle);
  if (found == timers.end() || found->second.timer != timer) return;
  SDL_RemoveTimer(found->second.sdlTimer);
  timers.erase(found);
  // A tick of this timer may wait in the queue, or SDL's thread may be posting one right now;
  // neither is delivered any more, and the waiting one is taken out so it does not hold up the
  // other timers' ticks.
  SDL_FilterEvents(DropTickOf, reinterpret_cast<void*>(intptr_t{handle}));
}

// Both answers test "any other flag is set", not the focus or minimised
// flags themselves: a shown window always counts as active and never as
// minimised away, so the frame keeps running without focus.
bool GPlatformSDL::IsActivated() {
  return GDeviceSDL::window && (SDL_GetWindowFlags(GDeviceSDL::window) & 0xFFFFF9FFu) != 0;
}

bool GPlatformSDL::IsIconic() {
  return GDeviceSDL::window && (SDL_GetWindowFlags(GDeviceSDL::window) & 0xFFFFFFBFu) != 0;
}

void GPlatformSDL::ToIconic() {
  if (GDeviceSDL::window) SDL_MinimizeWindow(GDeviceSDL::window);
}

void GPlatformSDL::ToMaximize() {
  if (GDeviceSDL::window) SDL_MaximizeWindow(GDeviceSDL::window);
}

unsigned GPlatformSDL::GetTick() {
  return SDL_GetTicks();
}

void GPlatformSDL::SetClipboard(const CFerroString& text) {
  SDL_SetClipboardText(text.c_str());
}

void GPlatformSDL::GetClipboard(CFerroString& text) {
  if (SDL_HasClipboardText() != SDL_TRUE) {
    text = "";
    return;
  }
  if (char* clip = SDL_GetClipboardText()) {
    text = clip;
    SDL_free(clip);
  }
}

void GPlatformSDL::CaptureMouse() {
  SDL_CaptureMouse(SDL_TRUE);
}

void GPlatformSDL::ReleaseMouse() {
  SDL_CaptureMouse(SDL_FALSE);
}

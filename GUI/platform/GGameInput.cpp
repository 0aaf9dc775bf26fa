// Input of the application: the key, button and cursor state handed in by
// the platform, key repeat, and the routing of every event to the component
// and zone it belongs to.
//
// Sections:
//   Keys and buttons   held state, modifier bits, PlatformKeyDown/Up
//   Key repeat         arming and sending repeats on main-timer ticks
//   Routing            finding the target; buttons, moves, wheel, keys, chars
//   Software cursor    position, clamping, visibility
#include <utility>
#include <vector>

#include "GUI/graphics/GDevice.h"
#include "GUI/platform/GGame.h"
#include "GUI/platform/GPlatform.h"
#include "GUI/toolkit/GComponent.h"
#include "GUI/toolkit/GScene.h"

namespace {

unsigned ModifierBit(unsigned key) {
  switch (key) {
    case KEY_LSHIFT:
    case KEY_RSHIFT:
      return INPUT_SHIFT;
    case KEY_LALT:
    case KEY_RALT:
      return INPUT_ALT;
    case KEY_LSYSTEM:
    case KEY_RSYSTEM:
      return INPUT_SYSTEM;
    default:
      return 0;
  }
}

unsigned ButtonBit(unsigned key) {
  return 1u << (key - KEY_MOUSE_LEFT);
}

// The application's entry points of one mouse button.
struct BUTTON_CALLS {
  void (GGame::*down)(unsigned flags);
  void (GGame::*up)(unsigned flags);
  void (GGame::*doubleClick)();
};

// The entry points of a button's pseudo key (IsMouseButtonKey).
const BUTTON_CALLS& CallsOf(unsigned key) {
  static const BUTTON_CALLS kCalls[] = {
      {&GGame::SysOnLButtonDown, &GGame::SysOnLButtonUp, &GGame::SysOnLButtonDblClk},
      {&GGame::SysOnRButtonDown, &GGame::SysOnRButtonUp, &GGame::SysOnRButtonDblClk},
      {&GGame::SysOnMButtonDown, &GGame::SysOnMButtonUp, &GGame::SysOnMButtonDblClk},
  };
  return kCalls[key - KEY_MOUSE_LEFT];
}

bool IsKeyCode(int key) {
  return key >= static_cast<int>(KEY_FIRST) && key <= static_cast<int>(KEY_LAST);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Keys and buttons
// ---------------------------------------------------------------------------------------------

bool GGame::IsKeyHeld(unsigned key) const {
  if (!IsKeyCode(static_cast<int>(key))) return false;
  if (unsigned bit = ModifierBit(key)) return inputFlags & bit;
  if (IsMouseButtonKey(key)) return inputFlags & ButtonBit(key);
  return keyDown[key] != 0;
}

void GGame::PlatformKeyDown(int key, unsigned count) {
  if (!IsKeyCode(key) || keyDown[key]) return;
  keyDown[key] = kKeyHeld;
  const unsigned k = static_cast<unsigned>(key);
  if (k == KEY_TAB && (inputFlags & INPUT_ALT)) {
    // Alt+Tab belongs to the desktop: neither its press nor its release is
    // a key to the components, nor does it count among the held keys.
    keyDown[k] = 0;
    ToIconic();
    return;
  }
  if ((k == KEY_RETURN && (inputFlags & INPUT_ALT)) || k == KEY_F11) {
    // Enter would otherwise also press a dialog's default button.
    keyDown[k] = kKeyTaken;
    ToggleFullScreen();
    return;
  }
  if (OnTakeKey(k)) {
    // Marked after the call, which may have changed the scene and so
    // forgotten every held key.
    keyDown[k] = kKeyTaken;
    return;
  }
  if (IsMouseButtonKey(k)) {
    NoteInputFrom(INPUT_FROM_POINTER);
    // One button at a time: a second press while one is held is dropped.
    if (inputFlags & INPUT_BUTTONS) return;
    const unsigned modifiers = inputFlags & INPUT_MODIFIERS;
    inputFlags |= ButtonBit(k);
    (this->*CallsOf(k).down)(modifiers);
    return;
  }
  if (unsigned bit = ModifierBit(k)) {
    inputFlags |= bit;
    return;
  }
  if (k == KEY_PRINT_SCREEN) {
    keyDown[k] = 0;
    SavePrintScreen();
    return;
  }
  // Modifiers alone, Print Screen and shortcuts (Ctrl or the system key
  // held) leave the look as it is: a mouse player who undoes with Ctrl+Z
  // is still a mouse player.
  const bool control = k == KEY_LCONTROL || k == KEY_RCONTROL || keyDown[KEY_LCONTROL] ||
                       keyDown[KEY_RCONTROL] || (inputFlags & INPUT_SYSTEM);
  if (!control) NoteInputFrom(INPUT_FROM_KEYS);
  ++heldKeyCount;
  // The repeat is armed before the press is handed on, so that a press
  // which switches the scene or opens a modal dialog switches it off again:
  // what the press brought up never hears its repeats.
  if (repeatKey == KEY_NONE && repeatChar == KEY_NONE && !IsModifierKey(k)) {
    repeatKey = k;
    nextRepeatTick = (platform ? platform->GetTick() : 0) + KEY_REPEAT_DELAY_MS;
  }
  SysOnKeyDown(k, count, inputFlags);
}

void GGame::PlatformPadKeyDown(int key) {
  if (!IsKeyCode(key) || keyDown[key]) return;
  padKey[key] = true;
  PlatformKeyDown(key, 0);
  // Taken by a scene change or the application, it is no longer held.
  if (!keyDown[key]) padKey[key] = false;
}

void GGame::PlatformKeyUp(int key) {
  if (!IsKeyCode(key) || !keyDown[key]) return;
  const bool taken = keyDown[key] == kKeyTaken;
  keyDown[key] = 0;
  // The release is still the pad's while it is delivered.
  struct PadMark {
    bool& mark;
    ~PadMark() { mark = false; }
  } padMark{padKey[key]};
  if (taken) return;
  const unsigned k = static_cast<unsigned>(key);
  if (unsigned bit = ModifierBit(k)) {
    inputFlags &= ~bit;
    return;
  }
  if (IsMouseButtonKey(k)) {
    // A release is reported even when its press was dropped because another
    // button was held; the routing then finds no pressed component, so no
    // click follows.
    inputFlags &= ~ButtonBit(k);
    ResetRepeatedKey();
    (this->*CallsOf(k).up)(inputFlags & INPUT_MODIFIERS);
    return;
  }
  --heldKeyCount;
  ResetRepeatedKey();
  SysOnKeyUp(k, 0, inputFlags);
}

// ---------------------------------------------------------------------------------------------
// Key repeat
// ---------------------------------------------------------------------------------------------

void GGame::PlatformDoubleClick(int key) {
  if (IsMouseButtonKey(static_cast<unsigned>(key)))
    (this->*CallsOf(static_cast<unsigned>(key)).doubleClick)();
}

void GGame::SetRepeatedKey(unsigned key) {
  if (repeatKey != KEY_NONE || repeatChar != KEY_NONE || IsModifierKey(key)) return;
  repeatKey = key;
  nextRepeatTick = (platform ? platform->GetTick() : 0) + KEY_REPEAT_DELAY_MS;
}

void GGame::SetRepeatedChar(unsigned ch) {
  if (repeatChar != KEY_NONE) return;
  ResetRepeatedKey();
  repeatChar = ch;
  nextRepeatTick = (platform ? platform->GetTick() : 0) + KEY_REPEAT_DELAY_MS;
}

void GGame::ResetRepeatedKey() {
  repeatKey = KEY_NONE;
  repeatChar = KEY_NONE;
  nextRepeatTick = kNoRepeatPending;
  repeatCount = 0;
}

void GGame::RepeateKey() {
  if (repeatKey == KEY_NONE && repeatChar == KEY_NONE) return;
  const unsigned now = platform ? platform->GetTick() : 0;
  if (nextRepeatTick >= now) return;
  nextRepeatTick = now + KEY_REPEAT_PERIOD_MS;
  ++repeatCount;
  if (repeatKey == KEY_NONE) {
    SysOnChar(repeatChar, repeatCount, inputFlags);
    return;
  }
  if (IsMouseButtonKey(repeatKey) && keyDown[repeatKey] == kKeyHeld) {
    // A held button repeats its press from the second repeat on. It stays
    // held meanwhile, so another button's press is still refused and this
    // button's release still ends the press it made.
    if (repeatCount < 2) return;
    (this->*CallsOf(repeatKey).down)(inputFlags & INPUT_MODIFIERS);
    return;
  }
  if (IsKeyCode(static_cast<int>(repeatKey)) && keyDown[repeatKey] == kKeyHeld) {
    // Sent as a fresh press of the key.
    const unsigned key = repeatKey;
    keyDown[key] = 0;
    // The repeat is sent as a press of a key that is still held once.
    --heldKeyCount;
    PlatformKeyDown(static_cast<int>(key), repeatCount);
    keyDown[key] = kKeyHeld;
    return;
  }
  ResetRepeatedKey();
}

void GGame::ResetInput() {
  inputFlags = 0;
  for (unsigned char& k : keyDown) k = 0;
  for (bool& k : padKey) k = false;
  // The releases of the keys forgotten here are never delivered.
  heldKeyCount = 0;
  ResetRepeatedKey();
}

void GGame::CancelPresses() {
  GComponent* const pressHolder = pressed ? pressed : captured;
  GComponent* const captureHolder = captured != pressHolder ? captured : nullptr;
  GComponent* const keyHolder =
      keyTarget != pressHolder && keyTarget != captureHolder ? keyTarget : nullptr;
  captured = pressed = keyTarget = nullptr;
  capturedZone = pressedZone = ZONE_WIN;
  pressedChain = nullptr;
  // One cancel may destroy another holder; the guards skip it then.
  GDispatchGuard first(pressHolder), second(captureHolder), third(keyHolder);
  for (GDispatchGuard* guard : {&first, &second, &third})
    if (*guard) guard->Get()->SysOnCancelPress();
}

void GGame::ClearControl() {
  CancelPresses();
  highlighted = nullptr;
  highlightedZone = ZONE_WIN;
  ResetInput();
}

// ---------------------------------------------------------------------------------------------
// Routing
// ---------------------------------------------------------------------------------------------

using MouseHandler = void (GComponent::*)(unsigned, int, int);
using LeaveHandler = void (GComponent::*)(unsigned);

// The dispatch points of one mouse button, indexed by zone.
struct GMouseButtonChain {
  MouseHandler down[3];
  MouseHandler up[3];
  MouseHandler click[3];
  MouseHandler doubleClick[3];
};

namespace {

const GMouseButtonChain kLeftButton = {
    {&GComponent::WinOnLButtonDown, &GComponent::InnerOnLButtonDown,
     &GComponent::ClientOnLButtonDown},
    {&GComponent::WinOnLButtonUp, &GComponent::InnerOnLButtonUp, &GComponent::ClientOnLButtonUp},
    {&GComponent::WinOnLButtonClick, &GComponent::InnerOnLButtonClick,
     &GComponent::ClientOnLButtonClick},
    {&GComponent::WinOnLButtonDblClk, &GComponent::InnerOnLButtonDblClk,
     &GComponent::ClientOnLButtonDblClk},
};

const GMouseButtonChain kRightButton = {
    {&GComponent::WinOnRButtonDown, &GComponent::InnerOnRButtonDown,
     &GComponent::ClientOnRButtonDown},
    {&GComponent::WinOnRButtonUp, &GComponent::InnerOnRButtonUp, &GComponent::ClientOnRButtonUp},
    {&GComponent::WinOnRButtonClick, &GComponent::InnerOnRButtonClick,
     &GComponent::ClientOnRButtonClick},
    {&GComponent::WinOnRButtonDblClk, &GComponent::InnerOnRButtonDblClk,
     &GComponent::ClientOnRButtonDblClk},
};

const GMouseButtonChain kMiddleButton = {
    {&GComponent::WinOnMButtonDown, &GComponent::InnerOnMButtonDown,
     &GComponent::ClientOnMButtonDown},
    {&GComponent::WinOnMButtonUp, &GComponent::InnerOnMButtonUp, &GComponent::ClientOnMButtonUp},
    {&GComponent::WinOnMButtonClick, &GComponent::InnerOnMButtonClick,
     &GComponent::ClientOnMButtonClick},
    {&GComponent::WinOnMButtonDblClk, &GComponent::InnerOnMButtonDblClk,
     &GComponent::ClientOnMButtonDblClk},
};

const MouseHandler kMove[3] = {&GComponent::WinOnMouseMove, &GComponent::InnerOnMouseMove,
                               &GComponent::ClientOnMouseMove};
const MouseHandler kEnter[3] = {&GComponent::WinOnMouseEnter, &GComponent::InnerOnMouseEnter,
                                &GComponent::ClientOnMouseEnter};
const LeaveHandler kLeave[3] = {&GComponent::WinOnMouseLeave, &GComponent::InnerOnMouseLeave,
                                &GComponent::ClientOnMouseLeave};

// Zones outside 0..2 never come from the detection; this keeps a stale
// value from indexing past the tables.
int Zone(int zone) {
  return zone >= ZONE_WIN && zone <= ZONE_CLIENT ? zone : ZONE_WIN;
}

}  // namespace

GComponent* GGame::DetectComponentByCursor(int& x, int& y, int& zone) {
  x = cursorX;
  y = cursorY;
  zone = ZONE_WIN;
  if (captured) {
    zone = capturedZone;
    captured->CorrectPositionClientForCaptured(x, y);
    return captured;
  }
  if (modal) {
    // Outside the modal component the point still belongs to it, in its
    // frame zone with unconverted coordinates.
    GComponent* root = modal->CorrectPositionClientForModal(x, y);
    if (!root) return modal;
    int hx = x, hy = y, hitZone = ZONE_WIN;
    if (GComponent* hit = root->DetectComponentByCursorRecurse(hx, hy, hitZone)) {
      x = hx;
      y = hy;
      zone = hitZone;
      return hit;
    }
    return root;
  }
  GScene* scene = GetScene();
  return scene ? scene->DetectComponentByCursorRecurse(x, y, zone) : nullptr;
}

void GGame::ButtonDown(const GMouseButtonChain& chain, unsigned flags, bool pressedCaptures) {
  int x = 0, y = 0, zone = ZONE_WIN;
  GComponent* target = nullptr;
  if (pressedCaptures && pressed) {
    // A press during another press belongs to the component pressed first.
    std::swap(captured, pressed);
    std::swap(capturedZone, pressedZone);
    target = DetectComponentByCursor(x, y, zone);
    std::swap(captured, pressed);
    std::swap(capturedZone, pressedZone);
  } else {
    target = DetectComponentByCursor(x, y, zone);
  }
  if (!target) {
    // A press on nothing takes the keyboard away from the focused component
    // (it stays the focused one).
    if (focused) focused->SysOnKillFocus();
    return;
  }
  zone = Zone(zone);
  GDispatchGuard guard(target);
  captured = pressed = target;
  capturedZone = pressedZone = zone;
  pressedChain = &chain;
  highlighted = nullptr;
  if (target != focused) {
    if (GComponent* old = focused) old->SysOnKillFocus();
    if (!guard) return;
    focused = target;
    target->SysOnSetFocus();
    if (!guard) return;
  }
  (target->*chain.down[zone])(flags, x, y);
}

void GGame::ButtonUp(const GMouseButtonChain& chain, unsigned flags) {
  int x = 0, y = 0, zone = ZONE_WIN;
  if (pressed && pressedChain != &chain) {
    // The release of a button whose press was dropped while another one was
    // held: reported where the mouse input goes now, but it neither ends the
    // other button's press nor makes a click.
    if (GComponent* target = DetectComponentByCursor(x, y, zone))
      (target->*chain.up[Zone(zone)])(flags, x, y);
    return;
  }
  // The release goes to the pressed component, in the zone of the press.
  const bool wasPressed = pressed != nullptr;
  GComponent* const outerCaptured = captured;
  const int outerZone = capturedZone;
  captured = pressed;
  capturedZone = pressedZone;
  pressed = nullptr;
  pressedZone = ZONE_WIN;
  GComponent* target = DetectComponentByCursor(x, y, zone);
  captured = outerCaptured;
  capturedZone = outerZone;
  if (!target) return;
  zone = Zone(zone);
  captured = nullptr;
  capturedZone = ZONE_WIN;
  {
    GDispatchGuard guard(target);
    (target->*chain.up[zone])(flags, x, y);
    // A click only when the release lands on the same component and zone.
    if (wasPressed && guard) {
      int fx = 0, fy = 0, freshZone = ZONE_WIN;
      if (DetectComponentByCursor(fx, fy, freshZone) == target && freshZone == zone)
        (target->*chain.click[zone])(flags, fx, fy);
    }
  }
  SysOnMouseMove(flags);
}

void GGame::ButtonDoubleClick(const GMouseButtonChain& chain) {
  int x = 0, y = 0, zone = ZONE_WIN;
  if (GComponent* target = DetectComponentByCursor(x, y, zone))
    (target->*chain.doubleClick[Zone(zone)])(inputFlags & INPUT_MODIFIERS, x, y);
}

void GGame::SysOnLButtonDown(unsigned flags) {
  ButtonDown(kLeftButton, flags, false);
}
void GGame::SysOnLButtonUp(unsigned flags) {
  ButtonUp(kLeftButton, flags);
}
void GGame::SysOnLButtonDblClk() {
  ButtonDoubleClick(kLeftButton);
}
void GGame::SysOnRButtonDown(unsigned flags) {
  ButtonDown(kRightButton, flags, false);
}
void GGame::SysOnRButtonUp(unsigned flags) {
  ButtonUp(kRightButton, flags);
}
void GGame::SysOnRButtonDblClk() {
  ButtonDoubleClick(kRightButton);
}
void GGame::SysOnMButtonDown(unsigned flags) {
  ButtonDown(kMiddleButton, flags, true);
}
void GGame::SysOnMButtonUp(unsigned flags) {
  ButtonUp(kMiddleButton, flags);
}
void GGame::SysOnMButtonDblClk() {
  ButtonDoubleClick(kMiddleButton);
}

void GGame::SysOnMouseMove(unsigned flags) {
  int x = 0, y = 0, zone = ZONE_WIN;
  GComponent* target = DetectComponentByCursor(x, y, zone);
  if (!target) return;
  zone = Zone(zone);
  GDispatchGuard guard(target);
  // While a button is held only the capturing component hears the moves.
  if (captured) {
    (target->*kMove[zone])(flags, x, y);
    return;
  }
  if (target == highlighted) {
    if (zone != highlightedZone) {
      (target->*kLeave[Zone(highlightedZone)])(flags);
      if (!guard) return;
      highlightedZone = zone;
      (target->*kEnter[zone])(flags, x, y);
      if (!guard) return;
    }
    (target->*kMove[zone])(flags, x, y);
    return;
  }
  if (GComponent* old = highlighted) {
    const int oldZone = Zone(highlightedZone);
    GDispatchGuard leaving(old);
    old->GlobalOnMouseLeave(flags);
    if (leaving) (old->*kLeave[oldZone])(flags);
  }
  if (!guard) return;
  target->GlobalOnMouseEnter(flags, x, y);
  if (!guard) return;
  highlighted = target;
  highlightedZone = zone;
  (target->*kEnter[zone])(flags, x, y);
  if (guard) (target->*kMove[zone])(flags, x, y);
}

void GGame::SysOnMouseWheel(short delta) {
  GComponent* target = captured;
  if (!target) {
    // Look down through the stack of components under the cursor for the
    // first one that scrolls; each one passed over is hidden from the hit
    // test for the next look, then put back.
    std::vector<std::pair<GComponent*, int>> passed;
    for (int i = 0; i < GScene::kMaxCovering; ++i) {
      int x = 0, y = 0, zone = ZONE_WIN;
      GComponent* c = DetectComponentByCursor(x, y, zone);
      if (!c) break;
      if (c->HasVScrollBar()) {
        target = c;
        break;
      }
      if (c->IsModal()) break;
      c->GetClipRect();  // up to date, so the hit test keeps the mark below
      passed.emplace_back(c, c->clipRect.left);
      c->clipRect.left = -1;
    }
    for (auto it = passed.rbegin(); it != passed.rend(); ++it)
      it->first->clipRect.left = it->second;
  }
  if (!target) target = focused;
  if (!target) return;
  for (GComponent* c = target; c; c = c->GetParent()) {
    if (c->HasVScrollBar()) {
      target = c;
      break;
    }
  }
  GDispatchGuard guard(target);
  if (target->WinOnMouseWheel(delta) && guard && target->InnerOnMouseWheel(delta) && guard)
    target->ClientOnMouseWheel(delta);
}

bool GGame::IsShortcutKey(unsigned key) {
  return platform && (platform->IsCopyKeyPressed(key) || platform->IsCutKeyPressed(key) ||
                      platform->IsPastKeyPressed(key));
}

void GGame::SysOnKeyDown(unsigned key, unsigned count, unsigned flags) {
  if (!focused) return;
  if (platform) {
    if (platform->IsCopyKeyPressed(key)) return focused->SysOnCopy();
    if (platform->IsCutKeyPressed(key)) return focused->SysOnCut();
    if (platform->IsPastKeyPressed(key)) return focused->SysOnPast();
  }
  // From the focused component up to the first dialog; the first one whose
  // frame or inner chain takes the key becomes the target of its release.
  for (GComponent* c = focused; c;) {
    keyTarget = c;
    GDispatchGuard guard(c);
    if (!c->WinOnKeyDown(key, count, flags) || !guard) return;
    if (!c->InnerOnKeyDown(key, count, flags) || !guard) return;
    keyTarget = nullptr;
    if (c->IsDialog()) break;
    c = c->GetParent();
  }
  keyTarget = focused;
  if (focused) focused->ClientOnKeyDown(key, count, flags);
}

void GGame::SysOnKeyUp(unsigned key, unsigned count, unsigned flags) {
  if (!keyTarget) return;
  // The releases of the copy, cut and paste shortcuts reach nobody.
  if (!IsShortcutKey(key)) {
    GComponent* target = keyTarget;
    GDispatchGuard guard(target);
    if (target->WinOnKeyUp(key, count, flags) && guard && target->InnerOnKeyUp(key, count, flags) &&
        guard)
      target->ClientOnKeyUp(key, count, flags);
  }
  if (heldKeyCount < 1) {
    keyTarget = nullptr;
    heldKeyCount = 0;
  }
}

void GGame::SysOnChar(unsigned ch, unsigned count, unsigned) {
  if (ch < CHAR_FIRST || ch > CHAR_LAST || !focused) return;
  {
    GComponent* target = focused;
    GDispatchGuard guard(target);
    if (target->WinOnChar(ch, count, inputFlags) && guard &&
        target->InnerOnChar(ch, count, inputFlags) && guard)
      target->ClientOnChar(ch, count, inputFlags);
  }
  if (repeatChar == KEY_NONE) SetRepeatedChar(ch);
}

// ---------------------------------------------------------------------------------------------
// Software cursor
// ---------------------------------------------------------------------------------------------

namespace {

// Keeps (x, y) on the scene; true when it had to move the point.
bool Clamp(int& x, int& y, int w, int h) {
  if (w < 1 || h < 1) return false;
  const int cx = x < 0 ? 0 : x > w - 1 ? w - 1 : x;
  const int cy = y < 0 ? 0 : y > h - 1 ? h - 1 : y;
  const bool moved = cx != x || cy != y;
  x = cx;
  y = cy;
  return moved;
}

}  // namespace

void GGame::SetCursorPosition(int x, int y) {
  if (x == cursorX && y == cursorY) return;
  const int oldX = cursorX, oldY = cursorY;
  int w = 0, h = 0;
  if (device) device->GetSize(w, h);
  cursorX = x;
  cursorY = y;
  Clamp(cursorX, cursorY, w, h);
  cursorFX = static_cast<float>(cursorX);
  cursorFY = static_cast<float>(cursorY);
  if (cursorX != oldX || cursorY != oldY) RoutePointerMove();
}

void GGame::PlatformMoveCursor(int dx, int dy) {
  float fx = static_cast<float>(dx), fy = static_cast<float>(dy);
  if (device && !device->IsWindowed()) {
    fx *= mouseSpeed;
    fy *= mouseSpeed;
  }
  const int oldX = cursorX, oldY = cursorY;
  cursorFX += fx;
  cursorFY += fy;
  cursorX = static_cast<int>(cursorFX);
  cursorY = static_cast<int>(cursorFY);
  int w = 0, h = 0;
  if (device) device->GetSize(w, h);
  // At an edge the precise position is pulled back with the whole one.
  const int beforeX = cursorX, beforeY = cursorY;
  if (Clamp(cursorX, cursorY, w, h)) {
    if (cursorX != beforeX) cursorFX = static_cast<float>(cursorX);
    if (cursorY != beforeY) cursorFY = static_cast<float>(cursorY);
  }
  if (cursorX != oldX || cursorY != oldY) RoutePointerMove();
}

void GGame::RoutePointerMove() {
  NoteInputFrom(INPUT_FROM_POINTER);
  const bool outer = pointerMoving;
  pointerMoving = true;
  SysOnMouseMove(inputFlags);
  pointerMoving = outer;
}

void GGame::NoteInputFrom(INPUT_SOURCE source) {
  if (source == lastInput) return;
  lastInput = source;
  if (GScene* scene = GetScene()) scene->Invalidate();
  if (modal) modal->Invalidate();
}

void GGame::ShowCursor(bool show) {
  const bool turnedOn = show && !cursorVisible;
  cursorVisible = show;
  if (turnedOn) SysOnMouseMove(inputFlags);
}

GImage* GGame::GetCursor() {
  if (!cursorVisible) return nullptr;
  if (!cursorImage) cursorImage = GetCursorDefault();
  return cursorImage;
}

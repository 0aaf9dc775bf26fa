// Key, button and cursor state of the application, as handed in by the
// platform: held keys and buttons, modifier bits, key repeat and the
// software cursor position.
#include "GUI/graphics/GDevice.h"
#include "GUI/platform/GGame.h"
#include "GUI/platform/GPlatform.h"

namespace {

constexpr unsigned kLeft = 238, kRight = 239, kMiddle = 240;
constexpr unsigned kButtonBits = 0x07;
constexpr unsigned kModifierBits = 0x38;

bool IsRepeatRefused(unsigned key) {
  return key == 29 || key == 42 || key == 54 || key == 56 || key == 157 || key == 184;
}

unsigned ModifierBit(unsigned key) {
  switch (key) {
    case 42:
    case 54:
      return 0x20;
    case 56:
    case 184:
      return 0x08;
    case 219:
    case 220:
      return 0x10;
    default:
      return 0;
  }
}

}  // namespace

bool GGame::IsKeyHeld(unsigned key) const {
  if (key < 1 || key > 240) return false;
  if (unsigned bit = ModifierBit(key)) return inputFlags & bit;
  if (key >= kLeft) return inputFlags & (1u << (key - kLeft));
  return keyDown[key] != 0;
}

void GGame::PlatformKeyDown(int key, unsigned count) {
  if (key < 1 || key > 240 || keyDown[key]) return;
  keyDown[key] = 1;
  unsigned k = static_cast<unsigned>(key);
  if (k == 15 && (inputFlags & 0x08)) {
    ToIconic();
    return;
  }
  if (k >= kLeft) {
    if (inputFlags & kButtonBits) return;
    unsigned modifiers = inputFlags & kModifierBits;
    inputFlags |= 1u << (k - kLeft);
    if (k == kLeft)
      SysOnLButtonDown(modifiers);
    else if (k == kRight)
      SysOnRButtonDown(modifiers);
    else
      SysOnMButtonDown(modifiers);
    return;
  }
  if (unsigned bit = ModifierBit(k)) {
    inputFlags |= bit;
    return;
  }
  if (k == 183) {
    keyDown[k] = 0;
    SavePrintScreen();
    return;
  }
  ++heldKeyCount;
  SysOnKeyDown(k, count, inputFlags);
  if (repeatKey == ~0u && repeatChar == ~0u && !IsRepeatRefused(k)) {
    repeatKey = k;
    nextRepeatTick = (platform ? platform->GetTick() : 0) + 350;
  }
}

void GGame::PlatformKeyUp(int key) {
  if (key < 1 || key > 240 || !keyDown[key]) return;
  keyDown[key] = 0;
  unsigned k = static_cast<unsigned>(key);
  if (unsigned bit = ModifierBit(k)) {
    inputFlags &= ~bit;
    return;
  }
  if (k >= kLeft) {
    inputFlags &= ~(1u << (k - kLeft));
    ResetRepeatedKey();
    unsigned modifiers = inputFlags & kModifierBits;
    if (k == kLeft)
      SysOnLButtonUp(modifiers);
    else if (k == kRight)
      SysOnRButtonUp(modifiers);
    else
      SysOnMButtonUp(modifiers);
    return;
  }
  --heldKeyCount;
  ResetRepeatedKey();
  SysOnKeyUp(k, 0, inputFlags);
}

void GGame::SetRepeatedKey(unsigned key) {
  if (repeatKey != ~0u || repeatChar != ~0u || IsRepeatRefused(key)) return;
  repeatKey = key;
  nextRepeatTick = (platform ? platform->GetTick() : 0) + 350;
}

void GGame::SetRepeatedChar(unsigned ch) {
  if (repeatChar != ~0u) return;
  ResetRepeatedKey();
  repeatChar = ch;
  nextRepeatTick = (platform ? platform->GetTick() : 0) + 350;
}

void GGame::ResetRepeatedKey() {
  repeatKey = ~0u;
  repeatChar = ~0u;
  nextRepeatTick = ~0u;
  repeatCount = 0;
}

void GGame::RepeateKey() {
  if (repeatKey == ~0u && repeatChar == ~0u) return;
  unsigned now = platform ? platform->GetTick() : 0;
  if (nextRepeatTick >= now) return;
  nextRepeatTick = now + 75;
  ++repeatCount;
  if (repeatKey == ~0u) {
    SysOnChar(repeatChar, repeatCount, inputFlags);
    return;
  }
  if (repeatKey >= 1 && repeatKey <= 240 && keyDown[repeatKey]) {
    unsigned key = repeatKey;
    keyDown[key] = 0;
    unsigned kept = inputFlags & ~kButtonBits;
    PlatformKeyDown(static_cast<int>(key), repeatCount);
    inputFlags = kept;
    keyDown[key] = 1;
    return;
  }
  ResetRepeatedKey();
}

void GGame::ResetInput() {
  inputFlags = 0;
  for (unsigned char& k : keyDown) k = 0;
  ResetRepeatedKey();
}

void GGame::ClearControl() {
  highlighted = nullptr;
  captured = nullptr;
  ResetInput();
}

// Default routing of keys and characters; the component model takes them
// over once scenes hold components.
void GGame::SysOnKeyDown(unsigned, unsigned, unsigned) {}

void GGame::SysOnKeyUp(unsigned, unsigned, unsigned) {}

void GGame::SysOnChar(unsigned ch, unsigned, unsigned) {
  if (ch < 32 || ch > 255) return;
  if (repeatChar == ~0u) SetRepeatedChar(ch);
}

// ---------------------------------------------------------------------------
// The software cursor

void GGame::SetCursorPosition(int x, int y) {
  if (x == cursorX && y == cursorY) return;
  int oldX = cursorX, oldY = cursorY;
  int w = 0, h = 0;
  if (device) device->GetSize(w, h);
  cursorX = x;
  cursorY = y;
  cursorFX = static_cast<float>(x);
  cursorFY = static_cast<float>(y);
  if (w > 0 && h > 0) {
    if (cursorX < 0) cursorX = 0;
    if (cursorX > w - 1) cursorX = w - 1;
    if (cursorY < 0) cursorY = 0;
    if (cursorY > h - 1) cursorY = h - 1;
    cursorFX = static_cast<float>(cursorX);
    cursorFY = static_cast<float>(cursorY);
  }
  if (cursorX != oldX || cursorY != oldY) SysOnMouseMove(inputFlags);
}

void GGame::PlatformMoveCursor(int dx, int dy) {
  float fx = static_cast<float>(dx), fy = static_cast<float>(dy);
  if (device && !device->IsWindowed()) {
    fx *= mouseSpeed;
    fy *= mouseSpeed;
  }
  int oldX = cursorX, oldY = cursorY;
  cursorFX += fx;
  cursorFY += fy;
  cursorX = static_cast<int>(cursorFX);
  cursorY = static_cast<int>(cursorFY);
  int w = 0, h = 0;
  if (device) device->GetSize(w, h);
  if (w > 0 && h > 0) {
    if (cursorX < 0 || cursorX > w - 1) {
      cursorX = cursorX < 0 ? 0 : w - 1;
      cursorFX = static_cast<float>(cursorX);
    }
    if (cursorY < 0 || cursorY > h - 1) {
      cursorY = cursorY < 0 ? 0 : h - 1;
      cursorFY = static_cast<float>(cursorY);
    }
  }
  if (cursorX != oldX || cursorY != oldY) SysOnMouseMove(inputFlags);
}

void GGame::ShowCursor(bool show) {
  bool turnedOn = show && !cursorVisible;
  cursorVisible = show;
  if (turnedOn) SysOnMouseMove(inputFlags);
}

GImage* GGame::GetCursor() {
  if (!cursorVisible) return nullptr;
  if (!cursorImage) cursorImage = GetCursorDefault();
  return cursorImage;
}

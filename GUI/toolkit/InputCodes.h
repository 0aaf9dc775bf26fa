#pragma once

// The input vocabulary, named once for everybody who handles input: the
// platform's translators, the application's input routing, the toolkit and
// the game. Key codes follow the PC keyboard's scan codes (set 1, extended
// keys with 128 added); the three mouse buttons travel as the pseudo keys
// 238..240. The component zones and style bits live here too, since the
// routing and the scenes test them as often as the toolkit does.

// Key codes. Only 1..240 are keys; anything else is ignored everywhere.
enum KEY_CODE : unsigned {
  KEY_ESCAPE = 1,
  KEY_1 = 2,
  KEY_2 = 3,
  KEY_3 = 4,
  KEY_4 = 5,
  KEY_5 = 6,
  KEY_6 = 7,
  KEY_7 = 8,
  KEY_8 = 9,
  KEY_9 = 10,
  KEY_0 = 11,
  KEY_MINUS = 12,
  KEY_EQUALS = 13,
  KEY_BACKSPACE = 14,
  KEY_TAB = 15,
  KEY_Q = 16,
  KEY_W = 17,
  KEY_E = 18,
  KEY_R = 19,
  KEY_T = 20,
  KEY_Y = 21,
  KEY_U = 22,
  KEY_I = 23,
  KEY_O = 24,
  KEY_P = 25,
  KEY_RETURN = 28,
  KEY_LCONTROL = 29,
  KEY_A = 30,
  KEY_S = 31,
  KEY_D = 32,
  KEY_F = 33,
  KEY_G = 34,
  KEY_H = 35,
  KEY_J = 36,
  KEY_K = 37,
  KEY_L = 38,
  KEY_GRAVE = 41,
  KEY_LSHIFT = 42,
  KEY_Z = 44,
  KEY_X = 45,
  KEY_C = 46,
  KEY_V = 47,
  KEY_B = 48,
  KEY_N = 49,
  KEY_M = 50,
  KEY_COMMA = 51,
  KEY_RSHIFT = 54,
  KEY_LALT = 56,
  KEY_SPACE = 57,
  KEY_F1 = 59,
  KEY_F2 = 60,
  KEY_F3 = 61,
  KEY_F4 = 62,
  KEY_F5 = 63,
  KEY_F6 = 64,
  KEY_F7 = 65,
  KEY_F8 = 66,
  KEY_F9 = 67,
  KEY_F10 = 68,
  KEY_F11 = 87,
  KEY_F12 = 88,
  KEY_RCONTROL = 157,
  KEY_PRINT_SCREEN = 183,
  KEY_RALT = 184,
  KEY_HOME = 199,
  KEY_UP = 200,
  KEY_PAGE_UP = 201,
  KEY_LEFT = 203,
  KEY_RIGHT = 205,
  KEY_END = 207,
  KEY_DOWN = 208,
  KEY_PAGE_DOWN = 209,
  KEY_DELETE = 211,
  KEY_LSYSTEM = 219,  // the Command (GUI) keys
  KEY_RSYSTEM = 220,
  KEY_MOUSE_LEFT = 238,
  KEY_MOUSE_RIGHT = 239,
  KEY_MOUSE_MIDDLE = 240,
};

constexpr unsigned KEY_FIRST = 1;
constexpr unsigned KEY_LAST = 240;
// "No key", in the repeat state (repeatKey, repeatChar) and wherever a key
// may be missing.
constexpr unsigned KEY_NONE = ~0u;

// Keys that only modify others: Control, Shift, Alt and the system keys.
// They never repeat, and a modifier alone is no command.
constexpr bool IsModifierKey(unsigned key) {
  switch (key) {
    case KEY_LCONTROL:
    case KEY_RCONTROL:
    case KEY_LSHIFT:
    case KEY_RSHIFT:
    case KEY_LALT:
    case KEY_RALT:
    case KEY_LSYSTEM:
    case KEY_RSYSTEM:
      return true;
    default:
      return false;
  }
}

// The three mouse buttons' pseudo keys.
constexpr bool IsMouseButtonKey(unsigned key) {
  return key >= KEY_MOUSE_LEFT && key <= KEY_MOUSE_MIDDLE;
}

// Bits of the application's inputFlags: held mouse buttons and modifiers.
// Control keys have no bit; they are ordinary held keys.
enum INPUT_FLAG : unsigned {
  INPUT_LBUTTON = 0x01,
  INPUT_RBUTTON = 0x02,
  INPUT_MBUTTON = 0x04,
  INPUT_ALT = 0x08,
  INPUT_SYSTEM = 0x10,
  INPUT_SHIFT = 0x20,
  INPUT_BUTTONS = 0x07,
  // The part mouse handlers receive.
  INPUT_MODIFIERS = 0x38,
};

// Where the last input came from: the mouse, or the keyboard and gamepads.
enum INPUT_SOURCE : int {
  INPUT_FROM_POINTER = 0,
  INPUT_FROM_KEYS = 1,
};

// Key repeat: the first repeat this long after the press, then one each period
// (both land on the first main-timer tick after they are due).
constexpr unsigned KEY_REPEAT_DELAY_MS = 350;
constexpr unsigned KEY_REPEAT_PERIOD_MS = 75;

// Characters that reach components: 32..255 (single bytes of the code page).
constexpr unsigned CHAR_FIRST = 32;
constexpr unsigned CHAR_LAST = 255;

// The three zones of a component, outermost first.
enum COMPONENT_ZONE : int {
  ZONE_WIN = 0,     // the frame and caption: window minus inner rectangle
  ZONE_INNER = 1,   // inner rectangle minus client rectangle (scroll bars)
  ZONE_CLIENT = 2,  // where the children live
};

// Component style bits.
enum COMPONENT_STYLE : unsigned {
  STYLE_VISIBLE = 0x1,
  STYLE_DISABLED = 0x2,
  STYLE_BORDER = 0x4,            // the theme draws a border
  STYLE_CAPTION = 0x8,           // the theme draws a caption
  STYLE_NOERASE = 0x10,          // no erase of inner strips and client area
  STYLE_ALPHA = 0x20,            // translucent: invalidation repaints what lies below
  STYLE_FRAMED = 0x40,           // the game theme's frame and grid
  STYLE_DEFAULT_BUTTON = 0x400,  // pressed by Enter in its dialog
  STYLE_CANCEL_BUTTON = 0x800,   // pressed by Escape in its dialog
  STYLE_SCROLL_CHILDREN = 0x1000,
  STYLE_CLOSE_BOX = 0x2000,
  STYLE_MAXIMIZE_BOX = 0x4000,
  STYLE_MINIMIZE_BOX = 0x8000,
  STYLE_THICK_BORDER = 0x10000,
  STYLE_KEEP_CENTERED = 0x20000,
};

#pragma once

#include <string>

#include "GUI/foundation/CFerroString.h"
#include "GUI/graphics/CPictureTransform.h"
#include "game/model/GPlayerKeys.h"
#include "game/model/GameSpeed.h"

// Full screen or a window.
enum class WindowMode { FullScreen, Window };

// How units are drawn in play: smooth moves them at the display's rate
// between the ticks; classic draws them once per tick, a step at a time.
enum class MotionMode { Smooth, Classic };

// The player's settings kept between runs in "settings.cfg" of the per-user
// data folder, a text of "[section]" labels, "key = value" lines (the '=' may
// be left out) and ';' comments, with CR LF or LF line ends:
//
//   [display]
//   scale = sharp            sharp, integer or off
//   fullscreen = yes         yes or no
//   window-width = 1024      the window's size when not full screen,
//   window-height = 768      1 to 100000 points each
//   [sound]
//   volume = 100             the sound effects' volume, 0 to 100 per cent
//   mute = no                yes: no sound at all (M switches it)
//   music-volume = 70        the music's volume, 0 to 100 per cent
//   [play]
//   motion = smooth          smooth or classic
//   speed = normal           slow, normal or fast: ticks of 70, 50 or 35 ms
//   steering = keep-going    keep-going or stop-on-release: what releasing
//                            a direction key tells the runner
//   [keys]
//   left = Left              the keys of play by name (GetKeyName): Left,
//   right = Right            Right, Up, Down, Space, A to Z (but M), 0 to 9,
//   up = Up                  F1 to F12 (but F11), Tab, Backspace, Home, End,
//   down = Down              PageUp, PageDown, Delete, Minus, Equals, Comma,
//   dig = Space              LeftCtrl, RightCtrl; no key for two of them
//   [interface]
//   language = de            en, de, fr, es or ru, once the player chose
//                            it; until then the environment's language
//
// A key is read from its own section only, the first time it stands there.
// A key that is missing, or whose value cannot be used, keeps its default;
// every other key is read. A key of play that another one has too is
// refused, the later line of the two, or the one whose other has it by
// default. The text read is kept: writing the settings back
// changes only the values of the keys this version knows (adding the lines
// of those that were missing) and leaves every other line, comment and
// section as it was, so the keys of a later version survive an earlier one.
// A new setting is one more field and one row of the table in the source.
struct CGameSettings {
  static constexpr const char* kFileName = "settings.cfg";
  // A larger file is not a settings file of this game.
  static constexpr int kMaxFileSize = 64 * 1024;

  ScaleMode scale = ScaleMode::Sharp;
  WindowMode windowMode = WindowMode::FullScreen;
  int windowWidth = 1024;
  int windowHeight = 768;
  int volume = 100;
  bool muted = false;
  int musicVolume = 70;
  GameSpeed speed = GameSpeed::normal;
  Steering steering = Steering::keepGoing;
  MotionMode motion = MotionMode::Smooth;
  CPlayerKeys keys;
  // A shipped language's code; empty until the player chooses one.
  std::string language;
  // The text read (empty for none), which Format writes the values into.
  std::string text;

  // Equal settings write the same file.
  bool operator==(const CGameSettings&) const = default;

  enum class LoadResult {
    Loaded,     // the file was read; the settings are its own
    BadValues,  // read, but some values cannot be used: those keys keep their
                // defaults (why says which), the others are the file's
    Missing,    // no file (or none readable): the settings are the defaults
    Damaged,    // not a settings file of this game (why says why): the
                // defaults, and nothing of it is kept
  };
  // Reads the file at path into this object.
  LoadResult Load(const char* path, CFerroString& why);
  // Writes the file through a temporary renamed over it (the previous file
  // survives a failed write); false with errno telling why.
  bool Save(const char* path) const;

  // Reads a file's text into this object over the defaults. False (this
  // object unchanged) when it is no text of this game; otherwise true, with
  // why naming each value that could not be used (empty when none).
  bool Parse(const char* bytes, int size, CFerroString& why);
  // The file's text: the text read with this object's values written in, or
  // a whole new text when none was read.
  CFerroString Format() const;
};

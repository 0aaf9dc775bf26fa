#pragma once

#include "GUI/foundation/CFerroString.h"
#include "GUI/graphics/CPictureTransform.h"

// Full screen or a window.
enum class WindowMode { FullScreen, Window };

// The player's settings kept between runs in "settings.cfg" of the per-user
// data folder, a text in the framework's settings format (CR LF lines, ';'
// comments, "[section]" labels, "key = value" lines):
//
//   [display]
//   scale = sharp            sharp, integer or off
//   fullscreen = yes         yes or no
//   window-width = 1024      the window's size when not full screen,
//   window-height = 768      1 to 100000 points each
//   [sound]
//   volume = 100             the sound effects' volume, 0 to 100 per cent
//   mute = no                yes: no sound at all (M switches it)
//
// A key that is missing keeps its default, and keys or sections this version
// does not know are passed over, so a file written by a later version (which
// may add keys) still reads; the [sound] section may be missing altogether,
// as in the files of earlier versions. A new setting is one more field, one
// line in Format and one lookup in Parse.
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

  bool operator==(const CGameSettings&) const = default;

  enum class LoadResult {
    Loaded,   // the file was read; the settings are its own
    Missing,  // no file (or none readable): the settings are the defaults
    Damaged,  // not a settings file of this game, or a value it cannot use
  };
  // Reads the file at path into this object. Anything but Loaded leaves the
  // defaults, and for Damaged sets why to the reason.
  LoadResult Load(const char* path, CFerroString& why);
  // Writes the file through a temporary renamed over it (the previous file
  // survives a failed write); false with errno telling why.
  bool Save(const char* path) const;

  // The settings from a file's text; false (this object unchanged) with why
  // set when the text is damaged.
  bool Parse(const char* text, int size, CFerroString& why);
  // The file's text.
  CFerroString Format() const;
};

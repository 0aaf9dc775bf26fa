#pragma once

#include "GUI/resources/ConfigScanner.h"

class CFerroStream;

// Settings texts read through streams, so they may come from host files or from files inside a
// resource drive. A value that starts with '=' loses it and the blanks after it, so "KEY = 5" and
// "KEY 5" both give "5"; values are cut to 255 bytes.
class Config : public ConfigScanner {
 public:
  static constexpr int kWorkBuffer = 256;
  // Opens a read stream for a path, or returns null; the caller owns the stream.
  using StreamOpener = CFerroStream* (*)(const char* path, int mode);

  Config();
  virtual ~Config();

  // Loads the file at path as one more text, through the installed stream opener (host files
  // only until the platform installs one that also knows drive paths); false (nothing added)
  // when it cannot be read or 25 texts are loaded.
  bool OpenFile(const char* path);
  // Loads everything from the stream's position to its end as one more text.
  bool ReadStream(CFerroStream& stream);
  // Drops a leading '=' and the blanks after it.
  static CFerroString TranslateParam(const CFerroString& value);

  // Replaces the function OpenFile uses to open paths (null restores host files).
  static void SetStreamOpener(StreamOpener opener);
};

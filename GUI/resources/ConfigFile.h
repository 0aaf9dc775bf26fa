#pragma once

#include "GUI/foundation/CFerroString.h"
#include "GUI/resources/ConfigScanner.h"

// Settings texts read from host files or memory. Values are returned as they stand after the
// key ("KEY = 5" gives "= 5") and are cut to 2999 bytes.
class ConfigFile : public ConfigScanner {
 public:
  static constexpr int kWorkBuffer = 3000;

  ConfigFile();

  // Loads the whole host file as one more text; false (nothing added) when it cannot be read or
  // 25 texts are loaded.
  bool OpenFile(CFerroString path);
  // Loads every file of a host folder whose extension is the pattern's last three characters;
  // the folder is the text before the pattern's last separator. Files load in name order.
  // Returns the number of texts added.
  int OpenFileDir(CFerroString pattern);
  // Loads a copy of the block as one more text.
  bool OpenMemory(const char* data, int size);
};

#include "GUI/resources/ConfigFile.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <string>
#include <vector>

#include "GUI/foundation/CFerroStreamFile.h"
#include "GUI/foundation/FerroHostFile.h"

ConfigFile::ConfigFile() : ConfigScanner(kWorkBuffer - 1, false) {}

bool ConfigFile::OpenFile(CFerroString path) {
  if (GetCountFile() >= kMaxTexts) return false;
  FILE* file = fopen_ferro(path.c_str(), "rb");
  if (file == nullptr) return false;
  std::vector<unsigned char> bytes;
  long size = FerroFileRemaining(file);
  bool ok = size >= 0 && FerroReadBlock(file, static_cast<size_t>(size), bytes);
  std::fclose(file);
  return ok && AddText(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

int ConfigFile::OpenFileDir(CFerroString pattern) {
  if (pattern.GetLength() < 3) return 0;
  CFerroString extension = pattern.Right(3);
  CFerroString folder = pattern.GetPathOnly();
  DIR* dir = opendir(folder.IsEmpty() ? "." : folder.c_str());
  if (dir == nullptr) return 0;
  std::vector<std::string> names;
  while (dirent* entry = readdir(dir)) {
    CFerroString name(entry->d_name);
    if (name.GetExtension() == extension) names.push_back(entry->d_name);
  }
  closedir(dir);
  std::sort(names.begin(), names.end());
  int added = 0;
  for (const std::string& name : names) {
    CFerroString path =
        folder.IsEmpty() ? CFerroString(name.c_str()) : folder + CFerroString('/') + name.c_str();
    struct stat info;
    if (stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && OpenFile(path)) ++added;
  }
  return added;
}

bool ConfigFile::OpenMemory(const char* data, int size) {
  if (size < 0 || (data == nullptr && size > 0)) return false;
  return AddText(data, static_cast<size_t>(size));
}

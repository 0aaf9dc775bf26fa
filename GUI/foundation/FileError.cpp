#include "GUI/foundation/FileError.h"

#include <cstdio>
#include <mutex>

bool disable_game_log = false;

namespace {

FileErrorFolder folderProvider = nullptr;
bool firstMessage = true;
std::mutex logLock;

}  // namespace

void SetFileErrorFolder(FileErrorFolder provider) {
  std::lock_guard<std::mutex> hold(logLock);
  folderProvider = provider;
}

void RemoveFileErrorFolder(FileErrorFolder provider) {
  std::lock_guard<std::mutex> hold(logLock);
  if (folderProvider == provider) folderProvider = nullptr;
}

void FileError(const char* message) {
  std::lock_guard<std::mutex> hold(logLock);
  if (disable_game_log || folderProvider == nullptr) return;
  const CFerroString folder = folderProvider();
  if (folder.IsEmpty()) return;
  const CFerroString path = folder + "error.log";
  FILE* file = std::fopen(path.c_str(), firstMessage ? "wb" : "ab");
  if (file == nullptr) return;
  firstMessage = false;
  if (message != nullptr) std::fputs(message, file);
  std::fputs("\r\n", file);
  std::fclose(file);
}

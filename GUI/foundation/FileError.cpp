#include "GUI/foundation/FileError.h"

#include <cerrno>
#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

bool disable_game_log = false;

namespace {

FileErrorFolder folderProvider = nullptr;
bool firstMessage = true;
std::mutex logLock;
// Set while this thread asks the provider for the folder (holding logLock);
// messages sent meanwhile wait in heldBack, which only that thread touches.
thread_local bool askingFolder = false;
std::vector<std::string> heldBack;

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
  if (askingFolder) {
    heldBack.emplace_back(message ? message : "");
    return;
  }
  std::lock_guard<std::mutex> hold(logLock);
  if (disable_game_log || folderProvider == nullptr) return;
  askingFolder = true;
  const CFerroString folder = folderProvider();
  askingFolder = false;
  std::vector<std::string> earlier;
  earlier.swap(heldBack);
  if (folder.IsEmpty()) return;
  const CFerroString path = folder + "error.log";
  FILE* file = std::fopen(path.c_str(), firstMessage ? "wb" : "ab");
  if (file == nullptr) return;
  firstMessage = false;
  for (const std::string& line : earlier) {
    std::fputs(line.c_str(), file);
    std::fputs("\r\n", file);
  }
  if (message != nullptr) std::fputs(message, file);
  std::fputs("\r\n", file);
  std::fclose(file);
}

void ReportError(const char* message) {
  // Writing the log may change errno; a caller may still want it.
  const int saved = errno;
  std::fprintf(stderr, "%s: %s\n", program_invocation_short_name, message ? message : "");
  std::fflush(stderr);
  FileError(message);
  errno = saved;
}

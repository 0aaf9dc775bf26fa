// The entry points that decide, per path, between the host file system and a
// connected resource drive. Until drives are connected every path is a host
// path; the drive side joins here.
#include "GUI/foundation/CFerroStreamFile.h"
#include "GUI/platform/GPlatform.h"

bool GPlatform::IsHostPath(const char* path) {
  return path != nullptr;
}

CFerroStream* GPlatform::OpenStream(const char* path, int mode) {
  if (!path) return nullptr;
  auto* stream = new CFerroStreamFile;
  if (!stream->Open(path, mode)) {
    delete stream;
    return nullptr;
  }
  return stream;
}

bool GPlatform::CreateFolder(const char* path) {
  if (!path) return false;
  CFerroString folder(path);
  folder.DeleteLastSlash();
  return !folder.IsEmpty() && CreateFolder_OS(folder.c_str());
}

bool GPlatform::RemoveFolder(const char* path) {
  if (!path) return false;
  CFerroString folder(path);
  folder.DeleteLastSlash();
  return !folder.IsEmpty() && RemoveFolder_OS(folder.c_str());
}

bool GPlatform::SetDirectory(const char* path) {
  return path && SetDirectory_OS(path);
}

CFerroString GPlatform::GetDirectory() {
  return GetDirectory_OS();
}

const char* GPlatform::GetFirstFile(const char* folder, const char* mask) {
  return folder ? GetFirstFile_OS(folder, mask) : nullptr;
}

const char* GPlatform::GetNextFile() {
  return finders.Get() ? GetNextFile_OS() : nullptr;
}

const char* GPlatform::GetFirstFolder(const char* folder) {
  return folder ? GetFirstFolder_OS(folder) : nullptr;
}

const char* GPlatform::GetNextFolder() {
  return finders.Get() ? GetNextFolder_OS() : nullptr;
}

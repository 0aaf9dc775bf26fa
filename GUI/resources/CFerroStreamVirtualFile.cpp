#include "GUI/resources/CFerroStreamVirtualFile.h"

#include "GUI/resources/GVirtualDrive.h"

CFerroStreamVirtualFile::~CFerroStreamVirtualFile() {
  Close();
}

bool CFerroStreamVirtualFile::Open(GVirtualDrive* target, const char* path, int openMode) {
  Close();
  if (target == nullptr || !target->IsOpen() || openMode < modeRead || openMode > modeAppend)
    return false;
  VIRTUAL_ITEM* found = target->GetItem(path);
  if (found != nullptr && found->IsFolder()) return false;
  if (found == nullptr && openMode == modeRead) return false;
  if (found != nullptr && openMode == modeWrite) {
    // Writing starts from an empty file: the old clusters go to the free-cluster list.
    if (!target->RemoveFile(path)) return false;
    found = nullptr;
  }
  if (found == nullptr) {
    if (!target->CreateFile(path)) return false;
    found = target->GetItem(path);
    if (found == nullptr || !found->IsFile()) return false;
  }
  drive = target;
  item = static_cast<VIRTUAL_FILE*>(found);
  mode = openMode;
  name = path;
  lastCount = 0;
  position = openMode == modeAppend ? item->size : 0;
  drive->RegisterStream(this);
  return true;
}

void CFerroStreamVirtualFile::Close() {
  if (drive != nullptr) drive->UnregisterStream(this);
  Detach();
}

void CFerroStreamVirtualFile::Detach() {
  drive = nullptr;
  item = nullptr;
  position = 0;
  name = "";
}

unsigned int CFerroStreamVirtualFile::GetLength() {
  return item ? item->size : 0;
}

void CFerroStreamVirtualFile::SetPosition(unsigned int /*offset*/) {
  if (item != nullptr && position > item->size) position = item->size;
}

unsigned int CFerroStreamVirtualFile::Read(void* buffer, unsigned int count) {
  lastCount = 0;
  if (item == nullptr || mode != modeRead || buffer == nullptr) return 0;
  unsigned int got = drive->ReadFileBytes(*item, position, buffer, count);
  position += got;
  lastCount = static_cast<int>(got);
  return got;
}

unsigned int CFerroStreamVirtualFile::Write(const void* buffer, unsigned int count) {
  lastCount = 0;
  if (item == nullptr || mode == modeRead || buffer == nullptr) return 0;
  unsigned int put = drive->WriteFileBytes(*item, position, buffer, count);
  position += put;
  lastCount = static_cast<int>(put);
  return put;
}

bool CFerroStreamVirtualFile::ChangeMode(int /*m*/) {
  return false;
}

#pragma once

#include <cstdint>

#include "GUI/foundation/CFerroStream.h"

class GVirtualDrive;
class VIRTUAL_FILE;

// A stream over one file of a resource drive. Mode 0 reads, 1 writes the file afresh, 2 continues
// at its end. Drive files are read from their start: SetPosition can only pull the position back
// to the end of the file. The stream is detached (as if closed) when its file is removed or its
// drive is closed, so it never outlives what it points to.
class CFerroStreamVirtualFile : public CFerroStream {
 public:
  CFerroStreamVirtualFile() = default;
  ~CFerroStreamVirtualFile() override;

  // Opens the file at path on drive; see GVirtualDrive::OpenStream.
  bool Open(GVirtualDrive* drive, const char* path, int mode);
  bool IsOpen() const { return item != nullptr; }

  void Close() override;
  unsigned int GetLength() override;
  unsigned int GetPosition() override { return position; }
  // Lowers the position to the file's size when it lies beyond it; nothing else.
  void SetPosition(unsigned int offset) override;
  unsigned int Write(const void* buffer, unsigned int count) override;
  unsigned int Read(void* buffer, unsigned int count) override;
  // Drive files keep the mode they were opened in.
  bool ChangeMode(int m) override;

 private:
  friend class GVirtualDrive;
  void Detach();

  GVirtualDrive* drive = nullptr;
  VIRTUAL_FILE* item = nullptr;
  uint32_t position = 0;
};

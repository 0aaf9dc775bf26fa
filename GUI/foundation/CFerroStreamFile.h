#pragma once

#include <cstdio>
#include <functional>
#include <string>

#include "GUI/foundation/CFerroStream.h"

// A plain wrapper over the C library's fopen.
FILE* fopen_ferro(const char* path, const char* mode);

// A stream over a host file: mode 0 reads ("rb"), 1 writes a fresh file
// ("wb"), 2 appends ("ab"). It works before any platform exists; once the
// platform is up it installs a host opener so that file access is routed
// through it.
class CFerroStreamFile : public CFerroStream {
 public:
  // Opens path in the given C mode text; returns null on failure.
  using HostOpener = FILE* (*)(const char* path, const char* modeText);

  CFerroStreamFile();
  ~CFerroStreamFile() override;

  // Sets the name and opens the file; on failure the stream stays closed with
  // mode 0 and an empty name.
  bool Open(const char* path, int mode);

  void Close() override;
  // Closes a written file after pushing everything to the disk; false (with
  // errno telling why) when a write, the flush or the close failed, which
  // with buffered writes is often the first sign of a full disk. A stream
  // that is not open fails too.
  bool Finish();
  unsigned int GetLength() override;
  unsigned int GetPosition() override;
  // Only in mode 0; the writing modes keep their position.
  void SetPosition(unsigned int offset) override;
  unsigned int Write(const void* buffer, unsigned int count) override;
  unsigned int Read(void* buffer, unsigned int count) override;
  // Closes and reopens the same path in mode m; false when that fails.
  bool ChangeMode(int m) override;

  FILE* GetFile() const { return file; }

  // Replaces the function that opens host files (null restores fopen).
  static void SetHostOpener(HostOpener opener);

 private:
  FILE* file = nullptr;
  // errno of the first short write since the file was opened, or 0.
  int writeError = 0;
};

// Writes a file through a temporary beside it (path + ".tmp") that is renamed
// over the target only after the writer reported success and the temporary
// was completely flushed and closed, so a failed write (a full disk, missing
// rights) never destroys the previous file and leaves no temporary behind.
// On failure errno tells why.
bool WriteFileReplacing(const char* path, const std::function<bool(CFerroStream&)>& writer);

// Writes a new file at path: through a temporary of its own beside it, put
// in place only after a complete write, and only when no file of that name
// exists (it is linked, not renamed, into place), so an existing file is
// never replaced, not even one made meanwhile, and a failed write leaves
// nothing behind. On failure errno tells why: EEXIST when the name is taken.
bool WriteFileNew(const char* path, const std::function<bool(CFerroStream&)>& writer);

// How ReadWholeFile went.
enum class WholeFile {
  read,      // out holds the file
  missing,   // it did not open (errno tells why)
  tooLarge,  // it holds more than the limit; out is empty
  failed,    // reading it failed part way; out is empty
};
// Reads the file at path into out when it holds at most limit bytes.
WholeFile ReadWholeFile(const char* path, size_t limit, std::string& out);

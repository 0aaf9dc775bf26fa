#include "GUI/foundation/CFerroStreamFile.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

CFerroStreamFile::HostOpener hostOpener = nullptr;

}  // namespace

FILE* fopen_ferro(const char* path, const char* mode) {
  return std::fopen(path, mode);
}

void CFerroStreamFile::SetHostOpener(HostOpener opener) {
  hostOpener = opener;
}

CFerroStreamFile::CFerroStreamFile() = default;

CFerroStreamFile::~CFerroStreamFile() {
  Close();
}

bool CFerroStreamFile::Open(const char* path, int m) {
  name = path;
  if (path == nullptr || !ChangeMode(m)) {
    Close();
    mode = modeRead;
    name = "";
    return false;
  }
  return true;
}

void CFerroStreamFile::Close() {
  if (file == nullptr) return;
  std::fclose(file);
  file = nullptr;
  name = "";
}

bool CFerroStreamFile::Finish() {
  if (file == nullptr) {
    errno = EBADF;
    return false;
  }
  int error = writeError;
  if (std::fflush(file) != 0 && error == 0) error = errno;
  // The data reaches the disk before a rename can make it the real file.
  if (mode != modeRead && fsync(fileno(file)) != 0 && error == 0) error = errno;
  if (std::ferror(file) && error == 0) error = EIO;
  if (std::fclose(file) != 0 && error == 0) error = errno;
  file = nullptr;
  name = "";
  errno = error;
  return error == 0;
}

bool CFerroStreamFile::ChangeMode(int m) {
  static const char* const kModeText[3] = {"rb", "wb", "ab"};
  CFerroString keep = name;
  Close();
  name = keep;
  if (m < modeRead || m > modeAppend) return false;
  mode = m;
  writeError = 0;
  if (name.IsEmpty()) return false;
  file = hostOpener != nullptr ? hostOpener(name.c_str(), kModeText[m])
                               : fopen_ferro(name.c_str(), kModeText[m]);
  return file != nullptr;
}

unsigned int CFerroStreamFile::GetLength() {
  if (file == nullptr) return 0;
  long here = std::ftell(file);
  if (here < 0 || std::fseek(file, 0, SEEK_END) != 0) return 0;
  long end = std::ftell(file);
  std::fseek(file, here, SEEK_SET);
  return end < 0 ? 0 : static_cast<unsigned int>(end);
}

unsigned int CFerroStreamFile::GetPosition() {
  if (file == nullptr) return 0;
  long here = std::ftell(file);
  return here < 0 ? 0 : static_cast<unsigned int>(here);
}

void CFerroStreamFile::SetPosition(unsigned int offset) {
  if (file == nullptr || mode != modeRead) return;
  std::fseek(file, static_cast<long>(offset), SEEK_SET);
}

unsigned int CFerroStreamFile::Write(const void* buffer, unsigned int count) {
  lastCount = 0;
  if (file != nullptr && mode != modeRead && buffer != nullptr && count > 0) {
    lastCount = static_cast<int>(std::fwrite(buffer, 1, count, file));
    if (static_cast<unsigned>(lastCount) != count && writeError == 0)
      writeError = errno != 0 ? errno : EIO;
  }
  return static_cast<unsigned int>(lastCount);
}

unsigned int CFerroStreamFile::Read(void* buffer, unsigned int count) {
  lastCount = 0;
  if (file != nullptr && mode == modeRead && buffer != nullptr && count > 0)
    lastCount = static_cast<int>(std::fread(buffer, 1, count, file));
  return static_cast<unsigned int>(lastCount);
}

bool WriteFileReplacing(const char* path, const std::function<bool(CFerroStream&)>& writer) {
  if (path == nullptr || *path == 0 || !writer) {
    errno = EINVAL;
    return false;
  }
  const CFerroString target(path);
  const CFerroString temporary = target + ".tmp";
  CFerroStreamFile file;
  if (!file.Open(temporary.c_str(), CFerroStream::modeWrite)) return false;
  errno = 0;
  const bool written = writer(file);
  int error = written ? 0 : errno;
  const bool finished = file.Finish();
  if (!finished && error == 0) error = errno;
  bool ok = written && finished;
  if (ok && std::rename(temporary.c_str(), target.c_str()) != 0) {
    ok = false;
    error = errno;
  }
  if (!ok) {
    std::remove(temporary.c_str());
    errno = error != 0 ? error : EIO;
  }
  return ok;
}

bool WriteFileNew(const char* path, const std::function<bool(CFerroStream&)>& writer) {
  if (path == nullptr || *path == 0 || !writer) {
    errno = EINVAL;
    return false;
  }
  if (access(path, F_OK) == 0) {
    errno = EEXIST;
    return false;
  }
  std::string temporary = std::string(path) + ".XXXXXX";
  const int made = mkstemp(temporary.data());
  if (made < 0) return false;
  close(made);
  CFerroStreamFile file;
  int error = 0;
  bool ok = file.Open(temporary.c_str(), CFerroStream::modeWrite);
  if (ok) {
    errno = 0;
    ok = writer(file);
    error = ok ? 0 : errno;
    const bool finished = file.Finish();
    if (ok && !finished) error = errno;
    ok = ok && finished;
  } else {
    error = errno;
  }
  if (ok && link(temporary.c_str(), path) != 0) {
    error = errno;
    // A file system without hard links: renamed instead, after one more look.
    const bool noLinks = error == EPERM || error == EOPNOTSUPP || error == ENOSYS;
    ok = noLinks && access(path, F_OK) != 0 && std::rename(temporary.c_str(), path) == 0;
    if (noLinks && !ok && access(path, F_OK) == 0) error = EEXIST;
    if (ok) return true;
  }
  std::remove(temporary.c_str());
  if (!ok) errno = error != 0 ? error : EIO;
  return ok;
}

WholeFile ReadWholeFile(const char* path, size_t limit, std::string& out) {
  out.clear();
  CFerroStreamFile file;
  if (!path || !file.Open(path, CFerroStream::modeRead)) return WholeFile::missing;
  // One byte more than the limit tells a larger file apart.
  char chunk[4096];
  for (;;) {
    const unsigned int got = file.Read(chunk, sizeof chunk);
    if (got == 0) break;
    out.append(chunk, got);
    if (out.size() > limit) {
      out.clear();
      return WholeFile::tooLarge;
    }
  }
  if (std::ferror(file.GetFile())) {
    out.clear();
    return WholeFile::failed;
  }
  return WholeFile::read;
}

#include "GUI/resources/Config.h"

#include <vector>

#include "GUI/foundation/CFerroStreamFile.h"

Config::Config() : ConfigScanner(kWorkBuffer - 1, true) {}

Config::~Config() = default;

bool Config::OpenFile(const char* path) {
  if (path == nullptr || GetCountFile() >= kMaxTexts) return false;
  CFerroStreamFile stream;
  if (!stream.Open(path, CFerroStream::modeRead)) return false;
  return ReadStream(stream);
}

bool Config::ReadStream(CFerroStream& stream) {
  if (GetCountFile() >= kMaxTexts || !stream.IsLoading()) return false;
  // Read in steps until the stream runs dry, so a stream that misreports its length can neither
  // make us allocate for nothing nor lose its tail.
  std::vector<char> bytes;
  char chunk[16384];
  for (;;) {
    unsigned int got = stream.Read(chunk, sizeof chunk);
    if (got == 0 || got > sizeof chunk) break;
    bytes.insert(bytes.end(), chunk, chunk + got);
  }
  return AddText(bytes.data(), bytes.size());
}

CFerroString Config::TranslateParam(const CFerroString& value) {
  return StripEquals(value);
}

#include "GUI/resources/Config.h"

#include <memory>
#include <vector>

#include "GUI/foundation/CFerroStreamFile.h"

namespace {

CFerroStream* OpenHostStream(const char* path, int mode) {
  auto stream = std::make_unique<CFerroStreamFile>();
  return stream->Open(path, mode) ? stream.release() : nullptr;
}

Config::StreamOpener streamOpener = OpenHostStream;

}  // namespace

void Config::SetStreamOpener(StreamOpener opener) {
  streamOpener = opener != nullptr ? opener : OpenHostStream;
}

Config::Config() : ConfigScanner(kWorkBuffer - 1, true) {}

Config::~Config() = default;

bool Config::OpenFile(const char* path) {
  if (path == nullptr || GetCountFile() >= kMaxTexts) return false;
  std::unique_ptr<CFerroStream> stream(streamOpener(path, CFerroStream::modeRead));
  return stream != nullptr && ReadStream(*stream);
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

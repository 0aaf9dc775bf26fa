#include "game/app/CGameSettings.h"

#include <cstring>

#include "GUI/foundation/CFerroStreamFile.h"
#include "GUI/resources/CConfigText.h"
#include "game/app/GameLanguage.h"

namespace {

constexpr int kMaxWindowSize = 100000;

// A whole number from low to high written in plain digits.
bool ParseNumber(const std::string& text, int low, int high, int& number) {
  if (text.empty() || text.size() > 6) return false;
  int n = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    n = n * 10 + (c - '0');
  }
  if (n < low || n > high) return false;
  number = n;
  return true;
}

// "yes" or "no".
bool ParseYesNo(const std::string& text, bool& yes) {
  if (text != "yes" && text != "no") return false;
  yes = text == "yes";
  return true;
}

std::string Number(int n) {
  return std::to_string(n);
}

// One setting of the file: where it stands, what its value may be, and how
// it is read into and written from the settings.
struct Field {
  const char* section;
  const char* key;
  const char* expected;
  bool (*read)(const std::string& value, CGameSettings& into);
  std::string (*write)(const CGameSettings& from);
};

// In the order a new file lists them.
const Field kFields[] = {
    {"display", "scale", "sharp, integer or off",
     [](const std::string& v, CGameSettings& s) { return ParseScaleMode(v.c_str(), s.scale); },
     [](const CGameSettings& s) { return std::string(ScaleModeName(s.scale)); }},
    {"display", "fullscreen", "yes or no",
     [](const std::string& v, CGameSettings& s) {
       bool full = false;
       if (!ParseYesNo(v, full)) return false;
       s.windowMode = full ? WindowMode::FullScreen : WindowMode::Window;
       return true;
     },
     [](const CGameSettings& s) {
       return std::string(s.windowMode == WindowMode::FullScreen ? "yes" : "no");
     }},
    {"display", "window-width", "a size from 1 to 100000",
     [](const std::string& v, CGameSettings& s) {
       return ParseNumber(v, 1, kMaxWindowSize, s.windowWidth);
     },
     [](const CGameSettings& s) { return Number(s.windowWidth); }},
    {"display", "window-height", "a size from 1 to 100000",
     [](const std::string& v, CGameSettings& s) {
       return ParseNumber(v, 1, kMaxWindowSize, s.windowHeight);
     },
     [](const CGameSettings& s) { return Number(s.windowHeight); }},
    {"sound", "volume", "a volume from 0 to 100",
     [](const std::string& v, CGameSettings& s) { return ParseNumber(v, 0, 100, s.volume); },
     [](const CGameSettings& s) { return Number(s.volume); }},
    {"sound", "mute", "yes or no",
     [](const std::string& v, CGameSettings& s) { return ParseYesNo(v, s.muted); },
     [](const CGameSettings& s) { return std::string(s.muted ? "yes" : "no"); }},
    {"interface", "language", "one of en, de, fr, es and ru",
     [](const std::string& v, CGameSettings& s) {
       if (!FindGameLanguage(v)) return false;
       s.language = v;
       return true;
     },
     [](const CGameSettings& s) { return s.language; }},
};

constexpr const char* kHeader = "; The settings of Digmaze, written by the game when it ends.";

}  // namespace

bool CGameSettings::Parse(const char* bytes, int size, CFerroString& why) {
  why = "";
  if (size < 0 || size > kMaxFileSize) {
    why = "it is larger than 64 KiB";
    return false;
  }
  if (size > 0 && std::memchr(bytes, 0, static_cast<size_t>(size)) != nullptr) {
    why = "it is not a text";
    return false;
  }
  CGameSettings read;
  read.text.assign(bytes, static_cast<size_t>(size));
  const CConfigText scanned(read.text);
  std::string problems;
  for (const Field& field : kFields) {
    std::string value;
    if (!scanned.Find(field.section, field.key, value) || field.read(value, read)) continue;
    if (!problems.empty()) problems += "; ";
    problems +=
        std::string("the value \"") + value + "\" of " + field.key + " is not " + field.expected;
  }
  *this = read;
  why = problems.c_str();
  return true;
}

CFerroString CGameSettings::Format() const {
  CConfigText out(text.empty() ? std::string(kHeader) + "\r\n" : text);
  // A setting without a value (no language chosen yet) is not written.
  for (const Field& field : kFields)
    if (const std::string value = field.write(*this); !value.empty())
      out.Set(field.section, field.key, value);
  return CFerroString(out.GetText().c_str());
}

CGameSettings::LoadResult CGameSettings::Load(const char* path, CFerroString& why) {
  *this = CGameSettings();
  why = "";
  std::string bytes;
  switch (ReadWholeFile(path, kMaxFileSize, bytes)) {
    case WholeFile::read:
      break;
    case WholeFile::tooLarge:
      why = "it is larger than 64 KiB";
      return LoadResult::Damaged;
    case WholeFile::missing:
    case WholeFile::failed:
      return LoadResult::Missing;
  }
  if (!Parse(bytes.data(), static_cast<int>(bytes.size()), why)) return LoadResult::Damaged;
  return why.IsEmpty() ? LoadResult::Loaded : LoadResult::BadValues;
}

bool CGameSettings::Save(const char* path) const {
  const CFerroString written = Format();
  return WriteFileReplacing(path, [&written](CFerroStream& stream) {
    const auto length = static_cast<unsigned int>(written.GetLength());
    return stream.Write(written.c_str(), length) == length;
  });
}

#include "game/app/CGameSettings.h"

#include <cstring>
#include <string>
#include <vector>

#include "GUI/foundation/CFerroStreamFile.h"
#include "GUI/resources/Config.h"
#include "GUI/resources/ConfigFile.h"

namespace {

constexpr const char* kSection = "display";
constexpr const char* kSoundSection = "sound";
constexpr int kMaxWindowSize = 100000;

// The value of key in the section that starts at start: the rest of the key's
// line after blanks and an optional '='. A key is a whole word at the start of
// a line ("scale" is not "scale-x"); false when the section has no such line.
bool Lookup(ConfigFile& text, int start, const char* key, CFerroString& value) {
  for (int p = text.FindLineKey(0, key, start, true); p >= 0;
       p = text.FindLineKey(0, key, p, true)) {
    char after = '\r';
    text.ByteAt(0, p, after);
    if (std::strchr(" \t=;\r\n", after) == nullptr) continue;
    text.SetCursor(0, p);
    text.ReadToEnter(0, value);
    value = Config::TranslateParam(value);
    return true;
  }
  return false;
}

// A whole number from low to high written in plain digits.
bool ParseNumber(const CFerroString& text, int low, int high, int& number) {
  if (text.IsEmpty() || text.GetLength() > 6) return false;
  int n = 0;
  for (int i = 0; i < text.GetLength(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    n = n * 10 + (text[i] - '0');
  }
  if (n < low || n > high) return false;
  number = n;
  return true;
}

// "yes" or "no".
bool ParseYesNo(const CFerroString& text, bool& yes) {
  if (text != "yes" && text != "no") return false;
  yes = text == "yes";
  return true;
}

// Where the section's lines start, or -1 when the text has no such section.
int FindSection(ConfigFile& text, const char* section) {
  CFerroString label;
  for (int p = text.FindLineLabel(0, label, 0); p >= 0; p = text.FindLineLabel(0, label, p))
    if (label == section) return p;
  return -1;
}

CFerroString Quoted(const CFerroString& value, const char* key, const char* expected) {
  return CFerroString("the value \"") + value + "\" of " + key + " is not " + expected;
}

}  // namespace

bool CGameSettings::Parse(const char* bytes, int size, CFerroString& why) {
  if (size < 0 || size > kMaxFileSize) {
    why = "it is larger than 64 KiB";
    return false;
  }
  if (size > 0 && std::memchr(bytes, 0, static_cast<size_t>(size)) != nullptr) {
    why = "it is not a text";
    return false;
  }
  ConfigFile text;
  text.OpenMemory(bytes, size);
  const int start = FindSection(text, kSection);
  if (start < 0) {
    why = CFerroString("it has no [") + kSection + "] section";
    return false;
  }

  CGameSettings read = *this;
  CFerroString value;
  if (Lookup(text, start, "scale", value) && !ParseScaleMode(value.c_str(), read.scale)) {
    why = Quoted(value, "scale", "sharp, integer or off");
    return false;
  }
  if (Lookup(text, start, "fullscreen", value)) {
    bool full = false;
    if (!ParseYesNo(value, full)) {
      why = Quoted(value, "fullscreen", "yes or no");
      return false;
    }
    read.windowMode = full ? WindowMode::FullScreen : WindowMode::Window;
  }
  for (auto [key, target] : {std::pair{"window-width", &read.windowWidth},
                             std::pair{"window-height", &read.windowHeight}}) {
    if (Lookup(text, start, key, value) && !ParseNumber(value, 1, kMaxWindowSize, *target)) {
      why = Quoted(value, key, "a size from 1 to 100000");
      return false;
    }
  }
  if (const int sound = FindSection(text, kSoundSection); sound >= 0) {
    if (Lookup(text, sound, "volume", value) && !ParseNumber(value, 0, 100, read.volume)) {
      why = Quoted(value, "volume", "a volume from 0 to 100");
      return false;
    }
    if (Lookup(text, sound, "mute", value) && !ParseYesNo(value, read.muted)) {
      why = Quoted(value, "mute", "yes or no");
      return false;
    }
  }
  *this = read;
  return true;
}

CFerroString CGameSettings::Format() const {
  CFerroString width, height, loudness;
  width.IntToString(windowWidth);
  height.IntToString(windowHeight);
  loudness.IntToString(volume);
  return CFerroString("; The settings of Digmaze, written by the game when it ends.\r\n[") +
         kSection + "]\r\n" + "scale = " + ScaleModeName(scale) + "\r\n" +
         "fullscreen = " + (windowMode == WindowMode::FullScreen ? "yes" : "no") + "\r\n" +
         "window-width = " + width + "\r\n" + "window-height = " + height + "\r\n" + "[" +
         kSoundSection + "]\r\n" + "volume = " + loudness + "\r\n" +
         "mute = " + (muted ? "yes" : "no") + "\r\n";
}

CGameSettings::LoadResult CGameSettings::Load(const char* path, CFerroString& why) {
  *this = CGameSettings();
  CFerroStreamFile file;
  if (!path || !file.Open(path, CFerroStream::modeRead)) return LoadResult::Missing;
  // One byte more than a settings file may hold tells a larger file apart.
  std::vector<char> bytes(kMaxFileSize + 1);
  unsigned int size = 0;
  while (size < bytes.size()) {
    const unsigned int got =
        file.Read(bytes.data() + size, static_cast<unsigned int>(bytes.size()) - size);
    if (got == 0) break;
    size += got;
  }
  CGameSettings read;
  if (!read.Parse(bytes.data(), static_cast<int>(size), why)) return LoadResult::Damaged;
  *this = read;
  return LoadResult::Loaded;
}

bool CGameSettings::Save(const char* path) const {
  const CFerroString text = Format();
  return WriteFileReplacing(path, [&text](CFerroStream& stream) {
    const auto length = static_cast<unsigned int>(text.GetLength());
    return stream.Write(text.c_str(), length) == length;
  });
}

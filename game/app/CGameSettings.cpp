#include "game/app/CGameSettings.h"

#include <cstring>
#include <iterator>

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

// The key of play of one action, by the name of the key.
template <PLAYER_KEY action>
constexpr Field KeyField(const char* key) {
  return {"keys", key, "the name of a key of play",
          [](const std::string& v, CGameSettings& s) {
            // Only the keys a player may choose have names; whether another
            // action has it too is settled once every line is read.
            const unsigned code = FindKeyByName(v.c_str());
            if (code == KEY_NONE) return false;
            s.keys.codes[action] = code;
            return true;
          },
          [](const CGameSettings& s) {
            const char* name = GetKeyName(s.keys.codes[action]);
            return std::string(name ? name : "");
          }};
}

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
    {"sound", "music-volume", "a volume from 0 to 100",
     [](const std::string& v, CGameSettings& s) { return ParseNumber(v, 0, 100, s.musicVolume); },
     [](const CGameSettings& s) { return Number(s.musicVolume); }},
    {"play", "motion", "smooth or classic",
     [](const std::string& v, CGameSettings& s) {
       if (v != "smooth" && v != "classic") return false;
       s.motion = v == "smooth" ? MotionMode::Smooth : MotionMode::Classic;
       return true;
     },
     [](const CGameSettings& s) {
       return std::string(s.motion == MotionMode::Smooth ? "smooth" : "classic");
     }},
    {"play", "speed", "slow, normal or fast",
     [](const std::string& v, CGameSettings& s) { return FindSpeed(v.c_str(), s.speed); },
     [](const CGameSettings& s) { return std::string(GetSpeedName(s.speed)); }},
    {"play", "steering", "keep-going or stop-on-release",
     [](const std::string& v, CGameSettings& s) { return FindSteering(v.c_str(), s.steering); },
     [](const CGameSettings& s) { return std::string(GetSteeringName(s.steering)); }},
    KeyField<PLAYER_LEFT>("left"),
    KeyField<PLAYER_RIGHT>("right"),
    KeyField<PLAYER_UP>("up"),
    KeyField<PLAYER_DOWN>("down"),
    KeyField<PLAYER_DIG>("dig"),
    KeyField<PLAYER_REWIND>("rewind"),
    {"interface", "language", "one of en, de, fr, es and ru",
     [](const std::string& v, CGameSettings& s) {
       if (!FindGameLanguage(v)) return false;
       s.language = v;
       return true;
     },
     [](const CGameSettings& s) { return s.language; }},
};
constexpr size_t kFieldCount = std::size(kFields);
// The field of the first key of play; the others follow it in action order.
const size_t kFirstKeyField = [] {
  size_t f = 0;
  while (f + PLAYER_ACTIONS < kFieldCount && std::strcmp(kFields[f].section, "keys") != 0) ++f;
  return f;
}();

constexpr const char* kHeader = "; The settings of Digmaze, written by the game.";

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
  const auto refuse = [&problems](const std::string& why) {
    if (!problems.empty()) problems += "; ";
    problems += why;
  };
  bool keyRead[PLAYER_ACTIONS] = {};
  for (size_t f = 0; f < kFieldCount; ++f) {
    const Field& field = kFields[f];
    std::string value;
    if (!scanned.Find(field.section, field.key, value)) continue;
    if (field.read(value, read)) {
      if (f >= kFirstKeyField && f < kFirstKeyField + PLAYER_ACTIONS)
        keyRead[f - kFirstKeyField] = true;
      continue;
    }
    refuse(std::string("the value \"") + value + "\" of " + field.key + " is not " +
           field.expected);
  }
  // A file written before the rewind had a key names none for it: when one of
  // its lines gave the rewind's default key to another action, that line
  // stays and the rewind takes the first key of play that is free.
  if (!keyRead[PLAYER_REWIND]) {
    const unsigned rewindKey = read.keys.codes[PLAYER_REWIND];
    for (int a = 0; a < PLAYER_REWIND; ++a)
      if (keyRead[a] && read.keys.codes[a] == rewindKey)
        read.keys.codes[PLAYER_REWIND] = read.keys.FreeKey();
  }
  // A key two actions were given costs the later line of the two, or the
  // line whose other action has the key by default (the lines are walked
  // from the last, so a later one has gone first); the defaults are all
  // different, so the walk ends.
  for (bool again = true; again;) {
    again = false;
    for (int a = PLAYER_ACTIONS - 1; a >= 0 && !again; --a)
      for (int b = 0; b < PLAYER_ACTIONS && keyRead[a] && !again; ++b) {
        if (b == a || read.keys.codes[b] != read.keys.codes[a]) continue;
        refuse(std::string("the value \"") + GetKeyName(read.keys.codes[a]) + "\" of " +
               kFields[kFirstKeyField + a].key + " is already the key of " +
               kFields[kFirstKeyField + b].key);
        read.keys.codes[a] = CPlayerKeys().codes[a];
        keyRead[a] = false;
        again = true;
      }
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

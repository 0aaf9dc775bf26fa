#include "game/app/CGameSettings.h"

#include <cstring>
#include <iterator>
#include <vector>

#include "GUI/foundation/CFerroStreamFile.h"

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
    KeyField<PLAYER_LEFT>("left"),
    KeyField<PLAYER_RIGHT>("right"),
    KeyField<PLAYER_UP>("up"),
    KeyField<PLAYER_DOWN>("down"),
    KeyField<PLAYER_DIG>("dig"),
};
constexpr size_t kFieldCount = std::size(kFields);
// The field of the first key of play; the others follow it in action order.
constexpr size_t kFirstKeyField = kFieldCount - PLAYER_ACTIONS;

constexpr const char* kHeader = "; The settings of Digmaze, written by the game.";

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// Where the known keys and sections stand in a text: for each field the
// byte range of its value (the first time its key stands in its section),
// and for each section the end of its last line that is not blank.
struct Layout {
  struct Span {
    size_t begin = std::string::npos;
    size_t end = std::string::npos;
    bool Found() const { return begin != std::string::npos; }
  };
  Span values[kFieldCount];
  std::vector<std::pair<std::string, size_t>> sectionEnds;
  // The line end the text uses ("\r\n" unless its first line ends in a bare "\n").
  std::string newline = "\r\n";

  size_t* SectionEnd(const std::string& name) {
    for (auto& [section, end] : sectionEnds)
      if (section == name) return &end;
    return nullptr;
  }
};

// Reads the lines of a text: "[label]" opens a section, "key value" or
// "key = value" is a setting; ';' starts a comment, blanks around a line and
// a value do not count.
Layout Scan(const std::string& text) {
  Layout layout;
  std::string section;
  bool firstBreak = true;
  size_t at = 0;
  while (at < text.size()) {
    size_t end = at;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    size_t next = end;
    if (next < text.size() && text[next] == '\r') ++next;
    if (next < text.size() && text[next] == '\n') ++next;
    if (firstBreak && next > end) {
      firstBreak = false;
      if (text.compare(end, next - end, "\n") == 0) layout.newline = "\n";
    }
    size_t content = end;
    for (size_t i = at; i < end; ++i)
      if (text[i] == ';') {
        content = i;
        break;
      }
    size_t p = at;
    while (p < content && IsBlank(text[p])) ++p;
    size_t last = content;
    while (last > p && IsBlank(text[last - 1])) --last;
    if (p < last && text[p] == '[') {
      const size_t close = text.find(']', p);
      if (close < last) {
        section = text.substr(p + 1, close - p - 1);
        if (!layout.SectionEnd(section)) layout.sectionEnds.emplace_back(section, next);
      }
    } else if (p < last) {
      size_t keyEnd = p;
      while (keyEnd < last && !IsBlank(text[keyEnd]) && text[keyEnd] != '=') ++keyEnd;
      const std::string key = text.substr(p, keyEnd - p);
      size_t value = keyEnd;
      while (value < last && IsBlank(text[value])) ++value;
      if (value < last && text[value] == '=') ++value;
      while (value < last && IsBlank(text[value])) ++value;
      for (size_t f = 0; f < kFieldCount; ++f)
        if (!layout.values[f].Found() && section == kFields[f].section && key == kFields[f].key)
          layout.values[f] = {value, last};
    }
    // A section's new keys go after its last line that holds anything.
    if (p < last || (p < end && text[p] == ';'))
      if (size_t* sectionEnd = layout.SectionEnd(section)) *sectionEnd = next;
    at = next;
  }
  return layout;
}

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
  const Layout layout = Scan(read.text);
  std::string problems;
  const auto refuse = [&problems](const std::string& why) {
    if (!problems.empty()) problems += "; ";
    problems += why;
  };
  bool keyRead[PLAYER_ACTIONS] = {};
  for (size_t f = 0; f < kFieldCount; ++f) {
    const Layout::Span& span = layout.values[f];
    if (!span.Found()) continue;
    const std::string value = read.text.substr(span.begin, span.end - span.begin);
    if (kFields[f].read(value, read)) {
      if (f >= kFirstKeyField) keyRead[f - kFirstKeyField] = true;
      continue;
    }
    refuse(std::string("the value \"") + value + "\" of " + kFields[f].key + " is not " +
           kFields[f].expected);
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
  std::string out = text.empty() ? std::string(kHeader) + "\r\n" : text;
  // Each change moves what follows it, so the text is read again after each.
  Layout layout = Scan(out);
  const auto endsLine = [&out](size_t at) {
    return at == 0 || out[at - 1] == '\n' || out[at - 1] == '\r';
  };
  for (size_t f = 0; f < kFieldCount; ++f) {
    const Field& field = kFields[f];
    const std::string value = field.write(*this);
    const Layout::Span& span = layout.values[f];
    if (span.Found()) {
      // The old value makes way for the new one; "key =" gets a blank before it.
      const bool spaced = span.begin == span.end && span.begin > 0 && out[span.begin - 1] == '=';
      out.replace(span.begin, span.end - span.begin, (spaced ? " " : "") + value);
      layout = Scan(out);
      continue;
    }
    const std::string line = std::string(field.key) + " = " + value + layout.newline;
    if (const size_t* end = layout.SectionEnd(field.section)) {
      out.insert(*end, endsLine(*end) ? line : layout.newline + line);
      layout = Scan(out);
      continue;
    }
    // A section the text lacks is added at its end.
    if (!endsLine(out.size())) out += layout.newline;
    out += std::string("[") + field.section + "]" + layout.newline + line;
    layout = Scan(out);
  }
  return CFerroString(out.c_str());
}

CGameSettings::LoadResult CGameSettings::Load(const char* path, CFerroString& why) {
  *this = CGameSettings();
  why = "";
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
  if (!Parse(bytes.data(), static_cast<int>(size), why)) return LoadResult::Damaged;
  return why.IsEmpty() ? LoadResult::Loaded : LoadResult::BadValues;
}

bool CGameSettings::Save(const char* path) const {
  const CFerroString written = Format();
  return WriteFileReplacing(path, [&written](CFerroStream& stream) {
    const auto length = static_cast<unsigned int>(written.GetLength());
    return stream.Write(written.c_str(), length) == length;
  });
}

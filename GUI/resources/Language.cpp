#include "GUI/resources/Language.h"

#include "GUI/resources/ConfigFile.h"

namespace {

constexpr const char* kLanguageSection = "LANGUAGE";

CFerroString LineValue(ConfigFile& resource, int text, const char* key, int start, bool inSection) {
  CFerroString value;
  if (resource.FindLineKey(text, key, start, inSection) >= 0) resource.ReadToEnter(text, value);
  return value;
}

unsigned char FirstByte(const CFerroString& key) {
  return static_cast<unsigned char>(key[0]);
}
char LastByte(const CFerroString& key) {
  return key[key.GetLength() - 1];
}
char MiddleByte(const CFerroString& key) {
  return key[key.GetLength() / 2];
}

}  // namespace

Language::Language(CFerroString path, CFerroString language) {
  ConfigFile resource;
  if (path.FindChar('*') >= 0)
    resource.OpenFileDir(path);
  else
    resource.OpenFile(path);
  Load(resource, language);
}

Language::Language(const char* data, int size, CFerroString language) {
  ConfigFile resource;
  resource.OpenMemory(data, size);
  Load(resource, language);
}

void Language::ReadDescription(ConfigFile& resource, int text, int start) {
  LangProperty description;
  description.name = LineValue(resource, text, "NAME=", start, true);
  description.installName = LineValue(resource, text, "INSTALL_NAME=", start, true);
  description.fontName = LineValue(resource, text, "FONT=", start, true);
  if (description.fontName.IsEmpty()) description.fontName = "Times New Roman";
  CFerroString width = LineValue(resource, text, "WIDTH=", start, true);
  description.width = width.IsEmpty() ? 6 : width.StringToInt();
  CFerroString height = LineValue(resource, text, "HEIGHT=", start, true);
  description.height = height.IsEmpty() ? 16 : height.StringToInt();
  description.italic = LineValue(resource, text, "ITALIC=", start, true) == "YES";
  description.weight = LineValue(resource, text, "WEIGHT=", start, true).StringToInt() / 100 * 100;
  description.color = LineValue(resource, text, "COLOR=", start, true).StringToInt();
  if (description.color == 0) description.color = 0xFFFFFF;
  description.label = LineValue(resource, text, "LABEL=", start, true);
  languages.push_back(description);
}

CFerroString Language::Translation(ConfigFile& resource, int text, const CFerroString& label,
                                   int start) {
  CFerroString value;
  if (label.IsEmpty()) return value;
  // The line must begin with the label followed by '=', a blank or the line's end, so the label
  // "en" does not take the line of a label "eng".
  int p = start;
  while ((p = resource.FindLineKey(text, label.c_str(), p, true)) >= 0) {
    char next = 0;
    bool atEnd = !resource.ByteAt(text, p, next);
    if (atEnd || next == '\r' || next == '\n') return value;
    if (next != '=' && next != ' ' && next != '\t') continue;
    while (resource.ByteAt(text, p, next) && (next == ' ' || next == '\t')) ++p;
    if (resource.ByteAt(text, p, next) && next == '=') ++p;
    resource.SetCursor(text, p);
    resource.ReadToEnter(text, value);
    return value;
  }
  return value;
}

void Language::Load(ConfigFile& resource, CFerroString language) {
  const int texts = resource.GetCountFile();
  CFerroString section;

  for (int t = 0; t < texts; ++t) {
    int p = 0;
    while ((p = resource.FindLineLabel(t, section, p)) >= 0)
      if (section == kLanguageSection && GetLanguageCount() < kMaxLanguages)
        ReadDescription(resource, t, p);
  }

  for (int t = 0; t < texts && defaultLanguage.IsEmpty(); ++t)
    defaultLanguage = LineValue(resource, t, "LANG_DEFAULT=", 0, false);
  for (int t = 0; t < texts && defaultText == "?"; ++t) {
    CFerroString text = LineValue(resource, t, "TEXT_DEFAULT=", 0, false);
    if (!text.IsEmpty()) defaultText = text;
  }
  if (language.IsEmpty()) language = defaultLanguage;

  CFerroString wanted = GetNameLabel(language);
  CFerroString fallback = GetNameLabel(defaultLanguage);
  for (int t = 0; t < texts; ++t) {
    int p = 0;
    while ((p = resource.FindLineLabel(t, section, p)) >= 0) {
      if (section.IsEmpty() || section == kLanguageSection) continue;
      CFerroString text = Translation(resource, t, wanted, p);
      if (text.IsEmpty() && wanted != fallback) {
        text = Translation(resource, t, fallback, p);
        if (!text.IsEmpty()) defaultedKeys.push_back(section);
      }
      if (!text.IsEmpty()) AddPair(section, text);
    }
  }

  for (const LangProperty& description : languages) {
    if (description.name == language) {
      current = description;
      break;
    }
  }
}

void Language::AddPair(const CFerroString& key, const CFerroString& text) {
  auto& first = labelIndex[FirstByte(key)];
  if (!first) first = std::make_unique<LangAccelerator1>();
  LangAccelerator2* second = nullptr;
  for (auto& entry : first->list)
    if (entry->tag == LastByte(key)) second = entry.get();
  if (second == nullptr) {
    first->list.push_back(std::make_unique<LangAccelerator2>(LastByte(key)));
    second = first->list.back().get();
  }
  LangAccelerator3* third = nullptr;
  for (auto& entry : second->list)
    if (entry->tag == MiddleByte(key)) third = entry.get();
  if (third == nullptr) {
    second->list.push_back(std::make_unique<LangAccelerator3>(MiddleByte(key)));
    third = second->list.back().get();
  }
  third->pairs.emplace_back(key, text);
  ++pairCount;
}

const char* Language::Label(const char* key, bool nullIfMissing) const {
  const char* missing = nullIfMissing ? nullptr : defaultText.c_str();
  if (key == nullptr || key[0] == 0) return missing;
  CFerroString wanted(key);
  const auto& first = labelIndex[FirstByte(wanted)];
  if (!first) return missing;
  for (const auto& second : first->list) {
    if (second->tag != LastByte(wanted)) continue;
    for (const auto& third : second->list) {
      if (third->tag != MiddleByte(wanted)) continue;
      for (const auto& pair : third->pairs)
        if (pair.first == wanted) return pair.second.c_str();
    }
  }
  return missing;
}

CFerroString Language::GetNameLabel(const CFerroString& name) const {
  for (const LangProperty& description : languages)
    if (description.name == name) return description.label;
  return "NOT_LABEL";
}

const LangProperty* Language::GetDescription(int i) const {
  return i >= 0 && i < GetLanguageCount() ? &languages[i] : nullptr;
}

// Index of this file:
//   Languages      the shipped languages and their plural rules
//   Environment    the language the player's environment names
//   Loading        the resource into the localizer, what it lacks
//   Texts          a text by its name, its places and its plural forms

#include "game/app/GameLanguage.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <set>

#include "GUI/foundation/Utf8Text.h"
#include "GUI/resources/Language.h"
#include "GUI/resources/Localizer.h"

// ---------------------------------------------------------------------------------------------
// Languages
// ---------------------------------------------------------------------------------------------

namespace {

// English, German, Spanish: one for 1, other for the rest.
int OneOther(long long n) {
  return n == 1 ? 0 : 1;
}
// French: one for 0 and 1.
int FrenchOneOther(long long n) {
  return n == 0 || n == 1 ? 0 : 1;
}
// Russian: one (1, 21, 31 ... but not 11), few (2-4, 22-24 ... but not
// 12-14), many (the rest, 0 and 5-20 among them).
int RussianOneFewMany(long long n) {
  const long long tens = n % 100, units = n % 10;
  if (units == 1 && tens != 11) return 0;
  if (units >= 2 && units <= 4 && (tens < 12 || tens > 14)) return 1;
  return 2;
}

constexpr GAME_LANGUAGE kLanguages[] = {
    {"en", "English", OneOther, 2},
    {"de", "Deutsch", OneOther, 2},
    {"fr",
     "Fran\xC3\xA7"
     "ais",
     FrenchOneOther, 2},
    {"es", "Espa\xC3\xB1ol", OneOther, 2},
    {"ru", "\xD0\xA0\xD1\x83\xD1\x81\xD1\x81\xD0\xBA\xD0\xB8\xD0\xB9", RussianOneFewMany, 3},
};

}  // namespace

std::span<const GAME_LANGUAGE> GameLanguages() {
  return kLanguages;
}

const GAME_LANGUAGE* FindGameLanguage(const std::string& code) {
  for (const GAME_LANGUAGE& language : kLanguages)
    if (code == language.code) return &language;
  return nullptr;
}

// ---------------------------------------------------------------------------------------------
// Environment
// ---------------------------------------------------------------------------------------------

namespace {

// The shipped language a locale name starts with ("de_DE.UTF-8" is "de"), or empty.
std::string ShippedLanguageOf(const std::string& locale) {
  std::string code;
  for (char c : locale) {
    if (c == '_' || c == '.' || c == '@' || c == '-') break;
    code += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return FindGameLanguage(code) ? code : std::string();
}

}  // namespace

std::string LanguageFromEnvironment(const std::function<const char*(const char*)>& getenv) {
  for (const char* variable : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = getenv(variable);
    if (!value) continue;
    const std::string list(value);
    for (size_t start = 0; start <= list.size();) {
      size_t end = list.find(':', start);
      if (end == std::string::npos) end = list.size();
      const std::string code = ShippedLanguageOf(list.substr(start, end - start));
      if (!code.empty()) return code;
      start = end + 1;
    }
  }
  return kEnglish;
}

// ---------------------------------------------------------------------------------------------
// Loading
// ---------------------------------------------------------------------------------------------

namespace {

// Why the bytes are no resource text, or empty when they are one.
CFerroString WhyNotText(const std::string& bytes) {
  if (bytes.empty()) return "it is empty";
  if (bytes.size() > static_cast<size_t>(kMaxLanguageResource)) return "it is larger than 1 MiB";
  if (bytes.find('\0') != std::string::npos) return "it is not a text";
  const char* end = bytes.data() + bytes.size();
  for (const char* c = bytes.data(); c < end;)
    if (NextUtf8Char(c, end) == kReplacementChar) return "it is not UTF-8 text";
  return CFerroString();
}

}  // namespace

std::vector<std::string> MissingKeys(const Language& language) {
  std::set<std::string> defaulted;
  for (const CFerroString& key : language.GetDefaultedKeys()) defaulted.insert(key.c_str());
  std::vector<std::string> missing;
  for (const GAME_TEXT& text : GameTexts())
    if (!language.Label(text.key, true) || defaulted.count(text.key)) missing.push_back(text.key);
  return missing;
}

LANGUAGE_LOAD LoadGameLanguage(const std::string& bytes, const std::string& code) {
  LANGUAGE_LOAD load;
  Localizer* localizer = Localizer::GetInstance();
  localizer->Unload();
  load.why = WhyNotText(bytes);
  if (!load.why.IsEmpty()) return load;
  localizer->Load(bytes.data(), static_cast<int>(bytes.size()), code.c_str());
  if (!localizer->HasLanguage() || localizer->GetLanguageLabel() != code.c_str()) {
    localizer->Unload();
    load.why = CFerroString("it has no language \"") + code.c_str() + "\"";
    return load;
  }
  load.result = LANGUAGE_LOAD::Result::Loaded;
  load.missing = MissingKeys(*localizer->GetLanguage());
  return load;
}

// ---------------------------------------------------------------------------------------------
// Texts
// ---------------------------------------------------------------------------------------------

CFerroString Unescape(const char* text) {
  CFerroString out;
  for (const char* c = text; *c; ++c) {
    if (*c == '\\' && (c[1] == 'n' || c[1] == '\\')) {
      out += c[1] == 'n' ? '\n' : '\\';
      ++c;
    } else {
      out += *c;
    }
  }
  return out;
}

std::string CurrentLanguage() {
  const CFerroString label = Localizer::GetInstance()->GetLanguageLabel();
  return FindGameLanguage(label.c_str()) ? label.c_str() : kEnglish;
}

CFerroString GameText(Text id) {
  const GAME_TEXT& text = GetGameText(id);
  const char* translated = Localizer::GetInstance()->GetPtr(text.key);
  return translated ? Unescape(translated) : CFerroString(text.english);
}

std::string SetNameKey(const std::string& name) {
  std::string key = "set.";
  for (char c : name)
    key += c == ' ' ? '-' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return key;
}

CFerroString SetName(const CFerroString& name) {
  const char* translated = Localizer::GetInstance()->GetPtr(SetNameKey(name.c_str()).c_str());
  return translated ? Unescape(translated) : name;
}

CFerroString FillPlaces(const CFerroString& text, const std::vector<CFerroString>& values) {
  CFerroString out;
  const char* c = text.c_str();
  while (*c) {
    if (c[0] == '{' && c[1] >= '0' && c[1] <= '9' && c[2] == '}') {
      const auto index = static_cast<size_t>(c[1] - '0');
      if (index < values.size()) {
        out += values[index];
        c += 3;
        continue;
      }
    }
    out += *c++;
  }
  return out;
}

CFerroString GameText(Text id, std::initializer_list<CFerroString> values) {
  return FillPlaces(GameText(id), values);
}

CFerroString PluralForm(const CFerroString& text, int form) {
  const std::string all(text.c_str());
  size_t start = 0;
  for (int i = 0; i < form; ++i) {
    const size_t bar = all.find('|', start);
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  const size_t end = all.find('|', start);
  return CFerroString(all.substr(start, end == std::string::npos ? end : end - start).c_str());
}

CFerroString GameTextCount(Text id, long long count, std::initializer_list<CFerroString> more) {
  Localizer* localizer = Localizer::GetInstance();
  // The English text, shown when the language lacks this one, takes English forms.
  const GAME_LANGUAGE* language = localizer->GetPtr(GetGameText(id).key)
                                      ? FindGameLanguage(localizer->GetLanguageLabel().c_str())
                                      : nullptr;
  if (!language) language = FindGameLanguage(kEnglish);
  std::vector<CFerroString> values{CFerroString(std::to_string(count).c_str())};
  values.insert(values.end(), more.begin(), more.end());
  return FillPlaces(PluralForm(GameText(id), language->pluralForm(count)), values);
}

#pragma once

#include <array>
#include <memory>
#include <utility>
#include <vector>

#include "GUI/foundation/CFerroString.h"

class ConfigFile;

// One language as a resource describes it in a "[LANGUAGE]" section.
struct LangProperty {
  CFerroString name = "ENGLISH";
  CFerroString installName = "English";
  CFerroString fontName = "Times New Roman";
  bool italic = false;
  int weight = 300;
  int width = 6;
  int height = 14;
  int color = 0xFFFFFF;
  CFerroString label = "ru";
};

// Third level of the label index: the keys sharing first, last and middle byte.
struct LangAccelerator3 {
  explicit LangAccelerator3(char t) : tag(t) {}
  int GetCount() const { return static_cast<int>(pairs.size()); }

  char tag;  // the byte at index length / 2 of every key here
  std::vector<std::pair<CFerroString, CFerroString>> pairs;  // key, text
};

// Second level: the keys sharing first and last byte, split by their middle byte.
struct LangAccelerator2 {
  explicit LangAccelerator2(char t) : tag(t) {}
  int GetCount() const { return static_cast<int>(list.size()); }

  char tag;  // the last byte of every key here
  std::vector<std::unique_ptr<LangAccelerator3>> list;
};

// First level: the keys sharing a first byte, split by their last byte.
struct LangAccelerator1 {
  int GetCount() const { return static_cast<int>(list.size()); }

  std::vector<std::unique_ptr<LangAccelerator2>> list;
};

// The texts of one language, loaded from a language resource: "[LANGUAGE]" sections describe the
// languages, every other section is a text key whose lines start with a language's label
// followed by '=' or a blank and then the text ("en = Open" or "en Open").
class Language {
 public:
  static constexpr int kMaxLanguages = 25;

  // path names one host file, or with a '*' every file of its folder that has the path's last
  // three characters as extension. An empty language asks for the resource's default language.
  Language(CFerroString path, CFerroString language);
  Language(const char* data, int size, CFerroString language);
  Language(const Language&) = delete;
  Language& operator=(const Language&) = delete;

  // The text of key; for a missing key null when nullIfMissing is set, else the default text.
  const char* Label(const char* key, bool nullIfMissing) const;
  // The label of the described language called name, or "NOT_LABEL".
  CFerroString GetNameLabel(const CFerroString& name) const;

  int GetLanguageCount() const { return static_cast<int>(languages.size()); }
  // Description i, or null out of range.
  const LangProperty* GetDescription(int i) const;
  const LangProperty& GetCurrent() const { return current; }
  void SetName(const char* name) { current.name = name; }
  const CFerroString& GetDefaultLanguage() const { return defaultLanguage; }
  const CFerroString& GetDefaultText() const { return defaultText; }
  // Number of (key, text) pairs in the index.
  int GetPairCount() const { return pairCount; }
  // The keys whose text is the default language's, as the language loaded has no line for them.
  const std::vector<CFerroString>& GetDefaultedKeys() const { return defaultedKeys; }

 private:
  void Load(ConfigFile& resource, CFerroString language);
  void ReadDescription(ConfigFile& resource, int text, int start);
  CFerroString Translation(ConfigFile& resource, int text, const CFerroString& label, int start);
  void AddPair(const CFerroString& key, const CFerroString& text);

  CFerroString defaultLanguage;
  CFerroString defaultText = "?";
  std::vector<LangProperty> languages;
  LangProperty current;
  std::array<std::unique_ptr<LangAccelerator1>, 256> labelIndex;
  int pairCount = 0;
  std::vector<CFerroString> defaultedKeys;
};

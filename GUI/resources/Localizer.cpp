#include "GUI/resources/Localizer.h"

#include "GUI/resources/Language.h"

namespace {
constexpr const char* kMemoryPath = "MEMORY";
constexpr const char* kNoLanguage = "Error of the resource file.";
}  // namespace

Localizer::Localizer() = default;
Localizer::~Localizer() = default;

Localizer* Localizer::GetInstance() {
  static Localizer instance;
  return &instance;
}

void Localizer::Adopt(std::unique_ptr<Language> loaded, const char* loadedPath) {
  if (loaded->GetLanguageCount() == 0) return;
  language = std::move(loaded);
  path = loadedPath;
}

void Localizer::Load(const char* resourcePath, const char* name) {
  if (resourcePath == nullptr || (HasLanguage() && path == resourcePath)) return;
  Unload();
  Adopt(std::make_unique<Language>(CFerroString(resourcePath), CFerroString(name ? name : "")),
        resourcePath);
}

void Localizer::Load(const char* data, int size, const char* name) {
  if (HasLanguage() && path == kMemoryPath) return;
  Unload();
  Adopt(std::make_unique<Language>(data, size, CFerroString(name ? name : "")), kMemoryPath);
}

void Localizer::Unload() {
  language.reset();
  path = "";
}

const char* Localizer::Result(const char* text) {
  if (text == nullptr) return nullptr;
  result = text;
  return result.c_str();
}

const char* Localizer::Translate(const char* key) {
  return Result(language ? language->Label(key, false) : kNoLanguage);
}

const char* Localizer::GetPtr(const char* key) {
  return language ? Result(language->Label(key, true)) : nullptr;
}

int Localizer::GetLanguageCount() const {
  return language ? language->GetLanguageCount() : 0;
}

CFerroString Localizer::GetLanguageName(int i) const {
  const LangProperty* description = language ? language->GetDescription(i) : nullptr;
  return description ? description->name : CFerroString();
}

CFerroString Localizer::GetLanguageName() const {
  return language ? language->GetCurrent().name : CFerroString();
}

void Localizer::SetLanguageName(const char* name) {
  if (language && name != nullptr) language->SetName(name);
}

CFerroString Localizer::GetLanguageLabel() const {
  return language ? language->GetCurrent().label : CFerroString();
}

CFerroString Localizer::GetFontName() const {
  return language ? language->GetCurrent().fontName : CFerroString();
}

int Localizer::GetFontWidth() const {
  return language ? language->GetCurrent().width : 0;
}
int Localizer::GetFontHeight() const {
  return language ? language->GetCurrent().height : 0;
}
bool Localizer::GetFontItalic() const {
  return language && language->GetCurrent().italic;
}
int Localizer::GetFontWeight() const {
  return language ? language->GetCurrent().weight : 0;
}
int Localizer::GetFontColor() const {
  return language ? language->GetCurrent().color : 0;
}

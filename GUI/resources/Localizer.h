#pragma once

#include <memory>

#include "GUI/foundation/CFerroString.h"

class Language;

// The process-wide access point to the current language. Text results point into one result
// buffer and stay valid until the next call that returns a text.
class Localizer {
 public:
  static Localizer* GetInstance();

  Localizer(const Localizer&) = delete;
  Localizer& operator=(const Localizer&) = delete;

  // Loads the resource at path for language (empty: the resource's default language). Nothing
  // happens when path is the resource loaded now; a resource that describes no language leaves
  // the localizer without one.
  void Load(const char* path, const char* language);
  // The same for a resource in memory, known as "MEMORY".
  void Load(const char* data, int size, const char* language);
  // Forgets the current language and its path.
  void Unload();

  // The text of key, the default text when the key is missing, or "Error of the resource file."
  // when no language is loaded.
  const char* Translate(const char* key);
  // The text of key, or null when it is missing or no language is loaded.
  const char* GetPtr(const char* key);

  bool HasLanguage() const { return language != nullptr; }
  const Language* GetLanguage() const { return language.get(); }
  const CFerroString& GetPath() const { return path; }
  int GetLanguageCount() const;
  // Name of described language i; empty out of range.
  CFerroString GetLanguageName(int i) const;
  CFerroString GetLanguageName() const;
  // Renames the current language; nothing is reloaded.
  void SetLanguageName(const char* name);
  CFerroString GetLanguageLabel() const;
  CFerroString GetFontName() const;
  int GetFontWidth() const;
  int GetFontHeight() const;
  bool GetFontItalic() const;
  int GetFontWeight() const;
  int GetFontColor() const;

 private:
  Localizer();
  ~Localizer();
  void Adopt(std::unique_ptr<Language> loaded, const char* loadedPath);
  const char* Result(const char* text);

  CFerroString path;
  std::unique_ptr<Language> language;
  CFerroString result;
};

#pragma once

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "GUI/foundation/CFerroString.h"
#include "game/app/GameTexts.h"

class Language;

// The languages the game ships, in the order the player chooses from.
struct GAME_LANGUAGE {
  // The resource's name and label of the language, and the settings' value.
  const char* code;
  // The language's own name for itself.
  const char* name;
  // Which plural form (0 ...) a count takes.
  int (*pluralForm)(long long count);
  int pluralForms;
};

std::span<const GAME_LANGUAGE> GameLanguages();
// The shipped language of code, or null.
const GAME_LANGUAGE* FindGameLanguage(const std::string& code);
constexpr const char* kEnglish = "en";

// The language of the player's environment: the first of LANGUAGE (a list
// separated by ':'), LC_ALL, LC_MESSAGES and LANG that names a shipped
// language ("de", "de_DE.UTF-8", "ru_RU@...", case aside), else English.
// getenv answers for a variable, null when it is not set.
std::string LanguageFromEnvironment(const std::function<const char*(const char*)>& getenv);

// The language resource in the game folder, relative to it.
constexpr const char* kLanguageResource = "lang/digmaze.lng";
// A larger file is no language resource of this game.
constexpr int kMaxLanguageResource = 1024 * 1024;

// What loading the resource for a language gave.
struct LANGUAGE_LOAD {
  enum class Result {
    Loaded,   // the localizer speaks the language (missing lists what it lacks)
    Damaged,  // the resource cannot be used (why says why): English throughout
  };
  Result result = Result::Damaged;
  CFerroString why;
  // The keys of the texts the language lacks, which show in English.
  std::vector<std::string> missing;
};

// Loads the resource's bytes into the process-wide localizer for the
// language code. A resource that is no UTF-8 text, or that does not describe
// the language, leaves the localizer without a language.
LANGUAGE_LOAD LoadGameLanguage(const std::string& bytes, const std::string& code);
// The keys of the game's texts that language has no line of its own for.
std::vector<std::string> MissingKeys(const Language& language);

// The code of the language the localizer speaks, English without one.
std::string CurrentLanguage();

// The text in the localizer's language, or the English one when it has none.
CFerroString GameText(Text id);
// The text with its places {0}, {1}, ... filled with values.
CFerroString GameText(Text id, std::initializer_list<CFerroString> values);
// The plural form of the text for count, with {0} the count and {1}, ... the
// further values.
CFerroString GameTextCount(Text id, long long count, std::initializer_list<CFerroString> more = {});

// The name of one of the campaign's sets in the localizer's language: the
// resource's text "set.NAME" (the name in lower case, '-' for each blank)
// when it has one, else the name as the campaign file gives it.
CFerroString SetName(const CFerroString& name);
// The resource's key of a set's name.
std::string SetNameKey(const std::string& name);

// Puts values into the places {0}, {1}, ... of text; a place without a value
// stays as it is.
CFerroString FillPlaces(const CFerroString& text, const std::vector<CFerroString>& values);
// Form number form of a text of forms separated by '|' (the last one when
// it has fewer).
CFerroString PluralForm(const CFerroString& text, int form);
// The resource's escapes: "\n" is a line end, "\\" a backslash.
CFerroString Unescape(const char* text);

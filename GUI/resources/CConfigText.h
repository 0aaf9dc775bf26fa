#pragma once

#include <string>
#include <string_view>
#include <vector>

// A text in the framework's settings format, read by section and key and
// changed in place. A "[label]" line opens a section; a setting is "key
// value" or "key = value" on one line, its key a whole word at the line's
// start (after blanks); ';' starts a comment; blanks around a line and a
// value do not count; lines end in CR LF or LF.
//
// Setting a value rewrites that value alone, or adds the key's line after
// the last line of its section that holds anything (the section at the end
// of the text when it has none). Every other line, comment and section stays
// as it was, so the keys a later version wrote survive an earlier one, and a
// line this version cannot use costs only that line. New lines take the line
// end of the text's first line (CR LF for a text without one).
class CConfigText {
 public:
  CConfigText() = default;
  explicit CConfigText(std::string text);

  const std::string& GetText() const { return text; }
  // The value of key in section, the first time the key stands in a section
  // of that label (keys before any label are in section ""); false when it
  // stands in none.
  bool Find(std::string_view section, std::string_view key, std::string& value) const;
  // Gives key that value in section; false (nothing changes) when the label,
  // the key or the value could not be read back as they are.
  bool Set(std::string_view section, std::string_view key, std::string_view value);
  // The labels of the sections, each once, in the order they first appear.
  std::vector<std::string> GetSections() const;

  // Whether text can stand as a label, a key or a value and be read back
  // exactly: no line end, no ';' and no zero byte, no blank at either end; a
  // label or a key is not empty, a label has no brackets, a key neither
  // blanks nor '=', and a value does not start with '='.
  static bool IsLabel(std::string_view text);
  static bool IsKey(std::string_view text);
  static bool IsValue(std::string_view text);

 private:
  // Where a setting's value stands in the text.
  struct Setting {
    std::string section;
    std::string key;
    size_t begin = 0;
    size_t end = 0;
  };
  // Where a section's new keys go: after its last line that holds anything.
  struct Section {
    std::string label;
    size_t end = 0;
  };

  // Reads where the settings and sections stand; after every change.
  void Scan();
  const Setting* FindSetting(std::string_view section, std::string_view key) const;
  // Whether the text ends a line at position at (or at is its start).
  bool EndsLine(size_t at) const;

  std::string text;
  std::vector<Setting> settings;
  std::vector<Section> sections;
  std::string newline = "\r\n";
};

#pragma once

#include <cstddef>
#include <vector>

#include "GUI/foundation/CFerroString.h"

// The scanner shared by Config and ConfigFile: up to 25 loaded texts in the settings format
// (CR line ends, ';' comments to the end of the line, '[' labels ']' dividing sections, one
// "key value" setting per line) and the searches over them. Every search works on the text's
// bytes with explicit bounds, so a text without any line end, a '[' without ']' or an endless
// label cannot make it read outside the text.
class ConfigScanner {
 public:
  static constexpr int kMaxTexts = 25;
  // Labels longer than this are cut to it.
  static constexpr int kMaxLabel = 250;

  ConfigScanner(const ConfigScanner&) = delete;
  ConfigScanner& operator=(const ConfigScanner&) = delete;

  int GetCountFile() const { return static_cast<int>(texts.size()); }

  // The next byte at text i's cursor; a ';' skips its comment and gives the byte that ends it.
  // False at the end of the text.
  bool ReadChar(int i, char& c);
  // The position just after the first match of key at or after start, or -1. Comments are
  // skipped; a mismatching byte is not tried again as a key's first byte.
  int FindString(int i, const char* key, int start);
  // As FindString, but a '[' met before the match gives -1 (the key must be in this section).
  int FindStringToBracket(int i, const char* key, int start);
  // The position after the next label's ']' with the label text in out, or -1 with out empty
  // when no complete label follows. A label ends at its line's end.
  int FindLabel(int i, CFerroString& out, int start);
  // As FindLabel, but only labels whose '[' begins a line (after blanks) count.
  int FindLineLabel(int i, CFerroString& out, int start);
  // The position just after key where key begins a line (after blanks), at or after start, or
  // -1; with stopAtLabel, a label line ends the search.
  int FindLineKey(int i, const char* key, int start, bool stopAtLabel);
  // From the cursor: skips blanks, copies the rest of the line up to its end or a ';', without
  // trailing blanks and cut to the value limit; true when anything remains.
  bool ReadToEnter(int i, CFerroString& out);
  // The value after the first match of key in text i, or an empty text.
  CFerroString FindParametrFile(int i, const char* key);
  // The value after key searched from start, or empty when a '[' comes first.
  CFerroString FindParametrToLabel(int i, const char* key, int start);
  // The first non-empty FindParametrFile over the texts in load order.
  CFerroString FindParametrDir(const char* key);

  int GetCursor(int i) const;
  void SetCursor(int i, int position);
  // Byte size of text i (0 out of range).
  int GetSize(int i) const;
  // The byte at position in text i; false outside the text.
  bool ByteAt(int i, int position, char& c) const;

 protected:
  // valueLimit is the longest value in bytes; stripEquals drops a leading '=' and the blanks
  // after it from every value.
  ConfigScanner(int valueLimit, bool stripEquals);
  ~ConfigScanner() = default;

  // Appends a copy of size bytes as one more text; false (nothing added) when 25 texts are loaded.
  bool AddText(const char* data, size_t size);
  // Drops a leading '=' and the blanks after it.
  static CFerroString StripEquals(const CFerroString& value);

 private:
  bool Valid(int i) const { return i >= 0 && i < GetCountFile(); }
  int FindKey(int i, const char* key, int start, bool stopAtBracket);
  CFerroString ValueAtCursor(int i);

  struct Text {
    std::vector<char> bytes;
    int cursor = 0;
  };
  std::vector<Text> texts;
  int valueLimit;
  bool stripEquals;
};

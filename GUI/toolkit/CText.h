#pragma once

#include <vector>

#include "GUI/foundation/CFerroString.h"

// The kinds of value a markup item can carry (CText::ParseLiteral).
enum LITERAL_KIND : int {
  LITERAL_NONE = 0,    // not a literal
  LITERAL_BOOL = 1,    // true, false
  LITERAL_CHAR = 2,    // 'c'
  LITERAL_STRING = 3,  // "text"
  LITERAL_INT = 4,     // 12, 0x1F, NULL; a leading sign is accepted and not applied
  LITERAL_FLOAT = 5,   // 1.5f
};

// A parsed literal: its kind, the number of a boolean, character or
// integer, and the text of a string without its quotes.
struct LITERAL {
  LITERAL_KIND kind = LITERAL_NONE;
  unsigned number = 0;
  CFerroString text;
};

// A small tokenizer over a byte buffer of fixed size, in the manner of a C
// scanner: numbers, quoted strings, names (with "::"), and every other
// character as a token of its own. The static text reads its markup tags
// with it. The buffer ends at its size or at its first zero byte, whichever
// comes first, so a buffer filled only partly is read safely.
class CText {
 public:
  CText() = default;

  // Replaces the buffer by n zero bytes and rewinds; false (and an empty
  // buffer) for a negative n.
  bool Create(int n);
  // The buffer for the caller to fill; GetSize() bytes.
  char* GetBuffer() { return buffer.data(); }
  int GetSize() const { return static_cast<int>(buffer.size()); }
  int GetPosition() const { return position; }
  void Rewind() { position = 0; }

  // Reads the next token into word and moves past it; at the end of the
  // buffer word becomes empty and the result is false. Blanks (space, tab,
  // line feed, carriage return) separate tokens. A digit, '+' or '-' starts a
  // number running over letters, digits, '.' and '_'; a single or double
  // quote starts a string running to the same quote, both quotes included
  // (or to the end of the buffer when it is not closed); a letter, '#' or '_'
  // starts a name running over letters, digits, '_' and pairs "::"; any
  // other byte is a token by itself.
  bool ReadWordC(CFerroString& word);

  // Classifies a token read by ReadWordC as a literal. Keywords (true,
  // false, NULL) and the 0x prefix are matched without regard to case; a
  // string keeps its case.
  static LITERAL ParseLiteral(const CFerroString& token);

 private:
  // The byte at i, or 0 at and past the end.
  unsigned char At(int i) const {
    return i >= 0 && i < GetSize() ? static_cast<unsigned char>(buffer[i]) : 0;
  }

  std::vector<char> buffer;
  int position = 0;
};

#include "GUI/toolkit/CText.h"

namespace {

// Character classes of the C locale; bytes from 128 up belong to none.
bool IsDigit(unsigned char c) {
  return c >= '0' && c <= '9';
}
bool IsLetter(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsHexDigit(unsigned char c) {
  return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
bool IsBlank(unsigned char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

int HexValue(unsigned char c) {
  if (IsDigit(c)) return c - '0';
  return (c | 0x20) - 'a' + 10;
}

// Whether text[from..to) is made of digits only, and not empty.
bool AllDigits(const char* text, int from, int to) {
  if (from >= to) return false;
  for (int i = from; i < to; ++i)
    if (!IsDigit(static_cast<unsigned char>(text[i]))) return false;
  return true;
}

}  // namespace

bool CText::Create(int n) {
  position = 0;
  if (n < 0) {
    buffer.clear();
    return false;
  }
  buffer.assign(static_cast<size_t>(n), '\0');
  return true;
}

bool CText::ReadWordC(CFerroString& word) {
  while (IsBlank(At(position))) ++position;
  const int start = position;
  const unsigned char first = At(position);
  if (first == 0) {
    word = "";
    return false;
  }
  ++position;
  if (IsDigit(first) || first == '+' || first == '-') {
    for (unsigned char c = At(position); IsLetter(c) || IsDigit(c) || c == '.' || c == '_';
         c = At(++position)) {
    }
  } else if (first == '"' || first == '\'') {
    while (At(position) != 0 && At(position) != first) ++position;
    if (At(position) == first) ++position;
  } else if (IsLetter(first) || first == '#' || first == '_') {
    for (;;) {
      const unsigned char c = At(position);
      if (IsLetter(c) || IsDigit(c) || c == '_') {
        ++position;
      } else if (c == ':' && At(position + 1) == ':') {
        position += 2;
      } else {
        break;
      }
    }
  }
  word = CFerroString(position - start);
  for (int i = start; i < position; ++i) word[i - start] = buffer[i];
  return true;
}

LITERAL CText::ParseLiteral(const CFerroString& token) {
  LITERAL out;
  const char* text = token.c_str();
  const int n = token.GetLength();
  if (n == 0) return out;

  CFerroString lower = token;
  lower.toLower();
  if (lower == "true" || lower == "false") {
    out.kind = LITERAL_BOOL;
    out.number = lower == "true" ? 1 : 0;
    return out;
  }
  if (lower == "null") {
    out.kind = LITERAL_INT;
    return out;
  }

  const char quote = text[0];
  if ((quote == '\'' || quote == '"') && n >= 2 && text[n - 1] == quote) {
    if (quote == '"') {
      out.kind = LITERAL_STRING;
      out.text = token.Mid(1, n - 2);
    } else if (n == 3) {
      out.kind = LITERAL_CHAR;
      out.number = static_cast<unsigned char>(text[1]);
    }
    return out;
  }

  // Numbers. The sign is accepted for compatibility with texts written for
  // C, but a colour or a font index has no use for it, so it is dropped.
  int i = text[0] == '+' || text[0] == '-' ? 1 : 0;
  if (lower[i] == '0' && lower[i + 1] == 'x' && i + 2 < n) {
    unsigned value = 0;
    for (int k = i + 2; k < n; ++k) {
      const unsigned char c = static_cast<unsigned char>(text[k]);
      if (!IsHexDigit(c)) return out;
      value = value * 16u + static_cast<unsigned>(HexValue(c));
    }
    out.kind = LITERAL_INT;
    out.number = value;
    return out;
  }
  if (AllDigits(text, i, n)) {
    unsigned value = 0;
    for (int k = i; k < n; ++k) value = value * 10u + static_cast<unsigned>(text[k] - '0');
    out.kind = LITERAL_INT;
    out.number = value;
    return out;
  }
  const int point = token.FindChar('.', i);
  if (point > i && lower[n - 1] == 'f' && AllDigits(text, i, point) &&
      AllDigits(text, point + 1, n - 1)) {
    out.kind = LITERAL_FLOAT;
    out.number = 0;
  }
  return out;
}

#include "GUI/resources/ConfigScanner.h"

#include <climits>
#include <cstring>

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
// CR ends a line; a bare LF does too, so files saved with LF line ends still read line by line.
bool IsLineEnd(char c) {
  return c == '\r' || c == '\n';
}

CFerroString MakeText(const char* bytes, int n) {
  CFerroString text(n);
  if (n > 0) std::memcpy(text.c_str(), bytes, static_cast<size_t>(n));
  return text;
}

}  // namespace

ConfigScanner::ConfigScanner(int limit, bool strip) : valueLimit(limit), stripEquals(strip) {}

bool ConfigScanner::AddText(const char* data, size_t size) {
  if (GetCountFile() >= kMaxTexts || size > static_cast<size_t>(INT_MAX / 2)) return false;
  Text text;
  if (size > 0 && data != nullptr) text.bytes.assign(data, data + size);
  texts.push_back(std::move(text));
  return true;
}

int ConfigScanner::GetCursor(int i) const {
  return Valid(i) ? texts[i].cursor : -1;
}

void ConfigScanner::SetCursor(int i, int position) {
  if (!Valid(i)) return;
  texts[i].cursor = position < 0 ? 0 : position > GetSize(i) ? GetSize(i) : position;
}

int ConfigScanner::GetSize(int i) const {
  return Valid(i) ? static_cast<int>(texts[i].bytes.size()) : 0;
}

bool ConfigScanner::ByteAt(int i, int position, char& c) const {
  if (!Valid(i) || position < 0 || position >= GetSize(i)) return false;
  c = texts[i].bytes[position];
  return true;
}

bool ConfigScanner::ReadChar(int i, char& c) {
  if (!Valid(i)) return false;
  Text& text = texts[i];
  const int n = static_cast<int>(text.bytes.size());
  if (text.cursor < 0 || text.cursor >= n) return false;
  c = text.bytes[text.cursor++];
  if (c != ';') return true;
  while (text.cursor < n && !IsLineEnd(text.bytes[text.cursor])) ++text.cursor;
  if (text.cursor >= n) return false;
  c = text.bytes[text.cursor++];
  return true;
}

int ConfigScanner::FindKey(int i, const char* key, int start, bool stopAtBracket) {
  if (!Valid(i) || key == nullptr || key[0] == 0 || start < 0 || start > GetSize(i)) return -1;
  texts[i].cursor = start;
  const size_t length = std::strlen(key);
  size_t matched = 0;
  char c = 0;
  while (ReadChar(i, c)) {
    if (c == key[matched]) {
      if (++matched == length) return texts[i].cursor;
    } else {
      if (stopAtBracket && c == '[') return -1;
      matched = 0;
    }
  }
  return -1;
}

int ConfigScanner::FindString(int i, const char* key, int start) {
  return FindKey(i, key, start, false);
}

int ConfigScanner::FindStringToBracket(int i, const char* key, int start) {
  return FindKey(i, key, start, true);
}

int ConfigScanner::FindLabel(int i, CFerroString& out, int start) {
  out = "";
  if (!Valid(i) || start < 0 || start > GetSize(i)) return -1;
  Text& text = texts[i];
  const int n = static_cast<int>(text.bytes.size());
  text.cursor = start;
  char c = 0;
  while (ReadChar(i, c)) {
    if (c != '[') continue;
    int begin = text.cursor, p = begin;
    while (p < n && text.bytes[p] != ']' && !IsLineEnd(text.bytes[p])) ++p;
    text.cursor = p;
    if (p < n && text.bytes[p] == ']') {
      int length = p - begin < kMaxLabel ? p - begin : kMaxLabel;
      out = MakeText(text.bytes.data() + begin, length);
      text.cursor = p + 1;
      return text.cursor;
    }
  }
  return -1;
}

int ConfigScanner::FindLineKey(int i, const char* key, int start, bool stopAtLabel) {
  if (!Valid(i) || key == nullptr || key[0] == 0 || start < 0 || start > GetSize(i)) return -1;
  Text& text = texts[i];
  const char* bytes = text.bytes.data();
  const int n = static_cast<int>(text.bytes.size());
  const int length = static_cast<int>(std::strlen(key));
  int p = start;
  // A start inside a line (just after a label, say) looks from the next line on.
  if (p > 0 && !IsLineEnd(bytes[p - 1]))
    while (p < n && !IsLineEnd(bytes[p])) ++p;
  while (p < n) {
    while (p < n && IsLineEnd(bytes[p])) ++p;
    while (p < n && IsBlank(bytes[p])) ++p;
    if (p >= n) break;
    if (length <= n - p && std::memcmp(bytes + p, key, static_cast<size_t>(length)) == 0) {
      text.cursor = p + length;
      return text.cursor;
    }
    if (stopAtLabel && bytes[p] == '[') return -1;
    while (p < n && !IsLineEnd(bytes[p])) ++p;
  }
  return -1;
}

int ConfigScanner::FindLineLabel(int i, CFerroString& out, int start) {
  out = "";
  int p = start;
  while ((p = FindLineKey(i, "[", p, false)) >= 0) {
    const Text& text = texts[i];
    const int n = static_cast<int>(text.bytes.size());
    int end = p;
    while (end < n && text.bytes[end] != ']' && !IsLineEnd(text.bytes[end])) ++end;
    if (end < n && text.bytes[end] == ']') {
      int length = end - p < kMaxLabel ? end - p : kMaxLabel;
      out = MakeText(text.bytes.data() + p, length);
      texts[i].cursor = end + 1;
      return end + 1;
    }
    p = end;
  }
  return -1;
}

bool ConfigScanner::ReadToEnter(int i, CFerroString& out) {
  out = "";
  if (!Valid(i)) return false;
  Text& text = texts[i];
  const int n = static_cast<int>(text.bytes.size());
  int p = text.cursor < 0 ? 0 : text.cursor > n ? n : text.cursor;
  while (p < n && IsBlank(text.bytes[p])) ++p;
  int begin = p;
  while (p < n && !IsLineEnd(text.bytes[p]) && text.bytes[p] != ';') ++p;
  text.cursor = p;
  int length = p - begin < valueLimit ? p - begin : valueLimit;
  while (length > 0 && IsBlank(text.bytes[begin + length - 1])) --length;
  out = MakeText(text.bytes.data() + begin, length);
  return length > 0;
}

CFerroString ConfigScanner::ValueAtCursor(int i) {
  CFerroString value;
  ReadToEnter(i, value);
  return stripEquals ? StripEquals(value) : value;
}

CFerroString ConfigScanner::StripEquals(const CFerroString& value) {
  if (value.GetLength() == 0 || value.c_str()[0] != '=') return value;
  int skip = 1;
  while (skip < value.GetLength() && IsBlank(value.c_str()[skip])) ++skip;
  return value.Mid(skip, value.GetLength() - skip);
}

CFerroString ConfigScanner::FindParametrFile(int i, const char* key) {
  if (FindString(i, key, 0) < 0) return CFerroString();
  return ValueAtCursor(i);
}

CFerroString ConfigScanner::FindParametrToLabel(int i, const char* key, int start) {
  if (FindStringToBracket(i, key, start) < 0) return CFerroString();
  return ValueAtCursor(i);
}

CFerroString ConfigScanner::FindParametrDir(const char* key) {
  for (int i = 0; i < GetCountFile(); ++i) {
    CFerroString value = FindParametrFile(i, key);
    if (!value.IsEmpty()) return value;
  }
  return CFerroString();
}

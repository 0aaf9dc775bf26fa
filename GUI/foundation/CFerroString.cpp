// Index of this file:
//   Helpers                      the line ending and the small character tests
//   Construction and operators   construction, assignment, indexing, joining and comparing
//   Cutting and paths            case, Find, Left, Right, Mid, Delete, Trim, the path parts
//   Numbers                      IntToString, Format, StringToInt, the hex codes and the dump
//   Streams and parameters       reading time, saving and loading, GetParam

#include "GUI/foundation/CFerroString.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "GUI/foundation/FerroHostFile.h"

// ---------------------------------------------------------------------------------------------
// Helpers
// ---------------------------------------------------------------------------------------------

CFerroString return_str("\r\n");

CFerroString GetReturn() {
  return return_str;
}

void SetReturn(const char* text) {
  return_str = text;
}

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

char HexDigit(unsigned v) {
  return static_cast<char>(v < 10 ? '0' + v : 'A' + v - 10);
}

int Clamp(int v, int lo, int hi) {
  return v < lo ? lo : (v > hi ? hi : v);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Construction and operators
// ---------------------------------------------------------------------------------------------

CFerroString::CFerroString() : data(new char[1]{0}), length(0) {}

CFerroString::CFerroString(const char* text) : data(nullptr), length(0) {
  Assign(text, text != nullptr ? static_cast<int>(std::strlen(text)) : 0);
}

CFerroString::CFerroString(const CFerroString& other) : data(nullptr), length(0) {
  Assign(other.data, other.length);
}

CFerroString::CFerroString(char c) : data(new char[2]{c, 0}), length(1) {}

CFerroString::CFerroString(int n) : data(nullptr), length(0) {
  if (n < 0) n = 0;
  data = new char[static_cast<size_t>(n) + 1]();
  length = n;
}

CFerroString::~CFerroString() {
  delete[] data;
}

void CFerroString::Adopt(char* buffer, int n) {
  delete[] data;
  data = buffer;
  length = n;
}

void CFerroString::Assign(const char* bytes, int n) {
  char* buffer = new char[static_cast<size_t>(n) + 1];
  if (n > 0) std::memcpy(buffer, bytes, static_cast<size_t>(n));
  buffer[n] = 0;
  Adopt(buffer, n);
}

CFerroString& CFerroString::operator=(const CFerroString& other) {
  if (this != &other) Assign(other.data, other.length);
  return *this;
}

CFerroString& CFerroString::operator=(const char* text) {
  if (text != data) Assign(text, text != nullptr ? static_cast<int>(std::strlen(text)) : 0);
  return *this;
}

void CFerroString::SetLength(int n) {
  if (n < 0) n = 0;
  if (n != length) Adopt(new char[static_cast<size_t>(n) + 1](), n);
  data[0] = 0;
}

char& CFerroString::operator[](int i) {
  if (i < 0) return data[0];
  if (i > length) return data[length > 0 ? length - 1 : 0];
  return data[i];
}

const char& CFerroString::operator[](int i) const {
  return const_cast<CFerroString&>(*this)[i];
}

CFerroString CFerroString::operator+(const CFerroString& other) const {
  CFerroString result;
  char* buffer = new char[static_cast<size_t>(length) + other.length + 1];
  std::memcpy(buffer, data, static_cast<size_t>(length));
  std::memcpy(buffer + length, other.data, static_cast<size_t>(other.length));
  buffer[length + other.length] = 0;
  result.Adopt(buffer, length + other.length);
  return result;
}

CFerroString CFerroString::operator+(char c) const {
  return *this + CFerroString(c);
}

CFerroString CFerroString::operator+=(const CFerroString& other) {
  *this = *this + other;
  return *this;
}

CFerroString CFerroString::operator+=(char c) {
  return *this += CFerroString(c);
}

CFerroString operator+(const char* left, const CFerroString& right) {
  return CFerroString(left) + right;
}

bool CFerroString::operator==(const CFerroString& other) const {
  return length == other.length && std::memcmp(data, other.data, static_cast<size_t>(length)) == 0;
}

bool CFerroString::operator!=(const CFerroString& other) const {
  return !(*this == other);
}

bool CFerroString::operator==(const char* text) const {
  return std::strcmp(data, text != nullptr ? text : "") == 0;
}

bool CFerroString::operator!=(const char* text) const {
  return !(*this == text);
}

bool CFerroString::operator<(const CFerroString& other) const {
  return std::strcmp(data, other.data) < 0;
}

bool CFerroString::operator>(const CFerroString& other) const {
  return std::strcmp(data, other.data) > 0;
}

// ---------------------------------------------------------------------------------------------
// Cutting and paths
// ---------------------------------------------------------------------------------------------

CFerroString& CFerroString::toUpper() {
  // ASCII only, as the C locale does, whatever locale the process runs in.
  for (int i = 0; i < length; ++i)
    if (data[i] >= 'a' && data[i] <= 'z') data[i] = static_cast<char>(data[i] - 'a' + 'A');
  return *this;
}

CFerroString& CFerroString::toLower() {
  for (int i = 0; i < length; ++i)
    if (data[i] >= 'A' && data[i] <= 'Z') data[i] = static_cast<char>(data[i] - 'A' + 'a');
  return *this;
}

int CFerroString::FindChar(char c, int start) const {
  if (start < 0 || start >= length) return -1;
  const char* hit = std::strchr(data + start, c);
  return hit != nullptr ? static_cast<int>(hit - data) : -1;
}

int CFerroString::Find(const char* text, int start) const {
  if (text == nullptr || start < 0 || start >= length) return -1;
  const char* hit = std::strstr(data + start, text);
  return hit != nullptr ? static_cast<int>(hit - data) : -1;
}

int CFerroString::Find(const CFerroString& text, int start) const {
  return Find(text.data, start);
}

CFerroString CFerroString::Left(int n) const {
  return Mid(0, n);
}

CFerroString CFerroString::Right(int n) const {
  n = Clamp(n, 0, length);
  return Mid(length - n, n);
}

CFerroString CFerroString::Mid(int start, int n) const {
  start = Clamp(start, 0, length);
  n = Clamp(n, 0, length - start);
  CFerroString result;
  result.Assign(data + start, n);
  return result;
}

CFerroString CFerroString::substr(int start, int n) const {
  return Mid(start, n);
}

int CFerroString::Delete(int start, int n) {
  start = Clamp(start, 0, length);
  n = Clamp(n, 0, length - start);
  if (n == 0) return length;
  int rest = length - n;
  char* buffer = new char[static_cast<size_t>(rest) + 1];
  std::memcpy(buffer, data, static_cast<size_t>(start));
  std::memcpy(buffer + start, data + start + n, static_cast<size_t>(length - start - n));
  buffer[rest] = 0;
  Adopt(buffer, rest);
  return length;
}

void CFerroString::Trim() {
  int first = 0;
  while (first < length && IsBlank(data[first])) ++first;
  int last = length;
  while (last > first && IsBlank(data[last - 1])) --last;
  if (first != 0 || last != length) *this = Mid(first, last - first);
}

void CFerroString::ToSize(int width) {
  if (length >= width) return;
  int d = width - length;
  int before = d / 2;
  char* buffer = new char[static_cast<size_t>(width) + 1];
  std::memset(buffer, ' ', static_cast<size_t>(width));
  std::memcpy(buffer + before, data, static_cast<size_t>(length));
  buffer[width] = 0;
  Adopt(buffer, width);
}

void CFerroString::DeleteLastSlash() {
  int n = length;
  while (n > 0 && IsPathSeparator(data[n - 1])) --n;
  if (n != length) Assign(data, n);
}

CFerroString WithPathSeparator(const CFerroString& path, char slash) {
  if (path.IsEmpty() || IsPathSeparator(path[path.GetLength() - 1])) return path;
  return path + slash;
}

CFerroString CFerroString::GetPathOnly() const {
  for (int i = length - 1; i >= 0; --i)
    if (IsPathSeparator(data[i])) return Left(i);
  return CFerroString();
}

CFerroString CFerroString::GetFileNameOnly() const {
  for (int i = length - 1; i >= 0; --i)
    if (IsPathSeparator(data[i]) || data[i] == ':') return Mid(i + 1, length - i - 1);
  return *this;
}

CFerroString CFerroString::GetExtension() const {
  for (int i = length - 1; i >= 0; --i)
    if (data[i] == '.') return Mid(i + 1, length - i - 1);
  return CFerroString();
}

bool CFerroString::DeleteNamespace() {
  for (int i = length - 1; i >= 0; --i) {
    if (data[i] != ':') continue;
    if (i == 0 || data[i - 1] != ':') return false;
    *this = Mid(i + 1, length - i - 1);
    return true;
  }
  return false;
}

bool CFerroString::Divide(const CFerroString& separator, CFerroString& left,
                          CFerroString& right) const {
  if (length == 0) return false;
  int at = Find(separator, 0);
  if (at < 0) return false;
  // Build both parts first: left or right may be this very string.
  CFerroString before = Left(at);
  CFerroString after = Mid(at + separator.length, length);
  left = before;
  right = after;
  return true;
}

bool CFerroString::IsVariableName() const {
  if (length == 0) return false;
  for (int i = 0; i < length; ++i) {
    char c = data[i];
    bool ok =
        (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    if (!ok) return false;
  }
  return true;
}

// ---------------------------------------------------------------------------------------------
// Numbers
// ---------------------------------------------------------------------------------------------

CFerroString& CFerroString::IntToString(int value, int digits) {
  Format("%d", value);
  while (GetLength() < digits) *this = CFerroString("0") + *this;
  return *this;
}

namespace {

// Formats into a 32-byte work buffer; longer output is cut to 31 bytes.
template <typename T>
void FormatInto(CFerroString& out, const char* format, T value) {
  char work[32] = {0};
  if (format == nullptr || std::snprintf(work, sizeof work, format, value) < 0) work[0] = 0;
  out = work;
}

}  // namespace

CFerroString& CFerroString::Format(const char* format, int value) {
  FormatInto(*this, format, value);
  return *this;
}

CFerroString& CFerroString::Format(const char* format, unsigned int value) {
  FormatInto(*this, format, value);
  return *this;
}

CFerroString& CFerroString::Format(const char* format, char value) {
  FormatInto(*this, format, static_cast<int>(value));
  return *this;
}

CFerroString& CFerroString::Format(const char* format, float value) {
  FormatInto(*this, format, static_cast<double>(value));
  return *this;
}

CFerroString& CFerroString::Format(const char* format, double value) {
  FormatInto(*this, format, value);
  return *this;
}

int CFerroString::StringToInt() const {
  return std::atoi(data);
}

double CFerroString::StringToDouble() const {
  return std::atof(data);
}

CFerroString& CFerroString::StringToHexCodes() {
  if (length == 0) return *this;
  int n = length * 2;
  char* buffer = new char[static_cast<size_t>(n) + 1];
  for (int i = 0; i < length; ++i) {
    unsigned char b = static_cast<unsigned char>(data[i]);
    buffer[2 * i] = HexDigit(b >> 4);
    buffer[2 * i + 1] = HexDigit(b & 15);
  }
  buffer[n] = 0;
  Adopt(buffer, n);
  return *this;
}

CFerroString& CFerroString::Dump(int count, const unsigned char* bytes, int perLine) {
  if (count <= 0 || bytes == nullptr) {
    Assign("", 0);
    return *this;
  }
  const int breaks = perLine > 0 ? count / perLine : 0;
  const int64_t total =
      static_cast<int64_t>(count) * 3 + static_cast<int64_t>(breaks) * return_str.length;
  if (total > INT32_MAX - 1) {
    Assign("", 0);
    return *this;
  }
  char* buffer = new char[static_cast<size_t>(total) + 1];
  char* out = buffer;
  for (int i = 0; i < count; ++i) {
    *out++ = HexDigit(bytes[i] >> 4);
    *out++ = HexDigit(bytes[i] & 15);
    *out++ = ' ';
    if (perLine > 0 && (i + 1) % perLine == 0) {
      std::memcpy(out, return_str.data, static_cast<size_t>(return_str.length));
      out += return_str.length;
    }
  }
  *out = 0;
  Adopt(buffer, static_cast<int>(total));
  return *this;
}

// ---------------------------------------------------------------------------------------------
// Streams and parameters
// ---------------------------------------------------------------------------------------------

int CFerroString::TimeOfReading() const {
  int c = 0;
  for (int i = 0; i < length; ++i)
    if (data[i] != ' ') ++c;
  return static_cast<int>(static_cast<double>(c) * 1000.0 * 60.0 / 1200.0) + 1000;
}

bool CFerroString::SaveToStream(FILE* file) const {
  return FerroWriteInt32(file, length) && FerroWriteBytes(file, data, static_cast<size_t>(length));
}

bool CFerroString::LoadFromStream(FILE* file) {
  int32_t n = 0;
  std::vector<unsigned char> bytes;
  if (!FerroReadInt32(file, n) || n < 0 || !FerroReadBlock(file, static_cast<size_t>(n), bytes))
    return false;
  Assign(reinterpret_cast<const char*>(bytes.data()), n);
  return true;
}

bool CFerroString::SaveText(FILE* file) const {
  return FerroWriteBytes(file, data, static_cast<size_t>(length));
}

bool CFerroString::LoadFromStreamForClassString(FILE* file) {
  uint16_t n = 0;
  std::vector<unsigned char> bytes;
  if (!FerroReadUInt16(file, n) || !FerroReadBlock(file, n, bytes)) return false;
  Assign(reinterpret_cast<const char*>(bytes.data()), n);
  return true;
}

CFerroString CFerroString::GetParam(int index) const {
  CFerroString text(*this);
  text.Trim();
  int i = 0;
  for (int word = 0; i < text.length; ++word) {
    while (i < text.length && IsBlank(text.data[i])) ++i;
    std::vector<char> bytes;
    bool quoted = false;
    for (; i < text.length; ++i) {
      char c = text.data[i];
      if (c == '"') {
        quoted = !quoted;
      } else if (!quoted && IsBlank(c)) {
        break;
      } else {
        bytes.push_back(c);
      }
    }
    if (word == index) {
      CFerroString result;
      result.Assign(bytes.data(), static_cast<int>(bytes.size()));
      return result;
    }
  }
  return CFerroString();
}

int CFerroString::GetParamCount() const {
  int n = 0;
  while (!GetParam(n).IsEmpty()) ++n;
  return n;
}

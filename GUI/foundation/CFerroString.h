#pragma once

#include <cstdio>

// The one string type of the framework: an owned, zero-terminated byte buffer
// with an exact length and no spare capacity. Every change reallocates the
// buffer to exactly length + 1 bytes. The type works on bytes; UTF-8 is only a
// convention of the texts exchanged with the operating system.
class CFerroString {
 public:
  CFerroString();
  CFerroString(const char* text);  // NOLINT: implicit on purpose, texts are passed as C strings.
  CFerroString(const CFerroString& other);
  // A one-byte text holding c (length 1 even when c is 0).
  explicit CFerroString(char c);
  // A text of n zero bytes for the caller to fill (a negative n gives the empty text).
  explicit CFerroString(int n);
  virtual ~CFerroString();

  CFerroString& operator=(const CFerroString& other);
  CFerroString& operator=(const char* text);

  int GetLength() const { return length; }
  bool IsEmpty() const { return length == 0; }

  // Replaces the buffer by n zero bytes when n differs from the length; the
  // first byte is 0 afterwards in every case.
  void SetLength(int n);

  const char* c_str() const { return data; }
  char* c_str() { return data; }

  // Clamped access: a negative index gives byte 0, an index past the length the
  // last byte (the terminator of an empty text), the length itself the terminator.
  char& operator[](int i);
  const char& operator[](int i) const;

  CFerroString operator+(const CFerroString& other) const;
  CFerroString operator+(char c) const;
  // Appends in place and returns a copy of the result.
  CFerroString operator+=(const CFerroString& other);
  CFerroString operator+=(char c);

  // Equality with another string compares the length and every byte; the C
  // string forms compare with strcmp and stop at the first zero byte.
  bool operator==(const CFerroString& other) const;
  bool operator!=(const CFerroString& other) const;
  bool operator==(const char* text) const;
  bool operator!=(const char* text) const;
  bool operator<(const CFerroString& other) const;
  bool operator>(const CFerroString& other) const;

  // Map ASCII letters in place (C locale) and return the string itself.
  CFerroString& toUpper();
  CFerroString& toLower();

  // Byte index of the first occurrence at or after start, or -1 (also when
  // start lies outside the text).
  int FindChar(char c, int start = 0) const;
  int Find(const char* text, int start = 0) const;
  int Find(const CFerroString& text, int start = 0) const;

  // Pieces; arguments are clamped to the text.
  CFerroString Left(int n) const;
  CFerroString Right(int n) const;
  CFerroString Mid(int start, int n) const;
  CFerroString substr(int start, int n) const;
  // Removes n bytes at start and returns the new length.
  int Delete(int start, int n);

  // Removes leading and trailing spaces and tabs.
  void Trim();
  // Centres the text in width bytes with spaces; an odd extra space goes right.
  void ToSize(int width);
  // Removes every trailing '/' or '\'.
  void DeleteLastSlash();

  CFerroString GetPathOnly() const;
  CFerroString GetFileNameOnly() const;
  CFerroString GetExtension() const;
  // Keeps only the text after the last "::" and returns true, when there is one.
  bool DeleteNamespace();
  bool Divide(const CFerroString& separator, CFerroString& left, CFerroString& right) const;
  bool IsVariableName() const;

  // The value in decimal, with leading zeros up to digits places.
  CFerroString& IntToString(int value, int digits = 1);
  // Formats one value with a printf format; the result is cut to 31 bytes.
  CFerroString& Format(const char* format, int value);
  CFerroString& Format(const char* format, unsigned int value);
  CFerroString& Format(const char* format, char value);
  CFerroString& Format(const char* format, float value);
  CFerroString& Format(const char* format, double value);
  int StringToInt() const;
  double StringToDouble() const;
  // Replaces the text by two upper-case hex digits per byte.
  CFerroString& StringToHexCodes();
  // Replaces the text by a hex dump; return_str follows every perLine-th byte.
  CFerroString& Dump(int count, const unsigned char* bytes, int perLine);
  // Display time in milliseconds for a message of this text.
  int TimeOfReading() const;

  // Host-file forms: a 4-byte (or, for the class-string form, 2-byte) little
  // endian length followed by the bytes. Loading fails without touching the
  // text when the file does not hold the announced bytes.
  bool SaveToStream(FILE* file) const;
  bool LoadFromStream(FILE* file);
  bool SaveText(FILE* file) const;
  bool LoadFromStreamForClassString(FILE* file);

  // Words of the trimmed text, separated by blanks; double quotes group blanks.
  CFerroString GetParam(int i) const;
  int GetParamCount() const;

 protected:
  // Takes ownership of a buffer of n + 1 bytes whose byte n is already 0.
  void Adopt(char* buffer, int n);
  void Assign(const char* bytes, int n);

  char* data;
  int length;
};

CFerroString operator+(const char* left, const CFerroString& right);

// Whether c separates the folders of a path: '/', or '\\' as other systems
// write it.
inline bool IsPathSeparator(char c) {
  return c == '/' || c == '\\';
}
// path ending with a separator: slash is added unless it ends with one; an
// empty path stays empty.
CFerroString WithPathSeparator(const CFerroString& path, char slash = '/');

// The line terminator used by Dump; CR LF at program start.
extern CFerroString return_str;
CFerroString GetReturn();
void SetReturn(const char* text);

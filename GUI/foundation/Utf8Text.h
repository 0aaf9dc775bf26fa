#pragma once

// Reading UTF-8 text one character at a time, as text is measured, wrapped and
// drawn, and the one single-byte code page that font descriptions list their
// first glyphs in.

// What text that is not well-formed UTF-8 reads as, one for each maximal
// ill-formed part.
constexpr char32_t kReplacementChar = 0xFFFD;

char32_t NextUtf8CharSlow(const char*& text, const char* end);

// The character that starts at text, which moves past it. The text ends at
// end, or, when end is null, at its zero byte (which never continues a
// sequence). text must not stand at the end. A well-formed sequence gives its
// code point. Anything else gives kReplacementChar and moves past the
// longest start of a well-formed sequence found there, at least one byte: a
// byte that starts no sequence (a stray continuation byte, C0, C1, F5..FF),
// or a sequence that an unfitting byte, the zero byte or the end cuts short
// (overlong forms, surrogates and values above U+10FFFF are cut short at
// their second byte). The byte that cut a sequence short is read next, so
// a tag, line feed or space after a broken sequence is never swallowed.
inline char32_t NextUtf8Char(const char*& text, const char* end = nullptr) {
  const unsigned char byte = static_cast<unsigned char>(*text);
  if (byte < 0x80) {
    ++text;
    return byte;
  }
  return NextUtf8CharSlow(text, end);
}

// The character of a byte of the Windows-1251 (Cyrillic) code page: bytes
// below 128 are ASCII; 0 for 0x98, which the code page leaves empty.
char32_t Cp1251ToUnicode(unsigned char byte);

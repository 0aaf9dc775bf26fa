#pragma once

// Conversions between UTF-8, UTF-16 and UTF-32 following the Unicode
// conversion rules. Each core routine converts from *sourceStart up to
// sourceEnd into *targetStart up to targetEnd, advances both pointers past
// what it converted, and returns one of the results below. In lenient mode
// unpaired surrogates are carried over (UTF-16 input) or replaced by U+FFFD
// (UTF-8/UTF-32 input), and out-of-range values become U+FFFD; ill-formed
// UTF-8 always fails with sourceIllegal.

typedef unsigned int UTF32;
typedef unsigned short UTF16;
typedef unsigned char UTF8;

enum FerroConversionResult {
  conversionOK = 0,     // Every source unit was converted.
  sourceExhausted = 1,  // A sequence was cut off by the end of the source.
  targetExhausted = 2,  // The target has no room for the next character.
  sourceIllegal = 3     // The source holds an ill-formed sequence.
};

enum FerroConversionFlags { strictConversion = 0, lenientConversion };

int FerroConvertUTF8toUTF16(const UTF8** sourceStart, const UTF8* sourceEnd, UTF16** targetStart,
                            UTF16* targetEnd, FerroConversionFlags flags);
int FerroConvertUTF16toUTF8(const UTF16** sourceStart, const UTF16* sourceEnd, UTF8** targetStart,
                            UTF8* targetEnd, FerroConversionFlags flags);
int FerroConvertUTF8toUTF32(const UTF8** sourceStart, const UTF8* sourceEnd, UTF32** targetStart,
                            UTF32* targetEnd, FerroConversionFlags flags);
int FerroConvertUTF32toUTF8(const UTF32** sourceStart, const UTF32* sourceEnd, UTF8** targetStart,
                            UTF8* targetEnd, FerroConversionFlags flags);
int FerroConvertUTF16toUTF32(const UTF16** sourceStart, const UTF16* sourceEnd, UTF32** targetStart,
                             UTF32* targetEnd, FerroConversionFlags flags);
int FerroConvertUTF32toUTF16(const UTF32** sourceStart, const UTF32* sourceEnd, UTF16** targetStart,
                             UTF16* targetEnd, FerroConversionFlags flags);

// Convert a zero-terminated text, terminator included, into a new array that
// the caller releases with delete[]. Null input or any failure gives null.
unsigned char* utf16to8(const unsigned short* text);
unsigned short* utf8to16(const unsigned char* text);

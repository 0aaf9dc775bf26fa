// Index of this file:
//   Code points   legality checks, decoding and encoding one code point
//   Conversions   the FerroConvert routines between the three forms
//   Whole texts   utf16to8 and utf8to16 on zero-terminated texts

#include "GUI/foundation/FerroUTF.h"

#include <cstddef>

// ---------------------------------------------------------------------------------------------
// Code points
// ---------------------------------------------------------------------------------------------

namespace {

constexpr UTF32 kReplacement = 0xFFFD;
constexpr UTF32 kMaxBmp = 0xFFFF;
constexpr UTF32 kMaxUtf16 = 0x10FFFF;
constexpr UTF32 kMaxLegal = 0x10FFFF;
constexpr UTF32 kHighFirst = 0xD800;
constexpr UTF32 kHighLast = 0xDBFF;
constexpr UTF32 kLowFirst = 0xDC00;
constexpr UTF32 kLowLast = 0xDFFF;

bool IsSurrogate(UTF32 ch) {
  return ch >= kHighFirst && ch <= kLowLast;
}

// Continuation bytes that follow a lead byte. Leads 0xF8 to 0xFF announce the
// obsolete five- and six-byte forms, which the legality check rejects.
int TrailingBytes(UTF8 lead) {
  if (lead < 0xC0) return 0;
  if (lead < 0xE0) return 1;
  if (lead < 0xF0) return 2;
  if (lead < 0xF8) return 3;
  if (lead < 0xFC) return 4;
  return 5;
}

// Subtracting these after summing the shifted bytes removes the marker bits of
// the lead and continuation bytes in one step.
constexpr UTF32 kOffsets[6] = {0x00000000UL, 0x00003080UL, 0x000E2080UL,
                               0x03C82080UL, 0xFA082080UL, 0x82082080UL};

constexpr UTF8 kFirstByteMark[7] = {0x00, 0x00, 0xC0, 0xE0, 0xF0, 0xF8, 0xFC};

// A sequence of the given length starting at source is well-formed UTF-8:
// correct continuation bytes, no overlong forms, no surrogates, nothing above
// U+10FFFF.
bool IsLegalUTF8(const UTF8* source, int length) {
  const UTF8* p = source + length;
  UTF8 a;
  switch (length) {
    default:
      return false;
    case 4:
      if ((a = *--p) < 0x80 || a > 0xBF) return false;
      [[fallthrough]];
    case 3:
      if ((a = *--p) < 0x80 || a > 0xBF) return false;
      [[fallthrough]];
    case 2:
      if ((a = *--p) > 0xBF) return false;
      switch (*source) {
        case 0xE0:
          if (a < 0xA0) return false;
          break;
        case 0xED:
          if (a > 0x9F) return false;
          break;
        case 0xF0:
          if (a < 0x90) return false;
          break;
        case 0xF4:
          if (a > 0x8F) return false;
          break;
        default:
          if (a < 0x80) return false;
      }
      [[fallthrough]];
    case 1:
      if (*source >= 0x80 && *source < 0xC2) return false;
  }
  return *source <= 0xF4;
}

// Decodes one UTF-8 sequence. Returns conversionOK with ch set, or the failure;
// source is advanced only on success.
int DecodeUTF8(const UTF8*& source, const UTF8* sourceEnd, UTF32& ch, int& extra) {
  extra = TrailingBytes(*source);
  if (extra >= sourceEnd - source) return sourceExhausted;
  if (!IsLegalUTF8(source, extra + 1)) return sourceIllegal;
  ch = 0;
  for (int i = 0; i < extra; ++i) {
    ch += *source++;
    ch <<= 6;
  }
  ch += *source++;
  ch -= kOffsets[extra];
  return conversionOK;
}

// Writes ch as UTF-8 when it fits; false when the target is too small.
bool EncodeUTF8(UTF32 ch, UTF8*& target, UTF8* targetEnd) {
  int bytes;
  if (ch < 0x80) {
    bytes = 1;
  } else if (ch < 0x800) {
    bytes = 2;
  } else if (ch < 0x10000) {
    bytes = 3;
  } else {
    bytes = 4;
  }
  if (targetEnd - target < bytes) return false;
  target += bytes;
  UTF8* p = target;
  switch (bytes) {
    case 4:
      *--p = static_cast<UTF8>((ch | 0x80) & 0xBF);
      ch >>= 6;
      [[fallthrough]];
    case 3:
      *--p = static_cast<UTF8>((ch | 0x80) & 0xBF);
      ch >>= 6;
      [[fallthrough]];
    case 2:
      *--p = static_cast<UTF8>((ch | 0x80) & 0xBF);
      ch >>= 6;
      [[fallthrough]];
    default:
      *--p = static_cast<UTF8>(ch | kFirstByteMark[bytes]);
  }
  return true;
}

// Reads one code point from UTF-16: a surrogate pair or a single unit. On
// success source moves past it; on failure (a high surrogate cut off by the
// end, or an unpaired surrogate in strict mode) source stays. Lenient mode
// carries an unpaired surrogate over as it is.
int DecodeUTF16(const UTF16*& source, const UTF16* sourceEnd, FerroConversionFlags flags,
                UTF32& ch) {
  ch = *source;
  if (ch >= kHighFirst && ch <= kHighLast) {
    if (source + 1 >= sourceEnd) return sourceExhausted;
    UTF32 ch2 = source[1];
    if (ch2 >= kLowFirst && ch2 <= kLowLast) {
      ch = ((ch - kHighFirst) << 10) + (ch2 - kLowFirst) + 0x10000;
      source += 2;
      return conversionOK;
    }
    if (flags == strictConversion) return sourceIllegal;
  } else if (flags == strictConversion && ch >= kLowFirst && ch <= kLowLast) {
    return sourceIllegal;
  }
  ++source;
  return conversionOK;
}

// Writes ch as one or two UTF-16 units, or nothing when the target is too
// small. A surrogate or a value above U+10FFFF fails in strict mode and is
// written as U+FFFD in lenient mode.
int EncodeUTF16(UTF32 ch, UTF16*& target, UTF16* targetEnd, FerroConversionFlags flags) {
  if (target >= targetEnd) return targetExhausted;
  if (ch <= kMaxBmp) {
    if (IsSurrogate(ch)) {
      if (flags == strictConversion) return sourceIllegal;
      ch = kReplacement;
    }
    *target++ = static_cast<UTF16>(ch);
  } else if (ch > kMaxUtf16) {
    if (flags == strictConversion) return sourceIllegal;
    *target++ = static_cast<UTF16>(kReplacement);
  } else {
    if (target + 1 >= targetEnd) return targetExhausted;
    ch -= 0x10000;
    *target++ = static_cast<UTF16>((ch >> 10) + kHighFirst);
    *target++ = static_cast<UTF16>((ch & 0x3FF) + kLowFirst);
  }
  return conversionOK;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Conversions
// ---------------------------------------------------------------------------------------------

int FerroConvertUTF32toUTF16(const UTF32** sourceStart, const UTF32* sourceEnd, UTF16** targetStart,
                             UTF16* targetEnd, FerroConversionFlags flags) {
  int result = conversionOK;
  const UTF32* source = *sourceStart;
  UTF16* target = *targetStart;
  while (source < sourceEnd) {
    result = EncodeUTF16(*source, target, targetEnd, flags);
    if (result != conversionOK) break;
    ++source;
  }
  *sourceStart = source;
  *targetStart = target;
  return result;
}

int FerroConvertUTF16toUTF32(const UTF16** sourceStart, const UTF16* sourceEnd, UTF32** targetStart,
                             UTF32* targetEnd, FerroConversionFlags flags) {
  int result = conversionOK;
  const UTF16* source = *sourceStart;
  UTF32* target = *targetStart;
  while (source < sourceEnd) {
    const UTF16* start = source;
    UTF32 ch = 0;
    result = DecodeUTF16(source, sourceEnd, flags, ch);
    if (result != conversionOK) break;
    if (target >= targetEnd) {
      source = start;
      result = targetExhausted;
      break;
    }
    *target++ = ch;
  }
  *sourceStart = source;
  *targetStart = target;
  return result;
}

int FerroConvertUTF16toUTF8(const UTF16** sourceStart, const UTF16* sourceEnd, UTF8** targetStart,
                            UTF8* targetEnd, FerroConversionFlags flags) {
  int result = conversionOK;
  const UTF16* source = *sourceStart;
  UTF8* target = *targetStart;
  while (source < sourceEnd) {
    const UTF16* start = source;
    UTF32 ch = 0;
    result = DecodeUTF16(source, sourceEnd, flags, ch);
    if (result != conversionOK) break;
    if (!EncodeUTF8(ch, target, targetEnd)) {
      source = start;
      result = targetExhausted;
      break;
    }
  }
  *sourceStart = source;
  *targetStart = target;
  return result;
}

int FerroConvertUTF32toUTF8(const UTF32** sourceStart, const UTF32* sourceEnd, UTF8** targetStart,
                            UTF8* targetEnd, FerroConversionFlags flags) {
  int result = conversionOK;
  const UTF32* source = *sourceStart;
  UTF8* target = *targetStart;
  while (source < sourceEnd) {
    UTF32 ch = *source++;
    if (flags == strictConversion && IsSurrogate(ch)) {
      --source;
      result = sourceIllegal;
      break;
    }
    if (ch > kMaxLegal) {
      // Written as U+FFFD, but the source is still reported as illegal.
      ch = kReplacement;
      result = sourceIllegal;
    }
    if (!EncodeUTF8(ch, target, targetEnd)) {
      --source;
      result = targetExhausted;
      break;
    }
  }
  *sourceStart = source;
  *targetStart = target;
  return result;
}

int FerroConvertUTF8toUTF16(const UTF8** sourceStart, const UTF8* sourceEnd, UTF16** targetStart,
                            UTF16* targetEnd, FerroConversionFlags flags) {
  int result = conversionOK;
  const UTF8* source = *sourceStart;
  UTF16* target = *targetStart;
  while (source < sourceEnd) {
    const UTF8* start = source;
    UTF32 ch = 0;
    int extra = 0;
    result = DecodeUTF8(source, sourceEnd, ch, extra);
    if (result != conversionOK) break;
    result = EncodeUTF16(ch, target, targetEnd, flags);
    if (result != conversionOK) {
      source = start;
      break;
    }
  }
  *sourceStart = source;
  *targetStart = target;
  return result;
}

int FerroConvertUTF8toUTF32(const UTF8** sourceStart, const UTF8* sourceEnd, UTF32** targetStart,
                            UTF32* targetEnd, FerroConversionFlags flags) {
  int result = conversionOK;
  const UTF8* source = *sourceStart;
  UTF32* target = *targetStart;
  while (source < sourceEnd) {
    UTF32 ch = 0;
    int extra = 0;
    int decoded = DecodeUTF8(source, sourceEnd, ch, extra);
    if (decoded != conversionOK) {
      result = decoded;
      break;
    }
    if (target >= targetEnd) {
      source -= extra + 1;
      result = targetExhausted;
      break;
    }
    if (ch <= kMaxLegal) {
      if (IsSurrogate(ch)) {
        if (flags == strictConversion) {
          source -= extra + 1;
          result = sourceIllegal;
          break;
        }
        *target++ = kReplacement;
      } else {
        *target++ = ch;
      }
    } else {
      result = sourceIllegal;
      *target++ = kReplacement;
    }
  }
  *sourceStart = source;
  *targetStart = target;
  return result;
}

// ---------------------------------------------------------------------------------------------
// Whole texts
// ---------------------------------------------------------------------------------------------

unsigned char* utf16to8(const unsigned short* text) {
  if (text == nullptr) return nullptr;
  size_t units = 0;
  while (text[units] != 0) ++units;
  ++units;  // The terminator is converted too.
  UTF8* buffer = new UTF8[units * 5];
  const UTF16* source = text;
  UTF8* target = buffer;
  if (FerroConvertUTF16toUTF8(&source, text + units, &target, buffer + units * 5,
                              lenientConversion) != conversionOK) {
    delete[] buffer;
    return nullptr;
  }
  return buffer;
}

unsigned short* utf8to16(const unsigned char* text) {
  if (text == nullptr) return nullptr;
  size_t bytes = 0;
  while (text[bytes] != 0) ++bytes;
  ++bytes;  // The terminator is converted too.
  UTF16* buffer = new UTF16[bytes * 5];
  const UTF8* source = text;
  UTF16* target = buffer;
  if (FerroConvertUTF8toUTF16(&source, text + bytes, &target, buffer + bytes * 5,
                              lenientConversion) != conversionOK) {
    delete[] buffer;
    return nullptr;
  }
  return buffer;
}

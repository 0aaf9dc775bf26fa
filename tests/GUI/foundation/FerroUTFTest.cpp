#include "GUI/foundation/FerroUTF.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using U8 = std::vector<UTF8>;
using U16 = std::vector<UTF16>;
using U32 = std::vector<UTF32>;

TEST(FerroUTFTest, EveryScalarValueSurvivesEachRoundTrip) {
  for (UTF32 cp = 1; cp <= 0x10FFFF; ++cp) {
    if (cp >= 0xD800 && cp <= 0xDFFF) continue;
    UTF8 u8[4];
    UTF16 u16[2];
    UTF32 back = 0;
    const UTF32* s32 = &cp;
    UTF8* t8 = u8;
    ASSERT_EQ(FerroConvertUTF32toUTF8(&s32, &cp + 1, &t8, u8 + 4, strictConversion), conversionOK);
    const int len8 = static_cast<int>(t8 - u8);
    ASSERT_EQ(len8, cp < 0x80 ? 1 : cp < 0x800 ? 2 : cp < 0x10000 ? 3 : 4) << cp;

    const UTF8* s8 = u8;
    UTF16* t16 = u16;
    ASSERT_EQ(FerroConvertUTF8toUTF16(&s8, u8 + len8, &t16, u16 + 2, strictConversion),
              conversionOK);
    ASSERT_EQ(t16 - u16, cp < 0x10000 ? 1 : 2);

    const UTF16* s16 = u16;
    UTF32* t32 = &back;
    ASSERT_EQ(FerroConvertUTF16toUTF32(&s16, t16, &t32, &back + 1, strictConversion), conversionOK);
    ASSERT_EQ(back, cp);

    s8 = u8;
    t32 = &back;
    back = 0;
    ASSERT_EQ(FerroConvertUTF8toUTF32(&s8, u8 + len8, &t32, &back + 1, strictConversion),
              conversionOK);
    ASSERT_EQ(back, cp);
  }
}

TEST(FerroUTFTest, ZeroTerminatedConversionsIncludeTheTerminator) {
  const unsigned char text[] = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";
  std::unique_ptr<unsigned short[]> wide(utf8to16(text));
  ASSERT_NE(wide, nullptr);
  const U16 expected = {'a', 0xE9, 0x20AC, 0xD83D, 0xDE00, 0};
  EXPECT_EQ(U16(wide.get(), wide.get() + expected.size()), expected);

  std::unique_ptr<unsigned char[]> narrow(utf16to8(wide.get()));
  ASSERT_NE(narrow, nullptr);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(narrow.get())),
            std::string(reinterpret_cast<const char*>(text)));

  EXPECT_EQ(utf8to16(nullptr), nullptr);
  EXPECT_EQ(utf16to8(nullptr), nullptr);
  const unsigned char empty[] = "";
  std::unique_ptr<unsigned short[]> none(utf8to16(empty));
  ASSERT_NE(none, nullptr);
  EXPECT_EQ(none[0], 0);
}

TEST(FerroUTFTest, IllFormedUtf8IsRejectedEvenWhenLenient) {
  const char* bad[] = {
      "\xC0\x80",              // Overlong zero.
      "\xE0\x80\xAF",          // Overlong slash.
      "\x80",                  // Lone continuation byte.
      "\xED\xA0\x80",          // Encoded surrogate.
      "\xF4\x90\x80\x80",      // Above U+10FFFF.
      "\xF5\x80\x80\x80",      // Lead byte out of range.
      "\xF8\x88\x80\x80\x80",  // Obsolete five-byte form.
      "ab\xC3",                // Cut off just before the terminator.
      "\xE2\x28\xA1",          // Bad continuation byte.
  };
  for (const char* text : bad) {
    EXPECT_EQ(utf8to16(reinterpret_cast<const unsigned char*>(text)), nullptr) << text;
    const UTF8* s = reinterpret_cast<const UTF8*>(text);
    const UTF8* end = s + std::char_traits<char>::length(text) + 1;
    UTF32 out[8];
    UTF32* t = out;
    EXPECT_EQ(FerroConvertUTF8toUTF32(&s, end, &t, out + 8, lenientConversion), sourceIllegal)
        << text;
  }
}

TEST(FerroUTFTest, TruncatedSourceReportsExhaustion) {
  const U8 euroCut = {0xE2, 0x82};
  const UTF8* s8 = euroCut.data();
  UTF16 out16[4];
  UTF16* t16 = out16;
  EXPECT_EQ(FerroConvertUTF8toUTF16(&s8, s8 + 2, &t16, out16 + 4, lenientConversion),
            sourceExhausted);
  EXPECT_EQ(s8, euroCut.data());
  EXPECT_EQ(t16, out16);

  const U16 highAtEnd = {'a', 0xD83D};
  const UTF16* s16 = highAtEnd.data();
  UTF8 out8[8];
  UTF8* t8 = out8;
  EXPECT_EQ(FerroConvertUTF16toUTF8(&s16, s16 + 2, &t8, out8 + 8, lenientConversion),
            sourceExhausted);
  EXPECT_EQ(s16, highAtEnd.data() + 1);  // Stops at the unfinished pair.
  EXPECT_EQ(t8 - out8, 1);
}

TEST(FerroUTFTest, FullTargetStopsBeforeTheCharacterThatDoesNotFit) {
  const U8 text = {'a', 0xE2, 0x82, 0xAC};
  const UTF8* s8 = text.data();
  UTF16 out16[1];
  UTF16* t16 = out16;
  EXPECT_EQ(FerroConvertUTF8toUTF16(&s8, s8 + 4, &t16, out16 + 1, lenientConversion),
            targetExhausted);
  EXPECT_EQ(s8, text.data() + 1);
  EXPECT_EQ(t16, out16 + 1);

  // A pair needs two units; one free unit is not enough.
  const U32 astral = {0x1F600};
  const UTF32* s32 = astral.data();
  t16 = out16;
  EXPECT_EQ(FerroConvertUTF32toUTF16(&s32, s32 + 1, &t16, out16 + 1, lenientConversion),
            targetExhausted);
  EXPECT_EQ(s32, astral.data());

  const U16 euro = {0x20AC};
  const UTF16* s16 = euro.data();
  UTF8 out8[2];
  UTF8* t8 = out8;
  EXPECT_EQ(FerroConvertUTF16toUTF8(&s16, s16 + 1, &t8, out8 + 2, lenientConversion),
            targetExhausted);
  EXPECT_EQ(s16, euro.data());
  EXPECT_EQ(t8, out8);
}

TEST(FerroUTFTest, LenientModeCarriesOrReplacesSurrogatesAndOutOfRangeValues) {
  // Unpaired UTF-16 surrogates are carried over as their own values.
  const U16 lone = {0xD83D, 'a', 0xDE00, 0};
  std::unique_ptr<unsigned char[]> narrow(utf16to8(lone.data()));
  ASSERT_NE(narrow, nullptr);
  EXPECT_EQ(U8(narrow.get(), narrow.get() + 8), (U8{0xED, 0xA0, 0xBD, 'a', 0xED, 0xB8, 0x80, 0}));

  const UTF16* s16 = lone.data();
  UTF32 out32[4];
  UTF32* t32 = out32;
  EXPECT_EQ(FerroConvertUTF16toUTF32(&s16, s16 + 3, &t32, out32 + 4, lenientConversion),
            conversionOK);
  EXPECT_EQ(U32(out32, t32), (U32{0xD83D, 'a', 0xDE00}));
  s16 = lone.data();
  t32 = out32;
  EXPECT_EQ(FerroConvertUTF16toUTF32(&s16, s16 + 3, &t32, out32 + 4, strictConversion),
            sourceIllegal);

  // UTF-32 surrogates and values above U+10FFFF become U+FFFD.
  const U32 odd = {0xD800, 0x110000};
  const UTF32* s32 = odd.data();
  UTF16 out16[4];
  UTF16* t16 = out16;
  EXPECT_EQ(FerroConvertUTF32toUTF16(&s32, s32 + 2, &t16, out16 + 4, lenientConversion),
            conversionOK);
  EXPECT_EQ(U16(out16, t16), (U16{0xFFFD, 0xFFFD}));
  s32 = odd.data();
  t16 = out16;
  EXPECT_EQ(FerroConvertUTF32toUTF16(&s32, s32 + 2, &t16, out16 + 4, strictConversion),
            sourceIllegal);

  // Towards UTF-8 an out-of-range value is replaced but still reported illegal.
  const U32 big = {0x110000, 'b'};
  s32 = big.data();
  UTF8 out8[8];
  UTF8* t8 = out8;
  EXPECT_EQ(FerroConvertUTF32toUTF8(&s32, s32 + 2, &t8, out8 + 8, lenientConversion),
            sourceIllegal);
  EXPECT_EQ(U8(out8, t8), (U8{0xEF, 0xBF, 0xBD, 'b'}));
}

}  // namespace

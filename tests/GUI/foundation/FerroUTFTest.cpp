#include "GUI/foundation/FerroUTF.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using U8 = std::vector<UTF8>;
using U16 = std::vector<UTF16>;
using U32 = std::vector<UTF32>;

template <typename S, typename T>
struct Converted {
  int result;
  size_t used;  // Source units consumed.
  std::vector<T> out;
  bool operator==(const Converted&) const = default;
};

// Runs one core routine over the whole source into a target of `room` units.
template <typename S, typename T>
Converted<S, T> Convert(int (*core)(const S**, const S*, T**, T*, FerroConversionFlags),
                        const std::vector<S>& src, size_t room,
                        FerroConversionFlags flags = lenientConversion) {
  const S* s = src.data();
  std::vector<T> out(room + 1);
  T* t = out.data();
  const int result = core(&s, src.data() + src.size(), &t, out.data() + room, flags);
  out.resize(static_cast<size_t>(t - out.data()));
  return {result, static_cast<size_t>(s - src.data()), out};
}

TEST(FerroUTFTest, EveryScalarValueSurvivesEachRoundTrip) {
  for (UTF32 cp = 1; cp <= 0x10FFFF; ++cp) {
    if (cp >= 0xD800 && cp <= 0xDFFF) continue;
    const U8 u8 = Convert(FerroConvertUTF32toUTF8, U32{cp}, 4, strictConversion).out;
    ASSERT_EQ(u8.size(), cp < 0x80 ? 1u : cp < 0x800 ? 2u : cp < 0x10000 ? 3u : 4u) << cp;
    const U16 u16 = Convert(FerroConvertUTF8toUTF16, u8, 2, strictConversion).out;
    ASSERT_EQ(u16.size(), cp < 0x10000 ? 1u : 2u) << cp;
    ASSERT_EQ(Convert(FerroConvertUTF16toUTF32, u16, 1, strictConversion).out, U32{cp});
    ASSERT_EQ(Convert(FerroConvertUTF8toUTF32, u8, 1, strictConversion).out, U32{cp});
  }
}

TEST(FerroUTFTest, ZeroTerminatedConversionsIncludeTheTerminatorOrFail) {
  const unsigned char text[] = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";
  std::unique_ptr<unsigned short[]> wide(utf8to16(text));
  ASSERT_NE(wide, nullptr);
  const U16 expected = {'a', 0xE9, 0x20AC, 0xD83D, 0xDE00, 0};
  EXPECT_EQ(U16(wide.get(), wide.get() + expected.size()), expected);
  std::unique_ptr<unsigned char[]> narrow(utf16to8(wide.get()));
  ASSERT_NE(narrow, nullptr);
  EXPECT_STREQ(reinterpret_cast<char*>(narrow.get()), reinterpret_cast<const char*>(text));

  EXPECT_EQ(utf8to16(nullptr), nullptr);
  EXPECT_EQ(utf16to8(nullptr), nullptr);
  std::unique_ptr<unsigned short[]> none(utf8to16(reinterpret_cast<const unsigned char*>("")));
  ASSERT_NE(none, nullptr);
  EXPECT_EQ(none[0], 0);

  // Ill-formed UTF-8 is rejected even when lenient.
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
    const auto* bytes = reinterpret_cast<const UTF8*>(text);
    EXPECT_EQ(utf8to16(bytes), nullptr) << text;
    const U8 src(bytes, bytes + std::char_traits<char>::length(text) + 1);
    EXPECT_EQ(Convert(FerroConvertUTF8toUTF32, src, 8).result, sourceIllegal) << text;
  }
}

TEST(FerroUTFTest, ExhaustionStopsBeforeTheUnfinishedCharacterAndLenientModeCarriesOn) {
  // Each routine stops before a character it cannot finish and reports why.
  using U8to16 = Converted<UTF8, UTF16>;
  using U16to8 = Converted<UTF16, UTF8>;
  EXPECT_EQ(Convert(FerroConvertUTF8toUTF16, U8{'a', 0xE2, 0x82}, 4),
            (U8to16{sourceExhausted, 1, {'a'}}));
  EXPECT_EQ(Convert(FerroConvertUTF16toUTF8, U16{'a', 0xD83D}, 8),
            (U16to8{sourceExhausted, 1, {'a'}}));
  EXPECT_EQ(Convert(FerroConvertUTF8toUTF16, U8{'a', 0xE2, 0x82, 0xAC}, 1),
            (U8to16{targetExhausted, 1, {'a'}}));
  EXPECT_EQ(Convert(FerroConvertUTF16toUTF8, U16{'a', 0x20AC}, 3),
            (U16to8{targetExhausted, 1, {'a'}}));
  // A pair needs two units.
  EXPECT_EQ(Convert(FerroConvertUTF32toUTF16, U32{'a', 0x1F600}, 2),
            (Converted<UTF32, UTF16>{targetExhausted, 1, {'a'}}));

  // Unpaired UTF-16 surrogates are carried over as their own values.
  const U16 lone = {0xD83D, 'a', 0xDE00, 0};
  std::unique_ptr<unsigned char[]> narrow(utf16to8(lone.data()));
  ASSERT_NE(narrow, nullptr);
  EXPECT_EQ(U8(narrow.get(), narrow.get() + 8), (U8{0xED, 0xA0, 0xBD, 'a', 0xED, 0xB8, 0x80, 0}));
  EXPECT_EQ(Convert(FerroConvertUTF16toUTF32, lone, 4),
            (Converted<UTF16, UTF32>{conversionOK, 4, {0xD83D, 'a', 0xDE00, 0}}));
  EXPECT_EQ(Convert(FerroConvertUTF16toUTF32, lone, 4, strictConversion).result, sourceIllegal);

  // UTF-32 surrogates and values above U+10FFFF become U+FFFD.
  const U32 odd = {0xD800, 0x110000};
  EXPECT_EQ(Convert(FerroConvertUTF32toUTF16, odd, 4),
            (Converted<UTF32, UTF16>{conversionOK, 2, {0xFFFD, 0xFFFD}}));
  EXPECT_EQ(Convert(FerroConvertUTF32toUTF16, odd, 4, strictConversion).result, sourceIllegal);

  // Towards UTF-8 an out-of-range value is replaced but still reported illegal.
  EXPECT_EQ(Convert(FerroConvertUTF32toUTF8, U32{0x110000, 'b'}, 8),
            (Converted<UTF32, UTF8>{sourceIllegal, 2, {0xEF, 0xBF, 0xBD, 'b'}}));
}

}  // namespace

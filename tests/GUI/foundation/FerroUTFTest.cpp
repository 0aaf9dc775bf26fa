#include "GUI/foundation/FerroUTF.h"

#include "GUI/foundation/Utf8Text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using U8 = std::vector<UTF8>;
using U16 = std::vector<UTF16>;
using U32 = std::vector<UTF32>;

// The characters NextUtf8Char reads from the text: up to its end (bounded)
// or up to its zero byte.
std::u32string Read(const std::string& text, bool bounded) {
  std::u32string out;
  const char* end = text.data() + text.size();
  for (const char* p = text.c_str(); bounded ? p < end : *p != 0;)
    out += NextUtf8Char(p, bounded ? end : nullptr);
  return out;
}

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
    // Read as text, bounded and zero-terminated.
    const std::string text(u8.begin(), u8.end());
    ASSERT_EQ(Read(text, true), std::u32string(1, cp)) << cp;
    ASSERT_EQ(Read(text, false), std::u32string(1, cp)) << cp;
  }
}

// Ill-formed UTF-8 is rejected even when lenient. Read as text it gives one
// replacement for each longest start of a well-formed sequence (or single
// byte), and the byte that broke a sequence is read on its own.
TEST(FerroUTFTest, IllFormedUTF8IsRejected) {
  constexpr char32_t R = kReplacementChar;
  const struct {
    const char* text;
    std::u32string read;
  } bad[] = {
      {"\xC0\x80", {R, R}},                       // Overlong zero.
      {"\xE0\x80\xAF", {R, R, R}},                // Overlong slash.
      {"\x80", {R}},                              // Lone continuation byte.
      {"\xED\xA0\x80", {R, R, R}},                // Encoded surrogate.
      {"\xF4\x90\x80\x80", {R, R, R, R}},         // Above U+10FFFF.
      {"ab\xC3", {'a', 'b', R}},                  // Cut off just before the terminator.
      {"\xE2\x28\xA1", {R, '(', R}},              // Bad continuation byte.
      {"\xF0\x9F\x98<", {R, '<'}},                // Three of four bytes, then a tag.
      {"\xF8\x88\x80\x80\x80", {R, R, R, R, R}},  // The obsolete five-byte form.
  };
  for (const auto& [text, read] : bad) {
    const auto* bytes = reinterpret_cast<const UTF8*>(text);
    const U8 src(bytes, bytes + std::char_traits<char>::length(text) + 1);
    EXPECT_EQ(Convert(FerroConvertUTF8toUTF32, src, 8).result, sourceIllegal) << text;
    EXPECT_EQ(Convert(FerroConvertUTF8toUTF16, src, 8).result, sourceIllegal) << text;
    EXPECT_EQ(Read(text, false), read) << text;
    EXPECT_EQ(Read(text, true), read) << text;
  }
  // The end of a bounded text cuts a sequence short as the zero byte does.
  EXPECT_EQ(Read(std::string("\xE2\x82\xAC", 2), true), std::u32string(1, R));
  EXPECT_EQ(Read(std::string("a\0b", 3), true), (std::u32string{'a', 0, 'b'}));
}

TEST(FerroUTFTest, AFullTargetStopsBeforeTheCharacterAndLenientModeCarriesOn) {
  using U16to8 = Converted<UTF16, UTF8>;
  EXPECT_EQ(Convert(FerroConvertUTF16toUTF8, U16{'a', 0x20AC}, 3),
            (U16to8{targetExhausted, 1, {'a'}}));

  // Unpaired UTF-16 surrogates are carried over as their own values.
  EXPECT_EQ(Convert(FerroConvertUTF16toUTF8, U16{0xD83D, 'a', 0xDE00}, 8),
            (U16to8{conversionOK, 3, {0xED, 0xA0, 0xBD, 'a', 0xED, 0xB8, 0x80}}));

  // Towards UTF-8 an out-of-range value is replaced but still reported illegal.
  EXPECT_EQ(Convert(FerroConvertUTF32toUTF8, U32{0x110000, 'b'}, 8),
            (Converted<UTF32, UTF8>{sourceIllegal, 2, {0xEF, 0xBF, 0xBD, 'b'}}));
}

}  // namespace

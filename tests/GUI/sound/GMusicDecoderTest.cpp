#include "GUI/sound/GMusicDecoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/Files.h"
#include "tests/support/OggPages.h"

namespace {

// Two files of a 441 Hz sine at half scale, mono, at 44100 Hz. tone.ogg holds
// 8800 frames (exactly 88 periods) as they are; loop.ogg names the same 8800
// frames as its loop, with 4096 frames of the sine on either side.
constexpr int kToneFrames = 8800;

std::string Music(const char* name) {
  return (SourceDir() / "tests/GUI/sound/music" / name).string();
}

// Everything the decoder gives for `frames` frames, read in odd-sized pieces.
std::vector<float> ReadAll(GMusicDecoder& decoder, size_t frames, bool loop) {
  std::vector<float> out(2 * frames, 9.0f);
  size_t done = 0;
  for (size_t piece = 1; done < frames; piece = piece * 3 % 1999 + 1) {
    const size_t got = decoder.Read(out.data() + 2 * done, std::min(piece, frames - done), loop);
    done += got;
    if (got == 0) break;
  }
  out.resize(2 * done);
  return out;
}

// Both files play 8800 frames over and over; the loop's are the middle of a
// longer sound, so nothing jumps where they meet.
TEST(GMusicDecoderTest, LoopsSampleExactlyAndAFileWithItsLoopNamedHasNoSeam) {
  for (const char* name : {"tone.ogg", "loop.ogg"}) {
    SCOPED_TRACE(name);
    GMusicDecoder decoder;
    ASSERT_EQ(decoder.Open(Music(name).c_str(), 44100), GMusicDecoder::OpenResult::Ok)
        << decoder.GetFault();
    EXPECT_EQ(decoder.GetLength(), kToneFrames);
    const std::vector<float> out = ReadAll(decoder, 3 * kToneFrames + 500, true);
    ASSERT_EQ(out.size(), 2u * (3 * kToneFrames + 500));
    float largestStep = 0.0f;
    for (size_t f = 0; f < out.size() / 2; ++f) {
      ASSERT_EQ(out[2 * f], out[2 * f + 1]) << "frame " << f << ": mono reaches both sides";
      if (f >= kToneFrames) {
        ASSERT_EQ(out[2 * f], out[2 * (f - kToneFrames)]) << "frame " << f;
      }
      if (f > 0 && f % kToneFrames != 0)
        largestStep = std::max(largestStep, std::fabs(out[2 * f] - out[2 * f - 2]));
    }
    EXPECT_NEAR(*std::max_element(out.begin(), out.end()), 0.5f, 0.03f);
    EXPECT_FALSE(decoder.IsFinished());
    const float seam = std::fabs(out[2 * kToneFrames] - out[2 * kToneFrames - 2]);
    if (name[0] == 'l') {
      EXPECT_LE(seam, largestStep) << "the loop point continues the wave";
    }

    // Read once, the piece ends with its last frame and the decoder closes.
    ASSERT_EQ(decoder.Open(Music(name).c_str(), 44100), GMusicDecoder::OpenResult::Ok);
    const std::vector<float> once = ReadAll(decoder, 2 * kToneFrames, false);
    EXPECT_EQ(once.size(), 2u * kToneFrames);
    EXPECT_TRUE(std::equal(once.begin(), once.end(), out.begin()));
    EXPECT_TRUE(decoder.IsFinished() && !decoder.IsOpen() && !decoder.IsDamaged());
  }
}

// Every kind of damage is told before a frame plays, by a reason of its own.
TEST(GMusicDecoderTest, DamagedFilesAreRefusedWithTheirReason) {
  const Bytes tone = ReadBytes(Music("tone.ogg")), loop = ReadBytes(Music("loop.ogg"));
  const std::vector<OggPage> pages = OggPages(tone);
  ASSERT_EQ(pages.size(), 3u) << "identification, setup, sound";
  auto cut = [&](size_t n) { return Bytes(tone.begin(), tone.begin() + n); };
  auto patched = [&](size_t at, std::initializer_list<unsigned char> bytes, bool fix) {
    Bytes b = tone;
    std::copy(bytes.begin(), bytes.end(), b.begin() + at);
    if (fix) FixOggChecksums(b);
    return b;
  };
  Bytes twice = tone;
  twice.insert(twice.end(), tone.begin() + pages[2].start, tone.end());
  Bytes gap = cut(pages[1].start);
  gap.insert(gap.end(), tone.begin() + pages[2].start, tone.end());
  const size_t setup = std::string(tone.begin(), tone.end()).find("BCV");
  ASSERT_NE(setup, std::string::npos);
  Bytes farLoop = loop;
  const size_t start = std::string(loop.begin(), loop.end()).find("LOOPSTART=4096");
  ASSERT_NE(start, std::string::npos);
  std::copy_n("9999", 4, farLoop.begin() + start + 10);
  FixOggChecksums(farLoop);
  // The identification packet starts after page 0's header and one segment
  // byte: its channel count is at 28 + 11, its rate at 28 + 12.
  const struct {
    const char* what;
    Bytes bytes;
    const char* fault;
  } cases[] = {
      {"empty", {}, "not an Ogg file"},
      {"text", Bytes{'m', 'u', 's', 'i', 'c', '\n'}, "not an Ogg file"},
      {"cut in the first page", cut(40), "ends inside a page"},
      {"cut in the last page", cut(tone.size() - 100), "ends inside a page"},
      {"cut before the last page", cut(pages[2].start), "ends before its last page"},
      {"a byte changed", patched(pages[2].start + 300, {0x55}, false), "checksum"},
      {"a page dropped", gap, "a page is missing"},
      {"a page after the last", twice, "more after its last page"},
      {"a page of another stream", patched(pages[2].start + 14, {0x77}, true), "more than one"},
      {"another rate", patched(40, {0x22, 0x56, 0, 0}, true), "22050 frames a second, not 44100"},
      {"a broken setup", patched(setup, {'B', 'C', 'X'}, true), "cannot be decoded"},
      {"a loop past the end", farLoop, "its loop lies outside its frames"},
      // The comment packet's vendor text two bytes shorter than it is: what
      // follows reads as comments of absurd lengths.
      {"a comment header out of step", patched(106, {50}, true), "comments do not fit"},
  };
  TempDir dir;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string path = dir / "damaged.ogg";
    std::filesystem::remove(path);
    ASSERT_TRUE(WriteText(path, std::string(c.bytes.begin(), c.bytes.end())));
    GMusicDecoder decoder;
    EXPECT_EQ(decoder.Open(path.c_str(), 44100), GMusicDecoder::OpenResult::Damaged);
    EXPECT_NE(decoder.GetFault().find(c.fault), std::string::npos) << decoder.GetFault();
    EXPECT_TRUE(decoder.IsDamaged() && !decoder.IsOpen());
    float frame[2];
    EXPECT_EQ(decoder.Read(frame, 1, true), 0u);
  }
  GMusicDecoder decoder;
  EXPECT_EQ(decoder.Open((dir / "none.ogg").c_str(), 44100), GMusicDecoder::OpenResult::Missing);
  EXPECT_EQ(decoder.GetFault(), "is missing");
}

}  // namespace

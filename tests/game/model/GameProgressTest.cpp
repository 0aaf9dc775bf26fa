#include "game/model/CGameProgress.h"

#include <gtest/gtest.h>

#include <string>

#include "GUI/foundation/ContentDigest.h"
#include "tests/support/Files.h"

namespace {

constexpr const char* kDigest = "0123456789abcdef";
constexpr const char* kOther = "fedcba9876543210";

CGameProgress Read(const std::string& text) {
  CGameProgress progress;
  progress.Parse(text);
  return progress;
}

WIN_NEWS Win(CGameProgress& progress, const char* name, int time, int score,
             const char* digest = kDigest) {
  WIN_NEWS news;
  EXPECT_TRUE(progress.RecordWin(name, digest, time, score, news)) << name;
  return news;
}

// The file a first win makes, byte for byte, and how later wins change it:
// a better time and a lower score change only the time; a level won on
// another content of its map starts its record anew.
TEST(CGameProgress, TheFileIsWrittenByteForByteAfterEachWin) {
  const std::string header =
      "; The progress of Digmaze's player, written by the game after every won level.\r\n";
  CGameProgress progress;
  EXPECT_EQ(Win(progress, "level07.dmm", 415, 230), (WIN_NEWS{true, false, false}));
  EXPECT_EQ(progress.Format(), header +
                                   "[level07.dmm]\r\ncleared = yes\r\nbest-time = 41.5\r\n"
                                   "best-score = 230\r\ndigest = 0123456789abcdef\r\n");
  EXPECT_EQ(Win(progress, "1234567890.dmm", 7, -3), (WIN_NEWS{true, false, false}));
  EXPECT_EQ(Win(progress, "level07.dmm", 399, 229), (WIN_NEWS{false, true, false}));
  EXPECT_EQ(Win(progress, "level07.dmm", 399, 231), (WIN_NEWS{false, false, true}))
      << "an equal time is no new best";
  const std::string both = header +
                           "[level07.dmm]\r\ncleared = yes\r\nbest-time = 39.9\r\n"
                           "best-score = 231\r\ndigest = 0123456789abcdef\r\n"
                           "[1234567890.dmm]\r\ncleared = yes\r\nbest-time = 0.7\r\n"
                           "best-score = -3\r\ndigest = 0123456789abcdef\r\n";
  TempDir dir;
  const std::string path = dir / CGameProgress::kFileName;
  ASSERT_TRUE(progress.Save(path.c_str()));
  CGameProgress reread;
  EXPECT_EQ(reread.Load(path.c_str()), CGameProgress::LoadResult::loaded);
  EXPECT_EQ(std::pair(reread.Format(), ReadText(path)), std::pair(both, both));
  EXPECT_EQ(reread.Find("level07.dmm", kDigest), (LEVEL_RECORD{true, 399, 231}));

  EXPECT_EQ(Win(progress, "level07.dmm", 500, 100, kOther), (WIN_NEWS{true, false, false}));
  EXPECT_EQ(progress.Find("level07.dmm", kOther), (LEVEL_RECORD{true, 500, 100}));
  EXPECT_EQ(progress.Find("level07.dmm", kDigest), LEVEL_RECORD()) << "the old content's is gone";
}

// What a record gives for each damaged or foreign text: a value that cannot
// be read costs only its key, a record of another content (or of none) counts
// for nothing, and only the first time a key stands in its section counts.
TEST(CGameProgress, ADamagedLineCostsOnlyItself) {
  const std::string digest = std::string("digest = ") + kDigest + "\n";
  const struct {
    std::string text;
    LEVEL_RECORD want;
  } cases[] = {
      {"[a.dmm]\ncleared = yes\nbest-time = 12\nbest-score = 7\n" + digest, {true, 120, 7}},
      {"[a.dmm]\ncleared = yes\nbest-time = 1.25\nbest-score = 7x\n" + digest, {true, {}, {}}},
      {"[a.dmm]\ncleared maybe\nbest-time = .5\nbest-score = --1\n" + digest, {false, {}, {}}},
      {"[a.dmm]\r\ncleared=yes ; won\r\nbest-time = 123456789.0\r\n" + digest, {true, {}, {}}},
      {"[a.dmm]\ncleared = yes\nbest-time = 3.0\n" + std::string("best-score = 4\0\n", 16) + digest,
       {true, 30, {}}},
      {"[a.dmm]\ncleared = yes\nbest-time = 3.0\ndigest = " + std::string(kOther) + "\n", {}},
      {"[a.dmm]\ncleared = yes\nbest-time = 3.0\n", {}},
      {"[b.dmm]\ncleared = yes\n" + digest + "[a.dmm]\nbest-time = 2.0\n[a.dmm]\n" + digest +
           "best-time = 1.0\n",
       {false, 20, {}}},
      {"\xff\xfe binary\0junk", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Read(c.text).Find("a.dmm", kDigest), c.want);
  }
}

// A win rewrites only its own values: the lines, comments and sections the
// game does not know, and a damaged value's neighbours, stay as they were.
TEST(CGameProgress, AWinKeepsEveryOtherLine) {
  CGameProgress progress =
      Read("; mine\n[a.dmm]\ncleared = yes\nbest-time = x\nfuture = 1 ; later\n\n[zz]\nq = 2\n" +
           std::string("[a.dmm]\ndigest = ") + kDigest + "\nbest-score = 50\n");
  EXPECT_EQ(Win(progress, "a.dmm", 95, 40), (WIN_NEWS{false, false, false}));
  EXPECT_EQ(progress.Format(),
            "; mine\n[a.dmm]\ncleared = yes\nbest-time = 9.5\nfuture = 1 ; later\n\n[zz]\nq = 2\n"
            "[a.dmm]\ndigest = 0123456789abcdef\nbest-score = 50\n");
  // A name that could not be read back as a section's is not recorded.
  WIN_NEWS news;
  for (const char* name : {"a]b.dmm", "a;b.dmm", " a.dmm", ""})
    EXPECT_FALSE(progress.RecordWin(name, kDigest, 1, 1, news)) << name;
}

// Open are the cleared levels and the first three not cleared; the focus
// starts on the first not cleared (the first level when all are).
TEST(CGameProgress, TheClearedLevelsAndTheFirstThreeOthersAreOpen) {
  const struct {
    std::vector<bool> cleared, open;
    int first;
  } cases[] = {
      {{}, {}, 0},
      {{0, 0, 0, 0, 0}, {1, 1, 1, 0, 0}, 0},
      {{1, 1, 0, 0, 0, 0, 0}, {1, 1, 1, 1, 1, 0, 0}, 2},
      {{0, 1, 0, 1, 0, 0, 1, 0}, {1, 1, 1, 1, 1, 0, 1, 0}, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CGameProgress::OpenLevels(c.cleared), c.open);
    EXPECT_EQ(CGameProgress::FirstNotCleared(c.cleared), c.first);
  }
}

// A file too large to be the game's reads as no records and as unreadable,
// so the game does not write over it; a map that cannot be read has no digest.
TEST(CGameProgress, AFileThatCannotBeReadIsNotTaken) {
  TempDir dir;
  const std::string path = dir / CGameProgress::kFileName;
  ASSERT_TRUE(WriteText(path, std::string(CGameProgress::kMaxFileSize + 1, '\n')));
  CGameProgress progress;
  EXPECT_EQ(progress.Load(path.c_str()), CGameProgress::LoadResult::unreadable);
  EXPECT_EQ(CGameProgress::MapDigest((dir / "none.dmm").c_str()), "");
}

}  // namespace

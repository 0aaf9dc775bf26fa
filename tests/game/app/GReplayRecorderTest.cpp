#include "game/app/GReplayRecorder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/Files.h"

namespace fs = std::filesystem;

namespace {

class GReplayRecorderTest : public ::testing::Test {
 protected:
  void SetUp() override { recorder.SetFolder((folder / "rec").c_str()); }

  TempDir scratch;
  const fs::path folder{scratch.Path()};
  GReplayRecorder recorder;
};

// What the scene hands over becomes exactly the lines a replay needs: each
// action under its default key's name, a held key's repeat only when it
// changed play, written as release and press; any other key that starts the
// level as a Space tap; nothing after the end.
TEST_F(GReplayRecorderTest, WritesTheScriptAReplayNeeds) {
  recorder.BeginLevel("level07.dmm", 0, false);
  recorder.KeyDown(0, PLAYER_OTHER, true);   // starts the level
  recorder.KeyDown(0, PLAYER_OTHER, false);  // a second time changes nothing
  recorder.KeyDown(3, PLAYER_RIGHT, true);
  recorder.KeyDown(9, PLAYER_RIGHT, false);  // a repeat that changed nothing
  recorder.KeyDown(12, PLAYER_UP, true);
  recorder.KeyDown(14, PLAYER_RIGHT, true);  // a repeat that turned the runner back
  recorder.KeyUp(20, PLAYER_RIGHT);
  recorder.KeyUp(20, PLAYER_UP);
  recorder.KeyDown(21, PLAYER_DIG, true);
  recorder.KeyUp(22, PLAYER_DIG);
  recorder.KeyUp(23, PLAYER_OTHER);  // not a key of play
  recorder.KeyDown(25, PLAYER_LEFT, true);
  recorder.Note("caught T 40 S 3");
  recorder.EndLevel("end T 80 S 2 SC 110");
  recorder.KeyDown(90, PLAYER_LEFT, true);
  EXPECT_EQ(ReadText(folder / "rec/level07.txt"),
            "# level07.dmm\n"
            "0 down Space\n0 up Space\n"
            "3 down Right\n12 down Up\n14 up Right\n14 down Right\n"
            "20 up Right\n20 up Up\n21 down Space\n22 up Space\n"
            "25 down Left\n"
            "# caught T 40 S 3\n# end T 80 S 2 SC 110\n");
}

// Playing a map again never replaces an earlier recording: later attempts are
// numbered, and one resumed from a saved game says from which tick.
TEST_F(GReplayRecorderTest, LaterAttemptsGetNumberedFiles) {
  for (const char* name : {"level01.txt", "level01-2.txt", "level01-3.txt"}) {
    recorder.BeginLevel("level01.dmm", 0, false);
    EXPECT_EQ(fs::path(recorder.GetPath()).filename(), name);
    recorder.KeyDown(0, PLAYER_LEFT, true);
  }
  recorder.BeginLevel("level01.dmm", 57, true);  // closes the third, opens a fourth
  recorder.EndLevel("left at tick 60");
  EXPECT_EQ(ReadText(folder / "rec/level01-3.txt"), "# level01.dmm\n0 down Left\n");
  EXPECT_EQ(ReadText(folder / "rec/level01-4.txt")
                .rfind("# level01.dmm\n# resumed from a saved game at tick 57", 0),
            0u);
}

TEST_F(GReplayRecorderTest, AnUnwritableFolderRecordsNothing) {
  ASSERT_TRUE(WriteText(folder / "file", "x"));
  recorder.SetFolder((folder / "file/rec").c_str());
  recorder.BeginLevel("level01.dmm", 0, false);
  EXPECT_EQ(recorder.GetPath(), "");
  recorder.KeyDown(0, PLAYER_LEFT, true);
  recorder.EndLevel("end");
}

}  // namespace

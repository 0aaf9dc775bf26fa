#include "game/app/GReplayRecorder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/Files.h"
#include "tests/support/Scoped.h"

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

// The speed and steering open the script and come again only where one of
// them changed; a new level notes both again.
TEST_F(GReplayRecorderTest, NotesSpeedAndSteeringWhereTheyChange) {
  recorder.BeginLevel("level02.dmm", 0, false);
  recorder.NoteChoices(0, GameSpeed::normal, Steering::keepGoing);
  recorder.KeyDown(2, PLAYER_RIGHT, true);
  recorder.NoteChoices(5, GameSpeed::normal, Steering::keepGoing);
  recorder.NoteChoices(6, GameSpeed::fast, Steering::keepGoing);
  recorder.NoteChoices(7, GameSpeed::fast, Steering::stopOnRelease);
  recorder.BeginLevel("level02.dmm", 9, false);
  recorder.NoteChoices(9, GameSpeed::fast, Steering::stopOnRelease);
  recorder.EndLevel("left");
  EXPECT_EQ(ReadText(folder / "rec/level02.txt"),
            "# level02.dmm\n0 speed normal\n0 steering keep-going\n2 down Right\n"
            "6 speed fast\n7 steering stop-on-release\n");
  EXPECT_EQ(ReadText(folder / "rec/level02-2.txt"),
            "# level02.dmm\n9 speed fast\n9 steering stop-on-release\n# left\n");
}

// No folder, or a disk that fills up in the middle of an event of several
// lines: the recording stops there and play goes on.
TEST_F(GReplayRecorderTest, AnUnwritableFolderOrAFullDiskRecordsNothingMore) {
  recorder.BeginLevel("level03.dmm", 0, false);
  {
    ScopedFileSizeLimit full(std::string("# level03.dmm\n0 down Space\n").size() + 3);
    recorder.KeyDown(0, PLAYER_DIG, true);
    recorder.KeyDown(0, PLAYER_OTHER, true);  // up, down and up Space: the disk fills
    recorder.NoteChoices(0, GameSpeed::slow, Steering::keepGoing);
  }
  EXPECT_EQ(recorder.GetPath(), "");
  recorder.KeyDown(1, PLAYER_LEFT, true);
  EXPECT_EQ(ReadText(folder / "rec/level03.txt").rfind("# level03.dmm\n0 down Space\n", 0), 0u);

  ASSERT_TRUE(WriteText(folder / "file", "x"));
  recorder.SetFolder((folder / "file/rec").c_str());
  recorder.BeginLevel("level01.dmm", 0, false);
  EXPECT_EQ(recorder.GetPath(), "");
  recorder.KeyDown(0, PLAYER_LEFT, true);
  recorder.EndLevel("end");
}

}  // namespace

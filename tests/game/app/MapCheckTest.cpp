// The map editor's check as a process of its own: what the game reads from
// it while it runs and at its end, with stand-in programs for every way a
// check can go (the editor's test runs the real one).
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <string>
#include <thread>
#include <tuple>

#include "game/app/GMapCheck.h"
#include "tests/support/HeadlessGame.h"

namespace fs = std::filesystem;

namespace {

class MapCheckTest : public ::testing::Test {
 protected:
  // Polls until the check is no longer running (a minute at most).
  void Await(GMapCheck& check) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (check.GetState() == GMapCheck::State::running &&
           std::chrono::steady_clock::now() < end) {
      check.Poll();
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }
  // The copies of the map the checks left in the temporary folder.
  size_t Copies() {
    size_t n = 0;
    for (const auto& entry : fs::directory_iterator(dir.Path()))
      n += entry.path().filename().string().rfind("check-", 0) == 0;
    return n;
  }

  TempDir dir;
  HeadlessPlatform platform{nullptr, "Digmaze", dir.Path()};
};

// A stand-in check reports its progress (the states, here the size of the
// copy of the map it was handed) and then answers, or fails; the game reads
// the answer whole and says it as the player reads it. The copy goes once
// the check is over.
TEST_F(MapCheckTest, TheAnswerIsReadWholeAndEveryFailureIsTheCheckThatCouldNotRun) {
  const std::string progress = "echo \"progress $(wc -c <\"$1\") 1 3\"; ";
  const struct {
    const char* what;
    std::string script;
    GMapCheck::State state;
    const char* answer;
  } cases[] = {
      {"a win", progress + "printf 'won 1660 4 5\\n0 down Right\\n3 up Right\\nend\\n'",
       GMapCheck::State::answered, "This map can be won in 1:23 with 4 holes dug."},
      {"a win with one hole", "printf 'won 20 1 5\\n0 down Space\\nend\\n'",
       GMapCheck::State::answered, "This map can be won in 0:01 with 1 hole dug."},
      {"no win", progress + "echo nowin 1234567", GMapCheck::State::answered,
       "No way to win was found (searched 1,234,567 states)."},
      {"no runner", "echo refused runner", GMapCheck::State::answered, "The map has no runner."},
      {"no exit", "echo refused exit", GMapCheck::State::answered, "The map has no exit."},
      {"no treasure", "echo refused treasure", GMapCheck::State::answered, "There is no treasure."},
      {"a crash", progress + "kill -SEGV $$", GMapCheck::State::failed, "The check could not run."},
      {"an end without an answer", progress + "exit 0", GMapCheck::State::failed,
       "The check could not run."},
      {"a win cut off", "printf 'won 20 0 5\\n0 down Right\\n'", GMapCheck::State::failed,
       "The check could not run."},
      {"a win without keys", "printf 'won 20 0 5\\nend\\n'", GMapCheck::State::failed,
       "The check could not run."},
      {"nonsense", "echo hello; sleep 60", GMapCheck::State::failed, "The check could not run."},
      {"more after the answer", "printf 'nowin 5\\nnowin 6\\n'", GMapCheck::State::failed,
       "The check could not run."},
  };
  const std::string map(4820, 'm');
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(WriteScript(dir / "check", c.script));
    GMapCheck check;
    ASSERT_TRUE(check.Start(&platform, CFerroString((dir / "check").c_str()), map));
    EXPECT_EQ(Copies(), size_t{1});
    Await(check);
    EXPECT_EQ(check.GetState(), c.state);
    EXPECT_STREQ(check.AnswerText().c_str(), c.answer);
    // The progress told the size of the copy; a later answer tells its own count.
    if (c.script.rfind(progress, 0) == 0 && c.state == GMapCheck::State::failed) {
      EXPECT_EQ(check.ProgressText(), CFerroString("States searched: 4,820"));
    }
    EXPECT_EQ(Copies(), size_t{0});
  }
  GMapCheck missing;
  EXPECT_FALSE(missing.Start(&platform, CFerroString((dir / "none").c_str()), map));
  EXPECT_EQ(std::pair(missing.GetState(), Copies()),
            std::pair(GMapCheck::State::failed, size_t{0}));
}

// Cancel ends a search that runs at once, and nothing of it is left.
TEST_F(MapCheckTest, CancelEndsTheSearchAtOnce) {
  // The stand-in gives its process id as the states searched.
  ASSERT_TRUE(WriteScript(dir / "check", "echo progress $$ 0 1; sleep 60"));
  GMapCheck check;
  ASSERT_TRUE(check.Start(&platform, CFerroString((dir / "check").c_str()), "map"));
  while (check.GetReport().GetStates() == 0) check.Poll();
  const auto pid = static_cast<pid_t>(check.GetReport().GetStates());
  EXPECT_EQ(check.GetState(), GMapCheck::State::running);
  check.Cancel();
  EXPECT_EQ(std::tuple(check.GetState(), kill(pid, 0), Copies()),
            std::tuple(GMapCheck::State::idle, -1, size_t{0}))
      << "the search is gone with its copy of the map";
}

}  // namespace

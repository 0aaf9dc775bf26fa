#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "GUI/toolkit/InputCodes.h"
#include "game/app/GButtonDM.h"
#include "game/app/GSceneGame.h"
#include "game/app/GSceneMenu.h"
#include "game/model/GMap.h"
#include "tests/support/Files.h"
#include "tests/support/GameAppFixture.h"
#include "tests/support/Replays.h"

namespace fs = std::filesystem;

namespace {

// Every file below a folder, with its bytes.
std::map<std::string, std::string> Contents(const std::string& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    if (entry.is_regular_file()) files[entry.path().string()] = ReadText(entry.path());
  return files;
}

// A status line with each alien's position but not its animation: the game
// shows a won level with every alien standing still, which it sets in the
// tick the level is won; the simulator prints the aliens as the last move
// left them.
std::string WithAliensStill(const std::string& line) {
  static const std::regex alien(" A (-?[0-9]+) (-?[0-9]+) [0-9]+ [0-9]+");
  return std::regex_replace(line, alien, " A $1 $2");
}

// The game recording into a folder that starts missing, its demonstration
// given the shipped solutions of one set of 25 levels (the first set holds
// the demonstration's own replays) instead of its own few, and what
// digmaze-sim prints for each, run first: the game, once made, counts a map
// changed outside the game scene as an edit. The four sets are four tests,
// which the test runner can run side by side: the odd ones in smooth motion,
// the clock standing still but for a frame drawn between every two ticks,
// the even ones in classic motion.
class CampaignPlaytest : public GameTest, public ::testing::WithParamInterface<int> {
 protected:
  CampaignPlaytest() : GameTest(true, true) {}
  void SetUp() override {
    const fs::path demo = folder / "demo";
    fs::remove_all(demo);
    fs::create_directory(demo);
    for (const auto& entry : fs::directory_iterator(SourceDir() / "data/solutions")) {
      const std::string level = entry.path().stem().string();
      if (level.rfind("level", 0) != 0 || (std::stoi(level.substr(5)) - 1) / 25 != GetParam() - 1)
        continue;
      fs::copy_file(entry.path(), demo / entry.path().filename());
      simulated[level] =
          ReplayedLines(ReadText(entry.path()), SourceDir() / "data/Maps" / (level + ".dmm"));
    }
    ASSERT_EQ(simulated.size(), 25u);
    game.SetRecordFolder((records / "rec").c_str());
    GameTest::SetUp();
    smooth = GetParam() % 2 == 1;
    game.SetMotion(smooth ? MotionMode::Smooth : MotionMode::Classic);
    // So a redraw draws the units where the frame did.
    game.Platform()->fixedTick = 1000;
  }
  bool smooth = true;
  TempDir records;
  std::map<std::string, std::vector<std::string>> simulated;
};

}  // namespace

// The game plays every level of a set by its shipped solution, one after
// the other as its demonstration, in the game scene with its key
// handling and level timing, in smooth or classic motion, tick for tick as
// digmaze-sim plays it (but for the aliens' animations in the tick it is
// won), although a held key's repeat reaches the scene; after the last
// level the main menu is back. No file of the game folder or the per-user
// folder changes, and nothing is recorded although the game records.
TEST_P(CampaignPlaytest, EverySolutionPlaysTickForTickAsTheSimulatorAndTouchesNothing) {
  game.PlatformTimer();
  const auto gameFiles = Contents(folder.Path()), userFiles = Contents(user.Path());
  GSceneGame* play = Play();
  GButtonDM::RunCommand(CMD_DEMONSTRATION, Menu());
  for (const auto& [level, lines] : simulated) {
    SCOPED_TRACE(level);
    ASSERT_EQ(game.GetCurrentSceneIndex(), SCENE_GAME);
    size_t t = 0;
    for (; map->state != GMap::STATE_WON; ++t) {
      ASSERT_LT(t, lines.size()) << "digmaze-sim has won by now";
      if (t == 10) play->OnKeyDown(KEY_LEFT, 1, 0);
      game.Platform()->fixedTick = 1000 + 50 * static_cast<unsigned>(t);
      game.PlatformTimer();
      if (smooth) {
        game.Platform()->fixedTick += 25;
        game.PlatformFrame();
      }
      const std::string line = GSimulation::StatusLine(play->GetDemonstration().GetLastTick());
      if (map->state == GMap::STATE_WON)
        ASSERT_EQ(WithAliensStill(line), WithAliensStill(lines[t]));
      else
        ASSERT_EQ(line, lines[t]);
    }
    EXPECT_EQ(t, lines.size()) << "won where digmaze-sim wins";
    // The won level holds still, then the next one waits for its first key.
    game.Platform()->fixedTick = 1000;
    while (play->IsDemonstrating() && map->state == GMap::STATE_WON) game.PlatformTimer();
    ASSERT_TRUE(ShowsAWholeRedraw(game)) << "what follows the won level";
  }
  EXPECT_EQ(game.GetCurrentSceneIndex(), SCENE_MENU);
  EXPECT_EQ(game.modal, nullptr);
  game.PlatformTimer();
  EXPECT_TRUE(Contents(folder.Path()) == gameFiles) << "a file of the game folder changed";
  EXPECT_TRUE(Contents(user.Path()) == userFiles) << "a file of the per-user folder changed";
  EXPECT_FALSE(fs::exists(records / "rec")) << "the demonstration was recorded";
}
INSTANTIATE_TEST_SUITE_P(Sets, CampaignPlaytest, ::testing::Range(1, 5),
                         [](const auto& set) { return "Set" + std::to_string(set.param); });

namespace {

class DemonstrationTest : public GameTest {
 protected:
  void Ticks(unsigned n) {
    for (unsigned i = 0; i < n; ++i) game.SysOnUpdate();
  }
  // A press and a release, a tick after each.
  void Key(unsigned key) {
    game.PlatformKeyDown(static_cast<int>(key), 0);
    Ticks(1);
    game.PlatformKeyUp(static_cast<int>(key));
    Ticks(1);
  }
  bool Demonstrating() {
    return Play()->IsDemonstrating() && game.GetCurrentSceneIndex() == SCENE_GAME;
  }
};

}  // namespace

// Any key, click or pad button (which arrive as keys) ends the demonstration
// at once: the main menu is back with its focus where it was, and the key's
// release presses nothing there. A modifier alone leaves it playing.
TEST_F(DemonstrationTest, AnyKeyClickOrPadButtonEndsItWithTheMenuFocusKept) {
  GComponent* focus = Menu()->Find(static_cast<unsigned>(CMD_MAP_EDITOR));
  // The pointer rests on the focused button, so a click's release there would press it.
  game.SetCursorPosition(512, 376);

  // Other keys, Space, Enter, arrows and the pad's buttons, take Escape's way.
  const struct {
    const char* what;
    unsigned key;
    bool ends;
  } cases[] = {
      {"Escape, the pad's B and Start", KEY_ESCAPE, true},
      {"a click", KEY_MOUSE_LEFT, true},
      {"Ctrl alone, as a trigger first sends it", KEY_LCONTROL, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Menu()->SetFocusItem(focus);
    GButtonDM::RunCommand(CMD_DEMONSTRATION, Menu());
    ASSERT_TRUE(Demonstrating());
    Ticks(30);
    Key(c.key);
    EXPECT_EQ(Demonstrating(), !c.ends);
    if (!c.ends) Play()->EndDemonstration();
    EXPECT_EQ(game.GetCurrentSceneIndex(), SCENE_MENU);
    EXPECT_EQ(game.modal, nullptr) << "the release pressed a button of the menu";
    EXPECT_EQ(Menu()->GetFocusItem(), focus);
  }
}

// Left alone for a minute of ticks, the main menu starts the demonstration;
// a key, a mouse move, a wheel turn, a dialog over the menu or a time
// without the input focus start the minute again.
TEST_F(DemonstrationTest, TheIdleMenuStartsItAfterAMinuteAndInputPutsThatOff) {
  const unsigned minute = GSceneMenu::kAttractTicks;
  Ticks(minute - 1);
  const std::function<void()> inputs[] = {
      [&] { Press(game, KEY_LSHIFT); },
      [&] { game.SetCursorPosition(300, 300); },
      [&] { game.SysOnMouseWheel(120); },
      [&] {
        GButtonDM::RunCommand(CMD_CREDITS, Menu());
        Ticks(2 * minute);
        ASSERT_NE(game.modal, nullptr) << "the demonstration started over the dialog";
        game.modal->EndModal(1);
      },
      [&] {
        game.SysOnActivate(0, false);
        Ticks(2 * minute);
        ASSERT_EQ(game.GetCurrentSceneIndex(), SCENE_MENU) << "started in the background";
        game.SysOnActivate(1, false);
      },
  };
  for (const auto& input : inputs) {
    EXPECT_EQ(game.GetCurrentSceneIndex(), SCENE_MENU);
    input();
    Ticks(minute - 1);
  }
  EXPECT_EQ(game.GetCurrentSceneIndex(), SCENE_MENU);
  Ticks(1);
  EXPECT_TRUE(Demonstrating());
}

// A damaged replay ends the demonstration with the main menu shown and a
// line in the error log, whether there is none, its map is missing, or
// its runner is caught.
TEST_F(DemonstrationTest, AReplayThatDoesNotLoadOrDoesNotWinEndsItWithALineInTheLog) {
  const struct {
    const char* file;  // none: no replay at all
    std::string text;
    const char* logged;
  } cases[] = {
      {nullptr, "", "the demonstration has no replays in "},
      {"level999.txt", "0 down Right\n# end T 5 S 2\n", "level999.dmm, which cannot be read"},
      {"level09.txt", "0 down Right\n0 up Right\n# end T 568 S 2\n",
       "level09.txt loses a life at tick 101"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.logged);
    fs::remove_all(folder / "demo");
    fs::create_directory(folder / "demo");
    if (c.file) {
      ASSERT_TRUE(WriteText(fs::path(folder / "demo") / c.file, c.text));
    }
    fs::remove(folder / "error.log");
    GButtonDM::RunCommand(CMD_DEMONSTRATION, Menu());
    for (int t = 0; t < 2000 && Demonstrating(); ++t) Ticks(1);
    EXPECT_EQ(game.GetCurrentSceneIndex(), SCENE_MENU);
    EXPECT_EQ(game.modal, nullptr);
    const std::string log = ReadText(folder / "error.log");
    EXPECT_NE(log.find(c.logged), std::string::npos) << log;
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1) << log;
  }
}

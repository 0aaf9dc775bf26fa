#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GUI/toolkit/GStatic.h"
#include "game/app/GButtonDM.h"
#include "game/app/GDialogLevels.h"
#include "game/app/GPictureLevel.h"
#include "game/app/GSceneLevels.h"
#include "game/model/GMapText.h"
#include "game/model/GModelMedia.h"
#include "tests/support/GameAppFixture.h"

namespace {

// A level order of small maps, each a floor of bricks under the runner, n
// treasures and the exit in a row: Right wins it.
class LevelSelectTest : public GameTest {
 protected:
  void Order(int count) {
    list->Clear();
    for (int n = 1; n <= count; ++n) {
      const std::string row = "R" + std::string(static_cast<size_t>(n % 3 + 1), '$') + "X.";
      ASSERT_TRUE(GMapText::ToMap(row + "\n" + std::string(row.size(), '#') + "\n", *map));
      ASSERT_TRUE(map->SaveToFile(Name(n).c_str()));
      ASSERT_TRUE(list->Add(Name(n).c_str()));
    }
  }
  static std::string Name(int n) { return "m" + std::to_string(n) + ".dmm"; }
  void Clear(int n) {
    WIN_NEWS news;
    ASSERT_TRUE(game.RecordWin(Name(n).c_str(), 10 * n, n, news));
  }
  GSceneLevels* Levels() { return static_cast<GSceneLevels*>(game.GetScene(SCENE_LEVELS)); }
  int Framed() { return Levels()->GetLevels()->GetCurrent(); }
  void Point(int level) {
    int x = 0, y = 0;
    Levels()->GetLevels()->GetLevel(level)->GetAbsoluteWindowPosition(x, y);
    game.SetCursorPosition(x + 40, y + 40);
  }
  // Plays on from a waiting level with Right until it is won and its tally shows.
  void Win() {
    Key(KEY_RIGHT);
    for (int t = 0; t < 200 && game.modal != &Play()->tallyDialog; ++t) Play()->OnUpdate();
    ASSERT_EQ(game.modal, &Play()->tallyDialog);
  }
  // The tally's texts, row by row.
  std::vector<std::string> Tally() {
    std::vector<std::string> texts{Play()->tallyDialog.GetWindowText().c_str()};
    for (int i = 0; i < Play()->tallyDialog.GetChildCount(); ++i)
      if (Play()->tallyDialog.GetChild(i)->IsStatic())
        texts.push_back(Play()->tallyDialog.GetChild(i)->GetWindowText().c_str());
    return texts;
  }
};

// Levels 1, 2 and 7 of eight are cleared: open are those and 3, 4 and 5
// (the first three not cleared). The frame starts on level 3; the keys (the
// pad's d-pad, A and B as their keys) pass over the locked levels and
// across the headings, the mouse
// moves the frame over open ones only, and Space (as Enter) and a click
// start a new game on the framed level. An edited map's record no longer counts.
TEST_F(LevelSelectTest, TheFrameStartsOnTheFirstLevelNotClearedAndPassesLockedOnes) {
  ASSERT_EQ(game.GetCampaign().GetSets().size(), 4u);  // read before the order changes
  Order(8);
  for (int n : {1, 2, 7}) Clear(n);
  GButtonDM::RunCommand(CMD_START_GAME, Menu());
  ASSERT_EQ(game.GetCurrentSceneIndex(), SCENE_LEVELS);
  EXPECT_EQ(Framed(), 2);
  std::vector<bool> open;
  for (int i = 0; i < 8; ++i) open.push_back(Levels()->GetLevels()->GetLevel(i)->IsOpen());
  EXPECT_EQ(open, (std::vector<bool>{1, 1, 1, 1, 1, 0, 1, 0}));

  // None of the campaign's levels listed: the player's own maps stand under
  // their heading. Five levels a row: 0 to 4, then 5 to 7 under a heading
  // of their own, which the keys cross.
  GDialogLevels* grid = Levels()->GetLevels();
  int x0 = 0, y0 = 0, x5 = 0, y5 = 0;
  grid->GetLevel(0)->GetPosition(x0, y0);
  EXPECT_EQ(y0, grid->gap + grid->titleHeight);
  grid->SetSections({{0, "Your maps"}, {5, "More"}});
  grid->GetLevel(5)->GetPosition(x5, y5);
  EXPECT_EQ(std::pair(x5, y5),
            std::pair(x0, y0 + GPictureLevel::kHeight + grid->gap + grid->titleHeight));
  const struct {
    unsigned key;
    int framed;
  } moves[] = {{KEY_RIGHT, 3}, {KEY_RIGHT, 4}, {KEY_RIGHT, 6},     {KEY_RIGHT, 6},
               {KEY_LEFT, 4},  {KEY_HOME, 0},  {KEY_DOWN, 6},      {KEY_UP, 1},
               {KEY_END, 6},   {KEY_UP, 1},    {KEY_PAGE_DOWN, 6}, {KEY_PAGE_UP, 1}};
  for (const auto& move : moves) {
    Key(move.key);
    EXPECT_EQ(Framed(), move.framed) << "key " << move.key;
  }
  Point(5);  // locked
  EXPECT_EQ(Framed(), 1);
  Key(KEY_MOUSE_LEFT);
  EXPECT_EQ(game.GetCurrentSceneIndex(), SCENE_LEVELS);
  Point(3);
  EXPECT_EQ(Framed(), 3);
  Key(KEY_ESCAPE);
  EXPECT_EQ(game.GetCurrentSceneIndex(), SCENE_MENU);

  const struct {
    unsigned key;  // 0: a click on level 3
    int level;
  } starts[] = {{KEY_SPACE, 2}, {0, 3}};
  for (const auto& start : starts) {
    GButtonDM::RunCommand(CMD_START_GAME, Menu());
    units->score = 5;
    if (start.key) {
      Key(start.key);
    } else {
      Point(start.level);
      Key(KEY_MOUSE_LEFT);
    }
    ASSERT_EQ(game.GetCurrentSceneIndex(), SCENE_GAME);
    EXPECT_EQ(list->currentName, Name(start.level + 1).c_str());
    EXPECT_EQ(std::pair(units->lives, units->score), std::pair(10, 0));
    game.SetScene(SCENE_MENU);
  }

  // Level 1 edited: its record is another content's.
  ASSERT_TRUE(GMapText::ToMap("R$X#\n####\n", *map));
  ASSERT_TRUE(map->SaveToFile(Name(1).c_str()));
  GButtonDM::RunCommand(CMD_START_GAME, Menu());
  EXPECT_EQ(Framed(), 0);
  EXPECT_FALSE(Levels()->GetLevels()->GetLevel(4)->IsOpen());
}

// A won level holds still for the pause, then shows its tally, which Escape
// (the pad's B) does not answer, nor does a key held through the level's
// end; OK goes on to the next level, and after the
// last the congratulations give the game's totals. The records keep each
// level's bests: a slower win with a dig shows its own tally but beats
// nothing. The level select then shows both levels cleared.
TEST_F(LevelSelectTest, AWonLevelShowsItsTallyAndTheRecordsKeepTheBests) {
  Order(2);  // two treasures, then three
  GButtonDM::RunCommand(CMD_START_GAME, Menu());
  Key(KEY_RETURN);
  Win();
  const std::string time1 = CGameProgress::FormatTime(LEVEL_TALLY::Tenths(map->tick)) + " s";
  EXPECT_EQ(Tally(),
            (std::vector<std::string>{"Level 01 cleared", "Time", time1, "Treasures", "2",
                                      "Aliens trapped", "0", "Holes dug", "0", "Score", "120"}));
  Key(KEY_ESCAPE);
  ASSERT_EQ(game.modal, &Play()->tallyDialog);
  Key(KEY_SPACE);  // OK
  EXPECT_EQ(list->currentName, Name(2).c_str());
  EXPECT_EQ(game.modal, nullptr);
  // Space held from before the level's end: its repeats never press OK.
  Key(KEY_RIGHT);
  for (int t = 0; t < 200 && map->state != GMap::STATE_WON; ++t) Play()->OnUpdate();
  game.Platform()->fixedTick = 1000;
  game.PlatformKeyDown(KEY_SPACE, 0);
  for (int t = 0; t < 200 && !game.modal; ++t) Play()->OnUpdate();
  for (unsigned t = 1400; t < 3000; t += 50) {
    game.Platform()->fixedTick = t;
    game.RepeateKey();
  }
  ASSERT_EQ(game.modal, &Play()->tallyDialog);
  game.PlatformKeyUp(KEY_SPACE);
  game.Platform()->fixedTick = 0;
  EXPECT_EQ(Tally()[0], "Level 02 cleared");
  Key(KEY_RETURN);
  ASSERT_EQ(game.modal, &Play()->victoryBox);
  std::string text;
  for (int i = 0; i < Play()->victoryBox.GetChildCount(); ++i)
    if (Play()->victoryBox.GetChild(i)->IsStatic())
      text = Play()->victoryBox.GetChild(i)->GetWindowText().c_str();
  const LEVEL_RESULT& game2 = Play()->GetGameTally();
  EXPECT_EQ(text, "Congratulations! You have won!\n\nYour game: 2 levels won\nTime: " +
                      CGameProgress::FormatTime(game2.time) +
                      " s\nTreasures: 5\nAliens trapped: 0\nHoles dug: 0\nScore: " +
                      std::to_string(units->score));
  Key(KEY_RETURN);

  // Level 1 again, with a dig first: slower, the same score.
  const std::string kept = ReadText(folder / CGameProgress::kFileName);
  GButtonDM::RunCommand(CMD_START_GAME, Menu());
  EXPECT_EQ(Framed(), 0) << "all cleared: the first level";
  Key(KEY_RETURN);
  game.PlatformKeyDown(KEY_SPACE, 0);
  for (int t = 0; t < 10; ++t) Play()->OnUpdate();
  game.PlatformKeyUp(KEY_SPACE);
  Win();
  const std::vector<std::string> again = Tally();
  EXPECT_EQ(std::vector<std::string>(again.begin() + 7, again.end()),
            (std::vector<std::string>{"Holes dug", "1", "Score", "120"}))
      << "no best beaten, none marked";
  EXPECT_EQ(ReadText(folder / CGameProgress::kFileName), kept);
  Key(KEY_RETURN);
  game.SetScene(SCENE_MENU);
  GButtonDM::RunCommand(CMD_START_GAME, Menu());
  GStatic* summary = nullptr;
  for (int i = 0; i < Levels()->GetChildCount(); ++i)
    if (Levels()->GetChild(i)->IsStatic()) summary = static_cast<GStatic*>(Levels()->GetChild(i));
  ASSERT_NE(summary, nullptr);
  EXPECT_STREQ(summary->GetWindowText().c_str(), "2 of 2 levels cleared");
}

}  // namespace

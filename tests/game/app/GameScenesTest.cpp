#include <gtest/gtest.h>
#include <utime.h>

#include <ctime>
#include <filesystem>
#include <random>

#include "GUI/sound/GSound.h"
#include "GUI/themes/GThemeComponent.h"
#include "GUI/toolkit/GMessageBox.h"
#include "GUI/toolkit/GStatic.h"
#include "game/app/GButtonDM.h"
#include "game/app/GameLanguage.h"
#include "game/model/GMapText.h"
#include "game/model/GModelMedia.h"
#include "game/model/GSavedGame.h"
#include "game/model/GUnit.h"
#include "tests/support/GameAppFixture.h"
#include "tests/support/Replays.h"
#include "tests/support/Scoped.h"

namespace fs = std::filesystem;

namespace {

class ScenesTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    ASSERT_TRUE(list->Load());  // the index of this game folder
  }
  void Run(unsigned command, GComponent* parent) { GButtonDM::RunCommand(command, parent); }
  // Start Game, then Enter on the level the level select frames.
  void StartGame() {
    Run(CMD_START_GAME, Menu());
    ASSERT_EQ(game.GetCurrentSceneIndex(), SCENE_LEVELS);
    Key(KEY_RETURN);
    ASSERT_EQ(game.GetCurrentSceneIndex(), SCENE_GAME);
  }
  void ClickSlot(int slot, bool load) {
    GDialogSaveLoad& dialog = Menu()->saveLoadDialog;
    dialog.loadMode = load;
    dialog.BeginModal();
    GComponent* button = dialog.Find(static_cast<unsigned>(slot));
    ASSERT_NE(button, nullptr) << "no slot " << slot;
    static_cast<GButtonSaveLoad*>(button)->OnLButtonClick(0, 0, 0);
  }
  void Updates(unsigned n) {
    for (unsigned t = 0; t < n; ++t) Play()->OnUpdate();
  }
  // A new game on the first level goes on to the second with these counters.
  void ReachSecondLevel(int score, int lives, int treasures) {
    ASSERT_TRUE(Play()->EnterPlay(PlayEntry::newGame, list->names[0]));
    units->score = score;
    units->lives = lives;
    units->treasures = treasures;
    map->SetState(GMap::STATE_WON);
    Updates(GSceneGame::kEndPause + 1);
    Key(KEY_RETURN);  // the tally's OK
  }

  // The file name of the piece of music asked for last.
  std::string Music() const { return fs::path(game.GetSound()->GetMusic()).filename().string(); }
};

}  // namespace

// What cannot be done is told in a box and leaves the player where he was: a
// damaged slot, a game without maps, the how-to-play page without a browser.
TEST_F(ScenesTest, WhatCannotBeDoneIsToldAndLeavesThePlayerWhereHeWas) {
  StartGame();
  const std::string slot = GDialogSaveLoad::GetSlotPath(1).c_str();
  EXPECT_EQ(slot, folder / "Save/1.dms");
  ASSERT_TRUE(SaveGameToFile(slot.c_str()));
  fs::resize_file(slot, fs::file_size(slot) / 2);  // the name reads, the game does not
  const int runnerX = map->runner->x;
  game.SetScene(SCENE_MENU);
  std::string said;
  EXPECT_TRUE(Answered(
      SDL_SCANCODE_RETURN, [&] { ClickSlot(1, true); }, &said));
  EXPECT_EQ(said, GameText(Text::SlotLoadFailed).c_str());
  EXPECT_EQ(Where(), "menu");
  EXPECT_EQ(map->runner->x, runnerX);

  // A map that cannot be read: the level select stays, and says so.
  list->Clear();
  ASSERT_TRUE(list->Add("gone.dmm"));
  Run(CMD_START_GAME, Menu());
  PushKey(SDL_SCANCODE_RETURN);
  Key(KEY_RETURN);
  EXPECT_EQ(game.GetCurrentSceneIndex(), SCENE_LEVELS);
  EXPECT_EQ(game.modal, nullptr);

  game.Platform()->opensLinks = false;
  Run(CMD_CREDITS, Menu());
  EXPECT_TRUE(Answered(
      SDL_SCANCODE_RETURN, [&] { Run(CMD_HOW_TO_PLAY, game.modal); }, &said));
  EXPECT_EQ(said, GameText(Text::NoBrowser, {(folder.Path() + "help/index.html").c_str()}).c_str());
  EXPECT_EQ(game.modal, &Menu()->creditsDialog);
}

// The last life lost holds still for the pause, then the end-of-game box or
// (after a test play) the maps manager follows; a won level's pause and tally
// are LevelSelectTest's. The box has one button, so Escape (the pad's B)
// does not answer it; A (Space) goes back to the main menu, but not Space
// held through the end: its repeats never reach the box.
TEST_F(ScenesTest, TheEndOfALevelHoldsStillThenMovesOn) {
  const struct {
    int state;
    bool test;
    bool box;  // the end-of-game box, none after a test play
  } cases[] = {
      {GMap::STATE_CAUGHT, false, true},
      {GMap::STATE_CAUGHT, true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.box ? "the box" : "a test play");
    StartGame();
    list->currentName = list->names[list->GetCount() - 1];
    ASSERT_TRUE(map->Start());
    map->testMode = c.test;
    units->lives = 1;
    game.Platform()->fixedTick = 1000;
    game.PlatformKeyDown(KEY_SPACE, 0);
    map->SetState(c.state);
    Updates(GSceneGame::kEndPause);
    EXPECT_EQ(map->state, c.state);
    Play()->OnUpdate();
    for (unsigned t = 1400; t < 3000; t += 50) {
      game.Platform()->fixedTick = t;
      game.RepeateKey();
    }
    game.PlatformKeyUp(KEY_SPACE);
    if (!c.box) {
      EXPECT_EQ(game.GetCurrentSceneIndex(), SCENE_MAPS);
      continue;
    }
    ASSERT_EQ(game.modal, &Play()->victoryBox);
    EXPECT_EQ(TestGameDM::BoxText(Play()->victoryBox), GameText(Text::GameLost).c_str());
    EXPECT_EQ(Music(), "end.ogg");
    Key(KEY_ESCAPE);
    ASSERT_EQ(game.modal, &Play()->victoryBox);
    Key(KEY_SPACE);
    EXPECT_EQ(game.GetCurrentSceneIndex(), SCENE_MENU);
    EXPECT_EQ(Music(), "menu.ogg");
  }
}

// Over a level, every dialog the player opens ends above the status line:
// a frame cutting through its letters leaves pieces of them showing.
TEST_F(ScenesTest, DialogsOverALevelLeaveTheStatusLineWhole) {
  StartGame();
  const int statusTop = GMap::MAP_TOP + map->height * GMap::SQUARE + 20;
  Key(KEY_ESCAPE);
  GComponent* menu = game.modal;
  for (int command : {0, int{CMD_SAVE_GAME}, int{CMD_LOAD_GAME_IN_GAME}, int{CMD_OPTIONS}}) {
    SCOPED_TRACE(command);
    if (command) Run(command, menu);
    ASSERT_NE(game.modal, nullptr);
    EXPECT_LE(game.modal->GetClipRect().bottom, statusTop);
    if (command) game.modal->EndModal(0);
  }
}

// The menus and the editor share a theme, a level has its own, and a won
// level its jingle until the next level starts (the end of the game: above).
TEST_F(ScenesTest, EverySceneAsksForItsMusic) {
  EXPECT_EQ(Music(), "menu.ogg");
  for (int scene : {SCENE_MAPS, SCENE_EDITOR}) {
    game.SetScene(scene);
    EXPECT_EQ(Music(), "menu.ogg") << scene;
  }
  game.SetScene(SCENE_MENU);
  StartGame();
  EXPECT_EQ(Music(), "play.ogg");
  map->SetState(GMap::STATE_WON);
  Play()->OnUpdate();
  EXPECT_EQ(Music(), "won.ogg");
  Updates(GSceneGame::kEndPause);
  EXPECT_EQ(Music(), "won.ogg") << "under the tally";
  Key(KEY_RETURN);  // the tally's OK
  EXPECT_EQ(map->state, GMap::STATE_WAITING) << "the next level";
  EXPECT_EQ(Music(), "play.ogg");
}

// The in-game menu, opened by a click (which gives its button the keyboard),
// stops the level where it is, also while the screen switches in a message
// box over it. Closed, it sets a level that waited for its first key playing,
// and the arrows reach the runner; a won level's pause goes on where it was,
// its sound not played again, and its solution is not offered.
TEST_F(ScenesTest, TheMenuPausesButNeverReplaysTheEndOfALevel) {
  StartGame();
  int bx = 0, by = 0;
  Play()->GetChild(0)->GetAbsoluteWindowPosition(bx, by);  // "Menu (Esc)"
  game.SetCursorPosition(bx + 10, by + 10);
  Key(KEY_MOUSE_LEFT);
  ASSERT_EQ(game.modal, &Play()->menuDialog);
  // In a message box's own loop, from the system's key events: Alt+Enter
  // switches the screen, and only Escape answers the box.
  PushEvents({SDL_KEYDOWN}, SDL_SCANCODE_LALT);
  PushKey(SDL_SCANCODE_RETURN);
  PushEvents({SDL_KEYUP}, SDL_SCANCODE_LALT);
  PushKey(SDL_SCANCODE_ESCAPE);
  EXPECT_EQ(game.MessageBox("Question", "Go on?", MB_OK_CANCEL), GMessageBox::kCancel);
  EXPECT_FALSE(game.GetDevice()->IsFullScreen());
  EXPECT_EQ(game.modal, &Play()->menuDialog);
  Updates(600);  // 30 seconds
  EXPECT_EQ(std::pair(map->state, map->tick), std::pair(int{GMap::STATE_WAITING}, 0u));
  Key(KEY_ESCAPE);  // Continue Game
  Updates(3);
  EXPECT_EQ(std::pair(map->state, map->tick), std::pair(int{GMap::STATE_PLAYING}, 3u));
  game.PlatformKeyDown(KEY_LEFT, 0);
  EXPECT_EQ(units->moveX, -1) << "the arrow reached the runner";
  game.PlatformKeyUp(KEY_LEFT);

  std::vector<int> played;
  ScopedValue recorder(GModelMedia::soundRecorder, [&](int sample) { played.push_back(sample); });
  ScopedValue victory(units->soundVictory, 7);
  map->SetState(GMap::STATE_WON);
  Updates(5);
  Run(CMD_GAME_MENU, Play());
  EXPECT_FALSE(Play()->menuDialog.Find(static_cast<unsigned>(CMD_SHOW_SOLUTION))->IsEnabled())
      << "a won level goes on to its end";
  Updates(40);  // nothing moves while the menu is open
  EXPECT_EQ(map->state, GMap::STATE_WON);
  EXPECT_EQ(map->stateCounter, 5u);
  Play()->menuDialog.OnEnter();  // Continue Game
  Updates(GSceneGame::kEndPause - 4);
  ASSERT_EQ(game.modal, &Play()->tallyDialog);
  Key(KEY_RETURN);
  EXPECT_EQ(list->GetMapForGameIndex(), 1);
  EXPECT_EQ(played, std::vector<int>{7});  // the victory sound, once
}

// Saving over a kept game asks first: Cancel keeps the slot and the dialog
// open, OK overwrites. (The last slot; the first is loaded above.)
TEST_F(ScenesTest, SavingOverAKeptGameAsksFirst) {
  StartGame();
  const std::string slot = GDialogSaveLoad::GetSlotPath(8).c_str();
  EXPECT_EQ(slot, folder / "Save/8.dms");
  Run(CMD_GAME_MENU, Play());
  ClickSlot(8, false);  // an empty slot: saved without a question
  ASSERT_EQ(game.modal, nullptr);
  const std::string first = ReadText(slot);
  ASSERT_FALSE(first.empty());
  units->score = 77;
  Run(CMD_GAME_MENU, Play());
  EXPECT_TRUE(Answered(SDL_SCANCODE_ESCAPE, [&] { ClickSlot(8, false); }));
  EXPECT_EQ(ReadText(slot), first);
  EXPECT_EQ(game.modal, &Menu()->saveLoadDialog);
  EXPECT_TRUE(Answered(SDL_SCANCODE_RETURN, [&] { ClickSlot(8, false); }));
  EXPECT_NE(ReadText(slot), first);
  EXPECT_EQ(game.modal, nullptr);
}

// Each slot says what it holds: a saved game its level, score and lives and
// when its file was written, all on its button; a file that holds no saved
// game, or none, is an empty slot; a damaged game says it cannot be loaded.
// Only the games can be loaded.
TEST_F(ScenesTest, EverySlotSaysWhatItHolds) {
  StartGame();
  list->currentName = list->names[11];
  units->score = 1234567;  // the widest label
  units->lives = 100;
  ASSERT_TRUE(SaveGameToFile(GDialogSaveLoad::GetSlotPath(1).c_str()));
  std::tm saved{};
  strptime("2025-05-12 14:32", "%Y-%m-%d %H:%M", &saved);
  saved.tm_isdst = -1;
  const utimbuf times{std::mktime(&saved), std::mktime(&saved)};
  ASSERT_EQ(utime(GDialogSaveLoad::GetSlotPath(1).c_str(), &times), 0);
  const std::string game1 = ReadText(GDialogSaveLoad::GetSlotPath(1).c_str());
  ASSERT_TRUE(
      WriteText(GDialogSaveLoad::GetSlotPath(2).c_str(), game1.substr(0, game1.size() - 3)));
  ASSERT_TRUE(WriteText(GDialogSaveLoad::GetSlotPath(3).c_str(), "not a saved game"));
  list->currentName = "gone.dmm";  // no longer in the level order
  units->score = 250;
  units->lives = 9;
  ASSERT_TRUE(SaveGameToFile(GDialogSaveLoad::GetSlotPath(5).c_str()));

  // A kept game's label up to its date: its level, score and lives.
  const auto kept = [](const char* level, const char* score, const char* lives) {
    return std::string((GameText(Text::SlotLevel, {level}) + "   " +
                        GameText(Text::SlotScore, {score}) + "   " +
                        GameText(Text::SlotLives, {lives}) + "   ")
                           .c_str());
  };
  const std::string level12 = GameText(Text::SlotLevel, {"12"}).c_str();
  const std::string empty = GameText(Text::SlotEmpty).c_str();
  const struct {
    int slot;
    std::string label;  // empty: the date is today's
    bool loads;
  } cases[] = {
      {1, kept("12", "1234567", "100") + "2025-05-12 14:32", true},
      {2, level12 + "   " + GameText(Text::SlotDamaged).c_str(), false},
      {3, empty, false},
      {4, empty, false},
      {5, "", true},
  };
  game.SetScene(SCENE_MENU);
  GDialogSaveLoad& dialog = Menu()->saveLoadDialog;
  dialog.loadMode = true;
  dialog.BeginModal();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.slot);
    GComponent* slot = dialog.Find(static_cast<unsigned>(c.slot));
    const std::string label = slot->GetWindowText().c_str();
    if (!c.label.empty())
      EXPECT_EQ(label, c.label);
    else
      EXPECT_EQ(label.rfind(kept("00", "00250", "09") + "20", 0), 0u) << label;
    EXPECT_EQ(slot->IsEnabled(), c.loads);
    int w = 0, h = 0;
    game.GetDevice()->GetTextSize(label.c_str(), slot->GetTheme()->GetTextFont(slot), w, h);
    CFerroRect client;
    slot->GetClientRect(&client);
    EXPECT_LE(w + 40, client.Width()) << "the label fits its button with room to spare";
  }
}

// A recording replays in digmaze-sim to the very "# end" line the game wrote:
// here on a later level of the campaign, which starts from the campaign's
// counters, after Restart Level, which goes on in a new file on the next
// tick, with a start by a key that does not steer and repeats of a held key,
// one of which turns the runner back and so must be recorded, and after a
// rewind, whose file resumes from the state taken back to.
TEST_F(ScenesTest, EveryRecordingEndsOnTheLineItsReplayEndsOn) {
  const fs::path rec = fs::path(folder.Path()) / "rec";
  game.SetRecordFolder(rec.c_str());
  ASSERT_TRUE(GMapText::ToMap("R.$.$.X\n=======\n", *map));
  for (const char* name : {"first.dmm", "second.dmm"}) ASSERT_TRUE(map->SaveToFile(name));
  list->Clear();
  ASSERT_TRUE(list->Add("first.dmm"));
  ASSERT_TRUE(list->Add("second.dmm"));
  // The campaign so far: its score, lives and treasures (the next is a tenth).
  ReachSecondLevel(131, 7, 9);

  Key(KEY_RIGHT);
  for (int t = 0; t < 200 && units->treasures < 10; ++t) Play()->OnUpdate();
  const int lives = units->lives;
  Run(CMD_GAME_MENU, Play());
  Run(CMD_RESTART_LEVEL, &Play()->menuDialog);
  Play()->OnUpdate();
  EXPECT_EQ(map->state, GMap::STATE_WAITING);
  EXPECT_EQ(units->lives, lives - 1);
  Key(KEY_A);
  Updates(3);
  game.PlatformKeyDown(KEY_RIGHT, 0);
  Updates(3);
  Play()->OnKeyDown(KEY_RIGHT, 1, 0);  // a repeat, as the key repeat sends it
  Key(KEY_LEFT);
  Updates(3);
  // Taken back, the level goes on in a file of its own.
  game.PlatformKeyDown(KEY_BACKSPACE, 0);
  Play()->OnUpdate();
  game.PlatformKeyUp(KEY_BACKSPACE);
  Play()->OnKeyDown(KEY_RIGHT, 1, 0);
  game.PlatformKeyUp(KEY_RIGHT);
  for (int t = 0; t < 400 && map->state != GMap::STATE_WON; ++t) Play()->OnUpdate();
  // Won after a rewind, the level is cleared but sets no best, and says why.
  Updates(GSceneGame::kEndPause + 1);
  ASSERT_EQ(game.modal, &Play()->tallyDialog);
  const auto tally = GDialogTally::Lines(Play()->tallyDialog.GetShown());
  EXPECT_EQ(tally.front().mark, GameText(Text::TallyWithRewind));
  EXPECT_EQ(tally.back().mark, GameText(Text::TallyWithRewind));
  const fs::path second = fs::path(folder.Path()) / "Maps/second.dmm";
  EXPECT_EQ(game.GetProgress().Find("second.dmm", CGameProgress::MapDigest(second.c_str())),
            (LEVEL_RECORD{true, std::nullopt, std::nullopt}));

  const std::string before = ReadText(rec / "second.txt");
  EXPECT_EQ(before.rfind("# second.dmm\nstart 0 score 131 lives 7 treasures 9\n", 0), 0u) << before;
  EXPECT_EQ(RecordedEnd(before), "<none>") << before;

  const std::string after = ReadText(rec / "second-2.txt");
  EXPECT_NE(after.find("\nrestart "), std::string::npos) << after;
  EXPECT_NE(after.find(" taken 2,0\n"), std::string::npos) << after;
  EXPECT_NE(after.find("\n# taken back from tick "), std::string::npos) << after;
  const std::string resumed = ReadText(rec / "second-3.txt");
  EXPECT_EQ(resumed.rfind("# second.dmm\nresume ", 0), 0u) << resumed.substr(0, 80);
  const auto lines = ReplayedLines(resumed, second);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(RecordedEnd(resumed), lines.back());
}

// Where the focus starts and the ids it visits with Down (Right in a
// message box) until it comes round again: hidden and disabled buttons
// ("Empty Slot", or not a saved game, when loading; saving and loading in a
// test play) are passed over.
TEST_F(ScenesTest, TheFocusOrderOfEveryMenuAndDialog) {
  StartGame();
  ASSERT_TRUE(SaveGameToFile(GDialogSaveLoad::GetSlotPath(1).c_str()));
  ASSERT_TRUE(SaveGameToFile(GDialogSaveLoad::GetSlotPath(8).c_str()));
  ASSERT_TRUE(WriteText(GDialogSaveLoad::GetSlotPath(4).c_str(), "not a saved game"));
  GSceneMenu* menu = Menu();
  const auto visit = [&](GDialog* dialog, int presses, unsigned key) {
    std::vector<unsigned> seen;
    for (int i = 0;; ++i) {
      seen.push_back(dialog->GetFocusItem() ? dialog->GetFocusItem()->GetId() : 0u);
      if (i == presses) return seen;
      Key(key);
    }
  };
  const auto ids = [](std::initializer_list<unsigned> list) { return std::vector<unsigned>(list); };
  game.SetScene(SCENE_MENU);
  EXPECT_EQ(visit(menu, 7, KEY_DOWN), ids({1, 2, 3, 4, CMD_OPTIONS, 5, 6, 1}));
  // The options and their keys start on the first row; Done (and Defaults) follow the rows.
  Run(CMD_OPTIONS, menu);
  EXPECT_EQ(visit(&menu->optionsDialog, 11, KEY_DOWN),
            ids({OPTION_VOLUME, OPTION_MUSIC_VOLUME, OPTION_SOUND, OPTION_DISPLAY, OPTION_SCALE,
                 OPTION_MOTION, OPTION_SPEED, OPTION_STEERING, OPTION_KEYS, OPTION_LANGUAGE, 100,
                 OPTION_VOLUME}));
  Key(KEY_UP);  // round to Done, then up past Language to Keys, which Enter opens
  Key(KEY_UP);
  Key(KEY_UP);
  Key(KEY_RETURN);
  EXPECT_EQ(visit(&menu->optionsDialog.keysDialog, 8, KEY_TAB),
            ids({1, 2, 3, 4, 5, 6, CMD_KEYS_DEFAULTS, 101, 1}));
  menu->optionsDialog.keysDialog.EndModal(0);
  menu->optionsDialog.EndModal(0);
  StartGame();
  // Show Solution is offered for a campaign map's content under any name,
  // not once the map is edited.
  const fs::path maps = GModelMedia::GetPathToMaps().c_str();
  fs::copy_file(maps / "level01.dmm", maps / "mine.dmm");
  std::string edited = ReadText(maps / "level01.dmm");
  edited[20] ^= 1;  // the first cell's code
  ASSERT_TRUE(WriteText(maps / "edited.dmm", edited));
  for (const char* name : {"mine.dmm", "edited.dmm"}) {
    const bool offered = name[0] == 'm';
    list->currentName = name;
    Run(CMD_GAME_MENU, Play());
    EXPECT_EQ(visit(&Play()->menuDialog, offered ? 7 : 6, KEY_DOWN),
              offered ? ids({18, 19, 20, 21, 26, CMD_OPTIONS, 22, 18})
                      : ids({18, 19, 20, 21, CMD_OPTIONS, 22, 18}));
    Play()->menuDialog.EndModal(0);
  }
  list->currentName = "level01.dmm";
  map->testMode = true;
  Run(CMD_GAME_MENU, Play());
  EXPECT_EQ(visit(&Play()->menuDialog, 5, KEY_DOWN), ids({18, 19, 26, CMD_OPTIONS, 22, 18}));

  Play()->menuDialog.EndModal(0);
  map->testMode = false;
  Run(CMD_SAVE_GAME, Play());
  EXPECT_EQ(visit(&menu->saveLoadDialog, 9, KEY_DOWN), ids({10, 1, 2, 3, 4, 5, 6, 7, 8, 10}));
  menu->saveLoadDialog.EndModal(0);
  Run(CMD_LOAD_GAME_IN_GAME, Play());
  EXPECT_EQ(visit(&menu->saveLoadDialog, 3, KEY_DOWN), ids({10, 1, 8, 10}));
  menu->saveLoadDialog.EndModal(0);
  game.SetScene(SCENE_MENU);
  Run(CMD_EXIT, menu);
  EXPECT_EQ(visit(&menu->quitBox, 2, KEY_RIGHT), ids({1, 2, 1}));
  EXPECT_EQ(visit(&menu->quitBox, 2, KEY_TAB), ids({1, 2, 1}));
  menu->quitBox.EndModal(0);
}

// Show Solution plays the level's shipped replay in its place with
// "SOLUTION" on the status line and nothing recorded; a key, or the replay's
// own win, ends it, and the level starts again from its beginning, waiting
// for a key, with the lives, score and treasures it began with: here the
// second level of a game, whose lives and score changed since it began.
TEST_F(ScenesTest, ShowSolutionReturnsToTheLevelsStartWithItsCounters) {
  for (const bool byKey : {true, false}) {
    SCOPED_TRACE(byKey ? "ended by a key" : "played to its win");
    const fs::path rec = fs::path(folder.Path()) / (byKey ? "rec-key" : "rec-win");
    game.SetRecordFolder(rec.c_str());
    ReachSecondLevel(131, 7, 9);
    ASSERT_EQ(list->GetMapForGameIndex(), 1);
    const int runnerX = map->runner->x, runnerY = map->runner->y;
    Key(KEY_LEFT);
    Updates(20);
    units->score = 4000;
    units->lives = 2;

    Run(CMD_GAME_MENU, Play());
    ASSERT_TRUE(Play()->menuDialog.Find(static_cast<unsigned>(CMD_SHOW_SOLUTION))->IsEnabled());
    Run(CMD_SHOW_SOLUTION, &Play()->menuDialog);
    ASSERT_TRUE(Play()->IsShowingSolution() && !game.modal);
    CFerroString texts[GSceneGame::STATUS_TEXTS];
    Play()->GetStatusTexts(texts);
    EXPECT_EQ(texts[GSceneGame::STATUS_SCORE], GameText(Text::StatusSolution));
    Updates(40);
    EXPECT_NE(map->runner->x, runnerX) << "the replay moves the runner";
    if (byKey) {
      Key(KEY_A);
    } else {
      for (int t = 0; t < 3000 && Play()->IsShowingSolution(); ++t) Play()->OnUpdate();
    }

    ASSERT_FALSE(Play()->IsPlayingReplay());
    EXPECT_EQ(list->GetMapForGameIndex(), 1);
    EXPECT_EQ(map->state, GMap::STATE_WAITING);
    EXPECT_EQ(map->tick, 0u);
    EXPECT_EQ(std::pair(map->runner->x, map->runner->y), std::pair(runnerX, runnerY));
    EXPECT_EQ(std::tuple(units->score, units->lives, units->treasures), std::tuple(131, 7, 9));
    // The level's recording stops where the solution began; the level goes
    // on in a new one from its start, and the solution is in neither.
    const std::string left = ReadText(rec / "level02.txt");
    EXPECT_NE(left.find("# left at tick 20 to show the solution"), std::string::npos) << left;
    EXPECT_EQ(ReadText(rec / "level02-2.txt")
                  .rfind("# level02.dmm\nstart 0 score 131 lives 7 treasures 9\n", 0),
              0u);
    EXPECT_FALSE(fs::exists(rec / "level02-3.txt"));
  }
}

namespace {

class PlayPictureTest : public GameTest {
 protected:
  PlayPictureTest() : GameTest(true) {}
  void SetUp() override {
    GameTest::SetUp();
    ASSERT_TRUE(list->Load());
    ASSERT_TRUE(Play()->EnterPlay(PlayEntry::newGame, "level15.dmm"));
    ASSERT_EQ(map->GetAlienCount(), 2);
    // The clock stands still, so a redraw draws the units where the frame did.
    game.Platform()->fixedTick = 1000;
    game.PlatformTimer();
  }
  long long Uploaded() {
    long long area = 0;
    for (const CFerroRect& r : game.Device()->uploaded) area += 1LL * r.Width() * r.Height();
    return area;
  }
};

}  // namespace

// The texts over the level and the status line's new parts are drawn and
// cleared by the partial drawing, every frame showing what a whole redraw
// shows: "Press any key to start" until the first key, the treasures left,
// the banners of a life won (the tenth treasure) and of the exit opened (the
// last one), the runner passing under them, each gone after its two seconds,
// and the mark of the sound switched off and on again.
TEST_F(PlayPictureTest, TheTextsOverTheLevelShowAWholeRedraw) {
  // A whole map whose runner walks along its third row, where the banner stands.
  const std::string empty = std::string(30, '.') + "\n";
  std::string runnerRow = "R" + std::string(11, '$') + "....X";
  runnerRow.resize(30, '.');
  std::string rows = empty + empty + runnerRow + "\n" + std::string(30, '=') + "\n";
  for (int y = 4; y < 20; ++y) rows += empty;
  ASSERT_TRUE(GMapText::ToMap(rows, *map));
  ASSERT_TRUE(map->SaveToFile("row.dmm"));
  list->currentName = "row.dmm";
  ASSERT_TRUE(map->Start());
  // The texts over the level, the treasures left and the mark, each time the
  // texts over the level or the mark change.
  std::vector<std::string> seen;
  std::string last = "none";
  for (int t = 0; t < 150 && map->state != GMap::STATE_WON; ++t) {
    SCOPED_TRACE("tick " + std::to_string(t));
    if (t == 3) game.PlatformKeyDown(KEY_RIGHT, 0);
    if (t == 4) game.PlatformKeyUp(KEY_RIGHT);
    if (t == 30 || t == 60) game.ToggleSound();
    game.PlatformTimer();
    CFerroString status[GSceneGame::STATUS_TEXTS], over[GSceneGame::OVERLAYS];
    Play()->GetStatusTexts(status);
    Play()->GetOverlayTexts(over);
    const std::string shown = std::string(over[0].c_str()) + "|" + over[1].c_str() + "|" +
                              status[GSceneGame::STATUS_MUTED].c_str();
    if (shown != last)
      seen.push_back(std::to_string(t) + " " + shown + " " +
                     status[GSceneGame::STATUS_TREASURES].c_str());
    last = shown;
    ASSERT_TRUE(ShowsAWholeRedraw(game));
  }
  ASSERT_EQ(map->state, GMap::STATE_WON);
  // Each treasure is a square (8 ticks) further: the tenth is taken 80 ticks
  // after the key, the last 8 ticks later; a banner stays 40 ticks.
  EXPECT_EQ(seen,
            (std::vector<std::string>{
                "0 Press any key to start|| TREASURE = 11", "3 || TREASURE = 11",
                "30 ||muted TREASURE = 08", "60 || TREASURE = 04", "83 |Extra life!| TREASURE = 01",
                "91 |The exit is open!| TREASURE = 00", "131 || TREASURE = 00"}));
}

// Long random plays on several levels in smooth motion, the clock standing
// still between frames: after every tick and every frame drawn between two
// ticks (the units on their way) the window shows what a whole redraw at the
// same positions shows, and a frame uploads only a small part of the picture
// (but a new level and a closed menu, drawn whole). On the way: a longer and
// a shorter status line, Restart Level from the menu, a runner caught with
// the aliens fading to red, the restarts, which put the units back at once.
// Classic motion draws them at the tick's positions at any time.
TEST_F(PlayPictureTest, FramesBetweenTicksShowAWholeRedrawAndUploadLittle) {
  std::mt19937 random(36);
  const unsigned keys[] = {KEY_RIGHT, KEY_LEFT, KEY_UP, KEY_DOWN, KEY_SPACE};
  unsigned clock = 1000;
  int between = 0;
  for (const char* level : {"level15.dmm", "level01.dmm", "level09.dmm"}) {
    ASSERT_TRUE(Play()->EnterPlay(PlayEntry::newGame, level));
    for (int t = 0; t < 110; ++t) {
      SCOPED_TRACE(std::string(level) + ", tick " + std::to_string(t));
      const unsigned key = keys[random() % 5];
      // The first key taking over from the mouse draws the scene whole (the
      // looks may change).
      const bool pointerLast = !game.IsKeyInputLast();
      if (random() % 6 == 0) game.PlatformKeyDown(static_cast<int>(key), 0);
      if (random() % 4 == 0) game.PlatformKeyUp(static_cast<int>(key));
      if (t == 30) units->score = 12345;
      if (t == 50) units->score = 7;
      const bool whole = t == 40 || t == 0 || (pointerLast && game.IsKeyInputLast());
      if (t == 40) {
        GButtonDM::RunCommand(CMD_GAME_MENU, game.GetScene());
        game.PlatformTimer();
        GButtonDM::RunCommand(CMD_RESTART_LEVEL, game.modal);
      }
      if (t == 70) map->SetState(GMap::STATE_CAUGHT);
      const unsigned builds = map->GetBackgroundBuilds();
      const unsigned early = random() % 25, late = 25 + random() % 25;
      for (unsigned at : {0u, early, late}) {
        const int before = game.Device()->frames;
        game.Platform()->fixedTick = clock + at;
        at == 0 ? game.PlatformTimer() : game.PlatformFrame();
        if (game.Device()->frames != before && map->GetBackgroundBuilds() == builds && !whole) {
          EXPECT_LT(Uploaded(), 1024 * 768 / 20);
        }
        ASSERT_TRUE(ShowsAWholeRedraw(game));
        if (at > 0 && map->GetMotionPhase() > 0 && map->HasUnitsInMotion()) ++between;
      }
      clock += 50;
    }
  }
  EXPECT_GT(between, 200);

  game.SetMotion(MotionMode::Classic);
  game.Platform()->fixedTick = clock + 20;
  game.PlatformFrame();
  EXPECT_EQ(map->GetMotionPhase(), GMap::kPhaseWhole);
}

// Dialogs over dialogs (the in-game menu, the saved-game dialog, the question
// over a kept slot) are drawn as a whole redraw draws them after every frame,
// and the question leaves every pixel outside itself as it was: the
// saved-game dialog stays over the in-game menu's buttons.
TEST_F(PlayPictureTest, NestedDialogsDrawAsAWholeRedraw) {
  const auto frames = [&](const char* when) {
    for (int t = 0; t < 3; ++t) {
      game.PlatformTimer();
      EXPECT_TRUE(ShowsAWholeRedraw(game)) << when << ", frame " << t;
    }
    // The back surface: the picture without the cursor.
    GSurface* back = game.GetBackSurface();
    const auto* p = reinterpret_cast<const uint16_t*>(back->GetPixels());
    return std::vector<uint16_t>(p, p + back->GetWidth() * back->GetHeight());
  };
  GDialogSaveLoad& slots = Menu()->saveLoadDialog;
  std::vector<uint16_t> beneath;  // the saved-game dialog before the click
  const auto saveInSlot1 = [&] {
    GButtonDM::RunCommand(CMD_SAVE_GAME, &Play()->menuDialog);
    beneath = frames("saved-game dialog");
    static_cast<GButtonSaveLoad*>(slots.Find(1u))->OnLButtonClick(0, 0, 0);
  };
  Key(KEY_ESCAPE);
  frames("in-game menu");
  saveInSlot1();  // empty: saved at once
  ASSERT_EQ(game.modal, nullptr);
  frames("playing");
  Key(KEY_ESCAPE);
  // The pointer used last: the focus, which moves into the question, shows no look.
  game.SetCursorPosition(700, 700);
  int asked = 0;
  game.Platform()->nestedLoop = [&]() -> int {
    ++asked;
    const CFerroRect box = game.modal->GetClipRect();
    const std::vector<uint16_t> now = frames("question");
    for (size_t i = 0; i < now.size(); ++i) {
      const int x = static_cast<int>(i % 1024), y = static_cast<int>(i / 1024);
      if (now[i] == beneath[i] || box.Contains(x, y)) continue;
      ADD_FAILURE() << "changed outside the question at (" << x << ", " << y << ")";
      break;
    }
    return GMessageBox::kCancel;
  };
  saveInSlot1();
  EXPECT_EQ(asked, 1);
  ASSERT_EQ(game.modal, &slots);
  frames("question answered");
  Key(KEY_ESCAPE);
  frames("back in the in-game menu");
}

namespace {

// A level in play on a map of rows, its sounds watched.
class RewindSceneTest : public ScenesTest {
 protected:
  void Enter(const char* rows) {
    ASSERT_TRUE(GMapText::ToMap(rows, *map));
    ASSERT_TRUE(map->SaveToFile("rows.dmm"));
    ASSERT_TRUE(Play()->EnterPlay(PlayEntry::newGame, "rows.dmm"));
  }
  // The rewind's status text and sign, and the waiting panel's text.
  std::string Shown() {
    CFerroString status[GSceneGame::STATUS_TEXTS], over[GSceneGame::OVERLAYS];
    Play()->GetStatusTexts(status);
    Play()->GetOverlayTexts(over);
    return (status[GSceneGame::STATUS_REWIND] + "|" + over[GSceneGame::OVERLAY_REWIND] + "|" +
            over[GSceneGame::OVERLAY_WAITING])
        .c_str();
  }
  // Whether the rewind key, pressed now, takes play back.
  bool Rewinds() {
    game.PlatformKeyDown(KEY_BACKSPACE, 0);
    const bool rewinding = Play()->IsRewinding();
    game.PlatformKeyUp(KEY_BACKSPACE);
    return rewinding;
  }
  void PlayUntilNot(int state) {
    for (int t = 0; t < 400 && map->state == state; ++t) Play()->OnUpdate();
  }
  std::vector<int> played;
  ScopedValue<std::function<void(int)>> sounds{GModelMedia::soundRecorder,
                                               [this](int sample) { played.push_back(sample); }};
};

constexpr const char* kCorridor =
    "R.............$...............X\n"
    "===============================\n";

}  // namespace

// Held, the rewind key runs the level backwards two ticks a tick, silently
// and under its sign, and holds at the level's start; other keys wait. Let
// go, the runner stands where play was taken back to and the level waits
// for a key, which plays on from there as before.
TEST_F(RewindSceneTest, HoldingTheKeyTakesPlayBackAndLettingGoWaits) {
  Enter(kCorridor);
  EXPECT_FALSE(Rewinds()) << "nothing to take back yet";
  EXPECT_EQ(map->state, GMap::STATE_WAITING);
  Key(KEY_RIGHT);
  Updates(40);
  const int at40 = map->runner->x;
  Updates(80);  // the treasure at square 14 is taken on the way
  ASSERT_EQ(units->treasures, 1);
  played.clear();
  game.PlatformKeyDown(KEY_BACKSPACE, 0);
  const std::string rewind = GameText(Text::StatusRewind).c_str();
  EXPECT_EQ(Shown(), rewind + "|" + rewind + "|");
  Key(KEY_LEFT);  // waits for the rewind key's release
  Updates(40);
  EXPECT_EQ(std::make_tuple(map->tick, map->runner->x, units->treasures, units->score,
                            map->CountCells(CELL_TREASURE), map->tally.treasures),
            std::make_tuple(40u, at40, 0, 0, 1, 0));
  EXPECT_TRUE(played.empty());
  Updates(30);
  EXPECT_EQ(map->tick, 0u) << "held on, it stays at the level's start";
  game.PlatformKeyUp(KEY_BACKSPACE);
  EXPECT_EQ(Shown(), "||" + std::string(GameText(Text::PressKeyToStart).c_str()));
  EXPECT_EQ(std::make_tuple(map->state, units->moveX, units->moveY, units->dig),
            std::make_tuple(int{GMap::STATE_WAITING}, 0, 0, false));
  Key(KEY_RIGHT);
  Updates(40);
  EXPECT_EQ(map->runner->x, at40) << "played again, the level goes as before";
}

// In the pause after a catch the rewind takes the catch back, and the life
// with it; a life lost is a floor. A won level, a level under a dialog and a
// solution shown (which the key ends, as any key) take nothing back.
TEST_F(RewindSceneTest, ACatchIsTakenBackButNeitherALifeLostAWinNorAReplay) {
  Enter("R.......A.$X\n============\n");
  Key(KEY_RIGHT);
  PlayUntilNot(GMap::STATE_PLAYING);
  ASSERT_EQ(map->state, GMap::STATE_CAUGHT);
  Updates(GSceneGame::kEndPause - 2);
  game.PlatformKeyDown(KEY_BACKSPACE, 0);
  Updates(GSceneGame::kEndPause + 5);
  game.PlatformKeyUp(KEY_BACKSPACE);
  EXPECT_EQ(std::make_pair(units->lives, map->state), std::make_pair(10, int{GMap::STATE_WAITING}));
  Key(KEY_RIGHT);
  PlayUntilNot(GMap::STATE_PLAYING);
  PlayUntilNot(GMap::STATE_CAUGHT);
  ASSERT_EQ(units->lives, 9);
  EXPECT_FALSE(Rewinds());

  Key(KEY_RIGHT);
  Updates(3);
  Run(CMD_GAME_MENU, Play());
  EXPECT_FALSE(Rewinds()) << "under the in-game menu";
  Key(KEY_ESCAPE);
  map->SetState(GMap::STATE_WON);
  EXPECT_FALSE(Rewinds());

  ASSERT_TRUE(Play()->EnterPlay(PlayEntry::newGame, "level01.dmm"));
  Key(KEY_RIGHT);
  Updates(10);
  ASSERT_TRUE(Play()->EnterPlay(PlayEntry::solution));
  Updates(10);
  EXPECT_FALSE(Rewinds());
  EXPECT_FALSE(Play()->IsShowingSolution());
  Updates(3);
  EXPECT_EQ(map->tick, 0u);
}

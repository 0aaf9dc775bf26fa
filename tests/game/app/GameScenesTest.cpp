#include <gtest/gtest.h>

#include <filesystem>

#include "GUI/toolkit/GMessageBox.h"
#include "GUI/toolkit/GStatic.h"
#include "game/app/GButtonDM.h"
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
  void StartGame() {
    Run(CMD_START_GAME, Menu());
    ASSERT_EQ(game.GetCurrentSceneIndex(), SCENE_GAME);
  }
  void ClickSlot(int slot, bool load) {
    GDialogSaveLoad& dialog = Menu()->saveLoadDialog;
    dialog.loadMode = load;
    dialog.BeginModal();
    static_cast<GButtonSaveLoad*>(dialog.Find(static_cast<unsigned>(slot)))
        ->OnLButtonClick(0, 0, 0);
  }
  static CFerroString BoxText(GDialog& box) {
    for (int i = 0; i < box.GetChildCount(); ++i)
      if (box.GetChild(i)->IsStatic()) return box.GetChild(i)->GetWindowText();
    return CFerroString();
  }
  void Updates(unsigned n) {
    for (unsigned t = 0; t < n; ++t) Play()->OnUpdate();
  }
};

}  // namespace

TEST_F(ScenesTest, ADamagedSlotOrAnEmptyListLeavesThePlayerWhereHeWas) {
  StartGame();
  const std::string slot = GDialogSaveLoad::GetSlotPath(5).c_str();
  ASSERT_TRUE(SaveGameToFile(slot.c_str()));
  fs::resize_file(slot, fs::file_size(slot) / 2);  // the name reads, the game does not
  const int runnerX = map->runner->x;
  game.SetScene(SCENE_MENU);
  PushKey(SDL_SCANCODE_RETURN);
  ClickSlot(5, true);
  EXPECT_EQ(game.GetCurrentSceneIndex(), SCENE_MENU);
  EXPECT_EQ(game.modal, nullptr);
  EXPECT_EQ(map->runner->x, runnerX);

  list->Clear();
  PushKey(SDL_SCANCODE_RETURN);
  Run(CMD_START_GAME, Menu());
  EXPECT_EQ(game.GetCurrentSceneIndex(), SCENE_MENU);
  EXPECT_EQ(game.modal, nullptr);
}

// The last level won or the last life lost holds still for the pause, then
// the end-of-game box or (after a test play) the maps manager follows. The box has one button, so
// Escape (the pad's B) does not answer it; A (Space) goes back to the main menu, but not Space
// held through the end: its repeats never reach the box.
TEST_F(ScenesTest, TheEndOfALevelHoldsStillThenMovesOn) {
  const struct {
    int state;
    bool test;
    const char* box;  // the end-of-game box's text, none after a test play
  } cases[] = {
      {GMap::STATE_WON, false, "Congratulations! You have won!"},
      {GMap::STATE_CAUGHT, false, "You have lost ..."},
      {GMap::STATE_CAUGHT, true, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.box ? c.box : "a test play lost");
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
    EXPECT_EQ(BoxText(Play()->victoryBox), c.box);
    Key(KEY_ESCAPE);
    ASSERT_EQ(game.modal, &Play()->victoryBox);
    Key(KEY_SPACE);
    EXPECT_EQ(game.GetCurrentSceneIndex(), SCENE_MENU);
  }
}

// The in-game menu, opened by a click (which gives its button the keyboard),
// stops the level where it is, also while the screen switches in a message
// box over it: a level waiting for its first key goes on waiting after it (no
// tick runs) and then answers the arrows; a won level's pause goes on where it
// was, its sound not played again.
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
  EXPECT_EQ(game.MessageBox("Question", "Go on?", MB_OK_CANCEL), 2);
  EXPECT_FALSE(game.GetDevice()->IsFullScreen());
  EXPECT_EQ(game.modal, &Play()->menuDialog);
  Key(KEY_ESCAPE);  // Continue Game
  Updates(600);     // 30 seconds
  EXPECT_EQ(map->state, GMap::STATE_WAITING);
  EXPECT_EQ(map->tick, 0u);
  game.PlatformKeyDown(KEY_LEFT, 0);
  EXPECT_EQ(units->moveX, -1) << "the arrow reached the runner";
  game.PlatformKeyUp(KEY_LEFT);

  std::vector<int> played;
  ScopedValue recorder(GModelMedia::soundRecorder, [&](int sample) { played.push_back(sample); });
  ScopedValue victory(units->soundVictory, 7);
  map->SetState(GMap::STATE_WON);
  Updates(5);
  Run(CMD_GAME_MENU, Play());
  Updates(40);  // nothing moves while the menu is open
  EXPECT_EQ(map->state, GMap::STATE_WON);
  EXPECT_EQ(map->stateCounter, 5u);
  Play()->menuDialog.OnEnter();  // Continue Game
  Updates(GSceneGame::kEndPause - 4);
  EXPECT_EQ(list->GetMapForGameIndex(), 1);
  EXPECT_EQ(played, std::vector<int>{7});  // the victory sound, once
}

// Saving over a kept game asks first: Cancel keeps the slot and the dialog
// open, OK overwrites.
TEST_F(ScenesTest, SavingOverAKeptGameAsksFirst) {
  StartGame();
  const std::string slot = GDialogSaveLoad::GetSlotPath(2).c_str();
  Run(CMD_GAME_MENU, Play());
  ClickSlot(2, false);  // an empty slot: saved without a question
  ASSERT_EQ(game.modal, nullptr);
  const std::string first = ReadText(slot);
  ASSERT_FALSE(first.empty());
  units->score = 77;
  Run(CMD_GAME_MENU, Play());
  PushKey(SDL_SCANCODE_ESCAPE);
  ClickSlot(2, false);
  EXPECT_EQ(ReadText(slot), first);
  EXPECT_EQ(game.modal, &Menu()->saveLoadDialog);
  PushKey(SDL_SCANCODE_RETURN);
  ClickSlot(2, false);
  EXPECT_NE(ReadText(slot), first);
  EXPECT_EQ(game.modal, nullptr);
}

// A recording replays in digmaze-sim to the very "# end" line the game wrote:
// here on a later level of the campaign, which starts from the campaign's
// counters, and after Restart Level, which goes on in a new file on the next
// tick, with a start by a key that does not steer and repeats of a held key,
// one of which turns the runner back and so must be recorded.
TEST_F(ScenesTest, EveryRecordingEndsOnTheLineItsReplayEndsOn) {
  const fs::path rec = fs::path(folder.Path()) / "rec";
  game.SetRecordFolder(rec.c_str());
  ASSERT_TRUE(GMapText::ToMap("R.$.$.X\n=======\n", *map));
  for (const char* name : {"first.dmm", "second.dmm"}) ASSERT_TRUE(map->SaveToFile(name));
  list->Clear();
  ASSERT_TRUE(list->Add("first.dmm"));
  ASSERT_TRUE(list->Add("second.dmm"));
  StartGame();
  // The campaign so far: its score, lives and treasures (the next is a tenth).
  units->score = 131;
  units->lives = 7;
  units->treasures = 9;
  map->SetState(GMap::STATE_WON);
  Updates(GSceneGame::kEndPause + 1);

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
  Play()->OnKeyDown(KEY_RIGHT, 1, 0);
  game.PlatformKeyUp(KEY_RIGHT);
  for (int t = 0; t < 400 && map->state != GMap::STATE_WON; ++t) Play()->OnUpdate();

  const std::string before = ReadText(rec / "second.txt");
  EXPECT_EQ(before.rfind("# second.dmm\nstart 0 score 131 lives 7 treasures 9\n", 0), 0u) << before;
  EXPECT_EQ(RecordedEnd(before), "<none>") << before;

  const std::string after = ReadText(rec / "second-2.txt");
  EXPECT_NE(after.find("\nrestart "), std::string::npos) << after;
  EXPECT_NE(after.find(" taken 2,0\n"), std::string::npos) << after;
  const auto lines = ReplayedLines(after, fs::path(folder.Path()) / "Maps/second.dmm");
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(RecordedEnd(after), lines.back()) << after;
}

// Where the focus starts and the ids it visits with Down (Right in a
// message box) until it comes round again: hidden and disabled buttons
// ("Empty Slot", or not a saved game, when loading; saving and loading in a
// test play) are passed over.
TEST_F(ScenesTest, TheFocusOrderOfEveryMenuAndDialog) {
  StartGame();
  ASSERT_TRUE(SaveGameToFile(GDialogSaveLoad::GetSlotPath(3).c_str()));
  ASSERT_TRUE(SaveGameToFile(GDialogSaveLoad::GetSlotPath(6).c_str()));
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
  EXPECT_EQ(visit(menu, 6, KEY_DOWN), ids({1, 2, 3, 4, 5, 6, 1}));
  StartGame();
  Run(CMD_GAME_MENU, Play());
  EXPECT_EQ(visit(&Play()->menuDialog, 5, KEY_DOWN), ids({18, 19, 20, 21, 22, 18}));
  Play()->menuDialog.EndModal(0);
  map->testMode = true;
  Run(CMD_GAME_MENU, Play());
  EXPECT_EQ(visit(&Play()->menuDialog, 3, KEY_DOWN), ids({18, 19, 22, 18}));
  Play()->menuDialog.EndModal(0);
  map->testMode = false;
  Run(CMD_SAVE_GAME, Play());
  EXPECT_EQ(visit(&menu->saveLoadDialog, 9, KEY_DOWN), ids({10, 1, 2, 3, 4, 5, 6, 7, 8, 10}));
  menu->saveLoadDialog.EndModal(0);
  Run(CMD_LOAD_GAME_IN_GAME, Play());
  EXPECT_EQ(visit(&menu->saveLoadDialog, 3, KEY_DOWN), ids({10, 3, 6, 10}));
  menu->saveLoadDialog.EndModal(0);
  game.SetScene(SCENE_MENU);
  Run(CMD_EXIT, menu);
  EXPECT_EQ(visit(&menu->quitBox, 2, KEY_RIGHT), ids({1, 2, 1}));
  EXPECT_EQ(visit(&menu->quitBox, 2, KEY_TAB), ids({1, 2, 1}));
  menu->quitBox.EndModal(0);
}

namespace {

class PlayPictureTest : public GameTest {
 protected:
  PlayPictureTest() : GameTest(true) {}
  void SetUp() override {
    GameTest::SetUp();
    ASSERT_TRUE(list->Load());
    GButtonDM::RunCommand(CMD_START_GAME, Menu());
    list->currentName = "level15.dmm";
    ASSERT_TRUE(map->Start());
    ASSERT_EQ(map->GetAlienCount(), 2);
    game.PlatformTimer();
  }
  long long Uploaded() {
    long long area = 0;
    for (const CFerroRect& r : game.Device()->uploaded) area += 1LL * r.Width() * r.Height();
    return area;
  }
};

}  // namespace

// Play uploads and presents only the parts that changed, and the window then
// shows what a whole redraw shows: the status line, Restart Level from the
// menu, a runner caught with the aliens fading to red, the restarts.
TEST_F(PlayPictureTest, PlayPresentsOnlyWhatChangedAndShowsAWholeRedraw) {
  const unsigned keys[] = {KEY_RIGHT, KEY_LEFT, KEY_UP, KEY_DOWN, KEY_SPACE};
  for (int t = 0; t < 170; ++t) {
    SCOPED_TRACE("tick " + std::to_string(t));
    if (t % 20 == 0) game.PlatformKeyDown(static_cast<int>(keys[t / 20 % 5]), 0);
    if (t % 20 == 10) game.PlatformKeyUp(static_cast<int>(keys[t / 20 % 5]));
    if (t == 50) units->score = 12345;  // a longer status line
    if (t == 90) units->score = 7;      // and a shorter one
    if (t == 70) {
      GButtonDM::RunCommand(CMD_GAME_MENU, game.GetScene());
      game.PlatformTimer();
      GButtonDM::RunCommand(CMD_RESTART_LEVEL, game.modal);
    }
    // Caught as by an alien: the aliens fade to red, then the level restarts.
    if (t == 120) map->SetState(GMap::STATE_CAUGHT);
    const unsigned builds = map->GetBackgroundBuilds();
    const int before = game.Device()->frames;
    game.PlatformTimer();
    // A new level and a closed menu are drawn whole, and so is the scene when
    // the first key takes over from the mouse (the looks may change).
    if (game.Device()->frames != before && map->GetBackgroundBuilds() == builds && t != 70 &&
        t != 0) {
      EXPECT_LT(Uploaded(), 1024 * 768 / 20);
    }
    const std::vector<Uint32> shown = WindowPixels(*static_cast<GDeviceSDL*>(game.GetDevice()));
    ASSERT_EQ(shown, RedrawnWindow(game));
  }
}

// Dialogs over dialogs (the in-game menu, the saved-game dialog, the question
// over a kept slot) are drawn as a whole redraw draws them after every frame,
// and the question leaves every pixel outside itself as it was: the
// saved-game dialog stays over the in-game menu's buttons.
TEST_F(PlayPictureTest, NestedDialogsDrawAsAWholeRedraw) {
  const auto frames = [&](const char* when) {
    for (int t = 0; t < 3; ++t) {
      game.PlatformTimer();
      const std::vector<Uint32> shown = WindowPixels(*static_cast<GDeviceSDL*>(game.GetDevice()));
      EXPECT_EQ(shown, RedrawnWindow(game)) << when << ", frame " << t;
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

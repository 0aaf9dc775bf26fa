#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <sstream>

#include "GUI/sound/GSoundBass.h"
#include "game/app/GButtonDM.h"
#include "game/app/GameLanguage.h"
#include "game/model/GMapText.h"
#include "game/model/GModelMedia.h"
#include "game/model/GUnit.h"
#include "game/sim/GSimulation.h"
#include "tests/support/GameAppFixture.h"

namespace fs = std::filesystem;

namespace {

class OptionsTest : public GameTest {
 protected:
  GDialogOptions& Options() { return Menu()->optionsDialog; }
  GDialogKeys& Keys() { return Options().keysDialog; }
  CFerroString Value(GDialog& dialog, unsigned row) {
    return static_cast<GValueRow*>(dialog.Find(row))->GetValueText();
  }
  float MasterVolume() {
    return static_cast<GSoundBass*>(game.GetSound())->GetMixer().GetMasterVolume();
  }
  CGameSettings Written() {
    CGameSettings read;
    CFerroString why;
    EXPECT_EQ(read.Load(game.GetPathToSettings().c_str(), why), CGameSettings::LoadResult::Loaded);
    return read;
  }
};

}  // namespace

// Each row changes its setting at once: the mixer's volume, the sound off
// and on, the window, the scale, the motion. What M changes meanwhile shows on the next
// tick. Closing the options writes the settings file.
TEST_F(OptionsTest, EveryChangeTakesEffectAtOnceAndClosingWritesTheFile) {
  GButtonDM::RunCommand(CMD_OPTIONS, Menu());
  ASSERT_EQ(game.modal, &Options());
  for (int i = 0; i < 3; ++i) Key(KEY_LEFT);
  EXPECT_NEAR(MasterVolume(), std::pow(0.7f, 3.5f), 1e-6);
  EXPECT_EQ(Value(Options(), OPTION_VOLUME), GameText(Text::Percent, {"70"}));
  Key(KEY_DOWN);
  Key(KEY_LEFT);  // music 60 %
  EXPECT_EQ(game.GetSound()->GetMusicVolume(), 60);
  Key(KEY_DOWN);
  Key(KEY_LEFT);  // the sound off
  EXPECT_TRUE(static_cast<GSoundBass*>(game.GetSound())->GetMixer().IsMuted());
  Key(KEY_DOWN);
  Key(KEY_RIGHT);  // a window
  EXPECT_FALSE(game.GetDevice()->IsFullScreen());
  Key(KEY_DOWN);
  Key(KEY_RIGHT);  // integer scaling
  EXPECT_EQ(game.GetDevice()->GetScaleMode(), ScaleMode::Integer);
  Key(KEY_DOWN);
  Key(KEY_RIGHT);  // classic motion
  EXPECT_EQ(game.GetMotion(), MotionMode::Classic);
  Key(KEY_M);
  game.SysOnUpdate();
  EXPECT_EQ(Value(Options(), OPTION_SOUND), GameText(Text::SoundOn));
  EXPECT_FALSE(fs::exists(game.GetPathToSettings().c_str()));
  Key(KEY_ESCAPE);
  EXPECT_EQ(game.modal, nullptr);
  const CGameSettings written = Written();
  EXPECT_EQ(std::tuple(written.volume, written.musicVolume, written.muted, written.windowMode,
                       written.scale, written.motion),
            std::tuple(70, 60, false, WindowMode::Window, ScaleMode::Integer, MotionMode::Classic));
}

// The row of an action waits for a key: one another action has, Enter (the
// menu's) and a key without a name are refused with the reason and the row
// waits on; a pad's button is no key of the keyboard; the first free key is
// taken. In a level that key digs and Space no longer does, the pad's A
// still does, and the recording names the dig "Space" whichever key gave it.
// Escape ends a wait with the key kept; Defaults brings the arrows and Space back.
TEST_F(OptionsTest, AKeyIsTakenOnlyWhenNoOtherUseHasItAndPlaysAtOnce) {
  GButtonDM::RunCommand(CMD_OPTIONS, Menu());
  Key(KEY_UP);  // round to Done, then up past Language to Keys
  Key(KEY_UP);
  Key(KEY_UP);
  Key(KEY_RETURN);
  ASSERT_EQ(game.modal, &Keys());
  for (int i = 0; i < 4; ++i) Key(KEY_DOWN);
  Key(KEY_SPACE);
  const unsigned dig = PLAYER_DIG + 1;
  EXPECT_EQ(Value(Keys(), dig), GameText(Text::KeysPress, {GameText(Text::KeysDig)}));
  const struct {
    unsigned key;
    bool pad;
    CFerroString message;
  } refused[] = {
      {KEY_LEFT, false,
       GameText(Text::KeysTaken, {GameText(Text::KeyNameLeft), GameText(Text::KeysLeft)})},
      {KEY_RETURN, false, GameText(Text::KeysOpensMenu, {GameText(Text::KeyNameEnter)})},
      {KEY_GRAVE, false, GameText(Text::KeysRefused)},
      {KEY_DOWN, true, GameText(Text::KeysRefused)},
  };
  for (const auto& r : refused) {
    if (r.pad)
      game.PlatformPadKeyDown(static_cast<int>(r.key));
    else
      game.PlatformKeyDown(static_cast<int>(r.key), 0);
    game.PlatformKeyUp(static_cast<int>(r.key));
    EXPECT_EQ(Keys().GetMessage(), r.message) << r.key;
    EXPECT_EQ(Keys().GetWaitingRow(), Keys().Find(dig)) << r.key;
  }
  Key(KEY_D);
  EXPECT_EQ(std::pair(Value(Keys(), dig), Keys().GetMessage()),
            std::pair(CFerroString("D"), CFerroString("")));
  Key(KEY_RETURN);
  Key(KEY_ESCAPE);
  EXPECT_EQ(Value(Keys(), dig), "D");
  ASSERT_EQ(game.modal, &Keys());
  Key(KEY_ESCAPE);
  Key(KEY_ESCAPE);
  ASSERT_EQ(game.modal, nullptr);
  EXPECT_EQ(Written().keys.codes[PLAYER_DIG], static_cast<unsigned>(KEY_D));

  const fs::path rec = fs::path(folder.Path()) / "rec";
  game.SetRecordFolder(rec.c_str());
  ASSERT_TRUE(list->Load());  // the shipped level order, whatever an earlier test left
  GButtonDM::RunCommand(CMD_START_GAME, Menu());
  Key(KEY_RETURN);  // the first level of the level select
  ASSERT_EQ(game.GetCurrentSceneIndex(), SCENE_GAME);
  const auto held = [&](unsigned key, bool pad) {
    pad ? game.PlatformPadKeyDown(static_cast<int>(key))
        : game.PlatformKeyDown(static_cast<int>(key), 0);
    const bool digging = units->dig;
    game.PlatformKeyUp(static_cast<int>(key));
    return digging;
  };
  EXPECT_EQ(std::tuple(held(KEY_D, false), held(KEY_SPACE, false), held(KEY_SPACE, true)),
            std::tuple(true, false, true));
  game.SetScene(SCENE_MENU);
  EXPECT_NE(ReadText(rec / "level01.txt").find("0 down Space\n0 up Space\n0 down Space\n"),
            std::string::npos);

  GButtonDM::RunCommand(CMD_KEYS_DEFAULTS, &Keys());
  EXPECT_EQ(static_cast<GGameDM&>(game).GetPlayerKeys(), CPlayerKeys());
}

// The language row speaks each language by its own name and switches at
// once: the options stay open on that row, in the new language, as does the
// scene below; closing keeps the choice in the settings file.
TEST_F(OptionsTest, TheLanguageRowSwitchesEveryTextAtOnce) {
  GButtonDM::RunCommand(CMD_OPTIONS, Menu());
  for (unsigned i = 1; i < OPTION_LANGUAGE; ++i) Key(KEY_DOWN);
  GComponent* row = Options().Find(OPTION_LANGUAGE);
  ASSERT_EQ(Options().GetFocusItem(), row);
  const auto shown = [&] {
    return std::tuple(CFerroString(Options().GetWindowText()),
                      CFerroString(Options().Find(OPTION_SOUND)->GetWindowText()),
                      CFerroString(Menu()->Find(CMD_START_GAME)->GetWindowText()));
  };
  const auto english = shown();
  EXPECT_EQ(Value(Options(), OPTION_LANGUAGE), GameLanguages()[0].name);
  for (size_t i = 1; i < GameLanguages().size(); ++i) Key(KEY_RIGHT);
  EXPECT_EQ(Value(Options(), OPTION_LANGUAGE), GameLanguages().back().name);
  EXPECT_EQ(CurrentLanguage(), GameLanguages().back().code);
  EXPECT_EQ(shown(), std::tuple(GameText(Text::OptionsCaption), GameText(Text::OptionsSound),
                                GameText(Text::MenuStartGame)));
  EXPECT_NE(shown(), english);
  EXPECT_EQ(Options().GetFocusItem(), row);
  Key(KEY_ESCAPE);
  EXPECT_EQ(Written().language, GameLanguages().back().code);
  GButtonDM::RunCommand(CMD_OPTIONS, Menu());
  for (unsigned i = 1; i < OPTION_LANGUAGE; ++i) Key(KEY_DOWN);
  for (size_t i = 1; i < GameLanguages().size(); ++i) Key(KEY_LEFT);
  EXPECT_EQ(shown(), english);
}

// Speed and steering: the rows change them at once and closing writes them.
// The player's level ticks at the player's speed (changed from the in-game
// menu, at once) and every other scene, the demonstration included, at
// normal; the demonstration steers as it was recorded. A recording notes
// the speed and steering from its start and where they change, and replays
// in digmaze-sim to the line the game ended on, releases and all.
TEST_F(OptionsTest, SpeedAndSteeringRunThePlayersLevelsAndTheirRecordings) {
  GButtonDM::RunCommand(CMD_OPTIONS, Menu());
  for (int i = 0; i < 6; ++i) Key(KEY_DOWN);  // to Speed
  Key(KEY_RIGHT);                             // fast
  Key(KEY_DOWN);
  Key(KEY_RIGHT);  // stop on release
  EXPECT_EQ(std::pair(Value(Options(), OPTION_SPEED), Value(Options(), OPTION_STEERING)),
            std::pair(GameText(Text::SpeedFast), GameText(Text::SteeringStopOnRelease)));
  EXPECT_EQ(game.GetMainTimerPeriod(), 50u);
  Key(KEY_ESCAPE);
  EXPECT_EQ(std::pair(Written().speed, Written().steering),
            std::pair(GameSpeed::fast, Steering::stopOnRelease));

  const fs::path rec = fs::path(folder.Path()) / "rec";
  game.SetRecordFolder(rec.c_str());
  ASSERT_TRUE(GMapText::ToMap("R.......$\n=========\n", *map));
  ASSERT_TRUE(map->SaveToFile("walk.dmm"));
  GSceneGame* play = Play();
  ASSERT_TRUE(play->EnterPlay(PlayEntry::newGame, "walk.dmm"));
  EXPECT_EQ(std::pair(game.GetMainTimerPeriod(), units->steering),
            std::pair(35u, Steering::stopOnRelease));
  const auto updates = [play](int n) {
    for (int t = 0; t < n; ++t) play->OnUpdate();
  };
  game.PlatformKeyDown(KEY_RIGHT, 0);
  updates(10);
  game.PlatformKeyUp(KEY_RIGHT);
  updates(10);
  EXPECT_EQ(std::pair(map->runner->x, map->runner->animation), std::pair(64, int(ANIM_STAND)));
  // Right held while the menu opens and let go under it: play goes on with
  // the runner stopping, as it would have.
  game.PlatformKeyDown(KEY_RIGHT, 0);
  updates(3);
  GButtonDM::RunCommand(CMD_GAME_MENU, play);
  GButtonDM::RunCommand(CMD_OPTIONS, &play->menuDialog);
  ASSERT_EQ(game.modal, &Options());
  for (int i = 0; i < 6; ++i) Key(KEY_DOWN);  // to Speed
  game.PlatformKeyUp(KEY_RIGHT);
  Key(KEY_LEFT);
  Key(KEY_LEFT);  // slow
  EXPECT_EQ(game.GetMainTimerPeriod(), 70u);
  while (game.modal) game.modal->EndModal(0);
  updates(12);
  EXPECT_EQ(std::pair(map->runner->x, map->runner->animation), std::pair(96, int(ANIM_STAND)));
  const unsigned ticks = map->tick;
  const std::string ended = GSimulation::StatusLine(ticks - 1);
  game.SetScene(SCENE_MENU);
  EXPECT_EQ(game.GetMainTimerPeriod(), 50u);

  const std::string recording = ReadText(rec / "walk.txt");
  EXPECT_EQ(recording.rfind("# walk.dmm\nstart 0 score 0 lives 10 treasures 0\n0 speed fast\n"
                            "0 steering stop-on-release\n0 down Right\n10 up Right\n",
                            0),
            0u)
      << recording;
  EXPECT_NE(recording.find(" speed slow\n"), std::string::npos) << recording;
  std::vector<SIM_EVENT> events;
  SIM_START start;
  std::string error;
  ASSERT_TRUE(GSimulation::ParseScript(recording, events, error, &start)) << error;
  ASSERT_TRUE(
      GSimulation::LoadMap((fs::path(GModelMedia::GetPathToMaps().c_str()) / "walk.dmm").c_str()));
  GSimulation sim;
  sim.Begin(start);
  std::ostringstream out;
  sim.Run(events, ticks, out);
  const std::string lines = out.str();
  EXPECT_EQ(lines.substr(lines.rfind('\n', lines.size() - 2) + 1), ended + "\n");

  // The demonstration ticks at normal and plays its replays as they were recorded.
  ASSERT_TRUE(play->EnterPlay(PlayEntry::demonstration));
  EXPECT_EQ(std::pair(game.GetMainTimerPeriod(), units->steering),
            std::pair(50u, Steering::keepGoing));
  play->EndDemonstration();
  EXPECT_EQ(game.GetMainTimerPeriod(), 50u);
}

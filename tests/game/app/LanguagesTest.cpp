// The game in its five languages: the shipped resource, the choice of a
// language, what a damaged resource or a missing text costs, the switch, and
// every scene and dialog drawn in every language with its texts inside
// their boxes.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "GUI/graphics/GDevice.h"
#include "GUI/graphics/GTextProbe.h"
#include "GUI/resources/Language.h"
#include "GUI/themes/GTheme.h"
#include "game/app/GButtonDM.h"
#include "game/app/GDialogSaveLoad.h"
#include "game/app/GSceneMapsManager.h"
#include "game/app/GameLanguage.h"
#include "game/app/GameTexts.h"
#include "game/model/CCampaign.h"
#include "tests/support/GameAppFixture.h"

namespace {

std::string Shipped() {
  return ReadText(SourceDir() / "data" / "lang" / "digmaze.lng");
}

// The places ({0}, {1}) of a text, in order of their numbers.
std::set<std::string> Places(const std::string& text) {
  std::set<std::string> places;
  const std::regex place("\\{[0-9]\\}");
  for (auto m = std::sregex_iterator(text.begin(), text.end(), place); m != std::sregex_iterator();
       ++m)
    places.insert(m->str());
  return places;
}

int Forms(const std::string& text) {
  return 1 + static_cast<int>(std::count(text.begin(), text.end(), '|'));
}

// Every language of the shipped resource has every text of the game, with
// the same places as the English one and, for a text that counts, as many
// plural forms as the language's rule; its English is the table's, which
// the game shows when the resource cannot be read. No text uses combining
// marks, which the fonts do not draw.
TEST(GameLanguages, EveryTextIsInEveryLanguage) {
  const std::string bytes = Shipped();
  for (const GAME_LANGUAGE& language : GameLanguages()) {
    const Language loaded(bytes.data(), static_cast<int>(bytes.size()), language.code);
    ASSERT_EQ(loaded.GetCurrent().label, CFerroString(language.code));
    for (const std::string& key : MissingKeys(loaded))
      ADD_FAILURE() << "the text \"" << key << "\" is missing in " << language.code;
    for (const GAME_TEXT& text : GameTexts()) {
      const char* found = loaded.Label(text.key, true);
      if (!found) continue;
      const std::string translated = found;
      SCOPED_TRACE(std::string(language.code) + " " + text.key + ": " + translated);
      if (std::string(language.code) == kEnglish) {
        EXPECT_EQ(translated, text.english);
      }
      EXPECT_EQ(Places(translated), Places(text.english));
      EXPECT_EQ(Forms(translated), Forms(text.english) > 1 ? language.pluralForms : 1);
      EXPECT_EQ(translated.find("\xCC"), std::string::npos) << "a combining mark";
    }
    // The names of the campaign's sets too.
    const std::string sets = ReadText(SourceDir() / "data" / "Maps" / CCampaign::kSetsFile);
    const std::regex name("\nname = ([^\r\n]+)");
    int named = 0;
    for (auto m = std::sregex_iterator(sets.begin(), sets.end(), name); m != std::sregex_iterator();
         ++m, ++named)
      EXPECT_NE(loaded.Label(SetNameKey((*m)[1].str()).c_str(), true), nullptr)
          << "the set \"" << (*m)[1].str() << "\" has no name in " << language.code;
    EXPECT_GT(named, 0);
  }
}

// The plural rules, each at the counts where its forms change.
TEST(GameLanguages, EachLanguageCountsByItsOwnRule) {
  const struct {
    const char* code;
    std::vector<std::pair<long long, int>> forms;
  } cases[] = {
      {"en", {{0, 1}, {1, 0}, {2, 1}, {21, 1}}},
      {"de", {{0, 1}, {1, 0}, {11, 1}}},
      {"es", {{1, 0}, {5, 1}}},
      {"fr", {{0, 0}, {1, 0}, {2, 1}, {100, 1}}},
      {"ru",
       {{0, 2},
        {1, 0},
        {2, 1},
        {4, 1},
        {5, 2},
        {11, 2},
        {12, 2},
        {14, 2},
        {21, 0},
        {22, 1},
        {25, 2},
        {101, 0},
        {111, 2},
        {112, 2},
        {122, 1}}},
  };
  for (const auto& c : cases)
    for (const auto& [count, form] : c.forms)
      EXPECT_EQ(FindGameLanguage(c.code)->pluralForm(count), form) << c.code << " " << count;
  EXPECT_EQ(FillPlaces(PluralForm("{0} one|{0} few|{0} many", 1), {"22"}), CFerroString("22 few"));
  EXPECT_EQ(PluralForm("only", 2), CFerroString("only"));
  EXPECT_EQ(FillPlaces("{1} of {0} {2}", {"30", "12"}), CFerroString("12 of 30 {2}"));
}

// The first of LANGUAGE, LC_ALL, LC_MESSAGES and LANG that names a shipped
// language decides; LANGUAGE may list several; anything else is English.
TEST(GameLanguages, TheEnvironmentNamesTheLanguage) {
  using Environment = std::map<std::string, std::string>;
  const struct {
    Environment environment;
    const char* language;
  } cases[] = {
      {{}, "en"},
      {{{"LANG", "de_DE.UTF-8"}}, "de"},
      {{{"LC_MESSAGES", "fr_CA.utf8"}, {"LANG", "de_DE.UTF-8"}}, "fr"},
      {{{"LC_ALL", "es_ES@euro"}, {"LC_MESSAGES", "fr_FR"}}, "es"},
      {{{"LANGUAGE", "RU"}, {"LC_ALL", "de_DE"}}, "ru"},
      {{{"LANGUAGE", "pt_BR:it:fr:de"}, {"LANG", "ru_RU"}}, "fr"},
      {{{"LANGUAGE", "pt"}, {"LC_ALL", "C"}, {"LC_MESSAGES", "POSIX"}, {"LANG", "es_MX"}}, "es"},
      {{{"LANG", "C.UTF-8"}}, "en"},
      {{{"LANG", "en_GB.UTF-8"}, {"LANGUAGE", ""}}, "en"},
  };
  for (const auto& c : cases) {
    const std::string chosen = LanguageFromEnvironment([&c](const char* name) -> const char* {
      const auto found = c.environment.find(name);
      return found == c.environment.end() ? nullptr : found->second.c_str();
    });
    EXPECT_EQ(chosen, c.language) << ::testing::PrintToString(c.environment);
  }
}

// Tells what texts were drawn outside their boxes, and where.
class FitProbe : public GTextProbe {
 public:
  void OnText(const char* text, const CFerroRect& drawn, const CFerroRect& box) override {
    ++texts;
    if (box.ContainsRect(drawn)) return;
    overflows.push_back(where + ": \"" + text + "\" from x " + std::to_string(drawn.left) + " to " +
                        std::to_string(drawn.right) + ", y " + std::to_string(drawn.top) + " to " +
                        std::to_string(drawn.bottom) + " in x " + std::to_string(box.left) +
                        " to " + std::to_string(box.right) + ", y " + std::to_string(box.top) +
                        " to " + std::to_string(box.bottom));
  }
  std::string where;
  std::vector<std::string> overflows;
  int texts = 0;
};

class LanguagesTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    // The shipped level order, whatever an earlier test left in the list.
    ASSERT_TRUE(list->Load());
    game.GetDevice()->SetTextProbe(&probe);
  }
  void TearDown() override {
    game.GetDevice()->SetTextProbe(nullptr);
    GameTest::TearDown();
  }
  // Draws the whole scene with whatever is open over it.
  void Look(const std::string& where) {
    probe.where = game.GetLanguage() + ", " + where;
    const int before = probe.texts;
    RedrawnWindow(game);
    EXPECT_GT(probe.texts, before) << probe.where << " drew no text";
  }
  void Close() {
    while (game.modal) game.modal->EndModal(0);
  }
  // The error log's lines about the language resource.
  std::string LogText() {
    if (!std::filesystem::exists(folder / "error.log")) return "";
    const std::string log = ReadText(folder / "error.log");
    std::string told;
    for (size_t at = 0, end; at < log.size(); at = end + 1) {
      end = log.find('\n', at);
      if (end == std::string::npos) end = log.size();
      const std::string line = log.substr(at, end - at + 1);
      if (line.find("language resource") != std::string::npos) told += line;
    }
    return told;
  }

  FitProbe probe;
};

// Keys of play whose names are the longest.
const CPlayerKeys kLongKeys{
    {KEY_RCONTROL, KEY_BACKSPACE, KEY_PAGE_UP, KEY_PAGE_DOWN, KEY_LCONTROL}};

// Every scene and dialog, in every language, keeps each text inside its box:
// the buttons and captions inside their frames, the status line's texts
// each in its own room, the words under a miniature inside it.
TEST_F(LanguagesTest, EveryTextFitsItsBoxInEveryLanguage) {
  // Records with long times and scores, a saved game and a damaged one.
  WIN_NEWS news;
  ASSERT_TRUE(game.RecordWin(list->names[0], 99999, 99999, news));
  ASSERT_TRUE(game.RecordWin(list->names[1], 1234, 450, news));
  GButtonDM::RunCommand(CMD_START_GAME, Menu());
  Key(KEY_RETURN);
  ASSERT_EQ(Where(), "game");
  units->score = 88888;
  Menu()->saveLoadDialog.loadMode = false;
  Menu()->saveLoadDialog.BeginModal();
  Menu()->saveLoadDialog.Find(1)->OnLButtonClick(0, 0, 0);
  const std::string saved = ReadText(GDialogSaveLoad::GetSlotPath(1).c_str());
  WriteText(GDialogSaveLoad::GetSlotPath(2).c_str(), saved.substr(0, saved.size() / 2));
  Close();
  game.SetScene(SCENE_MENU);

  LEVEL_RESULT won;
  won.level = 27;
  won.time = 99999;
  won.treasures = 99;
  won.aliensTrapped = 99;
  won.holesDug = 999;
  won.score = 9999;
  won.news.bestTime = won.news.bestScore = true;

  for (const GAME_LANGUAGE& language : GameLanguages()) {
    ASSERT_TRUE(game.SetLanguage(language.code));
    game.SetScene(SCENE_MENU);
    Look("main menu");
    GButtonDM::RunCommand(CMD_EXIT, Menu());
    Look("quit question");
    Close();
    // The other questions come in the same box.
    for (Text asked : {Text::AskOverwriteSlot, Text::AskDestroyMap, Text::AskDiscardChanges}) {
      Menu()->quitBox.Alert(GGameDM::kName, GameText(asked).c_str(), MB_OK_CANCEL);
      Look(GetGameText(asked).key);
      Close();
    }
    GButtonDM::RunCommand(CMD_CREDITS, Menu());
    Look("credits");
    Close();
    // Every choice of every option, and the keys of play with long names,
    // a row waiting and each reason a key is refused.
    GDialogOptions& options = Menu()->optionsDialog;
    GButtonDM::RunCommand(CMD_OPTIONS, Menu());
    for (unsigned id = OPTION_VOLUME; id <= OPTION_LANGUAGE; ++id) {
      auto* row = static_cast<GValueRow*>(options.Find(id));
      ASSERT_NE(row, nullptr) << id;
      for (int choice = 0; choice < std::max(1, row->GetChoiceCount()); ++choice) {
        row->SetIndex(choice);
        Look("options, " + std::string(row->GetValueText().c_str()));
      }
    }
    options.Apply(OPTION_KEYS, 0);
    ASSERT_EQ(game.modal, &options.keysDialog);
    game.SetPlayerKeys(kLongKeys);
    auto* dig = static_cast<GKeyRow*>(options.keysDialog.Find(PLAYER_DIG + 1));
    options.keysDialog.Wait(dig);
    Look("keys, waiting");
    for (unsigned key : {unsigned(KEY_PAGE_DOWN), unsigned(KEY_RETURN), unsigned(KEY_GRAVE)}) {
      options.keysDialog.TakeKey(dig, key, 0);
      Look("keys, " + std::string(options.keysDialog.GetMessage().c_str()));
    }
    Close();
    game.SetPlayerKeys(CPlayerKeys());
    for (bool load : {true, false}) {
      Menu()->saveLoadDialog.loadMode = load;
      Menu()->saveLoadDialog.BeginModal();
      Look(load ? "load slots" : "save slots");
      Close();
    }
    GButtonDM::RunCommand(CMD_START_GAME, Menu());
    Look("level select");
    Key(KEY_RETURN);
    ASSERT_EQ(Where(), "game");
    Look("a level waiting");
    Key(KEY_RIGHT);
    for (int t = 0; t < 10; ++t) Play()->OnUpdate();
    game.PlatformKeyDown(KEY_BACKSPACE, 0);
    Look("rewinding");
    game.PlatformKeyUp(KEY_BACKSPACE);
    Play()->EnterPlay(PlayEntry::solution);
    Look("a solution");
    Play()->EndSolution();
    GButtonDM::RunCommand(CMD_GAME_MENU, Play());
    Look("in-game menu");
    Close();
    Play()->tallyDialog.Show(won);
    Look("tally");
    Close();
    LEVEL_RESULT rewound = won;
    rewound.rewound = true;
    rewound.news = {};
    Play()->tallyDialog.Show(rewound);
    Look("tally, with rewind");
    Close();
    Play()->victoryBox.Alert(GGameDM::kName, GameText(Text::GameLost).c_str(), MB_OK);
    Look("end of game");
    Close();
    // The longest banner's panel inside the map.
    int w = 0, h = 0;
    game.GetDevice()->GetTextSize(GameText(Text::BannerExtraLifeExitOpen).c_str(),
                                  game.GetTheme()->GetTextFont(Play()), w, h);
    EXPECT_LE(w + 2 * 18, map->width * GMap::SQUARE) << language.code;
    game.SetScene(SCENE_MENU);
    GButtonDM::RunCommand(CMD_DEMONSTRATION, Menu());
    Look("demonstration");
    Play()->EndDemonstration();
    GButtonDM::RunCommand(CMD_MAP_EDITOR, Menu());
    Look("maps manager");
    GButtonDM::RunCommand(CMD_CREATE_MAP, game.GetScene(SCENE_MAPS));
    Look("map editor");
    game.SetScene(SCENE_MENU);
  }
  for (const std::string& overflow : probe.overflows) ADD_FAILURE() << overflow;
}

// The switch: the open dialog and every scene show the new language at
// once; the choice is kept in the settings, and English comes back alike.
TEST_F(LanguagesTest, TheSwitchRelabelsEverySceneAndTheOpenDialog) {
  GButtonDM::RunCommand(CMD_START_GAME, Menu());
  Key(KEY_RETURN);
  GButtonDM::RunCommand(CMD_GAME_MENU, Play());
  LEVEL_RESULT won;
  won.level = 3;
  Play()->tallyDialog.Show(won);
  const auto shown = [&] {
    return std::vector<std::string>{
        Play()->menuDialog.Find(CMD_CONTINUE)->GetWindowText().c_str(),
        Play()->Find(CMD_GAME_MENU)->GetWindowText().c_str(),
        Menu()->Find(CMD_START_GAME)->GetWindowText().c_str(),
        game.GetScene(SCENE_MAPS)->Find(CMD_DESTROY_MAP)->GetWindowText().c_str(),
        Play()->tallyDialog.GetWindowText().c_str()};
  };
  const auto want = [] {
    return std::vector<std::string>{
        GameText(Text::GameContinue).c_str(), GameText(Text::GameMenuButton).c_str(),
        GameText(Text::MenuStartGame).c_str(), GameText(Text::MapsDestroy).c_str(),
        GameText(Text::TallyCaption, {"03"}).c_str()};
  };
  const std::vector<std::string> english = shown();
  EXPECT_EQ(english, want());
  EXPECT_FALSE(game.SetLanguage("xx"));
  ASSERT_TRUE(game.SetLanguage("ru"));
  EXPECT_EQ(game.CurrentSettings().language, "ru");
  EXPECT_EQ(shown(), want());
  EXPECT_NE(shown(), english);
  EXPECT_EQ(game.modal, &Play()->tallyDialog);
  ASSERT_TRUE(game.SetLanguage("en"));
  EXPECT_EQ(shown(), english);
  EXPECT_EQ(LogText(), "");
}

// A text a language lacks shows in English and is told once in the error
// log; a resource that cannot be used leaves every text English, told once.
TEST_F(LanguagesTest, WhatTheResourceLacksShowsInEnglish) {
  const std::string path = folder / "lang/digmaze.lng";
  std::string lacking = Shipped();
  for (const char* gone : {"de = Spiel starten\r\n", "de = Level {0} geschafft\r\n"}) {
    const size_t at = lacking.find(gone);
    ASSERT_NE(at, std::string::npos) << gone;
    lacking.erase(at, std::string(gone).size());
  }
  WriteText(path, lacking);
  ASSERT_TRUE(game.SetLanguage("de"));
  EXPECT_EQ(Menu()->Find(CMD_START_GAME)->GetWindowText(),
            CFerroString(GetGameText(Text::MenuStartGame).english));
  EXPECT_EQ(GameText(Text::TallyCaption, {"07"}), CFerroString("Level 07 cleared"));
  EXPECT_NE(GameText(Text::MenuLoadGame), CFerroString(GetGameText(Text::MenuLoadGame).english));
  std::string log = LogText();
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 2) << log;
  EXPECT_NE(log.find("\"menu.start-game\" in de"), std::string::npos) << log;
  EXPECT_NE(log.find("\"tally.caption\" in de"), std::string::npos) << log;

  const struct {
    std::string bytes;  // none: no file
    const char* why;
  } damaged[] = {
      {std::string("[LANGUAGE]\r\nNAME=de\r\nLABEL=de\r\n\0", 32), "not a text"},
      {"[LANGUAGE]\r\nNAME=de\r\nLABEL=de\r\n[menu.start-game]\r\nde = Spiel \xFF\r\n",
       "not UTF-8"},
      {Shipped().substr(0, Shipped().find("[LANGUAGE]\r\nNAME=de")), "no language \"de\""},
      {std::string(kMaxLanguageResource + 1, ' '), "larger than 1 MiB"},
      {"", "cannot be read"},
  };
  for (const auto& d : damaged) {
    SCOPED_TRACE(d.why);
    std::filesystem::remove(folder / "error.log");
    std::filesystem::remove(path);
    if (!d.bytes.empty()) WriteText(path, d.bytes);
    ASSERT_TRUE(game.SetLanguage("de"));
    for (const GAME_TEXT& text : GameTexts())
      EXPECT_EQ(GameText(text.id), CFerroString(text.english)) << text.key;
    EXPECT_EQ(Menu()->Find(CMD_EXIT)->GetWindowText(), CFerroString("Exit"));
    log = LogText();
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1) << log;
    EXPECT_NE(log.find(d.why), std::string::npos) << log;
  }
}

}  // namespace

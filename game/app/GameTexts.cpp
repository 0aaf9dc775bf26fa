#include "game/app/GameTexts.h"

#include <cassert>
#include <iterator>

namespace {

// clang-format off
constexpr GAME_TEXT kTexts[] = {
    {Text::ButtonOk, "button.ok", "OK"},
    {Text::ButtonCancel, "button.cancel", "Cancel"},
    {Text::ButtonDone, "button.done", "Done"},

    {Text::MenuStartGame, "menu.start-game", "Start Game"},
    {Text::MenuLoadGame, "menu.load-game", "Load Game"},
    {Text::MenuDemonstration, "menu.demonstration", "Demonstration Game"},
    {Text::MenuMapEditor, "menu.map-editor", "Map Editor"},
    {Text::MenuOptions, "menu.options", "Options"},
    {Text::MenuCredits, "menu.credits", "Credits"},
    {Text::MenuExit, "menu.exit", "Exit"},
    {Text::AskQuit, "ask.quit", "Do you want to quit to OS?"},

    {Text::CreditsCaption, "credits.caption", "Credits"},
    {Text::CreditsHowToPlay, "credits.how-to-play", "How to play"},
    {Text::CreditsProgramming, "credits.programming", "Programming: the Digmaze team"},
    {Text::CreditsArt, "credits.art", "Graphics and sounds: the Digmaze team"},
    {Text::CreditsHowToPlayLink, "credits.how-to-play-link", "How to play:"},
    {Text::CreditsFontsLink, "credits.fonts-link", "Fonts: DejaVu"},
    {Text::NoBrowser, "box.no-browser",
     "No web browser could be opened. The how-to-play page is {0}"},

    {Text::LevelsCaption, "levels.caption", "Choose a Level"},
    {Text::LevelsBack, "levels.back", "Back"},
    {Text::LevelsCleared, "levels.cleared",
     "{1} of {0} level cleared|{1} of {0} levels cleared"},
    {Text::LevelsLocked, "levels.locked", "Locked"},
    {Text::LevelsNotCleared, "levels.not-cleared", "Not cleared"},
    {Text::LevelsPoints, "levels.points", "{0} pts"},
    {Text::LevelsOwnMaps, "levels.own-maps", "Your maps"},
    {Text::NoMapToPlay, "box.no-map-to-play",
     "There is no map to play. Make one in the Map Editor."},

    {Text::GameMenuButton, "game.menu-button", "Menu (Esc)"},
    {Text::GameContinue, "game.continue", "Continue Game"},
    {Text::GameRestartLevel, "game.restart-level", "Restart Level"},
    {Text::GameSaveGame, "game.save-game", "Save Game"},
    {Text::GameLoadGame, "game.load-game", "Load Game"},
    {Text::GameShowSolution, "game.show-solution", "Show Solution"},
    {Text::GameOptions, "game.options", "Options"},
    {Text::GameQuitToMenu, "game.quit-to-menu", "Quit to Menu"},
    {Text::StatusLevel, "status.level", "LEVEL = {0}"},
    {Text::StatusScore, "status.score", "SCORE = {0}"},
    {Text::StatusLives, "status.lives", "LIFE = {0}"},
    {Text::StatusTreasures, "status.treasures", "TREASURE = {0}"},
    {Text::StatusSolution, "status.solution", "SOLUTION"},
    {Text::StatusDemonstration, "status.demonstration", "DEMONSTRATION"},
    {Text::PressKeyToReturn, "game.press-key-to-return", "Press any key to return"},
    {Text::PressKeyToPlayLevel, "game.press-key-to-play-level", "Press any key to play the level"},
    {Text::PressKeyToStart, "game.press-key-to-start", "Press any key to start"},
    {Text::BannerExtraLife, "banner.extra-life", "Extra life!"},
    {Text::BannerExitOpen, "banner.exit-open", "The exit is open!"},
    {Text::BannerExtraLifeExitOpen, "banner.extra-life-exit-open", "Extra life! The exit is open!"},
    {Text::MapUnreadable, "box.map-unreadable", "This map cannot be read."},
    {Text::GameWon, "box.game-won", "Congratulations! You have won!"},
    {Text::GameWonSummary, "box.game-won-summary", "Your game: {0}"},
    {Text::GameWonLevels, "box.game-won-levels", "{0} level won|{0} levels won"},
    {Text::GameWonLine, "box.game-won-line", "{0}: {1}"},
    {Text::GameLost, "box.game-lost", "You have lost ..."},

    {Text::TallyCaption, "tally.caption", "Level {0} cleared"},
    {Text::TallyTime, "tally.time", "Time"},
    {Text::TallyTreasures, "tally.treasures", "Treasures"},
    {Text::TallyAliensTrapped, "tally.aliens-trapped", "Aliens trapped"},
    {Text::TallyHolesDug, "tally.holes-dug", "Holes dug"},
    {Text::TallyScore, "tally.score", "Score"},
    {Text::TallyNewBest, "tally.new-best", "New best!"},
    {Text::Seconds, "unit.seconds", "{0} s"},

    {Text::SlotsLoadCaption, "slots.load-caption", "Load Game"},
    {Text::SlotsSaveCaption, "slots.save-caption", "Save Game"},
    {Text::SlotEmpty, "slot.empty", "Empty Slot"},
    {Text::SlotLevel, "slot.level", "Level {0}"},
    {Text::SlotScore, "slot.score", "Score {0}"},
    {Text::SlotLives, "slot.lives", "Lives {0}"},
    {Text::SlotDamaged, "slot.damaged", "cannot be loaded"},
    {Text::AskOverwriteSlot, "ask.overwrite-slot", "Overwrite the saved game in this slot?"},
    {Text::SlotLoadFailed, "box.slot-load-failed",
     "This saved game cannot be loaded. Nothing was changed."},
    {Text::SlotSaveFailed, "box.slot-save-failed", "The game could not be saved in this slot."},

    {Text::MapsEdit, "maps.edit", "Edit Map"},
    {Text::MapsCreate, "maps.create", "Create Map"},
    {Text::MapsDestroy, "maps.destroy", "Destroy Map"},
    {Text::MapsUp, "maps.up", "Up"},
    {Text::MapsDown, "maps.down", "Down"},
    {Text::MapsTest, "maps.test", "Test"},
    {Text::MapsExit, "maps.exit", "Exit"},
    {Text::AskDestroyMap, "ask.destroy-map", "Do you want to destroy this map ?"},
    {Text::MapNotSaved, "box.map-not-saved", "The map could not be saved."},
    {Text::EditorSave, "editor.save", "Save"},
    {Text::EditorCancel, "editor.cancel", "Cancel"},
    {Text::AskDiscardChanges, "ask.discard-changes", "Discard the changes to this map?"},

    {Text::OptionsCaption, "options.caption", "Options"},
    {Text::OptionsVolume, "options.volume", "Sound volume"},
    {Text::OptionsMusicVolume, "options.music-volume", "Music volume"},
    {Text::OptionsSound, "options.sound", "Sound"},
    {Text::OptionsDisplay, "options.display", "Display"},
    {Text::OptionsScale, "options.scale", "Scale"},
    {Text::OptionsKeys, "options.keys", "Keys"},
    {Text::OptionsLanguage, "options.language", "Language"},
    {Text::Percent, "unit.percent", "{0} %"},
    {Text::SoundOff, "options.sound-off", "Off"},
    {Text::SoundOn, "options.sound-on", "On"},
    {Text::DisplayFullScreen, "options.full-screen", "Full screen"},
    {Text::DisplayWindow, "options.window", "Window"},
    {Text::ScaleSharp, "options.scale-sharp", "Sharp"},
    {Text::ScaleInteger, "options.scale-integer", "Integer"},
    {Text::ScaleOff, "options.scale-off", "Off"},
    {Text::KeysStandard, "options.keys-standard", "Arrows, Space"},
    {Text::KeysCustom, "options.keys-custom", "Custom"},
    {Text::KeysCaption, "keys.caption", "Keys"},
    {Text::KeysLeft, "keys.left", "Left"},
    {Text::KeysRight, "keys.right", "Right"},
    {Text::KeysUp, "keys.up", "Up"},
    {Text::KeysDown, "keys.down", "Down"},
    {Text::KeysDig, "keys.dig", "Dig"},
    {Text::KeysDefaults, "keys.defaults", "Defaults"},
    {Text::KeysPress, "keys.press", "Press a key for {0} \u2014 Escape keeps it"},
    {Text::KeysTaken, "keys.taken", "{0} is already the key for {1}."},
    {Text::KeysOpensMenu, "keys.opens-menu", "{0} opens the menu in a level."},
    {Text::KeysRefused, "keys.refused", "This key cannot be a key of play."},

    {Text::KeyNameLeft, "key-name.left", "Left arrow"},
    {Text::KeyNameRight, "key-name.right", "Right arrow"},
    {Text::KeyNameUp, "key-name.up", "Up arrow"},
    {Text::KeyNameDown, "key-name.down", "Down arrow"},
    {Text::KeyNameSpace, "key-name.space", "Space"},
    {Text::KeyNameLeftCtrl, "key-name.left-ctrl", "Left Ctrl"},
    {Text::KeyNameRightCtrl, "key-name.right-ctrl", "Right Ctrl"},
    {Text::KeyNameTab, "key-name.tab", "Tab"},
    {Text::KeyNameBackspace, "key-name.backspace", "Backspace"},
    {Text::KeyNameHome, "key-name.home", "Home"},
    {Text::KeyNameEnd, "key-name.end", "End"},
    {Text::KeyNamePageUp, "key-name.page-up", "Page Up"},
    {Text::KeyNamePageDown, "key-name.page-down", "Page Down"},
    {Text::KeyNameDelete, "key-name.delete", "Delete"},
    {Text::KeyNameMinus, "key-name.minus", "Minus"},
    {Text::KeyNameEquals, "key-name.equals", "Equals"},
    {Text::KeyNameComma, "key-name.comma", "Comma"},
    {Text::KeyNameEscape, "key-name.escape", "Escape"},
    {Text::KeyNameEnter, "key-name.enter", "Enter"},
};
// clang-format on

static_assert(std::size(kTexts) == static_cast<size_t>(Text::Count),
              "every Text has one row of the table");

}  // namespace

std::span<const GAME_TEXT> GameTexts() {
  return kTexts;
}

const GAME_TEXT& GetGameText(Text id) {
  const auto i = static_cast<size_t>(id);
  assert(i < std::size(kTexts) && kTexts[i].id == id && "the table is in the order of Text");
  return kTexts[i];
}

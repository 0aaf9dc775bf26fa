#pragma once

#include <span>

// Every text a player reads, named by what it is for. The code asks for a
// text by its name (GameText in GameLanguage.h); the language resource holds
// it in every language under its key, and the English here is what the game
// shows when the resource lacks it.
//
// A text may hold places for values: "{0}", "{1}", which a translation may
// put in any order. A text that counts something holds its plural forms
// separated by '|', as many as its language's plural rule has (English two:
// one, other; Russian three: one, few, many).
enum class Text : int {
  // Shared
  ButtonOk,
  ButtonCancel,
  ButtonDone,
  // The main menu
  MenuStartGame,
  MenuLoadGame,
  MenuDemonstration,
  MenuMapEditor,
  MenuOptions,
  MenuCredits,
  MenuExit,
  AskQuit,
  // The credits
  CreditsCaption,
  CreditsHowToPlay,
  CreditsProgramming,
  CreditsArt,
  CreditsHowToPlayLink,
  CreditsFontsLink,
  NoBrowser,
  // The level select
  LevelsCaption,
  LevelsBack,
  LevelsCleared,
  LevelsLocked,
  LevelsNotCleared,
  LevelsPoints,
  LevelsOwnMaps,
  NoMapToPlay,
  // Play
  GameMenuButton,
  GameContinue,
  GameRestartLevel,
  GameSaveGame,
  GameLoadGame,
  GameShowSolution,
  GameOptions,
  GameQuitToMenu,
  StatusLevel,
  StatusScore,
  StatusLives,
  StatusTreasures,
  StatusRewind,
  StatusSolution,
  StatusDemonstration,
  PressKeyToReturn,
  PressKeyToPlayLevel,
  PressKeyToStart,
  BannerExtraLife,
  BannerExitOpen,
  BannerExtraLifeExitOpen,
  MapUnreadable,
  GameWon,
  GameWonSummary,
  GameWonLevels,
  GameWonLine,
  GameLost,
  // The tally of a won level and of a won game
  TallyCaption,
  TallyTime,
  TallyTreasures,
  TallyAliensTrapped,
  TallyHolesDug,
  TallyScore,
  TallyNewBest,
  TallyWithRewind,
  Seconds,
  // The saved-game slots
  SlotsLoadCaption,
  SlotsSaveCaption,
  SlotEmpty,
  SlotLevel,
  SlotScore,
  SlotLives,
  SlotDamaged,
  AskOverwriteSlot,
  SlotLoadFailed,
  SlotSaveFailed,
  // The maps manager and the editor
  MapsEdit,
  MapsCreate,
  MapsDestroy,
  MapsUp,
  MapsDown,
  MapsTest,
  MapsExit,
  AskDestroyMap,
  MapNotSaved,
  EditorSave,
  EditorCancel,
  AskDiscardChanges,
  // The options and the keys of play
  OptionsCaption,
  OptionsVolume,
  OptionsMusicVolume,
  OptionsSound,
  OptionsDisplay,
  OptionsScale,
  OptionsKeys,
  OptionsMotion,
  MotionSmooth,
  MotionClassic,
  OptionsLanguage,
  Percent,
  SoundOff,
  SoundOn,
  DisplayFullScreen,
  DisplayWindow,
  ScaleSharp,
  ScaleInteger,
  ScaleOff,
  KeysStandard,
  KeysCustom,
  KeysCaption,
  KeysLeft,
  KeysRight,
  KeysUp,
  KeysDown,
  KeysDig,
  KeysRewind,
  KeysDefaults,
  KeysPress,
  KeysTaken,
  KeysOpensMenu,
  KeysRefused,
  // The map editor's check, and maps imported and exported
  EditorCheck,
  MapsExport,
  MapsExported,
  MapNotExported,
  ImportDone,
  ImportFolder,
  ImportNotAMap,
  ImportUnreadable,
  ImportFailed,
  CheckCaption,
  CheckSearching,
  CheckShow,
  CheckStates,
  CheckWon,
  CheckNoWin,
  CheckNoRunner,
  CheckNoExit,
  CheckNoTreasure,
  CheckFailed,
  // The keys' names, as the keys of play show them
  KeyNameLeft,
  KeyNameRight,
  KeyNameUp,
  KeyNameDown,
  KeyNameSpace,
  KeyNameLeftCtrl,
  KeyNameRightCtrl,
  KeyNameTab,
  KeyNameBackspace,
  KeyNameHome,
  KeyNameEnd,
  KeyNamePageUp,
  KeyNamePageDown,
  KeyNameDelete,
  KeyNameMinus,
  KeyNameEquals,
  KeyNameComma,
  KeyNameEscape,
  KeyNameEnter,

  Count
};

struct GAME_TEXT {
  Text id;
  // The key in the language resource.
  const char* key;
  const char* english;
};

// The table, in the order of Text.
std::span<const GAME_TEXT> GameTexts();
const GAME_TEXT& GetGameText(Text id);

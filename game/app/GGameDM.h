#pragma once

#include <future>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "GUI/foundation/CFerroRect.h"
#include "GUI/graphics/GPresenter.h"
#include "GUI/graphics/ImageDecoder.h"
#include "GUI/platform/GGame.h"
#include "game/app/CGameSettings.h"
#include "game/model/CCampaign.h"
#include "game/model/CGameProgress.h"

class GDeviceSDL;
class GReplayRecorder;
class GSurface;
class GTextProbe;

// The game's scenes, in the order the application adds them.
enum SCENE_INDEX : int {
  SCENE_MENU = 0,
  SCENE_MAPS = 1,
  SCENE_EDITOR = 2,
  SCENE_GAME = 3,
  SCENE_LEVELS = 4,
};

// The music the scenes play, from the game folder's "music" folder: the two
// themes loop, the jingles play once.
enum MUSIC_PIECE : int {
  MUSIC_MENU,       // the main menu, the maps manager and the editor
  MUSIC_PLAY,       // a level
  MUSIC_LEVEL_WON,  // a level won
  MUSIC_GAME_END,   // the game over, won or lost
};

// The game's application: the SDL platform and 16-bit SDL device, the main
// timer (50 ms, or the player's speed in a level), the 1024 x 768 scene size
// scaled into the window, the game's
// scenes, the resource drives its pictures and sounds are read from, where
// saved games live, and the display and sound settings kept between runs.
// Two kinds of key it takes itself in every scene: M switches all sound off
// and on, and while a replay plays (the demonstration, a level's solution, a
// win the map check found) any other key (a click, a pad button) ends it.
class GGameDM : public GGame {
 public:
  GGameDM(GUID_GAME id, const char* name, const char* version, bool fullScreen);
  // The rules' pictures and sounds belong to this application's device and
  // sound object: they are forgotten before those go.
  ~GGameDM() override;

  bool CreateGame(void* window, int width, int height) override;
  // Settles the display first: the settings file (a value it cannot use, or
  // a damaged file, is reported once and takes its default), then what
  // RequestDisplay asked; then the device with that full-screen choice,
  // windowed size and scale mode.
  GDevice* NewDevice(void* window) override;
  // Runs the game; once it ends, keeps the settings as they were last (the
  // display's scale mode, full screen or window and window size, the sound,
  // the keys) in the settings file when they differ from what it holds.
  int Play() override;
  GPlatform* NewPlatform(GGame* game, const char* name) override;
  // The sound object, at the volume of the settings, or silent when they
  // say the sound is off.
  GSound* NewSound() override;
  // M (without Ctrl, Alt or the system key) switches the sound; while the
  // demonstration or a solution plays, any other key but a modifier or Print
  // Screen ends it. Every press tells the main menu that the player is there.
  bool OnTakeKey(unsigned key) override;
  // A wheel turn, too, tells the main menu that the player is there.
  void SysOnMouseWheel(short delta) override;
  // Draws the scene and hands the frame with the cursor to the presenter,
  // which presents it when something changed.
  void SysOnRender() override;
  // The prefix (":N/") of the resource drive "image" beside the executable,
  // built from its "vdd/image" folder on the first launch; empty when the
  // drive cannot be connected, so loads through it simply fail. The drive is
  // connected once per run; a failure is not tried again.
  CFerroString GetPathToImage() override;
  // The same for the drive "sound".
  CFerroString GetPathToSound() override;
  // The per-user data folder + "Save/", created on first use.
  CFerroString GetPathToSavedGame() override;
  // The player's maps folder: "Maps/" in the platform's per-user folder,
  // filled on first use with the shipped maps and their index from the game
  // folder's "Maps/", which is never written; at every later first use the
  // shipped maps it was never given join it (CCampaign::JoinInto). When the
  // per-user folder cannot be made, the shipped folder itself (read-only
  // where installed).
  CFerroString GetPathToMaps() override;
  // The game folder's "Maps/".
  CFerroString GetPathToShippedMaps();
  // The shipped campaign's order and sets, read on first use.
  const CCampaign& GetCampaign();
  unsigned GetAdditionalStyles(GComponent* component) override;

  // What the command line asked of the display; what it leaves unset comes
  // from the settings file. Called before CreateGame.
  void RequestDisplay(std::optional<WindowMode> windowMode, std::optional<ScaleMode> scale);
  // The main menu's picture ("main.png" of the image drive), decoded while
  // the window was being made; none when it could not be read then or was
  // taken before (the menu then reads it itself).
  DecodedImage TakeMenuPicture();
  static constexpr const char* kMenuPicture = "main.png";

  // The per-user data folder + "settings.cfg"; empty without a data folder.
  CFerroString GetPathToSettings();
  // The display, sound and key settings as they are now.
  CGameSettings CurrentSettings() const;
  // Writes the settings as they are now into the settings file when they
  // differ from what it holds (the file's other lines are kept); a failure
  // is reported and the previous file kept. Called when the options close
  // and when the game ends.
  void SaveSettings();
  // Switches all sound off, or back on at the settings' volume; kept in the
  // settings file when the game ends.
  void ToggleSound();
  bool IsSoundOn() const { return !settings.muted; }
  // Plays the piece (see GSound::PlayMusic: asking for the piece asked for
  // last does nothing, and a jingle is never cut short).
  void PlayMusic(MUSIC_PIECE piece);
  // The sound effects' volume, 0 to 100 per cent, heard at once unless the
  // sound is off; the same for the music.
  void SetVolume(int volume);
  void SetMusicVolume(int volume);
  // How fast the player's levels run and how the keys steer the runner; a
  // change applies to the level in play at once.
  GameSpeed GetSpeed() const { return settings.speed; }
  Steering GetSteering() const { return settings.steering; }
  void SetSpeed(GameSpeed speed);
  void SetSteering(Steering steering);
  // How units are drawn in play: between ticks too, or once per tick.
  MotionMode GetMotion() const { return settings.motion; }
  void SetMotion(MotionMode motion) { settings.motion = motion; }
  // The keys of play the player chose on the keyboard.
  const CPlayerKeys& GetPlayerKeys() const { return settings.keys; }
  void SetPlayerKeys(const CPlayerKeys& keys) { settings.keys = keys; }

  // The player's records, read on first use from progress.cfg beside the
  // player's maps folder. A file that cannot be read is reported once and is
  // not written over for the rest of the run.
  const CGameProgress& GetProgress();
  // Records a won level of the map mapName (time in tenths of a second, the
  // score the level earned) and writes the file at once; a failed write is
  // reported and the records stay for the next win to write. False when the
  // level could not be recorded (its map cannot be read, or its name cannot
  // head a section). Without bests the level is only cleared (CGameProgress::RecordWin).
  bool RecordWin(const CFerroString& mapName, int time, int score, WIN_NEWS& news,
                 bool bests = true);
  // The per-user data folder + "progress.cfg"; empty without that folder.
  CFerroString GetPathToProgress();

  // The language of the game's texts: a shipped language's code.
  const std::string& GetLanguage() const { return language; }
  // Speaks the language of code from now on: every scene and every open
  // dialog shows its texts anew, and the choice is kept in the settings.
  // False, and nothing changed, for a language the game does not ship.
  bool SetLanguage(const std::string& code);
  // The game folder + the language resource.
  CFerroString GetPathToLanguages();

  // Imports the map file at path (given on the command line or dropped on
  // the window) once no dialog is open: copied into the player's maps under
  // a fresh name as the last level, then the maps manager shows it selected
  // with a line saying so. During play, and in the editor with changes not
  // saved, a box says so instead and the player stays. A folder, a file
  // that is not a map, or a copy that cannot be written is told in a box,
  // and nothing is written.
  void ImportMap(const CFerroString& path);
  void SysOnDropFile(const char* path) override;
  // Imports a waiting map first when no dialog is open, then the scene's update.
  void SysOnUpdate() override;

  // Records the keys of every level played into folder (see GReplayRecorder);
  // an empty folder records nothing, which is the default.
  void SetRecordFolder(const CFerroString& folder);
  GReplayRecorder& GetRecorder() { return *recorder; }

  // The application as the game's, or null for another (a test's).
  static GGameDM* Of(GGame* game) { return dynamic_cast<GGameDM*>(game); }

  // The game's identity for the framework, and the name and version it is
  // created with.
  static constexpr GUID_GAME kId{0x4469676D617A6531ull, 0x9E3779B97F4A7C15ull};
  static constexpr const char* kName = "Digmaze";
  static constexpr const char* kVersion = "1.0";

 protected:
  // Called by NewDevice: the device that draws the display.
  virtual GDeviceSDL* NewDisplayDevice(bool fullScreenFlag, void* window);

 private:
  // Starts decoding the main menu's picture on a thread of its own.
  void StartMenuPicture();
  // Lets the map record the editor's strokes for undo and redo.
  void InstallEditorHooks();
  // Loads the settings' language into the localizer. A resource that cannot
  // be used is reported and the texts are English; a text the language
  // lacks is reported once and shows in English.
  void LoadLanguage();
  // Imports the map file at path now (see ImportMap).
  void ImportNow(const CFerroString& path);
  // Hands the settings' volume and whether the sound is off to the sound object.
  void ApplySoundSettings();
  // The cached prefix of the named drive, connecting it on the first call
  // made with a platform.
  CFerroString ConnectDrive(CFerroString& cache, bool& tried, const char* name);
  // Brings the drawn frames to the screen.
  GPresenter presenter;
  // Run with the environment variable DIGMAZE_FRAME_STATS set, the game
  // prints the count of frames presented so far on standard error, at most
  // every kFrameStatsPeriod ms.
  static constexpr unsigned kFrameStatsPeriod = 200;
  bool frameStats = false;
  unsigned long long framesPresented = 0;
  unsigned frameStatsAt = 0;
  // Whether the drives were connected this run; the prefixes (empty after a
  // failure) are in pathImage and pathSound.
  bool imageDriveTried = false;
  bool soundDriveTried = false;
  std::unique_ptr<GReplayRecorder> recorder;
  // Records the texts drawn, when DIGMAZE_TEXT_DUMP names a file.
  std::unique_ptr<GTextProbe> textDump;
  std::future<DecodedImage> menuPicture;
  // The display settings the device was made with, the sound's and the keys'.
  CGameSettings settings;
  // What the settings file holds (the defaults when there is none); none
  // when it is damaged, so it is written anew.
  std::optional<CGameSettings> storedSettings;
  // The player's records once read, and whether their file may be written.
  std::optional<CGameProgress> progress;
  bool progressWritable = true;
  // The language of the texts now.
  std::string language = "en";
  std::optional<CCampaign> campaign;
  // Map files waiting to be imported, in the order they came.
  std::vector<CFerroString> pendingImports;
  std::optional<WindowMode> requestedWindowMode;
  std::optional<ScaleMode> requestedScale;
};

// Index of this file:
//   The application           construction, its end, the editor's hooks, CreateGame
//   Maps from elsewhere       importing a map given on the command line or dropped
//   Settings and the device   the settings file read for the device, written when the game ends
//   Language                  the texts' language, its resource, a switch of it
//   Platform and sound        the SDL platform, the sound and its switch
//   Keys it takes             M, the end of the demonstration, the idle menu's input
//   Presenting a frame        the frame handed to the presenter
//   Folders and the look      the resource drives, saved games, the player's maps, styles

#include "game/app/GGameDM.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "GUI/foundation/CFerroStreamFile.h"
#include "GUI/foundation/FileError.h"
#include "GUI/graphics/GDevice16SDL.h"
#include "GUI/graphics/GImage.h"
#include "GUI/graphics/GSurface.h"
#include "GUI/graphics/GTextProbe.h"
#include "GUI/platform/FILE_DATA.h"
#include "GUI/platform/GPlatformSDL.h"
#include "GUI/resources/Localizer.h"
#include "GUI/sound/GSoundBass.h"
#include "GUI/themes/GThemeRavlin.h"
#include "GUI/toolkit/GComponent.h"
#include "GUI/toolkit/GMessageBox.h"
#include "game/app/CUndoRedo.h"
#include "game/app/GButtonDM.h"
#include "game/app/GReplayRecorder.h"
#include "game/app/GSceneGame.h"
#include "game/app/GSceneLevels.h"
#include "game/app/GSceneMapEditor.h"
#include "game/app/GSceneMapsManager.h"
#include "game/app/GSceneMenu.h"
#include "game/app/GameLanguage.h"
#include "game/model/CMapTransfer.h"
#include "game/model/GMap.h"
#include "game/model/GMapList.h"
#include "game/model/GModelMedia.h"

// ---------------------------------------------------------------------------------------------
// The application
// ---------------------------------------------------------------------------------------------

namespace {

// Writes every text drawn into a file, one line each, the first time it is
// drawn: what the screen says, for checks from outside.
class GTextDump : public GTextProbe {
 public:
  explicit GTextDump(const char* path) : file(std::fopen(path, "w")) {}
  ~GTextDump() override {
    if (file) std::fclose(file);
  }
  void OnText(const char* text, const CFerroRect&, const CFerroRect&) override {
    if (!file || !seen.insert(text).second) return;
    std::fprintf(file, "%s\n", text);
    std::fflush(file);
  }

 private:
  std::FILE* file;
  std::set<std::string> seen;
};

// The game's look, whose message boxes label their buttons in the game's language.
class GThemeDM : public GThemeRavlin {
 public:
  using GThemeRavlin::GThemeRavlin;
  const char* Translate(const char* text) override {
    const std::string_view wanted(text ? text : "");
    if (wanted != "OK" && wanted != "Cancel") return text;
    translated = GameText(wanted == "OK" ? Text::ButtonOk : Text::ButtonCancel);
    return translated.c_str();
  }

 private:
  CFerroString translated;
};

}  // namespace

GGameDM::GGameDM(GUID_GAME gameId, const char* gameName, const char* gameVersion, bool full)
    : GGame(gameId, gameName, gameVersion, full),
      frameStats(std::getenv("DIGMAZE_FRAME_STATS") != nullptr),
      recorder(std::make_unique<GReplayRecorder>()) {}

void GGameDM::SetRecordFolder(const CFerroString& folder) {
  recorder->SetFolder(folder);
}

GGameDM::~GGameDM() {
  if (device) device->SetTextProbe(nullptr);
  // The history's files are removed while the platform that removes them exists.
  CTRLZ::GetInstance()->Clear();
  GMap* map = GMap::GetInstance();
  map->pendingUndo.reset();
  GMap::editedProbe = nullptr;
  GMap::undoFactory = nullptr;
  GMap::undoFinisher = nullptr;
  GModelMedia::ForgetAll();
  // The next game starts from its own settings' language.
  Localizer::GetInstance()->Unload();
}

void GGameDM::InstallEditorHooks() {
  // Outside the game scene the map is being edited: its changes are
  // recorded as strokes of the history, and units are not drawn.
  GMap::editedProbe = [this] { return GetCurrentSceneIndex() != SCENE_GAME; };
  GMap::undoFactory = [](GMap&) -> std::unique_ptr<GMapUndo> {
    auto step = std::make_unique<CUndoRedo>();
    step->Set(false);
    return step;
  };
  GMap::undoFinisher = [](std::unique_ptr<GMapUndo> open) {
    std::unique_ptr<CUndoRedo> step(static_cast<CUndoRedo*>(open.release()));
    step->Set(true);
    CTRLZ::GetInstance()->Add(std::move(step));
  };
}

bool GGameDM::CreateGame(void* window, int width, int height) {
  if (!GGame::CreateGame(window, width, height)) return false;
  SetMainTimer(GetTickPeriod(GameSpeed::normal));
  // The look comes before any component, since every control takes its
  // drawing object from the theme when it is constructed.
  auto* look = new GThemeDM(this);
  SetTheme(look);
  look->Create();
  // The menu and the sounds need both drives at once; the first launch of a
  // game folder builds them here.
  GetPathToImage();
  GetPathToSound();
  device->RefreshVideoMode();
  // Unlisted modes are accepted, so the window keeps the desktop size and the
  // 1024 x 768 picture is centred in it.
  VIDEO_MODE mode{1024, 768, 32};
  device->SetOnlyListedModes(false);
  if (!device->SetVideoMode(&mode)) return false;
  // The rules' pictures and sounds come from this device and these drives.
  GModelMedia::LoadAll();
  InstallEditorHooks();
  if (const char* dump = std::getenv("DIGMAZE_TEXT_DUMP"); dump && *dump) {
    textDump = std::make_unique<GTextDump>(dump);
    device->SetTextProbe(textDump.get());
  }
  // The language the player chose, else the environment's (which is not
  // kept: it follows the environment until the player chooses).
  language = settings.language.empty() ? LanguageFromEnvironment(std::getenv) : settings.language;
  LoadLanguage();
  // In SCENE_INDEX order; the first one added, the main menu, is shown.
  AddScene(new GSceneMenu);
  AddScene(new GSceneMapsManager);
  AddScene(new GSceneMapEditor);
  AddScene(new GSceneGame);
  AddScene(new GSceneLevels);
  return true;
}

// ---------------------------------------------------------------------------------------------
// Maps from elsewhere
// ---------------------------------------------------------------------------------------------

void GGameDM::ImportMap(const CFerroString& path) {
  pendingImports.push_back(path);
}

void GGameDM::SysOnDropFile(const char* path) {
  if (path) ImportMap(CFerroString(path));
}

void GGameDM::SysOnUpdate() {
  if (!pendingImports.empty() && !modal && GetSceneCount() > SCENE_GAME) {
    const CFerroString path = pendingImports.front();
    pendingImports.erase(pendingImports.begin());
    ImportNow(path);
  }
  GGame::SysOnUpdate();
}

void GGameDM::ImportNow(const CFerroString& path) {
  auto* maps = static_cast<GSceneMapsManager*>(GetScene(SCENE_MAPS));
  const CFerroString shown = CMapTransfer::ShownName(path.c_str());
  CFerroString name, told;
  switch (CMapTransfer::Import(path.c_str(), platform ? platform->GetTick() : 0, name)) {
    case CMapTransfer::Result::done: {
      told = GameText(Text::ImportDone, {shown, name});
      const int scene = GetCurrentSceneIndex();
      const bool stay = scene == SCENE_GAME ||
                        (scene == SCENE_EDITOR &&
                         static_cast<GSceneMapEditor*>(GetScene(SCENE_EDITOR))->HasChanges());
      if (stay) break;
      SetScene(SCENE_MAPS);
      maps->SelectMap(name);
      maps->ShowNote(told);
      return;
    }
    case CMapTransfer::Result::folder:
      told = GameText(Text::ImportFolder, {shown});
      break;
    case CMapTransfer::Result::notAMap:
      told = GameText(Text::ImportNotAMap, {shown});
      break;
    case CMapTransfer::Result::unreadable:
      told = GameText(Text::ImportUnreadable, {shown});
      break;
    case CMapTransfer::Result::cannotWrite:
      told = GameText(Text::ImportFailed, {std::strerror(errno)});
      break;
  }
  maps->importBox.Alert(kName, told.c_str(), MB_OK);
}

// ---------------------------------------------------------------------------------------------
// Settings and the device
// ---------------------------------------------------------------------------------------------

void GGameDM::StartMenuPicture() {
  const CFerroString images = GetPathToImage();
  auto file = std::make_shared<FILE_DATA>();
  if (images.IsEmpty() || !platform ||
      !platform->LoadFile((images + kMenuPicture).c_str(), file.get()))
    return;
  menuPicture =
      std::async(std::launch::async, [file] { return DecodeImageRgba(file->data, file->size); });
}

DecodedImage GGameDM::TakeMenuPicture() {
  return menuPicture.valid() ? menuPicture.get() : DecodedImage();
}

GDevice* GGameDM::NewDevice(void* window) {
  // Making the window mostly waits for the display: the menu's picture is
  // decoded meanwhile.
  if (!menuPicture.valid()) StartMenuPicture();
  const CFerroString path = GetPathToSettings();
  CFerroString why;
  switch (settings.Load(path.c_str(), why)) {
    case CGameSettings::LoadResult::Loaded:
    case CGameSettings::LoadResult::Missing:
      storedSettings = settings;
      break;
    case CGameSettings::LoadResult::BadValues:
      // The file is kept as it is until a setting changes.
      storedSettings = settings;
      ReportError((CFerroString("the settings file ") + path + " has values the game cannot use (" +
                   why + "); those settings take their defaults")
                      .c_str());
      break;
    case CGameSettings::LoadResult::Damaged:
      storedSettings.reset();
      ReportError((CFerroString("the settings file ") + path + " is damaged (" + why +
                   "); the default settings are used")
                      .c_str());
      break;
  }
  if (requestedWindowMode) settings.windowMode = *requestedWindowMode;
  if (requestedScale) settings.scale = *requestedScale;
  fullScreen = settings.windowMode == WindowMode::FullScreen;
  GDeviceSDL* made = NewDisplayDevice(fullScreen, window);
  if (made) {
    made->SetWindowedSize(settings.windowWidth, settings.windowHeight);
    made->SetScaleMode(settings.scale);
  }
  return made;
}

GDeviceSDL* GGameDM::NewDisplayDevice(bool fullScreenFlag, void* window) {
  return new GDevice16SDL(fullScreenFlag, window);
}

void GGameDM::RequestDisplay(std::optional<WindowMode> windowMode, std::optional<ScaleMode> scale) {
  requestedWindowMode = windowMode;
  requestedScale = scale;
}

CFerroString GGameDM::GetPathToSettings() {
  const CFerroString folder = platform ? platform->GetPathToTemp() : CFerroString();
  return folder.IsEmpty() ? folder : folder + CGameSettings::kFileName;
}

CGameSettings GGameDM::CurrentSettings() const {
  CGameSettings now = settings;
  if (!device) return now;
  now.scale = device->GetScaleMode();
  now.windowMode = device->IsFullScreen() ? WindowMode::FullScreen : WindowMode::Window;
  int w = 0, h = 0;
  device->GetWindowedSize(w, h);
  if (w >= 1 && h >= 1) {
    now.windowWidth = w;
    now.windowHeight = h;
  }
  return now;
}

void GGameDM::SetSpeed(GameSpeed speed) {
  settings.speed = speed;
  if (auto* play = dynamic_cast<GSceneGame*>(GetScene())) play->ApplyPlayChoices();
}

void GGameDM::SetSteering(Steering steering) {
  settings.steering = steering;
  if (auto* play = dynamic_cast<GSceneGame*>(GetScene())) play->ApplyPlayChoices();
}

int GGameDM::Play() {
  const int code = GGame::Play();
  SaveSettings();
  return code;
}

void GGameDM::SaveSettings() {
  const CGameSettings now = CurrentSettings();
  const CFerroString path = GetPathToSettings();
  if (!device || path.IsEmpty() || (storedSettings && *storedSettings == now)) return;
  if (now.Save(path.c_str())) {
    storedSettings = now;
  } else {
    ReportError((CFerroString("cannot save the settings in ") + path + ": " + std::strerror(errno) +
                 "; the previous settings are kept")
                    .c_str());
  }
}

CFerroString GGameDM::GetPathToProgress() {
  // Beside the player's maps, so the records and the level order they name
  // live and go together.
  const CFerroString folder = platform ? platform->GetPathToUserFolder() : CFerroString();
  return folder.IsEmpty() ? folder : folder + CGameProgress::kFileName;
}

const CGameProgress& GGameDM::GetProgress() {
  if (progress) return *progress;
  progress.emplace();
  const CFerroString path = GetPathToProgress();
  if (!path.IsEmpty() && progress->Load(path.c_str()) == CGameProgress::LoadResult::unreadable) {
    progressWritable = false;
    ReportError((CFerroString("cannot read the records in ") + path +
                 " (too large, or a read error); they are not written this time")
                    .c_str());
  }
  return *progress;
}

bool GGameDM::RecordWin(const CFerroString& mapName, int time, int score, WIN_NEWS& news,
                        bool bests) {
  GetProgress();
  const std::string digest = CGameProgress::MapDigest((GetPathToMaps() + mapName).c_str());
  if (!progress->RecordWin(mapName, digest, time, score, news, bests)) return false;
  const CFerroString path = GetPathToProgress();
  if (path.IsEmpty() || !progressWritable) return true;
  if (!progress->Save(path.c_str()))
    ReportError((CFerroString("cannot save the records in ") + path + ": " + std::strerror(errno) +
                 "; the previous file is kept")
                    .c_str());
  return true;
}

// ---------------------------------------------------------------------------------------------
// Language
// ---------------------------------------------------------------------------------------------

CFerroString GGameDM::GetPathToLanguages() {
  return (platform ? platform->GetPathToGame() : CFerroString()) + kLanguageResource;
}

void GGameDM::LoadLanguage() {
  const CFerroString path = GetPathToLanguages();
  std::string bytes;
  const WholeFile read = ReadWholeFile(path.c_str(), kMaxLanguageResource, bytes);
  const LANGUAGE_LOAD load =
      LoadGameLanguage(read == WholeFile::read ? bytes : std::string(), language);
  if (load.result == LANGUAGE_LOAD::Result::Damaged) {
    const CFerroString why = read == WholeFile::tooLarge ? CFerroString("it is larger than 1 MiB")
                             : read == WholeFile::read   ? load.why
                                                         : CFerroString("it cannot be read");
    ReportError((CFerroString("the language resource ") + path + " cannot be used (" + why +
                 "); the texts are English")
                    .c_str());
    return;
  }
  for (const std::string& key : load.missing)
    ReportError((CFerroString("the language resource ") + path + " has no text \"" + key.c_str() +
                 "\" in " + language.c_str() + "; it shows in English")
                    .c_str());
}

bool GGameDM::SetLanguage(const std::string& code) {
  if (!FindGameLanguage(code)) return false;
  language = code;
  settings.language = code;
  LoadLanguage();
  for (int i = 0; i < GetSceneCount(); ++i) {
    GScene* scene = GetScene(i);
    GButtonDM::RelabelAll(scene);
    scene->OnTextsChanged();
    scene->Invalidate();
  }
  // The open dialogs, the last one opened first. A box's text is its
  // caller's, and stays.
  for (GComponent* open = modal; open; open = open->GetPrevModal())
    if (open->IsDialog() && !open->IsScene() && open->GetId() != GMessageBox::kId)
      static_cast<GDialog*>(open)->OnTextsChanged();
  return true;
}

// ---------------------------------------------------------------------------------------------
// Platform and sound
// ---------------------------------------------------------------------------------------------

GPlatform* GGameDM::NewPlatform(GGame* owner, const char* appName) {
  return new GPlatformSDL(owner, appName);
}

GSound* GGameDM::NewSound() {
  // The device, made before, has read the settings.
  auto* made = new GSoundBass;
  made->SetMasterVolume(settings.volume);
  made->SetMusicVolume(settings.musicVolume);
  made->SetMuted(settings.muted);
  return made;
}

void GGameDM::ApplySoundSettings() {
  if (!sound) return;
  sound->SetMasterVolume(settings.volume);
  sound->SetMusicVolume(settings.musicVolume);
  sound->SetMuted(settings.muted);
}

void GGameDM::PlayMusic(MUSIC_PIECE piece) {
  static constexpr struct {
    const char* file;
    MusicMode mode;
  } kPieces[] = {{"menu.ogg", MusicMode::Loop},
                 {"play.ogg", MusicMode::Loop},
                 {"won.ogg", MusicMode::Once},
                 {"end.ogg", MusicMode::Once}};
  if (!sound || !platform) return;
  sound->PlayMusic((platform->GetPathToGame() + "music/" + kPieces[piece].file).c_str(),
                   kPieces[piece].mode);
}

void GGameDM::ToggleSound() {
  settings.muted = !settings.muted;
  ApplySoundSettings();
}

void GGameDM::SetVolume(int volume) {
  settings.volume = std::clamp(volume, 0, 100);
  ApplySoundSettings();
}

void GGameDM::SetMusicVolume(int volume) {
  settings.musicVolume = std::clamp(volume, 0, 100);
  ApplySoundSettings();
}

// ---------------------------------------------------------------------------------------------
// Keys it takes
// ---------------------------------------------------------------------------------------------

bool GGameDM::OnTakeKey(unsigned key) {
  if (GetSceneCount() <= SCENE_GAME) return false;
  static_cast<GSceneMenu*>(GetScene(SCENE_MENU))->NoteInput();
  const bool shortcut = IsKeyHeld(KEY_LCONTROL) || IsKeyHeld(KEY_RCONTROL) ||
                        (inputFlags & (INPUT_ALT | INPUT_SYSTEM));
  if (key == KEY_M && !shortcut) {
    ToggleSound();
    return true;
  }
  auto* play = static_cast<GSceneGame*>(GetScene(SCENE_GAME));
  if (!play->IsPlayingReplay() || GetCurrentSceneIndex() != SCENE_GAME) return false;
  // A modifier alone ends nothing, so Alt+Enter and the like still work, and
  // Print Screen keeps a picture of the demonstration or solution.
  if (IsModifierKey(key) || key == KEY_PRINT_SCREEN) return false;
  play->EndReplay();
  return true;
}

void GGameDM::SysOnMouseWheel(short delta) {
  if (GetSceneCount() > SCENE_MENU) static_cast<GSceneMenu*>(GetScene(SCENE_MENU))->NoteInput();
  GGame::SysOnMouseWheel(delta);
}

// ---------------------------------------------------------------------------------------------
// Presenting a frame
// ---------------------------------------------------------------------------------------------

void GGameDM::SysOnRender() {
  if (!platform || !platform->IsActivated()) return;
  GGame::SysOnRender();
  if (!backSurface || !device) return;
  if (device->IsLost()) {
    VIDEO_MODE monitor;
    if (device->GetMonitorMode(&monitor)) device->Create(monitor.width, monitor.height);
  }

  if (presenter.Present(*device, *backSurface, GPresenter::Cursor{GetCursor(), cursorX, cursorY}))
    ++framesPresented;
  // The benchmarks read how many frames reach the screen from these lines.
  if (!frameStats) return;
  const unsigned now = platform->GetTick();
  if (now - frameStatsAt < kFrameStatsPeriod) return;
  frameStatsAt = now;
  std::fprintf(stderr, "digmaze: %llu frames presented at %u ms\n", framesPresented, now);
}

// ---------------------------------------------------------------------------------------------
// Folders and the look
// ---------------------------------------------------------------------------------------------

CFerroString GGameDM::ConnectDrive(CFerroString& cache, bool& tried, const char* name) {
  // One attempt per run: a drive that cannot be connected (no source folder,
  // nowhere to build it) would otherwise be looked for, and perhaps built
  // again, on every image or sound load. The failure is remembered as the
  // empty prefix.
  if (!tried && platform) {
    tried = true;
    const char* prefix = platform->ConnectVirtualDrive(platform->GetPathToGame().c_str(), name);
    cache = prefix ? CFerroString(prefix) : CFerroString();
    if (!prefix) {
      const CFerroString source = platform->GetPathToGame() + "vdd" + platform->GetSlash() + name;
      const CFerroString message = CFerroString("cannot open the resource drive \"") + name +
                                   "\" (it is built from " + source +
                                   "); the game goes on without its files";
      ReportError(message.c_str());
    }
  }
  return cache;
}

CFerroString GGameDM::GetPathToImage() {
  return ConnectDrive(pathImage, imageDriveTried, "image");
}

CFerroString GGameDM::GetPathToSound() {
  return ConnectDrive(pathSound, soundDriveTried, "sound");
}

CFerroString GGameDM::GetPathToSavedGame() {
  if (pathSavedGame.IsEmpty() && platform) {
    CFerroString base = platform->GetPathToTemp();
    if (base.IsEmpty()) return pathSavedGame;
    pathSavedGame = base + "Save" + CFerroString(platform->GetSlash());
    platform->CreateFolder(pathSavedGame.c_str());
  }
  return pathSavedGame;
}

CFerroString GGameDM::GetPathToMaps() {
  if (pathMaps.IsEmpty() && platform) {
    const CFerroString shipped = GetPathToShippedMaps();
    const CFerroString user = platform->GetPathToUserFolder();
    const CFerroString own = user + "Maps" + CFerroString(platform->GetSlash());
    // Without shipped maps the player still gets a folder of his own to
    // create maps in; the game folder is never written.
    const bool seeded = !user.IsEmpty() &&
                        (platform->SeedFolder(shipped.c_str(), own.c_str()) ||
                         (!platform->CanListFolder(shipped.c_str()) && platform->CreatePath(own)));
    pathMaps = seeded ? own : shipped;
    // The order is read and written here on its own: the game's list may be
    // the one asking for the folder, and it reads the order once this is done.
    if (seeded && own != shipped) {
      GMapList order;
      GetCampaign().JoinInto(order);
    }
  }
  return pathMaps;
}

CFerroString GGameDM::GetPathToShippedMaps() {
  if (!platform) return CFerroString();
  return platform->GetPathToGame() + "Maps" + CFerroString(platform->GetSlash());
}

const CCampaign& GGameDM::GetCampaign() {
  if (!campaign) {
    campaign.emplace();
    if (platform) campaign->Load(GetPathToShippedMaps());
  }
  return *campaign;
}

unsigned GGameDM::GetAdditionalStyles(GComponent* component) {
  // Dialogs that are not scenes float centred with the translucent frame and
  // grid of the game's look; menus get the frame and grid.
  constexpr unsigned kLook = STYLE_ALPHA | STYLE_FRAMED;
  if (component->IsDialog()) return component->IsScene() ? 0 : kLook | STYLE_KEEP_CENTERED;
  return component->IsMenu() ? kLook : 0;
}

// Index of this file:
//   The application           construction, its end, the editor's hooks, CreateGame
//   Settings and the device   the settings file read for the device, written when the game ends
//   Platform and sound        the SDL platform, the sound and its switch
//   Keys it takes             M, the end of the demonstration, the idle menu's input
//   Presenting a frame        the changed rectangles and the cursor into the texture
//   Folders and the look      the resource drives, saved games, the player's maps, styles

#include "game/app/GGameDM.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "GUI/foundation/FileError.h"
#include "GUI/graphics/GDevice16SDL.h"
#include "GUI/graphics/GImage.h"
#include "GUI/graphics/GSurface.h"
#include "GUI/platform/FILE_DATA.h"
#include "GUI/platform/GPlatformSDL.h"
#include "GUI/sound/GSoundBass.h"
#include "GUI/themes/GThemeRavlin.h"
#include "GUI/toolkit/GComponent.h"
#include "game/app/CUndoRedo.h"
#include "game/app/GReplayRecorder.h"
#include "game/app/GSceneGame.h"
#include "game/app/GSceneLevels.h"
#include "game/app/GSceneMapEditor.h"
#include "game/app/GSceneMapsManager.h"
#include "game/app/GSceneMenu.h"
#include "game/model/GMap.h"
#include "game/model/GModelMedia.h"

// ---------------------------------------------------------------------------------------------
// The application
// ---------------------------------------------------------------------------------------------

GGameDM::GGameDM(GUID_GAME gameId, const char* gameName, const char* gameVersion, bool full)
    : GGame(gameId, gameName, gameVersion, full), recorder(std::make_unique<GReplayRecorder>()) {}

void GGameDM::SetRecordFolder(const CFerroString& folder) {
  recorder->SetFolder(folder);
}

GGameDM::~GGameDM() {
  // The history's files are removed while the platform that removes them exists.
  CTRLZ::GetInstance()->Clear();
  GMap* map = GMap::GetInstance();
  map->pendingUndo.reset();
  GMap::editedProbe = nullptr;
  GMap::undoFactory = nullptr;
  GMap::undoFinisher = nullptr;
  GModelMedia::ForgetAll();
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
  auto* look = new GThemeRavlin(this);
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
  // In SCENE_INDEX order; the first one added, the main menu, is shown.
  AddScene(new GSceneMenu);
  AddScene(new GSceneMapsManager);
  AddScene(new GSceneMapEditor);
  AddScene(new GSceneGame);
  AddScene(new GSceneLevels);
  return true;
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

bool GGameDM::RecordWin(const CFerroString& mapName, int time, int score, WIN_NEWS& news) {
  GetProgress();
  const std::string digest = CGameProgress::MapDigest((GetPathToMaps() + mapName).c_str());
  if (!progress->RecordWin(mapName, digest, time, score, news)) return false;
  const CFerroString path = GetPathToProgress();
  if (path.IsEmpty() || !progressWritable) return true;
  if (!progress->Save(path.c_str()))
    ReportError((CFerroString("cannot save the records in ") + path + ": " + std::strerror(errno) +
                 "; the previous file is kept")
                    .c_str());
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

GGameDM::FrameCursor GGameDM::CurrentCursor(const CFerroRect& bounds) {
  FrameCursor cursor;
  GImage* image = GetCursor();
  if (!device->IsVisibleCursor() || !image || !image->GetSurface()) return cursor;
  int px = 0, py = 0, w = 0, h = 0;
  image->GetPivot(px, py);
  image->GetSize(w, h);
  cursor.image = image;
  cursor.surface = image->GetSurface();
  cursor.rect = CFerroRect(cursorX - px, cursorY - py, cursorX - px + w, cursorY - py + h)
                    .Intersection(bounds);
  return cursor;
}

bool GGameDM::UploadRect(const CFerroRect& rect, const FrameCursor& cursor) {
  SURFACE_LOCKED lock;
  if (!device->LockBackbufferRect(rect, &lock) || !lock.bits) return false;
  const int bpp = device->GetBackbufferBPP();
  int px = 0, py = 0;
  if (cursor.image) cursor.image->GetPivot(px, py);
  // The cursor goes into the texture only, so the back surface keeps no trace
  // of it for the next frame.
  if (!cursor.rect.Intersects(rect)) {
    backSurface->CopyRectToTexture(lock.bits, lock.pitch, bpp, rect);
  } else if (bpp == 16) {
    // The back surface draws into the locked memory for a moment, clipped to
    // the rectangle, with its top-left pixel at the rectangle's.
    backSurface->CopyRectToTexture(lock.bits, lock.pitch, bpp, rect);
    backSurface->SetOrigin(0, 0);
    backSurface->SetClip(0, 0, rect.Width(), rect.Height());
    backSurface->SetPtrAndPitch(lock.bits, lock.pitch);
    backSurface->Blt(cursor.image->GetSurface(), cursorX - px - rect.left, cursorY - py - rect.top,
                     0, 0, 0, 0, true);
    backSurface->Unlock();
    backSurface->ResetClip();
  } else {
    // In another pixel format the rectangle and the cursor are put together
    // in a scratch surface of the back surface's format, then converted.
    if (!cursorScratch) cursorScratch = device->AddSurface();
    if (cursorScratch &&
        (cursorScratch->GetWidth() != rect.Width() || cursorScratch->GetHeight() != rect.Height()))
      cursorScratch->Create(rect.Width(), rect.Height());
    if (cursorScratch) {
      cursorScratch->Blt(backSurface, 0, 0, rect.left, rect.top, rect.Width(), rect.Height(),
                         false);
      cursorScratch->Blt(cursor.image->GetSurface(), cursorX - px - rect.left,
                         cursorY - py - rect.top, 0, 0, 0, 0, true);
      cursorScratch->CopyRectToTexture(lock.bits, lock.pitch, bpp,
                                       CFerroRect(0, 0, rect.Width(), rect.Height()));
    }
  }
  device->UnlockBackbuffer();
  return true;
}

void GGameDM::SysOnRender() {
  if (!platform || !platform->IsActivated()) return;
  GGame::SysOnRender();
  if (!backSurface || !device) return;
  if (device->IsLost()) {
    VIDEO_MODE monitor;
    if (device->GetMonitorMode(&monitor)) device->Create(monitor.width, monitor.height);
  }

  // A still picture costs nothing: the texture is touched and presented only
  // when the back surface or the cursor changed, or the device asked for it.
  int sceneWidth = 0, sceneHeight = 0;
  device->GetSize(sceneWidth, sceneHeight);
  const CFerroRect bounds(0, 0, std::min(sceneWidth, backSurface->GetWidth()),
                          std::min(sceneHeight, backSurface->GetHeight()));
  const FrameCursor cursor = CurrentCursor(bounds);
  const bool full = device->TakeFullPresentRequest();
  if (!full && !backSurface->IsModified() && cursor == presentedCursor) return;

  // The changed parts and, when the cursor changed, the old cursor's place
  // (restored from the back surface) and the new one's. Every uploaded
  // rectangle gets the cursor drawn over it, so an unchanged cursor needs no
  // rectangle of its own.
  std::vector<CFerroRect> rects;
  if (full) {
    AddJoined(rects, bounds);
  } else {
    // Of what was drawn, only the pixels that differ from the screen's go on.
    for (const CFerroRect& changed : backSurface->GetModifiedRects())
      AddJoined(rects, shown.Changed(*backSurface, changed.Intersection(bounds)));
    if (cursor != presentedCursor) {
      AddJoined(rects, presentedCursor.rect);
      AddJoined(rects, cursor.rect);
    }
  }
  backSurface->SetModified(false);
  if (rects.empty()) return;
  for (const CFerroRect& rect : rects) {
    // A renderer or texture that could not be made leaves nothing to lock:
    // the frame is skipped, and the next one uploads everything.
    if (!UploadRect(rect, cursor)) {
      device->RequestFullPresent();
      return;
    }
    shown.Shown(*backSurface, rect);
  }
  presentedCursor = cursor;
  device->Render();
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
    const CFerroString slash(platform->GetSlash());
    const CFerroString shipped = platform->GetPathToGame() + "Maps" + slash;
    const CFerroString user = platform->GetPathToUserFolder();
    const CFerroString own = user + "Maps" + slash;
    // Without shipped maps the player still gets a folder of his own to
    // create maps in; the game folder is never written.
    const bool seeded = !user.IsEmpty() &&
                        (platform->SeedFolder(shipped.c_str(), own.c_str()) ||
                         (!platform->CanListFolder(shipped.c_str()) && platform->CreatePath(own)));
    pathMaps = seeded ? own : shipped;
  }
  return pathMaps;
}

unsigned GGameDM::GetAdditionalStyles(GComponent* component) {
  // Dialogs that are not scenes float centred with the translucent frame and
  // grid of the game's look; menus get the frame and grid.
  constexpr unsigned kLook = STYLE_ALPHA | STYLE_FRAMED;
  if (component->IsDialog()) return component->IsScene() ? 0 : kLook | STYLE_KEEP_CENTERED;
  return component->IsMenu() ? kLook : 0;
}

#include "GUI/platform/GGame.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

#include "GUI/foundation/FerroRandom.h"
#include "GUI/graphics/GDevice.h"
#include "GUI/graphics/GImage.h"
#include "GUI/graphics/GSurface.h"
#include "GUI/platform/GPlatformUnix.h"
#include "GUI/sound/GSound.h"
#include "GUI/toolkit/GComponent.h"
#include "GUI/toolkit/GMessageBox.h"
#include "GUI/toolkit/GScene.h"

DIGITAL_VERSION DIGITAL_VERSION::Parse(const char* text) {
  DIGITAL_VERSION v;
  for (int i = 0; text && *text && i < 4; ++i) {
    v.parts[i] = std::atoi(text);
    while (*text && *text != '.') ++text;
    if (*text == '.') ++text;
  }
  return v;
}

GGame::GGame(GUID_GAME gameId, const char* gameName, const char* gameVersion, bool full)
    : id(gameId),
      name(gameName ? gameName : ""),
      version(gameVersion ? gameVersion : ""),
      digitalVersion(DIGITAL_VERSION::Parse(gameVersion)),
      fullScreen(full) {
  GComponent::game = this;
  GDevice::game = this;
}

GGame::~GGame() {
  KillMainTimer();
  if (platform && IsFrameTimer()) platform->KillTimer(&frameTimer);
  // Each EndModal hands the modal role back to the component before it.
  while (GComponent* current = modal) {
    current->EndModal(0);
    if (modal == current) modal = nullptr;
  }
  if (GComponent::game == this) GComponent::game = nullptr;
  if (GDevice::game == this) GDevice::game = nullptr;
  platform.reset();
  sound.reset();
  scenes.clear();
  currentScene = -1;
  backSurface = nullptr;
  device.reset();
  theme.reset();
}

GDevice* GGame::NewDevice(void*) {
  return nullptr;
}

GPlatform* GGame::NewPlatform(GGame* owner, const char* appName) {
  return new GPlatformUnix(owner, appName);
}

// ---------------------------------------------------------------------------------------------
// Creation and the main timer
// ---------------------------------------------------------------------------------------------

bool GGame::CreateGame(void* window, int w, int h) {
  platform.reset(NewPlatform(this, name.c_str()));
  if (!platform) return false;
  platform->Create();

  device.reset(NewDevice(window));
  if (!device || !device->Create(w, h)) return false;

  sound.reset(NewSound());

  // The back surface takes the scene size the device was made with: the
  // desktop's in full screen, the window's otherwise.
  int sceneW = 0, sceneH = 0;
  device->GetSize(sceneW, sceneH);
  if (w < 1) w = sceneW;
  if (h < 1) h = sceneH;
  backSurface = device->AddSurface();
  if (!backSurface || !backSurface->Create(w, h)) return false;

  KillMainTimer();
  mainTimer = TIMER_DATA();
  mainTimer.period = 15;
  platform->SetTimer(&mainTimer);

  lastActivityTick = platform->GetTick();
  SetRndIndex(lastActivityTick);

  platform->DetectFirstLaunch();
  return true;
}

bool GGame::GetStartedVideoMode(VIDEO_MODE* mode) {
  return device && device->GetDesktopMode(mode);
}

void GGame::SetMainTimer(unsigned ms) {
  KillMainTimer();
  mainTimer.period = ms;
  if (platform) platform->SetTimer(&mainTimer);
}

void GGame::KillMainTimer() {
  if (!IsMainTimer()) return;
  if (platform) platform->KillTimer(&mainTimer);
  mainTimer = TIMER_DATA();
}

void GGame::PlatformTimer() {
  if (platform) lastTickAt = platform->GetTick();
  SysOnUpdate();
  if (!platform) return;
  UpdateFrameTimer();
  if (platform->IsActivated()) {
    unsigned now = platform->GetTick();
    if (now - lastActivityTick >= 30001u) {
      lastActivityTick = now;
      if (device && !device->IsWindowed()) platform->CaptureMouse();
    }
    if (focused) focused->SysOnFocusTimer(now);
    RepeateKey();
    SysOnRender();
    return;
  }
  if (!device || device->IsWindowed()) return;
  if (!platform->IsIconic()) platform->ToIconic();
}

void GGame::PlatformFrame() {
  if (platform && platform->IsActivated()) SysOnRender();
}

unsigned GGame::GetTimeSinceTick() const {
  return platform ? platform->GetTick() - lastTickAt : 0;
}

void GGame::UpdateFrameTimer() {
  const GScene* scene = GetScene();
  const bool wanted = scene && scene->WantsFramesBetweenTicks() && device;
  if (wanted == IsFrameTimer()) return;
  if (!wanted) {
    platform->KillTimer(&frameTimer);
    return;
  }
  frameTimer = TIMER_DATA();
  frameTimer.frame = true;
  // Whole milliseconds at or below the refresh period, so no refresh goes
  // without a frame.
  frameTimer.period = std::max(1, 1000 / std::max(1, device->GetRefreshRate()));
  platform->SetTimer(&frameTimer);
}

void GGame::SysOnUpdate() {
  if (GScene* scene = GetScene()) scene->OnUpdate();
  if (modal) modal->OnUpdateModal();
}

// ---------------------------------------------------------------------------------------------
// The frame
// ---------------------------------------------------------------------------------------------

void GGame::SysOnRender() {
  if (!platform || !platform->IsActivated()) return;
  if (GScene* scene = GetScene()) scene->RenderAll();

  // The cursor image of this frame comes from the component under the
  // cursor (or holding the capture), asked in the coordinates of its zone.
  GComponent* owner = captured ? captured : highlighted;
  if (!owner) return;
  int zone = captured ? capturedZone : highlightedZone;
  int ax = 0, ay = 0;
  owner->GetAbsoluteWindowPosition(ax, ay);
  int x = cursorX - ax;
  int y = cursorY - ay;
  if (zone == ZONE_WIN) {
    cursorImage = owner->OnSetCursorWIN(inputFlags, x, y);
    return;
  }
  int ix = 0, iy = 0;
  owner->GetInnerOffset(ix, iy);
  x -= ix;
  y -= iy;
  if (zone == ZONE_INNER) {
    cursorImage = owner->OnSetCursorINNER(inputFlags, x, y);
    return;
  }
  int cx = 0, cy = 0;
  owner->GetClientOffset(cx, cy);
  x -= cx;
  y -= cy;
  cursorImage = owner->OnSetCursorCLIENT(inputFlags, x, y);
  if (GImage* special = owner->OnSetCursor(inputFlags, x, y)) cursorImage = special;
}

void GGame::OnChangeVideoMode(int w, int h) {
  if (backSurface) backSurface->Create(w, h);
  for (auto& scene : scenes) {
    int sw = 0, sh = 0;
    scene->GetSize(sw, sh);
    if (sw == w && sh == h) continue;
    scene->SetSize(w, h);
    scene->SetRecalcAbsData();
    scene->RecalcLayout();
  }
  if (GScene* scene = GetScene()) scene->Invalidate();
}

void GGame::SysOnActivate(unsigned active, bool minimised) {
  inputFocus = active != 0;
  if (active) {
    if (device) device->Activate();
    PlatformMoveCursor(0, 0);
    if (GScene* scene = GetScene()) scene->Invalidate();
    if (platform) lastActivityTick = platform->GetTick();
  } else {
    if (platform && device && !device->IsWindowed()) platform->ReleaseMouse();
    ClearControl();
    if (device) device->Inactivate();
    // A window stays where the player left it; full screen gives the
    // desktop back.
    if (platform && device && !device->IsWindowed()) platform->ToIconic();
  }
  OnActivate(active, minimised);
}

CFerroString GGame::SavePrintScreen() {
  if (!platform || !backSurface) return CFerroString();
  CFerroString folder = GetPathToProfile();
  if (folder.IsEmpty()) folder = platform->GetPathToTemp();
  if (folder.IsEmpty()) return CFerroString();
  for (int n = 0; n <= 99999999; ++n) {
    CFerroString file;
    file.Format("%08d.tga", n);
    CFerroString path = folder + file;
    if (FILE* existing = platform->OpenFile(path.c_str(), "rb")) {
      platform->CloseFile(existing);
      continue;
    }
    return backSurface->SaveTGA(path.c_str()) ? path : CFerroString();
  }
  return CFerroString();
}

// ---------------------------------------------------------------------------------------------
// Scenes
// ---------------------------------------------------------------------------------------------

void GGame::AddScene(GScene* scene) {
  if (!scene) return;
  scenes.emplace_back(scene);
  if (currentScene != -1) return;
  SetScene(0);
  focused = scene;
  scene->Show(true);
  scene->Invalidate();
}

bool GGame::SetScene(int index) {
  if (index < 0 || index >= GetSceneCount()) return false;
  if (index == currentScene) return true;
  if (modal) modal->EndModal(0);
  // A press or held key of the old scene never gets its release there, and
  // a key still held (the one whose press switched the scene, say) gives the
  // new scene nothing, neither repeats nor its release, until it is let go.
  unsigned char held[sizeof keyDown];
  std::copy(std::begin(keyDown), std::end(keyDown), held);
  ClearControl();
  for (size_t k = 0; k < sizeof keyDown; ++k)
    if (held[k]) keyDown[k] = kKeyTaken;
  if (GScene* old = GetScene()) {
    old->Show(false);
    old->OnFinish(index);
  }
  PlatformMoveCursor(0, 0);

  GScene* next = scenes[index].get();
  next->previousScene = currentScene;
  currentScene = index;
  focused = next;
  next->ShowChildrenByDefault();
  next->Show(true);
  next->OnStart();
  // The keyboard focus starts where the scene wants it, as it is now started.
  next->FocusDefault();
  next->Invalidate();
  SysOnMouseMove(inputFlags);
  return true;
}

// ---------------------------------------------------------------------------------------------
// Running and quitting
// ---------------------------------------------------------------------------------------------

int GGame::Play() {
  if (!platform) return -1;
  // The main timer's first tick comes one period after it was set; the first
  // picture does not wait for it.
  PlatformTimer();
  return platform->Play();
}

void GGame::Quit(int code) {
  if (!platform) return;
  // A closable dialog running in a nested loop is answered at once.
  if (platform->GetModalDepth() > 0 && modal && modal->IsDialog() && !modal->IsScene() &&
      (modal->GetStyle() & STYLE_CLOSE_BOX)) {
    platform->Quit(code);
    return;
  }
  if (CanQuit()) platform->Quit(code);
}

int GGame::MessageBox(const char* caption, const char* text, unsigned flags) {
  GMessageBox box;
  box.Alert(caption, text, flags);
  return box.RunModalLoop();
}

bool GGame::IsActivated() {
  return platform && platform->IsActivated();
}

bool GGame::IsIconic() {
  return platform && platform->IsIconic();
}

void GGame::ToIconic() {
  if (platform) platform->ToIconic();
}

void GGame::ToMaximize() {
  if (platform) platform->ToMaximize();
}

void GGame::ToggleFullScreen() {
  if (device && device->SetFullScreen(!device->IsFullScreen())) fullScreen = device->IsFullScreen();
}

void GGame::SetUserName(const char* user) {
  userName = user ? user : "";
  pathProfile = "";
  pathSavedGame = "";
}

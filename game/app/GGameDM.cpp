#include "game/app/GGameDM.h"

#include "GUI/graphics/GDevice16SDL.h"
#include "GUI/graphics/GImage.h"
#include "GUI/graphics/GSurface.h"
#include "GUI/platform/GPlatformSDL.h"
#include "GUI/sound/GSoundBass.h"
#include "GUI/toolkit/GComponent.h"
#include "game/app/GSceneStartup.h"

GGameDM::GGameDM(GUID_GAME gameId, const char* gameName, const char* gameVersion, bool full)
    : GGame(gameId, gameName, gameVersion, full) {}

bool GGameDM::CreateGame(void* window, int width, int height) {
  if (!GGame::CreateGame(window, width, height)) return false;
  SetMainTimer(50);
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
  AddScene(new GSceneStartup);
  return true;
}

GDevice* GGameDM::NewDevice(void* window) {
  return new GDevice16SDL(IsFullScreen(), window);
}

GPlatform* GGameDM::NewPlatform(GGame* owner, const char* appName) {
  return new GPlatformSDL(owner, appName);
}

GSound* GGameDM::NewSound() {
  return new GSoundBass;
}

void GGameDM::DrawCursor(GImage* cursor) {
  if (cursor && backSurface) cursor->Blt(cursorX, cursorY, backSurface, true);
}

void GGameDM::SysOnRender() {
  if (!platform || !platform->IsActivated()) return;
  GGame::SysOnRender();
  if (!backSurface || !device) return;
  backSurface->SetModified(true);
  if (device->IsLost()) {
    VIDEO_MODE monitor;
    if (device->GetMonitorMode(&monitor)) device->Create(monitor.width, monitor.height);
  }

  // A renderer or texture that could not be made leaves nothing to lock:
  // the frame is skipped rather than written through a null pointer.
  SURFACE_LOCKED lock;
  if (!device->LockBackbuffer(&lock) || !lock.bits) return;
  if (device->GetBackbufferBPP() == 32)
    backSurface->CopyToTexture32(lock.bits, lock.pitch);
  else
    backSurface->CopyToTexture(lock.bits, lock.pitch);

  // The cursor goes into the texture only, so the back surface keeps no
  // trace of it for the next frame.
  GImage* cursor = GetCursor();
  if (device->IsVisibleCursor() && cursor && cursor->GetSurface()) {
    backSurface->SetOrigin(0, 0);
    backSurface->ResetClip();
    backSurface->SetPtrAndPitch(lock.bits, lock.pitch);
    int px = 0, py = 0;
    cursor->GetPivot(px, py);
    backSurface->Blt(cursor->GetSurface(), cursorX - px, cursorY - py, 0, 0, 0, 0, true);
    backSurface->Unlock();
  }
  backSurface->SetModified(false);
  device->UnlockBackbuffer();
  device->Render();
}

namespace {

CFerroString ConnectDrive(GPlatform* platform, const char* name) {
  if (!platform) return CFerroString();
  const char* prefix = platform->ConnectVirtualDrive(platform->GetPathToGame().c_str(), name);
  return prefix ? CFerroString(prefix) : CFerroString();
}

}  // namespace

CFerroString GGameDM::GetPathToImage() {
  return ConnectDrive(platform.get(), "image");
}

CFerroString GGameDM::GetPathToSound() {
  return ConnectDrive(platform.get(), "sound");
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

unsigned GGameDM::GetAdditionalStyles(GComponent* component) {
  // Dialogs that are not scenes float centred with the translucent frame and
  // grid of the game's look; menus get the frame and grid.
  constexpr unsigned kLook = STYLE_ALPHA | STYLE_FRAMED;
  if (component->IsDialog()) return component->IsScene() ? 0 : kLook | STYLE_KEEP_CENTERED;
  return component->IsMenu() ? kLook : 0;
}

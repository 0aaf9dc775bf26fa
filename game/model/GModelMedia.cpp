#include "game/model/GModelMedia.h"

#include "GUI/graphics/GDevice.h"
#include "GUI/graphics/GSurface.h"
#include "GUI/platform/FILE_DATA.h"
#include "GUI/platform/GGame.h"
#include "GUI/platform/GPlatform.h"
#include "GUI/sound/GSound.h"

std::function<void(int)> GModelMedia::soundRecorder;

namespace {
CFerroString& MapsOverride() {
  static CFerroString folder;
  return folder;
}

// Reads a whole file of the platform's image or sound folder, telling the
// user (as a file of the given kind, and what the game does without it) when
// it is missing. An empty folder means the resource drive could not be
// connected, which was reported then: the bare name would open a file of the
// working directory, so nothing is read at all.
bool LoadMediaFile(const CFerroString& folder, const char* name, FILE_DATA& data, const char* kind,
                   const char* consequence) {
  GPlatform* platform = GDevice::platform;
  if (!platform || !name || folder.IsEmpty()) return false;
  const CFerroString path = folder + CFerroString(name);
  if (platform->LoadFile(path.c_str(), &data) && data.data && data.size > 0) return true;
  platform->ReportFileFault(GPlatform::FileFault::missing, kind, path.c_str(), consequence);
  return false;
}

constexpr const char* kBlankPicture = "it is left blank";
constexpr const char* kSilentSound = "it stays silent";
}  // namespace

CFerroString GModelMedia::GetPathToMaps() {
  if (MapsOverride().GetLength() > 0) return MapsOverride();
  if (GDevice::game) return GDevice::game->GetPathToMaps();
  return CFerroString();
}

void GModelMedia::SetPathToMaps(const char* folder) {
  MapsOverride() = folder ? folder : "";
}

bool GModelMedia::ListMapFiles(std::vector<CFerroString>& names) {
  GPlatform* platform = GDevice::platform;
  const CFerroString folder = GetPathToMaps();
  if (!platform || folder.IsEmpty() || !platform->CanListFolder(folder.c_str())) return false;
  // The search runs to its end, so it leaves nothing open.
  for (const char* found = platform->GetFirstFile(folder.c_str(), "dmm"); found;
       found = platform->GetNextFile())
    names.emplace_back(found);
  return true;
}

bool GModelMedia::HasDevice() {
  return GSurface::device != nullptr;
}

GSurface* GModelMedia::NewSurface(int width, int height) {
  GDevice* device = GSurface::device;
  if (!device) return nullptr;
  GSurface* surface = device->AddSurface();
  if (surface && !surface->Create(width, height)) {
    device->DeleteSurface(surface);
    surface = nullptr;
  }
  return surface;
}

void GModelMedia::DeleteSurface(GSurface* surface) {
  if (surface && GSurface::device) GSurface::device->DeleteSurface(surface);
}

GSurface* GModelMedia::LoadImage(const char* name) {
  if (!GSurface::device || !GDevice::platform) return nullptr;
  FILE_DATA data;
  const CFerroString folder = GDevice::platform->GetPathToImage();
  if (!LoadMediaFile(folder, name, data, "picture", kBlankPicture)) return nullptr;
  GSurface* surface = GSurface::device->AddSurface();
  if (surface && !surface->Load(static_cast<const unsigned char*>(data.data), data.size)) {
    // A picture that does not decode leaves no surface behind.
    GSurface::device->DeleteSurface(surface);
    surface = nullptr;
    GDevice::platform->ReportFileFault(GPlatform::FileFault::damaged, "picture",
                                       (folder + name).c_str(), kBlankPicture);
  }
  return surface;
}

GSurface* GModelMedia::GetBackBuffer() {
  return GDevice::game ? GDevice::game->GetBackSurface() : nullptr;
}

int GModelMedia::GetBackBufferWidth() {
  GSurface* back = GetBackBuffer();
  return back ? back->GetWidth() : 1024;
}

bool GModelMedia::GetCursor(int& x, int& y) {
  if (!GDevice::game || GDevice::game->IsKeyInputLast()) return false;
  x = GDevice::game->cursorX;
  y = GDevice::game->cursorY;
  return true;
}

int GModelMedia::LoadSound(const char* name) {
  GSound* sound = GSoundSample::sound;
  if (!sound || !GDevice::platform) return -1;
  FILE_DATA data;
  const CFerroString folder = GDevice::platform->GetPathToSound();
  if (!LoadMediaFile(folder, name, data, "sound", kSilentSound)) return -1;
  const int sample = sound->LoadFromMemory(data);
  if (sample < 0)
    GDevice::platform->ReportFileFault(GPlatform::FileFault::damaged, "sound",
                                       (folder + name).c_str(), kSilentSound);
  return sample;
}

void GModelMedia::StopSounds() {
  if (GSound* sound = GSoundSample::sound)
    for (int channel = 0; channel < sound->GetChannelCount(); ++channel) sound->Stop(channel);
}

void GModelMedia::PlaySound(int sample) {
  if (sample < 0) return;
  if (soundRecorder) {
    soundRecorder(sample);
    return;
  }
  if (GSoundSample::sound) GSoundSample::sound->Play(sample, 1.0f, false);
}

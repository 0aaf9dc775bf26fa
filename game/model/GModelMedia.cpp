#include "game/model/GModelMedia.h"

std::function<void(int)> GModelMedia::soundRecorder;

namespace {
CFerroString& MapsOverride() {
  static CFerroString folder;
  return folder;
}
}  // namespace

CFerroString GModelMedia::GetPathToMaps() {
  return MapsOverride();
}

void GModelMedia::SetPathToMaps(const char* folder) {
  MapsOverride() = folder ? folder : "";
}

bool GModelMedia::HasDevice() {
  return false;
}

GSurface* GModelMedia::LoadImage(const char*) {
  return nullptr;
}

GSurface* GModelMedia::NewSurface(int, int) {
  return nullptr;
}

void GModelMedia::DeleteSurface(GSurface*) {}

GSurface* GModelMedia::GetBackBuffer() {
  return nullptr;
}

int GModelMedia::GetBackBufferWidth() {
  return 1024;
}

int GModelMedia::LoadSound(const char*) {
  return -1;
}

void GModelMedia::PlaySound(int sample) {
  if (sample < 0) return;
  if (soundRecorder) soundRecorder(sample);
}

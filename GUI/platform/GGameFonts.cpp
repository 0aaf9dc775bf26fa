// Loading fonts: the pair of files of a font name, read through the platform
// and handed to the device.
#include "GUI/graphics/GDevice.h"
#include "GUI/platform/FILE_DATA.h"
#include "GUI/platform/GGame.h"
#include "GUI/platform/GPlatform.h"

int GGame::CreateFontex(const char* name) {
  if (!name || !platform || !device) return -1;
  CFerroString folder;
  FILE_DATA image;
  if (!platform->LoadFile((CFerroString(name) + ".tga").c_str(), &image)) {
    folder = GetPathToFont();
    if (!platform->LoadFile((folder + name + ".tga").c_str(), &image)) return -1;
  }
  FILE_DATA description;
  if (!platform->LoadFile((folder + name + ".txt").c_str(), &description)) return -1;
  return device->AddFontex(image.data, image.size, description.data, description.size);
}

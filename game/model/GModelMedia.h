#pragma once

#include <functional>
#include <vector>

#include "GUI/foundation/CFerroString.h"

class GSurface;

// The model's one door to the application's folders, images, surfaces and
// sounds. Without an application, a device or a sound object it answers with
// null, -1 or nothing at all, so the rules run headless (tests, digmaze-sim,
// the level generator) exactly as they run in the game.
class GModelMedia {
 public:
  // The maps folder, ending with a separator: the override when one is set,
  // else the application's maps folder, else empty.
  static CFerroString GetPathToMaps();
  // Points the maps folder somewhere else (tools and tests); null or "" removes the override.
  static void SetPathToMaps(const char* folder);
  // The names of the map files (".dmm") of the maps folder, in the order the
  // folder lists them; false when there is no folder, no platform to read it
  // or it cannot be listed.
  static bool ListMapFiles(std::vector<CFerroString>& names);

  // True when a drawing device exists, so surfaces can be made.
  static bool HasDevice();
  // A new device surface loaded from the image folder, or null.
  static GSurface* LoadImage(const char* name);
  // A new, cleared device surface of the given size, or null without a device.
  static GSurface* NewSurface(int width, int height);
  // Hands a surface made here back to the device.
  static void DeleteSurface(GSurface* surface);
  // The application's back buffer, or null.
  static GSurface* GetBackBuffer();
  // The width of the back buffer, or 1024 when there is none.
  static int GetBackBufferWidth();

  // The software cursor's position in screen pixels; false without an
  // application, and while the keyboard rather than the mouse is in use.
  static bool GetCursor(int& x, int& y);

  // A sample handle for a file of the sound folder, or -1.
  static int LoadSound(const char* name);
  // Plays a sample once at full volume; -1 is skipped.
  static void PlaySound(int sample);
  // Silences every sample playing (the music plays on).
  static void StopSounds();
  // Tests install this to see which samples would play; it replaces playing.
  static std::function<void(int)> soundRecorder;

  // Loads every picture and sound of the rules (cell icons, the units' frames
  // and sounds, the level's surfaces) from the application's device, image
  // and sound folders. The application calls it once they exist; a later
  // application in the same process calls it again.
  static void LoadAll();
  // Forgets them all without deleting anything: called by the application
  // before its device and sound object go, which own the surfaces and samples.
  static void ForgetAll();
};

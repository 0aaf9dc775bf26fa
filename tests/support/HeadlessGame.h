#pragma once

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "GUI/graphics/GDevice.h"
#include "GUI/graphics/GSurface16.h"
#include "GUI/platform/FILE_DATA.h"
#include "GUI/platform/GGame.h"
#include "GUI/platform/GPlatformUnix.h"
#include "GUI/platform/TIMER_DATA.h"
#include "GUI/toolkit/GComponent.h"
#include "tests/support/Files.h"

// A file loaded through the platform, or "<missing>".
inline std::string Load(GPlatform& platform, const std::string& path) {
  FILE_DATA data;
  if (!platform.LoadFile(path.c_str(), &data)) return "<missing>";
  return std::string(reinterpret_cast<const char*>(data.data), static_cast<size_t>(data.size));
}

// The names a whole file search (mask) or folder search (null mask) finds.
inline std::set<std::string> Found(GPlatform& platform, const std::string& folder,
                                   const char* mask) {
  std::set<std::string> names;
  if (mask)
    for (const char* f = platform.GetFirstFile(folder.c_str(), mask); f; f = platform.GetNextFile())
      names.insert(f);
  else
    for (const char* f = platform.GetFirstFolder(folder.c_str()); f; f = platform.GetNextFolder())
      names.insert(f);
  return names;
}

// The POSIX platform with a chosen game folder, a clock the test moves, and
// a record of the window calls the frame makes.
class HeadlessPlatform : public GPlatformUnix {
 public:
  HeadlessPlatform(GGame* game, const char* name, std::string folder)
      : GPlatformUnix(game, name), gameFolder(std::move(folder)) {}

  CFerroString GetPathToGame() override { return CFerroString(gameFolder.c_str()); }
  unsigned GetTick() override { return tick; }
  bool IsActivated() override { return active; }
  bool IsIconic() override { return iconic; }
  void ToIconic() override { ++iconicCalls; }
  void Quit(int code) override { quitCodes.push_back(code); }
  // A nested loop runs `onLoop` once and returns the last code handed to Quit.
  int MessageLoop() override {
    if (onLoop) onLoop();
    return quitCodes.empty() ? 0 : quitCodes.back();
  }
  void SetTimer(TIMER_DATA* timer) override { timer->handle = 1; }
  void KillTimer(TIMER_DATA* timer) override {
    if (timer->handle) ++timersKilled;
    timer->handle = 0;
  }
  void CaptureMouse() override { ++captures; }
  CFerroString UserDataFolder() { return GetUserDataFolder(); }
  // Folders listed in `unwritable` count as read-only, as an installed game
  // folder would; `userFolder`, when set, replaces the per-user data folder.
  bool IsFolderWritable(const CFerroString& folder) override {
    return !unwritable.count(folder.c_str()) && GPlatformUnix::IsFolderWritable(folder);
  }
  CFerroString GetUserDataFolder() override {
    return userFolder.empty() ? GPlatformUnix::GetUserDataFolder()
                              : CFerroString(userFolder.c_str());
  }

  std::string gameFolder;
  unsigned tick = 1000;
  bool active = true, iconic = false;
  int iconicCalls = 0, captures = 0, timersKilled = 0;
  std::vector<int> quitCodes;
  std::function<void()> onLoop;
  std::set<std::string> unwritable;
  std::string userFolder;
};

// A device without a window: 16-bit surfaces on a 64 x 48 monitor.
class HeadlessDevice : public GDevice {
 public:
  HeadlessDevice() : GDevice(true) {}
  GSurface* NewSurface() override { return new GSurface16; }
  bool GetMonitorMode(VIDEO_MODE* mode) override {
    *mode = VIDEO_MODE{64, 48, 32};
    return true;
  }
};

// The application over the headless platform and device; input is routed
// to the components of its scenes.
class HeadlessGame : public GGame {
 public:
  explicit HeadlessGame(std::string folder, const char* version = "1.0")
      : GGame(GUID_GAME{1, 2}, "DigmazeTest", version, true), gameFolder(std::move(folder)) {}

  GPlatform* NewPlatform(GGame* owner, const char* appName) override {
    return new HeadlessPlatform(owner, appName, gameFolder);
  }
  GDevice* NewDevice(void*) override { return new HeadlessDevice; }
  void OnFirstLaunch() override { ++firstLaunches; }
  bool CanQuit() override { return allowQuit; }
  // Dialogs that are not scenes get dialogStyles, as the game gives them its
  // translucent, framed, centred look.
  unsigned GetAdditionalStyles(GComponent* c) override {
    return c->IsDialog() && !c->IsScene() ? dialogStyles : 0;
  }

  HeadlessPlatform* Platform() { return static_cast<HeadlessPlatform*>(platform.get()); }
  // Runs the game over another platform (the SDL one), without a device.
  void ReplacePlatform(GPlatform* other) { platform.reset(other); }

  int firstLaunches = 0;
  bool allowQuit = true;
  unsigned dialogStyles = 0;

 private:
  std::string gameFolder;
};

// The headless application that records the input entry points it is
// called with in `calls` instead of routing them, to check what reaches
// the application.
class RecordingGame : public HeadlessGame {
 public:
  using HeadlessGame::HeadlessGame;

  void SysOnLButtonDown(unsigned flags) override { Log("LDown", flags); }
  void SysOnLButtonUp(unsigned flags) override { Log("LUp", flags); }
  void SysOnRButtonDown(unsigned flags) override { Log("RDown", flags); }
  void SysOnRButtonUp(unsigned flags) override { Log("RUp", flags); }
  void SysOnMouseMove(unsigned flags) override { Log("Move", flags); }
  void SysOnKeyDown(unsigned key, unsigned count, unsigned flags) override {
    Log("KeyDown " + std::to_string(key) + " " + std::to_string(count), flags);
    if (onKeyDown) onKeyDown(key);
  }
  void SysOnKeyUp(unsigned key, unsigned, unsigned flags) override {
    Log("KeyUp " + std::to_string(key), flags);
  }

  std::vector<std::string> calls;
  // Called after a key-down is logged: what a press of that key does.
  std::function<void(unsigned key)> onKeyDown;

 private:
  void Log(const std::string& what, unsigned flags) {
    calls.push_back(what + " flags=" + std::to_string(flags));
  }
};

// The lines RecordingGame logs for a key, so expected logs name their keys.
inline std::string KeyDownLine(unsigned key, unsigned flags = 0) {
  return "KeyDown " + std::to_string(key) + " 0 flags=" + std::to_string(flags);
}
inline std::string KeyUpLine(unsigned key, unsigned flags = 0) {
  return "KeyUp " + std::to_string(key) + " flags=" + std::to_string(flags);
}

// A created headless game over a temporary folder of its own.
class HeadlessGameTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(game.CreateGame(nullptr, 0, 0)); }
  TempDir dir;
  HeadlessGame game{dir.Path()};
};

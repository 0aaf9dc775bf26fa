#pragma once

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "GUI/graphics/GDevice.h"
#include "GUI/graphics/GSurface16.h"
#include "GUI/platform/GGame.h"
#include "GUI/platform/GPlatformUnix.h"
#include "GUI/platform/TIMER_DATA.h"

// A fresh folder under the system's temporary folder, removed with its
// contents when the object goes.
class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "dmtest.XXXXXX").string();
    char* made = mkdtemp(pattern.data());
    path = made ? std::string(made) + "/" : std::string();
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The folder with a trailing separator.
  const std::string& Path() const { return path; }
  std::string operator/(const std::string& name) const { return path + name; }

 private:
  std::string path;
};

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
  bool active = true;
  bool iconic = false;
  int iconicCalls = 0;
  int captures = 0;
  int timersKilled = 0;
  std::vector<int> quitCodes;
  std::set<std::string> unwritable;
  std::string userFolder;
};

// A device without a window: 16-bit surfaces on a monitor of the given size.
class HeadlessDevice : public GDevice {
 public:
  HeadlessDevice(int w, int h) : GDevice(true), monitorW(w), monitorH(h) {}
  GSurface* NewSurface() override { return new GSurface16; }
  bool GetMonitorMode(VIDEO_MODE* mode) override {
    *mode = VIDEO_MODE{monitorW, monitorH, 32};
    return true;
  }

 private:
  int monitorW, monitorH;
};

// The application over the headless platform and device. Input handlers
// append what they received to `calls`.
class HeadlessGame : public GGame {
 public:
  explicit HeadlessGame(std::string folder, const char* version = "1.0")
      : GGame(GUID_GAME{1, 2}, "DigmazeTest", version, true), gameFolder(std::move(folder)) {}

  GPlatform* NewPlatform(GGame* owner, const char* appName) override {
    return new HeadlessPlatform(owner, appName, gameFolder);
  }
  GDevice* NewDevice(void*) override { return new HeadlessDevice(64, 48); }
  void OnFirstLaunch() override { ++firstLaunches; }
  bool CanQuit() override { return allowQuit; }

  void SysOnLButtonDown(unsigned flags) override { Log("LDown", flags); }
  void SysOnLButtonUp(unsigned flags) override { Log("LUp", flags); }
  void SysOnRButtonDown(unsigned flags) override { Log("RDown", flags); }
  void SysOnRButtonUp(unsigned flags) override { Log("RUp", flags); }
  void SysOnMouseMove(unsigned flags) override { Log("Move", flags); }
  void SysOnKeyDown(unsigned key, unsigned count, unsigned flags) override {
    Log("KeyDown " + std::to_string(key) + " " + std::to_string(count), flags);
  }
  void SysOnKeyUp(unsigned key, unsigned, unsigned flags) override {
    Log("KeyUp " + std::to_string(key), flags);
  }

  HeadlessPlatform* Platform() { return static_cast<HeadlessPlatform*>(platform.get()); }

  int firstLaunches = 0;
  bool allowQuit = true;
  std::vector<std::string> calls;

 private:
  void Log(const std::string& what, unsigned flags) {
    calls.push_back(what + " flags=" + std::to_string(flags));
  }
  std::string gameFolder;
};

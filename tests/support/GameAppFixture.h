#pragma once

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "GUI/graphics/GDevice16SDL.h"
#include "GUI/graphics/GSurface.h"
#include "GUI/platform/GPlatformSDL.h"
#include "GUI/toolkit/GMessageBox.h"
#include "GUI/toolkit/GScene.h"
#include "game/app/GGameDM.h"
#include "game/app/GSceneGame.h"
#include "game/app/GSceneMenu.h"
#include "game/model/ANIMATION_LIST_UNIT.h"
#include "game/model/GMap.h"
#include "game/model/GMapList.h"
#include "tests/support/Files.h"
#include "tests/support/Window.h"

// The SDL platform with a chosen game folder, which is also its per-user
// folder unless userFolder is set, so a test never reaches the real user's
// folder, and which opens no link. It counts the host files it opens and the
// drive tables it looks for (every attempt to connect a drive that is not
// mounted looks for its table first).
class FolderPlatform : public GPlatformSDL {
 public:
  FolderPlatform(GGame* game, const char* name, std::string folder)
      : GPlatformSDL(game, name), folder(std::move(folder)) {}
  CFerroString GetPathToGame() override { return CFerroString(folder.c_str()); }
  // The programs of the build's game folder (the map check).
  CFerroString GetPathToProgram(const char* program) override {
    return CFerroString(std::getenv("DIGMAZE_GAME_DIR")) + "/" + program;
  }
  bool OpenLink(const char*) override { return opensLinks; }
  int GetFileLength(const char* path) override {
    if (path && std::string_view(path).ends_with(".vdt")) ++tableLookups;
    return GPlatformSDL::GetFileLength(path);
  }
  FILE* OpenFile(const char* path, const char* mode) override {
    ++hostOpens;
    return GPlatformSDL::OpenFile(path, mode);
  }
  unsigned GetTick() override { return fixedTick ? fixedTick : GPlatformSDL::GetTick(); }
  CFerroString GetUserDataFolder() override {
    return CFerroString(userFolder.empty() ? folder.c_str() : userFolder.c_str());
  }
  // A nested loop (a message box's) runs nestedLoop instead, when it is set,
  // and ends with what that returns.
  int MessageLoop() override {
    if (nestedLoop && GetModalDepth() > 0) return nestedLoop();
    return GPlatformSDL::MessageLoop();
  }
  std::function<int()> nestedLoop;
  // The per-user folder (ending with a separator) when not empty.
  std::string userFolder;
  // When not 0, the clock stands still at this tick (for predictable names).
  unsigned fixedTick = 0;
  // Whether a browser "opens"; no link is ever opened for real.
  bool opensLinks = true;
  int tableLookups = 0;
  int hostOpens = 0;

 private:
  std::string folder;
};

// A device whose back buffer can be refused, counting presented frames and
// keeping the rectangles the last frame uploaded.
class CountingDevice : public GDevice16SDL {
 public:
  CountingDevice(bool full, void* window) : GDevice16SDL(full, window) {}
  bool LockBackbufferRect(const CFerroRect& rect, SURFACE_LOCKED* lock) override {
    if (refuseLock) return false;
    if (uploadedFrame != frames) uploaded.clear();
    uploadedFrame = frames;
    uploaded.push_back(rect);
    return GDevice16SDL::LockBackbufferRect(rect, lock);
  }
  void Render() override {
    ++frames;
    GDevice16SDL::Render();
  }
  bool refuseLock = false;
  int frames = 0;
  std::vector<CFerroRect> uploaded;
  int uploadedFrame = -1;
};

// The game with its data folder in a temporary folder, and its per-user
// folder there too unless another one is given.
class TestGameDM : public GGameDM {
 public:
  explicit TestGameDM(std::string folder, std::string userFolder = "")
      : GGameDM(GGameDM::kId, "Digmaze", "1.0", true),
        folder(std::move(folder)),
        userFolder(std::move(userFolder)) {}
  GPlatform* NewPlatform(GGame* owner, const char* name) override {
    auto* made = new FolderPlatform(owner, name, folder);
    made->userFolder = userFolder;
    return made;
  }
  GDeviceSDL* NewDisplayDevice(bool full, void* window) override {
    return new CountingDevice(full, window);
  }
  CountingDevice* Device() { return static_cast<CountingDevice*>(device.get()); }
  FolderPlatform* Platform() { return static_cast<FolderPlatform*>(platform.get()); }
  // Notes the text of the box a key is pressed in, so a test can read what a
  // blocking message box said once the key has answered it.
  bool OnTakeKey(unsigned key) override {
    if (modal && modal->GetId() == GMessageBox::kId) boxText = BoxText(*modal);
    return GGameDM::OnTakeKey(key);
  }
  // The text of a message box: its static's.
  static std::string BoxText(const GComponent& box) {
    for (int i = 0; i < box.GetChildCount(); ++i)
      if (box.GetChild(i)->IsStatic()) return box.GetChild(i)->GetWindowText().c_str();
    return std::string();
  }
  std::string boxText;

 private:
  std::string folder;
  std::string userFolder;
};

// What the game's window shows after the whole scene is drawn and presented
// anew (without a tick in between).
inline std::vector<Uint32> RedrawnWindow(GGame& game) {
  game.GetScene()->Invalidate();
  game.GetDevice()->RequestFullPresent();
  game.SysOnRender();
  return WindowPixels(*static_cast<GDeviceSDL*>(game.GetDevice()));
}

// Whether the window shows what a whole redraw of the scene shows. The window
// is read before the redraw (as arguments of one call, the two could be read
// in either order, and a redraw read first always equals itself).
inline ::testing::AssertionResult ShowsAWholeRedraw(GGame& game) {
  const std::vector<Uint32> shown = WindowPixels(*static_cast<GDeviceSDL*>(game.GetDevice()));
  const std::vector<Uint32> redrawn = RedrawnWindow(game);
  if (shown == redrawn) return ::testing::AssertionSuccess();
  const auto differ = std::mismatch(shown.begin(), shown.end(), redrawn.begin(), redrawn.end());
  return ::testing::AssertionFailure() << "the window differs from a whole redraw from pixel "
                                       << differ.first - shown.begin() << " on";
}

// A game folder in a temporary folder holding copies of the shipped data
// the scenes need: the maps, the demonstration's replays, the solutions, the
// theme folder (fonts, cursors), the music (a link to the shipped folder,
// which is only read), and with media the resource-drive sources.
class GameFolder {
 public:
  explicit GameFolder(bool media = false) {
    namespace fs = std::filesystem;
    const fs::path data = SourceDir() / "data";
    fs::copy(data / "Maps", dir / "Maps", fs::copy_options::recursive);
    fs::copy(data / "demo", dir / "demo", fs::copy_options::recursive);
    fs::copy(data / "solutions", dir / "solutions", fs::copy_options::recursive);
    fs::copy(data / "windows", dir / "windows", fs::copy_options::recursive);
    fs::create_directory_symlink(data / "music", dir / "music");
    if (media) fs::copy(data / "vdd", dir / "vdd", fs::copy_options::recursive);
  }
  const std::string& Path() const { return dir.Path(); }
  std::string operator/(const std::string& name) const { return dir / name; }

 private:
  TempDir dir;
};

inline void Press(GGame& game, unsigned key) {
  game.PlatformKeyDown(static_cast<int>(key), 0);
  game.PlatformKeyUp(static_cast<int>(key));
}

// Queues system events for a nested loop (a message box's) to read: each
// type with the scancode, in order.
inline void PushEvents(std::initializer_list<Uint32> types,
                       SDL_Scancode key = SDL_SCANCODE_UNKNOWN) {
  for (Uint32 type : types) {
    SDL_Event e{};
    e.type = type;
    e.key.keysym.scancode = key;
    SDL_PushEvent(&e);
  }
}
// A press and release of key queued, which answers the next message box.
inline void PushKey(SDL_Scancode key) {
  PushEvents({SDL_KEYDOWN, SDL_KEYUP}, key);
}

// Ends a game's loop as closing its window does.
inline void PlayUntilClosed(GGame& game) {
  PushEvents({SDL_QUIT});
  game.Play();
}

// The whole game created over a game folder (with the resource drives when
// media is set, and a per-user folder of its own when ownUser is), with its
// scenes and model at hand. Dialogs left open are closed at the end.
class GameTest : public ::testing::Test {
 protected:
  explicit GameTest(bool media = false, bool ownUser = false)
      : folder(media), game(folder.Path(), ownUser ? user.Path() : "") {}
  // The model's singletons are taken once the game is made, as a list taken
  // before would keep the paths it had then.
  void SetUp() override {
    ASSERT_TRUE(game.CreateGame(nullptr, 0, 0));
    map = GMap::GetInstance();
    list = GMapList::GetInstance();
    units = ANIMATION_LIST_UNIT::GetInstance();
  }
  void TearDown() override {
    while (game.modal) game.modal->EndModal(0);
  }
  // Runs act, which must open one message box, with the key that answers it
  // queued and a window close behind the key: a box the key does not end is
  // ended by the close at once instead of leaving its nested loop waiting
  // for input that never comes. said, when given, gets the box's text.
  ::testing::AssertionResult Answered(SDL_Scancode key, const std::function<void()>& act,
                                      std::string* said = nullptr) {
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    PushEvents({SDL_KEYDOWN, SDL_KEYUP, SDL_QUIT}, key);
    game.boxText.clear();
    act();
    const bool keyLeft = SDL_HasEvents(SDL_KEYDOWN, SDL_KEYUP), closeLeft = SDL_HasEvent(SDL_QUIT);
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    if (said) *said = game.boxText;
    if (keyLeft) return ::testing::AssertionFailure() << "no message box was shown";
    if (!closeLeft) return ::testing::AssertionFailure() << "the key did not answer the box";
    return ::testing::AssertionSuccess();
  }
  // The current scene, and whether a dialog is open over it.
  std::string Where() {
    const char* scenes[] = {"menu", "maps", "editor", "game"};
    return scenes[game.GetCurrentSceneIndex()] + std::string(game.modal ? " + dialog" : "");
  }
  GSceneMenu* Menu() { return static_cast<GSceneMenu*>(game.GetScene(SCENE_MENU)); }
  GSceneGame* Play() { return static_cast<GSceneGame*>(game.GetScene(SCENE_GAME)); }
  void Key(unsigned key) { Press(game, key); }

  GameFolder folder;
  TempDir user;
  TestGameDM game;
  GMap* map = nullptr;
  GMapList* list = nullptr;
  ANIMATION_LIST_UNIT* units = nullptr;
};

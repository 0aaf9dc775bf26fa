#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "GUI/graphics/GDevice16SDL.h"
#include "GUI/graphics/GImage.h"
#include "GUI/graphics/GSurface.h"
#include "GUI/platform/FILE_DATA.h"
#include "GUI/platform/GPlatformSDL.h"
#include "GUI/toolkit/GScene.h"
#include "game/app/GGameDM.h"
#include "tests/GUI/platform/HeadlessGame.h"

namespace fs = std::filesystem;

namespace {

class FolderPlatform : public GPlatformSDL {
 public:
  FolderPlatform(GGame* game, const char* name, std::string folder)
      : GPlatformSDL(game, name), folder(std::move(folder)) {}
  CFerroString GetPathToGame() override { return CFerroString(folder.c_str()); }

 private:
  std::string folder;
};

// A device whose back buffer can be refused, counting presented frames.
class CountingDevice : public GDevice16SDL {
 public:
  CountingDevice(bool full, void* window) : GDevice16SDL(full, window) {}
  bool LockBackbuffer(SURFACE_LOCKED* lock) override {
    return refuseLock ? false : GDevice16SDL::LockBackbuffer(lock);
  }
  void Render() override {
    ++frames;
    GDevice16SDL::Render();
  }
  bool refuseLock = false;
  int frames = 0;
};

// The game with its data folder in a temporary folder.
class TestGameDM : public GGameDM {
 public:
  explicit TestGameDM(std::string folder)
      : GGameDM(GGameDM::kId, "Digmaze", "1.0", true), folder(std::move(folder)) {}
  GPlatform* NewPlatform(GGame* owner, const char* name) override {
    return new FolderPlatform(owner, name, folder);
  }
  GDevice* NewDevice(void* window) override { return new CountingDevice(true, window); }
  CountingDevice* Device() { return static_cast<CountingDevice*>(device.get()); }

 private:
  std::string folder;
};

// The presented window's pixel as 0xRRGGBB. A failed read fails the test, so
// that a check for some other colour cannot pass on it.
unsigned WindowPixel(SDL_Renderer* renderer, int x, int y) {
  Uint32 pixel = 0;
  SDL_Rect r{x, y, 1, 1};
  if (SDL_RenderReadPixels(renderer, &r, SDL_PIXELFORMAT_RGB888, &pixel, 4) != 0) {
    ADD_FAILURE() << "cannot read the window pixel (" << x << ", " << y << "): " << SDL_GetError();
    return ~0u;
  }
  return pixel & 0xFFFFFF;
}

class GameDMTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(game.CreateGame(nullptr, 0, 0)); }
  TempDir dir;
  TestGameDM game{dir.Path()};
};

}  // namespace

TEST_F(GameDMTest, CreateGameSetsUpTheFrame) {
  EXPECT_EQ(game.GetMainTimerPeriod(), 50u);
  int w = 0, h = 0;
  game.GetDevice()->GetSize(w, h);
  EXPECT_EQ(w, 1024);
  EXPECT_EQ(h, 768);
  EXPECT_EQ(game.GetBackSurface()->GetWidth(), 1024);
  EXPECT_EQ(game.GetCurrentSceneIndex(), 0);
  EXPECT_NE(game.GetSound(), nullptr);
  EXPECT_TRUE(fs::exists(dir / "nofirst.ctl"));
}

TEST_F(GameDMTest, FramePresentsThePictureWithTheCursorInTheTextureOnly) {
  GSurface* arrow = game.GetDevice()->AddSurface();
  ASSERT_TRUE(arrow->Create(4, 4));
  arrow->FillRect(0, 0, 4, 4, 0xFF0000);
  game.defaultCursor = game.GetDevice()->AddPicture(arrow, 1, 1);
  game.SetCursorPosition(600, 100);

  game.PlatformTimer();
  ASSERT_EQ(game.Device()->frames, 1);
  auto* renderer = static_cast<GDeviceSDL*>(game.GetDevice())->GetRenderer();
  // The picture fills the 1024 x 768 dummy desktop: white frame, white bar,
  // the red cursor with its pivot on the cursor position.
  EXPECT_EQ(WindowPixel(renderer, 0, 0), 0xFFFFFFu);
  EXPECT_EQ(WindowPixel(renderer, 20, 300), 0xFFFFFFu);
  EXPECT_EQ(WindowPixel(renderer, 599, 99), 0xFF0000u);
  EXPECT_EQ(WindowPixel(renderer, 602, 102), 0xFF0000u);
  EXPECT_NE(WindowPixel(renderer, 603, 103), 0xFF0000u);
  // The back surface never receives the cursor.
  SURFACE_RGB rgb;
  game.GetBackSurface()->GetPixelRGB(600, 100, &rgb);
  EXPECT_LT(rgb.r, 0.5f);
  EXPECT_FALSE(game.GetBackSurface()->IsModified());

  // The cursor moved: the next frame shows it only at the new place.
  game.SetCursorPosition(700, 100);
  game.PlatformTimer();
  EXPECT_NE(WindowPixel(renderer, 600, 100), 0xFF0000u);
  EXPECT_EQ(WindowPixel(renderer, 700, 100), 0xFF0000u);
}

TEST_F(GameDMTest, AFrameWithoutBackBufferIsSkipped) {
  game.Device()->refuseLock = true;
  game.PlatformTimer();
  EXPECT_EQ(game.Device()->frames, 0);
  game.Device()->refuseLock = false;
  game.PlatformTimer();
  EXPECT_EQ(game.Device()->frames, 1);
}

TEST_F(GameDMTest, SavedGamesLiveInTheDataFolder) {
  EXPECT_EQ(std::string(game.GetPathToSavedGame().c_str()), dir / "Save/");
  EXPECT_TRUE(fs::is_directory(dir / "Save"));
  fs::remove(dir / "Save");
  EXPECT_EQ(std::string(game.GetPathToSavedGame().c_str()), dir / "Save/");
  EXPECT_FALSE(fs::exists(dir / "Save"));
}

TEST_F(GameDMTest, WithoutDriveFoldersTheMediaPathsAreEmpty) {
  CFerroString image = game.GetPathToImage();
  EXPECT_TRUE(image.IsEmpty());
  EXPECT_TRUE(game.GetPathToSound().IsEmpty());
  FILE_DATA data;
  EXPECT_FALSE(game.GetPlatform()->LoadFile((image + "brick.png").c_str(), &data));
  EXPECT_FALSE(fs::exists(dir / "image.vdt"));
  EXPECT_FALSE(fs::exists(dir / "sound.vdd"));
}

namespace {

// Every file of the game folder's vdd/<drive> loads through the drive's prefix with its bytes.
void ExpectDriveHoldsSource(GGame& game, const fs::path& folder, const char* drive,
                            const CFerroString& prefix) {
  int files = 0;
  for (const auto& entry : fs::directory_iterator(folder / "vdd" / drive)) {
    ++files;
    EXPECT_EQ(Load(*game.GetPlatform(), (prefix + entry.path().filename().c_str()).c_str()),
              ReadText(entry.path()))
        << entry.path();
  }
  EXPECT_GT(files, 0);
}

}  // namespace

TEST(GameDMDrives, FirstLaunchBuildsBothDrivesAndLaterStartsMountThem) {
  const char* source = std::getenv("DIGMAZE_SOURCE_DIR");
  ASSERT_NE(source, nullptr);
  TempDir dir;
  fs::copy(fs::path(source) / "data/vdd", dir / "vdd", fs::copy_options::recursive);
  const char* names[] = {"image.vdt", "image.vdd", "sound.vdt", "sound.vdd"};

  std::vector<Stamp> firstLaunch;
  for (int start = 0; start < 2; ++start) {
    SCOPED_TRACE(start == 0 ? "first launch" : "second launch");
    {
      TestGameDM game(dir.Path());
      ASSERT_TRUE(game.CreateGame(nullptr, 0, 0));
      // Both drives are there as soon as the game is up.
      EXPECT_STREQ(game.GetPathToImage().c_str(), ":0/");
      EXPECT_STREQ(game.GetPathToSound().c_str(), ":1/");
      ExpectDriveHoldsSource(game, dir.Path(), "image", game.GetPathToImage());
      ExpectDriveHoldsSource(game, dir.Path(), "sound", game.GetPathToSound());
    }
    // The second start writes nothing: sizes and (aged) times stay those of the first launch.
    for (size_t i = 0; i < std::size(names); ++i) {
      if (start == 0) Age(dir / names[i]);
      if (start == 0) firstLaunch.push_back(StampOf(dir / names[i]));
      EXPECT_EQ(StampOf(dir / names[i]), firstLaunch[i]) << names[i];
    }
  }
}

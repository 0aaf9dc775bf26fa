#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "GUI/graphics/GDevice16SDL.h"
#include "GUI/graphics/GImage.h"
#include "GUI/graphics/GSurface.h"
#include "GUI/sound/GSoundBass.h"
#include "game/app/CGameSettings.h"
#include "game/app/GButtonDM.h"
#include "game/app/GGameDM.h"
#include "game/model/GModelMedia.h"
#include "tests/support/GameAppFixture.h"
#include "tests/support/Geometry.h"
#include "tests/support/Scoped.h"

namespace fs = std::filesystem;

namespace {

class GameDMTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(game.CreateGame(nullptr, 0, 0)); }
  TempDir dir;
  TestGameDM game{dir.Path()};
};

}  // namespace

TEST_F(GameDMTest, AFrameWithoutBackBufferIsSkipped) {
  game.Device()->refuseLock = true;
  game.PlatformTimer();
  EXPECT_EQ(game.Device()->frames, 0);
  game.Device()->refuseLock = false;
  game.PlatformTimer();
  EXPECT_EQ(game.Device()->frames, 1);
}

namespace {

// The game on its still start scene with cursors of its own: 8 x 8 with the
// pivot at (2, 3), the last column transparent and the rest half transparent,
// so what lies below shows through and a cursor blended twice would show.
// Only the events a test sends reach the loop: no ticks, none of the window's own.
class FrameTest : public GameDMTest {
 protected:
  void SetUp() override {
    GameDMTest::SetUp();
    game.KillMainTimer();
    SDL_PumpEvents();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    arrow = MakeCursor(0xFF0000);
    other = MakeCursor(0x00FFFF);
    game.defaultCursor = arrow;
    game.SetCursorPosition(600, 100);
    game.PlatformTimer();
    ASSERT_EQ(game.Device()->frames, 1) << "the first frame is presented";
  }

  GImage* MakeCursor(unsigned color) {
    GSurface* s = game.GetDevice()->AddSurface();
    s->Create(8, 8);
    s->FillRect(0, 0, 8, 8, color);
    for (int y = 0; y < 8; ++y) s->MaskTransparentPixel(y * 8 + 7);
    s->ChangeAlpha(-0.5f);
    return game.GetDevice()->AddPicture(s, 2, 3);
  }

  const GDeviceSDL& Shown() { return *static_cast<GDeviceSDL*>(game.GetDevice()); }
  // The window told it was shown, resized, moved...: the loop runs on it.
  std::function<void()> Window(Uint8 kind) {
    return [this, kind] {
      SDL_Event window{};
      window.type = SDL_WINDOWEVENT;
      window.window.event = kind;
      SDL_PushEvent(&window);
      PlayUntilClosed(game);
      game.GetPlatform()->QuitCancel();
    };
  }

  GImage* arrow = nullptr;
  GImage* other = nullptr;
};

}  // namespace

TEST_F(FrameTest, PresentsOnlyChangesUploadsOnlyThemAndShowsWhatAFullUploadShows) {
  GSurface* back = game.GetBackSurface();
  // The cursor is drawn in the texture only, not into the back surface.
  EXPECT_FALSE(back->IsModified());
  SURFACE_RGB rgb;
  back->GetPixelRGB(598, 97, &rgb);
  EXPECT_LT(rgb.r, 0.5f);
  // The cursor at (600, 100) covers (598, 97)-(606, 105); at (1023, 767) it
  // is cut by the picture's corner. (The presenter's own tests move it about.)
  const CFerroRect corner(1021, 764, 1024, 768);
  struct Case {
    const char* change;
    std::function<void()> apply;
    std::vector<CFerroRect> uploaded;  // none: nothing is presented
  };
  const Case cases[] = {
      {"nothing", [] {}, {}},
      {"two drawings away from the cursor, far apart: each alone",
       [&] {
         back->FillRect(10, 10, 20, 20, 0x0000FF);
         back->FillRect(900, 600, 10, 10, 0x0000FF);
       },
       {CFerroRect(10, 10, 30, 30), CFerroRect(900, 600, 910, 610)}},
      // A scene that draws an area again as it was (the game scene draws its
      // whole map every tick) sends on only the pixels that changed.
      {"the same drawing with one pixel changed",
       [&] {
         back->FillRect(0, 0, 40, 40, 0x000000);
         back->FillRect(10, 10, 20, 20, 0x0000FF);
         back->FillRect(15, 16, 1, 1, 0xFF00FF);
       },
       {CFerroRect(15, 16, 16, 17)}},
      {"a drawing under the cursor",
       [&] { back->FillRect(590, 90, 12, 12, 0x0000FF); },
       {CFerroRect(590, 90, 602, 102)}},
      {"a move into the corner",
       [&] { game.SetCursorPosition(1023, 767); },
       {CFerroRect(598, 97, 606, 105), corner}},
      {"another cursor image", [&] { game.defaultCursor = other; }, {corner}},
      {"a hidden cursor", [&] { game.ShowCursor(false); }, {corner}},
      {"the cursor shown", [&] { game.ShowCursor(true); }, {corner}},
      // A window shown again is presented in full (resized, the e2e scale
      // script walks it); moved, not at all.
      {"exposed", Window(SDL_WINDOWEVENT_EXPOSED), {CFerroRect(0, 0, 1024, 768)}},
      {"moved", Window(SDL_WINDOWEVENT_MOVED), {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.change);
    const int before = game.Device()->frames;
    game.Device()->uploaded.clear();
    c.apply();
    // One present at most; then the picture is still again.
    for (int tick = 0; tick < 3; ++tick) game.PlatformTimer();
    EXPECT_EQ(game.Device()->frames - before, c.uploaded.empty() ? 0 : 1);
    EXPECT_EQ(game.Device()->uploaded, c.uploaded);
    const std::vector<Uint32> partial = WindowPixels(Shown());
    game.GetDevice()->RequestFullPresent();
    game.PlatformTimer();
    const std::vector<Uint32> full = WindowPixels(Shown());
    ASSERT_EQ(std::pair(partial.size(), full.size()),
              std::pair(size_t{1024 * 768}, size_t{1024 * 768}));
    const size_t first =
        std::mismatch(partial.begin(), partial.end(), full.begin()).first - partial.begin();
    EXPECT_EQ(first, full.size()) << "differs at (" << first % 1024 << ", " << first / 1024 << ")";
  }
}

// The first application of a program makes the rules' lists of frames, which
// read their pictures as they are made; the application must not read them a
// second time. A later application reads them again from its own device: both
// end with one set. (ctest runs every test in a program of its own.) The
// main menu shows main.png, decoded while the window was made.
TEST(GameDMMedia, TheRulesPicturesAreReadOncePerApplication) {
  GameFolder folder(true);
  int surfaces[2] = {};
  for (int& count : surfaces) {
    TestGameDM game(folder.Path());
    ASSERT_TRUE(game.CreateGame(nullptr, 0, 0));
    count = game.GetDevice()->GetSurfaceCount();
    const std::string file = ReadText(SourceDir() / "data/vdd/image/main.png");
    GSurface* read = game.GetDevice()->AddSurface();
    ASSERT_TRUE(read->Load(reinterpret_cast<const unsigned char*>(file.data()),
                           static_cast<int>(file.size())));
    GSurface* shown = static_cast<GDialog*>(game.GetScene(SCENE_MENU))->GetBackground();
    ASSERT_NE(shown, nullptr);
    int w = 0, h = 0;
    shown->GetSize(w, h);
    ASSERT_EQ(std::pair(w, h), std::pair(1024, 768));
    const auto want = read->ConvertationToArray32(), got = shown->ConvertationToArray32();
    EXPECT_TRUE(std::equal(want.get(), want.get() + w * h, got.get()));
    EXPECT_FALSE(game.TakeMenuPicture().pixels) << "taken by the menu";
    game.GetDevice()->DeleteSurface(read);
  }
  EXPECT_EQ(surfaces[0], surfaces[1]);
}

// Drives whose build fails (on a source entry that cannot be read) leave the
// media paths empty and nothing is loaded, not even from the working
// directory, where both files would load by their bare names; a drive that
// cannot be built is not tried again in the same run.
TEST(GameDMDrives, ADriveThatCannotBeConnectedIsTriedOnceARun) {
  TempDir work, dir;
  fs::copy(SourceDir() / "data/vdd/image/main.png", work / "main.png");
  fs::copy(SourceDir() / "data/vdd/sound/hole.wav", work / "hole.wav");
  const fs::path before = fs::current_path();
  ScopeExit back([&before] { fs::current_path(before); });
  fs::current_path(work.Path());
  for (const char* drive : {"image", "sound"}) {
    const fs::path sources = fs::path(dir / "vdd") / drive;
    fs::create_directories(sources);
    fs::create_symlink(dir / "missing.png", sources / "broken.png");
  }
  TestGameDM game(dir.Path());
  ASSERT_TRUE(game.CreateGame(nullptr, 0, 0));
  EXPECT_TRUE(game.GetPathToImage().IsEmpty() && game.GetPathToSound().IsEmpty());
  EXPECT_FALSE(fs::exists(dir / "image.vdt") || fs::exists(dir / "sound.vdd"));
  const int lookups = game.Platform()->tableLookups, opens = game.Platform()->hostOpens;
  EXPECT_GE(lookups, 2);
  for (int load = 0; load < 20; ++load) {
    EXPECT_EQ(GModelMedia::LoadImage("main.png"), nullptr);
    EXPECT_EQ(GModelMedia::LoadSound("hole.wav"), -1);
  }
  EXPECT_EQ(game.Platform()->tableLookups, lookups);
  EXPECT_EQ(game.Platform()->hostOpens, opens) << "a loader opened a file";
}

// The player's maps are copied into his own folder on first use (every
// editor test starts from that copy); a per-user folder that cannot be
// written (a file in its place stops root too) leaves the shipped maps to play.
TEST(GameDMMapsTest, APerUserFolderThatCannotBeWrittenLeavesTheShippedMapsToPlay) {
  GameFolder shipped;
  TempDir dir;
  ASSERT_TRUE(WriteText(dir / "file", ""));
  TestGameDM game(shipped.Path(), dir / "file/");
  ASSERT_TRUE(game.CreateGame(nullptr, 0, 0));
  EXPECT_STREQ(game.GetPathToMaps().c_str(), (shipped / "Maps/").c_str());
}

// The settings file reaches the game: full screen or a window and its size,
// and the sound, which M, over a dialog too, switches on (and off: the
// demonstration test); the next start begins as the player left them. A
// value the game cannot use is said once, on standard error and in the error
// log, and costs only its own key: the file is left as it is while nothing
// changes, and is then written with the player's settings and every line the
// game does not know. A file that is no settings text is said too, and
// replaced by the defaults.
TEST(GameDMSettings, TheFileReachesTheGameAndKeepsWhatItDoesNotKnow) {
  TempDir dir;
  const std::string file = dir / CGameSettings::kFileName;
  const std::string text =
      "[display]\r\nscale = blurry\r\nfullscreen = yes\r\n[mods]\r\nspeed = 3\r\n"
      "[sound]\r\nvolume = 50\r\nmute = yes\r\n";
  // Starts the game, which must show a window of width x height (0: full
  // screen) at the volume, lets act play, quits; what the game said.
  const auto play = [&dir](int width, int height, float volume,
                           const std::function<void(TestGameDM&)>& act) {
    testing::internal::CaptureStderr();
    TestGameDM game{dir.Path()};
    EXPECT_TRUE(game.CreateGame(nullptr, 0, 0));
    int w = 0, h = 0;
    if (!game.GetDevice()->IsFullScreen()) SDL_GetWindowSize(GDeviceSDL::window, &w, &h);
    EXPECT_EQ(std::pair(w, h), std::pair(width, height));
    const GAudioMixer& mixer = static_cast<GSoundBass*>(game.GetSound())->GetMixer();
    EXPECT_NEAR(mixer.IsMuted() ? 0.0f : mixer.GetMasterVolume(), volume, 1e-6);
    act(game);
    PlayUntilClosed(game);
    return testing::internal::GetCapturedStderr();
  };
  ASSERT_TRUE(WriteText(file, text));
  std::string said = play(0, 0, 0.0f, [](TestGameDM&) {});
  EXPECT_EQ(said.find("blurry"), said.rfind("blurry")) << said;
  EXPECT_NE(said.find("the value \"blurry\" of scale is not"), std::string::npos) << said;
  EXPECT_NE(ReadText(dir / "error.log").find("\"blurry\" of scale"), std::string::npos);
  EXPECT_EQ(ReadText(file), text) << "nothing changed, so the file is left alone";
  play(0, 0, 0.0f, [](TestGameDM& game) {
    GButtonDM::RunCommand(CMD_CREDITS, game.GetScene(SCENE_MENU));
    Press(game, KEY_M);
    EXPECT_NE(game.modal, nullptr) << "M is no key of the dialog";
    while (game.modal) game.modal->EndModal(0);
    game.ToggleFullScreen();
    SDL_SetWindowSize(GDeviceSDL::window, 800, 600);
    game.GetDevice()->OnWindowSizeChanged();
  });
  EXPECT_EQ(ReadText(file),
            "[display]\r\nscale = sharp\r\nfullscreen = no\r\nwindow-width = 800\r\n"
            "window-height = 600\r\n[mods]\r\nspeed = 3\r\n[sound]\r\nvolume = 50\r\nmute = no\r\n"
            "music-volume = 70\r\n[play]\r\nmotion = smooth\r\nspeed = normal\r\n"
            "steering = keep-going\r\n[keys]\r\nleft = Left\r\nright = Right\r\nup = Up\r\n"
            "down = Down\r\ndig = Space\r\nrewind = Backspace\r\n");
  play(800, 600, std::pow(0.5f, 3.5f), [](TestGameDM&) {});

  ASSERT_TRUE(WriteText(file, std::string("[display]\r\n\0", 12)));
  said = play(0, 0, 1.0f, [](TestGameDM&) {});
  EXPECT_NE(said.find("is damaged (it is not a text)"), std::string::npos) << said;
  EXPECT_EQ(ReadText(file), CGameSettings().Format().c_str());
}

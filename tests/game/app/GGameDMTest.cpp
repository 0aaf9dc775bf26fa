#include <SDL.h>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "GUI/graphics/GDevice16SDL.h"
#include "GUI/graphics/GImage.h"
#include "GUI/graphics/GSurface.h"
#include "GUI/platform/GPlatformSDL.h"
#include "GUI/sound/GSound.h"
#include "GUI/sound/GSoundBass.h"
#include "GUI/toolkit/GScene.h"
#include "game/app/CGameSettings.h"
#include "game/app/GButtonDM.h"
#include "game/app/GGameDM.h"
#include "game/model/GModelMedia.h"
#include "tests/support/GameAppFixture.h"
#include "tests/support/HeadlessGame.h"
#include "tests/support/Scoped.h"

namespace fs = std::filesystem;

void PrintTo(const CFerroRect& r, std::ostream* os) {
  *os << "(" << r.left << ", " << r.top << ")-(" << r.right << ", " << r.bottom << ")";
}

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
  // The first picture: the main menu (without its picture here, on black)
  // with a grid line of its first button at (362 + 6 + 9, 154 + 6 + 9), and
  // the cursor with its pivot on the cursor position, in the texture only.
  EXPECT_EQ(WindowPixel(Shown(), 376, 180), 0u);
  EXPECT_NE(WindowPixel(Shown(), 377, 180), 0u);
  EXPECT_EQ(WindowPixel(Shown(), 597, 96), 0u);
  EXPECT_NE(WindowPixel(Shown(), 598, 97), 0u);
  EXPECT_FALSE(back->IsModified());
  SURFACE_RGB rgb;
  back->GetPixelRGB(598, 97, &rgb);
  EXPECT_LT(rgb.r, 0.5f);
  // The cursor starts at (600, 100): its place is (598, 97)-(606, 105). Its
  // places at (604, 104), at (1023, 767) (cut by the picture's corner) and at
  // (300, 300):
  const CFerroRect at604(602, 101, 610, 109), corner(1021, 764, 1024, 768),
      at300(298, 297, 306, 305);
  struct Case {
    const char* change;
    std::function<void()> apply;
    std::vector<CFerroRect> uploaded;  // none: nothing is presented
  };
  const Case cases[] = {
      {"nothing", [] {}, {}},
      {"a drawing away from the cursor",
       [&] { back->FillRect(10, 10, 20, 20, 0x00FF00); },
       {CFerroRect(10, 10, 30, 30)}},
      // A scene that draws an area again as it was (the whole scene drawn
      // again after a dialog closed) sends on only the pixels that changed.
      {"the same drawing again", [&] { back->FillRect(10, 10, 20, 20, 0x00FF00); }, {}},
      {"the same drawing with one pixel changed",
       [&] {
         back->FillRect(0, 0, 40, 40, 0x000000);
         back->FillRect(10, 10, 20, 20, 0x00FF00);
         back->FillRect(15, 16, 1, 1, 0xFF00FF);
       },
       {CFerroRect(15, 16, 16, 17)}},
      {"two drawings far apart: each alone",
       [&] {
         back->FillRect(10, 10, 20, 20, 0x0000FF);
         back->FillRect(900, 600, 10, 10, 0x0000FF);
       },
       {CFerroRect(10, 10, 30, 30), CFerroRect(900, 600, 910, 610)}},
      {"a drawing under the cursor",
       [&] { back->FillRect(590, 90, 12, 12, 0x0000FF); },
       {CFerroRect(590, 90, 602, 102)}},
      {"a move overlapping the old place",
       [&] { game.SetCursorPosition(604, 104); },
       {CFerroRect(598, 97, 610, 109)}},
      {"a move into the corner", [&] { game.SetCursorPosition(1023, 767); }, {at604, corner}},
      {"a drawing there and a move away",
       [&] {
         back->FillRect(1000, 700, 100, 100, 0x00FF00);
         game.SetCursorPosition(300, 300);
       },
       {CFerroRect(1000, 700, 1024, 768), at300}},
      {"another cursor image", [&] { game.defaultCursor = other; }, {at300}},
      {"a hidden cursor", [&] { game.ShowCursor(false); }, {at300}},
      {"a line across and the cursor shown",
       [&] {
         back->DrawLine(0, 0, 1023, 767, 0xFFFF00);
         game.ShowCursor(true);
       },
       {CFerroRect(0, 0, 1024, 768)}},
      {"a full present request",
       [&] { game.GetDevice()->RequestFullPresent(); },
       {CFerroRect(0, 0, 1024, 768)}},
      // A window shown again is presented in full; moved or unfocused, not at all.
      {"exposed", Window(SDL_WINDOWEVENT_EXPOSED), {CFerroRect(0, 0, 1024, 768)}},
      {"size changed", Window(SDL_WINDOWEVENT_SIZE_CHANGED), {CFerroRect(0, 0, 1024, 768)}},
      {"shown", Window(SDL_WINDOWEVENT_SHOWN), {CFerroRect(0, 0, 1024, 768)}},
      {"restored", Window(SDL_WINDOWEVENT_RESTORED), {CFerroRect(0, 0, 1024, 768)}},
      {"focus lost", Window(SDL_WINDOWEVENT_FOCUS_LOST), {}},
      {"moved", Window(SDL_WINDOWEVENT_MOVED), {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.change);
    const int before = game.Device()->frames;
    const int presents = c.uploaded.empty() ? 0 : 1;
    c.apply();
    // One present at most; then the picture is still again.
    for (int tick = 0; tick < 3; ++tick) game.PlatformTimer();
    EXPECT_EQ(game.Device()->frames - before, presents);
    if (presents) {
      EXPECT_EQ(game.Device()->uploaded, c.uploaded);
    }
    const std::vector<Uint32> partial = WindowPixels(Shown());
    game.GetDevice()->RequestFullPresent();
    game.PlatformTimer();
    const std::vector<Uint32> full = WindowPixels(Shown());
    ASSERT_EQ(full.size(), 1024u * 768u);
    ASSERT_EQ(partial.size(), full.size());
    size_t differing = 0, first = 0;
    for (size_t i = full.size(); i-- > 0;)
      if (partial[i] != full[i]) {
        ++differing;
        first = i;
      }
    EXPECT_EQ(differing, 0u) << "first at (" << first % 1024 << ", " << first / 1024 << ")";
  }
}

// The first application of a program makes the rules' lists of frames, which
// read their pictures as they are made; the application must not read them a
// second time. A later application reads them again from its own device: both
// end with one set. (ctest runs every test in a program of its own.)
TEST(GameDMMedia, TheRulesPicturesAreReadOncePerApplication) {
  GameFolder folder(true);
  int surfaces[2] = {};
  for (int& count : surfaces) {
    TestGameDM game(folder.Path());
    ASSERT_TRUE(game.CreateGame(nullptr, 0, 0));
    count = game.GetDevice()->GetSurfaceCount();
  }
  EXPECT_EQ(surfaces[0], surfaces[1]);
}

TEST_F(GameDMTest, SavedGamesLiveInTheDataFolder) {
  EXPECT_EQ(std::string(game.GetPathToSavedGame().c_str()), dir / "Save/");
  EXPECT_TRUE(fs::is_directory(dir / "Save"));
  fs::remove(dir / "Save");
  EXPECT_EQ(std::string(game.GetPathToSavedGame().c_str()), dir / "Save/");
  EXPECT_FALSE(fs::exists(dir / "Save"));
}

// Without drives the media paths are empty and nothing is loaded, not even
// from the working directory, where both files would load by their bare
// names; a drive that cannot be built is not tried again in the same run.
TEST(GameDMDrives, ADriveThatCannotBeConnectedIsTriedOnceARun) {
  TempDir work;
  fs::copy(SourceDir() / "data/vdd/image/main.png", work / "main.png");
  fs::copy(SourceDir() / "data/vdd/sound/hole.wav", work / "hole.wav");
  const fs::path before = fs::current_path();
  ScopeExit back([&before] { fs::current_path(before); });
  fs::current_path(work.Path());
  struct Case {
    const char* why;
    std::function<void(const fs::path&)> prepare;
  };
  const Case cases[] = {
      {"no source folders", [](const fs::path&) {}},
      // The build starts and fails on a source entry that cannot be read.
      {"sources that cannot be copied",
       [](const fs::path& game) {
         for (const char* drive : {"image", "sound"}) {
           fs::create_directories(game / "vdd" / drive);
           fs::create_symlink(game / "missing.png", game / "vdd" / drive / "broken.png");
         }
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    TempDir dir;
    c.prepare(dir.Path());
    TestGameDM game(dir.Path());
    ASSERT_TRUE(game.CreateGame(nullptr, 0, 0));
    EXPECT_TRUE(game.GetPathToImage().IsEmpty());
    EXPECT_TRUE(game.GetPathToSound().IsEmpty());
    EXPECT_FALSE(fs::exists(dir / "image.vdt"));
    EXPECT_FALSE(fs::exists(dir / "sound.vdd"));
    // Both drives were tried while the game came up.
    const int lookups = game.Platform()->tableLookups, opens = game.Platform()->hostOpens;
    EXPECT_GE(lookups, 2);
    for (int load = 0; load < 20; ++load) {
      EXPECT_EQ(GModelMedia::LoadImage("main.png"), nullptr);
      EXPECT_EQ(GModelMedia::LoadSound("hole.wav"), -1);
    }
    EXPECT_EQ(game.Platform()->tableLookups, lookups);
    EXPECT_EQ(game.Platform()->hostOpens, opens) << "a loader opened a file";
  }
}

TEST(GameDMDrives, FirstLaunchBuildsBothDrivesAndLaterStartsMountThem) {
  TempDir dir;
  fs::copy(SourceDir() / "data/vdd", dir / "vdd", fs::copy_options::recursive);
  const char* names[] = {"image.vdt", "image.vdd", "sound.vdt", "sound.vdd"};

  std::vector<Stamp> firstLaunch;
  for (int start = 0; start < 2; ++start) {
    SCOPED_TRACE(start == 0 ? "first launch" : "second launch");
    {
      TestGameDM game(dir.Path());
      ASSERT_TRUE(game.CreateGame(nullptr, 0, 0));
      // Both drives are there as soon as the game is up (the e2e drives
      // script checks what they hold).
      EXPECT_STREQ(game.GetPathToImage().c_str(), ":0/");
      EXPECT_STREQ(game.GetPathToSound().c_str(), ":1/");
    }
    // The second start writes nothing: sizes and (aged) times stay those of the first launch.
    for (size_t i = 0; i < std::size(names); ++i) {
      if (start == 0) Age(dir / names[i]);
      if (start == 0) firstLaunch.push_back(StampOf(dir / names[i]));
      EXPECT_EQ(StampOf(dir / names[i]), firstLaunch[i]) << names[i];
    }
  }
}

TEST(GameDMMapsTest, ThePlayersMapsAreSeededFromTheShippedOnesInHisOwnFolder) {
  const auto tree = [](const fs::path& root) {
    std::vector<std::string> files;
    for (const auto& e : fs::directory_iterator(root))
      files.push_back(e.path().filename().string() + "=" + ReadText(e.path()));
    std::sort(files.begin(), files.end());
    return files;
  };
  GameFolder shipped;
  const auto before = tree(shipped / "Maps");
  ASSERT_GE(before.size(), 2u);  // the levels and the index

  // First use fills the player's folder.
  TempDir user;
  {
    TestGameDM game(shipped.Path(), user.Path());
    ASSERT_TRUE(game.CreateGame(nullptr, 0, 0));
    EXPECT_STREQ(game.GetPathToMaps().c_str(), (user / "Maps/").c_str());
    EXPECT_EQ(tree(user / "Maps"), before);
  }

  // Without shipped maps the player gets an empty folder of his own.
  TempDir bare, user2;
  {
    TestGameDM game(bare.Path(), user2.Path());
    ASSERT_TRUE(game.CreateGame(nullptr, 0, 0));
    EXPECT_STREQ(game.GetPathToMaps().c_str(), (user2 / "Maps/").c_str());
    EXPECT_TRUE(fs::is_directory(user2 / "Maps"));
    EXPECT_FALSE(fs::exists(bare / "Maps"));
  }

  // A per-user folder that cannot be written leaves the shipped maps to play.
  if (geteuid() != 0) {
    TempDir locked;
    chmod(locked.Path().c_str(), 0555);
    ScopeExit unlock([&] { chmod(locked.Path().c_str(), 0755); });
    TestGameDM game(shipped.Path(), locked.Path());
    ASSERT_TRUE(game.CreateGame(nullptr, 0, 0));
    EXPECT_STREQ(game.GetPathToMaps().c_str(), (shipped / "Maps/").c_str());
  }
}

namespace {

std::string Settings(ScaleMode scale, WindowMode windowMode, int w, int h) {
  CGameSettings s;
  s.scale = scale;
  s.windowMode = windowMode;
  s.windowWidth = w;
  s.windowHeight = h;
  return s.Format().c_str();
}

}  // namespace

TEST(GameDMSettings, TheNextStartBeginsWithTheDisplayAsLeftUnlessTheCommandLineSaysOtherwise) {
  TempDir dir;
  const std::string file = dir / CGameSettings::kFileName;
  {
    TestGameDM game{dir.Path()};
    ASSERT_TRUE(game.CreateGame(nullptr, 0, 0));
    EXPECT_TRUE(game.GetDevice()->IsFullScreen());
    EXPECT_EQ(game.GetDevice()->GetScaleMode(), ScaleMode::Sharp);
    // The player switches to a window and makes it 800 x 600.
    game.ToggleFullScreen();
    SDL_SetWindowSize(GDeviceSDL::window, 800, 600);
    game.GetDevice()->OnWindowSizeChanged();
    PlayUntilClosed(game);
  }
  EXPECT_EQ(ReadText(file), Settings(ScaleMode::Sharp, WindowMode::Window, 800, 600));
  {
    TestGameDM game{dir.Path()};
    ASSERT_TRUE(game.CreateGame(nullptr, 0, 0));
    EXPECT_FALSE(game.GetDevice()->IsFullScreen());
    int w = 0, h = 0;
    SDL_GetWindowSize(GDeviceSDL::window, &w, &h);
    EXPECT_EQ(w * 10000 + h, 800 * 10000 + 600);
    EXPECT_EQ(game.GetDevice()->GetTransform().GetDestination(), CFerroRect(0, 0, 800, 600));
    Age(file);
    const Stamp before = StampOf(file);
    PlayUntilClosed(game);
    EXPECT_EQ(StampOf(file), before) << "an unchanged display is not written again";
  }
  {
    TestGameDM game{dir.Path()};
    game.RequestDisplay(WindowMode::FullScreen, ScaleMode::Integer);
    ASSERT_TRUE(game.CreateGame(nullptr, 0, 0));
    EXPECT_TRUE(game.GetDevice()->IsFullScreen());
    EXPECT_EQ(game.GetDevice()->GetScaleMode(), ScaleMode::Integer);
    PlayUntilClosed(game);
  }
  EXPECT_EQ(ReadText(file), Settings(ScaleMode::Integer, WindowMode::FullScreen, 800, 600))
      << "the window keeps its size for the next time";
}

TEST(GameDMSettings, ADamagedFileIsReportedOnceAndWrittenAnew) {
  TempDir dir;
  const std::string file = dir / CGameSettings::kFileName;
  ASSERT_TRUE(WriteText(file, "[display]\r\nfullscreen = no\r\nscale = blurry\r\n"));
  for (int run = 0; run < 2; ++run) {
    SCOPED_TRACE(run);
    testing::internal::CaptureStderr();
    TestGameDM game{dir.Path()};
    ASSERT_TRUE(game.CreateGame(nullptr, 0, 0));
    const std::string said = testing::internal::GetCapturedStderr();
    const std::string report = "the settings file " + file +
                               " is damaged (the value \"blurry\" of scale is not sharp, integer "
                               "or off); the default settings are used";
    EXPECT_EQ(said.find(report) != std::string::npos, run == 0) << said;
    EXPECT_TRUE(game.GetDevice()->IsFullScreen()) << "nothing is taken from a damaged file";
    EXPECT_EQ(game.GetDevice()->GetScaleMode(), ScaleMode::Sharp);
    PlayUntilClosed(game);
    EXPECT_EQ(ReadText(file), CGameSettings().Format().c_str());
  }
}

// The sound's volume comes from the settings file and reaches the mixer;
// M, in any scene and over any dialog, switches all sound off and on again,
// and the next start begins as the player left it. Ctrl+M is not M.
TEST(GameDMSettings, TheVolumeReachesTheMixerAndMIsKeptForTheNextStart) {
  TempDir dir;
  const std::string file = dir / CGameSettings::kFileName;
  CGameSettings half;
  half.volume = 50;
  ASSERT_TRUE(WriteText(file, half.Format().c_str()));
  for (bool mutedAtStart : {false, true}) {
    SCOPED_TRACE(mutedAtStart ? "the second start" : "the first start");
    TestGameDM game{dir.Path()};
    ASSERT_TRUE(game.CreateGame(nullptr, 0, 0));
    GAudioMixer& mixer = static_cast<GSoundBass*>(game.GetSound())->GetMixer();
    const float loudness = std::pow(0.5f, 3.5f);
    EXPECT_NEAR(mixer.GetMasterVolume(), mutedAtStart ? 0.0f : loudness, 1e-6);
    GButtonDM::RunCommand(CMD_CREDITS, game.GetScene(SCENE_MENU));
    Press(game, KEY_M);
    EXPECT_NEAR(mixer.GetMasterVolume(), mutedAtStart ? loudness : 0.0f, 1e-6);
    EXPECT_NE(game.modal, nullptr) << "M is no key of the dialog";
    game.PlatformKeyDown(KEY_LCONTROL, 0);
    Press(game, KEY_M);
    game.PlatformKeyUp(KEY_LCONTROL);
    EXPECT_NEAR(mixer.GetMasterVolume(), mutedAtStart ? loudness : 0.0f, 1e-6);
    while (game.modal) game.modal->EndModal(0);
    if (!mutedAtStart) {
      game.SetScene(SCENE_EDITOR);
      Press(game, KEY_M);
      Press(game, KEY_M);
      EXPECT_EQ(game.GetSound()->GetMasterVolume(), 0) << "twice in the editor: off again";
    }
    PlayUntilClosed(game);
    CGameSettings kept = half;
    kept.muted = !mutedAtStart;
    EXPECT_EQ(ReadText(file), kept.Format().c_str());
  }
}

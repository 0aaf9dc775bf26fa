#include "game/app/CGameSettings.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "tests/support/Files.h"

namespace {

CGameSettings Make(ScaleMode scale, WindowMode windowMode, int width, int height, int volume,
                   bool muted) {
  CGameSettings s;
  s.scale = scale;
  s.windowMode = windowMode;
  s.windowWidth = width;
  s.windowHeight = height;
  s.volume = volume;
  s.muted = muted;
  return s;
}
CGameSettings Custom() {
  return Make(ScaleMode::Integer, WindowMode::Window, 1366, 700, 35, true);
}

TEST(CGameSettings, TheFileIsWrittenByteForByteAndReadsBack) {
  EXPECT_EQ(std::string(CGameSettings().Format().c_str()),
            "; The settings of Digmaze, written by the game when it ends.\r\n"
            "[display]\r\n"
            "scale = sharp\r\n"
            "fullscreen = yes\r\n"
            "window-width = 1024\r\n"
            "window-height = 768\r\n"
            "[sound]\r\n"
            "volume = 100\r\n"
            "mute = no\r\n");
  const CFerroString text = Custom().Format();
  CGameSettings read;
  CFerroString why;
  ASSERT_TRUE(read.Parse(text.c_str(), text.GetLength(), why)) << why.c_str();
  EXPECT_EQ(read, Custom());
}

TEST(CGameSettings, TextsAreReadByTheSettingsFormatAndUnknownLinesPassedOver) {
  const struct {
    const char* why;
    std::string text;
    CGameSettings want;
  } cases[] = {
      {"without '=' and with LF line ends", "[display]\nscale off\nwindow-width 800\n",
       Make(ScaleMode::Off, WindowMode::FullScreen, 800, 768, 100, false)},
      {"a later version's keys and sections",
       "[sound]\r\nvolume = 80\r\nmute-music = yes\r\n[display]\r\nscale-x = 9\r\n"
       "scale = integer\r\nbrightness = 3\r\n  window-height = 600 ; half\r\n[more]\r\n"
       "fullscreen = no\r\nmute = yes\r\n",
       Make(ScaleMode::Integer, WindowMode::FullScreen, 1024, 600, 80, false)},
      {"keys in comments and outside their section",
       "fullscreen = no\r\n; scale = off\r\n[display]\r\nfullscreen = no ; a window\r\n"
       "mute = yes\r\n[sound]\r\nscale = off\r\nmute = yes\r\nvolume = 0\r\n",
       Make(ScaleMode::Sharp, WindowMode::Window, 1024, 768, 0, true)},
      {"no keys at all, as an earlier version's file has no sound", "[display]\r\n",
       CGameSettings()},
  };
  // Keys a text lacks keep what the object held: the defaults here.
  for (const auto& c : cases) {
    CGameSettings read;
    CFerroString why;
    ASSERT_TRUE(read.Parse(c.text.data(), static_cast<int>(c.text.size()), why))
        << c.why << ": " << why.c_str();
    EXPECT_EQ(read, c.want) << c.why;
  }
}

TEST(CGameSettings, DamagedTextsAreRefusedWithTheirReason) {
  const std::string tooLarge = "[display]\r\n" + std::string(CGameSettings::kMaxFileSize, ' ');
  const struct {
    std::string text, why;
  } cases[] = {
      {"", "it has no [display] section"},
      {"scale = off\r\n[displays]\r\n", "it has no [display] section"},
      {std::string("[display]\r\n\0scale", 16), "it is not a text"},
      {tooLarge, "it is larger than 64 KiB"},
      {"[display]\r\nscale = blurry\r\n",
       "the value \"blurry\" of scale is not sharp, integer or off"},
      {"[display]\r\nscale =\r\n", "the value \"\" of scale is not sharp, integer or off"},
      {"[display]\r\nfullscreen = 1\r\n", "the value \"1\" of fullscreen is not yes or no"},
      {"[display]\r\nwindow-width = 0\r\n",
       "the value \"0\" of window-width is not a size from 1 to 100000"},
      {"[display]\r\nwindow-height = 100001\r\n",
       "the value \"100001\" of window-height is not a size from 1 to 100000"},
      {"[display]\r\nwindow-width = 80a\r\n",
       "the value \"80a\" of window-width is not a size from 1 to 100000"},
      {"[display]\r\n[sound]\r\nvolume = 101\r\n",
       "the value \"101\" of volume is not a volume from 0 to 100"},
      {"[sound]\r\nvolume = -1\r\n[display]\r\n",
       "the value \"-1\" of volume is not a volume from 0 to 100"},
      {"[display]\r\n[sound]\r\nmute = off\r\n", "the value \"off\" of mute is not yes or no"},
      {"[sound]\r\nvolume = 50\r\n", "it has no [display] section"},
  };
  for (const auto& c : cases) {
    CGameSettings read = Custom();
    CFerroString why;
    EXPECT_FALSE(read.Parse(c.text.data(), static_cast<int>(c.text.size()), why)) << c.why;
    EXPECT_EQ(std::string(why.c_str()), c.why);
    EXPECT_EQ(read, Custom()) << c.why << ": nothing is taken from a damaged text";
  }
}

TEST(CGameSettings, LoadAndSave) {
  TempDir dir;
  const std::string path = dir / "settings.cfg";
  CGameSettings settings = Custom();
  CFerroString why;
  EXPECT_EQ(settings.Load(path.c_str(), why), CGameSettings::LoadResult::Missing);
  EXPECT_EQ(settings, CGameSettings()) << "the defaults";

  ASSERT_TRUE(Custom().Save(path.c_str()));
  EXPECT_EQ(ReadText(path), Custom().Format().c_str());
  EXPECT_EQ(settings.Load(path.c_str(), why), CGameSettings::LoadResult::Loaded);
  EXPECT_EQ(settings, Custom());

  ASSERT_TRUE(WriteText(path, "[display]\r\nfullscreen = maybe\r\n"));
  EXPECT_EQ(settings.Load(path.c_str(), why), CGameSettings::LoadResult::Damaged);
  EXPECT_EQ(settings, CGameSettings());
  EXPECT_STREQ(why.c_str(), "the value \"maybe\" of fullscreen is not yes or no");
  ASSERT_TRUE(WriteText(path, "[display]\r\n" + std::string(70000, ';')));
  EXPECT_EQ(settings.Load(path.c_str(), why), CGameSettings::LoadResult::Damaged);

  errno = 0;
  EXPECT_FALSE(Custom().Save((dir / "missing/settings.cfg").c_str()));
  EXPECT_EQ(errno, ENOENT);
}

}  // namespace

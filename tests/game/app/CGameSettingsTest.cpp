#include "game/app/CGameSettings.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "tests/support/Files.h"

namespace {

const CGameSettings kCustom{ScaleMode::Integer, WindowMode::Window, 1366, 700, 35, true};

bool Parse(const std::string& text, CGameSettings& read, CFerroString& why) {
  return read.Parse(text.data(), static_cast<int>(text.size()), why);
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
  CGameSettings read;
  CFerroString why;
  ASSERT_TRUE(Parse(kCustom.Format().c_str(), read, why)) << why.c_str();
  EXPECT_EQ(read, kCustom);
}

// Keys a text lacks keep what the object held (the defaults here); LF line ends,
// lines without '=', keys of a later version, comments and keys outside their
// section are passed over, so an older game still reads a newer file.
TEST(CGameSettings, UnknownLinesArePassedOver) {
  const std::string text =
      "fullscreen = no\n; scale = off\n[display]\nscale-x = 9\nscale integer\n"
      "  window-height = 600 ; half\nmute = yes\n[sound]\nscale = off\nvolume = 0\n"
      "mute-music = yes\n[more]\nfullscreen = no\n";
  CGameSettings read;
  CFerroString why;
  ASSERT_TRUE(Parse(text, read, why)) << why.c_str();
  EXPECT_EQ(read, (CGameSettings{ScaleMode::Integer, WindowMode::FullScreen, 1024, 600, 0, false}));
}

TEST(CGameSettings, DamagedTextsAreRefusedWithTheirReason) {
  const std::string size = " is not a size from 1 to 100000";
  const struct {
    std::string text, why;
  } cases[] = {
      {"scale = off\r\n[displays]\r\n", "it has no [display] section"},
      {std::string("[display]\r\n\0scale", 16), "it is not a text"},
      {"[display]\r\n" + std::string(CGameSettings::kMaxFileSize, ' '), "it is larger than 64 KiB"},
      {"[display]\r\nscale =\r\n", "the value \"\" of scale is not sharp, integer or off"},
      {"[display]\r\nfullscreen = 1\r\n", "the value \"1\" of fullscreen is not yes or no"},
      {"[display]\r\nwindow-width = 0\r\n", "the value \"0\" of window-width" + size},
      {"[sound]\r\nvolume = -1\r\n[display]\r\n",
       "the value \"-1\" of volume is not a volume from 0 to 100"},
      {"[display]\r\n[sound]\r\nmute = off\r\n", "the value \"off\" of mute is not yes or no"},
  };
  for (const auto& c : cases) {
    CGameSettings read = kCustom;
    CFerroString why;
    EXPECT_FALSE(Parse(c.text, read, why)) << c.why;
    EXPECT_EQ(std::string(why.c_str()), c.why);
    EXPECT_EQ(read, kCustom) << c.why << ": nothing is taken from a damaged text";
  }
}

// A file that cannot be written is reported. (The game's settings tests walk
// a missing, a damaged and a saved file, and the bytes written.)
TEST(CGameSettings, ASaveThatFailsSaysSo) {
  TempDir dir;
  errno = 0;
  EXPECT_FALSE(kCustom.Save((dir / "missing/settings.cfg").c_str()));
  EXPECT_EQ(errno, ENOENT);
}

}  // namespace

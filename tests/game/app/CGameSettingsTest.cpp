#include "game/app/CGameSettings.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "tests/support/Files.h"

namespace {

// Settings with these values and no text read.
CGameSettings Make(ScaleMode scale, WindowMode mode, int w, int h, int volume, bool muted,
                   int music = 70, CPlayerKeys keys = {}) {
  CGameSettings made;
  made.scale = scale;
  made.windowMode = mode;
  made.windowWidth = w;
  made.windowHeight = h;
  made.volume = volume;
  made.muted = muted;
  made.musicVolume = music;
  made.keys = keys;
  return made;
}

const CGameSettings kCustom = Make(ScaleMode::Integer, WindowMode::Window, 1366, 700, 35, true, 45,
                                   {{KEY_A, KEY_D, KEY_W, KEY_S, KEY_LCONTROL}});

bool Parse(const std::string& text, CGameSettings& read, CFerroString& why) {
  return read.Parse(text.data(), static_cast<int>(text.size()), why);
}

// The values alone, without the text they were read from.
CGameSettings Values(CGameSettings settings) {
  settings.text.clear();
  return settings;
}

TEST(CGameSettings, TheFileIsWrittenByteForByteAndReadsBack) {
  EXPECT_EQ(std::string(CGameSettings().Format().c_str()),
            "; The settings of Digmaze, written by the game.\r\n"
            "[display]\r\n"
            "scale = sharp\r\n"
            "fullscreen = yes\r\n"
            "window-width = 1024\r\n"
            "window-height = 768\r\n"
            "[sound]\r\n"
            "volume = 100\r\n"
            "mute = no\r\n"
            "music-volume = 70\r\n"
            "[keys]\r\n"
            "left = Left\r\n"
            "right = Right\r\n"
            "up = Up\r\n"
            "down = Down\r\n"
            "dig = Space\r\n");
  CGameSettings read;
  CFerroString why;
  ASSERT_TRUE(Parse(kCustom.Format().c_str(), read, why));
  EXPECT_EQ(std::pair(Values(read), std::string(why.c_str())), std::pair(kCustom, std::string()));
  EXPECT_EQ(read.Format(), kCustom.Format()) << "read back, the same text is written";
}

// Each text gives the defaults but for the values named. A key counts only
// in its own section, the first time it stands there, as a whole word at a
// line's start (after blanks); comments, keys of a later version and LF line
// ends are passed over. A value that cannot be used costs only its own key,
// and is named; the ends of every range are taken, one past them is not.
TEST(CGameSettings, ABadValueCostsOnlyItsOwnKey) {
  const std::string notSize = " is not a size from 1 to 100000";
  const struct {
    std::string text;
    CGameSettings want;
    std::string why;
  } cases[] = {
      {"fullscreen = no\n; scale = off\n[display]\nscale-x = 9\nscale integer\n"
       "  window-height = 600 ; half\nmute = yes\n[sound]\nscale = off\nvolume = 0\n"
       "mute-music = yes\n[more]\nfullscreen = no\n[display]\nscale = off\n",
       Make(ScaleMode::Integer, WindowMode::FullScreen, 1024, 600, 0, false), ""},
      {"[display]\r\nscale =\r\nfullscreen = no\r\nwindow-width = 0\r\nwindow-height=100000\r\n"
       "[sound]\r\nvolume = 101\r\nmute = yes\r\n",
       Make(ScaleMode::Sharp, WindowMode::Window, 1024, 100000, 100, true),
       "the value \"\" of scale is not sharp, integer or off; the value \"0\" of window-width" +
           notSize + "; the value \"101\" of volume is not a volume from 0 to 100"},
      {"[display]\r\nfullscreen = 1\r\nwindow-width = 1\r\nwindow-height = 100001\r\n"
       "[sound]\r\nvolume = 100\r\nmute = off\r\n",
       Make(ScaleMode::Sharp, WindowMode::FullScreen, 1, 768, 100, false),
       "the value \"1\" of fullscreen is not yes or no; the value \"100001\" of window-height" +
           notSize + "; the value \"off\" of mute is not yes or no"},
      {"[sound]\nvolume = -1\n", {}, "the value \"-1\" of volume is not a volume from 0 to 100"},
      // Keys of play swapped are kept; a key two actions were given costs the
      // later line, or the line whose other action has it by default.
      {"[keys]\nleft = Right\nright = Left\nup = 9\ndown = RightCtrl\ndig = F12\n",
       Make(ScaleMode::Sharp, WindowMode::FullScreen, 1024, 768, 100, false, 70,
            {{KEY_RIGHT, KEY_LEFT, KEY_9, KEY_RCONTROL, KEY_F12}}),
       ""},
      {"[keys]\nleft = Space\nup = Q\ndown = Q\ndig = Enter\n[sound]\nmusic-volume = 101\n",
       Make(ScaleMode::Sharp, WindowMode::FullScreen, 1024, 768, 100, false, 70,
            {{KEY_LEFT, KEY_RIGHT, KEY_Q, KEY_DOWN, KEY_SPACE}}),
       "the value \"101\" of music-volume is not a volume from 0 to 100; the value \"Enter\" of "
       "dig is not the name of a key of play; the value \"Q\" of down is already the key of up; "
       "the value \"Space\" of left is already the key of dig"},
      {"[keys]\nright = M\nup = F11\ndown = left\n",
       {},
       "the value \"M\" of right is not the name of a key of play; the value \"F11\" of up is not "
       "the name of a key of play; the value \"left\" of down is not the name of a key of play"},
  };
  for (const auto& c : cases) {
    CGameSettings read = kCustom;
    CFerroString why;
    EXPECT_TRUE(Parse(c.text, read, why)) << c.text;
    EXPECT_EQ(Values(read), c.want) << c.text;
    EXPECT_EQ(why.c_str(), c.why);
    EXPECT_EQ(read.text, c.text);
  }
}

// Written back, a text keeps every line it had (comments, unknown keys and
// sections, blank lines, its line ends, a comment after a value) with only
// the values changed; a key it lacked joins the end of its section, a section
// it lacked the end of the text.
TEST(CGameSettings, AFileIsWrittenBackAsItWasWithTheValuesChanged) {
  const std::string text =
      "; mine\n[display]\n  scale = integer ; crisp\nfuture-key = 3\nfullscreen yes\n"
      "window-height =\n\n[later]\nvolume = 7\n";
  CGameSettings settings;
  CFerroString why;
  ASSERT_TRUE(Parse(text, settings, why));
  EXPECT_EQ(std::string(why.c_str()),
            "the value \"\" of window-height is not a size from 1 to 100000");
  settings.scale = ScaleMode::Off;
  settings.windowMode = WindowMode::Window;
  settings.volume = 40;
  EXPECT_EQ(std::string(settings.Format().c_str()),
            "; mine\n[display]\n  scale = off ; crisp\nfuture-key = 3\nfullscreen no\n"
            "window-height = 768\nwindow-width = 1024\n\n[later]\nvolume = 7\n"
            "[sound]\nvolume = 40\nmute = no\nmusic-volume = 70\n[keys]\nleft = Left\n"
            "right = Right\nup = Up\ndown = Down\ndig = Space\n");
  // A last line without its line end gets one before what follows it.
  ASSERT_TRUE(Parse("[sound]\r\nmute = yes", settings, why));
  EXPECT_EQ(std::string(settings.Format().c_str()),
            "[sound]\r\nmute = yes\r\nvolume = 100\r\nmusic-volume = 70\r\n[display]\r\n"
            "scale = sharp\r\nfullscreen = yes\r\nwindow-width = 1024\r\nwindow-height = 768\r\n"
            "[keys]\r\nleft = Left\r\nright = Right\r\nup = Up\r\ndown = Down\r\ndig = Space\r\n");
}

// What is no settings text at all is refused whole, with its reason, and
// leaves the object as it was.
TEST(CGameSettings, ATextOfAnotherKindIsRefused) {
  const struct {
    std::string text, why;
  } cases[] = {
      {std::string("[display]\r\n\0scale", 16), "it is not a text"},
      {"[display]\r\n" + std::string(CGameSettings::kMaxFileSize - 10, ' '),
       "it is larger than 64 KiB"},
  };
  for (const auto& c : cases) {
    CGameSettings read = kCustom;
    CFerroString why;
    EXPECT_FALSE(Parse(c.text, read, why)) << c.why;
    EXPECT_EQ(std::string(why.c_str()), c.why);
    EXPECT_EQ(read, kCustom) << c.why;
  }
  CGameSettings read;
  CFerroString why;
  EXPECT_TRUE(
      Parse("[display]\r\n" + std::string(CGameSettings::kMaxFileSize - 11, ' '), read, why))
      << "a file of the largest size is read";
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

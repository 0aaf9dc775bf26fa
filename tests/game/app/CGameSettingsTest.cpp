#include "game/app/CGameSettings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <string>

#include "tests/support/Files.h"

namespace {

// Settings with these values and no text read.
CGameSettings Make(ScaleMode scale, WindowMode mode, int w, int h, int volume, bool muted,
                   int music = 70, CPlayerKeys keys = {}, MotionMode motion = MotionMode::Smooth,
                   GameSpeed speed = GameSpeed::normal, Steering steering = Steering::keepGoing,
                   const char* language = "") {
  CGameSettings made;
  made.scale = scale;
  made.windowMode = mode;
  made.windowWidth = w;
  made.windowHeight = h;
  made.volume = volume;
  made.muted = muted;
  made.musicVolume = music;
  made.keys = keys;
  made.motion = motion;
  made.speed = speed;
  made.steering = steering;
  made.language = language;
  return made;
}

const CGameSettings kCustom =
    Make(ScaleMode::Integer, WindowMode::Window, 1366, 700, 35, true, 45,
         {{KEY_A, KEY_D, KEY_W, KEY_S, KEY_LCONTROL, KEY_R}}, MotionMode::Classic, GameSpeed::fast,
         Steering::stopOnRelease, "de");

// The text filled with blanks to the largest size a settings file may have.
std::string Padded(const std::string& text) {
  return text + std::string(CGameSettings::kMaxFileSize - text.size(), ' ');
}

bool Parse(const std::string& text, CGameSettings& read, CFerroString& why) {
  return read.Parse(text.data(), static_cast<int>(text.size()), why);
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
            "[play]\r\n"
            "motion = smooth\r\n"
            "speed = normal\r\n"
            "steering = keep-going\r\n"
            "[keys]\r\n"
            "left = Left\r\n"
            "right = Right\r\n"
            "up = Up\r\n"
            "down = Down\r\n"
            "dig = Space\r\n"
            "rewind = Backspace\r\n");
  CGameSettings read;
  CFerroString why;
  ASSERT_TRUE(Parse(kCustom.Format().c_str(), read, why));
  EXPECT_EQ(why, CFerroString());
  EXPECT_EQ(read.Format(), kCustom.Format()) << "read back, the same text is written";
  read.text.clear();
  EXPECT_EQ(read, kCustom);
}

// Each text gives the defaults but for the values it sets. A key counts only
// in its own section, the first time it stands there, as a whole word at a
// line's start (after blanks); comments, keys of a later version and LF line
// ends are passed over. A value that cannot be used costs only its own key,
// and is told (the next test reads how); the ends of every range are taken,
// one past them is not. What is no text at all is refused whole and changes
// nothing.
TEST(CGameSettings, ABadValueCostsOnlyItsOwnKey) {
  const struct {
    std::string text;
    CGameSettings want;
    int bad;  // the values told, or -1 for a text refused
  } cases[] = {
      {"fullscreen = no\n; scale = off\n[display]\nscale-x = 9\nscale integer\n"
       "  window-height = 600 ; half\nmute = yes\n[sound]\nscale = off\nvolume = 0\n"
       "mute-music = yes\n[more]\nfullscreen = no\n[display]\nscale = off\n[interface]\n"
       "language = ru\n",
       Make(ScaleMode::Integer, WindowMode::FullScreen, 1024, 600, 0, false, 70, {},
            MotionMode::Smooth, GameSpeed::normal, Steering::keepGoing, "ru"),
       0},
      {"[display]\r\nscale =\r\nfullscreen = no\r\nwindow-width = 0\r\nwindow-height=100000\r\n"
       "[sound]\r\nvolume = 101\r\nmute = yes\r\n[interface]\r\nlanguage = EN\r\n",
       Make(ScaleMode::Sharp, WindowMode::Window, 1024, 100000, 100, true), 4},
      {"[display]\r\nfullscreen = 1\r\nwindow-width = 1\r\nwindow-height = 100001\r\n"
       "[sound]\r\nvolume = 100\r\nmute = off\r\n",
       Make(ScaleMode::Sharp, WindowMode::FullScreen, 1, 768, 100, false), 3},
      {Padded("[display]\nwindow-width = 100000\nwindow-height = 1\n"),
       Make(ScaleMode::Sharp, WindowMode::FullScreen, 100000, 1, 100, false), 0},
      {"[display]\nwindow-width = 100001\nwindow-height = 0\n[sound]\nvolume = -1\n", {}, 3},
      // Keys of play swapped are kept. A key two actions were given costs
      // the later line (down), or the line whose other action has it by
      // default (left, as dig keeps Space after its bad line).
      {"[keys]\nleft = Right\nright = Left\nup = 9\ndown = RightCtrl\ndig = F12\n",
       Make(ScaleMode::Sharp, WindowMode::FullScreen, 1024, 768, 100, false, 70,
            {{KEY_RIGHT, KEY_LEFT, KEY_9, KEY_RCONTROL, KEY_F12, KEY_BACKSPACE}}),
       0},
      // A file from before the rewind that gave its key away keeps the line;
      // the rewind takes the first free key. Named, it is a line like the others.
      {"[keys]\ndig = Backspace\n",
       Make(ScaleMode::Sharp, WindowMode::FullScreen, 1024, 768, 100, false, 70,
            {{KEY_LEFT, KEY_RIGHT, KEY_UP, KEY_DOWN, KEY_BACKSPACE, KEY_SPACE}}),
       0},
      {"[keys]\nrewind = Space\n",
       Make(ScaleMode::Sharp, WindowMode::FullScreen, 1024, 768, 100, false, 70,
            {{KEY_LEFT, KEY_RIGHT, KEY_UP, KEY_DOWN, KEY_SPACE, KEY_BACKSPACE}}),
       1},
      {"[keys]\nleft = Space\nup = Q\ndown = Q\ndig = Enter\nright = M\n[sound]\n"
       "music-volume = 101\n",
       Make(ScaleMode::Sharp, WindowMode::FullScreen, 1024, 768, 100, false, 70,
            {{KEY_LEFT, KEY_RIGHT, KEY_Q, KEY_DOWN, KEY_SPACE, KEY_BACKSPACE}}),
       5},
      {"[play]\nmotion = classic\n",
       Make(ScaleMode::Sharp, WindowMode::FullScreen, 1024, 768, 100, false, 70, {},
            MotionMode::Classic),
       0},
      {"[play]\nmotion = Classic\n[display]\nmotion = classic\n", {}, 1},
      {"[play]\nspeed = slow\nsteering = stop-on-release\n",
       Make(ScaleMode::Sharp, WindowMode::FullScreen, 1024, 768, 100, false, 70, {},
            MotionMode::Smooth, GameSpeed::slow, Steering::stopOnRelease),
       0},
      {"[play]\nspeed = Fast\nsteering = stop on release\n[sound]\nspeed = fast\n", {}, 2},
      {std::string("[display]\r\n\0scale", 16), kCustom, -1},
      {Padded("[display]\r\n") + " ", kCustom, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 60));
    CGameSettings read = kCustom;
    CFerroString why;
    ASSERT_EQ(Parse(c.text, read, why), c.bad >= 0);
    if (c.bad < 0) {
      EXPECT_EQ(read, kCustom);
      continue;
    }
    EXPECT_EQ(read.text, c.text);
    read.text.clear();
    EXPECT_EQ(read, c.want);
    const std::string told = why.c_str();
    EXPECT_EQ(std::count(told.begin(), told.end(), ';') + !told.empty(), c.bad) << told;
  }
}

// Written back, a text keeps every line it had (comments, unknown keys and
// sections, blank lines, its line ends, a comment after a value) with only
// the values changed; a key it lacked joins the end of its section, a section
// it lacked the end of the text, after a line end of its own if need be.
TEST(CGameSettings, AFileIsWrittenBackAsItWasWithTheValuesChanged) {
  CGameSettings settings;
  CFerroString why;
  ASSERT_TRUE(
      Parse("; mine\n[display]\n  scale = integer ; crisp\nfuture-key = 3\nfullscreen yes\n"
            "window-height =\n\n[later]\nvolume = 7\n",
            settings, why));
  EXPECT_EQ(why, CFerroString("the value \"\" of window-height is not a size from 1 to 100000"));
  settings.scale = ScaleMode::Off;
  settings.windowMode = WindowMode::Window;
  settings.volume = 40;
  EXPECT_EQ(std::string(settings.Format().c_str()),
            "; mine\n[display]\n  scale = off ; crisp\nfuture-key = 3\nfullscreen no\n"
            "window-height = 768\nwindow-width = 1024\n\n[later]\nvolume = 7\n"
            "[sound]\nvolume = 40\nmute = no\nmusic-volume = 70\n[play]\nmotion = smooth\n"
            "speed = normal\nsteering = keep-going\n[keys]\nleft = Left\n"
            "right = Right\nup = Up\ndown = Down\ndig = Space\nrewind = Backspace\n");
  ASSERT_TRUE(Parse("[sound]\r\nmute = yes", settings, why));
  EXPECT_EQ(std::string(settings.Format().c_str()),
            "[sound]\r\nmute = yes\r\nvolume = 100\r\nmusic-volume = 70\r\n[display]\r\n"
            "scale = sharp\r\nfullscreen = yes\r\nwindow-width = 1024\r\nwindow-height = 768\r\n"
            "[play]\r\nmotion = smooth\r\nspeed = normal\r\nsteering = keep-going\r\n[keys]\r\n"
            "left = Left\r\nright = Right\r\nup = Up\r\ndown = Down\r\ndig = Space\r\n"
            "rewind = Backspace\r\n");
}

// A file that cannot be written is reported. (The game's settings test walks
// a file read, one left alone, one rewritten and a damaged one.)
TEST(CGameSettings, ASaveThatFailsSaysSo) {
  TempDir dir;
  errno = 0;
  EXPECT_FALSE(kCustom.Save((dir / "missing/settings.cfg").c_str()));
  EXPECT_EQ(errno, ENOENT);
}

}  // namespace

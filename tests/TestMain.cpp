// Entry point shared by every test program. Tests run headless: unless the
// caller says otherwise, SDL gets its dummy video and audio drivers, and the
// source and game folders of this build are known to tests that need data.
// The game speaks English whatever the machine's locale, unless a test
// chooses another language.
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  setenv("DIGMAZE_SOURCE_DIR", DIGMAZE_TEST_SOURCE_DIR, 0);
  setenv("DIGMAZE_GAME_DIR", DIGMAZE_TEST_GAME_DIR, 0);
  setenv("LANGUAGE", "en", 1);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

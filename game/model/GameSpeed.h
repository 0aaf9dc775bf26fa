#pragma once

#include <cstring>

// How fast the player's levels run: the period of their ticks. A tick's rules
// are the same at every speed, so a level played at one replays tick for
// tick at any other; the demonstration and a solution shown run at normal.
enum class GameSpeed { slow, normal, fast };

// The milliseconds of a tick (70, 50, 35) and the name in the settings and
// scripts ("slow", "normal", "fast"), by GameSpeed.
inline constexpr struct {
  GameSpeed speed;
  unsigned period;
  const char* name;
} kGameSpeeds[] = {
    {GameSpeed::slow, 70, "slow"},
    {GameSpeed::normal, 50, "normal"},
    {GameSpeed::fast, 35, "fast"},
};

inline unsigned GetTickPeriod(GameSpeed speed) {
  return kGameSpeeds[static_cast<int>(speed)].period;
}
inline const char* GetSpeedName(GameSpeed speed) {
  return kGameSpeeds[static_cast<int>(speed)].name;
}
// The speed of a name as GetSpeedName gives it; false for another name.
inline bool FindSpeed(const char* name, GameSpeed& speed) {
  for (const auto& entry : kGameSpeeds)
    if (name && std::strcmp(name, entry.name) == 0) {
      speed = entry.speed;
      return true;
    }
  return false;
}

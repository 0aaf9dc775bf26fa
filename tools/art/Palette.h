#pragma once

#include "tools/art/Canvas.h"

// The one palette every picture of the game is drawn from: warm bricks, cool
// steel, gold for treasure, the interface's blue for light and the exit, a
// blue-clad runner and green aliens.
namespace art::pal {

inline constexpr Rgba kClear{};
inline constexpr Rgba kBlack = Rgb(0x000000);
inline constexpr Rgba kInk = Rgb(0x0A0E1A);  // outlines

inline constexpr Rgba kBrick = Rgb(0xB4532E);
inline constexpr Rgba kBrickLight = Rgb(0xD87A4C);
inline constexpr Rgba kBrickDark = Rgb(0x7E3319);
inline constexpr Rgba kMortar = Rgb(0x2E160E);

inline constexpr Rgba kSteel = Rgb(0x5B6C84);
inline constexpr Rgba kSteelLight = Rgb(0x94A8C2);
inline constexpr Rgba kSteelDark = Rgb(0x323E50);
inline constexpr Rgba kSteelDeep = Rgb(0x1C2432);
inline constexpr Rgba kRivet = Rgb(0xD0DAE6);

inline constexpr Rgba kWood = Rgb(0xC8934E);
inline constexpr Rgba kWoodLight = Rgb(0xE8BC78);
inline constexpr Rgba kWoodDark = Rgb(0x7C5428);

inline constexpr Rgba kGold = Rgb(0xF8C630);
inline constexpr Rgba kGoldLight = Rgb(0xFFF1A0);
inline constexpr Rgba kGoldDark = Rgb(0xB07F10);
inline constexpr Rgba kRuby = Rgb(0xE8304E);
inline constexpr Rgba kRubyLight = Rgb(0xFF8FA0);

inline constexpr Rgba kBlue = Rgb(0x2983CD);  // the interface's accent
inline constexpr Rgba kBlueLight = Rgb(0x7FD0FF);
inline constexpr Rgba kBlueDark = Rgb(0x15497A);
inline constexpr Rgba kBlueDeep = Rgb(0x08294B);
inline constexpr Rgba kWhite = Rgb(0xFFFFFF);

inline constexpr Rgba kHelmet = Rgb(0xFFC83A);
inline constexpr Rgba kHelmetDark = Rgb(0xC88A14);
inline constexpr Rgba kLamp = Rgb(0xFFF8C8);
inline constexpr Rgba kSkin = Rgb(0xF2B48A);
inline constexpr Rgba kSkinDark = Rgb(0xC8845C);
inline constexpr Rgba kShirt = Rgb(0x2F8EE0);
inline constexpr Rgba kShirtDark = Rgb(0x1C5E9E);
inline constexpr Rgba kSleeve = Rgb(0x5AB0F4);
inline constexpr Rgba kTrousers = Rgb(0x2A3F78);
inline constexpr Rgba kTrousersDark = Rgb(0x1A2850);
inline constexpr Rgba kBoot = Rgb(0x6E3E1C);
inline constexpr Rgba kBootDark = Rgb(0x4A2810);

inline constexpr Rgba kAlien = Rgb(0x5CD63C);
inline constexpr Rgba kAlienLight = Rgb(0xAEF27E);
inline constexpr Rgba kAlienDark = Rgb(0x2E8A20);
inline constexpr Rgba kAlienDeep = Rgb(0x1C5C14);
inline constexpr Rgba kEye = Rgb(0xFFFFFF);
inline constexpr Rgba kPupil = Rgb(0xD0186A);
inline constexpr Rgba kAntenna = Rgb(0xFF5AD8);

}  // namespace art::pal

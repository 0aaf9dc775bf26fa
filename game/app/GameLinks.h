#pragma once

// The addresses the game opens and the credits text that shows them. The
// pages ship in the game folder's "help", so every link works offline; the
// platform's OpenLink turns an address without a scheme into a file URL
// inside the game folder.
namespace game_links {

// The how-to-play page: opened by the credits' "How to play" button and
// linked from their text.
inline constexpr const char kHelpPage[] = "help/index.html";
// The licence of the fonts the game's bitmap fonts are rendered from.
inline constexpr const char kFontsPage[] = "help/fonts.html";

// The credits block of the credits dialog, in the static-text markup: the
// roles, then the two pages, each a green link whose text is its address.
// <default> after a link puts the colour back for whatever follows.
inline constexpr const char kCredits[] =
    "Programming: the Digmaze team\n"
    "\n"
    "Graphics and sounds: the Digmaze team\n"
    "\n"
    "\n"
    "How to play:<color=0x00FF00> <url=\"help/index.html\">help/index.html</url><default>\n"
    "\n"
    "Fonts: DejaVu<color=0x00FF00> <url=\"help/fonts.html\">help/fonts.html</url><default>";

}  // namespace game_links

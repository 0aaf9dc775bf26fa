#pragma once

#include <string>

// The addresses the game opens and the credits text that shows them. The
// pages ship in the game folder's "help", so every link works offline; the
// platform's OpenLink turns an address without a scheme into a file URL
// inside the game folder.
namespace game_links {

// The English how-to-play page: opened by the credits' "How to play" button
// and linked from their text.
inline constexpr const char kHelpPage[] = "help/index.html";
// The licence of the fonts the game's bitmap fonts are rendered from.
inline constexpr const char kFontsPage[] = "help/fonts.html";

// The how-to-play page in the language of code: "help/index.de.html" beside
// the English "help/index.html".
inline std::string HelpPage(const std::string& code) {
  return code.empty() || code == "en" ? kHelpPage : "help/index." + code + ".html";
}

// The credits block of the credits dialog, in the static-text markup: the
// roles, then the two pages, each a green link whose text is its address.
// <default> after a link puts the colour back for whatever follows. The
// texts come in the player's language.
inline std::string Credits(const std::string& programming, const std::string& art,
                           const std::string& howToPlay, const std::string& fonts,
                           const std::string& helpPage) {
  return programming + "\n\n" + art + "\n\n\n" + howToPlay + "<color=0x00FF00> <url=\"" + helpPage +
         "\">" + helpPage + "</url><default>\n\n" + fonts + "<color=0x00FF00> <url=\"" +
         kFontsPage + "\">" + kFontsPage + "</url><default>";
}

}  // namespace game_links

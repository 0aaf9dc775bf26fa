#include "game/app/GDialogTally.h"

#include <algorithm>

#include "GUI/graphics/SurfaceColor.h"
#include "GUI/platform/GGame.h"
#include "GUI/themes/GTheme.h"
#include "GUI/toolkit/GButton.h"
#include "GUI/toolkit/GMessageBox.h"
#include "GUI/toolkit/GStatic.h"
#include "game/app/GButtonDM.h"
#include "game/app/GGameDM.h"
#include "game/app/GSceneGame.h"
#include "game/app/GameLanguage.h"

namespace {

constexpr unsigned kTextStyle = STYLE_VISIBLE | STYLE_NOERASE;
constexpr unsigned kOkStyle = kFramedStyle | STYLE_DEFAULT_BUTTON;
// The mark of a beaten best, in the theme's colour of chosen text.
constexpr unsigned kMarkColor = 0xE0E000;
constexpr int kRowStep = 30;
constexpr int kColumnGap = 24;
constexpr int kMargin = 20;

// A static of one line at (x, y); its size in w and h.
GStatic* AddText(GComponent* parent, int x, int y, const CFerroString& text, int& w, int& h,
                 unsigned color = DEFAULT_COLOR) {
  auto* line = new GStatic;
  line->SetColor(COLOR_TEXT, COLOR_NORMAL, color);
  line->Create(parent, kTextStyle, x, y, 0, 0, 0, text.c_str());
  line->GetSize(w, h);
  return line;
}

}  // namespace

LEVEL_RESULT& LEVEL_RESULT::operator+=(const LEVEL_RESULT& won) {
  ++level;
  time += won.time;
  treasures += won.treasures;
  aliensTrapped += won.aliensTrapped;
  holesDug += won.holesDug;
  rewound = rewound || won.rewound;
  return *this;
}

CFerroString GDialogTally::Caption(int level) {
  return GameText(Text::TallyCaption, {CFerroString().IntToString(level, 2)});
}

std::vector<GDialogTally::LINE> GDialogTally::Lines(const LEVEL_RESULT& result) {
  const auto number = [](int n) { return CFerroString().IntToString(n, 1); };
  const CFerroString best = GameText(Text::TallyNewBest);
  const CFerroString none = result.rewound ? GameText(Text::TallyWithRewind) : CFerroString();
  return {
      {GameText(Text::TallyTime),
       GameText(Text::Seconds, {CGameProgress::FormatTime(result.time).c_str()}),
       result.news.bestTime ? best : none},
      {GameText(Text::TallyTreasures), number(result.treasures), CFerroString()},
      {GameText(Text::TallyAliensTrapped), number(result.aliensTrapped), CFerroString()},
      {GameText(Text::TallyHolesDug), number(result.holesDug), CFerroString()},
      {GameText(Text::TallyScore), number(result.score), result.news.bestScore ? best : none},
  };
}

void GDialogTally::Show(const LEVEL_RESULT& result) {
  shown = result;
  BeginModal();
}

void GDialogTally::OnInitDlg() {
  GDialog::OnInitDlg();
  if (game) game->ShowCursor(true);
  SetWindowText(Caption(shown.level).c_str());
  // Three columns: the labels, the values ending at one edge, the marks.
  const std::vector<LINE> lines = Lines(shown);
  std::vector<GStatic*> values;
  int labelWidth = 0, valueWidth = 0, markEnd = 0, w = 0, h = 0;
  for (size_t i = 0; i < lines.size(); ++i) {
    const int y = kRowStep * static_cast<int>(i);
    AddText(this, 0, y, lines[i].label, w, h);
    labelWidth = std::max(labelWidth, w);
    values.push_back(AddText(this, 0, y, lines[i].value, w, h));
    valueWidth = std::max(valueWidth, w);
  }
  const int valueEnd = labelWidth + kColumnGap + valueWidth;
  for (size_t i = 0; i < lines.size(); ++i) {
    int x = 0, y = 0;
    values[i]->GetPosition(x, y);
    values[i]->GetSize(w, h);
    values[i]->SetPosition(valueEnd - w, y);
    if (lines[i].mark.IsEmpty()) continue;
    AddText(this, valueEnd + kColumnGap, y, lines[i].mark, w, h, kMarkColor);
    markEnd = std::max(markEnd, valueEnd + kColumnGap + w);
  }
  int bw = 130, bh = 34;
  if (GTheme* look = game ? game->GetTheme() : nullptr) look->GetButtonSizeForMessageBox(bw, bh);
  const int width = std::max({valueEnd, markEnd, bw});
  auto* ok = new GButton;
  ok->Create(this, kOkStyle, (width - bw) / 2, kRowStep * static_cast<int>(lines.size()) + 16, bw,
             bh, GMessageBox::kOk, GameText(Text::ButtonOk).c_str());
  CorrectSize(kMargin);
  AlignToCenter();
}

void GDialogTally::OnEnter() {
  const bool wasModal = IsModal();
  GDialog::OnEnter();
  if (wasModal && game)
    if (auto* play = dynamic_cast<GSceneGame*>(game->GetScene(SCENE_GAME))) play->GoOnAfterTally();
}

void GDialogTally::EndModal(int result) {
  GDialog::EndModal(result);
  if (game && game->GetCurrentSceneIndex() == SCENE_GAME) game->ShowCursor(false);
}

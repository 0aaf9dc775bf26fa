// Index of this file:
//   Helpers             the layout below the map, the treasures taken, what a key can change
//   Into play and out   the ways into a level, the next level, a pause, the end-of-game box
//   Recording           the recorder of the player's levels
//   The status line     its texts and where they stand
//   Over the level      "Press any key to start" and the banners, their panels
//   Replays             the menu button they hide, the end of the demonstration and of a solution
//   Drawing             the level, its outline and the status line; what a frame draws again
//   Keys and ticks      the runner's keys, the scene's start and finish, a tick of play

#include "game/app/GSceneGame.h"
#include "game/app/GameLanguage.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "GUI/foundation/CFerroStreamFile.h"
#include "GUI/foundation/CFerroStreamMemory.h"
#include "GUI/graphics/GDevice.h"
#include "GUI/graphics/GSurface.h"
#include "GUI/graphics/SurfaceColor.h"
#include "GUI/platform/GGame.h"
#include "GUI/themes/GThemeComponent.h"
#include "GUI/themes/GThemeRavlin.h"
#include "game/app/GButtonDM.h"
#include "game/app/GGameDM.h"
#include "game/app/GReplayRecorder.h"
#include "game/model/ANIMATION_LIST_UNIT.h"
#include "game/model/GMap.h"
#include "game/model/GMapList.h"
#include "game/model/GModelMedia.h"
#include "game/model/GRecordStream.h"
#include "game/model/GSavedGame.h"
#include "game/model/GUnit.h"
#include "game/sim/GSimulation.h"

// ---------------------------------------------------------------------------------------------
// Helpers
// ---------------------------------------------------------------------------------------------

namespace {

constexpr unsigned kMenuButtonStyle = kFramedStyle | STYLE_CANCEL_BUTTON;
constexpr unsigned kWhite = 0xFFFFFF;
// Where the level, score, lives and treasures texts, the mark of the
// switched-off sound and the word of a rewind start, from the map's left edge.
constexpr int kStatusX[GSceneGame::STATUS_BOTTOM] = {0, 150, 340, 470, 660, 700};
// The least room between two texts of the status line.
constexpr int kStatusGap = 10;
// The mark of the switched-off sound: a speaker crossed out.
constexpr int kMutedMarkWidth = 22, kMutedMarkHeight = 16;
constexpr unsigned kMutedCrossColor = 0xFF4040;
// The panels of the texts over the level: the theme's black with its grid
// and a frame of its border colour, the text in white.
constexpr int kOverlayPadX = 18, kOverlayPadY = 10;
constexpr unsigned kOverlayFrameColor = 0x2983CD;
// How far below the map's top edge the banner's panel stands.
constexpr int kBannerTop = 2 * GMap::SQUARE;
// The sign of a rewind: a panel in the map's top right corner, inset by
// kRewindInset, with two triangles pointing back before its word, drawn in
// kRewindColor, which also outlines the map while play is taken back.
constexpr int kRewindInset = 12;
constexpr int kRewindTriangle = 12;
constexpr unsigned kRewindColor = 0xFFB020;
// The status line and the "Menu (Esc)" button stand this far below the map,
// the button's right edge flush with the map's.
constexpr int kBelowMap = 20;
constexpr int kMenuButtonWidth = 150;
constexpr int kMenuButtonHeight = 34;
// How far below the status line the bottom line is, centred on the screen.
constexpr int kBottomLineGap = 50;

// The squares of the map file's treasures that the level no longer holds.
std::vector<std::pair<int, int>> TakenTreasures(const CFerroString& mapName) {
  std::vector<std::pair<int, int>> taken;
  CFerroStreamFile file;
  if (!file.Open((GModelMedia::GetPathToMaps() + mapName).c_str(), CFerroStream::modeRead))
    return taken;
  GRecordReader reader(file);
  GMap::Content original;
  GMap* map = GMap::GetInstance();
  if (!GMap::ReadContent(reader, false, original) || original.width != map->width ||
      original.height != map->height)
    return taken;
  for (int y = 0; y < map->height; ++y)
    for (int x = 0; x < map->width; ++x)
      if (original.cells[static_cast<size_t>(y * map->width + x)]->GetType() == CELL_TREASURE &&
          map->GetCell(x, y)->GetType() != CELL_TREASURE)
        taken.emplace_back(x, y);
  return taken;
}

// What a key press can change in play: the level's state, the runner's
// controls and the direction keys it counts as held.
std::tuple<int, int, int, bool, bool, CHeldDirections> PlayControls() {
  const ANIMATION_LIST_UNIT* controls = ANIMATION_LIST_UNIT::GetInstance();
  return {GMap::GetInstance()->state,
          controls->moveX,
          controls->moveY,
          controls->dig,
          controls->stop,
          controls->held};
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Into play and out
// ---------------------------------------------------------------------------------------------

void GMessageBoxVictory::OnEnter() {
  if (game) game->SetScene(SCENE_MENU);
  GMessageBox::OnEnter();
}

void GSceneGame::CreateButtonMenu() {
  if (GetChildCount() > 0) return;
  int left = 0, top = 0;
  GMap* map = GMap::GetInstance();
  map->GetPositionTV(left, top);
  auto* button = new GButtonDM;
  button->Create(this, kMenuButtonStyle, left + map->width * GMap::SQUARE - kMenuButtonWidth,
                 GMap::MAP_TOP + map->height * GMap::SQUARE + kBelowMap, kMenuButtonWidth,
                 kMenuButtonHeight, CMD_GAME_MENU, Text::GameMenuButton);
}

void GSceneGame::ShowPlay() {
  if (game) game->SetScene(SCENE_GAME);
  // No stroke of the editor is open while a level plays.
  GMap::GetInstance()->pendingUndo.reset();
}

bool GSceneGame::EnterPlay(PlayEntry how, const CFerroString& mapName) {
  if (!game) return false;
  GMap* map = GMap::GetInstance();
  switch (how) {
    case PlayEntry::newGame:
    case PlayEntry::testRun: {
      const int from = game->GetCurrentSceneIndex();
      GMapList* list = GMapList::GetInstance();
      ANIMATION_LIST_UNIT::GetInstance()->NewGame();
      list->currentName = mapName;
      gameTally = LEVEL_RESULT();
      countsForRecords = true;
      ShowPlay();
      if (!map->Start()) {
        game->SetScene(from);
        game->MessageBox(
            GGameDM::kName,
            GameText(list->GetCount() == 0 ? Text::NoMapToPlay : Text::MapUnreadable).c_str(),
            MB_OK);
        return false;
      }
      map->testMode = how == PlayEntry::testRun;
      break;
    }
    case PlayEntry::savedGame: {
      // The counting starts anew with the loaded game: a saved game keeps none.
      ANIMATION_LIST_UNIT* counters = ANIMATION_LIST_UNIT::GetInstance();
      map->tally = LEVEL_TALLY();
      map->tally.startScore = counters->score;
      gameTally = LEVEL_RESULT();
      countsForRecords = true;
      // No direction key is held in a game just loaded: steered by release,
      // the runner stands at its next square.
      const GGameDM* app = GGameDM::Of(game);
      if (app && app->GetSteering() == Steering::stopOnRelease) counters->Steer(PLAYER_OTHER);
      ShowPlay();
      map->RefreshMapBackground();
      map->CopyToBackbuffer();
      map->SetState(GMap::STATE_PLAYING);
      break;
    }
    case PlayEntry::nextLevel:
      if (!StartNextLevel()) return false;
      break;
    case PlayEntry::lifeLost:
      map->Restart();
      // The restarted level replaces the whole picture at once.
      Invalidate();
      // A replay stops where the life was lost: the level goes on in a file
      // of its own.
      if (GReplayRecorder* recorder = Recorder())
        recorder->EndLevel("a life lost at tick " + std::to_string(map->tick) +
                           "; the level goes on in the next recording");
      break;
    case PlayEntry::demonstration:
      if (!demo.Begin(game->GetPlatform())) return false;
      ShowPlay();
      if (!demo.StartNext()) {
        EndDemonstration();
        return false;
      }
      break;
    case PlayEntry::checkedSolution:
    case PlayEntry::solution: {
      if (how == PlayEntry::checkedSolution) {
        // Prepared by PrepareSolution; the editor's map is not the player's game.
        if (!IsShowingSolution()) return false;
        solutionFromEditor = true;
      } else {
        if (demo.IsOn()) return false;
        GReplayRecorder* recorder = Recorder();
        const unsigned leftAt = map->tick;
        if (!demo.BeginSolution(game->GetPlatform(), GModelMedia::GetPathToMaps() +
                                                         GMapList::GetInstance()->currentName))
          return false;
        if (recorder)
          recorder->EndLevel("left at tick " + std::to_string(leftAt) + " to show the solution");
        countsForRecords = false;
      }
      ShowPlay();
      if (!demo.StartNext()) {
        EndSolution();
        return false;
      }
      break;
    }
    case PlayEntry::levelAgain: {
      // The counters come first: the level's tally counts its score from them.
      ANIMATION_LIST_UNIT* counters = ANIMATION_LIST_UNIT::GetInstance();
      counters->score = levelStart.score;
      counters->lives = levelStart.lives;
      counters->treasures = levelStart.treasures;
      countsForRecords = true;
      ShowPlay();
      if (!map->Start()) {
        game->SetScene(SCENE_MENU);
        game->MessageBox(GGameDM::kName, GameText(Text::MapUnreadable).c_str(), MB_OK);
        return false;
      }
      map->testMode = levelStart.testRun;
      break;
    }
  }
  CreateButtonMenu();
  ShowMenuButton(!demo.IsOn());
  // A banner belongs to the level it was shown in.
  bannerTicks = 0;
  // Play is never taken back past the start of a level, a lost life or a
  // loaded game; a level that goes on after a lost life keeps its rewinds.
  rewind.Clear();
  rewinding = false;
  if (how != PlayEntry::lifeLost) rewound = false;
  if (how != PlayEntry::lifeLost && !demo.IsOn()) {
    const ANIMATION_LIST_UNIT* counters = ANIMATION_LIST_UNIT::GetInstance();
    levelStart = {counters->score, counters->lives, counters->treasures, map->testMode};
  }
  BeginRecording(how);
  ApplyPlayChoices();
  return true;
}

void GSceneGame::ApplyPlayChoices(bool shown) {
  GGameDM* app = GGameDM::Of(game);
  if (!app) return;
  const bool players = shown && !demo.IsOn();
  const unsigned period = GetTickPeriod(players ? app->GetSpeed() : GameSpeed::normal);
  if (game->GetMainTimerPeriod() != period) game->SetMainTimer(period);
  if (!players) return;
  ANIMATION_LIST_UNIT::GetInstance()->steering = app->GetSteering();
  if (GReplayRecorder* recorder = Recorder())
    recorder->NoteChoices(GMap::GetInstance()->tick, app->GetSpeed(), app->GetSteering());
}

bool GSceneGame::PrepareSolution(const std::string& mapBytes, const std::vector<SIM_EVENT>& events,
                                 unsigned ticks, int level) {
  // The replay's last tick is the one whose update wins: the level has then
  // played ticks updates.
  return game && ticks > 0 &&
         demo.BeginSolution(game->GetPlatform(), mapBytes, events, ticks - 1, level);
}

bool GSceneGame::HasSolution() const {
  return game && !demo.IsOn() &&
         GDemonstration::FindSolution(
             game->GetPlatform(),
             GModelMedia::GetPathToMaps() + GMapList::GetInstance()->currentName, nullptr);
}

void GSceneGame::PlayMusic(MUSIC_PIECE piece) {
  if (auto* app = dynamic_cast<GGameDM*>(game)) app->PlayMusic(piece);
}

bool GSceneGame::StartNextLevel() {
  bool started = false;
  if (demo.IsOn()) {
    started = demo.StartNext();
  } else {
    // A level whose file cannot be read is passed over rather than ending the game.
    while (!started && GMapList::GetInstance()->SelectNextMapForGame())
      started = GMap::GetInstance()->Start();
  }
  // The play theme comes back once the jingle of the level won has ended.
  if (started) PlayMusic(MUSIC_PLAY);
  return started;
}

void GSceneGame::PauseLevel() {
  GMap* map = GMap::GetInstance();
  if (map->state == GMap::STATE_PLAYING) map->state = GMap::STATE_WAITING;
}

bool GSceneGame::CountsForRecords() const {
  return countsForRecords && !demo.IsOn() && !GMap::GetInstance()->testMode;
}

void GSceneGame::NoteWin() {
  GMap* map = GMap::GetInstance();
  const ANIMATION_LIST_UNIT* counters = ANIMATION_LIST_UNIT::GetInstance();
  wonLevel = LEVEL_RESULT();
  wonLevel.level = GMapList::GetInstance()->GetMapForGameIndex() + 1;
  wonLevel.time = LEVEL_TALLY::Tenths(map->tick);
  wonLevel.treasures = map->tally.treasures;
  wonLevel.aliensTrapped = map->tally.aliensTrapped;
  wonLevel.holesDug = map->tally.holesDug;
  wonLevel.score = counters->score - map->tally.startScore;
  wonLevel.rewound = rewound;
  auto* app = dynamic_cast<GGameDM*>(game);
  if (app && CountsForRecords())
    app->RecordWin(GMapList::GetInstance()->currentName, wonLevel.time, wonLevel.score,
                   wonLevel.news, !rewound);
  gameTally += wonLevel;
  gameTally.score = counters->score;
}

void GSceneGame::GoOnAfterTally() {
  if (EnterPlay(PlayEntry::nextLevel)) return;
  GMap::GetInstance()->SetState(GMap::STATE_WAITING);
  CFerroString text =
      GameText(Text::GameWon) + "\n\n" +
      GameText(Text::GameWonSummary, {GameTextCount(Text::GameWonLevels, gameTally.level)});
  for (const GDialogTally::LINE& line : GDialogTally::Lines(gameTally))
    text += "\n" + GameText(Text::GameWonLine, {line.label, line.value});
  PlayMusic(MUSIC_GAME_END);
  victoryBox.Alert(GGameDM::kName, text.c_str(), MB_OK);
}

// ---------------------------------------------------------------------------------------------
// Recording
// ---------------------------------------------------------------------------------------------

GReplayRecorder* GSceneGame::Recorder() const {
  // A demonstration is not the player's game: it is never recorded.
  if (demo.IsOn()) return nullptr;
  GGameDM* app = GGameDM::Of(game);
  return app && app->GetRecorder().IsOn() ? &app->GetRecorder() : nullptr;
}

void GSceneGame::BeginRecording(PlayEntry how) {
  GReplayRecorder* recorder = Recorder();
  if (!recorder) return;
  GMap* map = GMap::GetInstance();
  const CFerroString& name = GMapList::GetInstance()->currentName;
  if (how == PlayEntry::savedGame) {
    recorder->BeginLevel(name, map->tick, true);
    return;
  }
  // digmaze-sim starts the replay from the campaign's counters as they are
  // now and, after a lost life, without the treasures already taken.
  const ANIMATION_LIST_UNIT* counters = ANIMATION_LIST_UNIT::GetInstance();
  SIM_START start;
  start.restarted = how == PlayEntry::lifeLost;
  start.tick = map->tick;
  start.score = counters->score;
  start.lives = counters->lives;
  start.treasures = counters->treasures;
  if (start.restarted) start.taken = TakenTreasures(name);
  recorder->BeginLevel(name, map->tick, false, GSimulation::StartLine(start));
}

// ---------------------------------------------------------------------------------------------
// The status line
// ---------------------------------------------------------------------------------------------

void GSceneGame::GetStatusTexts(CFerroString (&texts)[STATUS_TEXTS]) const {
  const auto* app = dynamic_cast<const GGameDM*>(game);
  texts[STATUS_MUTED] = app && !app->IsSoundOn() ? CFerroString(kMutedMark) : CFerroString();
  const int level = GMapList::GetInstance()->GetMapForGameIndex() + 1;
  if (demo.IsOn()) {
    // A replay's counters are the replay's, not the player's: only the level
    // is told (the campaign's number in the demonstration, the player's in a
    // solution, the edited map's place in the order for the map check's win).
    const bool solution = IsShowingSolution();
    const bool fromGame = solution && !solutionFromEditor;
    // A map outside the level order (one being made in the editor) has no number.
    const int shown = fromGame ? level : demo.GetLevelNumber();
    texts[STATUS_LEVEL] = shown > 0
                              ? GameText(Text::StatusLevel, {CFerroString().IntToString(shown, 2)})
                              : CFerroString();
    texts[STATUS_SCORE] = GameText(solution ? Text::StatusSolution : Text::StatusDemonstration);
    texts[STATUS_LIVES] = CFerroString();
    texts[STATUS_TREASURES] = CFerroString();
    texts[STATUS_REWIND] = CFerroString();
    texts[STATUS_BOTTOM] = GameText(fromGame ? Text::PressKeyToPlayLevel : Text::PressKeyToReturn);
    return;
  }
  const ANIMATION_LIST_UNIT* counters = ANIMATION_LIST_UNIT::GetInstance();
  texts[STATUS_LEVEL] = GameText(Text::StatusLevel, {CFerroString().IntToString(level, 2)});
  texts[STATUS_SCORE] =
      GameText(Text::StatusScore, {CFerroString().IntToString(counters->score, 5)});
  texts[STATUS_LIVES] =
      GameText(Text::StatusLives, {CFerroString().IntToString(counters->lives, 2)});
  texts[STATUS_TREASURES] =
      GameText(Text::StatusTreasures,
               {CFerroString().IntToString(GMap::GetInstance()->CountCells(CELL_TREASURE), 2)});
  texts[STATUS_REWIND] = rewinding ? GameText(Text::StatusRewind) : CFerroString();
  texts[STATUS_BOTTOM] = CFerroString();
}

CFerroRect GSceneGame::GetStatusRect(int i, const CFerroString& text) {
  GMap* map = GMap::GetInstance();
  int left = 0, top = 0;
  map->GetPositionTV(left, top);
  const int y = GMap::MAP_TOP + map->height * GMap::SQUARE + kBelowMap;
  int w = 0, h = 0;
  if (GDevice* device = game ? game->GetDevice() : nullptr)
    device->GetTextSize(i == STATUS_MUTED ? "L" : text.c_str(),
                        theme ? theme->GetTextFont(this) : -1, w, h);
  if (i == STATUS_MUTED) {
    // The mark stands in the middle of the line's height.
    if (text.IsEmpty()) return CFerroRect();
    const int x = left + kStatusX[i], top = y + (h - kMutedMarkHeight) / 2;
    return CFerroRect(x, top, x + kMutedMarkWidth, top + kMutedMarkHeight);
  }
  if (i != STATUS_BOTTOM) return CFerroRect(left + kStatusX[i], y, left + kStatusX[i] + w, y + h);
  const int x = (GModelMedia::GetBackBufferWidth() - w) / 2;
  return CFerroRect(x, y + kBottomLineGap, x + w, y + kBottomLineGap + h);
}

CFerroRect GSceneGame::GetStatusRoom(int i, const CFerroRect& text) {
  if (i == STATUS_BOTTOM)
    return CFerroRect(0, text.top, GModelMedia::GetBackBufferWidth(), text.bottom);
  // Up to where the next text starts; the word of a rewind, the last, up to
  // the menu button.
  GMap* map = GMap::GetInstance();
  int left = 0, top = 0;
  map->GetPositionTV(left, top);
  const int end = i + 1 < STATUS_BOTTOM ? left + kStatusX[i + 1]
                                        : left + map->width * GMap::SQUARE - kMenuButtonWidth;
  return CFerroRect(left + kStatusX[i], text.top, end - kStatusGap, text.bottom);
}

CFerroRect GSceneGame::GetStatusArea(const CFerroString (&texts)[STATUS_TEXTS]) {
  CFerroRect area;
  for (int i = 0; i < STATUS_TEXTS; ++i) {
    const CFerroRect text = GetStatusRect(i, texts[i]);
    if (!text.IsEmpty()) area = area.IsEmpty() ? text : area.Union(text);
  }
  return area;
}

// ---------------------------------------------------------------------------------------------
// Over the level
// ---------------------------------------------------------------------------------------------

void GSceneGame::GetOverlayTexts(CFerroString (&texts)[OVERLAYS]) const {
  const GMap* map = GMap::GetInstance();
  // Under a dialog the level is paused, not waiting for its first key.
  const bool waiting =
      map->state == GMap::STATE_WAITING && !demo.IsOn() && !rewinding && game && !game->modal;
  texts[OVERLAY_WAITING] = waiting ? GameText(Text::PressKeyToStart) : CFerroString();
  texts[OVERLAY_BANNER] = bannerTicks > 0 ? GameText(banner) : CFerroString();
  texts[OVERLAY_REWIND] = rewinding ? GameText(Text::StatusRewind) : CFerroString();
}

CFerroRect GSceneGame::GetOverlayRect(int i, const CFerroString& text) {
  GDevice* device = game ? game->GetDevice() : nullptr;
  if (text.IsEmpty() || !device) return CFerroRect();
  int w = 0, h = 0;
  device->GetTextSize(text.c_str(), theme ? theme->GetTextFont(this) : -1, w, h);
  GMap* map = GMap::GetInstance();
  int left = 0, top = 0;
  map->GetPositionTV(left, top);
  w += 2 * kOverlayPadX;
  h += 2 * kOverlayPadY;
  if (i == OVERLAY_REWIND) {
    // The sign's two triangles stand before its word.
    w += 3 * kRewindTriangle;
    const int x = left + map->width * GMap::SQUARE - kRewindInset - w;
    return CFerroRect(x, GMap::MAP_TOP + kRewindInset, x + w, GMap::MAP_TOP + kRewindInset + h);
  }
  const int x = left + (map->width * GMap::SQUARE - w) / 2;
  const int y = i == OVERLAY_BANNER ? GMap::MAP_TOP + kBannerTop
                                    : GMap::MAP_TOP + (map->height * GMap::SQUARE - h) / 2;
  return CFerroRect(x, y, x + w, y + h);
}

void GSceneGame::DrawOverlays(GSurface* back) {
  CFerroString texts[OVERLAYS];
  GetOverlayTexts(texts);
  const int font = theme ? theme->GetTextFont(this) : -1;
  GMap* map = GMap::GetInstance();
  int left = 0, top = 0;
  map->GetPositionTV(left, top);
  for (int i = 0; i < OVERLAYS; ++i) {
    const CFerroRect at = GetOverlayRect(i, texts[i]);
    if (at.IsEmpty()) continue;
    back->FillRect(at.left, at.top, at.Width(), at.Height(), 0x000000);
    for (int x = at.left + GThemeRavlin::kGridStart; x < at.right; x += GThemeRavlin::kGridStep)
      back->DrawVerticalLine(x, at.top, at.Height(), GThemeRavlin::kGridColor);
    for (int y = at.top + GThemeRavlin::kGridStart; y < at.bottom; y += GThemeRavlin::kGridStep)
      back->DrawHorizontalLine(at.left, y, at.Width(), GThemeRavlin::kGridColor);
    const unsigned frame = i == OVERLAY_REWIND ? kRewindColor : kOverlayFrameColor;
    back->DrawRect(at.left, at.top, at.Width(), at.Height(), frame);
    back->DrawRect(at.left + 1, at.top + 1, at.Width() - 2, at.Height() - 2, frame);
    int textX = at.left + kOverlayPadX;
    if (i == OVERLAY_REWIND) {
      // Two triangles pointing left, as on a player's rewind button.
      const int mid = at.top + at.Height() / 2;
      for (int t = 0; t < 2; ++t)
        for (int d = 0; d < kRewindTriangle; ++d)
          back->DrawVerticalLine(textX + t * kRewindTriangle + d, mid - d / 2 - 1, d + 2,
                                 kRewindColor);
      textX += 3 * kRewindTriangle;
    }
    // The panel is as wide as its text, inside the map.
    CFerroRect room = at;
    room.left = std::max(room.left, left);
    room.right = std::min(room.right, left + map->width * GMap::SQUARE);
    back->TextOutIn(room, textX, at.top + kOverlayPadY, texts[i].c_str(), font, kWhite,
                    DEFAULT_COLOR);
  }
}

void GSceneGame::InvalidateBackRect(const CFerroRect& rect) {
  if (rect.IsEmpty()) return;
  CFerroRect local = rect;
  int sx = 0, sy = 0;
  GetAbsoluteWindowPosition(sx, sy);
  local.Offset(-sx, -sy);
  InvalidateRect(local);
}

void GSceneGame::NoteBanner(int treasuresBefore, int livesBefore) {
  const bool exitOpened =
      treasuresBefore > 0 && GMap::GetInstance()->CountCells(CELL_TREASURE) == 0;
  const bool lifeWon = ANIMATION_LIST_UNIT::GetInstance()->lives > livesBefore;
  if (!exitOpened && !lifeWon) return;
  banner = lifeWon && exitOpened ? Text::BannerExtraLifeExitOpen
           : lifeWon             ? Text::BannerExtraLife
                                 : Text::BannerExitOpen;
  bannerTicks = kBannerTicks;
}

// ---------------------------------------------------------------------------------------------
// Replays
// ---------------------------------------------------------------------------------------------

void GSceneGame::ShowMenuButton(bool show) {
  if (GComponent* button = Find(static_cast<unsigned>(CMD_GAME_MENU))) button->Show(show);
}

void GSceneGame::EndDemonstration() {
  // Leaving the scene ends the demonstration (OnFinish).
  if (game && game->GetCurrentSceneIndex() == SCENE_GAME) game->SetScene(SCENE_MENU);
  demo.End();
  ShowMenuButton(true);
}

void GSceneGame::EndSolution() {
  demo.End();
  if (!solutionFromEditor) {
    EnterPlay(PlayEntry::levelAgain);
    return;
  }
  solutionFromEditor = false;
  ShowMenuButton(true);
  if (game && game->GetCurrentSceneIndex() == SCENE_GAME) game->SetScene(SCENE_EDITOR);
}

void GSceneGame::EndReplay() {
  if (IsShowingSolution())
    EndSolution();
  else
    EndDemonstration();
}

// ---------------------------------------------------------------------------------------------
// Drawing
// ---------------------------------------------------------------------------------------------

void GSceneGame::OnRender() {
  GSurface* back = game ? game->GetBackSurface() : nullptr;
  if (!back) return;
  GMap* map = GMap::GetInstance();
  map->CopyToBackbuffer();
  int left = 0, top = 0;
  map->GetPositionTV(left, top);
  const int w = map->width * GMap::SQUARE, h = map->height * GMap::SQUARE;
  back->DrawRect(left - 1, GMap::MAP_TOP - 1, w + 2, h + 2, rewinding ? kRewindColor : kWhite);
  const int font = theme ? theme->GetTextFont(this) : -1;
  CFerroString texts[STATUS_TEXTS];
  GetStatusTexts(texts);
  for (int i = 0; i < STATUS_TEXTS; ++i) {
    if (texts[i].IsEmpty()) continue;
    const CFerroRect at = GetStatusRect(i, texts[i]);
    if (i != STATUS_MUTED) {
      back->TextOutIn(GetStatusRoom(i, at), at.left, at.top, texts[i].c_str(), font, kWhite,
                      DEFAULT_COLOR);
      continue;
    }
    // A speaker: its box and its widening cone, then a cross over the sound.
    const int mid = at.top + kMutedMarkHeight / 2;
    back->FillRect(at.left, mid - 3, 4, 6, kWhite);
    for (int x = 4; x < 10; ++x)
      back->DrawVerticalLine(at.left + x, mid - x + 1, 2 * x - 2, kWhite);
    for (int d = 0; d < 2; ++d) {
      back->DrawLine(at.left + 13 + d, mid - 4, at.left + 20 + d, mid + 3, kMutedCrossColor);
      back->DrawLine(at.left + 13 + d, mid + 3, at.left + 20 + d, mid - 4, kMutedCrossColor);
    }
  }
  DrawOverlays(back);
}

int GSceneGame::MotionPhase() const {
  const GGameDM* app = GGameDM::Of(game);
  const unsigned period = game ? game->GetMainTimerPeriod() : 0;
  if (!app || app->GetMotion() != MotionMode::Smooth || period == 0) return GMap::kPhaseWhole;
  const unsigned elapsed = std::min(game->GetTimeSinceTick(), period);
  return static_cast<int>(elapsed * GMap::kPhaseWhole / period);
}

bool GSceneGame::WantsFramesBetweenTicks() const {
  const GGameDM* app = GGameDM::Of(game);
  const GMap* map = GMap::GetInstance();
  return app && app->GetMotion() == MotionMode::Smooth && !game->modal &&
         map->state == GMap::STATE_PLAYING && map->HasUnitsInMotion();
}

void GSceneGame::OnBeforeRender() {
  GMap* map = GMap::GetInstance();
  // The units are drawn on their way from the last tick's positions.
  map->SetMotionPhase(MotionPhase());
  CFerroString texts[STATUS_TEXTS];
  GetStatusTexts(texts);
  const bool dialog = game && game->modal;
  CFerroString overlays[OVERLAYS];
  GetOverlayTexts(overlays);
  // A new or restarted level may differ anywhere, and under a dialog only
  // what showed through it was drawn: both are drawn whole.
  if (!shownLevel || map->GetBackgroundBuilds() != shownBuilds || (shownDialog && !dialog)) {
    Invalidate();
    shownLevel = true;
    shownBuilds = map->GetBackgroundBuilds();
    shownDialog = dialog;
    for (int i = 0; i < STATUS_TEXTS; ++i) shownStatus[i] = texts[i];
    for (int i = 0; i < OVERLAYS; ++i) shownOverlays[i] = overlays[i];
    shownTick = map->tick;
    return;
  }
  shownDialog = dialog;

  // What the level changed is drawn now; a component over it (the in-game
  // menu, which lets the level show through) is drawn again over it.
  std::vector<CFerroRect> changed;
  map->CopyChangesToBackbuffer(&changed);
  // The level's update draws what moved straight over the texts on it, and
  // so does the draw above: a text is drawn again after every tick of play
  // and every change of the level. Where a text came, went or changed, the
  // level shows or is covered again.
  const bool moved = !changed.empty() || map->tick != shownTick;
  shownTick = map->tick;
  for (int i = 0; i < OVERLAYS; ++i) {
    const CFerroRect shown = GetOverlayRect(i, shownOverlays[i]);
    if (shownOverlays[i] != overlays[i]) {
      InvalidateBackRect(shown);
      InvalidateBackRect(GetOverlayRect(i, overlays[i]));
      shownOverlays[i] = overlays[i];
    } else if (moved) {
      InvalidateBackRect(shown);
    }
  }
  for (const CFerroRect& rect : changed) {
    for (GComponent* above : GetCoveringComponents()) {
      CFerroRect common = above->GetClipRect().Intersection(rect);
      if (common.IsEmpty()) continue;
      int ax = 0, ay = 0;
      above->GetAbsoluteWindowPosition(ax, ay);
      common.Offset(-ax, -ay);
      above->InvalidateRect(common);
    }
  }

  if (std::equal(std::begin(texts), std::end(texts), std::begin(shownStatus))) return;
  const CFerroRect was = GetStatusArea(shownStatus), now = GetStatusArea(texts);
  InvalidateBackRect(was.IsEmpty() ? now : now.IsEmpty() ? was : was.Union(now));
  for (int i = 0; i < STATUS_TEXTS; ++i) shownStatus[i] = texts[i];
}

// ---------------------------------------------------------------------------------------------
// Keys and ticks
// ---------------------------------------------------------------------------------------------

PLAYER_KEY GSceneGame::GetAction(unsigned key) const {
  // A gamepad plays with its d-pad and south button whatever keys the
  // keyboard was given.
  if (game && game->IsPadKey(key)) return GetPlayerKey(key);
  const GGameDM* app = GGameDM::Of(game);
  return app ? app->GetPlayerKeys().Find(key) : GetPlayerKey(key);
}

void GSceneGame::OnKeyDown(unsigned key, unsigned, unsigned) {
  // The demonstration's runner answers only its replay.
  if (demo.IsOn()) return;
  GMap* map = GMap::GetInstance();
  const PLAYER_KEY action = GetAction(key);
  if (action == PLAYER_REWIND) {
    BeginRewind();
    return;
  }
  // While play runs backwards the other keys wait for the rewind key's release.
  if (rewinding) return;
  const auto before = PlayControls();
  map->PressKey(action);
  // Keys land before the next update, which runs with the level's current tick.
  if (GReplayRecorder* recorder = Recorder())
    recorder->KeyDown(map->tick, action, PlayControls() != before);
}

void GSceneGame::OnKeyUp(unsigned key, unsigned, unsigned) {
  if (!demo.IsOn()) ReleaseAction(GetAction(key));
}

void GSceneGame::ReleaseAction(PLAYER_KEY action) {
  GMap* map = GMap::GetInstance();
  if (action == PLAYER_REWIND) {
    EndRewind();
    return;
  }
  if (rewinding) return;
  map->ReleaseKey(action);
  if (GReplayRecorder* recorder = Recorder()) recorder->KeyUp(map->tick, action);
}

void GSceneGame::BeginRewind() {
  GMap* map = GMap::GetInstance();
  // A won level has been recorded and tallied; a replay is not the player's.
  const bool inPlay = map->state == GMap::STATE_PLAYING || map->state == GMap::STATE_WAITING ||
                      map->state == GMap::STATE_CAUGHT;
  if (rewinding || demo.IsOn() || !game || game->modal || !inPlay || rewind.GetCount() == 0) return;
  rewinding = true;
  bannerTicks = 0;
  // Held still, the level is no longer caught: the life is not lost.
  map->SetState(GMap::STATE_WAITING);
  GModelMedia::StopSounds();
  Invalidate();
  if (GReplayRecorder* recorder = Recorder())
    recorder->EndLevel("taken back from tick " + std::to_string(map->tick) +
                       "; the level goes on in the next recording");
}

void GSceneGame::StepRewind() {
  if (rewind.StepBack(kRewindSpeed) == 0) return;
  rewound = true;
  // The positions jumped: the units are drawn where they stand and the level
  // anew, as after its start or a lost life.
  GMap::GetInstance()->SettleUnits();
  GMap::GetInstance()->RefreshMapBackground();
  Invalidate();
}

void GSceneGame::EndRewind() {
  if (!rewinding) return;
  rewinding = false;
  GMap* map = GMap::GetInstance();
  // The runner stands, as after a start, and the level waits for a key.
  ANIMATION_LIST_UNIT::GetInstance()->ClearControl();
  map->SetState(GMap::STATE_WAITING);
  Invalidate();
  GReplayRecorder* recorder = Recorder();
  if (!recorder) return;
  // The next recording starts from the state taken back to, which
  // digmaze-sim resumes from.
  CFerroStreamMemory state;
  if (!state.Open(nullptr, 0, CFerroStream::modeWrite) || !WriteLevelState(state)) return;
  SIM_START start;
  start.tick = map->tick;
  start.state.assign(state.GetBuffer(), state.GetBuffer() + state.GetLength());
  recorder->BeginLevel(GMapList::GetInstance()->currentName, map->tick, false,
                       GSimulation::StartLine(start));
  // The new recording says how the keys steer from here and at what speed.
  ApplyPlayChoices();
}

bool GSceneGame::IsActionHeld(PLAYER_KEY action) const {
  const GGameDM* app = GGameDM::Of(game);
  // The keyboard's key for it, or the default one, which a gamepad gives.
  for (unsigned key :
       {app ? app->GetPlayerKeys().codes[action] : KEY_NONE, CPlayerKeys().codes[action]})
    if (key != KEY_NONE && game->IsKeyHeld(key) && GetAction(key) == action) return true;
  return false;
}

void GSceneGame::ReleaseKeysLetGo() {
  const CHeldDirections held = ANIMATION_LIST_UNIT::GetInstance()->held;
  for (PLAYER_KEY action : {PLAYER_LEFT, PLAYER_RIGHT, PLAYER_UP, PLAYER_DOWN})
    if (held.Holds(action) && !IsActionHeld(action)) ReleaseAction(action);
}

void GSceneGame::OnStart() {
  if (game) game->ShowCursor(false);
  PlayMusic(MUSIC_PLAY);
  ApplyPlayChoices();
}

void GSceneGame::OnFinish(int) {
  if (game) game->ShowCursor(true);
  rewinding = false;
  ApplyPlayChoices(false);
  if (demo.IsOn()) {
    demo.End();
    solutionFromEditor = false;
    ShowMenuButton(true);
    return;
  }
  if (GReplayRecorder* recorder = Recorder())
    recorder->EndLevel("left at tick " + std::to_string(GMap::GetInstance()->tick));
}

void GSceneGame::OnUpdate() {
  // The units have arrived where the last tick put them; this tick's moves
  // are drawn from there.
  GMap::GetInstance()->SettleUnits();
  GScene::OnUpdate();
  // A dialog opened over a rewind (its key's release then goes to the
  // dialog) ends the rewind where it got to.
  if (rewinding && game && game->modal) EndRewind();
  // While a dialog (the in-game menu, the saved-game dialog, a message box)
  // is open over the game, play and the end sequence both wait.
  if (!game || game->modal) return;
  if (rewinding) {
    StepRewind();
    return;
  }
  if (bannerTicks > 0) --bannerTicks;
  if (!demo.IsOn()) ReleaseKeysLetGo();
  GMap* map = GMap::GetInstance();
  // A replay's keys land as digmaze-sim applies them: every tick the level
  // waits or plays, before it is updated.
  const bool running = map->state == GMap::STATE_WAITING || map->state == GMap::STATE_PLAYING;
  if (demo.IsOn() && running && !demo.FeedKeys()) {
    EndReplay();
    return;
  }
  const unsigned counter = map->stateCounter;
  ANIMATION_LIST_UNIT* counters = ANIMATION_LIST_UNIT::GetInstance();
  switch (map->state) {
    case GMap::STATE_PLAYING: {
      // The state this tick starts from is kept, so that it can be taken back.
      if (!demo.IsOn()) rewind.Capture();
      const int treasures = map->CountCells(CELL_TREASURE), lives = counters->lives;
      // The level draws what moved; OnBeforeRender has it presented.
      map->Update();
      NoteBanner(treasures, lives);
      if (demo.IsOn() && map->state == GMap::STATE_CAUGHT) {
        demo.ReportLost();
        EndReplay();
        return;
      }
      if (GReplayRecorder* recorder = Recorder()) {
        // The same line digmaze-sim prints last when it replays the recording.
        if (map->state == GMap::STATE_WON)
          recorder->EndLevel("end " + GSimulation::StatusLine(map->tick - 1));
        else if (map->state == GMap::STATE_CAUGHT)
          recorder->Note("caught " + GSimulation::StatusLine(map->tick - 1));
      }
      return;
    }
    case GMap::STATE_WON:
      if (map->testMode) {
        game->SetScene(SCENE_MAPS);
        return;
      }
      if (counter == 0) {
        if (!demo.IsOn()) NoteWin();
        GModelMedia::PlaySound(counters->soundVictory);
        PlayMusic(MUSIC_LEVEL_WON);
      }
      ++map->stateCounter;
      if (counter < kEndPause) return;
      // The demonstration goes on by itself, and returns to the main menu
      // after its last level; a solution returns to the level it showed; the
      // player's game waits for the tally's OK.
      if (!demo.IsOn())
        tallyDialog.Show(wonLevel);
      else if (!EnterPlay(PlayEntry::nextLevel))
        EndReplay();
      return;
    case GMap::STATE_CAUGHT:
      if (counter >= kEndPause) {
        if (counters->DecrementLife()) {
          EnterPlay(PlayEntry::lifeLost);
        } else if (map->testMode) {
          game->SetScene(SCENE_MAPS);
          return;
        } else {
          map->SetState(GMap::STATE_WAITING);
          PlayMusic(MUSIC_GAME_END);
          victoryBox.Alert(GGameDM::kName, GameText(Text::GameLost).c_str(), MB_OK);
        }
      }
      if (counter == 0) GModelMedia::PlaySound(counters->soundDeath);
      ++map->stateCounter;
      return;
    default:
      return;
  }
}

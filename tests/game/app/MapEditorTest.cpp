#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "GUI/foundation/FerroRandom.h"
#include "GUI/graphics/GSurface.h"
#include "GUI/graphics/SurfaceColor.h"
#include "game/app/CUndoRedo.h"
#include "game/app/GButtonDM.h"
#include "game/app/GDialogMaps.h"
#include "game/app/GPictureCell.h"
#include "game/app/GPictureMinimap.h"
#include "game/app/GSceneMapEditor.h"
#include "game/app/GSceneMapsManager.h"
#include "game/model/GCell.h"
#include "game/model/GMap.h"
#include "game/model/GMapList.h"
#include "game/model/GMapText.h"
#include "tests/game/app/GameAppFixture.h"
#include "tests/support/Files.h"

namespace fs = std::filesystem;

namespace {

// The whole game with the first five shipped maps, entering the maps manager
// and the editor as the player does. The player's maps are the copies in the
// per-user folder; the shipped ones must be exactly as shipped after every
// test.
class EditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(game.CreateGame(nullptr, 0, 0));
    ASSERT_TRUE(list->Load());
    // The cases below are written for a short list: the player's copy
    // keeps the first five levels of the campaign.
    ASSERT_GE(list->GetCount(), 5);
    while (list->GetCount() > 5) {
      fs::remove(MapsFolder() + list->names.back().c_str());
      list->Delete(list->GetCount() - 1);
    }
    ASSERT_EQ(list->GetCount(), 5);
  }
  void TearDown() override {
    while (game.modal) game.modal->EndModal(0);
    const fs::path shipped = SourceDir() / "data/Maps";
    size_t count = 0;
    for (const auto& entry : fs::directory_iterator(folder / "Maps")) {
      ++count;
      EXPECT_EQ(ReadText(entry.path()), ReadText(shipped / entry.path().filename()))
          << entry.path() << " was written";
    }
    EXPECT_EQ(count, static_cast<size_t>(
                         std::distance(fs::directory_iterator(shipped), fs::directory_iterator{})));
  }

  GSceneMapsManager* Manager() {
    return static_cast<GSceneMapsManager*>(game.GetScene(SCENE_MAPS));
  }
  GDialogMaps* Grid() { return Manager()->GetMaps(); }
  GSceneMapEditor* Editor() { return static_cast<GSceneMapEditor*>(game.GetScene(SCENE_EDITOR)); }
  void Run(unsigned command) { GButtonDM::RunCommand(command, game.GetScene()); }
  void Select(int i) { Grid()->GetMinimap(i)->OnLButtonClick(0, -1, -1); }

  // The maps manager's enabled buttons, by id, in the order of the row.
  std::vector<unsigned> EnabledButtons() {
    std::vector<unsigned> on;
    for (unsigned id : {10u, 8u, 9u, 11u, 12u, 13u, 14u})
      if (Manager()->Find(id)->IsEnabled()) on.push_back(id);
    return on;
  }

  // A new empty 30 x 20 map in the editor.
  void CreateMap() {
    game.SetScene(SCENE_MAPS);
    Run(CMD_CREATE_MAP);
    ASSERT_EQ(game.GetCurrentSceneIndex(), SCENE_EDITOR);
  }
  // The cursor over the centre of a square of a 30-column map.
  void Point(int cx, int cy) {
    game.SetCursorPosition(32 + cx * GMap::SQUARE + 16, GMap::MAP_TOP + cy * GMap::SQUARE + 16);
  }
  // A press over the first square, a drag through the others, a release.
  void Stroke(const std::vector<std::pair<int, int>>& squares, bool left = true) {
    const int button = left ? KEY_MOUSE_LEFT : KEY_MOUSE_RIGHT;
    Point(squares.front().first, squares.front().second);
    game.PlatformKeyDown(button, 0);
    for (const auto& [cx, cy] : squares) Point(cx, cy);
    game.PlatformKeyUp(button);
  }
  void Paint(int code, int cx, int cy) {
    map->paletteCode = code;
    Stroke({{cx, cy}});
  }
  void Key(unsigned key) {
    game.PlatformKeyDown(static_cast<int>(key), 0);
    game.PlatformKeyUp(static_cast<int>(key));
  }
  // key with the modifier held (and Shift when asked).
  void Chord(unsigned modifier, unsigned key, bool shift = false) {
    game.PlatformKeyDown(static_cast<int>(modifier), 0);
    if (shift) game.PlatformKeyDown(KEY_LSHIFT, 0);
    Key(key);
    if (shift) game.PlatformKeyUp(KEY_LSHIFT);
    game.PlatformKeyUp(static_cast<int>(modifier));
  }
  std::string Text() { return GMapText::FromMap(*map); }

  // The snapshot files in the temporary folder.
  std::vector<std::string> UndFiles() {
    std::vector<std::string> found;
    for (const auto& entry : fs::directory_iterator(game.GetPlatform()->GetPathToTemp().c_str()))
      if (entry.path().extension() == ".und") found.push_back(entry.path().filename().string());
    std::sort(found.begin(), found.end());
    return found;
  }
  std::string MapsFolder() { return user / "Maps/"; }

  // Queues a key that answers the next blocking message box.
  static void Answer(SDL_Scancode key) {
    for (Uint32 type : {SDL_KEYDOWN, SDL_KEYUP}) {
      SDL_Event e{};
      e.type = type;
      e.key.keysym.scancode = key;
      SDL_PushEvent(&e);
    }
  }

  GameFolder folder{true};
  TempDir user;
  TestGameDM game{folder.Path(), user.Path()};
  GMap* map = GMap::GetInstance();
  GMapList* list = GMapList::GetInstance();
  CTRLZ* history = CTRLZ::GetInstance();
};

std::vector<std::string> Names(const GMapList& list) {
  std::vector<std::string> names;
  for (const CFerroString& name : list.names) names.emplace_back(name.c_str());
  return names;
}

}  // namespace

// ---------------------------------------------------------------------------
// Maps manager

TEST_F(EditorTest, TheListFollowsTheMapsFolder) {
  const std::string maps = MapsFolder();
  struct Case {
    const char* what;
    std::function<void()> change;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"as shipped",
       [] {},
       {"level01.dmm", "level02.dmm", "level03.dmm", "level04.dmm", "level05.dmm"}},
      {"a file added and one removed outside the game",
       [&] {
         fs::copy_file(maps + "level01.dmm", maps + "added.dmm");
         fs::remove(maps + "level02.dmm");
       },
       {"level01.dmm", "level03.dmm", "level04.dmm", "level05.dmm", "added.dmm"}},
      {"a file renamed, another file type ignored",
       [&] {
         fs::rename(maps + "level03.dmm", maps + "renamed.dmm");
         WriteText(maps + "notes.txt", "not a map");
       },
       {"level01.dmm", "level04.dmm", "level05.dmm", "added.dmm", "renamed.dmm"}},
      {"the folder cannot be listed: the index is kept",
       [&] { fs::rename(maps, user / "Maps.away"); },
       {"level01.dmm", "level04.dmm", "level05.dmm", "added.dmm", "renamed.dmm"}},
      {"an empty folder empties the list",
       [&] {
         fs::rename(user / "Maps.away", maps);
         for (const char* name :
              {"level01.dmm", "level04.dmm", "level05.dmm", "added.dmm", "renamed.dmm"})
           fs::remove(maps + name);
       },
       {}},
  };
  game.SetScene(SCENE_MAPS);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    c.change();
    Grid()->DeleteAllChildren();
    Grid()->Init();
    EXPECT_EQ(Names(*list), c.expected);
    if (fs::exists(maps)) {
      // The index file says the same.
      GMapList reread;
      EXPECT_EQ(Names(reread), c.expected);
    }
    ASSERT_EQ(Grid()->GetMinimapCount(), static_cast<int>(c.expected.size()));
    EXPECT_EQ(Grid()->GetCurrentMinimap(), c.expected.empty() ? -1 : 0);
  }
  // With nothing to select, only Create Map and Exit can be used.
  Manager()->RefreshButtons();
  EXPECT_EQ(EnabledButtons(), (std::vector<unsigned>{8, 14}));
}

TEST_F(EditorTest, AFolderOfMoreThanThreeHundredMapsLosesNone) {
  const std::string maps = MapsFolder();
  ASSERT_TRUE(GMapText::ToMap("#.\n.$\n", *map));
  for (int i = 0; i < 305; ++i)
    ASSERT_TRUE(map->SaveToFile(("m" + std::to_string(i) + ".dmm").c_str()));
  game.SetScene(SCENE_MAPS);
  EXPECT_EQ(list->GetCount(), 310);
  EXPECT_EQ(Grid()->GetMinimapCount(), 310);
  EXPECT_EQ(list->names[0], CFerroString("level01.dmm"));  // the old order comes first
  // Every search ran to its end: none is left open.
  EXPECT_EQ(game.GetPlatform()->GetNextFile(), nullptr);
  // The grid scrolls to its last row; the wheel over a miniature scrolls it.
  Grid()->ScrollToEnd();
  EXPECT_GT(Grid()->GetVScroll(), 0);
  EXPECT_EQ(Grid()->GetVScroll(), Grid()->GetVScrollMax());
  int mx = 0, my = 0;
  Grid()->GetMinimap(309)->GetAbsoluteWindowPosition(mx, my);
  game.SetCursorPosition(mx + 20, my + 20);
  game.SysOnMouseWheel(120);
  EXPECT_EQ(Grid()->GetVScroll(), Grid()->GetVScrollMax() - 40);
}

TEST_F(EditorTest, ButtonsFollowTheSelectionAndUpDownMoveMaps) {
  game.SetScene(SCENE_MAPS);
  const struct {
    int select;
    std::vector<unsigned> enabled;
  } selections[] = {
      {0, {10, 8, 9, 12, 13, 14}},      // first: no Up
      {2, {10, 8, 9, 11, 12, 13, 14}},  // middle: all
      {4, {10, 8, 9, 11, 13, 14}},      // last: no Down
  };
  for (const auto& s : selections) {
    SCOPED_TRACE(s.select);
    Select(s.select);
    EXPECT_EQ(Grid()->GetCurrentMinimap(), s.select);
    EXPECT_EQ(EnabledButtons(), s.enabled);
  }

  // Up on the third map: it trades places with the second in the grid (order
  // and cells) and in the list, and stays selected.
  Select(2);
  GPictureMinimap* third = Grid()->GetMinimap(2);
  GPictureMinimap* second = Grid()->GetMinimap(1);
  int x2 = 0, y2 = 0, x1 = 0, y1 = 0;
  third->GetPosition(x2, y2);
  second->GetPosition(x1, y1);
  Run(CMD_MAP_UP);
  EXPECT_EQ(Grid()->GetMinimap(1), third);
  EXPECT_EQ(Grid()->GetMinimap(2), second);
  int x = 0, y = 0;
  third->GetPosition(x, y);
  EXPECT_EQ(std::make_pair(x, y), std::make_pair(x1, y1));
  second->GetPosition(x, y);
  EXPECT_EQ(std::make_pair(x, y), std::make_pair(x2, y2));
  EXPECT_EQ(Names(*list), (std::vector<std::string>{"level01.dmm", "level03.dmm", "level02.dmm",
                                                    "level04.dmm", "level05.dmm"}));
  EXPECT_EQ(Grid()->GetCurrentMinimap(), 1);
  Run(CMD_MAP_DOWN);
  Run(CMD_MAP_DOWN);
  EXPECT_EQ(list->names[3], CFerroString("level03.dmm"));
  EXPECT_EQ(Grid()->GetMinimap(3), third);

  // Up on the first and Down on the last change nothing.
  Select(0);
  Run(CMD_MAP_UP);
  Select(4);
  Run(CMD_MAP_DOWN);
  EXPECT_EQ(Names(*list), (std::vector<std::string>{"level01.dmm", "level02.dmm", "level04.dmm",
                                                    "level03.dmm", "level05.dmm"}));
  GMapList reread;
  EXPECT_EQ(Names(reread), Names(*list));
}

TEST_F(EditorTest, DestroyAsksFirstAndOnlyOkRemovesFileAndEntry) {
  game.SetScene(SCENE_MAPS);
  Select(1);
  const std::string file = MapsFolder() + "level02.dmm";
  for (SDL_Scancode answer : {SDL_SCANCODE_ESCAPE, SDL_SCANCODE_RETURN}) {
    const bool ok = answer == SDL_SCANCODE_RETURN;
    SCOPED_TRACE(ok ? "OK" : "Cancel");
    Answer(answer);
    Run(CMD_DESTROY_MAP);
    EXPECT_EQ(game.modal, nullptr);
    EXPECT_EQ(fs::exists(file), !ok);
    EXPECT_EQ(list->GetMapGameIndex("level02.dmm") >= 0, !ok);
    EXPECT_EQ(Grid()->GetMinimapCount(), ok ? 4 : 5);
  }
  // The miniatures after it moved up one cell; nothing is selected now.
  int x = 0, y = 0;
  Grid()->GetMinimap(1)->GetPosition(x, y);
  EXPECT_EQ(std::make_pair(x, y), std::make_pair(482 + 8 + 8, 8));
  EXPECT_EQ(Grid()->GetCurrentMinimap(), -1);
  EXPECT_EQ(EnabledButtons(), (std::vector<unsigned>{8, 14}));
  // Without a selection the selection commands do nothing.
  for (unsigned command : {CMD_DESTROY_MAP, CMD_EDIT_MAP, CMD_MAP_UP, CMD_MAP_DOWN, CMD_TEST_MAP}) {
    Run(command);
    EXPECT_EQ(game.GetCurrentSceneIndex(), SCENE_MAPS) << command;
    EXPECT_EQ(game.modal, nullptr) << command;
  }
  EXPECT_EQ(list->GetCount(), 4);
}

TEST_F(EditorTest, AMiniatureIsTheMapReducedNearestNeighbour) {
  // One brick in the top-left square of an otherwise empty 30 x 20 map.
  map->Create(30, 20);
  map->SetCell(0, 0, CELL_BRICK);
  ASSERT_TRUE(map->SaveToFile("one.dmm"));
  game.SetScene(SCENE_MAPS);
  GPictureMinimap* minimap = Grid()->GetMinimap(Grid()->GetMinimapCount() - 1);
  ASSERT_EQ(list->names.back(), CFerroString("one.dmm"));
  GSurface* picture = minimap->GetImage();
  ASSERT_NE(picture, nullptr);
  GCell* brick = map->GetCell(0, 0);  // the map now holds one.dmm again
  GSurface* icon = brick->GetIcon();
  ASSERT_NE(icon, nullptr);
  const int w = picture->GetWidth(), h = picture->GetHeight();
  ASSERT_GT(w, 100);
  const float sx = 960.0f / static_cast<float>(w), sy = 640.0f / static_cast<float>(h);
  int brickPixels = 0, mismatches = 0;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const int srcX = static_cast<int>(static_cast<float>(x) * sx);
      const int srcY = static_cast<int>(static_cast<float>(y) * sy);
      SURFACE_RGB got{}, want{};
      picture->GetPixelRGB(x, y, &got);
      if (srcX < 32 && srcY < 32) {
        icon->GetPixelRGB(srcX, srcY, &want);
        ++brickPixels;
      }
      if (got.r != want.r || got.g != want.g || got.b != want.b) ++mismatches;
    }
  }
  EXPECT_GT(brickPixels, 100);
  EXPECT_EQ(mismatches, 0);

  // Selection is the red frame; a double click opens the map in the editor.
  EXPECT_EQ(minimap->GetColor(COLOR_BORDER, COLOR_NORMAL), DEFAULT_COLOR);
  minimap->OnLButtonClick(0, -1, -1);
  EXPECT_EQ(minimap->GetColor(COLOR_BORDER, COLOR_NORMAL), GPictureMinimap::kSelectedColor);
  EXPECT_EQ(Grid()->GetMinimap(0)->GetColor(COLOR_BORDER, COLOR_NORMAL), DEFAULT_COLOR);
  map->Create(5, 5);
  minimap->OnLButtonDblClk(0, -1, -1);
  EXPECT_EQ(game.GetCurrentSceneIndex(), SCENE_EDITOR);
  EXPECT_EQ(map->fileName, CFerroString("one.dmm"));
  EXPECT_EQ(map->width, 30);
}

TEST_F(EditorTest, AMapThatCannotBeReadIsNotOpenedInTheEditor) {
  game.SetScene(SCENE_MAPS);
  Select(1);
  ASSERT_TRUE(WriteText(MapsFolder() + "level02.dmm", "broken"));
  Answer(SDL_SCANCODE_RETURN);
  Run(CMD_EDIT_MAP);
  EXPECT_EQ(game.GetCurrentSceneIndex(), SCENE_MAPS);
  EXPECT_EQ(game.modal, nullptr);
}

// ---------------------------------------------------------------------------
// Editor

TEST_F(EditorTest, ThePaletteAndItsKeys) {
  CreateMap();
  GSceneMapEditor* editor = Editor();
  const int codes[] = {CELL_BRICK,    CELL_FLOOR, CELL_LINE, CELL_LADDER,
                       CELL_TREASURE, CELL_EXIT,  CELL_UNIT, CELL_ALIEN};
  for (int i = 0; i < 8; ++i) {
    ASSERT_NE(editor->GetPaletteEntry(i), nullptr);
    EXPECT_EQ(editor->GetPaletteEntry(i)->cellCode, codes[i]);
  }
  EXPECT_EQ(editor->GetPaletteEntry(8), nullptr);
  EXPECT_EQ(map->paletteCode, CELL_BRICK);  // chosen on entry

  const auto framed = [&] {
    std::vector<int> red;
    for (int i = 0; i < 8; ++i)
      if (editor->GetPaletteEntry(i)->GetColor(COLOR_BORDER, COLOR_NORMAL) == 0xFF0000)
        red.push_back(i);
    return red;
  };
  EXPECT_EQ(framed(), std::vector<int>{0});
  Key(KEY_1 + 5);  // "6"
  EXPECT_EQ(map->paletteCode, CELL_EXIT);
  EXPECT_EQ(framed(), std::vector<int>{5});
  Key(KEY_9);  // no ninth entry
  EXPECT_EQ(map->paletteCode, CELL_EXIT);

  // After a click on a palette picture the keys still reach the editor.
  game.SetCursorPosition(3 * 72 + 20 + 19, 716 + 19);
  game.PlatformKeyDown(KEY_MOUSE_LEFT, 0);
  game.PlatformKeyUp(KEY_MOUSE_LEFT);
  EXPECT_EQ(map->paletteCode, CELL_LADDER);
  Key(KEY_1);
  EXPECT_EQ(map->paletteCode, CELL_BRICK);
  EXPECT_EQ(framed(), std::vector<int>{0});
  Paint(CELL_BRICK, 3, 3);
  Chord(KEY_LCONTROL, KEY_Z);
  EXPECT_EQ(map->GetCell(3, 3)->GetType(), CELL_EMPTY);

  // Entering again chooses brick again.
  Key(KEY_1 + 7);
  game.SetScene(SCENE_MAPS);
  Run(CMD_CREATE_MAP);
  EXPECT_EQ(map->paletteCode, CELL_BRICK);
}

TEST_F(EditorTest, StrokesPaintEraseAndAreOneStepEach) {
  CreateMap();
  // A press outside the map starts nothing, even dragged over it.
  game.SetCursorPosition(5, 5);
  game.PlatformKeyDown(KEY_MOUSE_LEFT, 0);
  Point(2, 2);
  game.PlatformKeyUp(KEY_MOUSE_LEFT);
  EXPECT_EQ(map->CountCells(CELL_BRICK), 0);
  EXPECT_EQ(history->GetCount(), 0);

  // A quick drag from (1, 0) to (6, 0) leaves no gap. Out of the map (above
  // it) nothing is painted, and back over the map the stroke goes on; the
  // whole stroke is one step with its two files.
  Point(1, 0);
  game.PlatformKeyDown(KEY_MOUSE_LEFT, 0);
  Point(6, 0);
  game.SetCursorPosition(32 + 6 * 32 + 16, 2);
  game.SetCursorPosition(32 + 8 * 32 + 16, 2);
  Point(8, 0);
  game.PlatformKeyUp(KEY_MOUSE_LEFT);
  EXPECT_EQ(Text().substr(0, 10), ".######.#.");
  EXPECT_EQ(map->CountCells(CELL_BRICK), 7);
  EXPECT_EQ(history->GetCount(), 1);
  EXPECT_EQ(UndFiles().size(), 2u);
  const std::string painted = Text();

  // Clicking a square that already holds the kind changes nothing: no step, no file.
  Stroke({{1, 0}});
  EXPECT_EQ(history->GetCount(), 1);
  EXPECT_EQ(UndFiles().size(), 2u);

  // A right drag empties every square it crosses; one undo brings them all back.
  Stroke({{2, 0}, {5, 0}}, false);
  EXPECT_EQ(Text().substr(0, 10), ".#....#.#.");
  Chord(KEY_LCONTROL, KEY_Z);
  EXPECT_EQ(Text(), painted);
  // Redo: Ctrl+Shift+Z, Ctrl+Y, and the system key as Ctrl.
  Chord(KEY_LCONTROL, KEY_Z, true);
  EXPECT_EQ(map->CountCells(CELL_BRICK), 3);
  Chord(KEY_LSYSTEM, KEY_Z);
  EXPECT_EQ(Text(), painted);
  Chord(KEY_LCONTROL, KEY_Y);
  EXPECT_EQ(map->CountCells(CELL_BRICK), 3);
  // Z alone is not undo.
  Key(KEY_Z);
  EXPECT_EQ(map->CountCells(CELL_BRICK), 3);
}

TEST_F(EditorTest, ARunnerOrExitPaintedElsewhereMovesWithinOneStep) {
  CreateMap();
  for (int code : {CELL_UNIT, CELL_EXIT}) {
    SCOPED_TRACE(code);
    Paint(code, 2, 2);
    const std::string first = Text();
    const int steps = history->GetCount();
    Paint(code, 7, 4);
    EXPECT_EQ(map->CountCells(code), 1);
    EXPECT_EQ(map->GetCell(7, 4)->GetType(), code);
    EXPECT_EQ(map->GetCell(2, 2)->GetType(), CELL_EMPTY);
    EXPECT_EQ(history->GetCount(), steps + 1);
    history->Undo();
    EXPECT_EQ(Text(), first);
    history->Redo();
    Stroke({{2, 2}}, false);
  }
}

TEST_F(EditorTest, UndoRedoAndANewStrokeDropTheRedoBranch) {
  CreateMap();
  map->fileName = "kept.dmm";
  std::vector<std::string> after;
  for (int i = 0; i < 3; ++i) {
    Paint(CELL_BRICK, i, 0);
    after.push_back(Text());
  }
  const std::vector<std::string> threeSteps = UndFiles();
  ASSERT_EQ(threeSteps.size(), 6u);
  const CUndoRedo* third = history->GetStep(2);
  const std::string thirdFiles[] = {third->GetUndoFile().c_str(), third->GetRedoFile().c_str()};

  history->Undo();
  history->Undo();
  history->Redo();
  EXPECT_EQ(Text(), after[1]);
  EXPECT_EQ(map->fileName, CFerroString("kept.dmm"));  // undo keeps the name

  Paint(CELL_LADDER, 9, 9);
  EXPECT_EQ(history->GetCount(), 3);
  EXPECT_EQ(history->GetCurrent(), 2);
  for (const std::string& file : thirdFiles) EXPECT_FALSE(fs::exists(file)) << file;
  EXPECT_EQ(UndFiles().size(), 6u);
  history->Redo();  // nothing left to redo
  EXPECT_EQ(map->GetCell(2, 0)->GetType(), CELL_EMPTY);
  EXPECT_EQ(map->GetCell(9, 9)->GetType(), CELL_LADDER);

  // A snapshot file that went missing changes nothing when used.
  fs::remove(history->GetStep(2)->GetUndoFile().c_str());
  const std::string before = Text();
  history->Undo();
  EXPECT_EQ(Text(), before);
}

TEST_F(EditorTest, TheHistoryHoldsThreeHundredStrokes) {
  CreateMap();
  const auto square = [](int i) { return std::make_pair(i % 30, i / 30); };
  std::string afterFirst;
  for (int i = 0; i < CTRLZ::kSteps + 1; ++i) {
    Paint(CELL_BRICK, square(i).first, square(i).second);
    if (i == 0) afterFirst = Text();
  }
  EXPECT_EQ(history->GetCount(), CTRLZ::kSteps);
  EXPECT_EQ(UndFiles().size(), 2u * CTRLZ::kSteps);  // the first step's files are gone
  for (int i = 0; i < CTRLZ::kSteps; ++i) history->Undo();
  EXPECT_EQ(Text(), afterFirst);
  history->Undo();
  EXPECT_EQ(Text(), afterFirst);
  EXPECT_EQ(history->GetCurrent(), -1);

  // Leaving the editor drops the history and every file; back in, undo does nothing.
  history->Redo();
  game.SetScene(SCENE_MAPS);
  EXPECT_EQ(history->GetCount(), 0);
  EXPECT_TRUE(UndFiles().empty());
  Run(CMD_CREATE_MAP);
  Paint(CELL_FLOOR, 4, 4);
  Chord(KEY_LCONTROL, KEY_Z);
  Chord(KEY_LCONTROL, KEY_Z);
  EXPECT_EQ(map->CountCells(CELL_EMPTY), 600);
}

TEST_F(EditorTest, SavingANewMapNamesItFreshlyAndSavingAgainWritesTheSameFile) {
  // With the clock standing still, the first name drawn is known: a map of
  // that name is already there and must survive.
  game.Platform()->fixedTick = 4242;
  SetRndIndex(4242);
  std::string taken;
  for (int i = 0; i < 10; ++i) taken += static_cast<char>('0' + GetRndInt(0, 9));
  taken += ".dmm";
  fs::copy_file(MapsFolder() + "level01.dmm", MapsFolder() + taken);
  const std::string takenBytes = ReadText(MapsFolder() + taken);

  CreateMap();
  Paint(CELL_UNIT, 3, 5);
  Paint(CELL_LADDER, 4, 5);
  Run(CMD_EDITOR_SAVE);
  ASSERT_EQ(game.GetCurrentSceneIndex(), SCENE_MAPS);
  const std::string name = list->names.back().c_str();
  ASSERT_EQ(name.size(), 14u);
  EXPECT_EQ(name.find_first_not_of("0123456789"), 10u);
  EXPECT_EQ(name.substr(10), ".dmm");
  EXPECT_NE(name, taken);
  EXPECT_EQ(ReadText(MapsFolder() + taken), takenBytes);
  EXPECT_TRUE(UndFiles().empty());

  // The file: reserved word, 30 x 20, exit (0, 0), then code and timer per
  // square row by row.
  const std::string bytes = ReadText(MapsFolder() + name);
  ASSERT_EQ(bytes.size(), 20u + 600u * 8u);
  const auto at = [&](size_t offset) {
    int value = 0;
    for (int b = 3; b >= 0; --b)
      value = value * 256 + static_cast<unsigned char>(bytes[offset + b]);
    return value;
  };
  EXPECT_EQ(std::vector<int>({at(0), at(4), at(8), at(12), at(16)}),
            std::vector<int>({0, 30, 20, 0, 0}));
  EXPECT_EQ(at(20 + (5 * 30 + 3) * 8), CELL_UNIT);
  EXPECT_EQ(at(20 + (5 * 30 + 4) * 8), CELL_LADDER);

  // Its miniature came last, selected, with the grid scrolled to it.
  EXPECT_EQ(Grid()->GetCurrentMinimap(), Grid()->GetMinimapCount() - 1);
  EXPECT_EQ(Grid()->GetMinimapCount(), list->GetCount());
  EXPECT_EQ(Grid()->GetVScroll(), Grid()->GetVScrollMax());

  // Edited again and saved: the same file, the same list.
  Run(CMD_EDIT_MAP);
  Paint(CELL_BRICK, 0, 19);
  Run(CMD_EDITOR_SAVE);
  EXPECT_EQ(list->names.back(), CFerroString(name.c_str()));
  EXPECT_EQ(Grid()->GetMinimapCount(), list->GetCount());
  EXPECT_EQ(ReadText(MapsFolder() + name).size(), bytes.size());
  EXPECT_EQ(static_cast<int>(ReadText(MapsFolder() + name)[20 + (19 * 30) * 8]), CELL_BRICK);
}

TEST_F(EditorTest, AFailedSaveTellsThePlayerAndKeepsTheMap) {
  CreateMap();
  Paint(CELL_TREASURE, 6, 6);
  const std::string edited = Text();
  fs::rename(MapsFolder(), user / "Maps.away");
  Answer(SDL_SCANCODE_RETURN);
  Run(CMD_EDITOR_SAVE);
  EXPECT_EQ(game.GetCurrentSceneIndex(), SCENE_EDITOR);
  EXPECT_EQ(game.modal, nullptr);
  EXPECT_EQ(Text(), edited);
  EXPECT_EQ(list->GetCount(), 5);
  EXPECT_TRUE(map->fileName.IsEmpty());
  Chord(KEY_LCONTROL, KEY_Z);  // the history is still there
  EXPECT_EQ(map->CountCells(CELL_TREASURE), 0);
}

TEST_F(EditorTest, TestPlayStartsTheSelectedMapWithoutAnOpenStroke) {
  game.SetScene(SCENE_MAPS);
  Select(2);
  map->pendingUndo = std::make_unique<CUndoRedo>();
  Run(CMD_TEST_MAP);
  EXPECT_EQ(game.GetCurrentSceneIndex(), SCENE_GAME);
  EXPECT_EQ(list->currentName, CFerroString("level03.dmm"));
  EXPECT_TRUE(map->testMode);
  EXPECT_EQ(map->pendingUndo, nullptr);
  // Digging in the game is no stroke of the editor.
  map->SetCell(0, 0, CELL_LADDER);
  EXPECT_EQ(map->pendingUndo, nullptr);
  // Winning returns to the maps manager, the selection kept.
  map->SetState(GMap::STATE_WON);
  game.GetScene()->OnUpdate();
  EXPECT_EQ(game.GetCurrentSceneIndex(), SCENE_MAPS);
  EXPECT_EQ(Grid()->GetCurrentMinimap(), 2);
  // So does quitting it from the in-game menu.
  Run(CMD_TEST_MAP);
  Run(CMD_GAME_MENU);
  GButtonDM::RunCommand(CMD_QUIT_TO_MENU, game.modal);
  EXPECT_EQ(game.GetCurrentSceneIndex(), SCENE_MAPS);
  EXPECT_EQ(game.modal, nullptr);
}

// The first map saved into an empty level order is listed once, in the index
// file as in the grid.
TEST_F(EditorTest, TheFirstMapOfAnEmptyLevelOrderIsListedOnce) {
  for (const auto& entry : fs::directory_iterator(MapsFolder())) fs::remove(entry.path());
  list->Clear();
  game.SetScene(SCENE_MAPS);
  ASSERT_EQ(Grid()->GetMinimapCount(), 0);
  CreateMap();
  Paint(CELL_UNIT, 3, 5);
  Run(CMD_EDITOR_SAVE);
  ASSERT_EQ(game.GetCurrentSceneIndex(), SCENE_MAPS);
  ASSERT_EQ(list->GetCount(), 1);
  const std::string name = list->names[0].c_str();
  std::string expected("\0\0\0\0\1\0\0\0", 8);
  expected += static_cast<char>(name.size());
  expected += name;
  EXPECT_EQ(ReadText(MapsFolder() + "index.dml"), expected);
  EXPECT_EQ(Grid()->GetMinimapCount(), 1);
  EXPECT_EQ(Grid()->GetCurrentMinimap(), 0);
  EXPECT_FALSE(fs::exists(MapsFolder() + name + ".new"));
}

// Cancel, and Escape which clicks it, leave an unchanged map at once but ask
// before throwing changes away; only OK discards them.
TEST_F(EditorTest, CancelAsksBeforeDiscardingChanges) {
  CreateMap();
  Run(CMD_EDITOR_CANCEL);  // nothing changed: no question
  EXPECT_EQ(game.GetCurrentSceneIndex(), SCENE_MAPS);

  Run(CMD_EDIT_MAP);
  const std::string opened = Text();
  Paint(CELL_LADDER, 4, 4);
  Paint(CELL_EMPTY, 4, 4);  // back as it was
  Run(CMD_EDITOR_CANCEL);
  EXPECT_EQ(game.GetCurrentSceneIndex(), SCENE_MAPS);

  Run(CMD_EDIT_MAP);
  Paint(CELL_LADDER, 4, 4);
  const std::string edited = Text();
  ASSERT_NE(edited, opened);
  Answer(SDL_SCANCODE_ESCAPE);
  Key(KEY_ESCAPE);
  EXPECT_EQ(game.GetCurrentSceneIndex(), SCENE_EDITOR);
  EXPECT_EQ(game.modal, nullptr);
  EXPECT_EQ(Text(), edited);
  Answer(SDL_SCANCODE_RETURN);
  Key(KEY_ESCAPE);
  EXPECT_EQ(game.GetCurrentSceneIndex(), SCENE_MAPS);
  Run(CMD_EDIT_MAP);
  EXPECT_EQ(Text(), opened);  // nothing was saved
}

// The maps manager without the mouse: the focus starts on the grid, where
// the arrows move the selection (scrolling it into sight) and Enter edits;
// Tab reaches the button row, which skips what the selection disables.
TEST_F(EditorTest, TheMapsManagerAndTheEditorByKeys) {
  game.SetScene(SCENE_MAPS);
  GDialogMaps* grid = Grid();
  ASSERT_EQ(Manager()->GetFocusItem(), grid);
  ASSERT_EQ(grid->columns, 2);
  struct Step {
    unsigned key;
    int selected;
    bool scrolled;
  };
  const Step steps[] = {{KEY_RIGHT, 1, false}, {KEY_RIGHT, 2, false}, {KEY_DOWN, 4, true},
                        {KEY_DOWN, 4, true},   {KEY_LEFT, 3, true},   {KEY_HOME, 0, false},
                        {KEY_UP, 0, false},    {KEY_END, 4, true},    {KEY_UP, 2, true}};
  for (const Step& s : steps) {
    Key(s.key);
    EXPECT_EQ(grid->GetCurrentMinimap(), s.selected) << s.key;
    EXPECT_EQ(grid->GetVScroll() > 0, s.scrolled) << s.key;
    // The selected miniature is wholly in sight.
    CFerroRect shown;
    grid->GetMinimap(s.selected)->GetAbsoluteWindowRect(&shown);
    EXPECT_EQ(shown.Intersection(grid->GetClipRect()), shown) << s.key;
  }
  Key(KEY_HOME);
  std::vector<unsigned> order;
  for (int i = 0; i < 8; ++i) {
    Key(KEY_TAB);
    order.push_back(Manager()->GetFocusItem()->GetId());
  }
  // "Up" is disabled with the first map selected.
  EXPECT_EQ(order, (std::vector<unsigned>{10, 8, 9, 12, 13, 14, CMD_MINIMAPS, 10}));

  // Enter on the grid edits the selected map.
  Chord(KEY_LSHIFT, KEY_TAB);  // back to the grid
  Key(KEY_RIGHT);
  Key(KEY_RETURN);
  ASSERT_EQ(game.GetCurrentSceneIndex(), SCENE_EDITOR);
  EXPECT_EQ(map->fileName, list->names[1]);
}

// In the editor the arrows move a square cursor; Space held while it moves
// paints one stroke and Delete erases one, each a single undo step; Page
// Up and Page Down (the pad's shoulders) choose the kind; Tab reaches Save.
TEST_F(EditorTest, AKeyboardStrokeIsOneUndoStep) {
  CreateMap();
  ASSERT_EQ(Editor()->GetFocusItem(), Editor());
  Key(KEY_RIGHT);
  Key(KEY_DOWN);
  EXPECT_EQ(std::make_pair(Editor()->GetCursorX(), Editor()->GetCursorY()), std::make_pair(1, 1));
  // The cursor stays on the map.
  for (int i = 0; i < 3; ++i) Key(KEY_UP);
  EXPECT_EQ(Editor()->GetCursorY(), 0);

  Key(KEY_PAGE_DOWN);  // floor
  game.PlatformKeyDown(KEY_SPACE, 0);
  Key(KEY_RIGHT);
  Key(KEY_RIGHT);
  game.PlatformKeyUp(KEY_SPACE);
  Key(KEY_RIGHT);  // moving on without Space paints nothing
  EXPECT_EQ(Text().substr(0, 6), ".===..");
  EXPECT_EQ(history->GetCount(), 1);
  Key(KEY_PAGE_UP);
  Key(KEY_PAGE_UP);  // round to the alien start, the last kind
  EXPECT_EQ(map->paletteCode, CELL_ALIEN);
  game.PlatformKeyDown(KEY_DELETE, 0);
  Key(KEY_LEFT);
  Key(KEY_LEFT);
  game.PlatformKeyUp(KEY_DELETE);
  EXPECT_EQ(Text().substr(0, 6), ".=....");
  EXPECT_EQ(history->GetCount(), 2);
  Chord(KEY_LCONTROL, KEY_Z);
  EXPECT_EQ(Text().substr(0, 6), ".===..");
  Chord(KEY_LCONTROL, KEY_Z);
  EXPECT_EQ(map->CountCells(CELL_EMPTY), 600);

  // Tab moves to Save (Space there saves), an arrow comes back to the map.
  Key(KEY_TAB);
  EXPECT_EQ(Editor()->GetFocusItem()->GetId(), static_cast<unsigned>(CMD_EDITOR_SAVE));
  Key(KEY_RIGHT);
  EXPECT_EQ(Editor()->GetFocusItem(), Editor());
  EXPECT_EQ(Editor()->GetCursorX(), 3);
}

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "GUI/foundation/FerroRandom.h"
#include "GUI/graphics/GSurface.h"
#include "game/app/CUndoRedo.h"
#include "game/app/GButtonDM.h"
#include "game/app/GDialogMaps.h"
#include "game/app/GDialogSaveLoad.h"
#include "game/app/GPictureMinimap.h"
#include "game/app/GSceneMapEditor.h"
#include "game/app/GSceneMapsManager.h"
#include "game/model/GCell.h"
#include "game/model/GMap.h"
#include "game/model/GMapList.h"
#include "game/model/GMapText.h"
#include "game/model/GSavedGame.h"
#include "tests/support/Files.h"
#include "tests/support/GameAppFixture.h"
#include "tests/support/Scoped.h"

namespace fs = std::filesystem;

namespace {

using Names = std::vector<std::string>;

// The whole game with the first five shipped maps, entering the maps manager
// and the editor as the player does. The player's maps are the copies in the
// per-user folder; the shipped ones must be exactly as shipped after every
// test.
class EditorTest : public GameTest {
 protected:
  EditorTest() : GameTest(true, true) {}
  void SetUp() override {
    GameTest::SetUp();
    ASSERT_TRUE(list->Load());
    ASSERT_GE(list->GetCount(), 5);
    while (list->GetCount() > 5) {
      fs::remove(MapsFolder() + list->names.back().c_str());
      list->Delete(list->GetCount() - 1);
    }
  }
  void TearDown() override {
    GameTest::TearDown();
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

  GSceneMapEditor* Editor() { return static_cast<GSceneMapEditor*>(game.GetScene(SCENE_EDITOR)); }
  GSceneMapsManager* Manager() {
    return static_cast<GSceneMapsManager*>(game.GetScene(SCENE_MAPS));
  }
  GDialogMaps* Grid() { return Manager()->GetMaps(); }
  void Run(unsigned command) { GButtonDM::RunCommand(command, game.GetScene()); }
  void Select(int i) { Grid()->GetMinimap(i)->OnLButtonClick(0, -1, -1); }
  bool Enabled(unsigned command) { return Manager()->Find(command)->IsEnabled(); }
  static Names Listed(const GMapList& of) {
    Names names;
    for (const CFerroString& name : of.names) names.emplace_back(name.c_str());
    return names;
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
  void Stroke(const std::vector<std::pair<int, int>>& squares, int button = KEY_MOUSE_LEFT) {
    Point(squares.front().first, squares.front().second);
    game.PlatformKeyDown(button, 0);
    for (const auto& [cx, cy] : squares) Point(cx, cy);
    game.PlatformKeyUp(button);
  }
  void Paint(int code, int cx, int cy) {
    map->paletteCode = code;
    Stroke({{cx, cy}});
  }
  // Ctrl with key, and Shift too when shifted: Ctrl+Z undoes, Ctrl+Shift+Z
  // and Ctrl+Y redo.
  void Shortcut(unsigned key, bool shifted = false) {
    game.PlatformKeyDown(KEY_LCONTROL, 0);
    if (shifted) game.PlatformKeyDown(KEY_LSHIFT, 0);
    Key(key);
    if (shifted) game.PlatformKeyUp(KEY_LSHIFT);
    game.PlatformKeyUp(KEY_LCONTROL);
  }
  void Undo() { Shortcut(KEY_Z); }
  std::string Text() { return GMapText::FromMap(*map); }
  int CellAt(int x, int y) { return map->GetCell(x, y)->GetType(); }

  // The snapshot files in the temporary folder.
  size_t UndFiles() {
    size_t found = 0;
    for (const auto& entry : fs::directory_iterator(game.GetPlatform()->GetPathToTemp().c_str()))
      found += entry.path().extension() == ".und";
    return found;
  }
  std::string MapsFolder() { return user / "Maps/"; }

  CTRLZ* history = CTRLZ::GetInstance();
};

}  // namespace

// The maps manager, entered with an empty grid, brings the list in line with
// the folder as it is then, and the grid follows the list.
TEST_F(EditorTest, TheListFollowsTheMapsFolder) {
  const std::string maps = MapsFolder();
  const auto followed = [this] {
    list->FollowFolder();
    Grid()->FollowList();
    return Listed(*list);
  };
  game.SetScene(SCENE_MAPS);
  // A file added, the first and the last removed outside the game; another
  // file type is passed over.
  fs::copy_file(maps + "level01.dmm", maps + "added.dmm");
  fs::remove(maps + "level01.dmm");
  fs::remove(maps + "level05.dmm");
  WriteText(maps + "notes.txt", "not a map");
  const Names kept = {"level02.dmm", "level03.dmm", "level04.dmm", "added.dmm"};
  EXPECT_EQ(followed(), kept);
  EXPECT_EQ(Listed(GMapList()), kept);  // the index file says the same
  EXPECT_EQ(std::pair(Grid()->GetMinimapCount(), Grid()->GetMinimap(3)->GetMapName()),
            std::pair(4, CFerroString("added.dmm")));
  EXPECT_EQ(Grid()->GetCurrentMinimap(), 0)
      << "the selected first map left: its follower is selected";
  // A folder that cannot be listed keeps the index as it was.
  fs::rename(maps, user / "Maps.away");
  EXPECT_EQ(followed(), kept);
  fs::rename(user / "Maps.away", maps);
  EXPECT_EQ(Listed(GMapList()), kept);

  // A folder of more than three hundred maps loses none.
  ASSERT_TRUE(GMapText::ToMap("#.\n.$\n", *map));
  for (int i = 0; i < 305; ++i)
    ASSERT_TRUE(map->SaveToFile(("m" + std::to_string(i) + ".dmm").c_str()));
  followed();
  EXPECT_EQ(std::pair(list->GetCount(), Grid()->GetMinimapCount()), std::pair(309, 309));
  EXPECT_EQ(game.GetPlatform()->GetNextFile(), nullptr);  // no search is left open
}

// The third map goes up, then down twice; Up on the first and Down on the
// last are disabled and change nothing.
TEST_F(EditorTest, UpAndDownMoveMapsInTheLevelOrder) {
  game.SetScene(SCENE_MAPS);
  Select(2);
  Run(CMD_MAP_UP);
  EXPECT_EQ(Grid()->GetCurrentMinimap(), 1);
  Run(CMD_MAP_DOWN);
  Run(CMD_MAP_DOWN);
  for (int end : {0, 4}) {
    Select(end);
    EXPECT_EQ(std::pair(Enabled(CMD_MAP_UP), Enabled(CMD_MAP_DOWN)), std::pair(end > 0, end == 0));
    Run(end == 0 ? CMD_MAP_UP : CMD_MAP_DOWN);
  }
  EXPECT_EQ(Listed(*list),
            (Names{"level01.dmm", "level02.dmm", "level04.dmm", "level03.dmm", "level05.dmm"}));
  EXPECT_EQ(Listed(GMapList()), Listed(*list));
}

// Only OK destroys; the map after the destroyed one is selected then, or the
// one before it when it was the last.
TEST_F(EditorTest, DestroyAsksFirstAndSelectsTheNeighbour) {
  game.SetScene(SCENE_MAPS);
  Select(1);
  EXPECT_TRUE(Answered(SDL_SCANCODE_ESCAPE, [&] { Run(CMD_DESTROY_MAP); }));
  EXPECT_TRUE(fs::exists(MapsFolder() + "level02.dmm"));
  const struct {
    int destroyed;
    const char* name;
    int selected;
  } steps[] = {{1, "level02.dmm", 1}, {3, "level05.dmm", 2}, {0, "level01.dmm", 0}};
  for (const auto& step : steps) {
    SCOPED_TRACE(step.name);
    Select(step.destroyed);
    EXPECT_TRUE(Answered(SDL_SCANCODE_RETURN, [&] { Run(CMD_DESTROY_MAP); }));
    EXPECT_EQ(Where(), "maps");
    EXPECT_FALSE(fs::exists(MapsFolder() + step.name));
    EXPECT_EQ(list->GetMapGameIndex(step.name), -1);
    EXPECT_EQ(Grid()->GetMinimapCount(), list->GetCount());
    EXPECT_EQ(Grid()->GetCurrentMinimap(), step.selected);
    EXPECT_TRUE(Enabled(CMD_DESTROY_MAP) && Enabled(CMD_EDIT_MAP) && Enabled(CMD_TEST_MAP));
  }
  EXPECT_EQ(Listed(*list), (Names{"level03.dmm", "level04.dmm"}));
}

TEST_F(EditorTest, AMiniatureIsTheMapReducedNearestNeighbour) {
  // One brick in the top-left square of an otherwise empty 30 x 20 map.
  map->Create(30, 20);
  map->SetCell(0, 0, CELL_BRICK);
  ASSERT_TRUE(map->SaveToFile("one.dmm"));
  game.SetScene(SCENE_MAPS);
  ASSERT_EQ(list->names.back(), CFerroString("one.dmm"));
  GSurface* picture = Grid()->GetMinimap(5)->GetImage();
  GSurface* icon = map->GetCell(0, 0)->GetIcon();  // the map holds one.dmm again
  ASSERT_TRUE(picture && icon);
  const int w = picture->GetWidth(), h = picture->GetHeight();
  int brickPixels = 0, mismatches = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const int srcX = static_cast<int>(static_cast<float>(x) * (960.0f / static_cast<float>(w)));
      const int srcY = static_cast<int>(static_cast<float>(y) * (640.0f / static_cast<float>(h)));
      SURFACE_RGB got{}, want{};
      picture->GetPixelRGB(x, y, &got);
      if (srcX < 32 && srcY < 32) icon->GetPixelRGB(srcX, srcY, &want), ++brickPixels;
      mismatches += got.r != want.r || got.g != want.g || got.b != want.b;
    }
  EXPECT_GT(brickPixels, 100);
  EXPECT_EQ(mismatches, 0);
}

TEST_F(EditorTest, AMapThatCannotBeReadIsNeitherEditedNorPlayed) {
  game.SetScene(SCENE_MAPS);
  ASSERT_TRUE(WriteText(MapsFolder() + "level02.dmm", "broken"));
  for (unsigned command : {CMD_EDIT_MAP, CMD_TEST_MAP}) {
    Select(1);
    EXPECT_TRUE(Answered(SDL_SCANCODE_RETURN, [&] { Run(command); })) << command;
    EXPECT_EQ(Where(), "maps") << command;
  }
}

TEST_F(EditorTest, StrokesPaintEraseAndAreOneStepEach) {
  CreateMap();
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
  EXPECT_EQ(std::pair(history->GetCount(), UndFiles()), std::pair(1, size_t{2}));
  const std::string painted = Text();
  // Clicking a square that already holds the kind changes nothing: no step, no file.
  Stroke({{1, 0}});
  EXPECT_EQ(std::pair(history->GetCount(), UndFiles()), std::pair(1, size_t{2}));

  // A right drag empties every square it crosses; one undo brings them all back.
  Stroke({{2, 0}, {5, 0}}, KEY_MOUSE_RIGHT);
  EXPECT_EQ(Text().substr(0, 10), ".#....#.#.");
  Undo();
  EXPECT_EQ(Text(), painted);

  // With Shift a drag spans a rectangle, shown as it will be while the
  // button is held, which the release fills as one step; the right button
  // empties one, and a drag beyond the map stops at its edge.
  map->paletteCode = CELL_FLOOR;
  game.PlatformKeyDown(KEY_LSHIFT, 0);
  Point(2, 1);
  game.PlatformKeyDown(KEY_MOUSE_LEFT, 0);
  Point(4, 3);
  game.GetScene()->OnRender();
  SURFACE_RGB shown{}, icon{};
  game.GetBackSurface()->GetPixelRGB(32 + 3 * 32 + 16, 10 + 2 * 32 + 16, &shown);
  GCellFloor().GetIcon()->GetPixelRGB(16, 16, &icon);
  EXPECT_EQ(std::tuple(shown.r, shown.g, shown.b, map->CountCells(CELL_FLOOR)),
            std::tuple(icon.r, icon.g, icon.b, 0));
  game.PlatformKeyUp(KEY_MOUSE_LEFT);
  EXPECT_EQ(std::pair(map->CountCells(CELL_FLOOR), history->GetCount()), std::pair(9, 2));
  Point(3, 2);
  game.PlatformKeyDown(KEY_MOUSE_RIGHT, 0);
  game.SetCursorPosition(1020, 760);
  game.PlatformKeyUp(KEY_MOUSE_RIGHT);
  game.PlatformKeyUp(KEY_LSHIFT);
  EXPECT_EQ(std::pair(map->CountCells(CELL_FLOOR), history->GetCount()), std::pair(5, 3));
}

// Undo and redo walk the history by their keys and stop at its ends; a new
// stroke in the middle drops the redo branch and its files; the history keeps
// the last 300 strokes, back to the first kept one; leaving the editor drops it.
TEST_F(EditorTest, TheHistoryOfStrokes) {
  CreateMap();
  map->fileName = "kept.dmm";
  std::vector<std::string> after = {Text()};  // after[i]: the map after i strokes
  for (int i = 0; i < 3; ++i) Paint(CELL_BRICK, i, 0), after.push_back(Text());
  // z undoes (Ctrl+Z), Z redoes (Ctrl+Shift+Z), y too (Ctrl+Y); each with the
  // strokes the map then shows, from the oldest end to the newest and back.
  const std::pair<char, int> walk[] = {{'z', 2}, {'z', 1}, {'z', 0}, {'z', 0}, {'Z', 1},
                                       {'y', 2}, {'y', 3}, {'Z', 3}, {'z', 2}, {'z', 1}};
  for (const auto& [key, strokes] : walk) {
    Shortcut(key == 'y' ? KEY_Y : KEY_Z, key == 'Z');
    ASSERT_EQ(std::pair(Text(), history->GetCurrent()), std::pair(after[strokes], strokes - 1));
  }
  EXPECT_EQ(map->fileName, CFerroString("kept.dmm"));  // undo keeps the name
  std::vector<std::string> dropped;
  for (int i : {1, 2})
    for (const CFerroString& file :
         {history->GetStep(i)->GetUndoFile(), history->GetStep(i)->GetRedoFile()})
      dropped.emplace_back(file.c_str());
  Paint(CELL_LADDER, 9, 9);
  const std::string painted = Text();
  EXPECT_EQ(std::pair(history->GetCount(), history->GetCurrent()), std::pair(2, 1));
  for (const std::string& file : dropped) EXPECT_FALSE(fs::exists(file)) << file;
  EXPECT_EQ(UndFiles(), size_t{4});
  Shortcut(KEY_Y);
  EXPECT_EQ(Text(), painted) << "nothing to redo after a new stroke";
  // A snapshot file that went missing changes nothing when used.
  fs::remove(history->GetStep(1)->GetUndoFile().c_str());
  Undo();
  EXPECT_EQ(Text(), painted);

  // Full, the oldest step goes with its files; undone all the way, the map is
  // as the oldest kept step left it.
  CreateMap();
  for (int i = 0; i < CTRLZ::kSteps + 1; ++i) Paint(CELL_BRICK, i % 30, i / 30);
  EXPECT_EQ(std::tuple(history->GetCount(), history->GetCurrent(), UndFiles()),
            std::tuple(CTRLZ::kSteps, CTRLZ::kSteps - 1, size_t{2} * CTRLZ::kSteps));
  for (int i = 0; i < CTRLZ::kSteps + 1; ++i) history->Undo();
  EXPECT_EQ(std::pair(map->CountCells(CELL_BRICK), CellAt(0, 0)), std::pair(1, int{CELL_BRICK}));
  // Leaving the editor drops the history and every file.
  game.SetScene(SCENE_MAPS);
  EXPECT_EQ(std::pair(history->GetCount(), UndFiles()), std::pair(0, size_t{0}));
}

// A save that fails, into a folder that cannot be written or at its last step
// (a folder in the file's place), tells the player and keeps the map and its
// history in the editor. A new map saved gets a fresh name (a file of that
// name survives, even one put there while the map was edited) and joins the
// end of the level order, selected; saved again it is written over the same
// file.
TEST_F(EditorTest, SavingANewMapNamesItFreshlyAndSavingAgainWritesTheSameFile) {
  // With the clock standing still, the first name drawn is known.
  game.Platform()->fixedTick = 4242;
  SetRndIndex(4242);
  std::string taken;
  for (int i = 0; i < 10; ++i) taken += static_cast<char>('0' + GetRndInt(0, 9));
  taken += ".dmm";
  CreateMap();
  fs::copy_file(MapsFolder() + "level01.dmm", MapsFolder() + taken);
  Paint(CELL_UNIT, 3, 5);
  Paint(CELL_TREASURE, 6, 6);
  const std::string edited = Text();
  fs::rename(MapsFolder(), user / "Maps.away");
  EXPECT_TRUE(Answered(SDL_SCANCODE_RETURN, [&] { Run(CMD_EDITOR_SAVE); }));
  EXPECT_EQ(std::pair(Where(), Text()), std::pair(std::string("editor"), edited));
  EXPECT_EQ(std::pair(list->GetCount(), map->fileName), std::pair(5, CFerroString()));
  Undo();  // the history is still there
  EXPECT_EQ(map->CountCells(CELL_TREASURE), 0);

  fs::rename(user / "Maps.away", MapsFolder());
  Run(CMD_EDITOR_SAVE);
  ASSERT_EQ(game.GetCurrentSceneIndex(), SCENE_MAPS);
  const std::string name = list->names.back().c_str();
  EXPECT_NE(name, taken);
  EXPECT_EQ(ReadText(MapsFolder() + taken), ReadText(MapsFolder() + "level01.dmm"));
  EXPECT_EQ(Grid()->GetCurrentMinimap(), 5);

  // Edited again: a save whose file cannot take its new content keeps the
  // editor; once it can, the same file and the same list.
  Run(CMD_EDIT_MAP);
  EXPECT_EQ(std::pair(CellAt(3, 5), CellAt(6, 6)), std::pair(int{CELL_UNIT}, int{CELL_EMPTY}));
  Paint(CELL_BRICK, 0, 19);
  const std::string file = MapsFolder() + name;
  fs::remove(file);
  ASSERT_TRUE(WriteText(file + "/inside", "a folder in the map's place"));
  EXPECT_TRUE(Answered(SDL_SCANCODE_RETURN, [&] { Run(CMD_EDITOR_SAVE); }));
  EXPECT_EQ(std::pair(Where(), history->GetCount()), std::pair(std::string("editor"), 1));
  fs::remove_all(file);
  Run(CMD_EDITOR_SAVE);
  EXPECT_EQ(std::pair(list->names.back(), list->GetCount()),
            std::pair(CFerroString(name.c_str()), 6));
  Run(CMD_EDIT_MAP);
  EXPECT_EQ(std::pair(map->fileName, CellAt(0, 19)),
            std::pair(CFerroString(name.c_str()), int{CELL_BRICK}));
}

// A test run, and a saved game loaded, start with no stroke of the editor
// open, as every way into play does; a test run is marked as one.
TEST_F(EditorTest, PlayStartsWithoutAnOpenStroke) {
  game.SetScene(SCENE_MAPS);
  Select(2);
  map->pendingUndo = std::make_unique<CUndoRedo>();
  Run(CMD_TEST_MAP);
  EXPECT_EQ(std::tuple(Where(), list->currentName, map->testMode),
            std::tuple(std::string("game"), CFerroString("level03.dmm"), true));
  EXPECT_EQ(map->pendingUndo, nullptr);
  map->SetCell(0, 0, CELL_LADDER);  // digging in the game is no stroke of the editor
  EXPECT_EQ(map->pendingUndo, nullptr);
  // Quitting from the in-game menu returns to the maps manager, the selection kept.
  Run(CMD_GAME_MENU);
  GButtonDM::RunCommand(CMD_QUIT_TO_MENU, game.modal);
  EXPECT_EQ(std::pair(Where(), Grid()->GetCurrentMinimap()), std::pair(std::string("maps"), 2));
  ASSERT_TRUE(SaveGameToFile(GDialogSaveLoad::GetSlotPath(1).c_str()));

  map->pendingUndo = std::make_unique<CUndoRedo>();
  Run(CMD_LOAD_GAME);
  game.modal->Find(1u)->OnLButtonClick(0, -1, -1);
  EXPECT_EQ(std::tuple(Where(), map->testMode, map->state),
            std::tuple(std::string("game"), false, int{GMap::STATE_PLAYING}));
  EXPECT_EQ(map->pendingUndo, nullptr);
}

// Cancel, and Escape which clicks it, leave an unchanged map at once but ask
// before throwing changes away; only OK discards them. A double click opens a
// map.
TEST_F(EditorTest, CancelAsksBeforeDiscardingChanges) {
  CreateMap();
  Run(CMD_EDITOR_CANCEL);  // nothing changed: no question
  EXPECT_EQ(game.GetCurrentSceneIndex(), SCENE_MAPS);
  // A double click on a miniature (its first click selects it) edits its map.
  CFerroRect shown;
  Grid()->GetMinimap(1)->GetAbsoluteWindowRect(&shown);
  game.SetCursorPosition(shown.left + 20, shown.top + 20);
  Key(KEY_MOUSE_LEFT);
  game.PlatformKeyDown(KEY_MOUSE_LEFT, 0);
  game.SysOnLButtonDblClk();
  game.PlatformKeyUp(KEY_MOUSE_LEFT);
  ASSERT_EQ(std::pair(Where(), map->fileName),
            std::pair(std::string("editor"), CFerroString("level02.dmm")));
  const std::string opened = Text();
  Paint(CELL_LADDER, 4, 4);
  const std::string edited = Text();
  ASSERT_NE(edited, opened);
  EXPECT_TRUE(Answered(SDL_SCANCODE_ESCAPE, [&] { Key(KEY_ESCAPE); }));
  EXPECT_EQ(Where(), "editor");
  EXPECT_EQ(Text(), edited);
  EXPECT_TRUE(Answered(SDL_SCANCODE_RETURN, [&] { Key(KEY_ESCAPE); }));
  EXPECT_EQ(game.GetCurrentSceneIndex(), SCENE_MAPS);
  Run(CMD_EDIT_MAP);
  EXPECT_EQ(Text(), opened);                // nothing was saved
  EXPECT_EQ(map->paletteCode, CELL_BRICK);  // each editing begins with the first kind
}

// The maps manager without the mouse (the e2e keys script selects with
// Right, edits with Enter and reaches Exit with Shift+Tab): the arrows move
// the selection, scrolling it into sight, and stop at the ends; Escape goes
// back to the main menu, from the miniatures and from a button alike.
TEST_F(EditorTest, TheMapsManagerByKeys) {
  game.SetScene(SCENE_MAPS);
  GDialogMaps* grid = Grid();
  ASSERT_EQ(grid->columns, 2);  // the fifth map is out of sight before the grid scrolls
  const std::pair<unsigned, int> steps[] = {{KEY_DOWN, 2}, {KEY_DOWN, 4}, {KEY_DOWN, 4},
                                            {KEY_HOME, 0}, {KEY_UP, 0},   {KEY_END, 4}};
  for (const auto& [key, selected] : steps) {
    Key(key);
    CFerroRect shown;
    grid->GetMinimap(selected)->GetAbsoluteWindowRect(&shown);
    EXPECT_EQ(std::pair(grid->GetCurrentMinimap(), shown.Intersection(grid->GetClipRect())),
              std::pair(selected, shown))
        << key;
  }
  for (bool onButton : {false, true}) {
    game.SetScene(SCENE_MAPS);
    if (onButton) Key(KEY_TAB);
    ASSERT_EQ(Manager()->GetFocusItem() == grid, !onButton);
    Key(KEY_ESCAPE);
    EXPECT_EQ(Where(), "menu") << onButton;
  }
}

// In the editor the arrows move a square cursor (the e2e keys script paints
// a square with it and reaches Save with Tab); Space held while it moves
// paints one stroke and Delete erases one, each a single undo step, as does
// a rectangle Shift stretches; Page Down (a pad's shoulder) chooses the next
// kind, the digits choose theirs.
TEST_F(EditorTest, AKeyboardStrokeIsOneUndoStep) {
  CreateMap();
  Key(KEY_UP);  // the cursor stays on the map, or the stroke below would start off it
  Key(KEY_LEFT);
  Key(KEY_RIGHT);
  Key(KEY_PAGE_DOWN);  // floor
  game.PlatformKeyDown(KEY_SPACE, 0);
  Key(KEY_RIGHT);
  Key(KEY_RIGHT);
  game.PlatformKeyUp(KEY_SPACE);
  Key(KEY_RIGHT);  // moving on without Space paints nothing
  EXPECT_EQ(Text().substr(0, 6), ".===..");
  EXPECT_EQ(history->GetCount(), 1);
  game.PlatformKeyDown(KEY_DELETE, 0);
  Key(KEY_LEFT);
  Key(KEY_LEFT);
  game.PlatformKeyUp(KEY_DELETE);
  EXPECT_EQ(Text().substr(0, 6), ".=....");
  EXPECT_EQ(history->GetCount(), 2);
  Key(KEY_1 + 5);  // "6"
  Key(KEY_9);      // there is no ninth kind
  EXPECT_EQ(map->paletteCode, CELL_EXIT);

  // Shift with the arrows stretches a rectangle from the cursor (2, 0), which
  // Space fills as one step; an arrow without Shift drops one.
  Key(KEY_1);
  game.PlatformKeyDown(KEY_LSHIFT, 0);
  Key(KEY_RIGHT);
  Key(KEY_DOWN);
  game.PlatformKeyUp(KEY_LSHIFT);
  CFerroRect squares;
  ASSERT_TRUE(Editor()->GetRectangle(squares));
  EXPECT_EQ(squares, CFerroRect(2, 0, 4, 2));
  Key(KEY_SPACE);
  EXPECT_EQ(std::pair(map->CountCells(CELL_BRICK), history->GetCount()), std::pair(4, 3));
  game.PlatformKeyDown(KEY_LSHIFT, 0);
  Key(KEY_LEFT);
  game.PlatformKeyUp(KEY_LSHIFT);
  Key(KEY_LEFT);
  EXPECT_EQ(std::pair(Editor()->GetRectangle(squares), Editor()->GetCursorX()),
            std::pair(false, 1));
}

// Check searches a win for the map as it stands, unsaved, in the check
// program while the editor goes on; Show plays the win in the game scene as a
// replay ("SOLUTION", any key ends it), and the editor comes back with the
// map, its name, the chosen kind and its history as they were, the undone
// stroke still there to redo. The solution played to its end comes back too.
TEST_F(EditorTest, CheckShowAndBackInTheEditorAsItWas) {
  CreateMap();
  const std::string dots = std::string(23, '.') + "\n", floor = std::string(23, '=') + "\n";
  std::string rows = "R....XH" + dots + "=#===.H" + floor + ".$....H" + dots + "=======" + floor;
  for (int y = 4; y < 20; ++y) rows += std::string(7, '.') + dots;
  ASSERT_TRUE(GMapText::ToMap(rows, *map));
  map->fileName = "mine.dmm";
  Paint(CELL_LADDER, 10, 10);
  Paint(CELL_BRICK, 12, 12);
  const std::string painted = Text();
  Undo();
  Key(KEY_1 + 3);  // the ladder
  const std::string edited = Text();
  for (int shown = 0; shown < 2; ++shown) {
    SCOPED_TRACE(shown ? "played to its end" : "ended by a key");
    Run(CMD_EDITOR_CHECK);
    const GMapCheck& check = Editor()->checkDialog.GetCheck();
    for (int i = 0; i < 20000 && check.GetState() == GMapCheck::State::running; ++i) {
      game.PlatformTimer();
      SDL_Delay(3);
    }
    ASSERT_EQ(game.modal, &Editor()->checkDialog);
    EXPECT_STREQ(check.AnswerText().c_str(), "This map can be won in 0:05 with 1 hole dug.");
    GButtonDM::RunCommand(CMD_CHECK_SHOW, game.modal);
    ASSERT_EQ(Where(), "game");
    CFerroString texts[GSceneGame::STATUS_TEXTS];
    Play()->GetStatusTexts(texts);
    // The map is not in the level order: no level number.
    EXPECT_EQ(std::tuple(texts[GSceneGame::STATUS_LEVEL], texts[GSceneGame::STATUS_SCORE],
                         texts[GSceneGame::STATUS_BOTTOM]),
              std::tuple(CFerroString(), CFerroString("SOLUTION"),
                         CFerroString("Press any key to return")));
    for (int tick = 0; tick < 2000 && Where() == "game"; ++tick) {
      game.PlatformTimer();
      if (tick == 20 && !shown) Key(KEY_A);
    }
    EXPECT_EQ(Where(), "editor");
    EXPECT_EQ(std::tuple(Text(), map->fileName, map->paletteCode),
              std::tuple(edited, CFerroString("mine.dmm"), int{CELL_LADDER}));
    EXPECT_EQ(std::pair(history->GetCount(), history->GetCurrent()), std::pair(2, 0));
  }
  Shortcut(KEY_Y);
  EXPECT_EQ(Text(), painted);
}

// A map file dropped on the window (or given on the command line) joins the
// end of the level order: from the main menu the maps manager opens with it
// selected and a line saying so; during play a box says so and the player
// stays. A file that is no map is refused in a box, and nothing changes.
// Export writes the selected map into the documents folder and says
// where.
TEST_F(EditorTest, ImportedMapsJoinTheEndAndExportsSayWhere) {
  const std::string travel = user / "travel.dmm";
  fs::copy_file(MapsFolder() + "level03.dmm", travel);
  SDL_Event drop{};
  drop.type = SDL_DROPFILE;
  drop.drop.file = SDL_strdup(travel.c_str());
  SDL_PushEvent(&drop);
  PlayUntilClosed(game);
  game.PlatformTimer();
  ASSERT_EQ(std::pair(Where(), list->GetCount()), std::pair(std::string("maps"), 6));
  const std::string name = list->names.back().c_str();
  EXPECT_EQ(ReadText(MapsFolder() + name), ReadText(travel));
  EXPECT_EQ(Grid()->GetCurrentMinimap(), 5);
  EXPECT_EQ(
      Manager()->GetNote(),
      CFerroString(("Imported travel.dmm as " + name + ", the last level of the order.").c_str()));

  const auto told = [this](const std::string& path) {
    game.ImportMap(CFerroString(path.c_str()));
    game.PlatformTimer();
    const std::string text = game.modal ? TestGameDM::BoxText(*game.modal) : "no box";
    if (game.modal) game.modal->EndModal(0);
    return text;
  };
  WriteText(user / "notes.dmm", "not a map");
  EXPECT_EQ(told(user / "notes.dmm"), "notes.dmm is not a Digmaze map; nothing was imported.");
  EXPECT_EQ(list->GetCount(), 6);
  Run(CMD_TEST_MAP);
  ASSERT_EQ(Where(), "game");
  EXPECT_EQ(told(travel).substr(0, 22), "Imported travel.dmm as");
  EXPECT_EQ(std::pair(Where(), list->GetCount()), std::pair(std::string("game"), 7));

  game.SetScene(SCENE_MAPS);
  EXPECT_EQ(Manager()->GetNote(), CFerroString()) << "the line goes with the visit it told";
  ScopedEnv home("HOME", user.Path().c_str()), config("XDG_CONFIG_HOME", nullptr);
  Select(0);
  Run(CMD_MAPS_EXPORT);
  EXPECT_EQ(ReadText(user / "digmaze-level01.dmm"), ReadText(MapsFolder() + "level01.dmm"));
  EXPECT_EQ(Manager()->GetNote(),
            CFerroString(("Exported to " + user.Path() + "digmaze-level01.dmm.").c_str()));
}

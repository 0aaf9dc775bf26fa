// The whole campaign played in the game, level after level, by the keys of
// the shipped replays: the game scene's key handlers, its level timing and
// its move to the next level, as a player at the keyboard would drive them.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "GUI/toolkit/InputCodes.h"
#include "game/app/GButtonDM.h"
#include "game/app/GSceneGame.h"
#include "game/app/GSceneMenu.h"
#include "game/model/ANIMATION_LIST_UNIT.h"
#include "game/model/GMap.h"
#include "game/model/GMapList.h"
#include "game/sim/GSimulation.h"
#include "tests/support/Files.h"
#include "tests/support/GameAppFixture.h"

namespace fs = std::filesystem;

namespace {

TEST(CampaignPlaytest, EveryLevelIsWonInTheGameByItsReplayOneAfterAnother) {
  GameFolder folder(true);
  TestGameDM game{folder.Path()};
  ASSERT_TRUE(game.CreateGame(nullptr, 0, 0));
  GMap* map = GMap::GetInstance();
  GMapList* list = GMapList::GetInstance();
  ANIMATION_LIST_UNIT* units = ANIMATION_LIST_UNIT::GetInstance();
  auto* play = static_cast<GSceneGame*>(game.GetScene(SCENE_GAME));
  GButtonDM::RunCommand(CMD_START_GAME, game.GetScene(SCENE_MENU));
  ASSERT_EQ(game.GetCurrentSceneIndex(), SCENE_GAME);

  // Where a player sees each won level: set DIGMAZE_PLAYTEST_SHOTS to a folder.
  const char* shots = std::getenv("DIGMAZE_PLAYTEST_SHOTS");
  const int levels = list->GetCount();
  ASSERT_GE(levels, 30);
  int lives = units->lives;
  for (int level = 0; level < levels; ++level) {
    const std::string name = list->names[level].c_str();
    SCOPED_TRACE(name);
    ASSERT_EQ(list->currentName, list->names[level]);
    ASSERT_EQ(map->state, GMap::STATE_WAITING);
    const std::string stem = fs::path(name).stem().string();
    const std::string script = ReadText(SourceDir() / "tools/levels/replays" / (stem + ".txt"));
    std::vector<SIM_EVENT> events;
    std::string error;
    ASSERT_TRUE(GSimulation::ParseScript(script, events, error)) << error;

    // The keys go in at the level's tick, as the player pressed them when
    // the replay was made; the frame's timer calls OnUpdate once a tick.
    size_t next = 0;
    for (int update = 0; update < 20000 && map->state != GMap::STATE_WON; ++update) {
      for (; next < events.size() && events[next].tick <= map->tick; ++next) {
        const int key = static_cast<int>(events[next].key);
        if (events[next].down)
          game.PlatformKeyDown(key, 0);
        else
          game.PlatformKeyUp(key);
      }
      play->OnUpdate();
      ASSERT_NE(map->state, GMap::STATE_CAUGHT) << "caught at tick " << map->tick;
    }
    ASSERT_EQ(map->state, GMap::STATE_WON) << "not won by tick " << map->tick;
    EXPECT_GE(units->lives, lives) << "a life lost on the way";
    if (shots) {
      game.SysOnRender();
      game.GetBackSurface()->SaveTGA((fs::path(shots) / (stem + ".tga")).c_str());
    }
    // The scene holds the won level still, then starts the next one.
    for (int update = 0; update < 1000 && list->currentName == list->names[level]; ++update)
      play->OnUpdate();
    lives = units->lives;
  }
  // After the last level the game congratulates the player.
  for (int update = 0; update < 1000 && !game.modal; ++update) play->OnUpdate();
  EXPECT_EQ(game.modal, &play->victoryBox);
  while (game.modal) game.modal->EndModal(0);
}

}  // namespace

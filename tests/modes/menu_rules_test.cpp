// The rules of the menu scenes that are plain functions: visible menu items, the
// scene music, option values, the challenge list, and moving on the world map.
#include <gtest/gtest.h>

#include "data/save_data.h"
#include "data/system_data.h"
#include "data/world_map.h"
#include "modes/challenge_scene.h"
#include "modes/menu_scene.h"
#include "modes/option_scene.h"
#include "modes/world_map_rules.h"

namespace {

cVector<cEdMenuItem> MenuShowing(std::initializer_list<int> shown, int count) {
  cVector<cEdMenuItem> menu(static_cast<size_t>(count));
  for (cEdMenuItem& m : menu) m.bShow = 0;
  for (int i : shown) menu[static_cast<size_t>(i)].bShow = 1;
  return menu;
}

TEST(MenuRules, VisibleItemsAreTheShownOnesInOrderOrItemZeroAlone) {
  EXPECT_EQ(VisibleMenuItems(MenuShowing({0, 6}, 7), 7), (std::vector<int>{0, 6}));
  EXPECT_EQ(VisibleMenuItems(MenuShowing({}, 7), 7), (std::vector<int>{0}));
  EXPECT_EQ(VisibleMenuItems(MenuShowing({1, 2, 3, 4, 5}, 6), 4), (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(VisibleMenuItems(cVector<cEdMenuItem>(), 4), (std::vector<int>{0}));
}

TEST(MenuRules, SceneMusicIsAskedForWhenItChangesOrIsSilence) {
  EXPECT_TRUE(SceneMusicWanted(3, 0));
  EXPECT_FALSE(SceneMusicWanted(3, 3));  // the same title music goes on
  EXPECT_TRUE(SceneMusicWanted(0, 0));   // number 0 stops the music every time
  EXPECT_TRUE(SceneMusicWanted(2, 3));
}

TEST(MenuRules, OptionValuesWrapAtBothEnds) {
  struct Case {
    int value, delta, min, max, expected;
  };
  const Case cases[] = {{23, 1, 0, 23, 0}, {0, -1, 0, 10, 10}, {5, 1, 0, 10, 6}, {1, 1, 0, 1, 0},
                        {3, -1, 0, 3, 2},  {-7, 1, 0, 3, 3},   {99, -1, 0, 10, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.value << " + " << c.delta);
    EXPECT_EQ(StepOptionValue(c.value, c.delta, c.min, c.max), c.expected);
  }
}

TEST(MenuRules, ChallengeListRowsAndFiles) {
  EXPECT_EQ(ChallengeVisibleRows(1, 0), 1);
  EXPECT_EQ(ChallengeVisibleRows(25, 20), 5);
  EXPECT_EQ(ChallengeVisibleRows(25, 0), 10);
  EXPECT_EQ(ChallengeVisibleRows(0, 0), 0);
  EXPECT_EQ(ChallengeVisibleRows(3, 5), 0);  // never negative
  EXPECT_EQ(ChallengeStagePath(1), "data\\stg4\\c01-1.stg4");
  EXPECT_EQ(ChallengeStagePath(12), "data\\stg4\\c12-1.stg4");
}

// A 6 x 4 map of passable chips with a wall chip at (3, 1); events at (1, 1) (a
// stage), (2, 2) (a wall entry) and (4, 2) (a stage behind a flag).
class WorldMapRules : public testing::Test {
 protected:
  void SetUp() override {
    m_map.SetSize(6, 4);
    m_map.Chips.assign(2, cEdWorldChip());
    m_map.Chips[1].bBlock = 1;
    for (int32_t& c : m_map.Cells) c = 0;
    m_map.Cells[static_cast<size_t>(WorldCellIndex(m_map, 3, 1))] = 1;
    m_map.Events.clear();
    AddEvent(1, 1, kWorldEntryStage, 0);
    AddEvent(2, 2, kWorldEntryWall, 0);
    AddEvent(4, 2, kWorldEntryStage, 7);
    m_save.Reset();
  }
  void AddEvent(int col, int row, int kind, int needFlag) {
    cEdWorldEvent e;
    e.nCol = col;
    e.nRow = row;
    e.Stages[0].nPassage = kind;
    e.Stages[0].nNeedFlag = needFlag;
    e.Stages[0].nStageNo = 5;
    m_map.Events.push_back(e);
  }
  cEdWorldMap m_map;
  cSaveData m_save;
};

TEST_F(WorldMapRules, MovesTurnTheFigureAndStopAtWallsChipsAndEdges) {
  struct Case {
    int col, row;
    uint16_t dirs;
    int toCol, toRow, facing;
    bool refused;
  };
  const Case cases[] = {
      {2, 1, 2, 2, 1, 3, true},    // a blocking chip: refused, but the figure turns right
      {2, 1, 8, 2, 1, 0, true},    // a wall entry blocks its cell
      {3, 2, 2, 4, 2, 3, false},   // an event without an active entry passes by its chip
      {0, 0, 1, 0, 0, 2, false},   // the map's edge keeps the cell
      {5, 3, 8, 5, 3, 0, false},
      {2, 0, 1 | 8, 1, 0, 2, false},  // left wins over down
      {1, 2, 4, 1, 1, 1, false},   // onto a stage
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "(" << c.col << "," << c.row << ") dirs " << c.dirs);
    const WorldMove m = MoveOnWorldMap(m_map, m_save, c.col, c.row, 0, c.dirs);
    EXPECT_TRUE(m.moved);
    EXPECT_EQ(m.refused, c.refused);
    EXPECT_EQ(m.col, c.toCol);
    EXPECT_EQ(m.row, c.toRow);
    EXPECT_EQ(m.facing, c.facing);
  }
  const WorldMove still = MoveOnWorldMap(m_map, m_save, 2, 1, 3, 0);
  EXPECT_FALSE(still.moved);
  EXPECT_EQ(still.facing, 3);
}

TEST_F(WorldMapRules, ActiveEntriesFollowFlagsVariablesAndTotals) {
  EXPECT_EQ(FindActiveStage(m_map, m_save, 4, 2), nullptr);
  m_save.Flags[7] = 1;
  EXPECT_NE(FindActiveStage(m_map, m_save, 4, 2), nullptr);
  EXPECT_EQ(FindActiveStage(m_map, m_save, 0, 0), nullptr);  // no event

  cEdWorldStage& s = m_map.Events[0].Stages[0];
  s.nVarNo = 3;
  m_save.CommonVars[3] = 5;
  s.nVarValue = 0;
  s.nVarCompare = 6;  // divisible by 0: passes
  EXPECT_NE(FindActiveStage(m_map, m_save, 1, 1), nullptr);
  s.nVarCompare = 7;  // not divisible by 0: fails
  EXPECT_EQ(FindActiveStage(m_map, m_save, 1, 1), nullptr);
  s.nVarCompare = 2;  // variable >= 4
  s.nVarValue = 4;
  EXPECT_NE(FindActiveStage(m_map, m_save, 1, 1), nullptr);
  s.nNeedTotal = 10;
  EXPECT_EQ(FindActiveStage(m_map, m_save, 1, 1), nullptr);
  m_save.nTotal = 10;
  EXPECT_NE(FindActiveStage(m_map, m_save, 1, 1), nullptr);
  // Numbers from a damaged map that the save data cannot hold never hold.
  s.nVarNo = 5000;
  EXPECT_EQ(FindActiveStage(m_map, m_save, 1, 1), nullptr);
  s.nVarNo = 0;
  s.nNeedFlag = 100000;
  EXPECT_EQ(FindActiveStage(m_map, m_save, 1, 1), nullptr);
}

TEST_F(WorldMapRules, ClearedStagesWaitForConfirmation) {
  cEdWorldStage& s = m_map.Events[0].Stages[0];
  EXPECT_FALSE(IsStageCleared(s, m_save));
  EXPECT_FALSE(StageNeedsConfirm(s, m_save));
  m_save.Flags[5] = 1;
  EXPECT_TRUE(IsStageCleared(s, m_save));
  EXPECT_TRUE(StageNeedsConfirm(s, m_save));
  m_save.Flags[5] = 0;
  s.bNoAutoStart = 1;
  EXPECT_TRUE(StageNeedsConfirm(s, m_save));
  s.nStageNo = -3;
  EXPECT_FALSE(IsStageCleared(s, m_save));
  s.nStageNo = 1000;
  EXPECT_FALSE(IsStageCleared(s, m_save));
  EXPECT_EQ(WorldStageHandleOf(m_map, &s), WorldStageHandle(0, 0));
  cEdWorldStage stranger;
  EXPECT_EQ(WorldStageHandleOf(m_map, &stranger), 0);
}

}  // namespace

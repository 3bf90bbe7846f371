// Items in play on fixture stages: definitions read through the loader with their
// links into the palettes, taken by the player with their sound and commands; the
// stop rules of an item's command list; the flow change of an item, applied at
// once or after the player's own flows; and an item that takes itself.
#include <string>
#include <vector>

#include "chara/command_param_table.h"
#include "chara/item_commands.h"
#include "tests/stage/play_step_fixture.h"

namespace {

using Rows = std::vector<std::string>;

// The player on the floor at column 2, row 8.
Rows Field() {
  Rows r(10, "");
  r[8] = "..P";
  r[9] = std::string(30, '#');
  return r;
}

cEdCommand ItemCommand(int type, std::vector<int> values = {}) {
  cEdCommand c;
  c.nSet = cEdCommand::kItemSet;
  c.nType = static_cast<uint8_t>(type);
  c.Values.assign(values.begin(), values.end());
  return c;
}
// Item types used here (the body they run in brackets).
cEdCommand Sound(int n) { return ItemCommand(20, {n}); }
cEdCommand StageClear() { return ItemCommand(2, {3, 0, 0, 0, 0, 0, 0, 0, 0}); }  // world clear
cEdCommand VanishSelf() { return ItemCommand(8, {0, 0, 0}); }                    // the player's HP becomes 0
cEdCommand TakeItem(int palette, int index) { return ItemCommand(10, {palette, index}); }

cEdFlow FlowOfGroup(int group, int id) {
  cEdFlow f;
  f.nGroup = static_cast<int8_t>(group);
  f.nID = static_cast<int8_t>(id);
  return f;
}
cEdCommand ChangeFlow(int mode, int group, std::vector<int> newIds) {
  cEdCommand c = ItemCommand(1, {mode, group});
  for (int id : newIds) c.Flows.push_back(FlowOfGroup(0, id));
  return c;
}

std::string Se(int n) { return "{\"ev\":\"se\",\"n\":" + std::to_string(n) + "}"; }

class ItemPlayTest : public PlayStepTest {
 protected:
  void SetUp() override {
    PlayStepTest::SetUp();
    Database.SoundList.resize(8);  // sounds 0 to 7 survive the definitions' checks
  }
  void TearDown() override {
    Database.SoundList.clear();
    PlayStepTest::TearDown();
  }
  std::vector<std::string> Sounds() const {
    std::vector<std::string> out;
    for (const std::string& e : Events())
      if (e.find("\"se\"") != std::string::npos) out.push_back(e);
    return out;
  }
  // The IDs of the player's flows in list order.
  std::vector<int> FlowIds() {
    std::vector<int> ids;
    for (const cEdFlow& f : P().m_Def.Flows) ids.push_back(f.nID);
    return ids;
  }
};

// The stage palette's entry 2 takes its picture, sound and commands from entry 1;
// the placed item takes them from entry 2. A second placed item links to an entry
// the palette lacks: its link is dropped and, with no picture, it is never taken.
TEST_F(ItemPlayTest, APlacedItemInheritsThroughThePaletteAndIsTakenWithItsCommands) {
  cEdStage s = Stage(Field()).Build();
  cEdItem source;
  source.nGraphic = 3;
  source.nSound = 2;
  source.bItemWindow = 0;
  source.Commands.push_back(Sound(5));
  source.Commands.push_back(StageClear());
  source.Commands.push_back(Sound(6));  // after the stage clear: never runs
  cEdItem middle;
  middle.nLinkKind = 2;
  middle.nLinkIndex = 1;
  middle.bItemWindow = 0;
  for (int g : {4, 11, 12}) middle.InheritFlags[static_cast<size_t>(g)] = 1;
  s.PaletteItems.resize(3);
  s.PaletteItems[1] = source;
  s.PaletteItems[2] = middle;
  cEdItem placed = middle;
  placed.nLinkIndex = 2;
  placed.nCol = 2;
  placed.nRow = 8;
  cEdItem dangling;
  dangling.nLinkKind = 2;
  dangling.nLinkIndex = 7;
  dangling.InheritFlags.assign(cEdItem::kGroups, 1);
  dangling.nCol = 2;
  dangling.nRow = 8;
  s.Items.push_back(dangling);
  s.Items.push_back(placed);
  Load(s);

  EXPECT_EQ(StageData.Items[0].nLinkKind, 0);
  EXPECT_EQ(StageData.Items[0].nLinkIndex, 0);
  ASSERT_EQ(StageData.Items[1].Commands.Count(), 3);
  EXPECT_EQ(StageData.Items[1].nGraphic, 3);
  EXPECT_EQ(StageData.Items[1].nSound, 2);

  for (int i = 0; i < 10 && m_Scene->m_nPhase != cStageScene::kStageClear; ++i) Steps(1);
  EXPECT_EQ(m_Scene->m_nPhase, cStageScene::kStageClear);
  // The item's sound (database sound 2 is entry 18), its command's sound 5, then
  // the stage clear's own sound; sound 6 after the clear never plays.
  EXPECT_EQ(Sounds(), (std::vector<std::string>{Se(18), Se(21), Se(14)}));
}

// A list stops after the stage clear (1) and as soon as the player's HP is 0 (2);
// types beyond the table, the loop and type 0 do nothing and the list goes on.
TEST_F(ItemPlayTest, AnItemListStopsAtTheStageClearAndAtTheDeathOfThePlayer) {
  struct Case {
    const char* name;
    std::vector<cEdCommand> list;
    int result;
    std::vector<std::string> sounds;
  };
  const std::vector<Case> cases = {
      {"clear", {StageClear(), Sound(2)}, 1, {}},
      {"death", {VanishSelf(), Sound(2)}, 2, {}},
      {"beyond", {ItemCommand(30), ItemCommand(255), ItemCommand(24), ItemCommand(0), Sound(2)}, 0, {Se(18)}},
  };
  Load(Stage(Field()).Build());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PlayTraceRedirect(m_Dir->Path() + "/trace.txt");
    P().m_nHP = 5;
    cVector<cEdCommand> list;
    for (const cEdCommand& cmd : c.list) list.push_back(cmd);
    EXPECT_EQ(P().RunItemCommands(list), c.result);
    EXPECT_EQ(Sounds(), c.sounds);
  }
}

// An arrange changes the command after it, on a copy (the list stays as it was),
// and is used up by that command whatever its type.
TEST_F(ItemPlayTest, AnArrangeChangesOnlyTheNextCommand) {
  BuildCommandParamTable();
  Load(Stage(Field()).Build());
  m_Scene->m_StageVars.At(1) = 4;
  const cEdCommand graphicFromStageVar1 = ItemCommand(23, {26, 0, 0, 1, 1});
  const cEdCommand graphic7 = ItemCommand(11, {1, 7, 0});
  cVector<cEdCommand> next;
  next.push_back(graphicFromStageVar1);
  next.push_back(graphic7);
  P().RunItemCommands(next);
  EXPECT_EQ(P().m_nGraphic, 4);
  EXPECT_EQ(next[1].Values[1], 7);
  cVector<cEdCommand> later;
  later.push_back(graphicFromStageVar1);
  later.push_back(Sound(1));
  later.push_back(graphic7);
  P().RunItemCommands(later);
  EXPECT_EQ(P().m_nGraphic, 7);
  EXPECT_TRUE(P().m_ItemArranges.empty());
}

// Flow changes on the player's flows A1 B2 A3 (group letter, ID) and one without
// a group (4): the flows a change adds are 8 and 9.
TEST_F(ItemPlayTest, AFlowChangeAddsReplacesOrRemovesAGroup) {
  struct Case {
    int mode, group;
    std::vector<int> ids;
  };
  const std::vector<Case> cases = {
      {0, 1, {1, 2, 3, 4, 8, 9}},  // add: at the end
      {1, 1, {8, 9, 2, 4}},        // change: where the first flow of A stood
      {1, 26, {1, 2, 3, 4, 8, 9}}, // change of a group with no flow: at the end
      {1, 0, {8, 9}},              // change of every flow
      {2, 1, {2, 4}},              // remove A
      {2, 0, {}},                  // remove every flow
      {3, 1, {1, 2, 3, 4}},        // no such mode
  };
  Load(Stage(Field()).Build());
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << c.mode << " group " << c.group);
    cVector<cEdFlow> flows;
    for (const auto& [group, id] : std::vector<std::pair<int, int>>{{1, 1}, {2, 2}, {1, 3}, {0, 4}})
      flows.push_back(FlowOfGroup(group, id));
    P().BuildFlowStates(flows, 0, -1);
    ExecChangeFlow(P(), ChangeFlow(c.mode, c.group, {8, 9}), 1);
    EXPECT_EQ(FlowIds(), c.ids);
    EXPECT_EQ(P().m_FlowStates.Count(), P().m_Def.Flows.Count());
  }
}

// An item taken by the player's own flow (take-item command) changes the flows
// only when the flow loop of that step has finished; taken outside the player's
// flows, at once.
TEST_F(ItemPlayTest, AFlowChangeMetWhileThePlayersFlowsRunWaitsForTheirEnd) {
  cEdStage s = Stage(Field()).Build();
  cEdItem adds;
  adds.nGraphic = 1;
  adds.Commands.push_back(ChangeFlow(1, 1, {8}));
  s.PaletteItems[1] = adds;
  Load(s);
  cEdFlow takes = FlowOfGroup(1, 1);
  takes.nTrigger = 0;
  cEdCommand take;
  take.nType = 25;  // the character command
  take.Values.assign({1, 1});
  takes.Commands.push_back(take);
  cVector<cEdFlow> flows;
  flows.push_back(takes);
  flows.push_back(FlowOfGroup(0, 2));
  P().BuildFlowStates(flows, 0, -1);

  // While the flows run the change waits in the list.
  m_Scene->m_pActor = static_cast<cChara*>(&P());
  EXPECT_EQ(P().RunItemCommands(StageData.PaletteItems[1].Commands), 0);
  EXPECT_EQ(FlowIds(), (std::vector<int>{1, 2}));
  ASSERT_EQ(P().m_ItemFlowChanges.Count(), 1);
  P().m_ItemFlowChanges.clear();
  m_Scene->m_pActor = nullptr;

  // The flow that takes the item runs in the step; the flow replaces it after.
  Steps(1);
  EXPECT_EQ(FlowIds(), (std::vector<int>{8, 2}));
  EXPECT_TRUE(P().m_ItemFlowChanges.empty());

  // Outside the flows (taken from the stage, say): at once.
  ExecChangeFlow(P(), ChangeFlow(0, 0, {9}), 0);
  EXPECT_EQ(FlowIds(), (std::vector<int>{8, 2, 9}));
}

// An item whose list takes itself again stops at the depth limit with a report
// line, instead of never returning; a take of an entry the palette lacks takes
// nothing and says so.
TEST_F(ItemPlayTest, AnItemThatTakesItselfStopsAtTheDepthLimit) {
  cTempDir log;  // the report log
  cEdStage s = Stage(Field()).Build();
  cEdItem loop;
  loop.nGraphic = 1;
  loop.Commands.push_back(Sound(3));
  loop.Commands.push_back(TakeItem(1, 1));
  s.PaletteItems[1] = loop;
  Load(s);
  P().m_nHP = 5;
  EXPECT_EQ(P().RunItemCommands(StageData.PaletteItems[1].Commands), 0);
  EXPECT_EQ(static_cast<int>(Sounds().size()), kMaxItemListDepth);
  EXPECT_TRUE(log.ReportContains("nested deeper"));

  cVector<cEdCommand> missing;
  missing.push_back(TakeItem(1, 7));
  missing.push_back(TakeItem(1, -1));
  missing.push_back(TakeItem(5, 1));  // no such palette
  EXPECT_EQ(P().RunItemCommands(missing), 0);
  EXPECT_TRUE(log.ReportContains("palette 1 has no item 7"));
  EXPECT_TRUE(log.ReportContains("palette 1 has no item -1"));
}

}  // namespace

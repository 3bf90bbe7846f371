// Copies of commands, flows and definitions are deep; the definitions' own small
// operations: defaults, spawn and launch offsets, direction codes, block hits.
#include <gtest/gtest.h>

#include "data/palette.h"
#include "tests/data/palette_checks.h"

namespace {

class DefinitionCopies : public ::testing::Test {
 protected:
  void SetUp() override { palfix::SetUpDatabase(); }
};

cEdCommand ShotCommand() {
  cEdCommand c;
  c.nType = 11;
  NewEdShot(c.pShot);
  NewEdMove(c.pMove);
  c.pShot->nGraphic = 5;
  c.pMove->nSpeed = 20;
  c.Flows.resize(1);
  c.Flows[0].Commands.resize(1);
  NewEdShot(c.Flows[0].Commands[0].pShot);
  return c;
}

TEST_F(DefinitionCopies, CopyingACommandTwiceGivesThreeIndependentDefinitions) {
  cEdCommand a = ShotCommand();
  cEdCommand b(a);
  cEdCommand c;
  c = b;
  EXPECT_NE(a.pShot.get(), b.pShot.get());
  EXPECT_NE(b.pShot.get(), c.pShot.get());
  EXPECT_NE(a.pShot.get(), c.pShot.get());
  EXPECT_NE(a.pMove.get(), c.pMove.get());
  EXPECT_NE(a.Flows[0].Commands[0].pShot.get(), c.Flows[0].Commands[0].pShot.get());
  b.pShot->nGraphic = 9;
  b.pMove->nSpeed = 1;
  EXPECT_EQ(a.pShot->nGraphic, 5);
  EXPECT_EQ(c.pShot->nGraphic, 5);
  EXPECT_EQ(c.pMove->nSpeed, 20);
  EXPECT_EQ(a.pShot.use_count(), 1);
}

TEST_F(DefinitionCopies, AssignmentReplacesOrDropsTheDefinitions) {
  cEdCommand withDefs = ShotCommand();
  cEdCommand without;
  withDefs = without;
  EXPECT_FALSE(withDefs.pShot);
  EXPECT_FALSE(withDefs.pMove);
  cEdCommand self = ShotCommand();
  cEdShot* before = self.pShot.get();
  const cEdCommand& alias = self;
  self = alias;
  EXPECT_EQ(self.pShot.get(), before);
  EXPECT_EQ(self.pShot->nGraphic, 5);
}

TEST_F(DefinitionCopies, DefinitionsAndFlowsCopyTheirListsDeep) {
  cEdChara chara;
  chara.Flows.resize(1);
  chara.Flows[0].Commands.push_back(ShotCommand());
  cEdChara copy = chara;
  EXPECT_NE(copy.Flows[0].Commands[0].pShot.get(), chara.Flows[0].Commands[0].pShot.get());
  cEdItem item;
  item.Commands.push_back(ShotCommand());
  cEdItem other;
  other = item;
  other.Commands[0].pMove->nSpeed = 3;
  EXPECT_EQ(item.Commands[0].pMove->nSpeed, 20);
  // The record copies through the base class too (the tool and the loader use it).
  std::unique_ptr<cRecord> clone = chara.Clone();
  EXPECT_NE(static_cast<cEdChara&>(*clone).Flows[0].Commands[0].pShot.get(), chara.Flows[0].Commands[0].pShot.get());
}

TEST_F(DefinitionCopies, NewDefinitionsHaveTheirDefaults) {
  EdShotPtr s;
  NewEdShot(s);
  EXPECT_EQ(s->bMirrorAngle, 1);
  EXPECT_EQ(s->bMirrorOffsetX, 1);
  EXPECT_EQ(s->bMirrorOffsetY, 0);
  EXPECT_EQ(s->bUserFaction, 1);
  EXPECT_EQ(s->nSize, 1);
  EdMovePtr m;
  NewEdMove(m);
  EXPECT_EQ(m->nSpeed, 10);
  EXPECT_EQ(m->dReverseFactor, 1.0);
  EXPECT_EQ(m->bReverseWithFacing, 1);
  cEdBlock b;
  EXPECT_EQ(b.nHitKind, 1);
  EXPECT_EQ(b.nPassValue, -1);
  EXPECT_EQ(b.InheritFlags.Count(), 11);
  cEdChara c;
  EXPECT_EQ(c.InheritFlags.Count(), 37);
  EXPECT_EQ(c.mhp, 10);
  EXPECT_EQ(c.nOption35, 1);
  cEdItem i;
  EXPECT_EQ(i.InheritFlags.Count(), 13);
  EXPECT_EQ(i.nPriority, 6);
  cEdCommand cmd;
  EXPECT_EQ(cmd.bSoundInView, 1);
}

TEST_F(DefinitionCopies, SpawnAndLaunchOffsetsMirrorForFacingRight) {
  cEdChara c;
  c.nSpawnBaseX = 10;
  c.nSpawnStepX = 16;
  c.bSpawnMirrorX = 1;
  c.nSpawnBaseY = 3;
  c.nSpawnStepY = 2;
  EXPECT_EQ(c.SpawnOffsetX(2, 1), -42.0);
  EXPECT_EQ(c.SpawnOffsetX(2, 0), 42.0);
  EXPECT_EQ(c.SpawnOffsetY(2, 1), 7.0);
  cEdShot s;
  s.nOffsetX = -16;
  s.nOffsetXClone = 4;
  s.nOffsetY = 5;
  s.nOffsetYClone = 1;
  s.bMirrorOffsetY = 1;
  EXPECT_EQ(s.LaunchOffsetX(3, 1), 4.0);
  EXPECT_EQ(s.LaunchOffsetX(3, 0), -4.0);
  EXPECT_EQ(s.LaunchOffsetY(3, 1), -8.0);
}

TEST_F(DefinitionCopies, DirectionCodes) {
  const int codes[9] = {2, 2, 3, 6, 7, 8, 9, 10, 11};
  for (int choice = 1; choice <= 8; ++choice) EXPECT_EQ(DirectionCode(choice, 1), codes[choice]) << choice;
  EXPECT_EQ(DirectionCode(0, 1), 3);
  EXPECT_EQ(DirectionCode(0, 0), 2);
}

int ConditionsFail(cEdBlock&) { return 0; }

TEST_F(DefinitionCopies, ABlocksHitKindFollowsItsPassValueAndConditions) {
  cEdBlock b;
  b.nHitKind = 1;
  b.nPassValue = 3;
  EXPECT_EQ(b.GetHitKind(3), 0);
  EXPECT_EQ(b.GetHitKind(1), 1);
  b.nPassValue = -1;  // stored 255: no character passes
  EXPECT_EQ(b.GetHitKind(-1), 0);
  EXPECT_EQ(b.GetHitKind(0), 1);
  b.Conditions.resize(1);
  BlockConditionsHold = ConditionsFail;
  EXPECT_EQ(b.GetHitKind(0), 0);
  BlockConditionsHold = nullptr;
  EXPECT_EQ(b.GetHitKind(0), 1);
}

}  // namespace

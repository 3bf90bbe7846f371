// Firings from damaged definitions on a live scene: summon indexes outside their
// palette, shot forces outside the eight, the lightning pattern at its largest,
// and a shot that hits after its firer was removed in the same step.
#include <gtest/gtest.h>

#include "app/sound/sound_requests.h"
#include "chara/firing.h"
#include "chara/flow_run.h"
#include "chara/shot.h"
#include "data/command.h"
#include "data/palette.h"
#include "data/shot_def.h"
#include "tests/chara/play_field.h"

namespace {

class FiringBadInput : public PlayField {
 protected:
  void SetUp() override {
    PlayField::SetUp();
    StageData.SetHitLevel(1);
    m_Firer = &Chara(7, 1, 600, 600);
    m_Player = &Player.emplace_back();
    m_Player->m_nKind = 0;
    m_Player->m_nId = 1;
    Place(*m_Player, 500, 500);
  }
  void TearDown() override {
    m_Scene->m_Shots.clear();
    for (auto& g : m_Scene->m_ShotGroups) g.clear();
    CommonPalette = cEdPalette();
    StageData.PaletteBlocks.clear();
    StageData.PaletteCharas.clear();
    StageData.PaletteItems.clear();
    PlayField::TearDown();
  }
  cStageChara& Chara(int id, int force, double x, double y) {
    cStageChara& c = StageChara.emplace_back();
    c.m_nKind = 1;
    c.m_nId = id;
    c.m_nPass = c.m_Def.nPassValue = force;
    c.m_bActive = 1;
    c.m_nHP = c.m_Def.mhp = 100;
    Place(c, x, y);
    c.m_nDrawWidth = c.m_nDrawHeight = 32;
    c.m_ShotBox = c.m_BodyBox;
    m_Scene->m_CharaGroups.At(force).push_back(&c);
    return c;
  }
  void Run(int type, cEdShot& def) {
    cEdCommand command;
    command.nType = static_cast<uint8_t>(type);
    cCommandRun run;
    run.pCommand = &command;
    switch (type) {
      case 11: FireShots(&m_Scene->m_Shots, *m_Firer, &run, def); break;
      case 13: SummonBlocksByPattern(*m_Firer, &run, def); break;
      case 14: SummonCharasByPattern(*m_Firer, &run, def); break;
      case 15: SummonItemsByPattern(*m_Firer, &run, def); break;
      default: break;
    }
  }
  cStageChara* m_Firer = nullptr;
  cPlayer* m_Player = nullptr;
};

plat::LRESULT Silent(plat::HWND, plat::UINT, plat::WPARAM, plat::LPARAM) { return 0; }

void Box(cHitBox& b, double x, double y, int size) {
  b.dLeft = x;
  b.dTop = y;
  b.dRight = x + size - 1;
  b.dBottom = y + size - 1;
}

cEdShot Count(int n) {
  cEdShot d;
  d.nCount = static_cast<int8_t>(n);
  d.nShotDirection = 2;
  d.nSpeed = 10;
  return d;
}

}  // namespace

TEST_F(FiringBadInput, SummonIndexesOutsideTheirPaletteSummonNothing) {
  // Two entries in every list of both palettes; the character entries are not of
  // the player's kind.
  for (cVector<cEdChara>* list : {&CommonPalette.Charas, &StageData.PaletteCharas}) {
    list->resize(2);
    for (cEdChara& c : *list) c.nOperator = 1;
  }
  CommonPalette.Blocks.resize(2);
  StageData.PaletteBlocks.resize(2);
  CommonPalette.Items.resize(2);
  StageData.PaletteItems.resize(2);
  for (int type : {13, 14, 15})
    for (int kind : {0, 1})
      for (int index : {-1, 2, 32767, -32768}) {
        SCOPED_TRACE("type " + std::to_string(type) + " palette " + std::to_string(kind) + " index " +
                     std::to_string(index));
        cEdShot d = Count(3);
        d.nPaletteKind = static_cast<int8_t>(kind);
        d.nPaletteIndex = static_cast<int16_t>(index);
        d.nBlockSummonMode = 2;
        m_Scene->m_ChangedCells.assign(1, 5);
        Run(type, d);
        EXPECT_EQ(StageChara.size(), 1u);
        EXPECT_TRUE(ItemList.empty());
        // The toggling block summon empties its changed cells only when it summons.
        EXPECT_EQ(m_Scene->m_ChangedCells.Count(), 1);
      }
  // A character definition of the player's kind is not summoned either.
  StageData.PaletteCharas.At(1).nOperator = 0;
  cEdShot d = Count(3);
  d.nPaletteKind = 1;
  d.nPaletteIndex = 1;
  Run(14, d);
  EXPECT_EQ(StageChara.size(), 1u);
}

TEST_F(FiringBadInput, ShotForcesOutsideTheEightMakeNoShot) {
  for (int force : {8, -1, 127, -128}) {
    SCOPED_TRACE(force);
    cEdShot d = Count(4);
    d.bUserFaction = 0;
    d.nFaction = static_cast<int8_t>(force);
    Run(11, d);
    EXPECT_TRUE(m_Scene->m_Shots.empty());
  }
  cEdShot d = Count(4);
  d.bUserFaction = 0;
  d.nFaction = 7;
  Run(11, d);
  EXPECT_EQ(m_Scene->m_Shots.size(), 4u);
  EXPECT_EQ(m_Scene->m_ShotGroups.At(7).size(), 4u);
}

TEST_F(FiringBadInput, TheLargestLightningStopsAtTheLiveShotLimit) {
  // 127 objects of up to 50 rows, 128 passes: some 800,000 objects asked for.
  cEdShot d = Count(127);
  d.nFormation = 3;
  d.nFormationTarget = 2;
  d.nFormationParam[1] = 32767;
  d.nClonesPerShot = 127;
  Run(11, d);
  EXPECT_EQ(m_Scene->m_Shots.size(), kMaxLiveShots);
  size_t grouped = 0;
  for (const auto& g : m_Scene->m_ShotGroups) grouped += g.size();
  EXPECT_EQ(grouped, kMaxLiveShots);
}

TEST_F(FiringBadInput, AShotHitsAfterItsFirerWasRemovedInTheSameStep) {
  // The firer's shot sits on a character of force 2; the firer is removed in the
  // step (marked, as inside a step), then the contact pass runs and the step's
  // removal point erases it.
  SetSoundRequestSender(&Silent);
  cStageChara& hit = Chara(8, 2, 590, 600);
  cEdShot d = Count(1);
  d.nPower = 10;
  Run(11, d);
  ASSERT_EQ(m_Scene->m_Shots.size(), 1u);
  cShot& s = m_Scene->m_Shots.front();
  Box(s.m_HitBox, s.m_dX, s.m_dY, 16);
  Box(hit.m_ShotBox, hit.m_dX, hit.m_dY, 32);
  m_Scene->m_nStepIndex = 1;
  RemoveStageChara(StageChara.begin());
  EXPECT_EQ(StageChara.front().m_bRemoved, 1);
  m_Scene->RunContacts(StageChara);
  m_Scene->SweepRemoved();
  m_Scene->m_nStepIndex = 0;
  EXPECT_EQ(hit.m_nHP, 90);
  EXPECT_EQ(StageChara.size(), 1u);
  EXPECT_EQ(&StageChara.front(), &hit);
  SetSoundRequestSender(nullptr);
}

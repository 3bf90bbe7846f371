// Stage set-up on a live scene: the map, the player and the view, the placed
// characters with their copies and carried items, the shot-hit schedule, and the
// stages set-up refuses.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "app/svc/mode_manager.h"
#include "chara/block_map.h"
#include "chara/item.h"
#include "chara/jump_rules.h"
#include "chara/jump_run.h"
#include "app/svc/input.h"
#include "chara/play_objects.h"
#include "chara/player.h"
#include "chara/stage_chara.h"
#include "data/project_globals.h"
#include "stage/shot_schedule.h"
#include "stage/spawning.h"
#include "stage/stage_scene.h"
#include "stage/stand_ins.h"
#include "tests/support/play_stage.h"
#include "tests/support/run_game.h"
#include "tests/support/temp_dir.h"

namespace {

class StageSetUp : public ::testing::Test {
 protected:
  void SetUp() override {
    Database.AnimeSetList.resize(1);
    m_Scene = std::make_unique<cStageScene>();
    CurrentStage.store(m_Scene.get());
    ModeManager.m_nPlayKind = 3;
    SystemData.bRecordReplay = 0;
  }
  void TearDown() override {
    StageChara.clear();
    ItemList.clear();
    Player.clear();
    ResetBlockMap(0);
    CurrentStage.store(nullptr);
    m_Scene.reset();
  }
  // The stage as the loader leaves it (links resolved), then set up.
  void Load(cEdStage stage) {
    cTempDir dir(false);
    const std::string path = dir.Path() + "/s.stg4_752";
    ASSERT_TRUE(stage.Save(path.c_str()));
    ASSERT_TRUE(StageData.Load(path.c_str()));
    PlayStageData.CopySettings(StageData);
    SetStage(0, 1);
  }
  static cPlayStage Field(int columns = 30, int rows = 20) {
    cPlayStage s(columns, rows);
    std::vector<std::string> map(static_cast<size_t>(rows - 2), "");
    map.push_back("..P.....E");
    map.push_back(std::string(static_cast<size_t>(columns), '#'));
    s.Map(map);
    // The outer limits at the stage's margins, as the editor saves them.
    s.Settings().nScrollOffsetX = (columns + 20) * 32 - 640;
    s.Settings().nScrollOffsetY = (rows + 20) * 32 - 640;
    return s;
  }
  static cEdItem PlacedItem(int col, int row) {
    cEdItem i;
    i.nGraphic = 1;
    i.nCol = static_cast<int16_t>(col);
    i.nRow = static_cast<int16_t>(row);
    return i;
  }
  std::unique_ptr<cStageScene> m_Scene;
};

TEST_F(StageSetUp, ThePlayerStandsOnItsCellWithTheViewCentredAndClamped) {
  Load(Field().Build());
  ASSERT_EQ(Player.size(), 1u);
  const cPlayer& p = Player.front();
  // Column 2, row 18: cell (12, 28); a 16 x 24 body standing on the cell's floor.
  EXPECT_EQ(p.m_dX, 12 * 32 + 8 + 0.5);
  EXPECT_EQ(p.m_dY, 28 * 32 + 8);
  EXPECT_EQ(p.m_nFacing, 0);
  // The stage's lower left corner: the view held at the stage's left and bottom.
  EXPECT_EQ(m_Scene->m_ScrollX.m_dPos, 320);
  EXPECT_EQ(m_Scene->m_ScrollY.m_dPos, (20 + 10) * 32 - 480);
  EXPECT_EQ(m_Scene->m_ScrollX.m_bClamped, 1);
  // The map: a solid floor on row 19, nothing above it.
  const int shift = m_Scene->m_ScrollX.m_nStrideShift;
  EXPECT_EQ(shift, 6);  // 30 + 19 = 49 < 64
  EXPECT_EQ(BlockMap.Count(), 40 << 6);
  EXPECT_NE(CellHitKind(CellIndexAt(12, 29, shift), 0), 0);
  EXPECT_EQ(CellHitKind(CellIndexAt(12, 28, shift), 0), 0);
  // The enemy, in its force's list with the player.
  ASSERT_EQ(StageChara.size(), 1u);
  EXPECT_EQ(StageChara.front().m_nId, 1);
  EXPECT_EQ(m_Scene->m_CharaGroups.At(1).size(), 2u);
  EXPECT_EQ(m_Scene->m_nNextCharaId, 2);
}

TEST_F(StageSetUp, CopiesTakeTheirOffsetsAndThoseOutsideTheStageAreNotMade) {
  cEdStage s = Field().Build();
  cEdChara& enemy = s.Charas.At(1);
  enemy.nLinkKind = 0;  // its own settings, not the palette's
  enemy.nCopies = 2;
  enemy.nSpawnStepX = 32;
  Load(s);
  ASSERT_EQ(StageChara.size(), 3u);
  auto it = StageChara.begin();
  const double x0 = it->m_dX;
  EXPECT_EQ((++it)->m_dX, x0 + 32);
  EXPECT_EQ((++it)->m_dX, x0 + 64);
  EXPECT_EQ(it->m_nClone, 2);
  // Copies that would stand beyond the stage's outer edge are dropped and take no
  // serial number.
  enemy.nSpawnStepX = 600;
  Load(s);
  EXPECT_EQ(StageChara.size(), 2u);
  EXPECT_EQ(m_Scene->m_nNextCharaId, 3);
}

TEST_F(StageSetUp, CopyCountsFromDamagedFiles) {
  cEdStage s = Field().Build();
  cEdChara& enemy = s.Charas.At(1);
  enemy.nLinkKind = 0;
  enemy.nCopies = -1;  // still the character itself
  Load(s);
  EXPECT_EQ(StageChara.size(), 1u);
  enemy.nCopies = 127;  // all 128 in one place
  Load(s);
  EXPECT_EQ(StageChara.size(), 128u);
  EXPECT_EQ(StageChara.back().m_nId, 128);
}

TEST_F(StageSetUp, ACarriedItemIsTheCharactersAndNotTheStages) {
  cEdStage s = Field().Build();
  s.Items.push_back(PlacedItem(5, 10));
  s.Items.push_back(PlacedItem(6, 10));
  s.Charas.At(1).nCarriedItem = 1;
  Load(s);
  ASSERT_EQ(StageChara.size(), 1u);
  ASSERT_EQ(ItemList.size(), 1u);
  EXPECT_EQ(ItemList.front().m_dX, 15 * 32 + 16 - 14 + 0.5);  // the item at column 5 stayed
  EXPECT_EQ(StageChara.front().m_Item.m_nGraphic, 1);
  EXPECT_EQ(StageChara.front().m_Item.m_bActive, 1);
  // An index beyond the placed items: the character carries nothing, both items lie.
  s.Charas.At(1).nCarriedItem = 7;
  Load(s);
  EXPECT_EQ(ItemList.size(), 2u);
  EXPECT_EQ(StageChara.front().m_Item.m_nGraphic, 0);
}

TEST_F(StageSetUp, PlacementsOutsideTheStageAreSkipped) {
  cEdStage s = Field().Build();
  s.Items.push_back(PlacedItem(-200, 3));
  s.Charas.At(1).nCol = 5000;
  cEdBlock far;
  far.nGraphic = 2;
  far.nCol = 3;
  far.nRow = 9000;
  s.Blocks.push_back(far);
  Load(s);
  EXPECT_EQ(StageChara.size(), 0u);
  EXPECT_EQ(ItemList.size(), 0u);
  EXPECT_EQ(Player.size(), 1u);
}

TEST_F(StageSetUp, SizesNoStageCanHaveAreRefusedCleanly) {
  for (int columns : {0, -5, 100000}) {
    cEdStage s = Field().Build();
    s.nWidth = columns;
    StageData = s;
    PlayStageData.CopySettings(StageData);
    EXPECT_NO_THROW(SetStage(0, 1)) << columns;
    EXPECT_EQ(BlockMap.Count(), 0) << columns;
    EXPECT_TRUE(Player.empty()) << columns;
  }
  cEdStage s = Field().Build();
  s.nHeight = -1;
  StageData = s;
  EXPECT_NO_THROW(SetStage(0, 1));
  EXPECT_EQ(BlockMap.Count(), 0);
}

TEST_F(StageSetUp, AStageWithoutAPlayerEndsWithoutACrash) {
  cEdStage s = Field().Build();
  s.Charas.clear();
  StageData = s;
  PlayStageData.CopySettings(StageData);
  EXPECT_NO_THROW(SetStage(0, 1));
  EXPECT_EQ(Player.size(), 1u);
}

TEST_F(StageSetUp, WithoutReplayRecordingARetryKeepsTheSeed) {
  Load(Field().Build());
  const int seed = m_Scene->m_nSeed;
  SetStage(1, 0);
  EXPECT_EQ(m_Scene->m_nSeed, seed);
}

// The flags of the schedule for N steps and the setting K, as a string.
std::string Flags(int n, int k) {
  std::string s;
  for (int f : ShotHitSchedule(n, k)) s += std::to_string(f);
  return s;
}

TEST(ShotHitSchedule, SpreadsKStepsOverTheFrame) {
  const struct {
    int n, k;
    const char* flags;
  } cases[] = {
      {5, 0, "11111"}, {5, -3, "11111"}, {5, 1, "10000"}, {5, 2, "10100"}, {5, 3, "11010"}, {5, 4, "11110"},
      {5, 5, "11111"}, {5, 9, "11111"},  {3, 2, "110"}, {1, 1, "1"},     {10, 3, "1001001000"}, {0, 1, "1"},
      {2, 2147483647, "11"},
  };
  for (const auto& c : cases) {
    const std::string want = c.flags;
    EXPECT_EQ(Flags(c.n, c.k), want) << c.n << " " << c.k;
    if (c.n < 1) continue;
    // The probe prints the same flags.
    cTempDir dir(false);
    const cProcessResult r = RunProgram("korvane-probe", {"schedule", std::to_string(c.n), std::to_string(c.k)},
                                        dir.Path());
    std::string line = "flags=";
    for (size_t i = 0; i < want.size(); ++i) line += std::string(i ? "," : "") + want[i];
    EXPECT_EQ(r.output, line + "\n");
    EXPECT_EQ(r.exitCode, 0);
  }
}

TEST(ShotHitSchedule, TheProbeRefusesBadArguments) {
  cTempDir dir(false);
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"schedule"}, {"schedule", "5"}, {"schedule", "0", "1"}, {"schedule", "x", "1"}, {"schedule", "5", "1", "2"}}) {
    EXPECT_EQ(RunProgram("korvane-probe", args, dir.Path()).exitCode, 2) << args.size();
  }
}

// Block summons: one definition entry per palette block, the toggle once per cell,
// protection by the keep byte, refusal onto characters, and places off the map.
TEST_F(StageSetUp, BlockSummons) {
  Load(Field().Build());
  const int shift = m_Scene->m_ScrollX.m_nStrideShift;
  const cEdBlock& solid = StageData.PaletteBlocks.At(1);
  const size_t defs = BlockDefs.size();
  cSummonParams write;
  auto cell = [&](int c, int r) { return CellIndexAt(c, r, shift); };
  for (int c = 14; c < 24; ++c) m_Scene->SummonBlock(c * 32.0, 20 * 32.0, write, solid);
  EXPECT_TRUE(CellHasTile(cell(14, 20)));
  EXPECT_TRUE(CellHasTile(cell(23, 20)));
  EXPECT_EQ(BlockDefs.size(), defs + 1) << "summons share one entry per palette block";
  // A point a little off the corner still names the nearest cell.
  cSummonParams erase;
  erase.nBlockMode = 1;
  m_Scene->SummonBlock(14 * 32.0 + 15, 20 * 32.0 - 16, erase, solid);
  EXPECT_FALSE(CellHasTile(cell(14, 20)));
  // Toggling: written where empty, erased where present, each cell once a stage.
  cSummonParams toggle;
  toggle.nBlockMode = 2;
  m_Scene->SummonBlock(14 * 32.0, 20 * 32.0, toggle, solid);
  m_Scene->SummonBlock(15 * 32.0, 20 * 32.0, toggle, solid);
  EXPECT_TRUE(CellHasTile(cell(14, 20)));
  EXPECT_FALSE(CellHasTile(cell(15, 20)));
  m_Scene->SummonBlock(14 * 32.0, 20 * 32.0, toggle, solid);
  m_Scene->SummonBlock(15 * 32.0, 20 * 32.0, toggle, solid);
  EXPECT_TRUE(CellHasTile(cell(14, 20)));
  EXPECT_FALSE(CellHasTile(cell(15, 20)));
  EXPECT_EQ(BlockDefs.size(), defs + 1);
  // A block that keeps summons off: always with the game-wide switch, else while present.
  cEdBlock keep = solid;
  keep.bKeep = 1;
  AddCellBlock(cell(16, 20), keep);
  SystemData.bCompat637 = 0;
  m_Scene->SummonBlock(16 * 32.0, 20 * 32.0, erase, solid);
  EXPECT_TRUE(CellHasTile(cell(16, 20)));
  SystemData.bCompat637 = 1;
  m_Scene->SummonBlock(16 * 32.0, 20 * 32.0, erase, solid);
  EXPECT_TRUE(CellHasTile(cell(16, 20)));
  SystemData.bCompat637 = 0;
  // Onto the player (cell 12, 28): refused with the flag, else written with grace.
  cPlayer& p = Player.front();
  cSummonParams refuse;
  refuse.bRefusePlayer = 1;
  m_Scene->SummonBlock(12 * 32.0, 28 * 32.0, refuse, solid);
  EXPECT_FALSE(CellHasTile(cell(12, 28)));
  EXPECT_EQ(p.m_nCrushGrace, 2);
  p.m_nCrushGrace = 0;
  m_Scene->SummonBlock(12 * 32.0, 28 * 32.0, write, solid);
  EXPECT_TRUE(CellHasTile(cell(12, 28)));
  EXPECT_EQ(p.m_nCrushGrace, 2);
  // Far outside the map, or no number at all: nothing changes.
  const cVector<cBlockCell> before = BlockMap;
  for (double v : {-1e9, 1e9, 1e300, std::nan("")}) {
    m_Scene->SummonBlock(v, 100, write, solid);
    m_Scene->SummonBlock(100, v, toggle, solid);
  }
  m_Scene->SummonBlock(5000 * 32.0, 20 * 32.0, write, solid);
  EXPECT_EQ(BlockMap.size(), before.size());
  EXPECT_TRUE(std::equal(BlockMap.begin(), BlockMap.end(), before.begin(), [](const cBlockCell& a, const cBlockCell& b) {
    return a.nDef == b.nDef && a.nFlags == b.nFlags;
  }));
}

// The height a player's kind-1 jump of 4 half-blocks reaches with its key held
// for `heldFrames` frames, at a processing level.
double JumpHeight(int level, int heldFrames) {
  StageData.SetHitLevel(level);
  const cStageTiming t = StageData.Timing();
  cPlayer& p = Player.front();
  p.m_dRunLimit = 4.0 / t.dSteps;
  const double ground = p.m_dY;
  p.m_dSpeedY = 0;
  p.m_bFalling = p.m_bJumped = p.m_bRising = 0;
  p.m_nJumpHold = 0;
  p.m_bMayRaise = 1;
  p.m_pBlockUnder = &BlockDefs.front();
  cEdKeyCondition key;
  key.Keys.assign(cEdKeyCondition::kKeys, 0);
  key.Keys[11] = 1;  // button 1 held
  cJumpRun run;
  run.nValues[0] = 1;
  run.dSpeed = JumpSpeedForHbl(t, 0, 4);
  run.nTime = TenthsToSteps(t, JumpTimeTenths(t, 0, 4));
  run.pLastKey = &key;
  double top = ground;
  for (int frame = 0; frame < 200; ++frame) {
    Input.At(0).m_wButton = frame < heldFrames ? 1 : 0;
    Input.At(0).UpdateSequences();  // the key condition reads the run histories
    for (int a = 0; a < t.nSteps; ++a) {
      StageScene()->m_nStepIndex = a + 1;
      p.m_bJumpStepDone = 0;
      p.StepJump(run);
      if (p.m_dSpeedY < 0) p.m_pBlockUnder = nullptr;
      p.ApplyGravity();
      p.MoveY();
      top = std::min(top, p.m_dY);
      if (p.m_dY >= ground && p.m_dSpeedY > 0) return ground - top;
    }
  }
  return ground - top;
}

TEST_F(StageSetUp, AJumpHeldTwoFramesIsCutShortAtBothProcessingLevels) {
  Input.resize(1);
  Load(Field().Build());
  const double full1 = JumpHeight(1, 200), short1 = JumpHeight(1, 2);
  const double full5 = JumpHeight(15, 200), short5 = JumpHeight(15, 2);
  // 4 half-blocks (64 dots) scaled by the player's factor 0.99 - 0.4 x 0.025; at
  // level 1 the speed limit of 6 dots a step holds the start of the rise back.
  EXPECT_NEAR(full5, 64 * 0.98 * 0.98, 4);
  EXPECT_LT(full1, full5);
  EXPECT_GT(full1, 40);
  EXPECT_LT(short1, full1 / 2);
  EXPECT_LT(short5, full5 / 2);
  EXPECT_GT(short1, 0);
  EXPECT_GT(short5, 0);
}

TEST_F(StageSetUp, TheViewFollowsThePlayerAndStopsAtTheStageEnd) {
  Load(Field(60, 20).Build());
  cPlayer& p = Player.front();
  const cScrollAxis& h = m_Scene->m_ScrollX;
  p.m_dMoveX = 3;
  p.m_dFriction = 0;
  bool followed = false;
  for (int i = 0; i < 1000; ++i) {
    p.m_dSpeedX = 0;
    p.m_bFrictionX = 1;
    p.MoveX();
    if (h.m_dPos > h.m_nMin && h.m_dPos + 640 < h.m_nMax) {
      EXPECT_EQ(h.m_dPos, p.m_dX - (320 - p.m_nWidth / 2));
      followed = true;
    }
  }
  EXPECT_TRUE(followed);
  // At the end: the view at the stage's right edge, the walking player inside it.
  EXPECT_EQ(h.m_dPos, (60 + 10) * 32 - 640);
  EXPECT_EQ(p.m_dRight, (60 + 10) * 32 - 1);
}

}  // namespace

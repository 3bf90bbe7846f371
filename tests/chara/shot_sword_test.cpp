// The sword command and its stroke: where each frame is placed around its owner,
// how long each frame lasts, and sword types a damaged stage may name (beyond the
// list, or without frames) that make no stroke.
#include <gtest/gtest.h>

#include <vector>

#include "chara/command_handlers.h"
#include "chara/flow_run.h"
#include "chara/shot.h"
#include "data/command.h"
#include "data/database.h"
#include "data/shot_def.h"
#include "tests/chara/play_field.h"

namespace {

cEdSwordFrame Frame(int place, int w, int h, int duration, int dx = 0, int dy = 0, int mirrorX = 1, int mirrorY = 0) {
  cEdSwordFrame f;
  f.nPlace = place;
  f.nWidth = w;
  f.nHeight = h;
  f.nDuration = duration;
  f.nOffsetX = dx;
  f.nOffsetY = dy;
  f.bMirrorX = mirrorX;
  f.bMirrorY = mirrorY;
  return f;
}

// The owner is a 32 x 32 stage character at stage (600, 600); the view is at
// (400, 400), so its screen rectangle is (200, 200)..(231, 231).
class Sword : public PlayField {
 protected:
  void SetUp() override {
    PlayField::SetUp();
    StageData.SetHitLevel(1);
    m_Owner = &StageChara.emplace_back();
    m_Owner->m_nKind = 1;
    m_Owner->m_nId = 7;
    Place(*m_Owner, 600, 600);
    m_Owner->m_nDrawWidth = m_Owner->m_nDrawHeight = 32;
    m_Command.nType = 12;
    NewEdShot(m_Command.pShot);
    m_Run.pCommand = &m_Command;
  }
  void TearDown() override {
    m_Scene->m_Shots.clear();
    for (auto& g : m_Scene->m_ShotGroups) g.clear();
    Database.SwordTypeList.clear();
    PlayField::TearDown();
  }
  // The sword command with sword type `type` run once: the stroke, or null.
  cShot* Strike(int type, int size = 1) {
    m_Command.pShot->nMoveType = static_cast<int8_t>(type);
    m_Command.pShot->nSize = static_cast<int8_t>(size);
    m_Run.nStepCount = 0;
    const size_t before = m_Scene->m_Shots.size();
    CmdSword(*m_Owner, m_Run);
    return m_Scene->m_Shots.size() > before ? &m_Scene->m_Shots.back() : nullptr;
  }
  static void SetTypes(const std::vector<std::vector<cEdSwordFrame>>& types) {
    Database.SwordTypeList.clear();
    for (const auto& frames : types) {
      cEdSwordType t;
      t.Frames.assign(frames.begin(), frames.end());
      Database.SwordTypeList.push_back(t);
    }
  }
  cStageChara* m_Owner = nullptr;
  cEdCommand m_Command;
  cCommandRun m_Run;
};

}  // namespace

TEST_F(Sword, EachFrameIsPlacedAroundItsOwner) {
  // A 24 x 8 frame with the offset (4, 2): in front its top left is level with the
  // owner's centre line (216 - 4 on screen, 612 in the stage) beside its edge.
  struct Case {
    const char* what;
    cEdSwordFrame frame;
    int facing, size;
    double x, y;
    int strokeFacing;
  } cases[] = {
      {"front, right, x mirrored", Frame(0, 24, 8, 1, 4, 2), 1, 1, 632 - 4, 612 + 2, 1},
      {"front, right, not mirrored", Frame(0, 24, 8, 1, 4, 2, 0, 1), 1, 1, 632 + 4, 612 - 2, 1},
      {"front, left", Frame(0, 24, 8, 1, 4, 2), 0, 1, 576 + 4, 612 + 2, 0},
      {"behind, right", Frame(1, 24, 8, 1), 1, 1, 576, 612, 0},
      {"behind, left", Frame(1, 24, 8, 1), 0, 1, 632, 612, 1},
      {"above", Frame(2, 10, 20, 1), 1, 1, 611, 580, 1},
      {"below", Frame(3, 10, 20, 1), 0, 1, 611, 632, 0},
      // Twice the size: 48 x 16, and twice the offset.
      {"front, right, size 2", Frame(0, 24, 8, 1, 4, 2), 1, 2, 632 - 8, 608 + 4, 1},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    SetTypes({{k.frame}});
    m_Owner->m_nFacing = k.facing;
    cShot* s = Strike(0, k.size);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->m_bSword, 1);
    EXPECT_EQ(s->m_pTarget, nullptr);
    EXPECT_EQ(s->Update(), 0);
    EXPECT_EQ(s->m_dX, k.x);
    EXPECT_EQ(s->m_dY, k.y);
    EXPECT_EQ(s->m_nFacing, k.strokeFacing);
    EXPECT_EQ(s->m_nWidth, k.frame.nWidth * k.size);
    EXPECT_EQ(s->m_HitBox.nHeight, k.frame.nHeight * k.size);
  }
}

TEST_F(Sword, AFrameLastsItsDurationTimesSixTimesNPlusOneSteps) {
  struct Case {
    int level;
    std::vector<int> durations;
    std::vector<int> frameAt;  // the frame shown by each update, until the end
  } cases[] = {
      // 1 tenth at N = 1: 7 steps; 0 tenths: 1 step.
      {1, {1, 0}, {0, 0, 0, 0, 0, 0, 0, 1}},
      {2, {0, 0, 0}, {0, 1, 2}},
      {2, {1}, std::vector<int>(13, 0)},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.level);
    StageData.SetHitLevel(k.level);
    std::vector<cEdSwordFrame> frames;
    for (int d : k.durations) frames.push_back(Frame(0, 8, 8, d));
    SetTypes({frames});
    cShot* s = Strike(0);
    ASSERT_NE(s, nullptr);
    std::vector<int> shown;
    for (int u = 0; u < 100; ++u) {
      shown.push_back(s->m_nSwordFrame);
      if (s->Update()) break;
    }
    EXPECT_EQ(shown, k.frameAt);
  }
}

TEST_F(Sword, StrokesEndWithTheirOwner) {
  SetTypes({{Frame(0, 24, 8, 5)}});
  cShot* s = Strike(0);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->Update(), 0);
  StageChara.clear();
  EXPECT_EQ(s->Update(), 1);
}

TEST_F(Sword, SwordTypesBeyondTheListOrWithoutFramesMakeNoStroke) {
  SetTypes({{Frame(0, 24, 8, 1)}, {}});
  for (int type : {1, 2, 127, -1}) {
    SCOPED_TRACE(type);
    EXPECT_EQ(Strike(type), nullptr);
  }
  EXPECT_TRUE(m_Scene->m_Shots.empty());
  // The stroke of a good type meets a list that lost its frames: it ends.
  cShot* s = Strike(0);
  ASSERT_NE(s, nullptr);
  Database.SwordTypeList.At(0).Frames.clear();
  EXPECT_EQ(s->Update(), 1);
}

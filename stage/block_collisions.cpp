// A character against the block map after each move: the edge probes, the four
// sides with their snaps, contacts and triggers, the screen edges of an
// auto-scrolling view, and the place test of new characters.
#include <algorithm>
#include <climits>

#include "chara/block_map.h"
#include "chara/bounds_rules.h"
#include "chara/player.h"
#include "chara/stage_chara.h"
#include "data/project_globals.h"
#include "stage/stage_scene.h"

namespace {

// Block triggers of the flows.
constexpr int kTrigBlock = 9, kTrigBlockSide = 10, kTrigBlockLeft = 11, kTrigBlockRight = 12;

bool PassesBlocks(const cChara& c) { return c.m_bFlying && c.m_nBlockContact == kPassBlocks; }
bool DiesAtBlocks(const cChara& c) { return c.m_bFlying && c.m_nBlockContact == kDieAtBlocks; }
bool IsPlayer(const cChara& c) { return c.m_nKind == 0; }

// A probe count far beyond any scale an author can choose (1 to 10) still ends.
constexpr int kMaxProbes = 256;

int Kind(int cell, const cChara& c) { return CellHitKind(cell, c.m_nPass); }

// A character moving up lands only where the game allows it.
bool MayLand(const cChara& c) { return SystemData.bRiseLanding || c.m_bFlying || c.m_dSpeedY >= 0; }

// The airborne threshold: 8 x N steps without ground start a fall.
int AirStepsToFall() { return StageData.Timing().nSteps8; }

}  // namespace

int cStageScene::FindStrongestCell(cChara& c, int x1, int y1, int x2, int y2) {
  const int scale = c.m_Def.nGiant;
  if (scale < 0) return 0;
  const int probes = std::min(scale + 1, kMaxProbes);
  const int shift = m_ScrollX.m_nStrideShift;
  auto cellAt = [&](long long x, long long y) { return CellIndexAt(x >> 5, y >> 5, shift); };
  if (x1 == x2) {
    const long long step = std::max(c.m_nBaseHeight - 1, 0);
    int best = cellAt(x1, y1), bestKind = Kind(best, c);
    for (int i = 1; i < probes; ++i) {
      const int cell = cellAt(x1, y1 + step * i);
      const int k = Kind(cell, c);
      if (k > bestKind) best = cell, bestKind = k;
    }
    return best;
  }
  if (y1 == y2) {
    const long long step = std::max(c.m_nBaseWidth - 1, 0);
    const long long mid = (static_cast<long long>(x1) + x2) / 2;
    int best = cellAt(x1, y1), bestKind = Kind(best, c);
    long long bestGap = std::llabs(x1 - mid);
    for (int i = 1; i < probes; ++i) {
      const long long x = x1 + step * i;
      const int cell = cellAt(x, y1);
      const int k = Kind(cell, c);
      const long long gap = std::llabs(x - mid);
      if (k > bestKind || (k == bestKind && gap < bestGap)) best = cell, bestKind = k, bestGap = gap;
    }
    return best;
  }
  return 0;
}

int cStageScene::FindFootCell(cChara& c) {
  // A scale below 1 would leave one probe and a spacing divided by zero.
  const int scale = std::clamp<int>(c.m_Def.nGiant, 1, kMaxProbes - 2);
  const int count = scale % 2 ? scale + 2 : scale + 1;
  const int left = TruncToInt(c.m_dX), right = TruncToInt(c.m_dRight), y = TruncToInt(c.m_dBottom);
  const long long spacing = c.m_nWidth / (count - 1);
  const long long mid = (static_cast<long long>(left) + right) / 2;
  const int shift = m_ScrollX.m_nStrideShift;
  int best = 0, bestKind = -1;
  long long bestGap = LLONG_MAX;
  for (int i = 0; i < count; ++i) {
    const long long x = i == count - 1 ? right : left + spacing * i;
    const int cell = CellIndexAt(x >> 5, static_cast<long long>(y) >> 5, shift);
    const int k = Kind(cell, c);
    const long long gap = std::llabs(x - mid);
    if (k > bestKind || (k == bestKind && gap < bestGap)) best = cell, bestKind = k, bestGap = gap;
  }
  return best;
}

int cStageScene::FindStrongestCorner(int column1, int row1, int column2, int row2, int passValue) {
  const int shift = m_ScrollX.m_nStrideShift;
  const int corners[4] = {CellIndexAt(column1, row1, shift), CellIndexAt(column1, row2, shift),
                          CellIndexAt(column2, row1, shift), CellIndexAt(column2, row2, shift)};
  int best = corners[0], bestKind = CellHitKind(best, passValue);
  for (int i = 1; i < 4; ++i) {
    const int k = CellHitKind(corners[i], passValue);
    if (k > bestKind) best = corners[i], bestKind = k;
  }
  return best;
}

int cStageScene::CollideLeft(cChara& c) {
  if (PassesBlocks(c)) return 0;
  const int left = TruncToInt(c.m_dX);
  const int k = Kind(FindStrongestCell(c, left, TruncToInt(c.m_dY), left, TruncToInt(c.m_dBottom)), c);
  if (k == 0) return 0;
  if (k == 2 && IsPlayer(c)) return 2;
  if (DiesAtBlocks(c)) return 2;
  c.LRUD[0] = 1;
  c.m_dMoveX = 0;
  c.m_dX += 32 - (left & 31);
  c.LimitX();
  c.m_nWallSide = 0;
  c.RunTriggeredFlows(kTrigBlock);
  c.RunTriggeredFlows(kTrigBlockSide);
  c.RunTriggeredFlows(kTrigBlockLeft);
  return 0;
}

int cStageScene::CollideRight(cChara& c) {
  if (PassesBlocks(c)) return 0;
  const int right = TruncToInt(c.m_dRight);
  const int k = Kind(FindStrongestCell(c, right, TruncToInt(c.m_dY), right, TruncToInt(c.m_dBottom)), c);
  if (k == 0) return 0;
  if (k == 2 && IsPlayer(c)) return 2;
  if (DiesAtBlocks(c)) return 2;
  c.LRUD[1] = 1;
  c.m_dMoveX = 0;
  c.m_dX -= (right & 31) + 1;
  c.LimitX();
  c.m_nWallSide = 1;
  c.RunTriggeredFlows(kTrigBlock);
  c.RunTriggeredFlows(kTrigBlockSide);
  c.RunTriggeredFlows(kTrigBlockRight);
  return 0;
}

int cStageScene::CollideX(cChara& c) {
  if (PassesBlocks(c)) return 0;
  const bool rightFirst = (c.m_bFlying && c.m_nBlockContact == kStopAtBlocks) || c.m_dSpeedX > 0;
  if (rightFirst) {
    if (CollideRight(c) == 2) return 2;
    return CollideLeft(c);
  }
  if (CollideLeft(c) == 2) return 2;
  return CollideRight(c);
}

int cStageScene::CollideSides(cChara& c) {
  if (PassesBlocks(c)) return 0;
  if (CollideRight(c) == 2) return 2;
  return CollideLeft(c);
}

int cStageScene::CollideUp(cChara& c) {
  if (PassesBlocks(c)) return 0;
  const int top = TruncToInt(c.m_dY);
  const int k = Kind(FindStrongestCell(c, TruncToInt(c.m_dX), top, TruncToInt(c.m_dRight), top), c);
  if (k == 0) return 0;
  if (k == 2 && IsPlayer(c)) return 2;
  if (DiesAtBlocks(c)) return 2;
  c.HitCeiling();
  return 0;
}

int cStageScene::CollideDown(cChara& c) {
  if (PassesBlocks(c)) return 0;
  const int bottom = TruncToInt(c.m_dBottom);
  const int cell = FindStrongestCell(c, TruncToInt(c.m_dX), bottom, TruncToInt(c.m_dRight), bottom);
  const int k = Kind(cell, c);
  c.m_pBlockUnder = k == 0 ? nullptr : CellBlock(cell);
  if (k == 0) {
    if (c.m_nAirSteps < INT_MAX) ++c.m_nAirSteps;
    // Under a weak gravity a standing character takes longer than the threshold
    // to sink through its last dot row and land again: it does not fall.
    if (c.m_nAirSteps >= AirStepsToFall() && !RestsOnFloor(c)) {
      if (cPlayer* p = dynamic_cast<cPlayer*>(&c)) {
        if (!p->m_bRiding) p->m_bMayRaise = p->m_bFalling = 1;
      } else {
        c.m_bFalling = 1;
      }
    }
    return 0;
  }
  if (k == 2) {
    c.m_pBlockLanded = c.m_pBlockUnder;
    if (IsPlayer(c)) return 2;
  }
  if (DiesAtBlocks(c)) return 2;
  if (!MayLand(c)) return 0;
  if (IsPlayer(c)) c.m_pBlockUnder = CellBlock(FindFootCell(c));
  c.m_pBlockLanded = c.m_pBlockUnder;
  c.LandOnBlock();
  return 0;
}

bool cStageScene::RestsOnFloor(cChara& c) {
  // Gravity must act on it, or no landing would come.
  if (c.m_bFlying || c.m_bRiding || c.m_bMoveDisabled || c.m_dImpactY < 0) return false;
  if (c.m_dSpeedY < 0 || !(StageData.Timing().dGravityPerStep > 0)) return false;
  const int below = TruncToInt(c.m_dBottom) + 1;
  return Kind(FindStrongestCell(c, TruncToInt(c.m_dX), below, TruncToInt(c.m_dRight), below), c) != 0;
}

int cStageScene::CollideY(cChara& c) {
  if (PassesBlocks(c)) return 0;
  c.m_pBlockUnder = nullptr;
  const bool downFirst = (c.m_bFlying && c.m_nBlockContact == kStopAtBlocks) || c.m_dSpeedY > 0;
  if (downFirst) {
    if (CollideDown(c) == 2) return 2;
    return CollideUp(c);
  }
  if (CollideUp(c) == 2) return 2;
  return CollideDown(c);
}

int cStageScene::CollideFeetAndHead(cChara& c) {
  if (PassesBlocks(c)) return 0;
  const int left = TruncToInt(c.m_dX), right = TruncToInt(c.m_dRight);
  const int bottom = TruncToInt(c.m_dBottom), top = TruncToInt(c.m_dY);
  const int below = FindStrongestCell(c, left, bottom, right, bottom);
  const int kb = Kind(below, c);
  if (kb == 2 && IsPlayer(c)) {
    c.m_pBlockUnder = CellBlock(FindFootCell(c));
    return 2;
  }
  if (kb != 0) {
    if (DiesAtBlocks(c)) return 2;
    // A rising character passes the floor it enters, and the ceiling is not asked.
    if (!MayLand(c)) return 0;
    c.m_pBlockUnder = CellBlock(IsPlayer(c) ? FindFootCell(c) : below);
    c.m_pBlockLanded = c.m_pBlockUnder;
    c.LandOnBlock();
  }
  const int ka = Kind(FindStrongestCell(c, TruncToInt(c.m_dX), top, TruncToInt(c.m_dRight), top), c);
  if (ka == 2 && IsPlayer(c)) return 2;
  if (ka != 0) {
    if (DiesAtBlocks(c)) return 2;
    c.HitCeiling();
  }
  return 0;
}

int cStageScene::KeepInScreenX(cPlayer& p) {
  if (!m_ScrollX.m_bAuto && !p.m_bFlying) return 0;
  p.UpdateScreenRect();
  if (p.m_nScreenLeft + p.m_nDrawOffsetX < 0) {
    p.LRUD[0] = 1;
    p.m_dX = m_ScrollX.m_dPos;
  }
  if (static_cast<long long>(p.m_nScreenRight) - p.m_nDrawOffsetX + 1 >= m_ScrollX.m_nViewSize) {
    p.LRUD[1] = 1;
    p.m_dX = m_ScrollX.m_dPos + m_ScrollX.m_nViewSize - p.m_nWidth - 1;
  }
  p.LimitX();
  return 0;
}

int cStageScene::KeepInScreenY(cPlayer& p) {
  if (!m_ScrollY.m_bAuto && !p.m_bFlying) return 0;
  p.UpdateScreenRect();
  int result = 0;
  if (p.m_nScreenTop + p.m_nDrawOffsetY < 0) {
    p.LRUD[2] = 1;
    p.m_dY = m_ScrollY.m_dPos;
  }
  if (static_cast<long long>(p.m_nScreenBottom) - p.m_nDrawOffsetY + 1 >= m_ScrollY.m_nViewSize) {
    p.LRUD[3] = 1;
    p.m_dY = m_ScrollY.m_dPos + m_ScrollY.m_nViewSize - p.m_nHeight - 1;
    if (!p.m_bFlying) result = 2;
  }
  p.LimitY();
  return result;
}

bool cStageScene::IsPlaceBlocked(cChara& c) {
  if (PassesBlocks(c)) return false;
  const int cell = FindStrongestCorner(c.m_nTileLeft, c.m_nTileTop, c.m_nTileRight, c.m_nTileBottom, c.m_nPass);
  if (CellHitKind(cell, c.m_nPass) != 0) return true;
  return HitsBlockChara(c);
}

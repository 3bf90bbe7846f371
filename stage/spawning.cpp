// Stage objects coming into being: the characters and items a stage places, and
// the characters, items and blocks that summons make during play.
#include "stage/spawning.h"

#include <algorithm>
#include <climits>

#include "app/base/report_log.h"
#include "chara/block_map.h"
#include "chara/item.h"
#include "chara/play_objects.h"
#include "chara/player.h"
#include "chara/stage_chara.h"
#include "data/project_globals.h"
#include "data/shot_def.h"
#include "stage/stage_scene.h"

namespace {

// Moves a stage rectangle; the clamps that follow refresh the tiles and boxes.
void Shift(cObject& o, double dx, double dy) {
  o.m_dX += dx;
  o.m_dRight += dx;
  o.m_dY += dy;
  o.m_dBottom += dy;
}

// The copies a definition asks for beyond the first. A negative count (a damaged
// file) still makes the character itself.
int CopyCount(const cEdChara& def) { return std::max<int>(0, def.nCopies); }

// A cell that holds a block whose conditions hold now.
bool HoldsPresentBlock(int cell) {
  if (!CellHasTile(cell)) return false;
  cEdBlock* block = CellBlock(cell);
  if (block->Conditions.empty() || !BlockConditionsHold) return true;
  return BlockConditionsHold(*block) != 0;
}

}  // namespace

cSummonParams SummonParamsOf(const cEdShot& shot, int clone) {
  cSummonParams p;
  p.bLifetime = shot.bLifetime;
  const long long tenths = shot.nLifetime + static_cast<long long>(clone) * shot.nLifetimeClone;
  p.nLifetime = static_cast<int32_t>(std::clamp<long long>(tenths, INT_MIN, INT_MAX));
  p.nBlockMode = shot.nBlockSummonMode;
  return p;
}

int32_t SummonLifetime(const cSummonParams& summon) {
  if (!summon.bLifetime) return INT32_MAX;
  const long long steps = static_cast<long long>(summon.nLifetime) * StageData.Timing().nSteps * 6;
  return static_cast<int32_t>(std::clamp<long long>(steps, INT_MIN, INT_MAX));
}

void cStageScene::SpawnStageChara(cList<cStageChara>& list, int column, int row, int& counter,
                                  const cEdChara& placed, const cItem* carried) {
  const cEdChara def = placed;
  const int copies = CopyCount(def);
  for (int i = 0; i <= copies; ++i) {
    cStageChara& c = list.emplace_back();
    c.Setup(counter, def, carried, (column + 10.0) * 32 + 16, (row + 10.0) * 32 + 16, static_cast<int16_t>(i));
    c.PlaceAtBlock(column, row);
    Shift(c, def.SpawnOffsetX(i, def.nFacing), def.SpawnOffsetY(i, def.nFacing));
    // A copy outside the stage is not made and takes no serial number.
    if (!c.IsInsideArea(true)) {
      list.pop_back();
      continue;
    }
    c.LimitX();
    c.LimitY();
    c.CalcScreenRect();
    ++counter;
  }
}

void cStageScene::SpawnItem(cList<cItem>& list, int column, int row, int& counter, const cEdItem& placed) {
  cEdItem def = placed;
  cItem& item = list.emplace_back();
  item.Setup(counter, def, 0);
  item.PlaceAtBlock(column, row);
  Shift(item, def.nOffsetX, def.nOffsetY);
  if (!item.IsInsideArea(true)) {
    list.pop_back();
    return;
  }
  item.ClampX(2);
  item.ClampY(2);
  item.CalcScreenRect();
  ++counter;
}

void cStageScene::SummonCharas(cList<cStageChara>& list, double x, double y, int force, int direction,
                               const cSummonParams& summon, const cEdChara& source, int& counter) {
  cEdChara def = source;
  def.nPassValue = static_cast<int8_t>(force);
  def.nFacing = static_cast<int8_t>(direction);
  if (summon.bNoScore) def.getsc = 0;
  const int copies = CopyCount(def);
  for (int i = 0; i <= copies; ++i) {
    cStageChara& c = list.emplace_back();
    c.Setup(counter, def, nullptr, 10 * 32 + x + 16, 10 * 32 + y + 16, static_cast<int16_t>(i));
    c.m_dX = x + c.m_nDrawOffsetX;
    c.m_dY = y + c.m_nDrawOffsetY;
    c.m_dRight = c.m_dX + c.m_nWidth - 1;
    c.m_dBottom = c.m_dY + c.m_nHeight - 1;
    Shift(c, def.SpawnOffsetX(i, def.nFacing), def.SpawnOffsetY(i, def.nFacing));
    if (!c.IsInsideArea(true)) {
      list.pop_back();
      continue;
    }
    c.LimitX();
    c.LimitY();
    c.CalcScreenRect();
    // A summon into a wall or a block character is undone at once.
    if (IsPlaceBlocked(c)) {
      list.pop_back();
      continue;
    }
    c.m_nLifetime = SummonLifetime(summon);
    if (c.m_nPass >= 0 && c.m_nPass < m_CharaGroups.Count()) m_CharaGroups.At(c.m_nPass).push_back(&c);
    ++counter;
  }
}

void SummonItem(cList<cItem>& list, double x, double y, const cSummonParams& summon, const cEdItem& source,
                int& counter) {
  cEdItem def = source;
  cItem item;
  item.Setup(counter, def, 0);
  item.m_dX = x + item.m_nDrawOffsetX + def.nOffsetX;
  item.m_dY = y + item.m_nDrawOffsetY + def.nOffsetY;
  item.m_dRight = item.m_dX + item.m_nWidth - 1;
  item.m_dBottom = item.m_dY + item.m_nHeight - 1;
  if (!item.IsInsideArea(true)) return;
  item.ClampX(2);
  item.ClampY(2);
  item.m_nLifetime = SummonLifetime(summon);
  list.emplace_back().Assign(item);
  ++counter;
}

int cStageScene::RefuseBlockOverlap(int cell, int column, int row, const cSummonParams& summon) {
  const double left = column * 32.0, right = left + 31.9;
  const double top = row * 32.0, bottom = top + 31.9;
  auto embeds = [&](cChara& c) {
    return !c.m_bDead && c.OverlapsRect(left, right, top, bottom) && CellHitKind(cell, c.m_nPass) != 0;
  };
  for (cPlayer& p : Player) {
    if (!embeds(p)) continue;
    p.m_nCrushGrace = 2;
    if (summon.bRefusePlayer) return 1;
  }
  for (cStageChara& c : StageChara) {
    if (!c.m_bActive || !embeds(c)) continue;
    c.m_nCrushGrace = 2;
    if (summon.bRefuseCharas) return 1;
  }
  return 0;
}

void cStageScene::SummonBlock(double x, double y, const cSummonParams& summon, const cEdBlock& block) {
  // The cell nearest to a block whose top-left corner is at (x, y).
  if (!(x + 16.5 >= 0 && y + 16.5 >= 0 && x < 1e12 && y < 1e12)) return;  // far outside: nothing to change
  const long long column = static_cast<long long>(x + 16.5) >> 5;
  const long long row = static_cast<long long>(y + 16.5) >> 5;
  const int cell = CellIndexAt(column, row, m_ScrollX.m_nStrideShift);
  if (cell < 0) return;
  if (CellNoSummon(cell) && (SystemData.bCompat637 || HoldsPresentBlock(cell))) return;
  const int col = static_cast<int>(column), r = static_cast<int>(row);
  // Writes the block, undoing it when a refusal flag asks; false when refused.
  auto write = [&]() {
    const cBlockCell old = BlockMap[static_cast<size_t>(cell)];
    SetCellDef(cell, SummonedBlockDef(block));
    SetCellLatched(cell, false);
    if (!RefuseBlockOverlap(cell, col, r, summon)) return true;
    if (!summon.bRefusePlayer && !summon.bRefuseCharas) return true;
    BlockMap[static_cast<size_t>(cell)] = old;
    return false;
  };
  auto erase = [&]() {
    SetCellDef(cell, cBlockCell::kEmpty);
    SetCellLatched(cell, false);
  };
  switch (summon.nBlockMode) {
    case 1: erase(); break;
    case 2: {
      // A cell toggles once per stage.
      if (std::find(m_ChangedCells.begin(), m_ChangedCells.end(), cell) != m_ChangedCells.end()) return;
      if (HoldsPresentBlock(cell)) erase();
      else if (!write()) return;
      m_ChangedCells.push_back(cell);
      break;
    }
    default: write(); break;
  }
}

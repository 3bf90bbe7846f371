// Arranges: a pending change of one parameter of the next command of a flow.
#include "chara/arrange.h"

#include <climits>
#include <cmath>

#include "app/base/report_log.h"
#include "chara/chara.h"
#include "chara/command_param_table.h"
#include "chara/play_objects.h"
#include "chara/player.h"
#include "data/command.h"
#include "data/project_globals.h"
#include "data/shot_kinds.h"
#include "stage/stage_scene.h"

namespace {

// Where parameter k of a table type lives: a pointer into the command (null when
// the command lacks that record or value) and its width in bytes.
struct cParamSlot {
  void* (*locate)(cEdCommand&);
  int width;
};

#define MOVE(m) {[](cEdCommand& c) -> void* { return c.pMove ? static_cast<void*>(&c.pMove->m) : nullptr; }, \
                 static_cast<int>(sizeof(cEdMove::m))}
#define SHOT(m) {[](cEdCommand& c) -> void* { return c.pShot ? static_cast<void*>(&c.pShot->m) : nullptr; }, \
                 static_cast<int>(sizeof(cEdShot::m))}
#define SHOTN(m, k) {[](cEdCommand& c) -> void* { return c.pShot ? static_cast<void*>(&c.pShot->m[k]) : nullptr; }, 2}
#define VAL(i) {[](cEdCommand& c) -> void* { return c.Values.Count() > (i) ? static_cast<void*>(&c.Values[i]) : nullptr; }, 4}

const cVector<cParamSlot>& Slots(int type) {
  static const cVector<cParamSlot> kNone;
  static const cVector<cParamSlot> kMoveList = {MOVE(nTargetX), MOVE(nTargetOffsetX), MOVE(nTargetY),
                                                MOVE(nTargetOffsetY), MOVE(nAngle), MOVE(nAngleClone)};
  static const cVector<cParamSlot> kHoming = {MOVE(nHoming), MOVE(nHomingClone), MOVE(nTargetX),
                                              MOVE(nTargetOffsetX), MOVE(nTargetY), MOVE(nTargetOffsetY)};
  static const cVector<cParamSlot> kShot = {
      SHOT(nGraphic), SHOT(nZ), SHOTN(nFormationParam, 0), SHOTN(nFormationParam, 1), SHOTN(nFormationParam, 2),
      SHOT(nCount), SHOT(nClonesPerShot), SHOT(nAngleOffset), SHOT(nAngleOffsetClone), SHOT(nSpreadAngle),
      SHOT(nOffsetX), SHOT(nOffsetXClone), SHOT(nOffsetY), SHOT(nOffsetYClone), SHOT(nFaction),
      SHOTN(nMoveParam, 0), SHOTN(nMoveParam, 1), SHOTN(nMoveParam, 2), SHOT(nSpeed), SHOT(nSpeedClone),
      SHOT(nAccel), SHOT(nAccelClone), SHOT(nRange), SHOT(nRangeClone), SHOT(nLifetime), SHOT(nLifetimeClone),
      SHOT(nVanishValue), SHOT(nPower), SHOT(nImpact)};
  static const cVector<cParamSlot> kSword = {SHOT(nFaction), SHOT(nZ), SHOT(nPower), SHOT(nImpact)};
  static const cVector<cParamSlot> kBlock = {SHOTN(nFormationParam, 0), SHOTN(nFormationParam, 1),
                                             SHOTN(nFormationParam, 2), SHOT(nCount), SHOT(nOffsetX), SHOT(nOffsetY)};
  static const cVector<cParamSlot> kChara = {SHOT(nRange), SHOT(nFaction), SHOTN(nFormationParam, 0),
                                             SHOTN(nFormationParam, 1), SHOTN(nFormationParam, 2), SHOT(nCount),
                                             SHOT(nOffsetX), SHOT(nOffsetY)};
  static const cVector<cParamSlot> kItem = {SHOT(nRange), SHOTN(nFormationParam, 0), SHOTN(nFormationParam, 1),
                                            SHOTN(nFormationParam, 2), SHOT(nCount), SHOT(nOffsetX), SHOT(nOffsetY)};
  static const cVector<cParamSlot> kClear = {VAL(1), VAL(6), VAL(7), VAL(3), VAL(4)};
  static const cVector<cParamSlot> kMessage = {VAL(13), VAL(1), VAL(2), VAL(3), VAL(4)};
  static const cVector<cParamSlot> kWarp = {MOVE(nDistance), MOVE(nDistanceClone), MOVE(nTargetX),
                                            MOVE(nTargetY), MOVE(nTargetOffsetX), MOVE(nTargetOffsetY)};
  static const cVector<cParamSlot> kTarget = {VAL(1), VAL(9), VAL(12)};
  static const cVector<cParamSlot> kStatus = {VAL(8), VAL(9)};
  static const cVector<cParamSlot> kVanish = {VAL(1)};
  static const cVector<cParamSlot> kGraphic = {VAL(1), VAL(2)};
  static const cVector<cParamSlot> kEffect = {VAL(2), VAL(3), VAL(4), VAL(5), VAL(6)};
  // The picture command names its picture by ID (value 13); value 0 is its number
  // in the database, which the editor offers no arrange for.
  static const cVector<cParamSlot> kPicture = {VAL(13), VAL(2), VAL(3), VAL(4), VAL(5), VAL(7)};
  static const cVector<cParamSlot> kColour = {VAL(0), VAL(1), VAL(2), VAL(3)};
  static const cVector<cParamSlot> kBackground = {VAL(0)};
  switch (type) {
    case 2: case 5: return kMoveList;
    case 6: return kHoming;
    case 11: return kShot;
    case 12: return kSword;
    case 13: return kBlock;
    case 14: return kChara;
    case 15: return kItem;
    case 17: return kClear;
    case 19: return kMessage;
    case 20: return kWarp;
    case 21: return kTarget;
    case 22: return kStatus;
    case 24: return kVanish;
    case 26: return kGraphic;
    case 29: return kEffect;
    case 32: return kPicture;
    case 33: return kColour;
    case 34: return kBackground;
    default: return kNone;
  }
}
#undef MOVE
#undef SHOT
#undef SHOTN
#undef VAL

template <int T>
void GetParam(int32_t& out, int index, cEdCommand& command) {
  const cVector<cParamSlot>& s = Slots(T);
  if (index < 0 || index >= s.Count()) return;
  const cParamSlot& slot = s[static_cast<size_t>(index)];
  const void* p = slot.locate(command);
  if (!p) return;
  if (slot.width == 1) out = *static_cast<const int8_t*>(p);
  else if (slot.width == 2) out = *static_cast<const int16_t*>(p);
  else out = *static_cast<const int32_t*>(p);
}

template <int T>
void SetParam(int32_t value, int index, cEdCommand& command) {
  const cVector<cParamSlot>& s = Slots(T);
  if (index < 0 || index >= s.Count()) return;
  const cParamSlot& slot = s[static_cast<size_t>(index)];
  void* p = slot.locate(command);
  if (!p) return;
  if (slot.width == 1) *static_cast<int8_t*>(p) = static_cast<int8_t>(value);
  else if (slot.width == 2) *static_cast<int16_t*>(p) = static_cast<int16_t>(value);
  else *static_cast<int32_t*>(p) = value;
}

void GetNothing(int32_t&, int, cEdCommand&) {}
void SetNothing(int32_t, int, cEdCommand&) {}

// The range of a parameter whose range belongs to the shot's firing pattern or
// movement type; false when the parameter is not one of those.
bool PatternRange(int type, int index, const cEdCommand& c, int32_t& min, int32_t& max, bool& bad) {
  int k = -1;
  bool move = false;
  if ((type == 11 || type == 14) && index >= 2 && index <= 4) k = index - 2;
  else if (type == 13 && index >= 0 && index <= 2) k = index;
  else if (type == 15 && index >= 1 && index <= 3) k = index - 1;
  else if (type == 11 && index >= 15 && index <= 17) k = index - 15, move = true;
  if (k < 0) return false;
  if (!c.pShot) return bad = true;
  const int kind = move ? c.pShot->nMoveType : c.pShot->nFormation;
  if (kind < 0 || kind >= (move ? kShotMoveTypes : kShotPatterns)) {
    ReportLog("Arrange: %s %d has no range", move ? "move type" : "pattern", kind);
    return bad = true;
  }
  const cParamDesc& d = move ? ShotMoveTypeParamDesc(kind, k) : ShotPatternParamDesc(kind, k);
  min = d.nMin;
  max = d.nMax;
  return true;
}

// The variable an arrange reads; false when the number names none.
bool SourceValue(int source, int n, cChara& chara, int32_t& x) {
  const cVector<int32_t>* ints = nullptr;
  switch (source) {
    case 0:
      if (n < 1 || n >= SaveData.CommonVars.Count()) return false;
      x = SaveData.CommonVars[static_cast<size_t>(n)];
      return true;
    case 1: {
      cStageScene* s = StageScene();
      if (!s || n < 1 || n >= s->m_StageVars.Count()) return false;
      x = s->m_StageVars[static_cast<size_t>(n)];
      return true;
    }
    case 2:
      ints = &chara.m_Vars;
      if (n < 0 || n >= ints->Count()) return false;
      x = (*ints)[static_cast<size_t>(n)];
      return true;
    default:
      return false;  // the editor offers only the three scopes
  }
}

}  // namespace

#define G(t) GetParam<t>
#define S(t) SetParam<t>
const ParamGetter ParamGetters[40] = {
    nullptr, nullptr, G(2),    GetNothing, GetNothing, G(5),    G(6),    GetNothing, nullptr, nullptr,
    nullptr, G(11),   G(12),   G(13),      G(14),      G(15),   nullptr, G(17),      nullptr, G(19),
    G(20),   G(21),   G(22),   nullptr,    G(24),      nullptr, G(26),   nullptr,    nullptr, G(29),
    nullptr, nullptr, G(32),   G(33),      G(34),      nullptr, nullptr, nullptr,    nullptr, nullptr};
const ParamSetter ParamSetters[40] = {
    nullptr, nullptr, S(2),    SetNothing, SetNothing, S(5),    S(6),    SetNothing, nullptr, nullptr,
    nullptr, S(11),   S(12),   S(13),      S(14),      S(15),   nullptr, S(17),      nullptr, S(19),
    S(20),   S(21),   S(22),   nullptr,    S(24),      nullptr, S(26),   nullptr,    nullptr, S(29),
    nullptr, nullptr, S(32),   S(33),      S(34),      nullptr, nullptr, nullptr,    nullptr, nullptr};
#undef G
#undef S

int ArrangeTableType(const cEdCommand& command) {
  return command.nType + (command.nSet == cEdCommand::kItemSet ? 15 : 0);
}

int32_t ArrangeValue(int32_t cur, int32_t x, int operation, int32_t min, int32_t max) {
  // 64 bits: a product, a sum or INT_MIN / -1 never wraps; the range then holds it.
  int64_t v = cur;
  switch (operation) {
    case 0: v = x; break;
    case 1: v = static_cast<int64_t>(cur) + x; break;
    case 2: v = static_cast<int64_t>(cur) - x; break;
    case 3: v = static_cast<int64_t>(cur) * x; break;
    case 4: if (x != 0) v = static_cast<int64_t>(cur) / x; break;
    case 5: if (x != 0) v = static_cast<int64_t>(cur) % x; break;
    case 6: {
      double d = static_cast<double>(x) * cur * 0.01;
      d = d >= 0 ? d + 0.5 : d - 0.5;
      d = std::trunc(d);
      v = d > 4e18 ? INT64_MAX / 2 : d < -4e18 ? INT64_MIN / 2 : static_cast<int64_t>(d);
      break;
    }
    default: break;
  }
  if (v < min) v = min;
  else if (v > max) v = max;
  return static_cast<int32_t>(v);
}

void ApplyArrange(cEdCommand& command, const cArrangeEntry& entry, cChara& chara) {
  if (entry.Count() < 5) return;
  const int t = ArrangeTableType(command);
  if (t < 0 || t >= 40 || entry[0] != t || !ParamSetters[t]) return;
  const int index = entry[1];
  int32_t cur = 0;
  ParamGetters[t](cur, index, command);
  int32_t x = 0;
  if (!SourceValue(entry[3], entry[4], chara, x)) return;
  // Types whose getter and setter do nothing have no parameters to clamp against.
  if (t >= CommandParamTable.Count() || CommandParamTable[static_cast<size_t>(t)].empty()) return;
  const cVector<cCommandParam>& list = CommandParamTable[static_cast<size_t>(t)];
  if (index < 0 || index >= list.Count()) {
    ReportBadIndex('V', index, list.Count(), static_cast<int>(sizeof(cCommandParam)));
    return;
  }
  int32_t min = list[static_cast<size_t>(index)].nMin, max = list[static_cast<size_t>(index)].nMax;
  bool bad = false;
  PatternRange(t, index, command, min, max, bad);
  if (bad) return;
  ParamSetters[t](ArrangeValue(cur, x, entry[2], min, max), index, command);
}

void ApplyFlowArranges(cEdCommand& command, cChara& chara, cFlowRun& flow) {
  for (const cArrangeEntry& e : flow.Arranges) ApplyArrange(command, e, chara);
}

void ApplyItemArranges(cEdCommand& command, cPlayer& player) {
  for (const cArrangeEntry& e : player.m_ItemArranges) ApplyArrange(command, e, player);
}

int ExecArrange(cChara& chara, cEdCommand& command) {
  (void)chara;
  if (command.nSet == cEdCommand::kItemSet) {
    if (!Player.empty()) Player.front().m_ItemArranges.push_back(command.Values);
    return 0;
  }
  if (cFlowRun* flow = CurrentFlowRun()) flow->Arranges.push_back(command.Values);
  return 0;
}

// Status conditions and status operations: a status, system value or variable
// tested against, or changed by, an operand.
#include <algorithm>

#include "chara/chara.h"
#include "app/base/text_util.h"
#include "chara/status.h"
#include "data/project_globals.h"
#include "data/command.h"
#include "data/condition.h"
#include "stage/stage_scene.h"

namespace {

// Where an operand comes from (the operand kinds of conditions and operations).
struct cOperand {
  int kind = 0;      // 0 constant, 1 random, 2 status or system value, 3 variable
  int constant = 0;
  int randA = 0, randB = 0;
  int scope = 0;     // kind 3
  int index = 0;     // kind 3: the variable; kind 2 status 0: the character variable
  int object = 0;    // kind 2: 0 self, 1 target, 2 system; other values self
  int status = 0;
};

cChara* ObjectChara(int object, cChara& self) { return object == 1 ? self.m_pTarget : &self; }

bool IsNarrow8(int status) {
  return status == kStatusCid || status == kStatusZ || status == kStatusSight || status == kStatusImp ||
         status == kStatusImpd;
}
bool IsNarrow16(int status) { return status == kStatusMark || status == kStatusStop; }

// A status of a character as stored (status 0: the character variable at index;
// a bad index reads 0 after its report).
int ReadStatus(cChara& c, int status, int index) {
  cEdChara& d = c.m_Def;
  switch (status) {
    case kStatusVar: {
      const int32_t* slot = CharaVariableSlot(c, index);
      return slot ? *slot : 0;
    }
    case kStatusHp: return c.m_nHP;
    case kStatusSp: return c.m_nSP;
    case kStatusMhp: return d.mhp;
    case kStatusMsp: return d.msp;
    case kStatusCid: return d.cid;
    case kStatusZ: return d.z;
    case kStatusMark: return d.mark;
    case kStatusSight: return d.sight;
    case kStatusPower: return d.power;
    case kStatusImp: return d.imp;
    case kStatusDef: return d.def;
    case kStatusImpd: return d.impd;
    case kStatusStop: return d.stop;
    case kStatusGetsc: return d.getsc;
    default: return 0;
  }
}

// False when the operand cannot be read: a missing target, another character's
// sight, an index or kind outside the tables.
bool ResolveOperand(const cOperand& o, cChara& self, int& out) {
  switch (o.kind) {
    case 0: out = o.constant; return true;
    case 1: out = RandRange(o.randA, o.randB); return true;
    case 2: {
      if (o.object == 2) {
        if (o.status < 0 || o.status >= kSystemValueCount) return false;
        out = ReadSystemValue(o.status, true);
        return true;
      }
      cChara* c = ObjectChara(o.object, self);
      if (!c || o.status < 0 || o.status >= kStatusCount) return false;
      if (o.status == kStatusSight && c->m_nKind != 0) return false;
      out = ReadStatus(*c, o.status, o.index);
      if (o.status == kStatusStop) RefreshFriction(*c);
      return true;
    }
    case 3: {
      if (o.scope != 0 && o.scope != 1) {
        out = 0;
        return true;
      }
      const int32_t* slot = VariableSlot(o.scope, o.index);
      out = slot ? *slot : 0;
      return true;
    }
    default: return false;
  }
}

void SetStatusDeath() {
  if (cStageScene* scene = StageScene()) scene->m_bStatusDeath = 1;
}

int StatusMinimum(int status) {
  switch (status) {
    case kStatusVar:
    case kStatusPower:
    case kStatusGetsc: return kValueMin;
    case kStatusImp: return -20;
    default: return 0;
  }
}

int StatusMaximum(int status) {
  switch (status) {
    case kStatusCid: return 99;
    case kStatusZ: return 7;
    case kStatusMark: return 119;
    case kStatusSight: return 40;
    case kStatusImp:
    case kStatusImpd: return 20;
    case kStatusStop: return 200;
    default: return kValueMax;
  }
}

// A status other than HP and SP changed in its width and range.
void OperateOnStatus(cChara& c, int status, int operand, int op) {
  cEdChara& d = c.m_Def;
  const int lo = StatusMinimum(status), hi = StatusMaximum(status);
  const auto n8 = static_cast<int8_t>(operand);
  const auto n16 = static_cast<int16_t>(operand);
  switch (status) {
    case kStatusMhp: ApplyOperation(d.mhp, operand, op, lo, hi); break;
    case kStatusMsp: ApplyOperation(d.msp, operand, op, lo, hi); break;
    case kStatusCid: ApplyOperation(d.cid, n8, op, lo, hi); break;
    case kStatusZ: ApplyOperation(d.z, n8, op, lo, hi); break;
    case kStatusMark: ApplyOperation(d.mark, n16, op, lo, hi); break;
    case kStatusSight: ApplyOperation(d.sight, n8, op, lo, hi); break;
    case kStatusPower: ApplyOperation(d.power, operand, op, lo, hi); break;
    case kStatusImp: ApplyOperation(d.imp, n8, op, lo, hi); break;
    case kStatusDef: ApplyOperation(d.def, operand, op, lo, hi); break;
    case kStatusImpd: ApplyOperation(d.impd, n8, op, lo, hi); break;
    case kStatusStop: ApplyOperation(d.stop, n16, op, lo, hi); break;
    case kStatusGetsc: ApplyOperation(d.getsc, operand, op, lo, hi); break;
    default: break;
  }
}

// HP or SP: the new value from a copy, applied as a change so gauges and the HP
// rules follow. mode 0 the operand as given, 1 a percentage of the maximum, 2 of
// the current value.
void OperateOnHpSp(cChara& c, bool hp, int operand, int op, int mode, int show) {
  const int current = hp ? c.m_nHP : c.m_nSP;
  const int maximum = hp ? c.m_Def.mhp : c.m_Def.msp;
  if (mode == 1) operand = PercentOf(maximum, operand);
  else if (mode == 2) operand = PercentOf(current, operand);
  else if (mode != 0) return;
  int32_t value = current;
  ApplyOperation(value, operand, op, 0, kValueMax);
  if (hp) c.ChangeHP(value - current, 1, show);
  else c.ChangeSP(value - current, show);
}

void ApplyStatusOperation(cChara& self, const cEdCommand& command);

}  // namespace

bool CheckStatusCondition(const cEdCondition& cond, cChara& self) {
  cOperand o;
  o.kind = cond.nRightSide;
  o.constant = cond.nValue;
  o.randA = cond.nRandMin;
  o.randB = cond.nRandMax;
  o.scope = cond.nRightScope;
  o.index = cond.nRightVarIndex;
  o.object = cond.nRightSubject;
  o.status = cond.nRightItem;
  int operand = 0;
  if (!ResolveOperand(o, self, operand)) return false;
  const int op = cond.nCompare;
  if (cond.nLeftSide == 1) {
    if (cond.nLeftScope != 0 && cond.nLeftScope != 1) return false;
    const int32_t* slot = VariableSlot(cond.nLeftScope, cond.nVarIndex);
    return CompareByOperator(slot ? *slot : 0, cond.bPercent ? 0 : operand, op);
  }
  if (cond.nSubject == 2) {
    if (cond.nLeftItem < 0 || cond.nLeftItem >= kSystemValueCount) return false;
    const int value = ReadSystemValue(cond.nLeftItem, false);
    if (cond.nLeftItem == kSysLife && value == kUnlimitedLives) return false;
    return CompareByOperator(value, cond.bPercent ? 0 : operand, op);
  }
  cChara* c = ObjectChara(cond.nSubject, self);
  const int status = cond.nLeftItem;
  if (!c || status < 0 || status >= kStatusCount) return false;
  const int value = ReadStatus(*c, status, cond.nVarIndex);
  if (cond.bPercent) {
    if (status == kStatusHp) operand = std::clamp(PercentOf(c->m_Def.mhp, operand), 0, kValueMax);
    else if (status == kStatusSp) operand = std::clamp(PercentOf(c->m_Def.msp, operand), 0, kValueMax);
    else operand = 0;
  }
  if (IsNarrow8(status)) return CompareByOperator(static_cast<int8_t>(value), static_cast<int8_t>(operand), op);
  if (IsNarrow16(status)) return CompareByOperator(static_cast<int16_t>(value), static_cast<int16_t>(operand), op);
  return CompareByOperator(value, operand, op);
}

int ExecStatusOperation(cChara& self, cEdCommand& command) {
  ApplyStatusOperation(self, command);
  return 0;
}

namespace {

void ApplyStatusOperation(cChara& self, const cEdCommand& command) {
  // A parameter list shorter than the command's table reads 0 for what it lacks.
  auto p = [&](int i) { return i < command.Values.Count() ? command.Values[static_cast<size_t>(i)] : 0; };
  cOperand o;
  o.kind = p(6);
  o.constant = p(7);
  o.randA = p(8);
  o.randB = p(9);
  o.scope = p(10);
  o.index = p(11);
  o.object = p(12);
  o.status = p(13);
  int operand = 0;
  if (!ResolveOperand(o, self, operand)) return;
  const int op = p(5);
  const bool percent = p(14) != 0;
  if (p(0) == 1) {
    if (p(1) != 0 && p(1) != 1) return;
    int32_t* slot = VariableSlot(p(1), p(2));
    if (!slot) return;
    ApplyOperation(*slot, percent ? PercentOf(*slot, operand) : operand, op, kValueMin, kValueMax);
    return;
  }
  if (p(0) != 0) return;
  if (p(3) == 2) {
    const int index = p(4);
    if (index < 0 || index >= kSystemValueCount) return;
    if (index == kSysLife && SaveData.nLives == kUnlimitedLives) return;
    int32_t value = ReadSystemValue(index, false);
    int lo = 0, hi = 0;
    SystemValueRange(index, lo, hi);
    ApplyOperation(value, percent ? PercentOf(value, operand) : operand, op, lo, hi);
    WriteSystemValue(index, value);
    return;
  }
  cChara* c = ObjectChara(p(3), self);
  const int status = p(4);
  if (!c || status < 0 || status >= kStatusCount) return;
  if (p(17) && c->m_Def.nInvincible) return;
  switch (status) {
    case kStatusVar: {
      int32_t* slot = CharaVariableSlot(*c, p(2));
      if (!slot) return;
      ApplyOperation(*slot, percent ? PercentOf(*slot, operand) : operand, op, kValueMin, kValueMax);
      break;
    }
    case kStatusHp: OperateOnHpSp(*c, true, operand, op, p(15), p(16)); break;
    case kStatusSp: OperateOnHpSp(*c, false, operand, op, p(15), p(16)); break;
    case kStatusMhp:
      OperateOnStatus(*c, status, percent ? PercentOf(c->m_Def.mhp, operand) : operand, op);
      c->m_nHP = std::min(c->m_nHP, c->m_Def.mhp);
      break;
    case kStatusMsp:
      OperateOnStatus(*c, status, percent ? PercentOf(c->m_Def.msp, operand) : operand, op);
      c->m_nSP = std::min(c->m_nSP, c->m_Def.msp);
      break;
    case kStatusSight:
      if (c->m_nKind != 0) return;
      OperateOnStatus(*c, status, percent ? PercentOf(c->m_Def.sight, operand) : operand, op);
      RefreshSight(*c);
      break;
    case kStatusStop:
      OperateOnStatus(*c, status, percent ? PercentOf(c->m_Def.stop, operand) : operand, op);
      RefreshFriction(*c);
      break;
    default: OperateOnStatus(*c, status, percent ? PercentOf(ReadStatus(*c, status, 0), operand) : operand, op); break;
  }
  if ((status == kStatusHp || status == kStatusMhp) && c != &self && c->m_nHP <= 0) SetStatusDeath();
}

}  // namespace

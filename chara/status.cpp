// The arithmetic shared by conditions, status operations and run code, and the
// reading and writing of variables and system values.
#include "chara/status.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "chara/chara.h"
#include "chara/jump_rules.h"
#include "data/project_globals.h"
#include "stage/sight_mask.h"
#include "stage/stage_scene.h"

namespace {

int SaturateInt(long long v) { return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX)); }

bool Compare(long long a, long long b, int op) {
  switch (op) {
    case 0: return a == b;
    case 1: return a != b;
    case 2: return a >= b;
    case 3: return a <= b;
    case 4: return a > b;
    case 5: return a < b;
    case 6: return b == 0 || std::llabs(a) % b == 0;
    case 7: return b != 0 && std::llabs(a) % b != 0;
    default: return false;
  }
}

// The operation in 64 bits; false when it leaves the target alone (division by
// 0, an unknown operation). percent is the width's own PercentOf.
template <class Percent>
bool Operate(long long t, long long n, int op, long long& out, long long minimum, long long maximum,
             Percent percent) {
  switch (op) {
    case 0: out = n; return true;
    case 1: out = t + n; return true;
    case 2: out = t - n; return true;
    case 3: out = t * n; return true;  // at most 2^62: no wrap, the clamp saturates
    case 4:
      if (n == 0) break;
      out = t / n;
      return true;
    case 5:
      if (n == 0) break;
      out = t % n;
      return true;
    case 6: out = percent(t, n); return true;
    default: break;
  }
  out = std::clamp(t, minimum, maximum);
  return true;
}

template <class T, class Percent>
void ApplyIn(T& target, long long operand, int op, int minimum, int maximum, Percent percent) {
  long long out = target;
  Operate(target, operand, op, out, minimum, maximum, percent);
  target = static_cast<T>(std::clamp<long long>(out, minimum, maximum));
}

}  // namespace

bool CompareByOperator(int a, int b, int op) { return Compare(a, b, op); }
bool CompareByOperator(int8_t a, int8_t b, int op) { return Compare(a, b, op); }
bool CompareByOperator(int16_t a, int16_t b, int op) { return Compare(a, b, op); }

int PercentOf(int a, int b) {
  const double v = static_cast<double>(static_cast<long long>(a) * b) * 0.01;
  const double r = v >= 0 ? v + 0.5 : v - 0.5;
  return SaturateInt(static_cast<long long>(std::clamp(r, -9.0e18, 9.0e18)));
}
int PercentOf(int8_t a, int b) { return PercentOf(static_cast<int>(a), b); }
int PercentOf(int16_t a, int b) { return PercentOf(static_cast<int>(a), b); }

int ClampValue(int& v, int minimum, int maximum) {
  if (v < minimum) v = minimum;
  if (v > maximum) v = maximum;
  return v;
}

void ApplyOperation(int32_t& target, int32_t operand, int op, int minimum, int maximum) {
  ApplyIn(target, operand, op, minimum, maximum,
          [](long long t, long long n) { return PercentOf(static_cast<int>(t), static_cast<int>(n)); });
}
void ApplyOperation(int8_t& target, int8_t operand, int op, int minimum, int maximum) {
  ApplyIn(target, operand, op, minimum, maximum,
          [](long long t, long long n) { return PercentOf(static_cast<int8_t>(t), static_cast<int>(n)); });
}
void ApplyOperation(int16_t& target, int16_t operand, int op, int minimum, int maximum) {
  ApplyIn(target, operand, op, minimum, maximum,
          [](long long t, long long n) { return PercentOf(static_cast<int16_t>(t), static_cast<int>(n)); });
}

int32_t* VariableSlot(int scope, int index) {
  cVector<int32_t>* vars = nullptr;
  if (scope == 0) {
    vars = &SaveData.CommonVars;
  } else if (scope == 1) {
    cStageScene* scene = StageScene();
    if (!scene) return nullptr;
    vars = &scene->m_StageVars;
  } else {
    return nullptr;
  }
  if (index < 0 || index >= vars->Count()) {
    ReportBadIndex('V', index, vars->Count(), static_cast<int>(sizeof(int32_t)));
    return nullptr;
  }
  return &(*vars)[static_cast<size_t>(index)];
}

int32_t* CharaVariableSlot(cChara& chara, int index) {
  if (index < 0 || index >= chara.m_Vars.Count()) {
    ReportBadIndex('V', index, chara.m_Vars.Count(), static_cast<int>(sizeof(int32_t)));
    return nullptr;
  }
  return &chara.m_Vars[static_cast<size_t>(index)];
}

int ReadSystemValue(int index, bool operandSide) {
  cStageScene* scene = StageScene();
  switch (index) {
    case kSysTime:
      if (!scene) return 0;
      return operandSide && scene->m_bNoTimeLimit ? 0 : scene->m_nTimeLeft;
    case kSysScrollX: return StageData.nAutoScrollSpeedX;
    case kSysScrollY: return StageData.nAutoScrollSpeedY;
    case kSysScore: return SaveData.nStageScore;
    case kSysLife: return operandSide && SaveData.nLives == kUnlimitedLives ? 0 : SaveData.nLives;
    default: return 0;
  }
}

void SystemValueRange(int index, int& minimum, int& maximum) {
  switch (index) {
    case kSysTime: minimum = 0, maximum = 999; break;
    case kSysScrollX:
    case kSysScrollY: minimum = -480, maximum = 480; break;
    case kSysScore: minimum = 0, maximum = kValueMax; break;
    default: minimum = 0, maximum = 99; break;
  }
}

void WriteSystemValue(int index, int value) {
  cStageScene* scene = StageScene();
  const double steps = StageData.Timing().dSteps;
  switch (index) {
    case kSysTime:
      if (scene) scene->m_nTimeLeft = value;
      break;
    case kSysScrollX:
      StageData.nAutoScrollSpeedX = value;
      if (scene) scene->m_ScrollX.SetAutoScroll(StageData.bAutoScrollX, value, steps);
      break;
    case kSysScrollY:
      StageData.nAutoScrollSpeedY = value;
      if (scene) scene->m_ScrollY.SetAutoScroll(StageData.bAutoScrollY, value, steps);
      break;
    case kSysScore: SaveData.nStageScore = value; break;
    case kSysLife:
      if (SaveData.nLives != kUnlimitedLives) SaveData.nLives = value;
      break;
    default: break;
  }
}

void RefreshSight(cChara& chara) {
  if (chara.m_nKind != 0) return;
  chara.m_nSightDots = chara.m_Def.sight * 16;
  cStageScene* scene = StageScene();
  if (scene && chara.m_Def.nSightShape != 0) scene->CreateSightSurfaces(&SightMask, &SightShape);
}

void RefreshFriction(cChara& chara) { chara.m_dFriction = StopToFriction(StageData.Timing(), chara.m_Def.stop); }

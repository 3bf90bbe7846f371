#pragma once
#include <cstdint>

#include "app/base/vector.h"

class cChara;
class cEdCondition;
class cEdCommand;

// The numbers that flows test and change: character statuses, system values and
// variables of three scopes, with the comparisons and operations on them that
// status conditions, status operations, command arranges and run code share.
enum eStatus {
  kStatusVar = 0, kStatusHp, kStatusSp, kStatusMhp, kStatusMsp, kStatusCid, kStatusZ, kStatusMark, kStatusSight,
  kStatusPower, kStatusImp, kStatusDef, kStatusImpd, kStatusStop, kStatusGetsc, kStatusCount
};
enum eSystemValue { kSysTime = 0, kSysScrollX, kSysScrollY, kSysScore, kSysLife, kSystemValueCount };

constexpr int kValueMin = -999999;
constexpr int kValueMax = 999999;
// Lives at this value are unlimited: no operation touches them.
constexpr int kUnlimitedLives = 999999;

// Operator 0 ==, 1 !=, 2 >=, 3 <=, 4 >, 5 <, 6 divisible (by 0 too), 7 not
// divisible; any other operator is false. The narrow variants compare in their width.
bool CompareByOperator(int a, int b, int op);
bool CompareByOperator(int8_t a, int8_t b, int op);
bool CompareByOperator(int16_t a, int16_t b, int op);
// a x b percent, rounded half away from zero (the product taken in 64 bits, the
// result held to the int range). The narrow variants cut a to their width first.
int PercentOf(int a, int b);
int PercentOf(int8_t a, int b);
int PercentOf(int16_t a, int b);
int ClampValue(int& v, int minimum, int maximum);
// Operation 0 =, 1 +, 2 -, 3 x, 4 / (nothing by 0), 5 mod (nothing by 0),
// 6 percent, other nothing; then the clamp. The arithmetic runs in 64 bits so a
// result never wraps: a narrow status ends inside its range, never wrapped round.
void ApplyOperation(int32_t& target, int32_t operand, int op, int minimum, int maximum);
void ApplyOperation(int8_t& target, int8_t operand, int op, int minimum, int maximum);
void ApplyOperation(int16_t& target, int16_t operand, int op, int minimum, int maximum);

// The slot of a variable, or null after the bad-index report (a bad index reads 0
// and writes nothing). Scope 0 common, 1 stage; the character's own by index.
int32_t* VariableSlot(int scope, int index);
int32_t* CharaVariableSlot(cChara& chara, int index);

// System values as flows read them (the operand side: `time` reads 0 while the
// clock is stopped, `life` 0 while unlimited) or as stored.
int ReadSystemValue(int index, bool operandSide);
// Writes a system value already inside its range; the scroll speeds also set
// their axis.
void WriteSystemValue(int index, int value);
// The range of a system value.
void SystemValueRange(int index, int& minimum, int& maximum);
// The player's sight follows its `sight`: dots and the sight mask.
void RefreshSight(cChara& chara);
// The friction follows `stop`.
void RefreshFriction(cChara& chara);

// Condition kind 4: a status, system value or variable compared with an operand.
bool CheckStatusCondition(const cEdCondition& condition, cChara& self);
// The command "change a status": a status, system value or variable changed by an
// operand. The command handler's result is always 0.
int ExecStatusOperation(cChara& self, cEdCommand& command);

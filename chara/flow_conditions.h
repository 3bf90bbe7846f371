#pragma once
#include <cstdint>

class cChara;
class cEdCondition;
class cFlowRun;
struct DDSURFACEDATA;

// The comparisons of conditions: 0 =, 1 !=, 2 >=, 3 <=, 4 >, 5 <, 6 k is 0 or |v| a
// multiple of k, 7 k is not 0 and |v| not a multiple of k; others false.
bool CompareConditionValue(int64_t v, int64_t k, int op);
// Condition kinds 4 to 7 of a character's flows, blocks and items.
bool CheckStatusCondition(const cEdCondition& condition, cChara& self);
bool CheckStatusCondition2(const cEdCondition& condition, cChara& self);
bool CheckStatusCondition3(const cEdCondition& condition, cChara& self);
bool CheckDistanceCondition(const cEdCondition& condition, cChara& self);
// Whether a flow's conditions hold now (latching them when its option asks).
bool CheckFlowConditionsOf(cFlowRun& run, cChara& chara);
// Whether the key conditions of a flow pass now (edge-triggered unless the flow
// repeats while held).
bool CheckKeyConditions(cFlowRun& run, cChara& chara);

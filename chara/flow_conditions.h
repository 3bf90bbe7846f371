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
// Kind 4, the status condition: chara/status.h.
bool CheckStatusCondition(const cEdCondition& condition, cChara& self);
bool CheckStatusCondition2(const cEdCondition& condition, cChara& self);
bool CheckStatusCondition3(const cEdCondition& condition, cChara& self);
bool CheckDistanceCondition(const cEdCondition& condition, cChara& self);
// Whether a flow's conditions hold now (latching them when its option asks).
bool CheckFlowConditionsOf(cFlowRun& run, cChara& chara);
// Whether the key conditions of a flow pass now (edge-triggered unless the flow
// repeats while held).
bool CheckKeyConditions(cFlowRun& run, cChara& chara);
// The screen rectangle of a distance condition's area around a character (the
// bounding square of the circle); false for a shape beyond the table.
struct cAreaRect {
  int nLeft = 0, nTop = 0, nWidth = 0, nHeight = 0;
};
bool DistanceAreaRect(const cEdCondition& condition, const cChara& chara, cAreaRect& rect);
// How a distance condition asks to be shown: 0 never, 1 always, 2 in a test play.
int DistanceAreaShowMode(const cEdCondition& condition);
// Draws the areas of the distance conditions marked to be shown, blinking.
void DrawDistanceAreas(DDSURFACEDATA* target);

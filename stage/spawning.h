#pragma once
#include <cstdint>

#include "app/base/vector.h"

class cEdItem;
class cEdShot;
class cItem;

// What a summon command asks of the objects it makes: their lifetime (when the
// switch is on, in tenths of a second), no score for defeating them, and for a
// block summon its mode (0 write, 1 erase, 2 toggle) and whether a block may not
// be written onto the player or onto other characters. The firing code fills it
// from the command's shot definition.
struct cSummonParams {
  int32_t bLifetime = 0;
  int32_t nLifetime = 0;
  int32_t bNoScore = 0;
  int32_t nBlockMode = 0;
  int32_t bRefusePlayer = 0;
  int32_t bRefuseCharas = 0;
};

// The lifetime and block mode that a shot definition gives a summon (lifetime with
// its per-clone increment); the no-score and refusal switches are left off.
cSummonParams SummonParamsOf(const cEdShot& shot, int clone);

// A summoned object's lifetime in logic steps: tenths x 6 x N, kept within the
// int range; INT32_MAX (unlimited) when the switch is off.
int32_t SummonLifetime(const cSummonParams& summon);

// A summon of an item at (x, y) dots; the counter grows when it lands inside the
// stage. Summoned items are not tested for blocked places.
void SummonItem(cList<cItem>& list, double x, double y, const cSummonParams& summon, const cEdItem& def,
                int& counter);

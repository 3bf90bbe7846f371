// The conversions that reading a command of an old file applies to its type and
// parameters, one step per change of a command's parameter layout, in the order
// of their version bounds. Types before 734 are those files' own numbering: from
// character type 24 and item type 9 on, one below today's (step 25 renumbers).
#include <algorithm>
#include <initializer_list>

#include "data/command.h"
#include "data/record_lists.h"

namespace {

using Params = cVector<int32_t>;

// The parameter list becomes exactly n long (new entries 0).
void Resize(Params& p, int n) { p.resize(static_cast<size_t>(n), 0); }
// After a resize to n: entries k .. n-2 move one place up, entry k becomes v.
void Insert(Params& p, int n, int k, int32_t v) {
  Resize(p, n);
  InsertKeepingSize(p, k, v);
}

// Adds one as the stored 32-bit value would, wrapping at the top.
void Inc(int32_t& v) { v = static_cast<int32_t>(static_cast<uint32_t>(v) + 1u); }

// Type comparisons are signed.
int Type(const cEdCommand& c) { return static_cast<int8_t>(c.nType); }
bool Is(const cEdCommand& c, std::initializer_list<int> charaTypes, std::initializer_list<int> itemTypes) {
  const auto& types = c.nSet == cEdCommand::kCharaSet ? charaTypes : itemTypes;
  if (c.nSet != cEdCommand::kCharaSet && c.nSet != cEdCommand::kItemSet) return false;
  return std::find(types.begin(), types.end(), Type(c)) != types.end();
}

// Status indexes at and above the threshold move up by one: a status was inserted.
void ShiftStatuses(Params& p, int threshold) {
  Resize(p, std::max(p.Count(), 14));
  if (p[0] == 0 && p[3] != 2 && p[4] >= threshold) Inc(p[4]);
  if (p[6] == 2 && p[12] != 2 && p[13] >= threshold) Inc(p[13]);
}

struct cStep {
  uint32_t below;
  bool (*matches)(const cEdCommand&);
  void (*apply)(cEdCommand&);
};

const cStep kSteps[] = {
    // 1: stage clear
    {145, [](const cEdCommand& c) { return Is(c, {17}, {2}); }, [](cEdCommand& c) { Resize(c.Values, 9); }},
    // 2: play music gets its loop setting
    {166, [](const cEdCommand& c) { return Is(c, {35}, {20}); },
     [](cEdCommand& c) {
       Resize(c.Values, 2);
       c.Values[1] = 1;
     }},
    // 3: status operation: status 10 was inserted
    {168, [](const cEdCommand& c) { return Is(c, {22}, {7}); }, [](cEdCommand& c) { ShiftStatuses(c.Values, 10); }},
    // 4: set target
    {189, [](const cEdCommand& c) { return Is(c, {21}, {6}); }, [](cEdCommand& c) { Insert(c.Values, 15, 2, 0); }},
    // 5: show picture
    {194, [](const cEdCommand& c) { return Is(c, {31}, {16}); }, [](cEdCommand& c) { Insert(c.Values, 15, 6, 1); }},
    // 6: character effect, screen effect
    {195, [](const cEdCommand& c) { return Is(c, {29, 30}, {14, 15}); },
     [](cEdCommand& c) { Insert(c.Values, 3, 1, 0); }},
    // 7: summon character, summon item
    {203, [](const cEdCommand& c) { return Is(c, {14, 15}, {}); }, [](cEdCommand& c) { c.Values.clear(); }},
    // 8: flow operation
    {203, [](const cEdCommand& c) { return Is(c, {16}, {}); }, [](cEdCommand& c) { Resize(c.Values, 3); }},
    // 9: status operation: status 5 was inserted
    {203, [](const cEdCommand& c) { return Is(c, {22}, {7}); }, [](cEdCommand& c) { ShiftStatuses(c.Values, 5); }},
    // 10: status operation 2: state 6 was inserted
    {210, [](const cEdCommand& c) { return Is(c, {23}, {8}); },
     [](cEdCommand& c) {
       Resize(c.Values, std::max(c.Values.Count(), 2));
       if (c.Values[0] != 2 && c.Values[1] >= 6) Inc(c.Values[1]);
     }},
    // 11: change graphic: the shot sheet gained a first cell
    {219, [](const cEdCommand& c) { return Is(c, {25}, {10}); },
     [](cEdCommand& c) {
       Resize(c.Values, std::max(c.Values.Count(), 2));
       if (c.Values[0] == 3) c.Values[1] = static_cast<int32_t>(std::min<int64_t>(int64_t{c.Values[1]} + 1, 119));
     }},
    // 12: shot: the same for the shot's graphic
    {220, [](const cEdCommand& c) { return Is(c, {11}, {}); },
     [](cEdCommand& c) {
       if (c.pShot) c.pShot->nGraphic = static_cast<int16_t>(std::min(c.pShot->nGraphic + 1, 119));
     }},
    // 13: charge move
    {514, [](const cEdCommand& c) { return Is(c, {5}, {}); },
     [](cEdCommand& c) {
       if (!c.pMove) return;
       c.pMove->nAngle = 0;
       c.pMove->nAngleClone = 0;
       c.pMove->bMirrorAngle = 1;
     }},
    // 14 to 19, 21 and 22: message and show picture gained their options one by one
    {545, [](const cEdCommand& c) { return Is(c, {19}, {4}); },
     [](cEdCommand& c) {
       Resize(c.Values, 18);
       c.Values[10] = 1;
     }},
    {545, [](const cEdCommand& c) { return Is(c, {31}, {16}); },
     [](cEdCommand& c) {
       Resize(c.Values, 15);
       c.Values[11] = 0;
     }},
    {546, [](const cEdCommand& c) { return Is(c, {19}, {4}); },
     [](cEdCommand& c) {
       Resize(c.Values, std::max(c.Values.Count(), 11));
       c.Values[10] = c.Values[0] == 0 || c.Values[0] == 7 ? 1 : 0;
     }},
    {547, [](const cEdCommand& c) { return Is(c, {19}, {4}); },
     [](cEdCommand& c) {
       Resize(c.Values, 18);
       c.Values[11] = c.Values[12] = c.Values[13] = 0;
       c.Values[14] = 1;
       c.Values[15] = 0;
     }},
    {547, [](const cEdCommand& c) { return Is(c, {31}, {16}); },
     [](cEdCommand& c) {
       Resize(c.Values, 15);
       c.Values[12] = c.Values[13] = 0;
     }},
    {556, [](const cEdCommand& c) { return Is(c, {19}, {4}); },
     [](cEdCommand& c) {
       Resize(c.Values, 18);
       c.Values[16] = 1;
     }},
    // 20: stage clear gained a destination
    {722, [](const cEdCommand& c) { return Is(c, {17}, {2}); },
     [](cEdCommand& c) {
       Resize(c.Values, std::max(c.Values.Count(), 1));
       if (c.Values[0] >= 2) Inc(c.Values[0]);
     }},
    {723, [](const cEdCommand& c) { return Is(c, {19}, {4}); },
     [](cEdCommand& c) {
       Resize(c.Values, 18);
       c.Values[17] = 0;
     }},
    {723, [](const cEdCommand& c) { return Is(c, {31}, {16}); },
     [](cEdCommand& c) {
       Resize(c.Values, 15);
       c.Values[14] = 0;
     }},
    // 23: arrange
    {726, [](const cEdCommand& c) { return Is(c, {37}, {22}); },
     [](cEdCommand& c) {
       Resize(c.Values, 5);
       c.Values[0] = 11;
     }},
    // 24: arranges of a shot: seven parameters were inserted into its list
    {727,
     [](const cEdCommand& c) { return Is(c, {37}, {22}) && c.Values.Count() > 1 && c.Values[0] == 11; },
     [](cEdCommand& c) {
       for (int threshold : {2, 3, 4, 14, 15, 16, 17})
         if (c.Values[1] >= threshold) Inc(c.Values[1]);
     }},
    // 25: a type was inserted at character type 24 (item type 9)
    {734,
     [](const cEdCommand& c) {
       return (c.nSet == cEdCommand::kCharaSet && Type(c) >= 24) || (c.nSet == cEdCommand::kItemSet && Type(c) >= 9);
     },
     [](cEdCommand& c) { ++c.nType; }},
    // 26: arranges name types in today's numbering (the type is the renumbered one)
    {734, [](const cEdCommand& c) { return Is(c, {38}, {23}) && !c.Values.empty() && c.Values[0] >= 24; },
     [](cEdCommand& c) { Inc(c.Values[0]); }},
    // 27: set target
    {747, [](const cEdCommand& c) { return Is(c, {21}, {6}); },
     [](cEdCommand& c) {
       Resize(c.Values, 15);
       c.Values[10] = 0;
       c.Values[11] = 1;
       c.Values[14] = 0;
     }},
};

}  // namespace

void cEdCommand::Upgrade(uint32_t version) {
  for (const cStep& s : kSteps)
    if (version < s.below && s.matches(*this)) s.apply(*this);
}

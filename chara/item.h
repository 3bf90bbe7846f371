#pragma once
#include <cstdint>

#include "chara/object.h"
#include "data/item_def.h"

struct DDSURFACEDATA;

// An item lying in the stage (in ItemList, or carried inside a stage character):
// a copy of its definition and its countdown (INT32_MAX unlimited).
class cItem : public cObject {
 public:
  cItem() = default;
  cItem(const cItem& source)
      : cObject(source), m_Def(source.m_Def), m_nCount(source.m_nCount), m_bCarried(source.m_bCarried) {}
  cItem& operator=(const cItem& source) {
    Assign(source);
    return *this;
  }
  // The root members and the definition.
  void Assign(const cItem& source) {
    if (&source == this) return;
    CopyFrom(source);
    m_Def = source.m_Def;
    m_nCount = source.m_nCount;
    m_bCarried = source.m_bCarried;
  }

  // Makes the item from a definition (a size of 0 in it becomes 1); a carried item
  // is active instead of scaled.
  void Setup(int identity, cEdItem& def, int carried);
  // Puts the item at a block cell (column and row without the margin).
  void PlaceAtBlock(int column, int row);
  void KeepBottomOnRescale(int scale, int oldScale) override;
  // Draws the item; held draws the current frame without advancing it.
  void Draw(DDSURFACEDATA* target, int held);

  cEdItem m_Def;
  int32_t m_nCount = 0;
  int32_t m_bCarried = 0;  // inside a stage character: never drawn, never scaled
  // Erased by the play step while ItemList was walked: skipped, then swept.
  int32_t m_bRemoved = 0;
};

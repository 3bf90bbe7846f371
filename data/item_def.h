#pragma once
#include <cstdint>
#include <string>

#include "app/base/record.h"
#include "data/condition.h"
#include "data/flow.h"

// The definition of one kind of item: its picture and size, whether taking it
// shows the item window, the sound played then, its conditions and the item
// commands run on the player who takes it. Palettes hold item definitions; a
// placed item of a stage is one too, with its cell position.
class cEdItem : public cRecord {
  RECORD_CLASS(cEdItem)
 public:
  static constexpr int kGroups = 13;  // inheritance groups

  cEdItem() { SetDefault(); }

  int16_t nCol = 0;          // a placed item's cell; not in the registered fields
  int16_t nRow = 0;
  int8_t nLinkKind = 0;      // 0 none, 1 common palette, 2 stage palette
  int16_t nLinkIndex = 0;    // 0 inherits nothing
  cVector<uint8_t> InheritFlags;  // one per group
  std::string strName;
  cVector<cEdCondition> Conditions;
  int8_t nCondMode = 0;
  int8_t bCondLatch = 0;
  int16_t nOffsetX = 0;      // dots added where an item is made from the definition
  int16_t nOffsetY = 0;
  int16_t nGraphic = 0;
  int8_t nGraphicKind = 2;   // 0 block, 1 character, 2 item, 3 shot, 4 special bitmap
  int16_t nGraphicSub = 0;
  int8_t nPriority = 6;      // drawing priority pass
  int8_t bHidden = 0;
  int8_t bOverlay = 0;       // 1: the overlay cell is drawn over the item
  int16_t nOverlayCell = 0;
  int8_t nTakeMode = 0;      // 0 once, 1 again on every touch, 2 never
  int8_t bItemWindow = 1;    // taking it opens the item window
  int8_t nSize = 1;          // at least 1
  int16_t nSound = 0;        // database sound played when taken
  cVector<cEdCommand> Commands;  // item commands

  // The values of a new definition (the lists, column and row are left alone).
  void SetDefault();
  void RegisterFields(uint32_t version) override;
  bool Read(cDataFile& file) override;
  bool Write(cDataFile& file) override;
  void Dump(cDumpWriter& out) override;

  void Inherit();
  void Validate();
  void ValidatePalette();
  void CopyGroup(int g, const cEdItem& source);
};

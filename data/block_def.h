#pragma once
#include <cstdint>
#include <string>

#include "app/base/record.h"
#include "data/condition.h"

struct DDSURFACEDATA;

// The definition of one kind of map block: its picture, whether and how it
// collides, the conditions under which it exists, its effect on characters
// standing on it, an overlay picture and an item it holds. Palettes hold block
// definitions; a placed block of a stage is one too, with its cell position.
class cEdBlock : public cRecord {
  RECORD_CLASS(cEdBlock)
 public:
  static constexpr int kGroups = 11;  // inheritance groups

  cEdBlock() { SetDefault(); }

  int16_t nCol = 0;           // a placed block's cell; not in the registered fields
  int16_t nRow = 0;
  int8_t nLinkKind = 0;       // 0 none, 1 common palette, 2 stage palette
  int16_t nLinkIndex = 0;     // 0 inherits nothing
  cVector<uint8_t> InheritFlags;  // one per group
  std::string strName;
  cVector<cEdCondition> Conditions;
  int8_t nCondMode = 0;       // 0 all conditions, 1 any one
  int8_t bCondLatch = 0;      // once held, the block exists for the rest of the stage
  int16_t nGraphic = 0;       // 0: the cell shows no block
  int8_t nGraphicKind = 0;    // 0 block, 1 character, 2 item, 3 shot, 4 special bitmap
  int16_t nGraphicSub = 0;
  int8_t nLayer = 0;          // 0 before the characters, 1 after the characters and shots
  int8_t bHidden = 0;
  int8_t bOverlay = 0;        // 1: a cell of the overlay sheet is drawn over the tile
  int16_t nOverlayCell = 0;
  int8_t nHitKind = 1;        // 0 passable, 1 solid, 2 fatal to the player character
  int8_t nPassValue = -1;     // a character with this block pass value passes; 255 none
  int8_t nFloorEffect = 0;    // 0 none, 1 jump, 2 no jumping, 3 speed, 4 move left, 5 move right
  int32_t nFloorValue = 0;    // the value of the floor effect
  int8_t nItemLinkKind = 0;   // item held: 0 none, 1 common palette, 2 stage palette
  int16_t nItemLinkIndex = 0;
  int8_t bKeep = 0;           // a block-summoning command does not replace it
  // Not in the file: play sets it once the conditions have held (with the latch
  // option they then hold for the rest of the stage).
  uint8_t bCondLatched = 0;

  // The values of a new definition (the lists, column and row are left alone).
  void SetDefault();
  void RegisterFields(uint32_t version) override;
  bool Read(cDataFile& file) override;
  bool Write(cDataFile& file) override;
  void Dump(cDumpWriter& out) override;

  // Copies the flagged groups from the entry that the link names.
  void Inherit();
  // A link beyond its list becomes no link; a block without a graphic neither
  // collides nor is kept.
  void Validate();
  void ValidateItemLink();
  // The collision kind that applies now to an object with the given block pass
  // value: 0 when the block's conditions do not hold or the pass value matches.
  int GetHitKind(int passValue);
  // Copies the fields of inheritance group g.
  void CopyGroup(int g, const cEdBlock& source);
  // Draws the block as a 32x32 tile at (x, y), then its overlay mark. Drawing
  // needs the sheets of play, so the body lives with the play objects.
  void Draw(DDSURFACEDATA* target, int x, int y);
};

// Whether a block's conditions hold now. Stage play installs its test; without one
// the conditions count as holding.
extern int (*BlockConditionsHold)(cEdBlock& block);

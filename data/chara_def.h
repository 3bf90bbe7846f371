#pragma once
#include <cstdint>
#include <string>

#include "app/base/record.h"
#include "data/condition.h"
#include "data/flow.h"

// The definition of one kind of character: its picture and animation set, who
// operates it, its statuses, the offsets of a multiple spawn, its conditions and
// its flows. Palettes hold character definitions; a placed character of a stage
// is one too, with its cell position and carried item. The statuses named in
// lower case are the names the run-code language reads and changes them by.
class cEdChara : public cRecord {
  RECORD_CLASS(cEdChara)
 public:
  static constexpr int kGroups = 37;  // inheritance groups

  cEdChara() { SetDefault(); }

  int16_t nCol = 0;            // a placed character's cell; not in the registered fields
  int16_t nRow = 0;
  int32_t nCarriedItem = 0;    // a placed character: index of the placed item it carries, -1 none
  int8_t nLinkKind = 0;        // 0 none, 1 common palette, 2 stage palette
  int16_t nLinkIndex = 0;      // 0 inherits nothing
  cVector<uint8_t> InheritFlags;  // one per group
  std::string strName;
  cVector<cEdCondition> Conditions;
  int8_t nCondMode = 0;
  int8_t bCondLatch = 0;
  int8_t nFacing = 0;          // facing at the start: 0 left, 1 right
  int8_t nCopies = 0;          // further copies of a multiple spawn
  int16_t nSpawnBaseX = 0;     // dots
  int16_t nSpawnStepX = 0;
  int16_t nSpawnBaseY = 0;
  int16_t nSpawnStepY = 0;
  int8_t bSpawnMirrorX = 0;    // x offsets negated for facing 1
  int8_t bSpawnMirrorY = 0;
  int16_t nGraphic = 0;        // 0: no graphic
  int8_t nGraphicKind = 1;     // 0 block, 1 character, 2 item, 3 shot, 4 special bitmap
  int16_t nGraphicSub = 0;     // graphic row
  int16_t nAnimeSet = 0;       // database animation set
  int8_t z = 3;                // drawing depth
  int8_t bTransparent = 0;     // not drawn
  int16_t nStartEffect = 0;    // database character effect started at set-up
  int8_t nStartEffectParam1 = 0;  // 196
  int8_t nStartEffectParam2 = 1;
  int16_t nDeathEffect = 0;
  int8_t nDeathEffectParam = 0;   // 196
  int8_t bMarkShown = 0;
  int16_t mark = 0;
  int8_t nOperator = 1;        // 0 player, 1 computer
  int8_t nInputPlayer = 0;
  int8_t nPassValue = 1;       // block pass-through value
  int8_t cid = 0;
  int8_t nFlight = 0;          // 0 off, 1 through blocks, 2 hits blocks, 3 dies on blocks
  int8_t bFixedFacing = 1;
  int8_t nInvincible = 0;      // 0 off, 1 shots hit, 2 shots pass
  int8_t nInvincibleColor = 0;  // 285: colour pair of the invincible tint
  int8_t bFullCell = 0;        // both hit boxes cover the whole cell
  int8_t nGiant = 1;           // k x k cells, 1 to 10
  uint8_t bScrollSync = 0;     // 210: moves with the automatic scrolling
  int8_t nSightShape = 0;      // 0 whole screen .. 4 square ahead
  int8_t sight = 0;            // half-blocks
  int32_t mhp = 10;
  int32_t msp = 0;
  int16_t stop = 10;
  int8_t nBoxKind = 0;         // 201: hit-box kind 0 to 3
  int32_t power = 0;
  int8_t imp = 0;
  int16_t nHitEffect = 0;      // database effect where its body attack hits
  int32_t def = 0;             // 168
  int8_t impd = 0;
  int32_t getsc = 0;
  int8_t nOption35 = 1;        // stored and copied only
  int8_t bGroupLink = 0;       // shares activation with its group
  int16_t nGroup = 0;
  int8_t nActivityRange = 0;   // 0 screen, 1 x inside, 2 y inside, 3 everywhere
  int8_t nActivation = 0;      // 1: once it has appeared it acts outside its range
  cVector<cEdFlow> Flows;

  // The values of a new definition (the lists, column and row are left alone).
  void SetDefault();
  void RegisterFields(uint32_t version) override;
  bool Read(cDataFile& file) override;
  bool Write(cDataFile& file) override;
  void Dump(cDumpWriter& out) override;

  void Inherit();
  void Validate();
  // The palette references of every flow's commands.
  void ValidatePalette();
  void CopyGroup(int g, const cEdChara& source);

  // The offsets of copy i of a multiple spawn.
  double SpawnOffsetX(int i, int facing) const;
  double SpawnOffsetY(int i, int facing) const;

 private:
  void Upgrade(uint32_t version);
};

#pragma once
#include <cstdint>
#include <string>

#include "app/base/record.h"
#include "data/move_def.h"
#include "data/name_tables.h"
#include "data/shot_def.h"

class cEdFlow;

// One step of a flow or of an item's command list: a command set (0 character, 1
// item), a type within it, integer parameters whose layout depends on the type,
// a text, optional movement and shot definitions, a duration, a sound, an
// animation and nested flows. Copies are deep: a command never shares its
// definitions or flows with another.
class cEdCommand : public cRecord {
  RECORD_CLASS(cEdCommand)
 public:
  enum { kCharaSet = 0, kItemSet = 1 };

  cEdCommand();
  cEdCommand(const cEdCommand& other);
  cEdCommand& operator=(const cEdCommand& other);
  ~cEdCommand() override;

  uint8_t nSet = 0;
  uint8_t nType = 0;
  cVector<int32_t> Values;  // the type's parameters
  std::string strText;      // message text, run code, stage path
  EdMovePtr pMove;
  EdShotPtr pShot;
  int16_t nTime = 0;        // tenths of a second
  int16_t nTimeClone = 0;   // added once per clone value
  uint8_t bWithNext = 0;    // the next command starts in the same step
  int16_t nSound = 0;       // database sound played when the command acts
  uint8_t bSoundInView = 1;  // that sound only while the character is on screen
  int16_t nAnime = 0;       // database animation started with the command
  cVector<cEdFlow> Flows;

  // Every field 0 and the text empty, no definitions, no parameters and no flows,
  // the sound only on screen.
  void Reset();
  void RegisterFields(uint32_t version) override;
  bool Read(cDataFile& file) override;
  bool Write(cDataFile& file) override;
  void Dump(cDumpWriter& out) override;

  // Brings the references into the database inside their lists and sizes the
  // parameters to the type's count. A type that no table holds keeps its
  // parameters as they are.
  void Validate();
  // Brings the references into the common and stage palettes inside their lists.
  void ValidatePalette();
  // The command table entry of the command's set and type; null for a type that
  // no table holds.
  const cLabelItem* TableEntry() const;
  // The type in the character numbering whose body the command runs (item type t
  // from 2 on: t + 15); -1 for the item set's own types and unknown sets.
  int CharaType() const;

  // Applies the conversions of a file older than the current version (exposed for
  // the tests of single steps).
  void Upgrade(uint32_t version);
};

// A u32 count, then that many commands, replacing the list.
bool ReadCommandList(cVector<cEdCommand>& list, cDataFile& file);

#pragma once
#include <cstdint>
#include <string>

#include "app/base/record.h"

class cSaveData;

// One stage entry of a world-map event: the stage file it starts, the conditions
// under which the event offers it, and what happens when it is cleared.
class cEdWorldStage : public cRecord {
  RECORD_CLASS(cEdWorldStage)
 public:
  int32_t nPassage = 0;     // the event cell: 0 world, 1 road, 2 wall (cannot be entered)
  int32_t nSymbolRow = 0;   // picture row of the event symbol
  int32_t nStageNo = 0;     // the stage flag that records it as cleared
  int32_t bNoAutoStart = 0;
  int32_t bReplayable = 0;  // may be played again once cleared
  int32_t nAfterClear = 0;  // 0 back to the map, 1 a new play-through, 2 back to the title
  int32_t nNeedFlag = 0;    // above 0: applies only while that stage flag is set
  int32_t nVarNo = 0;       // common variable of the condition, 0 none
  int32_t nVarValue = 0;
  int32_t nVarCompare = 0;  // 0 to 7 (WorldCompare)
  int32_t nNeedTotal = 0;   // 209: the result total must be at least this
  std::string strName;
  std::string strFile;      // the stage file, played in its newest version

  void RegisterFields(uint32_t version) override;
  bool Read(cDataFile& file) override;
  // Whether the stage flag, variable and result-total conditions hold.
  bool Applies(const cSaveData& save) const;
};

// The comparison of a common variable v with a value c (kinds 0 to 7: equal, not
// equal, at least, at most, above, below, multiple of, not a multiple of).
bool WorldCompare(int32_t v, int32_t c, int kind);

// A map chip: a 32x32 picture of the chip sheet (5 a row) and whether the cursor
// may enter its cells.
class cEdWorldChip : public cRecord {
  RECORD_CLASS(cEdWorldChip)
 public:
  int32_t nStored = 0;      // not used by the game
  int32_t bBlock = 0;       // impassable
  int32_t nPicture = 0;
  std::string strName;
  std::string strLabel;

  void RegisterFields(uint32_t) override;
};

// An event on a map cell with its stage entries.
class cEdWorldEvent : public cRecord {
  RECORD_CLASS(cEdWorldEvent)
 public:
  cEdWorldEvent() { Stages.resize(1); }

  int32_t nCol = 0;
  int32_t nRow = 0;
  std::string strName;
  cVector<cEdWorldStage> Stages;

  void RegisterFields(uint32_t) override;
  bool Read(cDataFile& file) override;
  bool Write(cDataFile& file) override;
  void Dump(cDumpWriter& out) override;
  void Validate() {}
  // The first entry whose conditions hold, or null.
  const cEdWorldStage* OfferedEntry(const cSaveData& save) const;
};

// The story's world map: a grid of chips with events on it, read once at start-up
// from "data\WorldMap.dat".
class cEdWorldMap : public cRecord {
  RECORD_CLASS(cEdWorldMap)
 public:
  cEdWorldMap() { SetDefault(); }

  int32_t nWidth = 20;      // cells
  int32_t nHeight = 15;
  int32_t nPitch = 32;      // row pitch of the grid: the smallest power of two not below the width
  int32_t nPitchShift = 5;  // log2 of the pitch
  int32_t nStartX = 9;      // where a new story starts, and an out-of-map cursor goes back to
  int32_t nStartY = 7;
  int32_t nBgColor = 16;    // palette index
  int32_t bBgPicture = 0;
  std::string strName;
  std::string strBgPicture;

  cVector<cEdWorldChip> Chips;
  cVector<int32_t> Cells;   // chip index of column x, row y at x + (y << nPitchShift)
  cVector<cEdWorldEvent> Events;
  cVector<cEdWorldEvent> Templates;  // kept for the editor

  void SetDefault();
  void RegisterFields(uint32_t) override;
  bool Read(cDataFile& file) override;
  bool Write(cDataFile& file) override;
  void Dump(cDumpWriter& out) override;
  // The start cell inside the map, events outside it removed.
  void Validate();
  // A new size, keeping the cells that both sizes hold: 1, or 0 when a size is 0.
  int SetSize(int width, int height);
  // The first event standing on the cell, or null.
  cEdWorldEvent* FindWorldEventAt(int col, int row);
  // 1 when a stage entry (kind 0) of an event plays the stage of that stage name
  // (its file without extension and part suffix, ending in a dot); else 0.
  int HasStage(const std::string& name) const;
};

// The stage entry being played, as the save data keeps it (pWorldStage): a handle
// that names the entry by its event and its place in that event, valid as long as
// the world map is the one read at start-up. 0 names no entry.
int32_t WorldStageHandle(int event, int entry);
// The entry a handle names, or null for 0 and for a handle outside the map.
const cEdWorldStage* FindWorldStage(const cEdWorldMap& map, int32_t handle);

// 1 when the two names are the same text, byte for byte.
int IsSameText(const std::string& a, const std::string& b);

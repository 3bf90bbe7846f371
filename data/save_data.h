#pragma once
#include <cstdint>
#include <string>

#include "app/base/record.h"
#include "data/chara_def.h"
#include "data/int_pair.h"

// A point in time as the desktop's local clock gives it, eight 16-bit values.
struct SYSTEMTIME {
  uint16_t wYear = 0, wMonth = 0, wDayOfWeek = 0, wDay = 0;
  uint16_t wHour = 0, wMinute = 0, wSecond = 0, wMilliseconds = 0;
};
static_assert(sizeof(SYSTEMTIME) == 16);

// The player character's status as it left a stage, carried into the next one:
// its whole definition and five values.
class cSaveChara : public cRecord {
  RECORD_CLASS(cSaveChara)
 public:
  cEdChara Chara;
  int32_t nHp = 0;
  int32_t nSp = 0;
  int32_t nTime = 0;    // remaining time
  int32_t nLives = 0;
  int32_t nMusic = 0;   // music number

  void RegisterFields(uint32_t) override;
  // Its own five values (and an empty string section), then the definition.
  bool Read(cDataFile& file) override;
  bool Write(cDataFile& file) override;
  void Dump(cDumpWriter& out) override;
};

// The best result of one stage, by the stage's name.
class cStageResult : public cRecord {
  RECORD_CLASS(cStageResult)
 public:
  int32_t nValue = 0;
  std::string strName;

  void RegisterFields(uint32_t) override {
    RegisterNoFields();
    REG(nValue);
    REG(strName);
  }
};

// The player's progress: lives, score, the stage being played, the world-map
// position, the carried status, per-stage results, challenge records, stage
// flags, common variables, the ranking totals, the save slot and the player's
// name. SaveData is the running game's; the same record is a story slot, the
// challenge record and the last part of a replay.
class cSaveData : public cRecord {
  RECORD_CLASS(cSaveData)
 public:
  static constexpr int kCarryItems = 25;
  static constexpr int kStageFlags = 1000;
  static constexpr int kCommonVars = 256;

  cSaveData();

  // Registered fields, in file order (the version that introduced a field beside it).
  int32_t bCarry = 0;           // a carried status was stored for the next stage
  int32_t nMapX = 0;            // world-map cursor
  int32_t nMapY = 0;
  // The world-map stage entry being played, as a handle the world map chooses for
  // the run; its four bytes in a file mean nothing.
  int32_t pWorldStage = 0;
  int32_t nRound = 0;           // play-throughs started again
  int32_t nStageNo = 0;
  int32_t nPart = 0;            // part of the stage, 1 for the first
  int32_t nLivesAtStart = 0;
  int32_t nLives = 0;           // 999999: unlimited
  int32_t nStageScore = 0;      // 0 to 999999
  int32_t nScore = 0;           // ranking genre 0
  int32_t nTotal = 0;           // total of the best results
  int32_t nResultTime = 0;      // genre 1: remaining time
  int32_t nResultPlayTime = 0;  // genre 2: hundredths of a second
  int32_t nResultHp = 0;        // 182: genre 3
  int32_t nResultSp = 0;        // 182: genre 4
  int32_t bParted = 0;          // the stage file name carries a "-1" part suffix
  int32_t nMusicNo = 0;
  int32_t bMusicLoop = 0;       // 166
  int32_t nMapDir = 0;          // 194: 0 down, 1 up, 2 left, 3 right
  int32_t bMapStepBack = 0;     // 190: back on the map from the miss menu
  int32_t nMapPrevX = 0;        // 191: the cursor before its last move
  int32_t nMapPrevY = 0;        // 191
  int32_t nChallengeOpen = 1;   // selected challenge stage
  int32_t nSlot = -1;           // story save slot, -1 none
  int32_t bAutoSave = 0;        // 169
  int32_t bShowRanking = 0;
  int32_t nRankGenre = 0;
  int32_t bStartPos = 0;        // 678: a start position for the next stage set-up
  int32_t nStartX = 0;          // 678
  int32_t nStartY = 0;          // 678
  int32_t nStartDir = 0;        // 679: the facing there
  std::string StageName;        // the key of results and ranking files
  std::string strSecondName;    // 724: kept and copied only
  std::string Name;             // the player's name

  // After the base part.
  SYSTEMTIME SaveTime;
  cVector<int32_t> CarryFlags;          // 501: one per carried item
  cVector<cSaveChara> CarriedCharas;    // per player
  cVector<cStageResult> StageResults;
  cVector<cIntPair> ChallengeRecords;   // per challenge stage: cleared, best score
  cVector<int32_t> Flags;               // stage flags
  cVector<int32_t> CommonVars;

  // The retry checkpoint of the game modes; never in a file.
  cVector<int32_t> CheckVars;
  int32_t nCheckLives = 0;
  int32_t nCheckScore = 0;

  void RegisterFields(uint32_t version) override;
  bool Read(cDataFile& file) override;
  bool Write(cDataFile& file) override;
  void Dump(cDumpWriter& out) override;

  // The state of a new game (the save time is left as it is).
  void Reset();
  // The world-map position inside the world map, as many challenge records as the
  // game has challenge stages, lists long enough for their users.
  void Validate();
  // StageName and bParted from a stage file's path: cut at the last "-1" (a part
  // suffix; a dot follows) or just after the last dot.
  void SetFileName(const std::string& path);

  // The score and the four result counters zeroed.
  void ClearStageCounters();
  // Kept at each stage set-up: the common variables, the lives and the score.
  void SaveCheckpoint();
  // full 1: all three put back. full 0 (a lost life): the score always, the common
  // variables when the play category's restore-on-miss switch is on, never the lives.
  void RestoreCheckpoint(int full);
  // After a lost life: the flags of the items the carry-reset list names cleared.
  void ClearCarryFlags();

 private:
  void Upgrade(uint32_t version);
};

// The save data's list readers: a u32 count, then that many records; the list is
// emptied and refilled with default records first.
bool ReadSaveCharaList(cSaveData& save, cDataFile& file);
bool ReadStageResultList(cSaveData& save, cDataFile& file);
bool ReadIntPairList(cSaveData& save, cDataFile& file);

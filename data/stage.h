#pragma once
#include <cstdint>
#include <string>

#include "app/base/record.h"
#include "data/block_def.h"
#include "data/chara_def.h"
#include "data/item_def.h"
#include "data/palette_links.h"
#include "data/stage_parts.h"
#include "data/stage_timing.h"

// The last word of every stage file written from version 173 on.
constexpr uint32_t kStageTrailer = 123456789;

// One stage: its size in 32-dot cells, scrolling, timing, music, the player's and
// the characters' boxes, background layers, removal ranges, a stage palette of
// block, character and item definitions, and the placed blocks, characters and
// items. Read from the stage files under "data\stg4\"; the game never writes a
// stage file, only the stage part of a replay.
class cEdStage : public cRecord {
  RECORD_CLASS(cEdStage)
 public:
  // The five range records, in file order.
  enum { kRangeChara, kRangeFullCellChara, kRangeItem, kRangePlayerShot, kRangeOtherShot, kRanges };
  static constexpr int kRankGenres = 5;

  cEdStage() { SetDefault(); }

  // Registered fields, in file order (the version that introduced a field beside it).
  int32_t nWidth = 0;              // cells
  int32_t nStored2 = 0;            // stored and copied only
  int32_t nStored3 = 0;
  int32_t nHeight = 0;
  int32_t bLimitLeft = 0;          // scroll limits on (0/1)
  int32_t bLimitRight = 0;
  int32_t bLimitTop = 0;
  int32_t bLimitBottom = 0;
  int32_t nLimitLeft = 0;          // cell column / row
  int32_t nLimitRight = 0;
  int32_t nLimitTop = 0;
  int32_t nLimitBottom = 0;
  int32_t nFrameRate = 60;
  int32_t bTimeLimit = 0;
  int32_t nTimeLimit = 200;
  int32_t nTimeWarning = 20;
  int32_t bAutoScrollX = 0;
  int32_t bAutoScrollY = 0;
  int32_t nAutoScrollSpeedX = 0;   // tenths of a dot per frame
  int32_t nAutoScrollSpeedY = 0;
  double dGravity = 0.4;           // dots per frame squared
  int32_t nHitLevel = 10;          // 1 to 19 (SetHitLevel); kept as stored, clamped where used
  int32_t nContactSteps = 0;       // 0 every logic step, 1 to 5 selected steps only
  int32_t nMusic = 0;              // database music; 0 none
  int32_t bMusicLoop = 0;          // 166
  int32_t bKeepMusic = 0;          // 199
  int32_t bPriorityGroups = 1;
  int32_t bTakeCarry = 0;
  int32_t bCarryToNext = 0;
  int32_t bStatusShown = 1;        // 183
  int32_t bSkipTally = 0;          // 184
  int32_t bStartBanner1 = 0;
  int32_t bStartBanner2 = 1;       // 225
  int32_t bClearBanner = 1;
  int32_t bGameOverBanner = 1;
  // The player character's boxes: body (200), hit box of box kind 0, second and
  // third box; first and second posture; alignments 0 centre, 1 bottom.
  int32_t nPlayerBodyW1 = 16;      // 200
  int32_t nPlayerBodyH1 = 24;      // 200
  int32_t nPlayerBodyW2 = 16;      // 200
  int32_t nPlayerBodyH2 = 16;      // 200
  int32_t nPlayerHitW1 = 16;
  int32_t nPlayerHitH1 = 24;
  int32_t nPlayerHitW2 = 16;       // 155
  int32_t nPlayerHitH2 = 16;       // 155
  int32_t nPlayerBox2W = 12;       // also the hit box of box kind 1
  int32_t nPlayerBox2H = 8;
  int32_t nPlayerBox3W = 16;
  int32_t nPlayerBox3H = 16;
  int32_t nPlayerBodyAlign1 = 1;   // 200
  int32_t nPlayerBodyAlign2 = 0;   // 200
  int32_t nPlayerHitAlign1 = 1;    // 155
  int32_t nPlayerHitAlign2 = 0;    // 155
  int32_t nShowPlayerBody = 0;     // 200: 0 hidden, 1 shown, 2 frame only
  int32_t nShowPlayerHit = 0;
  int32_t nShowPlayerBox2 = 0;
  int32_t nShowPlayerBox3 = 0;
  int32_t nColorPlayerBody = 0;    // 200: 0 to 7
  int32_t nColorPlayerHit = 0;
  int32_t nColorPlayerBox2 = 0;
  int32_t nColorPlayerBox3 = 0;
  // The stage characters' boxes.
  int32_t nCharaBodyW1 = 16;       // 200
  int32_t nCharaBodyH1 = 24;       // 200
  int32_t nCharaBodyW2 = 16;       // 200
  int32_t nCharaBodyH2 = 16;       // 200
  int32_t nCharaHitW1 = 12;
  int32_t nCharaHitH1 = 24;
  int32_t nCharaHitW2 = 12;        // 155
  int32_t nCharaHitH2 = 16;        // 155
  int32_t nCharaBox2W = 30;
  int32_t nCharaBox2H = 30;
  int32_t nCharaBodyAlign1 = 1;    // 200
  int32_t nCharaBodyAlign2 = 0;    // 200
  int32_t nCharaHitAlign1 = 1;     // 155
  int32_t nCharaHitAlign2 = 0;     // 155
  int32_t nItemBoxW = 28;
  int32_t nItemBoxH = 28;
  int32_t nPlayerShotW = 16;       // also the player's hit box of box kind 2
  int32_t nPlayerShotH = 16;
  int32_t nStored78 = 16;          // not read by the game
  int32_t nStored79 = 16;
  int32_t nOtherShotW = 16;        // also the characters' hit box of box kind 2
  int32_t nOtherShotH = 16;
  int32_t nStored82 = 16;
  int32_t nStored83 = 16;
  int32_t nStored84 = 1;
  int32_t nScrollOffsetX = 0;      // added to the 640-dot screen width of an axis
  int32_t nScrollOffsetY = 0;
  // Derived by SetHitLevel.
  int32_t nSteps = 0;              // logic steps per frame
  double dSteps = 0;
  double dStepsSquared = 0;
  double dSpeedLimit = 0;          // per frame, dots
  double dGravityPerStep = 0;
  double dSpeedLimitPerStep = 0;
  int32_t nSteps8 = 0;
  int32_t bContactActiveOnly = 1;
  int32_t nPlayerHitInvincible = 30;     // frames, per attacker
  int32_t nPlayerDamageInvincible = 0;   // frames after damage
  int32_t nOtherHitInvincible = 30;
  int32_t nOtherDamageInvincible = 0;
  std::string strName;

  // Lists after the base part.
  cVector<int32_t> RankGenres;     // per ranking genre: 0 keeps this stage out of it
  cEdQuadSet Ranges[kRanges];
  cVector<cEdBlock> PaletteBlocks;  // the stage palette (links of kind 2)
  cVector<cEdChara> PaletteCharas;
  cVector<cEdItem> PaletteItems;
  cVector<cEdBlock> Blocks;         // placed blocks, characters and items
  cVector<cEdChara> Charas;
  cVector<cEdItem> Items;
  cVector<cEdBgLayer> Layers;
  cVector<cEdTextItem> TextItems;

  // Run-time members, not in the file: the loader's (the path is kept as the name
  // of the stage that plays) and six times the logic steps per frame.
  std::string strFilePath;
  int32_t bNewestVersion = 0;
  int32_t bLoaded = 0;
  int32_t nSteps6 = 0;

  // The values of a fresh stage.
  void SetDefault();
  void RegisterFields(uint32_t version) override;
  bool Read(cDataFile& file) override;
  bool Write(cDataFile& file) override;
  // A stage body whose settings part (registered fields and name, ranking-genre
  // flags, ranges, layers, text items) comes from settings and whose palette and
  // placements come from this record: the stage part of a replay.
  bool WriteForReplay(cDataFile& file, cEdStage& settings);
  void Dump(cDumpWriter& out) override;

  // Scroll limits inside the stage, the derived fields, a known music number, two
  // entries at least in each palette list, every definition checked.
  void Validate();
  // Stores the level as given and the per-step constants of the level that plays
  // (below 1 plays as 1, above 19 as 19) and the gravity.
  void SetHitLevel(int level);
  // The same constants as one record, for the rules of play.
  cStageTiming Timing() const;
  // Index of the player character among the placed characters, or -1.
  int FindPlayer() const;
  bool HasPlayer() const { return FindPlayer() != -1; }
  // The settings part of source: registered fields and name, layers, text items,
  // ranges and ranking-genre flags (what a restart of the stage puts back).
  void CopySettings(cEdStage& source);

  cPaletteLists PaletteLists() const { return {&PaletteBlocks, &PaletteCharas, &PaletteItems}; }

 private:
  // Members at their initial values only (SetDefault builds on it).
  struct cBare {};
  explicit cEdStage(cBare) {}

  bool WriteBody(cDataFile& file, cEdStage& settings);
  void Upgrade(uint32_t version);
};

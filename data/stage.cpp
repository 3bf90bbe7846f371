#include "data/stage.h"

#include <algorithm>
#include <cstdint>

#include "app/base/record_dump.h"
#include "data/palette.h"
#include "data/project_globals.h"
#include "data/record_lists.h"
#include "data/stage_timing.h"

namespace {

// A placement is its word and a definition, whose base part takes eight bytes.
constexpr size_t kMinPlacementBytes = 4 + 8;
constexpr uint32_t kMaxPlacements = 1u << 22;
constexpr uint32_t kMaxGenres = 1u << 10;

// Placed objects: a u32 count, then per element a word (0 when written, not read)
// and the definition. The list is cleared and refilled with default definitions.
template <class T>
bool ReadPlacements(cDataFile& file, cVector<T>& list, const char* what) {
  uint32_t n = 0;
  if (!file.ReadCount(n, kMinPlacementBytes, kMaxPlacements, what)) return false;
  list.assign(n, T());
  for (T& def : list)
    if (!file.Skip(4, what) || !def.Read(file)) return false;
  return true;
}

template <class T>
bool WritePlacements(cDataFile& file, cVector<T>& list) {
  file.WriteU32(static_cast<uint32_t>(list.size()));
  for (T& def : list) {
    file.WriteU32(0);
    if (!def.Write(file)) return false;
  }
  return true;
}

template <class T>
void PadToTwo(cVector<T>& list) {
  if (list.Count() < 2) list.resize(2);
}

}  // namespace

void cEdStage::SetDefault() {
  cEdStage fresh{cBare{}};
  fresh.PaletteBlocks.resize(1);
  fresh.PaletteCharas.resize(1);
  fresh.PaletteItems.resize(1);
  fresh.Layers.resize(1);
  fresh.Layers[0].bFill = 1;
  fresh.RankGenres.assign(kRankGenres, 1);
  fresh.Ranges[kRangePlayerShot] = cEdQuadSet(1, 1, 1, 1, 0, 0, 0, 0);
  fresh.Ranges[kRangeOtherShot] = cEdQuadSet(1, 1, 1, 1, 10, 10, 10, 10);
  *this = std::move(fresh);
}

void cEdStage::RegisterFields(uint32_t v) {
  RegisterNoFields();
  REG(nWidth);
  REG(nStored2);
  REG(nStored3);
  REG(nHeight);
  REG(bLimitLeft);
  REG(bLimitRight);
  REG(bLimitTop);
  REG(bLimitBottom);
  REG(nLimitLeft);
  REG(nLimitRight);
  REG(nLimitTop);
  REG(nLimitBottom);
  REG(nFrameRate);
  REG(bTimeLimit);
  REG(nTimeLimit);
  REG(nTimeWarning);
  REG(bAutoScrollX);
  REG(bAutoScrollY);
  REG(nAutoScrollSpeedX);
  REG(nAutoScrollSpeedY);
  REG(dGravity);
  REG(nHitLevel);
  REG(nContactSteps);
  REG(nMusic);
  if (v >= 166) REG(bMusicLoop);
  if (v >= 199) REG(bKeepMusic);
  REG(bPriorityGroups);
  REG(bTakeCarry);
  REG(bCarryToNext);
  if (v >= 183) REG(bStatusShown);
  if (v >= 184) REG(bSkipTally);
  REG(bStartBanner1);
  if (v >= 225) REG(bStartBanner2);
  REG(bClearBanner);
  REG(bGameOverBanner);
  if (v >= 200) {
    REG(nPlayerBodyW1);
    REG(nPlayerBodyH1);
    REG(nPlayerBodyW2);
    REG(nPlayerBodyH2);
  }
  REG(nPlayerHitW1);
  REG(nPlayerHitH1);
  if (v >= 155) {
    REG(nPlayerHitW2);
    REG(nPlayerHitH2);
  }
  REG(nPlayerBox2W);
  REG(nPlayerBox2H);
  REG(nPlayerBox3W);
  REG(nPlayerBox3H);
  if (v >= 200) {
    REG(nPlayerBodyAlign1);
    REG(nPlayerBodyAlign2);
  }
  if (v >= 155) {
    REG(nPlayerHitAlign1);
    REG(nPlayerHitAlign2);
  }
  if (v >= 200) REG(nShowPlayerBody);
  REG(nShowPlayerHit);
  REG(nShowPlayerBox2);
  REG(nShowPlayerBox3);
  if (v >= 200) REG(nColorPlayerBody);
  REG(nColorPlayerHit);
  REG(nColorPlayerBox2);
  REG(nColorPlayerBox3);
  if (v >= 200) {
    REG(nCharaBodyW1);
    REG(nCharaBodyH1);
    REG(nCharaBodyW2);
    REG(nCharaBodyH2);
  }
  REG(nCharaHitW1);
  REG(nCharaHitH1);
  if (v >= 155) {
    REG(nCharaHitW2);
    REG(nCharaHitH2);
  }
  REG(nCharaBox2W);
  REG(nCharaBox2H);
  if (v >= 200) {
    REG(nCharaBodyAlign1);
    REG(nCharaBodyAlign2);
  }
  if (v >= 155) {
    REG(nCharaHitAlign1);
    REG(nCharaHitAlign2);
  }
  REG(nItemBoxW);
  REG(nItemBoxH);
  REG(nPlayerShotW);
  REG(nPlayerShotH);
  REG(nStored78);
  REG(nStored79);
  REG(nOtherShotW);
  REG(nOtherShotH);
  REG(nStored82);
  REG(nStored83);
  REG(nStored84);
  REG(nScrollOffsetX);
  REG(nScrollOffsetY);
  REG(nSteps);
  REG(dSteps);
  REG(dStepsSquared);
  REG(dSpeedLimit);
  REG(dGravityPerStep);
  REG(dSpeedLimitPerStep);
  REG(nSteps8);
  REG(bContactActiveOnly);
  REG(nPlayerHitInvincible);
  REG(nPlayerDamageInvincible);
  REG(nOtherHitInvincible);
  REG(nOtherDamageInvincible);
  REG(strName);
}

bool cEdStage::Read(cDataFile& file) {
  // Links of kind 2 name entries of the palette being read, not of the stage it
  // will replace.
  cPaletteScope scope(2, PaletteLists());
  const uint32_t version = file.Version();
  if (!cRecord::Read(file) || !ReadIntList(file, RankGenres, "RankGenres", kMaxGenres)) return false;
  for (cEdQuadSet& range : Ranges)
    if (!range.Read(file)) return false;
  if (!ReadBlockList(PaletteBlocks, file) || !ReadCharaList(PaletteCharas, file) ||
      !ReadItemList(PaletteItems, file))
    return false;
  // Entry 0 of each palette list is the fixed default, as in the common palette.
  if (!PaletteBlocks.empty()) PaletteBlocks[0].SetDefault();
  if (!PaletteCharas.empty()) PaletteCharas[0].SetDefault();
  if (!PaletteItems.empty()) PaletteItems[0].SetDefault();
  if (!ReadPlacements(file, Blocks, "Blocks") || !ReadPlacements(file, Charas, "Charas") ||
      !ReadPlacements(file, Items, "Items") || !ReadRecordList<cEdBgLayer>(file, Layers, "Layers", kMaxListEntries) ||
      !ReadRecordList<cEdTextItem>(file, TextItems, "TextItems", kMaxListEntries))
    return false;
  // The trailer is read from 173 on; the loader checks it from 174 on.
  uint32_t trailer = 0;
  if (version >= 173 && !file.ReadU32(trailer, "trailer")) return false;
  if (version < kDataVersion) Upgrade(version);
  Validate();
  return true;
}

void cEdStage::Upgrade(uint32_t v) {
  if (v < 155) {
    nPlayerHitW2 = nPlayerHitW1;
    nPlayerHitH2 = nPlayerHitH1;
    nCharaHitW2 = nCharaHitW1;
    nCharaHitH2 = nCharaHitH1;
    nPlayerHitAlign1 = nPlayerHitAlign2 = 0;
    nCharaHitAlign1 = nCharaHitAlign2 = 0;
  }
  if (v < 166) bMusicLoop = 1;
  if (v < 181) {
    RankGenres.resize(kRankGenres, 0);
    RankGenres[3] = RankGenres[4] = 0;
  }
  if (v < 183) bStatusShown = 1;
  if (v < 184) bSkipTally = 0;
  if (v < 199) bKeepMusic = 0;
  if (v < 200) {
    nPlayerBodyW1 = 16;
    nPlayerBodyH1 = 24;
    nPlayerBodyW2 = 16;
    nPlayerBodyH2 = 16;
    nPlayerBodyAlign1 = 1;
    nPlayerBodyAlign2 = 0;
    nShowPlayerBody = 0;
    nColorPlayerBody = 5;
    nCharaBodyW1 = 16;
    nCharaBodyH1 = 30;
    nCharaBodyW2 = 16;
    nCharaBodyH2 = 30;
    nCharaBodyAlign1 = 1;
    nCharaBodyAlign2 = 1;
  }
  if (v < 225) bStartBanner2 = 0;
}

bool cEdStage::Write(cDataFile& file) { return WriteBody(file, *this); }

bool cEdStage::WriteForReplay(cDataFile& file, cEdStage& settings) { return WriteBody(file, settings); }

bool cEdStage::WriteBody(cDataFile& file, cEdStage& s) {
  cPaletteScope scope(2, PaletteLists());
  Validate();
  // The settings record's own base part: its registered fields and name.
  if (!s.cRecord::Write(file)) return false;
  WriteIntList(file, s.RankGenres);
  for (cEdQuadSet& range : s.Ranges)
    if (!range.Write(file)) return false;
  if (!WriteRecordList(file, PaletteBlocks) || !WriteRecordList(file, PaletteCharas) ||
      !WriteRecordList(file, PaletteItems) || !WritePlacements(file, Blocks) || !WritePlacements(file, Charas) ||
      !WritePlacements(file, Items) || !WriteRecordList(file, s.Layers) || !WriteRecordList(file, s.TextItems))
    return false;
  file.WriteU32(kStageTrailer);
  return true;
}

void cEdStage::Validate() {
  cPaletteScope scope(2, PaletteLists());
  // The screen is 20 by 15 cells; limits are only lowered. A size from a damaged
  // file may sit at the bottom of the int range: the bound is taken in 64 bits.
  auto lower = [](int32_t& limit, int64_t bound) {
    limit = static_cast<int32_t>(std::min<int64_t>(limit, std::max<int64_t>(bound, INT32_MIN)));
  };
  lower(nLimitLeft, int64_t{nWidth} - 20);
  lower(nLimitRight, int64_t{nWidth} - 1);
  lower(nLimitTop, int64_t{nHeight} - 15);
  lower(nLimitBottom, int64_t{nHeight} - 1);
  SetHitLevel(nHitLevel);
  if (IndexBeyond(nMusic, Database.BgmList.Count())) nMusic = 0;
  PadToTwo(PaletteBlocks);
  PadToTwo(PaletteCharas);
  PadToTwo(PaletteItems);
  for (cVector<cEdBlock>* list : {&PaletteBlocks, &Blocks}) {
    for (cEdBlock& b : *list) {
      b.Validate();
      b.ValidateItemLink();
    }
  }
  for (cVector<cEdChara>* list : {&PaletteCharas, &Charas}) {
    for (cEdChara& c : *list) {
      c.Validate();
      c.ValidatePalette();
    }
  }
  for (cVector<cEdItem>* list : {&PaletteItems, &Items}) {
    for (cEdItem& i : *list) {
      i.Validate();
      i.ValidatePalette();
    }
  }
}

void cEdStage::SetHitLevel(int level) {
  // The level is kept as the file gives it, so that a stage read and written comes
  // back unchanged; the steps come from the level that plays (StageTimingFor).
  const cStageTiming t = StageTimingFor(level, dGravity);
  nHitLevel = level;
  nSteps = t.nSteps;
  dSteps = t.dSteps;
  dStepsSquared = t.dStepsSquared;
  dSpeedLimit = t.dSpeedLimit;
  dSpeedLimitPerStep = t.dSpeedLimitPerStep;
  dGravityPerStep = t.dGravityPerStep;
  nSteps8 = t.nSteps8;
  nSteps6 = t.nSteps6;
}

cStageTiming cEdStage::Timing() const { return StageTimingFor(nHitLevel, dGravity); }

int cEdStage::FindPlayer() const {
  for (int i = 0; i < Charas.Count(); ++i) {
    const cEdChara& c = Charas[static_cast<size_t>(i)];
    if (c.nGraphic != 0 && c.nOperator == 0) return i;
  }
  return -1;
}

void cEdStage::CopySettings(cEdStage& source) {
  if (&source == this) return;
  CopyFields(source);
  Layers = source.Layers;
  TextItems = source.TextItems;
  for (int i = 0; i < kRanges; ++i) Ranges[i] = source.Ranges[i];
  RankGenres = source.RankGenres;
}

void cEdStage::Dump(cDumpWriter& out) {
  cRecord::Dump(out);
  out.NumberList("RankGenres", RankGenres);
  static const char* const kRangeNames[kRanges] = {"Ranges[chara]", "Ranges[full-cell chara]", "Ranges[item]",
                                                   "Ranges[player shot]", "Ranges[other shot]"};
  for (int i = 0; i < kRanges; ++i) {
    out.Line("%s", kRangeNames[i]);
    out.Indent(1);
    Ranges[i].Dump(out);
    out.Indent(-1);
  }
  out.RecordList("PaletteBlocks", PaletteBlocks);
  out.RecordList("PaletteCharas", PaletteCharas);
  out.RecordList("PaletteItems", PaletteItems);
  out.RecordList("Blocks", Blocks);
  out.RecordList("Charas", Charas);
  out.RecordList("Items", Items);
  out.RecordList("Layers", Layers);
  out.RecordList("TextItems", TextItems);
}

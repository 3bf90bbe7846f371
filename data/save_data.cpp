#include "data/save_data.h"

#include <algorithm>

#include "app/base/record_dump.h"
#include "data/project_globals.h"
#include "data/record_lists.h"

namespace {
constexpr uint32_t kMaxCarried = 1u << 10;
}  // namespace

void cSaveChara::RegisterFields(uint32_t) {
  RegisterNoFields();
  REG(nHp);
  REG(nSp);
  REG(nTime);
  REG(nLives);
  REG(nMusic);
}

bool cSaveChara::Read(cDataFile& file) { return cRecord::Read(file) && Chara.Read(file); }

bool cSaveChara::Write(cDataFile& file) { return cRecord::Write(file) && Chara.Write(file); }

void cSaveChara::Dump(cDumpWriter& out) {
  cRecord::Dump(out);
  out.Line("Chara %s", Chara.ClassName());
  out.Indent(1);
  Chara.Dump(out);
  out.Indent(-1);
}

bool ReadSaveCharaList(cSaveData& save, cDataFile& file) {
  return ReadRecordList<cSaveChara>(file, save.CarriedCharas, "CarriedCharas", kMaxCarried);
}

bool ReadStageResultList(cSaveData& save, cDataFile& file) {
  return ReadRecordList<cStageResult>(file, save.StageResults, "StageResults", kMaxListEntries);
}

bool ReadIntPairList(cSaveData& save, cDataFile& file) {
  return ReadRecordList<cIntPair>(file, save.ChallengeRecords, "ChallengeRecords", kMaxListEntries);
}

cSaveData::cSaveData() {
  RegisterFields(kDataVersion);
  Reset();
}

void cSaveData::RegisterFields(uint32_t v) {
  RegisterNoFields();
  REG(bCarry);
  REG(nMapX);
  REG(nMapY);
  REG(pWorldStage);
  REG(nRound);
  REG(nStageNo);
  REG(nPart);
  REG(nLivesAtStart);
  REG(nLives);
  REG(nStageScore);
  REG(nScore);
  REG(nTotal);
  REG(nResultTime);
  REG(nResultPlayTime);
  if (v >= 182) {
    REG(nResultHp);
    REG(nResultSp);
  }
  REG(bParted);
  REG(nMusicNo);
  if (v >= 166) REG(bMusicLoop);
  if (v >= 194) REG(nMapDir);
  if (v >= 190) REG(bMapStepBack);
  if (v >= 191) {
    REG(nMapPrevX);
    REG(nMapPrevY);
  }
  REG(nChallengeOpen);
  REG(nSlot);
  if (v >= 169) REG(bAutoSave);
  REG(bShowRanking);
  REG(nRankGenre);
  if (v >= 678) {
    REG(bStartPos);
    REG(nStartX);
    REG(nStartY);
  }
  if (v >= 679) REG(nStartDir);
  REG(StageName);
  if (v >= 724) REG(strSecondName);
  REG(Name);
}

void cSaveData::Reset() {
  ResetFields();
  CarryFlags.assign(kCarryItems, 0);
  CarriedCharas.assign(1, cSaveChara());
  Flags.assign(kStageFlags, 0);
  Flags[0] = 1;
  CommonVars.assign(kCommonVars, 0);
  StageResults.clear();
  ChallengeRecords.clear();
  nChallengeOpen = 1;
  nSlot = -1;
  Name = "aaa";
}

bool cSaveData::Read(cDataFile& file) {
  const uint32_t version = file.Version();
  if (!cRecord::Read(file) || !file.ReadBytes(&SaveTime, sizeof SaveTime, "SaveTime")) return false;
  if (version >= 501 && !ReadIntList(file, CarryFlags, "CarryFlags")) return false;
  if (!ReadSaveCharaList(*this, file) || !ReadStageResultList(*this, file) || !ReadIntPairList(*this, file) ||
      !ReadIntList(file, Flags, "Flags") || !ReadIntList(file, CommonVars, "CommonVars"))
    return false;
  if (version < kDataVersion) Upgrade(version);
  Validate();
  return true;
}

void cSaveData::Upgrade(uint32_t v) {
  if (v < 166) bMusicLoop = 1;
  if (v < 169) bAutoSave = 0;
  if (v < 182) nResultHp = nResultSp = 0;
  if (v < 190) bMapStepBack = 0;
  if (v < 191) nMapPrevX = nMapPrevY = 0;
  if (v < 194) nMapDir = 0;
  if (v < 501) CarryFlags.assign(kCarryItems, 1);
}

bool cSaveData::Write(cDataFile& file) {
  Validate();
  if (!cRecord::Write(file)) return false;
  file.WriteBytes(&SaveTime, sizeof SaveTime);
  WriteIntList(file, CarryFlags);
  if (!WriteRecordList(file, CarriedCharas) || !WriteRecordList(file, StageResults) ||
      !WriteRecordList(file, ChallengeRecords))
    return false;
  WriteIntList(file, Flags);
  WriteIntList(file, CommonVars);
  return true;
}

void cSaveData::Validate() {
  // A negative position lies outside the map as much as one beyond it.
  if (nMapX < 0 || nMapX >= WorldMap.nWidth) nMapX = WorldMap.nStartX;
  if (nMapY < 0 || nMapY >= WorldMap.nHeight) nMapY = WorldMap.nStartY;
  const int stages = std::max(0, SystemData.nChallengeStages);
  ChallengeRecords.resize(static_cast<size_t>(stages));
  nChallengeOpen = std::min(nChallengeOpen, stages);
  // Stage flags, common variables, carry flags and the carried player are indexed
  // by fixed numbers; a file with shorter lists gets zeros (a default player).
  if (Flags.Count() < kStageFlags) Flags.resize(kStageFlags, 0);
  if (CommonVars.Count() < kCommonVars) CommonVars.resize(kCommonVars, 0);
  if (CarryFlags.Count() < kCarryItems) CarryFlags.resize(kCarryItems, 0);
  if (CarriedCharas.empty()) CarriedCharas.resize(1);
  // Values that index the game's own tables: the slot list, the map figure's four
  // facings and the five ranking genres.
  if (nSlot < -1 || nSlot >= kStorySlots) nSlot = -1;
  if (nMapDir < 0 || nMapDir > 3) nMapDir = 0;
  if (nRankGenre < 0 || nRankGenre >= cEdStage::kRankGenres) nRankGenre = 0;
}

void cSaveData::SetFileName(const std::string& path) {
  StageName = path;
  bParted = 0;
  for (size_t k = StageName.size(); k-- > 1;) {
    if (StageName[k - 1] == '-' && StageName[k] == '1') {
      bParted = 1;
      StageName.resize(k - 1);
      StageName += '.';
      return;
    }
  }
  const size_t dot = StageName.rfind('.');
  StageName = dot == std::string::npos ? std::string() : StageName.substr(0, dot + 1);
}

void cSaveData::Dump(cDumpWriter& out) {
  cRecord::Dump(out);
  out.Line("SaveTime = %04u-%02u-%02u (day of week %u) %02u:%02u:%02u.%03u", SaveTime.wYear, SaveTime.wMonth,
           SaveTime.wDay, SaveTime.wDayOfWeek, SaveTime.wHour, SaveTime.wMinute, SaveTime.wSecond,
           SaveTime.wMilliseconds);
  out.NumberList("CarryFlags", CarryFlags);
  out.RecordList("CarriedCharas", CarriedCharas);
  out.RecordList("StageResults", StageResults);
  out.RecordList("ChallengeRecords", ChallengeRecords);
  out.NumberList("Flags", Flags);
  out.NumberList("CommonVars", CommonVars);
}

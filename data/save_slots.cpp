// The story slots and the challenge record: the save data written to and read from
// the user's files, with the lives rule of each play category.
#include <cstdio>
#include <vector>

#include "app/base/report_log.h"
#include "data/data_folders.h"
#include "data/project_globals.h"
#include "data/save_data.h"
#include "platform/clock.h"
#include "platform/files.h"

cVector<cSaveSlotInfo> SlotInfos(kStorySlots);

namespace {

constexpr int kUnlimitedLives = 999999;

// After a read: unlimited lives when the category has them, else a save made with
// unlimited lives gets the category's initial lives.
void ApplyLivesRule(cSaveData& save, int category) {
  if (SystemData.InfiniteLives.At(category)) {
    save.nLivesAtStart = save.nLives = kUnlimitedLives;
  } else if (save.nLives == kUnlimitedLives) {
    save.nLives = SystemData.StartLives.At(category);
  }
}

bool SlotInRange(int n) { return n >= 0 && n < kStorySlots; }

}  // namespace

std::string MakeSaveSlotPath(int n) {
  char name[16];
  std::snprintf(name, sizeof name, "%02d", n + 1);
  return std::string(PathTable[kPathStorySlot]) + name + ".dat";
}

void cSaveSlotInfo::SetFromSave(const cSaveData& save) {
  bUsed = 1;
  SaveTime = save.SaveTime;
}

int cSaveData::SaveSlot(int n) {
  if (!SlotInRange(n)) return 0;
  const plat::LocalTime now = plat::GetLocalTime();
  SaveTime = {now.year, now.month, now.dayOfWeek, now.day, now.hour, now.minute, now.second, now.milliseconds};
  const std::string path = MakeSaveSlotPath(n);
  if (!Save(path.c_str())) {
    // The slot list keeps showing what the disk holds.
    ReportLog("%s : could not be written", path.c_str());
    return 0;
  }
  if (n < SlotInfos.Count()) SlotInfos[static_cast<size_t>(n)].SetFromSave(*this);
  return 1;
}

int cSaveData::LoadSlot(int n) {
  if (!SlotInRange(n)) return 0;
  if (!Load(MakeSaveSlotPath(n).c_str())) return 0;
  ApplyLivesRule(*this, cEdSystem::kStory);
  return 1;
}

int cSaveData::LoadChallenge() {
  const char* path = PathTable[kPathChallengeRecord];
  if (Load(path)) {
    ApplyLivesRule(*this, cEdSystem::kChallenge);
    return 1;
  }
  // A record that exists but cannot be read is kept for the player before the
  // challenge starts a fresh one that will be written over it.
  std::vector<uint8_t> bytes;
  if (plat::ReadWholeFile(path, bytes, cDataFile::kMaxFileSize) == plat::ReadStatus::kOk) {
    const std::string backup = std::string(path) + ".bak";
    if (plat::WriteFileAtomic(backup, bytes.data(), bytes.size()))
      ReportLog("%s : damaged; kept as %s", path, backup.c_str());
    else
      ReportLog("%s : damaged; %s could not be written", path, backup.c_str());
  }
  return 0;
}

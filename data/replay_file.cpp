// Replay files: the version word, the stage of the attempt, its input log and,
// from version 173 on, the save data at the attempt's start.
#include <memory>

#include "app/base/message_box.h"
#include "app/base/report_log.h"
#include "data/save_data.h"
#include "data/stage.h"
#include "data/stage_loader.h"
#include "data/user_records.h"
#include "platform/sjis.h"

namespace {

// Replays before this version hold neither the stage trailer nor the save data.
constexpr uint32_t kReplaySaveVersion = 173;

}  // namespace

std::string ReplayExtension() { return std::string("rpl4_") + std::to_string(kDataVersion); }

int cInputLog::SaveReplay(const char* path, cEdStage& stage, cEdStage& settings, cSaveData& save) {
  DataFilePtr file = CreateDataFile(path);
  if (!file) return 0;
  if (!stage.WriteForReplay(*file, settings) || !Write(*file) || !save.Write(*file)) return 0;
  return CloseDataFile(std::move(file)) ? 1 : 0;
}

bool ReadReplayFile(const char* path, cEdStage& stage, cInputLog& log, cSaveData& save, uint32_t& version,
                    std::string& error) {
  const std::string name = path ? path : "";
  DataFilePtr file = OpenDataFile(name.c_str());
  if (!file) {
    error = name + " : cannot be opened or is shorter than its version word";
    return false;
  }
  version = file->Version();
  // A newer program's layout is unknown here (and a picture renamed to a replay
  // starts with a huge version word).
  if (version > kDataVersion) {
    error = name + " : version " + std::to_string(version) + " is newer than " + std::to_string(kDataVersion);
    return false;
  }
  if (!stage.Read(*file) || !log.Read(*file) || (version >= kReplaySaveVersion && !save.Read(*file))) {
    error = file->Error();
    return false;
  }
  if (!stage.HasPlayer()) {
    error = name + " : " + SJ("主人公が配置されていないのでプレイできません！");
    return false;
  }
  return true;
}

int cInputLog::LoadReplay(const char* path, cEdStage& stage, cEdStage& settings, cSaveData& save) {
  const std::string name = path ? path : "";
  // Everything is read into copies of the live records (a value an old file lacks
  // keeps what the record held, as a read over the record would) and taken over
  // only when the whole file was good.
  auto newStage = std::make_unique<cEdStage>(stage);
  cInputLog newLog(*this);
  auto newSave = std::make_unique<cSaveData>(save);
  uint32_t version = 0;
  std::string error;
  if (!ReadReplayFile(name.c_str(), *newStage, newLog, *newSave, version, error)) {
    ReportLog("%s", error.c_str());
    ErrorBoxf(SJ("リプレイファイル %s の読み込みに失敗しました！"), name.c_str());
    return 0;
  }

  stage = std::move(*newStage);
  settings.CopySettings(stage);
  FreeBlockDefs(settings.Blocks);
  FreeCharaDefs(settings.Charas);
  FreeItemDefs(settings.Items);
  FreeBlockDefs(settings.PaletteBlocks);
  FreeCharaDefs(settings.PaletteCharas);
  FreeItemDefs(settings.PaletteItems);
  *this = newLog;
  if (version >= kReplaySaveVersion) {
    // The retry checkpoint lives only in memory and stays as it was.
    newSave->CheckVars.swap(save.CheckVars);
    newSave->nCheckLives = save.nCheckLives;
    newSave->nCheckScore = save.nCheckScore;
    save = std::move(*newSave);
  }
  return 1;
}

#include "data/stage_loader.h"

#include <atomic>
#include <cstdio>
#include <memory>

#include "app/base/message_box.h"
#include "app/base/path_util.h"
#include "app/base/report_log.h"
#include "app/base/shell_globals.h"
#include "app/base/thread.h"
#include "data/data_folders.h"
#include "data/project_globals.h"
#include "platform/files.h"
#include "platform/sjis.h"

namespace {

std::atomic<void (*)()> gLoadHook{nullptr};

// One load on thLoad. The loader thread owns a share of it: a thread that has to
// be left running when the program closes still has its stage to write into.
struct cStageLoad {
  std::string strPath;
  cEdStage Stage;
  int bLoaded = 0;
};

// The routine of thLoad: reads the stage file into the load's own record.
unsigned LoadStageThreadProc(void* arg) {
  std::unique_ptr<std::shared_ptr<cStageLoad>> holder(static_cast<std::shared_ptr<cStageLoad>*>(arg));
  cStageLoad& load = **holder;
  if (void (*hook)() = gLoadHook.load()) hook();
  DataFilePtr file = OpenDataFile(load.strPath.c_str());
  if (!file) return 0;
  if (!load.Stage.Read(*file)) {
    ReportLog("%s", file->Error().c_str());
    return 0;
  }
  load.bLoaded = 1;
  return 1;
}

// Takes the whole vector's storage out and destroys the elements.
template <class T>
void FreeDefs(cVector<T>& list) {
  cVector<T>().swap(list);
}

}  // namespace

void FreeBlockDefs(cVector<cEdBlock>& list) { FreeDefs(list); }
void FreeCharaDefs(cVector<cEdChara>& list) { FreeDefs(list); }
void FreeItemDefs(cVector<cEdItem>& list) { FreeDefs(list); }

void SetStageLoadHook(void (*hook)()) { gLoadHook.store(hook); }

bool StageTrailerIntact(const std::string& path) {
  std::FILE* f = plat::OpenFile(path, "rb");
  if (!f) return true;
  uint32_t version = 0, trailer = 0;
  const bool known = std::fread(&version, 4, 1, f) == 1;
  if (!known || version < 174) {
    std::fclose(f);
    return true;
  }
  const bool read = std::fseek(f, -4, SEEK_END) == 0 && std::fread(&trailer, 4, 1, f) == 1;
  std::fclose(f);
  return read && trailer == kStageTrailer;
}

int CheckStageFile(const std::string& path, int closeOnRefusal) {
  if (StageTrailerIntact(path)) return 1;
  ErrorBoxf(SJ("ステージファイル %s が破損しています！"), path.c_str());
  if (closeOnRefusal) RequestClose();
  return 0;
}

int LoadStageForPlay(const std::string& path, int newest, cEdStage* target, int closeOnRefusal) {
  std::string stored = path;
  if (newest && !FindLatestVersion(stored, path, ExtTable[kExtStage])) return 0;
  ToRelativePath(stored);
  if (!CheckStageFile(stored, closeOnRefusal)) return 0;

  auto load = std::make_shared<cStageLoad>();
  load->strPath = stored;
  auto* share = new std::shared_ptr<cStageLoad>(load);
  if (!thLoad.Start(&LoadStageThreadProc, share)) {
    delete share;
    ErrorBoxf(SJ("ステージファイル %s の読み込みに失敗しました！"), stored.c_str());
    return 0;
  }
  if (!PumpMessagesUntilEnded(thLoad)) {
    ECLog("msg.message == WM_QUIT");
    thLoad.Exit();
    return 0;
  }
  thLoad.Exit();
  if (!load->bLoaded) {
    ErrorBoxf(SJ("ステージファイル %s の読み込みに失敗しました！"), stored.c_str());
    return 0;
  }
  // Checked before the stage takes the place of the one loaded before.
  if (!load->Stage.HasPlayer()) {
    ErrorBox(SJ("主人公が配置されていないのでプレイできません！"));
    if (closeOnRefusal) RequestClose();
    return 0;
  }
  StageData = std::move(load->Stage);
  StageData.strFilePath = stored;
  StageData.bNewestVersion = newest;
  StageData.bLoaded = 1;
  if (!target) return 1;
  target->CopySettings(StageData);
  FreeBlockDefs(target->Blocks);
  FreeCharaDefs(target->Charas);
  FreeItemDefs(target->Items);
  FreeBlockDefs(target->PaletteBlocks);
  FreeCharaDefs(target->PaletteCharas);
  FreeItemDefs(target->PaletteItems);
  return 1;
}

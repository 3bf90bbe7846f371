#include "modes/replay_requests.h"

#include <cstring>

#include "app/base/path_util.h"
#include "app/base/message_box.h"
#include "app/base/report_log.h"
#include "app/base/shell_globals.h"
#include "app/svc/system_ini.h"
#include "app/ui/file_dialog.h"
#include "app/svc/window_requests.h"
#include "data/project_globals.h"
#include "draw/dd_present.h"
#include "platform/files.h"
#include "platform/sjis.h"
#include "platform/ui/user.h"
#include "stage/replay_keys.h"

namespace {

// The filter of the open dialog: name, patterns, and the empty string that ends them.
constexpr char kReplayFilter[] = "ReplayFile ( *.rpl4_* )\0*.rpl4_*\0";

}  // namespace

std::string ProposeReplayName(const std::string& stageName) {
  if (stageName.empty()) return std::string();
  const std::string ext = ReplayExtension();
  std::string name;
  if (!ChangeExt(name, stageName, ext.c_str())) return std::string();
  StripDirectory(name);
  const std::string base = std::string(kReplayFolder) + name;
  std::string candidate;
  for (int a = 0; a <= 8; ++a) {
    for (int b = 0; b <= 8; ++b) {
      if (!AddNumberSuffix(candidate, base, a, b)) return std::string();
      if (!plat::FileExists(candidate)) {
        StripDirectory(candidate);
        return candidate;
      }
    }
  }
  // Every name is taken: the last one is proposed (the dialog asks before replacing it).
  StripDirectory(candidate);
  return candidate;
}

int ChooseReplaySavePath(char* path, const std::string& stageName) {
  const std::string ext = ReplayExtension();
  const std::string proposal = ProposeReplayName(stageName);
  std::memset(path, 0, plat::kMaxPath);
  std::strncpy(path, proposal.c_str(), plat::kMaxPath - 1);
  const std::string filterName = "ReplayFile ( *." + ext + " )";
  const std::string pattern = "*." + ext;
  std::string filter = filterName;
  filter += '\0';
  filter += pattern;
  filter += '\0';
  filter += '\0';
  const char* title = SystemIni.English ? "Save replay file" : SJ("リプレイファイルの保存");
  DDSetDialogBoxMode(1);
  const int chosen =
      SaveFileDialog(plat::GetActiveWindow(), path, kReplayFolder, title, filter.c_str(), ext.c_str(), 1);
  DDSetDialogBoxMode(0);
  return chosen;
}

int RequestReplayLoad() { return SendFileRequest(WM_LOAD_REPLAY, 0); }

int SaveReplayFromDialog(int attempt) {
  char path[plat::kMaxPath] = {};
  if (!ChooseReplaySavePath(path, SaveData.StageName)) return 0;
  cInputLog& log = attempt == 0 ? LogCur : LogPrev;
  cSaveData& save = attempt == 0 ? SaveAtStart : SaveAtPrevStart;
  if (!log.SaveReplay(path, StageData, PlayStageData, save)) {
    // Play goes on: a replay that cannot be written is no reason to end the game.
    ReportLog("%s : the replay could not be written", path);
    ErrorBoxf(SJ("リプレイファイル %s の保存に失敗しました！"), path);
  }
  return 1;
}

int LoadReplayFromDialog() {
  const char* title = SystemIni.English ? "Load replay file" : SJ("リプレイファイルの読み込み");
  char path[plat::kMaxPath] = {};
  DDSetDialogBoxMode(1);
  const int chosen = OpenFileDialog(hMainWnd.load(), path, static_cast<int>(sizeof path), "user_data\\rpl4",
                                    title, kReplayFilter, nullptr, 0, nullptr);
  DDSetDialogBoxMode(0);
  if (!chosen) return 0;
  // A replay that cannot be played has been refused with a message, leaving
  // everything as it was: the title stays.
  if (!LogCur.LoadReplay(path, StageData, PlayStageData, SaveData)) return 0;
  // Stage set-up reads the replay again from here at every attempt.
  StageData.strFilePath = path;
  StageData.bLoaded = 1;
  return 1;
}

// The requests that the game thread and the stage-play threads send to the game
// window. Each handler sets its done flag, so that a requester never waits for
// ever.
#include <new>
#include <string>

#include "app/base/report_log.h"
#include "app/base/shell_globals.h"
#include "app/main_window.h"
#include "app/sound/sound_requests.h"
#include "app/svc/system_ini.h"
#include "app/ui/file_dialog.h"
#include "app/ui/name_dlg.h"
#include "app/base/message_box.h"
#include "res/dialog_templates.h"
#include "data/project_globals.h"
#include "draw/dd_present.h"
#include "draw/dd_restore.h"
#include "modes/replay_requests.h"
#include "modes/stage_file_start.h"
#include "platform/files.h"
#include "platform/sjis.h"
#include "stage/replay_keys.h"

namespace {

// The file name of database music entry `number` (a bad number is reported by the
// checked list, which gives entry 0).
std::string MusicFile(int number) { return Database.BgmList.At(number).strFile; }

void OnMusic(plat::WPARAM kind, plat::LPARAM lParam) {
  if (kind <= 3) {
    // The title, world map, challenge and option scenes' music from the game-wide settings.
    const int k = static_cast<int>(kind);
    const int number = SystemData.SceneBgm.At(k);
    const int loop = SystemData.SceneBgmLoop.At(k);
    OnMusicRequest(k, number, number != 0 ? MusicFile(number) : std::string(), loop);
  } else if (kind == 4) {
    // The stage's music: its number kept in the save data, looped as the stage
    // asked when it made the request.
    const int number = static_cast<int>(lParam);
    SaveData.nMusicNo = number;
    OnMusicRequest(4, number, MusicFile(number), SaveData.bMusicLoop);
  }
}

// The filter of the stage-file open dialog: name, patterns, and the empty string that ends them.
constexpr char kStageFilter[] = "StageFile ( *.stg4_*;*.rpl4_* )\0*.stg4_*;*.rpl4_*\0";

// The replay requests of the game and stage-play threads: sent to the game window,
// waited for, answered with the request's result flag.
int SendReplayRequest(plat::UINT message, plat::WPARAM wParam) {
  if (!SendRequest(message, wParam, 0, &MainWindow.m_bFileRequestDone)) return 0;
  return MainWindow.m_bFileRequestResult.load();
}
const bool kReplayRequestSender = (SetFileRequestSender(&SendReplayRequest), true);

// The name-entry request of the game and stage-play threads.
bool SendNameEntryRequest() { return SendRequest(WM_NAME_ENTRY, 0, 0, &MainWindow.m_bNameEntryDone); }
const bool kNameEntrySender = (SetNameEntrySender(&SendNameEntryRequest), true);

}  // namespace

void cMainWindow::OnNameEntry() {
  // The dialog owns the screen: no worker thread draws or sends while it is open.
  DDSetDialogBoxMode(1);
  SuspendThreads();
  if (auto* dialog = new (std::nothrow) cNameDlg(IDD_NAME_ENTRY, this, 1, &WindowRegistry)) {
    dialog->DoModal(0);
    delete dialog;
  } else {
    OutOfMemory();
  }
  DDSetDialogBoxMode(0);
  ResumeThreads();
  m_bNameEntryDone.store(1);
}

void cMainWindow::OnFileRequest(plat::UINT message, plat::WPARAM wParam) {
  int result = 0;
  if (message == WM_SAVE_REPLAY) {
    result = SaveReplayFromDialog(wParam == 1 ? 1 : 0);
  } else if (message == WM_LOAD_REPLAY) {
    // A replay that cannot be read leaves everything as it was, after a message
    // naming the file: the title stays rather than the game closing.
    result = LoadReplayFromDialog();
  } else {
    const char* title = SystemIni.English ? "Load stage file" : SJ("ステージファイルの読み込み");
    char path[plat::kMaxPath] = {};
    DDSetDialogBoxMode(1);
    const int chosen = OpenFileDialog(m_hWnd, path, static_cast<int>(sizeof path), "data\\stg4\\", title,
                                      kStageFilter, nullptr, 0, nullptr);
    DDSetDialogBoxMode(0);
    // A file that cannot be played has been refused with the loader's message:
    // the title stays.
    if (chosen) result = StartChosenStageFile(path);
  }
  m_bFileRequestResult.store(result);
  m_bFileRequestDone.store(1);
}

plat::LRESULT cMainWindow::OnRequest(plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam) {
  switch (message) {
    case WM_NAME_ENTRY:
      OnNameEntry();
      return 0;
    case WM_LOAD_STAGE:
    case WM_LOAD_REPLAY:
    case WM_SAVE_REPLAY:
      OnFileRequest(message, wParam);
      return 0;
    case WM_PLAY_SE:
      OnPlaySoundEffectRequest(wParam);
      return 0;
    case WM_PLAY_BGM:
      OnMusic(wParam, lParam);
      return 0;
    case WM_RESTORE_DEVICE:
      DDRestoreSurface();
      return 0;
    default:
      return 0;
  }
}

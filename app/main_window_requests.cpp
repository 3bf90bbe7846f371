// The requests that the game thread and the stage-play threads send to the game
// window. Each handler sets its done flag, so that a requester never waits for
// ever; until its subsystem exists a request is answered as not carried out.
//
// PENDING request bodies, waiting for their subsystems:
//   WM_USER+1    name entry: DDSetDialogBoxMode(1), SuspendThreads, the name-entry
//                dialog (cNameDlg, resource 102) run modally, DDSetDialogBoxMode(0),
//                ResumeThreads (game modes: the dialog class and its binding).
//   WM_USER+3    after the open dialog: cInputLog::LoadReplay into StageData,
//                PlayStageData and SaveData, WM_CLOSE when it fails, the chosen path
//                kept as the play file's name, result 1 (game modes); until then a
//                chosen file is answered as not carried out.
//   WM_USER+4    save replay: ChooseReplaySavePath (which shows SaveFileDialog),
//                cInputLog::SaveReplay with the current (wParam 0) or previous (1)
//                attempt (game modes).
#include <string>

#include "app/base/report_log.h"
#include "app/base/shell_globals.h"
#include "app/main_window.h"
#include "app/sound/sound_requests.h"
#include "app/svc/system_ini.h"
#include "app/ui/file_dialog.h"
#include "data/project_globals.h"
#include "draw/dd_present.h"
#include "draw/dd_restore.h"
#include "modes/stage_file_start.h"
#include "platform/files.h"
#include "platform/sjis.h"

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

// The filters of the open dialogs: name, patterns, and the empty string that ends them.
constexpr char kStageFilter[] = "StageFile ( *.stg4_*;*.rpl4_* )\0*.stg4_*;*.rpl4_*\0";
constexpr char kReplayFilter[] = "ReplayFile ( *.rpl4_* )\0*.rpl4_*\0";

}  // namespace

void cMainWindow::OnFileRequest(plat::UINT message, plat::WPARAM) {
  if (message == WM_SAVE_REPLAY) {
    // PENDING (game modes): ChooseReplaySavePath and the replay written.
    m_bFileRequestResult.store(0);
    m_bFileRequestDone.store(1);
    return;
  }
  const bool stage = message == WM_LOAD_STAGE;
  const char* title = SystemIni.English ? (stage ? "Load stage file" : "Load replay file")
                                        : (stage ? SJ("ステージファイルの読み込み") : SJ("リプレイファイルの読み込み"));
  char path[plat::kMaxPath] = {};
  DDSetDialogBoxMode(1);
  const int chosen = OpenFileDialog(m_hWnd, path, static_cast<int>(sizeof path), stage ? "data\\stg4\\" : "user_data\\rpl4",
                                    title, stage ? kStageFilter : kReplayFilter, nullptr, 0, nullptr);
  DDSetDialogBoxMode(0);
  if (!chosen) {
    m_bFileRequestResult.store(0);
    m_bFileRequestDone.store(1);
    return;
  }
  if (stage) {
    // The loader has shown why a stage cannot be played: the game closes.
    if (!StartStageFile(path, 0)) RequestClose();
    m_bFileRequestResult.store(1);
  } else {
    // PENDING (game modes): cInputLog::LoadReplay and the play file's name.
    ECLogf("WM_USER+3 waits for the replay reader: %s", path);
    m_bFileRequestResult.store(0);
  }
  m_bFileRequestDone.store(1);
}

plat::LRESULT cMainWindow::OnRequest(plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam) {
  switch (message) {
    case WM_NAME_ENTRY:
      // PENDING (game modes): the name-entry dialog; the name stays as it is.
      m_bNameEntryDone.store(1);
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

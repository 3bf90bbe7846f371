// The requests that the game thread and the stage-play threads send to the game
// window. Each handler sets its done flag, so that a requester never waits for
// ever; until its subsystem exists a request is answered as not carried out.
//
// PENDING request bodies, waiting for their subsystems:
//   WM_USER+1    name entry: DDSetDialogBoxMode(1), SuspendThreads, the name-entry
//                dialog (cNameDlg, resource 102) run modally, DDSetDialogBoxMode(0),
//                ResumeThreads (dialog framework, game modes, drawing layer).
//   WM_USER+2    load stage file: OpenFileDialog over "data\stg4\" ("ステージファイルの
//                読み込み" / "Load stage file"), StartStageFile(path, 0), WM_CLOSE when
//                it fails (file dialogs, game modes).
//   WM_USER+3    load replay file: OpenFileDialog over "user_data\rpl4" ("リプレイ
//                ファイルの読み込み" / "Load replay file"), cInputLog::LoadReplay
//                (file dialogs, game modes).
//   WM_USER+4    save replay: ChooseReplaySavePath, cInputLog::SaveReplay with the
//                current (wParam 0) or previous (1) attempt (file dialogs, game modes).
//   WM_USER+6    kind 4: the save data's music number := lParam, and its loop flag
//                for the stage's music (save data); until then the stage's music
//                plays once.
#include <string>

#include "app/main_window.h"
#include "app/sound/sound_requests.h"
#include "data/project_globals.h"
#include "draw/dd_restore.h"

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
    // The stage's music. PENDING (save data): the number kept in the save data, and
    // its loop flag (a fresh save data's 0 until then).
    const int number = static_cast<int>(lParam);
    OnMusicRequest(4, number, MusicFile(number), 0);
  }
}

}  // namespace

plat::LRESULT cMainWindow::OnRequest(plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam) {
  switch (message) {
    case WM_NAME_ENTRY:
      // PENDING: the name-entry dialog; the name stays as it is.
      m_bNameEntryDone.store(1);
      return 0;
    case WM_LOAD_STAGE:
    case WM_LOAD_REPLAY:
    case WM_SAVE_REPLAY:
      // PENDING: the file dialog and its action; answered as cancelled.
      m_bFileRequestResult.store(0);
      m_bFileRequestDone.store(1);
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

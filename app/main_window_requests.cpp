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
//   WM_USER+5    DS_Play(SoundTable[wParam], 0), the checked access reporting a bad
//                entry (sound effects).
//   WM_USER+6    music by kind: cBgmPlayer::SetTrack / Play / Stop with the game-wide
//                music numbers and loop flags, kind 4 from lParam and the save data
//                (music, game-wide settings, save data).
//   WM_USER+100  DDRestoreSurface (drawing layer).
#include "app/main_window.h"

plat::LRESULT cMainWindow::OnRequest(plat::UINT message, plat::WPARAM, plat::LPARAM) {
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
      // PENDING: DS_Play.
      return 0;
    case WM_PLAY_BGM:
      // PENDING: the music player.
      return 0;
    case WM_RESTORE_DEVICE:
      // PENDING: DDRestoreSurface.
      return 0;
    default:
      return 0;
  }
}

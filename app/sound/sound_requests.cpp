#include "app/sound/sound_requests.h"

#include <algorithm>
#include <atomic>
#include <cstdio>

#include "app/base/play_trace.h"
#include "app/base/shell_globals.h"
#include "app/sound/music_player.h"
#include "app/sound/sound_effects.h"

namespace {
std::atomic<WindowSendFunction> gSend{nullptr};

void CopyName(char (&dst)[260], const std::string& src) { std::snprintf(dst, sizeof dst, "%s", src.c_str()); }
}  // namespace

void SetSoundRequestSender(WindowSendFunction send) { gSend.store(send); }

plat::LRESULT SendSoundRequest(plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam) {
  if (message == WM_PLAY_SE)
    PlayTraceEvent("se", {{"n", static_cast<long long>(wParam)}});
  else if (message == WM_PLAY_BGM)
    PlayTraceEvent("bgm", {{"kind", static_cast<long long>(wParam)}, {"n", static_cast<long long>(lParam)}});
  if (WindowSendFunction send = gSend.load()) return send(hMainWnd, message, wParam, lParam);
  plat::PostMessage(hMainWnd, message, wParam, lParam);
  return 0;
}

plat::LRESULT PlaySE(int n) { return SendSoundRequest(WM_PLAY_SE, static_cast<plat::WPARAM>(n), 0); }

void PlayProjectSE(int16_t n) {
  if (n == 0) return;
  SendSoundRequest(WM_PLAY_SE, static_cast<plat::WPARAM>(n + 16), 0);
}

void OnPlaySoundEffectRequest(plat::WPARAM entry) { DS_Play(SoundTable.At(static_cast<int>(entry)), 0); }

void OnMusicRequest(int kind, int number, const std::string& fileName, int loop) {
  if (kind >= 0 && kind <= 3) {
    if (number == 0) {
      BgmPlayer.Stop();
      return;
    }
    BgmPlayer.SetTrack(kind, fileName.c_str());
    BgmPlayer.Play(0, kind, loop, 1);
  } else if (kind == 4) {
    BgmPlayer.SetTrack(4, fileName.c_str());
    if (number == 0) {
      BgmPlayer.Stop();
    } else {
      BgmPlayer.Play(0, 4, loop, 1);
    }
  }
}

void SetUpSoundTable(const std::vector<std::string>& systemFiles, const std::vector<std::string>& databaseFiles) {
  int count = std::max(static_cast<int>(databaseFiles.size()) + 16, kSystemSoundCount);
  SoundTable.assign(static_cast<size_t>(count), DSSOUNDDATA());
  SoundInfoTable.assign(static_cast<size_t>(count), DSSOUNDINFO());
  for (int i = 0; i < count; ++i) {
    DSSOUNDINFO& info = SoundInfoTable[static_cast<size_t>(i)];
    if (i < kSystemSoundCount) {
      if (i < static_cast<int>(systemFiles.size())) CopyName(info.szFileName, systemFiles[static_cast<size_t>(i)]);
    } else {
      CopyName(info.szFileName, databaseFiles[static_cast<size_t>(i - 16)]);
    }
    info.nBufferCount = 1;
    info.nVolume = 0;
    info.bFlag = 1;
  }
}

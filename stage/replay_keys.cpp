#include "stage/replay_keys.h"

#include <atomic>

#include "app/svc/mode_manager.h"
#include "app/sound/sound_effects.h"
#include "app/svc/window_requests.h"
#include "data/project_globals.h"
#include "platform/key_state.h"

int ReplayBuzzCooldown = 0;

namespace {

std::atomic<FileRequestSender> gSend{nullptr};

constexpr int kPlayKindReplay = 4;
constexpr int kBuzzFrames = 60;
constexpr int kSoundConfirm = 1;
constexpr int kSoundRefusal = 3;

}  // namespace

void SetFileRequestSender(FileRequestSender send) { gSend.store(send); }

int SendFileRequest(plat::UINT message, plat::WPARAM wParam) {
  FileRequestSender send = gSend.load();
  return send ? send(message, wParam) : 0;
}

int CheckReplaySaveKeys() {
  if (ModeManager.m_nPlayKind == kPlayKindReplay || !SystemData.bRecordReplay) return 0;
  if (ReplayBuzzCooldown > 0) --ReplayBuzzCooldown;
  // The keyboard itself, not the key configuration: these keys are the game's own.
  int attempt;
  if (plat::IsKeyDown(plat::VK_F1))
    attempt = 0;
  else if (plat::IsKeyDown(plat::VK_F2))
    attempt = 1;
  else
    return 0;
  const cInputLog& log = attempt == 0 ? LogCur : LogPrev;
  if (!log.HasFrames()) {
    if (ReplayBuzzCooldown <= 0) {
      PlaySE(kSoundRefusal);
      ReplayBuzzCooldown = kBuzzFrames;
    }
    return 0;
  }
  PlaySE(kSoundConfirm);
  SendFileRequest(WM_SAVE_REPLAY, static_cast<plat::WPARAM>(attempt));
  return 1;
}

// The sound-effect and music steps of InitGame and UnInitGame.
#include <string>
#include <vector>

#include "app/base/report_log.h"
#include "app/main_window.h"
#include "app/sound/music_player.h"
#include "app/sound/sound_effects.h"
#include "app/sound/sound_requests.h"
#include "app/startup_steps.h"
#include "data/project_globals.h"
#include "platform/audio_output.h"
#include "platform/sjis.h"

bool StartMusicPlayer(cStartup&) {
  // A music player that cannot start leaves the game silent, not stopped.
  if (OptionData.bMusic) InitBgmPlayer();
  return true;
}

bool BuildSoundTable(cStartup&) {
  std::vector<std::string> system(SystemData.SystemSounds.begin(), SystemData.SystemSounds.end());
  std::vector<std::string> database;
  for (const cEdSound& sound : Database.SoundList) database.push_back(sound.strFile);
  SetUpSoundTable(system, database);
  return true;
}

bool StartSoundEffects(cStartup&) {
  if (!DS_Init(MainWindow.m_hWnd, 22050, 8, 1)) {
    ECLog(SJ("DS_Init失敗！"));
    return false;
  }
  // PlaySE from any thread: a blocking send to the game window, which plays it.
  SetSoundRequestSender(&plat::SendMessage);
  return true;
}

bool LoadSoundEffects(cStartup&) {
  DS_LoadAll(SoundTable, SoundInfoTable, SoundVolumeFromLevel(OptionData.nVolume));
  return true;
}

bool ReleaseSoundEffects(cStartup&) {
  SetSoundRequestSender(nullptr);
  DS_Release();
  return true;
}

bool ReleaseMusicPlayer(cStartup&) {
  BgmPlayer.Release();
  return true;
}

bool CloseAudio(cStartup&) {
  plat::CloseAudioOutput();
  return true;
}

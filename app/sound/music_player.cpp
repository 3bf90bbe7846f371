#include "app/sound/music_player.h"

#include <cstdio>
#include <string>

#include "app/base/message_box.h"
#include "app/base/path_util.h"
#include "app/base/report_log.h"
#include "platform/sjis.h"

cBgmPlayer BgmPlayer;
char BgmOggNames[kBgmTrackCount][kBgmOggRow];
char BgmMidiNames[kBgmTrackCount][kBgmMidiRow];

int InitBgmPlayer() {
  static const char* const kNames[kBgmTrackCount] = {"Title", "WorldMap", "Challenge", "Option", "Stage"};
  for (int i = 0; i < kBgmTrackCount; ++i) {
    std::snprintf(BgmOggNames[i], kBgmOggRow, "bgm\\%s.ogg", kNames[i]);
    std::snprintf(BgmMidiNames[i], kBgmMidiRow, "bgm\\%s.mid", kNames[i]);
  }
  return BgmPlayer.Init(1, BgmOggNames, BgmMidiNames, kBgmTrackCount);
}

// ---- cVox

cVox::~cVox() { Release(); }

bool cVox::Init() {
  m_pCreateVox = plat::LoadVoxComponent();
  m_bModule = m_pCreateVox != nullptr;
  if (!m_pCreateVox) {
    ErrorBox(SJ("oggの初期化に失敗！"));
    return false;
  }
  return true;
}

bool cVox::CreatePlayers(int n) {
  for (plat::VoxPlayer* p : m_Players) {
    if (p) p->Delete();
  }
  m_Players.clear();
  m_nPlaying = -1;
  m_nPlayerCount = n > 0 ? n : 0;
  if (!m_pCreateVox) return false;
  m_Players.assign(static_cast<size_t>(m_nPlayerCount), nullptr);
  for (plat::VoxPlayer*& p : m_Players) {
    p = m_pCreateVox();
    if (!p) {
      OutOfMemory();
      return false;
    }
  }
  return true;
}

plat::VoxPlayer* cVox::Player(int n) const {
  if (n < 0 || n >= static_cast<int>(m_Players.size())) return nullptr;
  return m_Players[static_cast<size_t>(n)];
}

bool cVox::Play(int player, const char* path, int loop) {
  if (!path || !*path) return false;
  plat::VoxPlayer* p = Player(player);
  if (!p) return false;
  Stop();
  p->Close();
  if (!p->Open(path)) {
    m_nPlaying = -1;
    return false;
  }
  p->SetLoop(loop ? plat::kVoxLoopForever : 0);
  p->Play();
  m_nPlaying = player;
  return true;
}

void cVox::Stop() {
  if (plat::VoxPlayer* p = Player(m_nPlaying)) p->Stop();
  m_nPlaying = -1;
}

int cVox::Release() {
  for (plat::VoxPlayer* p : m_Players) {
    if (p) p->Delete();
  }
  m_Players.clear();
  m_nPlayerCount = 0;
  m_nPlaying = -1;
  bool wasLoaded = m_bModule;
  m_bModule = false;
  m_pCreateVox = nullptr;
  return wasLoaded ? 1 : 0;
}

// ---- cBgmPlayer

cBgmPlayer::~cBgmPlayer() { Release(); }

int cBgmPlayer::Init(int players, char (*oggNames)[kBgmOggRow], char (*midiNames)[kBgmMidiRow], int tracks) {
  m_bInit = 1;
  m_Midi.Release();
  m_pOggName = nullptr;
  m_pMidiName = nullptr;
  m_TrackKind.clear();
  if (!m_Vox.Init()) {
    ECLog(SJ("m_Vox.Init失敗！"));
    return 0;
  }
  SetPlayerCount(players);
  m_pOggName = oggNames;
  m_pMidiName = midiNames;
  m_TrackKind.assign(static_cast<size_t>(tracks > 0 ? tracks : 0), kAny);
  return 1;
}

int cBgmPlayer::SetPlayerCount(int n) {
  m_Midi.SetSlotCount(n);
  m_Vox.CreatePlayers(n);
  return 1;
}

int cBgmPlayer::TrackKind(int track) const { return ValidTrack(track) ? m_TrackKind[static_cast<size_t>(track)] : -1; }

int cBgmPlayer::SetTrack(int track, const char* path) {
  if (!m_bInit) return 1;
  if (!Ready() || !path) return 0;
  if (!ValidTrack(track)) {
    m_TrackKind.At(track);  // the checked table's report; no row outside the tables is written
    return 0;
  }
  char* ogg = m_pOggName[track];
  char* midi = m_pMidiName[track];
  int& kind = m_TrackKind[static_cast<size_t>(track)];
  std::string ext;
  if (!GetExt(ext, path)) {
    ogg[0] = '\0';
    midi[0] = '\0';
    kind = kAny;
    return 0;
  }
  if (ext == "mid" || ext == "MID") {
    std::string name;
    ChangeExt(name, path, "mid");
    std::snprintf(midi, kBgmMidiRow, "%s", name.c_str());
    kind = kMidiOnly;
    return 1;
  }
  if (ext == "ogg" || ext == "OGG") {
    std::snprintf(ogg, kBgmOggRow, "%s", path);
    kind = kOggOnly;
    return 1;
  }
  std::snprintf(ogg, kBgmOggRow, "%s", path);
  std::snprintf(midi, kBgmMidiRow, "%s", path);
  kind = kAny;
  return 0;
}

int cBgmPlayer::Play(int player, int track, int loop, int force) {
  if (!m_bInit) return 1;
  if (!Ready()) return 0;
  if (track == m_nCurrentTrack && !force) return 1;
  m_nCurrentTrack = track;
  int kind = -1;
  if (ValidTrack(track)) {
    kind = m_TrackKind[static_cast<size_t>(track)];
  } else {
    m_TrackKind.At(track);  // reported; nothing outside the tables is played
  }
  if (kind == kAny || kind == kOggOnly) {
    if (m_Vox.Play(player, m_pOggName[track], loop)) {
      m_Midi.Stop(0);
      return 1;
    }
  }
  if (kind == kAny || kind == kMidiOnly) {
    if (m_Midi.Play(player, m_pMidiName[track], loop)) {
      m_Vox.Stop();
      return 1;
    }
  }
  m_nCurrentTrack = -1;
  m_Vox.Stop();
  m_Midi.Stop(0);
  return 0;
}

void cBgmPlayer::Stop() {
  if (!m_bInit) return;
  m_Midi.Stop(0);
  m_Vox.Stop();
}

void cBgmPlayer::Release() {
  m_Vox.Release();
  m_Midi.Release();
  m_TrackKind.clear();
  m_pOggName = nullptr;
  m_pMidiName = nullptr;
  m_bInit = 0;
}

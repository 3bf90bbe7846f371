#pragma once
#include <vector>

#include "app/base/vector.h"
#include "app/sound/midi_player.h"
#include "platform/vox_player.h"

// The OGG part of the music player: the component's player objects.
class cVox {
 public:
  ~cVox();
  bool Init();                 // loads the component; false (with the error box) when missing
  bool CreatePlayers(int n);
  // Plays path on player `player`: endlessly when loop is set, else once.
  bool Play(int player, const char* path, int loop);
  void Stop();
  int Release();               // deletes the players and unloads the component
  int PlayingPlayer() const { return m_nPlaying; }
  plat::VoxPlayer* Player(int n) const;

 private:
  std::vector<plat::VoxPlayer*> m_Players;
  int m_nPlayerCount = 0;
  int m_nPlaying = -1;
  bool m_bModule = false;
  plat::CreateVoxFunction m_pCreateVox = nullptr;
};

constexpr int kBgmTrackCount = 5;
constexpr int kBgmOggRow = 260;
constexpr int kBgmMidiRow = 264;

// Background music: one track at a time, from an OGG file or a MIDI file.
class cBgmPlayer {
 public:
  enum { kAny = 0, kOggOnly = 1, kMidiOnly = 2 };

  ~cBgmPlayer();
  // 1 on success, 0 when the OGG component cannot be loaded (then later requests
  // are ignored until the next Init).
  int Init(int players, char (*oggNames)[kBgmOggRow], char (*midiNames)[kBgmMidiRow], int tracks);
  int SetPlayerCount(int n);
  // Names track n's file: "mid"/"MID" the MIDI row (extension "mid"), "ogg"/"OGG"
  // the OGG row, anything else both rows. 1 when the extension chose a kind.
  int SetTrack(int track, const char* path);
  int Play(int player, int track, int loop, int force);
  void Stop();
  void Release();

  int IsInit() const { return m_bInit; }
  int CurrentTrack() const { return m_nCurrentTrack; }
  int TrackKind(int track) const;
  cVox& Vox() { return m_Vox; }
  cMidiSet& Midi() { return m_Midi; }

 private:
  bool Ready() const { return m_pOggName && m_pMidiName; }
  bool ValidTrack(int track) const { return track >= 0 && track < m_TrackKind.Count(); }

  int m_bInit = 0;
  cVox m_Vox;
  char (*m_pOggName)[kBgmOggRow] = nullptr;
  cMidiSet m_Midi;
  char (*m_pMidiName)[kBgmMidiRow] = nullptr;
  int m_nCurrentTrack = -1;
  cVector<int> m_TrackKind;
};

extern cBgmPlayer BgmPlayer;

// The track tables that start-up and the option scene pass to Init: track 0
// title, 1 world map, 2 challenge, 3 option, 4 stage ("bgm\Title.ogg" /
// "bgm\Title.mid" and so on until SetTrack overwrites a row).
extern char BgmOggNames[kBgmTrackCount][kBgmOggRow];
extern char BgmMidiNames[kBgmTrackCount][kBgmMidiRow];
// Puts the tables back to those names and runs BgmPlayer.Init(1, ..., 5).
int InitBgmPlayer();

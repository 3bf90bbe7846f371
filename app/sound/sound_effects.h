#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/base/vector.h"
#include "app/svc/window_requests.h"
#include "platform/messages.h"
#include "platform/sound_buffer.h"
#include "platform/wav_reader.h"

// Sound effects: short PCM WAV files loaded once into static sound buffers, each
// played by its index in SoundTable. Entries 0 to 16 are the system sounds;
// database sound n (n >= 1) is entry n + 16.

constexpr int kSystemSoundCount = 17;

// One loaded sound.
struct DSSOUNDDATA {
  char szFileName[260] = {};
  // Element 0 is made from the file, the others are duplicates sharing its sound.
  // Empty: not loaded.
  std::vector<std::shared_ptr<plat::SoundBuffer>> lpBuffers;
  int nBufferCount = 0;
  int nNextBuffer = 0;  // the buffer the next play uses
};

// One load descriptor.
struct DSSOUNDINFO {
  char szFileName[260] = {};
  int nBufferCount = 0;
  int nVolume = 0;  // hundredths of a decibel; 0 leaves the buffers at full volume
  int bFlag = 0;    // set by start-up, not read by loading
};

// A WAV file as read.
struct DSWAVEDATA {
  plat::WaveFormat wfx;
  std::vector<uint8_t> data;
};

extern cVector<DSSOUNDDATA> SoundTable;
extern cVector<DSSOUNDINFO> SoundInfoTable;

// Volume level 0..10 of the options to hundredths of a decibel (levels outside
// the scale are taken as its nearest end).
int SoundVolumeFromLevel(int level);

bool DS_Init(plat::HWND window, int samplesPerSec, int bitsPerSample, int channels);
void DS_Release();
int DS_LoadAll(cVector<DSSOUNDDATA>& table, cVector<DSSOUNDINFO>& infos, int volume);
bool DS_LoadEntry(DSSOUNDDATA& entry, const char* fileName, int bufferCount, int volume);
void DS_ReleaseEntry(DSSOUNDDATA& entry);
bool DS_CreateBufferFromWave(std::shared_ptr<plat::SoundBuffer>& slot, const char* fileName);
bool DS_DuplicateBuffer(std::shared_ptr<plat::SoundBuffer>& slot, const plat::SoundBuffer& source);
bool DS_ReadWave(const char* fileName, DSWAVEDATA& wave);
void DS_FreeWave(DSWAVEDATA& wave);
void DS_Play(DSSOUNDDATA& entry, uint32_t flags);
int DS_SetVolume(DSSOUNDDATA& entry, int index, int volume, int relative);
int DS_GetVolume(DSSOUNDDATA& entry, int index);
// Plays entry n of the loaded table once for a horizontal move (flags & 1 and a
// direction bit 1 or 2) and once more for a vertical one (flags & 2 and a bit 4 or 8).
void DS_PlayCursorSE(uint32_t directions, int flags, int n);

// True while a sound device object exists (DS_Init succeeded, DS_Release not yet).
bool DS_IsReady();

// Any thread: asks the game window to play entry n (WM_PLAY_SE).
plat::LRESULT PlaySE(int n);
// Database sound n (a signed 16-bit number); 0 plays nothing.
void PlayProjectSE(int16_t n);

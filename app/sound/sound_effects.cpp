#include "app/sound/sound_effects.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <mutex>

#include "app/base/report_log.h"
#include "platform/sjis.h"

cVector<DSSOUNDDATA> SoundTable;
cVector<DSSOUNDINFO> SoundInfoTable;

namespace {

// The device, the remembered tables and every entry's next-buffer index are used
// from the window thread (requests) and the game thread (cursor sound, volume).
std::recursive_mutex gDSMutex;
std::unique_ptr<plat::SoundDevice> gDevice;
plat::HWND gWindow = 0;
cVector<DSSOUNDDATA>* gTable = nullptr;
cVector<DSSOUNDINFO>* gInfos = nullptr;

// Buffer counts beyond this are taken as damage, not as a wish for that many copies.
constexpr int kMaxBuffers = 256;

const int kVolumeTable[11] = {-10000, -3000, -2000, -1300, -800, -500, -300, -150, -80, -30, 0};

plat::SoundBuffer* BufferAt(DSSOUNDDATA& entry, int index) {
  if (index < 0 || index >= static_cast<int>(entry.lpBuffers.size())) return nullptr;
  return entry.lpBuffers[static_cast<size_t>(index)].get();
}

}  // namespace

int SoundVolumeFromLevel(int level) { return kVolumeTable[std::clamp(level, 0, 10)]; }

bool DS_IsReady() {
  std::lock_guard<std::recursive_mutex> lock(gDSMutex);
  return gDevice != nullptr;
}

bool DS_Init(plat::HWND window, int samplesPerSec, int bitsPerSample, int channels) {
  std::lock_guard<std::recursive_mutex> lock(gDSMutex);
  std::unique_ptr<plat::SoundDevice> device = plat::SoundDevice::Create();
  if (!device) {
    ECLog("DIRECTSOUNDCREATE_ERR!");
    return false;
  }
  if (device->Output() == plat::AudioOutput::kSilent) ReportLog("Sound : no audio device, sound is off");
  plat::WaveFormat primary;
  primary.wFormatTag = plat::WAVE_FORMAT_PCM;
  primary.nChannels = static_cast<uint16_t>(channels);
  primary.nSamplesPerSec = static_cast<uint32_t>(samplesPerSec);
  primary.wBitsPerSample = static_cast<uint16_t>(bitsPerSample);
  primary.nBlockAlign = static_cast<uint16_t>(channels * bitsPerSample / 8);
  primary.nAvgBytesPerSec = primary.nSamplesPerSec * primary.nBlockAlign;
  device->SetPrimaryFormat(primary);
  gDevice = std::move(device);
  gWindow = window;
  gTable = nullptr;
  gInfos = nullptr;
  return true;
}

void DS_Release() {
  std::lock_guard<std::recursive_mutex> lock(gDSMutex);
  if (!gDevice) return;
  if (gTable) {
    for (DSSOUNDDATA& entry : *gTable) DS_ReleaseEntry(entry);
  }
  gDevice.reset();
  gTable = nullptr;
  gInfos = nullptr;
}

int DS_LoadAll(cVector<DSSOUNDDATA>& table, cVector<DSSOUNDINFO>& infos, int volume) {
  std::lock_guard<std::recursive_mutex> lock(gDSMutex);
  gTable = &table;
  gInfos = &infos;
  for (int i = 0; i < table.Count(); ++i) {
    DSSOUNDDATA& entry = table[static_cast<size_t>(i)];
    if (!entry.lpBuffers.empty()) continue;
    const DSSOUNDINFO& info = infos.At(i);
    DS_LoadEntry(entry, info.szFileName, info.nBufferCount, volume != 0 ? volume : info.nVolume);
  }
  return 1;
}

bool DS_LoadEntry(DSSOUNDDATA& entry, const char* fileName, int bufferCount, int volume) {
  std::lock_guard<std::recursive_mutex> lock(gDSMutex);
  if (!gDevice) return true;
  if (!fileName) fileName = "";
  entry = DSSOUNDDATA();
  if (bufferCount < 1 || bufferCount > kMaxBuffers) {
    ECLogf(SJ("%sのメモリ確保失敗！"), fileName);
    return false;
  }
  std::vector<std::shared_ptr<plat::SoundBuffer>> buffers(static_cast<size_t>(bufferCount));
  if (!DS_CreateBufferFromWave(buffers[0], fileName)) return false;
  for (size_t i = 1; i < buffers.size(); ++i) {
    if (!DS_DuplicateBuffer(buffers[i], *buffers[0])) {
      // Nothing half-made stays behind: the entry is "not loaded" and tried again later.
      ECLogf(SJ("%sのメモリ共用バッファの生成失敗！"), fileName);
      return false;
    }
  }
  entry.lpBuffers = std::move(buffers);
  entry.nBufferCount = bufferCount;
  entry.nNextBuffer = 0;
  std::snprintf(entry.szFileName, sizeof entry.szFileName, "%s", fileName);
  if (volume != 0) {
    for (int i = 0; i < bufferCount; ++i) DS_SetVolume(entry, i, volume, 0);
  }
  return true;
}

void DS_ReleaseEntry(DSSOUNDDATA& entry) {
  std::lock_guard<std::recursive_mutex> lock(gDSMutex);
  if (entry.lpBuffers.empty()) return;
  // Duplicates first, then the buffer they share their sound with.
  for (size_t i = entry.lpBuffers.size(); i-- > 0;) entry.lpBuffers[i].reset();
  entry.lpBuffers.clear();
  entry.nBufferCount = 0;
  entry.nNextBuffer = 0;
}

bool DS_CreateBufferFromWave(std::shared_ptr<plat::SoundBuffer>& slot, const char* fileName) {
  std::lock_guard<std::recursive_mutex> lock(gDSMutex);
  if (!gDevice) return true;
  DSWAVEDATA wave;
  if (!DS_ReadWave(fileName, wave)) {
    ECLogf(SJ("%s読み込み失敗！"), fileName);
    return false;
  }
  std::unique_ptr<plat::SoundBuffer> buffer =
      gDevice->CreateSoundBuffer(wave.wfx, static_cast<uint32_t>(wave.data.size()));
  if (!buffer) {
    ECLogf(SJ("%s生成失敗！"), fileName);
    return false;
  }
  void* bytes = nullptr;
  uint32_t size = 0;
  if (buffer->Lock(&bytes, &size)) {
    std::memcpy(bytes, wave.data.data(), std::min<size_t>(size, wave.data.size()));
    buffer->Unlock();
  }
  DS_FreeWave(wave);
  slot = std::move(buffer);
  return true;
}

bool DS_DuplicateBuffer(std::shared_ptr<plat::SoundBuffer>& slot, const plat::SoundBuffer& source) {
  std::lock_guard<std::recursive_mutex> lock(gDSMutex);
  if (!gDevice) return false;
  std::unique_ptr<plat::SoundBuffer> copy = gDevice->DuplicateSoundBuffer(source);
  if (!copy) return false;
  slot = std::move(copy);
  return true;
}

void DS_Play(DSSOUNDDATA& entry, uint32_t flags) {
  std::lock_guard<std::recursive_mutex> lock(gDSMutex);
  if (!gDevice || entry.lpBuffers.empty()) return;
  int count = static_cast<int>(entry.lpBuffers.size());
  if (entry.nNextBuffer < 0 || entry.nNextBuffer >= count) entry.nNextBuffer = 0;
  if (plat::SoundBuffer* b = BufferAt(entry, entry.nNextBuffer)) {
    b->Stop();
    b->SetCurrentPosition(0);
    b->Play(flags);
  }
  if (++entry.nNextBuffer >= count) entry.nNextBuffer = 0;
}

int DS_SetVolume(DSSOUNDDATA& entry, int index, int volume, int relative) {
  std::lock_guard<std::recursive_mutex> lock(gDSMutex);
  if (!gDevice) return 0;
  plat::SoundBuffer* b = BufferAt(entry, index);
  if (!b) return 0;
  if (relative == 1) volume += b->GetVolume();
  volume = std::clamp(volume, plat::DSBVOLUME_MIN, plat::DSBVOLUME_MAX);
  b->SetVolume(volume);
  return volume;
}

int DS_GetVolume(DSSOUNDDATA& entry, int index) {
  std::lock_guard<std::recursive_mutex> lock(gDSMutex);
  if (!gDevice) return 0;
  plat::SoundBuffer* b = BufferAt(entry, index);
  return b ? b->GetVolume() : 0;
}

void DS_PlayCursorSE(uint32_t directions, int flags, int n) {
  std::lock_guard<std::recursive_mutex> lock(gDSMutex);
  if (!gDevice || !gTable) return;
  if ((flags & 1) && (directions & 3)) DS_Play(gTable->At(n), 0);
  if ((flags & 2) && (directions & 12)) DS_Play(gTable->At(n), 0);
}

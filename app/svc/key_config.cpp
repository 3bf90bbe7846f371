#include "app/svc/key_config.h"

#include <cstdio>
#include <cstring>

#include "platform/files.h"

KEYCONFIGDATA KeyConfig;

namespace {

int32_t I32At(const uint8_t* p) {
  return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                              static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24);
}
uint16_t U16At(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

void PutI32(uint8_t* p, int32_t v) {
  uint32_t u = static_cast<uint32_t>(v);
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(u >> (8 * i));
}
void PutU16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}

}  // namespace

void KeyConfigFromBytes(const uint8_t* bytes, size_t size, KEYCONFIGDATA& rec) {
  uint8_t raw[kKeyConfigFileSize] = {};
  if (bytes && size) std::memcpy(raw, bytes, size < kKeyConfigFileSize ? size : kKeyConfigFileSize);
  for (int i = 0; i < kKeyConfigEntries; ++i) {
    const uint8_t* e = raw + 8 * i;
    rec.Entry[i].nDevice = I32At(e);
    rec.Entry[i].wCode = U16At(e + 4);
    rec.Entry[i].wUnused = U16At(e + 6);
  }
  rec.nCount = I32At(raw + 96);
  rec.nJoyCount = I32At(raw + 100);
  rec.bUse = I32At(raw + 104);
}

std::vector<uint8_t> KeyConfigToBytes(const KEYCONFIGDATA& rec) {
  std::vector<uint8_t> raw(kKeyConfigFileSize, 0);
  for (int i = 0; i < kKeyConfigEntries; ++i) {
    PutI32(&raw[8 * i], rec.Entry[i].nDevice);
    PutU16(&raw[8 * i + 4], rec.Entry[i].wCode);
    PutU16(&raw[8 * i + 6], rec.Entry[i].wUnused);
  }
  PutI32(&raw[96], rec.nCount);
  PutI32(&raw[100], rec.nJoyCount);
  PutI32(&raw[104], rec.bUse);
  return raw;
}

int ReadKeyConfig(const char* path, KEYCONFIGDATA& rec) {
  FILE* f = plat::OpenFile(path, "rb");
  if (!f) return 0;
  uint8_t raw[kKeyConfigFileSize];
  size_t got = std::fread(raw, 1, sizeof raw, f);
  // A short file reads as zeros past its end; a read that fails (a folder of that
  // name opens too) is no file at all.
  const bool failed = std::ferror(f) != 0;
  std::fclose(f);
  if (failed) return 0;
  KeyConfigFromBytes(raw, got, rec);
  return 1;
}

void SetDefaultKeyConfig(KEYCONFIGDATA& rec) {
  static const uint16_t kKeys[kKeyConfigEntries] = {37, 39, 38, 40, 90, 88, 67, 86, 65, 83, 68, 70};
  for (int i = 0; i < kKeyConfigEntries; ++i) rec.Entry[i] = KEYCONFIGENTRY{kKeyConfigKeyboard, kKeys[i], 0};
  rec.nCount = kKeyConfigEntries;
  rec.nJoyCount = 1;
  rec.bUse = 0;
}

void LoadKeyConfig() {
  if (!ReadKeyConfig(kKeyConfigPath, KeyConfig)) SetDefaultKeyConfig(KeyConfig);
}

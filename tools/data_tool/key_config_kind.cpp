#include "tools/data_tool/key_config_kind.h"

#include <cstdio>

#include "app/svc/key_config.h"
#include "platform/files.h"
#include "platform/key_state.h"
#include "platform/sjis.h"
#include "tools/data_tool/data_tool.h"

namespace {

const char* const kEntryNames[kKeyConfigEntries] = {"left",     "right",    "up",       "down",
                                                    "button 1", "button 2", "button 3", "button 4",
                                                    "button 5", "button 6", "button 7", "button 8"};

bool Read(const std::string& path, KEYCONFIGDATA& rec, int64_t& size, std::FILE* err) {
  size = plat::FileSize(path);
  if (!ReadKeyConfig(path.c_str(), rec)) {
    std::fprintf(err, "%s : cannot be opened\n", ShownName(path).c_str());
    return false;
  }
  return true;
}

int Dump(const std::string& path, std::FILE* out, std::FILE* err) {
  KEYCONFIGDATA rec;
  int64_t size = 0;
  if (!Read(path, rec, size, err)) return 1;
  std::fprintf(out, "file = \"%s\"\nkind = KeyConfig.dat\nsize = %lld%s\n", ShownName(path).c_str(),
               static_cast<long long>(size), size < 108 ? " (short: the rest reads as 0)" : "");
  for (int i = 0; i < kKeyConfigEntries; ++i) {
    const KEYCONFIGENTRY& e = rec.Entry[i];
    if (e.nDevice == kKeyConfigKeyboard) {
      const char* name = plat::VirtualKeyName(e.wCode);
      std::fprintf(out, "Entry[%d] %s = keyboard, key %u (%s)\n", i, kEntryNames[i], e.wCode, name ? name : "?");
    } else {
      std::fprintf(out, "Entry[%d] %s = joystick %d, code 0x%04X\n", i, kEntryNames[i], e.nDevice, e.wCode);
    }
  }
  std::fprintf(out, "nCount = %d\nnJoyCount = %d\nbUse = %d\n", rec.nCount, rec.nJoyCount, rec.bUse);
  return 0;
}

// The file has no versions: this writes the full 108 bytes of what was read.
int Upgrade(const std::string& in, const std::string& outPath, std::FILE* err) {
  KEYCONFIGDATA rec;
  int64_t size = 0;
  if (!Read(in, rec, size, err)) return 1;
  std::vector<uint8_t> bytes = KeyConfigToBytes(rec);
  if (!plat::WriteFileAtomic(outPath, bytes.data(), bytes.size())) {
    std::fprintf(err, "%s : cannot be written\n", ShownName(outPath).c_str());
    return 1;
  }
  return 0;
}

}  // namespace

void AddKeyConfigKind(std::vector<cDataKind>& kinds) {
  cDataKind k;
  k.name = "KeyConfig.dat";
  k.matches = NameIs("KeyConfig.dat");
  k.dump = Dump;
  k.upgrade = Upgrade;
  kinds.push_back(std::move(k));
}

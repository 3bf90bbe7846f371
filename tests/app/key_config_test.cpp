// "user_data\KeyConfig.dat": reading, the defaults, and files that hold nonsense.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "app/svc/input.h"
#include "app/svc/key_config.h"
#include "platform/files.h"
#include "tests/support/fake_input.h"
#include "tests/support/temp_dir.h"

namespace {

// A file written by hand from the layout: twelve entries {i32 device, u16 code,
// u16 unused}, then entry count, joystick count and use flag.
cBytes ConfigFile(int32_t count, int32_t joyCount, int32_t use) {
  cBytes b;
  const int32_t devices[12] = {8, 8, 0, 0, 8, 8, 1, 1, 8, 8, 8, 8};
  const uint16_t codes[12] = {0x25, 0x27, 1024, 2048, 'J', 'K', 1, 2, 'L', 'M', 'N', 'O'};
  for (int i = 0; i < 12; ++i) b.I32(devices[i]).U16(codes[i]).U16(0xEEEE);
  b.I32(count).I32(joyCount).I32(use);
  return b;
}

struct KeyConfigFile : ::testing::Test {
  cTempDir dir;
  void SetUp() override { KeyConfig = KEYCONFIGDATA{}; }
};

TEST_F(KeyConfigFile, ValidFileIsReadWholeAndDrivesTheConfiguredMapping) {
  cBytes file = ConfigFile(12, 2, 1);
  ASSERT_EQ(file.v.size(), 108u);
  dir.Write("user_data/KeyConfig.dat", file.v);
  LoadKeyConfig();
  EXPECT_EQ(KeyConfig.Entry[0].nDevice, 8);
  EXPECT_EQ(KeyConfig.Entry[0].wCode, 0x25);
  EXPECT_EQ(KeyConfig.Entry[2].nDevice, 0);
  EXPECT_EQ(KeyConfig.Entry[2].wCode, 1024);
  EXPECT_EQ(KeyConfig.Entry[11].wCode, 'O');
  EXPECT_EQ(KeyConfig.Entry[11].wUnused, 0xEEEE);
  EXPECT_EQ(KeyConfig.nCount, 12);
  EXPECT_EQ(KeyConfig.nJoyCount, 2);
  EXPECT_EQ(KeyConfig.bUse, 1);
  EXPECT_EQ(KeyConfigToBytes(KeyConfig), file.v);

  cInput in;
  cFakeInputDevices dev;
  dev.Hold({'J', 'O'});
  dev.Plug(0, 32767, 65535);  // down
  dev.Plug(1, 32767, 32767, 2);  // button 4 of the file (entry 7: joystick 1, bits 2)
  EXPECT_EQ(in.ReadDefault(0, 3, 60, dev), 0);
  EXPECT_EQ(in.ReadConfigured(1, 60, dev), 1);
  EXPECT_EQ(in.m_wDirection, 8);
  EXPECT_EQ(in.m_nPosition, 8);
  EXPECT_EQ(in.m_wButton, 1 | 8 | 128);
}

TEST_F(KeyConfigFile, MissingFileGivesTheDefaults) {
  KEYCONFIGDATA rec;
  rec.nCount = 77;
  EXPECT_EQ(ReadKeyConfig(kKeyConfigPath, rec), 0);
  EXPECT_EQ(rec.nCount, 77);  // untouched
  LoadKeyConfig();
  const uint16_t keys[12] = {37, 39, 38, 40, 90, 88, 67, 86, 65, 83, 68, 70};
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(KeyConfig.Entry[i].nDevice, 8);
    EXPECT_EQ(KeyConfig.Entry[i].wCode, keys[i]);
  }
  EXPECT_EQ(KeyConfig.nCount, 12);
  EXPECT_EQ(KeyConfig.nJoyCount, 1);
  EXPECT_EQ(KeyConfig.bUse, 0);
}

TEST_F(KeyConfigFile, AFileThatCannotBeReadGivesTheDefaults) {
  // A folder of that name opens but gives no bytes: not a file of zeros.
  ASSERT_TRUE(plat::MakeDirectory("user_data") && plat::MakeDirectory(kKeyConfigPath));
  KEYCONFIGDATA rec;
  rec.nCount = 77;
  EXPECT_EQ(ReadKeyConfig(kKeyConfigPath, rec), 0);
  EXPECT_EQ(rec.nCount, 77);
  LoadKeyConfig();
  EXPECT_EQ(KeyConfig.Entry[4].wCode, 'Z');
  EXPECT_EQ(KeyConfig.nJoyCount, 1);
}

TEST_F(KeyConfigFile, FileNameInAnyLetterCase) {
  dir.Write("User_Data/keyconfig.DAT", ConfigFile(12, 1, 1).v);
  LoadKeyConfig();
  EXPECT_EQ(KeyConfig.bUse, 1);
}

TEST_F(KeyConfigFile, ShortFileFillsAsFarAsItReachesAndTheBuiltInMappingRuns) {
  std::vector<unsigned char> bytes = ConfigFile(12, 1, 1).v;
  bytes.resize(50);  // six entries and the low half of the seventh's device
  dir.Write("user_data/KeyConfig.dat", bytes);
  for (int i = 0; i < 12; ++i) KeyConfig.Entry[i].wCode = 0x7777;
  LoadKeyConfig();
  EXPECT_EQ(KeyConfig.Entry[5].wCode, 'K');
  EXPECT_EQ(KeyConfig.Entry[6].nDevice, 1);
  EXPECT_EQ(KeyConfig.Entry[6].wCode, 0);
  EXPECT_EQ(KeyConfig.Entry[11].wCode, 0);
  EXPECT_EQ(KeyConfig.nCount, 0);
  EXPECT_EQ(KeyConfig.bUse, 0);
  cInput in;
  cFakeInputDevices dev;
  dev.Hold({0x25});
  EXPECT_EQ(in.ReadDefault(0, 3, 60, dev), 1);
  EXPECT_EQ(in.m_wDirection, 1);

  dir.Write("user_data/KeyConfig.dat", std::vector<unsigned char>{});
  EXPECT_EQ(ReadKeyConfig(kKeyConfigPath, KeyConfig), 1);
  EXPECT_EQ(KeyConfigToBytes(KeyConfig), std::vector<uint8_t>(108, 0));
}

TEST_F(KeyConfigFile, LongerFileGivesItsFirst108Bytes) {
  cBytes file = ConfigFile(12, 1, 1);
  file.I32(999).I32(999);
  dir.Write("user_data/KeyConfig.dat", file.v);
  LoadKeyConfig();
  EXPECT_EQ(KeyConfig.bUse, 1);
  EXPECT_EQ(KeyConfig.nJoyCount, 1);
}

struct AbsurdRow {
  const char* what;
  int32_t count, joyCount, device;
  uint16_t code;
  uint16_t button;   // button word with every key held and every joystick button down
  int maxPolled;     // joysticks polled: 0 .. maxPolled - 1
};

TEST_F(KeyConfigFile, AbsurdCountsAndDevicesGiveDefinedMappings) {
  // Every entry gets the row's device and code; every key is held and every
  // joystick is plugged in with all its buttons down.
  const AbsurdRow rows[] = {
      {"entry count far above 12", 1000000, 1, 8, 'Z', 0xFF, 1},
      {"entry count INT_MAX", INT_MAX, 1, 8, 'Z', 0xFF, 1},
      {"negative entry count", -5, 1, 8, 'Z', 0, 1},
      {"entry count INT_MIN", INT_MIN, 1, 8, 'Z', 0, 1},
      {"entry count below the four directions", 2, 1, 8, 'Z', 0, 1},
      {"joystick count far above what exists", 12, INT_MAX, 0, 1, 0xFF, 16},
      {"negative joystick count", 12, -1, 0, 1, 0, 0},
      {"device number beyond the joystick count", 12, 2, 5, 1, 0, 2},
      {"device number beyond every joystick", 12, 16, 99, 1, 0, 16},
      {"negative device number", 12, 1, -3, 1, 0, 1},
      {"device INT_MIN", 12, 1, INT_MIN, 0xFFFF, 0, 1},
      {"keyboard code beyond the key table", 12, 1, 8, 0xFFFF, 0, 1},
      {"keyboard code 256", 12, 1, 8, 256, 0, 1},
  };
  for (const AbsurdRow& r : rows) {
    KEYCONFIGDATA cfg;
    for (KEYCONFIGENTRY& e : cfg.Entry) e = KEYCONFIGENTRY{r.device, r.code, 0};
    cfg.nCount = r.count;
    cfg.nJoyCount = r.joyCount;
    cfg.bUse = 1;
    // Through the file, as the game gets it.
    std::vector<uint8_t> bytes = KeyConfigToBytes(cfg);
    dir.Write("user_data/KeyConfig.dat", std::vector<unsigned char>(bytes.begin(), bytes.end()));
    LoadKeyConfig();

    cInput in;
    cFakeInputDevices dev;
    for (int vk = 0; vk < 256; ++vk) dev.keys.insert(vk);
    for (int j = 0; j < plat::kMaxJoysticks; ++j) dev.Plug(j, 0, 0, 0xFFFFFFFF);
    ASSERT_EQ(in.ReadConfigured(1, 60, dev), 1) << r.what;
    EXPECT_EQ(in.m_wButton, r.button) << r.what;
    for (int j = 0; j < plat::kMaxJoysticks; ++j) EXPECT_EQ(dev.polls[j], j < r.maxPolled ? 1 : 0) << r.what << " " << j;
    // Left wins over right and up over down whenever anything is pressed.
    EXPECT_TRUE(in.m_wDirection == 0 || in.m_wDirection == 5) << r.what;
  }
}

}  // namespace

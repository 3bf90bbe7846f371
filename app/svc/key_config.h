#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// The key configuration "user_data\KeyConfig.dat": which key or joystick makes each
// of the twelve inputs. The game only reads it; another program writes it.

constexpr int kKeyConfigEntries = 12;     // left, right, up, down, buttons 1 to 8
constexpr int kKeyConfigKeyboard = 8;     // the device number of the keyboard
constexpr size_t kKeyConfigFileSize = 108;
constexpr const char* kKeyConfigPath = "user_data\\KeyConfig.dat";

// Joystick codes of the four direction entries.
constexpr uint16_t kJoyAxisXMin = 256;
constexpr uint16_t kJoyAxisXMax = 512;
constexpr uint16_t kJoyAxisYMin = 1024;
constexpr uint16_t kJoyAxisYMax = 2048;

struct KEYCONFIGENTRY {
  int32_t nDevice = 0;    // 8 the keyboard, otherwise a joystick number (0 the first)
  uint16_t wCode = 0;     // a virtual key, a joystick axis code or joystick button bits
  uint16_t wUnused = 0;
};

struct KEYCONFIGDATA {
  KEYCONFIGENTRY Entry[kKeyConfigEntries];
  int32_t nCount = 0;     // entries in use: 4 directions plus the buttons
  int32_t nJoyCount = 0;  // joysticks 0 to nJoyCount - 1 are polled
  int32_t bUse = 0;       // nonzero: the configured mapping replaces the built-in one
};

// The program-wide key configuration, read once at start-up.
extern KEYCONFIGDATA KeyConfig;

// Reads the file's first 108 bytes into rec (a shorter file leaves the rest 0);
// 1 when the file was read, 0 when it could not be opened or read (rec is then
// unchanged).
int ReadKeyConfig(const char* path, KEYCONFIGDATA& rec);

// The built-in keys: arrows and Z X C V A S D F, joystick count 1, not in use.
void SetDefaultKeyConfig(KEYCONFIGDATA& rec);

// The record from the file's bytes (the first 108; missing bytes are 0), and back.
void KeyConfigFromBytes(const uint8_t* bytes, size_t size, KEYCONFIGDATA& rec);
std::vector<uint8_t> KeyConfigToBytes(const KEYCONFIGDATA& rec);

// Start-up: ReadKeyConfig on "user_data\KeyConfig.dat" into KeyConfig, and the
// defaults when it cannot be opened.
void LoadKeyConfig();

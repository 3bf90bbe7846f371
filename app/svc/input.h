#pragma once
#include <array>
#include <cstdint>

#include "app/base/vector.h"
#include "platform/joystick.h"

// Direction bits.
constexpr uint16_t kDirLeft = 1;
constexpr uint16_t kDirRight = 2;
constexpr uint16_t kDirUp = 4;
constexpr uint16_t kDirDown = 8;

// The axis thresholds of every joystick test: towards the minimum at 10000 or
// below, towards the maximum at 55535 or above.
constexpr uint32_t kJoyAxisLow = 10000;
constexpr uint32_t kJoyAxisHigh = 55535;

constexpr int kHoldRingLength = 32;
constexpr int kRunHistoryLength = 32;
constexpr int kDirHistoryCount = 10;
constexpr int kButtonHistoryCount = 9;
// The 19 run histories as the key conditions number them: 0-9 the direction
// histories, 10-18 the button histories.
constexpr int kKeyHistoryCount = kDirHistoryCount + kButtonHistoryCount;

// One entry of a hold-time ring: a word and the frames it has lasted.
struct INPUTHOLD {
  uint16_t wValue = 0;
  int32_t nFrames = 0;
};

// One run of a run history: whether the history's test held during it, and how
// many frames it has lasted.
struct INPUTRUN {
  int32_t nState = 0;
  int32_t nFrames = 0;
};

// Exactly 32 runs, the newest first.
using cRunHistory = std::array<INPUTRUN, kRunHistoryLength>;

// Where sampling reads the keys and joysticks: the real devices, or a test's.
class cInputDevices {
 public:
  virtual ~cInputDevices() = default;
  virtual bool IsKeyDown(int vk) const = 0;
  virtual bool JoyGetPos(int joystick, plat::JoyInfo& out) const = 0;
};
const cInputDevices& SystemInputDevices();

// One player's input: the sampled words of the current frame, the hold-time rings
// and run histories that the flows' key conditions read, menu key repeat and the
// button latch, and the joystick's poll state.
class cInput {
 public:
  cInput() { Init(); }

  // The state of a fresh entry: rings, histories, counters and flags cleared,
  // position 5.
  void Init();

  // Sampling, once per frame. ReadDefault: the built-in mapping (joystick number,
  // flags bit 1 joystick and bit 2 keyboard, retry frames); 0 without touching
  // anything when the key configuration is in use. ReadConfigured: the mapping of
  // the key configuration; 0 without touching anything when it is not in use.
  int ReadDefault(int joystick, int flags, int retry, const cInputDevices& devices = SystemInputDevices());
  int ReadConfigured(int players, int retry, const cInputDevices& devices = SystemInputDevices());

  // Whether a joystick state pushes its stick the way an axis code names.
  static int JoyAxisPressed(const plat::JoyInfo& state, uint16_t code);

  // Hold-time rings (ring 0 the direction word, ring 1 the button word), recorded
  // once per play step. GetHistory gives the word that was current framesAgo
  // frames before the present one (0: the current word).
  void RecordHistory();
  uint16_t GetHistory(int ring, int framesAgo) const;
  void ClearHistory();

  // Run histories, updated once per play step.
  void UpdateSequences();
  static void UpdateSequence(cRunHistory& history, uint16_t word, uint16_t test, int mode);
  void ClearSequences();
  // A run history by the key conditions' numbering (0-9 directions: none, left,
  // right, up, down, up-left, down-left, up-right, down-right, any; 10-18 buttons:
  // none, then buttons 1 to 8).
  const cRunHistory& GetSequence(int key) const;

  void ClearDirection();
  void ClearButtons();

  // Menus: key repeat on the direction word, and the one-press latch of buttons.
  void SetRepeat(uint32_t delay, uint32_t interval);
  void ApplyRepeat();
  void LatchButtons(uint16_t mask);

  // Joystick button i+1 is made by the joystick buttons of mask i: 1 << i.
  void InitJoyButtons();

  uint16_t m_wDirection = 0;  // 1 left, 2 right, 4 up, 8 down
  uint16_t m_wButton = 0;     // buttons 1 to 8 as bits 0 to 7
  uint16_t m_wRepeat = 0;     // unmasked direction bits of the last four frames, newest low
  INPUTHOLD m_Hold[2][kHoldRingLength];
  int32_t m_nHoldHead[2] = {0, 0};
  std::array<cRunHistory, kDirHistoryCount> m_DirHistory;
  std::array<cRunHistory, kButtonHistoryCount> m_ButtonHistory;
  int32_t m_nPosition = 5;    // the direction as a 3x3 cell: 1 up-left ... 5 neutral ... 9 down-right
  uint32_t m_nHoldH = 0;      // frames the horizontal bits stayed unchanged
  uint32_t m_nHoldV = 0;
  uint32_t m_nRepeatDelay = 0;
  uint32_t m_nRepeatInterval = 0;
  int32_t m_bLatch = 0;
  uint16_t m_wJoyMask[8] = {};
  // Poll state per joystick number: present after a good poll, and the frames still
  // to wait before polling again after a failed one.
  int32_t m_bJoyPresent[plat::kMaxJoysticks] = {};
  int32_t m_nJoyRetry[plat::kMaxJoysticks] = {};

 private:
  bool PollJoystick(int joystick, int retry, plat::JoyInfo& out, const cInputDevices& devices);
};

// The position number of a direction word.
int DirToNumber(uint16_t bits);

// The players' input; entry 0 is player 1 and the only one.
extern cVector<cInput> Input;

#include "app/svc/input.h"

#include <algorithm>
#include <climits>

#include "app/svc/key_config.h"
#include "platform/key_state.h"

cVector<cInput> Input(1);

namespace {

class cSystemInputDevices : public cInputDevices {
 public:
  bool IsKeyDown(int vk) const override { return plat::IsKeyDown(vk); }
  bool JoyGetPos(int joystick, plat::JoyInfo& out) const override { return plat::JoyGetPos(joystick, out); }
};

// The keys of the built-in mapping: buttons 1 to 8.
constexpr int kButtonKeys[8] = {'Z', 'X', 'C', 'V', 'A', 'S', 'D', 'F'};

// The tests of the run histories: direction histories 0-8 compare the word, 9 takes
// any direction; button history 0 compares, 1-8 test one bit each.
constexpr uint16_t kDirTests[kDirHistoryCount] = {0, 1, 2, 4, 8, 5, 9, 6, 10, 15};
constexpr uint16_t kButtonTests[kButtonHistoryCount] = {0, 1, 2, 4, 8, 16, 32, 64, 128};

void Grow(int32_t& frames) {
  if (frames != INT_MAX) ++frames;
}

}  // namespace

const cInputDevices& SystemInputDevices() {
  static const cSystemInputDevices devices;
  return devices;
}

void cInput::Init() {
  m_wDirection = m_wButton = m_wRepeat = 0;
  ClearHistory();
  ClearSequences();
  m_nPosition = 5;
  m_nHoldH = m_nHoldV = 0;
  m_nRepeatDelay = m_nRepeatInterval = 0;
  m_bLatch = 0;
  std::fill(std::begin(m_wJoyMask), std::end(m_wJoyMask), 0);
  std::fill(std::begin(m_bJoyPresent), std::end(m_bJoyPresent), 0);
  std::fill(std::begin(m_nJoyRetry), std::end(m_nJoyRetry), 0);
}

bool cInput::PollJoystick(int joystick, int retry, plat::JoyInfo& out, const cInputDevices& devices) {
  if (joystick < 0 || joystick >= plat::kMaxJoysticks) return false;
  int32_t& present = m_bJoyPresent[joystick];
  int32_t& countdown = m_nJoyRetry[joystick];
  if (!present && countdown > 0) {
    --countdown;
    return false;
  }
  if (!devices.JoyGetPos(joystick, out)) {
    present = 0;
    countdown = 2 * std::clamp(retry, 0, INT_MAX / 2);
    return false;
  }
  present = 1;
  return true;
}

int cInput::ReadDefault(int joystick, int flags, int retry, const cInputDevices& devices) {
  if (KeyConfig.bUse) return 0;
  plat::JoyInfo joy;
  bool polled = PollJoystick(joystick, retry, joy, devices);
  bool joyDirection = false, joyButtons = false;
  if (polled && (flags & 1)) {
    m_nPosition = 5;
    m_wDirection = 0;
    if (joy.dwXpos <= kJoyAxisLow) {
      m_wDirection = kDirLeft;
      m_nPosition = 4;
    } else if (joy.dwXpos >= kJoyAxisHigh) {
      m_wDirection = kDirRight;
      m_nPosition = 6;
    }
    if (joy.dwYpos <= kJoyAxisLow) {
      m_wDirection |= kDirUp;
      m_nPosition -= 3;
    } else if (joy.dwYpos >= kJoyAxisHigh) {
      m_wDirection |= kDirDown;
      m_nPosition += 3;
    }
    joyDirection = m_nPosition != 5;
    m_wButton = 0;
    for (int i = 0; i < 8; ++i)
      if (m_wJoyMask[i] & joy.dwButtons) m_wButton |= static_cast<uint16_t>(1 << i);
    joyButtons = m_wButton != 0;
  }
  if (!(flags & 2)) return 1;
  // The keyboard fills in what the joystick did not give; each arrow counts on its
  // own, so left and right together are direction 3 at position 5.
  if (!joyDirection) {
    m_nPosition = 5;
    m_wDirection = 0;
    if (devices.IsKeyDown(plat::VK_LEFT)) m_wDirection |= kDirLeft, m_nPosition -= 1;
    if (devices.IsKeyDown(plat::VK_RIGHT)) m_wDirection |= kDirRight, m_nPosition += 1;
    if (devices.IsKeyDown(plat::VK_UP)) m_wDirection |= kDirUp, m_nPosition -= 3;
    if (devices.IsKeyDown(plat::VK_DOWN)) m_wDirection |= kDirDown, m_nPosition += 3;
  }
  if (!joyButtons) {
    m_wButton = 0;
    for (int i = 0; i < 8; ++i)
      if (devices.IsKeyDown(kButtonKeys[i])) m_wButton |= static_cast<uint16_t>(1 << i);
  }
  return 1;
}

int cInput::ReadConfigured(int /*players: the file holds player 1 only*/, int retry, const cInputDevices& devices) {
  const KEYCONFIGDATA& cfg = KeyConfig;
  if (!cfg.bUse) return 0;
  // The file is not checked when it is read: counts and device numbers outside what
  // the record and the joystick interface can hold are clipped here.
  const int joyCount = std::clamp(cfg.nJoyCount, 0, plat::kMaxJoysticks);
  plat::JoyInfo joy[plat::kMaxJoysticks];
  bool gave[plat::kMaxJoysticks] = {};
  for (int j = 0; j < joyCount; ++j) gave[j] = PollJoystick(j, retry, joy[j], devices);

  auto pressed = [&](int entry, bool direction) {
    const KEYCONFIGENTRY& e = cfg.Entry[entry];
    if (e.nDevice == kKeyConfigKeyboard) return devices.IsKeyDown(e.wCode);
    if (e.nDevice < 0 || e.nDevice >= joyCount || !gave[e.nDevice]) return false;
    const plat::JoyInfo& s = joy[e.nDevice];
    return (direction && JoyAxisPressed(s, e.wCode)) || (e.wCode & s.dwButtons) != 0;
  };

  m_wDirection = 0;
  m_wButton = 0;
  m_nPosition = 5;
  if (pressed(0, true)) {
    m_wDirection |= kDirLeft;
    m_nPosition -= 1;
  } else if (pressed(1, true)) {
    m_wDirection |= kDirRight;
    m_nPosition += 1;
  }
  if (pressed(2, true)) {
    m_wDirection |= kDirUp;
    m_nPosition -= 3;
  } else if (pressed(3, true)) {
    m_wDirection |= kDirDown;
    m_nPosition += 3;
  }
  const int buttons = std::clamp(cfg.nCount, 4, kKeyConfigEntries) - 4;
  for (int j = 0; j < buttons; ++j)
    if (pressed(4 + j, false)) m_wButton |= static_cast<uint16_t>(1 << j);
  return 1;
}

int cInput::JoyAxisPressed(const plat::JoyInfo& state, uint16_t code) {
  switch (code) {
    case kJoyAxisXMin: return state.dwXpos <= kJoyAxisLow;
    case kJoyAxisXMax: return state.dwXpos >= kJoyAxisHigh;
    case kJoyAxisYMin: return state.dwYpos <= kJoyAxisLow;
    case kJoyAxisYMax: return state.dwYpos >= kJoyAxisHigh;
    default: return 0;
  }
}

int DirToNumber(uint16_t bits) {
  int n = 5;
  if (bits & kDirLeft)
    n = 4;
  else if (bits & kDirRight)
    n = 6;
  if (bits & kDirUp)
    n -= 3;
  else if (bits & kDirDown)
    n += 3;
  return n;
}

// ---- hold-time rings

void cInput::RecordHistory() {
  const uint16_t words[2] = {m_wDirection, m_wButton};
  for (int r = 0; r < 2; ++r) {
    INPUTHOLD& head = m_Hold[r][m_nHoldHead[r]];
    if (head.wValue == words[r]) {
      Grow(head.nFrames);
    } else {
      m_nHoldHead[r] = (m_nHoldHead[r] + 1) % kHoldRingLength;
      m_Hold[r][m_nHoldHead[r]] = INPUTHOLD{words[r], 1};
    }
  }
}

uint16_t cInput::GetHistory(int ring, int framesAgo) const {
  if (ring < 0 || ring > 1) {
    ReportBadIndex('V', ring, 2, static_cast<int>(sizeof m_Hold[0]));
    ring = 0;
  }
  int i = m_nHoldHead[ring];
  int64_t a = static_cast<int64_t>(framesAgo) + 1;
  // At most once round the ring: a time beyond what it holds ends at the head again.
  for (int step = 0; step < kHoldRingLength; ++step) {
    if (a <= m_Hold[ring][i].nFrames) break;
    a -= m_Hold[ring][i].nFrames;
    i = (i + kHoldRingLength - 1) % kHoldRingLength;
  }
  return m_Hold[ring][i].wValue;
}

void cInput::ClearHistory() {
  for (auto& ring : m_Hold)
    for (INPUTHOLD& e : ring) e = INPUTHOLD{};
  m_nHoldHead[0] = m_nHoldHead[1] = 0;
}

// ---- run histories

void cInput::UpdateSequence(cRunHistory& history, uint16_t word, uint16_t test, int mode) {
  bool holds = mode == 0 ? word == test : (word & test) != 0;
  INPUTRUN& newest = history[0];
  if ((newest.nState == 0 && holds) || (newest.nState == 1 && !holds)) {
    // A new run at the front; the oldest drops out, so the history stays 32 long.
    std::move_backward(history.begin(), history.end() - 1, history.end());
    history[0] = INPUTRUN{holds ? 1 : 0, 1};
  } else {
    Grow(newest.nFrames);
  }
}

void cInput::UpdateSequences() {
  for (int i = 0; i < kDirHistoryCount; ++i)
    UpdateSequence(m_DirHistory[i], m_wDirection, kDirTests[i], i == kDirHistoryCount - 1 ? 1 : 0);
  for (int i = 0; i < kButtonHistoryCount; ++i)
    UpdateSequence(m_ButtonHistory[i], m_wButton, kButtonTests[i], i == 0 ? 0 : 1);
}

void cInput::ClearSequences() {
  for (cRunHistory& h : m_DirHistory) h.fill(INPUTRUN{});
  for (cRunHistory& h : m_ButtonHistory) h.fill(INPUTRUN{});
}

const cRunHistory& cInput::GetSequence(int key) const {
  if (key >= 0 && key < kDirHistoryCount) return m_DirHistory[key];
  if (key >= kDirHistoryCount && key < kKeyHistoryCount) return m_ButtonHistory[key - kDirHistoryCount];
  ReportBadIndex('V', key, kKeyHistoryCount, static_cast<int>(sizeof(cRunHistory)));
  return m_DirHistory[0];
}

// ---- words, repeat and latch

void cInput::ClearDirection() {
  m_wDirection = 0;
  m_nPosition = 5;
}

void cInput::ClearButtons() { m_wButton = 0; }

void cInput::SetRepeat(uint32_t delay, uint32_t interval) {
  m_nRepeatDelay = delay;
  m_nRepeatInterval = interval;
}

void cInput::ApplyRepeat() {
  m_wRepeat = static_cast<uint16_t>(m_wRepeat << 4 | m_wDirection);
  // An interval of 0 repeats on every frame once the delay is reached.
  auto reported = [this](uint32_t count) {
    return count >= m_nRepeatDelay && (m_nRepeatInterval == 0 || count % m_nRepeatInterval == 0);
  };
  struct Axis {
    uint16_t mask;
    uint32_t& count;
  };
  for (Axis axis : {Axis{kDirLeft | kDirRight, m_nHoldH}, Axis{kDirUp | kDirDown, m_nHoldV}}) {
    if ((m_wRepeat & axis.mask) != ((m_wRepeat >> 4) & axis.mask)) {
      axis.count = 0;
    } else {
      ++axis.count;
      if (!reported(axis.count)) m_wDirection &= static_cast<uint16_t>(~axis.mask);
    }
  }
}

void cInput::LatchButtons(uint16_t mask) {
  if (mask == 0) mask = 0xFF;
  const uint16_t onEntry = m_wButton;
  // One latch serves every button of the mask: the first press is reported, and
  // nothing of the mask again until a frame with none of them held.
  for (uint16_t bit = 1; bit <= 0x80; bit = static_cast<uint16_t>(bit << 1)) {
    if (!(mask & bit)) continue;
    if (m_bLatch == 1 && (m_wButton & bit)) m_wButton &= static_cast<uint16_t>(~bit);
    if ((m_wButton & bit) && m_bLatch == 0) {
      m_bLatch = 1;
      return;
    }
  }
  if (!(onEntry & mask))
    m_bLatch = 0;
  else
    m_wButton &= static_cast<uint16_t>(~mask);
}

void cInput::InitJoyButtons() {
  for (int i = 0; i < 8; ++i) m_wJoyMask[i] = static_cast<uint16_t>(1 << i);
}

// Feeds arbitrary bytes to the key configuration reader and samples input with the
// result: whatever counts, device numbers and codes the file holds, sampling may
// not index outside the record, the key table or the joystick states.
#include <cstddef>
#include <cstdint>

#include "app/svc/input.h"
#include "app/svc/key_config.h"

namespace {

// Every key held; every joystick plugged in, its state taken from the input bytes.
class cEverything : public cInputDevices {
 public:
  cEverything(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
  bool IsKeyDown(int vk) const override { return vk >= 0 && vk < 256; }
  bool JoyGetPos(int n, plat::JoyInfo& out) const override {
    if (n < 0 || n >= plat::kMaxJoysticks) __builtin_trap();
    uint32_t v = m_size ? m_data[static_cast<size_t>(n) % m_size] : 0;
    out.dwXpos = v * 257;
    out.dwYpos = 65535 - v * 257;
    out.dwButtons = v * 0x01010101u;
    return (v & 1) == 0;
  }

 private:
  const uint8_t* m_data;
  size_t m_size;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  KeyConfigFromBytes(data, size, KeyConfig);
  cEverything devices(data, size);
  cInput in;
  in.SetRepeat(18, 6);
  in.InitJoyButtons();
  for (int frame = 0; frame < 3; ++frame) {
    in.ReadConfigured(1, 60, devices);
    in.ReadDefault(0, 3, 60, devices);
    in.RecordHistory();
    in.UpdateSequences();
    in.ApplyRepeat();
    in.LatchButtons(0);
  }
  return 0;
}

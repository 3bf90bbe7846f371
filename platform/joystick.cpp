#include "platform/joystick.h"

#include <SDL.h>

#include <algorithm>
#include <map>
#include <mutex>

namespace plat {
namespace {

constexpr int kVirtualAxes = 2;
constexpr int kVirtualButtons = 32;

struct Slot {
  SDL_Joystick* joystick = nullptr;
  SDL_JoystickID id = -1;
};

std::mutex g_mutex;
bool g_started = false;
bool g_virtualOnly = false;
Slot g_slots[kMaxJoysticks];
// The virtual joysticks plugged in through this layer, by instance id (the handle),
// each held open so that its state can be set.
std::map<int, SDL_Joystick*> g_virtual;

void CloseSlot(Slot& s) {
  if (s.joystick) SDL_JoystickClose(s.joystick);
  s = Slot{};
}

// The device index of joystick number n in the current device list; -1 when none.
int DeviceIndexOf(int n) {
  int count = SDL_NumJoysticks();
  for (int d = 0; d < count; ++d) {
    if (g_virtualOnly && !SDL_JoystickIsVirtual(d)) continue;
    if (n-- == 0) return d;
  }
  return -1;
}

int DeviceIndexOfInstance(SDL_JoystickID id) {
  int count = SDL_NumJoysticks();
  for (int d = 0; d < count; ++d)
    if (SDL_JoystickGetDeviceInstanceID(d) == id) return d;
  return -1;
}

uint32_t AxisPosition(SDL_Joystick* j, int axis) {
  if (axis >= SDL_JoystickNumAxes(j)) return 32767;  // a missing axis rests in the middle
  return static_cast<uint32_t>(SDL_JoystickGetAxis(j, axis) + 32768);
}

}  // namespace

bool InitJoysticks() {
  std::lock_guard<std::mutex> lock(g_mutex);
  if (g_started) return true;
  // The game reads the joystick whether or not its window has the focus.
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) return false;
  // Joysticks are polled, never read through events: the window's event pump then
  // leaves them alone and the polls update them themselves.
  SDL_JoystickEventState(SDL_IGNORE);
  g_started = true;
  return true;
}

void ShutdownJoysticks() {
  std::lock_guard<std::mutex> lock(g_mutex);
  if (!g_started) return;
  for (Slot& s : g_slots) CloseSlot(s);
  for (auto& [id, j] : g_virtual) {
    SDL_JoystickClose(j);
    int d = DeviceIndexOfInstance(id);
    if (d >= 0) SDL_JoystickDetachVirtual(d);
  }
  g_virtual.clear();
  SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
  g_started = false;
}

bool JoyGetPos(int joystick, JoyInfo& out) {
  std::lock_guard<std::mutex> lock(g_mutex);
  if (!g_started || joystick < 0 || joystick >= kMaxJoysticks) return false;
  SDL_JoystickUpdate();  // finds joysticks plugged in or out and takes their newest state
  Slot& slot = g_slots[joystick];
  int d = DeviceIndexOf(joystick);
  if (d < 0) {
    CloseSlot(slot);
    return false;
  }
  SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(d);
  if (slot.joystick && (slot.id != id || !SDL_JoystickGetAttached(slot.joystick))) CloseSlot(slot);
  if (!slot.joystick) {
    slot.joystick = SDL_JoystickOpen(d);
    if (!slot.joystick) return false;
    slot.id = id;
  }
  SDL_Joystick* j = slot.joystick;
  out.dwXpos = AxisPosition(j, 0);
  out.dwYpos = AxisPosition(j, 1);
  out.dwButtons = 0;
  int buttons = std::min(SDL_JoystickNumButtons(j), 32);
  for (int b = 0; b < buttons; ++b)
    if (SDL_JoystickGetButton(j, b)) out.dwButtons |= 1u << b;
  return true;
}

void SetVirtualJoysticksOnly(bool on) {
  std::lock_guard<std::mutex> lock(g_mutex);
  g_virtualOnly = on;
}

int AttachVirtualJoystick() {
  std::lock_guard<std::mutex> lock(g_mutex);
  if (!g_started) return -1;
  int d = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_UNKNOWN, kVirtualAxes, kVirtualButtons, 0);
  if (d < 0) return -1;
  SDL_Joystick* j = SDL_JoystickOpen(d);
  if (!j) {
    SDL_JoystickDetachVirtual(d);
    return -1;
  }
  // Its axes start at SDL's 0, which polls report as 32768: at rest in the middle.
  int id = SDL_JoystickInstanceID(j);
  g_virtual[id] = j;
  return id;
}

bool DetachVirtualJoystick(int handle) {
  std::lock_guard<std::mutex> lock(g_mutex);
  auto it = g_virtual.find(handle);
  if (it == g_virtual.end()) return false;
  SDL_JoystickClose(it->second);
  g_virtual.erase(it);
  int d = DeviceIndexOfInstance(handle);
  return d >= 0 && SDL_JoystickDetachVirtual(d) == 0;
}

bool SetVirtualJoystickAxis(int handle, int axis, uint32_t value) {
  std::lock_guard<std::mutex> lock(g_mutex);
  auto it = g_virtual.find(handle);
  if (it == g_virtual.end() || axis < 0 || axis >= kVirtualAxes) return false;
  int v = static_cast<int>(std::min<uint32_t>(value, 65535)) - 32768;
  return SDL_JoystickSetVirtualAxis(it->second, axis, static_cast<Sint16>(v)) == 0;
}

bool SetVirtualJoystickButton(int handle, int button, bool down) {
  std::lock_guard<std::mutex> lock(g_mutex);
  auto it = g_virtual.find(handle);
  if (it == g_virtual.end() || button < 0 || button >= kVirtualButtons) return false;
  return SDL_JoystickSetVirtualButton(it->second, button, down ? SDL_PRESSED : SDL_RELEASED) == 0;
}

}  // namespace plat

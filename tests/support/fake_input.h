#pragma once
#include <initializer_list>
#include <set>

#include "app/svc/input.h"

// Keys and joysticks as a test sets them, counting the joystick polls.
struct cFakeInputDevices : cInputDevices {
  std::set<int> keys;
  bool present[plat::kMaxJoysticks] = {};
  plat::JoyInfo joy[plat::kMaxJoysticks];
  mutable int polls[plat::kMaxJoysticks] = {};

  bool IsKeyDown(int vk) const override { return keys.count(vk) != 0; }
  bool JoyGetPos(int n, plat::JoyInfo& out) const override {
    ++polls[n];
    if (!present[n]) return false;
    out = joy[n];
    return true;
  }
  void Hold(std::initializer_list<int> vks) { keys = vks; }
  void Plug(int n, uint32_t x = 32767, uint32_t y = 32767, uint32_t buttons = 0) {
    present[n] = true;
    joy[n] = plat::JoyInfo{x, y, buttons};
  }
};

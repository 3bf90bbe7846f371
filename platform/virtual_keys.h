#pragma once

// Windows virtual-key numbers for the system's keys (the numbering the game's key
// tables use).
namespace plat {

constexpr int VK_ESCAPE = 0x1B;

// The virtual key of an SDL scancode (by key position, US layout); 0 for keys the
// numbering has no place for.
int VirtualKeyFromScancode(int scancode);

}  // namespace plat

#pragma once
#include <cstdint>
#include <memory>

#include "platform/display/surface.h"

// The DirectDraw-like interface of the software display device: a display mode
// (full screen) or the desktop (windowed), a primary surface with its flip chain,
// off-screen surfaces in video or system memory, a 256-entry palette and a clipper.
// Everything a frame shows reaches the window when it is flipped or blitted onto
// the primary surface.
namespace plat {

// Cooperative levels.
constexpr uint32_t kCoopNormal = 1u << 0;
constexpr uint32_t kCoopFullScreen = 1u << 1;
constexpr uint32_t kCoopExclusive = 1u << 2;
constexpr uint32_t kCoopAllowReboot = 1u << 3;

class cDDraw {
 public:
  // Makes the device (fails when the fault is injected).
  static HResult Create(std::shared_ptr<cDDraw>* out);
  ~cDDraw();

  HResult SetCooperativeLevel(uint32_t window, uint32_t flags);
  // Full screen: switches the display to width x height at bpp bits; refresh 0
  // takes any rate, another value must be one the machine offers.
  HResult SetDisplayMode(int width, int height, int bpp, int refresh);
  HResult RestoreDisplayMode();

  // The primary surface: full screen a flip chain with `backBuffers` back buffers
  // at the display mode's size; windowed the game window's client area
  // (width x height) without back buffers.
  HResult CreatePrimarySurface(int backBuffers, int width, int height, std::shared_ptr<cSurface>* out);
  // An off-screen surface in the display's format.
  HResult CreateSurface(int width, int height, MemoryPool pool, std::shared_ptr<cSurface>* out);
  HResult CreatePalette(const PaletteEntry* entries, std::shared_ptr<cPalette>* out);
  HResult CreateClipper(std::shared_ptr<cClipper>* out);

  // Video memory in bytes.
  HResult GetAvailableVidMem(uint32_t* total, uint32_t* free) const;
  HResult GetMonitorFrequency(uint32_t* hz) const;
  HResult WaitForVerticalBlank() const { return kOk; }
  // Full screen: shows the desktop's surface, so that windows of the game's own
  // (message boxes, dialogs) can be seen.
  HResult FlipToGDISurface();

  // The display's pixel format and depth (the mode's in full screen, the desktop's windowed).
  PixelFormat DisplayFormat() const;
  int DisplayBpp() const;
  bool IsFullScreen() const { return m_fullScreen; }

  // Objects the device made that are still alive (surfaces; palettes and clippers
  // are not counted).
  int LiveObjects() const { return m_objects->live.load(); }

 private:
  cDDraw();
  std::shared_ptr<DeviceObjects> m_objects;
  bool m_fullScreen = false;
  bool m_modeSet = false;
  int m_modeBpp = 0;
  int m_modeRefresh = 0;
  int m_modeWidth = 0, m_modeHeight = 0;
};

PixelFormat ScreenFormatForBpp(int bpp);

}  // namespace plat

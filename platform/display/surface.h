#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/display/display_control.h"
#include "platform/display/pixel_format.h"

// The one surface type of the software display device: a picture in memory in
// one of the device's pixel formats. Both the DirectDraw-like interface (off-screen
// surfaces, the primary surface and its flip chain) and the Direct3D-like one
// (texture levels, render targets, the back buffer) use it.
namespace plat {

enum class MemoryPool : uint8_t {
  kVideo,    // video memory: DirectDraw video surfaces, Direct3D default pool
  kSystem,   // system memory
  kManaged,  // Direct3D managed pool: survives a device reset
};

enum class SurfaceApi : uint8_t { kDirectDraw, kDirect3D };

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};

struct LockedRect {
  uint8_t* bits = nullptr;
  int pitch = 0;  // bytes per row
};

// Counts what a device has made, so that a device can tell whether everything it
// made was released, and how much video memory is in use.
struct DeviceObjects {
  std::atomic<int> live{0};
  std::atomic<int> defaultPool{0};  // Direct3D: objects that block a reset
  std::atomic<int64_t> videoBytes{0};
  int64_t videoBudget = 0;
};

class cPalette;
class cClipper;

class cSurface {
 public:
  // Makes a surface; a video-memory surface fails with kErrOutOfVideoMemory when
  // its owner's video memory is used up (or the fault is injected). The pixels
  // start at 0. countsForReset: the surface blocks a Direct3D-like device reset.
  static HResult Make(int width, int height, PixelFormat format, MemoryPool pool, SurfaceApi api,
                      const std::shared_ptr<DeviceObjects>& owner, bool countsForReset,
                      std::shared_ptr<cSurface>* out);
  cSurface(int width, int height, PixelFormat format, MemoryPool pool, SurfaceApi api,
           std::shared_ptr<DeviceObjects> owner, int64_t videoBytes, bool countsForReset);
  ~cSurface();
  cSurface(const cSurface&) = delete;
  cSurface& operator=(const cSurface&) = delete;

  int Width() const { return m_width; }
  int Height() const { return m_height; }
  PixelFormat Format() const { return m_format; }
  int BytesPerPixel() const { return m_bytesPerPixel; }
  int Pitch() const { return m_pitch; }
  MemoryPool Pool() const { return m_pool; }
  SurfaceApi Api() const { return m_api; }
  uint8_t* Row(int y) { return m_pixels.data() + static_cast<size_t>(y) * m_pitch; }
  const uint8_t* Row(int y) const { return m_pixels.data() + static_cast<size_t>(y) * m_pitch; }
  uint8_t* Bits() { return m_pixels.data(); }
  const uint8_t* Bits() const { return m_pixels.data(); }
  uint32_t GetPixel(int x, int y) const { return ReadPixel(Row(y) + x * m_bytesPerPixel, m_bytesPerPixel); }
  void SetPixel(int x, int y, uint32_t v) { WritePixel(Row(y) + x * m_bytesPerPixel, m_bytesPerPixel, v); }
  // Fills the whole surface with one stored value.
  void FillAll(uint32_t value);

  // Locking: direct access to the pixels. A lost surface, a surface already locked
  // and a surface that is not lockable refuse.
  HResult Lock(LockedRect* out);
  HResult Unlock();
  bool IsLocked() const { return m_locked; }
  void SetLockable(bool lockable) { m_lockable = lockable; }
  bool IsLockable() const { return m_lockable; }

  // Loss (DirectDraw-like surfaces): a lost surface refuses blits and locks until
  // restored. Video-memory contents are gone (set to 0); system memory keeps them.
  bool IsLost() const { return m_lost; }
  void MarkLost();
  HResult Restore();

  // Direct3D-like usage: a render-target texture level or the back buffer can be
  // drawn into; a dynamic texture may be locked.
  static constexpr uint32_t kUsageRenderTarget = 1u << 0;
  static constexpr uint32_t kUsageDynamic = 1u << 1;
  uint32_t Usage() const { return m_usage; }
  void SetUsage(uint32_t usage) { m_usage = usage; }
  bool IsRenderTarget() const { return (m_usage & kUsageRenderTarget) != 0; }

  // Whether the surface's storage is counted as video memory.
  bool UsesVideoMemory() const { return m_videoBytes != 0; }

  // --- DirectDraw-like surface operations ---
  // Source colour key (one value, compared with the whole pixel).
  HResult SetColorKey(uint32_t key);
  bool HasColorKey() const { return m_hasColorKey; }
  uint32_t ColorKey() const { return m_colorKey; }
  // The palette of an 8-bit surface that is shown.
  HResult SetPalette(std::shared_ptr<cPalette> palette);
  const std::shared_ptr<cPalette>& Palette() const { return m_palette; }
  HResult SetClipper(std::shared_ptr<cClipper> clipper);

  // Blt: colour fill of the destination rectangle, or copy (stretched when the
  // rectangles differ in size) with an optional source colour key. Rectangles
  // must lie inside their surfaces; formats must match.
  static constexpr uint32_t kBltColorFill = 1u << 0;
  static constexpr uint32_t kBltKeySrc = 1u << 1;
  HResult Blt(const Rect* dst, cSurface* src, const Rect* srcRect, uint32_t flags, uint32_t fillColor = 0);
  // Same-size copy to (x, y).
  HResult BltFast(int x, int y, cSurface* src, const Rect* srcRect, bool keySrc);

  // Flip chain of a primary surface.
  bool IsPrimary() const { return m_primary; }
  HResult GetAttachedBackBuffer(std::shared_ptr<cSurface>* out);
  HResult Flip();

  // Makes a primary surface (with `backBuffers` attached back buffers, 0 for none).
  static HResult MakePrimary(int width, int height, PixelFormat format, int backBuffers,
                             const std::shared_ptr<DeviceObjects>& owner, std::shared_ptr<cSurface>* out);

  // Converts the whole surface to XRGB8888 (8-bit surfaces through their palette).
  void ToXrgb(std::vector<uint32_t>& out) const;
  // Hands the surface to the window as the frame on show.
  void Present() const;

 private:
  friend class cD3DDevice;
  void SwapPixels(cSurface& other) { m_pixels.swap(other.m_pixels); }

  int m_width, m_height;
  PixelFormat m_format;
  int m_bytesPerPixel;
  int m_pitch;
  MemoryPool m_pool;
  SurfaceApi m_api;
  std::vector<uint8_t> m_pixels;
  std::shared_ptr<DeviceObjects> m_owner;
  int64_t m_videoBytes = 0;
  bool m_countsForReset;
  bool m_locked = false;
  bool m_lockable = true;
  bool m_lost = false;
  uint32_t m_usage = 0;
  bool m_hasColorKey = false;
  uint32_t m_colorKey = 0;
  std::shared_ptr<cPalette> m_palette;
  std::shared_ptr<cClipper> m_clipper;
  bool m_primary = false;
  std::vector<std::shared_ptr<cSurface>> m_backBuffers;  // flip chain of a primary
};

// A 256-entry palette of the DirectDraw-like interface.
class cPalette {
 public:
  explicit cPalette(const PaletteEntry* entries);
  void SetEntries(int first, int count, const PaletteEntry* entries);
  void GetEntries(int first, int count, PaletteEntry* out) const;
  const PaletteEntry* Entries() const { return m_entries; }

 private:
  PaletteEntry m_entries[256];
};

// The windowed DirectDraw-like primary surface's clipper: bound to the game window.
class cClipper {
 public:
  HResult SetWindow(uint32_t window);
  uint32_t Window() const { return m_window; }

 private:
  uint32_t m_window = 0;
};

// Every live surface, for injected surface loss.
void ForEachSurface(void (*fn)(cSurface&));

}  // namespace plat

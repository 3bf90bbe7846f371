#pragma once
#include <cstdint>
#include <memory>

#include "draw/dd_types.h"

// Holds one surface's pixels locked for direct access; the destructor unlocks.
// Under Direct3D the surface is first replaced by the record it stands for (alias)
// and BackBuffer by VirBackBuffer in virtual back-buffer mode; a render-target
// texture other than BackBuffer is read back into its system-memory twin, which
// is locked, and written back when unlocked. A routine that needs two surfaces
// locks the destination first and the source second.
class cSurfaceLock {
 public:
  cSurfaceLock() = default;
  ~cSurfaceLock();
  cSurfaceLock(const cSurfaceLock&) = delete;
  cSurfaceLock& operator=(const cSurfaceLock&) = delete;

  // True when the pixels are accessible.
  bool Lock(DDSURFACEDATA* lpSD);
  void Unlock();

  DDSURFACEDATA* m_lpSD = nullptr;  // the surface locked, after alias and back-buffer redirection
  uint8_t* m_pBits = nullptr;       // first byte of the pixels
  int m_nPitch = 0;                 // row pitch in pixels
  int m_nBitsPerPixel = 32;         // the screen's depth at lock time
  int m_nBytesPerPixel = 4;
  // The locked storage's own size in pixels: every access stays inside it.
  int m_nWidth = 0, m_nHeight = 0;

  uint8_t* Row(int y) const { return m_pBits + static_cast<size_t>(y) * m_nPitch * m_nBytesPerPixel; }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < m_nWidth && y < m_nHeight; }

 private:
  std::shared_ptr<plat::cSurface> m_lpLocked;  // the storage actually locked
  bool m_bD3D = false;
};

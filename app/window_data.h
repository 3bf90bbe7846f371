#pragma once
#include <cstdint>

#include "app/base/record.h"

// The game window's placement, kept in "user_data\Window.dat" between runs: five
// ints at every data version (a 32-byte file).
class cWindowData : public cRecord {
  RECORD_CLASS(cWindowData)
 public:
  int32_t m_nX = 0;
  int32_t m_nY = 0;
  int32_t m_nWidth = 0;
  int32_t m_nHeight = 0;
  int32_t m_bMaximised = 0;

  cWindowData() { RegisterFields(nDataVersion); }

  void RegisterFields(uint32_t version) override;
  void Set(int x, int y, int width, int height, int maximised);
  // Negative x and y become 0, values beyond the limits the limits: a window
  // stored partly off the screen comes back on it.
  void ClampPosition(int maxX, int maxY);
  // Load, then the position clamped to the full-screen client area of the desktop.
  int LoadPlacement(const char* path);
};

extern cWindowData WindowData;

constexpr const char* kWindowDataPath = "user_data\\Window.dat";

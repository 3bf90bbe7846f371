#include "platform/display/display_control.h"

#include "platform/display/surface.h"

namespace plat {

cDisplayControl& DisplayControl() {
  static cDisplayControl control;
  return control;
}

void cDisplayControl::Reset() {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_machine = DisplayMachine{};
  m_failCount.fill(0);
  m_skipCount.fill(0);
  m_deviceLost = false;
  m_deviceRegained = false;
}

void cDisplayControl::FailNext(DisplayOp op, int n, int skip) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_failCount[static_cast<int>(op)] = n;
  m_skipCount[static_cast<int>(op)] = skip;
}

bool cDisplayControl::ShouldFail(DisplayOp op) {
  std::lock_guard<std::mutex> lock(m_mutex);
  int i = static_cast<int>(op);
  if (m_failCount[i] <= 0) return false;
  if (m_skipCount[i] > 0) {
    --m_skipCount[i];
    return false;
  }
  --m_failCount[i];
  return true;
}

void cDisplayControl::LoseDevice() {
  m_deviceRegained = false;
  m_deviceLost = true;
}

void cDisplayControl::RegainDevice() { m_deviceRegained = true; }

void cDisplayControl::ClearDeviceLoss() {
  m_deviceLost = false;
  m_deviceRegained = false;
}

void cDisplayControl::LoseSurfaces() {
  ForEachSurface([](cSurface& s) {
    if (s.Api() == SurfaceApi::kDirectDraw) s.MarkLost();
  });
}

}  // namespace plat

#include "platform/display/ddraw_device.h"

#include <algorithm>

namespace plat {

PixelFormat ScreenFormatForBpp(int bpp) {
  switch (bpp) {
    case 8: return PixelFormat::kP8;
    case 16: return PixelFormat::kR5G6B5;
    case 32: return PixelFormat::kX8R8G8B8;
    default: return PixelFormat::kUnknown;
  }
}

cDDraw::cDDraw() : m_objects(std::make_shared<DeviceObjects>()) {
  m_objects->videoBudget = DisplayControl().Machine().videoMemoryBytes;
}

cDDraw::~cDDraw() = default;

HResult cDDraw::Create(std::shared_ptr<cDDraw>* out) {
  out->reset();
  if (DisplayControl().ShouldFail(DisplayOp::kDirectDrawCreate)) return kErrGeneric;
  out->reset(new cDDraw());
  return kOk;
}

HResult cDDraw::SetCooperativeLevel(uint32_t /*window*/, uint32_t flags) {
  if (DisplayControl().ShouldFail(DisplayOp::kSetCooperativeLevel)) return kErrGeneric;
  m_fullScreen = (flags & kCoopFullScreen) != 0;
  return kOk;
}

HResult cDDraw::SetDisplayMode(int width, int height, int bpp, int refresh) {
  if (DisplayControl().ShouldFail(DisplayOp::kSetDisplayMode)) return kErrGeneric;
  if (!m_fullScreen) return kErrInvalidCall;
  const DisplayMachine& m = DisplayControl().Machine();
  if (width <= 0 || height <= 0 || ScreenFormatForBpp(bpp) == PixelFormat::kUnknown ||
      std::find(m.fullScreenDepths.begin(), m.fullScreenDepths.end(), bpp) == m.fullScreenDepths.end())
    return kErrUnsupportedMode;
  if (refresh != 0 &&
      std::find(m.fullScreenRefreshRates.begin(), m.fullScreenRefreshRates.end(), refresh) ==
          m.fullScreenRefreshRates.end())
    return kErrUnsupportedMode;
  m_modeSet = true;
  m_modeBpp = bpp;
  m_modeWidth = width;
  m_modeHeight = height;
  m_modeRefresh = refresh != 0 ? refresh : (m.fullScreenRefreshRates.empty() ? 60 : m.fullScreenRefreshRates[0]);
  return kOk;
}

HResult cDDraw::RestoreDisplayMode() {
  m_modeSet = false;
  return kOk;
}

PixelFormat cDDraw::DisplayFormat() const { return ScreenFormatForBpp(DisplayBpp()); }

int cDDraw::DisplayBpp() const {
  return (m_fullScreen && m_modeSet) ? m_modeBpp : DisplayControl().Machine().desktopBpp;
}

HResult cDDraw::CreatePrimarySurface(int backBuffers, int width, int height, std::shared_ptr<cSurface>* out) {
  out->reset();
  if (DisplayControl().ShouldFail(DisplayOp::kCreatePrimary)) return kErrGeneric;
  PixelFormat format = DisplayFormat();
  if (format == PixelFormat::kUnknown) return kErrUnsupportedMode;
  if (m_fullScreen) {
    if (!m_modeSet) return kErrInvalidCall;
    width = m_modeWidth;
    height = m_modeHeight;
  } else {
    backBuffers = 0;
  }
  return cSurface::MakePrimary(width, height, format, backBuffers, m_objects, out);
}

HResult cDDraw::CreateSurface(int width, int height, MemoryPool pool, std::shared_ptr<cSurface>* out) {
  out->reset();
  if (DisplayControl().ShouldFail(DisplayOp::kCreateSurface)) return kErrGeneric;
  PixelFormat format = DisplayFormat();
  if (format == PixelFormat::kUnknown) return kErrUnsupportedMode;
  return cSurface::Make(width, height, format, pool, SurfaceApi::kDirectDraw, m_objects, false, out);
}

HResult cDDraw::CreatePalette(const PaletteEntry* entries, std::shared_ptr<cPalette>* out) {
  out->reset();
  if (DisplayControl().ShouldFail(DisplayOp::kCreatePalette)) return kErrGeneric;
  *out = std::make_shared<cPalette>(entries);
  return kOk;
}

HResult cDDraw::CreateClipper(std::shared_ptr<cClipper>* out) {
  out->reset();
  if (DisplayControl().ShouldFail(DisplayOp::kCreateClipper)) return kErrGeneric;
  *out = std::make_shared<cClipper>();
  return kOk;
}

HResult cDDraw::GetAvailableVidMem(uint32_t* total, uint32_t* free) const {
  int64_t budget = m_objects->videoBudget;
  int64_t left = std::max<int64_t>(0, budget - m_objects->videoBytes.load());
  if (total) *total = static_cast<uint32_t>(std::min<int64_t>(budget, 0xFFFFFFFF));
  if (free) *free = static_cast<uint32_t>(std::min<int64_t>(left, 0xFFFFFFFF));
  return kOk;
}

HResult cDDraw::FlipToGDISurface() {
  if (DisplayControl().ShouldFail(DisplayOp::kFlipToGDISurface)) return kErrGeneric;
  return m_fullScreen ? kOk : kErrNotAvailable;
}

HResult cDDraw::GetMonitorFrequency(uint32_t* hz) const {
  if (hz) *hz = static_cast<uint32_t>((m_fullScreen && m_modeSet) ? m_modeRefresh
                                                                   : DisplayControl().Machine().desktopRefresh);
  return kOk;
}

}  // namespace plat

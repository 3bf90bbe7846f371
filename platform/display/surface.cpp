#include "platform/display/surface.h"

#include <algorithm>
#include <cstring>
#include <type_traits>
#include <mutex>
#include <unordered_set>

#include "platform/present_slot.h"

namespace plat {
namespace {

// Surfaces held by globals are destroyed at exit: the registry outlives them.
std::mutex& RegistryMutex() {
  static auto* mutex = new std::mutex;
  return *mutex;
}
std::unordered_set<cSurface*>& Registry() {
  static auto* set = new std::unordered_set<cSurface*>;
  return *set;
}

bool Inside(const Rect& r, const cSurface& s) {
  return r.left >= 0 && r.top >= 0 && r.left < r.right && r.top < r.bottom && r.right <= s.Width() &&
         r.bottom <= s.Height();
}

// A row copied without the pixels equal to the key: chunk by chunk without
// branches (the compiler turns the fixed-size chunks into vector code).
template <int kBytes>
void CopyKeyedRow(uint8_t* dst, const uint8_t* src, int count, uint32_t key) {
  using Pixel = std::conditional_t<kBytes == 1, uint8_t, std::conditional_t<kBytes == 2, uint16_t, uint32_t>>;
  constexpr int kChunk = 16;
  const Pixel k = static_cast<Pixel>(key);
  int i = 0;
  for (; i + kChunk <= count; i += kChunk) {
    Pixel in[kChunk], out[kChunk];
    std::memcpy(in, src + i * kBytes, sizeof in);
    unsigned keyed = 0;
    for (int j = 0; j < kChunk; ++j) keyed += in[j] == k ? 1u : 0u;
    // A chunk all transparent leaves the target alone; one without a transparent
    // pixel is copied without reading the target.
    if (keyed == kChunk) continue;
    if (keyed == 0) {
      std::memcpy(dst + i * kBytes, in, sizeof in);
      continue;
    }
    std::memcpy(out, dst + i * kBytes, sizeof out);
    for (int j = 0; j < kChunk; ++j) out[j] = in[j] == k ? out[j] : in[j];
    std::memcpy(dst + i * kBytes, out, sizeof out);
  }
  for (; i < count; ++i) {
    uint32_t v = ReadPixel(src + i * kBytes, kBytes);
    if (v != key) WritePixel(dst + i * kBytes, kBytes, v);
  }
}

// A row of stored pixels as XRGB8888.
template <PixelFormat F>
inline uint32_t StoredToXrgb(const uint8_t* p) {
  if constexpr (F == PixelFormat::kX8R8G8B8 || F == PixelFormat::kA8R8G8B8) {
    return Load32(p) & 0x00FFFFFFu;
  } else {
    const uint32_t v = Load16(p);
    const uint32_t g = F == PixelFormat::kR5G6B5 ? Expand6((v >> 5) & 63) : Expand5((v >> 5) & 31);
    const uint32_t r = Expand5(F == PixelFormat::kR5G6B5 ? (v >> 11) & 31 : (v >> 10) & 31);
    return r << 16 | g << 8 | Expand5(v & 31);
  }
}

template <PixelFormat F>
void RowToXrgb(const uint8_t* row, int n, uint32_t* out) {
  constexpr int bytes = (F == PixelFormat::kX8R8G8B8 || F == PixelFormat::kA8R8G8B8) ? 4 : 2;
  constexpr int kChunk = 16;  // fixed-size chunks become vector code
  int x = 0;
  for (; x + kChunk <= n; x += kChunk) {
    // Local copies: the compiler need not fear that the output overlaps the row.
    uint8_t in[kChunk * bytes];
    uint32_t converted[kChunk];
    std::memcpy(in, row + x * bytes, sizeof in);
    for (int k = 0; k < kChunk; ++k) converted[k] = StoredToXrgb<F>(in + k * bytes);
    std::memcpy(out + x, converted, sizeof converted);
  }
  for (; x < n; ++x) out[x] = StoredToXrgb<F>(row + x * bytes);
}

}  // namespace

HResult cSurface::Make(int width, int height, PixelFormat format, MemoryPool pool, SurfaceApi api,
                       const std::shared_ptr<DeviceObjects>& owner, bool countsForReset,
                       std::shared_ptr<cSurface>* out) {
  out->reset();
  if (width <= 0 || height <= 0 || width > 16384 || height > 16384 || plat::BytesPerPixel(format) == 0)
    return kErrInvalidCall;
  int64_t bytes = int64_t(width) * height * plat::BytesPerPixel(format);
  int64_t video = 0;
  if (pool != MemoryPool::kSystem && owner) {
    if (DisplayControl().ShouldFail(DisplayOp::kVideoMemory)) return kErrOutOfVideoMemory;
    if (owner->videoBytes.load() + bytes > owner->videoBudget) return kErrOutOfVideoMemory;
    video = bytes;
  }
  *out = std::make_shared<cSurface>(width, height, format, pool, api, owner, video, countsForReset);
  return kOk;
}

cSurface::cSurface(int width, int height, PixelFormat format, MemoryPool pool, SurfaceApi api,
                   std::shared_ptr<DeviceObjects> owner, int64_t videoBytes, bool countsForReset)
    : m_width(width),
      m_height(height),
      m_format(format),
      m_bytesPerPixel(plat::BytesPerPixel(format)),
      m_pitch(((width * plat::BytesPerPixel(format)) + 3) & ~3),
      m_pool(pool),
      m_api(api),
      m_pixels(static_cast<size_t>(m_pitch) * height, 0),
      m_owner(std::move(owner)),
      m_videoBytes(videoBytes),
      m_countsForReset(countsForReset) {
  if (m_owner) {
    m_owner->live.fetch_add(1);
    if (m_countsForReset) m_owner->defaultPool.fetch_add(1);
    m_owner->videoBytes.fetch_add(m_videoBytes);
  }
  std::lock_guard<std::mutex> lock(RegistryMutex());
  Registry().insert(this);
}

cSurface::~cSurface() {
  if (m_owner) {
    m_owner->live.fetch_sub(1);
    if (m_countsForReset) m_owner->defaultPool.fetch_sub(1);
    m_owner->videoBytes.fetch_sub(m_videoBytes);
  }
  std::lock_guard<std::mutex> lock(RegistryMutex());
  Registry().erase(this);
}

void ForEachSurface(void (*fn)(cSurface&)) {
  std::lock_guard<std::mutex> lock(RegistryMutex());
  for (cSurface* s : Registry()) fn(*s);
}

void cSurface::FillAll(uint32_t value) {
  for (int y = 0; y < m_height; ++y) FillPixels(Row(y), m_bytesPerPixel, m_width, value);
}

HResult cSurface::Lock(LockedRect* out) {
  if (out) *out = LockedRect{};
  if (DisplayControl().ShouldFail(DisplayOp::kLock)) return kErrGeneric;
  if (m_lost) return kErrSurfaceLost;
  if (m_locked) return kErrLocked;
  if (!m_lockable) return kErrInvalidCall;
  m_locked = true;
  if (out) {
    out->bits = m_pixels.data();
    out->pitch = m_pitch;
  }
  return kOk;
}

HResult cSurface::Unlock() {
  if (!m_locked) return kErrNotLocked;
  m_locked = false;
  return kOk;
}

void cSurface::MarkLost() {
  m_lost = true;
  if (m_pool == MemoryPool::kVideo) std::fill(m_pixels.begin(), m_pixels.end(), 0);
  for (auto& back : m_backBuffers) back->MarkLost();
}

HResult cSurface::Restore() {
  m_lost = false;
  for (auto& back : m_backBuffers) back->m_lost = false;
  return kOk;
}

HResult cSurface::SetColorKey(uint32_t key) {
  if (DisplayControl().ShouldFail(DisplayOp::kSetColorKey)) return kErrGeneric;
  m_hasColorKey = true;
  m_colorKey = key;
  return kOk;
}

HResult cSurface::SetPalette(std::shared_ptr<cPalette> palette) {
  if (DisplayControl().ShouldFail(DisplayOp::kSetPalette)) return kErrGeneric;
  if (m_format != PixelFormat::kP8) return kErrInvalidCall;
  m_palette = std::move(palette);
  return kOk;
}

HResult cSurface::SetClipper(std::shared_ptr<cClipper> clipper) {
  if (DisplayControl().ShouldFail(DisplayOp::kSetClipper)) return kErrGeneric;
  m_clipper = std::move(clipper);
  return kOk;
}

HResult cSurface::Blt(const Rect* dstRect, cSurface* src, const Rect* srcRect, uint32_t flags,
                      uint32_t fillColor) {
  if (m_lost) return kErrSurfaceLost;
  if (m_locked) return kErrLocked;
  Rect d = dstRect ? *dstRect : Rect{0, 0, m_width, m_height};
  if (!Inside(d, *this)) return kErrInvalidRect;
  const int bpp = m_bytesPerPixel;

  if (flags & kBltColorFill) {
    for (int y = d.top; y < d.bottom; ++y) FillPixels(Row(y) + d.left * bpp, bpp, d.Width(), fillColor);
    if (m_primary) Present();
    return kOk;
  }

  if (!src) return kErrInvalidCall;
  if (src->m_lost) return kErrSurfaceLost;
  if (src->m_locked) return kErrLocked;
  if (src->m_format != m_format) return kErrInvalidCall;
  Rect s = srcRect ? *srcRect : Rect{0, 0, src->m_width, src->m_height};
  if (!Inside(s, *src)) return kErrInvalidRect;

  // A blit within one surface reads from a copy of the source rectangle.
  std::vector<uint8_t> copy;
  const uint8_t* srcBits = src->m_pixels.data();
  int srcPitch = src->m_pitch;
  int sx0 = s.left, sy0 = s.top;
  if (src == this) {
    srcPitch = s.Width() * bpp;
    copy.resize(static_cast<size_t>(srcPitch) * s.Height());
    for (int y = 0; y < s.Height(); ++y)
      std::memcpy(copy.data() + static_cast<size_t>(y) * srcPitch, Row(s.top + y) + s.left * bpp, srcPitch);
    srcBits = copy.data();
    sx0 = sy0 = 0;
  }
  const bool keyed = (flags & kBltKeySrc) && src->m_hasColorKey;
  const uint32_t key = src->m_colorKey;
  const int dw = d.Width(), dh = d.Height(), sw = s.Width(), sh = s.Height();

  if (dw == sw && dh == sh) {
    for (int y = 0; y < dh; ++y) {
      uint8_t* out = Row(d.top + y) + d.left * bpp;
      const uint8_t* in = srcBits + static_cast<size_t>(sy0 + y) * srcPitch + sx0 * bpp;
      if (!keyed && dw == 1) {
        // One-pixel columns (the strips of the distortion effects): no copy call per pixel.
        WritePixel(out, bpp, ReadPixel(in, bpp));
      } else if (!keyed) {
        std::memcpy(out, in, static_cast<size_t>(dw) * bpp);
      } else if (bpp == 1) {
        CopyKeyedRow<1>(out, in, dw, key);
      } else if (bpp == 2) {
        CopyKeyedRow<2>(out, in, dw, key);
      } else {
        CopyKeyedRow<4>(out, in, dw, key);
      }
    }
  } else {
    // Nearest source pixel: column sx + trunc(k * sw / dw), row likewise.
    std::vector<int> columns(dw);
    for (int k = 0; k < dw; ++k) columns[k] = sx0 + static_cast<int>(int64_t(k) * sw / dw);
    for (int j = 0; j < dh; ++j) {
      int sy = sy0 + static_cast<int>(int64_t(j) * sh / dh);
      const uint8_t* in = srcBits + static_cast<size_t>(sy) * srcPitch;
      uint8_t* out = Row(d.top + j) + d.left * bpp;
      for (int k = 0; k < dw; ++k, out += bpp) {
        uint32_t v = ReadPixel(in + columns[k] * bpp, bpp);
        if (!keyed || v != key) WritePixel(out, bpp, v);
      }
    }
  }
  if (m_primary) Present();
  return kOk;
}

HResult cSurface::BltFast(int x, int y, cSurface* src, const Rect* srcRect, bool keySrc) {
  if (!src) return kErrInvalidCall;
  Rect s = srcRect ? *srcRect : Rect{0, 0, src->m_width, src->m_height};
  Rect d{x, y, x + s.Width(), y + s.Height()};
  return Blt(&d, src, &s, keySrc ? kBltKeySrc : 0);
}

HResult cSurface::MakePrimary(int width, int height, PixelFormat format, int backBuffers,
                              const std::shared_ptr<DeviceObjects>& owner, std::shared_ptr<cSurface>* out) {
  HResult hr = Make(width, height, format, MemoryPool::kVideo, SurfaceApi::kDirectDraw, owner, false, out);
  if (Failed(hr)) return hr;
  (*out)->m_primary = true;
  for (int i = 0; i < backBuffers; ++i) {
    std::shared_ptr<cSurface> back;
    hr = Make(width, height, format, MemoryPool::kVideo, SurfaceApi::kDirectDraw, owner, false, &back);
    if (Failed(hr)) {
      out->reset();
      return hr;
    }
    (*out)->m_backBuffers.push_back(std::move(back));
  }
  return kOk;
}

HResult cSurface::GetAttachedBackBuffer(std::shared_ptr<cSurface>* out) {
  out->reset();
  if (DisplayControl().ShouldFail(DisplayOp::kGetAttachedSurface)) return kErrGeneric;
  if (m_backBuffers.empty()) return kErrNotAvailable;
  *out = m_backBuffers.front();
  return kOk;
}

HResult cSurface::Flip() {
  if (!m_primary || m_backBuffers.empty()) return kErrInvalidCall;
  if (m_lost) return kErrSurfaceLost;
  if (m_locked) return kErrLocked;
  for (auto& back : m_backBuffers)
    if (back->m_lost) return kErrSurfaceLost;
  // The front takes the first back buffer's picture; the chain moves up by one.
  SwapPixels(*m_backBuffers[0]);
  for (size_t i = 1; i < m_backBuffers.size(); ++i) m_backBuffers[i - 1]->SwapPixels(*m_backBuffers[i]);
  Present();
  return kOk;
}

void cSurface::ToXrgb(std::vector<uint32_t>& out) const {
  out.resize(static_cast<size_t>(m_width) * m_height);
  uint32_t colours[256];
  if (m_format == PixelFormat::kP8) {
    const PaletteEntry* palette = m_palette ? m_palette->Entries() : nullptr;
    for (int i = 0; i < 256; ++i) colours[i] = PixelToArgb(PixelFormat::kP8, uint32_t(i), palette) & 0x00FFFFFFu;
  }
  for (int y = 0; y < m_height; ++y) {
    const uint8_t* row = Row(y);
    uint32_t* o = out.data() + static_cast<size_t>(y) * m_width;
    switch (m_format) {
      case PixelFormat::kP8:
        for (int x = 0; x < m_width; ++x) o[x] = colours[row[x]];
        break;
      case PixelFormat::kR5G6B5: RowToXrgb<PixelFormat::kR5G6B5>(row, m_width, o); break;
      case PixelFormat::kA1R5G5B5: RowToXrgb<PixelFormat::kA1R5G5B5>(row, m_width, o); break;
      case PixelFormat::kX8R8G8B8: RowToXrgb<PixelFormat::kX8R8G8B8>(row, m_width, o); break;
      case PixelFormat::kA8R8G8B8: RowToXrgb<PixelFormat::kA8R8G8B8>(row, m_width, o); break;
      default: std::fill_n(o, m_width, 0u); break;
    }
  }
}

void cSurface::Present() const {
  // Kept between frames: the conversion writes every pixel, and the slot hands
  // back its previous buffer for the next one.
  thread_local std::vector<uint32_t> frame;
  ToXrgb(frame);
  SubmitFrame(frame, m_width, m_height);
}

cPalette::cPalette(const PaletteEntry* entries) {
  for (int i = 0; i < 256; ++i) m_entries[i] = entries ? entries[i] : PaletteEntry{};
}

void cPalette::SetEntries(int first, int count, const PaletteEntry* entries) {
  for (int i = 0; i < count; ++i)
    if (first + i >= 0 && first + i < 256) m_entries[first + i] = entries[i];
}

void cPalette::GetEntries(int first, int count, PaletteEntry* out) const {
  for (int i = 0; i < count; ++i)
    if (first + i >= 0 && first + i < 256) out[i] = m_entries[first + i];
}

HResult cClipper::SetWindow(uint32_t window) {
  if (DisplayControl().ShouldFail(DisplayOp::kClipperSetWindow)) return kErrGeneric;
  m_window = window;
  return kOk;
}

}  // namespace plat

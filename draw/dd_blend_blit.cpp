#include "draw/dd_blend_blit.h"

#include <algorithm>
#include <array>

#include "draw/dd_blit.h"
#include "draw/dd_pixel_ops.h"
#include "draw/dd_quad.h"

namespace {

// Iterations of value := (value + colour) >> 1 after which every value of 0..255
// stands still (the distance to the colour halves each time): more levels change
// nothing.
constexpr int kHalvingsToSettle = 16;

// Texture-factor alpha of the Direct3D quad and weight of the locked path per level.
uint32_t QuadAlpha(int level) {
  switch (level) {
    case 1: return 128;
    case 2: return 80;
    case 3: return 48;
    case 4: return 16;
    default: return 0;
  }
}

int LockedWeight(int level) {
  switch (level) {
    case 1: return 128;
    case 2: return 64;
    case 3: return 32;
    case 4: return 16;
    default: return 0;
  }
}

const PALETTEENTRY& TintOf(const PALETTEENTRY* palette, uint32_t color) {
  return (palette ? palette : ScreenPalette)[color & 0xFF];
}

// Direct3D: the mirror-cell conversion of the source rectangle, then both
// surfaces resolved; false when either has no Direct3D part.
bool Resolve(DDSURFACEDATA*& dst, DDSURFACEDATA*& src, int& sx, int& sy, int& sw, int& sh) {
  DDMirrorSrcRect(src, sx, sy, sw, sh);
  DDResolveAlias(dst);
  DDRedirectBackBuffer(dst);
  DDResolveAlias(src);
  DDRedirectBackBuffer(src);
  return dst && src && dst->lpDT && src->lpDT;
}

// The condition under which Direct3D draws a quad rather than mixing pixels.
bool QuadPath(const DDSURFACEDATA* dst, const DDSURFACEDATA* src) {
  return dst->lpDT->bRenderTarget && src->lpDT->nMemType != DTMEMORYTYPE_SYSTEM;
}

// Draws the source rectangle as one quad with the stage given (nothing when
// nothing remains after clipping); true when it was drawn.
bool DrawQuad(DDSURFACEDATA* dst, int x, int y, int w, int h, DDSURFACEDATA* src, int sx, int sy, int sw, int sh,
              uint32_t diffuse, const DDQUADSTAGE& stage) {
  if (!DDClipBlt(dst, x, y, w, h, src, sx, sy, sw, sh)) return false;
  plat::Vertex v[4];
  DDWriteBltQuad(v, x, y, w, h, src, sx, sy, sw, sh, diffuse);
  return DDDrawEffectQuad(dst, src, v, stage, src->lpDT->lpTexture) == DDQUAD_DRAWN;
}

struct Channels {
  uint32_t r, g, b;
};

inline Channels Split(uint32_t p, int bytes, const DDCOLORMASK& m) {
  if (bytes == 2) return {DDChannel(p, m.nShiftR, m.nMaskR), DDChannel(p, m.nShiftG, m.nMaskG),
                          DDChannel(p, m.nShiftB, m.nMaskB)};
  return {(p >> 16) & 255, (p >> 8) & 255, p & 255};
}

// One channel's table over its source values 0..max.
using Lut = std::array<uint32_t, 256>;

bool ColorBlendD3D(DDSURFACEDATA* dst, int x, int y, int w, int h, DDSURFACEDATA* src, int sx, int sy, int key,
                   const PALETTEENTRY& tint, int level) {
  if (level <= 0) return true;
  int sw = w, sh = h;
  if (!Resolve(dst, src, sx, sy, sw, sh)) return true;
  if (QuadPath(dst, src)) {
    // result = texture x a/255 + colour x (1 - a/255); transparent texels stay so.
    const uint32_t factor = QuadAlpha(level) << 24 | uint32_t(tint.red) << 16 | uint32_t(tint.green) << 8 | tint.blue;
    lpDevice->SetRenderState(plat::RenderState::kTextureFactor, factor);
    DrawQuad(dst, x, y, w, h, src, sx, sy, sw, sh, 0xFFFFFFFF,
             {plat::kTopBlendFactorAlpha, plat::kArgTexture, plat::kArgTFactor, plat::kTopSelectArg1,
              plat::kArgTexture, plat::kArgDiffuse});
    return true;
  }
  cSurfaceLock dstLock;
  if (!dstLock.Lock(dst)) return false;
  cSurfaceLock srcLock;
  if (!srcLock.Lock(src)) return false;
  const int bytes = dstLock.m_nBytesPerPixel;
  if ((bytes != 2 && bytes != 4) || srcLock.m_nBytesPerPixel != bytes) return true;
  const DDCOLORMASK& m = PixelColorMask;
  const DDCOLORMASK& screen = BackBufferColorMask;
  const int maxR = bytes == 2 ? m.nMaskR : 255, maxG = bytes == 2 ? m.nMaskG : 255, maxB = bytes == 2 ? m.nMaskB : 255;
  const uint32_t cr = tint.red * maxR / 255, cg = tint.green * maxG / 255, cb = tint.blue * maxB / 255;
  const float f = static_cast<float>(LockedWeight(level)) * 0.003921569f;
  auto mix = [&](uint32_t v, uint32_t c) -> uint32_t {
    if (level == 1) return (v + c) >> 1;
    return static_cast<uint32_t>(static_cast<float>(v) * f + static_cast<float>(c) * (1.0f - f));
  };
  Lut lr{}, lg{}, lb{};
  for (int v = 0; v <= maxR; ++v) lr[v] = mix(v, cr);
  for (int v = 0; v <= maxG; ++v) lg[v] = mix(v, cg);
  for (int v = 0; v <= maxB; ++v) lb[v] = mix(v, cb);
  const bool toScreen = bytes == 2 && DDIsFullScreenBack(dstLock.m_lpSD);
  DDForEachPixelPair(dstLock, srcLock, x, y, w, h, sx, sy, sw, sh, [&](uint8_t* d, uint32_t p) {
    if (key == 1 && DDIsTransparentPixel(p, bytes)) return;
    const Channels s = Split(p, bytes, m);
    if (bytes == 4) {
      plat::Store32(d, 0xFF000000u | lr[s.r] << 16 | lg[s.g] << 8 | lb[s.b]);
    } else if (toScreen) {
      // The 5-bit green result doubled into the screen's 6-bit field.
      const uint32_t green = level == 1 ? s.g + cg : 2 * lg[s.g];
      plat::Store16(d, lr[s.r] << screen.nShiftR | green << screen.nShiftG | lb[s.b] << screen.nShiftB);
    } else {
      plat::Store16(d, (lr[s.r] & m.nMaskR) << m.nShiftR | (lg[s.g] & m.nMaskG) << m.nShiftG |
                           (lb[s.b] & m.nMaskB) << m.nShiftB | 1u << m.nShiftA);
    }
  });
  return true;
}

bool ColorBlendDD(DDSURFACEDATA* dst, int x, int y, int w, int h, DDSURFACEDATA* src, int sx, int sy, int key,
                  const PALETTEENTRY& tint, uint32_t color, int level) {
  if (level <= 0) return true;
  cSurfaceLock dstLock;
  if (!dstLock.Lock(dst)) return false;
  cSurfaceLock srcLock;
  if (!srcLock.Lock(src)) return false;
  const int bpp = DDSettings.nBpp, bytes = bpp / 8;
  if ((bpp != 8 && bpp != 16 && bpp != 32) || dstLock.m_nBytesPerPixel != bytes || srcLock.m_nBytesPerPixel != bytes)
    return true;
  if (bytes == 1) {
    // The table step taken level times, as one map (composed by repeated squaring).
    Lut map{}, step{};
    for (int i = 0; i < 256; ++i) map[i] = i, step[i] = BlendTable[i * 256 + (color & 0xFF)];
    for (uint32_t n = static_cast<uint32_t>(level); n; n >>= 1) {
      if (n & 1)
        for (uint32_t& v : map) v = step[v];
      Lut twice{};
      for (int i = 0; i < 256; ++i) twice[i] = step[step[i]];
      step = twice;
    }
    DDForEachPixelPair(dstLock, srcLock, x, y, w, h, sx, sy, w, h, [&](uint8_t* d, uint32_t p) {
      if (key == 1 && p == dwColorKey) return;
      *d = static_cast<uint8_t>(map[p & 0xFF]);
    });
    return true;
  }
  const DDCOLORMASK& m = PixelColorMask;
  const int maxR = bytes == 2 ? m.nMaskR : 255, maxG = bytes == 2 ? m.nMaskG : 255, maxB = bytes == 2 ? m.nMaskB : 255;
  const int halvings = std::min(level, kHalvingsToSettle);
  // At 16 bits the palette holds the screen's own channel ranges: widened first.
  auto table = [&](int max, uint32_t colour) {
    Lut t{};
    const uint32_t c = bytes == 2 ? colour * 255 / max : colour;
    for (int v = 0; v <= max; ++v) {
      uint32_t wide = bytes == 2 ? uint32_t(v) * 255 / max : uint32_t(v);
      for (int i = 0; i < halvings; ++i) wide = (wide + c) >> 1;
      t[v] = bytes == 2 ? wide * max / 255 : wide;
    }
    return t;
  };
  const Lut lr = table(maxR, tint.red), lg = table(maxG, tint.green), lb = table(maxB, tint.blue);
  DDForEachPixelPair(dstLock, srcLock, x, y, w, h, sx, sy, w, h, [&](uint8_t* d, uint32_t p) {
    if (key == 1 && p == dwColorKey) return;
    const Channels s = Split(p, bytes, m);
    if (bytes == 2) {
      plat::Store16(d, lr[s.r] << m.nShiftR | lg[s.g] << m.nShiftG | lb[s.b] << m.nShiftB);
    } else {
      plat::Store32(d, (plat::Load32(d) & 0xFF000000u) | lr[s.r] << 16 | lg[s.g] << 8 | lb[s.b]);
    }
  });
  return true;
}

bool AlphaD3D(DDSURFACEDATA* dst, int x, int y, int w, int h, DDSURFACEDATA* src, int sx, int sy, int key,
              int transparency) {
  int sw = w, sh = h;
  if (!Resolve(dst, src, sx, sy, sw, sh)) return true;
  if (QuadPath(dst, src)) {
    // The texture's alpha scaled by (255 - transparency) / 255.
    const uint32_t alpha = 255 - static_cast<uint32_t>(std::clamp(transparency, 0, 255));
    if (DrawQuad(dst, x, y, w, h, src, sx, sy, sw, sh, alpha << 24 | 0xFFFFFF,
                 {plat::kTopModulate, plat::kArgTexture, plat::kArgDiffuse, plat::kTopModulate, plat::kArgTexture,
                  plat::kArgDiffuse})) {
      lpDevice->SetTextureStageState(0, plat::StageStateType::kAlphaOp, plat::kTopSelectArg1);
      lpDevice->SetTextureStageState(0, plat::StageStateType::kAlphaArg1, plat::kArgTexture);
    }
    return true;
  }
  cSurfaceLock dstLock;
  if (!dstLock.Lock(dst)) return false;
  cSurfaceLock srcLock;
  if (!srcLock.Lock(src)) return false;
  const int bytes = dstLock.m_nBytesPerPixel;
  if ((bytes != 2 && bytes != 4) || srcLock.m_nBytesPerPixel != bytes) return true;
  const DDCOLORMASK& m = PixelColorMask;
  const DDCOLORMASK& screen = BackBufferColorMask;
  const bool toScreen = bytes == 2 && DDIsFullScreenBack(dstLock.m_lpSD);
  // Half and half whatever the transparency.
  DDForEachPixelPair(dstLock, srcLock, x, y, w, h, sx, sy, sw, sh, [&](uint8_t* d, uint32_t p) {
    if (key == 1 && DDIsTransparentPixel(p, bytes)) return;
    const Channels s = Split(p, bytes, m);
    if (bytes == 4) {
      const Channels o = Split(plat::Load32(d), 4, m);
      plat::Store32(d, 0xFF000000u | ((s.r + o.r) >> 1) << 16 | ((s.g + o.g) >> 1) << 8 | ((s.b + o.b) >> 1));
    } else if (toScreen) {
      const Channels o = Split(plat::Load16(d), 2, screen);
      plat::Store16(d, ((s.r + o.r) >> 1) << screen.nShiftR | ((o.g + 2 * s.g) >> 1) << screen.nShiftG |
                           ((s.b + o.b) >> 1) << screen.nShiftB);
    } else {
      const Channels o = Split(plat::Load16(d), 2, m);
      plat::Store16(d, (((s.r + o.r) >> 1) & m.nMaskR) << m.nShiftR | (((s.g + o.g) >> 1) & m.nMaskG) << m.nShiftG |
                           (((s.b + o.b) >> 1) & m.nMaskB) << m.nShiftB | 1u << m.nShiftA);
    }
  });
  return true;
}

bool AlphaDD(DDSURFACEDATA* dst, int x, int y, int w, int h, DDSURFACEDATA* src, int sx, int sy, int key,
             const uint8_t* table) {
  cSurfaceLock dstLock;
  if (!dstLock.Lock(dst)) return false;
  cSurfaceLock srcLock;
  if (!srcLock.Lock(src)) return false;
  const int bpp = DDSettings.nBpp, bytes = bpp / 8;
  if ((bpp != 8 && bpp != 16 && bpp != 32) || dstLock.m_nBytesPerPixel != bytes || srcLock.m_nBytesPerPixel != bytes)
    return true;
  const DDCOLORMASK& m = PixelColorMask;
  const DDChannelScale scaleR(m.nMaskR), scaleG(m.nMaskG), scaleB(m.nMaskB);
  DDForEachPixelPair(dstLock, srcLock, x, y, w, h, sx, sy, w, h, [&](uint8_t* d, uint32_t p) {
    if (bytes == 1) {
      // Index 0 is the transparent colour on both sides.
      if (key == 1 && p == 0) return;
      *d = *d == 0 ? static_cast<uint8_t>(p) : table[*d * 256 + (p & 0xFF)];
      return;
    }
    if (key == 1 && p == dwColorKey) return;
    const uint32_t old = plat::ReadPixel(d, bytes);
    if (bytes == 2) {
      if (old == dwColorKey) {
        plat::Store16(d, p);
        return;
      }
      auto avg = [&](int shift, const DDChannelScale& scale) {
        const uint32_t a = scale.Widen(DDChannel(p, shift, scale.max)), b = scale.Widen(DDChannel(old, shift, scale.max));
        return scale.Narrow((a + b) >> 1) << shift;
      };
      plat::Store16(d, avg(m.nShiftR, scaleR) | avg(m.nShiftG, scaleG) | avg(m.nShiftB, scaleB));
      return;
    }
    // 32 bits: the fourth byte stays, also where the source is copied over the key colour.
    uint32_t rgb;
    if (old == dwColorKey) {
      rgb = p & 0xFFFFFF;
    } else {
      const Channels s = Split(p, 4, m), o = Split(old, 4, m);
      rgb = ((s.r + o.r) >> 1) << 16 | ((s.g + o.g) >> 1) << 8 | ((s.b + o.b) >> 1);
    }
    plat::Store32(d, (old & 0xFF000000u) | rgb);
  });
  return true;
}

}  // namespace

bool DDBltColorBlend(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrcSD, int sx,
                     int sy, int nKey, const PALETTEENTRY* lpPalette, const uint8_t* /*lpBlendTable*/,
                     uint32_t nColor, int nLevel) {
  // The 8-bit path reads BlendTable itself, as its callers pass it anyway.
  const PALETTEENTRY& tint = TintOf(lpPalette, nColor);
  if (lpDTCon) return ColorBlendD3D(lpDstSD, x, y, nWidth, nHeight, lpSrcSD, sx, sy, nKey, tint, nLevel);
  return ColorBlendDD(lpDstSD, x, y, nWidth, nHeight, lpSrcSD, sx, sy, nKey, tint, nColor, nLevel);
}

bool DDBltAlpha(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrcSD, int sx,
                int sy, int nKey, const uint8_t* lpBlendTable, int nTransparency) {
  if (lpDTCon) return AlphaD3D(lpDstSD, x, y, nWidth, nHeight, lpSrcSD, sx, sy, nKey, nTransparency);
  return AlphaDD(lpDstSD, x, y, nWidth, nHeight, lpSrcSD, sx, sy, nKey, lpBlendTable ? lpBlendTable : BlendTable);
}

bool DDBltHalf(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrcSD, int sx,
               int sy, int nKey, const uint8_t* lpBlendTable) {
  return DDBltAlpha(lpDstSD, x, y, nWidth, nHeight, lpSrcSD, sx, sy, nKey, lpBlendTable, 128);
}

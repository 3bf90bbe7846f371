#include <algorithm>
#include <cstring>

#include "app/base/report_log.h"
#include "draw/dd_bitmap_copy.h"
#include "draw/dd_blit.h"
#include "draw/dd_device_state.h"
#include "draw/dd_globals.h"
#include "draw/dd_palette.h"
#include "draw/dd_surface.h"

namespace {

// Mirrored cells: column x of a cell of width c comes from column
// c * (x / c + 1) - (x % c) - 1 of the same cell (likewise rows).
inline int MirrorIndex(int i, int cell) { return cell > 0 ? cell * (i / cell + 1) - (i % cell) - 1 : i; }

}  // namespace

bool CopyBitmapImage(DDSURFACEDATA* lpSD, const plat::cBmpImage& image, const char* szFileName, int nBpp,
                     int bPalIndexMap, int nMirrorCellWidth, int nMirrorCellHeight) {
  if (lpDTCon || !lpSD || !lpSD->lpDDPart || !lpSD->lpDDPart->lpSurface) return false;
  plat::cSurface& surface = *lpSD->lpDDPart->lpSurface;
  const int bw = image.width, bh = image.height;
  const int mcw = std::max(0, nMirrorCellWidth), mch = std::max(0, nMirrorCellHeight);
  plat::LockedRect locked;
  void* bits = nullptr;
  if (!DDLock(lpSD, &locked, &bits, nBpp) || !bits) return false;
  const int bytes = surface.BytesPerPixel();
  // Only the part that both the bitmap and the surface hold is written.
  const int w = std::min(bw, surface.Width()), h = std::min(bh, surface.Height());
  bool ok = true;

  if (nBpp == 8) {
    if (!image.HasIndices() || bytes != 1) {
      // An 8-bit screen shows palette indexes: a picture without them cannot be copied.
      ok = false;
    } else if (surface.Width() != bw || surface.Height() != bh) {
      ECLogf("CopyBitmap Err %s Surface(%d,%d) Bmp(%d,%d)", szFileName, surface.Width(), surface.Height(), bw, bh);
    } else {
      for (int y = 0; y < h; ++y) {
        int sy = MirrorIndex(y, mch);
        if (sy >= bh) break;
        uint8_t* row = locked.bits + static_cast<size_t>(y) * locked.pitch;
        const uint8_t* src = &image.indices[static_cast<size_t>(sy) * bw];
        for (int x = 0; x < w; ++x) {
          int sx = MirrorIndex(x, mcw);
          if (sx >= bw) break;
          row[x] = src[sx];
        }
      }
    }
  } else if (nBpp == 16 && image.bitCount >= 24 && bytes == 2) {
    const DDCOLORMASK& m = PixelColorMask;
    const RGBTRIPLE key = lpDDCon ? lpDDCon->rgbFileKey : RGBTRIPLE{};
    const uint32_t fileKey = uint32_t(key.rgbtRed) << 16 | uint32_t(key.rgbtGreen) << 8 | key.rgbtBlue;
    for (int y = 0; y < h; ++y) {
      int sy = MirrorIndex(y, mch);
      if (sy >= bh) break;
      uint8_t* row = locked.bits + static_cast<size_t>(y) * locked.pitch;
      for (int x = 0; x < w; ++x) {
        int sx = MirrorIndex(x, mcw);
        if (sx >= bw) break;
        uint32_t c = image.At(sx, sy);
        uint32_t v;
        if (c == fileKey) {
          v = dwColorKey;
        } else {
          uint32_t r = c >> 16, g = (c >> 8) & 255, b = c & 255;
          uint32_t fb = b * m.nMaskB / 255;
          v = fb << m.nShiftB | (g * m.nMaskG / 255) << m.nShiftG | (r * m.nMaskR / 255) << m.nShiftR;
          if (v == dwColorKey) {
            // A picture colour that converts to the key is moved one blue step
            // so that it does not turn transparent.
            uint32_t nb = fb == static_cast<uint32_t>(m.nMaskB) ? fb - 1 : fb + 1;
            v = (v & ~(static_cast<uint32_t>(m.nMaskB) << m.nShiftB)) | nb << m.nShiftB;
          }
        }
        plat::Store16(row + 2 * x, v);
      }
    }
  } else if (bytes == 2 || bytes == 4) {
    // Deeper screens, and palette pictures on a 16-bit screen: colours converted
    // to the screen's format, cells mirrored as above.
    const plat::PixelFormat format = surface.Format();
    for (int y = 0; y < h; ++y) {
      int sy = MirrorIndex(y, mch);
      if (sy >= bh) break;
      uint8_t* row = locked.bits + static_cast<size_t>(y) * locked.pitch;
      for (int x = 0; x < w; ++x) {
        int sx = MirrorIndex(x, mcw);
        if (sx >= bw) break;
        plat::WritePixel(row + x * bytes, bytes, plat::ArgbToPixel(format, 0xFF000000u | image.At(sx, sy)));
      }
    }
  } else {
    ok = false;
  }
  surface.Unlock();
  if (!ok) return false;

  lpSD->nWidth = bw;
  lpSD->nHeight = bh;
  lpSD->nMirrorCellWidth = nMirrorCellWidth;
  lpSD->nMirrorCellHeight = nMirrorCellHeight;
  if (szFileName != lpSD->szFileName) {
    std::memset(lpSD->szFileName, 0, sizeof lpSD->szFileName);
    std::strncpy(lpSD->szFileName, szFileName, sizeof lpSD->szFileName - 1);
  }
  if (bPalIndexMap && nBpp != 8) return DDCreatePalIndexMap(lpSD);
  lpSD->lpDDPart->PalIndexMap.clear();
  lpSD->lpDDPart->nPalIndexPitch = 0;
  return true;
}

bool CopyBitmap(DDSURFACEDATA* lpSD, const char* szFileName, int nBpp, int bPalIndexMap, int nMirrorCellWidth,
                int nMirrorCellHeight) {
  if (lpDTCon) return false;
  plat::cBmpImage image;
  if (!szFileName || !plat::LoadBmpFile(szFileName, image)) return false;
  return CopyBitmapImage(lpSD, image, szFileName, nBpp, bPalIndexMap, nMirrorCellWidth, nMirrorCellHeight);
}

bool DDReloadSurface(DDSURFACEDATA* lpSD, int nBpp) {
  if (lpDTCon) return true;
  if (!lpSD || !lpSD->lpDDPart) return false;
  int map = lpSD->lpDDPart->PalIndexMap.empty() ? 0 : 1;
  return CopyBitmap(lpSD, lpSD->szFileName, nBpp, map, lpSD->nMirrorCellWidth, lpSD->nMirrorCellHeight);
}

void CreateMirror(DDSURFACEDATA* lpDstSD, DDSURFACEDATA* lpSrcSD, int nMirrorCellWidth, int nMirrorCellHeight) {
  if (!lpDTCon || !lpDstSD || !lpSrcSD || nMirrorCellWidth <= 0 || nMirrorCellHeight != 0) return;
  if (DDSetRenderTarget(lpDstSD)) {
    lpDevice->Clear(nullptr, 0, lpDTCon->dwKeyColor);
    DDRestoreRenderTarget();
  }
  const int cells = lpSrcSD->nWidth / nMirrorCellWidth;
  for (int i = 0; i < cells; ++i) {
    int x = i * nMirrorCellWidth;
    DDBlt(lpDstSD, x, 0, nMirrorCellWidth, lpSrcSD->nHeight, lpSrcSD, x + nMirrorCellWidth, 0, -nMirrorCellWidth,
          lpSrcSD->nHeight, 0);
  }
}

int DDCheckBitmapSize(int* lpFlag, const char* szFileName, int nWidth, int nHeight) {
  if (lpDTCon) return 1;
  plat::cBmpImage image;
  if (!szFileName || !plat::LoadBmpFile(szFileName, image)) {
    if (lpFlag) *lpFlag = 0;
    return 0;
  }
  if (lpFlag) *lpFlag = image.width > nWidth || image.height > nHeight;
  return 1;
}

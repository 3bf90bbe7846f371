#include "draw/dd_palette.h"

#include <cstdio>
#include <cstring>
#include <unordered_map>
#include <vector>

#include "app/base/message_box.h"
#include "app/base/report_log.h"
#include "draw/dd_globals.h"
#include "draw/dd_surface.h"
#include "draw/surface_lock.h"
#include "platform/display/bmp_decoder.h"
#include "platform/files.h"
#include "platform/sjis.h"

namespace {


uint32_t Pack16(const PALETTEENTRY& e, const DDCOLORMASK& m) {
  return ((e.blue & m.nMaskB) << m.nShiftB) | ((e.green & m.nMaskG) << m.nShiftG) | ((e.red & m.nMaskR) << m.nShiftR);
}

// The map of a record's back-end part.
std::vector<uint8_t>* MapOf(DDSURFACEDATA* sd, int** pitch) {
  if (sd->lpDT) {
    *pitch = &sd->lpDT->nPalIndexPitch;
    return &sd->lpDT->PalIndexMap;
  }
  if (sd->lpDDPart) {
    *pitch = &sd->lpDDPart->nPalIndexPitch;
    return &sd->lpDDPart->PalIndexMap;
  }
  return nullptr;
}

}  // namespace

uint32_t PalNumToRGB(uint32_t n) {
  const int bpp = DDSettings.nBpp;
  if (lpDTCon) {
    if (n > 255) {
      ECLogf("PalNumToRGB(DWORD dwPalNum) Err dwPalNum = %d", static_cast<int>(n));
      return 0;
    }
    if (bpp == 8) return n;
    if (n == 0) return lpDTCon->dwKeyColor;
    const PALETTEENTRY& e = GamePalette[n];
    return 0xFF000000u | uint32_t(e.red) << 16 | uint32_t(e.green) << 8 | e.blue;
  }
  if (n > 255) return 0;
  if (bpp == 8) return n;
  const PALETTEENTRY& e = GamePalette[n];
  if (bpp == 16) return Pack16(e, PixelColorMask);
  return uint32_t(e.red) << 16 | uint32_t(e.green) << 8 | e.blue;
}

uint32_t DDPalToRGB16(const PALETTEENTRY& entry) {
  if (lpDTCon) {
    ECLog(SJ("DDPalToRGB16はDirect3Dでは未対応"));
    return 0;
  }
  return Pack16(entry, PixelColorMask);
}

bool DDLoadPaletteFromFile(PALETTEENTRY* lpPalette, const char* szFileName) {
  plat::cBmpImage image;
  if (!lpPalette || !plat::LoadBmpFile(szFileName ? szFileName : "", image)) return false;
  const int bpp = DDSettings.nBpp;
  bool eightBitScreenTable = false;
  if (lpDTCon && image.bitCount == 8) {
    for (int i = 0; i < 256; ++i)
      lpPalette[i] = PALETTEENTRY{image.palette[i].red, image.palette[i].green, image.palette[i].blue, 255};
  } else if (bpp == 8 && image.bitCount == 8) {
    for (int i = 0; i < 256; ++i) {
      uint8_t flags = (i < 10 || i > 245) ? PC_EXPLICIT : PC_RESERVED;
      lpPalette[i] = PALETTEENTRY{image.palette[i].red, image.palette[i].green, image.palette[i].blue, flags};
    }
    eightBitScreenTable = true;
  }
  if (bpp == 8 && lpDD && lpDDPalette) lpDDPalette->SetEntries(0, 256, lpPalette);
  if ((bpp == 16 || bpp == 24 || bpp == 32) && !eightBitScreenTable) {
    DDSURFACEDATA temp;
    if (DDCreateSurfaceFromFile(&temp, szFileName, 0, bpp, DDMEMKIND_SYSTEM, DTMEMORYTYPE_SYSTEM, 0, 0, 0, 0, 0) == 0)
      DDSetPalette_UnPal(lpPalette, &temp);
    DDReleaseSurface(&temp);
  }
  return true;
}

void DDSetPalette_UnPal(PALETTEENTRY* lpPalette, DDSURFACEDATA* lpSD) {
  if (!lpPalette) return;
  cSurfaceLock lock;
  if (!lock.Lock(lpSD)) {
    if (lpDTCon) ECLog("DDSetPalette_UnPal Lock Err");
    return;
  }
  const DDCOLORMASK& m = PixelColorMask;
  const int bytes = lock.m_nBytesPerPixel;
  if (bytes != 2 && bytes != 4) return;
  for (int r = 0; r < 16; ++r) {
    for (int c = 0; c < 16; ++c) {
      // A picture smaller than the block leaves the entries it does not cover.
      if (!lock.Inside(c, 8 + r)) continue;
      uint32_t p = plat::ReadPixel(lock.Row(8 + r) + c * bytes, bytes);
      PALETTEENTRY& e = lpPalette[r * 16 + c];
      uint32_t red = (p >> m.nShiftR) & m.nMaskR, green = (p >> m.nShiftG) & m.nMaskG, blue = (p >> m.nShiftB) & m.nMaskB;
      if (lpDTCon) {
        if (bytes == 2) {
          if (!((p >> m.nShiftA) & m.nMaskA)) continue;
          e.red = uint8_t(red * 255 / m.nMaskR);
          e.green = uint8_t(green * 255 / m.nMaskG);
          e.blue = uint8_t(blue * 255 / m.nMaskB);
        } else {
          if ((p >> 24) == 0) continue;
          e = PALETTEENTRY{uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p), uint8_t(p >> 24)};
        }
      } else if (bytes == 2) {
        e.red = uint8_t(red);
        e.green = uint8_t(green);
        e.blue = uint8_t(blue);
      } else {
        e = PALETTEENTRY{uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p), uint8_t(p >> 24)};
      }
    }
  }
}

bool DDSetTransmitFromFile(const char* szFileName) {
  const char* name = szFileName ? szFileName : "";
  const int bpp = DDSettings.nBpp;
  DDSURFACEDATA temp;
  if (DDCreateSurfaceFromFile(&temp, name, 0, bpp, DDMEMKIND_SYSTEM, DTMEMORYTYPE_SYSTEM, 0, 0, 0, 0, 0) != 0) {
    ECLogf(SJ("%s 作成失敗！"), name);
    DDReleaseSurface(&temp);
    return false;
  }
  {
    cSurfaceLock lock;
    if (!lock.Lock(&temp) || lock.m_nWidth < 1 || lock.m_nHeight < 1) {
      ECLog(SJ("Lock 失敗！"));
      lock.Unlock();
      DDReleaseSurface(&temp);
      return false;
    }
    const uint8_t* p = lock.Row(0);
    if (lpDTCon && bpp == 16) {
      uint32_t pixel = plat::Load16(p);
      dwColorKey = pixel;
      plat::cBmpImage image;
      if (plat::LoadBmpFile(name, image) && image.bitCount == 8) {
        const PALETTEENTRY& e = image.palette[0];
        lpDTCon->rgbFileKey = RGBTRIPLE{e.blue, e.green, e.red};
      }
      const DDCOLORMASK& m = PixelColorMask;
      DDSetTransmit(uint8_t((pixel >> m.nShiftR) & m.nMaskR), uint8_t((pixel >> m.nShiftG) & m.nMaskG),
                    uint8_t((pixel >> m.nShiftB) & m.nMaskB));
    } else if (lpDTCon && bpp == 32) {
      DDSetTransmit(p[2], p[1], p[0]);
    } else if (!lpDTCon) {
      if (bpp == 8) {
        dwColorKey = p[0];
      } else if (bpp == 16) {
        dwColorKey = plat::Load16(p);
      } else if (bpp == 32) {
        dwColorKey = plat::Load32(p);
        if (lpDDCon) lpDDCon->rgbTransmit = RGBTRIPLE{p[0], p[1], p[2]};
      }
    }
  }
  DDReleaseSurface(&temp);
  return true;
}

void DDSetTransmit(uint8_t cbRed, uint8_t cbGreen, uint8_t cbBlue) {
  const int bpp = DDSettings.nBpp;
  if (lpDTCon) {
    lpDTCon->rgbTransmit = RGBTRIPLE{cbBlue, cbGreen, cbRed};
    ECLogf("SetTrans lpDTCon->rgbTransmit.rgbtRed = %d,lpDTCon->rgbTransmit.rgbtGreen = %d,"
           "lpDTCon->rgbTransmit.rgbtBlue = %d",
           cbRed, cbGreen, cbBlue);
    lpDTCon->dwKeyColor = 0;
    lpDTCon->dwOpaqueKey = 0xFF000000u | uint32_t(cbRed) << 16 | uint32_t(cbGreen) << 8 | cbBlue;
    if (bpp == 16) {
      // The three values are field values, as the key bitmap's pixel gives them.
      const DDCOLORMASK& m = PixelColorMask;
      lpDTCon->wTransmit_16 = static_cast<uint16_t>(((cbBlue & m.nMaskB) << m.nShiftB) |
                                                    ((cbGreen & m.nMaskG) << m.nShiftG) |
                                                    ((cbRed & m.nMaskR) << m.nShiftR) | ((m.nMaskA & 1) << m.nShiftA));
    } else if (bpp == 32) {
      lpDTCon->wTransmit_16 = 0;
      dwColorKey = lpDTCon->dwKeyColor;
    }
    return;
  }
  if (bpp == 16) {
    const DDCOLORMASK& m = PixelColorMask;
    uint32_t g = cbGreen * m.nMaskG / 255, b = cbBlue * m.nMaskB / 255, r = cbRed * m.nMaskR / 255;
    dwColorKey = (g << m.nShiftG | b << m.nShiftB | r << m.nShiftR) & 0xFFFF;
    ECLog(SJ("※16bit色で　DDSetTransmit(BYTE cbRed,BYTE cbGreen,BYTE cbBlue)　は未対応！"));
    ECLogf("Tr %d RGB32(%d,%d,%d) -> RGB16(%d,%d,%d)", static_cast<int>(dwColorKey), cbRed, cbGreen, cbBlue,
           m.nMaskR ? static_cast<int>(r * 255 / m.nMaskR) : 0, m.nMaskG ? static_cast<int>(g * 255 / m.nMaskG) : 0,
           m.nMaskB ? static_cast<int>(b * 255 / m.nMaskB) : 0);
  } else if (bpp == 32) {
    dwColorKey = uint32_t(cbRed) << 16 | uint32_t(cbGreen) << 8 | cbBlue;
    if (lpDDCon) lpDDCon->rgbTransmit = RGBTRIPLE{cbBlue, cbGreen, cbRed};
  }
}

void DDGetPixelMasks(DDCOLORMASK* lpMask) {
  if (lpDTCon || !lpMask || !PrimarySD.lpDDPart || !PrimarySD.lpDDPart->lpSurface) return;
  plat::ChannelMasks m = plat::MasksOf(PrimarySD.lpDDPart->lpSurface->Format());
  lpMask->nShiftR = m.redShift;
  lpMask->nShiftG = m.greenShift;
  lpMask->nShiftB = m.blueShift;
  lpMask->nMaskR = m.redMask;
  lpMask->nMaskG = m.greenMask;
  lpMask->nMaskB = m.blueMask;
}

bool DDCreatePalIndexMap(DDSURFACEDATA* lpSD) {
  if (!lpSD) return false;
  int* pitch = nullptr;
  std::vector<uint8_t>* map = MapOf(lpSD, &pitch);
  if (!map) return false;
  cSurfaceLock lock;
  if (!lock.Lock(lpSD)) {
    OutOfMemory();
    return false;
  }
  map->assign(static_cast<size_t>(lock.m_nHeight) * lock.m_nPitch, 0);
  *pitch = lock.m_nPitch;
  const int bytes = lock.m_nBytesPerPixel;
  const bool keyed = lpDTCon && lock.m_lpSD && lock.m_lpSD->lpDT && lock.m_lpSD->lpDT->bColorKey;
  const DDCOLORMASK& m = PixelColorMask;
  auto firstEntry = [](uint8_t r, uint8_t g, uint8_t b) -> int {
    for (int i = 0; i < 256; ++i)
      if (GamePalette[i].red == r && GamePalette[i].green == g && GamePalette[i].blue == b) return i;
    return 0;
  };
  if (bytes == 2) {
    std::vector<int16_t> found(65536, -1);
    for (int y = 0; y < lock.m_nHeight; ++y) {
      for (int x = 0; x < lock.m_nWidth; ++x) {
        uint32_t p = plat::Load16(lock.Row(y) + 2 * x);
        if (found[p] < 0) {
          int index = 0;
          if (lpDTCon) {
            if (!(keyed && p == 0)) {
              uint32_t r = ((p >> m.nShiftR) & m.nMaskR) * 255 / m.nMaskR;
              uint32_t g = ((p >> m.nShiftG) & m.nMaskG) * 255 / m.nMaskG;
              uint32_t b = ((p >> m.nShiftB) & m.nMaskB) * 255 / m.nMaskB;
              index = firstEntry(uint8_t(r), uint8_t(g), uint8_t(b));
            }
          } else {
            for (int i = 0; i < 256; ++i)
              if (Pack16(GamePalette[i], m) == p) {
                index = i;
                break;
              }
          }
          found[p] = static_cast<int16_t>(index);
        }
        (*map)[static_cast<size_t>(y) * lock.m_nPitch + x] = static_cast<uint8_t>(found[p]);
      }
    }
  } else if (bytes == 4) {
    std::unordered_map<uint32_t, uint8_t> found;
    for (int y = 0; y < lock.m_nHeight; ++y) {
      for (int x = 0; x < lock.m_nWidth; ++x) {
        uint32_t rgb = plat::Load32(lock.Row(y) + 4 * x) & 0xFFFFFF;
        auto it = found.find(rgb);
        if (it == found.end())
          it = found.emplace(rgb, uint8_t(firstEntry(uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb)))).first;
        (*map)[static_cast<size_t>(y) * lock.m_nPitch + x] = it->second;
      }
    }
  }
  return true;
}

bool DDLoadBlendTable(uint8_t* lpTable, const char* szFileName) {
  if (lpDTCon) return true;
  FILE* f = plat::OpenFile(szFileName ? szFileName : "", "rb");
  if (!f) return false;
  std::vector<uint8_t> table(65536);
  size_t got = std::fread(table.data(), 1, table.size(), f);
  std::fclose(f);
  // A short file would leave part of the table stale: it is refused.
  if (got != table.size() || !lpTable) return false;
  std::memcpy(lpTable, table.data(), table.size());
  return true;
}

bool DDInitPaletteAndTransmit(int bKeyFromSettings, uint8_t cbRed, uint8_t cbGreen, uint8_t cbBlue) {
  if (!lpDTCon && !(lpDD && lpDDPalette)) return true;
  if (!DDLoadPaletteFromFile(GamePalette, kPaletteFile)) return false;
  std::memcpy(ScreenPalette, GamePalette, sizeof ScreenPalette);
  if (!bKeyFromSettings) return DDSetTransmitFromFile(kPaletteFile);
  if (DDSettings.nBpp == 16) {
    if (!DDSetTransmitFromFile(kPaletteFile)) return false;
    RGBTRIPLE key{cbBlue, cbGreen, cbRed};
    if (lpDTCon) lpDTCon->rgbFileKey = key;
    if (lpDDCon) lpDDCon->rgbFileKey = key;
    return true;
  }
  DDSetTransmit(cbRed, cbGreen, cbBlue);
  return true;
}

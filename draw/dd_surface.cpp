#include "draw/dd_surface.h"

#include <algorithm>
#include <cstring>

#include "app/base/message_box.h"
#include "app/base/report_log.h"
#include "app/base/shell_globals.h"
#include "draw/dd_bitmap_copy.h"
#include "draw/dd_blit.h"
#include "draw/dd_device_state.h"
#include "draw/dd_globals.h"
#include "draw/dd_palette.h"
#include "platform/display/bmp_decoder.h"
#include "platform/sjis.h"

namespace {

void SetText(char (&dst)[260], const char* text) {
  std::memset(dst, 0, sizeof dst);
  if (text) std::strncpy(dst, text, sizeof dst - 1);
}

// The COM-like fields of a Direct3D part, cleared before a fresh creation.
void ClearDeviceObjects(DTSURFACEDATA* dt) {
  dt->lpTexture.reset();
  dt->lpSurface.reset();
  dt->lpSystemSurface.reset();
  dt->lpVB.reset();
  dt->Desc = plat::SurfaceDesc{};
}

// A 4-vertex buffer for a surface's own quad.
plat::HResult MakeVertexBuffer(DTSURFACEDATA* dt) {
  return lpDevice->CreateVertexBuffer(4 * sizeof(plat::Vertex), &dt->lpVB);
}

void AddToSurfaceList(DDSURFACEDATA* sd) {
  if (std::find(SurfaceList.begin(), SurfaceList.end(), sd) == SurfaceList.end()) SurfaceList.push_back(sd);
}

// Shown when no texture can be made at all; the game is then closed.
void TextureFailureEnd() {
  if (lpDTCon && !lpDTCon->strMessage.empty()) ErrorBox(lpDTCon->strMessage.c_str());
  RequestClose();
}

bool CreateSurfaceDD(DDSURFACEDATA* sd, int w, int h, int colorKey, int memKind) {
  std::shared_ptr<plat::cSurface> surface;
  if (!lpDD) return false;
  plat::MemoryPool pool = memKind == DDMEMKIND_SYSTEM ? plat::MemoryPool::kSystem : plat::MemoryPool::kVideo;
  if (plat::Failed(lpDD->CreateSurface(w, h, pool, &surface))) {
    if (pool == plat::MemoryPool::kSystem) {
      ReportLogEC("CreateSurface System Err");
      return false;
    }
    // Video memory full: system memory once.
    pool = plat::MemoryPool::kSystem;
    if (plat::Failed(lpDD->CreateSurface(w, h, pool, &surface))) {
      ReportLogEC("CreateSurface Video -> System Err");
      return false;
    }
  }
  sd->lpDDPart->lpSurface = surface;
  if (colorKey == 1 && plat::Failed(surface->SetColorKey(dwColorKey))) ReportLogEC("SetColorKey Err");
  sd->nWidth = sd->nTexWidth = w;
  sd->nHeight = sd->nTexHeight = h;
  sd->nMemKind = pool == plat::MemoryPool::kSystem ? DDMEMKIND_SYSTEM : DDMEMKIND_VIDEO;
  // An empty surface starts in the transparent colour.
  DDFillRectPal(sd, 0, 0, w, h, 0);
  return true;
}

bool CreateSurfaceD3D(DDSURFACEDATA* sd, int w, int h, int colorKey, int memKind, int memType, int noTexture,
                      int recreate) {
  DTSURFACEDATA* dt = sd->lpDT.get();
  if (!lpDevice || !lpDTCon) return false;
  if (!recreate) {
    SetText(sd->szSurfaceType, "OffScreen");
    SetText(sd->szFileName, "E");
    dt->nMemType = memType;
    dt->bColorKey = colorKey == 1;
    ClearDeviceObjects(dt);
    if (!noTexture) {
      dt->nTexNo = lpDTCon->nTexCounter++;
      if (plat::Failed(MakeVertexBuffer(dt))) {
        ReportLogEC("CreateVertexBuffer Err");
        return false;
      }
    }
  }
  if (noTexture) {
    sd->nWidth = sd->nTexWidth = w;
    sd->nHeight = sd->nTexHeight = h;
    sd->nMemKind = memKind;
    return true;
  }
  int tw = w, th = h;
  DDAdjustTextureSize(tw, th);
  if (!DDCheckTextureSize(tw, th)) ReportLogEC("%s", SJ("上記の理由でテクスチャの描画が失敗する可能性があります。(空)"));
  if (dt->nMemType == DTMEMORYTYPE_VIDEO_NORT) dt->nMemType = DTMEMORYTYPE_VIDEO_RT;
  bool switched = false;
  if (dt->nMemType == DTMEMORYTYPE_VIDEO_RT) {
    dt->bRenderTarget = 1;
    plat::HResult hr = lpDevice->CreateTexture(tw, th, 1, plat::cSurface::kUsageRenderTarget, lpDTCon->fmtTexture,
                                               plat::MemoryPool::kVideo, &dt->lpTexture);
    if (hr == plat::kErrOutOfVideoMemory) {
      ReportLogEC("%s", SJ("VRAM不足のためシステムメモリにテクスチャを作成します。(空)"));
      dt->nMemType = DTMEMORYTYPE_SYSTEM;
      switched = true;
    } else if (plat::Failed(hr)) {
      return false;
    }
  }
  if (dt->nMemType == DTMEMORYTYPE_SYSTEM && (!recreate || switched)) {
    dt->bRenderTarget = 0;
    plat::HResult hr = lpDevice->CreateTexture(tw, th, 1, plat::cSurface::kUsageDynamic, lpDTCon->fmtTexture,
                                               plat::MemoryPool::kSystem, &dt->lpTexture);
    if (plat::Failed(hr)) {
      ReportLogEC("D3DXCreateTexture Err hr = %x", static_cast<unsigned>(hr));
      TextureFailureEnd();
      return false;
    }
  }
  if (!dt->lpTexture) return false;
  plat::HResult hr = dt->lpTexture->GetSurfaceLevel(0, &dt->lpSurface);
  if (plat::Failed(hr)) {
    ReportLogEC("GetSurfaceLevel Err hr = %x", static_cast<unsigned>(hr));
    return false;
  }
  dt->Desc = dt->lpTexture->GetLevelDesc();
  if (dt->nMemType == DTMEMORYTYPE_VIDEO_RT && !recreate) {
    hr = lpDevice->CreateOffscreenPlainSurface(tw, th, lpDTCon->fmtTexture, plat::MemoryPool::kSystem,
                                               &dt->lpSystemSurface);
    if (plat::Failed(hr)) {
      ReportLogEC("CreateOffscreenPlainSurface Err hr = %x", static_cast<unsigned>(hr));
      TextureFailureEnd();
      return false;
    }
  }
  sd->nWidth = w;
  sd->nHeight = h;
  sd->nTexWidth = dt->Desc.width;
  sd->nTexHeight = dt->Desc.height;
  if (dt->bRenderTarget && DDSetRenderTarget(sd)) {
    lpDevice->Clear(nullptr, 0, lpDTCon->dwOpaqueKey);
    DDRestoreRenderTarget();
  }
  if (!recreate) AddToSurfaceList(sd);
  return true;
}

int CreateSurfaceFromFileDD(DDSURFACEDATA* sd, const char* name, int colorKey, int bpp, int memKind, int palMap,
                            int mcw, int mch) {
  plat::cBmpImage image;
  if (!plat::LoadBmpFile(name, image)) {
    ECLog(name);
    return DDERRCODE_LOADIMAGE;
  }
  if (!DDCreateSurface(sd, image.width, image.height, colorKey, memKind, 0, 0, 0)) return DDERRCODE_CREATESURFACE;
  if (!CopyBitmapImage(sd, image, name, bpp, palMap, mcw, mch)) return DDERRCODE_LOADIMAGE;
  sd->nMirrorCellWidth = mcw;
  sd->nMirrorCellHeight = mch;
  sd->nWidth = sd->nTexWidth = image.width;
  sd->nHeight = sd->nTexHeight = image.height;
  SetText(sd->szFileName, name);
  return DDERRCODE_OK;
}

int CreateSurfaceFromFileD3D(DDSURFACEDATA* sd, const char* name, int colorKey, int bpp, int memKind, int memType,
                             int noTexture, int palMap, int mcw, int mch, int recreate) {
  DTSURFACEDATA* dt = sd->lpDT.get();
  if (!lpDevice || !lpDTCon) return DDERRCODE_CREATESURFACE;
  if (!recreate) {
    SetText(sd->szSurfaceType, "OffScreenFromFile");
    SetText(sd->szFileName, name);
    dt->nMemType = memType;
    dt->bColorKey = colorKey == 1;
    ClearDeviceObjects(dt);
    if (!noTexture) {
      dt->nTexNo = lpDTCon->nTexCounter++;
      plat::HResult hr = MakeVertexBuffer(dt);
      if (plat::Failed(hr)) {
        ReportLogEC("CreateVertexBuffer Err %x", static_cast<unsigned>(hr));
        return hr;
      }
    }
  }
  plat::cBmpImage image;
  if (!plat::LoadBmpFile(name, image)) {
    if (name[0]) ReportLogEC("LoadImage Err %s", name);
    return DDERRCODE_LOADIMAGE;
  }
  if (noTexture) {
    sd->nWidth = sd->nTexWidth = image.width;
    sd->nHeight = sd->nTexHeight = image.height;
  } else {
    int tw = image.width, th = image.height;
    DDAdjustTextureSize(tw, th);
    if (!DDCheckTextureSize(tw, th))
      ReportLogEC(SJ("上記の理由でテクスチャの描画が失敗する可能性があります。(%s)"), name);
    // Pixels of the key colour always load as transparent black; the colour-key
    // flag only decides how unkeyed blits treat the surface.
    const RGBTRIPLE& k = bpp == 16 ? lpDTCon->rgbFileKey : lpDTCon->rgbTransmit;
    const uint32_t key = 0xFF000000u | uint32_t(k.rgbtRed) << 16 | uint32_t(k.rgbtGreen) << 8 | k.rgbtBlue;
    if (dt->nMemType == DTMEMORYTYPE_VIDEO_NORT) {
      ECLog(SJ("DDCreateSurfaceFromFile Err DTMEMORYTYPE_VIDEO_NORTの指定は未対応です。DTMEMORYTYPE_VIDEO_RTでテクスチャを作成します。"));
      dt->nMemType = DTMEMORYTYPE_VIDEO_RT;
    }
    bool switched = false;
    if (dt->nMemType == DTMEMORYTYPE_VIDEO_RT) {
      dt->bRenderTarget = 0;
      plat::HResult hr = plat::CreateTextureFromBmpFile(lpDevice.get(), name, tw, th, 0, lpDTCon->fmtTexture,
                                                        plat::MemoryPool::kManaged, key, nullptr, &dt->lpTexture);
      if (hr == plat::kErrOutOfVideoMemory) {
        ReportLogEC(SJ("VRAM不足のためシステムメモリにテクスチャを作成します。(%s)"), name);
        dt->nMemType = DTMEMORYTYPE_SYSTEM;
        switched = true;
      } else if (plat::Failed(hr)) {
        ReportLogEC(SJ("テクスチャの作成に失敗。(%s)"), name);
        return hr;
      }
    }
    if (dt->nMemType == DTMEMORYTYPE_SYSTEM && (!recreate || switched)) {
      plat::HResult hr =
          plat::CreateTextureFromBmpFile(lpDevice.get(), name, tw, th, plat::cSurface::kUsageDynamic,
                                         lpDTCon->fmtTexture, plat::MemoryPool::kSystem, key, nullptr, &dt->lpTexture);
      if (plat::Failed(hr)) {
        ReportLogEC("D3DXCreateTextureFromFileEx Err %x %s", static_cast<unsigned>(hr), name);
        TextureFailureEnd();
        return hr;
      }
    }
    if (!dt->lpTexture) return DDERRCODE_CREATESURFACE;
    dt->lpTexture->GetSurfaceLevel(0, &dt->lpSurface);
    dt->Desc = dt->lpTexture->GetLevelDesc();
    sd->nWidth = image.width;
    sd->nHeight = image.height;
    sd->nTexWidth = dt->Desc.width;
    sd->nTexHeight = dt->Desc.height;
    if (mcw || mch) {
      DDSURFACEDATA plain;
      if (DDCreateSurfaceFromFile(&plain, name, colorKey, bpp, memKind, memType, 0, 0, 0, 0, 0) == DDERRCODE_OK)
        CreateMirror(sd, &plain, mcw, mch);
      DDReleaseSurface(&plain);
    }
    if (!recreate) AddToSurfaceList(sd);
  }
  sd->nMirrorCellWidth = mcw;
  sd->nMirrorCellHeight = mch;
  sd->nMemKind = memKind;
  if (palMap && bpp != 8) {
    DDCreatePalIndexMap(sd);
  } else {
    dt->PalIndexMap.clear();
    dt->nPalIndexPitch = 0;
  }
  return DDERRCODE_OK;
}

}  // namespace

void DDAllocSurfaceParts(DDSURFACEDATA* lpSD) {
  if (!lpSD) return;
  if (DDSettings.nBackEnd != 0) {
    if (!lpSD->lpDT) lpSD->lpDT = std::make_unique<DTSURFACEDATA>();
  } else {
    if (!lpSD->lpDDPart) lpSD->lpDDPart = std::make_unique<DDSURFACEPART>();
  }
}

bool DDCreateSurface(DDSURFACEDATA* lpSD, int nWidth, int nHeight, int bColorKey, int nDDMemKind, int nDTMemType,
                     int bNoTexture, int bRecreate) {
  if (!lpSD || nWidth <= 0 || nHeight <= 0) return false;
  DDAllocSurfaceParts(lpSD);
  if (lpDTCon) {
    if (!lpSD->lpDT) return false;
    return CreateSurfaceD3D(lpSD, nWidth, nHeight, bColorKey, nDDMemKind, nDTMemType, bNoTexture, bRecreate);
  }
  if (!lpSD->lpDDPart) return false;
  return CreateSurfaceDD(lpSD, nWidth, nHeight, bColorKey, nDDMemKind);
}

int DDCreateSurfaceFromFile(DDSURFACEDATA* lpSD, const char* szFileName, int bColorKey, int nBpp, int nDDMemKind,
                            int nDTMemType, int bNoTexture, int bPalIndexMap, int nMirrorCellWidth,
                            int nMirrorCellHeight, int bRecreate) {
  if (!lpSD) return DDERRCODE_CREATESURFACE;
  const char* name = szFileName ? szFileName : "";
  DDAllocSurfaceParts(lpSD);
  if (lpDTCon) {
    if (!lpSD->lpDT) return DDERRCODE_CREATESURFACE;
    return CreateSurfaceFromFileD3D(lpSD, name, bColorKey, nBpp, nDDMemKind, nDTMemType, bNoTexture, bPalIndexMap,
                                    nMirrorCellWidth, nMirrorCellHeight, bRecreate);
  }
  if (!lpSD->lpDDPart) return DDERRCODE_CREATESURFACE;
  return CreateSurfaceFromFileDD(lpSD, name, bColorKey, nBpp, nDDMemKind, bPalIndexMap, nMirrorCellWidth,
                                 nMirrorCellHeight);
}

bool DDSurfaceErrorCheck(int nCode) {
  switch (nCode) {
    case DDERRCODE_CREATESURFACE: ECLog("CREATESURFACE_ERR"); return false;
    case DDERRCODE_LOADIMAGE: ECLog("LOADIMAGE_ERR"); return false;
    case DDERRCODE_SETCOLORKEY: ECLog("SETCOLORKEY_ERR"); return false;
    default: return true;
  }
}

void DDAdjustTextureSize(int& nWidth, int& nHeight) {
  if (!lpDTCon) return;
  auto pow2 = [](int v) {
    if (v <= 0 || (v & (v - 1)) == 0) return v;
    int high = 1;
    while (high <= v / 2) high <<= 1;
    return high * 2;
  };
  if (lpDTCon->bPow2) {
    nWidth = pow2(nWidth);
    nHeight = pow2(nHeight);
  }
  if (lpDTCon->bSquareOnly) nWidth = nHeight = std::max(nWidth, nHeight);
}

bool DDCheckTextureSize(int nWidth, int nHeight) {
  if (!lpDTCon) return true;
  bool ok = true;
  if (nWidth > lpDTCon->Caps.maxTextureWidth) {
    ReportLogEC(SJ("このビデオカードでは横幅%dを超える画像はサポートされていません！"), lpDTCon->Caps.maxTextureWidth);
    ok = false;
  }
  if (nHeight > lpDTCon->Caps.maxTextureHeight) {
    ReportLogEC(SJ("このビデオカードでは縦幅%dを超える画像はサポートされていません！"), lpDTCon->Caps.maxTextureHeight);
    ok = false;
  }
  return ok;
}

void DDReleaseSurfaceData(DDSURFACEDATA* lpSD) {
  if (!lpSD) return;
  if (lpSD->lpDT) {
    // An alias owns nothing of the record it stands for.
    const int texNo = lpSD->lpAliasSD ? 0 : lpSD->lpDT->nTexNo;
    SurfaceList.remove_if([&](DDSURFACEDATA* e) {
      return e == lpSD || (texNo != 0 && e->lpDT && e->lpDT->nTexNo == texNo);
    });
    lpSD->lpDT.reset();
  }
  lpSD->lpDDPart.reset();
}

void DDReleaseSurface(DDSURFACEDATA* lpSD) { DDReleaseSurfaceData(lpSD); }

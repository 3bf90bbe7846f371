#include "draw/dd_init.h"

#include <cstring>

#include "app/base/message_box.h"
#include "app/base/report_log.h"
#include "draw/dd_device_state.h"
#include "draw/dd_globals.h"
#include "draw/dd_palette.h"
#include "draw/dd_surface.h"
#include "draw/dd_vir_back.h"
#include "platform/display/display_window.h"
#include "platform/sjis.h"

namespace {

constexpr unsigned kIconError = 0x10;

// Error codes of the DirectDraw set-up.
constexpr int kErrCreateEx = 1, kErrCoopLevel = 2, kErrDisplayMode = 3, kErrCreateSurface = 4,
              kErrAttachedSurface = 5, kErrCreatePalette = 6, kErrSetPalette = 7, kErrClipper = 10,
              kErrClipperWindow = 11, kErrSetClipper = 12;

void SetText(char (&dst)[260], const char* text) {
  std::memset(dst, 0, sizeof dst);
  std::strncpy(dst, text, sizeof dst - 1);
}

void HideCursor() {
  while (plat::ShowCursor(false) >= 0) {
  }
}

void ShowCursor() {
  while (plat::ShowCursor(true) < 0) {
  }
}

void ReleaseSystemSurfaces() {
  if (!DDSettings.lpSurfaces) return;
  for (int i = 0; i < DDSettings.nCount; ++i) DDReleaseSurface(&DDSettings.lpSurfaces[i]);
}

// A device record still allocated at exit is freed.
struct cDeviceRecordsAtExit {
  ~cDeviceRecordsAtExit() {
    delete lpDTCon;
    lpDTCon = nullptr;
    delete lpDDCon;
    lpDDCon = nullptr;
  }
} gDeviceRecordsAtExit;

}  // namespace

bool DDInit(int nBackEnd, plat::HWND hWnd, int nWidth, int nHeight, int nBpp, int bVSync, int bWindowed,
            int nBackBufferFlag, int nRefreshRate, int bRefreshAtModeSet, DDSURFACEDATA* lpSurfaces,
            DDSURFACEINFO* lpInfo, int nCount) {
  // A windowed DirectDraw start gives the desktop its own mode back first.
  if (nBackEnd == 0 && bWindowed && lpDD) lpDD->RestoreDisplayMode();
  // Whatever an earlier set-up made is released before anything new is made, for
  // either back end (a new device record must not be freed by that release).
  if (bDDCreated) DDRelease();

  DDSettings.nBackEnd = nBackEnd;
  DDSettings.hWnd = hWnd;
  DDSettings.nWidth = nWidth;
  DDSettings.nHeight = nHeight;
  DDSettings.nBpp = nBpp;
  DDSettings.nBytesPerPixel = nBpp / 8;
  DDSettings.bVSync = bVSync;
  DDSettings.bWindowed = bWindowed;
  DDSettings.nBackBufferFlag = nBackBufferFlag;
  DDSettings.nRefreshRate = nRefreshRate;
  DDSettings.bRefreshAtModeSet = bRefreshAtModeSet;
  DDSettings.lpSurfaces = lpSurfaces;
  DDSettings.lpInfo = lpInfo;
  DDSettings.nCount = nCount;
  ReportLog("VSync : %d", bVSync);

  if (nBackEnd != 0) {
    if (!DDInitD3D(hWnd, nWidth, nHeight)) return false;
  } else {
    delete lpDDCon;
    lpDDCon = new DDCONDATA;
    int code;
    if (!bWindowed) {
      plat::SetWindowFullScreen(hWnd, true);
      code = DDInitFullScreen(hWnd, nWidth, nHeight, nBpp, nBackBufferFlag);
    } else {
      code = DDInitWindow(hWnd);
    }
    if (!DDInitErrorCheck(code)) return false;
  }
  bDDReady = 1;
  bDDCreated = 1;
  return true;
}

int DDInitD3D(plat::HWND hWnd, int nWidth, int nHeight) {
  int level = plat::DisplayDriverLevel();
  if (level < 9) {
    ReportLogEC(SJ("ビデオカードのドライバがDirectX9をサポートしていません！ %d"), level);
    return 0;
  }
  lpD3D = plat::cD3D::Create();
  if (!lpD3D) {
    ReportLogEC("%s", SJ("ビデオカードがDirectX9をサポートしていません！"));
    return 0;
  }
  delete lpDTCon;
  lpDTCon = new DTCONDATA;
  lpDTCon->dwDiffuse = 0xFFFFFFFF;
  lpDTCon->dwColorOp = 4;
  lpDTCon->dwAlphaOp = 4;

  plat::PresentParams pp;
  if (DDSettings.bWindowed) {
    pp.width = 0;
    pp.height = 0;
    pp.refreshRate = 0;
    if (DDSettings.bVSync) {
      if (!plat::ChangeDesktopRefresh(60, true)) {
        ReportLogEC("ChangeDisplaySettings != DISP_CHANGE_SUCCESSFUL");
      } else if (!plat::ChangeDesktopRefresh(60, false)) {
        ReportLogEC("ChangeDisplaySettings Err = %x", 1u);
      }
      plat::DisplayMode mode;
      lpD3D->GetAdapterDisplayMode(&mode);
      ReportLogEC("RefreshRate : %d", mode.refreshRate);
      if (mode.refreshRate != 60) {
        DDSettings.bVSync = 0;
        ReportLogEC("%s", SJ("リフレッシュレートの変更に失敗しました！垂直同期が無効になります！"));
      }
    }
  } else {
    pp.width = nWidth;
    pp.height = nHeight;
    pp.refreshRate = 60;
  }
  pp.presentInterval = DDSettings.bVSync ? plat::kIntervalDefault : plat::kIntervalImmediate;

  lpDTCon->nAdapter = 0;
  lpDTCon->nDeviceType = 1;
  if (plat::Failed(lpD3D->GetDeviceCaps(&lpDTCon->Caps))) ECLog("GetDeviceCaps Err");
  const int swapEffect = lpDTCon->Caps.alphaFlipOrDiscard ? plat::kSwapDiscard : plat::kSwapCopy;
  lpDTCon->bPow2 = lpDTCon->Caps.pow2Textures;
  lpDTCon->bSquareOnly = lpDTCon->Caps.squareTextures;
  lpDTCon->bDynamicTextures = lpDTCon->Caps.dynamicTextures;

  switch (DDSettings.nBpp) {
    case 32:
      lpDTCon->fmtBackBuffer = plat::PixelFormat::kX8R8G8B8;
      lpDTCon->fmtTexture = plat::PixelFormat::kA8R8G8B8;
      PixelColorMask = DDCOLORMASK{16, 8, 0, 24, 255, 255, 255, 255};
      break;
    case 16:
      if (!DDSettings.bWindowed) {
        lpDTCon->fmtBackBuffer = plat::PixelFormat::kR5G6B5;
        BackBufferColorMask = DDCOLORMASK{11, 5, 0, 16, 0x1F, 0x3F, 0x1F, 0};
      } else {
        lpDTCon->fmtBackBuffer = plat::PixelFormat::kA1R5G5B5;
        BackBufferColorMask = DDCOLORMASK{10, 5, 0, 15, 0x1F, 0x1F, 0x1F, 1};
      }
      lpDTCon->fmtTexture = plat::PixelFormat::kA1R5G5B5;
      PixelColorMask = DDCOLORMASK{10, 5, 0, 15, 0x1F, 0x1F, 0x1F, 1};
      break;
    default:
      return 0;
  }

  pp.backBufferFormat = lpDTCon->fmtBackBuffer;
  pp.backBufferCount = 1;
  pp.swapEffect = swapEffect;
  pp.window = 0;  // the focus window
  pp.windowed = DDSettings.bWindowed != 0;
  pp.lockableBackBuffer = true;

  plat::HResult hr = lpD3D->CreateDevice(hWnd, plat::kCreateHardwareVertexProcessing, &pp, &lpDevice);
  if (plat::Failed(hr)) {
    hr = lpD3D->CreateDevice(hWnd, plat::kCreateSoftwareVertexProcessing, &pp, &lpDevice);
    if (plat::Failed(hr)) {
      ECLog("CreateDevice Err");
      return 0;
    }
    ReportLogEC("Device HAL-SOFT");
  } else {
    ReportLogEC("Device HAL-HARD");
  }
  ReportLogEC("%s", plat::PixelFormatName(lpDTCon->fmtBackBuffer));
  lpDTCon->PresentParams = lpDevice->Params();

  DDSetRenderStates();
  DDResetDiffuse();
  DDResetColorOp();
  DDResetAlphaOp();

  DDAllocSurfaceParts(&BackBuffer);
  BackBuffer.nWidth = BackBuffer.nTexWidth = nWidth;
  BackBuffer.nHeight = BackBuffer.nTexHeight = nHeight;
  BackBuffer.nMemKind = 0;
  SetText(BackBuffer.szSurfaceType, "BackBuffer");
  DTSURFACEDATA* back = BackBuffer.lpDT.get();
  back->nMemType = DTMEMORYTYPE_VIDEO_RT;
  back->nTexNo = 0;
  back->bRenderTarget = 1;
  hr = lpDevice->CreateVertexBuffer(4 * sizeof(plat::Vertex), &back->lpVB);
  if (plat::Failed(hr)) {
    ReportLogEC("Back CreateVertexBuffer Err %x", static_cast<unsigned>(hr));
    return 0;
  }
  lpDevice->GetBackBuffer(&back->lpSurface);
  if (back->lpSurface) {
    back->Desc.format = back->lpSurface->Format();
    back->Desc.usage = back->lpSurface->Usage();
    back->Desc.pool = back->lpSurface->Pool();
    back->Desc.width = back->lpSurface->Width();
    back->Desc.height = back->lpSurface->Height();
  }
  lpDTCon->nTexCounter = 1;
  lpDTCon->nFontCounter = 0;

  DDAllocSurfaceParts(&VirBackBuffer);
  DDSetVirBackBuffer(0);
  lpDTCon->bCopying = 0;
  DDCreateSurface(&VirBackBuffer, nWidth, nHeight, 0, 0, 0, 0, 0);
  SetText(VirBackBuffer.szSurfaceType, "VirBackBuffer");
  DDCreateSurface(&WorkSD, nWidth, nHeight, 0, 0, 0, 0, 0);
  SetText(WorkSD.szSurfaceType, "WorkSD");

  if (!DDSettings.bWindowed) HideCursor();
  return 1;
}

void DDSetRenderStates() {
  if (!lpDevice) return;
  lpDevice->SetRenderState(plat::RenderState::kCullMode, 1);
  lpDevice->SetRenderState(plat::RenderState::kZEnable, 0);
  lpDevice->SetRenderState(plat::RenderState::kAlphaBlendEnable, 1);
  lpDevice->SetRenderState(plat::RenderState::kSrcBlend, plat::kBlendSrcAlpha);
  lpDevice->SetRenderState(plat::RenderState::kDestBlend, plat::kBlendInvSrcAlpha);
  lpDevice->SetRenderState(plat::RenderState::kDiffuseMaterialSource, 1);
  lpDevice->SetRenderState(plat::RenderState::kColorVertex, 1);
  for (int sampler = 0; sampler < 2; ++sampler) {
    lpDevice->SetSamplerState(sampler, plat::SamplerStateType::kAddressU, plat::kAddressWrap);
    lpDevice->SetSamplerState(sampler, plat::SamplerStateType::kAddressV, plat::kAddressWrap);
    lpDevice->SetSamplerState(sampler, plat::SamplerStateType::kMinFilter, 1);
    lpDevice->SetSamplerState(sampler, plat::SamplerStateType::kMagFilter, 1);
  }
}

int DDInitFullScreen(plat::HWND hWnd, int nWidth, int nHeight, int nBpp, int nBackBufferFlag) {
  ScreenCopySD.nMemKind = DDMEMKIND_SYSTEM;
  PrimarySD.nMemKind = DDMEMKIND_VIDEO;
  BackBuffer.nMemKind = DDMEMKIND_VIDEO;
  for (DDSURFACEDATA* sd : {&ScreenCopySD, &PrimarySD, &BackBuffer}) {
    sd->nWidth = sd->nTexWidth = nWidth;
    sd->nHeight = sd->nTexHeight = nHeight;
  }
  if (plat::Failed(plat::cDDraw::Create(&lpDD))) {
    ReportLogEC("DirectDrawCreateEx Err");
    return kErrCreateEx;
  }
  if (plat::Failed(lpDD->SetCooperativeLevel(hWnd, plat::kCoopFullScreen | plat::kCoopAllowReboot |
                                                       plat::kCoopExclusive))) {
    ReportLogEC("SetCooperativeLevel Err");
    return kErrCoopLevel;
  }
  plat::HResult hr;
  if (DDSettings.bRefreshAtModeSet) {
    hr = lpDD->SetDisplayMode(nWidth, nHeight, nBpp, DDSettings.nRefreshRate);
    if (plat::Failed(hr)) hr = lpDD->SetDisplayMode(nWidth, nHeight, nBpp, 0);
  } else {
    hr = lpDD->SetDisplayMode(nWidth, nHeight, nBpp, 0);
  }
  if (plat::Failed(hr)) {
    ReportLogEC("SetDisplayMode Err");
    return kErrDisplayMode;
  }
  DDAllocSurfaceParts(&PrimarySD);
  if (plat::Failed(lpDD->CreatePrimarySurface(nBackBufferFlag == 1 ? 1 : 2, nWidth, nHeight,
                                              &PrimarySD.lpDDPart->lpSurface))) {
    ReportLogEC("Primary CreateSurface Err");
    return kErrCreateSurface;
  }
  DDAllocSurfaceParts(&BackBuffer);
  SetText(BackBuffer.szSurfaceType, "BackBuffer");
  if (plat::Failed(PrimarySD.lpDDPart->lpSurface->GetAttachedBackBuffer(&BackBuffer.lpDDPart->lpSurface))) {
    ReportLogEC("GetAttachedSurface Err");
    return kErrAttachedSurface;
  }
  if (!DDCreateSurface(&ScreenCopySD, nWidth, nHeight, 0, DDMEMKIND_SYSTEM, 0, 0, 0)) return kErrCreateSurface;

  PALETTEENTRY entries[256];
  for (int i = 0; i < 256; ++i) entries[i] = PALETTEENTRY{uint8_t(i), uint8_t(i), 0, PC_RESERVED};
  entries[0] = PALETTEENTRY{0, 0, 255, PC_RESERVED};
  if (plat::Failed(lpDD->CreatePalette(entries, &lpDDPalette))) {
    ReportLogEC("CreatePalette Err");
    return kErrCreatePalette;
  }
  if (nBpp > 8) {
    DDGetPixelMasks(&PixelColorMask);
  } else if (plat::Failed(PrimarySD.lpDDPart->lpSurface->SetPalette(lpDDPalette))) {
    ReportLogEC("SetPalette Err");
    return kErrSetPalette;
  }
  HideCursor();
  return 0;
}

int DDInitWindow(plat::HWND hWnd) {
  plat::Rect client = plat::WindowClientRect(hWnd);
  ClientScreenRect = client;
  const int w = client.Width(), h = client.Height();
  PrimarySD.nMemKind = DDMEMKIND_VIDEO;
  BackBuffer.nMemKind = DDMEMKIND_VIDEO;
  ScreenCopySD.nMemKind = DDMEMKIND_SYSTEM;
  const int desktopBpp = plat::DesktopBpp();
  if (plat::Failed(plat::cDDraw::Create(&lpDD))) {
    ReportLogEC("DirectDrawCreateEx Err");
    return kErrCreateEx;
  }
  if (plat::Failed(lpDD->SetCooperativeLevel(hWnd, plat::kCoopNormal))) {
    ReportLogEC("SetCooperativeLevel Err");
    return kErrCoopLevel;
  }
  DDAllocSurfaceParts(&PrimarySD);
  if (plat::Failed(lpDD->CreatePrimarySurface(0, w, h, &PrimarySD.lpDDPart->lpSurface))) {
    ReportLogEC("Primary CreateSurface Err");
    return kErrCreateSurface;
  }
  PrimarySD.nWidth = PrimarySD.nTexWidth = w;
  PrimarySD.nHeight = PrimarySD.nTexHeight = h;
  if (!DDCreateSurface(&BackBuffer, w, h, 0, DDMEMKIND_VIDEO, 0, 0, 0)) return kErrCreateSurface;
  SetText(BackBuffer.szSurfaceType, "BackBuffer");
  if (!DDCreateSurface(&ScreenCopySD, w, h, 0, DDMEMKIND_SYSTEM, 0, 0, 0)) return kErrCreateSurface;

  PALETTEENTRY entries[256];
  for (int i = 0; i < 256; ++i) {
    bool system = i < 10 || i > 245;
    entries[i] = system ? PALETTEENTRY{uint8_t(i), 0, 0, PC_EXPLICIT} : PALETTEENTRY{uint8_t(i), uint8_t(i), 0, PC_RESERVED};
  }
  if (plat::Failed(lpDD->CreatePalette(entries, &lpDDPalette))) {
    ReportLogEC("CreatePalette Err");
    return kErrCreatePalette;
  }
  if (desktopBpp > 8) {
    DDGetPixelMasks(&PixelColorMask);
  } else if (plat::Failed(PrimarySD.lpDDPart->lpSurface->SetPalette(lpDDPalette))) {
    ReportLogEC("SetPalette Err");
    return kErrSetPalette;
  }
  if (plat::Failed(lpDD->CreateClipper(&lpDDClipper))) {
    ReportLogEC("CreateClipper Err");
    return kErrClipper;
  }
  if (plat::Failed(lpDDClipper->SetWindow(hWnd))) {
    ReportLogEC("SetHWnd Err");
    return kErrClipperWindow;
  }
  if (plat::Failed(PrimarySD.lpDDPart->lpSurface->SetClipper(lpDDClipper))) {
    ReportLogEC("SetClipper Err");
    return kErrSetClipper;
  }
  ShowCursor();
  return 0;
}

bool DDInitErrorCheck(int nCode) {
  const char* name = nullptr;
  switch (nCode) {
    case 0: return true;
    case 1: name = "CREATEEX_ERR"; break;
    case 2: name = "SETCOOPLEVEL_ERR"; break;
    case 3: name = "SETDISPLAYMODE_ERR"; break;
    case 4: name = "CREATESURFACE_ERR"; break;
    case 5: name = "GETATTACHEDSURFACE_ERR"; break;
    case 6: name = "CREATEPALETTE_ERR"; break;
    case 7: name = "SETPALETTE_ERR"; break;
    case 8: name = "LOADIMAGE_ERR"; break;
    case 9: name = "SETCOLORKEY_ERR"; break;
    case 10: name = "CLIPPER_ERR"; break;
    case 11: name = "SETHWND_ERR"; break;
    case 12: name = "SETCLIPPER_ERR"; break;
    default: return true;  // unknown codes count as success
  }
  ECLog(name);
  return false;
}

void DDRelease() {
  if (lpDD) {
    ReleaseSystemSurfaces();
    lpDDClipper.reset();
    lpDDPalette.reset();
    DDReleaseSurface(&BackBuffer);
    DDReleaseSurface(&PrimarySD);
    DDReleaseSurface(&ScreenCopySD);
    int left = lpDD->LiveObjects();
    lpDD.reset();
    if (left > 0) MesBox(SJ("解放漏れがあります"), "DirectDraw", MB_OK | kIconError);
  }
  // The device records go whatever part of the set-up made them.
  delete lpDDCon;
  lpDDCon = nullptr;
  if (lpD3D) {
    ReleaseSystemSurfaces();
    DDReleaseSurface(&WorkSD);
    DDReleaseSurface(&VirBackBuffer);
    DDReleaseSurface(&BackBuffer);
    lpDevice.reset();
    lpD3D.reset();
  }
  delete lpDTCon;
  lpDTCon = nullptr;
  bDDReady = 0;
  bDDCreated = 0;
}

void DDUnInit() { DDRelease(); }

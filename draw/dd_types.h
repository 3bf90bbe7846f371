#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/display/d3d_device.h"
#include "platform/display/ddraw_device.h"
#include "platform/display/pixel_format.h"
#include "platform/messages.h"

// The drawing layer's records: surfaces, surface descriptors, pixel formats and
// the device records of the two back ends.

using PALETTEENTRY = plat::PaletteEntry;
// Palette entry flags.
constexpr uint8_t PC_RESERVED = 0x01;
constexpr uint8_t PC_EXPLICIT = 0x02;

struct RGBTRIPLE {
  uint8_t rgbtBlue = 0, rgbtGreen = 0, rgbtRed = 0;
};

// Direct3D memory types of a surface.
enum DTMEMORYTYPE : int {
  DTMEMORYTYPE_VIDEO_RT = 0,    // render-target texture (files: managed pool)
  DTMEMORYTYPE_SYSTEM = 1,      // dynamic texture in system memory
  DTMEMORYTYPE_VIDEO_NORT = 2,  // accepted as DTMEMORYTYPE_VIDEO_RT
};

// DirectDraw memory kinds.
constexpr int DDMEMKIND_VIDEO = 0;
constexpr int DDMEMKIND_SYSTEM = 1;

// A pixel format: bit position and right-aligned maximum of each channel.
struct DDCOLORMASK {
  int nShiftR = 0, nShiftG = 0, nShiftB = 0, nShiftA = 0;
  int nMaskR = 0, nMaskG = 0, nMaskB = 0, nMaskA = 0;
};

// The Direct3D part of a surface record.
struct DTSURFACEDATA {
  int nTexNo = 0;  // unique per created texture; the back buffer has 0
  std::shared_ptr<plat::cSurface> lpSurface;        // level 0 (the back buffer: the swap chain's)
  std::shared_ptr<plat::cSurface> lpSystemSurface;  // system-memory twin of a render-target texture
  std::shared_ptr<plat::cVertexBuffer> lpVB;        // 4 vertices
  std::shared_ptr<plat::cTexture> lpTexture;
  plat::SurfaceDesc Desc;  // level 0
  int nMemType = DTMEMORYTYPE_VIDEO_RT;
  int bColorKey = 0;
  int bRenderTarget = 0;
  // Palette index map: one byte per pixel, rows of nPalIndexPitch bytes; empty when none.
  std::vector<uint8_t> PalIndexMap;
  int nPalIndexPitch = 0;
};

// The DirectDraw part of a surface record.
struct DDSURFACEPART {
  std::shared_ptr<plat::cSurface> lpSurface;
  std::vector<uint8_t> PalIndexMap;
  int nPalIndexPitch = 0;
};

// One surface: every picture and every drawing target of the game.
//
// Records live by value in arrays, vectors and lists. Moving a record (a vector
// growing) takes its surfaces along and keeps the Direct3D surface list pointing
// at it. Copying a record copies its description only: the copy owns no surface
// (two records never share one). Destroying a record releases what it holds.
struct DDSURFACEDATA {
  std::unique_ptr<DTSURFACEDATA> lpDT;       // Direct3D part, null in DirectDraw
  std::unique_ptr<DDSURFACEPART> lpDDPart;   // DirectDraw part, null in Direct3D
  char szSurfaceType[260] = {};              // "OffScreen", "OffScreenFromFile", "BackBuffer", ...
  int nWidth = 0, nHeight = 0;               // the picture's size
  int nTexWidth = 0, nTexHeight = 0;         // the size allocated
  char szFileName[260] = {};                 // the bitmap file; "E" when made empty
  int nMemKind = DDMEMKIND_VIDEO;            // DirectDraw memory kind actually used
  int nMirrorCellWidth = 0, nMirrorCellHeight = 0;
  DDSURFACEDATA* lpAliasSD = nullptr;        // Direct3D: the record this one stands for
  int bLost = 0;                             // contents lost: the owner must redraw them

  DDSURFACEDATA() = default;
  ~DDSURFACEDATA();
  DDSURFACEDATA(DDSURFACEDATA&& other) noexcept;
  DDSURFACEDATA& operator=(DDSURFACEDATA&& other) noexcept;
  DDSURFACEDATA(const DDSURFACEDATA& other);
  DDSURFACEDATA& operator=(const DDSURFACEDATA& other);

 private:
  void CopyDescription(const DDSURFACEDATA& other);
};

// A surface descriptor: how a surface is made.
struct DDSURFACEINFO {
  char szFileName[260] = {};  // "E" for an empty surface
  int bColorKey = 0;
  int nDDMemKind = DDMEMKIND_VIDEO;
  int nDTMemType = DTMEMORYTYPE_VIDEO_RT;
  int bNoTexture = 0;     // Direct3D: no texture; drawn through its alias
  int bPalIndexMap = 0;   // build the palette index map after loading
  int bOptional = 0;      // a failure to load is not fatal
  int nMirrorCellWidth = 0, nMirrorCellHeight = 0;
  int nWidth = 0, nHeight = 0;  // size of an empty surface

  void Set(const char* fileName, int colorKey, int ddMemKind, int dtMemType, int noTexture, int palIndexMap,
           int optional, int mirrorCellWidth, int mirrorCellHeight, int width, int height);
};

// The Direct3D device record.
struct DTCONDATA {
  plat::PixelFormat fmtBackBuffer = plat::PixelFormat::kUnknown;
  plat::PixelFormat fmtTexture = plat::PixelFormat::kUnknown;
  plat::PresentParams PresentParams;  // kept for the device reset
  int nAdapter = 0;
  int nDeviceType = 1;  // hardware
  plat::DeviceCaps Caps;
  int bPow2 = 0, bSquareOnly = 0, bDynamicTextures = 0;
  int bVirBackBuffer = 0;
  DDSURFACEDATA* lpDefaultRT = nullptr;
  int bCopying = 0;
  RGBTRIPLE rgbTransmit;       // the transparent colour
  RGBTRIPLE rgbFileKey;        // texture colour key at 16 bits per pixel
  uint32_t dwKeyColor = 0;     // device colour of palette number 0 (32 bits): transparent black
  uint32_t dwOpaqueKey = 0;    // 0xFF000000 | R<<16 | G<<8 | B of rgbTransmit
  uint16_t wReserved = 0;
  uint16_t wTransmit_16 = 0;   // the transparent colour as A1R5G5B5 with the alpha bit set
  int bInScene = 0;
  uint32_t dwDiffuse = 0xFFFFFFFF;
  uint32_t dwColorOp = 4;
  uint32_t dwAlphaOp = 4;
  int nTexCounter = 1;
  int nFontCounter = 0;
  std::string strMessage;  // shown when a texture cannot be made
};

// The DirectDraw device record.
struct DDCONDATA {
  RGBTRIPLE rgbTransmit;
  RGBTRIPLE rgbFileKey;
  int nFontCounter = 0;
};

// What DDInit keeps.
struct DDSETTINGS {
  int nBackEnd = 0;  // 0 DirectDraw, otherwise Direct3D
  plat::HWND hWnd = 0;
  int nWidth = 0, nHeight = 0;
  int nBpp = 0, nBytesPerPixel = 0;
  int bVSync = 0;
  int bWindowed = 1;
  int nBackBufferFlag = 1;  // 1: one back buffer in DirectDraw full screen, else two
  int nRefreshRate = 60;
  int bRefreshAtModeSet = 0;
  DDSURFACEDATA* lpSurfaces = nullptr;
  DDSURFACEINFO* lpInfo = nullptr;
  int nCount = 0;
};

#include "draw/dd_globals.h"

#include <algorithm>
#include <cstring>

DDSETTINGS DDSettings;
int bDDCreated = 0;
int bDDReady = 0;

std::shared_ptr<plat::cDDraw> lpDD;
std::shared_ptr<plat::cPalette> lpDDPalette;
std::shared_ptr<plat::cClipper> lpDDClipper;
DDCONDATA* lpDDCon = nullptr;
uint32_t dwColorKey = 0;
plat::Rect ClientScreenRect;

std::shared_ptr<plat::cD3D> lpD3D;
std::shared_ptr<plat::cD3DDevice> lpDevice;
DTCONDATA* lpDTCon = nullptr;

DDCOLORMASK PixelColorMask;
DDCOLORMASK BackBufferColorMask;

// The list outlives every record (records in other files may be destroyed after
// this file's globals at exit), so it is never destroyed.
std::list<DDSURFACEDATA*>& SurfaceList = *new std::list<DDSURFACEDATA*>;

DDSURFACEDATA PrimarySD;
DDSURFACEDATA BackBuffer;
DDSURFACEDATA ScreenCopySD;
DDSURFACEDATA VirBackBuffer;
DDSURFACEDATA WorkSD;
DDSURFACEDATA Off_Sys[SYS_BMP_COUNT];

PALETTEENTRY GamePalette[256];
PALETTEENTRY ScreenPalette[256];
uint8_t BlendTable[65536];

namespace {

void ReplaceInSurfaceList(DDSURFACEDATA* from, DDSURFACEDATA* to) {
  for (DDSURFACEDATA*& entry : SurfaceList)
    if (entry == from) entry = to;
}

void RemoveFromSurfaceList(DDSURFACEDATA* sd) { SurfaceList.remove(sd); }

}  // namespace

DDSURFACEDATA::~DDSURFACEDATA() {
  if (lpDT) RemoveFromSurfaceList(this);
}

DDSURFACEDATA::DDSURFACEDATA(DDSURFACEDATA&& other) noexcept
    : lpDT(std::move(other.lpDT)), lpDDPart(std::move(other.lpDDPart)) {
  CopyDescription(other);
  if (lpDT) ReplaceInSurfaceList(&other, this);
}

DDSURFACEDATA& DDSURFACEDATA::operator=(DDSURFACEDATA&& other) noexcept {
  if (this == &other) return *this;
  if (lpDT) RemoveFromSurfaceList(this);
  lpDT = std::move(other.lpDT);
  lpDDPart = std::move(other.lpDDPart);
  CopyDescription(other);
  if (lpDT) ReplaceInSurfaceList(&other, this);
  return *this;
}

DDSURFACEDATA::DDSURFACEDATA(const DDSURFACEDATA& other) { CopyDescription(other); }

DDSURFACEDATA& DDSURFACEDATA::operator=(const DDSURFACEDATA& other) {
  if (this == &other) return *this;
  if (lpDT) RemoveFromSurfaceList(this);
  lpDT.reset();
  lpDDPart.reset();
  CopyDescription(other);
  return *this;
}

void DDSURFACEDATA::CopyDescription(const DDSURFACEDATA& o) {
  std::memcpy(szSurfaceType, o.szSurfaceType, sizeof szSurfaceType);
  nWidth = o.nWidth;
  nHeight = o.nHeight;
  nTexWidth = o.nTexWidth;
  nTexHeight = o.nTexHeight;
  std::memcpy(szFileName, o.szFileName, sizeof szFileName);
  nMemKind = o.nMemKind;
  nMirrorCellWidth = o.nMirrorCellWidth;
  nMirrorCellHeight = o.nMirrorCellHeight;
  lpAliasSD = o.lpAliasSD;
  bLost = o.bLost;
}

void DDSURFACEINFO::Set(const char* fileName, int colorKey, int ddMemKind, int dtMemType, int noTexture,
                        int palIndexMap, int optional, int mirrorCellWidth, int mirrorCellHeight, int width,
                        int height) {
  std::memset(szFileName, 0, sizeof szFileName);
  if (fileName) std::strncpy(szFileName, fileName, sizeof szFileName - 1);
  bColorKey = colorKey;
  nDDMemKind = ddMemKind;
  nDTMemType = dtMemType;
  bNoTexture = noTexture;
  bPalIndexMap = palIndexMap;
  bOptional = optional;
  nMirrorCellWidth = mirrorCellWidth;
  nMirrorCellHeight = mirrorCellHeight;
  nWidth = width;
  nHeight = height;
}

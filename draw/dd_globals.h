#pragma once
#include <cstdint>
#include <list>
#include <memory>

#include "draw/dd_types.h"

// The drawing layer's global state. None of it is locked: the layer runs on the
// thread that draws the frame (set-up, release and the device restore run on the
// window thread while nothing draws).

// Number of system surfaces.
constexpr int SYS_BMP_COUNT = 71;

extern DDSETTINGS DDSettings;
extern int bDDCreated;  // DDInit succeeded once: a later DDInit releases first
extern int bDDReady;    // the layer exists (message boxes may use it)

// DirectDraw back end.
extern std::shared_ptr<plat::cDDraw> lpDD;
extern std::shared_ptr<plat::cPalette> lpDDPalette;
extern std::shared_ptr<plat::cClipper> lpDDClipper;
extern DDCONDATA* lpDDCon;
extern uint32_t dwColorKey;         // device colour of the transparent colour
extern plat::Rect ClientScreenRect;  // windowed: where the back buffer is shown on the primary

// Direct3D back end.
extern std::shared_ptr<plat::cD3D> lpD3D;
extern std::shared_ptr<plat::cD3DDevice> lpDevice;
extern DTCONDATA* lpDTCon;  // non-null exactly while the Direct3D back end is set up

// Pixel formats: the screen's (DirectDraw) or the textures' (Direct3D), and the
// 16-bit Direct3D back buffer's.
extern DDCOLORMASK PixelColorMask;
extern DDCOLORMASK BackBufferColorMask;

// Surfaces of the layer itself.
extern DDSURFACEDATA PrimarySD;     // DirectDraw primary surface
extern DDSURFACEDATA BackBuffer;    // the back buffer of either back end
extern DDSURFACEDATA ScreenCopySD;  // DirectDraw: screen-size system-memory copy used by the fades
extern DDSURFACEDATA VirBackBuffer; // Direct3D: virtual back buffer
extern DDSURFACEDATA WorkSD;        // Direct3D: screen-size work render target

// The system surfaces and their descriptors.
extern DDSURFACEDATA Off_Sys[SYS_BMP_COUNT];
extern DDSURFACEINFO SysBmpInfo[SYS_BMP_COUNT];

// Every Direct3D surface made with a texture, for the device restore.
extern std::list<DDSURFACEDATA*>& SurfaceList;

// Palettes and the 8-bit blend table.
extern PALETTEENTRY GamePalette[256];
extern PALETTEENTRY ScreenPalette[256];
extern uint8_t BlendTable[65536];

// The layer's depth in bits per pixel (DDInit's setting).
inline int DDBpp() { return DDSettings.nBpp; }

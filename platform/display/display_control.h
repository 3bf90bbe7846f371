#pragma once
#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

// The one control object of the software display device: what the simulated
// machine offers (desktop, driver level, capabilities, video memory) and the
// faults that tests inject (creation failures, device loss, surface loss, out of
// video memory). The program itself never changes it; tests reset it first.
namespace plat {

// Results of the display device's operations: 0 is success.
using HResult = int32_t;
constexpr HResult kOk = 0;
constexpr HResult kErrGeneric = static_cast<HResult>(0x8A000001);
constexpr HResult kErrInvalidCall = static_cast<HResult>(0x8A000002);
constexpr HResult kErrOutOfVideoMemory = static_cast<HResult>(0x8A000003);
constexpr HResult kErrOutOfMemory = static_cast<HResult>(0x8A000004);
constexpr HResult kErrSurfaceLost = static_cast<HResult>(0x8A000005);
constexpr HResult kErrDeviceLost = static_cast<HResult>(0x8A000006);
constexpr HResult kErrDeviceNotReset = static_cast<HResult>(0x8A000007);
constexpr HResult kErrNotAvailable = static_cast<HResult>(0x8A000008);
constexpr HResult kErrUnsupportedMode = static_cast<HResult>(0x8A000009);
constexpr HResult kErrInvalidRect = static_cast<HResult>(0x8A00000A);
constexpr HResult kErrLocked = static_cast<HResult>(0x8A00000B);
constexpr HResult kErrNotLocked = static_cast<HResult>(0x8A00000C);
inline bool Failed(HResult hr) { return hr < 0; }

// Operations whose failure can be injected.
enum class DisplayOp : int {
  kDirectDrawCreate,
  kSetCooperativeLevel,
  kSetDisplayMode,
  kCreatePrimary,
  kGetAttachedSurface,
  kCreateSurface,  // DirectDraw-like off-screen surfaces, any memory
  kCreatePalette,
  kSetPalette,
  kCreateClipper,
  kClipperSetWindow,
  kSetClipper,
  kSetColorKey,
  kLock,  // any surface lock
  kDirect3DCreate,
  kGetDeviceCaps,
  kCreateDeviceHardware,
  kCreateDeviceSoftware,
  kCreateTexture,  // empty textures and textures loaded from files
  kCreateVertexBuffer,
  kCreateOffscreenPlain,
  kBeginScene,
  kSetRenderTarget,
  kReset,
  kVideoMemory,  // the next video-memory allocations fail as out of video memory
  kCreateIndexBuffer,
  kSetDialogBoxMode,
  kFlipToGDISurface,
  kCount
};

// Capabilities of the simulated Direct3D-like device.
struct DeviceCaps {
  bool pow2Textures = false;
  bool squareTextures = false;
  bool dynamicTextures = true;
  bool alphaFlipOrDiscard = true;
  int maxTextureWidth = 8192;
  int maxTextureHeight = 8192;
};

// What the adapter of the simulated machine tells of itself: the lines of the
// display report that describe the graphics driver.
struct AdapterInfo {
  std::string versionText = "Software display device 1.0";
  std::string chipType = "Software quad rasteriser";
  std::string driverName = "korvane_display";
  uint16_t driverVersion[4] = {1, 0, 0, 1};  // most significant part first
  int maxTextureBlendStages = 1;              // the device blends one texture stage
  int maxSimultaneousTextures = 1;
  bool directDrawAccelerated = true;
  bool direct3DAccelerated = true;
  bool agp = false;                           // no graphics bus: textures live in main memory
};

// The simulated machine.
struct DisplayMachine {
  int driverLevel = 9;           // the display driver's interface level; 99999 when unknown
  int desktopBpp = 32;           // 8, 16 or 32
  int desktopRefresh = 60;       // Hz
  bool desktopCan60Hz = true;    // whether the desktop can be switched to 60 Hz
  std::vector<int> fullScreenRefreshRates{60};  // rates a full-screen mode may ask for (0 always works)
  std::vector<int> fullScreenDepths{8, 16, 32};
  uint32_t videoMemoryBytes = 256u << 20;
  DeviceCaps caps;
  AdapterInfo adapter;
};

class cDisplayControl {
 public:
  // Back to the default machine, no faults, no loss.
  void Reset();

  DisplayMachine& Machine() { return m_machine; }

  // The next n calls of op fail (after `skip` calls that succeed).
  void FailNext(DisplayOp op, int n = 1, int skip = 0);
  // Consumes one call of op: true when this call must fail.
  bool ShouldFail(DisplayOp op);

  // The Direct3D-like device reports itself lost until RegainDevice; then it
  // waits for a reset.
  void LoseDevice();
  void RegainDevice();
  bool DeviceLost() const { return m_deviceLost.load(); }
  bool DeviceRegained() const { return m_deviceRegained.load(); }
  void ClearDeviceLoss();

  // Every DirectDraw-like surface reports itself lost; video-memory contents are gone.
  void LoseSurfaces();

 private:
  std::mutex m_mutex;
  DisplayMachine m_machine;
  std::array<int, static_cast<int>(DisplayOp::kCount)> m_failCount{};
  std::array<int, static_cast<int>(DisplayOp::kCount)> m_skipCount{};
  std::atomic<bool> m_deviceLost{false};
  std::atomic<bool> m_deviceRegained{false};
};

cDisplayControl& DisplayControl();

// The display driver's interface level (99999 when unknown) and the desktop's depth.
inline int DisplayDriverLevel() { return DisplayControl().Machine().driverLevel; }
inline int DesktopBpp() { return DisplayControl().Machine().desktopBpp; }

}  // namespace plat

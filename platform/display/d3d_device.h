#pragma once
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/display/raster.h"
#include "platform/display/surface.h"

// The Direct3D-like interface of the software display device: a device with a
// back buffer, textures (default, managed and system pools; render targets and
// dynamic textures), off-screen surfaces, vertex buffers, a render target, clear,
// the texture-stage and blend states the drawing layer uses, triangle strips
// drawn by the quad rasteriser, scenes, present, device loss and reset.
namespace plat {

// Present parameters.
constexpr int kSwapDiscard = 1;
constexpr int kSwapCopy = 3;
constexpr uint32_t kIntervalDefault = 0;
constexpr uint32_t kIntervalImmediate = 0x80000000u;
// Device creation: vertex processing.
constexpr uint32_t kCreateHardwareVertexProcessing = 0x40;
constexpr uint32_t kCreateSoftwareVertexProcessing = 0x20;

struct PresentParams {
  int width = 0, height = 0;  // 0: the window's client area
  PixelFormat backBufferFormat = PixelFormat::kUnknown;
  int backBufferCount = 1;
  int swapEffect = kSwapDiscard;
  uint32_t window = 0;
  bool windowed = true;
  bool lockableBackBuffer = false;
  int refreshRate = 0;
  uint32_t presentInterval = kIntervalDefault;
};

struct DisplayMode {
  int width = 0, height = 0, refreshRate = 0;
  PixelFormat format = PixelFormat::kUnknown;
};

// Description of a texture level or surface.
struct SurfaceDesc {
  PixelFormat format = PixelFormat::kUnknown;
  uint32_t usage = 0;
  MemoryPool pool = MemoryPool::kVideo;
  int width = 0, height = 0;
};

class cTexture {
 public:
  cTexture(std::shared_ptr<cSurface> level0, uint32_t usage) : m_level(std::move(level0)), m_usage(usage) {}
  // Level 0 (the only level).
  HResult GetSurfaceLevel(int level, std::shared_ptr<cSurface>* out) const;
  SurfaceDesc GetLevelDesc() const;
  const std::shared_ptr<cSurface>& Level0() const { return m_level; }

 private:
  std::shared_ptr<cSurface> m_level;
  uint32_t m_usage;
};

// A vertex buffer (managed pool: it survives a device reset).
class cVertexBuffer {
 public:
  explicit cVertexBuffer(int vertices) : m_vertices(static_cast<size_t>(vertices)) {}
  int Count() const { return static_cast<int>(m_vertices.size()); }
  Vertex* Data() { return m_vertices.data(); }
  const Vertex* Data() const { return m_vertices.data(); }

 private:
  std::vector<Vertex> m_vertices;
};

// A 16-bit index buffer (managed pool: it survives a device reset).
class cIndexBuffer {
 public:
  explicit cIndexBuffer(int indexes) : m_indexes(static_cast<size_t>(indexes)) {}
  int Count() const { return static_cast<int>(m_indexes.size()); }
  uint16_t* Data() { return m_indexes.data(); }
  const uint16_t* Data() const { return m_indexes.data(); }

 private:
  std::vector<uint16_t> m_indexes;
};

// Render states.
enum class RenderState { kAlphaBlendEnable, kSrcBlend, kDestBlend, kTextureFactor, kCullMode, kZEnable, kLighting,
                         kColorVertex, kDiffuseMaterialSource };
// Texture-stage states.
enum class StageStateType { kColorOp, kColorArg1, kColorArg2, kAlphaOp, kAlphaArg1, kAlphaArg2 };
// Sampler states.
enum class SamplerStateType { kAddressU, kAddressV, kMinFilter, kMagFilter };

class cD3DDevice;

// What a format check asks a format to serve as: one usage of a surface or texture.
enum class FormatUsage { kAutoGenMipmap, kDepthStencil, kDisplacementMap, kDoNotClip, kDynamic, kNPatches, kPoints,
                         kRtPatches, kRenderTarget, kSoftwareProcessing, kWriteOnly };
enum class ResourceKind { kSurface, kTexture };

class cD3D {
 public:
  // Null when the interface cannot be made (injected failure).
  static std::shared_ptr<cD3D> Create();
  HResult GetAdapterDisplayMode(DisplayMode* out) const;
  HResult GetDeviceCaps(DeviceCaps* out) const;
  // Whether the device can make a resource of the format for the usage while the
  // adapter shows adapterFormat: kOk; kErrNotAvailable when it cannot (no mipmaps,
  // depth buffers or displacement maps, a format it does not take); kErrInvalidCall
  // for a usage that belongs to vertex buffers, or a dynamic plain surface.
  HResult CheckDeviceFormat(PixelFormat adapterFormat, FormatUsage usage, ResourceKind kind,
                            PixelFormat format) const;
  HResult CreateDevice(uint32_t focusWindow, uint32_t behaviour, PresentParams* params,
                       std::shared_ptr<cD3DDevice>* out);
};

class cD3DDevice {
 public:
  ~cD3DDevice();

  HResult CreateTexture(int width, int height, int levels, uint32_t usage, PixelFormat format, MemoryPool pool,
                        std::shared_ptr<cTexture>* out);
  HResult CreateOffscreenPlainSurface(int width, int height, PixelFormat format, MemoryPool pool,
                                      std::shared_ptr<cSurface>* out);
  HResult CreateVertexBuffer(int bytes, std::shared_ptr<cVertexBuffer>* out);
  // 16-bit indexes.
  HResult CreateIndexBuffer(int bytes, std::shared_ptr<cIndexBuffer>* out);
  HResult GetBackBuffer(std::shared_ptr<cSurface>* out);
  HResult GetDeviceCaps(DeviceCaps* out) const;
  uint32_t AvailableTextureMem() const;

  // Drawing state.
  HResult SetRenderTarget(int index, const std::shared_ptr<cSurface>& target);
  const std::shared_ptr<cSurface>& RenderTarget() const { return m_target; }
  // Fills rectangles of the render target (all of it without rectangles) with an
  // A8R8G8B8 colour converted to the target's format.
  HResult Clear(const Rect* rects, int count, uint32_t argb);
  HResult BeginScene();
  HResult EndScene();
  bool InScene() const { return m_inScene; }
  void SetRenderState(RenderState state, uint32_t value);
  void SetTextureStageState(int stage, StageStateType type, uint32_t value);
  void SetSamplerState(int sampler, SamplerStateType type, uint32_t value);
  HResult SetTexture(int stage, const std::shared_ptr<cTexture>& texture);
  HResult SetStreamSource(const std::shared_ptr<cVertexBuffer>& buffer, int stride);
  HResult SetFVF(uint32_t fvf);
  HResult SetIndices(const std::shared_ptr<cIndexBuffer>& indexes);
  const RasterState& CurrentRasterState() const { return m_raster; }
  // Draws primitiveCount triangles of a strip from the stream source.
  HResult DrawTriangleStrip(int startVertex, int primitiveCount);
  // The same from vertices given directly.
  HResult DrawTriangleStripUP(const Vertex* vertices, int primitiveCount);
  // primitiveCount triangles of a strip whose vertices are the stream source's
  // vertices named by the index buffer from startIndex on.
  HResult DrawIndexedTriangleStrip(int startIndex, int primitiveCount);

  // Copies between a render target and a system-memory surface of the same size and format.
  HResult GetRenderTargetData(cSurface* renderTarget, cSurface* system);
  HResult UpdateSurface(cSurface* system, cSurface* destination);

  // Shows the back buffer; kErrDeviceLost when the device is lost.
  HResult Present();
  // kOk, kErrDeviceLost (not yet back) or kErrDeviceNotReset (ready for Reset).
  HResult TestCooperativeLevel() const;
  // Fails while default-pool objects or references to the back buffer are alive.
  HResult Reset(PresentParams* params);
  // Lets windows of the game's own (message boxes, dialogs) show over a full-screen device.
  HResult SetDialogBoxMode(bool on);
  bool DialogBoxMode() const { return m_dialogBoxMode; }

  const PresentParams& Params() const { return m_params; }
  int LiveObjects() const { return m_objects->live.load(); }

 private:
  friend class cD3D;
  cD3DDevice(const PresentParams& params, std::shared_ptr<DeviceObjects> objects);
  HResult MakeBackBuffer();

  PresentParams m_params;
  std::shared_ptr<DeviceObjects> m_objects;
  std::shared_ptr<cSurface> m_backBuffer;
  std::shared_ptr<cSurface> m_target;
  std::shared_ptr<cTexture> m_texture;
  std::shared_ptr<cVertexBuffer> m_stream;
  std::shared_ptr<cIndexBuffer> m_indexes;
  RasterState m_raster;
  bool m_inScene = false;
  bool m_dialogBoxMode = false;
};

// Loads a BMP file into a new texture of width x height (the picture at the top
// left, the rest transparent black). Pixels whose colour, as A8R8G8B8 with alpha
// 255, equals colorKey become transparent black. info receives the picture's size
// and depth. A file that cannot be read gives kErrInvalidCall.
struct ImageInfo {
  int width = 0, height = 0, bitCount = 0;
};
HResult CreateTextureFromBmpFile(cD3DDevice* device, std::string_view gamePath, int width, int height,
                                 uint32_t usage, PixelFormat format, MemoryPool pool, uint32_t colorKey,
                                 ImageInfo* info, std::shared_ptr<cTexture>* out);

}  // namespace plat

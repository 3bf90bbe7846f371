#include "platform/display/d3d_device.h"

#include <algorithm>
#include <cstring>

#include "platform/display/bmp_decoder.h"
#include "platform/display/display_control.h"
#include "platform/display/display_window.h"

namespace plat {
namespace {

bool IsPow2(int v) { return v > 0 && (v & (v - 1)) == 0; }

bool CopySamePicture(const cSurface* from, cSurface* to) {
  if (!from || !to || from->Width() != to->Width() || from->Height() != to->Height() ||
      from->Format() != to->Format())
    return false;
  const size_t rowBytes = static_cast<size_t>(from->Width()) * from->BytesPerPixel();
  for (int y = 0; y < from->Height(); ++y) std::memcpy(to->Row(y), from->Row(y), rowBytes);
  return true;
}

}  // namespace

HResult cTexture::GetSurfaceLevel(int level, std::shared_ptr<cSurface>* out) const {
  out->reset();
  if (level != 0 || !m_level) return kErrInvalidCall;
  *out = m_level;
  return kOk;
}

SurfaceDesc cTexture::GetLevelDesc() const {
  SurfaceDesc d;
  if (!m_level) return d;
  d.format = m_level->Format();
  d.usage = m_usage;
  d.pool = m_level->Pool();
  d.width = m_level->Width();
  d.height = m_level->Height();
  return d;
}

std::shared_ptr<cD3D> cD3D::Create() {
  if (DisplayControl().ShouldFail(DisplayOp::kDirect3DCreate)) return nullptr;
  return std::make_shared<cD3D>();
}

HResult cD3D::GetAdapterDisplayMode(DisplayMode* out) const {
  const DisplayMachine& m = DisplayControl().Machine();
  out->width = 1280;
  out->height = 1024;
  out->refreshRate = m.desktopRefresh;
  out->format = m.desktopBpp == 16 ? PixelFormat::kR5G6B5 : m.desktopBpp == 8 ? PixelFormat::kP8
                                                                              : PixelFormat::kX8R8G8B8;
  return kOk;
}

HResult cD3D::GetDeviceCaps(DeviceCaps* out) const {
  if (DisplayControl().ShouldFail(DisplayOp::kGetDeviceCaps)) return kErrGeneric;
  *out = DisplayControl().Machine().caps;
  return kOk;
}

HResult cD3D::CheckDeviceFormat(PixelFormat adapterFormat, FormatUsage usage, ResourceKind kind,
                                PixelFormat format) const {
  auto takes = [](PixelFormat f) {
    return f == PixelFormat::kA1R5G5B5 || f == PixelFormat::kA8R8G8B8 || f == PixelFormat::kR5G6B5 ||
           f == PixelFormat::kX8R8G8B8;
  };
  if (!takes(adapterFormat) || !takes(format)) return kErrNotAvailable;
  switch (usage) {
    case FormatUsage::kRenderTarget: return kOk;
    case FormatUsage::kDynamic:
      if (kind == ResourceKind::kSurface) return kErrInvalidCall;
      return DisplayControl().Machine().caps.dynamicTextures ? kOk : kErrNotAvailable;
    case FormatUsage::kAutoGenMipmap:
    case FormatUsage::kDepthStencil:
    case FormatUsage::kDisplacementMap: return kErrNotAvailable;
    default: return kErrInvalidCall;  // usages of vertex buffers
  }
}

HResult cD3D::CreateDevice(uint32_t focusWindow, uint32_t behaviour, PresentParams* params,
                           std::shared_ptr<cD3DDevice>* out) {
  out->reset();
  DisplayOp op = (behaviour & kCreateHardwareVertexProcessing) ? DisplayOp::kCreateDeviceHardware
                                                               : DisplayOp::kCreateDeviceSoftware;
  if (DisplayControl().ShouldFail(op)) return kErrNotAvailable;
  if (!params) return kErrInvalidCall;
  PixelFormat f = params->backBufferFormat;
  if (f != PixelFormat::kR5G6B5 && f != PixelFormat::kA1R5G5B5 && f != PixelFormat::kX8R8G8B8)
    return kErrNotAvailable;
  const DisplayMachine& m = DisplayControl().Machine();
  if (!params->windowed && params->refreshRate != 0 &&
      std::find(m.fullScreenRefreshRates.begin(), m.fullScreenRefreshRates.end(), params->refreshRate) ==
          m.fullScreenRefreshRates.end())
    return kErrNotAvailable;
  PresentParams p = *params;
  if (p.window == 0) p.window = focusWindow;
  auto objects = std::make_shared<DeviceObjects>();
  objects->videoBudget = m.videoMemoryBytes;
  std::shared_ptr<cD3DDevice> device(new cD3DDevice(p, objects));
  HResult hr = device->MakeBackBuffer();
  if (Failed(hr)) return hr;
  *out = std::move(device);
  return kOk;
}

cD3DDevice::cD3DDevice(const PresentParams& params, std::shared_ptr<DeviceObjects> objects)
    : m_params(params), m_objects(std::move(objects)) {}

cD3DDevice::~cD3DDevice() = default;

HResult cD3DDevice::MakeBackBuffer() {
  int w = m_params.width, h = m_params.height;
  if (m_params.windowed && (w == 0 || h == 0)) {
    Rect client = WindowClientRect(m_params.window);
    w = client.Width();
    h = client.Height();
  }
  std::shared_ptr<cSurface> back;
  HResult hr = cSurface::Make(w, h, m_params.backBufferFormat, MemoryPool::kVideo, SurfaceApi::kDirect3D, m_objects,
                              false, &back);
  if (Failed(hr)) return hr;
  back->SetUsage(cSurface::kUsageRenderTarget);
  back->SetLockable(m_params.lockableBackBuffer);
  m_backBuffer = back;
  m_target = back;
  return kOk;
}

HResult cD3DDevice::CreateTexture(int width, int height, int levels, uint32_t usage, PixelFormat format,
                                  MemoryPool pool, std::shared_ptr<cTexture>* out) {
  out->reset();
  if (DisplayControl().ShouldFail(DisplayOp::kCreateTexture)) return kErrGeneric;
  const DeviceCaps& caps = DisplayControl().Machine().caps;
  if (levels != 1 || width <= 0 || height <= 0 || width > caps.maxTextureWidth || height > caps.maxTextureHeight)
    return kErrInvalidCall;
  if (caps.pow2Textures && (!IsPow2(width) || !IsPow2(height))) return kErrInvalidCall;
  if (caps.squareTextures && width != height) return kErrInvalidCall;
  if (format != PixelFormat::kA1R5G5B5 && format != PixelFormat::kA8R8G8B8 && format != PixelFormat::kR5G6B5 &&
      format != PixelFormat::kX8R8G8B8)
    return kErrInvalidCall;
  if ((usage & cSurface::kUsageRenderTarget) && pool != MemoryPool::kVideo) return kErrInvalidCall;
  if ((usage & cSurface::kUsageDynamic) && !caps.dynamicTextures) return kErrInvalidCall;
  std::shared_ptr<cSurface> level;
  HResult hr = cSurface::Make(width, height, format, pool, SurfaceApi::kDirect3D, m_objects,
                              pool == MemoryPool::kVideo, &level);
  if (Failed(hr)) return hr;
  level->SetUsage(usage);
  level->SetLockable(!(usage & cSurface::kUsageRenderTarget));
  *out = std::make_shared<cTexture>(std::move(level), usage);
  return kOk;
}

HResult cD3DDevice::CreateOffscreenPlainSurface(int width, int height, PixelFormat format, MemoryPool pool,
                                                std::shared_ptr<cSurface>* out) {
  out->reset();
  if (DisplayControl().ShouldFail(DisplayOp::kCreateOffscreenPlain)) return kErrGeneric;
  return cSurface::Make(width, height, format, pool, SurfaceApi::kDirect3D, m_objects, pool == MemoryPool::kVideo,
                        out);
}

HResult cD3DDevice::CreateVertexBuffer(int bytes, std::shared_ptr<cVertexBuffer>* out) {
  out->reset();
  if (DisplayControl().ShouldFail(DisplayOp::kCreateVertexBuffer)) return kErrOutOfMemory;
  if (bytes < static_cast<int>(sizeof(Vertex))) return kErrInvalidCall;
  *out = std::make_shared<cVertexBuffer>(bytes / static_cast<int>(sizeof(Vertex)));
  return kOk;
}

HResult cD3DDevice::CreateIndexBuffer(int bytes, std::shared_ptr<cIndexBuffer>* out) {
  out->reset();
  if (DisplayControl().ShouldFail(DisplayOp::kCreateIndexBuffer)) return kErrOutOfMemory;
  if (bytes < static_cast<int>(sizeof(uint16_t))) return kErrInvalidCall;
  *out = std::make_shared<cIndexBuffer>(bytes / static_cast<int>(sizeof(uint16_t)));
  return kOk;
}

HResult cD3DDevice::GetBackBuffer(std::shared_ptr<cSurface>* out) {
  *out = m_backBuffer;
  return m_backBuffer ? kOk : kErrInvalidCall;
}

HResult cD3DDevice::GetDeviceCaps(DeviceCaps* out) const {
  *out = DisplayControl().Machine().caps;
  return kOk;
}

uint32_t cD3DDevice::AvailableTextureMem() const {
  int64_t left = m_objects->videoBudget - m_objects->videoBytes.load();
  return static_cast<uint32_t>(std::clamp<int64_t>(left, 0, 0xFFFFFFFF));
}

HResult cD3DDevice::SetRenderTarget(int index, const std::shared_ptr<cSurface>& target) {
  if (DisplayControl().ShouldFail(DisplayOp::kSetRenderTarget)) return kErrGeneric;
  if (index != 0 || !target || !target->IsRenderTarget() || target->Pool() != MemoryPool::kVideo)
    return kErrInvalidCall;
  m_target = target;
  return kOk;
}

HResult cD3DDevice::Clear(const Rect* rects, int count, uint32_t argb) {
  if (!m_target) return kErrInvalidCall;
  cSurface& t = *m_target;
  uint32_t value = ArgbToPixel(t.Format(), argb);
  Rect whole{0, 0, t.Width(), t.Height()};
  int n = rects ? count : 1;
  for (int i = 0; i < n; ++i) {
    Rect r = rects ? rects[i] : whole;
    r.left = std::max(r.left, 0);
    r.top = std::max(r.top, 0);
    r.right = std::min(r.right, t.Width());
    r.bottom = std::min(r.bottom, t.Height());
    for (int y = r.top; y < r.bottom; ++y)
      FillPixels(t.Row(y) + r.left * t.BytesPerPixel(), t.BytesPerPixel(), r.right - r.left, value);
  }
  return kOk;
}

HResult cD3DDevice::BeginScene() {
  if (DisplayControl().ShouldFail(DisplayOp::kBeginScene)) return kErrGeneric;
  if (m_inScene) return kErrInvalidCall;
  m_inScene = true;
  return kOk;
}

HResult cD3DDevice::EndScene() {
  if (!m_inScene) return kErrInvalidCall;
  m_inScene = false;
  return kOk;
}

void cD3DDevice::SetRenderState(RenderState state, uint32_t value) {
  switch (state) {
    case RenderState::kAlphaBlendEnable: m_raster.alphaBlend = value != 0; break;
    case RenderState::kSrcBlend: m_raster.srcBlend = value; break;
    case RenderState::kDestBlend: m_raster.dstBlend = value; break;
    case RenderState::kTextureFactor: m_raster.textureFactor = value; break;
    default: break;  // culling is always off, there is no depth buffer and no lighting
  }
}

void cD3DDevice::SetTextureStageState(int stage, StageStateType type, uint32_t value) {
  if (stage != 0) return;  // one stage is all the drawing layer uses
  StageState& s = m_raster.stage;
  switch (type) {
    case StageStateType::kColorOp: s.colorOp = value; break;
    case StageStateType::kColorArg1: s.colorArg1 = value; break;
    case StageStateType::kColorArg2: s.colorArg2 = value; break;
    case StageStateType::kAlphaOp: s.alphaOp = value; break;
    case StageStateType::kAlphaArg1: s.alphaArg1 = value; break;
    case StageStateType::kAlphaArg2: s.alphaArg2 = value; break;
  }
}

void cD3DDevice::SetSamplerState(int sampler, SamplerStateType type, uint32_t value) {
  if (sampler != 0) return;
  if (type == SamplerStateType::kAddressU) m_raster.addressU = value;
  if (type == SamplerStateType::kAddressV) m_raster.addressV = value;
  // Filtering is always point sampling.
}

HResult cD3DDevice::SetTexture(int stage, const std::shared_ptr<cTexture>& texture) {
  if (stage != 0) return kOk;
  m_texture = texture;
  return kOk;
}

HResult cD3DDevice::SetStreamSource(const std::shared_ptr<cVertexBuffer>& buffer, int stride) {
  if (stride != static_cast<int>(sizeof(Vertex))) return kErrInvalidCall;
  m_stream = buffer;
  return kOk;
}

HResult cD3DDevice::SetFVF(uint32_t) { return kOk; }

HResult cD3DDevice::SetIndices(const std::shared_ptr<cIndexBuffer>& indexes) {
  m_indexes = indexes;
  return kOk;
}

HResult cD3DDevice::DrawTriangleStrip(int startVertex, int primitiveCount) {
  if (!m_stream || startVertex < 0 || primitiveCount < 1 || startVertex + primitiveCount + 2 > m_stream->Count())
    return kErrInvalidCall;
  return DrawTriangleStripUP(m_stream->Data() + startVertex, primitiveCount);
}

HResult cD3DDevice::DrawTriangleStripUP(const Vertex* vertices, int primitiveCount) {
  if (!m_inScene || !m_target || !vertices || primitiveCount < 1) return kErrInvalidCall;
  const cSurface* texture = m_texture ? m_texture->Level0().get() : nullptr;
  // A texture in system memory cannot be drawn from.
  if (texture && StageUsesTexture(m_raster.stage) && texture->Pool() == MemoryPool::kSystem)
    return kErrInvalidCall;
  std::shared_ptr<cSurface> snapshot;
  if (texture == m_target.get() && StageUsesTexture(m_raster.stage)) {
    // Drawing a texture onto itself reads the picture as it was before the draw.
    HResult hr = cSurface::Make(texture->Width(), texture->Height(), texture->Format(), MemoryPool::kSystem,
                                SurfaceApi::kDirect3D, nullptr, false, &snapshot);
    if (Failed(hr)) return hr;
    CopySamePicture(texture, snapshot.get());
    texture = snapshot.get();
  }
  Rect viewport{0, 0, m_target->Width(), m_target->Height()};
  RasterizeStrip(*m_target, texture, m_raster, vertices, primitiveCount + 2, viewport);
  return kOk;
}

HResult cD3DDevice::DrawIndexedTriangleStrip(int startIndex, int primitiveCount) {
  if (!m_stream || !m_indexes || startIndex < 0 || primitiveCount < 1 ||
      int64_t(startIndex) + primitiveCount + 2 > m_indexes->Count())
    return kErrInvalidCall;
  const int count = primitiveCount + 2;
  Vertex quad[4];
  std::vector<Vertex> many;
  Vertex* gathered = quad;
  if (count > 4) {
    many.resize(static_cast<size_t>(count));
    gathered = many.data();
  }
  const uint16_t* index = m_indexes->Data() + startIndex;
  for (int i = 0; i < count; ++i) {
    if (index[i] >= m_stream->Count()) return kErrInvalidCall;
    gathered[i] = m_stream->Data()[index[i]];
  }
  return DrawTriangleStripUP(gathered, primitiveCount);
}

HResult cD3DDevice::GetRenderTargetData(cSurface* renderTarget, cSurface* system) {
  if (!renderTarget || !system || !renderTarget->IsRenderTarget() || system->Pool() != MemoryPool::kSystem)
    return kErrInvalidCall;
  return CopySamePicture(renderTarget, system) ? kOk : kErrInvalidCall;
}

HResult cD3DDevice::UpdateSurface(cSurface* system, cSurface* destination) {
  if (!system || !destination || system->Pool() != MemoryPool::kSystem || destination->Pool() != MemoryPool::kVideo)
    return kErrInvalidCall;
  return CopySamePicture(system, destination) ? kOk : kErrInvalidCall;
}

HResult cD3DDevice::Present() {
  if (DisplayControl().DeviceLost()) return kErrDeviceLost;
  if (m_inScene || !m_backBuffer) return kErrInvalidCall;
  m_backBuffer->Present();
  return kOk;
}

HResult cD3DDevice::TestCooperativeLevel() const {
  if (!DisplayControl().DeviceLost()) return kOk;
  return DisplayControl().DeviceRegained() ? kErrDeviceNotReset : kErrDeviceLost;
}

HResult cD3DDevice::Reset(PresentParams* params) {
  if (DisplayControl().ShouldFail(DisplayOp::kReset)) return kErrGeneric;
  if (DisplayControl().DeviceLost() && !DisplayControl().DeviceRegained()) return kErrDeviceLost;
  m_target.reset();
  m_texture.reset();
  m_stream.reset();
  m_indexes.reset();
  // Every default-pool object and every outside reference to the back buffer must be gone.
  if (m_objects->defaultPool.load() > 0 || (m_backBuffer && m_backBuffer.use_count() > 1)) {
    m_target = m_backBuffer;
    return kErrInvalidCall;
  }
  if (params) m_params = *params;
  m_backBuffer.reset();
  m_raster = RasterState{};
  m_inScene = false;
  HResult hr = MakeBackBuffer();
  if (Failed(hr)) return hr;
  DisplayControl().ClearDeviceLoss();
  return kOk;
}

HResult cD3DDevice::SetDialogBoxMode(bool on) {
  if (DisplayControl().ShouldFail(DisplayOp::kSetDialogBoxMode)) return kErrInvalidCall;
  m_dialogBoxMode = on;
  return kOk;
}

HResult CreateTextureFromBmpFile(cD3DDevice* device, std::string_view gamePath, int width, int height,
                                 uint32_t usage, PixelFormat format, MemoryPool pool, uint32_t colorKey,
                                 ImageInfo* info, std::shared_ptr<cTexture>* out) {
  out->reset();
  if (!device) return kErrInvalidCall;
  cBmpImage image;
  if (!LoadBmpFile(gamePath, image)) return kErrInvalidCall;
  if (info) *info = ImageInfo{image.width, image.height, image.bitCount};
  if (width <= 0) width = image.width;
  if (height <= 0) height = image.height;
  std::shared_ptr<cTexture> texture;
  HResult hr = device->CreateTexture(width, height, 1, usage, format, pool, &texture);
  if (Failed(hr)) return hr;
  cSurface& level = *texture->Level0();
  const int w = std::min(width, image.width), h = std::min(height, image.height);
  for (int y = 0; y < h; ++y) {
    uint8_t* row = level.Row(y);
    for (int x = 0; x < w; ++x) {
      uint32_t argb = 0xFF000000u | image.At(x, y);
      if (colorKey != 0 && argb == colorKey) argb = 0;
      WritePixel(row + x * level.BytesPerPixel(), level.BytesPerPixel(), ArgbToPixel(format, argb));
    }
  }
  *out = std::move(texture);
  return kOk;
}

}  // namespace plat

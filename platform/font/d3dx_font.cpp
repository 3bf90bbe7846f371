#include "platform/font/d3dx_font.h"

#include <algorithm>

namespace plat {

std::shared_ptr<cD3DXFont> cD3DXFont::Create(const FontDesc& desc, std::string* error) {
  FontDesc aa = desc;
  aa.antiAliased = true;
  std::shared_ptr<cFont> font = cFont::Create(aa, error);
  if (!font) return nullptr;
  std::shared_ptr<cD3DXFont> out(new cD3DXFont);
  out->m_font = std::move(font);
  return out;
}

const cD3DXFont::Placed* cD3DXFont::Place(cD3DDevice& device, uint32_t codePoint, const Glyph& glyph) {
  auto it = m_placed.find(codePoint);
  if (it != m_placed.end()) return &it->second;
  Placed placed;
  const int w = glyph.width, h = glyph.height;
  if (w > 0 && h > 0 && w <= kSheetSize && h <= kSheetSize) {
    // Shelves, left to right and top to bottom; a full sheet starts the next one.
    if (m_shelfX + w > kSheetSize) m_shelfX = 0, m_shelfY += m_shelfHeight, m_shelfHeight = 0;
    if (m_sheets.empty() || m_shelfY + h > kSheetSize) {
      std::shared_ptr<cTexture> sheet;
      if (Failed(device.CreateTexture(kSheetSize, kSheetSize, 1, 0, PixelFormat::kA8R8G8B8, MemoryPool::kManaged,
                                      &sheet)))
        return nullptr;  // tried again next time
      m_sheets.push_back(std::move(sheet));
      m_shelfX = m_shelfY = m_shelfHeight = 0;
    }
    cSurface& level = *m_sheets.back()->Level0();
    LockedRect locked;
    if (Failed(level.Lock(&locked))) return nullptr;
    for (int y = 0; y < h; ++y) {
      uint8_t* row = locked.bits + static_cast<size_t>(m_shelfY + y) * locked.pitch;
      for (int x = 0; x < w; ++x) {
        const uint32_t a = glyph.coverage[static_cast<size_t>(y) * w + x];
        Store32(row + (m_shelfX + x) * 4, a << 24 | 0x00FFFFFFu);
      }
    }
    level.Unlock();
    placed = Placed{static_cast<int>(m_sheets.size()) - 1, m_shelfX, m_shelfY};
    m_shelfX += w;
    m_shelfHeight = std::max(m_shelfHeight, h);
  }
  return &m_placed.emplace(codePoint, placed).first->second;
}

HResult cD3DXFont::DrawText(cD3DDevice& device, std::string_view sjis, int x, int y, uint32_t argb) {
  if (!device.InScene() || !device.RenderTarget()) return kErrInvalidCall;
  const RasterState saved = device.CurrentRasterState();
  device.SetRenderState(RenderState::kAlphaBlendEnable, 1);
  device.SetRenderState(RenderState::kSrcBlend, kBlendSrcAlpha);
  device.SetRenderState(RenderState::kDestBlend, kBlendInvSrcAlpha);
  device.SetTextureStageState(0, StageStateType::kColorOp, kTopModulate);
  device.SetTextureStageState(0, StageStateType::kColorArg1, kArgTexture);
  device.SetTextureStageState(0, StageStateType::kColorArg2, kArgDiffuse);
  device.SetTextureStageState(0, StageStateType::kAlphaOp, kTopModulate);
  device.SetTextureStageState(0, StageStateType::kAlphaArg1, kArgTexture);
  device.SetTextureStageState(0, StageStateType::kAlphaArg2, kArgDiffuse);
  const int targetW = device.RenderTarget()->Width(), targetH = device.RenderTarget()->Height();
  int64_t pen = x;
  for (size_t i = 0; i < sjis.size();) {
    const int n = SjisCharBytes(sjis.data() + i, sjis.size() - i);
    const uint32_t cp = SjisCodePoint(sjis.data() + i, n);
    i += static_cast<size_t>(n);
    const Glyph* g = cp ? m_font->GlyphOf(cp) : nullptr;
    if (!g) continue;
    const int64_t gx = pen + g->left, gy = int64_t(y) + g->top;
    pen += g->advance;
    // Glyphs wholly outside the target are neither placed nor drawn.
    if (gx >= targetW || gy >= targetH || gx + g->width <= 0 || gy + g->height <= 0) continue;
    const Placed* p = Place(device, cp, *g);
    if (!p || p->sheet < 0) continue;
    const float l = static_cast<float>(gx) - 0.5f, t = static_cast<float>(gy) - 0.5f;
    const float r = l + static_cast<float>(g->width), b = t + static_cast<float>(g->height);
    const float s = static_cast<float>(kSheetSize);
    const float u0 = static_cast<float>(p->x) / s, v0 = static_cast<float>(p->y) / s;
    const float u1 = static_cast<float>(p->x + g->width) / s, v1 = static_cast<float>(p->y + g->height) / s;
    const Vertex quad[4] = {{l, t, 0.0f, 1.0f, argb, u0, v0},
                            {l, b, 0.0f, 1.0f, argb, u0, v1},
                            {r, t, 0.0f, 1.0f, argb, u1, v0},
                            {r, b, 0.0f, 1.0f, argb, u1, v1}};
    device.SetTexture(0, m_sheets[static_cast<size_t>(p->sheet)]);
    device.DrawTriangleStripUP(quad, 2);
  }
  device.SetTexture(0, nullptr);
  device.SetRenderState(RenderState::kAlphaBlendEnable, saved.alphaBlend ? 1 : 0);
  device.SetRenderState(RenderState::kSrcBlend, saved.srcBlend);
  device.SetRenderState(RenderState::kDestBlend, saved.dstBlend);
  device.SetTextureStageState(0, StageStateType::kColorOp, saved.stage.colorOp);
  device.SetTextureStageState(0, StageStateType::kColorArg1, saved.stage.colorArg1);
  device.SetTextureStageState(0, StageStateType::kColorArg2, saved.stage.colorArg2);
  device.SetTextureStageState(0, StageStateType::kAlphaOp, saved.stage.alphaOp);
  device.SetTextureStageState(0, StageStateType::kAlphaArg1, saved.stage.alphaArg1);
  device.SetTextureStageState(0, StageStateType::kAlphaArg2, saved.stage.alphaArg2);
  return kOk;
}

}  // namespace plat

#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/display/d3d_device.h"
#include "platform/font/font.h"

// The D3DX font the Direct3D path draws with (ID3DXFont::DrawTextA through a
// sprite, alpha-blended): anti-aliased glyphs kept in 256 x 256 glyph sheets
// (A8R8G8B8 textures of the managed pool, which survive a device reset), drawn as
// quads through the device into its current render target, modulated by the text
// colour.
namespace plat {

class cD3DXFont {
 public:
  // Null when the font cannot be made; *error says why.
  static std::shared_ptr<cD3DXFont> Create(const FontDesc& desc, std::string* error);

  // DrawTextA with DT_NOCLIP: one line of Shift-JIS text with its top-left at
  // (x, y), in the colour argb, into the device's render target (a scene must be
  // open). The device's texture-stage and blend states are left as they were.
  HResult DrawText(cD3DDevice& device, std::string_view sjis, int x, int y, uint32_t argb);
  // DrawTextA with DT_CALCRECT: the width and height the text would take.
  void CalcRect(std::string_view sjis, int* width, int* height) { m_font->MeasureSjis(sjis, width, height); }

  // Before and after a device reset: the glyph sheets live in the managed pool,
  // so there is nothing to give up or make again. Drawing goes straight through
  // the device, so there is no separate sprite object to give up either.
  HResult OnLostDevice() { return m_hrLostDevice; }
  HResult OnResetDevice() { return kOk; }
  // Tests: the result OnLostDevice gives from now on (a driver that refuses).
  void SetLostDeviceResult(HResult hr) { m_hrLostDevice = hr; }

  cFont& Glyphs() { return *m_font; }
  int SheetCount() const { return static_cast<int>(m_sheets.size()); }

 private:
  struct Placed {
    int sheet = -1, x = 0, y = 0;  // sheet -1: not drawable (empty or too large)
  };
  const Placed* Place(cD3DDevice& device, uint32_t codePoint, const Glyph& glyph);

  static constexpr int kSheetSize = 256;
  std::shared_ptr<cFont> m_font;
  std::vector<std::shared_ptr<cTexture>> m_sheets;
  std::unordered_map<uint32_t, Placed> m_placed;
  int m_shelfX = 0, m_shelfY = 0, m_shelfHeight = 0;
  HResult m_hrLostDevice = kOk;
};

}  // namespace plat

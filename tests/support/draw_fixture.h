#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/base/report_log.h"
#include "draw/draw.h"
#include "platform/display/display_control.h"
#include "platform/display/display_window.h"
#include "platform/present_slot.h"
#include "platform/sjis.h"
#include "tests/support/temp_dir.h"
#include "tools/draw_tool/bmp_writer.h"
#include "tools/draw_tool/cards.h"
#include "tools/draw_tool/sheet_project.h"

// A fresh folder holding the made-up project's sheets, a default display machine,
// and the drawing layer released at the end.
class cDrawTest : public testing::Test {
 protected:
  void SetUp() override {
    plat::DisplayControl().Reset();
    plat::ResetDisplayWindowState();
    BuildSysBmpInfo();
    m_dir = std::make_unique<cTempDir>();
    ASSERT_TRUE(draw_tool::WriteSheetProject());
  }
  void TearDown() override {
    DDRelease();
    plat::PresentedFrame drained;
    plat::TakeFrame(drained);
    plat::DisplayControl().Reset();
  }
  // Shift-JIS text of the report log.
  bool Reported(const char* utf8) const { return m_dir->ReportContains(plat::Utf8ToSjis(utf8)); }
  // The trace log, switched on for the test ("EC_Game.txt" in the folder).
  void TraceOn() const { InitECLog(1, "EC_Game.txt"); }
  bool Traced(const char* utf8) const {
    std::vector<unsigned char> bytes = m_dir->Exists("EC_Game.txt") ? m_dir->Read("EC_Game.txt")
                                                                    : std::vector<unsigned char>{};
    return std::string(bytes.begin(), bytes.end()).find(plat::Utf8ToSjis(utf8)) != std::string::npos;
  }

  std::unique_ptr<cTempDir> m_dir;
};

// The configurations the game runs in.
inline std::vector<draw_tool::DrawConfig> AllConfigs() {
  return {{0, 8, 0}, {0, 16, 0}, {0, 32, 0}, {0, 16, 1}, {0, 32, 1},
          {1, 16, 0}, {1, 16, 1}, {1, 32, 0}, {1, 32, 1}};
}

// The layer set up as start-up does it (aliases, palette and transparent colour),
// without loading the system surfaces.
inline bool StartLayer(const draw_tool::DrawConfig& c, int vsync = 0) {
  if (c.windowed) plat::DisplayControl().Machine().desktopBpp = c.bpp;
  if (!DDInit(c.backEnd, 1, 640, 480, c.bpp, vsync, c.windowed, 1, 60, vsync, Off_Sys, SysBmpInfo, SYS_BMP_COUNT))
    return false;
  if (lpDTCon) LinkSurfaceAliases();
  return DDInitPaletteAndTransmit(0, 0, 0, 0);
}

// The storage behind a record (its texture level or DirectDraw surface).
inline plat::cSurface* StorageOf(DDSURFACEDATA* sd) {
  if (sd->lpDT) return sd->lpDT->lpSurface.get();
  return sd->lpDDPart ? sd->lpDDPart->lpSurface.get() : nullptr;
}

// A pixel of a record as XRGB8888 (8-bit surfaces through ScreenPalette).
inline uint32_t PixelAt(DDSURFACEDATA* sd, int x, int y) {
  plat::cSurface* s = StorageOf(sd);
  if (!s) return 0xDEAD;
  const uint32_t v = s->GetPixel(x, y);
  if (s->Format() == plat::PixelFormat::kP8)
    return uint32_t(ScreenPalette[v].red) << 16 | uint32_t(ScreenPalette[v].green) << 8 | ScreenPalette[v].blue;
  return plat::PixelToArgb(s->Format(), v) & 0xFFFFFF;
}

// The XRGB8888 colour of a palette index of the made-up project.
inline uint32_t SheetColor(int index) {
  const plat::PaletteEntry& e = draw_tool::SheetPalette()[index];
  return uint32_t(e.red) << 16 | uint32_t(e.green) << 8 | e.blue;
}

// The palette index of cell (c, r) of a cell sheet: every cell one plain colour.
inline int CellIndex(int c, int r) { return 1 + (r * 16 + c) % 254; }

// Writes a sheet of cols x rows plain cells of cw x ch (8 bits, the project's palette).
inline bool WriteCellSheet(const char* name, int cols, int rows, int cw, int ch) {
  std::vector<uint8_t> px(size_t(cols) * cw * rows * ch);
  for (int y = 0; y < rows * ch; ++y)
    for (int x = 0; x < cols * cw; ++x) px[size_t(y) * cols * cw + x] = uint8_t(CellIndex(x / cw, y / ch));
  return draw_tool::WriteBytes(name, draw_tool::EncodeBmp8(cols * cw, rows * ch, px, draw_tool::SheetPalette()));
}

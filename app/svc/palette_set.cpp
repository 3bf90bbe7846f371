#include "app/svc/palette_set.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "app/base/format.h"
#include "app/base/message_box.h"
#include "app/base/report_log.h"
#include "draw/dd_fade.h"
#include "draw/dd_globals.h"
#include "draw/dd_palette.h"
#include "platform/sjis.h"

namespace {

constexpr int kRowSize = 16;
constexpr int kFirstRow = 1, kRows = 12;  // entries 16 to 207
constexpr int kRotatedSets = 12;

}  // namespace

bool SetPaletteSet(int nSet) {
  if (lpDTCon || DDSettings.nBpp != 8) return true;
  const std::string table = Format("bmp\\hbt\\hbt%s.dat", Format("%02d", nSet).c_str());
  if (!DDLoadBlendTable(BlendTable, table.c_str())) {
    ReportFailureBox(SJ("%s の読み込みに失敗！"), table.c_str());
    return false;
  }
  if (!DDLoadPaletteFromFile(GamePalette, "bmp\\plt\\Palette.bmp")) {
    ECLog(SJ("DDLoadPaletteFromFile失敗"));
    return false;
  }
  const int first = kFirstRow * kRowSize, last = (kFirstRow + kRows) * kRowSize - 1;
  if (nSet < kRotatedSets) {
    DDRotatePalette(GamePalette, first, last, nSet * kRowSize, 1, GamePalette);
  } else if (nSet - 11 < 256 / kRowSize) {
    // A set whose row would lie past the palette's end (a damaged option file)
    // leaves the palette as loaded.
    const PALETTEENTRY* row = GamePalette + (nSet - 11) * kRowSize;
    PALETTEENTRY copy[kRowSize];
    std::copy_n(row, kRowSize, copy);
    for (int r = 0; r < kRows; ++r) std::copy_n(copy, kRowSize, GamePalette + first + r * kRowSize);
  }
  std::memcpy(ScreenPalette, GamePalette, sizeof ScreenPalette);
  if (lpDDPalette) lpDDPalette->SetEntries(0, 255, ScreenPalette);
  return true;
}

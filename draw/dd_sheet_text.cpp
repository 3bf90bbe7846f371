#include "draw/dd_sheet_text.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

#include "draw/dd_batch.h"
#include "draw/dd_blit.h"
#include "draw/dd_globals.h"

namespace {
int Clamp32(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }
}  // namespace

void DDDrawSheetText(DDSURFACEDATA* lpDstSD, int x, int y, int nCellWidth, int nCellHeight, DDSURFACEDATA* lpSheetSD,
                     const char* szText) {
  if (!lpDstSD || !lpSheetSD || !szText) return;
  if (lpDTCon) DDBeginBltBatch(0);
  const int64_t screenWidth = DDSettings.nWidth;
  int64_t offset = 0, line = y;
  for (const char* p = szText; *p; ++p) {
    const unsigned char byte = static_cast<unsigned char>(*p);
    if (byte == '\n') {
      offset = 0;
      line += nCellHeight;
      continue;
    }
    int row = (byte >> 4) & 15;
    if (byte >= 0xA6 && byte <= 0xBF) row -= 10;
    else if (byte >= 0xC0 && byte <= 0xDD) row -= 4;
    DDBltFast(lpDstSD, Clamp32(x + offset), Clamp32(line), nCellWidth, nCellHeight, lpSheetSD,
              Clamp32(int64_t(nCellWidth) * (byte & 15)), Clamp32(int64_t(nCellHeight) * row), 1);
    offset += nCellWidth;
    if (offset >= screenWidth) {
      offset = 0;
      line += nCellHeight;
    }
  }
  if (lpDTCon) DDEndBltBatch();
}

void DDDrawSheetTextF(DDSURFACEDATA* lpDstSD, int x, int y, int nCellWidth, int nCellHeight,
                      DDSURFACEDATA* lpSheetSD, const char* szFormat, ...) {
  char buffer[1024];
  va_list args;
  va_start(args, szFormat);
  std::vsnprintf(buffer, sizeof buffer, szFormat ? szFormat : "", args);
  va_end(args);
  DDDrawSheetText(lpDstSD, x, y, nCellWidth, nCellHeight, lpSheetSD, buffer);
}

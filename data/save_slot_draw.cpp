#include "data/save_data.h"
#include "draw/font_table.h"

void cSaveSlotInfo::DrawDate(DDSURFACEDATA* surface, int x, int y) const {
  if (!bUsed) return;
  Fonts[1].DrawF(surface, x, y, "%04d/%02d/%02d %02d:%02d\n", SaveTime.wYear, SaveTime.wMonth,
                 SaveTime.wDay, SaveTime.wHour, SaveTime.wMinute);
}

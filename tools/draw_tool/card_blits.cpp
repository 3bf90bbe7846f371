#include "tools/draw_tool/card_blits.h"

#include "draw/draw.h"

namespace draw_tool {
namespace {

DDSURFACEDATA* Back() { return &BackBuffer; }

// Row 1: the blit kinds, each a character cell (32 x 32) or a stretch of it.
void BlitKinds() {
  DDSURFACEDATA* chara = &Off_Sys[4];
  int x = 8;
  const int y = 8;
  DDBltFast(Back(), x, y, 32, 32, chara, 32, 0, 1);  // keyed
  x += 40;
  DDBltFast(Back(), x, y, 32, 32, chara, 32, 0, 0);  // unkeyed: the transparent colour shows
  x += 40;
  DDBlt(Back(), x, y, 64, 64, chara, 32, 0, 32, 32, 1);  // doubled
  x += 72;
  DDBlt(Back(), x, y, 16, 16, chara, 32, 0, 32, 32, 1);  // halved
  DDBlt(Back(), x, y + 24, 48, 40, chara, 32, 0, 32, 32, 1);  // 3:2 by 5:4
  x += 56;
  const DDBLTEXINFO tint{0xFFFF4040, 4};  // Direct3D: modulated red; DirectDraw: plain
  DDBltFastEx(Back(), x, y, 32, 32, chara, 32, 0, 1, &tint);
  DDBltEx(Back(), x, y + 36, 32, 32, chara, 64, 0, 32, 32, 1, &tint);
  x += 40;
  // Mirrored copy of the sheet (DirectDraw) or its alias (Direct3D): the same cells mirrored.
  DDBltFast(Back(), x, y, 32, 32, &Off_Sys[5], 32, 0, 1);
  DDBltFast(Back(), x, y + 36, 16, 32, &Off_Sys[5], 40, 0, 1);  // a part of a mirrored cell
  x += 40;
  // A negative source width mirrors under Direct3D (DirectDraw draws nothing).
  DDBlt(Back(), x, y, 32, 32, chara, 64, 0, -32, 32, 1);
  DDBlt(Back(), x, y + 36, 32, 32, chara, 32, 32, 32, -32, 1);
  x += 40;
  // A sorted blit batch: a shot queued between two character cells is drawn last.
  DDBeginBltBatch(1);
  DDAddBatchTexture(chara);
  DDAddBatchTexture(&Off_Sys[20]);
  DDBltFast(Back(), x, y, 32, 32, chara, 0, 0, 1);
  DDBltFast(Back(), x + 8, y + 8, 16, 16, &Off_Sys[20], 16, 0, 1);
  DDBltFast(Back(), x + 12, y + 12, 32, 32, chara, 96, 32, 1);
  DDEndBltBatch();
  x += 52;
  // An empty keyed render target drawn into, then drawn: cleared to transparent,
  // a cell, a fill.
  DDSURFACEDATA* work = &Off_Sys[67];
  DDFillRectPal(work, 0, 0, 64, 64, 0);
  DDBltFast(work, 0, 0, 32, 32, chara, 0, 32, 1);
  DDFillRectPal(work, 20, 20, 30, 10, 200);
  DDBltFast(Back(), x, y, 64, 64, work, 0, 0, 1);
  x += 72;
  // A source in system memory (the pixel path under Direct3D), keyed and stretched.
  DDSURFACEDATA system;
  if (DDCreateSurfaceFromFile(&system, "bmp\\Item.bmp", 1, DDBpp(), DDMEMKIND_SYSTEM, DTMEMORYTYPE_SYSTEM, 0, 0, 0, 0,
                              0) == 0) {
    DDBltFast(Back(), x, y, 32, 32, &system, 32, 0, 1);
    DDBlt(Back(), x, y + 36, 48, 24, &system, 32, 0, 32, 32, 1);
  }
  DDReleaseSurface(&system);
}

// The four screen edges: a same-size and a stretched cell half off each edge.
void EdgeClipping() {
  DDSURFACEDATA* chara = &Off_Sys[4];
  DDBltFast(Back(), -16, 120, 32, 32, chara, 64, 32, 1);
  DDBlt(Back(), -20, 160, 48, 48, chara, 64, 32, 32, 32, 1);
  DDBltFast(Back(), 640 - 16, 120, 32, 32, chara, 64, 32, 1);
  DDBlt(Back(), 640 - 28, 160, 48, 48, chara, 64, 32, 32, 32, 1);
  DDBltFast(Back(), 300, -16, 32, 32, chara, 96, 0, 1);
  DDBlt(Back(), 340, -20, 48, 48, chara, 96, 0, 32, 32, 1);
  DDBltFast(Back(), 300, 480 - 16, 32, 32, chara, 96, 0, 1);
  DDBlt(Back(), 340, 480 - 28, 48, 48, chara, 96, 0, 32, 32, 1);
  // A source rectangle starting left of its picture: shortened, drawn at its x.
  DDBltFast(Back(), 400, 460, 32, 16, chara, -12, 0, 1);
  DDBlt(Back(), 440, 456, 48, 24, chara, -16, 0, 32, 16, 1);
}

// Fills, pixels and circles; a fill off the left edge.
void Shapes() {
  DDFillRectPal(Back(), -10, 100, 50, 12, 40);
  DDFillRectPal(Back(), 60, 100, 40, 12, 80);
  DDFillRectPal(Back(), 110, 100, 40, 12, 300);  // beyond the palette: colour 0
  DDBeginFillBatch();
  for (int i = 0; i < 8; ++i) DDFillRectPal(Back(), 160 + i * 6, 100, 5, 12, 100 + i * 16);
  DDEndFillBatch();
  for (int i = 0; i < 20; ++i) DDSetPixel(Back(), 220 + i * 2, 100 + (i % 5) * 3, 28);
  DDSetPixel(Back(), -1, 100, 28);
  DDCircle(Back(), 300, 106, 1, 28);
  DDCircle(Back(), 330, 106, 6, 146);
  DDCircle(Back(), 380, 106, 14, 129);
  DDCircle(Back(), 636, 240, 10, 14);  // partly off the right edge
}

// Frames and a framed picture.
void Frames() {
  DDDrawFrame(Back(), 60, 220, 60, 40, 1, 250);
  DDDrawFrame(Back(), 130, 220, 60, 40, 3, 120);
  DDDrawFrame(Back(), 200, 220, 60, 40, 0, 120);   // nothing visible
  DDDrawFrame(Back(), 270, 220, 20, 40, 12, 90);   // bars overlap into a block
  DDBltFrame(Back(), 320, 222, 48, 36, &Off_Sys[45], 2, 250);
  DDBltFrame(Back(), 390, 222, 48, 36, &Off_Sys[46], 4, 60);
}

// Numbers from a strip of ten 16 x 16 cells of the symbol sheet.
void Numbers() {
  DDSURFACEDATA* strip = &Off_Sys[50];
  DDFillRectPal(Back(), 60, 280, 160, 16, 30);
  DDDrawNumber(Back(), 60, 280, 16, 16, strip, 0, 0, 1, 0, 1, 0);
  DDFillRectPal(Back(), 60, 300, 80, 16, 30);
  DDDrawNumber(Back(), 60, 300, 16, 16, strip, 0, 0, 1, 42, 5, 0);  // right-aligned in five cells
  DDFillRectPal(Back(), 150, 300, 80, 16, 30);
  DDDrawNumber(Back(), 150, 300, 16, 16, strip, 0, 0, 1, 42, 5, 1);  // centred
  DDDrawNumber(Back(), 60, 320, 16, 16, strip, 0, 0, 1, 12345, 3, 0);
  DDDrawNumber(Back(), 60, 340, 16, 16, strip, 0, 0, 0, 2147483647, 0, 0);
}

void SheetText() {
  DDDrawSheetText(Back(), 260, 280, 8, 16, &Off_Sys[1], "Sheet text 0123\nsecond line");
  // Half-width katakana from rows 0, 1, 8 and 9.
  DDDrawSheetText(Back(), 260, 316, 8, 16, &Off_Sys[1], "\xA6\xB1\xBF\xC0\xCF\xD0\xDD");
  DDDrawSheetTextF(Back(), 260, 336, 8, 16, &Off_Sys[1], "%d frames", 60);
}

}  // namespace

void DrawBlitsCard() {
  DDFillRectPal(Back(), 0, 0, 640, 480, 16);
  BlitKinds();
  EdgeClipping();
  Shapes();
  Frames();
  Numbers();
  SheetText();
}

}  // namespace draw_tool

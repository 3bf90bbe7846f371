#include "tools/draw_tool/card_effects.h"

#include "draw/draw.h"

namespace draw_tool {
namespace {

DDSURFACEDATA* Back() { return &BackBuffer; }
DDSURFACEDATA* Chara() { return &Off_Sys[4]; }
DDSURFACEDATA* Title() { return &Off_Sys[47]; }

constexpr int kFadeFirst = 244, kFadeLast = 247;  // 8 bits: the fade works on these swatches only

int CellX(int col) { return 16 + col * 104; }
int CellY(int row) { return 16 + row * 92; }

void Fade(uint8_t finish) {
  // 8 bits: a few palette entries, so that the rest of the card keeps its colours.
  const int first = DDBpp() == 8 ? kFadeFirst : 0, last = DDBpp() == 8 ? kFadeLast : 255;
  DDFadeOut(ScreenPalette, first, last, 0, 0, 0, 45.0, GamePalette, finish);
}

// Row 0: blur, mosaic, waves, splits, the turning card, burst.
void PixelAndLineEffects() {
  int x = CellX(0), y = CellY(0);
  DDBlur(Back(), x, y, 88, 40, 3, 2, Title(), 96, 96, 0);
  DDBlur(Back(), x, y + 44, 64, 32, 1, 1, Chara(), 32, 0, 1);
  x = CellX(1);
  DDMosaic(Back(), x, y, 88, 40, 6, Title(), 96, 96, 0);
  DDMosaic(Back(), x, y + 44, 64, 32, 4, Chara(), 32, 0, 1);
  x = CellX(2);
  DDBltWave(Back(), x + 8, y, 64, 32, 1, 4.0, 0, 2, Chara(), 0, 0, 1, 0);
  DDBltWave(Back(), x + 8, y + 44, 64, 32, 2, 5.0, 45, 4, Chara(), 0, 32, 1, 1);
  x = CellX(3);
  DDBltSplit(Back(), x + 8, y, 64, 32, 4, 3, Chara(), 64, 0, 1, 0);
  DDBltSplit(Back(), x + 8, y + 44, 64, 32, 3, 2, Chara(), 64, 32, 1, 1);
  x = CellX(4);
  DDBltRotateDepth(Back(), x, y, 64, 32, Chara(), 0, 64, &Off_Sys[40], 0, 0, 64, 32, 1, 5, 0);
  DDBltRotateDepth(Back(), x, y + 44, 64, 32, Chara(), 0, 64, &Off_Sys[40], 0, 0, 64, 32, 1, 20, 1);
  x = CellX(5);
  DDBltBurst(Back(), x + 8, y + 8, 65, 65, Chara(), 128, 0, 4, 1);
}

// Row 1: circles, lenses, colour blends, translucency.
void CircleLensBlend() {
  int x = CellX(0), y = CellY(1);
  DDBltCircle(Back(), x + 44, y + 40, 40, 36, 30, 1, Title(), 320, 240, 0);
  x = CellX(1);
  DDBltCircle(Back(), x + 44, y + 40, 40, 30, 28, 5, Chara(), 128, 64, 1);
  x = CellX(2);
  DDBltLens(Back(), x + 44, y + 40, 30, 20, Title(), 200, 200, 0, 0);
  x = CellX(3);
  DDBltLens(Back(), x + 44, y + 40, 24, 12, Chara(), 48, 16, 1, 1);
  x = CellX(4);
  for (int level = 1; level <= 4; ++level)
    DDBltColorBlend(Back(), x + ((level - 1) & 1) * 36, y + ((level - 1) >> 1) * 36, 32, 32, Chara(), 96, 0, 1,
                    ScreenPalette, BlendTable, 200, level);
  DDBltColorBlend(Back(), x + 72, y, 32, 32, Chara(), 96, 0, 1, ScreenPalette, BlendTable, 200, 5);
  x = CellX(5);
  DDBltAlpha(Back(), x, y, 32, 32, Chara(), 32, 32, 1, BlendTable, 0);
  DDBltHalf(Back(), x + 36, y, 32, 32, Chara(), 32, 32, 1, BlendTable);
  DDBltAlpha(Back(), x, y + 36, 32, 32, Chara(), 32, 32, 1, BlendTable, 200);
  DDBltAlpha(Back(), x + 36, y + 36, 32, 32, Chara(), 32, 32, 0, BlendTable, 64);
}

// Rows 2 and 3: the rotated blit at several angles, from a texture (the quad
// path under Direct3D) and from a picture in system memory (the pixel path).
void Rotations() {
  static const int kAngles[] = {0, 30, 45, 90, 180, 270, 360, -60};
  for (int i = 0; i < 8; ++i)
    DDBltRotate(Back(), 40 + i * 76, CellY(2) + 24, 32, 32, 16, 16, kAngles[i], Chara(), 32, 0, 1);
  DDSURFACEDATA system;
  if (DDCreateSurfaceFromFile(&system, "bmp\\Item.bmp", 1, DDBpp(), DDMEMKIND_SYSTEM, DTMEMORYTYPE_SYSTEM, 0, 0, 0, 0,
                              0) == 0) {
    for (int i = 0; i < 8; ++i)
      DDBltRotate(Back(), 40 + i * 76, CellY(2) + 68, 32, 32, 16, 16, kAngles[i], &system, 32, 0, 1);
  }
  DDReleaseSurface(&system);
  // A larger picture turned a little.
  DDBltRotate(Back(), CellX(0) + 56, CellY(3) + 50, 100, 60, 50, 30, 20, Title(), 200, 120, 0);
}

// Row 4: the Direct3D tint, palette swatches, and effects cut at the edges.
void TintSwatchesEdges() {
  int x = CellX(1), y = CellY(4) - 24;
  // The tint of a whole work surface (Direct3D only), then a piece of it shown.
  DDSURFACEDATA* work = &Off_Sys[66];
  DDBltFast(work, 0, 0, 640, 480, Title(), 0, 0, 0);
  DDChangeColor(work, 0, 0, 640, 480, 128, 255, 0, 0);
  DDChangeColorSD(work, 0, 0, 640, 480, Chara(), 100, 0, 0, 255);
  DDBltFast(Back(), x, y, 88, 80, work, 0, 0, 0);

  // Palette swatches: 208..239 turned by one place per group of four, 240..243
  // blended toward white, 244..247 faded with the backdrop (8 bits only).
  x = CellX(2);
  for (int g = 0; g < 8; ++g) DDRotatePalette(ScreenPalette, 208 + g * 4, 211 + g * 4, 1, 0, ScreenPalette);
  PALETTEENTRY blended[256] = {};
  DDBlendPalette(blended, 240, 243, 128, 255, 255, 255, GamePalette);
  for (int i = 240; i <= 243; ++i) ScreenPalette[i] = blended[i];
  if (!lpDTCon && DDBpp() == 8 && lpDDPalette) lpDDPalette->SetEntries(208, 36, ScreenPalette + 208);
  for (int i = 0; i < 40; ++i) DDFillRectPal(Back(), x + (i % 8) * 11, y + (i / 8) * 11, 10, 10, 208 + i);

  // Cut at the screen's edges.
  DDBlur(Back(), -20, 300, 60, 40, 2, 2, Title(), 0, 0, 0);
  DDMosaic(Back(), 610, 300, 60, 40, 7, Title(), 0, 0, 0);
  DDBltLens(Back(), 634, 200, 20, 10, Title(), 300, 300, 0, 0);
  DDBltRotate(Back(), 2, 476, 32, 32, 16, 16, 45, Chara(), 32, 0, 1);
  DDBltAlpha(Back(), 610, 462, 64, 32, Chara(), 0, 0, 1, BlendTable, 128);
  DDBltColorBlend(Back(), -16, 200, 32, 32, Chara(), 96, 0, 1, ScreenPalette, BlendTable, 40, 2);
  DDBltCircle(Back(), 320, 2, 40, 40, 20, 1, Title(), 100, 100, 0);
  DDBltWave(Back(), 400, 462, 64, 32, 1, 8.0, 90, 2, Chara(), 0, 0, 1, 0);
}

}  // namespace

void DrawEffectsCard() {
  // 8-bit translucency needs the blend table of palette set 0.
  DDLoadBlendTable(BlendTable, "bmp\\hbt\\hbt00.dat");
  // A quiet backdrop: two colours in bands.
  for (int band = 0; band < 12; ++band) DDFillRectPal(Back(), 0, band * 40, 640, 40, band & 1 ? 30 : 31);
  // Two frames of a fade out: the backdrop at sin(45 degrees).
  Fade(0);
  Fade(0);
  PixelAndLineEffects();
  CircleLensBlend();
  Rotations();
  TintSwatchesEdges();
}

void FinishEffectsCard() { Fade(1); }

}  // namespace draw_tool

#include "tools/draw_tool/cards.h"

#include <algorithm>

#include "draw/draw.h"
#include "platform/display/display_control.h"
#include "platform/sjis.h"
#include "tools/draw_tool/card_blits.h"
#include "tools/draw_tool/card_effects.h"
#include "tools/draw_tool/ranking_card.h"
#include "tools/draw_tool/text_card.h"

namespace draw_tool {
namespace {

constexpr plat::HWND kWindow = 1;

// Draws a whole-sheet piece, cell by cell for mirrored copies so that the
// Direct3D aliases mirror each cell as the DirectDraw copies hold it.
void DrawPiece(DDSURFACEDATA* sd, int x, int y) {
  const int w = std::min(64, sd->nWidth), h = std::min(64, sd->nHeight);
  if (w <= 0 || h <= 0) return;
  const int cell = sd->nMirrorCellWidth;
  if (cell <= 0) {
    DDBltFast(&BackBuffer, x, y, w, h, sd, 0, 0, 1);
    return;
  }
  const int rows = std::min(h, 32);
  for (int cy = 0; cy + rows <= h; cy += rows)
    for (int cx = 0; cx + cell <= w; cx += cell) DDBltFast(&BackBuffer, x + cx, y + cy, cell, rows, sd, cx, cy, 1);
}

void DrawSheetsCard() {
  DDFillRectPal(&BackBuffer, 0, 0, 640, 480, 16);
  static const int kEntries[] = {1,  2,  3,  4,  5,  6,  7,  8,  20, 21, 22, 23, 38, 39, 40, 41, 42, 43, 44,
                                 45, 46, 47, 48, 49, 50, 51, 52, 53, 54, 55, 63, 65, 66, 67, 68, 69, 70};
  int slot = 0;
  auto slotX = [](int s) { return 8 + (s % 8) * 78; };
  auto slotY = [](int s) { return 8 + (s / 8) * 78; };
  for (int index : kEntries) {
    DrawPiece(&Off_Sys[index], slotX(slot), slotY(slot));
    ++slot;
  }
  // Stretched: a character cell doubled, a mirrored cell doubled, the title halved.
  DDBlt(&BackBuffer, slotX(slot), slotY(slot), 64, 64, &Off_Sys[4], 32, 0, 32, 32, 1);
  ++slot;
  DDBlt(&BackBuffer, slotX(slot), slotY(slot), 64, 64, &Off_Sys[5], 32, 0, 32, 32, 1);
  ++slot;
  DDBlt(&BackBuffer, slotX(slot), slotY(slot), 64, 64, &Off_Sys[47], 0, 0, 128, 128, 1);
}

bool Present() {
  if (lpDTCon) return DDPresent(60, 0, nullptr) == 1;
  return DDPresentDirectDraw(1);
}

}  // namespace

std::string DrawConfig::Name() const {
  return std::string(backEnd ? "d3d-" : "dd-") + std::to_string(bpp) + (windowed ? "-window" : "-full");
}

bool StartDrawing(const DrawConfig& config, bool* fellBack) {
  if (fellBack) *fellBack = false;
  // A windowed game runs at the desktop's depth.
  if (config.windowed) plat::DisplayControl().Machine().desktopBpp = config.bpp;
  bool ok = DDInit(config.backEnd, kWindow, 640, 480, config.bpp, 0, config.windowed, 1, 60, 0, Off_Sys, SysBmpInfo,
                   SYS_BMP_COUNT);
  if (!ok && config.backEnd != 0) {
    DDRelease();
    if (fellBack) *fellBack = true;
    ok = DDInit(0, kWindow, 640, 480, config.bpp, 0, config.windowed, 1, 60, 0, Off_Sys, SysBmpInfo, SYS_BMP_COUNT);
  }
  if (!ok) return false;
  if (lpDTCon) {
    lpDTCon->strMessage = SJ("テクスチャの作成に失敗しました！\nビデオカードの性能が十分ではないかもしれません。\n"
                             "System.iniファイルで「Direct3D=0」に変更してDirect3Dを無効にすれば改善される可能性があります。");
    LinkSurfaceAliases();
  }
  if (!DDInitPaletteAndTransmit(0, 0, 0, 0)) return false;
  return DDLoadAllSystemSurfaces();
}

void StopDrawing() { DDRelease(); }

std::vector<std::string> CardNames() { return {"sheets", "blits", "text", "effects", "ranking"}; }

bool DrawCard(const std::string& card, plat::PresentedFrame* frame) {
  if (card == "sheets") {
    DrawSheetsCard();
  } else if (card == "blits") {
    DrawBlitsCard();
  } else if (card == "text") {
    if (!DrawTextCard()) return false;
  } else if (card == "effects") {
    DrawEffectsCard();
  } else if (card == "ranking") {
    if (!DrawRankingCard()) return false;
  } else {
    return false;
  }
  const bool presented = Present();
  if (card == "effects") FinishEffectsCard();
  if (!presented) return false;
  plat::PresentedFrame taken;
  bool got = plat::TakeFrame(taken);
  if (frame) *frame = std::move(taken);
  return got;
}

}  // namespace draw_tool

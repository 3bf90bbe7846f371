// The fourteen screen-effect drawers. Each (but the empty kind and the blink)
// copies the frame drawn so far into a work surface, clears the back buffer to
// colour 16 and draws the copy back distorted, with the texture alpha operation
// off so that the copy's transparent-coloured pixels come back too.
#include "stage/scr_effect_draw.h"

#include <algorithm>
#include <cmath>

#include "app/base/report_log.h"
#include "app/svc/system_ini.h"
#include "data/effect_defs.h"
#include "data/scr_effect_kinds.h"
#include "draw/dd_blit.h"
#include "draw/dd_blur.h"
#include "draw/dd_device_state.h"
#include "draw/dd_distort.h"
#include "draw/dd_globals.h"
#include "draw/dd_pixel_ops.h"
#include "draw/dd_rotate.h"
#include "draw/dd_vir_back.h"

namespace {

constexpr int kScreenW = 640, kScreenH = 480;
constexpr int kClearColor = 16;
constexpr int kWorkA = 67;  // screen-size work surface in video memory
constexpr int kWorkB = 68;  // the same in system memory

int P(const cScrEffectAnime& e, int slot) { return ScrEffectParam(e, slot); }

// The frame drawn so far, copied into a work surface; the back buffer cleared
// unless the drawer covers the uncovered part itself.
DDSURFACEDATA* CopyScreen(int work, bool clear) {
  DDSURFACEDATA* copy = &Off_Sys[work];
  DDBltFast(copy, 0, 0, kScreenW, kScreenH, &BackBuffer, 0, 0, 0);
  if (clear) DDFillRectPal(&BackBuffer, 0, 0, kScreenW, kScreenH, kClearColor);
  return copy;
}

// Draws with the copy's transparent colour kept, as the copy is the screen itself.
template <class Draw>
void Opaque(Draw draw) {
  DDSetAlphaOp(1);
  draw();
  DDResetAlphaOp();
}

int StepTime(cScrEffectAnime& e) { return e.Step(0, P(e, 0)); }
int StepValue(cScrEffectAnime& e) { return e.Step(P(e, 1), P(e, 2)); }

int DrawNone(cScrEffectAnime&, const cScrEffectView&, int) {
  if (lpDTCon && lpDTCon->bVirBackBuffer) DDSetVirBackBuffer(0);
  return 0;
}

int DrawMove(cScrEffectAnime& e, const cScrEffectView&, int held) {
  DDSURFACEDATA* copy = CopyScreen(kWorkA, true);
  Opaque([&] { DDBltFast(&BackBuffer, e.nWorkA, e.nWorkB, kScreenW, kScreenH, copy, 0, 0, 0); });
  if (held) return 0;
  const double time = P(e, 0);
  e.nWorkA = DDTruncToInt(static_cast<double>(P(e, 3) - P(e, 1)) / time * e.dValue + P(e, 1));
  e.nWorkB = DDTruncToInt(static_cast<double>(P(e, 4) - P(e, 2)) / time * e.dValue + P(e, 2));
  return StepTime(e);
}

// Kinds 2 and 3: the offset runs to +P1 and back to -P1, P2 times in P0 tenths.
void Swing(cScrEffectAnime& e) {
  const int amplitude = P(e, 1);
  const double speed = static_cast<double>(amplitude) * P(e, 2) * 4 / (P(e, 0) * 6.0);
  if (e.nWorkA) {
    e.dSwing -= speed;
    if (e.dSwing <= -amplitude) {
      e.dSwing = -amplitude;
      e.nWorkA = 0;
    }
  } else {
    e.dSwing += speed;
    if (e.dSwing >= amplitude) {
      e.dSwing = amplitude;
      e.nWorkA = 1;
    }
  }
}

int DrawShakeX(cScrEffectAnime& e, const cScrEffectView&, int held) {
  DDSURFACEDATA* copy = CopyScreen(kWorkA, false);
  // Only the strip that the moved picture uncovers needs clearing.
  if (e.dSwing > 0)
    DDFillRectPal(&BackBuffer, 0, 0, DDTruncToInt(e.dSwing + 1), kScreenH, kClearColor);
  else if (e.dSwing < 0)
    DDFillRectPal(&BackBuffer, DDTruncToInt(kScreenW + e.dSwing), 0, DDTruncToInt(1 - e.dSwing), kScreenH,
                  kClearColor);
  Opaque([&] { DDBltFast(&BackBuffer, DDTruncToInt(e.dSwing), 0, kScreenW, kScreenH, copy, 0, 0, 0); });
  if (held) return 0;
  Swing(e);
  return StepTime(e);
}

int DrawShakeY(cScrEffectAnime& e, const cScrEffectView&, int held) {
  DDSURFACEDATA* copy = CopyScreen(kWorkA, true);
  Opaque([&] { DDBltFast(&BackBuffer, 0, DDTruncToInt(e.dSwing), kScreenW, kScreenH, copy, 0, 0, 0); });
  if (held) return 0;
  Swing(e);
  return StepTime(e);
}

int CeilDiv(int a, int b) { return (a + b - 1) / b; }

int DrawSplit(cScrEffectAnime& e, int direction, int held) {
  DDSURFACEDATA* copy = CopyScreen(kWorkA, true);
  const int stripe = CeilDiv(direction == 0 ? kScreenH : kScreenW, P(e, 3));
  Opaque([&] {
    DDBltSplit(&BackBuffer, 0, 0, kScreenW, kScreenH, stripe, DDTruncToInt(e.dValue), copy, 0, 0, 0, direction);
  });
  return held ? 0 : StepValue(e);
}
int DrawSplitX(cScrEffectAnime& e, const cScrEffectView&, int held) { return DrawSplit(e, 0, held); }
int DrawSplitY(cScrEffectAnime& e, const cScrEffectView&, int held) { return DrawSplit(e, 1, held); }

int DrawWave(cScrEffectAnime& e, int direction, int held) {
  DDSURFACEDATA* copy = CopyScreen(kWorkA, true);
  Opaque([&] {
    DDBltWave(&BackBuffer, 0, 0, kScreenW, kScreenH, P(e, 3), e.dValue, e.nWorkA, P(e, 4), copy, 0, 0, 0, direction);
  });
  if (held) return 0;
  if (++e.nWorkA >= 360) e.nWorkA = 0;
  return StepValue(e);
}
int DrawWaveX(cScrEffectAnime& e, const cScrEffectView&, int held) { return DrawWave(e, 0, held); }
int DrawWaveY(cScrEffectAnime& e, const cScrEffectView&, int held) { return DrawWave(e, 1, held); }

// Blink: the layers drawn over everything hide the stage's contents; the effect
// begins hidden and turns every P1 frames.
// The turn is taken before drawing, so that the first P1 frames are hidden.
int DrawBlink(cScrEffectAnime& e, const cScrEffectView& view, int held) {
  if (!held && e.nWorkA >= P(e, 1)) {
    e.nWorkA = 0;
    e.nWorkB ^= 1;
  }
  if (e.nWorkB == 0 && view.DrawLayers) view.DrawLayers();
  if (held) return 0;
  ++e.nWorkA;
  return StepTime(e);
}

int DrawRotate(cScrEffectAnime& e, const cScrEffectView&, int held) {
  DDSURFACEDATA* copy = CopyScreen(kWorkB, true);
  Opaque([&] {
    DDBltRotate(&BackBuffer, kScreenW / 2, kScreenH / 2, kScreenW, kScreenH, kScreenW / 2, kScreenH / 2,
                DDTruncToInt(e.dValue), copy, 0, 0, 0);
  });
  return held ? 0 : StepValue(e);
}

int DrawCircle(cScrEffectAnime& e, const cScrEffectView& view, int held) {
  DDSURFACEDATA* copy = CopyScreen(kWorkA, true);
  const int cx = view.nCenterX, cy = view.nCenterY;
  Opaque([&] {
    DDBltCircle(&BackBuffer, cx, cy, ScrEffectHalfWidth(cx), ScrEffectHalfHeight(cy), DDTruncToInt(e.dValue),
                P(e, 3), copy, cx, cy, 0);
  });
  return held ? 0 : StepValue(e);
}

int DrawZoom(cScrEffectAnime& e, const cScrEffectView& view, int held) {
  const int work = !lpDTCon && SystemIni.DD_VideoStretch ? kWorkA : kWorkB;
  DDSURFACEDATA* copy = CopyScreen(work, true);
  const double z = e.dValue * 0.0015625;
  Opaque([&] {
    if (z <= 0) return;
    if (z >= 1) {
      const cZoomWindow w = ScrEffectZoomWindow(e.dValue, view.nCenterX, view.nCenterY);
      DDBlt(&BackBuffer, 0, 0, kScreenW, kScreenH, copy, w.x, w.y, DDTruncToInt(w.w), DDTruncToInt(w.h), 1);
    } else {
      DDBlt(&BackBuffer, DDTruncToInt((kScreenW - kScreenW * z) / 2), DDTruncToInt((kScreenH - kScreenH * z) / 2),
            DDTruncToInt(kScreenW * z), DDTruncToInt(kScreenH * z), copy, 0, 0, kScreenW, kScreenH, 1);
    }
  });
  return held ? 0 : StepValue(e);
}

int DrawLens(cScrEffectAnime& e, const cScrEffectView& view, int held) {
  DDSURFACEDATA* copy = CopyScreen(kWorkB, true);
  const int cx = view.nCenterX + P(e, 3), cy = view.nCenterY + P(e, 4);
  const int r = DDTruncToInt(std::max(ScrEffectHalfWidth(cx), ScrEffectHalfHeight(cy)) * std::sqrt(2.0));
  Opaque([&] { DDBltLens(&BackBuffer, cx, cy, r, DDTruncToInt(e.dValue), copy, cx, cy, 0, 0); });
  return held ? 0 : StepValue(e);
}

int DrawMosaic(cScrEffectAnime& e, const cScrEffectView&, int held) {
  DDSURFACEDATA* copy = CopyScreen(kWorkB, true);
  const int block = std::max(1, DDTruncToInt(e.dValue));
  Opaque([&] { DDMosaic(&BackBuffer, 0, 0, kScreenW, kScreenH, block, copy, 0, 0, 0); });
  return held ? 0 : StepValue(e);
}

using Drawer = int (*)(cScrEffectAnime&, const cScrEffectView&, int);
constexpr Drawer kDrawers[kScrEffectDrawers] = {DrawNone,   DrawMove,   DrawShakeX, DrawShakeY, DrawSplitX,
                                                DrawSplitY, DrawWaveX,  DrawWaveY,  DrawBlink,  DrawRotate,
                                                DrawCircle, DrawZoom,   DrawLens,   DrawMosaic};

}  // namespace

int ScrEffectParam(const cScrEffectAnime& e, int slot) {
  if (!e.pDef || slot < 0 || slot >= kEffectParams) return 0;
  const int value = e.pDef->Params[slot];
  const cParamDesc& desc = ScrEffectParamDesc(e.pDef->nKind, slot);
  if (desc.strLabel.empty() || desc.nMin > desc.nMax) return value;
  return std::clamp<int>(value, desc.nMin, desc.nMax);
}

int ScrEffectHalfWidth(int cx) { return cx >= kScreenW / 2 ? cx : kScreenW - cx; }
int ScrEffectHalfHeight(int cy) { return cy >= kScreenH / 2 ? cy : kScreenH - cy; }

cZoomWindow ScrEffectZoomWindow(double value, int cx, int cy) {
  const double z = value * 0.0015625;
  cZoomWindow w{0, 0, kScreenW / z, kScreenH / z};
  auto place = [](int centre, double size, int screen) {
    int left = DDTruncToInt(centre - size / 2);
    if (left + DDTruncToInt(size) >= screen) left = DDTruncToInt(screen - size);
    if (left < 0) left = 0;
    return left;
  };
  w.x = place(cx, w.w, kScreenW);
  w.y = place(cy, w.h, kScreenH);
  return w;
}

int DrawScrEffectFrame(cScrEffectAnime& effect, const cScrEffectView& view, int held) {
  const int kind = effect.pDef ? effect.pDef->nKind : 0;
  if (kind < 0 || kind >= kScrEffectDrawers) {
    // A damaged definition: the picture stays as drawn and the effect ends.
    ReportLog("screen effect %d: kind %d has no drawer", effect.nNo, kind);
    return 1;
  }
  return kDrawers[kind](effect, view, held);
}

// The character effects: StartCharaEffect, and the sixteen drawers that draw a
// character through its running effect and move the effect on. A scaled
// character is first drawn into a work surface at its drawn size and the effect
// reads it from there, its distances grown by the scale; an unscaled one is read
// from its sheet.
#include <algorithm>
#include <cmath>

#include "app/base/report_log.h"
#include "app/svc/system_ini.h"
#include "chara/chara.h"
#include "data/chara_effect_kinds.h"
#include "data/effect_defs.h"
#include "draw/dd_blend_blit.h"
#include "draw/dd_blit.h"
#include "draw/dd_blur.h"
#include "draw/dd_device_state.h"
#include "draw/dd_distort.h"
#include "draw/dd_globals.h"
#include "draw/dd_pixel_ops.h"
#include "draw/dd_rotate.h"

namespace {

constexpr int kZoomWorkVideo = 67;  // the zoom work surface under DirectDraw with stretching in video memory
constexpr int kWorkSystem = 68;
constexpr int kLensWorkD3D = 70;
constexpr int kBlurTint = 31;       // at 8 bits per pixel the blur tints toward this colour

// One frame of a character's effect: the character, where it is drawn and where
// its picture is read.
struct cFrame {
  cChara& c;
  DDSURFACEDATA* target;
  GRAPHICSOURCE& s;
  cCharaEffectAnime& e;
  int held, draw;
  bool scaled;
  double scale;
  int left, top, w, h;
  DDSURFACEDATA* src = nullptr;  // null: nothing to draw from
  int sx = 0, sy = 0;

  int cx() const { return left + w / 2; }
  int cy() const { return top + h / 2; }
  int V() const { return DDTruncToInt(e.dValue); }
  // A distance-like value, grown by the scale for a scaled character.
  int Scaled(double v) const { return DDTruncToInt(scaled ? scale * v : v); }
  int P(int slot) const {
    const int value = e.pDef->Params[slot];
    const cParamDesc& d = CharaEffectParamDesc(e.pDef->nKind, slot);
    if (d.strLabel.empty() || d.nMin > d.nMax) return value;
    return std::clamp<int>(value, d.nMin, d.nMax);
  }
};

// As the plain drawer decides it.
bool IsScaled(const cChara& c, const GRAPHICSOURCE& s) {
  return s.bLarge ? c.m_Def.nGiant != s.nCellCount : c.m_Def.nGiant > 1;
}

DDSURFACEDATA* ZoomWork() { return &Off_Sys[!lpDTCon && SystemIni.DD_VideoStretch ? kZoomWorkVideo : kWorkSystem]; }

// The picture to read: the zoom work surface holding the drawn character, or
// its sheet (the effect copy when `copy`).
void ChooseSource(cFrame& f, bool copy) {
  if (!f.s.bDrawn) return;
  if (f.scaled) {
    f.src = ZoomWork();
    f.c.DrawToWork(f.src, f.s);
    f.sx = f.sy = 0;
    return;
  }
  f.src = SurfaceOf(copy ? f.s.B : f.s.A);
  if (!f.src) f.src = SurfaceOf(f.s.A);
  f.sx = f.s.nSrcX;
  f.sy = f.s.nSrcY;
}

// The tint of an unscaled character's picture around the effect's blit.
template <class Draw>
void Tinted(const cFrame& f, Draw draw) {
  const bool tint = f.s.bColor && !f.scaled;
  if (tint) {
    DDSetDiffuse(f.s.dwDiffuse);
    DDSetColorOp(f.s.dwColorOp);
  }
  draw();
  if (tint) {
    DDResetDiffuse();
    DDResetColorOp();
  }
}

int CeilDiv(int a, int b) { return b > 0 ? (a + b - 1) / b : a; }

void Burst(cFrame& f) { DDBltBurst(f.target, f.left, f.top, f.w, f.h, f.src, f.sx, f.sy, f.Scaled(f.e.dValue), 1); }

void Split(cFrame& f, int direction) {
  const int stripe = CeilDiv(direction == 0 ? f.h : f.w, f.P(3));
  DDBltSplit(f.target, f.left, f.top, f.w, f.h, stripe, f.Scaled(f.e.dValue), f.src, f.sx, f.sy, 1, direction);
}

void Wave(cFrame& f, int direction) {
  const double amplitude = f.scaled ? f.scale * f.e.dValue : f.e.dValue;
  const int line = f.scaled ? DDTruncToInt(f.P(4) * f.scale) : f.P(4);
  DDBltWave(f.target, f.left, f.top, f.w, f.h, f.P(3), amplitude, f.e.nWorkA, line, f.src, f.sx, f.sy, 1, direction);
}

void Rotate(cFrame& f) {
  DDBltRotate(f.target, f.cx(), f.cy(), f.w, f.h, f.w / 2, f.h / 2, f.V(), f.src, f.sx, f.sy, 1);
}

// Kind 7 on a scaled character under DirectDraw favours speed: the picture is
// turned at its size on the sheet inside a square of its diagonal, and that
// square is stretched to the drawn size's diagonal about the character's centre.
void RotateThenStretch(cFrame& f) {
  DDSURFACEDATA* sheet = SurfaceOf(f.s.Scaled);
  if (!sheet) return;
  const int m = f.s.nCellCount;
  const int64_t w = int64_t(m) * f.c.m_nBaseDrawWidth, h = int64_t(m) * f.c.m_nBaseDrawHeight;
  DDSURFACEDATA* work = ZoomWork();
  // The square is held inside its work surface.
  const int square = std::min({DDTruncToInt(static_cast<double>(w) * std::sqrt(2.0)), work->nWidth, work->nHeight});
  const int drawn = DDTruncToInt(f.w * std::sqrt(2.0));
  if (square <= 0 || w <= 0 || h <= 0) return;
  DDFillRectPal(work, 0, 0, square, square, 0);
  DDBltRotate(work, square / 2, square / 2, DDClampToInt(w), DDClampToInt(h), DDClampToInt(w / 2), DDClampToInt(h / 2),
              f.V(), sheet, f.s.nSrcX, f.s.nSrcY, 1);
  DDBlt(f.target, f.cx() - drawn / 2, f.cy() - drawn / 2, drawn, drawn, work, 0, 0, square, square, 1);
}

void RotateDepth(cFrame& f) {
  DDSURFACEDATA* front = SurfaceOf(f.scaled ? f.s.Scaled : f.s.A);
  DDSURFACEDATA* back = SurfaceOf(f.scaled ? f.s.OtherScaled : f.s.OtherA);
  if (!front) return;
  if (!back) back = front;
  const int m = f.scaled ? f.s.nCellCount : 1;
  DDBltRotateDepth(f.target, f.left, f.top, f.w, f.h, front, f.s.nSrcX, f.s.nSrcY, back, f.s.nSrcX, f.s.nSrcY,
                   m * f.c.m_nBaseDrawWidth, m * f.c.m_nBaseDrawHeight, 1, f.V(), 1);
}

void Circle(cFrame& f) {
  const int band = f.scaled ? DDTruncToInt(f.P(3) * f.scale) : f.P(3);
  DDBltCircle(f.target, f.cx(), f.cy(), f.w / 2, f.h / 2, f.Scaled(f.e.dValue), band, f.src, f.sx + f.w / 2,
              f.sy + f.h / 2, 1);
}

void Grow(cFrame& f) {
  int e = DDTruncToInt(f.e.dValue - 32);
  if (f.scaled) {
    // The growth is counted in drawn dots, whatever the scale.
    const int grown = DDTruncToInt((f.e.dValue - 32) * f.scale);
    e = grown >= 0 ? grown / 2 : -((-grown + 1) / 2);
  }
  const int half = e >= 0 ? e / 2 : -((-e + 1) / 2);
  DDBlt(f.target, f.left - half, f.top - half, f.w + e, f.h + e, f.src, f.sx, f.sy, f.w, f.h, 1);
}

void Lens(cFrame& f) {
  const int dx = DDTruncToInt(f.P(3) * (f.scaled ? f.scale : 1.0));
  const int dy = DDTruncToInt(f.P(4) * (f.scaled ? f.scale : 1.0));
  DDSURFACEDATA* work = &Off_Sys[lpDTCon ? kLensWorkD3D : kWorkSystem];
  int r = DDTruncToInt(std::sqrt(2.0) * (std::max(std::abs(dx), std::abs(dy)) + f.w / 2));
  // The lens square is held inside its work surface.
  r = std::max(0, std::min(r, std::min(work->nWidth, work->nHeight) / 2));
  if (r == 0) return;
  DDFillRectPal(work, 0, 0, 2 * r, 2 * r, 0);
  // The character sits in the square so that the lens centre (r, r) is the
  // character's centre moved by the offset.
  DDBltFast(work, r - f.w / 2 - dx, r - f.h / 2 - dy, f.w, f.h, f.src, f.sx, f.sy, 0);
  DDBltLens(f.target, f.cx() + dx, f.cy() + dy, r, f.Scaled(f.e.dValue), work, r, r, 1, 0);
}

void ColourBlend(cFrame& f, int colour, int level) {
  DDBltColorBlend(f.target, f.left, f.top, f.w, f.h, f.src, f.sx, f.sy, 1, ScreenPalette, BlendTable,
                  static_cast<uint32_t>(colour), level);
}

void Mosaic(cFrame& f) { DDMosaic(f.target, f.left, f.top, f.w, f.h, std::max(1, f.V()), f.src, f.sx, f.sy, 1); }

void Blur(cFrame& f) {
  if (DDBpp() == 8) {
    ColourBlend(f, kBlurTint, f.V());
  } else {
    DDBlur(f.target, f.left, f.top, f.w, f.h, f.V(), f.V(), f.src, f.sx, f.sy, 1);
  }
}

// Kinds 6 and 14 turn every P1 frames; the turn comes before drawing so that
// kind 6 starts hidden for P1 frames.
void Turn(cFrame& f) {
  if (f.held) return;
  if (f.e.nWorkA >= f.P(1)) {
    f.e.nWorkA = 0;
    f.e.nWorkB ^= 1;
  }
}

}  // namespace

void cChara::StartCharaEffect(int number, int playMode, int repeat) {
  m_CharaEffect.Start(number, playMode, repeat);
  m_nCharaEffect = m_CharaEffect.nNo;
}

int cChara::DrawCharaEffect(DDSURFACEDATA* target, GRAPHICSOURCE& source, int held, int draw) {
  cCharaEffectAnime& e = m_CharaEffect;
  if (m_nCharaEffect == 0 || !e.pDef) return DrawCharaNormal(*this, target, source, held, draw);
  const int kind = e.pDef->nKind;
  if (kind == 0) return DrawCharaNormal(*this, target, source, held, draw);
  if (kind < 0 || kind >= kCharaEffectKinds) {
    // A damaged definition: the character is drawn plainly and the effect ends.
    ReportLog("character effect %d: kind %d has no drawer", m_nCharaEffect, kind);
    DrawCharaNormal(*this, target, source, held, draw);
    return 1;
  }
  const bool scaled = IsScaled(*this, source);
  cFrame f{*this, target, source, e, held, draw, scaled, static_cast<double>(std::max<int>(m_Def.nGiant, 1)),
           m_nScreenLeft, m_nScreenTop, m_nDrawWidth, m_nDrawHeight};
  if (draw == 1 && source.bDrawn && f.w > 0 && f.h > 0) {
    const bool copy = kind == 7 || kind == 8 || kind == 15 || kind == 16;
    if (kind == 6 || kind == 14) Turn(f);
    if (kind == 6) {
      if (e.nWorkB == 1) DrawCharaNormal(*this, target, source, held, draw);
    } else if (kind == 9) {
      RotateDepth(f);
    } else if (kind == 7 && scaled && !lpDTCon) {
      RotateThenStretch(f);
    } else {
      ChooseSource(f, copy);
      if (f.src) Tinted(f, [&] {
          switch (kind) {
            case 1: Burst(f); break;
            case 2: Split(f, 0); break;
            case 3: Split(f, 1); break;
            case 4: Wave(f, 0); break;
            case 5: Wave(f, 1); break;
            case 7: case 8: Rotate(f); break;
            case 10: Circle(f); break;
            case 11: Grow(f); break;
            case 12: Lens(f); break;
            case 13: ColourBlend(f, f.P(3), f.V()); break;
            case 14:
              if (e.nWorkB == 0)
                DDBltHalf(target, f.left, f.top, f.w, f.h, f.src, f.sx, f.sy, 1, BlendTable);
              break;
            case 15: Mosaic(f); break;
            case 16: Blur(f); break;
            default: break;
          }
        });
    }
  } else if (kind == 6 || kind == 14) {
    Turn(f);
  }
  if (held) return 0;
  if (kind == 4 || kind == 5) {
    if (++e.nWorkA >= 360) e.nWorkA = 0;
  }
  if (kind == 6 || kind == 14) ++e.nWorkA;
  return e.Step();
}

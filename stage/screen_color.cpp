// The screen colour: the tint, the revert and the flashes laid over the finished
// stage picture, last of all the stage drawing.
#include "stage/screen_color.h"

#include "draw/dd_blend_blit.h"
#include "draw/dd_blit.h"
#include "draw/dd_fade.h"
#include "draw/dd_globals.h"
#include "stage/stage_scene.h"

namespace {

constexpr int kColourWork = 67;  // Direct3D: the colour's surface under the virtual back buffer

// 255 minus the colour's share; the share is truncated first, so that a change of
// strength 50 settles at 128 and not a dot past half.
int RiseTransparency(double f, int strength) { return 255 - static_cast<int>(f * strength * 2.55); }

bool EightBitDirectDraw() { return !lpDTCon && DDBpp() == 8; }

void ShowScreenPalette() {
  if (lpDDPalette) lpDDPalette->SetEntries(0, 256, ScreenPalette);
}

}  // namespace

void cScreenColor::Set(int red, int green, int blue, int strength, int revert, int duration, int flash,
                       int flashCount) {
  if (revert) {
    // Nothing to fade out: the colour was never laid (8-bit DirectDraw keeps the
    // palette tinted after the change itself has ended).
    if (lpDTCon && !bActive) return;
    if (EightBitDirectDraw() && !bTinted) return;
  }
  nPrevRed = nRed;
  nPrevGreen = nGreen;
  nPrevBlue = nBlue;
  nPrevStrength = nStrength;
  nPrevTransparency = nTransparency;
  nRed = static_cast<uint8_t>(red);
  nGreen = static_cast<uint8_t>(green);
  nBlue = static_cast<uint8_t>(blue);
  nStrength = strength;
  bRevert = revert;
  // Tenths of a second as frames; a negative time counts as none.
  const long long frames = static_cast<long long>(duration) * 6;
  nDuration = frames < 0 ? 0 : frames > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int32_t>(frames);
  bFlash = flash;
  nFlashCount = flashCount;
  bActive = 1;
  nFrame = nFlashesDone = 0;
  if (!revert) {
    nTransparency = 0;
    bTinted = 1;
  } else {
    nRed = nPrevRed;
    nGreen = nPrevGreen;
    nBlue = nPrevBlue;
    nStrength = nPrevStrength;
    nTransparency = nPrevTransparency;
  }
}

int cScreenColor::Step(int held) {
  if (!bActive) return 0;
  const double f = nDuration == 0 ? 1.0 : static_cast<double>(nFrame) / nDuration;
  if (bFlash) {
    if (nFrame < nDuration) {
      nTransparency = RiseTransparency(f, nStrength);
      if (!held) ++nFrame;
      return 1;
    }
    nTransparency = 255;
    if (!held) {
      nFrame = 0;
      if (++nFlashesDone >= nFlashCount) bActive = 0;
    }
    return 3;
  }
  if (bRevert) {
    nTransparency = nDuration == 0 ? 255 : static_cast<int>(f * (255 - nPrevTransparency) + nPrevTransparency);
    if (!held) {
      if (nFrame >= nDuration)
        bActive = 0;
      else
        ++nFrame;
    }
    return 2;
  }
  nTransparency = RiseTransparency(f, nStrength);
  if (!held) {
    // A tint of any strength stays until the next change replaces it.
    if (nFrame >= nDuration) {
      if (nStrength == 0) bActive = 0;
    } else {
      ++nFrame;
    }
  }
  return 1;
}

void cStageScene::DrawScreenColor(int held) {
  cScreenColor& c = m_ScreenColor;
  if (!c.bActive) return;
  if (!lpDTCon && DDBpp() != 8) {
    // DirectDraw at 16 and 32 bits has no way to tint the frame: the change ends.
    c.bActive = 0;
    return;
  }
  const int what = c.Step(held);
  if (what == 0) return;
  const uint8_t r = what == 2 ? c.nPrevRed : c.nRed;
  const uint8_t g = what == 2 ? c.nPrevGreen : c.nGreen;
  const uint8_t b = what == 2 ? c.nPrevBlue : c.nBlue;
  const int t = what == 3 ? 255 : c.nTransparency;
  if (lpDTCon) {
    if (t >= 255) return;
    if (lpDTCon->bVirBackBuffer) {
      DDSURFACEDATA* work = &Off_Sys[kColourWork];
      DDFillSurface(work, 0xFF000000u | uint32_t(r) << 16 | uint32_t(g) << 8 | b);
      DDBltAlpha(&BackBuffer, 0, 0, 640, 480, work, 0, 0, 0, BlendTable, t);
    } else {
      DDChangeColor(&BackBuffer, 0, 0, 640, 480, t, r, g, b);
    }
    return;
  }
  // 8-bit DirectDraw tints the shown palette; a held frame leaves it as it is.
  if (held) return;
  if (what == 3)
    for (int i = 0; i < 256; ++i) ScreenPalette[i] = GamePalette[i];
  else
    DDBlendPalette(ScreenPalette, 0, 255, t, r, g, b, GamePalette);
  ShowScreenPalette();
}

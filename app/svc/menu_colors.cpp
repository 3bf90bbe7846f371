#include "app/svc/menu_colors.h"

#include <algorithm>
#include <cstdint>

#include "app/svc/mode_manager.h"
#include "data/project_globals.h"
#include "draw/dd_fade.h"
#include "draw/dd_globals.h"

DDBLTEXINFO FlashColorTable[FLASH_COLOR_COUNT] = {};
MENUCOLORSTATE MenuColorState;

namespace {

constexpr uint32_t kAddColors = 7;       // texture colour + vertex colour
constexpr uint32_t kSubtractColors = 10;  // texture colour - vertex colour
constexpr int kRotationFrames = 6;
constexpr int kFirstRotated = 208, kGroups = 8, kGroupSize = 4;

DDBLTEXINFO Opaque(uint32_t r, uint32_t g, uint32_t b, uint32_t op) {
  return DDBLTEXINFO{0xFF000000u | r << 16 | g << 8 | b, op};
}

void CycleTable() {
  MENUCOLORSTATE& s = MenuColorState;
  const int step = SystemData.nMenuColorStep;
  for (int i = 0; i < 9; ++i) {
    // The colour of the intensity as it stands, then the move.
    const uint32_t v = static_cast<uint32_t>(std::clamp(s.nValue[i], 0, 255));
    DDBLTEXINFO& e = FlashColorTable[i + 1];
    switch (i + 1) {
      case 1: e = Opaque(v, v, v, kAddColors); break;
      case 2: e = Opaque(v, v, v, kSubtractColors); break;
      case 3: e = Opaque(v, 0, 0, kAddColors); break;
      case 4: e = Opaque(0, v, 0, kAddColors); break;
      case 5: e = Opaque(0, 0, v, kAddColors); break;
      case 6: e = Opaque(v, v, 0, kAddColors); break;
      case 7: e = Opaque(v, 0, v / 4, kAddColors); break;
      case 8: e = Opaque(v / 4, 0, v, kAddColors); break;
      default: {
        static const uint32_t kKinds[4][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 1, 0}};
        const uint32_t* k = kKinds[s.nColorKind & 3];
        e = Opaque(v * k[0], v * k[1], v * k[2], kAddColors);
        break;
      }
    }
    const bool fell = Bounce(s.nValue[i], s.nDirection[i], step, 0, 255);
    // A step of 0 or below never turns back: the intensity is kept in its range.
    s.nValue[i] = std::clamp(s.nValue[i], 0, 255);
    if (i == 8 && fell) s.nColorKind = (s.nColorKind + 1) % 4;
  }
}

void RotatePaletteGroups() {
  MENUCOLORSTATE& s = MenuColorState;
  if (++s.nFrame < kRotationFrames) return;
  for (int g = 0; g < kGroups; ++g) {
    const int first = kFirstRotated + g * kGroupSize;
    DDRotatePalette(ScreenPalette, first, first + kGroupSize - 1, 1, 0, ScreenPalette);
  }
  if (lpDDPalette) lpDDPalette->SetEntries(kFirstRotated, kGroups * kGroupSize, ScreenPalette + kFirstRotated);
  s.nFrame = 0;
}

}  // namespace

const DDBLTEXINFO& FlashColor(int nColor) {
  static const DDBLTEXINFO kNone{0, 0};
  return nColor >= 0 && nColor < FLASH_COLOR_COUNT ? FlashColorTable[nColor] : kNone;
}

bool PaletteGroupsRotate() { return !lpDTCon && lpDD && DDSettings.nBpp == 8 && SystemData.bPaletteRotation; }

void CycleMenuColors() {
  if (lpDTCon) {
    CycleTable();
  } else if (PaletteGroupsRotate()) {
    RotatePaletteGroups();
  }
}

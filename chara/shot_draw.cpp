// Drawing a shot from the shot sheets (one per facing) or a sword stroke from its
// sword type's pictures.
#include "app/svc/system_ini.h"
#include "chara/shot.h"
#include "data/database.h"
#include "data/project_globals.h"
#include "draw/dd_blit.h"
#include "draw/dd_globals.h"
#include "draw/play_surfaces.h"

namespace {

bool HasSurface(const DDSURFACEDATA& sd) { return sd.lpDT || sd.lpDDPart || sd.lpAliasSD; }

// The twin of a system sheet (n + 18) for stretched drawing under DirectDraw.
DDSURFACEDATA* SheetOf(int n, bool wantTwin) {
  int pick = n;
  if (!lpDTCon && n + 18 < SYS_BMP_COUNT) {
    if ((!wantTwin && !HasSurface(Off_Sys[n])) || (wantTwin && HasSurface(Off_Sys[n + 18]))) pick = n + 18;
  }
  return &Off_Sys[pick];
}

DDSURFACEDATA* SwordSheet(int index) {
  if (index < 0 || index >= Off_Sword.Count()) return nullptr;
  DDSURFACEDATA* sd = &Off_Sword[static_cast<size_t>(index)];
  return HasSurface(*sd) ? sd : nullptr;
}

}  // namespace

int SelectShotSheet(int n, int wantTwin) {
  if (n < 0 || n >= SYS_BMP_COUNT) return n;
  return static_cast<int>(SheetOf(n, wantTwin != 0) - Off_Sys);
}

void cShot::Draw(DDSURFACEDATA* target, int held) {
  if (m_Def.bHidden || !target) return;
  const int size = m_Def.nSize;
  const bool directStretch = !lpDTCon && SystemIni.DD_VideoStretch;
  if (!m_bSword) {
    if (!held) ++m_nAnimeFrames;
    const int v = ShotAnimeValue(1, m_nAnimeFrames);
    const int g = m_nGraphic;
    const int sx = (v + (g / 30) * 2) * 16, sy = (g % 30) * 16;
    const int sheet = 20 + (m_nFacing == 1 ? 1 : 0);
    if (size <= 1) {
      DDBltFast(target, m_nScreenLeft, m_nScreenTop, 16, 16, &Off_Sys[SelectShotSheet(sheet, 0)], sx, sy, 1);
    } else {
      DDBlt(target, m_nScreenLeft, m_nScreenTop, m_nDrawWidth, m_nDrawHeight,
            &Off_Sys[SelectShotSheet(sheet, directStretch ? 0 : 1)], sx, sy, 16, 16, 1);
    }
    return;
  }
  const auto& types = Database.SwordTypeList;
  if (m_Def.nMoveType < 0 || m_Def.nMoveType >= types.Count()) return;
  const auto& frames = types[static_cast<size_t>(m_Def.nMoveType)].Frames;
  if (m_nSwordFrame < 0 || m_nSwordFrame >= frames.Count()) return;
  const cEdSwordFrame& F = frames[static_cast<size_t>(m_nSwordFrame)];
  const int base = 4 * m_Def.nMoveType + (m_nFacing == 1 ? 1 : 0);
  if (size <= 1) {
    if (DDSURFACEDATA* sd = SwordSheet(base))
      DDBltFast(target, m_nScreenLeft, m_nScreenTop, F.nWidth, F.nHeight, sd, F.nSrcX, F.nSrcY, 1);
  } else if (DDSURFACEDATA* sd = SwordSheet(directStretch ? base : base + 2)) {
    DDBlt(target, m_nScreenLeft, m_nScreenTop, m_nDrawWidth, m_nDrawHeight, sd, F.nSrcX, F.nSrcY, F.nWidth, F.nHeight,
          1);
  }
}

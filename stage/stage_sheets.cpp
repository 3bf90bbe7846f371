// The sheets that swords and effects are drawn from, loaded once when stage play
// is entered: per picture the picture itself and a copy for stretched drawing
// (system memory under DirectDraw; under Direct3D a record without a texture that
// draws through the picture's).
#include <string>

#include "app/base/report_log.h"
#include "data/project_globals.h"
#include "draw/dd_globals.h"
#include "draw/dd_surface.h"
#include "draw/play_surfaces.h"
#include "platform/sjis.h"
#include "stage/stand_ins.h"

namespace {

// Appends the record and descriptor of one sheet and loads it; false when the
// file could not be made into a surface (the record stays, empty).
bool AddSheet(cVector<DDSURFACEDATA>& sheets, cVector<DDSURFACEINFO>& infos, const std::string& file, bool copy) {
  DDSURFACEINFO info;
  info.Set(file.c_str(), 1, copy ? DDMEMKIND_SYSTEM : DDMEMKIND_VIDEO, 0, copy ? 1 : 0, 0, 1, 0, 0, 0, 0);
  infos.push_back(info);
  sheets.emplace_back();
  // An entry without a file (the "none" entries) keeps its place, empty.
  if (file.empty()) return true;
  const int code = DDCreateSurfaceFromFile(&sheets.back(), info.szFileName, 1, DDSettings.nBpp, info.nDDMemKind,
                                           info.nDTMemType, info.bNoTexture, 0, 0, 0, 0);
  return DDSurfaceErrorCheck(code);
}

void Reset(cVector<DDSURFACEDATA>& sheets, cVector<DDSURFACEINFO>& infos, size_t reserve) {
  DDReleaseSurfaceVector(sheets);
  sheets.clear();
  infos.clear();
  // Copies point at their pictures by address: the vectors never grow past this.
  sheets.reserve(reserve);
  infos.reserve(reserve);
}

}  // namespace

void LoadSwordImages() {
  const int types = Database.SwordTypeList.Count();
  Reset(Off_Sword, SwordInfo, static_cast<size_t>(types) * 4);
  for (int t = 0; t < types; ++t) {
    const cEdSwordType& sword = Database.SwordTypeList[static_cast<size_t>(t)];
    const std::string* files[4] = {&sword.strLeftFile, &sword.strRightFile, &sword.strLeftFile, &sword.strRightFile};
    for (int k = 0; k < 4; ++k)
      if (!AddSheet(Off_Sword, SwordInfo, *files[k], k >= 2)) ECLogf(SJ("ソード %s 読み込み失敗！"), files[k]->c_str());
    if (lpDTCon) {
      Off_Sword[4 * size_t(t) + 2].lpAliasSD = &Off_Sword[4 * size_t(t)];
      Off_Sword[4 * size_t(t) + 3].lpAliasSD = &Off_Sword[4 * size_t(t) + 1];
    }
  }
}

void LoadEffectImages() {
  const int effects = Database.EffectList.Count();
  Reset(Off_Effect, EffectInfo, effects > 1 ? static_cast<size_t>(effects - 1) * 2 : 0);
  // Effect 0 ("none") has no sheet: effect n's sheets are 2(n - 1) and 2(n - 1) + 1.
  for (int n = 1; n < effects; ++n) {
    const std::string& file = Database.EffectList[static_cast<size_t>(n)].strFile;
    for (int k = 0; k < 2; ++k)
      if (!AddSheet(Off_Effect, EffectInfo, file, k == 1)) ECLogf(SJ("エフェクト %s 読み込み失敗！"), file.c_str());
    if (lpDTCon) Off_Effect[2 * size_t(n - 1) + 1].lpAliasSD = &Off_Effect[2 * size_t(n - 1)];
  }
}

// The first Run of the stage-play scene: the surfaces the stage draws with, and at
// the first entry into a stage its counters, a life and the set-up.
#include <cstring>

#include "app/svc/menu_cursor.h"
#include "app/svc/mode_manager.h"
#include "app/base/report_log.h"
#include "app/base/shell_globals.h"
#include "chara/graphic_source.h"
#include "data/project_globals.h"
#include "data/ranking_file.h"
#include "draw/dd_blit.h"
#include "draw/dd_globals.h"
#include "draw/dd_surface.h"
#include "draw/play_surfaces.h"
#include "draw/sys_bmp_table.h"
#include "platform/sjis.h"
#include "stage/stage_scene.h"
#include "stage/stand_ins.h"

namespace {

constexpr int kFirstLayerSurface = 55;
constexpr int kUnlimitedLives = 999999;

// Slot i's picture: the stage's layer i when it exists and is not a fill layer.
void SetLayerSlots(int (&large)[cStageScene::kLayerSlots]) {
  for (int i = 0; i < cStageScene::kLayerSlots; ++i) {
    DDSURFACEINFO& info = SysBmpInfo[kFirstLayerSurface + i];
    large[i] = 0;
    const bool hasLayer = i < StageData.Layers.Count() && !StageData.Layers.At(i).bFill;
    const std::string& name = hasLayer ? StageData.Layers.At(i).strPicture : std::string();
    std::snprintf(info.szFileName, sizeof info.szFileName, "%s", name.c_str());
    if (!name.empty()) DDCheckBitmapSize(&large[i], info.szFileName, 640, 480);
  }
}

bool LoadLayerSurfaces() {
  int slots[cStageScene::kLayerSlots];
  for (int i = 0; i < cStageScene::kLayerSlots; ++i) slots[i] = kFirstLayerSurface + i;
  // A slot without a picture is left empty (its descriptor is optional).
  for (int slot : slots)
    if (SysBmpInfo[slot].szFileName[0] == '\0') DDReleaseSurface(&Off_Sys[slot]);
  int named[cStageScene::kLayerSlots];
  int count = 0;
  for (int slot : slots)
    if (SysBmpInfo[slot].szFileName[0] != '\0') named[count++] = slot;
  return DDLoadSurfaceTable(Off_Sys, named, count);
}

}  // namespace


void cStageScene::Init() {
  m_bPlaceReached = 0;
  m_RankPlaces.resize(kRankGenres, 0);
  m_RankValues.resize(kRankGenres, 0);
  SelectTileSurfaces();
  SetLayerSlots(m_bLayerLarge);
  if (ModeManager.m_nPrevMode != MODE_STAGE) {
    int count = 0;
    const int* list = StageSurfaceList(count);
    // The layer slots without a picture are not loaded: an empty name is no file.
    int load[80];
    int n = 0;
    for (int i = 0; i < count; ++i) {
      const int s = list[i];
      if (s >= kFirstLayerSurface && s < kFirstLayerSurface + kLayerSlots && SysBmpInfo[s].szFileName[0] == '\0') {
        DDReleaseSurface(&Off_Sys[s]);
        continue;
      }
      load[n++] = s;
    }
    if (!DDLoadSurfaceTable(Off_Sys, load, n)) {
      RequestClose();
      return;
    }
    if (lpDTCon) LinkSurfaceAliases();
    ComposeShotImages();
    LoadCharaExcImages();
    LoadSwordImages();
    LoadEffectImages();
    ResetStageCounters();
    UseLife(SaveData);
    SetStage(0, 1);
  } else {
    if (!LoadLayerSurfaces()) {
      RequestClose();
      return;
    }
    SetStage(1, 1);
  }
  MenuCursor.Reset();
  m_nPhaseStep = 0;
}

void cStageScene::ResetStageCounters() {
  SaveData.nLives = SaveData.nLivesAtStart;
  SaveData.nStageScore = 0;
  SaveData.nScore = 0;
  SaveData.nResultTime = SaveData.nResultPlayTime = SaveData.nResultHp = SaveData.nResultSp = 0;
  SaveData.bStartPos = 0;
  m_ScrollX.m_dPos = m_ScrollY.m_dPos = 0.0;
  m_nPhaseStep = 0;
  m_nBannerCount = m_nBannerCount2 = 0;
  m_bButtonLatch = 0;
  m_nTimeLeft = 0;
  m_bRankRegistered = 0;
  m_Messages.clear();
  if (ModeManager.m_nPlayKind != 4) {
    LogCur.Clear();
    LogPrev.Clear();
  }
  if (bStartupStage) SaveData.nPart = 1;
  if (ModeManager.m_bRanking) LoadRankingFile(Rankings, ModeManager.m_nPlayCategory, SaveData.StageName);
}

int cStageScene::UseLife(cSaveData& save) {
  if (bStartupStage || save.nLives == kUnlimitedLives) return 1;
  if (save.nLives >= 1) {
    --save.nLives;
    return 1;
  }
  return 0;
}

void cStageScene::ComposeShotImages() {
  DDSURFACEDATA* left = &Off_Sys[63];
  DDSURFACEDATA* right = &Off_Sys[64];
  DDFillSurfacePal(left, 0);
  DDFillSurfacePal(right, 0);
  // Each 16x16 cell of the shot sheet centred in a 32x32 slot.
  for (int c = 0; c < 30; ++c) {
    for (int d = 0; d < 4; ++d) {
      DDBltFast(left, 8 + 64 * d, 8 + 32 * c, 16, 16, &Off_Sys[20], 32 * d, 16 * c, 0);
      DDBltFast(left, 40 + 64 * d, 8 + 32 * c, 16, 16, &Off_Sys[20], 16 + 32 * d, 16 * c, 0);
      DDBltFast(right, 8 + 64 * d, 8 + 32 * c, 16, 16, &Off_Sys[21], 32 * d, 16 * c, 0);
      DDBltFast(right, 40 + 64 * d, 8 + 32 * c, 16, 16, &Off_Sys[21], 16 + 32 * d, 16 * c, 0);
    }
  }
}

void cStageScene::LoadCharaExcImages() {
  DDReleaseSurfaceVector(Off_CharaExc);
  Off_CharaExc.clear();
  CharaExcInfo.clear();
  const int entries = Database.BmpCharaExcList.Count();
  if (entries <= 1) return;
  // Four surfaces per entry, linked by address: the vector never grows after this.
  Off_CharaExc.reserve(static_cast<size_t>(entries - 1) * 4);
  CharaExcInfo.reserve(static_cast<size_t>(entries - 1) * 4);
  for (int e = 1; e < entries; ++e) {
    const cEdBmpCharaExc& entry = Database.BmpCharaExcList.At(e);
    // An entry without a file keeps its four places, empty.
    if (entry.strFile.empty()) {
      for (int k = 0; k < 4; ++k) {
        CharaExcInfo.emplace_back();
        Off_CharaExc.emplace_back();
      }
      continue;
    }
    const int cell = entry.bOwnCellSize ? entry.nCellSize * 32 : 32;
    const size_t first = Off_CharaExc.size();
    bool failed = false;
    for (int k = 0; k < 4; ++k) {
      DDSURFACEINFO info;
      info.Set(entry.strFile.c_str(), 1, k < 2 ? DDMEMKIND_VIDEO : DDMEMKIND_SYSTEM, 0, k > 0 ? 1 : 0, 0, 1,
               k == 2 ? 0 : cell, 0, 0, 0);
      CharaExcInfo.push_back(info);
      Off_CharaExc.emplace_back();
      if (failed) continue;
      const int code = DDCreateSurfaceFromFile(&Off_CharaExc.back(), info.szFileName, 1, DDSettings.nBpp,
                                               info.nDDMemKind, info.nDTMemType, info.bNoTexture, 0,
                                               info.nMirrorCellWidth, 0, 0);
      if (!DDSurfaceErrorCheck(code)) failed = true;
    }
    // Under Direct3D the copies draw through the first one's texture.
    if (lpDTCon)
      for (size_t k = 1; k < 4; ++k) Off_CharaExc[first + k].lpAliasSD = &Off_CharaExc[first];
    if (failed) {
      // Play goes on without it; the user learns which picture is missing.
      ECLogf(SJ("専用bmp %s 読み込み失敗！"), entry.strFile.c_str());
      ReportLog(SJ("専用bmp %s 読み込み失敗！"), entry.strFile.c_str());
    }
  }
}

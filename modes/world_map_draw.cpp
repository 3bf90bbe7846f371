// The drawing of the world map: the map surface (background, chips, events), the
// figure, the lives, the stage's title and best result, and the ranking window.
#include <algorithm>
#include <string>

#include "app/base/number_format.h"
#include "app/base/text_util.h"
#include "app/svc/menu_colors.h"
#include "app/svc/mode_manager.h"
#include "data/project_globals.h"
#include "draw/dd_blit.h"
#include "draw/dd_globals.h"
#include "draw/font_table.h"
#include "draw/play_surfaces.h"
#include "modes/world_map_rules.h"
#include "modes/world_map_scene.h"
#include "platform/sjis.h"

namespace {

constexpr int kBackPicture = 54;
constexpr int kChipSheet = 52;
constexpr int kEventSheet = 53;
constexpr int kAccessory = 49;
constexpr int kMapSurface = 67;
constexpr int kViewColumns = 20;
constexpr int kViewRows = 15;
constexpr int kRankingX = 367;
constexpr int kRankingY = 64;
constexpr int kUnlimitedLives = 999999;

int gMarkerClock = 0;

// The figure's picture by facing (down, up, left, right).
constexpr int kMarkerCell[4][2] = {{0, 64}, {64, 64}, {64, 96}, {0, 96}};

bool StoryRankingOn() { return SystemData.RankSettings.At(cEdSystem::kStory).bEnable != 0; }

}  // namespace

void cWorldMapScene::RenderMap() {
  DDSURFACEDATA* target = &Off_Sys[kMapSurface];
  RenderBackground(target);
  RenderChips(target);
  RenderEvents(target);
  target->bLost = 0;
}

void cWorldMapScene::RenderBackground(DDSURFACEDATA* target) {
  DDFillSurfacePal(target, static_cast<uint32_t>(WorldMap.nBgColor & 0xFF));
  if (!WorldMap.bBgPicture) return;
  // A negative origin shifts the picture right/down, a positive one its source.
  const int dx = m_nViewX < 0 ? -m_nViewX * 32 : 0, sx = m_nViewX > 0 ? m_nViewX * 32 : 0;
  const int dy = m_nViewY < 0 ? -m_nViewY * 32 : 0, sy = m_nViewY > 0 ? m_nViewY * 32 : 0;
  DDBltFast(target, dx, dy, 640, 480, &Off_Sys[kBackPicture], sx, sy, 0);
}

void cWorldMapScene::RenderChips(DDSURFACEDATA* target) {
  for (int r = 0; r < kViewRows; ++r) {
    const int row = m_nViewY + r;
    if (row < 0 || row >= WorldMap.nHeight) continue;
    for (int c = 0; c < kViewColumns; ++c) {
      const int col = m_nViewX + c;
      if (col < 0 || col >= WorldMap.nWidth) continue;
      const int cell = WorldCellIndex(WorldMap, col, row);
      if (cell < 0) continue;
      const int chip = WorldMap.Cells[static_cast<size_t>(cell)];
      if (chip < 0 || chip >= WorldMap.Chips.Count()) continue;
      const int n = std::max(0, WorldMap.Chips[static_cast<size_t>(chip)].nPicture);
      DDBltFast(target, 32 * c, 32 * r, 32, 32, &Off_Sys[kChipSheet], 32 * (n % 5), 32 * (n / 5), 1);
    }
  }
}

void cWorldMapScene::RenderEvents(DDSURFACEDATA* target) {
  for (const cEdWorldEvent& e : WorldMap.Events) {
    const int c = e.nCol - m_nViewX, r = e.nRow - m_nViewY;
    if (c < 0 || c >= kViewColumns || r < 0 || r >= kViewRows) continue;
    const cEdWorldStage* entry = FindActiveStage(WorldMap, SaveData, e.nCol, e.nRow);
    if (!entry) continue;
    DDBltFast(target, 32 * c, 32 * r, 32, 32, &Off_Sys[kEventSheet], IsStageCleared(*entry, SaveData) ? 32 : 0,
              32 * std::max(0, entry->nSymbolRow), 1);
  }
}

void cWorldMapScene::Draw(bool info) {
  DDSURFACEDATA* map = &Off_Sys[kMapSurface];
  if (map->bLost) RenderMap();
  DDBltFast(&BackBuffer, 0, 0, 640, 480, map, 0, 0, 0);
  DrawMarker();
  DrawLives();
  if (info) DrawStageInfo();
  CycleMenuColors();
}

void cWorldMapScene::DrawMarker() {
  if (++gMarkerClock >= 80) gMarkerClock = 0;
  const int* cell = kMarkerCell[std::clamp(m_nFacing, 0, 3)];
  const int x = cell[0] + (gMarkerClock > 40 ? 32 : 0);
  DDBltFast(&BackBuffer, 288, 224, 32, 32, &Off_Sys[kAccessory], x, cell[1], 1);
}

void cWorldMapScene::DrawLives() {
  if (!SystemData.bMapLives) return;
  const int lives = SaveData.nLives;
  const bool unlimited = lives == kUnlimitedLives;
  const int w = 16 * ((unlimited ? 1 : DigitCount(lives)) + 1);
  Fonts[1].DrawWindow(&BackBuffer, 621 - w, 17, w, 20);
  DDBltFast(&BackBuffer, 621 - w, 19, 16, 16, &Off_Sys[kAccessory], 0, 48, 1);
  if (unlimited)
    Fonts[1].Draw(&BackBuffer, 621 - w + 16, 19, SJ("∞"));
  else
    Fonts[1].DrawF(&BackBuffer, 621 - w + 16, 19, "%d", lives);
}

void cWorldMapScene::DrawStageInfo() {
  if (!m_pEntry || m_pEntry->nPassage != kWorldEntryStage) return;
  if (StoryRankingOn() && SaveData.bShowRanking && !Off_Scene.empty()) {
    if (SceneSurfaceLost(0)) RenderRanking();
    DDSURFACEDATA& ranking = Off_Scene[0];
    DDBltFast(&BackBuffer, kRankingX, kRankingY, ranking.nWidth, ranking.nHeight, &ranking, 0, 0, 1);
  }
  const bool result = SystemData.bStoryHighScore && m_nBestResult > 0;
  const int y = result ? 184 : 204;
  const int chars = CountChars(m_pEntry->strName);
  if (chars > 0) Fonts[1].DrawTextWindow(&BackBuffer, 304 - 8 * chars, y, 16 * chars, 16, m_pEntry->strName.c_str());
  if (result) {
    const std::string& label = SystemData.Texts.At(2);
    const int width = 16 * (CountChars(label) + DigitCount(m_nBestResult));
    Fonts[1].DrawTextWindowF(&BackBuffer, 304 - width / 2, y + 20, width, 16, "%s%d", label.c_str(), m_nBestResult);
  }
}

void cWorldMapScene::BuildRankingSurface() {
  ReleaseSceneSurfaces();
  if (AddSceneSurface(272, 352, 1)) RenderRanking();
}

void cWorldMapScene::RenderRanking() {
  if (Off_Scene.empty()) return;
  DDSURFACEDATA* surface = &Off_Scene[0];
  DDFillSurfacePal(surface, 0);
  Rankings.Draw(surface, 0, 0, std::clamp(SaveData.nRankGenre, 0, cRankings::kGenres - 1), -1);
}

#include "modes/challenge_scene.h"

#include <algorithm>
#include <cstdio>

#include "app/base/message_box.h"
#include "app/base/number_format.h"
#include "app/base/text_util.h"
#include "app/sound/sound_effects.h"
#include "app/svc/input.h"
#include "app/svc/menu_colors.h"
#include "app/svc/menu_cursor.h"
#include "app/svc/mode_manager.h"
#include "data/project_globals.h"
#include "data/ranking_file.h"
#include "data/stage_loader.h"
#include "draw/dd_blit.h"
#include "draw/dd_globals.h"
#include "draw/font_table.h"
#include "draw/play_surfaces.h"
#include "platform/sjis.h"

namespace {

constexpr int kStageText = 0;   // before each stage number
constexpr int kScoreText = 3;   // the score column's header
constexpr int kTotalText = 4;
constexpr int kRankingX = 292;
constexpr int kRankingY = 108;
constexpr int kUnlimitedLives = 999999;

template <int (cChallengeScene::*F)()>
int Call(cScene* scene) {
  return (static_cast<cChallengeScene*>(scene)->*F)();
}

bool ChallengeRankingOn() { return SystemData.RankSettings.At(cEdSystem::kChallenge).bEnable != 0; }

}  // namespace

std::string ChallengeStagePath(int n) {
  char path[64];
  std::snprintf(path, sizeof path, "%s%02d-1.%s", "data\\stg4\\c", n, "stg4");
  return path;
}

int ChallengeVisibleRows(int selectable, int first) {
  return selectable >= first + 10 ? 10 : std::max(0, selectable - first);
}

cChallengeScene::cChallengeScene()
    : cMenuScene(MODE_CHALLENGE, kMenuConfirm | kMenuCancel | kMenuRanking | kMenuGenre) {
  m_PhaseTable = {&cScene::FadeInPhase, &Call<&cChallengeScene::SelectStage>, &cScene::FadeOutPhase};
}

void cChallengeScene::Init() {
  StartSceneMusic(kMusicChallenge);
  LoadPictures({49, 45});
  MenuCursor.Reset();
  MenuCursor.Cur().nRow = std::max(ModeManager.m_nChallengeCursor, 0);
  m_nFirst = std::max(ModeManager.m_nChallengeListPos, 0);
  CountStages();
  // The list position kept from the last visit fits the stages opened now.
  if (m_nStages > 0) {
    MenuCursor.Cur().nRow = std::min(MenuCursor.Cur().nRow, m_nStages - 1);
    m_nFirst = std::clamp(m_nFirst, 0, std::max(0, m_nStages - 10));
    m_nFirst = std::min(m_nFirst, MenuCursor.Cur().nRow);
    CountStages();
  }
  MenuCursor.Cur().nX = 32;
  MenuCursor.Cur().nY = 160 + 32 * (MenuCursor.Cur().nRow - m_nFirst);
  SelectRanking(MenuCursor.Cur().nRow + 1);
  BuildListSurface();
  m_nPhaseStep = 0;
}

void cChallengeScene::CountStages() {
  m_nStages = SystemData.bChallengeAllOpen ? SystemData.nChallengeStages : SaveData.nChallengeOpen;
  m_nStages = std::clamp(m_nStages, 0, std::max(0, SystemData.nChallengeStages));
  m_nRows = ChallengeVisibleRows(m_nStages, m_nFirst);
}

void cChallengeScene::SelectRanking(int n) {
  SaveData.SetFileName(ChallengeStagePath(n));
  if (ModeManager.m_bRanking) LoadRankingFile(Rankings, ModeManager.m_nPlayCategory, SaveData.StageName);
}

void cChallengeScene::BuildListSurface() {
  ReleaseSceneSurfaces();
  if (DDSURFACEDATA* surface = AddSceneSurface(640, 480, 0)) RenderList(surface);
}

void cChallengeScene::RenderList(DDSURFACEDATA* surface) {
  DDFillSurfacePal(surface, 16);
  Fonts[2].DrawWindow(surface, 1, 1, 638, 478);
  const std::string& title = SystemData.TitleMenu.At(2).strCaption;
  Fonts[2].DrawF(surface, 320 - 16 * CountChars(title), 32, "%s", title.c_str());
  if (SystemData.bChallengeTotalScore && SaveData.nTotal > 0) {
    const std::string& label = SystemData.Texts.At(kTotalText);
    const int width = 16 * (CountChars(label) + DigitCount(SaveData.nTotal));
    Fonts[1].DrawF(surface, 320 - width / 2, 88, "%s%d", label.c_str(), SaveData.nTotal);
  }
  if (!SaveData.bShowRanking && SystemData.bChallengeHighScore)
    Fonts[2].DrawF(surface, 32, 128, "         %s", SystemData.Texts.At(kScoreText).c_str());
  const std::string& stage = SystemData.Texts.At(kStageText);
  const int x2 = 32 * (CountChars(stage) + 4);
  for (int i = 0; i < m_nRows; ++i) {
    const int s = m_nFirst + i, y = 160 + 32 * i;
    Fonts[2].DrawF(surface, 64, y, "%s%d", stage.c_str(), s + 1);
    // A record shorter than the list (an old file) shows nothing for the rest.
    if (s < 0 || s >= SaveData.ChallengeRecords.Count()) continue;
    const cIntPair& record = SaveData.ChallengeRecords[static_cast<size_t>(s)];
    if (record.nFirst) DDBltFast(surface, x2, y, 32, 32, &Off_Sys[49], 96, 0, 1);
    if (SystemData.bChallengeHighScore) Fonts[2].DrawF(surface, x2 + 64, y, "%d", record.nSecond);
  }
  if (ChallengeRankingOn() && SaveData.bShowRanking)
    Rankings.Draw(surface, kRankingX, kRankingY, std::clamp(SaveData.nRankGenre, 0, cRankings::kGenres - 1), -1);
}

void cChallengeScene::Draw() {
  if (!Off_Scene.empty()) {
    if (SceneSurfaceLost(0)) RenderList(&Off_Scene[0]);
    DDBltFast(&BackBuffer, 0, 0, 640, 480, &Off_Scene[0], 0, 0, 0);
  }
  CycleMenuColors();
}

int cChallengeScene::FadeIn() {
  if (DDBpp() == 8 && !Off_Scene.empty()) RenderList(&Off_Scene[0]);
  Draw();
  if (FadeInStep()) m_nPhase = kSelectStage;
  return 0;
}

int cChallengeScene::SelectStage() {
  CountStages();
  const cInput& in = Input.At(0);
  MenuCursor.MoveList(in.m_wDirection, 1, m_nFirst, 160, 32, 32, m_nRows, m_nStages, 1);
  CountStages();
  CursorSound(3);
  const int row = MenuCursor.Cur().nRow;
  if (in.m_wDirection & 15) {
    SelectRanking(row + 1);
    if (!Off_Scene.empty()) RenderList(&Off_Scene[0]);
  }
  if (in.m_wButton & kMenuConfirm) {
    const std::string path = ChallengeStagePath(row + 1);
    // A stage that cannot be played leaves the list as it is.
    if (m_nStages <= 0 || !LoadStageForPlay(path, 1, &PlayStageData, 0)) {
      PlaySE(3);
      ErrorBoxf(SJ("ステージファイル %s が読み込めません！"), path.c_str());
      Draw();
      return 0;
    }
    PlaySE(1);
    SaveData.SetFileName(StageData.strFilePath);
    SaveData.nPart = 1;
    SaveData.nStageNo = row + 1;
    if (SystemData.InfiniteLives.At(cEdSystem::kChallenge)) {
      SaveData.nLivesAtStart = SaveData.nLives = kUnlimitedLives;
    } else {
      SaveData.nLivesAtStart = SystemData.StartLives.At(cEdSystem::kChallenge);
      SaveData.nLives = SaveData.nLivesAtStart - 1;
    }
    SaveData.bParted = 1;
    ModeManager.m_nChallengeCursor = row;
    ModeManager.m_nChallengeListPos = m_nFirst;
    ModeManager.m_nNextMode = MODE_STAGE;
    m_nPhase = kFadeOut;
  } else if (in.m_wButton & kMenuCancel) {
    PlaySE(2);
    ModeManager.m_nNextMode = MODE_TITLE;
    m_nPhase = kFadeOut;
  } else if (in.m_wButton & kMenuRanking) {
    if (ChallengeRankingOn()) {
      PlaySE(6);
      SaveData.bShowRanking = !SaveData.bShowRanking;
      if (!Off_Scene.empty()) RenderList(&Off_Scene[0]);
    } else {
      SaveData.bShowRanking = 0;
    }
  } else if ((in.m_wButton & kMenuGenre) && ChallengeRankingOn()) {
    if (SystemData.CountRankGenres(ModeManager.m_nPlayCategory) >= 2) {
      PlaySE(6);
      SaveData.SelectRankGenre(ModeManager.m_nPlayCategory, 1);
    }
    if (!Off_Scene.empty()) RenderList(&Off_Scene[0]);
  }
  Draw();
  DrawCursor32(MenuCursor.Cur().nX, MenuCursor.Cur().nY);
  return 0;
}

int cChallengeScene::FadeOut() {
  Draw();
  if (!FadeOutStep()) return 0;
  MenuCursor.Reset();
  LeaveScene();
  return 0;
}

cScene* MakeChallengeScene() { return new cChallengeScene; }

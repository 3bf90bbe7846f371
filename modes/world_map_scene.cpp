#include "modes/world_map_scene.h"

#include <cstring>

#include "app/base/message_box.h"
#include "app/base/shell_globals.h"
#include "app/sound/sound_effects.h"
#include "app/svc/input.h"
#include "app/svc/mode_manager.h"
#include "data/project_globals.h"
#include "data/ranking_file.h"
#include "data/stage_loader.h"
#include "draw/dd_globals.h"
#include "modes/world_map_rules.h"
#include "platform/sjis.h"

namespace {

constexpr int kFigureX = 288;
constexpr int kFigureY = 224;
constexpr int kQuestionText = 10;  // "enter the stage", "not now"
constexpr int kQuestionX = 304;
constexpr int kQuestionY = 260;
constexpr int kUnlimitedLives = 999999;

template <int (cWorldMapScene::*F)()>
int Call(cScene* scene) {
  return (static_cast<cWorldMapScene*>(scene)->*F)();
}

bool StoryRankingOn() { return SystemData.RankSettings.At(cEdSystem::kStory).bEnable != 0; }

// Loads the entry's stage for play; the game goes on after a file that cannot be
// read (the map stays usable), with the scene's message.
int LoadEntryStage(const cEdWorldStage& entry) {
  if (LoadStageForPlay(entry.strFile, 1, &PlayStageData, 0)) return 1;
  ErrorBoxf(SJ("ステージファイル %s が読み込めません！"), entry.strFile.c_str());
  return 0;
}

}  // namespace

cWorldMapScene::cWorldMapScene() : cMenuScene(MODE_WORLDMAP, kMenuConfirm | kMenuCancel | kMenuRanking | kMenuGenre) {
  m_PhaseTable = {&cScene::FadeInPhase, &Call<&cWorldMapScene::MoveCursor>, &Call<&cWorldMapScene::EnterStage>,
                  &cScene::FadeOutPhase};
}

void cWorldMapScene::Init() {
  StartSceneMusic(kMusicWorldMap);
  std::snprintf(SysBmpInfo[54].szFileName, sizeof SysBmpInfo[54].szFileName, "%s", WorldMap.strBgPicture.c_str());
  LoadPictures({54, 52, 53, 49, 45, 67});
  MenuCursor.Reset();
  SaveData.SumWorldMapResults();
  // A position or facing that the map cannot hold (an old or damaged save) starts
  // from the map's start cell.
  if (SaveData.nMapX < 0 || SaveData.nMapX >= WorldMap.nWidth || SaveData.nMapY < 0 ||
      SaveData.nMapY >= WorldMap.nHeight) {
    SaveData.nMapX = WorldMap.nStartX;
    SaveData.nMapY = WorldMap.nStartY;
  }
  if (SaveData.nMapDir < 0 || SaveData.nMapDir > 3) SaveData.nMapDir = 0;
  MENUCURSOR& c = MenuCursor.Cur();
  c.nColumn = SaveData.nMapX;
  c.nRow = SaveData.nMapY;
  c.nX = kFigureX;
  c.nY = kFigureY;
  SetViewOrigin();
  m_nFacing = SaveData.nMapDir;
  LookUpCell();
  m_PrevCursor = c;
  BuildRankingSurface();
  if (m_pEntry && m_pEntry->nPassage == kWorldEntryStage) {
    SelectEntry();
    m_SelectedCursor = c;
    m_bSelected = true;
  }
  if (SaveData.bAutoSave && ModeManager.m_nPrevMode == MODE_STAGE && SaveData.nSlot >= 0)
    SaveStorySlot(SaveData.nSlot);
  RenderMap();
  m_nPhaseStep = 0;
}

void cWorldMapScene::LookUpCell() {
  m_nEvent = WorldEventAt(WorldMap, Col(), Row());
  m_pEntry = FindActiveStage(WorldMap, SaveData, Col(), Row());
}

void cWorldMapScene::SetViewOrigin() {
  m_nViewX = Col() - 9;
  m_nViewY = Row() - 7;
}

void cWorldMapScene::MoveOnMap() {
  const uint16_t dir = Input.At(0).m_wDirection;
  MENUCURSOR& c = MenuCursor.Cur();
  if (dir & 15) {
    SaveData.nMapPrevX = c.nColumn;
    SaveData.nMapPrevY = c.nRow;
    m_PrevCursor = c;
  }
  const WorldMove m = MoveOnWorldMap(WorldMap, SaveData, c.nColumn, c.nRow, m_nFacing, dir);
  m_nFacing = m.facing;
  if (m.moved && !m.refused) {
    c.nColumn = m.col;
    c.nRow = m.row;
    SetViewOrigin();
    SaveData.nMapDir = m_nFacing;
    if (m.col != m_PrevCursor.nColumn || m.row != m_PrevCursor.nRow) m_bAutoRefused = false;
    RenderMap();
  } else if (m.refused) {
    c = m_PrevCursor;
  }
  c.nX = kFigureX;
  c.nY = kFigureY;
}

void cWorldMapScene::SelectEntry() {
  if (!m_pEntry) return;
  SaveData.SetFileName(m_pEntry->strFile);
  m_nBestResult = SaveData.FindStageResult(SaveData.StageName);
  if (ModeManager.m_bRanking) {
    LoadRankingFile(Rankings, ModeManager.m_nPlayCategory, SaveData.StageName);
    SaveData.SelectRankGenre(ModeManager.m_nPlayCategory, 0);
    RenderRanking();
  }
}

void cWorldMapScene::PrepareStageStart() {
  SaveData.SetFileName(StageData.strFilePath);
  SaveData.nStageNo = m_pEntry ? m_pEntry->nStageNo : 0;
  SaveData.nPart = 1;
  if (SystemData.bStoryKeepLives) {
    SaveData.nLivesAtStart = SystemData.InfiniteLives.At(cEdSystem::kStory)
                                 ? kUnlimitedLives
                                 : (SaveData.nLives >= kUnlimitedLives ? kUnlimitedLives : SaveData.nLives + 1);
  } else {
    SaveData.nLivesAtStart = SystemData.StartLives.At(cEdSystem::kStory);
  }
  SaveData.pWorldStage = WorldStageHandleOf(WorldMap, m_pEntry);
}

void cWorldMapScene::RankingButtons() {
  const uint16_t buttons = Input.At(0).m_wButton;
  if (buttons & kMenuRanking) {
    if (StoryRankingOn()) {
      PlaySE(6);
      SaveData.bShowRanking = !SaveData.bShowRanking;
      RenderRanking();
    } else if (SaveData.bShowRanking) {
      SaveData.bShowRanking = 0;
      RenderRanking();
    }
  } else if ((buttons & kMenuGenre) && StoryRankingOn()) {
    if (SystemData.CountRankGenres(ModeManager.m_nPlayCategory) >= 2) {
      PlaySE(6);
      SaveData.SelectRankGenre(ModeManager.m_nPlayCategory, 1);
    }
    RenderRanking();
  }
}

int cWorldMapScene::FadeIn() {
  if (DDBpp() == 8) RenderRanking();
  Draw(!SaveData.bMapStepBack);
  if (!FadeInStep()) return 0;
  m_nPhase = kMoveCursor;
  if (!m_pEntry || m_pEntry->nPassage != kWorldEntryStage) return 0;
  if (SaveData.bMapStepBack) {
    // Back from a lost life: off the stage that was not cleared.
    SaveData.bMapStepBack = 0;
    if (!IsStageCleared(*m_pEntry, SaveData)) {
      MenuCursor.Cur().nColumn = SaveData.nMapPrevX;
      MenuCursor.Cur().nRow = SaveData.nMapPrevY;
      SetViewOrigin();
      LookUpCell();
      RenderMap();
    }
    return 0;
  }
  if (ModeManager.m_nPrevMode == MODE_WORLDMAP_MENU || StageNeedsConfirm(*m_pEntry, SaveData)) return 0;
  if (!LoadEntryStage(*m_pEntry)) {
    m_bAutoRefused = true;
    return 0;
  }
  PrepareStageStart();
  SaveData.nMapPrevX = Col();
  SaveData.nMapPrevY = Row();
  ModeManager.m_nNextMode = MODE_STAGE;
  m_nPhase = kFadeOut;
  return 0;
}

int cWorldMapScene::MoveCursor() {
  MoveOnMap();
  CursorSound(3);
  LookUpCell();
  const uint16_t buttons = Input.At(0).m_wButton;
  bool enter = false;
  if (m_pEntry && m_pEntry->nPassage == kWorldEntryStage) {
    const MENUCURSOR& c = MenuCursor.Cur();
    if (!m_bSelected || c.nColumn != m_SelectedCursor.nColumn || c.nRow != m_SelectedCursor.nRow) {
      SelectEntry();
      m_SelectedCursor = c;
      m_bSelected = true;
    }
    if (!StageNeedsConfirm(*m_pEntry, SaveData)) {
      enter = !m_bAutoRefused;
    } else if (buttons & kMenuConfirm) {
      if (IsStageCleared(*m_pEntry, SaveData) && !m_pEntry->bReplayable) {
        Draw(true);
        return 0;
      }
      enter = true;
    } else {
      RankingButtons();
    }
  }
  if (enter) {
    SaveData.nMapX = Col();
    SaveData.nMapY = Row();
    MenuCursor.Push(0);
    m_nPhaseStep = 0;
    m_nPhase = kEnterStage;
    Draw(true);
    return 0;
  }
  if (buttons & kMenuCancel) {
    PlaySE(4);
    SaveData.nMapX = Col();
    SaveData.nMapY = Row();
    ModeManager.m_nNextMode = MODE_WORLDMAP_MENU;
    m_nPhase = kFadeOut;
    Draw(true);
    return 0;
  }
  Draw(true);
  return 0;
}

int cWorldMapScene::EnterStage() {
  if (m_nPhaseStep == 0) {
    PlaySE(1);
    m_bStageLoaded = m_pEntry ? LoadEntryStage(*m_pEntry) : 0;
    MenuCursor.Cur().nRow = 1;
    m_nPhaseStep = 1;
  }
  MoveQuestion(kQuestionX, kQuestionY, kQuestionText);
  CursorSound(2);
  const uint16_t buttons = Input.At(0).m_wButton;
  if (buttons & (kMenuConfirm | kMenuCancel)) {
    PlaySE(buttons & kMenuConfirm ? 1 : 2);
    if ((buttons & kMenuConfirm) && MenuCursor.Cur().nRow == 0 && m_bStageLoaded) {
      SaveData.nMapDir = m_nFacing;
      PrepareStageStart();
      m_nPhaseStep = 0;
      ModeManager.m_nNextMode = MODE_STAGE;
      m_nPhase = kFadeOut;
      MenuCursor.Pop(1);
      Draw(true);
      return 0;
    }
    const bool automatic = m_pEntry && !StageNeedsConfirm(*m_pEntry, SaveData);
    MenuCursor.Pop(1);
    if (automatic) {
      // Declined: the figure goes back to the cell it came from.
      MenuCursor.Cur() = m_PrevCursor;
      SaveData.nMapX = Col();
      SaveData.nMapY = Row();
      SetViewOrigin();
      LookUpCell();
      RenderMap();
    }
    m_nPhaseStep = 0;
    m_nPhase = kMoveCursor;
    Draw(true);
    return 0;
  }
  RankingButtons();
  Draw(true);
  DrawQuestion(kQuestionX, kQuestionY, kQuestionText);
  return 0;
}

int cWorldMapScene::FadeOut() {
  Draw(true);
  if (!FadeOutStep()) return 0;
  MenuCursor.Reset();
  LeaveScene();
  return 0;
}

cScene* MakeWorldMapScene() { return new cWorldMapScene; }

#pragma once
#include "app/svc/menu_cursor.h"
#include "modes/menu_scene.h"

class cEdWorldStage;

// Mode 1: the story's world map. The figure stands in the middle of the screen on
// a grid of 32-dot cells and the map moves under it; stepping onto an event's
// active stage enters it at once or after button 1 and a question.
class cWorldMapScene : public cMenuScene {
 public:
  enum { kFadeIn = 0, kMoveCursor = 1, kEnterStage = 2, kFadeOut = 3 };

  cWorldMapScene();

  void Init() override;
  int FadeIn() override;
  int FadeOut() override;
  int MoveCursor();
  int EnterStage();

  void MoveOnMap();
  void SetViewOrigin();
  void SelectEntry();
  void PrepareStageStart();
  // Buttons 3 and 4 on an active stage: the ranking window and its genre.
  void RankingButtons();

  // Drawing (world_map_draw.cpp).
  void Draw(bool info);
  void RenderMap();
  void RenderBackground(DDSURFACEDATA* target);
  void RenderChips(DDSURFACEDATA* target);
  void RenderEvents(DDSURFACEDATA* target);
  void DrawMarker();
  void DrawLives();
  void DrawStageInfo();
  void BuildRankingSurface();
  void RenderRanking();

  int Col() const { return MenuCursor.Cur().nColumn; }
  int Row() const { return MenuCursor.Cur().nRow; }
  // The active entry under the figure, looked up again.
  void LookUpCell();

  int m_nViewX = 0, m_nViewY = 0;
  int m_nEvent = -1;
  const cEdWorldStage* m_pEntry = nullptr;
  int m_nFacing = 0;
  MENUCURSOR m_PrevCursor;
  MENUCURSOR m_SelectedCursor;
  bool m_bSelected = false;
  int m_nBestResult = 0;
  int m_bStageLoaded = 0;
  // An automatic stage that could not be loaded is not tried again until the
  // figure leaves its cell.
  bool m_bAutoRefused = false;
};

cScene* MakeWorldMapScene();

#pragma once
#include <string>

#include "modes/menu_scene.h"

// Mode 3: the challenge mode's list of stages, with the clear sign and best score
// of each, the total of best results and the ranking window of the selected stage.
class cChallengeScene : public cMenuScene {
 public:
  enum { kFadeIn = 0, kSelectStage = 1, kFadeOut = 2 };

  cChallengeScene();

  void Init() override;
  int FadeIn() override;
  int FadeOut() override;
  int SelectStage();

  void CountStages();
  void SelectRanking(int n);
  void BuildListSurface();
  void RenderList(DDSURFACEDATA* surface);
  void Draw();

  int m_nFirst = 0;
  int m_nStages = 0;
  int m_nRows = 0;
};

// The file of challenge stage n (1-based): "data\stg4\c" + two digits + "-1.stg4".
std::string ChallengeStagePath(int n);
// Rows shown of `selectable` stages from row `first`: at most 10, never negative.
int ChallengeVisibleRows(int selectable, int first);

cScene* MakeChallengeScene();

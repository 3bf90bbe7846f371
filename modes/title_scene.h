#pragma once
#include <vector>

#include "modes/menu_scene.h"

// Mode 0: the title picture and its menu of up to seven items (new story,
// continue, challenge, stage file, replay, option, exit), and the slot list of the
// continue item.
class cTitleScene : public cMenuScene {
 public:
  enum { kFadeIn = 0, kMenu = 1, kSaveList = 2, kFadeOut = 3 };
  enum { kNewStory = 0, kContinue = 1, kChallenge = 2, kStageFile = 3, kReplay = 4, kOption = 5, kExit = 6 };

  cTitleScene();

  void Init() override;
  int FadeIn() override;
  int FadeOut() override;
  int Menu();
  int SaveList();

  void BuildMenu();
  void RenderMenu(DDSURFACEDATA* surface);
  void Draw();

  std::vector<int> m_Items;  // visible item indexes
  int m_nFirstSlot = 0;
  int m_nSlotRows = 0;
  int m_nMenuX = 192;
  int m_nMenuY = 240;

 private:
  // What the chosen item does (the item index of the title menu).
  void Choose(int item);
};

cScene* MakeTitleScene();

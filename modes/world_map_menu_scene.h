#pragma once
#include <vector>

#include "modes/menu_scene.h"

// Mode 2: the world map's menu: save the story to a slot, auto-save on or off,
// back to the map, back to the title.
class cWorldMapMenuScene : public cMenuScene {
 public:
  enum { kFadeIn = 0, kMenu = 1, kSaveSlots = 2, kAutoSave = 3, kBackToMap = 4, kToTitle = 5, kFadeOut = 6 };

  cWorldMapMenuScene();

  void Init() override;
  int FadeIn() override;
  int FadeOut() override;
  int Menu();
  int SaveSlots();
  int AutoSave();
  int BackToMap();
  int ToTitle();

  void Draw();
  void DrawMenuWindow();
  void DrawTotal();

  std::vector<int> m_Items;
  int m_nFirstSlot = 0;
  int m_nSlotRows = 0;
};

cScene* MakeWorldMapMenuScene();

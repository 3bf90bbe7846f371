#pragma once
#include <cstdint>
#include <vector>

#include "modes/menu_scene.h"

// Mode 5: the user's options (palette set, music on or off, sound volume, ranking
// registration mode, registration name). Changes take effect at once; leaving
// applies the music switch and writes "user_data\Option.dat".
class cOptionScene : public cMenuScene {
 public:
  enum { kFadeIn = 0, kMenu = 1, kFadeOut = 2 };
  enum { kPaletteSet = 0, kMusic = 1, kVolume = 2, kRegisterMode = 3, kName = 4, kBack = 5 };

  cOptionScene();

  void Init() override;
  int FadeIn() override;
  int FadeOut() override;
  int Menu();

  void BuildSurface();
  void RenderOptions(DDSURFACEDATA* surface);
  void Draw();

  std::vector<int> m_Items;
  int m_nEditItem = 0;
  int m_nOldValue = 0;
  int32_t* m_pValue = nullptr;
  int m_nMin = 0, m_nMax = 0;

 private:
  // What a change of the edited value does at once (palette set, volumes).
  void ApplyEdit();
};

// One step of an option value: up +1, down -1, wrapping within min..max.
int StepOptionValue(int value, int delta, int min, int max);
// Every buffer of every sound-effect entry, the system sounds included, at the
// volume of option level 0..10.
void SetAllSoundVolumes(int level);
// The music switch of the options applied to the music player: set up when it
// is on and the player is not, released when it is off and the player is.
void ApplyMusicOption();

cScene* MakeOptionScene();

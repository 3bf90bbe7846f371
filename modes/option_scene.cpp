#include "modes/option_scene.h"

#include <algorithm>
#include <string>

#include "app/base/play_trace.h"
#include "app/sound/music_player.h"
#include "app/sound/sound_effects.h"
#include "app/svc/input.h"
#include "app/svc/menu_colors.h"
#include "app/svc/menu_cursor.h"
#include "app/svc/mode_manager.h"
#include "app/svc/palette_set.h"
#include "app/ui/name_dlg.h"
#include "app/base/text_util.h"
#include "data/data_folders.h"
#include "data/project_globals.h"
#include "draw/dd_blit.h"
#include "draw/dd_globals.h"
#include "draw/font_table.h"
#include "draw/play_surfaces.h"

namespace {

constexpr int kListX = 48;
constexpr int kListY = 96;

template <int (cOptionScene::*F)()>
int Call(cScene* scene) {
  return (static_cast<cOptionScene*>(scene)->*F)();
}

// The shown value of an item.
std::string ShownValue(int item) {
  switch (item) {
    case cOptionScene::kPaletteSet: return std::to_string(OptionData.nPaletteSet);
    case cOptionScene::kMusic: return OptionData.bMusic ? "ON" : "OFF";
    case cOptionScene::kVolume: return std::to_string(OptionData.nVolume);
    case cOptionScene::kRegisterMode: {
      const int mode = OptionData.nRegisterMode;
      return mode >= 0 && mode < SystemData.RankModes.Count() ? SystemData.RankModes[static_cast<size_t>(mode)]
                                                               : std::string();
    }
    case cOptionScene::kName: return OptionData.strName;
    default: return std::string();
  }
}

}  // namespace

int StepOptionValue(int value, int delta, int min, int max) {
  value += delta;
  if (value < min) value = max;
  if (value > max) value = min;
  return value;
}

void SetAllSoundVolumes(int level) {
  const int volume = SoundVolumeFromLevel(level);
  for (DSSOUNDDATA& entry : SoundTable)
    for (int i = 0; i < static_cast<int>(entry.lpBuffers.size()); ++i) DS_SetVolume(entry, i, volume, 0);
}

void ApplyMusicOption() {
  if (OptionData.bMusic && !BgmPlayer.IsInit()) {
    BgmPlayer.Release();
    InitBgmPlayer();
    ModeManager.m_nMenuBgm = 0;
  } else if (!OptionData.bMusic && BgmPlayer.IsInit()) {
    BgmPlayer.Release();
    ModeManager.m_nMenuBgm = 0;
  }
}

cOptionScene::cOptionScene() : cMenuScene(MODE_OPTION, kMenuConfirm | kMenuCancel) {
  m_PhaseTable = {&cScene::FadeInPhase, &Call<&cOptionScene::Menu>, &cScene::FadeOutPhase};
}

void cOptionScene::Init() {
  StartSceneMusic(kMusicOption);
  LoadPictures({49, 45});
  MenuCursor.Reset();
  m_Items = VisibleMenuItems(SystemData.OptionMenu, cEdSystem::kOptionMenu);
  BuildSurface();
  m_nPhaseStep = 0;
}

void cOptionScene::BuildSurface() {
  ReleaseSceneSurfaces();
  if (DDSURFACEDATA* surface = AddSceneSurface(640, 480, 0)) RenderOptions(surface);
}

void cOptionScene::RenderOptions(DDSURFACEDATA* surface) {
  DDFillSurfacePal(surface, 16);
  Fonts[2].DrawWindow(surface, 1, 1, 638, 478);
  const std::string& title = SystemData.TitleMenu.At(5).strCaption;
  Fonts[2].DrawF(surface, 320 - 16 * CountChars(title), 32, "%s", title.c_str());
  for (size_t i = 0; i < m_Items.size(); ++i) {
    const int y = kListY + 16 * static_cast<int>(i);
    Fonts[1].Draw(surface, 64, y, SystemData.OptionMenu.At(m_Items[i]).strCaption.c_str());
    Fonts[1].Draw(surface, 208, y, ShownValue(m_Items[i]).c_str());
  }
}

void cOptionScene::Draw() {
  if (!Off_Scene.empty()) {
    if (SceneSurfaceLost(0)) RenderOptions(&Off_Scene[0]);
    DDBltFast(&BackBuffer, 0, 0, 640, 480, &Off_Scene[0], 0, 0, 0);
  }
  CycleMenuColors();
}

int cOptionScene::FadeIn() {
  if (DDBpp() == 8 && !Off_Scene.empty()) RenderOptions(&Off_Scene[0]);
  Draw();
  if (FadeInStep()) m_nPhase = kMenu;
  return 0;
}

void cOptionScene::ApplyEdit() {
  if (m_nEditItem == kPaletteSet) SetPaletteSet(OptionData.nPaletteSet);
  if (m_nEditItem == kVolume) SetAllSoundVolumes(OptionData.nVolume);
}

int cOptionScene::Menu() {
  const cInput& in = Input.At(0);
  if (m_nPhaseStep == 0) {
    MenuCursor.Cur() = MENUCURSOR();
    m_nPhaseStep = 1;
  }
  if (m_nPhaseStep == 1) {
    MenuCursor.MoveGrid(in.m_wDirection, kListX, kListY, 0, 16, 1, static_cast<int>(m_Items.size()));
    CursorSound(2);
    if (in.m_wButton & kMenuConfirm) {
      PlaySE(1);
      const int row = std::clamp(MenuCursor.Cur().nRow, 0, static_cast<int>(m_Items.size()) - 1);
      m_nEditItem = m_Items[static_cast<size_t>(row)];
      struct Range {
        int32_t* value;
        int min, max;
      };
      const Range ranges[] = {{&OptionData.nPaletteSet, 0, 23},
                              {&OptionData.bMusic, 0, 1},
                              {&OptionData.nVolume, 0, 10},
                              {&OptionData.nRegisterMode, 0, 3}};
      if (m_nEditItem <= kRegisterMode) {
        const Range& r = ranges[m_nEditItem];
        m_pValue = r.value;
        m_nMin = r.min;
        m_nMax = r.max;
        m_nOldValue = *m_pValue;
        MenuCursor.Push(0);
        m_nPhaseStep = 2;
      } else if (m_nEditItem == kName) {
        RequestNameEntry();
        if (!Off_Scene.empty()) RenderOptions(&Off_Scene[0]);
        Draw();
        DrawCursor16(MenuCursor.Cur().nX, MenuCursor.Cur().nY);
      } else {
        ModeManager.m_nNextMode = MODE_TITLE;
        m_nPhaseStep = 0;
        m_nPhase = kFadeOut;
      }
      return 0;
    }
    if (in.m_wButton & kMenuCancel) {
      PlaySE(2);
      ModeManager.m_nNextMode = MODE_TITLE;
      m_nPhaseStep = 0;
      m_nPhase = kFadeOut;
      return 0;
    }
    Draw();
    DrawCursor16(MenuCursor.Cur().nX, MenuCursor.Cur().nY);
    return 0;
  }
  // Editing: up and down change the value at once.
  if (in.m_wDirection & (kDirUp | kDirDown)) {
    *m_pValue = StepOptionValue(*m_pValue, in.m_wDirection & kDirUp ? 1 : -1, m_nMin, m_nMax);
    ApplyEdit();
    if (!Off_Scene.empty()) RenderOptions(&Off_Scene[0]);
  }
  CursorSound(2);
  if (in.m_wButton & kMenuConfirm) {
    PlaySE(1);
    MenuCursor.Pop(1);
    m_nPhaseStep = 1;
    return 0;
  }
  if (in.m_wButton & kMenuCancel) {
    PlaySE(2);
    *m_pValue = m_nOldValue;
    ApplyEdit();
    MenuCursor.Pop(1);
    m_nPhaseStep = 1;
    if (!Off_Scene.empty()) RenderOptions(&Off_Scene[0]);
    return 0;
  }
  Draw();
  const MENUCURSOR& list = *MenuCursor.m_pBelow;
  DrawCursor16(list.nX, list.nY, 80);
  DrawCursor16(192, list.nY);
  return 0;
}

int cOptionScene::FadeOut() {
  Draw();
  if (!FadeOutStep()) return 0;
  DDFillSurfacePal(&BackBuffer, 16);
  ApplyMusicOption();
  // A file that cannot be written keeps the options of this run only.
  if (OptionData.Save(PathTable[kPathOption])) PlayTraceFile(PathTable[kPathOption]);
  MenuCursor.Reset();
  LeaveScene();
  return 0;
}

cScene* MakeOptionScene() { return new cOptionScene; }

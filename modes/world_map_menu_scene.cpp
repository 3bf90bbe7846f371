#include "modes/world_map_menu_scene.h"

#include <algorithm>

#include "app/base/number_format.h"
#include "app/base/text_util.h"
#include "app/sound/sound_effects.h"
#include "app/svc/input.h"
#include "app/svc/menu_colors.h"
#include "app/svc/menu_cursor.h"
#include "app/svc/mode_manager.h"
#include "data/project_globals.h"
#include "draw/dd_blit.h"
#include "draw/dd_globals.h"
#include "draw/font_table.h"
#include "modes/story_slots.h"

namespace {

constexpr int kMenuX = 264;
constexpr int kMenuY = 192;
constexpr int kSlotX = 152;
constexpr int kSlotY = 160;
constexpr int kMaxSlotRows = 10;
constexpr int kTotalText = 4;
constexpr int kSaveText = 12;      // save, not now
constexpr int kAutoSaveText = 14;  // on, off
constexpr int kNoSlotText = 16;
constexpr int kTitleText = 17;     // to the title, not now

template <int (cWorldMapMenuScene::*F)()>
int Call(cScene* scene) {
  return (static_cast<cWorldMapMenuScene*>(scene)->*F)();
}

// Back to the menu list from a question or list.
void BackToList(cScene* scene) {
  MenuCursor.Pop(1);
  scene->m_nPhaseStep = 0;
  scene->m_nPhase = cWorldMapMenuScene::kMenu;
}

}  // namespace

cWorldMapMenuScene::cWorldMapMenuScene() : cMenuScene(MODE_WORLDMAP_MENU, kMenuConfirm | kMenuCancel) {
  m_PhaseTable = {&cScene::FadeInPhase,
                  &Call<&cWorldMapMenuScene::Menu>,
                  &Call<&cWorldMapMenuScene::SaveSlots>,
                  &Call<&cWorldMapMenuScene::AutoSave>,
                  &Call<&cWorldMapMenuScene::BackToMap>,
                  &Call<&cWorldMapMenuScene::ToTitle>,
                  &cScene::FadeOutPhase};
}

void cWorldMapMenuScene::Init() {
  StartSceneMusic(kMusicWorldMap);
  LoadPictures({45, 50, 49});
  m_Items = VisibleMenuItems(SystemData.WorldMapMenu, cEdSystem::kWorldMapMenu);
  MenuCursor.Reset();
}

int cWorldMapMenuScene::FadeIn() {
  Draw();
  DrawCursor16(kMenuX, kMenuY);
  if (FadeInStep()) m_nPhase = kMenu;
  return 0;
}

int cWorldMapMenuScene::Menu() {
  const cInput& in = Input.At(0);
  MenuCursor.MoveGrid(in.m_wDirection, kMenuX, kMenuY, 0, 16, 1, static_cast<int>(m_Items.size()));
  CursorSound(2);
  if (in.m_wButton & kMenuConfirm) {
    PlaySE(1);
    const int row = std::clamp(MenuCursor.Cur().nRow, 0, static_cast<int>(m_Items.size()) - 1);
    m_nPhase = m_Items[static_cast<size_t>(row)] + 2;
    m_nPhaseStep = 0;
    MenuCursor.Push(0);
    return 0;
  }
  if (in.m_wButton & kMenuCancel) {
    PlaySE(2);
    m_nPhase = kBackToMap;
    return 0;
  }
  Draw();
  DrawCursor16(MenuCursor.Cur().nX, MenuCursor.Cur().nY);
  return 0;
}

int cWorldMapMenuScene::SaveSlots() {
  if (m_nPhaseStep == 0) {
    MenuCursor.Cur() = MENUCURSOR();
    MenuCursor.Cur().nRow = std::max(SaveData.nSlot, 0);
    m_nPhaseStep = 1;
    ScanSaveSlots(SlotInfos);
    m_nSlotRows = std::min(SlotInfos.Count(), kMaxSlotRows);
    m_nFirstSlot = std::max(SaveData.nSlot, 0);
  }
  const cInput& in = Input.At(0);
  if (m_nPhaseStep == 1) {
    MenuCursor.MoveList(in.m_wDirection, 1, m_nFirstSlot, kSlotY, 16, kSlotX, m_nSlotRows, SlotInfos.Count(), 1);
    CursorSound(3);
    if (in.m_wButton & kMenuConfirm) {
      PlaySE(1);
      MenuCursor.Push(0);
      MenuCursor.Cur().nRow = 1;
      m_nPhaseStep = 2;
      return 0;
    }
    if (in.m_wButton & kMenuCancel) {
      PlaySE(2);
      BackToList(this);
      return 0;
    }
    DDFillSurfacePal(&BackBuffer, 16);
    DrawSaveSlots(&BackBuffer, kSlotX, kSlotY, SlotInfos, m_nFirstSlot, m_nSlotRows);
    DrawCursor16(MenuCursor.Cur().nX, MenuCursor.Cur().nY);
    return 0;
  }
  // The question: save into the slot under the list cursor?
  MoveQuestion(320, 400, kSaveText);
  CursorSound(2);
  if (in.m_wButton & kMenuConfirm) {
    if (MenuCursor.Cur().nRow == 0) {
      PlaySE(5);
      SaveData.nSlot = std::clamp(MenuCursor.m_pBelow->nRow, 0, kStorySlots - 1);
      SaveStorySlot(SaveData.nSlot);
    } else {
      PlaySE(1);
    }
    MenuCursor.Pop(1);
    m_nPhaseStep = 1;
    return 0;
  }
  if (in.m_wButton & kMenuCancel) {
    PlaySE(2);
    MenuCursor.Pop(1);
    m_nPhaseStep = 1;
    return 0;
  }
  DDFillSurfacePal(&BackBuffer, 16);
  DrawSaveSlots(&BackBuffer, kSlotX, kSlotY, SlotInfos, m_nFirstSlot, m_nSlotRows);
  DrawQuestion(320, 400, kSaveText);
  DrawCursor16(MenuCursor.m_pBelow->nX, MenuCursor.m_pBelow->nY, 80);
  return 0;
}

int cWorldMapMenuScene::AutoSave() {
  if (m_nPhaseStep == 0) {
    MenuCursor.Cur() = MENUCURSOR();
    MenuCursor.Cur().nRow = SaveData.bAutoSave ? 0 : 1;
    m_nPhaseStep = SaveData.nSlot < 0 ? 2 : 1;
  }
  const cInput& in = Input.At(0);
  if (m_nPhaseStep == 2) {
    // No slot saved to yet: only the message.
    if (in.m_wButton & (kMenuConfirm | kMenuCancel)) {
      PlaySE(in.m_wButton & kMenuConfirm ? 1 : 2);
      BackToList(this);
      return 0;
    }
    DDFillSurfacePal(&BackBuffer, 16);
    SystemData.DrawTextBlock(SystemData.TextBlockLeft(320, kNoSlotText, 1, 0), 232, kNoSlotText, 1, 0);
    return 0;
  }
  MoveQuestion(320, 224, kAutoSaveText);
  CursorSound(2);
  if (in.m_wButton & kMenuConfirm) {
    PlaySE(1);
    if (MenuCursor.Cur().nRow == 0) {
      SaveData.bAutoSave = 1;
      SaveStorySlot(SaveData.nSlot);
    } else {
      SaveData.bAutoSave = 0;
    }
    BackToList(this);
    return 0;
  }
  if (in.m_wButton & kMenuCancel) {
    PlaySE(2);
    BackToList(this);
    return 0;
  }
  DDFillSurfacePal(&BackBuffer, 16);
  DrawQuestion(320, 224, kAutoSaveText);
  return 0;
}

int cWorldMapMenuScene::BackToMap() {
  m_nPhaseStep = 0;
  ModeManager.m_nNextMode = MODE_WORLDMAP;
  m_nPhase = kFadeOut;
  Draw();
  return 0;
}

int cWorldMapMenuScene::ToTitle() {
  if (m_nPhaseStep == 0) {
    MenuCursor.Cur() = MENUCURSOR();
    MenuCursor.Cur().nRow = 1;
    m_nPhaseStep = 1;
  }
  const cInput& in = Input.At(0);
  MoveQuestion(320, 224, kTitleText);
  CursorSound(2);
  if (in.m_wButton & kMenuConfirm) {
    PlaySE(1);
    if (MenuCursor.Cur().nRow == 0) {
      ModeManager.m_nNextMode = MODE_TITLE;
      m_nPhase = kFadeOut;
    } else {
      BackToList(this);
    }
    return 0;
  }
  if (in.m_wButton & kMenuCancel) {
    PlaySE(2);
    BackToList(this);
    return 0;
  }
  DDFillSurfacePal(&BackBuffer, 16);
  DrawQuestion(320, 224, kTitleText);
  return 0;
}

int cWorldMapMenuScene::FadeOut() {
  Draw();
  if (!FadeOutStep()) return 0;
  LeaveScene();
  m_nPhase = -1;
  return 0;
}

void cWorldMapMenuScene::Draw() {
  DDFillSurfacePal(&BackBuffer, 16);
  DrawMenuWindow();
  DrawTotal();
  CycleMenuColors();
}

void cWorldMapMenuScene::DrawMenuWindow() {
  int chars = 0;
  for (int item : m_Items) chars = std::max(chars, CountChars(SystemData.WorldMapMenu.At(item).strCaption));
  const int rows = static_cast<int>(m_Items.size());
  Fonts[1].DrawWindow(&BackBuffer, kMenuX, kMenuY, 16 * (chars + 1), 16 * rows);
  for (int i = 0; i < rows; ++i)
    Fonts[1].Draw(&BackBuffer, kMenuX + 16, kMenuY + 16 * i,
                  SystemData.WorldMapMenu.At(m_Items[static_cast<size_t>(i)]).strCaption.c_str());
}

void cWorldMapMenuScene::DrawTotal() {
  if (!SystemData.bStoryTotalScore || SaveData.nTotal <= 0) return;
  const std::string& label = SystemData.Texts.At(kTotalText);
  const int width = 16 * (CountChars(label) + DigitCount(SaveData.nTotal));
  Fonts[1].DrawTextWindowF(&BackBuffer, 320 - width / 2, 260, width, 16, "%s%d", label.c_str(), SaveData.nTotal);
}

cScene* MakeWorldMapMenuScene() { return new cWorldMapMenuScene; }

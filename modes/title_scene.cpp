#include "modes/title_scene.h"

#include <algorithm>

#include "app/base/text_util.h"
#include "app/base/shell_globals.h"
#include "app/sound/sound_effects.h"
#include "app/svc/input.h"
#include "app/svc/menu_colors.h"
#include "app/svc/menu_cursor.h"
#include "app/svc/mode_manager.h"
#include "data/project_globals.h"
#include "draw/dd_blit.h"
#include "draw/dd_globals.h"
#include "draw/font_table.h"
#include "draw/play_surfaces.h"
#include "modes/replay_requests.h"
#include "modes/stage_file_start.h"
#include "modes/story_slots.h"
#include "platform/messages.h"

namespace {

constexpr int kTitlePicture = 47;
constexpr int kModePicture = 48;  // GameMode.bmp: one 32-dot strip per item
constexpr int kSlotX = 152;
constexpr int kSlotY = 160;
constexpr int kMaxSlotRows = 10;

template <int (cTitleScene::*F)()>
int Call(cScene* scene) {
  return (static_cast<cTitleScene*>(scene)->*F)();
}

// The image mode of the menu: the items are strips of GameMode.bmp.
bool ImageMode() { return SystemData.bTitleMenuCentre != 0; }

// Sets the play category and whether rankings are on for it.
void SetCategory(int category) {
  ModeManager.m_nPlayCategory = category;
  ModeManager.m_bRanking = SystemData.RankSettings.At(category).bEnable;
}

}  // namespace

cTitleScene::cTitleScene() : cMenuScene(MODE_TITLE, kMenuConfirm | kMenuCancel) {
  m_PhaseTable = {&cScene::FadeInPhase, &Call<&cTitleScene::Menu>, &Call<&cTitleScene::SaveList>,
                  &cScene::FadeOutPhase};
}

void cTitleScene::Init() {
  StartSceneMusic(kMusicTitle);
  LoadPictures({47, 48, 49, 45});
  MenuCursor.Reset();
  m_Items = VisibleMenuItems(SystemData.TitleMenu, cEdSystem::kTitleMenu);
  // The cursor starts on the way of play chosen last; a kind that is not shown
  // stays as the row, which the first move wraps.
  MenuCursor.Cur().nRow = ModeManager.m_nPlayKind;
  auto it = std::find(m_Items.begin(), m_Items.end(), ModeManager.m_nPlayKind);
  if (it != m_Items.end()) MenuCursor.Cur().nRow = static_cast<int>(it - m_Items.begin());
  m_nMenuX = 192;
  if (ImageMode()) m_nMenuX = 288 - Off_Sys[kModePicture].nWidth / 2;
  BuildMenu();
  m_nPhaseStep = 0;
}

void cTitleScene::BuildMenu() {
  ReleaseSceneSurfaces();
  int width = 0;
  if (ImageMode()) {
    width = Off_Sys[kModePicture].nWidth + 32;
  } else {
    int chars = 0;
    for (int item : m_Items) chars = std::max(chars, CountChars(SystemData.TitleMenu.At(item).strCaption));
    width = 32 * chars + 34;
  }
  const int height = 32 * static_cast<int>(m_Items.size()) + 2;
  if (DDSURFACEDATA* surface = AddSceneSurface(width, height, 1)) RenderMenu(surface);
}

void cTitleScene::RenderMenu(DDSURFACEDATA* surface) {
  if (ImageMode()) {
    DDFillSurfacePal(surface, 0);
    for (size_t i = 0; i < m_Items.size(); ++i)
      DDBltFast(surface, 32, 32 * static_cast<int>(i), Off_Sys[kModePicture].nWidth, 32, &Off_Sys[kModePicture], 0,
                32 * m_Items[i], 0);
    return;
  }
  DDFillSurfacePal(surface, 0);
  Fonts[2].DrawWindow(surface, 1, 1, surface->nWidth - 2, surface->nHeight - 2);
  for (size_t i = 0; i < m_Items.size(); ++i)
    Fonts[2].Draw(surface, 32, 32 * static_cast<int>(i), SystemData.TitleMenu.At(m_Items[i]).strCaption.c_str());
}

void cTitleScene::Draw() {
  DDBltFast(&BackBuffer, 0, 0, 640, 480, &Off_Sys[kTitlePicture], 0, 0, 0);
  if (!Off_Scene.empty()) {
    if (SceneSurfaceLost(0)) RenderMenu(&Off_Scene[0]);
    DDSURFACEDATA& menu = Off_Scene[0];
    DDBltFast(&BackBuffer, m_nMenuX, m_nMenuY, menu.nWidth, menu.nHeight, &menu, 0, 0, 1);
  }
  CycleMenuColors();
}

int cTitleScene::FadeIn() {
  // At 8 bits a picture's colours come from the palette the fade changes.
  if (DDBpp() == 8 && !Off_Scene.empty()) RenderMenu(&Off_Scene[0]);
  Draw();
  if (FadeInStep()) m_nPhase = kMenu;
  return 0;
}

int cTitleScene::Menu() {
  cInput& in = Input.At(0);
  MenuCursor.MoveGrid(in.m_wDirection, m_nMenuX, m_nMenuY, 0, 32, 1, static_cast<int>(m_Items.size()));
  CursorSound(2);
  if (!(in.m_wButton & kMenuConfirm)) {
    Draw();
    DrawCursor32(MenuCursor.Cur().nX, MenuCursor.Cur().nY);
    return 0;
  }
  PlaySE(1);
  const int row = std::clamp(MenuCursor.Cur().nRow, 0, static_cast<int>(m_Items.size()) - 1);
  Choose(m_Items[static_cast<size_t>(row)]);
  return 0;
}

void cTitleScene::Choose(int item) {
  ModeManager.m_nPlayKind = item;
  switch (item) {
    case kNewStory:
      SetCategory(cEdSystem::kStory);
      StartNewStory();
      ModeManager.m_nNextMode = MODE_WORLDMAP;
      m_nPhase = kFadeOut;
      break;
    case kContinue:
      SetCategory(cEdSystem::kStory);
      MenuCursor.Push(0);
      m_nPhaseStep = 0;
      m_nPhase = kSaveList;
      break;
    case kChallenge:
      SetCategory(cEdSystem::kChallenge);
      if (!SaveData.LoadChallenge()) {
        // No record yet: the challenge starts from a fresh one.
        SaveData.Reset();
        SaveData.ChallengeRecords.assign(static_cast<size_t>(std::max(0, SystemData.nChallengeStages)), cIntPair());
      }
      ModeManager.m_nNextMode = MODE_CHALLENGE;
      m_nPhase = kFadeOut;
      break;
    case kStageFile:
      SetCategory(cEdSystem::kStageFile);
      // A cancelled dialog or a file that cannot be played leaves the menu running.
      if (!RequestStageFileLoad()) break;
      ModeManager.m_nNextMode = MODE_STAGE;
      m_nPhase = kFadeOut;
      break;
    case kReplay:
      SetCategory(cEdSystem::kReplay);
      if (!RequestReplayLoad()) break;
      ModeManager.m_nNextMode = MODE_STAGE;
      m_nPhase = kFadeOut;
      break;
    case kOption:
      ModeManager.m_nNextMode = MODE_OPTION;
      m_nPhase = kFadeOut;
      break;
    default:
      // The end of the program, as the close box does it.
      plat::PostMessage(hMainWnd.load(), plat::WM_CLOSE, 0, 0);
      break;
  }
}

int cTitleScene::SaveList() {
  if (m_nPhaseStep == 0) {
    MenuCursor.Cur() = MENUCURSOR();
    m_nFirstSlot = 0;
    ScanSaveSlots(SlotInfos);
    m_nPhaseStep = 1;
  }
  cInput& in = Input.At(0);
  m_nSlotRows = std::min(SlotInfos.Count(), kMaxSlotRows);
  MenuCursor.MoveList(in.m_wDirection, 1, m_nFirstSlot, kSlotY, 16, kSlotX, m_nSlotRows, SlotInfos.Count(), 1);
  CursorSound(3);
  if (in.m_wButton & kMenuConfirm) {
    const int slot = MenuCursor.Cur().nRow;
    // A slot that is empty, or whose file cannot be read, cannot be continued.
    if (slot < 0 || slot >= SlotInfos.Count() || !SlotInfos[static_cast<size_t>(slot)].bUsed ||
        !SaveData.LoadSlot(slot)) {
      PlaySE(3);
      return 0;
    }
    PlaySE(1);
    ModeManager.m_nNextMode = MODE_WORLDMAP;
    m_nPhase = kFadeOut;
    return 0;
  }
  if (in.m_wButton & kMenuCancel) {
    PlaySE(2);
    MenuCursor.Pop(1);
    m_nPhase = kMenu;
    m_nPhaseStep = 0;
    return 0;
  }
  DDBltFast(&BackBuffer, 0, 0, 640, 480, &Off_Sys[kTitlePicture], 0, 0, 0);
  CycleMenuColors();
  DrawSaveSlots(&BackBuffer, kSlotX, kSlotY, SlotInfos, m_nFirstSlot, m_nSlotRows);
  DrawCursor16(MenuCursor.Cur().nX, MenuCursor.Cur().nY);
  return 0;
}

int cTitleScene::FadeOut() {
  Draw();
  if (!FadeOutStep()) return 0;
  MenuCursor.Reset();
  LeaveScene();
  return 0;
}

cScene* MakeTitleScene() { return new cTitleScene; }

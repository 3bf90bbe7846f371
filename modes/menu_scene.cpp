#include "modes/menu_scene.h"

#include "app/base/play_trace.h"
#include "app/base/shell_globals.h"
#include "app/sound/sound_effects.h"
#include "app/sound/sound_requests.h"
#include "app/svc/input.h"
#include "app/svc/menu_cursor.h"
#include "app/svc/mode_manager.h"
#include "data/project_globals.h"
#include "draw/dd_blit.h"
#include "draw/dd_fade.h"
#include "draw/dd_globals.h"
#include "draw/dd_surface.h"
#include "draw/play_surfaces.h"
#include "draw/sys_bmp_table.h"

namespace {
constexpr int kAccessory = 49;
}  // namespace

std::vector<int> VisibleMenuItems(const cVector<cEdMenuItem>& menu, int limit) {
  std::vector<int> items;
  for (int i = 0; i < menu.Count() && static_cast<int>(items.size()) < limit; ++i)
    if (menu[static_cast<size_t>(i)].bShow) items.push_back(i);
  if (items.empty()) items.push_back(0);
  return items;
}

bool SceneMusicWanted(int number, int lastNumber) { return number == 0 || number != lastNumber; }

cMenuScene::cMenuScene(int mode, uint16_t latchMask) : m_nOwnMode(mode), m_wLatchMask(latchMask) {}

cMenuScene::~cMenuScene() {
  for (int i : m_Pictures) DDReleaseSurface(&Off_Sys[i]);
  ReleaseSceneSurfaces();
}

int cMenuScene::Run() {
  cInput& in = Input.At(0);
  in.ApplyRepeat();
  in.LatchButtons(m_wLatchMask);
  return RunPhases();
}

void cMenuScene::StartSceneMusic(int kind) {
  const int number = SystemData.SceneBgm.At(kind);
  if (!SceneMusicWanted(number, ModeManager.m_nMenuBgm)) return;
  ModeManager.m_nMenuBgm = number;
  SendSoundRequest(WM_PLAY_BGM, static_cast<plat::WPARAM>(kind), number);
}

void cMenuScene::LoadPictures(std::initializer_list<int> indexes) {
  m_Pictures.assign(indexes.begin(), indexes.end());
  // The loader has shown which file failed.
  if (!DDLoadSurfaceTable(Off_Sys, m_Pictures.data(), static_cast<int>(m_Pictures.size()))) RequestClose();
}

bool cMenuScene::FadeInStep() {
  return DDFadeIn(ScreenPalette, 0, 255, 0, 0, 0, ModeManager.m_nFadeStep, GamePalette, 0);
}

bool cMenuScene::FadeOutStep() {
  return DDFadeOut(ScreenPalette, 0, 255, 0, 0, 0, ModeManager.m_nFadeStep, GamePalette, 0);
}

void cMenuScene::LeaveScene() {
  DDFillSurfacePal(&BackBuffer, 16);
  ModeManager.m_nMode = ModeManager.m_nNextMode;
  ModeManager.m_nPrevMode = m_nOwnMode;
}

void cMenuScene::CursorSound(int flags) {
  const uint16_t dir = Input.At(0).m_wDirection;
  const bool moved = ((flags & 1) && (dir & (kDirLeft | kDirRight))) || ((flags & 2) && (dir & (kDirUp | kDirDown)));
  if (!moved) return;
  PlayTraceEvent("se", {{"n", 0}});
  DS_PlayCursorSE(dir, flags, 0);
}

void cMenuScene::DrawCursor16(int x, int y, int cellX) {
  DDBltFast(&BackBuffer, x, y, 16, 16, &Off_Sys[kAccessory], cellX, 0, 1);
}

void cMenuScene::DrawCursor32(int x, int y) { DDBltFast(&BackBuffer, x, y, 32, 32, &Off_Sys[kAccessory], 0, 0, 1); }

void cMenuScene::SaveStorySlot(int n) {
  // A slot that cannot be written is not reported; the list shows what is there.
  if (SaveData.SaveSlot(n)) PlayTraceFile(MakeSaveSlotPath(n));
}

void cMenuScene::ReleaseSceneSurfaces() {
  DDReleaseSurfaceVector(Off_Scene);
  Off_Scene.clear();
  SceneInfo.clear();
}

DDSURFACEDATA* cMenuScene::AddSceneSurface(int width, int height, int colorKey) {
  if (!DDAddSurface(Off_Scene, SceneInfo, width, height, colorKey, DDMEMKIND_VIDEO, DTMEMORYTYPE_VIDEO_RT, 0)) {
    RequestClose();
    return nullptr;
  }
  return &Off_Scene.back();
}

bool cMenuScene::SceneSurfaceLost(size_t index) {
  if (index >= Off_Scene.size()) return false;
  DDSURFACEDATA& sd = Off_Scene[index];
  if (!sd.bLost) return false;
  sd.bLost = 0;
  return true;
}

int cMenuScene::QuestionLeft(int centreX, int first) { return SystemData.TextBlockLeft(centreX, first, 2, 1); }

void cMenuScene::MoveQuestion(int centreX, int y, int first) {
  MenuCursor.MoveGrid(Input.At(0).m_wDirection, QuestionLeft(centreX, first), y, 0, 16, 1, 2);
}

void cMenuScene::DrawQuestion(int centreX, int y, int first, bool cursor) {
  SystemData.DrawTextBlock(QuestionLeft(centreX, first), y, first, 2, 1);
  if (cursor) DrawCursor16(MenuCursor.Cur().nX, MenuCursor.Cur().nY);
}

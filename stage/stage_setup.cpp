// Stage set-up: the running stage built from the stage record at every start and
// restart of a stage attempt.
#include <algorithm>
#include <climits>
#include <cstring>

#include "app/base/message_box.h"
#include "app/base/report_log.h"
#include "app/base/shell_globals.h"
#include "app/base/timing.h"
#include "app/svc/input.h"
#include "app/svc/menu_cursor.h"
#include "app/svc/mode_manager.h"
#include "chara/block_map.h"
#include "chara/item.h"
#include "chara/play_objects.h"
#include "chara/player.h"
#include "chara/stage_chara.h"
#include "data/project_globals.h"
#include "draw/dd_globals.h"
#include "draw/dd_vir_back.h"
#include "platform/sjis.h"
#include "platform/clock.h"
#include "platform/rand.h"
#include "stage/scroll_setup.h"
#include "stage/shot_schedule.h"
#include "stage/sight_mask.h"
#include "stage/stage_scene.h"
#include "stage/stand_ins.h"

namespace {

// A stage larger than this in either direction is no stage an author can make; the
// map of one would not fit in memory.
constexpr int kMaxStageCells = 32767;

void Trace(const char* text) { ECLog(text); }

// The size check before anything is built from the stage's size: columns and rows
// from 1 to the largest stage, or the set-up is refused as out of memory.
bool StageSizeUsable(const cEdStage& s) {
  return s.nWidth >= 1 && s.nHeight >= 1 && s.nWidth <= kMaxStageCells && s.nHeight <= kMaxStageCells;
}

void RefuseSetUp() {
  ErrorBox(SJ("メモリ不足により、ステージの初期設定に失敗しました！"));
  RequestClose();
}

// A placement's cell lies in the stage's grid with its margin.
bool PlacedInMap(const cEdStage& s, int column, int row) {
  return column >= -10 && row >= -10 && column < s.nWidth + 10 && row < s.nHeight + 10;
}

// Step 4: the seed and the replay input logs.
void TakeSeed(cStageScene& scene) {
  if (ModeManager.m_nPlayKind == 4) {
    scene.m_nSeed = LogCur.nSeed;
    LogCur.nPos0 = LogCur.nPos1 = LogCur.nRun0 = LogCur.nRun1 = 0;
  } else if (SystemData.bRecordReplay) {
    SaveAtPrevStart = SaveAtStart;
    LogPrev = LogCur;
    SaveAtStart = SaveData;
    LogCur.Clear();
    scene.m_nSeed = static_cast<int>(plat::TimeGetTime());
    LogCur.nSeed = scene.m_nSeed;
  } else if (!scene.m_bSeedTaken) {
    // The scene's first set-up without a recorded seed: the clock's, as recording would.
    scene.m_nSeed = static_cast<int>(plat::TimeGetTime());
  }
  scene.m_bSeedTaken = 1;
  plat::SRand(static_cast<unsigned>(scene.m_nSeed));
}

// Step 6: the stage music.
void StartStageMusic(cStageScene& scene, int music) {
  const int m = StageData.nMusic;
  if (music == 1) {
    if (!(StageData.bKeepMusic && m == SaveData.nMusicNo && m != 0)) scene.PlayStageBgm(m, StageData.bMusicLoop);
  } else if (m != SaveData.nMusicNo) {
    scene.PlayStageBgm(m, StageData.bMusicLoop);
  }
}

// Step 12: the player on its placement (or the saved start position).
void SetUpPlayer(cStageScene& scene) {
  scene.m_nPlayers = 1;
  Player.resize(1);
  Trace("A");
  cPlayer& p = Player.front();
  // A player kept from the last set-up still names blocks of the map just rebuilt.
  p.m_pBlockUnder = p.m_pBlockLanded = p.m_pBlockRemembered = nullptr;
  const int index = StageData.FindPlayer();
  // A stage without a player is reported through the checked access and closed;
  // placement 0 (or a default character) stands in so that set-up can finish.
  cEdChara placed = StageData.Charas.At(index);
  if (SaveData.bStartPos) placed.nFacing = static_cast<int8_t>(SaveData.nStartDir);
  const double x = (placed.nCol + 10.0) * 32 + 16, y = (placed.nRow + 10.0) * 32 + 16;
  p.Setup(scene.m_nNextCharaId++, placed, x, y);
  int column = placed.nCol, row = placed.nRow;
  if (SaveData.bStartPos) {
    column = SaveData.nStartX;
    row = SaveData.nStartY;
  }
  p.SetBlockPosition(column, row);
  p.m_dX += placed.SpawnOffsetX(0, p.m_nFacing);
  p.m_dRight += placed.SpawnOffsetX(0, p.m_nFacing);
  p.m_dY += placed.SpawnOffsetY(0, p.m_nFacing);
  p.m_dBottom += placed.SpawnOffsetY(0, p.m_nFacing);
  if (StageData.bTakeCarry) SaveData.GetCarriedHpSp(0, p.m_nHP, p.m_nSP);
  p.m_Anime.Set(p.m_bFlying ? 2 : 0, 1);
  Trace("B");
}

// Step 15: the placed characters, the items they carry and the other items.
void SpawnPlacements(cStageScene& scene) {
  const int itemCount = StageData.Items.Count();
  std::vector<char> used(static_cast<size_t>(itemCount), 0);
  Trace("11");
  for (const cEdChara& placed : StageData.Charas) {
    if (placed.nOperator != 1) continue;
    if (!PlacedInMap(StageData, placed.nCol, placed.nRow)) {
      ReportLog("placed character %s at (%d, %d) lies outside the stage: not placed", placed.strName.c_str(),
                placed.nCol, placed.nRow);
      continue;
    }
    cItem carried;
    const cItem* item = nullptr;
    if (placed.nCarriedItem != -1) {
      if (placed.nCarriedItem >= 0 && placed.nCarriedItem < itemCount) {
        cEdItem def = StageData.Items.At(placed.nCarriedItem);
        carried.Setup(scene.m_nNextItemId++, def, 1);
        item = &carried;
        used[static_cast<size_t>(placed.nCarriedItem)] = 1;
      } else {
        ReportLog("placed character %s carries item %d of %d placed items: carries none", placed.strName.c_str(),
                  placed.nCarriedItem, itemCount);
      }
    }
    scene.SpawnStageChara(StageChara, placed.nCol, placed.nRow, scene.m_nNextCharaId, placed, item);
  }
  Trace("12");
  for (int i = 0; i < itemCount; ++i) {
    if (used[static_cast<size_t>(i)]) continue;
    const cEdItem& placed = StageData.Items.At(i);
    if (!PlacedInMap(StageData, placed.nCol, placed.nRow)) {
      ReportLog("placed item %s at (%d, %d) lies outside the stage: not placed", placed.strName.c_str(), placed.nCol,
                placed.nRow);
      continue;
    }
    scene.SpawnItem(ItemList, placed.nCol, placed.nRow, scene.m_nNextItemId, placed);
  }
  Trace("C");
  Trace("D");
}

void AddToForceList(cStageScene& scene, cChara& c) {
  if (c.m_nPass >= 0 && c.m_nPass < scene.m_CharaGroups.Count()) scene.m_CharaGroups.At(c.m_nPass).push_back(&c);
}

// Step 24: the flows that run before the stage starts.
void RunStartFlows(cStageScene& scene) {
  const bool everyone = SystemData.bCompat697 != 0;
  if (!everyone) scene.UpdateActivity();
  if (!Player.empty()) Player.front().RunTriggeredFlows(18);
  for (auto it = StageChara.begin(); it != StageChara.end();) {
    cStageChara& c = *it;
    if (!everyone && !c.m_bActive) {
      ++it;
      continue;
    }
    c.RunTriggeredFlows(18);
    if (c.m_bVanish) {
      it = RemoveStageChara(it);
    } else if (c.m_nHP <= 0) {
      scene.HandleCharaDeath(c);
      it = RemoveStageChara(it);
    } else {
      ++it;
    }
  }
}

}  // namespace

void SetStage(int restart, int music) {
  cStageScene* scenePtr = StageScene();
  if (!scenePtr) return;
  cStageScene& scene = *scenePtr;
  Trace("In SetStage");
  scene.m_nFrameCount = 0;

  scene.m_ShotGroups.resize(cStageScene::kForces);
  scene.m_CharaGroups.resize(cStageScene::kForces);
  for (auto& g : scene.m_ShotGroups) g.clear();
  for (auto& g : scene.m_CharaGroups) g.clear();
  scene.m_Shots.clear();
  StageChara.clear();
  ItemList.clear();

  if (restart) {
    if (ModeManager.m_nPlayKind == 4) {
      const std::string path = StageData.strFilePath;
      cEdStage scratch;
      if (!LogCur.LoadReplay(path.c_str(), StageData, scratch, SaveData)) RequestClose();
      StageData.strFilePath = path;
      StageData.bLoaded = 1;
    }
    StageData.CopySettings(PlayStageData);
  }
  TakeSeed(scene);

  if (StageData.bTakeCarry) {
    const int p = StageData.FindPlayer();
    SaveData.ApplyCarriedStatus(0, StageData.Charas.At(p), StageData);
  }
  StartStageMusic(scene, music);
  ModeManager.m_nMenuBgm = 0;
  scene.m_nNextCharaId = scene.m_nNextItemId = scene.m_nShotSerial = 0;
  StageData.SetHitLevel(StageData.nHitLevel);

  // A stage of no cells, or of more than any stage can have, cannot be built.
  if (!StageSizeUsable(StageData)) {
    ResetBlockMap(0);
    Player.clear();
    RefuseSetUp();
    return;
  }
  SetUpScrollAxes(StageData, StageData.dSteps, scene.m_ScrollX, scene.m_ScrollY);

  int skipped = 0;
  if (!FillBlockMap(StageData, scene.m_ScrollX.m_nStrideShift, skipped)) {
    Player.clear();
    RefuseSetUp();
    return;
  }
  if (skipped) ReportLog("%d placed blocks lie outside the stage: not placed", skipped);
  scene.m_ChangedCells.clear();

  SetUpPlayer(scene);
  cPlayer& player = Player.front();
  CentreView(scene.m_ScrollX, scene.m_ScrollY, player.m_dX, player.m_dY, player.m_nWidth, player.m_nHeight);
  player.UpdateScreenRect();
  if (player.m_Def.nSightShape != 0) scene.CreateSightSurfaces(&SightMask, &SightShape);

  scene.m_StageVars.assign(cStageScene::kStageVars, 0);
  Trace("10");
  SpawnPlacements(scene);

  AddToForceList(scene, player);
  for (cStageChara& c : StageChara) AddToForceList(scene, c);

  auto anySide = [](const cEdQuadSet& r) { return r.bLeft || r.bRight || r.bTop || r.bBottom; };
  scene.m_bRemoveOutOfRange[0] = anySide(StageData.Ranges[cEdStage::kRangeChara]);
  scene.m_bRemoveOutOfRange[1] = anySide(StageData.Ranges[cEdStage::kRangeFullCellChara]);
  scene.m_bRemoveOutOfRange[2] = anySide(StageData.Ranges[cEdStage::kRangeItem]);

  scene.m_Messages.clear();
  scene.m_Effects.clear();
  scene.m_ScrEffect = cScrEffectAnime();
  scene.m_ScreenColor.Reset();
  scene.m_nPauseSpare = 0;
  scene.ClearPictures();

  scene.m_ShotHitSchedule = ShotHitSchedule(StageData.nSteps, StageData.nContactSteps);

  scene.m_nResultRequest = 0;
  scene.m_nBannerCount = scene.m_nBannerCount2 = 0;
  scene.m_bNoTimeLimit = StageData.bTimeLimit ? 0 : 1;
  scene.m_nTimeLeft = StageData.bTimeLimit ? StageData.nTimeLimit : 999;
  scene.m_nPlayFrames = scene.m_nPlayTime = 0;
  CountGate(0, 0);  // the first second of the time limit is a whole one
  scene.m_nNextPart = scene.m_nStepIndex = scene.m_nStepCount = 0;

  SaveData.nStageScore = 0;
  if (ModeManager.m_nPlayKind == 4 || (bTestPlay && bStartupStage)) SaveData.ClearStageCounters();
  SaveData.SaveCheckpoint();

  // The input histories start empty: a key held from a menu starts no key sequence.
  for (cInput& in : Input) {
    in.ClearHistory();
    in.ClearSequences();
  }
  MenuCursor.Reset();
  for (cEdBgLayer& layer : StageData.Layers) layer.dOffsetX = layer.dOffsetY = 0;

  if (DDBpp() == 8) {
    std::memcpy(ScreenPalette, GamePalette, sizeof ScreenPalette);
    if (lpDDPalette) lpDDPalette->SetEntries(0, 256, ScreenPalette);
  }
  ModeManager.m_nFrameRate = StageData.nFrameRate;

  RunStartFlows(scene);
  scene.UpdateActivity();
  scene.m_bStatusBar = StageData.bStatusShown;
  DDSetVirBackBuffer(0);
  Trace("Out SetStage");
}

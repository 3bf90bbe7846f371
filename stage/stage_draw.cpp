// One frame of the stage: layers, blocks, the objects by drawing priority, the
// front layers, sight, pictures, effects, messages, the screen effect, the status
// display, the caption and the screen colour, in that order. Drawing the player
// is also where the end of its death effect decides what follows.
#include <cstring>

#include "app/base/shell_globals.h"
#include "app/base/text_util.h"
#include "app/svc/menu_colors.h"
#include "app/svc/mode_manager.h"
#include "chara/flow_conditions.h"
#include "chara/play_objects.h"
#include "chara/player.h"
#include "chara/stage_chara.h"
#include "data/project_globals.h"
#include "draw/dd_batch.h"
#include "draw/dd_globals.h"
#include "draw/dd_vir_back.h"
#include "draw/font_table.h"
#include "stage/stage_scene.h"
#include "stage/stand_ins.h"

namespace {

constexpr int kPriorities = 8;
constexpr int kMarkSheet = 43;       // also the texture of the item batch
constexpr int kStartupCaption = 26;  // lines of the game-wide text table
constexpr int kTestPlayCaption = 25;

cPlayer* PlayerOne() { return Player.empty() ? nullptr : &Player.front(); }

// Whether an object of drawing priority z is drawn in pass p (all: a single pass).
bool InPass(int z, int p, bool all) { return all || z == p; }

void DrawCaption() {
  const int line = bStartupStage ? kStartupCaption : bTestPlay ? kTestPlayCaption : -1;
  if (line < 0 || line >= SystemData.Texts.Count()) return;
  const std::string& text = SystemData.Texts[static_cast<size_t>(line)];
  if (text.empty()) return;
  Fonts[1].Draw(&BackBuffer, 320 - CountChars(text) * 16 / 2, 456, text.c_str());
}

}  // namespace

void cStageScene::Draw(int fromPlay, int held, int advance, int caption) {
  DDSURFACEDATA* target = &BackBuffer;
  // Only the play phase's own drawing runs outside every walk of the lists, so
  // the characters whose death ended are taken out there.
  if (fromPlay) SweepEndedStageChara();
  if (Off_Sys[63].bLost || Off_Sys[64].bLost) {
    ComposeShotImages();
    Off_Sys[63].bLost = Off_Sys[64].bLost = 0;
  }
  if (m_ScrEffect.nNo != 0) DDSetVirBackBuffer(1);
  ScrollLayers();
  DrawLayers(target, 0);
  if (!fromPlay && m_nPhase == kPauseMenu && SystemData.bPauseLayersOnly) {
    DrawLayers(target, 1);
    DrawScreenColor(held);
    return;
  }
  DrawPictures(target, 0, held);
  DrawBlocks(target, 0);

  const bool single = !StageData.bPriorityGroups;
  const int passes = single ? 1 : kPriorities;
  for (int p = 0; p < passes; ++p) {
    if (cPlayer* pl = PlayerOne(); pl && InPass(pl->m_Def.z, p, single)) DrawPlayer(held);
    DDBeginBltBatch(1);
    DDAddBatchTexture(&Off_Sys[kMarkSheet]);
    for (cItem& item : ItemList) {
      if (!InPass(item.m_Def.nPriority, p, single) || !item.IsInView()) continue;
      item.CalcScreenRect();
      item.Draw(target, held);
    }
    DDEndBltBatch();
    for (cStageChara& c : StageChara) {
      if (c.m_bDeathEnded || !InPass(c.m_Def.z, p, single)) continue;
      // The removal waits for the sweep: a held loop may draw while the play
      // step is walking this list. Only play's own drawing ends a death: held
      // frames (as many as the viewer takes to close a window, none at all when
      // the key comes at once) must not change when play sees it go, or a replay
      // would part from its recording after the hold.
      if (DrawStageChara(c, held) && fromPlay) c.m_bDeathEnded = 1;
    }
    DDBeginBltBatch(0);
    for (cShot& shot : m_Shots) {
      if (!InPass(shot.m_Def.nZ, p, single) || !shot.IsInView()) continue;
      shot.CalcScreenRect();
      shot.Draw(target, held);
    }
    DDEndBltBatch();
  }

  DrawBlocks(target, 1);
  DrawLayers(target, 1);
  DrawDistanceAreas(target);
  if (cPlayer* pl = PlayerOne()) pl->DrawSightMask(target);
  DrawPictures(target, 1, held);

  DDBeginBltBatch(0);
  for (auto it = m_Effects.begin(); it != m_Effects.end();)
    it = it->Draw(target, held) ? m_Effects.erase(it) : std::next(it);
  DDEndBltBatch();
  for (auto it = m_Messages.begin(); it != m_Messages.end();) {
    // A held loop draws while a command still holds one of these: the removal
    // waits for the play phase's own drawing.
    if (it->Draw(target, held)) {
      if (fromPlay) {
        it = m_Messages.erase(it);
        continue;
      }
      it->m_bEnded = 1;
    }
    ++it;
  }

  DrawScrEffect(held);
  DrawStatusBar(target);
  DrawTime(target, advance);
  if (caption) DrawCaption();
  CycleMenuColors();
  DrawScreenColor(held);
}

void cStageScene::DrawPlayer(int held) {
  cPlayer* pl = PlayerOne();
  if (!pl) return;
  pl->UpdateScreenRect();
  if (!pl->m_bDead) {
    pl->Draw(&BackBuffer, held);
    pl->DrawHpGauge(&BackBuffer);
    pl->DrawSpGauge(&BackBuffer);
    return;
  }
  if (pl->DrawDying(&BackBuffer, held)) OnPlayerDeathEnd();
}

int cStageScene::DrawStageChara(cStageChara& c, int held) {
  if (c.m_bDead) {
    c.CalcScreenRect();
    return c.DrawDying(&BackBuffer, held) ? 1 : 0;
  }
  if (!c.m_bInView) {
    // Out of view an activated character keeps its animation and effect going.
    if (c.m_bActivated) {
      c.CalcScreenRect();
      c.AnimateFrame(held);
      c.StepCharaEffect(held);
    }
    return 0;
  }
  if (c.m_bHidden) {
    c.AnimateFrame(held);
    c.StepCharaEffect(held);
    c.DrawHpGauge(&BackBuffer);
    c.DrawSpGauge(&BackBuffer);
    return 0;
  }
  c.CalcScreenRect();
  c.Draw(&BackBuffer, held);
  c.DrawHpGauge(&BackBuffer);
  c.DrawSpGauge(&BackBuffer);
  c.DrawCarriedItemIcon(&BackBuffer);
  return 0;
}

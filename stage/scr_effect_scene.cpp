// The stage's running screen effect, drawn once per frame over what the frame
// holds so far.
#include "chara/player.h"
#include "chara/play_objects.h"
#include "draw/dd_globals.h"
#include "draw/dd_vir_back.h"
#include "stage/scr_effect_draw.h"
#include "stage/stage_scene.h"

void cStageScene::DrawScrEffect(int held) {
  if (m_ScrEffect.nNo == 0) return;
  cScrEffectView view;
  if (!Player.empty()) {
    const cPlayer& p = Player.front();
    view.nCenterX = p.m_nScreenLeft + p.m_nDrawWidth / 2;
    view.nCenterY = p.m_nScreenTop + p.m_nDrawHeight / 2;
  }
  view.DrawLayers = [this] {
    DrawLayers(&BackBuffer, 0);
    DrawLayers(&BackBuffer, 1);
  };
  if (DrawScrEffectFrame(m_ScrEffect, view, held)) {
    m_ScrEffect.nNo = 0;
    DDSetVirBackBuffer(0);
  }
}

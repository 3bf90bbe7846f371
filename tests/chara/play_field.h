#pragma once
// A live stage-play scene whose two axes have fixed ranges, for the rules that
// read the view and the stage's bounds. The objects' lists are emptied after each
// test.
#include <gtest/gtest.h>

#include <memory>

#include "app/svc/mode_manager.h"
#include "chara/item.h"
#include "chara/play_objects.h"
#include "chara/player.h"
#include "chara/stage_chara.h"
#include "data/project_globals.h"
#include "stage/stage_scene.h"

class PlayField : public ::testing::Test {
 protected:
  // Horizontal: scroll range 400..1000, base 320..1600, outer 1920, view at 400.
  // Vertical: scroll range 400..900, base 320..1200, outer 1520, view at 400.
  void SetUp() override {
    m_Scene = std::make_unique<cStageScene>();
    CurrentStage.store(m_Scene.get());
    Axis(m_Scene->m_ScrollX, 640, 400, 1000, 320, 1600, 1920);
    Axis(m_Scene->m_ScrollY, 480, 400, 900, 320, 1200, 1520);
    StageData.dGravity = 0.4;
    StageData.SetHitLevel(15);
  }
  void TearDown() override {
    StageChara.clear();
    Player.clear();
    ItemList.clear();
    ResetBlockMap(0);
    CurrentStage.store(nullptr);
    m_Scene.reset();
  }
  static void Axis(cScrollAxis& a, int view, int min, int max, int baseMin, int baseMax, int outer) {
    a.m_nViewSize = view;
    a.m_nMin = min;
    a.m_nMax = max;
    a.m_nBaseMin = baseMin;
    a.m_nBaseMax = baseMax;
    a.m_nOuterLimit = outer;
    a.m_dPos = min;
  }
  // A 32 x 32 object at (x, y) with its edges refreshed, nothing clamped.
  static void Place(cObject& o, double x, double y, int w = 32, int h = 32) {
    o.m_nWidth = o.m_nBaseWidth = w;
    o.m_nHeight = o.m_nBaseHeight = h;
    o.m_dX = x;
    o.m_dY = y;
    o.ClampX(-1);
    o.ClampY(-1);
  }
  std::unique_ptr<cStageScene> m_Scene;
};

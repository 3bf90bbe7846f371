#pragma once
// A live stage with player 1, one stage character ("self") and optionally its
// target, for the tests of statuses, run code and damage. The variables of every
// scope exist and start at 0; messages of run code are collected.
#include <gtest/gtest.h>

#include <vector>

#include "chara/run_code.h"
#include "chara/status.h"
#include "tests/chara/play_field.h"

class StatusField : public PlayField {
 protected:
  void SetUp() override {
    PlayField::SetUp();
    SystemData.bCompat752 = 0;
    SaveData.CommonVars.assign(cSaveData::kCommonVars, 0);
    SaveData.nLives = 3;
    SaveData.nStageScore = 0;
    m_Scene->m_StageVars.assign(cStageScene::kStageVars, 0);
    m_Scene->m_nTimeLeft = 100;
    m_Scene->m_bNoTimeLimit = 0;
    Player.emplace_back();
    m_Player = &Player.back();
    m_Player->m_nKind = 0;
    m_Player->m_nId = 1;
    Make(*m_Player, 1);
    StageChara.emplace_back();
    m_Self = &StageChara.back();
    m_Self->m_nKind = 1;
    m_Self->m_nId = 2;
    Make(*m_Self, 2);
    StageChara.emplace_back();
    m_Other = &StageChara.back();
    m_Other->m_nKind = 1;
    m_Other->m_nId = 3;
    Make(*m_Other, 3);
    m_Self->SetTarget(nullptr);
    gMessages().clear();
    SetRunCodeMessageHook([](int n) { gMessages().push_back(n); });
  }
  void TearDown() override {
    SetRunCodeMessageHook(nullptr);
    PlayField::TearDown();
  }
  static void Make(cChara& c, int cid) {
    cEdChara d;
    d.mhp = 100;
    d.msp = 50;
    d.cid = static_cast<int8_t>(cid);
    c.Reset(&d, 0, 0, 0);
    c.SetTarget(nullptr);
  }
  static std::vector<int>& gMessages() {
    static std::vector<int> list;
    return list;
  }
  void GiveTarget() { m_Self->SetTarget(m_Other); }

  cPlayer* m_Player = nullptr;
  cStageChara* m_Self = nullptr;
  cStageChara* m_Other = nullptr;
};

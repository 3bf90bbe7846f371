#pragma once
// Flows built in a few lines for the tests of the flow runtime: commands by type,
// time (tenths of a second) and instant flag, flows by trigger, and a stage
// character that holds them on a live scene (PlayField) at a chosen level.
#include <initializer_list>
#include <vector>

#include "chara/chara.h"
#include "chara/command_param_table.h"
#include "data/flow.h"
#include "tests/chara/play_field.h"

inline cEdCommand MakeCommand(int type, int tenths = 0, bool instant = false, std::vector<int32_t> values = {}) {
  cEdCommand c;
  c.nType = static_cast<uint8_t>(type);
  c.nTime = static_cast<int16_t>(tenths);
  c.bWithNext = instant ? 1 : 0;
  c.Values.assign(values.begin(), values.end());
  return c;
}

inline cEdCommand MakeMove(int type, int tenths, int speed, int direction) {
  cEdCommand c = MakeCommand(type, tenths);
  NewEdMove(c.pMove);
  c.pMove->nSpeed = static_cast<int16_t>(speed);
  c.pMove->nDirection = static_cast<uint8_t>(direction);
  c.pMove->bMirrorAngle = 0;
  return c;
}

inline cEdFlow MakeFlow(int trigger, std::initializer_list<cEdCommand> commands, int group = 0) {
  cEdFlow f;
  f.nTrigger = static_cast<int8_t>(trigger);
  f.nGroup = static_cast<int8_t>(group);
  f.Commands.assign(commands.begin(), commands.end());
  return f;
}

class FlowField : public PlayField {
 protected:
  void SetUp() override {
    PlayField::SetUp();
    BuildCommandParamTable();
    StageData.SetHitLevel(1);  // one step a frame: 1 tenth = 6 steps
    SystemData.bCompat525 = SystemData.bCompat744 = SystemData.bCompat669 = 0;
  }
  // A stage character at (600, 600) with these flows, their states built.
  cStageChara& Chara(std::initializer_list<cEdFlow> flows) {
    cStageChara& c = StageChara.emplace_back();
    c.Reset(nullptr, 600, 600, 0);
    c.m_nKind = 1;
    c.m_nHP = c.m_Def.mhp = 10;
    Place(c, 600, 600);
    c.m_nDrawWidth = c.m_nDrawHeight = 32;
    c.m_Def.Flows.assign(flows.begin(), flows.end());
    c.BuildFlowStates(c.m_Def.Flows, 0, -1);
    return c;
  }
};

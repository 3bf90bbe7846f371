// The commands that make things act at their first step and again every tenth of
// a second (6 x N steps) while they last: a command of t tenths acts t times, one
// of 0 tenths once.
#include <gtest/gtest.h>

#include <vector>

#include "chara/command_handlers.h"
#include "chara/flow_run.h"
#include "chara/shot.h"
#include "data/command.h"
#include "data/shot_def.h"
#include "tests/chara/play_field.h"

namespace {

class AttackRepeat : public PlayField {
 protected:
  void TearDown() override {
    m_Scene->m_Shots.clear();
    for (auto& g : m_Scene->m_ShotGroups) g.clear();
    PlayField::TearDown();
  }
};

}  // namespace

TEST_F(AttackRepeat, AShotCommandFiresAtItsFirstStepAndEveryTenth) {
  struct Case {
    int level, tenths;
    std::vector<int> firedAt;  // the steps (from 0) of the command's countdown that fire
  } cases[] = {
      {1, 1, {0}},
      {1, 5, {0, 6, 12, 18, 24}},
      {2, 3, {0, 12, 24}},
      {1, 0, {0}},
  };
  cStageChara& firer = StageChara.emplace_back();
  firer.m_nKind = 1;
  firer.m_nId = 2;
  firer.m_Def.nPassValue = 1;
  Place(firer, 600, 600);
  firer.m_nDrawWidth = firer.m_nDrawHeight = 32;
  for (const Case& k : cases) {
    SCOPED_TRACE(::testing::Message() << "level " << k.level << ", " << k.tenths << " tenths");
    StageData.SetHitLevel(k.level);
    cEdCommand command;
    command.nType = 11;
    command.nTime = static_cast<int16_t>(k.tenths);
    NewEdShot(command.pShot);
    command.pShot->nCount = 1;
    command.pShot->nSpeed = 10;
    cCommandRun run;
    run.pCommand = &command;
    // The countdown of the command: its time in steps, at least one step.
    const int steps = k.tenths > 0 ? k.tenths * 6 * StageData.nSteps : 1;
    std::vector<int> fired;
    for (int step = 0; step < steps; ++step) {
      const size_t before = m_Scene->m_Shots.size();
      CmdShot(firer, run);
      if (m_Scene->m_Shots.size() > before) fired.push_back(step);
    }
    EXPECT_EQ(fired, k.firedAt);
  }
}

// Starting the flows of a trigger: latches, group locks, conditions and keys.
#include <algorithm>

#include "app/svc/input.h"
#include "chara/chara.h"
#include "chara/flow_conditions.h"
#include "chara/key_conditions.h"
#include "data/flow.h"
#include "data/project_globals.h"

namespace {

// The game-wide latch settings of older projects: before 525 a flow's trigger was
// never latched (tested on every step), from 525 to 743 it latched before the
// running test, later only when it could start.
bool NoLatch() { return SystemData.bCompat525 != 0; }
bool EarlyLatch() { return SystemData.bCompat744 != 0 && !NoLatch(); }

// Tests and sets a flow's trigger latch: true when it was already set.
bool Latched(cFlowRun& run) {
  if (run.bTriggerLatch) return true;
  run.bTriggerLatch = 1;
  return false;
}

}  // namespace

void cChara::RunTriggeredFlows(int trigger) {
  // A trigger raised while another character's flow runs (a hit by its command)
  // hands the current actor, flow and command back afterwards, so that the rest
  // of that flow's step still has them.
  cChara* const actor = CurrentActor();
  cFlowRun* const flow = CurrentFlowRun();
  cCommandRun* const command = CurrentCommandRun();
  SetCurrentActor(this);
  for (size_t i = 0; i < m_FlowStates.size(); ++i) {
    cFlowRun& run = m_FlowStates[i];
    if (!run.pFlow || run.pFlow->nTrigger != trigger) continue;
    if (EarlyLatch() && Latched(run)) continue;
    if (run.bRunning || run.bPaused || run.bStoppedForGood || run.bStartedLatch) continue;
    const int g = FlowGroup(*run.pFlow);
    if (trigger == 0 && g > 0 && (m_GroupBusy.At(g) || m_GroupStarted.At(g))) continue;
    if (!EarlyLatch() && !NoLatch() && Latched(run)) continue;
    if (!CheckFlowConditionsOf(run, *this) || !CheckKeyConditions(run, *this)) continue;
    const int n = m_nKind == 0 ? m_nInput : 0;
    run.nStartDirection = n >= 0 && n < Input.Count() ? GetDirectionState(Input[static_cast<size_t>(n)]) : 0;
    run.Start();
  }
  SetCurrentActor(actor);
  SetCurrentFlowRun(flow);
  SetCurrentCommandRun(command);
}

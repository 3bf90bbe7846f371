// A flow's run: starting it, one logic step of its commands, pausing and stopping;
// a command's countdown and its hand-over to the command's handler.
#include "chara/flow_run.h"

#include <climits>

#include "app/base/report_log.h"
#include "chara/arrange.h"
#include "chara/chara.h"
#include "data/flow.h"
#include "platform/sjis.h"
#include "stage/stage_scene.h"

namespace {

// Without a live stage scene (the probe's flows) the current actor, flow and
// command live here.
thread_local cChara* tActor = nullptr;
thread_local cFlowRun* tFlowRun = nullptr;
thread_local cCommandRun* tCommandRun = nullptr;

constexpr int kMessageType = 19;
constexpr int kArrangeType = 38;
constexpr int kStageStartTrigger = 18;

// A message that waits for neither a key nor a time (its values 15 and 6 both 0):
// the flow then counts as waiting for that message.
bool IsWaitlessMessage(const cEdCommand& c) {
  if (c.nSet != cEdCommand::kCharaSet || c.nType != kMessageType) return false;
  if (c.Values.Count() <= 15) return false;
  return c.Values[15] == 0 && c.Values[6] == 0;
}

// The character a command acts for: the current actor, else the owner of the
// current flow (a flow stepped outside a character's flow loop).
cChara* ActingChara() {
  if (cChara* a = CurrentActor()) return a;
  const cFlowRun* f = CurrentFlowRun();
  return f ? f->pOwner : nullptr;
}

}  // namespace

cChara* CurrentActor() {
  if (cStageScene* s = StageScene()) return static_cast<cChara*>(s->m_pActor);
  return tActor;
}
cFlowRun* CurrentFlowRun() {
  if (cStageScene* s = StageScene()) return static_cast<cFlowRun*>(s->m_pFlowRun);
  return tFlowRun;
}
cCommandRun* CurrentCommandRun() {
  if (cStageScene* s = StageScene()) return static_cast<cCommandRun*>(s->m_pCommandRun);
  return tCommandRun;
}
void SetCurrentActor(cChara* actor) {
  if (cStageScene* s = StageScene()) s->m_pActor = actor;
  tActor = actor;
}
void SetCurrentFlowRun(cFlowRun* run) {
  if (cStageScene* s = StageScene()) s->m_pFlowRun = run;
  tFlowRun = run;
}
void SetCurrentCommandRun(cCommandRun* run) {
  if (cStageScene* s = StageScene()) s->m_pCommandRun = run;
  tCommandRun = run;
}

int32_t CommandSteps(int64_t tenths, int64_t tenthsPerClone, int64_t clone, int steps) {
  // int16 times, clone values and steps multiply past 32 bits in damaged files.
  const int64_t v = (tenths + clone * tenthsPerClone) * (steps < 1 ? 1 : steps) * 6;
  if (v > INT32_MAX) return INT32_MAX;
  if (v < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(v);
}

void cCommandRun::Reset() {
  nCountdown = nTime;
  bDone = 0;
  nStepCount = 0;
  bStarted = 0;
  dPhaseX = dPhaseY = 0;
  for (int32_t& w : nWork) w = 0;
  if (!pCommand || pCommand->nType == kArrangeType) return;
  cFlowRun* flow = CurrentFlowRun();
  if (!flow) return;
  if (cChara* actor = ActingChara()) ApplyFlowArranges(*pCommand, *actor, *flow);
  flow->Arranges.clear();
}

int cCommandRun::RunFrame() {
  SetCurrentCommandRun(this);
  if (cChara* actor = ActingChara()) actor->ExecCommand(*this);
  --nCountdown;
  if (nCountdown > 0) return 0;
  nCountdown = 0;
  return 1;
}

void cFlowRun::Start() {
  bRunning = 1;
  nCurrent = 0;
  nStepsRun = 0;
  bMessageWait = 0;
  for (cCommandRun& c : Commands) c.bDone = 0;
  bStartedLatch = 1;
  if (!pFlow) return;
  const int g = FlowGroup(*pFlow);
  if (pFlow->nTrigger == 0 && g > 0 && pOwner) {
    pOwner->m_GroupBusy.At(g) = 1;
    pOwner->m_GroupStarted.At(g) = 1;
  }
  if (pFlow->nTrigger != kStageStartTrigger || Commands.empty()) return;
  // Before the stage starts only instant commands of the non-movement types act,
  // each exactly once; the flow is over afterwards.
  SetCurrentFlowRun(this);
  bAbort = 0;
  for (cCommandRun& c : Commands) {
    if (!c.pCommand || !c.pCommand->bWithNext || c.pCommand->nType < 16) continue;
    c.Reset();
    const int finished = c.RunFrame();
    if (!finished) ECLog(plat::Utf8ToSjis("使用時間0なので、ここにくることはあり得ないはず！").c_str());
    if (bAbort) break;
    c.bDone = 1;
  }
  if (pOwner) Stop(*pOwner);
}

int cFlowRun::Step() {
  SetCurrentFlowRun(this);
  bAbort = 0;
  const int last = Commands.Count() - 1;
  for (int i = 0; i <= nCurrent && i <= last; ++i) {
    cCommandRun& c = Commands[static_cast<size_t>(i)];
    if (c.bDone) continue;
    const bool instant = c.pCommand && c.pCommand->bWithNext;
    if (c.nCountdown == 0) {
      c.Reset();
      if (!instant && !(c.pCommand && IsWaitlessMessage(*c.pCommand))) bMessageWait = 0;
    }
    if (instant) {
      if (c.RunFrame()) {
        c.bDone = 1;
        if (i == last) return 1;
      }
      if (i == nCurrent) ++nCurrent;
      if (bAbort) return 0;
      continue;
    }
    if (!c.RunFrame()) {
      if (bAbort) return 0;
      continue;
    }
    c.bDone = 1;
    if (c.pCommand && IsWaitlessMessage(*c.pCommand)) bMessageWait = 1;
    if (i == last) return 1;
    ++nCurrent;
    break;
  }
  if (last >= 0 && Commands[static_cast<size_t>(last)].bDone) return 1;
  ++nStepsRun;
  return 0;
}

namespace {
void EndGroup(cFlowRun& run, cChara& chara) {
  for (cCommandRun& c : run.Commands) c.nCountdown = 0;
  if (!run.pFlow) return;
  const int g = FlowGroup(*run.pFlow);
  if (g > 0) {
    chara.m_GroupEnded.At(g) = 1;
    chara.m_bGroupEnded = 1;
  }
}
}  // namespace

int cFlowRun::Stop(cChara& chara) {
  if (!bRunning) return 0;
  bRunning = 0;
  Arranges.clear();
  EndGroup(*this, chara);
  return 1;
}

void cFlowRun::StopForever(cChara& chara) {
  bStoppedForGood = 1;
  if (bRunning) EndGroup(*this, chara);
}

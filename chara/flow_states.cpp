// A character's flow states: built from its definition copy (loops unrolled,
// movement and jump commands prepared, animation lead-ins scheduled), re-pointed,
// copied and deleted; and the per-step loop over them.
#include <algorithm>
#include <climits>

#include "app/base/report_log.h"
#include "chara/chara.h"
#include "chara/move_prepare.h"
#include "data/flow.h"
#include "data/project_globals.h"

int FlowGroup(const cEdFlow& flow) { return flow.nGroup >= 1 && flow.nGroup <= 26 ? flow.nGroup : 0; }

namespace {

bool IsLoop(const cEdCommand& c) {
  return (c.nSet == cEdCommand::kCharaSet && c.nType == 39) || (c.nSet == cEdCommand::kItemSet && c.nType == 24);
}

// The frames of an animation's timed part: every frame before the first one that
// holds (its no-interrupt flag), at 6 frames per tenth of a second.
int64_t AnimeFrames(int anime) {
  if (anime < 0 || anime >= Database.AnimeList.Count()) return 0;
  int64_t t = 0;
  for (const cEdAnimeFrame& f : Database.AnimeList[static_cast<size_t>(anime)].Frames) {
    if (f.bNoInterrupt) break;
    t += static_cast<int64_t>(f.nDuration) * 6;
  }
  return t;
}

int32_t Clamp32(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

}  // namespace

int ExpandLoopCommands(cVector<cEdCommand>& commands) {
  const auto it = std::find_if(commands.begin(), commands.end(), IsLoop);
  if (it == commands.end()) return 0;
  const int at = static_cast<int>(it - commands.begin());
  const cEdCommand& loop = *it;
  // Fewer than two values meets the checked access, as a damaged list should.
  const int64_t repeat = loop.Values.At(0);
  int64_t cover = std::min<int64_t>(loop.Values.At(1), commands.Count() - at - 1);
  if (cover > 0 && repeat > 1) {
    const int64_t room = kMaxExpandedCommands - commands.Count();
    int64_t copies = repeat - 1;
    if (copies * cover > room) {
      ReportLog("Loop %d x %d cut to %d commands", static_cast<int>(std::min<int64_t>(repeat, INT_MAX)),
                static_cast<int>(cover), kMaxExpandedCommands);
      copies = room > 0 ? room / cover : 0;
    }
    const cVector<cEdCommand> part(commands.begin() + at + 1, commands.begin() + at + 1 + cover);
    for (int64_t k = 0; k < copies; ++k)
      commands.insert(commands.begin() + at + 1, part.begin(), part.end());
  }
  commands.erase(commands.begin() + at);
  return 1;
}

void ExpandAllLoopCommands(cVector<cEdCommand>& commands) {
  while (ExpandLoopCommands(commands)) {
  }
}

int cChara::BuildFlowStates(const cVector<cEdFlow>& flows, int add, int index) {
  const int given = flows.Count();
  int first = 0;
  if (add == 0) {
    if (&flows != &m_Def.Flows) m_Def.Flows = flows;
    m_FlowStates.clear();
    m_FlowStates.resize(m_Def.Flows.size());
  } else {
    first = index < 0 || index > m_Def.Flows.Count() ? m_Def.Flows.Count() : index;
    const cVector<cEdFlow> copy = flows;  // the list may be this character's own
    m_Def.Flows.insert(m_Def.Flows.begin() + first, copy.begin(), copy.end());
    m_FlowStates.insert(m_FlowStates.begin() + first, copy.size(), cFlowRun());
  }
  const cStageTiming t = StageData.Timing();
  for (int f = first; f < first + given; ++f) {
    cEdFlow& flow = m_Def.Flows[static_cast<size_t>(f)];
    ExpandAllLoopCommands(flow.Commands);
    cFlowRun& run = m_FlowStates[static_cast<size_t>(f)];
    run.nSerial = m_nFlowSerial++;
    run.Commands.resize(flow.Commands.size());
    int64_t start = 0;  // the start step of each command: the non-instant times before it
    for (size_t i = 0; i < flow.Commands.size(); ++i) {
      cEdCommand& cmd = flow.Commands[i];
      cCommandRun& c = run.Commands[i];
      c.pCommand = &cmd;
      c.nTime = CommandSteps(cmd.nTime, cmd.nTimeClone, m_nClone, t.nSteps);
      if (cmd.pMove) {
        const cEdMove& m = *cmd.pMove;
        c.dSpeed = (m.nSpeed + static_cast<double>(m_nClone) * m.nSpeedClone) * 0.1 / t.dSteps;
        c.nDirection = m.nDirection;
        if (m.bInertia) c.dMaxSpeed = m.nMaxSpeed * 0.1 / t.dSteps;
      }
      if (cmd.nSet == cEdCommand::kCharaSet) PrepareMoveCommand(*this, c);
      if (cmd.nAnime != 0) {
        const int64_t T = AnimeFrames(cmd.nAnime), N = t.nSteps;
        cFlowRun::cLeadIn e;
        e.nAnime = cmd.nAnime;
        e.nCommandFrames = Clamp32(c.nTime / N);
        e.bHold = cmd.nType == 10 || cmd.nType == 12 ? 0 : 1;
        if (start >= T * N) {
          e.nStartStep = Clamp32(start - T * N);
          e.nLength = Clamp32(T);
        } else {
          const int64_t k = std::min((T * N - start) / N, T);
          e.nSkip = Clamp32(k);
          e.nLength = Clamp32(T - k);
        }
        run.LeadIns.push_back(e);
      }
      if (!cmd.bWithNext) start += c.nTime;
    }
    // Added while its keys are held, a flow waits for them to be let go first.
    if (add == 1 && flow.bKeyRepeat == 0) run.bKeyHeld = 1;
  }
  RepointFlowStates();
  return given;
}

void cChara::RepointFlowStates() {
  for (int i = 0; i < m_FlowStates.Count() && i < m_Def.Flows.Count(); ++i) {
    cFlowRun& run = m_FlowStates[static_cast<size_t>(i)];
    cEdFlow& flow = m_Def.Flows[static_cast<size_t>(i)];
    run.nFlowIndex = i;
    run.pFlow = &flow;
    run.pOwner = this;
    run.KeyConditions.clear();
    for (cEdKeyCondition& k : flow.KeyConditions) run.KeyConditions.push_back(&k);
    for (size_t c = 0; c < run.Commands.size() && c < flow.Commands.size(); ++c)
      run.Commands[c].pCommand = &flow.Commands[c];
  }
}

void cChara::CopyFlowStates(const cVector<cFlowRun>& source) {
  m_FlowStates = source;
  RepointFlowStates();
}

void cChara::DeleteFlow(int index) {
  if (index < 0 || index >= m_FlowStates.Count() || index >= m_Def.Flows.Count()) {
    ReportBadIndex('V', index, m_FlowStates.Count(), static_cast<int>(sizeof(cFlowRun)));
    return;
  }
  cFlowRun& run = m_FlowStates[static_cast<size_t>(index)];
  run.Stop(*this);
  EndFlowAnimes(run.nSerial);
  m_Def.Flows.erase(m_Def.Flows.begin() + index);
  m_FlowStates.erase(m_FlowStates.begin() + index);
  RepointFlowStates();
}

int cChara::DeleteFlowsById(int id) {
  if (id == 0) {
    for (cFlowRun& run : m_FlowStates) run.Stop(*this);
    m_Def.Flows.clear();
    m_FlowStates.clear();
    m_Overlays.clear();
    return 0;
  }
  int first = -1;
  for (int i = 0; i < m_FlowStates.Count() && i < m_Def.Flows.Count();) {
    if (m_Def.Flows[static_cast<size_t>(i)].nID != id) {
      ++i;
      continue;
    }
    if (first < 0) first = i;
    DeleteFlow(i);
  }
  return first;
}

void cChara::ResetFlowLatches() {
  for (cFlowRun& run : m_FlowStates) run.bTriggerLatch = run.bStartedLatch = 0;
  std::fill(m_GroupStarted.begin(), m_GroupStarted.end(), 0);
}

void cChara::StartFlowAnimes() {
  for (cFlowRun& run : m_FlowStates) {
    if (!run.bRunning || run.bPaused) continue;
    for (const cFlowRun::cLeadIn& e : run.LeadIns) {
      if (e.nStartStep != run.nStepsRun) continue;
      if (e.nAnime < 0 || e.nAnime >= AnimeSequences.Count()) continue;
      cAnimeOverlay o;
      o.Anime.m_Sequences.assign(1, AnimeSequences[static_cast<size_t>(e.nAnime)]);
      o.Anime.Set(0, 1);
      o.Anime.m_nTimer += e.nSkip;
      o.bLeadIn = 1;
      o.nCountdown = e.nLength;
      o.nFrames = e.nCommandFrames;
      o.nFlowKey = run.nSerial;
      if (e.nCommandFrames > 1 && e.bHold) {
        for (ANIMESTEP& s : o.Anime.m_Sequences[0]) {
          if (!s.bNoInterrupt) continue;
          s.nFrames += e.nCommandFrames - 1;
          break;
        }
      }
      m_Overlays.push_back(o);
    }
  }
}

int cChara::StepFlowStates(int dying, int stopOnVanish) {
  for (size_t i = 0; i < m_FlowStates.size(); ++i) {
    cFlowRun& run = m_FlowStates[i];
    if (!run.bRunning) continue;
    if (run.Commands.empty()) {
      run.Stop(*this);
      continue;
    }
    const int trigger = run.pFlow ? run.pFlow->nTrigger : 0;
    if (run.bPaused || run.bStoppedForGood || (dying && trigger != 3)) continue;
    if (run.Step()) run.Stop(*this);
    if (stopOnVanish && m_bVanish) return 1;
    if (!dying && trigger != 3 && m_nHP <= 0) return 1;
  }
  return 0;
}

void cChara::EndFlowStep() {
  if (m_bFlowsToDelete) {
    for (int i = 0; i < m_FlowStates.Count();) {
      if (m_FlowStates[static_cast<size_t>(i)].bDelete) {
        DeleteFlow(i);
      } else {
        ++i;
      }
    }
    m_bFlowsToDelete = 0;
  }
  if (m_bGroupEnded) {
    for (int g = 0; g < m_GroupEnded.Count() && g < m_GroupBusy.Count(); ++g) {
      if (!m_GroupEnded[static_cast<size_t>(g)]) continue;
      m_GroupBusy[static_cast<size_t>(g)] = 0;
      m_GroupEnded[static_cast<size_t>(g)] = 0;
    }
    m_bGroupEnded = 0;
  }
}

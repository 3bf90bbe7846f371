#include "chara/flow_trace.h"

#include "chara/flow_run.h"

namespace {
std::string Join(const cVector<int>& v) {
  std::string s;
  for (size_t i = 0; i < v.size(); ++i) s += (i ? "," : "") + std::to_string(v[i]);
  return s.empty() ? "-" : s;
}
}  // namespace

std::string cFlowStepTrace::Text() const {
  return "started=" + Join(Started) + " running=" + Join(Running) + " finished=" + Join(Finished) +
         (bFlowFinished ? " end" : "");
}

cFlowStepTrace TraceFlowStep(cFlowRun& run) {
  struct cBefore {
    int done, countdown;
  };
  cVector<cBefore> before;
  for (const cCommandRun& c : run.Commands) before.push_back({c.bDone, c.nCountdown});
  cFlowStepTrace t;
  t.bFlowFinished = run.Step();
  for (int i = 0; i < run.Commands.Count() && i < before.Count(); ++i) {
    const cCommandRun& c = run.Commands[static_cast<size_t>(i)];
    const cBefore& b = before[static_cast<size_t>(i)];
    if (b.done) continue;
    // A command that ran either counted down or finished (time 0 and 1 finish at once).
    const bool finished = c.bDone != 0;
    const bool ran = finished || c.nCountdown != b.countdown;
    if (!ran) continue;
    if (b.countdown == 0) t.Started.push_back(i);
    t.Running.push_back(i);
    if (finished) t.Finished.push_back(i);
  }
  return t;
}

#pragma once
#include <string>

#include "app/base/vector.h"

class cFlowRun;

// What one logic step of a flow did to its commands, by index: those started
// (reset from a countdown of 0), those that ran, those that finished; and whether
// the flow finished. For the probe's flow trace and the tests of scheduling.
struct cFlowStepTrace {
  cVector<int> Started, Running, Finished;
  int bFlowFinished = 0;
  // "started=0,1 running=0,1 finished=1" (and " end" when the flow finished).
  std::string Text() const;
};

// Steps the flow once (cFlowRun::Step) and reads off what its commands did.
cFlowStepTrace TraceFlowStep(cFlowRun& run);

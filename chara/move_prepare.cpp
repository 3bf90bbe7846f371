#include "chara/move_prepare.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "chara/chara.h"
#include "chara/jump_rules.h"
#include "chara/move_modes.h"
#include "data/command.h"
#include "data/project_globals.h"

namespace {

int32_t ToInt32(double v) {
  if (!(v == v)) return 0;
  if (v >= 2147483647.0) return INT32_MAX;
  if (v <= -2147483648.0) return INT32_MIN;
  return static_cast<int32_t>(v);
}

void PrepareCircle(cChara& chara, cCommandRun& run, const cEdMove& m, const cStageTiming& t) {
  const int64_t c = chara.m_nClone, N = t.nSteps;
  int64_t added = 0;
  if (chara.m_Def.nFacing == 1) {
    // The turning choices come in pairs (0/1, 2/3): reversing swaps within a pair.
    if (m.bMirrorX) {
      added = 180;
      run.nDirection ^= 1;
    }
    if (m.bMirrorY) run.nDirection ^= 1;
  }
  const int64_t r = std::clamp<int64_t>(m.nHoming + c * m.nHomingClone, 0, 20);
  run.nExtent = static_cast<int32_t>(r * 16 * N);
  const int64_t rawStart = added + m.nAngle + c * m.nAngleClone;
  const int64_t rawEnd = added + m.nDistance + c * m.nDistanceClone;
  run.nStartAngle = static_cast<int32_t>(rawStart * N);
  run.nEndAngle = static_cast<int32_t>(rawEnd * N);
  const double span = rawEnd > rawStart ? double(run.nEndAngle) - run.nStartAngle
                                        : double(run.nStartAngle) - run.nEndAngle;
  switch (CircleTiming(m.nTimeSpeedMode)) {
    case eCircleTiming::kSpeedFromTime:
      if (run.nTime != 0) run.dSpeed = span / run.nTime / t.dSteps;
      break;
    case eCircleTiming::kTimeFromSpeed:
      if (run.dSpeed != 0) run.nTime = ToInt32(std::fabs(std::trunc(span / run.dSpeed / t.dSteps)));
      break;
    case eCircleTiming::kAsGiven:
      break;
  }
}

}  // namespace

void ConvertMove(cCommandRun& run, int clone) {
  if (!run.pCommand || !run.pCommand->pMove) return;
  const cEdMove& m = *run.pCommand->pMove;
  const double d = DistanceDots(m.nDistance + static_cast<int64_t>(clone) * m.nDistanceClone, m.nDistanceUnit);
  switch (MoveTiming(m.nTimeSpeedMode)) {
    case eMoveTiming::kSpeedFromDistance:
      if (run.nTime != 0) run.dSpeed = d / run.nTime;
      break;
    case eMoveTiming::kTimeFromDistance: {
      if (run.dSpeed == 0) break;
      int32_t time = ToInt32(std::trunc(d / run.dSpeed));
      // Older projects kept a negative time (the command then ends at once).
      if (time < 0 && !SystemData.bCompat695) time = time == INT32_MIN ? INT32_MAX : -time;
      run.nTime = time;
      break;
    }
    case eMoveTiming::kAsGiven:
      break;
  }
}

void PrepareMoveCommand(cChara& chara, cCommandRun& run) {
  if (!run.pCommand) return;
  cEdCommand& cmd = *run.pCommand;
  const cStageTiming t = StageData.Timing();
  switch (cmd.nType) {
    case 2:
    case 3:
    case 5:
    case 7:
      ConvertMove(run, chara.m_nClone);
      break;
    case 6:
      if (cmd.pMove) {
        const cEdMove& m = *cmd.pMove;
        run.nExtent = ToInt32((m.nHoming + static_cast<double>(chara.m_nClone) * m.nHomingClone) * t.nSteps);
      }
      ConvertMove(run, chara.m_nClone);
      break;
    case 4:
      if (cmd.pMove) PrepareCircle(chara, run, *cmd.pMove, t);
      break;
    case 10: {
      const int8_t h = static_cast<int8_t>(cmd.Values.Count() > 2 ? cmd.Values[2] & 0xff : 0);
      run.dSpeed = JumpSpeedForHbl(t, chara.m_nKind, h);
      cmd.nTime = static_cast<int16_t>(std::clamp(JumpTimeTenths(t, chara.m_nKind, h), -32768, 32767));
      run.nTime = CommandSteps(cmd.nTime, 0, 0, t.nSteps);
      break;
    }
    default:
      break;
  }
}

// jump: the stage's timing from its processing level and gravity, and the jump
// command's speed and time for a height, as a character's set-up and the jump
// command compute them; for the player's inertia jump also the height that the
// run speed gives.
#include <climits>
#include <cstdio>

#include "chara/jump_rules.h"
#include "data/stage_timing.h"
#include "tools/probe/probe.h"

namespace {

void Line(const char* name, double v) { std::printf("%s=%s\n", name, probe::Number(v).c_str()); }
void Line(const char* name, long long v) { std::printf("%s=%lld\n", name, v); }

int Jump(probe::cArgs& a, std::string& error) {
  int level = 0, height = 0, kind = 1, jumpKind = 0, maxSpeed = 0, minSpeed = 0, minHeight = 0;
  double gravity = 0, moveSpeed = 0;
  const bool ok = a.Int("level", level, INT_MIN, INT_MAX, error) && a.Double("gravity", gravity, error) &&
                  a.Int("height", height, INT_MIN, INT_MAX, error) &&
                  a.OptInt("chara-kind", kind, INT_MIN, INT_MAX, error) &&
                  a.OptInt("jump-kind", jumpKind, INT_MIN, INT_MAX, error) &&
                  a.OptDouble("move-speed-x", moveSpeed, error) &&
                  a.OptInt("max-speed", maxSpeed, INT_MIN, INT_MAX, error) &&
                  a.OptInt("min-speed", minSpeed, INT_MIN, INT_MAX, error) &&
                  a.OptInt("min-height", minHeight, INT_MIN, INT_MAX, error) && a.NoneLeft(error);
  if (!ok) return 2;
  const cStageTiming t = StageTimingFor(level, gravity);
  // The command's value 2 is read through its low byte, a signed byte.
  const int8_t hbl = static_cast<int8_t>(height & 0xff);
  const double speed = JumpSpeedForHbl(t, kind, hbl);
  const int tenths = JumpTimeTenths(t, kind, hbl);
  Line("steps_per_frame", static_cast<long long>(t.nSteps));
  Line("per_frame_speed_limit", t.dSpeedLimit);
  Line("per_step_speed_limit", t.dSpeedLimitPerStep);
  Line("gravity_per_step", t.dGravityPerStep);
  Line("airborne_threshold", static_cast<long long>(t.nSteps8));
  Line("height_hbl", static_cast<long long>(hbl));
  Line("height_dots", HblToDots(hbl));
  Line("jump_speed_unscaled", JumpSpeedUnscaled(t, HblToDots(hbl)));
  Line("jump_speed_factor", JumpSpeedFactor(t, kind));
  Line("jump_speed", speed);
  Line("frames_to_apex", static_cast<long long>(FramesToApex(t, speed)));
  Line("jump_time_tenths", static_cast<long long>(tenths));
  Line("state_time_steps", static_cast<long long>(TenthsToSteps(t, tenths)));
  if (jumpKind == 2 && kind == 0) {
    const cInertiaJump j = InertiaJumpHeight(t, moveSpeed, maxSpeed, height, minSpeed, minHeight);
    Line("move_speed", j.dMoveSpeed);
    Line("max_speed", j.dMaxSpeed);
    Line("min_speed", j.dMinSpeed);
    Line("inertia_height_hbl", static_cast<long long>(j.nHeight));
    Line("inertia_jump_speed", JumpSpeedForHbl(t, kind, static_cast<int8_t>(j.nHeight & 0xff)));
  }
  return 0;
}

}  // namespace

PROBE_VERB("jump",
           "--level --gravity --height [--chara-kind] [--jump-kind] [--move-speed-x] [--max-speed] [--min-speed] "
           "[--min-height]",
           Jump);

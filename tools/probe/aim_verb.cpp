// aim: one aiming, wave or search rule evaluated once. --kind names the rule;
// every option of the kind must be given. The searches take the characters in
// list order as repeated --chara options and print the 0-based position of the
// one found, or -1.
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "chara/aim_rules.h"
#include "chara/search_rules.h"
#include "tools/probe/probe.h"

namespace {

void Line(const char* name, double v) { std::printf("%s=%s\n", name, probe::Number(v).c_str()); }
void Line(const char* name, long long v) { std::printf("%s=%lld\n", name, v); }

bool Target(probe::cArgs& a, eAimTarget& target, std::string& error) {
  int t = 0;
  if (!a.Word("target", {"none", "synced", "unsynced"}, t, error)) return false;
  target = t == 0 ? eAimTarget::kNone : t == 1 ? eAimTarget::kSynced : eAimTarget::kUnsynced;
  return true;
}

// One axis's scroll term from its auto-scroll speed and clamped flag.
bool ScrollAxis(probe::cArgs& a, const char* speedName, const char* clampedName, double& term, std::string& error) {
  double speed = 0;
  int clamped = 0;
  if (!a.Double(speedName, speed, error) || !a.Flag(clampedName, clamped, error)) return false;
  term = ScrollTerm(speed, clamped);
  return true;
}

void PrintAim(double vx, double vy, int direction, int result) {
  Line("vx", vx);
  Line("vy", vy);
  Line("direction", static_cast<long long>(direction));
  Line("result", static_cast<long long>(result));
}

int Vector(probe::cArgs& a, std::string& error) {
  double fromX = 0, fromY = 0, toX = 0, toY = 0, speed = 0;
  int moverSynced = 0, plain = 0, arrival = 0, direction = 0;
  eAimTarget target = eAimTarget::kNone;
  cAimScroll s;
  const bool ok = a.Double("from-x", fromX, error) && a.Double("from-y", fromY, error) &&
                  a.Double("to-x", toX, error) && a.Double("to-y", toY, error) && a.Double("speed", speed, error) &&
                  a.Flag("mover-synced", moverSynced, error) && Target(a, target, error) &&
                  a.Flag("plain", plain, error) && a.Flag("report-arrival", arrival, error) &&
                  a.Flag("additive-sync", s.bAdditive, error) &&
                  ScrollAxis(a, "scroll-speed-x", "clamped-x", s.dSx, error) &&
                  ScrollAxis(a, "scroll-speed-y", "clamped-y", s.dSy, error) &&
                  a.Int("direction", direction, INT_MIN, INT_MAX, error) && a.NoneLeft(error);
  if (!ok) return 2;
  double vx = 0, vy = 0;
  const int result =
      AimVector(vx, vy, direction, target, fromX, fromY, toX, toY, speed, moverSynced, plain, arrival, s);
  PrintAim(vx, vy, direction, result);
  return 0;
}

int Axis(probe::cArgs& a, bool vertical, std::string& error) {
  double from = 0, to = 0, speed = 0;
  int moverSynced = 0, arrival = 0, direction = 0;
  eAimTarget target = eAimTarget::kNone;
  cAimScroll s;
  const bool ok = a.Double("from", from, error) && a.Double("to", to, error) && a.Double("speed", speed, error) &&
                  a.Flag("mover-synced", moverSynced, error) && Target(a, target, error) &&
                  a.Flag("report-arrival", arrival, error) && a.Flag("additive-sync", s.bAdditive, error) &&
                  a.Int("direction", direction, INT_MIN, INT_MAX, error) &&
                  (vertical ? ScrollAxis(a, "scroll-speed-y", "clamped-y", s.dSy, error)
                            : ScrollAxis(a, "scroll-speed-x", "clamped-x", s.dSx, error)) &&
                  a.NoneLeft(error);
  if (!ok) return 2;
  double vx = 0, vy = 0;
  const int result = vertical ? AxisAimY(vx, vy, direction, target, from, to, speed, moverSynced, arrival, s)
                              : AxisAimX(vx, vy, direction, target, from, to, speed, moverSynced, arrival, s);
  PrintAim(vx, vy, direction, result);
  return 0;
}

int Wave(probe::cArgs& a, bool acceleration, std::string& error) {
  int amplitude = 0, rate = 0;
  double phase = 0, step = 0, offset = 0, steps = 0;
  const bool ok = a.Int("amplitude", amplitude, INT_MIN, INT_MAX, error) &&
                  a.Int("rate", rate, INT_MIN, INT_MAX, error) && a.Double("phase", phase, error) &&
                  a.Double("phase-step", step, error) && a.Double("phase-offset", offset, error) &&
                  a.Double("steps-per-frame", steps, error) && a.NoneLeft(error);
  if (!ok) return 2;
  // A stage always runs at least one logic step a frame.
  if (!(steps >= 1)) {
    error = "--steps-per-frame=" + probe::Number(steps) + ": expected 1 or more";
    return 2;
  }
  const double value = acceleration ? WaveAcceleration(amplitude, rate, phase, step, offset, steps)
                                    : WaveSpeed(amplitude, rate, phase, step, offset, steps);
  Line("value", value);
  Line("phase", phase);
  return 0;
}

bool Filter(probe::cArgs& a, cSearchFilter& f, std::string& error) {
  return a.Flag("filter-id", f.bById, error) && a.Int("id", f.nId, INT_MIN, INT_MAX, error) &&
         a.Flag("filter-variable", f.bByVariable, error) &&
         a.Int("variable-index", f.nVariableIndex, INT_MIN, INT_MAX, error) &&
         a.Int("value", f.nValue, INT_MIN, INT_MAX, error) && a.Int("operator", f.nOperator, INT_MIN, INT_MAX, error) &&
         a.Flag("exclude-identity", f.bExcludeIdentity, error) &&
         a.Int("identity", f.nIdentity, INT_MIN, INT_MAX, error) &&
         a.Flag("skip-invincible-1", f.bSkipInvincible1, error) &&
         a.Flag("skip-invincible-2", f.bSkipInvincible2, error) && a.Flag("skip-block", f.bSkipBlock, error);
}

// --chara=CX,CY,ACTIVE,IN_VIEW,DEAD,IDENTITY,CID,INVINCIBILITY,BLOCK,V0,...,V8
bool Charas(probe::cArgs& a, std::vector<cSearchFacts>& list, std::string& error) {
  static constexpr long long kRange[18][2] = {
      {INT_MIN, INT_MAX}, {INT_MIN, INT_MAX}, {0, 1}, {0, 1}, {0, 1}, {INT_MIN, INT_MAX}, {0, 255}, {0, 255},
      {0, 255},           {INT_MIN, INT_MAX}, {INT_MIN, INT_MAX}, {INT_MIN, INT_MAX}, {INT_MIN, INT_MAX},
      {INT_MIN, INT_MAX}, {INT_MIN, INT_MAX}, {INT_MIN, INT_MAX}, {INT_MIN, INT_MAX}, {INT_MIN, INT_MAX}};
  for (const std::string& text : a.Every("chara")) {
    long long v[18] = {};
    const char* p = text.c_str();
    int n = 0;
    bool good = true;
    for (; n < 18 && good; ++n) {
      char* end = nullptr;
      errno = 0;
      v[n] = std::strtoll(p, &end, 10);
      good = end != p && errno == 0 && v[n] >= kRange[n][0] && v[n] <= kRange[n][1] &&
             (*end == (n == 17 ? '\0' : ','));
      p = end + 1;
    }
    if (!good) {
      error = "--chara=" + text +
              ": expected CX,CY,ACTIVE,IN_VIEW,DEAD,IDENTITY,CID,INVINCIBILITY,BLOCK,V0,...,V8 (18 integers; flags "
              "0 or 1, CID, INVINCIBILITY and BLOCK 0 to 255)";
      return false;
    }
    cSearchFacts c;
    c.nCentreX = static_cast<int32_t>(v[0]);
    c.nCentreY = static_cast<int32_t>(v[1]);
    c.bActive = static_cast<int32_t>(v[2]);
    c.bInView = static_cast<int32_t>(v[3]);
    c.bDead = static_cast<int32_t>(v[4]);
    c.nIdentity = static_cast<int32_t>(v[5]);
    c.nCid = static_cast<uint8_t>(v[6]);
    c.nInvincibility = static_cast<uint8_t>(v[7]);
    c.bBlock = static_cast<uint8_t>(v[8]);
    for (int i = 0; i < 9; ++i) c.Vars[i] = static_cast<int32_t>(v[9 + i]);
    list.push_back(c);
  }
  return true;
}

int Search(probe::cArgs& a, int kind, std::string& error) {
  int x = 0, y = 0, scope = 0, inViewOnly = 0;
  cSearchFilter filter;
  std::vector<cSearchFacts> list;
  bool ok = true;
  if (kind != 2) ok = a.Int("x", x, INT_MIN, INT_MAX, error) && a.Int("y", y, INT_MIN, INT_MAX, error);
  if (ok && kind == 0) ok = a.Int("scope", scope, INT_MIN, INT_MAX, error);
  if (ok && kind == 1) ok = a.Flag("in-view-only", inViewOnly, error);
  if (ok && kind != 1) ok = Filter(a, filter, error);
  if (!(ok && Charas(a, list, error) && a.NoneLeft(error))) return 2;
  auto facts = [](const cSearchFacts& c) { return c; };
  auto found = list.cend();
  if (kind == 0) found = FindNearestIn(list.cbegin(), list.cend(), facts, x, y, scope, filter);
  if (kind == 1)
    found = FindNearestIn(list.cbegin(), list.cend(), facts, x, y, ShotSearchScope(inViewOnly), ShotSearchFilter());
  if (kind == 2) found = FindFirstIn(list.cbegin(), list.cend(), facts, filter);
  Line("found", static_cast<long long>(found == list.cend() ? -1 : found - list.cbegin()));
  return 0;
}

int Aim(probe::cArgs& a, std::string& error) {
  int kind = 0;
  if (!a.Word("kind",
              {"vector", "axis-x", "axis-y", "wave-speed", "wave-acceleration", "nearest", "nearest-for-shot", "first"},
              kind, error))
    return 2;
  switch (kind) {
    case 0: return Vector(a, error);
    case 1: return Axis(a, false, error);
    case 2: return Axis(a, true, error);
    case 3: return Wave(a, false, error);
    case 4: return Wave(a, true, error);
    default: return Search(a, kind - 5, error);
  }
}

}  // namespace

PROBE_VERB("aim",
           "--kind=vector|axis-x|axis-y|wave-speed|wave-acceleration|nearest|nearest-for-shot|first and every "
           "option of the kind (--chara=CX,CY,ACTIVE,IN_VIEW,DEAD,IDENTITY,CID,INVINCIBILITY,BLOCK,V0,...,V8 "
           "repeated for the searches)",
           Aim);

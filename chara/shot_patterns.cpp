// The six formations of the shot and summon commands, the aim toward the firer's
// target and the clone passes of a firing. Positions are worked in doubles (exact
// for every value a stage can hold) and truncated where the formation truncates,
// so that no int can overflow on a damaged definition.
#include "chara/shot_patterns.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "app/base/text_util.h"
#include "chara/bounds_rules.h"
#include "data/move_def.h"
#include "data/shot_def.h"

namespace {

const double K = 1.0 / std::sqrt(2.0);
constexpr double kPi = 3.14159265358979323846;
constexpr double kDegrees = 57.29577951308232;

// The integer halving of the formations: a shift right by one.
double Half(long long v) { return static_cast<double>(v >> 1); }
int Trunc(double v) { return TruncToInt(v); }
int32_t Clamp32(long long v) { return static_cast<int32_t>(std::clamp<long long>(v, INT_MIN, INT_MAX)); }

// The quantities every formation reads.
struct cFrame {
  double X, Y, XI, YI;       // the scroll position and its truncation
  double L, T, R, B, Wd, Hd; // the firer's screen rectangle and drawing size
  double CX, CY;             // the firer's centre in stage dots
  double w, h;               // object size
  long long n;               // objects
  long long I;               // interval in dots
  double s;                  // speed
  int base;                  // the code's base angle
};

cFrame FrameOf(const cFiringView& v, const cEdShot& def, const cLaunchValues& lv) {
  cFrame f;
  f.X = v.dScrollX;
  f.Y = v.dScrollY;
  f.XI = std::trunc(f.X);
  f.YI = std::trunc(f.Y);
  f.L = v.Firer.nLeft;
  f.T = v.Firer.nTop;
  f.R = v.Firer.nRight;
  f.B = v.Firer.nBottom;
  f.Wd = v.Firer.nDrawWidth;
  f.Hd = v.Firer.nDrawHeight;
  f.CX = f.XI + f.L + Half(v.Firer.nDrawWidth);
  f.CY = f.YI + f.T + Half(v.Firer.nDrawHeight);
  f.w = lv.nWidth;
  f.h = lv.nHeight;
  f.n = def.nCount;
  f.I = static_cast<long long>(def.nFormationParam[0]) * 16;
  f.s = lv.dSpeed;
  f.base = 0;
  PatternBaseAngle(lv.nCode, f.base);
  return f;
}

// The diagonal anchors beside the firer.
double AnchorLeft(const cFrame& f) { return std::trunc(f.CX + K * (1 - Half(f.Wd) - Half(f.w)) - Half(f.w)); }
double AnchorRight(const cFrame& f) {
  return std::trunc(f.CX + K * (f.R - f.L - Half(f.Wd) + Half(f.w) + 1) - Half(f.w));
}
double AnchorUp(const cFrame& f) { return std::trunc(f.CY - K * (Half(f.Hd) + Half(f.h)) - Half(f.h)); }
double AnchorDown(const cFrame& f) {
  return std::trunc(f.CY + K * (f.B - f.T - Half(f.Hd) + Half(f.h) + 1) - Half(f.h));
}

// The velocity of the straight formations by code, at speed s.
void CodeVelocity(int code, double s, double& vx, double& vy) {
  switch (code) {
    case 2: vx = -s, vy = 0; break;
    case 3: vx = s, vy = 0; break;
    case 6: vx = 0, vy = -s; break;
    case 7: vx = 0, vy = s; break;
    case 8: vx = -K * s, vy = -K * s; break;
    case 9: vx = -K * s, vy = K * s; break;
    case 10: vx = K * s, vy = -K * s; break;
    case 11: vx = K * s, vy = K * s; break;
    default: vx = vy = 0; break;
  }
}

void SetFlight(cLaunchValues& lv, double angle) {
  lv.dFlightAngle = angle;
  VelocityAtAngle(angle, lv.dSpeed, lv.dVelX, lv.dVelY);
}

void SetCodeFlight(cLaunchValues& lv, int base) {
  lv.dFlightAngle = base;
  CodeVelocity(lv.nCode, lv.dSpeed, lv.dVelX, lv.dVelY);
}

// n objects from the row start, one step apart.
void SpawnRow(cLaunchValues& lv, long long n, PatternSink sink, void* user) {
  long long x = lv.nRowX, y = lv.nRowY;
  for (long long i = 0; i < n; ++i) {
    lv.nX = Clamp32(x);
    lv.nY = Clamp32(y);
    sink(user, lv);
    x += lv.nStepX;
    y += lv.nStepY;
  }
}

// The centre object of the lightning and surround patterns: 0 the firer's target,
// 1 the player, 2 the firer; null when it has none.
const cPatternRect* CentreObject(const cFiringView& v, int choice) {
  switch (choice) {
    case 0: return v.bHasTarget ? &v.Target : nullptr;
    case 1: return v.bHasPlayer ? &v.Player : nullptr;
    case 2: return &v.Firer;
    default: return nullptr;
  }
}

void StraightATable(const cFrame& f, cLaunchValues& lv) {
  double x = 0, y = 0, sx = 0, sy = 0;
  const double across = f.CY - (f.n - 1) * Half(f.I) - f.n * Half(static_cast<long long>(f.h));
  const double along = f.CX - (f.n - 1) * Half(f.I) - f.n * Half(static_cast<long long>(f.w));
  const double DX = K * (f.n - 1) * (Half(f.I) + Half(static_cast<long long>(f.w)));
  const double DY = K * (f.n - 1) * (Half(f.I) + Half(static_cast<long long>(f.h)));
  const double stepX = std::trunc((f.I + f.w) * K), stepY = std::trunc((f.I + f.h) * K);
  switch (lv.nCode) {
    case 2: x = std::trunc(f.L + f.X + 1 - f.w), y = across, sy = f.I + f.h; break;
    case 3: x = std::trunc(f.X + f.R + 1), y = across, sy = f.I + f.h; break;
    case 6: x = along, y = f.YI + f.T - f.h, sx = f.I + f.w; break;
    case 7: x = along, y = f.YI + f.B + 1, sx = f.I + f.w; break;
    case 8: x = AnchorLeft(f) - DX, y = AnchorUp(f) + DY, sx = stepX, sy = std::trunc(-(f.I + f.h) * K); break;
    case 9: x = AnchorLeft(f) - DX, y = AnchorDown(f) - DY, sx = stepX, sy = stepY; break;
    case 10: x = AnchorRight(f) - DX, y = AnchorUp(f) - DY, sx = stepX, sy = stepY; break;
    case 11: x = AnchorRight(f) - DX, y = AnchorDown(f) + DY, sx = stepX, sy = std::trunc(-(f.I + f.h) * K); break;
    default: break;
  }
  lv.nRowX = Trunc(x);
  lv.nRowY = Trunc(y);
  lv.nStepX = Trunc(sx);
  lv.nStepY = Trunc(sy);
}

void StraightBTable(const cFrame& f, const cFiringView& v, cLaunchValues& lv) {
  const double left = std::trunc(f.L + f.X + 1 - f.w), right = std::trunc(f.X + f.R + 1);
  double x = 0;
  switch (lv.nCode) {
    case 2: case 8: case 9: x = left; break;
    case 3: case 10: case 11: x = right; break;
    default: x = v.nFacing == 1 ? right : left; break;
  }
  lv.nRowX = Trunc(x);
  lv.nRowY = Trunc(f.YI + f.B - f.h + 1);
  lv.nStepX = 0;
  lv.nStepY = Trunc(-(f.I + f.h));
}

void AddOffsets(cLaunchValues& lv) {
  lv.nRowX = Clamp32(static_cast<long long>(lv.nRowX) + lv.nOffsetX);
  lv.nRowY = Clamp32(static_cast<long long>(lv.nRowY) + lv.nOffsetY);
}

// The angle toward the target from the centre of an object at the row start (or
// at a given top left), stored as an int as the formations keep it.
int AimFrom(double x, double y, const cFrame& f, const cFiringView& v, const cEdShot& def, cLaunchValues& lv) {
  return Trunc(AimAngle(x + Half(static_cast<long long>(f.w)), y + Half(static_cast<long long>(f.h)), v, def, lv));
}

// The aim's angle from the firer's centre shifted by the offsets.
int AimFromFirer(const cFrame& f, const cFiringView& v, const cEdShot& def, cLaunchValues& lv) {
  return Trunc(AimAngle(f.XI + Half(v.Firer.nDrawWidth) + lv.nOffsetX + f.L,
                        f.YI + Half(v.Firer.nDrawHeight) + lv.nOffsetY + f.T, v, def, lv));
}

void StraightFormation(const cFiringView& v, const cEdShot& def, cLaunchValues& lv, PatternSink sink, void* user,
                       bool columnB) {
  const cFrame f = FrameOf(v, def, lv);
  const bool angled = lv.nAngle != 0 || def.bAim != 0;
  if (columnB || !angled || !def.bRotateFormation) {
    if (columnB) StraightBTable(f, v, lv);
    else StraightATable(f, lv);
    AddOffsets(lv);
    if (!angled) {
      SetCodeFlight(lv, f.base);
    } else {
      const long long a = def.bAim ? static_cast<long long>(AimFrom(lv.nRowX, lv.nRowY, f, v, def, lv)) + lv.nAngle
                                   : static_cast<long long>(f.base) + lv.nAngle;
      SetFlight(lv, static_cast<double>(a));
    }
    SpawnRow(lv, f.n, sink, user);
    return;
  }
  // Turned with the angle: the row stands across the flight, centred on the anchor.
  const long long a0 = static_cast<long long>(def.bAim ? AimFromFirer(f, v, def, lv) : f.base) + lv.nAngle;
  RotatedAnchor(lv, v, Clamp32(a0));
  const double px = lv.nRowX, py = lv.nRowY;
  const long long a =
      def.bAim ? static_cast<long long>(AimFrom(lv.nOffsetX + px, lv.nOffsetY + py, f, v, def, lv)) + lv.nAngle : a0;
  const double sa = std::sin(a * kPi / 180.0), ca = std::cos(a * kPi / 180.0);
  const double halfW = Half(f.I) + Half(static_cast<long long>(f.w)), halfH = Half(f.I) + Half(static_cast<long long>(f.h));
  double x, y, sx, sy;
  if ((sa >= 0 && ca >= 0) || (sa < 0 && ca < 0)) {
    x = px - sa * halfW * (f.n - 1);
    sx = sa * (f.I + f.w);
    y = ca * halfH * (f.n - 1) + py;
    sy = ca * (-(f.I + f.h));
  } else {
    x = sa * halfW * (f.n - 1) + px;
    sx = sa * (-(f.I + f.w));
    y = py - ca * halfH * (f.n - 1);
    sy = ca * (f.I + f.h);
  }
  lv.nRowX = Trunc(x);
  lv.nRowY = Trunc(y);
  lv.nStepX = Trunc(sx);
  lv.nStepY = Trunc(sy);
  AddOffsets(lv);
  SetFlight(lv, static_cast<double>(a));
  SpawnRow(lv, f.n, sink, user);
}

void ShotPatternStraightA(const cFiringView& v, const cEdShot& def, cLaunchValues& lv, PatternSink sink, void* user) {
  StraightFormation(v, def, lv, sink, user, false);
}

void ShotPatternStraightB(const cFiringView& v, const cEdShot& def, cLaunchValues& lv, PatternSink sink, void* user) {
  StraightFormation(v, def, lv, sink, user, true);
}

void ShotPatternSpread(const cFiringView& v, const cEdShot& def, cLaunchValues& lv, PatternSink sink, void* user) {
  const cFrame f = FrameOf(v, def, lv);
  const bool angled = lv.nAngle != 0 || def.bAim != 0;
  if (angled && def.bRotateFormation) {
    const long long a0 = static_cast<long long>(def.bAim ? AimFromFirer(f, v, def, lv) : f.base) + lv.nAngle;
    RotatedAnchor(lv, v, Clamp32(a0));
  } else {
    const double hw = Half(static_cast<long long>(f.w)), hh = Half(static_cast<long long>(f.h));
    double x = 0, y = 0;
    switch (lv.nCode) {
      case 2: x = f.XI + f.L - f.w + 1, y = f.CY - hh; break;
      case 3: x = f.XI + f.R + 1, y = f.CY - hh; break;
      case 6: x = f.CX - hw, y = f.YI + f.T - f.h; break;
      case 7: x = f.CX - hw, y = f.YI + f.B + 1; break;
      case 8: x = AnchorLeft(f), y = AnchorUp(f); break;
      case 9: x = AnchorLeft(f), y = AnchorDown(f); break;
      case 10: x = AnchorRight(f), y = AnchorUp(f); break;
      case 11: x = AnchorRight(f), y = AnchorDown(f); break;
      default: break;
    }
    lv.nRowX = Trunc(x);
    lv.nRowY = Trunc(y);
  }
  AddOffsets(lv);
  lv.nStepX = lv.nStepY = 0;
  const double c = def.bAim ? AimFrom(lv.nRowX, lv.nRowY, f, v, def, lv) : f.base;
  const double g = def.nFormationParam[0];
  double angle = f.n % 2 ? c + lv.nAngle - g * static_cast<double>(f.n / 2)
                         : c + lv.nAngle - g * (static_cast<double>(f.n / 2) - 0.5);
  lv.nX = lv.nRowX;
  lv.nY = lv.nRowY;
  for (long long i = 0; i < f.n; ++i) {
    SetFlight(lv, angle);
    sink(user, lv);
    angle += g;
  }
}

void ShotPatternLightning(const cFiringView& v, const cEdShot& def, cLaunchValues& lv, PatternSink sink,
                          void* user) {
  const cPatternRect* centre = CentreObject(v, def.nFormationTarget);
  if (!centre) return;
  const cFrame f = FrameOf(v, def, lv);
  const double Lc = centre->nLeft, Tc = centre->nTop;
  const double hWc = Half(centre->nDrawWidth), hHc = Half(centre->nDrawHeight);
  const double hw = Half(static_cast<long long>(f.w)), hh = Half(static_cast<long long>(f.h));
  const long long c = static_cast<long long>(def.nFormationParam[2]) * 16;
  const long long m = std::min<long long>(def.nFormationParam[1], kMaxLightningRows);
  const double e = Half(m - 1) * static_cast<double>(c);
  const double fr = m % 2 ? e : e + Half(c);
  const bool P = v.bPacking != 0;
  const double I = static_cast<double>(f.I), w = f.w, h = f.h;
  double x = 0, y = 0, sx = 0, sy = 0;
  const double cx = Lc + hWc, cy = Tc + hHc;
  switch (lv.nCode) {
    case 2: x = std::trunc(f.X + 640 - w), y = f.YI + hHc + Tc - hh, sx = P ? -w : -(w + I); break;
    case 3: x = f.XI, y = f.YI + hHc + Tc - hh, sx = P ? w : I + w; break;
    case 6: x = f.XI + hWc + Lc - hw, y = std::trunc(f.Y + 480 - h), sy = P ? -h : -(I + h); break;
    case 7: x = f.XI + hWc + Lc - hw, y = f.YI, sy = P ? h : I + h; break;
    case 8: {
      const double G = 640 - cx, H = 480 - cy;
      if (G < H) x = std::trunc(f.X + 640 - w), y = std::trunc(f.Y + cy + G - h);
      else x = std::trunc(f.X + cx + H - w), y = std::trunc(f.Y + 480 - h);
      sx = std::trunc(P ? -w * K : -(w + I) * K), sy = std::trunc(P ? -h * K : -(I + h) * K);
      break;
    }
    case 9: {
      const double G = 640 - cx, H = cy;
      if (G < H) x = std::trunc(f.X + 640 - w), y = std::trunc(f.Y + cy - G);
      else x = std::trunc(f.X + cx + H - w), y = f.YI;
      sx = std::trunc(P ? -w * K : -(I + w) * K), sy = std::trunc(P ? h * K : (I + h) * K);
      break;
    }
    case 10: {
      const double G = cx, H = 480 - cy;
      if (G < H) x = f.XI, y = std::trunc(f.Y + cy + G - h);
      else x = std::trunc(f.X + G - H), y = std::trunc(f.Y + 480 - h);
      sx = std::trunc(P ? w * K : (I + w) * K), sy = std::trunc(P ? -h * K : -(I + h) * K);
      break;
    }
    case 11: {
      const double G = cx, H = cy;
      if (G < H) x = f.XI, y = std::trunc(f.Y + cy - G);
      else x = std::trunc(f.X + G - H), y = f.YI;
      sx = std::trunc(P ? w * K : (I + w) * K), sy = std::trunc(P ? h * K : (I + h) * K);
      break;
    }
    default: break;
  }
  double rsx = 0, rsy = 0;
  if (m >= 2) {
    const double cK = std::trunc(static_cast<double>(c) * K), fK = std::trunc(K * fr);
    switch (lv.nCode) {
      case 2: case 3: rsy = static_cast<double>(c), y -= fr; break;
      case 6: case 7: rsx = static_cast<double>(c), x -= fr; break;
      case 8: case 11: rsx = cK, rsy = -cK, x -= fK, y += fK; break;
      case 9: case 10: rsx = cK, rsy = cK, x -= fK, y -= fK; break;
      default: break;
    }
  }
  lv.nRowX = Trunc(x);
  lv.nRowY = Trunc(y);
  lv.nStepX = Trunc(sx);
  lv.nStepY = Trunc(sy);
  lv.nRowStepX = Trunc(rsx);
  lv.nRowStepY = Trunc(rsy);
  AddOffsets(lv);
  if (lv.nAngle != 0) SetFlight(lv, static_cast<double>(f.base) + lv.nAngle);
  else SetCodeFlight(lv, f.base);
  long long px = lv.nRowX, py = lv.nRowY;
  for (long long i = 0; i < f.n; ++i) {
    long long rx = px, ry = py;
    for (long long j = 0; j < m; ++j) {
      lv.nX = Clamp32(rx);
      lv.nY = Clamp32(ry);
      sink(user, lv);
      rx += lv.nRowStepX;
      ry += lv.nRowStepY;
    }
    px += lv.nStepX;
    py += lv.nStepY;
  }
}

void ShotPatternExplosion(const cFiringView& v, const cEdShot& def, cLaunchValues& lv, PatternSink sink,
                          void* user) {
  const cFrame f = FrameOf(v, def, lv);
  lv.nX = lv.nRowX = Clamp32(static_cast<long long>(Trunc(f.L + Half(v.Firer.nDrawWidth) + f.X -
                                                          Half(static_cast<long long>(f.w)))) + lv.nOffsetX);
  lv.nY = lv.nRowY = Clamp32(static_cast<long long>(Trunc(f.T + Half(v.Firer.nDrawHeight) + f.Y -
                                                          Half(static_cast<long long>(f.h)))) + lv.nOffsetY);
  const double step = 360.0 / static_cast<double>(f.n);
  double angle = static_cast<double>(f.base) + lv.nAngle;
  for (long long i = 0; i < f.n; ++i) {
    SetFlight(lv, angle);
    sink(user, lv);
    angle += step;
  }
}

void ShotPatternSurround(const cFiringView& v, const cEdShot& def, cLaunchValues& lv, PatternSink sink,
                         void* user) {
  const cPatternRect* centre = CentreObject(v, def.nFormationTarget);
  if (!centre) return;
  const cFrame f = FrameOf(v, def, lv);
  const double R = static_cast<double>(def.nFormationParam[0]) * 16;
  const long long x0 = Trunc(centre->nLeft + Half(centre->nDrawWidth) + f.X - Half(static_cast<long long>(f.w)) +
                             lv.nOffsetX);
  const long long y0 = Trunc(centre->nTop + Half(centre->nDrawHeight) + f.Y - Half(static_cast<long long>(f.h)) +
                             lv.nOffsetY);
  lv.nRowX = Clamp32(x0);
  lv.nRowY = Clamp32(y0);
  const double step = 360.0 / static_cast<double>(f.n);
  double angle = static_cast<double>(f.base) + lv.nAngle;
  for (long long i = 0; i < f.n; ++i) {
    const double r = angle * kPi / 180.0;
    lv.nX = Clamp32(Trunc(R * std::cos(r) + 0.5) + x0);
    lv.nY = Clamp32(Trunc(R * std::sin(r) + 0.5) + y0);
    SetFlight(lv, angle);
    sink(user, lv);
    angle += step;
  }
}

}  // namespace

const ShotPatternFunction ShotPatterns[kShotPatternCount] = {
    ShotPatternStraightA, ShotPatternStraightB, ShotPatternSpread,
    ShotPatternLightning, ShotPatternExplosion, ShotPatternSurround,
};

int PatternDirectionCode(int choice, int facing, int inputDirection) {
  const bool right = facing == 1;
  switch (choice) {
    case 0: return right ? 3 : 2;
    case 1: return right ? 2 : 3;
    case 4: return right ? 7 : 6;
    case 5: return right ? 6 : 7;
    case 12: return DirectionCode(inputDirection >= 0 && inputDirection <= 8 ? inputDirection : 0, facing);
    default: return choice;
  }
}

bool PatternBaseAngle(int code, int& angle) {
  switch (code) {
    case 2: angle = 0; return true;
    case 3: angle = 180; return true;
    case 6: angle = 90; return true;
    case 7: angle = 270; return true;
    case 8: angle = 45; return true;
    case 9: angle = 315; return true;
    case 10: angle = 135; return true;
    case 11: angle = 225; return true;
    default: return false;
  }
}

void VelocityAtAngle(double angle, double speed, double& vx, double& vy) {
  const double r = angle * kPi / 180.0;
  vx = -std::cos(r) * speed;
  vy = -std::sin(r) * speed;
}

double AimAngle(double x, double y, const cFiringView& v, const cEdShot& def, cLaunchValues& lv) {
  if (!v.bHasTarget) return v.nFacing == 1 ? 180 : 0;
  const double XI = std::trunc(v.dScrollX), YI = std::trunc(v.dScrollY);
  const double cx = v.Target.nLeft + Half(v.Target.nDrawWidth);
  const double cy = v.Target.nTop + Half(v.Target.nDrawHeight);
  const bool autoScrolls = v.Scroll.dSx != 0 || v.Scroll.dSy != 0;
  if (!autoScrolls || def.bScrollSync || !v.bTargetSynced)
    return std::atan2(YI + cy - y, XI + cx - x) * kDegrees + 180 + 0.5;
  // The target moves with the view and the shot does not: aim where they meet.
  const double N = v.dSteps >= 1 ? v.dSteps : 1;
  const double speed = (def.nSpeed + static_cast<double>(def.nSpeedClone) * lv.nClone) * 0.1 / N;
  double vx = 0, vy = 0;
  int direction = 0;
  AimVector(vx, vy, direction, eAimTarget::kSynced, x - XI, y - YI, cx, cy, speed, 0, 1, 0, v.Scroll);
  lv.dSpeed = std::sqrt(vx * vx + vy * vy) * N;
  return std::atan2(vy, vx) * kDegrees + 180;
}

void RotatedAnchor(cLaunchValues& lv, const cFiringView& v, int angle) {
  const cPatternRect& F = v.Firer;
  const double hw = Half(lv.nWidth), hh = Half(lv.nHeight);
  const double r = K * (static_cast<double>(F.nBottom) + hh - F.nTop - Half(F.nDrawHeight) + 1);
  const double t = K * (hw + F.nRight - F.nLeft - Half(F.nDrawWidth) + 1);
  const double th = (static_cast<double>(angle) + 225) * kPi / 180.0;
  lv.nRowX = Trunc(F.nLeft + Half(F.nDrawWidth) + v.dScrollX + r * std::sin(th) + t * std::cos(th) - hw);
  lv.nRowY = Trunc(F.nTop + Half(F.nDrawHeight) + v.dScrollY + t * std::sin(th) - r * std::cos(th) - hh);
}

void RunShotPattern(const cFiringView& v, const cEdShot& def, cLaunchValues& lv, PatternSink sink, void* user) {
  int base = 0;
  if (def.nCount <= 0 || def.nFormation < 0 || def.nFormation >= kShotPatternCount) return;
  if (!PatternBaseAngle(lv.nCode, base)) return;
  ShotPatterns[def.nFormation](v, def, lv, sink, user);
}

void FireShotPasses(const cFiringView& v, const cEdShot& def, PatternSink sink, void* user) {
  if (def.nCount <= 0) return;
  cLaunchValues lv;
  // A size below 1 fires 16-dot objects, as the shot itself is launched at size 1.
  lv.nWidth = lv.nHeight = std::max<int>(def.nSize, 1) * 16;
  lv.nCode = PatternDirectionCode(def.nShotDirection, v.nFacing, v.nInputDirection);
  const bool mirrored = def.bMirrorAngle && v.nFacing == 1;
  auto angleOf = [&](int pass) {
    const int a = def.nAngleOffset + def.nAngleOffsetClone * pass;
    int angle = mirrored ? 360 - a : a;
    if (def.nSpreadAngle != 0) angle += RandRange(-def.nSpreadAngle, def.nSpreadAngle);
    return angle;
  };
  lv.nAngle = angleOf(0);
  lv.dSpeed = def.nSpeed * 0.1;
  lv.nDistance = def.nRange;
  lv.nLifetime = def.nLifetime;
  for (int i = 0; i <= def.nClonesPerShot; ++i) {
    lv.nClone = static_cast<int16_t>(i);
    lv.nOffsetX = Trunc(def.LaunchOffsetX(i, v.nFacing));
    lv.nOffsetY = Trunc(def.LaunchOffsetY(i, v.nFacing));
    RunShotPattern(v, def, lv, sink, user);
    lv.dSpeed += def.nSpeedClone * 0.1;
    lv.nAngle = angleOf(i + 1);
    lv.nDistance += def.nRangeClone;
    lv.nLifetime += def.nLifetimeClone;
  }
}

void FireSummonPass(const cFiringView& v, const cEdShot& def, int width, int height, PatternSink sink, void* user) {
  cLaunchValues lv;
  lv.dSpeed = 1.0;
  lv.nWidth = width;
  lv.nHeight = height;
  lv.nCode = PatternDirectionCode(def.nShotDirection, v.nFacing, v.nInputDirection);
  lv.nOffsetX = Trunc(def.LaunchOffsetX(0, v.nFacing));
  lv.nOffsetY = Trunc(def.LaunchOffsetY(0, v.nFacing));
  RunShotPattern(v, def, lv, sink, user);
}

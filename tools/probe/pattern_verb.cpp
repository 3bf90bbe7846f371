// pattern: one shot command fired through FireShots, printing the launch values of
// every object the firing hands on, one line each, in spawning order. No shot is
// launched and no stage plays: the firer, its target and the player are objects
// made here, their screen rectangles taken at the given scroll.
#include <cmath>
#include <cstdio>

#include "chara/firing.h"
#include "chara/flow_run.h"
#include "chara/play_objects.h"
#include "chara/player.h"
#include "chara/stage_chara.h"
#include "data/project_globals.h"
#include "data/shot_def.h"
#include "stage/scroll_axis.h"
#include "tools/probe/probe.h"

namespace {

constexpr long long kMaxSize = 1000000;

bool Int8(probe::cArgs& a, const char* name, int8_t& out, std::string& error) {
  int v = 0;
  if (!a.Int(name, v, INT8_MIN, INT8_MAX, error)) return false;
  out = static_cast<int8_t>(v);
  return true;
}

bool Int16(probe::cArgs& a, const char* name, int16_t& out, std::string& error) {
  int v = 0;
  if (!a.Int(name, v, INT16_MIN, INT16_MAX, error)) return false;
  out = static_cast<int16_t>(v);
  return true;
}

// An object of the scene: position and size, every drawing offset 0.
bool Place(probe::cArgs& a, const char* prefix, cChara& c, std::string& error) {
  const std::string p = prefix;
  double x = 0, y = 0;
  int w = 0, h = 0;
  if (!a.Double((p + "-x").c_str(), x, error) || !a.Double((p + "-y").c_str(), y, error) ||
      !a.Int((p + "-width").c_str(), w, 0, kMaxSize, error) || !a.Int((p + "-height").c_str(), h, 0, kMaxSize, error))
    return false;
  c.m_dX = x;
  c.m_dY = y;
  c.m_nWidth = c.m_nBaseWidth = c.m_nDrawWidth = c.m_nBaseDrawWidth = w;
  c.m_nHeight = c.m_nBaseHeight = c.m_nDrawHeight = c.m_nBaseDrawHeight = h;
  c.m_nDrawOffsetX = c.m_nDrawOffsetY = 0;
  return true;
}

// -0 is printed as 0.
std::string Num(double v) { return probe::Number(v + 0.0); }

void PrintObject(void* user, const cLaunchValues& lv) {
  long long& index = *static_cast<long long*>(user);
  double angle = std::fmod(lv.dFlightAngle, 360.0);
  if (angle < 0) angle += 360.0;
  if (angle >= 360.0) angle -= 360.0;
  std::printf("shot=%lld clone=%d x=%d y=%d vx=%s vy=%s angle=%s speed=%s distance=%d lifetime=%d\n", index++,
              static_cast<int>(lv.nClone), lv.nX, lv.nY, Num(lv.dVelX).c_str(), Num(lv.dVelY).c_str(),
              Num(angle).c_str(), Num(lv.dSpeed).c_str(), lv.nDistance, lv.nLifetime);
}

int Pattern(probe::cArgs& a, std::string& error) {
  cEdShot def;
  def.nSpreadAngle = 0;
  double scrollX = 0, scrollY = 0;
  int input = 0, packing = 0, facing = 0, hasTarget = 0, direction = 0;
  cStageChara target;
  cStageChara firer;
  cPlayer player;
  const bool ok =
      Int8(a, "pattern", def.nFormation, error) && a.Int("direction", direction, 0, 12, error) &&
      Int8(a, "count", def.nCount, error) && Int16(a, "param1", def.nFormationParam[0], error) &&
      Int16(a, "param2", def.nFormationParam[1], error) && Int16(a, "param3", def.nFormationParam[2], error) &&
      Int8(a, "centre", def.nFormationTarget, error) && Int8(a, "aim", def.bAim, error) &&
      Int8(a, "rotate", def.bRotateFormation, error) && Int16(a, "angle", def.nAngleOffset, error) &&
      Int16(a, "angle-clone", def.nAngleOffsetClone, error) && Int8(a, "mirror-angle", def.bMirrorAngle, error) &&
      Int8(a, "clones", def.nClonesPerShot, error) && Int16(a, "offset-x", def.nOffsetX, error) &&
      Int16(a, "offset-x-clone", def.nOffsetXClone, error) && Int16(a, "offset-y", def.nOffsetY, error) &&
      Int16(a, "offset-y-clone", def.nOffsetYClone, error) &&
      Int8(a, "mirror-offset-x", def.bMirrorOffsetX, error) &&
      Int8(a, "mirror-offset-y", def.bMirrorOffsetY, error) && Int8(a, "size", def.nSize, error) &&
      Int16(a, "speed", def.nSpeed, error) && Int16(a, "speed-clone", def.nSpeedClone, error) &&
      Int16(a, "range", def.nRange, error) && Int16(a, "range-clone", def.nRangeClone, error) &&
      Int16(a, "lifetime", def.nLifetime, error) && Int16(a, "lifetime-clone", def.nLifetimeClone, error) &&
      a.Double("scroll-x", scrollX, error) && a.Double("scroll-y", scrollY, error) &&
      a.Int("input", input, 0, 8, error) && a.Flag("packing", packing, error) && Place(a, "firer", firer, error) &&
      a.Flag("facing", facing, error) && a.Flag("target", hasTarget, error) && Place(a, "target", target, error) &&
      Place(a, "player", player, error) && a.NoneLeft(error);
  if (!ok) return 2;
  def.nShotDirection = static_cast<int8_t>(direction);

  cScrollAxis ax, ay;
  ax.m_dPos = scrollX;
  ay.m_dPos = scrollY;
  SetAxesOutsidePlay(&ax, &ay);
  SystemData.bCompat555 = packing;
  cFlowRun flow;
  flow.nStartDirection = input;
  SetCurrentFlowRun(&flow);

  firer.m_nKind = target.m_nKind = 1;
  firer.m_nFacing = facing;
  if (hasTarget) firer.SetTarget(&target);
  // The player is player 1 of the game's list, as the patterns find it.
  cPlayer& p1 = Player.emplace_back();
  p1.m_nKind = 0;
  p1.m_dX = player.m_dX;
  p1.m_dY = player.m_dY;
  p1.m_nDrawWidth = player.m_nDrawWidth;
  p1.m_nDrawHeight = player.m_nDrawHeight;
  p1.m_nWidth = player.m_nWidth;
  p1.m_nHeight = player.m_nHeight;
  p1.CalcScreenRect();
  target.CalcScreenRect();

  long long index = 0;
  const cPatternSink sink{PrintObject, &index};
  FireShots(nullptr, firer, nullptr, def, &sink);

  firer.SetTarget(nullptr);
  Player.clear();
  SetCurrentFlowRun(nullptr);
  SetAxesOutsidePlay(nullptr, nullptr);
  return 0;
}

}  // namespace

PROBE_VERB("pattern",
           "--pattern --direction --count --param1 --param2 --param3 --centre --aim --rotate --angle "
           "--angle-clone --mirror-angle --clones --offset-x --offset-x-clone --offset-y --offset-y-clone "
           "--mirror-offset-x --mirror-offset-y --size --speed --speed-clone --range --range-clone --lifetime "
           "--lifetime-clone --scroll-x --scroll-y --input --packing --firer-x --firer-y --firer-width "
           "--firer-height --facing --target --target-x --target-y --target-width --target-height --player-x "
           "--player-y --player-width --player-height (doubles: scroll, positions)",
           Pattern);

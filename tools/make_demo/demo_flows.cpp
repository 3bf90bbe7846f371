#include "tools/make_demo/demo_flows.h"

#include "data/move_def.h"
#include "data/shot_def.h"

namespace demo {
namespace {

cEdCommand Command(int type, int tenths = 0, std::vector<int32_t> values = {}) {
  cEdCommand c;
  c.nType = static_cast<uint8_t>(type);
  c.nTime = static_cast<int16_t>(tenths);
  c.Values.assign(values.begin(), values.end());
  return c;
}

cEdCommand Move(int type, int direction, int speed, int tenths) {
  cEdCommand c = Command(type, tenths);
  NewEdMove(c.pMove);
  c.pMove->nDirection = static_cast<uint8_t>(direction);
  c.pMove->nSpeed = static_cast<int16_t>(speed);
  // The time is the command's own, not the distance's.
  c.pMove->bTimeFromDistance = 0;
  return c;
}

}  // namespace

cEdFlow KeyFlow(std::initializer_list<int> keys, bool repeat, std::vector<cEdCommand> commands) {
  cEdFlow f;
  f.bKeyRepeat = repeat ? 1 : 0;
  cEdKeyCondition k;
  for (int key : keys) k.Keys[static_cast<size_t>(key)] = 1;
  k.bAnyLength = 1;
  k.nMode = 1;  // any one of the keys
  f.KeyConditions.push_back(k);
  f.Commands.assign(commands.begin(), commands.end());
  return f;
}

cEdFlow TriggerFlow(int trigger, std::vector<cEdCommand> commands) {
  cEdFlow f;
  f.nTrigger = static_cast<int8_t>(trigger);
  f.Commands.assign(commands.begin(), commands.end());
  return f;
}

cEdFlow NearPlayerFlow(int halfBlocks, std::vector<cEdCommand> commands) {
  cEdFlow f = TriggerFlow(kAlways, std::move(commands));
  cEdCondition near;
  near.nKind = 7;     // distance
  near.nSubject = 0;  // to the player
  near.nValue = halfBlocks;
  near.nShape = 6;    // a circle
  near.nCompare = 0;  // within
  f.Conditions.push_back(near);
  return f;
}

cEdCommand Straight(int direction, int speed, int tenths) { return Move(2, direction, speed, tenths); }

cEdCommand GroundWalk(int speed, int tenths) { return Move(3, 0, speed, tenths); }

cEdCommand Jump(int kind, int height, int sound) {
  cEdCommand c = Command(10, 0, {kind, 0, height, 0, 0});
  c.nSound = static_cast<int16_t>(sound);
  return c;
}

cEdCommand Wait(int tenths) { return Command(1, tenths); }

cEdCommand Turn(int kind) { return Command(9, 1, {kind}); }

cEdCommand TargetPlayer() {
  std::vector<int32_t> v(15, 0);
  v[14] = 1;  // keep the old target when none is found
  return Command(21, 0, v);
}

cEdCommand Shot(const cShotPlan& plan, int tenths) {
  cEdCommand c = Command(11, tenths);
  c.nSound = static_cast<int16_t>(plan.sound);
  c.bSoundInView = 1;
  NewEdShot(c.pShot);
  cEdShot& s = *c.pShot;
  s.nCount = static_cast<int8_t>(plan.count);
  s.nFormation = 0;
  s.nFormationParam[0] = static_cast<int16_t>(plan.spread);
  s.nShotDirection = 0;  // the firer's facing
  s.nGraphic = static_cast<int16_t>(plan.graphic);
  s.nSpeed = static_cast<int16_t>(plan.speed);
  s.nPower = plan.power;
  s.bRange = 1;
  s.nRange = static_cast<int16_t>(plan.range);
  s.nMoveType = plan.aimAtPlayer ? 1 : 0;  // type 1 turns toward the player at once
  s.nZ = 4;
  return c;
}

cEdCommand StageClear() { return Command(17, 0, std::vector<int32_t>(9, 0)); }

cEdCommand Message(const std::string& sjisText, int tenths) {
  std::vector<int32_t> v(18, 0);
  v[0] = 0;   // the middle of the screen
  v[5] = 1;   // kept inside the screen
  v[6] = 2;   // shown for a time
  v[7] = tenths;
  v[10] = 1;  // fixed to the screen
  cEdCommand c = Command(19, 0, v);
  c.strText = sjisText;
  return c;
}

cEdCommand ScreenEffect(int effect) { return Command(31, 0, {effect, 0, 0}); }

cEdCommand StopThisFlow() { return Command(16, 0, {5, 0, 0}); }

cEdCommand RunCode(const std::string& line) {
  cEdCommand c = Command(37);
  c.strText = line;
  return c;
}

cEdCommand Sound(int sound) { return Command(35, 0, {sound}); }

cEdCommand ItemCode(const std::string& line) {
  cEdCommand c = RunCode(line);
  c.nSet = cEdCommand::kItemSet;
  c.nType = 22;
  return c;
}

}  // namespace demo

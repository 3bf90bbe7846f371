#include "tools/make_demo/demo_palette.h"

#include <filesystem>

#include "data/palette.h"
#include "platform/sjis.h"
#include "tools/make_demo/demo_flows.h"
#include "tools/make_demo/demo_palette_entries.h"

namespace {

using namespace demo;

cEdBlock Block(const char* name, int graphic, int hitKind) {
  cEdBlock b;
  b.strName = plat::Utf8ToSjis(name);
  b.nGraphicKind = 0;
  b.nGraphic = static_cast<int16_t>(graphic);
  b.nHitKind = static_cast<int8_t>(hitKind);
  return b;
}

cEdChara Chara(const char* name, int graphic, int force, int hp) {
  cEdChara c;
  c.strName = plat::Utf8ToSjis(name);
  c.nOperator = 1;
  c.nPassValue = static_cast<int8_t>(force);
  c.nGraphicKind = 1;
  c.nGraphic = static_cast<int16_t>(graphic);
  c.mhp = hp;
  return c;
}

// Runs with the stick (its diagonals too), jumps higher the longer button 1 is
// held, and fires along its facing with button 2.
cEdChara Player() {
  cEdChara c = Chara("主人公", 1, kPlayerForce, 5);
  c.nOperator = 0;
  c.nFacing = 1;
  c.bFixedFacing = 0;
  c.Flows.push_back(KeyFlow({kStickLeft, 5, 6}, true, {Straight(kLeft, 25, 1)}));
  c.Flows.push_back(KeyFlow({kStickRight, 7, 8}, true, {Straight(kRight, 25, 1)}));
  c.Flows.push_back(KeyFlow({kButton1}, false, {Jump(1, 7, kSoundJump)}));
  cShotPlan shot;
  shot.graphic = 1;
  shot.speed = 80;
  shot.range = 24;
  shot.sound = kSoundShot;
  c.Flows.push_back(KeyFlow({kButton2}, false, {Shot(shot)}));
  return c;
}

// Walks along its floor and turns back at walls and at the ends of ledges.
cEdChara Walker() {
  cEdChara c = Chara("てくてく", 2, kEnemyForce, 2);
  c.power = 1;
  c.getsc = 100;
  c.Flows.push_back(TriggerFlow(kAlways, {GroundWalk(10, 10)}));
  return c;
}

// Flies up and down, and every two seconds fires one shot aimed at the player.
cEdChara Flyer() {
  cEdChara c = Chara("ふわふわ", 3, kEnemyForce, 2);
  c.nFlight = 1;
  c.power = 1;
  c.getsc = 200;
  c.Flows.push_back(TriggerFlow(kAlways, {Straight(kUp, 10, 10), Straight(kDown, 10, 10)}));
  cShotPlan shot;
  shot.graphic = 2;
  shot.speed = 30;
  shot.range = 40;
  shot.aimAtPlayer = true;
  c.Flows.push_back(TriggerFlow(kAlways, {Wait(20), Shot(shot)}));
  return c;
}

// Stands its ground, turns toward the player and fires straight shots.
cEdChara Shooter() {
  cEdChara c = Chara("ドカン", 4, kEnemyForce, 3);
  c.power = 1;
  c.getsc = 300;
  cShotPlan shot;
  shot.graphic = 3;
  shot.speed = 40;
  shot.range = 16;
  c.Flows.push_back(TriggerFlow(kAlways, {TargetPlayer(), Turn(2), Wait(15), Shot(shot)}));
  return c;
}

// The boss: twice the size, paces its floor and fans out three aimed shots. Each
// hit shakes the screen and a run-code line counts it in the boss's first
// variable; when it falls the stage is cleared.
cEdChara Boss() {
  cEdChara c = Chara("ボス", 5, kEnemyForce, 14);
  c.nGiant = 2;
  c.power = 2;
  c.getsc = 5000;
  c.Flows.push_back(TriggerFlow(kAlways, {GroundWalk(8, 20)}));
  cShotPlan fan;
  fan.count = 3;
  fan.graphic = 2;
  fan.speed = 35;
  fan.spread = 20;
  fan.range = 40;
  fan.aimAtPlayer = true;
  c.Flows.push_back(TriggerFlow(kAlways, {Wait(25), Shot(fan)}));
  c.Flows.push_back(TriggerFlow(kDamaged, {RunCode("v1 = v1 + 1"), ScreenEffect(1)}));
  c.Flows.push_back(TriggerFlow(kDied, {StageClear()}));
  return c;
}

// A platform that carries whoever stands on it to and fro.
cEdChara Platform() {
  cEdChara c = Chara("リフト", 6, kPlatformForce, 1);
  c.bFullCell = 1;  // a block to the others
  c.nFlight = 1;
  c.nInvincible = 2;
  c.nActivityRange = 3;
  c.Flows.push_back(TriggerFlow(kAlways, {Straight(kRight, 10, 30), Wait(5), Straight(kLeft, 10, 30), Wait(5)}));
  return c;
}

// A signpost that speaks once, when the player first comes by.
cEdChara Sign() {
  cEdChara c = Chara("かんばん", 7, kPlatformForce, 1);
  c.nInvincible = 2;
  c.Flows.push_back(NearPlayerFlow(
      2, {Message(plat::Utf8ToSjis("Zでジャンプ、Xでショット！\nゴールの門をめざせ！"), 40), StopThisFlow()}));
  return c;
}

// The goal gate: the player reaching it clears the stage (toward its next part,
// or back to the map after the last).
cEdChara Goal() {
  cEdChara c = Chara("ゴールの門", 8, kPlatformForce, 1);
  c.nInvincible = 2;
  c.Flows.push_back(NearPlayerFlow(2, {StageClear()}));
  return c;
}

cEdItem Item(const char* name, int graphic, std::vector<cEdCommand> commands, int sound) {
  cEdItem i;
  i.strName = plat::Utf8ToSjis(name);
  i.nGraphicKind = 2;
  i.nGraphic = static_cast<int16_t>(graphic);
  i.bItemWindow = 0;
  i.nSound = static_cast<int16_t>(sound);
  i.Commands.assign(commands.begin(), commands.end());
  return i;
}

}  // namespace

bool WriteDemoPalette(const std::string& projectDir) {
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(projectDir) / "data", ec);
  if (ec) return false;
  cEdPalette palette;
  palette.Blocks = {cEdBlock(), Block("床", kFloor, 1), Block("レンガ", kBrick, 1), Block("土", kDirt, 1)};
  palette.Charas = {cEdChara(), Player(), Walker(), Flyer(), Shooter(), Boss(), Platform(), Sign(), Goal()};
  palette.Items = {cEdItem(),
                   Item("コイン", 1, {ItemCode("score = score + 50")}, kSoundCoin),
                   Item("ハート", 2, {ItemCode("pl.hp = pl.hp + 2")}, kSoundCoin)};
  const std::string path = plat::Utf8ToSjis(projectDir) + "/data/CommonPalette.cplt4";
  return palette.Save(path.c_str()) == 1;
}

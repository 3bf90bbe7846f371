#include "tools/make_demo/demo_palette.h"

#include <filesystem>

#include "data/palette.h"
#include "platform/sjis.h"

namespace {

cEdBlock Floor() {
  cEdBlock b;
  b.strName = plat::Utf8ToSjis("床");
  b.nGraphicKind = 0;
  b.nGraphic = 1;
  b.nHitKind = 1;
  return b;
}

// A flow that moves the character one step toward `direction` while the stick
// position `stick` is held.
cEdFlow WalkFlow(int stick, int direction) {
  cEdFlow f;
  f.bKeyRepeat = 1;
  cEdKeyCondition key;
  key.Keys[static_cast<size_t>(stick)] = 1;
  f.KeyConditions.push_back(key);
  cEdCommand move;
  move.nType = 2;  // straight movement
  move.nTime = 1;
  NewEdMove(move.pMove);
  move.pMove->nDirection = static_cast<uint8_t>(direction);
  move.pMove->nSpeed = 20;
  move.pMove->bTimeFromDistance = 0;
  f.Commands.push_back(move);
  return f;
}

cEdChara Player() {
  cEdChara c;
  c.strName = plat::Utf8ToSjis("主人公");
  c.nOperator = 0;
  c.nGraphicKind = 1;
  c.nGraphic = 1;
  c.mhp = 10;
  c.Flows.push_back(WalkFlow(4, 2));  // left
  c.Flows.push_back(WalkFlow(6, 3));  // right
  return c;
}

cEdChara Enemy() {
  cEdChara c;
  c.strName = plat::Utf8ToSjis("敵");
  c.nOperator = 1;
  c.nGraphicKind = 1;
  c.nGraphic = 2;
  c.mhp = 3;
  c.power = 1;
  cEdFlow patrol;
  cEdCommand walk;
  walk.nType = 3;  // walks along the ground and turns back at walls
  walk.nTime = 10;
  NewEdMove(walk.pMove);
  walk.pMove->nSpeed = 10;
  patrol.Commands.push_back(walk);
  c.Flows.push_back(patrol);
  return c;
}

cEdItem Coin() {
  cEdItem i;
  i.strName = plat::Utf8ToSjis("コイン");
  i.nGraphicKind = 2;
  i.nGraphic = 1;
  i.bItemWindow = 0;
  return i;
}

}  // namespace

bool WriteDemoPalette(const std::string& projectDir) {
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(projectDir) / "data", ec);
  if (ec) return false;
  cEdPalette palette;
  palette.Blocks = {cEdBlock(), Floor()};
  palette.Charas = {cEdChara(), Player(), Enemy()};
  palette.Items = {cEdItem(), Coin()};
  const std::string path = plat::Utf8ToSjis(projectDir) + "/data/CommonPalette.cplt4";
  return palette.Save(path.c_str()) == 1;
}

#include "tests/data/stage_fixtures.h"

#include "data/stage.h"

namespace stagefix {

std::vector<double> Zeros(int n) { return std::vector<double>(static_cast<size_t>(n), 0); }

Value DefaultBlock() { return Value().F("pass value", 255).Nums("inherit flags", Zeros(11)); }
Value DefaultChara() {
  return Value()
      .F("operator", 1).F("block pass value", 1).F("z", 3).F("start effect parameter 2", 1).F("mhp", 10)
      .F("graphic kind", 1).F("giant size", 1).F("stop", 10).F("fixed facing", 1).F("group-35 option", 1)
      .Nums("inherit flags", Zeros(37));
}
Value DefaultItem() {
  return Value().F("graphic kind", 2).F("item window", 1).F("size", 1).F("group-5 option", 6).Nums("inherit flags", Zeros(13));
}

Value Player(int col, int row) {
  return DefaultChara().S("name", "hero").F("operator", 0).F("graphic number", 1).N("column", col).N("row", row);
}

Value Enemy(int col, int row) {
  return DefaultChara().S("name", "enemy").F("graphic number", 2).F("mhp", 3).N("column", col).N("row", row);
}

Value ExpectedChara(uint32_t v, Value c) {
  std::vector<double> flags = c.lists["inherit flags"].nums;
  flags.resize(37, 0);
  auto insert = [&](size_t at) {
    flags.insert(flags.begin() + static_cast<long>(at), 1);
    flags.pop_back();
  };
  if (v < 168) insert(27);
  if (v < 201) insert(24);
  if (v < 210) insert(21);
  c.Nums("inherit flags", flags);
  if (v < 285) c.F("invincibility colour", 1);
  return c;
}

namespace {
Value Floor(int col, int row) {
  return DefaultBlock().S("name", "floor").F("graphic number", 1).F("collision kind", 1).N("column", col).N("row", row);
}
Value Coin(int col, int row) {
  return DefaultItem().S("name", "coin").F("graphic number", 1).N("column", col).N("row", row);
}
}  // namespace

Value SmallStage() {
  return Value()
      .F("width", 60).F("height", 40).F("frame rate", 60).F("time limit", 200).F("time warning", 20)
      .F("gravity", 0.4).F("hit level", 10).F("music loops", 1).F("priority groups", 1).F("status shown", 1)
      .F("start banner 2", 1).F("clear banner", 1).F("game-over banner", 1).F("player body w1", 16)
      .F("player body h1", 24).F("player body w2", 16).F("player body h2", 16).F("player hit w1", 16)
      .F("player hit h1", 24).F("player hit w2", 16).F("player hit h2", 16).F("player box2 w", 12)
      .F("player box2 h", 8).F("player box3 w", 16).F("player box3 h", 16).F("player body align1", 1)
      .F("player hit align1", 1).F("chara body w1", 16).F("chara body h1", 24).F("chara body w2", 16)
      .F("chara body h2", 16).F("chara hit w1", 12).F("chara hit h1", 24).F("chara hit w2", 12)
      .F("chara hit h2", 16).F("chara box2 w", 30).F("chara box2 h", 30).F("chara body align1", 1)
      .F("chara hit align1", 1).F("item box w", 28).F("item box h", 28).F("player shot w", 16)
      .F("player shot h", 16).F("stored 78", 16).F("stored 79", 16).F("other shot w", 16).F("other shot h", 16)
      .F("stored 82", 16).F("stored 83", 16).F("stored 84", 1)
      // level 10: 10 steps, 60 dots a frame, 6 a step
      .F("steps", 10).F("steps real", 10.0).F("steps squared", 100.0).F("speed limit", 60.0)
      .F("gravity per step", 0.4 / 100.0).F("speed limit per step", 6.0).F("steps x8", 80)
      .F("contact active only", 1).F("player hit invincible", 30).F("other hit invincible", 30)
      .S("name", "small")
      .Nums("ranking genres", {1, 1, 1, 1, 1})
      .Rec("player shot range", Value().F("left switch", 1).F("right switch", 1).F("top switch", 1).F("bottom switch", 1))
      .Rec("other shot range", Value().F("left switch", 1).F("right switch", 1).F("top switch", 1).F("bottom switch", 1)
                                    .F("left margin", 10).F("right margin", 10).F("top margin", 10).F("bottom margin", 10))
      .Recs("palette blocks", {DefaultBlock(), DefaultBlock()})
      .Recs("palette characters", {DefaultChara(), DefaultChara()})
      .Recs("palette items", {DefaultItem(), DefaultItem()})
      .Recs("placed blocks", {Floor(0, 12), Floor(1, 12)})
      .Recs("placed characters", {Enemy(8, 11), Player(2, 11)})
      .Recs("placed items", {Coin(5, 10)})
      .Recs("layers", {Value().F("shown", 1).F("fill", 1).F("fill colour", 16).F("horizontal factor", 0.1)
                           .F("vertical factor", 0.1)})
      .N("trailer", kStageTrailer);
}

Bytes StageFile(uint32_t version, Value stage) { return fix::RecordFile(version, fix::StageLayout(), stage); }

}  // namespace stagefix

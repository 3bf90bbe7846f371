// Movement, shot, block, character and item definitions of every data version:
// each file read and written again equals the current file of the expected values.
#include <gtest/gtest.h>

#include "data/palette.h"
#include "tests/data/palette_checks.h"

namespace {

using palfix::Value;

class DefinitionVersions : public ::testing::Test {
 protected:
  void SetUp() override { palfix::SetUpDatabase(); }
};

// Every member a distinct value other than its default.
Value StoredMove() {
  return Value()
      .F("target mode", 1).F("direction", 12).F("angle", 45).F("angle per clone", -3).F("mirror angle", 2)
      .F("use X", 3).F("use Y", 4).F("target X blocks", -7).F("target Y blocks", 8).F("target X dots", 9)
      .F("target Y dots", -10).F("coordinate kind", 3).F("time from distance", 5).F("X fixed", 6).F("Y fixed", 7)
      .F("mirror X", 8).F("mirror Y", 9).F("follow turns", 10).F("stop on arrival", 11).F("keep facing", 12)
      .F("timing", 1).F("speed", 250).F("speed per clone", -4).F("distance", 640).F("distance per clone", 11)
      .F("movement option", 13).F("sluggishness", 14).F("sluggishness per clone", 15).F("accelerate", 16)
      .F("maximum speed", 170).F("reverse factor", 0.625).F("keep animation", 17);
}

TEST_F(DefinitionVersions, MovementDefinitionsSetTheMembersOldFilesLackToZero) {
  for (uint32_t v : palfix::Versions({158, 159, 162})) {
    Value expected = StoredMove();
    if (v < 158) expected.F("mirror angle", 0);
    if (v < 159) expected.F("movement option", 0);
    if (v < 162) expected.F("keep facing", 0).F("keep animation", 0);
    palfix::ExpectUpgrade<cEdMove>(fix::MoveLayout(), v, StoredMove(), expected);
  }
  EXPECT_EQ(fix::RecordFile(157, fix::MoveLayout(), StoredMove())[4], 28);  // fields of version 157
  EXPECT_EQ(fix::RecordFile(752, fix::MoveLayout(), StoredMove()).size(), 4u + 60);
}

Value StoredShot(int kind) {
  return Value()
      .F("count", 3).F("pattern", 5).F("pattern values", {6, 7, 8}).F("option 1", 2).F("direction", 12)
      .F("option 2", 1).F("angle offset", -30).F("angle per clone", 15).F("mirror angle", 3).F("spread", 20)
      .F("option 3", 4).F("clones per shot", 5).F("offset X", -16).F("offset X per clone", 2).F("offset Y", 12)
      .F("offset Y per clone", -1).F("mirror X", 6).F("mirror Y", 7).F("graphic", 33).F("Z", 6).F("option 4", 8)
      .F("owner side", 9).F("side", 5).F("option 5", 10).F("size", 3).F("option 6", 11).F("kind", kind)
      .F("kind values", {12, 999, 2}).F("homing", 7).F("speed", 80).F("speed per clone", 3).F("accelerate", 1)
      .F("acceleration", -5).F("acceleration per clone", 2).F("range", 30).F("range limit", 1)
      .F("range per clone", 4).F("stop at range", 1).F("lifetime limit", 1).F("lifetime", 50)
      .F("lifetime per clone", 6).F("block mode", 1).F("option 7", 13).F("option 8", 14).F("option 9", 15)
      .F("vanish value", 9).F("power", 123456).F("option 10", -17).F("impact", -20).F("effect", 9)
      .F("item palette", 2).F("item index", 44).F("option 11", 18).F("option 13", 19).F("option 14", 20)
      .F("summon palette", 1).F("summon index", 55).F("option 12", 21).F("option 15", 22).F("option 16", 23);
}

TEST_F(DefinitionVersions, ShotDefinitionsDeriveWhatOldFilesLack) {
  for (int kind : {5, 8}) {
    for (uint32_t v : palfix::Versions({158, 197, 211, 212, 213, 636, 671})) {
      SCOPED_TRACE("kind " + std::to_string(kind));
      Value expected = StoredShot(kind);
      if (v < 158) expected.F("mirror angle", 0);
      if (v < 197) expected.F("option 14", 19);
      // The derived field of the homing movement types, up to and including 211.
      if (v < 212) expected.F("homing", kind == 5 ? 1 : 0);
      if (v < 213) expected.F("accelerate", 0).F("acceleration", 0).F("acceleration per clone", 0);
      if (v < 636) expected.F("option 8", 13);
      if (v < 671) expected.F("option 1", 0);
      palfix::ExpectUpgrade<cEdShot>(fix::ShotLayout(), v, StoredShot(kind), expected);
    }
  }
  EXPECT_EQ(fix::RecordFile(752, fix::ShotLayout(), StoredShot(0)).size(), 4u + 101);
}

TEST_F(DefinitionVersions, TheShotDefinitionsFileOrderDiffersFromItsMemberOrder) {
  cEdShot s;
  ASSERT_TRUE(palfix::ReadBytes(s, fix::RecordFile(752, fix::ShotLayout(), StoredShot(5))));
  // Written range first, then its limit flag; options 13 and 14 before the summon palette.
  EXPECT_EQ(s.nRange, 30);
  EXPECT_EQ(s.bRange, 1);
  EXPECT_EQ(s.nRangeClone, 4);
  EXPECT_EQ(s.nBlockSummonMode, 18);
  EXPECT_EQ(s.bReverseFacing, 19);
  EXPECT_EQ(s.nOption14, 20);
  EXPECT_EQ(s.nPaletteKind, 1);
  EXPECT_EQ(s.nPaletteIndex, 55);
  EXPECT_EQ(s.nSummonFaction, 21);
  EXPECT_EQ(s.nFormationParam[2], 8);
  EXPECT_EQ(s.nMoveParam[1], 999);
}

TEST_F(DefinitionVersions, ShotValidationFixesSizeAndEffect) {
  Value stored = StoredShot(0).F("size", -2).F("effect", 1000);
  Value expected = StoredShot(0).F("size", 1).F("effect", 0);
  palfix::ExpectUpgrade<cEdShot>(fix::ShotLayout(), 752, stored, expected);
  palfix::ExpectUpgrade<cEdShot>(fix::ShotLayout(), 752, StoredShot(0).F("effect", -1), StoredShot(0).F("effect", 0));
}

Value Condition(int kind, int value) { return Value().F("kind", kind).F("value", value); }

Value StoredBlock(int kind, int graphic) {
  return Value()
      .F("link kind", 0).F("link index", 3).S("name", "B").F("condition mode", 1).F("condition latch", 1)
      .F("graphic number", graphic).F("graphic kind", kind).F("graphic sub-number", 4).F("drawing layer", 1)
      .F("hidden", 1).F("overlay flag", 1).F("overlay cell", 16).F("collision kind", 2).F("pass value", 3)
      .F("floor effect", 4).F("floor effect value", 70000).F("item link kind", 0).F("item link index", 2)
      .F("keep flag", 1).N("column", 12).N("row", -3).Nums("inherit flags", {1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 1})
      .Recs("conditions", {Condition(1, 5), Condition(2, 6)});
}

TEST_F(DefinitionVersions, BlocksOnTheShotSheetMoveUpBefore219) {
  for (uint32_t v : palfix::Versions({219})) {
    palfix::ExpectUpgrade<cEdBlock>(fix::BlockLayout(), v, StoredBlock(3, 50), StoredBlock(3, v < 219 ? 51 : 50));
    palfix::ExpectUpgrade<cEdBlock>(fix::BlockLayout(), v, StoredBlock(3, 119), StoredBlock(3, 119));
    palfix::ExpectUpgrade<cEdBlock>(fix::BlockLayout(), v, StoredBlock(0, 50), StoredBlock(0, 50));
  }
  // A block without a graphic neither collides nor is kept.
  palfix::ExpectUpgrade<cEdBlock>(fix::BlockLayout(), 752, StoredBlock(0, 0),
                                  StoredBlock(0, 0).F("collision kind", 0).F("keep flag", 0));
}

Value StoredItem(int kind, int graphic) {
  const Value wait = Value().F("set", 1).F("type", 3).F("sound on screen only", 1).Nums("parameters", {20});
  return Value()
      .F("link kind", 0).F("link index", 4).S("name", "I").F("condition mode", 1).F("condition latch", 1)
      .F("offset x", -8).F("offset y", 9).F("graphic number", graphic).F("graphic kind", kind)
      .F("graphic sub-number", 2).F("group-5 option", 3).F("hidden", 1).F("overlay flag", 1).F("overlay cell", 7)
      .F("item window", 0).F("take mode", 2).F("size", 4).F("sound", 9).N("column", 5).N("row", 6)
      .Nums("inherit flags", {0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}).Recs("conditions", {Condition(3, 1)})
      .Recs("commands", {wait});
}

TEST_F(DefinitionVersions, ItemsOnTheShotSheetMoveUpBefore219) {
  for (uint32_t v : palfix::Versions({219}))
    palfix::ExpectUpgrade<cEdItem>(fix::ItemLayout(), v, StoredItem(3, 10), StoredItem(3, v < 219 ? 11 : 10));
  // Size 0 and a sound beyond the database are mended.
  palfix::ExpectUpgrade<cEdItem>(fix::ItemLayout(), 752, StoredItem(2, 1).F("size", 0).F("sound", 10),
                                 StoredItem(2, 1).F("size", 1).F("sound", 0));
}

std::vector<double> Flags(std::initializer_list<int> set, int count = 37) {
  std::vector<double> f(static_cast<size_t>(count), 0);
  for (int i : set) f[static_cast<size_t>(i)] = 1;
  return f;
}

Value StoredChara() {
  const Value wait = Value().F("set", 0).F("type", 1).F("sound on screen only", 1);
  const Value flow = Value().F("trigger", 3).Recs("commands", {wait});
  return Value()
      .F("link kind", 0).F("link index", 2).S("name", "C").F("condition mode", 1).F("condition latch", 1)
      .F("facing", 1).F("further copies", 2).F("spawn base x", 10).F("spawn step x", 16).F("spawn base y", -4)
      .F("spawn step y", 8).F("spawn mirror x", 1).F("spawn mirror y", 1).F("graphic number", 50)
      .F("graphic kind", 3).F("graphic sub-number", 5).F("animation set", 9).F("z", 6).F("transparent", 1)
      .F("start effect", 7).F("start effect parameter 1", 3).F("start effect parameter 2", 4).F("death effect", 8)
      .F("death effect parameter", 5).F("mark shown", 1).F("mark", 30).F("operator", 1).F("input player", 0)
      .F("block pass value", 4).F("cid", 12).F("flight", 2).F("fixed facing", 0).F("invincibility", 2)
      .F("invincibility colour", 3).F("full-cell flag", 1).F("giant size", 4).F("auto-scroll sync", 1)
      .F("sight shape", 3).F("sight", 20).F("mhp", 500).F("msp", 60).F("stop", 150).F("box kind", 2)
      .F("power", 70).F("imp", -6).F("body-hit effect", 5).F("def", 40).F("impd", 7).F("getsc", 1000)
      .F("group-35 option", 0).F("group link", 1).F("group number", 11).F("activity range", 3)
      .F("activation mode", 1).N("column", 21).N("row", 13).N("carried item", -1)
      .Nums("inherit flags", Flags({0, 21, 24, 27, 35, 36})).Recs("conditions", {Condition(4, 9)})
      .Recs("flows", {flow});
}

TEST_F(DefinitionVersions, CharactersGetTheirNewGroupsAndFieldsFromEachVersion) {
  for (uint32_t v : palfix::Versions({168, 196, 201, 206, 210, 219, 285})) {
    Value expected = StoredChara();
    if (v < 168) expected.F("def", 0);
    if (v < 196) expected.F("start effect parameter 1", 0).F("death effect parameter", 0);
    if (v < 201) expected.F("box kind", 0);
    if (v >= 201 && v < 206) expected.F("box kind", 3);
    if (v < 210) expected.F("auto-scroll sync", 0);
    if (v < 219) expected.F("graphic number", 51);
    if (v < 285) expected.F("invincibility colour", 1);
    // The new groups of 168 (at 27), 201 (24) and 210 (21), applied in this order.
    if (v < 168) expected.Nums("inherit flags", Flags({0, 21, 22, 25, 26, 29, 30}));
    else if (v < 201) expected.Nums("inherit flags", Flags({0, 21, 22, 25, 26, 29}));
    else if (v < 210) expected.Nums("inherit flags", Flags({0, 21, 22, 25, 28, 36}));
    palfix::ExpectUpgrade<cEdChara>(fix::CharaLayout(), v, StoredChara(), expected);
  }
  EXPECT_EQ(fix::RecordFile(167, fix::CharaLayout(), StoredChara())[4], 47);
}

TEST_F(DefinitionVersions, ShortFlagListsOfOldCharactersAreMadeFull) {
  Value stored = StoredChara().Nums("inherit flags", {1, 1});
  palfix::ExpectUpgrade<cEdChara>(fix::CharaLayout(), 209, stored,
                                  StoredChara().Nums("inherit flags", Flags({0, 1, 21})).F("auto-scroll sync", 0)
                                      .F("graphic number", 51).F("invincibility colour", 1));
  // The current version keeps the count as stored.
  palfix::ExpectUpgrade<cEdChara>(fix::CharaLayout(), 752, stored, stored);
}

TEST_F(DefinitionVersions, CharacterValidation) {
  Value stored = StoredChara()
                     .F("operator", 0).F("graphic kind", 4).F("graphic number", 10).F("giant size", -1)
                     .F("animation set", 10).F("start effect", -1).F("death effect", 10).F("body-hit effect", 10);
  const Value wait = Value().F("set", 0).F("type", 1).F("sound on screen only", 1);
  stored.Recs("flows", {Value().F("trigger", 1), Value().Recs("commands", {wait}), Value().F("ID", 2)});
  Value expected = stored;
  expected.F("further copies", 0).F("full-cell flag", 0).F("graphic number", 1).F("giant size", 1)
      .F("animation set", 0).F("start effect", 0).F("death effect", 0).F("body-hit effect", 0)
      .Recs("flows", {Value().Recs("commands", {wait})});
  palfix::ExpectUpgrade<cEdChara>(fix::CharaLayout(), 752, stored, expected);
}

}  // namespace

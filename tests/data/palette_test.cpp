// The common palette: entry 0 and padding, inheritance of every group of the three
// definition classes, links to later, missing and own entries, old files.
#include <gtest/gtest.h>

#include "data/startup_data.h"
#include "platform/sjis.h"
#include "tests/data/palette_checks.h"
#include "tests/support/temp_dir.h"

namespace {

using palfix::Bytes;
using palfix::Value;
using Values = std::vector<Value>;
using Names = std::vector<std::string>;

Value PaletteOf(Values blocks, Values charas, Values items) {
  return Value().Recs("blocks", std::move(blocks)).Recs("characters", std::move(charas)).Recs("items", std::move(items));
}

std::vector<double> Zeros(int n) { return std::vector<double>(static_cast<size_t>(n), 0); }

// New definitions as they are written (a block without graphic neither collides
// nor is kept).
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

Value Condition(int kind, int value) { return Value().F("kind", kind).F("value", value); }
Value Command(int type, std::vector<double> params) {
  return Value().F("set", 0).F("type", type).F("sound on screen only", 1).Nums("parameters", std::move(params));
}
Value FlowOf(int trigger, Value command) { return Value().F("trigger", trigger).Recs("commands", {std::move(command)}); }

class Palette : public ::testing::Test {
 public:
  void SetUp() override { palfix::SetUpDatabase(); }

  // Reads the palette file of `version`, writes it and compares with the current
  // file of `expected`; the expected file read and written again is unchanged.
  void ExpectPalette(uint32_t version, const Value& stored, const Value& expected) {
    palfix::ExpectUpgrade<cEdPalette>(fix::PaletteLayout(), version, stored, expected);
    const Bytes current = fix::RecordFile(752, fix::PaletteLayout(), expected);
    cEdPalette again;
    ASSERT_TRUE(palfix::ReadBytes(again, current));
    EXPECT_TRUE(palfix::Written(again) == current) << "a current file read and written must not change";
  }
};

TEST_F(Palette, EntryZeroIsFixedAndShortListsArePadded) {
  const Value block0 = Value()
                           .F("graphic number", 5).F("collision kind", 2).S("name", "zero").N("column", 3)
                           .Nums("inherit flags", {1, 1}).Recs("conditions", {Condition(1, 2)});
  const Value chara0 = Value().F("mhp", 99).F("operator", 0).S("name", "z").Recs("flows", {FlowOf(0, Command(1, {}))});
  Value expectedBlock0 = DefaultBlock().N("column", 3).Recs("conditions", {Condition(1, 2)});
  Value expectedChara0 = DefaultChara().Recs("flows", {FlowOf(0, Command(1, {}))});
  ExpectPalette(752, PaletteOf({block0}, {chara0}, {}),
                PaletteOf({expectedBlock0, DefaultBlock()}, {expectedChara0, DefaultChara()}, {DefaultItem(), DefaultItem()}));
}

struct cGroup {
  int group;  // -1: every flag set
  Names fields;
};

// What each inheritance group copies, by the layout names of the fixtures.
const std::vector<cGroup> kBlockGroups = {
    {0, {"name"}}, {1, {"conditions", "condition mode", "condition latch"}},
    {2, {"graphic kind", "graphic number", "graphic sub-number"}}, {3, {"drawing layer"}}, {4, {"hidden"}},
    {5, {"overlay flag", "overlay cell"}}, {6, {"collision kind"}}, {7, {"pass value"}},
    {8, {"floor effect", "floor effect value"}}, {9, {"item link kind", "item link index"}}, {10, {"keep flag"}}};

const std::vector<cGroup> kCharaGroups = {
    {0, {"name"}}, {1, {"operator", "input player"}}, {2, {"block pass value"}}, {3, {"cid"}},
    {4, {"conditions", "condition mode", "condition latch"}}, {5, {"facing"}}, {6, {"further copies"}},
    {7, {"spawn base x", "spawn step x", "spawn mirror x"}}, {8, {"spawn base y", "spawn step y", "spawn mirror y"}},
    {9, {"graphic kind", "graphic number", "graphic sub-number"}}, {10, {"animation set"}}, {11, {"z"}},
    {12, {"transparent"}}, {13, {"start effect", "start effect parameter 1", "start effect parameter 2"}},
    {14, {"death effect", "death effect parameter"}}, {15, {"mark shown", "mark"}}, {16, {"fixed facing"}},
    {17, {"flight"}}, {18, {"invincibility", "invincibility colour"}}, {19, {"full-cell flag"}}, {20, {"giant size"}},
    {21, {"auto-scroll sync"}}, {22, {"sight shape", "sight"}}, {23, {"mhp"}}, {24, {"msp"}}, {25, {"box kind"}},
    {26, {"power"}}, {27, {"imp"}}, {28, {"body-hit effect"}}, {29, {"def"}}, {30, {"impd"}}, {31, {"stop"}},
    {32, {"activity range", "activation mode"}}, {33, {"group number", "group link"}}, {34, {"getsc"}},
    {35, {"group-35 option"}}, {36, {"flows"}}};

const std::vector<cGroup> kItemGroups = {
    {0, {"name"}}, {1, {"conditions", "condition mode", "condition latch"}}, {2, {"offset x"}}, {3, {"offset y"}},
    {4, {"graphic kind", "graphic number", "graphic sub-number"}}, {5, {"group-5 option"}}, {6, {"hidden"}},
    {7, {"overlay flag", "overlay cell"}}, {8, {"size"}}, {9, {"take mode"}}, {10, {"item window"}}, {11, {"sound"}},
    {12, {"commands"}}};

// Source and target definitions: every member differs between the two.
Value SourceBlock() {
  return Value()
      .S("name", "S").Recs("conditions", {Condition(1, 5), Condition(2, 6)}).F("condition mode", 1)
      .F("condition latch", 1).F("graphic kind", 1).F("graphic number", 7).F("graphic sub-number", 2)
      .F("drawing layer", 1).F("hidden", 1).F("overlay flag", 1).F("overlay cell", 20).F("collision kind", 2)
      .F("pass value", 5).F("floor effect", 3).F("floor effect value", 150).F("item link kind", 1)
      .F("item link index", 1).F("keep flag", 1).N("column", 4).N("row", 5).Nums("inherit flags", Zeros(11));
}
Value TargetBlock() {
  return Value()
      .F("link kind", 1).F("link index", 1).S("name", "T").Recs("conditions", {Condition(3, 9)})
      .F("graphic number", 9).F("overlay cell", 4).F("collision kind", 1).F("pass value", 255).F("floor effect", 1)
      .F("floor effect value", 3).N("column", 6).N("row", 7);
}

Value SourceChara() {
  return Value()
      .S("name", "S").Recs("conditions", {Condition(4, 9), Condition(7, 2)}).F("condition mode", 1)
      .F("condition latch", 1).F("facing", 1).F("further copies", 2).F("spawn base x", 10).F("spawn step x", 16)
      .F("spawn base y", -4).F("spawn step y", 8).F("spawn mirror x", 1).F("spawn mirror y", 1)
      .F("graphic number", 50).F("graphic kind", 2).F("graphic sub-number", 5).F("animation set", 9).F("z", 6)
      .F("transparent", 1).F("start effect", 7).F("start effect parameter 1", 3).F("start effect parameter 2", 4)
      .F("death effect", 8).F("death effect parameter", 5).F("mark shown", 1).F("mark", 30).F("operator", 2)
      .F("input player", 3).F("block pass value", 4).F("cid", 12).F("flight", 2).F("fixed facing", 0)
      .F("invincibility", 2).F("invincibility colour", 3).F("full-cell flag", 1).F("giant size", 4)
      .F("auto-scroll sync", 1).F("sight shape", 3).F("sight", 20).F("mhp", 500).F("msp", 60).F("stop", 150)
      .F("box kind", 2).F("power", 70).F("imp", -6).F("body-hit effect", 5).F("def", 40).F("impd", 7)
      .F("getsc", 1000).F("group-35 option", 0).F("group link", 1).F("group number", 11).F("activity range", 3)
      .F("activation mode", 1).N("column", 21).N("row", 13).N("carried item", -1).Nums("inherit flags", Zeros(37))
      .Recs("flows", {FlowOf(3, Command(9, {1})), FlowOf(4, Command(18, {2}))});
}
Value TargetChara() {
  return Value()
      .F("link kind", 1).F("link index", 1).S("name", "T").Recs("conditions", {Condition(1, 1)})
      .F("further copies", 1).F("spawn base x", 1).F("spawn step x", 2).F("spawn base y", 3).F("spawn step y", 4)
      .F("graphic number", 60).F("graphic kind", 1).F("graphic sub-number", 1).F("animation set", 2).F("z", 2)
      .F("start effect", 1).F("start effect parameter 1", 1).F("start effect parameter 2", 2).F("death effect", 2)
      .F("death effect parameter", 1).F("mark", 3).F("operator", 1).F("input player", 0).F("block pass value", 1)
      .F("cid", 2).F("flight", 1).F("fixed facing", 1).F("invincibility", 1).F("invincibility colour", 1)
      .F("giant size", 2).F("sight shape", 1).F("sight", 2).F("mhp", 10).F("msp", 5).F("stop", 10).F("box kind", 1)
      .F("power", 1).F("imp", 1).F("body-hit effect", 1).F("def", 1).F("impd", 1).F("getsc", 1)
      .F("group-35 option", 1).F("group number", 1).F("activity range", 1).N("column", 1).N("row", 2)
      .N("carried item", 3).Recs("flows", {FlowOf(0, Command(1, {}))});
}

Value SourceItem() {
  return Value()
      .S("name", "S").Recs("conditions", {Condition(2, 3)}).F("condition mode", 1).F("condition latch", 1)
      .F("offset x", -8).F("offset y", 9).F("graphic number", 12).F("graphic kind", 1).F("graphic sub-number", 2)
      .F("group-5 option", 3).F("hidden", 1).F("overlay flag", 1).F("overlay cell", 7).F("item window", 0)
      .F("take mode", 2).F("size", 4).F("sound", 9).N("column", 5).N("row", 6).Nums("inherit flags", Zeros(13))
      .Recs("commands", {Command(22, Zeros(18)), Command(35, {3})});
}
Value TargetItem() {
  return Value()
      .F("link kind", 1).F("link index", 1).S("name", "T").F("offset x", 1).F("offset y", 2).F("graphic number", 3)
      .F("graphic kind", 2).F("group-5 option", 6).F("overlay cell", 1).F("item window", 1).F("take mode", 1)
      .F("size", 1).F("sound", 2).N("column", 1).Recs("commands", {Command(1, {})});
}

// The palette with the source at entry 1 and the target, flagged for group g, at
// entry 2; after reading, the target holds the group's fields of the source and
// every flag is cleared.
void ExpectGroups(Palette& test, const std::vector<cGroup>& groups, int flagCount, const char* list,
                  const Value& source, const Value& target, const Value& fresh) {
  std::vector<cGroup> cases = groups;
  Names all;
  for (const cGroup& g : groups) all.insert(all.end(), g.fields.begin(), g.fields.end());
  cases.push_back({-1, all});
  for (const cGroup& g : cases) {
    SCOPED_TRACE(std::string(list) + " group " + std::to_string(g.group));
    std::vector<double> flags = Zeros(flagCount);
    if (g.group < 0) flags.assign(static_cast<size_t>(flagCount), 1);
    else flags[static_cast<size_t>(g.group)] = 1;
    Value linked = target;
    linked.Nums("inherit flags", flags);
    Value expected = target;
    palfix::Take(expected, source, g.fields);
    expected.Nums("inherit flags", Zeros(flagCount));
    Value stored = PaletteOf({}, {}, {});
    Value want = PaletteOf({DefaultBlock(), DefaultBlock()}, {DefaultChara(), DefaultChara()},
                         {DefaultItem(), DefaultItem()});
    stored.lists[list].recs = {Value(), source, linked};
    want.lists[list].recs = {fresh, source, expected};
    test.ExpectPalette(752, stored, want);
  }
}

TEST_F(Palette, EachInheritGroupCopiesExactlyItsFields) {
  ExpectGroups(*this, kBlockGroups, 11, "blocks", SourceBlock(), TargetBlock(), DefaultBlock());
  ExpectGroups(*this, kCharaGroups, 37, "characters", SourceChara(), TargetChara(), DefaultChara());
  ExpectGroups(*this, kItemGroups, 13, "items", SourceItem(), TargetItem(), DefaultItem());
}

TEST_F(Palette, ALinkToALaterEntryTakesItsDefaultsAndFlagsAreClearedAfterReading) {
  Value early = TargetChara().F("link index", 2).F("animation set", 3).Nums("inherit flags", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1});
  const Value later = SourceChara().F("animation set", 5);
  cEdPalette p;
  ASSERT_TRUE(palfix::ReadBytes(p, fix::RecordFile(752, fix::PaletteLayout(), PaletteOf({}, {Value(), early, later}, {}))));
  EXPECT_EQ(p.Charas[1].nAnimeSet, 0);
  EXPECT_EQ(p.Charas[1].nLinkKind, 1);
  EXPECT_EQ(p.Charas[1].nLinkIndex, 2);
  EXPECT_EQ(p.Charas[1].InheritFlags, cVector<uint8_t>(11));
  EXPECT_EQ(p.Charas[2].nAnimeSet, 5);
}

TEST_F(Palette, LinksToMissingOwnOrStageEntriesInheritNothing) {
  std::vector<double> all(11, 1);
  const Value missing = TargetBlock().F("link index", 20).Nums("inherit flags", all);
  const Value negative = TargetBlock().F("link index", -1).Nums("inherit flags", all);
  const Value own = TargetBlock().F("link index", 3).Nums("inherit flags", all);
  const Value stage = TargetBlock().F("link kind", 2).F("link index", 1).Nums("inherit flags", all);
  const Value indexZero = TargetBlock().F("link index", 0).Nums("inherit flags", all);
  cEdPalette p;
  ASSERT_TRUE(palfix::ReadBytes(p, fix::RecordFile(752, fix::PaletteLayout(),
                                                   PaletteOf({Value(), SourceBlock(), missing, own, stage, negative, indexZero}, {}, {}))));
  for (int i : {2, 4, 5}) {
    SCOPED_TRACE(i);
    EXPECT_EQ(p.Blocks[i].nLinkKind, 0);
    EXPECT_EQ(p.Blocks[i].strName, "T");
  }
  EXPECT_EQ(p.Blocks[2].nLinkIndex, 20);  // the kind says there is no link
  EXPECT_EQ(p.Blocks[3].nLinkKind, 1);
  EXPECT_EQ(p.Blocks[3].strName, "T");
  EXPECT_EQ(p.Blocks[6].strName, "T");
  EXPECT_EQ(p.Blocks[6].nLinkKind, 1);
}

TEST_F(Palette, StageAndCommonLinksOutsideThePaletteResolveAgainstTheirPalettes) {
  cTempDir dir;
  dir.Write("data/CommonPalette.cplt4", fix::RecordFile(752, fix::PaletteLayout(), PaletteOf({}, {Value(), SourceChara()}, {})));
  ASSERT_TRUE(LoadCommonPaletteStep());
  std::vector<double> flags(37, 0);
  flags[23] = 1;
  cEdChara fromCommon;
  ASSERT_TRUE(palfix::ReadBytes(fromCommon, fix::RecordFile(752, fix::CharaLayout(), TargetChara().Nums("inherit flags", flags))));
  EXPECT_EQ(fromCommon.mhp, 500);
  EXPECT_EQ(fromCommon.InheritFlags[23], 1);  // only the palette clears its flags

  cVector<cEdChara> stageCharas(3);
  stageCharas[1].mhp = 77;
  SetStagePalette({nullptr, &stageCharas, nullptr});
  cEdChara fromStage;
  ASSERT_TRUE(palfix::ReadBytes(fromStage, fix::RecordFile(752, fix::CharaLayout(),
                                                           TargetChara().F("link kind", 2).Nums("inherit flags", flags))));
  EXPECT_EQ(fromStage.mhp, 77);
  SetStagePalette({});
}

TEST_F(Palette, InheritedListsAreDeepCopies) {
  Value source = SourceItem();
  source.lists["commands"].recs[0].Rec("shot", Value().F("size", 1).F("graphic", 4));
  std::vector<double> flags(13, 0);
  flags[12] = 1;
  cEdPalette p;
  ASSERT_TRUE(palfix::ReadBytes(p, fix::RecordFile(752, fix::PaletteLayout(),
                                                   PaletteOf({}, {}, {Value(), source, TargetItem().Nums("inherit flags", flags)}))));
  ASSERT_EQ(p.Items[2].Commands.Count(), 2);
  ASSERT_TRUE(p.Items[2].Commands[0].pShot);
  EXPECT_NE(p.Items[2].Commands[0].pShot.get(), p.Items[1].Commands[0].pShot.get());
  p.Items[1].Commands[0].pShot->nGraphic = 99;
  EXPECT_EQ(p.Items[2].Commands[0].pShot->nGraphic, 4);
}

TEST_F(Palette, AnOldPaletteReadsAsTheCurrentFileOfItsUpgradedValues) {
  const Value block = SourceBlock().F("graphic kind", 3).F("graphic number", 50);
  const Value chara = SourceChara().F("graphic kind", 3).F("graphic number", 60).F("box kind", 1);
  const Value item = SourceItem().F("graphic kind", 3).F("graphic number", 10);
  const Value stored = PaletteOf({Value(), block}, {Value(), chara}, {Value(), item});
  // Besides the definitions' own steps: the distance condition gets its right
  // side, the play-sound command of those files is today's play music.
  const Value expected =
      PaletteOf({DefaultBlock(), SourceBlock().F("graphic kind", 3).F("graphic number", 51)},
                {DefaultChara(), SourceChara().F("graphic kind", 3).F("graphic number", 61).F("box kind", 1)
                                     .F("invincibility colour", 1)
                                     .Recs("conditions", {Condition(4, 9), Condition(7, 2).F("right side", 1).F("right subject", 1)})},
                {DefaultItem(), SourceItem().F("graphic kind", 3).F("graphic number", 11)
                                    .Recs("commands", {Command(22, Zeros(18)), Command(36, {3, 0})})});
  ExpectPalette(218, stored, expected);
  ExpectPalette(1000, expected, expected);
}

TEST_F(Palette, TheStartUpStepReportsAMissingOrDamagedFileAndKeepsThePalette) {
  cTempDir dir;
  CommonPalette.Blocks.resize(5);
  EXPECT_FALSE(LoadCommonPaletteStep());
  EXPECT_TRUE(dir.ReportContains(plat::Utf8ToSjis("data\\CommonPalette.cplt4 のロードに失敗！")));
  Bytes good = fix::RecordFile(752, fix::PaletteLayout(), PaletteOf({Value(), SourceBlock()}, {}, {}));
  dir.Write("data/CommonPalette.cplt4", Bytes(good.begin(), good.end() - 1));
  EXPECT_FALSE(LoadCommonPaletteStep());
  EXPECT_TRUE(dir.ReportContains("data\\CommonPalette.cplt4 : offset "));
  EXPECT_EQ(CommonPalette.Blocks.Count(), 5);
  dir.Write("data/CommonPalette.cplt4", good);
  EXPECT_TRUE(LoadCommonPaletteStep());
  ASSERT_EQ(CommonPalette.Blocks.Count(), 2);
  EXPECT_EQ(CommonPalette.Blocks[1].strName, "S");
  EXPECT_EQ(CommonPalette.Charas.Count(), 2);
}

}  // namespace

// korvane-data on "data\CommonPalette.cplt4", and the demo project's palette.
#include <gtest/gtest.h>

#include "data/startup_data.h"
#include "tests/data/palette_checks.h"
#include "tests/support/database_layout.h"
#include "tests/support/run_game.h"
#include "tests/support/temp_dir.h"

namespace {

using fix::Sj;
using palfix::Value;

Value Command(int type, std::vector<double> params) {
  return Value().F("set", 0).F("type", type).F("sound on screen only", 1).Nums("parameters", std::move(params));
}

// A character that inherits its mhp from character 1, a flow with a distance
// condition, a message and a shot with its definition, an item with a sound.
Value StoredPalette(int trigger) {
  std::vector<double> flags(37, 0);
  flags[23] = 1;
  const Value shot = Value().F("pattern", 3).F("size", 1).F("kind", 8).F("graphic", 5);
  const Value flow = Value()
                         .F("trigger", trigger)
                         .Recs("conditions", {Value().F("kind", 7).F("value", 4)})
                         .Recs("commands", {Command(19, std::vector<double>(18, 2)), Command(11, {}).Rec("shot", shot)});
  const Value linked = Value().S("name", Sj("勇者")).F("link kind", 1).F("link index", 1).F("mhp", 3).F("giant size", 1)
                           .Nums("inherit flags", flags).Recs("flows", {flow});
  const Value source = Value().S("name", "src").F("mhp", 40).F("msp", 7).F("giant size", 1).Nums("inherit flags", std::vector<double>(37, 0));
  return Value()
      .Recs("blocks", {Value(), Value().S("name", "floor").F("graphic number", 1).F("collision kind", 1)})
      .Recs("characters", {Value(), source, linked})
      .Recs("items", {Value(), Value().F("sound", 9).F("size", 1).F("graphic kind", 2)});
}

TEST(PaletteTool, DumpsDefinitionsWithInheritedValuesAndLabels) {
  cTempDir dir;
  dir.Write("data/CommonPalette.cplt4", fix::RecordFile(752, fix::PaletteLayout(), StoredPalette(7)));
  cProcessResult r = RunProgram("korvane-data", {"dump", "data/CommonPalette.cplt4"}, dir.Path());
  ASSERT_EQ(r.exitCode, 0) << r.output;
  for (const char* line : {"kind = CommonPalette.cplt4", "Charas: 3 entries", "strName = \"勇者\"", "mhp = 40",
                           "triggerLabel = \"ショットに当たった時\"", "kindLabel = \"距離条件\"",
                           "typeLabel = \"メッセージ\"", "Values = [2, 2, 2", "typeLabel = \"ショット\"",
                           "pShot cEdShot", "formationLabel = \"落雷\"", "moveTypeLabel = \"ウェーブ\"",
                           "pMove = none", "InheritFlags = [0, 0, 0"})
    EXPECT_NE(r.output.find(line), std::string::npos) << line;
  // No database beside the palette: the item's sound is checked against the defaults.
  EXPECT_EQ(r.output.find("nSound = 9"), std::string::npos);
  EXPECT_NE(r.output.find("note: 10 files of data/database\\ are not readable"), std::string::npos) << r.output;
}

TEST(PaletteTool, UpgradesAnOldPaletteToTheCurrentFileOfItsExpectedValues) {
  cTempDir dir;
  dir.Write("data/database/Sound.dat", fix::ListFile(752, fix::FileEntryLayout(), std::vector<Value>(10)));
  // Version 163: triggers 5 and up move up by two, the distance condition gets its
  // right side, the flags of 168, 201 and 210 are inserted.
  dir.Write("data/CommonPalette.cplt4", fix::RecordFile(163, fix::PaletteLayout(), StoredPalette(5)));
  cProcessResult r = RunProgram("korvane-data", {"upgrade", "data/CommonPalette.cplt4", "data/new.cplt4"}, dir.Path());
  ASSERT_EQ(r.exitCode, 0) << r.output;

  Value expected = StoredPalette(7);
  expected.lists["blocks"].recs[0] = Value().F("pass value", 255).Nums("inherit flags", std::vector<double>(11, 0));
  expected.lists["characters"].recs[0] =
      Value().F("operator", 1).F("block pass value", 1).F("z", 3).F("start effect parameter 2", 1).F("mhp", 10)
          .F("graphic kind", 1).F("giant size", 1).F("stop", 10).F("fixed facing", 1).F("group-35 option", 1)
          .Nums("inherit flags", std::vector<double>(37, 0));
  expected.lists["items"].recs[0] = Value().F("graphic kind", 2).F("item window", 1).F("size", 1)
                                        .F("group-5 option", 6).Nums("inherit flags", std::vector<double>(13, 0));
  for (Value& c : expected.lists["characters"].recs) c.F("invincibility colour", 1);
  expected.lists["characters"].recs[0].F("invincibility colour", 0);
  // Flag 23 of version 163 is flag 24 today (msp): the linked character keeps its
  // own mhp and takes the source's msp; the flags are cleared after reading.
  Value& linked = expected.lists["characters"].recs[2];
  linked.F("msp", 7).Nums("inherit flags", std::vector<double>(37, 0));
  Value& flow = linked.lists["flows"].recs[0];
  flow.lists["conditions"].recs[0].F("right side", 1).F("right subject", 1);
  flow.lists["commands"].recs[0].Nums("parameters", {2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 0, 0, 0, 0, 1, 0, 1, 0});
  flow.lists["commands"].recs[1].lists["shot"].recs[0].F("graphic", 6);
  const auto want = fix::RecordFile(752, fix::PaletteLayout(), expected);
  if (dir.Read("data/new.cplt4") != want) {
    dir.Write("data/want.cplt4", want);
    ADD_FAILURE() << DumpDifference(RunProgram("korvane-data", {"dump", "data/new.cplt4"}, dir.Path()).output,
                                    RunProgram("korvane-data", {"dump", "data/want.cplt4"}, dir.Path()).output);
  }

  // The current file upgrades to itself.
  r = RunProgram("korvane-data", {"upgrade", "data/new.cplt4", "data/again.cplt4"}, dir.Path());
  ASSERT_EQ(r.exitCode, 0) << r.output;
  EXPECT_TRUE(dir.Read("data/again.cplt4") == dir.Read("data/new.cplt4"));
}

TEST(PaletteTool, ADamagedPaletteGivesTheGamesMessage) {
  cTempDir dir;
  auto bytes = fix::RecordFile(752, fix::PaletteLayout(), StoredPalette(0));
  bytes.resize(bytes.size() - 2);
  dir.Write("CommonPalette.cplt4", bytes);
  cProcessResult r = RunProgram("korvane-data", {"dump", "CommonPalette.cplt4"}, dir.Path());
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.output.find("CommonPalette.cplt4 のロードに失敗！"), std::string::npos) << r.output;
  EXPECT_NE(r.output.find(": offset "), std::string::npos) << r.output;
}

// The demo's palette: the cast of its stages, each driven by its own flows.
TEST(PaletteTool, TheDemoProjectHasItsPlayerEnemiesPlatformsAndItems) {
  cTempDir dir;
  cProcessResult r = RunProgram("korvane-mkdemo", {"demo"}, dir.Path());
  ASSERT_EQ(r.exitCode, 0) << r.output;
  ASSERT_EQ(CommonPalette.Load("demo\\data\\CommonPalette.cplt4"), 1);
  ASSERT_EQ(CommonPalette.Blocks.Count(), 4);
  EXPECT_EQ(CommonPalette.Blocks[1].nHitKind, 1);
  EXPECT_NE(CommonPalette.Blocks[1].nGraphic, 0);
  ASSERT_EQ(CommonPalette.Charas.Count(), 9);
  // The player: run left, run right, jump and shoot, each on its keys.
  const cEdChara& player = CommonPalette.Charas[1];
  EXPECT_EQ(player.nOperator, 0);
  EXPECT_NE(player.nGraphic, 0);
  ASSERT_EQ(player.Flows.Count(), 4);
  const int playerTypes[] = {2, 2, 10, 11};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(player.Flows[static_cast<size_t>(i)].KeyConditions.Count(), 1);
    EXPECT_EQ(player.Flows[static_cast<size_t>(i)].Commands[0].nType, playerTypes[i]);
  }
  // The enemies are computer-driven and on another side than the player.
  struct Cast {
    int index;
    int firstType;  // the first command of the first flow
  } cast[] = {{2, 3}, {3, 2}, {4, 21}, {5, 3}};
  for (const Cast& c : cast) {
    SCOPED_TRACE(c.index);
    const cEdChara& e = CommonPalette.Charas[static_cast<size_t>(c.index)];
    EXPECT_EQ(e.nOperator, 1);
    EXPECT_NE(e.nPassValue, player.nPassValue);
    ASSERT_GE(e.Flows.Count(), 1);
    EXPECT_EQ(e.Flows[0].Commands[0].nType, c.firstType);
  }
  EXPECT_EQ(CommonPalette.Charas[3].nFlight, 1);  // the flyer
  EXPECT_EQ(CommonPalette.Charas[6].bFullCell, 1);  // the moving platform is a block to others
  // The goal flag clears the stage once the player is near.
  const cEdChara& goal = CommonPalette.Charas[8];
  ASSERT_EQ(goal.Flows.Count(), 1);
  EXPECT_EQ(goal.Flows[0].Conditions.Count(), 1);
  EXPECT_EQ(goal.Flows[0].Commands[0].nType, 17);
  ASSERT_EQ(CommonPalette.Items.Count(), 3);
  EXPECT_EQ(CommonPalette.Items[1].nGraphicKind, 2);
}

}  // namespace

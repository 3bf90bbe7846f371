// Stage files of every data version: each file read and written again equals the
// current file of the expected values, byte for byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "data/stage.h"
#include "tests/data/stage_fixtures.h"

namespace {

using fix::Value;
using namespace stagefix;

class StageVersions : public ::testing::Test {
 protected:
  void SetUp() override { palfix::SetUpDatabase(); }
};

// Every setting a distinct number; the derived fields hold nonsense that reading
// replaces. Hit level 15: 5 logic steps, 60 dots a frame, 12 a step.
Value StoredSettings() {
  Value v;
  int k = 0;
  for (const fix::Field& f : fix::StageLayout().fields) v.F(f.name, 1000 + k++);
  return v.F("width", 60).F("height", 40).F("limit left", 30).F("limit right", 50).F("limit top", 20)
      .F("limit bottom", 35).F("gravity", 0.5).F("hit level", 15).F("music", 3).F("steps real", -1.0)
      .F("steps squared", 7.0).F("speed limit", 8.0).F("gravity per step", 9.0).F("speed limit per step", 1.5);
}

Value DerivedFor15(Value v) {
  return v.F("steps", 5).F("steps real", 5.0).F("steps squared", 25.0).F("speed limit", 60.0)
      .F("gravity per step", 0.5 / 25.0).F("speed limit per step", 12.0).F("steps x8", 40);
}

Value Range(int base) {
  return Value().F("left switch", base).F("right switch", base + 1).F("top switch", base + 2)
      .F("bottom switch", base + 3).F("left margin", base + 4).F("right margin", base + 5)
      .F("top margin", base + 6).F("bottom margin", base + 7);
}

Value StoredLayer() {
  return Value().F("shown", 0).F("fill", 1).F("fill colour", 200).F("depth group", 3).F("horizontal factor", 0.25)
      .F("vertical factor", 0.75).F("horizontal auto", 1).F("vertical auto", 1).F("horizontal offset", 5.5)
      .F("vertical offset", 6.5).S("picture", "back.bmp");
}

const std::string kNames[] = {"chara range", "full-cell chara range", "item range", "player shot range",
                              "other shot range"};

Value Stored() {
  Value v = StoredSettings().S("name", "stage");
  v.Nums("ranking genres", {1, 0, 1, 1, 1});
  for (int i = 0; i < 5; ++i) v.Rec(kNames[i], Range(10 * i + 1));
  v.Recs("palette blocks", {DefaultBlock().S("name", "zero").F("graphic number", 4), DefaultBlock().S("name", "B")})
      .Recs("palette characters", {DefaultChara().F("mhp", 99), DefaultChara().F("mhp", 77)})
      .Recs("palette items", {DefaultItem().F("size", 3), DefaultItem().S("name", "I")})
      .Recs("placed blocks", {DefaultBlock().F("graphic number", 1).F("collision kind", 1).N("column", 3).N("row", 4)})
      .Nums("placed blocks", {7})
      .Recs("placed characters", {Enemy(1, 2), Player(5, 6)})
      .Nums("placed characters", {9, 11})
      .Recs("placed items", {DefaultItem().F("graphic number", 1).N("column", 7).N("row", 8)})
      .Recs("layers", {StoredLayer()})
      .Recs("text items", {Value().S("text", "memo"), Value()})
      .N("trailer", kStageTrailer);
  return v;
}

// What a file of version v reads as, written in the current version.
Value Expected(uint32_t v) {
  Value e = DerivedFor15(Stored());
  // Fresh ranges: nothing switched on, both shot ranges on all four sides.
  const int freshSwitch[5] = {0, 0, 0, 1, 1};
  if (v < 125)
    for (int i = 0; i < 5; ++i)
      e.lists[kNames[i]].recs[0].F("right switch", freshSwitch[i]).F("top switch", freshSwitch[i])
          .F("bottom switch", freshSwitch[i]);
  if (v < 155)
    e.F("player hit w2", e.fields["player hit w1"]).F("player hit h2", e.fields["player hit h1"])
        .F("chara hit w2", e.fields["chara hit w1"]).F("chara hit h2", e.fields["chara hit h1"])
        .F("player hit align1", 0).F("player hit align2", 0).F("chara hit align1", 0).F("chara hit align2", 0);
  if (v < 166) e.F("music loops", 1);
  if (v < 181) e.Nums("ranking genres", {1, 0, 1, 0, 0});
  if (v < 183) e.F("status shown", 1);
  if (v < 184) e.F("skip tally", 0);
  if (v < 199) e.F("keep music", 0);
  if (v < 200)
    e.F("player body w1", 16).F("player body h1", 24).F("player body w2", 16).F("player body h2", 16)
        .F("player body align1", 1).F("player body align2", 0).F("show player body", 0).F("colour player body", 5)
        .F("chara body w1", 16).F("chara body h1", 30).F("chara body w2", 16).F("chara body h2", 30)
        .F("chara body align1", 1).F("chara body align2", 1);
  if (v < 225) e.F("start banner 2", 0);
  // Entry 0 of each palette list is the fixed default; placement words become 0.
  e.Recs("palette blocks", {DefaultBlock(), DefaultBlock().S("name", "B")})
      .Recs("palette characters", {DefaultChara(), ExpectedChara(v, DefaultChara().F("mhp", 77))})
      .Recs("palette items", {DefaultItem(), DefaultItem().S("name", "I")})
      .Nums("placed blocks", {}).Nums("placed characters", {})
      .Recs("placed characters", {ExpectedChara(v, Enemy(1, 2)), ExpectedChara(v, Player(5, 6))});
  Value layer = StoredLayer();
  if (v < 62) layer.F("shown", 1).F("horizontal offset", 0).F("vertical offset", 0);
  if (v < 61) layer.F("horizontal factor", 0.1).F("vertical factor", 0.1).F("horizontal auto", 0).F("vertical auto", 0);
  e.Recs("layers", {layer});
  return e;
}

TEST_F(StageVersions, EveryGateAndUpgradeBoundReadsAndWritesTheCurrentFile) {
  for (uint32_t v : palfix::Versions({61, 62, 125, 155, 166, 173, 174, 181, 183, 184, 199, 200, 225}))
    palfix::ExpectUpgrade<cEdStage>(fix::StageLayout(), v, Stored(), Expected(v));
}

TEST_F(StageVersions, TheLayoutHoldsNinetyEightFieldsAndEndsWithTheTrailer) {
  const Bytes current = StageFile(752, Stored());
  EXPECT_EQ(current[4], 98);  // the field count
  const size_t n = current.size();
  EXPECT_EQ(current[n - 4] | current[n - 3] << 8 | current[n - 2] << 16 | current[n - 1] << 24, 123456789);
  // 172 writes no trailer: the file is 4 bytes shorter than the same stage at 173.
  EXPECT_EQ(StageFile(173, Stored()).size(), StageFile(172, Stored()).size() + 4);
  cEdStage s;
  ASSERT_TRUE(palfix::ReadBytes(s, current));
  s.RegisterFields(752);
  EXPECT_EQ(s.Fields().Count(), 98);
}

// The read-and-validate rules, each on the small current stage.
TEST_F(StageVersions, ValidationLimitsScrollMusicAndPadsThePalette) {
  struct Case {
    const char* what;
    Value stored;
    Value expected;
  };
  Database.BgmList.resize(5);
  const Value base = SmallStage();
  const Case cases[] = {
      {"left limit beyond width - 20", Value(base).F("width", 40).F("limit left", 30).F("limit right", 45)
                                                  .F("height", 15).F("limit top", 3).F("limit bottom", 20),
       Value(base).F("width", 40).F("limit left", 20).F("limit right", 39).F("height", 15).F("limit top", 0)
           .F("limit bottom", 14)},
      {"size at the bottom of the int range", Value(base).F("width", INT32_MIN).F("height", INT32_MIN + 3),
       Value(base).F("width", INT32_MIN).F("limit left", INT32_MIN).F("limit right", INT32_MIN)
           .F("height", INT32_MIN + 3).F("limit top", INT32_MIN).F("limit bottom", INT32_MIN + 2)},
      {"unknown music", Value(base).F("music", 7), Value(base).F("music", 0)},
      {"known music", Value(base).F("music", 4), Value(base).F("music", 4)},
      {"one palette entry", Value(base).Recs("palette blocks", {DefaultBlock()}).Recs("palette items", {}),
       base},
      {"hit level 4", Value(base).F("hit level", 4),
       Value(base).F("hit level", 4).F("steps", 4).F("steps real", 4.0).F("steps squared", 16.0)
           .F("speed limit", 24.0).F("gravity per step", 0.4 / 16).F("speed limit per step", 6.0).F("steps x8", 32)},
      // A level outside 1 to 19 is kept as stored; the steps come from the nearest level.
      {"hit level 0", Value(base).F("hit level", 0),
       Value(base).F("hit level", 0).F("steps", 1).F("steps real", 1.0).F("steps squared", 1.0)
           .F("speed limit", 6.0).F("gravity per step", 0.4).F("speed limit per step", 6.0).F("steps x8", 8)},
      {"hit level 25", Value(base).F("hit level", 25),
       Value(base).F("hit level", 25).F("steps", 9).F("steps real", 9.0).F("steps squared", 81.0)
           .F("speed limit", 60.0).F("gravity per step", 0.4 / 81).F("speed limit per step", 60.0 / 9)
           .F("steps x8", 72)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    palfix::ExpectUpgrade<cEdStage>(fix::StageLayout(), 752, c.stored, c.expected);
  }
  cEdStage s;
  s.SetHitLevel(15);
  EXPECT_EQ(s.nSteps, 5);
  EXPECT_EQ(s.nSteps6, 30);
  EXPECT_DOUBLE_EQ(s.dSpeedLimit, 60.0);
  EXPECT_DOUBLE_EQ(s.dSpeedLimitPerStep, 12.0);
}

TEST_F(StageVersions, APlacedCharacterInheritsFromTheStagePaletteBeingRead) {
  // Palette character 1 holds mhp 77; the enemy links to it with the mhp group (23).
  std::vector<double> flags = Zeros(37);
  flags[23] = 1;
  Value stage = SmallStage()
                    .Recs("palette characters", {DefaultChara(), DefaultChara().F("mhp", 77)})
                    .Recs("placed characters", {Enemy(8, 11).F("link kind", 2).F("link index", 1).Nums("inherit flags", flags),
                                                Player(2, 11)});
  cEdStage s;
  ASSERT_TRUE(palfix::ReadBytes(s, StageFile(752, stage)));
  EXPECT_EQ(s.Charas[0].mhp, 77);
  EXPECT_EQ(s.FindPlayer(), 1);
  // A link beyond the stage palette inherits nothing and becomes no link.
  Value beyond = SmallStage().Recs("placed characters", {Enemy(8, 11).F("link kind", 2).F("link index", 5), Player(2, 11)});
  ASSERT_TRUE(palfix::ReadBytes(s, StageFile(752, beyond)));
  EXPECT_EQ(s.Charas[0].nLinkKind, 0);
  EXPECT_EQ(s.Charas[0].mhp, 3);
}

TEST_F(StageVersions, FreshStageDefaults) {
  cEdStage fresh;
  EXPECT_EQ(fresh.nFrameRate, 60);
  EXPECT_EQ(fresh.nHitLevel, 10);
  EXPECT_EQ(fresh.nSteps, 0);  // derived only by SetHitLevel
  ASSERT_EQ(fresh.Layers.Count(), 1);
  EXPECT_EQ(fresh.Layers[0].bFill, 1);
  EXPECT_EQ(fresh.Layers[0].bShown, 1);
  EXPECT_EQ(fresh.RankGenres, cVector<int32_t>({1, 1, 1, 1, 1}));
  EXPECT_EQ(fresh.PaletteBlocks.Count(), 1);
  EXPECT_EQ(fresh.PaletteCharas.Count(), 1);
  EXPECT_EQ(fresh.PaletteItems.Count(), 1);
  EXPECT_EQ(fresh.Ranges[cEdStage::kRangeOtherShot].nBottom, 10);
  EXPECT_EQ(fresh.Ranges[cEdStage::kRangePlayerShot].bTop, 1);
  EXPECT_FALSE(fresh.Ranges[cEdStage::kRangeChara].AnySwitch());
  EXPECT_EQ(fresh.FindPlayer(), -1);
  // A record built under another data version gets the same defaults.
  const uint32_t saved = nDataVersion;
  nDataVersion = 100;
  cEdStage early;
  nDataVersion = saved;
  EXPECT_EQ(DumpText(early), DumpText(fresh));
}

TEST_F(StageVersions, TheReplayBodyTakesTheSettingsOfTheSecondRecord) {
  cEdStage stage, settings;
  ASSERT_TRUE(palfix::ReadBytes(stage, StageFile(752, SmallStage().F("width", 80).F("limit right", 70))));
  ASSERT_TRUE(palfix::ReadBytes(settings, StageFile(752, SmallStage().S("name", "settings"))));
  settings.Layers.resize(3);
  settings.RankGenres[2] = 0;
  DataFilePtr f = cDataFile::ForWriting("memory");
  ASSERT_TRUE(stage.WriteForReplay(*f, settings));
  cEdStage back;
  ASSERT_TRUE(palfix::ReadBytes(back, f->Bytes()));
  EXPECT_EQ(back.strName, "settings");
  EXPECT_EQ(back.nWidth, 60);
  EXPECT_EQ(back.Layers.Count(), 3);
  EXPECT_EQ(back.RankGenres[2], 0);
  EXPECT_EQ(back.Blocks.Count(), 2);
  EXPECT_EQ(back.FindPlayer(), 1);
}

}  // namespace

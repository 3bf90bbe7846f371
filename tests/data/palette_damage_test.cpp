// Damaged palettes are refused with the file's name and offset, never read into
// the wrong members, never read out of bounds; deep nesting is refused.
#include <gtest/gtest.h>

#include "data/startup_data.h"
#include "tests/data/palette_checks.h"
#include "tests/support/temp_dir.h"

namespace {

using palfix::Bytes;
using palfix::Value;

Value Command(int type) { return Value().F("set", 0).F("type", type).F("sound on screen only", 1); }

// A palette with something of every kind: conditions, key conditions, flows,
// commands with both definitions, nested flows, strings.
Bytes RichPalette() {
  const Value shot = Value().F("size", 1).F("count", 2);
  const Value move = Value().F("speed", 20).F("reverse factor", 1.0);
  const Value nested = Value().Recs("commands", {Command(1)});
  const Value shoot = Command(11).Rec("shot", shot).Rec("movement", move).S("text", "hello").Recs("flows", {nested});
  const Value flow = Value()
                         .S("name", "f")
                         .Recs("conditions", {Value().F("kind", 7).F("value", 3)})
                         .Recs("key conditions", {Value().Nums("key states", {1, 0, 2})})
                         .Recs("commands", {shoot, Command(19).Nums("parameters", std::vector<double>(18, 1))});
  const Value chara = Value().S("name", "c").F("mhp", 30).Nums("inherit flags", std::vector<double>(37, 0)).Recs("flows", {flow});
  const Value block = Value().S("name", "b").F("graphic number", 3).Recs("conditions", {Value().F("kind", 1)});
  const Value item = Value().S("name", "i").F("size", 1).Recs("commands", {Command(1).F("set", 1).Nums("parameters", {1, 2})});
  return fix::RecordFile(752, fix::PaletteLayout(),
                         Value().Recs("blocks", {Value(), block}).Recs("characters", {Value(), chara}).Recs("items", {Value(), item}));
}

class PaletteDamage : public ::testing::Test {
 protected:
  void SetUp() override { palfix::SetUpDatabase(); }

  // Reads the bytes; false with an error naming the file and an offset.
  static bool Refused(const Bytes& bytes) {
    cEdPalette p;
    DataFilePtr f = DataFileFromBytes(bytes, "CommonPalette.cplt4");
    if (p.Read(*f)) return false;
    EXPECT_NE(f->Error().find("CommonPalette.cplt4 : offset "), std::string::npos) << f->Error();
    return true;
  }
};

TEST_F(PaletteDamage, EveryTruncationIsRefused) {
  const Bytes good = RichPalette();
  cEdPalette p;
  ASSERT_TRUE(palfix::ReadBytes(p, good));
  for (size_t n = 4; n < good.size(); ++n) {
    SCOPED_TRACE(n);
    EXPECT_TRUE(Refused(Bytes(good.begin(), good.begin() + static_cast<long>(n))));
  }
}

TEST_F(PaletteDamage, HugeCountsAndLengthsAreRefusedBeforeAnythingIsAllocated) {
  const Bytes good = RichPalette();
  // Every 4-byte window set to 0xFFFFFFFF: a count, a length or a value. Reading
  // must refuse the file or read it whole, never allocate what the file cannot hold.
  int refused = 0;
  for (size_t at = 4; at + 4 <= good.size(); ++at) {
    Bytes bad = good;
    for (size_t i = 0; i < 4; ++i) bad[at + i] = 0xFF;
    cEdPalette p;
    DataFilePtr f = DataFileFromBytes(bad, "x");
    if (!p.Read(*f)) ++refused;
  }
  EXPECT_GT(refused, 100);
  // The block count right after the empty base part.
  Bytes bad = good;
  bad[12] = bad[13] = bad[14] = bad[15] = 0xFF;
  EXPECT_TRUE(Refused(bad));
}

TEST_F(PaletteDamage, MoreFieldsOrStringsThanTheVersionDefinesAreRefused) {
  const Value palette = Value().Recs("blocks", {Value()});
  Bytes bytes = fix::RecordFile(752, fix::PaletteLayout(), palette);
  ASSERT_EQ(bytes[16], 18);  // the block's field count
  bytes[16] = 19;
  EXPECT_TRUE(Refused(bytes));
  Bytes strings = fix::RecordFile(752, fix::PaletteLayout(), palette);
  strings[4] = 1;  // the palette itself holds no fields
  EXPECT_TRUE(Refused(strings));
  // A condition of version 109 holds seven fields: the layout of 110 is too many.
  Bytes condition = fix::RecordFile(752, fix::ConditionLayout(), Value());
  condition[0] = 109;
  condition[1] = 0;
  cEdCondition c;
  DataFilePtr f = DataFileFromBytes(condition, "c");
  EXPECT_FALSE(c.Read(*f));
}

TEST_F(PaletteDamage, FlowsNestedDeeperThanTheLimitAreRefused) {
  auto nested = [](int depth) {
    Value command = Command(1);
    for (int i = 0; i < depth; ++i) command = Command(1).Recs("flows", {Value().Recs("commands", {command})});
    return fix::RecordFile(752, fix::CommandLayout(), command);
  };
  cEdCommand ok;
  ASSERT_TRUE(palfix::ReadBytes(ok, nested(kMaxFlowNesting)));
  cEdCommand deep;
  DataFilePtr f = DataFileFromBytes(nested(kMaxFlowNesting + 1), "deep");
  EXPECT_FALSE(deep.Read(*f));
  EXPECT_NE(f->Error().find("nested deeper than 16"), std::string::npos) << f->Error();
  // Far deeper files fail the same way.
  DataFilePtr g = DataFileFromBytes(nested(100), "deeper");
  EXPECT_FALSE(deep.Read(*g));
}

TEST_F(PaletteDamage, AnyByteChangedReadsOrIsRefusedWithoutHarm) {
  cTempDir dir;
  const Bytes good = RichPalette();
  for (size_t at = 4; at < good.size(); ++at) {
    for (unsigned char v : {0x00, 0xFF}) {
      Bytes bad = good;
      bad[at] = v;
      cEdPalette p;
      DataFilePtr f = DataFileFromBytes(bad, "x");
      if (!p.Read(*f)) continue;
      // What reads, writes and reads again to the same bytes.
      const Bytes once = palfix::Written(p);
      cEdPalette again;
      DataFilePtr g = DataFileFromBytes(once, "y");
      ASSERT_TRUE(again.Read(*g)) << g->Error();
      ASSERT_TRUE(palfix::Written(again) == once) << "byte " << at << " = " << int(v);
    }
  }
  EXPECT_FALSE(dir.ReportContains("err V["));
}

TEST_F(PaletteDamage, AFailedLoadLeavesTheCommonPaletteAsItWas) {
  cTempDir dir;
  const Bytes good = RichPalette();
  dir.Write("data/CommonPalette.cplt4", good);
  ASSERT_TRUE(LoadCommonPaletteStep());
  ASSERT_EQ(CommonPalette.Charas[1].Flows.Count(), 1);
  dir.Write("data/CommonPalette.cplt4", Bytes(good.begin(), good.end() - 3));
  EXPECT_FALSE(LoadCommonPaletteStep());
  EXPECT_EQ(CommonPalette.Charas[1].mhp, 30);
  EXPECT_EQ(CommonPalette.Charas[1].Flows.Count(), 1);
}

}  // namespace

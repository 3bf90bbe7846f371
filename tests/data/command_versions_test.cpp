// Command records of every data version: each upgrade step at its bound and one
// below, chained steps on one command, the type renumbering of 734, validation.
#include <gtest/gtest.h>

#include "app/base/shell_globals.h"
#include "data/flow.h"
#include "tests/data/palette_checks.h"
#include "tests/support/temp_dir.h"

namespace {

using palfix::Value;
using Params = std::vector<double>;

Value Command(int set, int type, Params params) {
  return Value().F("set", set).F("type", type).F("sound on screen only", 1).Nums("parameters", std::move(params));
}

struct cCase {
  const char* what;
  uint32_t version;
  int set, type;
  Params in;
  int typeOut;
  Params out;
};

const Params k18Nines(18, 9);
Params Nines(std::initializer_list<std::pair<int, double>> changes) {
  Params p = k18Nines;
  p[0] = 0;
  for (auto [i, v] : changes) p[static_cast<size_t>(i)] = v;
  return p;
}

// Hand-computed from the step table; every step at its bound and the version below.
const cCase kCases[] = {
    // 1 stage clear (and step 20 on P0)
    {"stage clear resized", 144, 0, 17, {2, 5, 6, 7, 8, 9, 10, 11, 12, 13}, 17, {3, 5, 6, 7, 8, 9, 10, 11, 12}},
    {"stage clear", 145, 1, 2, {1}, 2, {1, 0, 0, 0, 0, 0, 0, 0, 0}},
    // 2 play music gets its loop setting, then the renumbering
    {"play music", 165, 0, 35, {4}, 36, {4, 1}},
    {"play music", 166, 0, 35, {4}, 36, {4, 0}},
    {"item play music", 165, 1, 20, {4}, 21, {4, 1}},
    // 3 and 9 status operation: statuses 10 and 5 inserted
    {"status operation", 167, 0, 22, {0, 0, 0, 0, 10, 0, 2, 0, 0, 0, 0, 0, 1, 5, 0, 0, 0, 0}, 22,
     {0, 0, 0, 0, 12, 0, 2, 0, 0, 0, 0, 0, 1, 6, 0, 0, 0, 0}},
    {"status operation", 168, 0, 22, {0, 0, 0, 0, 10, 0, 2, 0, 0, 0, 0, 0, 1, 5, 0, 0, 0, 0}, 22,
     {0, 0, 0, 0, 11, 0, 2, 0, 0, 0, 0, 0, 1, 6, 0, 0, 0, 0}},
    {"status operation, system subject", 202, 1, 7, {0, 0, 0, 2, 7, 0, 2, 0, 0, 0, 0, 0, 0, 9}, 7,
     {0, 0, 0, 2, 7, 0, 2, 0, 0, 0, 0, 0, 0, 10, 0, 0, 0, 0}},
    {"status operation, system subject", 203, 1, 7, {0, 0, 0, 2, 7, 0, 2, 0, 0, 0, 0, 0, 0, 9}, 7,
     {0, 0, 0, 2, 7, 0, 2, 0, 0, 0, 0, 0, 0, 9, 0, 0, 0, 0}},
    // 4 and 27 set target
    {"set target", 188, 0, 21, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}, 21,
     {0, 1, 0, 2, 3, 4, 5, 6, 7, 8, 0, 1, 11, 12, 0}},
    {"set target", 189, 0, 21, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}, 21,
     {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 1, 12, 13, 0}},
    {"item set target", 746, 1, 6, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}, 6,
     {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 1, 12, 13, 0}},
    {"item set target", 747, 1, 6, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}, 6,
     {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}},
    // 5, 15, 18, 22 and 25 show picture, one after another
    {"show picture", 193, 0, 31, {1, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23}, 32,
     {1, 11, 12, 13, 14, 15, 1, 16, 17, 18, 19, 0, 0, 0, 0}},
    {"show picture", 194, 0, 31, {1, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24}, 32,
     {1, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 0, 0, 0, 0}},
    {"show picture", 544, 1, 16, {2, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9}, 17,
     {2, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 0, 0, 0, 0}},
    {"show picture", 545, 1, 16, {2, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9}, 17,
     {2, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 0, 0, 0}},
    {"show picture", 546, 0, 31, {2, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9}, 32,
     {2, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 0, 0, 0}},
    {"show picture", 547, 0, 31, {2, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9}, 32,
     {2, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 0}},
    {"show picture", 722, 0, 31, {2, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9}, 32,
     {2, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 0}},
    {"show picture", 723, 0, 31, {2, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9}, 32,
     {2, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9}},
    // 6 character and screen effects
    {"character effect", 194, 0, 29, {3, 7}, 30, {3, 0, 7}},
    {"screen effect", 195, 0, 30, {3, 7, 9}, 31, {3, 7, 9}},
    {"item character effect", 194, 1, 15, {2, 5}, 16, {2, 0, 5}},
    // 7 and 8 summons and flow operation (the validation sizes them the same way)
    {"summon character", 202, 0, 14, {1, 2}, 14, {}},
    {"summon item", 203, 0, 15, {1, 2}, 15, {}},
    {"flow operation", 202, 0, 16, {1, 2, 3, 4}, 16, {1, 2, 3}},
    {"flow operation", 203, 0, 16, {1}, 16, {1, 0, 0}},
    // 10 status operation 2: state 6 inserted
    {"status operation 2", 209, 0, 23, {0, 6, 4}, 23, {0, 7, 4}},
    {"status operation 2", 210, 0, 23, {0, 6, 4}, 23, {0, 6, 4}},
    {"status operation 2, system", 209, 1, 8, {2, 6, 1}, 8, {2, 6, 1}},
    // 11 change graphic on the shot sheet
    {"change graphic", 218, 0, 25, {3, 50, 2}, 26, {3, 51, 2}},
    {"change graphic at the last cell", 218, 0, 25, {3, 119, 0}, 26, {3, 119, 0}},
    {"change graphic", 219, 0, 25, {3, 50, 2}, 26, {3, 50, 2}},
    {"item change graphic", 218, 1, 10, {3, 7, 0}, 11, {3, 8, 0}},
    // 14, 16, 17, 19 and 21 message, one after another
    {"message from the screen centre", 544, 0, 19, {7, 1, 2, 3, 4, 5, 6, 7, 8, 9}, 19,
     {7, 1, 2, 3, 4, 5, 6, 7, 8, 9, 1, 0, 0, 0, 1, 0, 1, 0}},
    {"message above itself", 544, 1, 4, {3, 1, 2, 3, 4, 5, 6, 7, 8, 9}, 4,
     {3, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0, 0, 1, 0, 1, 0}},
    {"message", 545, 0, 19, Nines({}), 19, Nines({{10, 1}, {11, 0}, {12, 0}, {13, 0}, {14, 1}, {15, 0}, {16, 1}, {17, 0}})},
    {"message", 546, 0, 19, Nines({}), 19, Nines({{11, 0}, {12, 0}, {13, 0}, {14, 1}, {15, 0}, {16, 1}, {17, 0}})},
    {"message", 547, 0, 19, Nines({}), 19, Nines({{16, 1}, {17, 0}})},
    {"message", 555, 0, 19, Nines({}), 19, Nines({{16, 1}, {17, 0}})},
    {"message", 556, 0, 19, Nines({}), 19, Nines({{17, 0}})},
    {"message", 722, 1, 4, Nines({}), 4, Nines({{17, 0}})},
    {"message", 723, 1, 4, Nines({}), 4, Nines({})},
    // 20 stage clear gained a destination
    {"stage clear by path", 721, 0, 17, {2, 5}, 17, {3, 5, 0, 0, 0, 0, 0, 0, 0}},
    {"stage clear by number", 721, 0, 17, {1, 5}, 17, {1, 5, 0, 0, 0, 0, 0, 0, 0}},
    {"stage clear by path", 722, 0, 17, {2, 5}, 17, {2, 5, 0, 0, 0, 0, 0, 0, 0}},
    // 23, 24, 25 and 26 arrange
    {"arrange", 725, 0, 37, {3, 2, 1}, 38, {11, 5, 1, 0, 0}},
    {"arrange", 726, 0, 37, {11, 11, 1, 2, 3}, 38, {11, 18, 1, 2, 3}},
    {"arrange of an early parameter", 726, 1, 22, {11, 1, 1, 2, 3}, 23, {11, 1, 1, 2, 3}},
    {"arrange", 727, 0, 37, {11, 11, 1, 2, 3}, 38, {11, 11, 1, 2, 3}},
    {"arrange of a renumbered type", 733, 0, 37, {24, 3, 0, 0, 0}, 38, {25, 3, 0, 0, 0}},
    {"arrange of a shot", 733, 0, 37, {11, 3, 0, 0, 0}, 38, {11, 3, 0, 0, 0}},
    {"arrange", 734, 0, 38, {24, 3, 0, 0, 0}, 38, {24, 3, 0, 0, 0}},
    // 25 the renumbering
    {"vanish of old files is take item", 733, 0, 24, {1, 2, 3}, 25, {1, 2}},
    {"item renumbered", 733, 1, 9, {1, 2, 3}, 10, {1, 2}},
    {"below the renumbering", 733, 0, 23, {0, 1, 2}, 23, {0, 1, 2}},
    {"vanish", 734, 0, 24, {1, 2, 3}, 24, {1, 2, 3}},
    {"loop", 733, 0, 38, {1, 2}, 39, {1, 2}},
    // the current version and newer ones change nothing
    {"message", 752, 0, 19, Nines({}), 19, Nines({})},
    {"show picture", 753, 0, 32, {2, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9}, 32,
     {2, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9}},
    {"arrange", 1000, 0, 38, {24, 3, 0, 0, 0}, 38, {24, 3, 0, 0, 0}},
};

class CommandVersions : public ::testing::Test {
 protected:
  void SetUp() override { palfix::SetUpDatabase(); }
};

TEST_F(CommandVersions, EveryStepAtItsBoundAndBelowGivesTheExpectedParameters) {
  for (const cCase& c : kCases) {
    SCOPED_TRACE(std::string(c.what) + " of version " + std::to_string(c.version));
    palfix::ExpectUpgrade<cEdCommand>(fix::CommandLayout(), c.version, Command(c.set, c.type, c.in),
                                      Command(c.set, c.typeOut, c.out));
  }
}

Value Shot(int graphic) { return Value().F("graphic", graphic).F("size", 1).F("owner side", 1).F("mirror X", 1); }

TEST_F(CommandVersions, TheShotGraphicMovesUpBefore220) {
  for (auto [version, stored, expected] : {std::tuple{219u, 7, 8}, {219u, 119, 119}, {220u, 7, 7}}) {
    SCOPED_TRACE(version);
    cEdCommand c;
    ASSERT_TRUE(palfix::ReadBytes(c, fix::RecordFile(version, fix::CommandLayout(), Command(0, 11, {}).Rec("shot", Shot(stored)))));
    ASSERT_TRUE(c.pShot);
    EXPECT_EQ(c.pShot->nGraphic, expected);
    EXPECT_FALSE(c.pMove);
  }
}

TEST_F(CommandVersions, AChargeMoveOfAFileBefore514AimsStraight) {
  const Value move = Value().F("angle", 30).F("angle per clone", 5).F("mirror angle", 0).F("speed", 10);
  for (uint32_t version : {513u, 514u}) {
    cEdCommand c;
    ASSERT_TRUE(palfix::ReadBytes(c, fix::RecordFile(version, fix::CommandLayout(), Command(0, 5, {}).Rec("movement", move))));
    ASSERT_TRUE(c.pMove);
    EXPECT_EQ(c.pMove->nAngle, version < 514 ? 0 : 30);
    EXPECT_EQ(c.pMove->nAngleClone, version < 514 ? 0 : 5);
    EXPECT_EQ(c.pMove->bMirrorAngle, version < 514 ? 1 : 0);
  }
}

TEST_F(CommandVersions, ValidationBringsReferencesIntoTheDatabase) {
  struct cCheck {
    int set, type;
    Params in, out;
  };
  const cCheck checks[] = {
      {0, 27, {10}, {0}},  {1, 12, {-1}, {0}}, {0, 28, {10}, {1}}, {0, 29, {-1, 0, 0, 0, 0, 0, 0, 0}, {1, 0, 0, 0, 0, 0, 0, 0}},
      {0, 30, {9, 4, 4}, {9, 4, 4}}, {0, 31, {12}, {1, 0, 0}}, {1, 17, {10}, {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {0, 35, {99}, {1}}, {1, 21, {10, 3}, {1, 3}}, {1, 18, {99}, {99, 0, 0, 0, 0, 0, 0, 0}}, {0, 34, {99, 1}, {99, 1}},
  };
  for (const cCheck& k : checks) {
    SCOPED_TRACE("set " + std::to_string(k.set) + " type " + std::to_string(k.type));
    palfix::ExpectUpgrade<cEdCommand>(fix::CommandLayout(), 752,
                                      Command(k.set, k.type, k.in).F("animation", 10).F("sound", -3),
                                      Command(k.set, k.type, k.out));
  }
}

TEST_F(CommandVersions, ASwordLastsAsLongAsItsFramesAtMost9999) {
  cEdCommand c;
  ASSERT_TRUE(palfix::ReadBytes(c, fix::RecordFile(752, fix::CommandLayout(),
                                                   Command(0, 12, {}).F("time", 5).Rec("shot", Shot(0).F("kind", 2)))));
  EXPECT_EQ(c.nTime, 9999);
  c.pShot->nMoveType = 40;  // beyond the sword types: the first one, a new sword type of one frame
  c.Validate();
  EXPECT_EQ(c.pShot->nMoveType, 0);
  EXPECT_EQ(c.nTime, 1);
}

TEST_F(CommandVersions, AnUnknownTypeKeepsItsParametersAndIsReported) {
  cTempDir dir;
  for (auto [set, type] : {std::pair{0, 45}, {1, 25}, {3, 1}}) {
    SCOPED_TRACE(type);
    const Value stored = Command(set, type, {1, 2, 3, 4, 5, 6, 7});
    palfix::ExpectUpgrade<cEdCommand>(fix::CommandLayout(), 752, stored, stored);
  }
  EXPECT_TRUE(dir.ReportContains("command of set 0 and type 45 is not known; its 7 parameters are kept as read"));
  EXPECT_TRUE(dir.ReportContains("command of set 3 and type 1 is not known"));
}

TEST_F(CommandVersions, AMovementFlagOfZeroLeavesNoDefinitionAndAnyOtherFlagReadsOne) {
  cEdCommand c;
  NewEdMove(c.pMove);
  NewEdShot(c.pShot);
  ASSERT_TRUE(palfix::ReadBytes(c, fix::RecordFile(752, fix::CommandLayout(), Command(0, 2, {}))));
  EXPECT_FALSE(c.pMove);
  EXPECT_FALSE(c.pShot);
  const auto written = palfix::Written(c);
  EXPECT_EQ(written, fix::RecordFile(752, fix::CommandLayout(), Command(0, 2, {})));

  const Value flagged = Command(0, 2, {}).Rec("movement", Value().F("speed", 33)).N("movement", 7);
  ASSERT_TRUE(palfix::ReadBytes(c, fix::RecordFile(752, fix::CommandLayout(), flagged)));
  ASSERT_TRUE(c.pMove);
  EXPECT_EQ(c.pMove->nSpeed, 33);
}

TEST_F(CommandVersions, NestedTestPlayFlowsStayOnlyInATestPlay) {
  const Value wait = Command(0, 1, {});
  auto flow = [&](int testOnly) { return Value().F("test-play-only", testOnly).Recs("commands", {wait}); };
  const Value stored = Command(1, 1, {0, 0}).Recs("flows", {flow(0), flow(1), flow(0)});
  cEdCommand normal;
  ASSERT_TRUE(palfix::ReadBytes(normal, fix::RecordFile(752, fix::CommandLayout(), stored)));
  EXPECT_EQ(normal.Flows.Count(), 2);
  bTestPlay = 1;
  cEdCommand test;
  ASSERT_TRUE(palfix::ReadBytes(test, fix::RecordFile(752, fix::CommandLayout(), stored)));
  EXPECT_EQ(test.Flows.Count(), 3);
  EXPECT_EQ(test.Flows[1].bTestOnly, 1);
}

}  // namespace

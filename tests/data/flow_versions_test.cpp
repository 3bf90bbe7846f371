// Flows, conditions and key conditions of every data version: the layout gates of
// conditions, the kind and index shifts, the trigger shifts of flows, the names
// emptied on reading, and the removal of test-play flows.
#include <gtest/gtest.h>

#include "app/base/shell_globals.h"
#include "data/flow.h"
#include "tests/data/palette_checks.h"

namespace {

using palfix::Value;
using Fields = std::vector<std::pair<const char*, double>>;

Value Condition(const Fields& fields) {
  Value v;
  for (auto [name, x] : fields) v.F(name, x);
  return v;
}

// Every member a distinct value (a common-variable condition: no step applies).
Value FullCondition() {
  return Condition({{"kind", 1},           {"value", 77},           {"random minimum", -5},
                    {"random maximum", 9}, {"subject", 1},          {"left item", 3},
                    {"left side", 1},      {"left variable scope", 1}, {"variable index", 300},
                    {"right side", 3},     {"right subject", 1},    {"right item", 4},
                    {"right variable scope", 1}, {"right variable index", -2}, {"dropped 1", 555},
                    {"dropped 2", 666},    {"comparison", 3},       {"percent", 1},
                    {"shape", 2}});
}

class FlowVersions : public ::testing::Test {
 protected:
  void SetUp() override { palfix::SetUpDatabase(); }
};

TEST_F(FlowVersions, ConditionLayoutsKeepWhatEachVersionHolds) {
  for (uint32_t v : palfix::Versions({43, 110})) {
    Value expected = FullCondition();
    expected.fields.erase("dropped 1");
    expected.fields.erase("dropped 2");
    if (v < 110)
      expected = Condition({{"kind", 1}, {"value", 77}, {"comparison", 3}, {"percent", v >= 43 ? 1 : 0}, {"shape", 2}});
    palfix::ExpectUpgrade<cEdCondition>(fix::ConditionLayout(), v, FullCondition(), expected);
  }
  // Version 109: seven fields, twelve bytes of them.
  const auto bytes = fix::RecordFile(109, fix::ConditionLayout(), FullCondition());
  EXPECT_EQ(bytes.size(), 4u + 4 + 12 + 4);
  EXPECT_EQ(bytes[4], 7);
}

struct cConditionCase {
  const char* what;
  uint32_t version;
  Fields stored, expected;  // the members that are not 0
};

const cConditionCase kConditionCases[] = {
    {"distance of an old file", 159, {{"kind", 5}, {"subject", 1}, {"left side", 1}},
     {{"kind", 7}, {"right side", 1}, {"right subject", 1}}},
    {"status 2 of version 160", 160, {{"kind", 5}, {"left item", 6}}, {{"kind", 5}, {"left item", 7}}},
    {"state 2 with the opposite sense", 160, {{"kind", 6}, {"left item", 2}}, {{"kind", 6}, {"left item", 2}, {"comparison", 1}}},
    {"state 2", 161, {{"kind", 6}, {"left item", 2}}, {{"kind", 6}, {"left item", 2}}},
    {"status 10 passes both insertions", 167,
     {{"kind", 4}, {"left item", 10}, {"right side", 2}, {"right subject", 1}, {"right item", 5}},
     {{"kind", 4}, {"left item", 12}, {"right side", 2}, {"right subject", 1}, {"right item", 6}}},
    {"status 10", 168, {{"kind", 4}, {"left item", 10}}, {{"kind", 4}, {"left item", 11}}},
    {"system values keep their index", 167, {{"kind", 4}, {"subject", 2}, {"left item", 3}},
     {{"kind", 4}, {"subject", 2}, {"left item", 3}}},
    {"a variable on the left", 167, {{"kind", 4}, {"left side", 1}, {"left item", 12}},
     {{"kind", 4}, {"left side", 1}, {"left item", 12}}},
    {"status 5", 202, {{"kind", 4}, {"left item", 5}}, {{"kind", 4}, {"left item", 6}}},
    {"status 5", 203, {{"kind", 4}, {"left item", 5}}, {{"kind", 4}, {"left item", 5}}},
    {"state 6", 209, {{"kind", 5}, {"left item", 6}}, {{"kind", 5}, {"left item", 7}}},
    {"state of the system", 209, {{"kind", 5}, {"subject", 2}, {"left item", 6}},
     {{"kind", 5}, {"subject", 2}, {"left item", 6}}},
    {"state 6", 210, {{"kind", 5}, {"left item", 6}}, {{"kind", 5}, {"left item", 6}}},
    {"distance from the target", 656, {{"kind", 7}, {"subject", 1}}, {{"kind", 7}, {"right side", 1}, {"right subject", 1}}},
    {"distance from the target", 657, {{"kind", 7}, {"subject", 1}},
     {{"kind", 7}, {"subject", 1}, {"right side", 1}, {"right subject", 1}}},
    {"distance", 744, {{"kind", 7}, {"left side", 1}}, {{"kind", 7}, {"right side", 1}, {"right subject", 1}}},
    {"distance", 745, {{"kind", 7}, {"left side", 1}}, {{"kind", 7}, {"left side", 1}, {"right side", 1}, {"right subject", 1}}},
    {"distance", 746, {{"kind", 7}, {"left side", 1}, {"right side", 2}}, {{"kind", 7}, {"left side", 1}, {"right side", 2}}},
    {"distance", 752, {{"kind", 7}, {"subject", 1}, {"right side", 3}}, {{"kind", 7}, {"subject", 1}, {"right side", 3}}},
};

TEST_F(FlowVersions, ConditionKindsAndIndexesShiftAsStatusesWereInserted) {
  for (const cConditionCase& c : kConditionCases) {
    SCOPED_TRACE(c.what);
    palfix::ExpectUpgrade<cEdCondition>(fix::ConditionLayout(), c.version, Condition(c.stored), Condition(c.expected));
  }
}

TEST_F(FlowVersions, KeyConditionsKeepTheirKeyCount) {
  const Value full = Value()
                         .F("relative to facing", 1)
                         .F("minimum frames", 3)
                         .F("maximum frames", 40)
                         .F("any duration", 1)
                         .F("mode", 2)
                         .Nums("key states", {0, 1, 2, 1, 0});
  for (uint32_t v : {1u, 752u, 900u}) palfix::ExpectUpgrade<cEdKeyCondition>(fix::KeyConditionLayout(), v, full, full);
  cEdKeyCondition fresh;
  EXPECT_EQ(fresh.Keys.Count(), 19);
}

Value Flow(int trigger, int group) {
  const Value wait = Value().F("set", 0).F("type", 1).F("sound on screen only", 1);
  return Value()
      .F("ID", 3)
      .F("group", group)
      .F("condition mode", 1)
      .F("conditions once", 1)
      .F("trigger", trigger)
      .F("key gap", 4)
      .F("keys repeat", 1)
      .S("name", "F")
      .Recs("conditions", {Condition({{"kind", 2}, {"value", 5}})})
      .Recs("key conditions", {Value().Nums("key states", {1, 2})})
      .Recs("commands", {wait});
}

struct cFlowCase {
  uint32_t version;
  int trigger, group;
  int triggerOut, groupOut;
};

// Triggers 12 (132) and 5 and 6 (164) were inserted; before 163 only trigger 0
// had groups.
const cFlowCase kFlowCases[] = {
    {131, 11, 2, 14, 0}, {131, 10, 2, 12, 0}, {131, 5, 2, 7, 0},  {131, 4, 2, 4, 0},   {131, 0, 2, 0, 2},
    {132, 11, 2, 13, 0}, {132, 3, 2, 3, 0},   {162, 3, 2, 3, 0},  {162, 0, 2, 0, 2},   {163, 3, 2, 3, 2},
    {163, 5, 1, 7, 1},   {164, 5, 1, 5, 1},   {675, 19, 4, 19, 4}, {676, 19, 4, 19, 4}, {752, 11, 2, 11, 2},
    {753, 11, 2, 11, 2},
};

TEST_F(FlowVersions, TriggersShiftAndTheNameIsEmptied) {
  for (const cFlowCase& c : kFlowCases) {
    SCOPED_TRACE("trigger " + std::to_string(c.trigger));
    Value expected = Flow(c.triggerOut, c.groupOut);
    expected.S("name", "");
    palfix::ExpectUpgrade<cEdFlow>(fix::FlowLayout(), c.version, Flow(c.trigger, c.group), expected);
  }
  // The name string is written even when empty.
  cEdFlow f;
  const auto bytes = palfix::Written(f);
  const std::vector<unsigned char> tail = {1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  ASSERT_GE(bytes.size(), tail.size() + 12);
  EXPECT_TRUE(std::equal(tail.begin(), tail.end(), bytes.end() - 20));  // strings 1, "", three empty lists
}

TEST_F(FlowVersions, TestPlayFlowsAreRemovedUnlessKept) {
  cVector<cEdFlow> flows(3);
  flows[1].bTestOnly = 1;
  flows[0].nID = 1;
  flows[2].nID = 3;
  RemoveTestPlayFlows(flows);
  ASSERT_EQ(flows.Count(), 2);
  EXPECT_EQ(flows[1].nID, 3);
  EXPECT_FALSE(KeepTestPlayFlows());
  SystemData.bKeepTestFlows = 1;
  EXPECT_TRUE(KeepTestPlayFlows());
  SystemData.bKeepTestFlows = 0;
  bTestPlay = 1;
  EXPECT_TRUE(KeepTestPlayFlows());
}

}  // namespace

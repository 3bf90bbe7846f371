// The world map: its file in every version, its validation, resizing, the entry an
// event offers, and damaged files.
#include <gtest/gtest.h>

#include "data/project_globals.h"
#include "data/world_map.h"
#include "platform/sjis.h"
#include "tests/data/palette_checks.h"
#include "tests/support/stage_layout.h"
#include "tests/support/temp_dir.h"

namespace {

using fix::Value;

std::vector<double> Cells(int width, int height, int pitch) {
  std::vector<double> cells(static_cast<size_t>(height * pitch), 0);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) cells[static_cast<size_t>(y * pitch + x)] = (x + y) % 10;
  return cells;
}

Value Entry(int needed) {
  return Value().F("passage", 1).F("symbol row", 2).F("stage number", 3).F("no auto start", 1).F("replayable", 1)
      .F("after clear", 2).F("needed flag", 4).F("variable", 5).F("variable value", 6).F("comparison", 7)
      .F("needed total", needed).S("name", "first").S("stage file", "data\\stg4\\w01-1.stg4");
}

Value Map(std::vector<Value> events, int needed = 9) {
  Value chip = Value().F("stored", 3).F("impassable", 1).F("picture", 4).S("name", "rock").S("label", "x");
  return Value()
      .F("width", 20).F("height", 15).F("pitch", 32).F("pitch shift", 5).F("start column", 3).F("start row", 4)
      .F("background colour", 17).F("background picture shown", 1).S("name", "map").S("background picture", "w.bmp")
      .Recs("chips", {chip, chip})
      .Nums("cells", Cells(20, 15, 32))
      .Recs("events", std::move(events))
      .Recs("templates", {Value().S("name", "T").Recs("entries", {Entry(needed)})});
}

Value Event(int col, int row, int needed = 9) {
  return Value().F("column", col).F("row", row).S("name", "ev").Recs("entries", {Entry(needed), Entry(needed)});
}

TEST(WorldMapFile, VersionsBeforeTheResultTotalReadItAsZero) {
  palfix::SetUpDatabase();
  for (uint32_t v : palfix::Versions({209})) {
    const int needed = v < 209 ? 0 : 9;
    palfix::ExpectUpgrade<cEdWorldMap>(fix::WorldMapLayout(), v, Map({Event(1, 2)}),
                                       Map({Event(1, 2, needed)}, needed));
  }
}

TEST(WorldMapFile, TheStartCellAndTheEventsStayInsideTheMap) {
  Value stored = Map({Event(25, 1), Event(2, 3), Event(4, 15), Event(19, 14), Event(20, 0)});
  stored.F("start column", 30).F("start row", 15);
  Value expected = Map({Event(2, 3), Event(19, 14)});
  expected.F("start column", 19).F("start row", 14);
  palfix::ExpectUpgrade<cEdWorldMap>(fix::WorldMapLayout(), 752, stored, expected);
}

TEST(WorldMapFile, DamagedFilesAreRefused) {
  struct Case {
    const char* what;
    std::vector<unsigned char> bytes;
  };
  auto file = [](Value v) { return fix::RecordFile(752, fix::WorldMapLayout(), v); };
  auto cut = file(Map({Event(1, 1)}));
  cut.resize(cut.size() - 7);
  const Case cases[] = {
      {"a grid smaller than the map", file(Map({}).Nums("cells", Cells(20, 14, 32)))},
      {"a pitch that does not fit the width", file(Map({}).F("pitch", 16).F("pitch shift", 4))},
      {"a width of 0", file(Map({}).F("width", 0))},
      {"truncated", cut},
      {"a count beyond the file", file(Map({}).Nums("cells", {}))},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    cTempDir dir;
    dir.Write("data/WorldMap.dat", c.bytes);
    cEdWorldMap map;
    map.nStartX = 5;
    EXPECT_EQ(map.Load("data\\WorldMap.dat"), 0);
    EXPECT_EQ(map.nStartX, 5);
    EXPECT_TRUE(dir.ReportContains("data\\WorldMap.dat : offset"));
  }
}

TEST(WorldMapRecord, AFreshMapHasItsDefaults) {
  cEdWorldMap m;
  EXPECT_EQ(m.strName, SJ("ワールド"));
  EXPECT_EQ(m.nWidth, 20);
  EXPECT_EQ(m.nHeight, 15);
  EXPECT_EQ(m.nPitch, 32);
  EXPECT_EQ(m.nPitchShift, 5);
  EXPECT_EQ(m.nStartX, 9);
  EXPECT_EQ(m.nStartY, 7);
  EXPECT_EQ(m.nBgColor, 16);
  EXPECT_EQ(m.Cells, cVector<int32_t>(480));
  ASSERT_EQ(m.Chips.Count(), 10);
  EXPECT_EQ(m.Chips[4].bBlock, 1);
  EXPECT_EQ(m.Chips[4].strLabel, SJ("通行不可"));
  EXPECT_EQ(m.Chips[5].bBlock, 0);
  EXPECT_EQ(m.Chips[9].nPicture, 9);
  EXPECT_EQ(m.Chips[9].strLabel, SJ("通行可"));
  EXPECT_TRUE(m.Events.empty());
  ASSERT_EQ(m.Templates.Count(), 1);
  EXPECT_EQ(m.Templates[0].strName, SJ("デフォルト"));
  EXPECT_EQ(m.Templates[0].Stages.Count(), 1);
}

TEST(WorldMapRecord, SetSizeComputesThePitchAndKeepsTheCellsBothSizesHold) {
  struct Case {
    int width, height, pitch, shift;
  } cases[] = {{33, 10, 64, 6}, {32, 10, 32, 5}, {1, 1, 1, 0}, {20, 15, 32, 5}, {2, 3, 2, 1}};
  for (const Case& c : cases) {
    cEdWorldMap m;
    EXPECT_EQ(m.SetSize(c.width, c.height), 1);
    EXPECT_EQ(m.nPitch, c.pitch) << c.width;
    EXPECT_EQ(m.nPitchShift, c.shift) << c.width;
    EXPECT_EQ(m.Cells.Count(), c.height * c.pitch);
  }
  cEdWorldMap m;
  for (int y = 0; y < 15; ++y)
    for (int x = 0; x < 20; ++x) m.Cells[static_cast<size_t>(x + (y << 5))] = 100 * y + x + 1;
  cEdWorldMap grown = m;
  ASSERT_EQ(grown.SetSize(40, 20), 1);
  ASSERT_EQ(m.SetSize(10, 5), 1);
  EXPECT_EQ(m.nPitch, 16);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 10; ++x) EXPECT_EQ(m.Cells[static_cast<size_t>(x + (y << 4))], 100 * y + x + 1);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x)
      EXPECT_EQ(grown.Cells[static_cast<size_t>(x + (y << 6))], x < 20 && y < 15 ? 100 * y + x + 1 : 0);
  // A size of 0 changes nothing.
  EXPECT_EQ(m.SetSize(0, 5), 0);
  EXPECT_EQ(m.SetSize(5, 0), 0);
  EXPECT_EQ(m.nWidth, 10);
  EXPECT_EQ(m.Cells.Count(), 80);
}

TEST(WorldMapRecord, AnEventOffersItsFirstEntryWhoseConditionsHold) {
  cSaveData save;
  cEdWorldEvent e;
  e.Stages.resize(3);
  e.Stages[0].nNeedFlag = 12;  // not set
  e.Stages[0].strName = "first";
  e.Stages[1].strName = "second";
  e.Stages[2].strName = "third";
  ASSERT_NE(e.OfferedEntry(save), nullptr);
  EXPECT_EQ(e.OfferedEntry(save)->strName, "second");
  save.Flags[12] = 1;
  EXPECT_EQ(e.OfferedEntry(save)->strName, "first");
  e.Stages[0].nNeedTotal = 5;
  save.nTotal = 4;
  EXPECT_EQ(e.OfferedEntry(save)->strName, "second");
  e.Stages[1].nVarNo = 7;
  e.Stages[1].nVarValue = 3;
  e.Stages[1].nVarCompare = 6;  // a multiple of 3
  save.CommonVars[7] = -9;
  EXPECT_EQ(e.OfferedEntry(save)->strName, "second");
  save.CommonVars[7] = 10;
  EXPECT_EQ(e.OfferedEntry(save)->strName, "third");
  e.Stages[2].nVarNo = 7;
  e.Stages[2].nVarCompare = 0;
  EXPECT_EQ(e.OfferedEntry(save), nullptr);
}

TEST(WorldMapRecord, ComparisonsOfTheStageEntries) {
  struct Case {
    int v, c, kind;
    bool holds;
  } cases[] = {{3, 3, 0, true},    {3, 4, 0, false},  {3, 4, 1, true},   {4, 4, 2, true},  {3, 4, 2, false},
               {4, 4, 3, true},    {5, 4, 3, false},  {5, 4, 4, true},   {4, 4, 4, false}, {3, 4, 5, true},
               {-8, 4, 6, true},   {7, 0, 6, true},   {7, 2, 6, false},  {7, 2, 7, true},  {7, 0, 7, false},
               {INT32_MIN, -1, 6, true}, {1, 1, 8, false}};
  for (const Case& c : cases) EXPECT_EQ(WorldCompare(c.v, c.c, c.kind), c.holds) << c.v << " " << c.kind << " " << c.c;
}

TEST(WorldMapRecord, FindWorldEventAtGivesTheFirstEventOnTheCell) {
  cEdWorldMap m;
  m.Events.resize(3);
  m.Events[0].nCol = 1;
  m.Events[1].nCol = 2;
  m.Events[1].strName = "a";
  m.Events[2].nCol = 2;
  ASSERT_NE(m.FindWorldEventAt(2, 0), nullptr);
  EXPECT_EQ(m.FindWorldEventAt(2, 0)->strName, "a");
  EXPECT_EQ(m.FindWorldEventAt(3, 0), nullptr);
}

}  // namespace

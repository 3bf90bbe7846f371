#include "tests/support/stage_layout.h"

#include "tests/support/palette_layout.h"

namespace fix {

namespace {
Field I(const char* name, uint32_t first = 0, uint32_t last = kNoEnd) { return {name, 4, 1, first, last}; }
Field D(const char* name, uint32_t first = 0) { return {name, 8, 1, first}; }
}  // namespace

const RecordType& QuadSetLayout() {
  static const RecordType t = {"range",
                               {I("left switch"), I("right switch", 125), I("top switch", 125),
                                I("bottom switch", 125), I("left margin"), I("right margin"), I("top margin"),
                                I("bottom margin")},
                               {},
                               {}};
  return t;
}

const RecordType& BgLayerLayout() {
  static const RecordType t = {"layer",
                               {I("shown", 62), I("fill"), I("fill colour"), I("depth group"),
                                D("horizontal factor", 61), D("vertical factor", 61), I("horizontal auto", 61),
                                I("vertical auto", 61), I("dropped 1", 0, 61), I("dropped 2", 0, 61),
                                D("horizontal offset", 62), D("vertical offset", 62)},
                               {{"picture"}},
                               {}};
  return t;
}

const RecordType& TextItemLayout() {
  static const RecordType t = {"text item", {}, {{"text"}}, {}};
  return t;
}

const RecordType& StageLayout() {
  static const RecordType t = {
      "stage",
      {I("width"), I("stored 2"), I("stored 3"), I("height"), I("limit left on"), I("limit right on"),
       I("limit top on"), I("limit bottom on"), I("limit left"), I("limit right"), I("limit top"),
       I("limit bottom"), I("frame rate"), I("time limit on"), I("time limit"), I("time warning"),
       I("auto-scroll x"), I("auto-scroll y"), I("auto-scroll speed x"), I("auto-scroll speed y"), D("gravity"),
       I("hit level"), I("contact steps"), I("music"), I("music loops", 166), I("keep music", 199),
       I("priority groups"), I("take carry"), I("carry to next"), I("status shown", 183), I("skip tally", 184),
       I("start banner 1"), I("start banner 2", 225), I("clear banner"), I("game-over banner"),
       I("player body w1", 200), I("player body h1", 200), I("player body w2", 200), I("player body h2", 200),
       I("player hit w1"), I("player hit h1"), I("player hit w2", 155), I("player hit h2", 155),
       I("player box2 w"), I("player box2 h"), I("player box3 w"), I("player box3 h"),
       I("player body align1", 200), I("player body align2", 200), I("player hit align1", 155),
       I("player hit align2", 155), I("show player body", 200), I("show player hit"), I("show player box2"),
       I("show player box3"), I("colour player body", 200), I("colour player hit"), I("colour player box2"),
       I("colour player box3"), I("chara body w1", 200), I("chara body h1", 200), I("chara body w2", 200),
       I("chara body h2", 200), I("chara hit w1"), I("chara hit h1"), I("chara hit w2", 155),
       I("chara hit h2", 155), I("chara box2 w"), I("chara box2 h"), I("chara body align1", 200),
       I("chara body align2", 200), I("chara hit align1", 155), I("chara hit align2", 155), I("item box w"),
       I("item box h"), I("player shot w"), I("player shot h"), I("stored 78"), I("stored 79"), I("other shot w"),
       I("other shot h"), I("stored 82"), I("stored 83"), I("stored 84"), I("scroll offset x"),
       I("scroll offset y"), I("steps"), D("steps real"), D("steps squared"), D("speed limit"),
       D("gravity per step"), D("speed limit per step"), I("steps x8"), I("contact active only"),
       I("player hit invincible"), I("player damage invincible"), I("other hit invincible"),
       I("other damage invincible")},
      {{"name"}},
      {{"ranking genres", ListKind::kInts},
       {"chara range", ListKind::kRecord, 0, &QuadSetLayout()},
       {"full-cell chara range", ListKind::kRecord, 0, &QuadSetLayout()},
       {"item range", ListKind::kRecord, 0, &QuadSetLayout()},
       {"player shot range", ListKind::kRecord, 0, &QuadSetLayout()},
       {"other shot range", ListKind::kRecord, 0, &QuadSetLayout()},
       {"palette blocks", ListKind::kRecords, 0, &BlockLayout()},
       {"palette characters", ListKind::kRecords, 0, &CharaLayout()},
       {"palette items", ListKind::kRecords, 0, &ItemLayout()},
       {"placed blocks", ListKind::kWordRecords, 0, &BlockLayout()},
       {"placed characters", ListKind::kWordRecords, 0, &CharaLayout()},
       {"placed items", ListKind::kWordRecords, 0, &ItemLayout()},
       {"layers", ListKind::kRecords, 0, &BgLayerLayout()},
       {"text items", ListKind::kRecords, 0, &TextItemLayout()},
       {"trailer", ListKind::kInt, 173}}};
  return t;
}

const RecordType& WorldStageLayout() {
  static const RecordType t = {"world stage",
                               {I("passage"), I("symbol row"), I("stage number"), I("no auto start"),
                                I("replayable"), I("after clear"), I("needed flag"), I("variable"),
                                I("variable value"), I("comparison"), I("needed total", 209)},
                               {{"name"}, {"stage file"}},
                               {}};
  return t;
}

const RecordType& WorldChipLayout() {
  static const RecordType t = {"world chip", {I("stored"), I("impassable"), I("picture")}, {{"name"}, {"label"}}, {}};
  return t;
}

const RecordType& WorldEventLayout() {
  static const RecordType t = {"world event",
                               {I("column"), I("row")},
                               {{"name"}},
                               {{"entries", ListKind::kRecords, 0, &WorldStageLayout()}}};
  return t;
}

const RecordType& WorldMapLayout() {
  static const RecordType t = {"world map",
                               {I("width"), I("height"), I("pitch"), I("pitch shift"), I("start column"),
                                I("start row"), I("background colour"), I("background picture shown")},
                               {{"name"}, {"background picture"}},
                               {{"chips", ListKind::kRecords, 0, &WorldChipLayout()},
                                {"cells", ListKind::kInts},
                                {"events", ListKind::kRecords, 0, &WorldEventLayout()},
                                {"templates", ListKind::kRecords, 0, &WorldEventLayout()}}};
  return t;
}

const RecordType& SaveCharaLayout() {
  static const RecordType t = {"carried character",
                               {I("hp"), I("sp"), I("time"), I("lives"), I("music")},
                               {},
                               {{"character", ListKind::kRecord, 0, &CharaLayout()}}};
  return t;
}

const RecordType& StageResultLayout() {
  static const RecordType t = {"stage result", {I("value")}, {{"name"}}, {}};
  return t;
}

const RecordType& IntPairLayout() {
  static const RecordType t = {"pair", {I("first"), I("second")}, {}, {}};
  return t;
}

const RecordType& SaveDataLayout() {
  static const RecordType t = {
      "save data",
      {I("carry"), I("map x"), I("map y"), I("world stage"), I("round"), I("stage number"), I("part"),
       I("lives at start"), I("lives"), I("stage score"), I("score"), I("total"), I("time total"),
       I("play time total"), I("hp total", 182), I("sp total", 182), I("parted"), I("music"),
       I("music loops", 166), I("map direction", 194), I("back from miss", 190), I("map previous x", 191),
       I("map previous y", 191), I("challenge stage"), I("slot"), I("auto save", 169), I("ranking shown"),
       I("ranking genre"), I("start position", 678), I("start x", 678), I("start y", 678),
       I("start facing", 679)},
      {{"stage name"}, {"second name", 724}, {"player name"}},
      {{"year", ListKind::kShort},
       {"month", ListKind::kShort},
       {"day of week", ListKind::kShort},
       {"day", ListKind::kShort},
       {"hour", ListKind::kShort},
       {"minute", ListKind::kShort},
       {"second", ListKind::kShort},
       {"milliseconds", ListKind::kShort},
       {"carry flags", ListKind::kInts, 501},
       {"carried characters", ListKind::kRecords, 0, &SaveCharaLayout()},
       {"stage results", ListKind::kRecords, 0, &StageResultLayout()},
       {"challenge records", ListKind::kRecords, 0, &IntPairLayout()},
       {"stage flags", ListKind::kInts},
       {"common variables", ListKind::kInts}}};
  return t;
}

const RecordType& OptionLayout() {
  static const RecordType t = {"options",
                               {I("palette set"), I("music on"), I("volume"), I("registration mode")},
                               {{"name"}},
                               {}};
  return t;
}

}  // namespace fix

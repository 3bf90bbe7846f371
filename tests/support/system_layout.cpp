#include "tests/support/system_layout.h"

namespace fix {

const RecordType& StatusItemLayout() {
  static const RecordType t = {"status item",
                               {{"shown", 4, 1},
                                {"icon", 4, 1},
                                {"digit cells", 4, 1},
                                {"value figure shown", 4, 1, 204},
                                {"warning threshold", 4, 1, 587},
                                {"threshold is percent", 4, 1, 587}},
                               {{"caption"}},
                               {}};
  return t;
}

const RecordType& MenuItemLayout() {
  static const RecordType t = {"menu item", {{"shown", 4, 1}}, {{"caption"}}, {}};
  return t;
}

const RecordType& RankSettingLayout() {
  static const RecordType t = {"ranking setting", {{"enabled", 4, 1}}, {}, {{"genres", ListKind::kBytes}}};
  return t;
}

const RecordType& IniKeyLayout() {
  static const RecordType t = {"ini key", {{"kind", 4, 1}, {"int default", 4, 1}}, {{"name"}, {"text default"}}, {}};
  return t;
}

const RecordType& SystemLayout() {
  static const RecordType t = {
      "system",
      {
          {"m1", 4, 1, 185},  {"m2", 4, 1},       {"m3", 4, 1},       {"m4", 4, 1},       {"m5", 4, 1, 205},
          {"m6", 4, 1, 170},  {"m7", 4, 1, 113},  {"m8", 4, 1, 184},  {"m9", 4, 1, 157},  {"m10", 4, 1},
          {"m11", 4, 1, 191}, {"m12", 4, 1, 191}, {"m13", 4, 1},      {"m14", 4, 1},      {"m15", 4, 1, 167},
          {"m16", 4, 1, 167}, {"m17", 4, 1, 188}, {"m18", 4, 1, 224}, {"m19", 4, 1, 167}, {"m20", 4, 1, 167},
          {"m21", 4, 1, 188}, {"m22", 4, 1, 224}, {"m23", 4, 1, 188}, {"m24", 4, 1, 192}, {"m25", 4, 1, 187},
          {"m26", 1, 1, 187}, {"m27", 1, 1, 187}, {"m28", 1, 1, 187}, {"m29", 4, 1, 214},
          {"m30", 4, 1, 221, 259},
          {"m31", 4, 1, 261}, {"m32", 4, 1, 272}, {"m33", 4, 1, 287}, {"m34", 4, 1, 515}, {"m35", 4, 1, 289},
          {"m36", 4, 1, 525}, {"m37", 4, 1, 555}, {"m38", 4, 1, 637}, {"m39", 4, 1, 669}, {"m40", 4, 1, 677},
          {"m41", 4, 1, 695}, {"m42", 4, 1, 696}, {"m43", 4, 1, 697}, {"m44", 4, 1, 721}, {"m45", 4, 1, 728},
          {"m46", 4, 1, 733}, {"m47", 4, 1, 744}, {"m48", 4, 1, 749}, {"m49", 4, 1, 752}, {"m50", 4, 1, 670},
          {"m51", 4, 1, 670},
      },
      {{"title"}},
      {
          {"carry-over flags", ListKind::kBytes},
          {"miss drop flags", ListKind::kBytes, 501},
          {"status items", ListKind::kRecords, 0, &StatusItemLayout()},
          {"starting lives", ListKind::kInts},
          {"infinite lives", ListKind::kInts, 191},
          {"ranking settings", ListKind::kRecords, 186, &RankSettingLayout()},
          {"texts", ListKind::kStrings},
          {"system sound files", ListKind::kStrings},
          {"scene music", ListKind::kInts},
          {"scene music loop flags", ListKind::kBytes, 202},
          {"title menu", ListKind::kRecords, 0, &MenuItemLayout()},
          {"world-map menu", ListKind::kRecords, 0, &MenuItemLayout()},
          {"option menu", ListKind::kRecords, 0, &MenuItemLayout()},
          {"ranking registration modes", ListKind::kStrings, 674},
          {"display keys", ListKind::kRecords, 0, &IniKeyLayout()},
      }};
  return t;
}

}  // namespace fix

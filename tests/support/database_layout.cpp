#include "tests/support/database_layout.h"

namespace fix {

const RecordType& AnimeFrameLayout() {
  static const RecordType t = {"anime frame", {{"picture", 4, 1}, {"duration", 4, 1}, {"flag", 4, 1}}, {}, {}};
  return t;
}

const RecordType& AnimeLayout() {
  static const RecordType t = {"anime",
                               {{"setting 1", 2, 1, 55}, {"setting 2", 1, 1, 55}, {"setting 3", 2, 1, 55}},
                               {{"name"}},
                               {{"frames", ListKind::kRecords, 0, &AnimeFrameLayout()}}};
  return t;
}

const RecordType& AnimeSetLayout() {
  static const RecordType t = {"anime set",
                               {{"invincible row", 4, 1}, {"full-cell row", 4, 1}, {"flight row", 4, 1, 119}},
                               {{"name"}},
                               {{"motions", ListKind::kRecords, 0, &AnimeLayout()}}};
  return t;
}

const RecordType& BmpCharaExcLayout() {
  static const RecordType t = {"special bitmap",
                               {{"reserved", 4, 1, 152}, {"own cell size", 4, 1, 172}, {"cell size", 4, 1, 172}},
                               {{"name"}, {"picture file"}},
                               {}};
  return t;
}

const RecordType& SwordFrameLayout() {
  static const RecordType t = {"sword frame",
                               {{"offset x", 4, 1},
                                {"offset y", 4, 1},
                                {"mirror x", 4, 1, 138},
                                {"mirror y", 4, 1, 138},
                                {"placement", 4, 1},
                                {"picture x", 4, 1},
                                {"picture y", 4, 1},
                                {"width", 4, 1},
                                {"height", 4, 1},
                                {"duration", 4, 1}},
                               {},
                               {}};
  return t;
}

const RecordType& SwordTypeLayout() {
  static const RecordType t = {"sword type",
                               {{"reserved", 4, 1, 151}},
                               {{"name"}, {"left picture file"}, {"right picture file"}},
                               {{"frames", ListKind::kRecords, 0, &SwordFrameLayout()}}};
  return t;
}

const RecordType& EffectFrameLayout() {
  static const RecordType t = {"int pair", {{"first", 4, 1}, {"second", 4, 1}}, {}, {}};
  return t;
}

const RecordType& EffectLayout() {
  static const RecordType t = {
      "effect",
      {{"reserved", 4, 1, 151}, {"cell width", 4, 1}, {"cell height", 4, 1}, {"scales with hit", 4, 1}},
      {{"name"}, {"picture file"}},
      {{"frames", ListKind::kRecords, 0, &EffectFrameLayout()}}};
  return t;
}

const RecordType& EffectDefLayout() {
  static const RecordType t = {"effect definition", {{"kind", 4, 1}, {"parameters", 4, 5}}, {{"name"}}, {}};
  return t;
}

const RecordType& FileEntryLayout() {
  static const RecordType t = {"file entry", {{"reserved", 4, 1, 151}}, {{"name"}, {"file"}}, {}};
  return t;
}

}  // namespace fix

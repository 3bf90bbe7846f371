#pragma once
#include "tests/support/fixture_writer.h"

// The layouts of the stage file, the world map and the user's records in every
// data version, transcribed from the records' layout tables.
namespace fix {
const RecordType& QuadSetLayout();
const RecordType& BgLayerLayout();
const RecordType& TextItemLayout();
// The stage file body: fields by their meaning ("width", "limit left", ...), the
// name, then "ranking genres", the five ranges ("chara range", "full-cell chara
// range", "item range", "player shot range", "other shot range"), the palette
// lists, the placements ("placed blocks" ... with their words), "layers", "text
// items" and the "trailer" (from 173).
const RecordType& StageLayout();

const RecordType& WorldStageLayout();
const RecordType& WorldChipLayout();
const RecordType& WorldEventLayout();
const RecordType& WorldMapLayout();

const RecordType& SaveCharaLayout();
const RecordType& StageResultLayout();
const RecordType& IntPairLayout();
const RecordType& SaveDataLayout();
const RecordType& OptionLayout();
}  // namespace fix

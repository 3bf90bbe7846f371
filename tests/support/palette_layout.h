#pragma once
#include "tests/support/fixture_writer.h"

// The layouts of the common palette and everything it holds, in every data
// version, transcribed from the records' layout tables (file order, which for the
// shot definition differs from its member order).
namespace fix {
const RecordType& ConditionLayout();
const RecordType& KeyConditionLayout();
const RecordType& FlowLayout();
const RecordType& CommandLayout();
const RecordType& MoveLayout();
const RecordType& ShotLayout();
const RecordType& BlockLayout();
const RecordType& CharaLayout();
const RecordType& ItemLayout();
const RecordType& PaletteLayout();  // the file: no fields, then blocks, characters, items
}  // namespace fix

#pragma once
#include "tests/support/fixture_writer.h"

// The layout of "data\System.dat" in every data version, transcribed from the
// record's field and list tables. Field names are the member numbers
// of the table ("m1" .. "m51"; "m30" is the field that only 221 to 259 hold).
namespace fix {
const RecordType& SystemLayout();
const RecordType& StatusItemLayout();
const RecordType& MenuItemLayout();
const RecordType& RankSettingLayout();
const RecordType& IniKeyLayout();
}  // namespace fix

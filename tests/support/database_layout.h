#pragma once
#include "tests/support/fixture_writer.h"

// The layouts of the database entry records in every data version, transcribed
// from the records' layout tables. A database file is a bare list (fix::ListFile).
namespace fix {
const RecordType& AnimeFrameLayout();
const RecordType& AnimeLayout();
const RecordType& AnimeSetLayout();
const RecordType& BmpCharaExcLayout();
const RecordType& SwordFrameLayout();
const RecordType& SwordTypeLayout();
const RecordType& EffectFrameLayout();
const RecordType& EffectLayout();
const RecordType& EffectDefLayout();  // character and screen effects
const RecordType& FileEntryLayout();  // pictures, sound effects, music
}  // namespace fix

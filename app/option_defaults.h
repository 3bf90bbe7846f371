#pragma once

// STAND-IN until the option record ("user_data\Option.dat") exists: start-up reads
// the values of a fresh record, which a missing file leaves in force too. The
// option record replaces this struct (and start-up step 28 then loads the file).
struct OPTIONDEFAULTS {
  int nPaletteSet = 0;  // palette set of the 8-bit drawing mode
  int bMusic = 1;       // music on
  int nSoundLevel = 7;  // volume step of the sound effects (0..10)
};
constexpr OPTIONDEFAULTS kOptionDefaults{};

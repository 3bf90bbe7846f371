#pragma once
#include <cstdint>
#include <string>

#include "app/base/record.h"

// Database entries that name one file of the project: special character bitmaps,
// pictures, sound effects and music. Each keeps a reserved value that is only
// stored and written back; files older than 153 read it as 0.
constexpr uint32_t kReservedValueVersion = 153;

// A special character bitmap.
class cEdBmpCharaExc : public cRecord {
  RECORD_CLASS(cEdBmpCharaExc)
 public:
  cEdBmpCharaExc() { ResetFields(); nCellSize = 2; }
  int32_t nReserved = 0;     // 152
  int32_t bOwnCellSize = 0;  // 172: nCellSize applies; else cells are 32 dots wide
  int32_t nCellSize = 2;     // 172: cell width in units of 32 dots
  std::string strName;
  std::string strFile;

  void RegisterFields(uint32_t version) override;
  bool Read(cDataFile& file) override;
};

// The layout shared by pictures, sound effects and music: the reserved value
// (151), a name and a file name.
class cEdFileEntry : public cRecord {
 public:
  int32_t nReserved = 0;
  std::string strName;
  std::string strFile;

  void RegisterFields(uint32_t version) override;
  bool Read(cDataFile& file) override;
};

// A picture shown by the picture command.
class cEdPicture : public cEdFileEntry {
  RECORD_CLASS(cEdPicture)
};

// A sound effect: database sound n is entry n + 16 of the sound table.
class cEdSound : public cEdFileEntry {
  RECORD_CLASS(cEdSound)
};

// A piece of music (a MIDI or OGG file, chosen by its extension).
class cEdBgm : public cEdFileEntry {
  RECORD_CLASS(cEdBgm)
};

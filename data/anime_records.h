#pragma once
#include <cstdint>
#include <string>

#include "app/base/record.h"

// One frame of an animation: a picture and how long it shows.
class cEdAnimeFrame : public cRecord {
  RECORD_CLASS(cEdAnimeFrame)
 public:
  int32_t nPicture = 0;
  int32_t nDuration = 0;  // tenths of a second
  // From this frame on the built step table may not be interrupted.
  int32_t bNoInterrupt = 0;

  void RegisterFields(uint32_t version) override;
};

// A named sequence of frames.
class cEdAnime : public cRecord {
  RECORD_CLASS(cEdAnime)
 public:
  cEdAnime();
  std::string strName;
  cVector<cEdAnimeFrame> Frames;
  // 55: three settings that are stored and copied; nothing else uses them.
  int16_t nSetting1 = 0;
  int8_t nSetting2 = 1;
  int16_t nSetting3 = 0;

  void RegisterFields(uint32_t version) override;
  bool Read(cDataFile& file) override;
  bool Write(cDataFile& file) override;
  void Dump(cDumpWriter& out) override;
};

// A basic animation set: the four motions of a character (standing, walking,
// flying, flying and walking) and the graphic-row offsets of its states.
class cEdAnimeSet : public cRecord {
  RECORD_CLASS(cEdAnimeSet)
 public:
  static constexpr int kMotions = 4;
  cEdAnimeSet() { SetDefault(); }
  std::string strName;
  int32_t nInvincibleRow = 4;  // added to the graphic row while invincible
  int32_t nFullCellRow = 8;    // while the full-cell flag is set
  int32_t nFlightRow = 0;      // 119: while flying
  cVector<cEdAnime> Motions;

  void SetDefault();
  void RegisterFields(uint32_t version) override;
  bool Read(cDataFile& file) override;
  bool Write(cDataFile& file) override;
  void Dump(cDumpWriter& out) override;

 private:
  void MakeFourMotions();
};

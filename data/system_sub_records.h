#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/base/record.h"

// The small records that the game-wide settings hold in their lists.

// The settings' strings go out through a 5,120-byte buffer: at most 5,119 bytes
// each (whole characters).
constexpr size_t kSystemStringCap = 5119;

// One item of the status bar at the top of the play screen.
class cEdStatusItem : public cRecord {
  RECORD_CLASS(cEdStatusItem)
 public:
  size_t StringCap() const override { return kSystemStringCap; }
  cEdStatusItem() { ResetFields(); }
  int32_t bShow = 0;       // drawn in the status bar
  int32_t bIcon = 0;       // a 16x16 icon instead of the caption
  int32_t nDigits = 0;     // width reserved for the value, in 16-dot cells
  int32_t bShowValue = 0;  // gauges: the value drawn over the gauge
  int32_t nWarning = 0;    // value at or below which a gauge takes its warning colour
  int32_t bWarnPercent = 0;  // the warning value is a percentage of the maximum
  std::string strCaption;

  void RegisterFields(uint32_t version) override;
  bool Read(cDataFile& file) override;
};

// One entry of a menu.
class cEdMenuItem : public cRecord {
  RECORD_CLASS(cEdMenuItem)
 public:
  size_t StringCap() const override { return kSystemStringCap; }
  cEdMenuItem() { ResetFields(); bShow = 1; }
  int32_t bShow = 1;
  std::string strCaption;

  void RegisterFields(uint32_t version) override;
};

// Rankings of one play category: on or off, and which ranking genres are used.
class cEdRankSetting : public cRecord {
  RECORD_CLASS(cEdRankSetting)
 public:
  static constexpr int kGenres = 5;
  cEdRankSetting() : Genres(kGenres) { ResetFields(); }
  int32_t bEnable = 0;
  cVector<uint8_t> Genres;

  void RegisterFields(uint32_t version) override;
  bool Read(cDataFile& file) override;
  bool Write(cDataFile& file) override;
  void Dump(cDumpWriter& out) override;
};

// One "System.ini" key with its default: an integer key (kind 0) or a text key (1).
class cEdIniKey : public cRecord {
  RECORD_CLASS(cEdIniKey)
 public:
  size_t StringCap() const override { return kSystemStringCap; }
  cEdIniKey() { ResetFields(); }
  int32_t nKind = 0;
  int32_t nInt = 0;
  std::string strName;
  std::string strText;

  void RegisterFields(uint32_t version) override;
  void SetInt(const char* name, int value);
  void SetString(const char* name, const char* value);
};

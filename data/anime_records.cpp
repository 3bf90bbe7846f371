#include "data/anime_records.h"

#include "app/base/record_dump.h"
#include "platform/sjis.h"

namespace {
// An animation has at most this many frames, a set this many motions.
constexpr uint32_t kMaxFrames = 1u << 16;
}  // namespace

void cEdAnimeFrame::RegisterFields(uint32_t) {
  RegisterNoFields();
  REG(nPicture);
  REG(nDuration);
  REG(bNoInterrupt);
}

cEdAnime::cEdAnime() {
  ResetFields();
  Frames.resize(1);
  nSetting2 = 1;
}

void cEdAnime::RegisterFields(uint32_t version) {
  RegisterNoFields();
  if (version >= 55) {
    REG(nSetting1);
    REG(nSetting2);
    REG(nSetting3);
  }
  REG(strName);
}

bool cEdAnime::Read(cDataFile& file) {
  return cRecord::Read(file) && ReadRecordList<cEdAnimeFrame>(file, Frames, "Frames", kMaxFrames);
}

bool cEdAnime::Write(cDataFile& file) { return cRecord::Write(file) && WriteRecordList(file, Frames); }

void cEdAnime::Dump(cDumpWriter& out) {
  cRecord::Dump(out);
  out.RecordList("Frames", Frames);
}

void cEdAnimeSet::SetDefault() {
  ResetFields();
  nInvincibleRow = 4;
  nFullCellRow = 8;
  nFlightRow = 0;
  Motions.resize(kMotions);
  Motions[0].strName = SJ("立ち");
  Motions[1].strName = SJ("立ち移動");
  Motions[2].strName = SJ("飛行");
  Motions[3].strName = SJ("飛行移動");
}

void cEdAnimeSet::RegisterFields(uint32_t version) {
  RegisterNoFields();
  REG(nInvincibleRow);
  REG(nFullCellRow);
  if (version >= 119) REG(nFlightRow);
  REG(strName);
}

void cEdAnimeSet::MakeFourMotions() { Motions.resize(kMotions); }

bool cEdAnimeSet::Read(cDataFile& file) {
  if (!cRecord::Read(file) || !ReadRecordList<cEdAnime>(file, Motions, "Motions", kMaxFrames)) return false;
  const uint32_t v = file.Version();
  if (v < 119) MakeFourMotions();
  if (v < 128) {
    // The flying motions came with version 128.
    MakeFourMotions();
    Motions[2].strName = SJ("飛行");
    Motions[3].strName = SJ("飛行移動");
  }
  return true;
}

bool cEdAnimeSet::Write(cDataFile& file) { return cRecord::Write(file) && WriteRecordList(file, Motions); }

void cEdAnimeSet::Dump(cDumpWriter& out) {
  cRecord::Dump(out);
  out.RecordList("Motions", Motions);
}

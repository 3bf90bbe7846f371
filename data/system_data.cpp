#include "data/system_data.h"

#include <algorithm>

#include "app/base/format.h"
#include "app/base/record_dump.h"
#include "app/base/report_log.h"
#include "app/base/text_util.h"
#include "data/palette_links.h"
#include "data/project_globals.h"
#include "data/record_lists.h"
#include "draw/dd_globals.h"
#include "draw/font_table.h"

void cEdSystem::RegisterFields(uint32_t v) {
  RegisterNoFields();
  if (v >= 185) REG(bExtraLife);
  REG(nExtraLifeScore);
  REG(bPauseLayersOnly);
  REG(bFontIcons);
  if (v >= 205) REG(nFont);
  if (v >= 170) REG(bFontCentre);
  if (v >= 113) REG(bKeepTestFlows);
  if (v >= 184) REG(bRecordReplay);
  if (v >= 157) REG(bTitleMenuCentre);
  REG(bStoryKeepLives);
  if (v >= 191) {
    REG(bStoryMissMenu);
    REG(bMapLives);
  }
  REG(nChallengeStages);
  REG(bChallengeAllOpen);
  if (v >= 167) {
    REG(bStoryHighScore);
    REG(bStoryTotalScore);
  }
  if (v >= 188) REG(bStoryCheckpoint);
  if (v >= 224) REG(bStoryRetry);
  if (v >= 167) {
    REG(bChallengeHighScore);
    REG(bChallengeTotalScore);
  }
  if (v >= 188) REG(bChallengeCheckpoint);
  if (v >= 224) REG(bChallengeRetry);
  if (v >= 188) REG(bFileCheckpoint);
  if (v >= 192) REG(bTestCheckpoint);
  if (v >= 187) {
    REG(nColorMode);
    REG(byTransR);
    REG(byTransG);
    REG(byTransB);
  }
  if (v >= 214) REG(bCompat214);
  if (v >= 221 && v <= 259) RegisterInt(&nDiscardField, 1, "nDiscardField");
  if (v >= 261) REG(bCompat261);
  if (v >= 272) REG(bRemoveSwitch);
  if (v >= 287) REG(bInvincibleTint);
  if (v >= 515) REG(nMenuColorStep);
  if (v >= 289) REG(bPaletteRotation);
  if (v >= 525) REG(bCompat525);
  if (v >= 555) REG(bCompat555);
  if (v >= 637) REG(bCompat637);
  if (v >= 669) REG(bCompat669);
  if (v >= 677) REG(bCompat677);
  if (v >= 695) REG(bCompat695);
  if (v >= 696) REG(bCompat696);
  if (v >= 697) REG(bCompat697);
  if (v >= 721) REG(bCompat721);
  if (v >= 728) REG(bCompat728);
  if (v >= 733) REG(bCompat733);
  if (v >= 744) REG(bCompat744);
  if (v >= 749) REG(bCompat749);
  if (v >= 752) REG(bCompat752);
  if (v >= 670) {
    REG(nD3DBpp);
    REG(nDDBpp);
  }
  REG(strTitle);
}

bool cEdSystem::Read(cDataFile& f) {
  if (!cRecord::Read(f)) return false;
  const uint32_t v = f.Version();
  // A list that the file's version does not hold keeps the entries it had.
  bool ok = ReadByteList(f, CarryFlags, "CarryFlags") &&
            (v < 501 || ReadByteList(f, MissDropFlags, "MissDropFlags")) &&
            ReadRecordListOver(f, StatusItems, "StatusItems") &&
            ReadIntList(f, StartLives, "StartLives") &&
            (v < 191 || ReadIntList(f, InfiniteLives, "InfiniteLives")) &&
            (v < 186 || ReadRecordListOver(f, RankSettings, "RankSettings")) &&
            ReadStringList(f, Texts, "Texts") &&
            ReadStringList(f, SystemSounds, "SystemSounds") &&
            ReadIntList(f, SceneBgm, "SceneBgm") &&
            (v < 202 || ReadByteList(f, SceneBgmLoop, "SceneBgmLoop")) &&
            ReadRecordListOver(f, TitleMenu, "TitleMenu") &&
            ReadRecordListOver(f, WorldMapMenu, "WorldMapMenu") &&
            ReadRecordListOver(f, OptionMenu, "OptionMenu") &&
            (v < 674 || ReadStringList(f, RankModes, "RankModes")) &&
            ReadRecordListOver(f, IniKeys, "IniKeys");
  if (!ok) return false;
  if (v < 752) Upgrade(v);
  PadShortLists(f.Path());
  Validate();
  return true;
}

bool cEdSystem::Write(cDataFile& f) {
  Validate();
  if (!cRecord::Write(f)) return false;
  WriteByteList(f, CarryFlags);
  WriteByteList(f, MissDropFlags);
  if (!WriteRecordList(f, StatusItems)) return false;
  WriteIntList(f, StartLives);
  WriteIntList(f, InfiniteLives);
  if (!WriteRecordList(f, RankSettings)) return false;
  WriteStringList(f, Texts, kSystemStringCap);
  WriteStringList(f, SystemSounds, kSystemStringCap);
  WriteIntList(f, SceneBgm);
  WriteByteList(f, SceneBgmLoop);
  if (!WriteRecordList(f, TitleMenu) || !WriteRecordList(f, WorldMapMenu) || !WriteRecordList(f, OptionMenu))
    return false;
  WriteStringList(f, RankModes, kSystemStringCap);
  return WriteRecordList(f, IniKeys);
}

void cEdSystem::Dump(cDumpWriter& out) {
  cRecord::Dump(out);
  out.NumberList("CarryFlags", CarryFlags);
  out.NumberList("MissDropFlags", MissDropFlags);
  out.RecordList("StatusItems", StatusItems);
  out.NumberList("StartLives", StartLives);
  out.NumberList("InfiniteLives", InfiniteLives);
  out.RecordList("RankSettings", RankSettings);
  DumpStringList(out, "Texts", Texts);
  DumpStringList(out, "SystemSounds", SystemSounds);
  out.NumberList("SceneBgm", SceneBgm);
  out.NumberList("SceneBgmLoop", SceneBgmLoop);
  out.RecordList("TitleMenu", TitleMenu);
  out.RecordList("WorldMapMenu", WorldMapMenu);
  out.RecordList("OptionMenu", OptionMenu);
  DumpStringList(out, "RankModes", RankModes);
  out.RecordList("IniKeys", IniKeys);
}

void cEdSystem::Validate() {
  const int count = Database.BgmList.Count();
  // A negative number names no entry either: it would index outside the list.
  for (int32_t& n : SceneBgm)
    if (IndexBeyond(n, count)) n = 0;
}

int cEdSystem::CountRankGenres(int category) const {
  const cEdRankSetting& s = RankSettings.At(category);
  if (!s.bEnable) return 0;
  int n = 0;
  for (uint8_t g : s.Genres)
    if (g) ++n;
  return n;
}

int cEdSystem::CheckWarning(int item, int value, int maximum) const {
  const cEdStatusItem& s = StatusItems.At(item);
  if (s.bWarnPercent) return s.nWarning >= value * 100.0 / maximum ? 1 : 0;
  return value <= s.nWarning ? 1 : 0;
}

int cEdSystem::TextBlockChars(int first, int count, int indent) const {
  int widest = 0;
  for (int64_t i = first; i < int64_t{first} + count; ++i)
    widest = std::max(widest, CountChars(Texts.At(static_cast<int>(i))));
  return indent ? widest + 1 : widest;
}

int cEdSystem::TextBlockLeft(int centreX, int first, int count, int indent) const {
  return centreX - (TextBlockChars(first, count, indent) * 16) / 2;
}

void cEdSystem::DrawTextBlock(int x, int y, int first, int count, int indent) {
  if (count <= 0) return;
  std::string text;
  // Each text is an argument, never a format: a per-cent sign in it is drawn.
  for (int64_t i = first; i < int64_t{first} + count; ++i)
    AppendFormat(text, indent ? " %s\n" : "%s\n", Texts.At(static_cast<int>(i)).c_str());
  const int64_t width = int64_t{TextBlockChars(first, count, indent)} * 16, height = int64_t{count} * 16;
  Fonts[1].DrawTextWindow(&BackBuffer, x, y, static_cast<int>(std::min<int64_t>(width, INT32_MAX)),
                          static_cast<int>(std::min<int64_t>(height, INT32_MAX)), text.c_str(), 0);
}

namespace {
template <class T>
void Pad(cVector<T>& list, const cVector<T>& defaults, const char* name, const std::string& path) {
  if (list.Count() >= defaults.Count()) return;
  ReportLog("%s : %s has %d entries, %d expected; the others take their defaults", path.c_str(), name,
            list.Count(), defaults.Count());
  for (int i = list.Count(); i < defaults.Count(); ++i) list.push_back(defaults[i]);
}
}  // namespace

void cEdSystem::PadShortLists(const std::string& path) {
  // The game indexes these lists by fixed positions (play category, scene, text
  // number...), so a short list from a damaged or hand-made file would end the game
  // at its first use.
  const bool shortList = CarryFlags.Count() < kCarryFlags || MissDropFlags.Count() < kCarryFlags ||
                         StatusItems.Count() < kStatusItems || StartLives.Count() < kCategories ||
                         InfiniteLives.Count() < kCategories || RankSettings.Count() < kCategories ||
                         Texts.Count() < kTexts || SystemSounds.Count() < kSystemSounds ||
                         SceneBgm.Count() < kSceneBgm || SceneBgmLoop.Count() < kSceneBgm ||
                         TitleMenu.Count() < kTitleMenu || WorldMapMenu.Count() < kWorldMapMenu ||
                         OptionMenu.Count() < kOptionMenu || RankModes.Count() < kRankModes ||
                         IniKeys.Count() < kIniKeys;
  if (shortList) {
    const cEdSystem d;
    Pad(CarryFlags, d.CarryFlags, "CarryFlags", path);
    Pad(MissDropFlags, d.MissDropFlags, "MissDropFlags", path);
    Pad(StatusItems, d.StatusItems, "StatusItems", path);
    Pad(StartLives, d.StartLives, "StartLives", path);
    Pad(InfiniteLives, d.InfiniteLives, "InfiniteLives", path);
    Pad(RankSettings, d.RankSettings, "RankSettings", path);
    Pad(Texts, d.Texts, "Texts", path);
    Pad(SystemSounds, d.SystemSounds, "SystemSounds", path);
    Pad(SceneBgm, d.SceneBgm, "SceneBgm", path);
    Pad(SceneBgmLoop, d.SceneBgmLoop, "SceneBgmLoop", path);
    Pad(TitleMenu, d.TitleMenu, "TitleMenu", path);
    Pad(WorldMapMenu, d.WorldMapMenu, "WorldMapMenu", path);
    Pad(OptionMenu, d.OptionMenu, "OptionMenu", path);
    Pad(RankModes, d.RankModes, "RankModes", path);
    Pad(IniKeys, d.IniKeys, "IniKeys", path);
  }
  // A ranking setting's genres are indexed by genre number; a genre not listed is off.
  for (int i = 0; i < RankSettings.Count(); ++i) {
    cVector<uint8_t>& g = RankSettings[i].Genres;
    if (g.Count() < cEdRankSetting::kGenres) {
      ReportLog("%s : RankSettings[%d] has %d genre flags, %d expected; the others are off", path.c_str(), i,
                g.Count(), cEdRankSetting::kGenres);
      g.resize(cEdRankSetting::kGenres, 0);
    }
  }
}

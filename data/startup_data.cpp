#include "data/startup_data.h"

#include "app/base/message_box.h"
#include "app/base/report_log.h"
#include "data/data_folders.h"
#include "data/project_globals.h"
#include "platform/sjis.h"

const char* const kSystemDataPath = "data\\System.dat";
const char* const kCommonPalettePath = "data\\CommonPalette.cplt4";

bool CopyDefaultDataStep() {
  if (CopyDefaultData()) return true;
  ReportLogBox("%s", SJ("「data」フォルダの作成に失敗…\n「default」フォルダに問題がある可能性があります。"));
  return false;
}

void CreateStartupFoldersStep() { CreateStartupFolders(); }

bool LoadDatabaseStep() {
  if (Database.Load()) return true;
  ReportLogBox("%s", SJ("データベースの読み込みに失敗…"));
  return false;
}

void PrepareDatabaseTables() {
  Database.MakeWorkingCopies();
  BuildAnimeSequences(AnimeSequences);
  BuildEffectSequences(EffectSequences);
  PrepareCharaEffects(CharaEffectTable, CharaEffectTableRev);
  PrepareScrEffects(ScrEffectTable, ScrEffectTableRev);
}

bool LoadSystemDataStep() {
  if (SystemData.Load(kSystemDataPath)) return true;
  ReportLogBox(SJ("%s の読み込みに失敗…"), kSystemDataPath);
  return false;
}

bool LoadCommonPaletteStep() {
  if (CommonPalette.Load(kCommonPalettePath)) return true;
  ReportLogBox(SJ("%s のロードに失敗！"), kCommonPalettePath);
  return false;
}

void LoadOptionStep() { OptionData.Load(PathTable[kPathOption]); }

bool LoadWorldMapStep() {
  if (WorldMap.Load(PathTable[kPathWorldMap])) return true;
  ReportLogBox(SJ("%s のロードに失敗！"), PathTable[kPathWorldMap]);
  return false;
}

#include "data/data_folders.h"

#include "app/base/message_box.h"
#include "platform/files.h"
#include "platform/sjis.h"

const char* const PathTable[kPathCount] = {
    "data\\",
    "default\\",
    "data\\stg4\\old_ver\\",
    "data\\work\\",
    "e_data\\EditConfig.dat",
    "data\\PrjOption.dat",
    "default\\PrjOption.dat",
    "data\\CommonPalette.cplt4",
    "default\\CommonPalette.cplt4",
    "data\\GValInfo.dat",
    "default\\GValInfo.dat",
    "data\\stg4\\Default.stg4_***",
    "default\\stg4\\Default.stg4_***",
    "data\\WorldMap.dat",
    "default\\WorldMap.dat",
    "data\\database\\AnimeSet.dat",
    "default\\database\\AnimeSet.dat",
    "data\\database\\Anime.dat",
    "default\\database\\Anime.dat",
    "data\\database\\Bmp_CharaExc.dat",
    "default\\database\\Bmp_CharaExc.dat",
    "data\\database\\SwordType.dat",
    "default\\database\\SwordType.dat",
    "data\\database\\Effect.dat",
    "default\\database\\Effect.dat",
    "data\\database\\CharaEffect.dat",
    "default\\database\\CharaEffect.dat",
    "data\\database\\ScrEffect.dat",
    "default\\database\\ScrEffect.dat",
    "data\\database\\Picture.dat",
    "default\\database\\Picture.dat",
    "data\\database\\Sound.dat",
    "default\\database\\Sound.dat",
    "data\\database\\Bgm.dat",
    "default\\database\\Bgm.dat",
    "data\\System.dat",
    "default\\System.dat",
    "data\\stg4\\c",
    "user_data\\story\\",
    "user_data\\challenge\\",
    "user_data\\free\\",
    "user_data\\story\\Story",
    "user_data\\challenge\\Challenge.dat",
    "user_data\\Option.dat",
    "user_data\\",
    "user_data\\KeyConfig.dat",
    "user_data\\Boot.dat",
    "user_data\\Window.dat",
};

const char* const ExtTable[kExtCount] = {"cplt4", "stg4", "plt4", "rkg"};

const char* const StartupFolders[] = {
    "user_data", "user_data\\story", "user_data\\challenge", "user_data\\free", "user_data\\rpl4",
    "data", "data\\database", "data\\stg4", "data\\stg4\\old_ver", "data\\work", "data\\plt4",
    "bmp", "bmp\\back", "bmp\\chara_sp", "bmp\\effect", "bmp\\picture", "bmp\\sword", "bmp\\convert",
    "bmp\\plt", "bmp\\hbt", "wave", "bgm", "",
};

namespace {

// A name beside "data" that nothing uses yet, for the copy in progress.
std::string FreshCopyFolder() {
  std::string name = "data.copying";
  for (int n = 2; plat::FileExists(name); ++n) name = "data.copying" + std::to_string(n);
  return name;
}

}  // namespace

int CopyDefaultData() {
  if (plat::DirectoryExists(PathTable[kPathData])) return 1;
  if (!plat::DirectoryExists(PathTable[kPathDefault])) return 0;
  const std::string question = std::string(SJ("データが存在しません！デフォルトデータを作成しますか？")) + "\n";
  if (MesBox(question.c_str(), SJ("デフォルトデータ作成の確認"), MB_YESNO) != IDYES) return 0;
  const std::string copy = FreshCopyFolder();
  if (plat::CopyTree("default", copy) && plat::RenamePath(copy, "data")) return 1;
  // Only the copy in progress goes; whatever stood at "data" before stays.
  plat::RemoveTree(copy);
  return 0;
}

void CreateStartupFolders() {
  for (const char* const* folder = StartupFolders; **folder; ++folder) plat::MakeDirectory(*folder);
}
